// The shell on Linux: programs are started, everything else goes to the
// desktop's default handler; Control Panel applets map to settings tools.
#pragma once

#include "platform/shell.h"

namespace tw {

class LinuxShell : public IShell {
public:
    bool ShellExecute(const ShellRequest& request) override;
};

}  // namespace tw
