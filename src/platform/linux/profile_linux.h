// The private-profile service on Linux.
#pragma once

#include <functional>
#include <map>
#include <string>

#include "core/inifile.h"
#include "platform/profile.h"

namespace tw {

class LinuxProfile : public IProfile {
public:
    // `writer` replaces a file's content (UTF-8 path); tests pass a failing one.
    using Writer = std::function<bool(const std::string& path, std::string_view data)>;
    LinuxProfile();
    explicit LinuxProfile(Writer writer);

    std::string Read(std::string_view path, std::string_view section, std::string_view key,
                     std::string_view def) override;
    bool Write(std::string_view path, std::string_view section, std::string_view key,
               std::string_view value) override;
    bool Flush(std::string_view path) override;
    void Discard(std::string_view path) override;

private:
    struct Open {
        IniDocument doc;
        std::string fsPath;  // UTF-8, empty when the name cannot be converted
        bool dirty = false;
        bool writable = false;
        bool checked = false;
    };
    Open& Load(std::string_view path);

    Writer writer_;
    std::map<std::string, Open, std::less<>> open_;
};

}  // namespace tw
