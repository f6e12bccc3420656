#include "platform/linux/profile_linux.h"

#include "core/text.h"
#include "platform/linux/atomic_file.h"

namespace tw {

LinuxProfile::LinuxProfile()
    : LinuxProfile([](const std::string& p, std::string_view d) { return WriteFileAtomically(p, d); }) {}

LinuxProfile::LinuxProfile(Writer writer) : writer_(std::move(writer)) {}

LinuxProfile::Open& LinuxProfile::Load(std::string_view path) {
    auto it = open_.find(path);
    if (it != open_.end()) return it->second;
    Open file;
    if (auto fsPath = TrySjisToUtf8(path)) {
        file.fsPath = std::move(*fsPath);
        std::string bytes;
        if (!file.fsPath.empty() && ReadWholeFile(file.fsPath, bytes))
            file.doc = IniDocument(std::move(bytes));
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
        file.writable = !file.fsPath.empty() && CanWriteFile(file.fsPath);
        file.checked = true;
    }
    if (!file.writable || !file.doc.Set(section, key, value)) return false;
    file.dirty = true;
    return true;
}

bool LinuxProfile::Flush(std::string_view path) {
    auto it = open_.find(path);
    if (it == open_.end()) return true;
    bool ok = true;
    if (it->second.dirty) ok = writer_(it->second.fsPath, it->second.doc.Serialize());
    open_.erase(it);
    return ok;
}

void LinuxProfile::Discard(std::string_view path) {
    auto it = open_.find(path);
    if (it != open_.end()) open_.erase(it);
}

}  // namespace tw
