// The private-profile service: reading and writing single keys of
// initialisation files, named by their full Shift-JIS path.
#pragma once

#include <string>
#include <string_view>

namespace tw {

class IProfile {
public:
    virtual ~IProfile() = default;

    // The value of [section] key, or `def` when the file, the section or the
    // key is absent. Names compare without regard to case; blanks around the
    // value and one pair of enclosing quotes are dropped; at most 2047 bytes.
    virtual std::string Read(std::string_view path, std::string_view section,
                             std::string_view key, std::string_view def) = 0;

    // Sets [section] key = value, creating file, section and key as needed.
    // The change is held until Flush; false when the file cannot take it.
    virtual bool Write(std::string_view path, std::string_view section,
                       std::string_view key, std::string_view value) = 0;

    // Brings the file on disk up to date in one atomic replacement and lets
    // go of it, so the next access reads it afresh. False when the file
    // could not be written; its pending changes are dropped then.
    virtual bool Flush(std::string_view path) = 0;

    // Drops the pending changes of a file without writing them.
    virtual void Discard(std::string_view path) = 0;
};

}  // namespace tw
