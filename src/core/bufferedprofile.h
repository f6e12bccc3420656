// The private-profile service's rules over any platform's files: each file
// is read whole into an IniDocument on its first access and read there; the
// keys written are recorded, and at the flush they are applied to the file
// as it is on disk then, under the file's lock, and the result written back
// whole, in one atomic replacement.
#pragma once

#include <algorithm>
#include <chrono>
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
//   Lock                      an exclusive lock across processes, held
//                             until it is destroyed;
//   Convert(sjis)             the Name of a Shift-JIS path, or nullopt;
//   ReadWhole(name, bytes)    a ReadResult;
//   CanWrite(name)            whether the file may be replaced;
//   Prepare(name, data)       an optional<Replacement>;
//   LockName(name)            the Name of the file's lock file (the same for
//                             every name of one file), or nullopt;
//   Acquire(lockName, until)  an optional<Lock>: nullopt when the lock file
//                             cannot be made or the lock not had by `until`.
template <class Files>
class BufferedProfile : public IProfile {
public:
    using Name = typename Files::Name;
    using Replacement = typename Files::Replacement;
    using Lock = typename Files::Lock;
    // Writes a file's new content beside it, ready to be put in place;
    // tests pass a failing one.
    using Preparer = std::function<std::optional<Replacement>(const Name&, std::string_view)>;

    BufferedProfile() : prepare_(&Files::Prepare) {}
    explicit BufferedProfile(Preparer prepare) : prepare_(std::move(prepare)) {}

    // How long a flush waits for the locks of its files.
    void SetLockWait(std::chrono::milliseconds wait) { lockWait_ = wait; }

    Value ReadValue(std::string_view path, std::string_view section, std::string_view key,
                    std::string_view def) override {
        Value v;
        if (auto text = Load(path).doc.Get(section, key, &v.cut)) v.text = std::move(*text);
        else v.text = std::string(def.substr(0, kMaxProfileValue));
        return v;
    }

    bool Write(std::string_view path, std::string_view section, std::string_view key,
               std::string_view value) override {
        Open& file = Load(path);
        if (!file.checked) {
            file.writable = file.mayWrite && file.name && Files::CanWrite(*file.name);
            file.checked = true;
        }
        if (!file.writable || !file.doc.Set(section, key, value)) return false;
        file.changes.push_back({std::string(section), std::string(key), std::string(value)});
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
            if (!it->second.changes.empty()) files.emplace_back(i, std::move(it->second));
            open_.erase(it);
        }
        if (files.empty()) return std::nullopt;

        // The locks of the files to write, each once, in the order of their
        // names, so that two saves of overlapping files never wait for each
        // other. One that cannot be had in time fails the save untouched.
        std::vector<std::pair<Name, std::size_t>> lockNames;
        for (auto& [i, file] : files) {
            std::optional<Name> name = Files::LockName(*file.name);
            if (!name) return i;
            lockNames.emplace_back(std::move(*name), i);
        }
        std::sort(lockNames.begin(), lockNames.end());
        lockNames.erase(std::unique(lockNames.begin(), lockNames.end(),
                                    [](const auto& a, const auto& b) { return a.first == b.first; }),
                        lockNames.end());
        const auto until = std::chrono::steady_clock::now() + lockWait_;
        std::vector<Lock> held;
        for (const auto& [name, i] : lockNames) {
            std::optional<Lock> lock = Files::Acquire(name, until);
            if (!lock) return i;
            held.push_back(std::move(*lock));
        }

        // Under the locks, each file is read afresh and the recorded changes
        // applied to it, so that keys another save wrote since this one first
        // read the file are kept. Every new content is written out and
        // flushed beside its file; a failure here drops the temporaries made
        // so far and changes nothing.
        std::vector<std::pair<std::size_t, Replacement>> ready;
        for (auto& [i, file] : files) {
            std::string bytes;
            const ReadResult read = Files::ReadWhole(*file.name, bytes);
            if (read != ReadResult::Read && read != ReadResult::Absent) return i;
            IniDocument doc = read == ReadResult::Read ? IniDocument(std::move(bytes)) : IniDocument();
            for (const Change& c : file.changes)
                if (!doc.Set(c.section, c.key, c.value)) return i;
            std::optional<Replacement> r = prepare_(*file.name, doc.Serialize());
            if (!r) return i;
            ready.emplace_back(i, std::move(*r));
        }
        // Then the replacements, in order. Only a replacement itself (or the
        // folder's flush after it) can fail now: the files before it are
        // replaced and the rest unchanged, each one whole. The locks go last.
        for (auto& [i, r] : ready)
            if (!r.Commit()) return i;
        return std::nullopt;
    }

    void Discard(std::string_view path) override {
        auto it = open_.find(path);
        if (it != open_.end()) open_.erase(it);
    }

private:
    struct Change {
        std::string section, key, value;
    };
    struct Open {
        IniDocument doc;  // as first read, with the changes applied
        std::optional<Name> name;  // none when the path cannot be converted
        std::vector<Change> changes;  // in the order they were written
        // Only a regular file that was read, or nothing at all, may be
        // written: anything else would be replaced by just the keys written.
        bool mayWrite = false;
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
    std::chrono::milliseconds lockWait_{5000};
    std::map<std::string, Open, std::less<>> open_;
};

}  // namespace tw
