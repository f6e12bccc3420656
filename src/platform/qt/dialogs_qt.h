// Message boxes and dialogs with Qt.
#pragma once

#include "core/screen.h"
#include "platform/dialogs.h"

namespace tw {

class QtDialogs : public IDialogs {
public:
    // `title` is the application title, the caption of notices and errors.
    explicit QtDialogs(QString title) : title_(std::move(title)) {}
    // The screen whose work area the boxes stand in the middle of; Qt's
    // primary screen until set.
    void SetScreen(IScreen* screen) { screen_ = screen; }
    bool Confirm(QWidget* parent, const QString& text) override;
    void Information(QWidget* parent, const QString& text) override;
    void Error(QWidget* parent, const QString& text) override;
    std::optional<QString> InputBox(QWidget* parent, const QString& caption, const QString& prompt,
                                    const QString& text) override;
    std::optional<QColor> ChooseColor(QWidget* parent, const QColor& preset) override;
    std::optional<QString> OpenFile(QWidget* parent, const QString& filter,
                                    const QString& initialDir) override;

private:
    QString title_;
    IScreen* screen_ = nullptr;
};

}  // namespace tw
