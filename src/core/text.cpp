#include "core/text.h"

#include <cstdio>

#include "core/codec.h"

namespace tw {

std::size_t LastSeparator(std::string_view path, std::string_view separators) {
    std::size_t last = std::string_view::npos;
    for (std::size_t i = 0; i < path.size(); ++i) {
        const auto c = static_cast<unsigned char>(path[i]);
        if (IsSjisLeadByte(c) && i + 1 < path.size()) {
            ++i;  // the trail byte never counts
        } else if (separators.find(path[i]) != std::string_view::npos) {
            last = i;
        }
    }
    return last;
}

std::size_t FindSjisChar(std::string_view s, char c) {
    for (std::size_t i = 0; i < s.size(); ++i) {
        if (IsSjisLeadByte(static_cast<unsigned char>(s[i])) && i + 1 < s.size()) ++i;
        else if (s[i] == c) return i;
    }
    return std::string_view::npos;
}

std::string ExtractFilePath(std::string_view path, std::string_view separators) {
    const std::size_t i = LastSeparator(path, separators);
    return i == std::string_view::npos ? std::string() : std::string(path.substr(0, i + 1));
}

std::string ExtractFileName(std::string_view path, std::string_view separators) {
    const std::size_t i = LastSeparator(path, separators);
    return std::string(i == std::string_view::npos ? path : path.substr(i + 1));
}

bool EndsWithSeparator(std::string_view path, std::string_view separators) {
    const std::size_t i = LastSeparator(path, separators);
    return !path.empty() && i == path.size() - 1;
}

bool SameTextAscii(std::string_view a, std::string_view b) {
    if (a.size() != b.size()) return false;
    for (std::size_t i = 0; i < a.size(); ++i)
        if (LowerAscii(a[i]) != LowerAscii(b[i])) return false;
    return true;
}

bool SameTextSjis(std::string_view a, std::string_view b) {
    if (a.size() != b.size()) return false;
    for (std::size_t i = 0; i < a.size(); ++i) {
        if (IsSjisLeadByte(static_cast<unsigned char>(a[i])) && i + 1 < a.size()) {
            if (a[i] != b[i] || a[i + 1] != b[i + 1]) return false;
            ++i;
        } else if (LowerAscii(a[i]) != LowerAscii(b[i])) {
            return false;
        }
    }
    return true;
}

std::string FoldSjis(std::string_view s) {
    std::string out(s);
    for (std::size_t i = 0; i < out.size(); ++i) {
        if (IsSjisLeadByte(static_cast<unsigned char>(out[i])) && i + 1 < out.size()) ++i;
        else out[i] = LowerAscii(out[i]);
    }
    return out;
}

std::optional<int32_t> TryStrToInt(std::string_view s) {
    std::size_t i = 0;
    while (i < s.size() && s[i] == ' ') ++i;
    if (i == s.size()) return std::nullopt;

    // Hexadecimal: "$", "0x", "0X", "x" or "X", then one to eight digits.
    std::size_t hexStart = std::string_view::npos;
    if (s[i] == '$' || s[i] == 'x' || s[i] == 'X') {
        hexStart = i + 1;
    } else if (s[i] == '0' && i + 1 < s.size() && (s[i + 1] == 'x' || s[i + 1] == 'X')) {
        hexStart = i + 2;
    }
    if (hexStart != std::string_view::npos) {
        const std::size_t digits = s.size() - hexStart;
        if (digits == 0 || digits > 8) return std::nullopt;
        uint32_t value = 0;
        for (std::size_t k = hexStart; k < s.size(); ++k) {
            const char c = s[k];
            uint32_t d;
            if (c >= '0' && c <= '9') d = c - '0';
            else if (c >= 'a' && c <= 'f') d = c - 'a' + 10;
            else if (c >= 'A' && c <= 'F') d = c - 'A' + 10;
            else return std::nullopt;
            value = value << 4 | d;
        }
        return static_cast<int32_t>(value);
    }

    bool negative = false;
    if (s[i] == '+' || s[i] == '-') {
        negative = s[i] == '-';
        ++i;
    }
    if (i == s.size()) return std::nullopt;
    int64_t value = 0;
    for (; i < s.size(); ++i) {
        if (s[i] < '0' || s[i] > '9') return std::nullopt;
        value = value * 10 + (s[i] - '0');
        if (value > int64_t{INT32_MAX} + 1) return std::nullopt;
    }
    if (negative) value = -value;
    if (value > INT32_MAX || value < INT32_MIN) return std::nullopt;
    return static_cast<int32_t>(value);
}

namespace {

bool IsAscii(std::string_view s) {
    for (char c : s)
        if (static_cast<unsigned char>(c) >= 0x80) return false;
    return true;
}

std::string Replace(std::string_view pattern, std::string_view value) {
    std::string out(pattern);
    const std::size_t at = out.find("%s");
    if (at != std::string::npos) out.replace(at, 2, value);
    return out;
}

}  // namespace

std::optional<std::string> TrySjisToUtf8(std::string_view sjis) {
    if (IsAscii(sjis)) return std::string(sjis);
    return Convert(Encoding::Sjis, Encoding::Utf8, sjis);
}

std::optional<std::string> TryUtf8ToSjis(std::string_view utf8) {
    if (IsAscii(utf8)) return std::string(utf8);
    return Convert(Encoding::Utf8, Encoding::Sjis, utf8);
}

std::optional<std::string> TryUtf16LeToSjis(std::string_view in) {
    if (in.size() % 2) return std::nullopt;
    std::string out(in.size() / 2, '\0');
    for (std::size_t i = 0; i < out.size(); ++i) {
        if (in[2 * i + 1] != 0 || static_cast<unsigned char>(in[2 * i]) >= 0x80)
            return Convert(Encoding::Utf16Le, Encoding::Sjis, in);
        out[i] = in[2 * i];
    }
    return out;
}

std::optional<std::string> TrySjisToUtf16Le(std::string_view sjis) {
    if (!IsAscii(sjis)) return Convert(Encoding::Sjis, Encoding::Utf16Le, sjis);
    std::string out(sjis.size() * 2, '\0');
    for (std::size_t i = 0; i < sjis.size(); ++i) out[2 * i] = sjis[i];
    return out;
}

std::string SjisToUtf8ForDisplay(std::string_view sjis) {
    std::string out;
    while (!sjis.empty()) {
        std::size_t consumed = 0;
        if (auto whole = Convert(Encoding::Sjis, Encoding::Utf8, sjis, &consumed)) {
            out += *whole;
            break;
        }
        out += *Convert(Encoding::Sjis, Encoding::Utf8, sjis.substr(0, consumed));
        char hex[8];
        std::snprintf(hex, sizeof hex, "\\x%02X", static_cast<unsigned char>(sjis[consumed]));
        out += hex;
        sjis.remove_prefix(consumed + 1);
    }
    return out;
}

std::string SjisToUtf8(std::string_view sjis) {
    if (auto s = TrySjisToUtf8(sjis)) return *s;
    throw ConversionError(Replace("'%s' に Shift-JIS として読めない文字があります",
                                  SjisToUtf8ForDisplay(sjis)));
}

std::string Utf8ToSjis(std::string_view utf8) {
    if (auto s = TryUtf8ToSjis(utf8)) return *s;
    throw ConversionError(Replace("'%s' には Shift-JIS で書けない文字があります", utf8));
}

std::string Sjis(std::string_view utf8) { return Utf8ToSjis(utf8); }

UserError NotAnInteger(std::string_view sjisText) {
    return NotAnIntegerUtf8(SjisToUtf8ForDisplay(sjisText));
}

UserError NotAnIntegerUtf8(std::string_view utf8Text) {
    return UserError(Replace("'%s' は整数ではありません", utf8Text));
}

UserError CannotWrite(std::string_view sjisPath) {
    return UserError(Replace("%s に書き込めません", SjisToUtf8ForDisplay(sjisPath)));
}

UserError NotARegularFile(std::string_view sjisPath) {
    return UserError(Replace("%s は通常のファイルではありません", SjisToUtf8ForDisplay(sjisPath)));
}

int32_t StrToInt(std::string_view sjisText) {
    if (auto v = TryStrToInt(sjisText)) return *v;
    throw NotAnInteger(sjisText);
}

}  // namespace tw
