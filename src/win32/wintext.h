// Texts at the Windows API's boundary: the W functions take UTF-16, the
// model holds Shift-JIS and the presenters' own texts are UTF-8.
#pragma once

#include <string>
#include <string_view>

namespace tw::win32 {

std::wstring WideFromUtf8(std::string_view utf8);
std::string Utf8FromWide(std::wstring_view wide);
// A Shift-JIS text of the model; bytes that are not Shift-JIS show as \xNN
// rather than as some other character.
std::wstring WideFromSjis(std::string_view sjis);

}  // namespace tw::win32
