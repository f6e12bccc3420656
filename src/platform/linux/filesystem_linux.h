// Existence tests, directory enumeration and deletion on Linux.
#pragma once

#include "platform/filesystem.h"

namespace tw {

class LinuxFileSystem : public IFileSystem {
public:
    bool FileExists(std::string_view path) override;
    bool DirectoryExists(std::string_view path) override;
    std::vector<FindEntry> FindFiles(std::string_view dir, std::string_view mask) override;
    bool DeleteFile(std::string_view path) override;
};

}  // namespace tw
