#include "platform/linux/profile_linux.h"

#include <utility>
#include <vector>

#include "core/text.h"

namespace tw {

LinuxProfile::LinuxProfile()
    : LinuxProfile([](const std::string& p, std::string_view d) { return Replacement::Prepare(p, d); }) {}

LinuxProfile::LinuxProfile(Preparer prepare) : prepare_(std::move(prepare)) {}

LinuxProfile::Open& LinuxProfile::Load(std::string_view path) {
    auto it = open_.find(path);
    if (it != open_.end()) return it->second;
    Open file;
    if (auto fsPath = TrySjisToUtf8(path)) {
        file.fsPath = std::move(*fsPath);
        std::string bytes;
        const ReadResult read =
            file.fsPath.empty() ? ReadResult::Absent : ReadWholeFile(file.fsPath, bytes);
        if (read == ReadResult::Read) file.doc = IniDocument(std::move(bytes));
        file.mayWrite = read == ReadResult::Read || read == ReadResult::Absent;
    }
    return open_.emplace(std::string(path), std::move(file)).first->second;
}

std::string LinuxProfile::Read(std::string_view path, std::string_view section,
                               std::string_view key, std::string_view def) {
    if (auto v = Load(path).doc.Get(section, key)) return std::move(*v);
    return std::string(def.substr(0, kMaxProfileValue));
}

bool LinuxProfile::Write(std::string_view path, std::string_view section, std::string_view key,
                         std::string_view value) {
    Open& file = Load(path);
    if (!file.checked) {
        file.writable = file.mayWrite && !file.fsPath.empty() && CanWriteFile(file.fsPath);
        file.checked = true;
    }
    if (!file.writable || !file.doc.Set(section, key, value)) return false;
    file.dirty = true;
    return true;
}

bool LinuxProfile::Flush(std::string_view path) {
    const std::string_view one[] = {path};
    return !FlushTogether(one);
}

std::optional<std::size_t> LinuxProfile::FlushTogether(std::span<const std::string_view> paths) {
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
        std::optional<Replacement> r = prepare_(file.fsPath, file.doc.Serialize());
        if (!r) return i;
        ready.emplace_back(i, std::move(*r));
    }
    // Then the renames, in order. Only a rename itself, or the folder's
    // flush after it, can fail now: the files before it are replaced and the
    // rest unchanged, each one whole.
    for (auto& [i, r] : ready)
        if (!r.Commit()) return i;
    return std::nullopt;
}

void LinuxProfile::Discard(std::string_view path) {
    auto it = open_.find(path);
    if (it != open_.end()) open_.erase(it);
}

}  // namespace tw
