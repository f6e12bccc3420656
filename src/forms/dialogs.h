// Modal boxes and dialogs, behind one interface that any front end implements
// and tests answer. Every text here is UTF-8: the program's own messages are
// written in it, and a name typed by the user may hold characters Shift-JIS
// cannot, which the presenters refuse with a message naming them.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace tw {

// The window a box belongs to, as its front end knows it (the view's Owner()).
using WindowHandle = const void*;

class IDialogs {
public:
    virtual ~IDialogs() = default;
    // Confirmation box: caption "確認", question icon, "はい(&Y)" (default)
    // and "いいえ(&N)". True only for はい.
    virtual bool Confirm(WindowHandle owner, const std::string& text) = 0;
    // Information box: application title, no icon, one "OK".
    virtual void Information(WindowHandle owner, const std::string& text) = 0;
    // General error box: application title, stop icon, one "OK". The text
    // arrives complete (see ErrorBoxText).
    virtual void Error(WindowHandle owner, const std::string& text) = 0;
    // Input box with "OK" (default) and "キャンセル"; the text field takes
    // at most 255 characters. nullopt when not confirmed.
    virtual std::optional<std::string> InputBox(WindowHandle owner, const std::string& caption,
                                                const std::string& prompt,
                                                const std::string& text) = 0;
    // Colour dialog opening on `preset` (0x00BBGGRR); the chosen colour, or nullopt.
    virtual std::optional<uint32_t> ChooseColor(WindowHandle owner, uint32_t preset) = 0;
    // File-open dialog with a "description|pattern" filter; the chosen full
    // path (which need not exist), or nullopt.
    virtual std::optional<std::string> OpenFile(WindowHandle owner, const std::string& filter,
                                                const std::string& initialDir) = 0;
};

// The general error box's rule: "." is appended when the text's last
// character sorts after "." (every Japanese character does).
std::string ErrorBoxText(std::string_view utf8);

// Shows an error in the general error box.
inline void ShowError(IDialogs& dialogs, WindowHandle owner, std::string_view utf8) {
    dialogs.Error(owner, ErrorBoxText(utf8));
}

// A Shift-JIS text for a box: bytes that are not Shift-JIS show as \xNN.
std::string DisplayUtf8(std::string_view sjis);

}  // namespace tw
