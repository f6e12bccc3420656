// Fake views and services for the presenters' tests: no display, no disk.
#pragma once

#include <algorithm>
#include <chrono>
#include <deque>
#include <map>
#include <optional>
#include <string>
#include <vector>

#include "core/bufferedprofile.h"
#include "core/text.h"
#include "forms/barview.h"
#include "forms/chooserview.h"
#include "forms/editorview.h"
#include "forms/services.h"

namespace tw::test {

// Files held in memory, by Shift-JIS path.
struct MemoryDisk {
    static std::map<std::string, std::string>& Files() {
        static std::map<std::string, std::string> files;
        return files;
    }
    static std::map<std::string, bool>& ReadOnly() {
        static std::map<std::string, bool> readOnly;
        return readOnly;
    }
    // Files for whose new content the disk has no room.
    static std::map<std::string, bool>& Full() {
        static std::map<std::string, bool> full;
        return full;
    }
    using Name = std::string;
    struct Replacement {
        std::string name, data;
        bool Commit() {
            Files()[name] = data;
            return true;
        }
    };
    static std::optional<Name> Convert(std::string_view sjis) { return std::string(sjis); }
    static ReadResult ReadWhole(const Name& name, std::string& bytes) {
        const auto it = Files().find(name);
        if (it == Files().end()) return ReadResult::Absent;
        bytes = it->second;
        return ReadResult::Read;
    }
    static bool CanWrite(const Name& name) { return !ReadOnly()[name]; }
    static std::optional<Replacement> Prepare(const Name& name, std::string_view data) {
        if (Full()[name]) return std::nullopt;
        return Replacement{name, std::string(data)};
    }
    // One process: the lock is always had.
    struct Lock {};
    static std::optional<Name> LockName(const Name& name) { return name + ".lock"; }
    static std::optional<Lock> Acquire(const Name&, std::chrono::steady_clock::time_point) {
        return Lock{};
    }
};

struct MemoryFiles : IFileSystem {
    std::vector<std::string> specials;
    std::vector<std::string> deleted;
    std::vector<FindEntry> listing;  // FindFiles' answer
    std::string listedDir, listedMask;
    bool FileExists(std::string_view p) override { return MemoryDisk::Files().count(std::string(p)); }
    std::optional<uint64_t> ContentStamp(std::string_view p) override {
        const auto it = MemoryDisk::Files().find(std::string(p));
        if (it == MemoryDisk::Files().end()) return std::nullopt;
        return StampOf(it->second);
    }
    bool DirectoryExists(std::string_view) override { return true; }
    bool IsSpecialFile(std::string_view p) override {
        for (const auto& s : specials)
            if (s == p) return true;
        return false;
    }
    std::vector<FindEntry> FindFiles(std::string_view dir, std::string_view mask) override {
        listedDir = dir;
        listedMask = mask;
        return listing;
    }
    bool DeleteFile(std::string_view p) override {
        deleted.emplace_back(p);
        return MemoryDisk::Files().erase(std::string(p)) > 0;
    }
};

struct FakeShell : IShell {
    std::vector<ShellRequest> calls;
    bool ShellExecute(const ShellRequest& r) override {
        calls.push_back(r);
        return true;
    }
};

// A screen of 1024 x 768 with a task bar 30 pixels high at the bottom.
struct FakeScreen : IScreen {
    int width = 1024;
    Rect workArea{0, 0, 1024, 738};
    int ScreenWidth() override { return width; }
    Rect WorkArea() override { return workArea; }
};

struct FakeStatus : ISystemStatus {
    std::map<char, int64_t> total{{'C', 80023715840}}, free{{'C', 35401232384}};
    bool hasD = false;
    MemoryStatus memory{2147483648u, 1073741824u};
    LocalTime now{2026, 12, 6, 9, 5, 3};
    Separators separators;
    int queries = 0;  // space queries
    int64_t DiskTotalBytes(char d) override {
        ++queries;
        return total.count(d) ? total[d] : -1;
    }
    int64_t DiskFreeBytes(char d) override {
        ++queries;
        return free.count(d) ? free[d] : -1;
    }
    bool DriveExists(char d) override { return d == 'C' || (d == 'D' && hasD); }
    MemoryStatus Memory() override { return memory; }
    LocalTime Now() override { return now; }
    Separators ReadSeparators() override { return separators; }
};

// Answers the boxes from queues (empty: いいえ or cancelled) and records them.
struct FakeDialogs : IDialogs {
    struct Shown {
        std::string kind, text;
        WindowHandle owner;
    };
    std::vector<Shown> shown;
    std::deque<bool> confirmAnswers;
    std::deque<std::optional<std::string>> inputs, files;
    std::deque<std::optional<uint32_t>> colors;
    std::string lastCaption, lastPrompt, lastFilter, lastInitialDir;
    uint32_t lastPreset = 0;

    template <class T>
    static T Next(std::deque<T>& q) {
        T v{};
        if (!q.empty()) {
            v = std::move(q.front());
            q.pop_front();
        }
        return v;
    }
    bool Confirm(WindowHandle o, const std::string& t) override {
        shown.push_back({"confirm", t, o});
        return Next(confirmAnswers);
    }
    void Information(WindowHandle o, const std::string& t) override { shown.push_back({"info", t, o}); }
    void Error(WindowHandle o, const std::string& t) override { shown.push_back({"error", t, o}); }
    std::optional<std::string> InputBox(WindowHandle o, const std::string& caption,
                                        const std::string& prompt, const std::string& t) override {
        lastCaption = caption;
        lastPrompt = prompt;
        shown.push_back({"input", t, o});
        return Next(inputs);
    }
    std::optional<uint32_t> ChooseColor(WindowHandle o, uint32_t preset) override {
        lastPreset = preset;
        shown.push_back({"color", std::to_string(preset), o});
        return Next(colors);
    }
    std::optional<std::string> OpenFile(WindowHandle o, const std::string& filter,
                                        const std::string& dir) override {
        lastFilter = filter;
        lastInitialDir = dir;
        shown.push_back({"open", filter, o});
        return Next(files);
    }
    std::vector<std::string> Texts(const std::string& kind) const {
        std::vector<std::string> out;
        for (const auto& s : shown)
            if (s.kind == kind) out.push_back(s.text);
        return out;
    }
};

struct FakeBarView : IBarView {
    struct Item {
        std::string caption;
        bool separator = false, visible = true;
    };
    std::string groupCaption[10];
    bool groupVisible[10] = {true, true, true, true, true, true, true, true, true, true};
    Item items[10][10];
    FixedCaptions fixed;
    bool expandVisible = true;
    Rect geometry;
    std::vector<Rect> geometries;  // every placement, in order
    int alpha = 255;
    uint32_t color = 0xFF;
    bool closed = false;
    bool headerShown = true;
    int widths[4] = {150, 300, 300, 0};
    std::string texts[4];
    int textHeight = 12, headerHeight = 17;
    bool timer = false, timerAvailable = true;
    int timerPeriod = 0;

    WindowHandle Owner() const override { return this; }
    void SetGroupCaption(int g, const std::string& s) override { groupCaption[g] = s; }
    void SetGroupVisible(int g, bool v) override { groupVisible[g] = v; }
    void SetItemCaption(int g, int i, const std::string& s, bool sep) override {
        items[g][i].caption = s;
        items[g][i].separator = sep;
    }
    void SetItemVisible(int g, int i, bool v) override { items[g][i].visible = v; }
    void SetFixedCaptions(const FixedCaptions& c) override { fixed = c; }
    void SetExpandVisible(bool v) override { expandVisible = v; }
    Rect Geometry() const override { return geometry; }
    void SetGeometry(const Rect& r) override {
        geometry = r;
        geometries.push_back(r);
    }
    int stayRequests = 0;  // asks to stay on every workspace
    void StayOnAllDesktops() override { ++stayRequests; }
    void SetAlpha(int a) override { alpha = a; }
    void SetColor(uint32_t c) override { color = c; }
    void Close() override { closed = true; }
    void ShowHeader(bool v) override { headerShown = v; }
    int HeaderSectionWidth(int s) const override { return widths[s]; }
    void SetHeaderSectionWidth(int s, int w) override { widths[s] = w; }
    void SetHeaderText(int s, const std::string& t) override { texts[s] = t; }
    int HeaderTextHeight() const override { return textHeight; }
    int HeaderHeight() const override { return headerHeight; }
    void SetHeaderHeight(int h) override { headerHeight = h; }
    bool StartTimer1(int period) override {
        timerPeriod = period;
        timer = timerAvailable;
        return timerAvailable;
    }
    void StopTimer1() override { timer = false; }
};

struct FakeChooserView : IChooserView {
    std::vector<std::string> entries;
    int selected = -1;
    int rowHeight = 12;
    int outerX = 100, outerY = 50;
    std::optional<std::pair<int, int>> popupAt;
    bool shown = false;
    int shows = 0;
    WindowHandle Owner() const override { return this; }
    void SetEntries(const std::vector<std::string>& e) override {
        entries = e;
        selected = -1;
    }
    int SelectedIndex() const override { return selected; }
    void SelectIndex(int i) override { selected = i; }
    int EntryAt(int, int y) const override {
        const int row = y / rowHeight;
        return y >= 0 && row < static_cast<int>(entries.size()) ? row : -1;
    }
    void OuterTopLeft(int& x, int& y) const override {
        x = outerX;
        y = outerY;
    }
    void PopupMenu1Popup(int x, int y) override { popupAt = std::make_pair(x, y); }
    void ShowInFront() override {
        shown = true;
        ++shows;
    }
    void Hide() override { shown = false; }
};

}  // namespace tw::test
