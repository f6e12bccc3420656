// Desktop entries: the files that describe an application to the desktop,
// as a shortcut file does elsewhere.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

namespace tw {

// Whether `path` (UTF-8) names a desktop entry by its extension.
bool IsDesktopEntryName(std::string_view path);

// A desktop entry file larger than this is never read.
constexpr std::uintmax_t kDesktopEntryLimit = 1u << 20;

// The program that starts desktop entries for the bar: "tamblewick-entry"
// in the folder of the running executable.
std::string DesktopEntryStarter();

// Starts the application that the desktop entry at `path` describes, or,
// for a name without "/", the installed entry of that desktop file ID,
// without waiting for it: the entry is read and started by the starter
// program (DesktopEntryStarter), itself started detached in `directory`,
// which an entry without a Path key starts in. False, with nothing started,
// for a path that is no regular file of at most kDesktopEntryLimit bytes,
// and when the starter cannot be started; what becomes of the entry itself
// is not waited for.
bool LaunchDesktopEntry(const std::string& path, const std::string& directory);

// The starter's work, done where it is called: starts the application as
// LaunchDesktopEntry describes. The entry's Exec line, its field codes,
// Path and Terminal=true are carried out by GLib's implementation of the
// desktop entry rules. GLib is kept off the session bus, on which it would
// otherwise wait before starting anything; the application gets the
// caller's environment as it is. False, with nothing started, for a file
// that is too large, is no application entry, is broken (no Exec, a TryExec
// program that is missing) or is marked Hidden, and when the start fails.
bool RunDesktopEntry(const std::string& path);

}  // namespace tw
