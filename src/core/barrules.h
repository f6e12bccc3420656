// The bar's geometry and transparency rules, and the application title.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

#include "core/screen.h"

namespace tw {

// At creation: top 0, left 0, the full screen width, 20 high.
Rect CreationGeometry(int screenWidth);

// The window system's coordinate range (X11 positions and sizes are 16-bit);
// placements are clamped into it.
inline constexpr int kMinCoordinate = -32768;
inline constexpr int kMaxCoordinate = 32767;

// Placement at load: across the work area at the top, or with its top at
// work-area height - size - header when shown at the bottom (the work-area
// height serves as a coordinate there).
Rect PlaceAtLoad(bool showBottom, int32_t barSize, int header, const Rect& workArea);

// Collapse: one pixel wide, as high as the work area, at the top; left kept.
Rect Collapsed(const Rect& current, const Rect& workArea);

// Expansion: the placement again, left kept.
Rect Expanded(const Rect& current, bool showBottom, int32_t barSize, int header,
              const Rect& workArea);

// Where a window of `width` x `height` (frame included) goes to stand in the
// middle of `area`: the editor, the chooser and the message boxes all stand
// in the middle of the primary screen's work area.
Rect CentredIn(const Rect& area, int width, int height);

// Blend percent to the window's alpha: Blend * 255 / 100 rounded half to
// even, clamped to 0..255.
int AlphaFromBlend(int32_t blend);

// The window's alpha back to a percent: alpha * 100 / 255 to the nearest.
int PercentFromAlpha(int alpha);

// The executable's file name without folder, cut at its first ".", every
// character after the first in lower case.
std::string ApplicationTitle(std::string_view exeFileName);
// The same from the executable's full path (Shift-JIS).
std::string ApplicationTitleOfPath(std::string_view exePath, std::string_view separators);

}  // namespace tw
