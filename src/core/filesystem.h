// File-system services: existence tests, directory enumeration and deletion.
#pragma once

#include <cstdint>
#include <optional>
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

// A 64-bit digest of a file's bytes (FNV-1a over the bytes and their
// count), to tell whether the file changed since it was last seen.
inline uint64_t StampOf(std::string_view bytes) {
    uint64_t h = 14695981039346656037ull;
    const auto mix = [&h](unsigned char c) { h = (h ^ c) * 1099511628211ull; };
    for (unsigned char c : bytes) mix(c);
    for (uint64_t n = bytes.size(), k = 0; k < 8; ++k, n >>= 8) mix(static_cast<unsigned char>(n));
    return h;
}

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
    // StampOf the content of the regular file at `path`, links followed;
    // nullopt when there is none or it cannot be read.
    virtual std::optional<uint64_t> ContentStamp(std::string_view path) = 0;
};

}  // namespace tw
