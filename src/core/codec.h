// Whole texts between Shift-JIS (code page 932), UTF-8 and UTF-16 LE, for
// the text helpers. Each platform converts with its own converter
// (SystemConvert: codec_iconv.cpp, codec_win32.cpp); Convert holds both to
// the same rules.
#pragma once

#include <cstddef>
#include <optional>
#include <string>
#include <string_view>

namespace tw {

enum class Encoding { Sjis, Utf8, Utf16Le };

// All of `in` converted, or nullopt when some character is not valid in
// `from` or has no exact form in `to`: nothing is replaced by a look-alike
// and nothing is dropped, so text converted to Shift-JIS converts back to
// itself. On failure `consumed` tells how many bytes of `in` came before the
// first character that does not convert.
std::optional<std::string> Convert(Encoding from, Encoding to, std::string_view in,
                                   std::size_t* consumed = nullptr);

// The system's converter, refusing what it knows to be invalid or without
// a form in `to`; the rest of the rules are Convert's.
std::optional<std::string> SystemConvert(Encoding from, Encoding to, std::string_view in);

}  // namespace tw
