// Qt's keys and modifiers as the presenters take them.
#pragma once

#include <Qt>

#include "forms/services.h"

namespace tw {

inline int VirtualKey(int qtKey) {
    switch (qtKey) {
    case Qt::Key_Escape: return kKeyEscape;
    case Qt::Key_Return:
    case Qt::Key_Enter: return kKeyReturn;
    default: return qtKey >= Qt::Key_Space && qtKey <= Qt::Key_AsciiTilde ? qtKey : 0;
    }
}

inline int ShiftState(Qt::KeyboardModifiers m) {
    return (m & Qt::ShiftModifier ? kShiftShift : 0) | (m & Qt::AltModifier ? kShiftAlt : 0) |
           (m & Qt::ControlModifier ? kShiftCtrl : 0);
}

}  // namespace tw
