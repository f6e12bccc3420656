#include "ui/qt/x11_qt.h"

#include <QGuiApplication>
#include <QWidget>

#include <xcb/xcb.h>

#include <cstdlib>

namespace tw {

namespace {

xcb_atom_t Atom(xcb_connection_t* c, const char* name) {
    const auto cookie = xcb_intern_atom(c, 0, static_cast<uint16_t>(std::char_traits<char>::length(name)), name);
    xcb_intern_atom_reply_t* reply = xcb_intern_atom_reply(c, cookie, nullptr);
    if (!reply) return XCB_ATOM_NONE;
    const xcb_atom_t atom = reply->atom;
    std::free(reply);
    return atom;
}

}  // namespace

void SkipTaskbar(QWidget* window) {
    // Other platforms (offscreen among them) may offer the X11 interface
    // without a connection behind it.
    if (!window || QGuiApplication::platformName() != QLatin1String("xcb")) return;
    auto* x11 = qApp->nativeInterface<QNativeInterface::QX11Application>();
    xcb_connection_t* c = x11 ? x11->connection() : nullptr;
    if (!c) return;
    const auto id = static_cast<xcb_window_t>(window->winId());
    const xcb_atom_t state = Atom(c, "_NET_WM_STATE");
    const xcb_atom_t skip[2] = {Atom(c, "_NET_WM_STATE_SKIP_TASKBAR"),
                                Atom(c, "_NET_WM_STATE_SKIP_PAGER")};
    if (state == XCB_ATOM_NONE || skip[0] == XCB_ATOM_NONE) return;

    // Without a window manager the property is what counts; with one, the
    // request to the root window.
    xcb_change_property(c, XCB_PROP_MODE_APPEND, id, state, XCB_ATOM_ATOM, 32, 2, skip);
    xcb_screen_t* screen = xcb_setup_roots_iterator(xcb_get_setup(c)).data;
    xcb_client_message_event_t msg{};
    msg.response_type = XCB_CLIENT_MESSAGE;
    msg.format = 32;
    msg.window = id;
    msg.type = state;
    msg.data.data32[0] = 1;  // add
    msg.data.data32[1] = skip[0];
    msg.data.data32[2] = skip[1];
    msg.data.data32[3] = 1;  // from an application
    xcb_send_event(c, 0, screen->root,
                   XCB_EVENT_MASK_SUBSTRUCTURE_REDIRECT | XCB_EVENT_MASK_SUBSTRUCTURE_NOTIFY,
                   reinterpret_cast<const char*>(&msg));
    xcb_flush(c);
}

void X11Hints::SkipTaskbar(QWidget* window) { tw::SkipTaskbar(window); }

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
