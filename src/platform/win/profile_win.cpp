#include "platform/win/profile_win.h"

#include <cstring>

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

}  // namespace tw
