#include "ui/qt/x11_qt.h"

#include <QGuiApplication>
#include <QWidget>

#include <xcb/xcb.h>

#include <array>
#include <cstdlib>
#include <memory>

#include "ui/qt/xcbreply.h"

namespace tw {

namespace {

xcb_atom_t Atom(xcb_connection_t* c, const char* name) {
    const auto cookie = xcb_intern_atom(c, 0, static_cast<uint16_t>(std::char_traits<char>::length(name)), name);
    Reply<xcb_intern_atom_reply_t> reply(xcb_intern_atom_reply(c, cookie, nullptr));
    return reply ? reply->atom : xcb_atom_t{XCB_ATOM_NONE};
}

// The atoms the desktop hints use, interned once per program.
struct DesktopAtoms {
    xcb_atom_t state, sticky, desktop, currentDesktop;
};

const DesktopAtoms& Atoms(xcb_connection_t* c) {
    static const DesktopAtoms atoms = [c] {
        const char* names[] = {"_NET_WM_STATE", "_NET_WM_STATE_STICKY", "_NET_WM_DESKTOP",
                               "_NET_CURRENT_DESKTOP"};
        std::array<xcb_intern_atom_cookie_t, 4> cookies{};
        for (std::size_t i = 0; i < cookies.size(); ++i)
            cookies[i] = xcb_intern_atom(
                c, 0, static_cast<uint16_t>(std::char_traits<char>::length(names[i])), names[i]);
        std::array<xcb_atom_t, 4> a{};
        for (std::size_t i = 0; i < cookies.size(); ++i) {
            Reply<xcb_intern_atom_reply_t> r(xcb_intern_atom_reply(c, cookies[i], nullptr));
            a[i] = r ? r->atom : xcb_atom_t{XCB_ATOM_NONE};
        }
        return DesktopAtoms{a[0], a[1], a[2], a[3]};
    }();
    return atoms;
}

xcb_window_t Root(xcb_connection_t* c) { return xcb_setup_roots_iterator(xcb_get_setup(c)).data->root; }

// A request to the window manager about a managed window (EWMH client
// message to the root window), sent as from an application.
void SendToWindowManager(xcb_connection_t* c, xcb_window_t window, xcb_atom_t type,
                         std::array<uint32_t, 4> data) {
    xcb_client_message_event_t msg{};
    msg.response_type = XCB_CLIENT_MESSAGE;
    msg.format = 32;
    msg.window = window;
    msg.type = type;
    for (std::size_t i = 0; i < data.size(); ++i) msg.data.data32[i] = data[i];
    xcb_send_event(c, 0, Root(c),
                   XCB_EVENT_MASK_SUBSTRUCTURE_REDIRECT | XCB_EVENT_MASK_SUBSTRUCTURE_NOTIFY,
                   reinterpret_cast<const char*>(&msg));
}

// The native window of a top-level widget once it exists; never creates it.
xcb_window_t NativeWindow(QWidget* window) {
    return window ? static_cast<xcb_window_t>(window->internalWinId()) : xcb_window_t{XCB_WINDOW_NONE};
}

constexpr uint32_t kAllDesktops = 0xFFFFFFFF;
constexpr uint32_t kAdd = 1, kFromApplication = 1;

}  // namespace

xcb_connection_t* X11Connection() {
    if (QGuiApplication::platformName() != QLatin1String("xcb")) return nullptr;
    auto* x11 = qApp->nativeInterface<QNativeInterface::QX11Application>();
    return x11 ? x11->connection() : nullptr;
}

void SkipTaskbar(QWidget* window) {
    xcb_connection_t* c = X11Connection();
    if (!window || !c) return;
    const auto id = static_cast<xcb_window_t>(window->winId());
    const xcb_atom_t state = Atom(c, "_NET_WM_STATE");
    const xcb_atom_t skip[2] = {Atom(c, "_NET_WM_STATE_SKIP_TASKBAR"),
                                Atom(c, "_NET_WM_STATE_SKIP_PAGER")};
    if (state == XCB_ATOM_NONE || skip[0] == XCB_ATOM_NONE) return;

    // Without a window manager the property is what counts; with one, the
    // request to the root window.
    xcb_change_property(c, XCB_PROP_MODE_APPEND, id, state, XCB_ATOM_ATOM, 32, 2, skip);
    SendToWindowManager(c, id, state, {kAdd, skip[0], skip[1], kFromApplication});
    xcb_flush(c);
}

void X11Hints::SkipTaskbar(QWidget* window) { tw::SkipTaskbar(window); }

void X11Hints::ShowOnAllDesktops(QWidget* window) {
    xcb_connection_t* c = X11Connection();
    const xcb_window_t id = NativeWindow(window);
    if (!c || id == XCB_WINDOW_NONE) return;
    const DesktopAtoms& a = Atoms(c);
    if (a.state == XCB_ATOM_NONE || a.sticky == XCB_ATOM_NONE || a.desktop == XCB_ATOM_NONE) return;

    // A window manager reads the properties when it maps the window; once
    // it has, the window's state is its own and changes go as requests.
    const auto attributesCookie = xcb_get_window_attributes(c, id);
    const auto stateCookie = xcb_get_property(c, 0, id, a.state, XCB_ATOM_ATOM, 0, 64);
    Reply<xcb_get_window_attributes_reply_t> attributes(
        xcb_get_window_attributes_reply(c, attributesCookie, nullptr));
    Reply<xcb_get_property_reply_t> state(xcb_get_property_reply(c, stateCookie, nullptr));
    if (!attributes) return;  // the window is gone
    if (attributes->map_state == XCB_MAP_STATE_UNMAPPED) {
        xcb_change_property(c, XCB_PROP_MODE_REPLACE, id, a.desktop, XCB_ATOM_CARDINAL, 32, 1,
                            &kAllDesktops);
        bool sticky = false;
        if (state && state->format == 32 && state->type == XCB_ATOM_ATOM) {
            const auto* atoms = static_cast<const xcb_atom_t*>(xcb_get_property_value(state.get()));
            const int n = xcb_get_property_value_length(state.get()) / 4;
            for (int i = 0; i < n; ++i) sticky = sticky || atoms[i] == a.sticky;
        }
        if (!sticky)
            xcb_change_property(c, XCB_PROP_MODE_APPEND, id, a.state, XCB_ATOM_ATOM, 32, 1,
                                &a.sticky);
    }
    SendToWindowManager(c, id, a.desktop, {kAllDesktops, kFromApplication, 0, 0});
    SendToWindowManager(c, id, a.state, {kAdd, a.sticky, 0, kFromApplication});
    xcb_flush(c);
}

void X11Hints::ShowOnCurrentDesktop(QWidget* window) {
    xcb_connection_t* c = X11Connection();
    const xcb_window_t id = NativeWindow(window);
    if (!c || id == XCB_WINDOW_NONE) return;
    const DesktopAtoms& a = Atoms(c);
    if (a.desktop == XCB_ATOM_NONE || a.currentDesktop == XCB_ATOM_NONE) return;

    const auto currentCookie =
        xcb_get_property(c, 0, Root(c), a.currentDesktop, XCB_ATOM_CARDINAL, 0, 1);
    const auto attributesCookie = xcb_get_window_attributes(c, id);
    Reply<xcb_get_property_reply_t> current(xcb_get_property_reply(c, currentCookie, nullptr));
    Reply<xcb_get_window_attributes_reply_t> attributes(
        xcb_get_window_attributes_reply(c, attributesCookie, nullptr));
    if (!attributes) return;
    if (!current || current->format != 32 || xcb_get_property_value_length(current.get()) < 4) {
        // No workspaces: the window manager chooses.
        if (attributes->map_state == XCB_MAP_STATE_UNMAPPED)
            xcb_delete_property(c, id, a.desktop);
        xcb_flush(c);
        return;
    }
    const uint32_t desktop = *static_cast<const uint32_t*>(xcb_get_property_value(current.get()));
    // The workspace the window was last shown on stays in its property and
    // would take it back there.
    if (attributes->map_state == XCB_MAP_STATE_UNMAPPED)
        xcb_change_property(c, XCB_PROP_MODE_REPLACE, id, a.desktop, XCB_ATOM_CARDINAL, 32, 1,
                            &desktop);
    else
        SendToWindowManager(c, id, a.desktop, {desktop, kFromApplication, 0, 0});
    xcb_flush(c);
}

std::vector<char*> WithX11Platform(int argc, char** argv) {
    static char option[] = "-platform";
    static char xcb[] = "xcb";
    std::vector<char*> args(argv, argv + argc);
    if (!std::getenv("QT_QPA_PLATFORM") && std::getenv("DISPLAY")) {
        args.push_back(option);
        args.push_back(xcb);
    }
    args.push_back(nullptr);
    return args;
}

}  // namespace tw
