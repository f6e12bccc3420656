// A bar and its shown settings editor over a temporary program directory,
// and helpers that act on the editor as the user does.
#pragma once

#include <QComboBox>
#include <QCoreApplication>
#include <QFocusEvent>
#include <QKeyEvent>
#include <QLineEdit>

#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

#include "fakes.h"
#include "ui/Ranch.h"
#include "ui/Setting.h"

namespace tw::test {

inline constexpr char kSample[] =
    "[GroupName]\nSection1=アプリ\nSection2=フォルダ\nSection3=Web\n"
    "[Group1]\nItem11=エディタ\nItemValue11=/usr/bin/editor\nItem12=表計算\nItemValue12=/opt/calc\n"
    "[Group2]\nItem21=ホーム\nItemValue21=/home\n[Group3]\nItem31=検索\nItemValue31=http://x.org/\n"
    "[Window]\nShowBottom=1\nStrech=0\nSysInfo=1\nColor=65280\nSize=60\nBlend=100\n";

// Members go in reverse order: the editor, then the bar, then the folder.
struct EditorRig {
    TestRig rig;
    std::unique_ptr<TForm1> bar;
    std::unique_ptr<TForm2> editor;

    // `sample` (UTF-8) becomes Sample.ini, named by the pointer file; the
    // editor is then shown.
    explicit EditorRig(const std::string& sample = kSample) {
        rig.WriteFile("Sample.ini", sample);
        rig.WriteFile("DataFile.ini", "[Data]\nFile=" + Path("Sample.ini") + "\n");
        bar = std::make_unique<TForm1>(rig.MakePlatform());
        editor = std::make_unique<TForm2>(*bar, rig.MakePlatform());
        bar->SetForms(editor.get(), nullptr);
        editor->show();
    }
    // Full Shift-JIS path of a file in the program directory.
    std::string Path(const std::string& name) const { return rig.AppDir() + name; }
    QString QPath(const std::string& name) const { return QString::fromStdString(Path(name)); }
    std::vector<std::string> Errors() const { return rig.dialogs.Texts("error"); }
};

struct EditorTest : ::testing::Test, EditorRig {
    TForm2& e = *editor;
};

inline void Key(QWidget* w, int key, const QString& text = {}, int times = 1,
                Qt::KeyboardModifiers mods = Qt::NoModifier) {
    for (int k = 0; k < times; ++k) {
        QKeyEvent press(QEvent::KeyPress, key, mods, text);
        QCoreApplication::sendEvent(w, &press);
        QKeyEvent release(QEvent::KeyRelease, key, mods, text);
        QCoreApplication::sendEvent(w, &release);
    }
}

// Types `text` key by key into `w` (a line edit or an editable list).
inline void Type(QWidget* w, const QString& text) {
    for (char32_t c : text.toUcs4()) {
        const int key = c < 0x80 ? QChar(c).toUpper().unicode() : int(Qt::Key_unknown);
        Key(w, key, QString::fromUcs4(&c, 1));
    }
}

// Selects all of the field's text and types `text` over it.
inline void Retype(QWidget* w, const QString& text) {
    auto* list = qobject_cast<QComboBox*>(w);
    (list ? list->lineEdit() : qobject_cast<QLineEdit*>(w))->selectAll();
    if (text.isEmpty()) Key(w, Qt::Key_Backspace, QStringLiteral("\b"));
    else Type(w, text);
}

inline void FocusOut(QWidget* w, Qt::FocusReason reason = Qt::TabFocusReason) {
    QFocusEvent out(QEvent::FocusOut, reason);
    QCoreApplication::sendEvent(w, &out);
}

// Types over an editable list and leaves it, as a rename does.
inline void Rename(QComboBox* list, const QString& text) {
    Retype(list, text);
    FocusOut(list);
}

inline QString Q(const char* utf8) { return QString::fromUtf8(utf8); }

}  // namespace tw::test
