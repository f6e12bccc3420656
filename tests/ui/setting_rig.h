// A bar and its settings editor over a temporary program directory, and
// helpers that act on the editor as the user does.
#pragma once

#include <QComboBox>
#include <QCoreApplication>
#include <QFocusEvent>
#include <QKeyEvent>
#include <QLineEdit>

#include <memory>
#include <string>

#include "fakes.h"
#include "ui/Ranch.h"
#include "ui/Setting.h"

namespace tw::test {

struct EditorRig {
    TestRig rig;
    std::unique_ptr<TForm1> bar;
    std::unique_ptr<TForm2> editor;

    // `sample` (UTF-8) becomes Sample.ini when not empty.
    explicit EditorRig(const std::string& sample = std::string()) {
        if (!sample.empty()) rig.WriteFile("Sample.ini", sample);
        bar = std::make_unique<TForm1>(rig.MakePlatform());
        editor = std::make_unique<TForm2>(*bar, rig.MakePlatform());
        bar->SetForms(editor.get(), nullptr);
    }
    ~EditorRig() {
        editor.reset();
        bar.reset();
    }
    // Full Shift-JIS path of a file in the program directory.
    std::string Path(const std::string& name) const { return rig.AppDir() + name; }
    QString QPath(const std::string& name) const { return QString::fromStdString(Path(name)); }
    TForm2& e() { return *editor; }
};

inline void Key(QWidget* w, int key, const QString& text = QString(),
                Qt::KeyboardModifiers mods = Qt::NoModifier) {
    QKeyEvent press(QEvent::KeyPress, key, mods, text);
    QCoreApplication::sendEvent(w, &press);
    QKeyEvent release(QEvent::KeyRelease, key, mods, text);
    QCoreApplication::sendEvent(w, &release);
}

// Types `text` key by key into `w` (a line edit or an editable list).
inline void Type(QWidget* w, const QString& text) {
    for (char32_t c : text.toUcs4()) {
        const int key = c < 0x80 ? QChar(c).toUpper().unicode() : int(Qt::Key_unknown);
        Key(w, key, QString::fromUcs4(&c, 1));
    }
}

inline QLineEdit* EditOf(QWidget* w) {
    if (auto* list = qobject_cast<QComboBox*>(w)) return list->lineEdit();
    return qobject_cast<QLineEdit*>(w);
}

// Selects all of the field's text and types `text` over it.
inline void Retype(QWidget* w, const QString& text) {
    EditOf(w)->selectAll();
    if (text.isEmpty()) Key(w, Qt::Key_Backspace, QStringLiteral("\b"));
    else Type(w, text);
}

inline void FocusOut(QWidget* w, Qt::FocusReason reason = Qt::TabFocusReason) {
    QFocusEvent out(QEvent::FocusOut, reason);
    QCoreApplication::sendEvent(w, &out);
}

inline QStringList Items(const QComboBox* list) {
    QStringList out;
    for (int k = 0; k < list->count(); ++k) out << list->itemText(k);
    return out;
}

inline QString Q(const char* utf8) { return QString::fromUtf8(utf8); }

}  // namespace tw::test
