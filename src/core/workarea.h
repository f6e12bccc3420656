// The work area of one monitor among several: its rectangle less the space
// that docked bars reserve along the screen's edges.
#pragma once

#include <cstdint>
#include <optional>
#include <vector>

#include "core/screen.h"

namespace tw {

// Space a docked bar reserves, as X11 window managers read it: a thickness
// along each edge of the whole screen (all monitors together), each over a
// span of the other axis, first and last pixel included. The twelve values
// are those of _NET_WM_STRUT_PARTIAL, in its order.
struct Strut {
    int64_t left = 0, right = 0, top = 0, bottom = 0;
    int64_t leftStartY = 0, leftEndY = 0, rightStartY = 0, rightEndY = 0;
    int64_t topStartX = 0, topEndX = 0, bottomStartX = 0, bottomEndX = 0;
    friend bool operator==(const Strut&, const Strut&) = default;
};

// The strut of a bar that gives only the four thicknesses (_NET_WM_STRUT):
// each reserves its edge over the whole length of the screen.
Strut FullLengthStrut(int64_t left, int64_t right, int64_t top, int64_t bottom,
                      int screenWidth, int screenHeight);

// A strut from the values of a _NET_WM_STRUT_PARTIAL (12) or _NET_WM_STRUT
// (4) property; nothing for any other count.
std::optional<Strut> StrutFromValues(const std::vector<uint32_t>& values, int screenWidth,
                                     int screenHeight);

// `monitor` less every strut whose reserved band overlaps it: a band along
// the screen's left edge moves the monitor's left edge to the band's right
// edge when that is further in, and so on for the other edges. A band that
// does not touch the monitor (a bar on another monitor) takes nothing. The
// result is never less than empty.
Rect MonitorWorkArea(const Rect& monitor, int screenWidth, int screenHeight,
                     const std::vector<Strut>& struts);

}  // namespace tw
