#include "platform/win/profile_win.h"

#include <cstring>
#include <utility>
#include <vector>

#include "core/text.h"

namespace tw {

std::optional<std::wstring> WidePath(std::string_view sjis) {
    if (sjis.find('\0') != std::string_view::npos) return std::nullopt;
    const std::optional<std::string> units = TrySjisToUtf16Le(sjis);
    if (!units) return std::nullopt;
    std::wstring wide(units->size() / 2, L'\0');
    std::memcpy(wide.data(), units->data(), wide.size() * sizeof(wchar_t));
    return wide;
}

WinProfile::WinProfile()
    : WinProfile([](const std::wstring& p, std::string_view d) { return WinReplacement::Prepare(p, d); }) {}

WinProfile::WinProfile(Preparer prepare) : prepare_(std::move(prepare)) {}

WinProfile::Open& WinProfile::Load(std::string_view path) {
    auto it = open_.find(path);
    if (it != open_.end()) return it->second;
    Open file;
    if (auto wide = WidePath(path)) {
        file.wide = std::move(*wide);
        std::string bytes;
        const WinReadResult read =
            file.wide.empty() ? WinReadResult::Absent : ReadWholeFileW(file.wide, bytes);
        if (read == WinReadResult::Read) file.doc = IniDocument(std::move(bytes));
        file.mayWrite = read == WinReadResult::Read || read == WinReadResult::Absent;
    }
    return open_.emplace(std::string(path), std::move(file)).first->second;
}

std::string WinProfile::Read(std::string_view path, std::string_view section, std::string_view key,
                             std::string_view def) {
    if (auto v = Load(path).doc.Get(section, key)) return std::move(*v);
    return std::string(def.substr(0, kMaxProfileValue));
}

bool WinProfile::Write(std::string_view path, std::string_view section, std::string_view key,
                       std::string_view value) {
    Open& file = Load(path);
    if (!file.checked) {
        file.writable = file.mayWrite && !file.wide.empty() && CanWriteFileW(file.wide);
        file.checked = true;
    }
    if (!file.writable || !file.doc.Set(section, key, value)) return false;
    file.dirty = true;
    return true;
}

bool WinProfile::Flush(std::string_view path) {
    const std::string_view one[] = {path};
    return !FlushTogether(one);
}

std::optional<std::size_t> WinProfile::FlushTogether(std::span<const std::string_view> paths) {
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
    std::vector<std::pair<std::size_t, WinReplacement>> ready;
    for (auto& [i, file] : files) {
        if (!file.dirty) continue;
        std::optional<WinReplacement> r = prepare_(file.wide, file.doc.Serialize());
        if (!r) return i;
        ready.emplace_back(i, std::move(*r));
    }
    // Then the replacements, in order: the files before a failed one are
    // replaced and the rest unchanged, each one whole.
    for (auto& [i, r] : ready)
        if (!r.Commit()) return i;
    return std::nullopt;
}

void WinProfile::Discard(std::string_view path) {
    auto it = open_.find(path);
    if (it != open_.end()) open_.erase(it);
}

}  // namespace tw
