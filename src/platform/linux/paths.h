// Parts of a file-system path (UTF-8, "/" separated).
#pragma once

#include <string>

namespace tw {

// The folder that holds `path`: "/" for a name right under the root, "."
// for a name without any folder.
inline std::string FolderOf(const std::string& path) {
    const std::size_t slash = path.rfind('/');
    if (slash == std::string::npos) return ".";
    if (slash == 0) return "/";
    return path.substr(0, slash);
}

// The last part of `path`, after its last "/".
inline std::string NameOf(const std::string& path) {
    const std::size_t slash = path.rfind('/');
    return slash == std::string::npos ? path : path.substr(slash + 1);
}

}  // namespace tw
