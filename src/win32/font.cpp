#include "win32/font.h"


namespace tw::win32 {

namespace {

struct Search {
    const wchar_t* face;  // null: any face with Shift-JIS characters
    std::wstring found;
};

int CALLBACK OnFace(const LOGFONTW* lf, const TEXTMETRICW*, DWORD, LPARAM lParam) {
    auto* s = reinterpret_cast<Search*>(lParam);
    // Vertical faces ("@...") are no choice for horizontal text.
    if (lf->lfFaceName[0] == L'@') return 1;
    s->found = lf->lfFaceName;
    return 0;
}

bool Installed(HDC dc, const wchar_t* face, std::wstring* found) {
    LOGFONTW lf{};
    lf.lfCharSet = SHIFTJIS_CHARSET;
    if (face) lstrcpynW(lf.lfFaceName, face, LF_FACESIZE);
    Search s{face, {}};
    EnumFontFamiliesExW(dc, &lf, OnFace, reinterpret_cast<LPARAM>(&s), 0);
    if (s.found.empty()) return false;
    *found = s.found;
    return true;
}

}  // namespace

std::wstring ChooseDesignFace() {
    static const wchar_t* const kFaces[] = {L"ＭＳ Ｐゴシック", L"MS PGothic", L"IPAPGothic",
                                            L"IPAexGothic", L"VL PGothic", L"Noto Sans CJK JP"};
    HDC dc = GetDC(nullptr);
    std::wstring found;
    bool ok = false;
    for (const wchar_t* face : kFaces)
        if ((ok = Installed(dc, face, &found))) break;
    if (!ok) ok = Installed(dc, nullptr, &found);
    ReleaseDC(nullptr, dc);
    return ok ? found : std::wstring(kFaces[0]);
}

HFONT CreateDesignFont(const std::wstring& face) {
    return CreateFontW(-12, 0, 0, 0, FW_NORMAL, FALSE, FALSE, FALSE, SHIFTJIS_CHARSET,
                       OUT_DEFAULT_PRECIS, CLIP_DEFAULT_PRECIS, DEFAULT_QUALITY,
                       VARIABLE_PITCH | FF_DONTCARE, face.c_str());
}

}  // namespace tw::win32
