// The private-profile service: reading and writing single keys of
// initialisation files, named by their full Shift-JIS path.
#pragma once

#include <cstddef>
#include <optional>
#include <span>
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

    // Brings several files up to date as one, for a change that spans them:
    // every file with pending changes is first written out and made durable
    // beside itself, and only when all of them are does any replace its
    // original, in the order given. All are let go afterwards. nullopt when
    // every file was replaced; otherwise the index in `paths` of the file
    // that failed, with the pending changes of all of them dropped and, when
    // the failure came before the first replacement, every file unchanged.
    virtual std::optional<std::size_t> FlushTogether(std::span<const std::string_view> paths) = 0;

    // Drops the pending changes of a file without writing them.
    virtual void Discard(std::string_view path) = 0;
};

}  // namespace tw
