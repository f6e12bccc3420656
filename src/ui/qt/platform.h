// Everything the windows need of the system, handed to them at construction.
#pragma once

#include <string>

#include "forms/services.h"

class QWidget;

namespace tw {

// Window-system details that Qt has no API for.
class IWindowHints {
public:
    virtual ~IWindowHints() = default;
    // Asks that a shown top-level window get no task-bar or pager entry.
    virtual void SkipTaskbar(QWidget* window) = 0;
    // Asks that a top-level window be shown on every workspace (virtual
    // desktop) and stay there. Asked again after every change of the
    // window, so that no window manager drops it; does nothing before the
    // window exists.
    virtual void ShowOnAllDesktops(QWidget* window) = 0;
    // Asks that a top-level window that is about to be shown, or is shown
    // already, come up on the workspace the user is on rather than on the
    // one it was last shown on.
    virtual void ShowOnCurrentDesktop(QWidget* window) = 0;
};

struct Platform {
    // What the windows' presenters are handed.
    Services services;
    // None: the windows ask for nothing beyond what Qt does.
    IWindowHints* hints = nullptr;
    // The application title (Shift-JIS): the boxes' caption and the bar's
    // accessible name.
    std::string title;
};

}  // namespace tw
