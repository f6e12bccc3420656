// Starting programs detached from the bar.
#pragma once

#include <string>
#include <vector>

namespace tw {

// One program start; every string is UTF-8.
struct LaunchCommand {
    std::string program;            // absolute path of the executable
    std::vector<std::string> args;  // the arguments after argv[0], each passed whole
    std::string directory;          // working directory
    friend bool operator==(const LaunchCommand&, const LaunchCommand&) = default;
};

// Starts the command in a session of its own, through an intermediate
// process that exits at once, so the program outlives the bar and never
// becomes its zombie. The program gets stdin from /dev/null, keeps stdout
// and stderr, inherits no other descriptor, starts with default signal
// handling and an empty signal mask, and runs in `directory` (in "/" should
// that vanish in the meantime). No shell is involved. True when the program
// was executed.
bool SpawnDetached(const LaunchCommand& command);

}  // namespace tw
