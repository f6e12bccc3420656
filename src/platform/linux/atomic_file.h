// Replacing a file's content in one step, so that a crash leaves either the
// old or the new file and never a truncated one.
#pragma once

#include <sys/stat.h>

#include <cstddef>
#include <limits>
#include <string>
#include <string_view>

namespace tw {

// A file without any write permission bit counts as read-only, for root
// too: writing, deleting and the listing's attributes all go by this.
inline bool IsReadOnlyMode(mode_t mode) { return (mode & (S_IWUSR | S_IWGRP | S_IWOTH)) == 0; }

// Whether `path` (UTF-8) may be written: a file that exists must be writable
// and carry a write permission bit (a read-only file stays read-only even
// for root); its folder, or the folder of a new file, must exist and be
// writable. Symbolic links are followed.
bool CanWriteFile(const std::string& path);

// Writes `data` to a temporary file beside the real target of `path`, makes
// it durable and renames it over the target, keeping the target's
// permissions. `failAfter` simulates a full disk after that many bytes.
bool WriteFileAtomically(const std::string& path, std::string_view data,
                         std::size_t failAfter = std::numeric_limits<std::size_t>::max());

// The whole content of a file; false when it cannot be read.
bool ReadWholeFile(const std::string& path, std::string& out);

}  // namespace tw
