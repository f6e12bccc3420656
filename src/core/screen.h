// The primary screen's measures, read afresh on every call.
#pragma once

namespace tw {

struct Rect {
    int left = 0, top = 0, width = 0, height = 0;
    friend bool operator==(const Rect&, const Rect&) = default;
};

class IScreen {
public:
    virtual ~IScreen() = default;
    // Full width of the primary screen in pixels.
    virtual int ScreenWidth() = 0;
    // The part of the primary screen that docked bars leave free.
    virtual Rect WorkArea() = 0;
};

}  // namespace tw
