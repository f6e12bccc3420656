// The primary screen through Qt; on X11 the work area follows _NET_WORKAREA.
#pragma once

#include "core/screen.h"

namespace tw {

class QtScreen : public IScreen {
public:
    int ScreenWidth() override;
    Rect WorkArea() override;
};

}  // namespace tw
