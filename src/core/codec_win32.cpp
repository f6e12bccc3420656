// The conversions through the Windows API: every text goes through UTF-16,
// with the flags that make the system refuse a character rather than put a
// default character or a look-alike in its place.
#define WIN32_LEAN_AND_MEAN
#define NOMINMAX
#include <windows.h>

#include <cstring>

#include "core/codec.h"

namespace tw {

namespace {

constexpr UINT kShiftJis = 932;

std::optional<std::wstring> ToWide(UINT codePage, std::string_view in) {
    if (in.empty()) return std::wstring();
    const int n = static_cast<int>(in.size());
    const int size = MultiByteToWideChar(codePage, MB_ERR_INVALID_CHARS, in.data(), n, nullptr, 0);
    if (size <= 0) return std::nullopt;
    std::wstring out(static_cast<std::size_t>(size), L'\0');
    if (MultiByteToWideChar(codePage, MB_ERR_INVALID_CHARS, in.data(), n, out.data(), size) != size)
        return std::nullopt;
    return out;
}

std::optional<std::string> FromWide(UINT codePage, std::wstring_view in) {
    if (in.empty()) return std::string();
    const int n = static_cast<int>(in.size());
    // Code page 932 reports a character it has no form for through
    // `usedDefault`; UTF-8 takes no such argument and fails instead.
    const DWORD flags = codePage == kShiftJis ? WC_NO_BEST_FIT_CHARS : WC_ERR_INVALID_CHARS;
    BOOL usedDefault = FALSE;
    BOOL* used = codePage == kShiftJis ? &usedDefault : nullptr;
    const int size = WideCharToMultiByte(codePage, flags, in.data(), n, nullptr, 0, nullptr, used);
    if (size <= 0 || usedDefault) return std::nullopt;
    std::string out(static_cast<std::size_t>(size), '\0');
    if (WideCharToMultiByte(codePage, flags, in.data(), n, out.data(), size, nullptr, used) != size ||
        usedDefault)
        return std::nullopt;
    return out;
}

std::optional<std::wstring> Decode(Encoding from, std::string_view in) {
    switch (from) {
    case Encoding::Sjis: return ToWide(kShiftJis, in);
    case Encoding::Utf8: return ToWide(CP_UTF8, in);
    case Encoding::Utf16Le: break;
    }
    if (in.size() % 2) return std::nullopt;
    std::wstring out(in.size() / 2, L'\0');
    std::memcpy(out.data(), in.data(), in.size());
    // A lone surrogate is refused on the way out to UTF-8 and Shift-JIS
    // alike, but UTF-16 to UTF-16 has no way out: check it here.
    for (std::size_t i = 0; i < out.size(); ++i) {
        const wchar_t u = out[i];
        if (u >= 0xD800 && u <= 0xDBFF && i + 1 < out.size() && out[i + 1] >= 0xDC00 &&
            out[i + 1] <= 0xDFFF)
            ++i;
        else if (u >= 0xD800 && u <= 0xDFFF)
            return std::nullopt;
    }
    return out;
}

std::optional<std::string> Encode(Encoding to, std::wstring_view in) {
    switch (to) {
    case Encoding::Sjis: return FromWide(kShiftJis, in);
    case Encoding::Utf8: return FromWide(CP_UTF8, in);
    case Encoding::Utf16Le: break;
    }
    std::string out(in.size() * 2, '\0');
    std::memcpy(out.data(), in.data(), out.size());
    return out;
}

}  // namespace

std::optional<std::string> SystemConvert(Encoding from, Encoding to, std::string_view in) {
    if (auto wide = Decode(from, in)) return Encode(to, *wide);
    return std::nullopt;
}

}  // namespace tw
