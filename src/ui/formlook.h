// What the windows share: the designed font and the colour encoding of the
// settings files (lowest byte red, then green, then blue).
#pragma once

#include <QColor>
#include <QFont>

#include <cstdint>

namespace tw {

// "ＭＳ Ｐゴシック", 12 pixels high.
inline QFont DesignFont() {
    QFont font(QStringLiteral("ＭＳ Ｐゴシック"));
    font.setPixelSize(12);
    return font;
}

inline QColor ToQColor(uint32_t value) {
    return QColor(value & 0xFF, (value >> 8) & 0xFF, (value >> 16) & 0xFF);
}

inline uint32_t FromQColor(const QColor& c) {
    return static_cast<uint32_t>(c.red()) | static_cast<uint32_t>(c.green()) << 8 |
           static_cast<uint32_t>(c.blue()) << 16;
}

}  // namespace tw
