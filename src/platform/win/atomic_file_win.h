// Reading a file whole and replacing its content in one step on Windows, so
// that a crash leaves either the old or the new file and never a truncated
// one. Paths are UTF-16.
#pragma once

#include <chrono>
#include <optional>
#include <string>
#include <string_view>

#include "core/bufferedprofile.h"

namespace tw {

// The whole content of a disk file (CreateFileW, ReadFile).
ReadResult ReadWholeFileW(const std::wstring& path, std::string& out);

// Whether `path` may be written: a file that is there is a disk file, not
// read-only and opens for writing; its folder exists.
bool CanWriteFileW(const std::wstring& path);

// The new content of one file, written to a temporary file in the same
// folder and flushed to disk (FlushFileBuffers), waiting to be put in place
// with MoveFileExW(MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH).
// Dropping it uncommitted removes the temporary.
//
// Temporaries are named ".tw-" + 8 hex digits of a hash of the target's
// name + "-" + 16 random hex digits + ".tmp", and are held open without
// sharing until they are committed, so no other process can delete one that
// is being written. Prepare deletes those of its own target that it can: a
// save that was killed left them.
class WinReplacement {
public:
    // The target keeps its hidden and system attributes. nullopt when the
    // target cannot be written or the temporary cannot be written in full.
    static std::optional<WinReplacement> Prepare(const std::wstring& path, std::string_view data);

    WinReplacement(WinReplacement&& other) noexcept;
    WinReplacement& operator=(WinReplacement&& other) noexcept;
    WinReplacement(const WinReplacement&) = delete;
    WinReplacement& operator=(const WinReplacement&) = delete;
    ~WinReplacement();

    // Puts the temporary in the target's place; false when that fails, the
    // target being unchanged then.
    bool Commit();

private:
    WinReplacement() = default;
    void Release();

    void* handle_ = nullptr;  // the temporary, open for writing
    std::wstring temp_, target_;
};

// The lock that serialises the saves of one file across processes:
// LockFileEx on a lock file in the same folder, so that the file itself can
// still be replaced. The lock file is named ".tw-" + the same 8 hex digits
// as the file's temporaries + ".lock" (never "*.ini"), made hidden, and stays
// in the folder: removing it while another save waits for it would race.
class WinFileLock {
public:
    static std::wstring NameFor(const std::wstring& path);
    // Tries for the lock every 10 ms until `until`. nullopt when the lock
    // file cannot be opened or the lock is still held by then.
    static std::optional<WinFileLock> Acquire(const std::wstring& lockPath,
                                              std::chrono::steady_clock::time_point until);

    WinFileLock(WinFileLock&& other) noexcept;
    WinFileLock& operator=(WinFileLock&& other) noexcept;
    WinFileLock(const WinFileLock&) = delete;
    WinFileLock& operator=(const WinFileLock&) = delete;
    ~WinFileLock();

private:
    WinFileLock() = default;
    void Release();

    void* handle_ = nullptr;  // the lock file, its first byte locked
};

}  // namespace tw
