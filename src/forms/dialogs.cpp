#include "forms/dialogs.h"

#include "core/text.h"

namespace tw {

std::string ErrorBoxText(std::string_view utf8) {
    std::string text(utf8);
    if (text.empty()) return text;
    const unsigned char last = static_cast<unsigned char>(text.back());
    // A byte of 0x80 or more ends a character beyond ASCII, which sorts after ".".
    if (last >= 0x80 || last > '.') text += '.';
    return text;
}

std::string DisplayUtf8(std::string_view sjis) {
    if (auto utf8 = TrySjisToUtf8(sjis)) return *utf8;
    return SjisToUtf8ForDisplay(sjis);
}

}  // namespace tw
