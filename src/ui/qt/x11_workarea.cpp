#include "ui/qt/x11_workarea.h"

#include <QCoreApplication>

#include <xcb/xcb.h>

#include <array>
#include <cstdlib>
#include <memory>
#include <vector>

#include "core/workarea.h"
#include "ui/qt/x11_qt.h"

#include "ui/qt/xcbreply.h"

namespace tw {

namespace {

// The 32-bit values of a property reply of the given type.
std::vector<uint32_t> Values(const xcb_get_property_reply_t* r, xcb_atom_t type) {
    if (!r || r->format != 32 || r->type != type) return {};
    const auto* v = static_cast<const uint32_t*>(xcb_get_property_value(r));
    return {v, v + xcb_get_property_value_length(r) / 4};
}

}  // namespace

X11WorkArea::X11WorkArea() {
    xcb_connection_t* c = X11Connection();
    if (!c) return;
    root_ = xcb_setup_roots_iterator(xcb_get_setup(c)).data->root;
    const char* names[] = {"_NET_CLIENT_LIST",      "_NET_WORKAREA",     "_NET_WM_STRUT",
                           "_NET_WM_STRUT_PARTIAL", "_NET_WM_WINDOW_TYPE", "_NET_WM_WINDOW_TYPE_DOCK"};
    std::array<xcb_intern_atom_cookie_t, 6> cookies{};
    for (std::size_t i = 0; i < cookies.size(); ++i)
        cookies[i] = xcb_intern_atom(
            c, 0, static_cast<uint16_t>(std::char_traits<char>::length(names[i])), names[i]);
    std::array<uint32_t*, 6> atoms{&clientList_, &workArea_, &strut_, &strutPartial_, &type_, &dock_};
    for (std::size_t i = 0; i < cookies.size(); ++i) {
        Reply<xcb_intern_atom_reply_t> r(xcb_intern_atom_reply(c, cookies[i], nullptr));
        *atoms[i] = r ? r->atom : 0;
    }
    // The root window's property changes tell of new and closed windows;
    // Qt asks for them too, but keep whatever else it asked for.
    Reply<xcb_get_window_attributes_reply_t> root(
        xcb_get_window_attributes_reply(c, xcb_get_window_attributes(c, root_), nullptr));
    if (root && !(root->your_event_mask & XCB_EVENT_MASK_PROPERTY_CHANGE)) {
        const uint32_t mask = root->your_event_mask | XCB_EVENT_MASK_PROPERTY_CHANGE;
        xcb_change_window_attributes(c, root_, XCB_CW_EVENT_MASK, &mask);
        xcb_flush(c);
    }
    QCoreApplication::instance()->installNativeEventFilter(this);
}

X11WorkArea::~X11WorkArea() {
    if (root_ && QCoreApplication::instance())
        QCoreApplication::instance()->removeNativeEventFilter(this);
}

bool X11WorkArea::nativeEventFilter(const QByteArray& eventType, void* message, qintptr*) {
    if (stale_ || eventType != "xcb_generic_event_t") return false;
    const auto* e = static_cast<const xcb_generic_event_t*>(message);
    switch (e->response_type & 0x7F) {
    case XCB_PROPERTY_NOTIFY: {
        const auto* p = reinterpret_cast<const xcb_property_notify_event_t*>(e);
        if (p->window == root_ ? p->atom == clientList_ || p->atom == workArea_
                               : docks_.count(p->window) &&
                                     (p->atom == strut_ || p->atom == strutPartial_ || p->atom == type_))
            stale_ = true;
        break;
    }
    case XCB_CONFIGURE_NOTIFY:  // the screen's size
        if (reinterpret_cast<const xcb_configure_notify_event_t*>(e)->window == root_) stale_ = true;
        break;
    default:
        break;
    }
    return false;
}

std::optional<Rect> X11WorkArea::PrimaryWorkArea(const Rect& monitor) {
    if (!root_) return std::nullopt;
    if (stale_ || !(monitor == monitor_)) {
        cached_ = Read(monitor);
        monitor_ = monitor;
        stale_ = false;
    }
    return cached_;
}

std::optional<Rect> X11WorkArea::Read(const Rect& monitor) {
    xcb_connection_t* c = X11Connection();
    if (!c || !clientList_ || !dock_) return std::nullopt;
    ++reads_;
    // Each step's requests go out together: three round trips in all.
    const auto geometryCookie = xcb_get_geometry(c, root_);
    const auto listCookie = xcb_get_property(c, 0, root_, clientList_, XCB_ATOM_WINDOW, 0, 4096);
    Reply<xcb_get_geometry_reply_t> geometry(xcb_get_geometry_reply(c, geometryCookie, nullptr));
    Reply<xcb_get_property_reply_t> list(xcb_get_property_reply(c, listCookie, nullptr));
    if (!geometry) return std::nullopt;
    const std::vector<uint32_t> windows = Values(list.get(), XCB_ATOM_WINDOW);

    std::vector<xcb_get_property_cookie_t> types;
    for (uint32_t w : windows) types.push_back(xcb_get_property(c, 0, w, type_, XCB_ATOM_ATOM, 0, 32));
    std::vector<uint32_t> docks;
    for (std::size_t i = 0; i < windows.size(); ++i) {
        xcb_generic_error_t* error = nullptr;  // a window closed meanwhile
        Reply<xcb_get_property_reply_t> type(xcb_get_property_reply(c, types[i], &error));
        std::free(error);
        for (uint32_t t : Values(type.get(), XCB_ATOM_ATOM))
            if (t == dock_) docks.push_back(windows[i]);
    }

    // Changes of the docks' struts are watched from now on.
    docks_.clear();
    std::vector<xcb_void_cookie_t> watches;
    std::vector<std::array<xcb_get_property_cookie_t, 2>> struts;
    const uint32_t mask = XCB_EVENT_MASK_PROPERTY_CHANGE;
    for (uint32_t w : docks) {
        docks_.insert(w);
        watches.push_back(xcb_change_window_attributes_checked(c, w, XCB_CW_EVENT_MASK, &mask));
        struts.push_back({xcb_get_property(c, 0, w, strutPartial_, XCB_ATOM_CARDINAL, 0, 12),
                          xcb_get_property(c, 0, w, strut_, XCB_ATOM_CARDINAL, 0, 4)});
    }
    std::vector<Strut> reserved;
    for (const auto& pair : struts) {
        std::optional<Strut> strut;
        for (const auto& cookie : pair) {
            xcb_generic_error_t* error = nullptr;
            Reply<xcb_get_property_reply_t> r(xcb_get_property_reply(c, cookie, &error));
            std::free(error);
            if (!strut) strut = StrutFromValues(Values(r.get(), XCB_ATOM_CARDINAL), geometry->width,
                                                geometry->height);
        }
        if (strut) reserved.push_back(*strut);
    }
    for (const auto& cookie : watches) std::free(xcb_request_check(c, cookie));
    return MonitorWorkArea(monitor, geometry->width, geometry->height, reserved);
}

}  // namespace tw
