// The private-profile service on Windows: the same parser and rules as
// everywhere (IniDocument), on files read with CreateFileW and replaced
// whole (atomic_file_win.h). Shift-JIS paths are converted from code page
// 932 to UTF-16; a path that does not convert is neither read nor written.
#pragma once

#include <functional>
#include <map>
#include <optional>
#include <string>

#include "core/inifile.h"
#include "core/profile.h"
#include "platform/win/atomic_file_win.h"

namespace tw {

class WinProfile : public IProfile {
public:
    // `prepare` writes a file's new content beside it, ready to be put in
    // place; tests pass a failing one.
    using Preparer = std::function<std::optional<WinReplacement>(const std::wstring& path,
                                                                 std::string_view data)>;
    WinProfile();
    explicit WinProfile(Preparer prepare);

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
        std::wstring wide;  // empty when the name cannot be converted
        // Only a disk file that was read, or nothing at all, may be written:
        // anything else would be replaced by just the keys written.
        bool mayWrite = false;
        bool dirty = false;
        bool writable = false;
        bool checked = false;
    };
    Open& Load(std::string_view path);

    Preparer prepare_;
    std::map<std::string, Open, std::less<>> open_;
};

// The UTF-16 form of a Shift-JIS path, or nullopt when it has a character
// code page 932 does not define, or a NUL.
std::optional<std::wstring> WidePath(std::string_view sjis);

}  // namespace tw
