#include "platform/linux/filesystem_linux.h"

#include <sys/stat.h>
#include <unistd.h>

#include "core/text.h"

namespace tw {

bool LinuxFileSystem::FileExists(std::string_view path) {
    auto p = TrySjisToUtf8(path);
    struct stat st;
    return p && stat(p->c_str(), &st) == 0 && !S_ISDIR(st.st_mode);
}

bool LinuxFileSystem::DirectoryExists(std::string_view path) {
    auto p = TrySjisToUtf8(path);
    struct stat st;
    return p && stat(p->c_str(), &st) == 0 && S_ISDIR(st.st_mode);
}

// Placeholder until the chooser lands.
std::vector<FindEntry> LinuxFileSystem::FindFiles(std::string_view, std::string_view) { return {}; }

bool LinuxFileSystem::DeleteFile(std::string_view path) {
    auto p = TrySjisToUtf8(path);
    return p && unlink(p->c_str()) == 0;
}

}  // namespace tw
