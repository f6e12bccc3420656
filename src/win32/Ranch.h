// The launcher bar on the Windows API: a borderless, always-on-top layered
// tool window with a menu bar, the header control and Timer1. It turns each
// window message into one call of the bar's presenter and each view call
// into one change of a window or control.
#pragma once

#include <array>
#include <string>

#include "forms/bar.h"
#include "win32/winapi.h"

namespace tw::win32 {

class TForm1 : private IBarView {
public:
    // Creates the window hidden, owned by `application` (the hidden
    // application window), and runs FormCreate.
    TForm1(HINSTANCE instance, HWND application, const Services& services, HFONT font);
    ~TForm1() override;
    TForm1(const TForm1&) = delete;
    TForm1& operator=(const TForm1&) = delete;

    BarPresenter& presenter() { return presenter_; }
    HWND Handle() const { return hwnd_; }
    // Shows the bar and gives it the keyboard.
    void Show();

    static constexpr const wchar_t* kClassName = L"TForm1";

private:
    // IBarView.
    WindowHandle Owner() const override { return hwnd_; }
    void SetGroupCaption(int g, const std::string& sjis) override;
    void SetGroupVisible(int g, bool visible) override;
    void SetItemCaption(int g, int i, const std::string& sjis, bool separator) override;
    void SetItemVisible(int g, int i, bool visible) override;
    void SetFixedCaptions(const FixedCaptions& captions) override;
    void SetExpandVisible(bool visible) override;
    Rect Geometry() const override;
    void SetGeometry(const Rect& r) override;
    void StayOnAllDesktops() override {}
    void SetAlpha(int alpha) override;
    void SetColor(uint32_t color) override;
    void Close() override;
    void ShowHeader(bool visible) override;
    int HeaderSectionWidth(int section) const override;
    void SetHeaderSectionWidth(int section, int width) override;
    void SetHeaderText(int section, const std::string& utf8) override;
    int HeaderTextHeight() const override;
    int HeaderHeight() const override { return headerHeight_; }
    void SetHeaderHeight(int height) override;
    bool StartTimer1(int periodMs) override;
    void StopTimer1() override;

    static LRESULT CALLBACK WndProc(HWND w, UINT msg, WPARAM wp, LPARAM lp);
    static LRESULT CALLBACK HeaderProc(HWND w, UINT msg, WPARAM wp, LPARAM lp);
    LRESULT OnMessage(UINT msg, WPARAM wp, LPARAM lp);
    void OnCommand(int id);
    void CreateHeader();
    void LayoutHeader();
    // The menu bar is rebuilt from the captions and visibility once the
    // current message is done, so a load rebuilds it once.
    void MenuChanged();
    void RebuildMenu();

    struct Entry {
        std::wstring caption;
        bool separator = false;
        bool visible = false;
    };
    struct Group {
        std::wstring caption;
        bool visible = false;
        std::array<Entry, 10> items;  // 1..9
    };
    std::array<Group, 10> groups_;  // 1..9
    FixedCaptions fixed_;
    bool expandVisible_ = false;
    bool menuPending_ = false;

    HWND hwnd_ = nullptr;
    HWND header_ = nullptr;
    WNDPROC headerProc_ = nullptr;
    HFONT font_ = nullptr;
    HBRUSH brush_ = nullptr;
    int headerHeight_ = 62;
    bool headerVisible_ = true;
    std::array<std::wstring, 4> headerTexts_;
    BarPresenter presenter_;
};

}  // namespace tw::win32
