// Modal boxes and dialogs, behind one interface so tests can answer them.
#pragma once

#include <QColor>
#include <QString>

#include <optional>

class QWidget;

namespace tw {

class IDialogs {
public:
    virtual ~IDialogs() = default;
    // Confirmation box: caption "確認", question icon, "はい(&Y)" (default)
    // and "いいえ(&N)". True only for はい.
    virtual bool Confirm(QWidget* parent, const QString& text) = 0;
    // Information box: application title, no icon, one "OK".
    virtual void Information(QWidget* parent, const QString& text) = 0;
    // General error box: application title, stop icon, one "OK". The text
    // arrives complete (see ShowError).
    virtual void Error(QWidget* parent, const QString& text) = 0;
    // Input box with "OK" (default) and "キャンセル"; the text field takes
    // at most 255 characters. nullopt when not confirmed.
    virtual std::optional<QString> InputBox(QWidget* parent, const QString& caption,
                                            const QString& prompt, const QString& text) = 0;
    // Colour dialog opening on `preset`; the chosen colour, or nullopt.
    virtual std::optional<QColor> ChooseColor(QWidget* parent, const QColor& preset) = 0;
    // File-open dialog; the chosen full path (which need not exist), or nullopt.
    virtual std::optional<QString> OpenFile(QWidget* parent, const QString& filter,
                                            const QString& initialDir) = 0;
};

// The general error box's rule: "." is appended when the text's last
// character sorts after "." (every Japanese character does).
QString ErrorBoxText(const QString& text);

// Shows an error in the general error box.
inline void ShowError(IDialogs& dialogs, QWidget* parent, const char* utf8) {
    dialogs.Error(parent, ErrorBoxText(QString::fromUtf8(utf8)));
}

}  // namespace tw
