// The settings-file chooser on the Windows API: ListBox1, OK and Cancel, and
// the pop-up menu 削除. Each message becomes one call of its presenter.
#pragma once

#include "forms/chooser.h"
#include "win32/winapi.h"

namespace tw::win32 {

class TForm3 : private IChooserView {
public:
    // Creates the window hidden, owned by `application`, centred on the
    // screen's work area.
    TForm3(HINSTANCE instance, HWND application, BarPresenter& bar, HFONT font);
    ~TForm3() override;
    TForm3(const TForm3&) = delete;
    TForm3& operator=(const TForm3&) = delete;

    ChooserPresenter& presenter() { return presenter_; }
    HWND Handle() const { return hwnd_; }

    static constexpr const wchar_t* kClassName = L"TForm3";

private:
    WindowHandle Owner() const override { return hwnd_; }
    void SetEntries(const std::vector<std::string>& sjisNames) override;
    int SelectedIndex() const override;
    void SelectIndex(int index) override;
    int EntryAt(int x, int y) const override;
    void OuterTopLeft(int& x, int& y) const override;
    void PopupMenu1Popup(int screenX, int screenY) override;
    void ShowInFront() override;
    void Hide() override;

    static LRESULT CALLBACK WndProc(HWND w, UINT msg, WPARAM wp, LPARAM lp);
    static LRESULT CALLBACK ListProc(HWND w, UINT msg, WPARAM wp, LPARAM lp);
    LRESULT OnMessage(UINT msg, WPARAM wp, LPARAM lp);

    HWND hwnd_ = nullptr;
    HWND list_ = nullptr;
    WNDPROC listProc_ = nullptr;
    HMENU popup_ = nullptr;
    ChooserPresenter presenter_;
};

}  // namespace tw::win32
