// The keyboard's modifiers as the presenters take them.
#pragma once

#include "forms/services.h"
#include "win32/winapi.h"

namespace tw::win32 {

// The modifiers held down as the message being handled was sent.
inline int ShiftState() {
    int shift = kShiftNone;
    if (GetKeyState(VK_SHIFT) < 0) shift |= kShiftShift;
    if (GetKeyState(VK_MENU) < 0) shift |= kShiftAlt;
    if (GetKeyState(VK_CONTROL) < 0) shift |= kShiftCtrl;
    return shift;
}

}  // namespace tw::win32
