// The primary screen through Qt; on X11 the work area follows _NET_WORKAREA.
#pragma once

#include <optional>

#include "core/screen.h"

namespace tw {

// Where the work area of the primary monitor comes from when the screen
// has several monitors, which Qt does not know.
class IPrimaryWorkArea {
public:
    virtual ~IPrimaryWorkArea() = default;
    // The part of `monitor` (the primary one, in the window system's
    // pixels) that docked bars leave free; nothing when it cannot be told.
    virtual std::optional<Rect> PrimaryWorkArea(const Rect& monitor) = 0;
};

class QtScreen : public IScreen {
public:
    // Without `several`, a screen with several monitors takes Qt's
    // available area of the primary one.
    explicit QtScreen(IPrimaryWorkArea* several = nullptr) : several_(several) {}
    int ScreenWidth() override;
    Rect WorkArea() override;

private:
    IPrimaryWorkArea* several_;
};

}  // namespace tw
