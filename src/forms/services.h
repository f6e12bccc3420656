// Everything the presenters need of the system, handed to them at construction.
#pragma once

#include <string>
#include <string_view>

#include "core/filesystem.h"
#include "core/profile.h"
#include "core/screen.h"
#include "core/shell.h"
#include "core/sysstatus.h"
#include "forms/dialogs.h"

namespace tw {

struct Services {
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
};

// Keys and modifiers as the views report them (the virtual-key codes).
enum : int { kKeyReturn = 0x0D, kKeyEscape = 0x1B };
enum : int { kShiftNone = 0, kShiftShift = 1, kShiftAlt = 2, kShiftCtrl = 4 };
enum class MouseButton { Left, Right, Middle };

}  // namespace tw
