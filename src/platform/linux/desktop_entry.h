// Desktop entries: the files that describe an application to the desktop,
// as a shortcut file does elsewhere.
#pragma once

#include <string>
#include <string_view>

namespace tw {

// Whether `path` (UTF-8) names a desktop entry by its extension.
bool IsDesktopEntryName(std::string_view path);

// Starts the application that the desktop entry at `path` describes, or,
// for a name without "/", the installed entry of that desktop file ID. The
// entry's Exec line, its field codes, Path and Terminal=true are carried out
// by GLib's implementation of the desktop entry rules; the application
// inherits the bar's environment. False, with nothing started, for a file
// that is no application entry, is broken (no Exec, a TryExec program that
// is missing) or is marked Hidden, and when the start fails.
bool LaunchDesktopEntry(const std::string& path);

}  // namespace tw
