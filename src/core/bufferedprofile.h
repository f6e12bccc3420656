// The private-profile service's rules over any platform's files: each file
// is read whole into an IniDocument on its first access, read and changed
// there, and written back whole, in one atomic replacement, when flushed.
#pragma once

#include <cstddef>
#include <functional>
#include <map>
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "core/inifile.h"
#include "core/profile.h"

namespace tw {

// What reading a whole file found.
enum class ReadResult {
    Read,        // the content was read
    Absent,      // nothing is there (a new file)
    NotRegular,  // a folder, FIFO, device or socket: never read
    Unreadable,  // there, but cannot be opened or read
};

// `Files` is a platform's file access:
//   Name                      the platform's form of a path;
//   Replacement               new content written and flushed beside its
//                             file, with bool Commit() putting it in place;
//   Convert(sjis)             the Name of a Shift-JIS path, or nullopt;
//   ReadWhole(name, bytes)    a ReadResult;
//   CanWrite(name)            whether the file may be replaced;
//   Prepare(name, data)       an optional<Replacement>.
template <class Files>
class BufferedProfile : public IProfile {
public:
    using Name = typename Files::Name;
    using Replacement = typename Files::Replacement;
    // Writes a file's new content beside it, ready to be put in place;
    // tests pass a failing one.
    using Preparer = std::function<std::optional<Replacement>(const Name&, std::string_view)>;

    BufferedProfile() : prepare_(&Files::Prepare) {}
    explicit BufferedProfile(Preparer prepare) : prepare_(std::move(prepare)) {}

    std::string Read(std::string_view path, std::string_view section, std::string_view key,
                     std::string_view def) override {
        if (auto v = Load(path).doc.Get(section, key)) return std::move(*v);
        return std::string(def.substr(0, kMaxProfileValue));
    }

    bool Write(std::string_view path, std::string_view section, std::string_view key,
               std::string_view value) override {
        Open& file = Load(path);
        if (!file.checked) {
            file.writable = file.mayWrite && file.name && Files::CanWrite(*file.name);
            file.checked = true;
        }
        if (!file.writable || !file.doc.Set(section, key, value)) return false;
        file.dirty = true;
        return true;
    }

    bool Flush(std::string_view path) override {
        const std::string_view one[] = {path};
        return !FlushTogether(one);
    }

    std::optional<std::size_t> FlushTogether(std::span<const std::string_view> paths) override {
        // Every file is let go, whatever happens below.
        std::vector<std::pair<std::size_t, Open>> files;
        for (std::size_t i = 0; i < paths.size(); ++i) {
            auto it = open_.find(paths[i]);
            if (it == open_.end()) continue;  // untouched, or named twice
            files.emplace_back(i, std::move(it->second));
            open_.erase(it);
        }
        // First every new content, written out and flushed beside its file; a
        // failure here drops the temporaries made so far and changes nothing.
        std::vector<std::pair<std::size_t, Replacement>> ready;
        for (auto& [i, file] : files) {
            if (!file.dirty) continue;
            std::optional<Replacement> r = prepare_(*file.name, file.doc.Serialize());
            if (!r) return i;
            ready.emplace_back(i, std::move(*r));
        }
        // Then the replacements, in order. Only a replacement itself (or the
        // folder's flush after it) can fail now: the files before it are
        // replaced and the rest unchanged, each one whole.
        for (auto& [i, r] : ready)
            if (!r.Commit()) return i;
        return std::nullopt;
    }

    void Discard(std::string_view path) override {
        auto it = open_.find(path);
        if (it != open_.end()) open_.erase(it);
    }

private:
    struct Open {
        IniDocument doc;
        std::optional<Name> name;  // none when the path cannot be converted
        // Only a regular file that was read, or nothing at all, may be
        // written: anything else would be replaced by just the keys written.
        bool mayWrite = false;
        bool dirty = false;
        bool writable = false;
        bool checked = false;
    };

    Open& Load(std::string_view path) {
        auto it = open_.find(path);
        if (it != open_.end()) return it->second;
        Open file;
        if (!path.empty()) file.name = Files::Convert(path);
        if (file.name) {
            std::string bytes;
            const ReadResult read = Files::ReadWhole(*file.name, bytes);
            if (read == ReadResult::Read) file.doc = IniDocument(std::move(bytes));
            file.mayWrite = read == ReadResult::Read || read == ReadResult::Absent;
        }
        return open_.emplace(std::string(path), std::move(file)).first->second;
    }

    Preparer prepare_;
    std::map<std::string, Open, std::less<>> open_;
};

}  // namespace tw
