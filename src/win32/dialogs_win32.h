// The message boxes and dialogs on the Windows API. A box's owner is the
// window handle of the view that asks for it (the views' Owner()).
#pragma once

#include <string>

#include "core/screen.h"
#include "forms/dialogs.h"

namespace tw::win32 {

class Win32Dialogs : public IDialogs {
public:
    // `titleUtf8` is the application title, the caption of notices and
    // errors; boxes stand in the middle of `screen`'s work area; `font` is
    // the input box's face.
    Win32Dialogs(std::string titleUtf8, IScreen& screen, std::wstring face)
        : title_(std::move(titleUtf8)), screen_(screen), face_(std::move(face)) {}

    // MessageBoxW with MB_YESNO and a question icon, its buttons renamed.
    bool Confirm(WindowHandle owner, const std::string& text) override;
    // MessageBoxW with MB_OK and no icon.
    void Information(WindowHandle owner, const std::string& text) override;
    // MessageBoxW with MB_OK and the stop icon.
    void Error(WindowHandle owner, const std::string& text) override;
    // A dialog built in memory: prompt, edit field, "OK", "キャンセル".
    std::optional<std::string> InputBox(WindowHandle owner, const std::string& caption,
                                        const std::string& prompt, const std::string& text) override;
    // ChooseColorW; the custom colours last as long as the program.
    std::optional<uint32_t> ChooseColor(WindowHandle owner, uint32_t preset) override;
    // GetOpenFileNameW, resizable, without the read-only check box.
    std::optional<std::string> OpenFile(WindowHandle owner, const std::string& filter,
                                        const std::string& initialDir) override;

private:
    int Box(WindowHandle owner, const std::string& text, const std::string& caption,
            unsigned type, bool renameYesNo);

    std::string title_;
    IScreen& screen_;
    std::wstring face_;
    unsigned long customColors_[16] = {};
};

}  // namespace tw::win32
