// Everything the windows need of the system, handed to them at construction.
#pragma once

#include <string>
#include <string_view>

#include "core/filesystem.h"
#include "core/profile.h"
#include "core/screen.h"
#include "core/shell.h"
#include "core/sysstatus.h"
#include "forms/dialogs.h"
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
    IProfile& profile;
    IFileSystem& files;
    IShell& shell;
    ISystemStatus& status;
    IScreen& screen;
    IDialogs& dialogs;
    // Characters that separate path parts ("/" here, "\\:" on Windows).
    std::string_view separators;
    // Full real path of the executable, Shift-JIS.
    std::string executablePath;
    // Shortest period the platform's timer delivers, in milliseconds.
    int minimumTimerPeriod = 10;
    // None: the windows ask for nothing beyond what Qt does.
    IWindowHints* hints = nullptr;
    // The application title (Shift-JIS): the boxes' caption and the bar's
    // accessible name.
    std::string title;

    // What the windows' presenters are handed.
    Services services() const {
        return Services{profile, files,      shell,          status,
                        screen,  dialogs,    separators,     executablePath,
                        minimumTimerPeriod};
    }
};

}  // namespace tw
