#include "core/codec.h"

#include <algorithm>

#include "core/text.h"

namespace tw {

namespace {

// Code page 932 as Windows has it also gives the single bytes 80, A0 and FD
// to FF characters of their own (U+0080 and private-use ones); Shift-JIS
// text has none of them.
bool HasStrayByte(std::string_view sjis) {
    for (std::size_t i = 0; i < sjis.size(); ++i) {
        const auto c = static_cast<unsigned char>(sjis[i]);
        if (IsSjisLeadByte(c) && i + 1 < sjis.size()) ++i;
        else if (c == 0x80 || c == 0xA0 || c >= 0xFD) return true;
    }
    return false;
}

// The length in bytes of the character of `in` that starts at `i`, as far
// as `in` goes.
std::size_t CharLength(Encoding e, std::string_view in, std::size_t i) {
    const auto c = static_cast<unsigned char>(in[i]);
    std::size_t n = 1;
    switch (e) {
    case Encoding::Sjis:
        n = IsSjisLeadByte(c) ? 2 : 1;
        break;
    case Encoding::Utf8:
        n = c >= 0xF0 ? 4 : c >= 0xE0 ? 3 : c >= 0xC0 ? 2 : 1;
        break;
    case Encoding::Utf16Le: {
        const auto high = i + 1 < in.size() ? static_cast<unsigned char>(in[i + 1]) : 0;
        n = high >= 0xD8 && high <= 0xDB ? 4 : 2;
        break;
    }
    }
    return std::min(n, in.size() - i);
}

std::optional<std::string> Checked(Encoding from, Encoding to, std::string_view in) {
    if (from == Encoding::Sjis && HasStrayByte(in)) return std::nullopt;
    std::optional<std::string> out = SystemConvert(from, to, in);
    if (!out || to != Encoding::Sjis || from == Encoding::Sjis) return out;
    // Converters take some characters to Shift-JIS one way only (U+00A5 to
    // "\", U+2014 to the dash of 815C) or drop them (tag characters); only a
    // text that converts back to itself had an exact form.
    if (HasStrayByte(*out) || SystemConvert(Encoding::Sjis, from, *out) != in) return std::nullopt;
    return out;
}

}  // namespace

std::optional<std::string> Convert(Encoding from, Encoding to, std::string_view in,
                                   std::size_t* consumed) {
    std::optional<std::string> out = Checked(from, to, in);
    if (out || !consumed) return out;
    // Where it failed: the first character that does not convert on its own.
    std::size_t i = 0;
    while (i < in.size()) {
        const std::size_t n = CharLength(from, in, i);
        if (!Checked(from, to, in.substr(i, n))) break;
        i += n;
    }
    *consumed = i;
    return std::nullopt;
}

}  // namespace tw
