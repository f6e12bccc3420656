#include "win32/screen_win32.h"

#include "win32/winapi.h"

namespace tw::win32 {

int Win32Screen::ScreenWidth() { return GetSystemMetrics(SM_CXSCREEN); }

Rect Win32Screen::WorkArea() {
    RECT r{};
    if (!SystemParametersInfoW(SPI_GETWORKAREA, 0, &r, 0))
        return {0, 0, GetSystemMetrics(SM_CXSCREEN), GetSystemMetrics(SM_CYSCREEN)};
    return {r.left, r.top, r.right - r.left, r.bottom - r.top};
}

}  // namespace tw::win32
