// The launcher's model: the program directory, the menu grid, the window
// options and the active settings file. The bar's presenter owns it and
// changes it only by loading the settings files again, except for the active
// path, which the editor sets when it saves under a new name or picks a file.
#pragma once

#include <cstdint>
#include <string>

#include "core/settingsfile.h"

namespace tw {

struct Model {
    std::string FAppDir;  // ends in a separator
    BarStrings FCaptions;  // [0] the active settings file, [g] group names, [g*9+i] entries
    // The pointer file's path was too long and was cut: FCaptions[0] is
    // shown, but the file it names is neither read nor written.
    bool FActivePathCut = false;
    BarStrings FTargets;   // indexed 10..90
    bool FShowBottom = false;
    bool FStrech = false;
    bool FSysInfo = false;
    int32_t FBarSize = 20;
    uint32_t FBarColor = 255;
    bool FShowJapanese = false;
    int alphaBlendValue = 255;  // the window's 8-bit alpha
};

}  // namespace tw
