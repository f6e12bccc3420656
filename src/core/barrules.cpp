#include "core/barrules.h"

#include <algorithm>
#include <cmath>

#include "core/text.h"

namespace tw {

Rect CreationGeometry(int screenWidth) { return {0, 0, screenWidth, 20}; }

namespace {

int ToCoordinate(int64_t v) {
    return static_cast<int>(std::clamp<int64_t>(v, kMinCoordinate, kMaxCoordinate));
}

}  // namespace

Rect PlaceAtLoad(bool showBottom, int32_t barSize, int header, const Rect& workArea) {
    // In 64 bits: any Size the file holds, plus the header, must not overflow.
    const int64_t height = int64_t{barSize} + header;
    const int64_t top = showBottom ? int64_t{workArea.height} - height : 0;
    return {0, ToCoordinate(top), ToCoordinate(workArea.width), ToCoordinate(height)};
}

Rect Collapsed(const Rect& current, const Rect& workArea) {
    return {current.left, 0, 1, workArea.height};
}

Rect Expanded(const Rect& current, bool showBottom, int32_t barSize, int header,
              const Rect& workArea) {
    Rect r = PlaceAtLoad(showBottom, barSize, header, workArea);
    r.left = current.left;
    return r;
}

Rect CentredIn(const Rect& area, int width, int height) {
    return {area.left + (area.width - width) / 2, area.top + (area.height - height) / 2, width,
            height};
}

int AlphaFromBlend(int32_t blend) {
    const int64_t x = int64_t{blend} * 255;
    int64_t q = x / 100, r = x % 100;
    if (r < 0) {
        r += 100;
        --q;
    }
    if (r > 50 || (r == 50 && (q & 1))) ++q;
    if (q < 0) return 0;
    if (q > 255) return 255;
    return static_cast<int>(q);
}

int PercentFromAlpha(int alpha) { return static_cast<int>(std::lround(alpha * 100.0 / 255.0)); }

std::string ApplicationTitle(std::string_view name) {
    std::string title(name.substr(0, name.find('.')));
    // The first character keeps its case, whether it takes one byte or two.
    const std::size_t first =
        !title.empty() && IsSjisLeadByte(static_cast<unsigned char>(title[0])) ? 2 : 1;
    for (std::size_t i = first; i < title.size(); ++i) {
        const auto c = static_cast<unsigned char>(title[i]);
        if (IsSjisLeadByte(c) && i + 1 < title.size()) {
            ++i;
        } else if (c >= 'A' && c <= 'Z') {
            title[i] = static_cast<char>(c + ('a' - 'A'));
        }
    }
    return title;
}

std::string ApplicationTitleOfPath(std::string_view exePath, std::string_view separators) {
    return ApplicationTitle(ExtractFileName(exePath, separators));
}

}  // namespace tw
