// File-system services: existence tests, directory enumeration and deletion.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace tw {

// Attribute bits as the enumeration reports them.
enum : uint32_t {
    kAttrReadOnly = 0x01,
    kAttrHidden = 0x02,
    kAttrSystem = 0x04,
    kAttrVolume = 0x08,
    kAttrDirectory = 0x10,
    kAttrArchive = 0x20,
    kAttrNormal = 0x80,
};

struct FindEntry {
    std::string name;  // Shift-JIS, no directory
    uint32_t attributes = 0;
};

class IFileSystem {
public:
    virtual ~IFileSystem() = default;
    virtual bool FileExists(std::string_view path) = 0;
    virtual bool DirectoryExists(std::string_view path) = 0;
    // Whether something other than a regular file is at `path`, links
    // followed: a folder, a FIFO, a device or a socket.
    virtual bool IsSpecialFile(std::string_view path) = 0;
    // The entries of `dir` whose names match `mask` ("*.ini"), in the order
    // the enumeration yields them. An error ends the enumeration: what was
    // found before it is returned.
    virtual std::vector<FindEntry> FindFiles(std::string_view dir, std::string_view mask) = 0;
    virtual bool DeleteFile(std::string_view path) = 0;
};

}  // namespace tw
