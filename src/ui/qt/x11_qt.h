// X11 details that Qt has no API for, and the choice of the X11 platform.
#pragma once

#include <vector>

#include "ui/qt/platform.h"

struct xcb_connection_t;

namespace tw {

// The hints on X11; nothing on other platforms.
class X11Hints : public IWindowHints {
public:
    void SkipTaskbar(QWidget* window) override;
    void ShowOnAllDesktops(QWidget* window) override;
    void ShowOnCurrentDesktop(QWidget* window) override;
};

// Asks the window manager to leave a shown top-level window off the task
// bar and the pager (_NET_WM_STATE_SKIP_TASKBAR, _NET_WM_STATE_SKIP_PAGER).
// Does nothing unless the application runs on X11 (the xcb platform).
void SkipTaskbar(QWidget* window);

// The application's X connection, or null when it does not run on X11 (the
// offscreen platform may offer the X11 interface without a connection).
xcb_connection_t* X11Connection();

// The command line for QApplication: `argv` with "-platform xcb" added when
// the user has chosen no Qt platform (QT_QPA_PLATFORM) and an X display is
// there, since a Wayland client cannot place its own window. The choice
// goes on the command line, not into the environment, so programs the bar
// starts inherit the environment exactly as the user left it. The result
// ends with a null pointer; its size less one is the new argc.
std::vector<char*> WithX11Platform(int argc, char** argv);

}  // namespace tw
