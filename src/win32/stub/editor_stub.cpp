#include "stub/editor_stub.h"

namespace tw::win32 {

TForm2::TForm2(HINSTANCE instance, BarPresenter& bar, HFONT)
    : presenter_(*this, *this, bar) {
    WNDCLASSEXW wc{};
    wc.cbSize = sizeof wc;
    wc.lpfnWndProc = DefWindowProcW;
    wc.hInstance = instance;
    wc.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1);
    wc.lpszClassName = L"TForm2";
    RegisterClassExW(&wc);
    hwnd_ = CreateWindowExW(0, L"TForm2", L"Tamblewick 設定", WS_OVERLAPPEDWINDOW, CW_USEDEFAULT,
                            CW_USEDEFAULT, 706, 495, nullptr, nullptr, instance, nullptr);
}

TForm2::~TForm2() {
    if (IsWindow(hwnd_)) DestroyWindow(hwnd_);
}

void TForm2::ShowInFront() {
    const bool wasHidden = !IsWindowVisible(hwnd_);
    ShowWindow(hwnd_, SW_SHOW);
    SetForegroundWindow(hwnd_);
    if (wasHidden) presenter_.FormShow();
}

}  // namespace tw::win32
