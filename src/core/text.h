// Text helpers of the model: Shift-JIS aware path parts, the whole-number
// conversion and the conversion between Shift-JIS and UTF-8.
#pragma once

#include <cstdint>
#include <optional>
#include <stdexcept>
#include <string>
#include <string_view>

namespace tw {

// The characters that separate the parts of a path on a platform.
inline constexpr std::string_view kWindowsSeparators = "\\:";
inline constexpr std::string_view kPosixSeparators = "/";

// True for a byte that starts a double-byte Shift-JIS character.
constexpr bool IsSjisLeadByte(unsigned char c) {
    return (c >= 0x81 && c <= 0x9F) || (c >= 0xE0 && c <= 0xFC);
}

// Index of the last separator of `path`, scanned in Shift-JIS characters;
// npos when there is none.
std::size_t LastSeparator(std::string_view path, std::string_view separators);

// Everything up to and including the last separator; empty when there is none.
std::string ExtractFilePath(std::string_view path, std::string_view separators);

// Everything after the last separator; the whole string when there is none.
std::string ExtractFileName(std::string_view path, std::string_view separators);

// Index of the first single-byte character `c` of `s`, scanned in Shift-JIS
// characters (a trail byte equal to `c` does not count); npos when none.
std::size_t FindSjisChar(std::string_view s, char c);

// True when the last Shift-JIS character of `path` is one of the separators.
bool EndsWithSeparator(std::string_view path, std::string_view separators);

// An ASCII letter in lower case; every other byte as it is.
constexpr char LowerAscii(char c) {
    return c >= 'A' && c <= 'Z' ? static_cast<char>(c + ('a' - 'A')) : c;
}

// Byte-wise comparison without regard to the case of ASCII letters, for
// text of any encoding compared with ASCII names.
bool SameTextAscii(std::string_view a, std::string_view b);

// Shift-JIS aware comparison without regard to the case of ASCII letters.
bool SameTextSjis(std::string_view a, std::string_view b);

// ASCII letters in lower case, the bytes of double-byte characters untouched:
// two names are the same text exactly when their folded forms are equal.
std::string FoldSjis(std::string_view s);

// The whole-number conversion: leading blanks, then a signed 32-bit decimal,
// or up to eight hexadecimal digits after "$", "0x", "0X", "x" or "X".
std::optional<int32_t> TryStrToInt(std::string_view text);

// A failure the user sees: the text of the error box, in UTF-8.
class UserError : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

// Text that has no representation in the other encoding.
class ConversionError : public UserError {
public:
    using UserError::UserError;
};

// Shift-JIS (code page 932) to UTF-8 and back. Text that cannot be converted
// throws ConversionError; nothing is replaced silently.
std::string SjisToUtf8(std::string_view sjis);
std::string Utf8ToSjis(std::string_view utf8);
std::optional<std::string> TrySjisToUtf8(std::string_view sjis);
std::optional<std::string> TryUtf8ToSjis(std::string_view utf8);

// UTF-16 LE (no byte-order mark) to Shift-JIS and back; nullopt for text
// that has no exact form in the other encoding.
std::optional<std::string> TryUtf16LeToSjis(std::string_view utf16le);
std::optional<std::string> TrySjisToUtf16Le(std::string_view sjis);

// For messages only: converts what can be converted and shows every other
// byte as \xNN, so that the user still sees which text was meant.
std::string SjisToUtf8ForDisplay(std::string_view sjis);

// Shift-JIS form of a UTF-8 literal of the program's own texts.
std::string Sjis(std::string_view utf8);

// "'%s' は整数ではありません" for a Shift-JIS text, and for a UTF-8 one.
UserError NotAnInteger(std::string_view sjisText);
UserError NotAnIntegerUtf8(std::string_view utf8Text);
// "%s に書き込めません" for a Shift-JIS path.
UserError CannotWrite(std::string_view sjisPath);
// "%s は通常のファイルではありません" for a Shift-JIS path.
UserError NotARegularFile(std::string_view sjisPath);

// Whole-number conversion that raises "'%s' は整数ではありません".
int32_t StrToInt(std::string_view sjisText);

}  // namespace tw
