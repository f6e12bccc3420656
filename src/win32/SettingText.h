// The settings editor's texts between the controls (UTF-16) and the model
// (Shift-JIS) or the presenter's typed text (UTF-8).
#pragma once

#include <cstring>
#include <string>
#include <string_view>

#include "core/codec.h"
#include "core/text.h"

namespace tw::win32::setting {

inline std::wstring WideFromBytes(const std::string& utf16le) {
    std::wstring out(utf16le.size() / 2, L'\0');
    std::memcpy(out.data(), utf16le.data(), out.size() * sizeof(wchar_t));
    return out;
}

inline std::string BytesFromWide(std::wstring_view wide) {
    return std::string(reinterpret_cast<const char*>(wide.data()), wide.size() * sizeof(wchar_t));
}

// A Shift-JIS text for a control: bytes that are not Shift-JIS show as \xNN.
inline std::wstring WideFromSjis(std::string_view sjis) {
    if (auto w = Convert(Encoding::Sjis, Encoding::Utf16Le, sjis)) return WideFromBytes(*w);
    const std::string shown = SjisToUtf8ForDisplay(sjis);
    if (auto w = Convert(Encoding::Utf8, Encoding::Utf16Le, shown)) return WideFromBytes(*w);
    return std::wstring(sjis.begin(), sjis.end());
}

inline std::wstring WideFromUtf8(std::string_view utf8) {
    if (auto w = Convert(Encoding::Utf8, Encoding::Utf16Le, utf8)) return WideFromBytes(*w);
    return std::wstring(utf8.begin(), utf8.end());
}

// A control's text as typed, in UTF-8. A lone surrogate becomes U+FFFD,
// which Shift-JIS cannot hold either, so the presenter refuses the text
// and names it instead of storing something else.
inline std::string Utf8FromWide(std::wstring_view wide) {
    if (auto u = Convert(Encoding::Utf16Le, Encoding::Utf8, BytesFromWide(wide))) return *u;
    std::string out;
    for (std::size_t i = 0; i < wide.size(); ++i) {
        char32_t c = wide[i];
        if (c >= 0xD800 && c <= 0xDBFF && i + 1 < wide.size() && wide[i + 1] >= 0xDC00 &&
            wide[i + 1] <= 0xDFFF) {
            c = 0x10000 + ((c - 0xD800) << 10) + (wide[i + 1] - 0xDC00);
            ++i;
        } else if (c >= 0xD800 && c <= 0xDFFF) {
            c = 0xFFFD;
        }
        if (c < 0x80) {
            out += static_cast<char>(c);
        } else if (c < 0x800) {
            out += static_cast<char>(0xC0 | (c >> 6));
            out += static_cast<char>(0x80 | (c & 0x3F));
        } else if (c < 0x10000) {
            out += static_cast<char>(0xE0 | (c >> 12));
            out += static_cast<char>(0x80 | ((c >> 6) & 0x3F));
            out += static_cast<char>(0x80 | (c & 0x3F));
        } else {
            out += static_cast<char>(0xF0 | (c >> 18));
            out += static_cast<char>(0x80 | ((c >> 12) & 0x3F));
            out += static_cast<char>(0x80 | ((c >> 6) & 0x3F));
            out += static_cast<char>(0x80 | (c & 0x3F));
        }
    }
    return out;
}

// A name read from the disk, in Shift-JIS; ConversionError naming it when
// Shift-JIS cannot hold it.
inline std::string SjisFromWide(std::wstring_view wide) {
    return Utf8ToSjis(Utf8FromWide(wide));
}

}  // namespace tw::win32::setting
