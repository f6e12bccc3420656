// The private-profile service on Windows: the shared rules
// (bufferedprofile.h) over files read with CreateFileW and replaced whole
// (atomic_file_win.h). Shift-JIS paths are converted from code page 932 to
// UTF-16; a path that does not convert is neither read nor written.
#pragma once

#include <optional>
#include <string>
#include <string_view>

#include "core/bufferedprofile.h"
#include "platform/win/atomic_file_win.h"

namespace tw {

// The UTF-16 form of a Shift-JIS path, or nullopt when it has a character
// code page 932 does not define, or a NUL.
std::optional<std::wstring> WidePath(std::string_view sjis);

struct WinFiles {
    using Name = std::wstring;
    using Replacement = WinReplacement;
    using Lock = WinFileLock;
    static std::optional<Name> Convert(std::string_view sjis) { return WidePath(sjis); }
    static ReadResult ReadWhole(const Name& path, std::string& bytes) {
        return ReadWholeFileW(path, bytes);
    }
    static bool CanWrite(const Name& path) { return CanWriteFileW(path); }
    static std::optional<Replacement> Prepare(const Name& path, std::string_view data) {
        return WinReplacement::Prepare(path, data);
    }
    static std::optional<Name> LockName(const Name& path) { return WinFileLock::NameFor(path); }
    static std::optional<Lock> Acquire(const Name& lockPath,
                                       std::chrono::steady_clock::time_point until) {
        return WinFileLock::Acquire(lockPath, until);
    }
};

class WinProfile : public BufferedProfile<WinFiles> {
public:
    using BufferedProfile::BufferedProfile;
};

}  // namespace tw
