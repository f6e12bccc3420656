// The Qt message boxes: caption, icon, buttons and which answer counts.
#include <QAbstractButton>
#include <QApplication>
#include <QMessageBox>
#include <QPushButton>
#include <QTimer>

#include <gtest/gtest.h>

#include <functional>

#include "ui/qt/dialogs_qt.h"

namespace tw {
namespace {

struct Seen {
    QString title, text;
    QMessageBox::Icon icon = QMessageBox::NoIcon;
    QStringList buttons;
    QString defaultButton;
};

// Runs `show` and, once its box is up, records it and presses `press`
// (a button's text; empty: closes the box with Escape).
Seen Answer(const std::function<void()>& show, const QString& press) {
    Seen seen;
    QTimer::singleShot(0, [&] {
        auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
        ASSERT_NE(box, nullptr);
        seen.title = box->windowTitle();
        seen.text = box->text();
        seen.icon = box->icon();
        for (QAbstractButton* b : box->buttons()) seen.buttons << b->text();
        if (box->defaultButton()) seen.defaultButton = box->defaultButton()->text();
        for (QAbstractButton* b : box->buttons())
            if (b->text() == press) return b->click();
        box->reject();
    });
    show();
    return seen;
}

TEST(QtDialogs, CaptionsIconsAndButtonsOfTheThreeBoxes) {
    QtDialogs dialogs(QStringLiteral("Tamblewick"));
    bool answer = false;
    Seen s = Answer([&] { answer = dialogs.Confirm(nullptr, "終了しますか？"); },
                    QStringLiteral("はい(&Y)"));
    EXPECT_TRUE(answer);
    EXPECT_EQ(s.title, QStringLiteral("確認"));
    EXPECT_EQ(s.text, QStringLiteral("終了しますか？"));
    EXPECT_EQ(s.icon, QMessageBox::Question);
    s.buttons.sort();
    EXPECT_EQ(s.buttons, (QStringList{QStringLiteral("いいえ(&N)"), QStringLiteral("はい(&Y)")}));
    EXPECT_EQ(s.defaultButton, QStringLiteral("はい(&Y)"));
    Answer([&] { answer = dialogs.Confirm(nullptr, "x"); }, QStringLiteral("いいえ(&N)"));
    EXPECT_FALSE(answer);
    Answer([&] { answer = dialogs.Confirm(nullptr, "x"); }, QString());  // closed: いいえ
    EXPECT_FALSE(answer);

    s = Answer([&] { dialogs.Information(nullptr, "保存しました"); }, QStringLiteral("OK"));
    EXPECT_EQ(s.title, QStringLiteral("Tamblewick"));
    EXPECT_EQ(s.text, QStringLiteral("保存しました"));
    EXPECT_EQ(s.icon, QMessageBox::NoIcon);
    EXPECT_EQ(s.buttons, QStringList{QStringLiteral("OK")});

    s = Answer([&] { ShowError(dialogs, nullptr, "C:\\x に書き込めません"); }, QStringLiteral("OK"));
    EXPECT_EQ(s.title, QStringLiteral("Tamblewick"));
    EXPECT_EQ(s.text, QStringLiteral("C:\\x に書き込めません."));
    EXPECT_EQ(s.icon, QMessageBox::Critical);
    EXPECT_EQ(s.buttons, QStringList{QStringLiteral("OK")});
}

}  // namespace
}  // namespace tw
