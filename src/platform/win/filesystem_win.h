// Existence tests, directory enumeration and deletion on Windows. Paths are
// Shift-JIS and go to the "A" functions, whose code page is 932 on a
// Japanese system.
#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "core/filesystem.h"

namespace tw {

class WinFileSystem : public IFileSystem {
public:
    bool FileExists(std::string_view path) override;
    bool DirectoryExists(std::string_view path) override;
    // A folder, or a name the system opens as something other than a disk
    // file (a device such as "NUL" or "COM1", a pipe).
    bool IsSpecialFile(std::string_view path) override;
    // FindFirstFileA / FindNextFileA over `dir` + `mask` (a "\" is put
    // between them when `dir` does not end in a separator), with the native
    // attribute bits; "." and ".." are left out.
    std::vector<FindEntry> FindFiles(std::string_view dir, std::string_view mask) override;
    // DeleteFileA: a read-only file and a folder are refused by the system.
    bool DeleteFile(std::string_view path) override;
    // Read with CreateFileW under the path's UTF-16 name.
    std::optional<uint64_t> ContentStamp(std::string_view path) override;
};

}  // namespace tw
