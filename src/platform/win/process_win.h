// The running program on Windows.
#pragma once

#include <string>

namespace tw {

// The full path of the executable (GetModuleFileNameW), in UTF-8; empty
// when it cannot be read.
std::string ExecutablePathUtf8();

}  // namespace tw
