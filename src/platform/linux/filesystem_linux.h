// Existence tests, directory enumeration and deletion on Linux.
#pragma once

#include <string>
#include <string_view>

#include "core/filesystem.h"

namespace tw {

class LinuxFileSystem : public IFileSystem {
public:
    bool FileExists(std::string_view path) override;
    bool DirectoryExists(std::string_view path) override;
    bool IsSpecialFile(std::string_view path) override;
    // Entries of `dir` (Shift-JIS, with or without a trailing "/") whose
    // names match `mask`, in NameLess order.
    // Attribute bits: a directory carries kAttrDirectory; a regular file
    // kAttrArchive, plus kAttrReadOnly when it has no write permission bit
    // and kAttrHidden when its name starts with "."; a symbolic link counts
    // as what it points to; anything else (sockets, FIFOs, devices, dangling
    // links) carries no bit. "." and ".." and names that Shift-JIS cannot
    // hold are left out.
    std::vector<FindEntry> FindFiles(std::string_view dir, std::string_view mask) override;
    // Removes a file. A directory and a read-only file (see FindFiles) are
    // refused, as is anything whose path cannot be converted.
    bool DeleteFile(std::string_view path) override;
    std::optional<uint64_t> ContentStamp(std::string_view path) override;
};

// "*" matches any run of characters, "?" exactly one; letters compare
// without regard to ASCII case. Both texts are Shift-JIS: a double-byte
// character is one character and its second byte is never a letter.
bool MatchesMask(std::string_view name, std::string_view mask);

// The order of the enumeration, as a case-insensitive file system keeps its
// directories: UTF-8 names compared by code point with the ASCII letters in
// upper case ("_" after "Z", "亜" before "Ａ"); names equal but for case fall
// back to plain code-point order.
bool NameLess(std::string_view utf8a, std::string_view utf8b);

}  // namespace tw
