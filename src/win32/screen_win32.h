// The primary screen's measures from the Windows API.
#pragma once

#include "core/screen.h"

namespace tw::win32 {

class Win32Screen : public IScreen {
public:
    // GetSystemMetrics(SM_CXSCREEN).
    int ScreenWidth() override;
    // SystemParametersInfoW(SPI_GETWORKAREA).
    Rect WorkArea() override;
};

}  // namespace tw::win32
