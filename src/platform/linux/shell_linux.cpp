#include "platform/linux/shell_linux.h"

// Placeholder until launching lands.
namespace tw {
bool LinuxShell::ShellExecute(const ShellRequest&) { return false; }
}  // namespace tw
