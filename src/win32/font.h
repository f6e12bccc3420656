// The windows' face: "ＭＳ Ｐゴシック", 12 pixels, Shift-JIS character set,
// or the first installed stand-in when it is missing.
#pragma once

#include <string>

#include "win32/winapi.h"

namespace tw::win32 {

// The face the windows use: the designed one when installed, else the first
// installed of its metrically close stand-ins, else any face with Shift-JIS
// characters, else the designed name (the font mapper then chooses).
std::wstring ChooseDesignFace();
// That face at 12 pixels; the caller owns the font.
HFONT CreateDesignFont(const std::wstring& face);

}  // namespace tw::win32
