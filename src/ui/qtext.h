// Conversion of the model's Shift-JIS strings at the user-interface boundary.
#pragma once

#include <QString>

#include <optional>
#include <string>
#include <string_view>

#include "core/text.h"

namespace tw {

// For display: bytes that are not Shift-JIS are shown as \xNN, never dropped.
inline QString ToQ(std::string_view sjis) {
    if (auto utf8 = TrySjisToUtf8(sjis)) return QString::fromStdString(*utf8);
    return QString::fromStdString(SjisToUtf8ForDisplay(sjis));
}

// Text typed or picked by the user; nullopt when it has characters that
// Shift-JIS cannot hold.
inline std::optional<std::string> FromQ(const QString& text) {
    return TryUtf8ToSjis(text.toStdString());
}

// As FromQ, but throws ConversionError with a message naming the text.
inline std::string FromQOrThrow(const QString& text) { return Utf8ToSjis(text.toStdString()); }

}  // namespace tw
