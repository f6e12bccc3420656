#include "core/workarea.h"

#include <algorithm>

namespace tw {

namespace {

// A half-open box [x0, x1) x [y0, y1).
struct Box {
    int64_t x0, y0, x1, y1;
    bool Overlaps(const Box& o) const {
        return x0 < o.x1 && o.x0 < x1 && y0 < o.y1 && o.y0 < y1;
    }
};

}  // namespace

Strut FullLengthStrut(int64_t left, int64_t right, int64_t top, int64_t bottom, int screenWidth,
                      int screenHeight) {
    Strut s;
    s.left = left;
    s.right = right;
    s.top = top;
    s.bottom = bottom;
    s.leftEndY = s.rightEndY = screenHeight - 1;
    s.topEndX = s.bottomEndX = screenWidth - 1;
    return s;
}

std::optional<Strut> StrutFromValues(const std::vector<uint32_t>& v, int screenWidth,
                                     int screenHeight) {
    if (v.size() == 4) return FullLengthStrut(v[0], v[1], v[2], v[3], screenWidth, screenHeight);
    if (v.size() != 12) return std::nullopt;
    return Strut{v[0], v[1], v[2], v[3], v[4], v[5], v[6], v[7], v[8], v[9], v[10], v[11]};
}

Rect MonitorWorkArea(const Rect& monitor, int screenWidth, int screenHeight,
                     const std::vector<Strut>& struts) {
    const Box m{monitor.left, monitor.top, int64_t{monitor.left} + monitor.width,
                int64_t{monitor.top} + monitor.height};
    Box area = m;
    const int64_t w = screenWidth, h = screenHeight;
    for (const Strut& s : struts) {
        if (s.left > 0 && Box{0, s.leftStartY, s.left, s.leftEndY + 1}.Overlaps(m))
            area.x0 = std::max(area.x0, s.left);
        if (s.right > 0 && Box{w - s.right, s.rightStartY, w, s.rightEndY + 1}.Overlaps(m))
            area.x1 = std::min(area.x1, w - s.right);
        if (s.top > 0 && Box{s.topStartX, 0, s.topEndX + 1, s.top}.Overlaps(m))
            area.y0 = std::max(area.y0, s.top);
        if (s.bottom > 0 && Box{s.bottomStartX, h - s.bottom, s.bottomEndX + 1, h}.Overlaps(m))
            area.y1 = std::min(area.y1, h - s.bottom);
    }
    // Bands wider than the monitor leave an empty area at its far edge.
    area.x0 = std::min(area.x0, m.x1);
    area.y0 = std::min(area.y0, m.y1);
    area.x1 = std::max(area.x1, area.x0);
    area.y1 = std::max(area.y1, area.y0);
    return {static_cast<int>(area.x0), static_cast<int>(area.y0),
            static_cast<int>(area.x1 - area.x0), static_cast<int>(area.y1 - area.y0)};
}

}  // namespace tw
