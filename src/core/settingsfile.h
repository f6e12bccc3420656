// The pointer file and the settings files: every key, its encoding and its
// default.
#pragma once

#include <array>
#include <cstdint>
#include <string>
#include <string_view>

#include "core/profile.h"

namespace tw {

inline constexpr std::string_view kPointerFileName = "DataFile.ini";
inline constexpr std::string_view kDefaultSettingsName = "Sample.ini";

struct WindowOptions {
    bool showBottom = false;
    bool strech = false;
    bool sysInfo = false;
    int32_t color = 255;
    int32_t size = 20;
    int32_t blend = 100;
    bool showJapanese = false;
    friend bool operator==(const WindowOptions&, const WindowOptions&) = default;
};

// Nine groups of nine entries, indexed 1..9 (index 0 unused).
struct MenuGrid {
    std::array<std::string, 10> groupNames;
    std::array<std::array<std::string, 10>, 10> captions;
    std::array<std::array<std::string, 10>, 10> targets;
    friend bool operator==(const MenuGrid&, const MenuGrid&) = default;
};

// The bar holds the grid in two flat arrays: captions[g] is the name of
// group g, captions[g * 9 + i] and targets[g * 9 + i] the caption and the
// target of its entry i; captions[0] (the active settings file) is not part
// of the grid. These are the one place that layout is spelt out.
using BarStrings = std::array<std::string, 91>;
constexpr int BarIndex(int group, int item) { return group * 9 + item; }
void GridToBar(const MenuGrid& grid, BarStrings& captions, BarStrings& targets);
MenuGrid GridFromBar(const BarStrings& captions, const BarStrings& targets);

struct Configuration {
    MenuGrid grid;
    WindowOptions window;
    friend bool operator==(const Configuration&, const Configuration&) = default;
};

// "Group" + g and "Item" + i: the names that hide a group or an entry.
std::string DefaultGroupName(int g);
std::string DefaultItemCaption(int i);

// A configuration with every default.
Configuration DefaultConfiguration();

std::string PointerFilePath(std::string_view appDir);

// The active settings-file path named by the pointer file; appDir +
// "Sample.ini" when the file, the section or the key is absent. `cut`, when
// given, tells whether the path in the file was longer than a value can be,
// so that what was read names some other file: such a path is shown but
// neither read nor written.
std::string ReadActivePath(IProfile& profile, std::string_view appDir, bool* cut = nullptr);

// Every key of a settings file, each defaulted on its own.
Configuration ReadConfiguration(IProfile& profile, std::string_view path);

// Writes all 178 keys into the settings file at `path` and points the
// pointer file at it, both as one (IProfile::FlushTogether). On failure
// throws UserError ("%s に書き込めません", the path of the file that failed)
// and, but for a failed final rename, neither file has changed.
void WriteConfiguration(IProfile& profile, std::string_view appDir, std::string_view path,
                        const Configuration& config);

// Writes only [Data] File of the pointer file; throws UserError on failure.
void WritePointer(IProfile& profile, std::string_view appDir, std::string_view path);

// A path longer than a value of the pointer file can hold (2047 bytes) is
// refused where it enters: "'%s' は長すぎます (2047 バイトまで)".
void RequirePathFits(std::string_view sjisPath);

// A name or value the files' line syntax cannot hold (a line break or a NUL
// in it) is refused where it enters: "'%s' には改行か NUL 文字があるため設定
// ファイルに書けません", the breaks shown as \r, \n and \0. Nothing else is checked.
void RequireOneLine(std::string_view sjis);

}  // namespace tw
