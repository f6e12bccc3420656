// Replacing a file's content in one step, so that a crash leaves either the
// old or the new file and never a truncated one.
#pragma once

#include <sys/stat.h>

#include <chrono>
#include <cstddef>
#include <limits>
#include <optional>
#include <string>
#include <string_view>

#include "core/bufferedprofile.h"

namespace tw {

// A file without any write permission bit counts as read-only, for root
// too: writing, deleting and the listing's attributes all go by this.
inline bool IsReadOnlyMode(mode_t mode) { return (mode & (S_IWUSR | S_IWGRP | S_IWOTH)) == 0; }

// The name a path finally stands for: symbolic links are followed one by
// one, a relative link against the folder of the link, and the last name of
// the chain need not exist (a dangling link names the file it would make).
// nullopt for a loop, a chain of more than 40 links or a link that cannot be
// read.
std::optional<std::string> ResolveLinks(const std::string& path);

// Whether `path` (UTF-8) may be written: a file that exists must be a
// regular file, writable and carry a write permission bit (a read-only file
// stays read-only even for root); its folder, or the folder of a new file,
// must exist and be writable. Symbolic links are followed.
bool CanWriteFile(const std::string& path);

// The new content of one file, written to a temporary file beside it and
// flushed to disk, waiting to be put in place. Dropping it uncommitted
// removes the temporary.
//
// Temporaries are named ".tw-" + 8 hex digits of a hash of the target's
// name + "-" + 16 random hex digits + ".tmp": 33 bytes, whatever the length
// of the target's name. Each is held under flock from its creation until it
// is renamed or removed, so one that can be locked was left by a save that
// was killed; Prepare removes those of its own target first.
class Replacement {
public:
    // Links in `path` are followed; the target keeps its permissions and, as
    // far as allowed, its owner. nullopt when the target is not a regular
    // file, cannot be written or the temporary cannot be written in full.
    // `failAfter` simulates a full disk after that many bytes and
    // `failFolderSync` a folder whose flush fails after the rename.
    static std::optional<Replacement> Prepare(
        const std::string& path, std::string_view data,
        std::size_t failAfter = std::numeric_limits<std::size_t>::max(),
        bool failFolderSync = false);

    Replacement(Replacement&& other) noexcept;
    Replacement& operator=(Replacement&& other) noexcept;
    Replacement(const Replacement&) = delete;
    Replacement& operator=(const Replacement&) = delete;
    ~Replacement();

    // Renames the temporary over the target, then flushes the folder. False
    // when the rename fails (the target is unchanged) or the folder's flush
    // does (the new content is in place but may not survive a crash).
    bool Commit();

private:
    Replacement() = default;
    void Release();

    int fd_ = -1;     // the temporary, locked
    int dirFd_ = -1;  // the folder of the target
    std::string tempName_, targetName_;
    bool failFolderSync_ = false;
};

// The lock that serialises the saves of one file across processes: flock
// on a lock file beside the file, so that the file itself can still be
// replaced by a rename. The lock file is named ".tw-" + the same 8 hex
// digits as the file's temporaries + ".lock" (17 bytes, never "*.ini"), in
// the folder of the file the links lead to, so every name of one file has
// one lock. The holder removes the lock file before it lets go; a waiter
// that then gets the lock of a removed file opens the name again.
class FileLock {
public:
    // The lock file's path for `path` (UTF-8); nullopt when its links
    // cannot be followed.
    static std::optional<std::string> NameFor(const std::string& path);
    // Tries for the lock every 10 ms until `until`. nullopt when the lock
    // file cannot be made or the lock is still held by then.
    static std::optional<FileLock> Acquire(const std::string& lockPath,
                                           std::chrono::steady_clock::time_point until);

    FileLock(FileLock&& other) noexcept;
    FileLock& operator=(FileLock&& other) noexcept;
    FileLock(const FileLock&) = delete;
    FileLock& operator=(const FileLock&) = delete;
    ~FileLock();

private:
    FileLock() = default;
    void Release();

    int fd_ = -1;
    std::string path_;
};

// Prepare and Commit in one.
bool WriteFileAtomically(const std::string& path, std::string_view data,
                         std::size_t failAfter = std::numeric_limits<std::size_t>::max());

// The whole content of a regular file, read without ever blocking on
// something that is not one.
ReadResult ReadWholeFile(const std::string& path, std::string& out);

}  // namespace tw
