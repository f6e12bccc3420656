// Message boxes and dialogs with Qt. The owner of a box is the QWidget of the
// window that asks for it.
#pragma once

#include <QString>

#include "core/screen.h"
#include "forms/dialogs.h"

namespace tw {

class QtDialogs : public IDialogs {
public:
    // `title` is the application title, the caption of notices and errors.
    explicit QtDialogs(QString title) : title_(std::move(title)) {}
    // The screen whose work area the boxes stand in the middle of; Qt's
    // primary screen until set.
    void SetScreen(IScreen* screen) { screen_ = screen; }
    bool Confirm(WindowHandle owner, const std::string& text) override;
    void Information(WindowHandle owner, const std::string& text) override;
    void Error(WindowHandle owner, const std::string& text) override;
    std::optional<std::string> InputBox(WindowHandle owner, const std::string& caption,
                                        const std::string& prompt, const std::string& text) override;
    std::optional<uint32_t> ChooseColor(WindowHandle owner, uint32_t preset) override;
    std::optional<std::string> OpenFile(WindowHandle owner, const std::string& filter,
                                        const std::string& initialDir) override;

private:
    QString title_;
    IScreen* screen_ = nullptr;
};

}  // namespace tw
