// The one conversion the text helpers need from the system: whole texts
// between Shift-JIS (code page 932), UTF-8 and UTF-16 LE. Each platform
// provides it with its own converter (codec_iconv.cpp, codec_win32.cpp);
// both refuse the same texts.
#pragma once

#include <cstddef>
#include <optional>
#include <string>
#include <string_view>

namespace tw {

enum class Encoding { Sjis, Utf8, Utf16Le };

// All of `in` converted, or nullopt when some character has no exact form
// in `to` or is not valid in `from` (nothing is ever replaced by an
// approximation); `consumed` then tells how many bytes of `in` came before
// the first such character.
std::optional<std::string> Convert(Encoding from, Encoding to, std::string_view in,
                                   std::size_t* consumed = nullptr);

}  // namespace tw
