// The private-profile service on Linux: the shared rules (bufferedprofile.h)
// over files named by their UTF-8 paths, read without blocking and replaced
// atomically (atomic_file.h).
#pragma once

#include <optional>
#include <string>
#include <string_view>

#include "core/bufferedprofile.h"
#include "core/text.h"
#include "platform/linux/atomic_file.h"

namespace tw {

struct LinuxFiles {
    using Name = std::string;  // UTF-8
    using Replacement = tw::Replacement;
    using Lock = FileLock;
    static std::optional<Name> Convert(std::string_view sjis) { return TrySjisToUtf8(sjis); }
    static ReadResult ReadWhole(const Name& path, std::string& bytes) {
        return ReadWholeFile(path, bytes);
    }
    static bool CanWrite(const Name& path) { return CanWriteFile(path); }
    static std::optional<Replacement> Prepare(const Name& path, std::string_view data) {
        return Replacement::Prepare(path, data);
    }
    static std::optional<Name> LockName(const Name& path) { return FileLock::NameFor(path); }
    static std::optional<Lock> Acquire(const Name& lockPath,
                                       std::chrono::steady_clock::time_point until) {
        return FileLock::Acquire(lockPath, until);
    }
};

class LinuxProfile : public BufferedProfile<LinuxFiles> {
public:
    using BufferedProfile::BufferedProfile;
};

}  // namespace tw
