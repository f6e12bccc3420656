#include "core/settingsfile.h"

#include "core/inifile.h"
#include "core/text.h"

namespace tw {

namespace {

const std::string_view kDigits[] = {"0", "1", "2", "3", "4", "5", "6", "7", "8", "9"};

std::string Cat(std::string_view a, int n) { return std::string(a).append(kDigits[n]); }
std::string Cat(std::string_view a, int n, int m) { return Cat(a, n).append(kDigits[m]); }

int32_t ReadInt(IProfile& p, std::string_view path, std::string_view key, int32_t def) {
    const std::string text = p.Read(path, "Window", key, "");
    return TryStrToInt(text).value_or(def);
}

bool ReadBool(IProfile& p, std::string_view path, std::string_view key) {
    return ReadInt(p, path, key, 0) != 0;
}

// Queues [Data] File = `path` in the pointer file: the one place that key is
// written. Throws "%s に書き込めません" when the pointer file cannot take it.
void StagePointer(IProfile& p, const std::string& pointer, std::string_view path) {
    if (p.Write(pointer, "Data", "File", path)) return;
    p.Discard(pointer);
    throw CannotWrite(pointer);
}

}  // namespace

std::string DefaultGroupName(int g) { return Cat("Group", g); }
std::string DefaultItemCaption(int i) { return Cat("Item", i); }

Configuration DefaultConfiguration() {
    Configuration c;
    for (int g = 1; g <= 9; ++g) {
        c.grid.groupNames[g] = DefaultGroupName(g);
        for (int i = 1; i <= 9; ++i) c.grid.captions[g][i] = DefaultItemCaption(i);
    }
    return c;
}

void GridToBar(const MenuGrid& grid, BarStrings& captions, BarStrings& targets) {
    for (int g = 1; g <= 9; ++g) {
        captions[g] = grid.groupNames[g];
        for (int i = 1; i <= 9; ++i) {
            captions[BarIndex(g, i)] = grid.captions[g][i];
            targets[BarIndex(g, i)] = grid.targets[g][i];
        }
    }
}

MenuGrid GridFromBar(const BarStrings& captions, const BarStrings& targets) {
    MenuGrid grid;
    for (int g = 1; g <= 9; ++g) {
        grid.groupNames[g] = captions[g];
        for (int i = 1; i <= 9; ++i) {
            grid.captions[g][i] = captions[BarIndex(g, i)];
            grid.targets[g][i] = targets[BarIndex(g, i)];
        }
    }
    return grid;
}

std::string PointerFilePath(std::string_view appDir) {
    return std::string(appDir).append(kPointerFileName);
}

std::string ReadActivePath(IProfile& profile, std::string_view appDir, bool* cut) {
    const std::string pointer = PointerFilePath(appDir);
    IProfile::Value path =
        profile.ReadValue(pointer, "Data", "File", std::string(appDir).append(kDefaultSettingsName));
    profile.Flush(pointer);
    if (cut) *cut = path.cut;
    return std::move(path.text);
}

Configuration ReadConfiguration(IProfile& p, std::string_view path) {
    Configuration c;
    for (int g = 1; g <= 9; ++g) {
        c.grid.groupNames[g] = p.Read(path, "GroupName", Cat("Section", g), DefaultGroupName(g));
        const std::string section = Cat("Group", g);
        for (int i = 1; i <= 9; ++i) {
            c.grid.captions[g][i] = p.Read(path, section, Cat("Item", g, i), DefaultItemCaption(i));
            c.grid.targets[g][i] = p.Read(path, section, Cat("ItemValue", g, i), "");
        }
    }
    WindowOptions& w = c.window;
    w.showBottom = ReadBool(p, path, "ShowBottom");
    w.strech = ReadBool(p, path, "Strech");
    w.sysInfo = ReadBool(p, path, "SysInfo");
    w.color = ReadInt(p, path, "Color", 255);
    w.size = ReadInt(p, path, "Size", 20);
    w.blend = ReadInt(p, path, "Blend", 100);
    w.showJapanese = ReadBool(p, path, "ShowJapanese");
    p.Flush(path);
    return c;
}

void WriteConfiguration(IProfile& p, std::string_view appDir, std::string_view path,
                        const Configuration& c) {
    const std::string pointer = PointerFilePath(appDir);
    const auto refuse = [&](std::string_view failed) {
        p.Discard(path);
        p.Discard(pointer);
        return CannotWrite(failed);
    };
    StagePointer(p, pointer, path);
    const auto put = [&](std::string_view section, std::string_view key, std::string_view value) {
        if (!p.Write(path, section, key, value)) throw refuse(path);
    };
    for (int g = 1; g <= 9; ++g) {
        put("GroupName", Cat("Section", g), c.grid.groupNames[g]);
        const std::string section = Cat("Group", g);
        for (int i = 1; i <= 9; ++i) {
            put(section, Cat("Item", g, i), c.grid.captions[g][i]);
            put(section, Cat("ItemValue", g, i), c.grid.targets[g][i]);
        }
    }
    const WindowOptions& w = c.window;
    put("Window", "ShowBottom", w.showBottom ? "1" : "0");
    put("Window", "Strech", w.strech ? "1" : "0");
    put("Window", "SysInfo", w.sysInfo ? "1" : "0");
    put("Window", "Color", std::to_string(w.color));
    put("Window", "Size", std::to_string(w.size));
    put("Window", "Blend", std::to_string(w.blend));
    put("Window", "ShowJapanese", w.showJapanese ? "1" : "0");

    // Both files are written out in full and flushed before either original
    // is replaced, so a full disk, a refused file or any other failure up to
    // that point leaves both as they were. Then the settings file is renamed
    // into place, and the pointer file last. What remains is a failure of the
    // pointer file's rename itself (or of its folder's flush): the new
    // settings file is in place under its own name and the pointer still
    // names the file it named before. Both files are whole, so the next load
    // reads a complete configuration, the old one when the save went to
    // another file. A failed flush of the settings file's folder stops the
    // save before the pointer file is touched.
    const std::string_view files[] = {path, pointer};
    if (const auto failed = p.FlushTogether(files)) throw CannotWrite(files[*failed]);
}

void WritePointer(IProfile& p, std::string_view appDir, std::string_view path) {
    const std::string pointer = PointerFilePath(appDir);
    StagePointer(p, pointer, path);
    if (!p.Flush(pointer)) throw CannotWrite(pointer);
}

void RequirePathFits(std::string_view sjisPath) {
    if (sjisPath.size() <= kMaxProfileValue) return;
    throw UserError("'" + SjisToUtf8ForDisplay(sjisPath) + "' は長すぎます (" +
                    std::to_string(kMaxProfileValue) + " バイトまで)");
}

void RequireOneLine(std::string_view sjis) {
    if (sjis.find_first_of(std::string_view("\r\n\0", 3)) == std::string_view::npos) return;
    std::string shown;
    for (char c : sjis) {
        if (c == '\r') shown += "\\r";
        else if (c == '\n') shown += "\\n";
        else if (c == '\0') shown += "\\0";
        else shown += c;
    }
    throw UserError("'" + SjisToUtf8ForDisplay(shown) +
                    "' には改行か NUL 文字があるため設定ファイルに書けません");
}

}  // namespace tw
