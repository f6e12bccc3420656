#include <gtest/gtest.h>

#include <climits>

#include "core/barrules.h"
#include "core/text.h"

namespace tw {
namespace {

TEST(BarRules, AlphaFromBlendRoundsHalfToEvenAndClamps) {
    const std::pair<int, int> table[] = {{100, 255}, {90, 230}, {70, 178}, {50, 128}, {30, 76},
                                         {10, 26},   {1, 3},    {0, 0},    {101, 255}, {1000, 255},
                                         {-5, 0},    {-1, 0},   {INT32_MAX, 255}, {INT32_MIN, 0}};
    for (auto [blend, alpha] : table) EXPECT_EQ(AlphaFromBlend(blend), alpha) << blend;
    // The percent read back from the alpha is the stored percent again.
    for (int b = 0; b <= 100; ++b) EXPECT_EQ(PercentFromAlpha(AlphaFromBlend(b)), b);
}

TEST(BarRules, GeometryFormulas) {
    const Rect bottomBar{0, 0, 1024, 738};  // task bar along the bottom
    const Rect topBar{0, 30, 1024, 738};    // task bar along the top
    EXPECT_EQ(CreationGeometry(1280), (Rect{0, 0, 1280, 20}));
    EXPECT_EQ(PlaceAtLoad(false, 20, 0, bottomBar), (Rect{0, 0, 1024, 20}));
    EXPECT_EQ(PlaceAtLoad(true, 20, 0, bottomBar), (Rect{0, 718, 1024, 20}));
    EXPECT_EQ(PlaceAtLoad(true, 20, 15, bottomBar), (Rect{0, 703, 1024, 35}));
    // The work-area height serves as the coordinate, not its lower edge.
    EXPECT_EQ(PlaceAtLoad(true, 20, 0, topBar), (Rect{0, 718, 1024, 20}));
    EXPECT_EQ(PlaceAtLoad(false, 20, 0, topBar), (Rect{0, 0, 1024, 20}));
    EXPECT_EQ(Collapsed({0, 718, 1024, 20}, bottomBar), (Rect{0, 0, 1, 738}));
    EXPECT_EQ(Collapsed({7, 718, 1024, 20}, bottomBar), (Rect{7, 0, 1, 738}));
    EXPECT_EQ(Expanded({0, 0, 1, 738}, true, 20, 15, bottomBar), (Rect{0, 703, 1024, 35}));
    EXPECT_EQ(Expanded({3, 0, 1, 738}, false, 20, 0, topBar), (Rect{3, 0, 1024, 20}));
}

TEST(BarRules, PlacementOfExtremeSizesStaysInTheCoordinateRange) {
    const Rect area{0, 0, 1024, 738};
    EXPECT_EQ(PlaceAtLoad(false, INT32_MAX, 15, area), (Rect{0, 0, 1024, kMaxCoordinate}));
    EXPECT_EQ(PlaceAtLoad(true, INT32_MAX, 15, area), (Rect{0, kMinCoordinate, 1024, kMaxCoordinate}));
    EXPECT_EQ(PlaceAtLoad(true, INT32_MIN, 15, area),
              (Rect{0, kMaxCoordinate, 1024, kMinCoordinate}));
    EXPECT_EQ(Expanded({7, 0, 1, 738}, true, INT32_MIN, 0, area).top, kMaxCoordinate);
}

TEST(BarRules, WindowsStandInTheMiddleOfTheWorkArea) {
    EXPECT_EQ(CentredIn({0, 30, 1024, 738}, 706, 495), (Rect{159, 151, 706, 495}));
    EXPECT_EQ(CentredIn({1920, 0, 1280, 1024}, 175, 257), (Rect{1920 + 552, 383, 175, 257}));
}

TEST(BarRules, ApplicationTitle) {
    EXPECT_EQ(ApplicationTitle("tamblewick"), "tamblewick");
    EXPECT_EQ(ApplicationTitle("TAMBLEWICK.EXE"), "Tamblewick");
    EXPECT_EQ(ApplicationTitle("My.App.exe"), "My");
    EXPECT_EQ(ApplicationTitle(""), "");
    // ア is 83 41: its second byte is no letter; the next character is one.
    EXPECT_EQ(ApplicationTitle(Sjis("アBC.EXE")), Sjis("アbc"));
    // From the full path: the name is found in Shift-JIS characters, so a
    // folder or a name whose bytes look like other characters is no trap.
    EXPECT_EQ(ApplicationTitleOfPath(Sjis("/opt/丁AB"), kPosixSeparators), Sjis("丁ab"));
    EXPECT_EQ(ApplicationTitleOfPath(Sjis("C:\\表\\ランチャー.EXE"), kWindowsSeparators),
              Sjis("ランチャー"));
}

}  // namespace
}  // namespace tw
