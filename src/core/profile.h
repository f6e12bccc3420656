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
    // value and one pair of enclosing quotes are dropped; at most 2047 bytes,
    // ending at the first NUL byte.
    std::string Read(std::string_view path, std::string_view section, std::string_view key,
                     std::string_view def) {
        return ReadValue(path, section, key, def).text;
    }

    // As Read, and whether the value in the file was longer than 2047 bytes
    // and so was cut: such a value is not what the file says.
    struct Value {
        std::string text;
        bool cut = false;
    };
    virtual Value ReadValue(std::string_view path, std::string_view section,
                            std::string_view key, std::string_view def) = 0;

    // Records [section] key = value, creating file, section and key as
    // needed. The change is held until Flush; false when the file cannot
    // take it.
    virtual bool Write(std::string_view path, std::string_view section,
                       std::string_view key, std::string_view value) = 0;

    // Brings the file on disk up to date in one atomic replacement and lets
    // go of it, so the next access reads it afresh. The changes recorded
    // since the file was taken are applied, in their order, to the file as
    // it is on disk at this moment, under a lock that other saves of the same
    // file (in this process or another) wait for, from that fresh read until
    // the new file is in place: a key another save wrote meanwhile is kept.
    // False when the file could not be written, or its lock not had within a
    // few seconds; its pending changes are dropped then.
    virtual bool Flush(std::string_view path) = 0;

    // Brings several files up to date as one, for a change that spans them:
    // the locks of all files with pending changes are taken (in an order of
    // their own, the same for every save, so two saves never wait for each
    // other), every such file is first written out and made durable beside
    // itself, and only when all of them are does any replace its original,
    // in the order given. All are let go afterwards. nullopt when
    // every file was replaced; otherwise the index in `paths` of the file
    // that failed, with the pending changes of all of them dropped and, when
    // the failure came before the first replacement, every file unchanged.
    virtual std::optional<std::size_t> FlushTogether(std::span<const std::string_view> paths) = 0;

    // Drops the pending changes of a file without writing them.
    virtual void Discard(std::string_view path) = 0;
};

}  // namespace tw
