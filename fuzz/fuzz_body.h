// One round of the text helpers and the settings-file parser on arbitrary
// bytes: nothing may crash, every helper keeps its promises, parsing keeps
// every byte, and what is written reads back while every other line stays.
#pragma once

#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <string_view>
#include <vector>

#include "core/inifile.h"
#include "core/text.h"

namespace tw {
namespace fuzz {

inline void Check(bool ok, const char* what) {
    if (ok) return;
    std::fprintf(stderr, "fuzz check failed: %s\n", what);
    std::abort();
}

inline void TextHelpers(std::string_view s) {
    for (const std::string_view seps : {kWindowsSeparators, kPosixSeparators}) {
        const std::string dir = ExtractFilePath(s, seps), name = ExtractFileName(s, seps);
        Check(dir + name == s, "directory part + file-name part is the path");
        const std::size_t i = LastSeparator(s, seps);
        Check(i == std::string_view::npos ? dir.empty()
                                          : i + 1 == dir.size() && seps.find(s[i]) != seps.npos,
              "the directory part ends at the last separator");
        Check(LastSeparator(name, seps) == std::string_view::npos, "no separator after the last one");
        Check(EndsWithSeparator(s, seps) == (!s.empty() && i == s.size() - 1),
              "ends with a separator");
    }
    const std::size_t bracket = FindSjisChar(s, ']');
    if (bracket != std::string_view::npos) {
        std::size_t at = 0;  // the character boundaries before it
        while (at < bracket) at += IsSjisLeadByte(static_cast<unsigned char>(s[at])) && at + 1 < s.size() ? 2 : 1;
        Check(at == bracket && s[bracket] == ']' &&
                  FindSjisChar(s.substr(0, bracket), ']') == std::string_view::npos,
              "the first ']' character");
    }

    const std::string folded = FoldSjis(s);
    Check(folded.size() == s.size() && FoldSjis(folded) == folded, "folding is stable");
    Check(SameTextSjis(s, folded) && SameTextAscii(s, folded), "a text is the same as its fold");
    for (std::size_t k = 0; k < s.size(); ++k)
        Check(LowerAscii(s[k]) == s[k] || (s[k] >= 'A' && s[k] <= 'Z'), "only letters change case");

    const auto n = TryStrToInt(s);
    try {
        const int32_t v = StrToInt(s);
        Check(n == v, "StrToInt agrees");
    } catch (const UserError& e) {
        Check(!n && std::string(e.what()) == NotAnInteger(s).what(), "StrToInt fails as TryStrToInt");
    }
    if (n) Check(TryStrToInt(std::to_string(*n)) == n, "a number reads back");
    Check(std::string(NotAnIntegerUtf8("x").what()) == "'x' は整数ではありません", "the message");
    (void)CannotWrite(s).what();

    // Shift-JIS -> UTF-8 -> Shift-JIS gives the input back, up to the code
    // page's second codes for the same character (NEC and IBM extensions),
    // which come back in their one standard form.
    const auto utf8 = TrySjisToUtf8(s);
    if (utf8) {
        const auto back = TryUtf8ToSjis(*utf8);
        Check(back && SjisToUtf8(*back) == *utf8 && Utf8ToSjis(*utf8) == *back && Sjis(*utf8) == *back,
              "Shift-JIS -> UTF-8 -> Shift-JIS");
        Check(*back == s || TryUtf8ToSjis(SjisToUtf8(*back)) == back, "one standard form");
        Check(SjisToUtf8ForDisplay(s) == *utf8, "display form of convertible text");
    } else {
        bool thrown = false;
        try {
            (void)SjisToUtf8(s);
        } catch (const ConversionError&) {
            thrown = true;
        }
        Check(thrown && !SjisToUtf8ForDisplay(s).empty(), "unconvertible text is reported");
    }
    if (const auto sjis = TryUtf8ToSjis(s)) Check(TrySjisToUtf8(*sjis).has_value(), "UTF-8 -> Shift-JIS");
    const auto utf16 = TrySjisToUtf16Le(s);
    Check(utf16.has_value() == utf8.has_value(), "UTF-16 and UTF-8 convert the same text");
    if (utf16) {
        const auto back = TryUtf16LeToSjis(*utf16);
        Check(back && TrySjisToUtf8(*back) == utf8, "Shift-JIS -> UTF-16 -> Shift-JIS");
    }
    if (const auto sjis = TryUtf16LeToSjis(s)) Check(TrySjisToUtf16Le(*sjis).has_value(), "UTF-16 -> Shift-JIS");
}

// The lines of a file without their line ends, split as the parser does.
inline std::vector<std::string_view> Lines(std::string_view f) {
    std::vector<std::string_view> lines;
    if (f.substr(0, 2) == "\xFF\xFE") {
        const std::size_t end = 2 + (f.size() - 2) / 2 * 2;
        const auto isBreak = [&](std::size_t i, char c) { return f[i] == c && f[i + 1] == 0; };
        std::size_t b = 2;
        while (b < end) {
            std::size_t e = b;
            while (e < end && !isBreak(e, '\r') && !isBreak(e, '\n')) e += 2;
            lines.push_back(f.substr(b, e - b));
            if (e < end) e += isBreak(e, '\r') && e + 2 < end && isBreak(e + 2, '\n') ? 4 : 2;
            b = e;
        }
        if (end < f.size()) lines.push_back(f.substr(end));
        return lines;
    }
    std::size_t b = 0;
    while (b < f.size()) {
        std::size_t e = f.find_first_of("\r\n", b);
        if (e == std::string_view::npos) e = f.size();
        lines.push_back(f.substr(b, e - b));
        if (e < f.size()) e += f.substr(e, 2) == "\r\n" ? 2 : 1;
        b = e;
    }
    return lines;
}

// What Get returns for a written value.
inline std::string AsRead(std::string_view v) {
    const auto blank = [](char c) { return c == ' ' || c == '\t' || c == '\r' || c == '\v' || c == '\f'; };
    while (!v.empty() && blank(v.front())) v.remove_prefix(1);
    while (!v.empty() && blank(v.back())) v.remove_suffix(1);
    if (v.size() >= 2 && (v[0] == '"' || v[0] == '\'') && v.back() == v[0]) v = v.substr(1, v.size() - 2);
    std::size_t cut = 0;
    while (cut < v.size()) {
        const std::size_t next = cut + (IsSjisLeadByte(static_cast<unsigned char>(v[cut])) ? 2 : 1);
        if (next > kMaxProfileValue) break;
        cut = next;
    }
    return std::string(v.substr(0, cut));
}

// A piece of the input with its line breaks and NULs made ordinary.
inline std::string Clean(std::string_view s, std::size_t at, std::size_t n) {
    std::string out(at < s.size() ? s.substr(at, n) : std::string_view());
    for (char& c : out)
        if (c == '\r' || c == '\n' || c == '\0') c = '_';
    return out;
}

inline void WriteOne(std::string_view bytes, std::string_view section, std::string_view key,
                     std::string_view value) {
    IniDocument doc(bytes);
    if (!doc.Set(section, key, value)) return;
    const std::string expected = AsRead(value);
    Check(doc.Get(section, key) == expected, "a written value is read before saving");
    const std::string after = doc.Serialize();
    const IniDocument again(after);
    Check(again.Get(section, key) == expected, "a written value reads back");
    Check(again.Serialize() == after, "the written file parses without loss");

    // One line replaced, or one key (and perhaps its header) inserted.
    const auto a = Lines(bytes), b = Lines(after);
    std::size_t p = 0, q = 0;
    while (p < a.size() && p < b.size() && a[p] == b[p]) ++p;
    while (q < a.size() - p && q < b.size() - p && a[a.size() - 1 - q] == b[b.size() - 1 - q]) ++q;
    const std::size_t removed = a.size() - p - q, added = b.size() - p - q;
    Check((removed == added && removed <= 1) || (removed == 0 && added <= 2),
          "every other line stays as it was");

    // Writing the same key again changes no line count.
    Check(doc.Set(section, key, "again") && Lines(doc.Serialize()).size() == b.size(),
          "a key is written once");
}

inline void Parser(std::string_view bytes) {
    IniDocument doc(bytes);
    (void)doc.Get("Window", "Size");
    (void)doc.Get("Data", "File");
    Check(doc.Serialize() == bytes, "parsing keeps every byte");

    const std::string value = Clean(bytes, 0, 64);
    WriteOne(bytes, "Window", "Size", value);
    WriteOne(bytes, Clean(bytes, 1, 6), Clean(bytes, 7, 5), value);
}

}  // namespace fuzz

inline void FuzzOne(const uint8_t* data, std::size_t size) {
    const std::string_view bytes(reinterpret_cast<const char*>(data), size);
    fuzz::TextHelpers(bytes);
    fuzz::Parser(bytes);

    // The same text with carriage returns alone, and in UTF-16.
    std::string cr;
    for (std::size_t i = 0; i < bytes.size(); ++i) {
        if (bytes.substr(i, 2) == "\r\n") ++i;
        cr.push_back(bytes[i] == '\n' ? '\r' : bytes[i]);
    }
    fuzz::Parser(cr);
    fuzz::Parser("\xFF\xFE" + TrySjisToUtf16Le(bytes).value_or(std::string(bytes)));
}

}  // namespace tw
