// The private-profile service on Linux.
#pragma once

#include <functional>
#include <map>
#include <optional>
#include <string>

#include "core/inifile.h"
#include "platform/linux/atomic_file.h"
#include "core/profile.h"

namespace tw {

class LinuxProfile : public IProfile {
public:
    // `prepare` writes a file's new content beside it (UTF-8 path), ready to
    // be put in place; tests pass a failing one.
    using Preparer =
        std::function<std::optional<Replacement>(const std::string& path, std::string_view data)>;
    LinuxProfile();
    explicit LinuxProfile(Preparer prepare);

    std::string Read(std::string_view path, std::string_view section, std::string_view key,
                     std::string_view def) override;
    bool Write(std::string_view path, std::string_view section, std::string_view key,
               std::string_view value) override;
    bool Flush(std::string_view path) override;
    std::optional<std::size_t> FlushTogether(std::span<const std::string_view> paths) override;
    void Discard(std::string_view path) override;

private:
    struct Open {
        IniDocument doc;
        std::string fsPath;  // UTF-8, empty when the name cannot be converted
        // Only a regular file that was read, or nothing at all, may be
        // written: anything else would be replaced by just the keys written.
        bool mayWrite = false;
        bool dirty = false;
        bool writable = false;
        bool checked = false;
    };
    Open& Load(std::string_view path);

    Preparer prepare_;
    std::map<std::string, Open, std::less<>> open_;
};

}  // namespace tw
