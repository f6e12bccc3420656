// X11 properties that Qt has no API for.
#pragma once

class QWidget;

namespace tw {

// Asks the window manager to leave a shown top-level window off the task
// bar and the pager (_NET_WM_STATE_SKIP_TASKBAR, _NET_WM_STATE_SKIP_PAGER).
// Does nothing off X11.
void SkipTaskbar(QWidget* window);

}  // namespace tw
