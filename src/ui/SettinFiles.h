// The settings-file chooser: lists the settings files of the program
// directory, makes one of them the active file, deletes them.
#pragma once

#include <QWidget>

#include <optional>
#include <string>
#include <vector>

#include "platform/platform.h"

class QAction;
class QListWidget;
class QMenu;
class QPushButton;

namespace tw {

class TForm1;

class TForm3 : public QWidget {
    Q_OBJECT
public:
    TForm3(TForm1& bar, const Platform& platform, QWidget* parent = nullptr);

    // The bar's SettingFiles1Click: fills the list from the program
    // directory and shows the chooser in front, refilling it when open.
    void ShowFileList();

    // OK: points the pointer file at the selected file and reloads the bar.
    void Button1Click();
    // Cancel.
    void Button2Click();
    // 削除: deletes the selected file after asking, then lists again.
    void Delete1Click();
    // A mouse button released over the list at (x, y), in the list's client
    // coordinates. The right button selects the entry there and opens
    // PopupMenu1 beside it. A release that falls on no entry (an empty list,
    // the space below the last entry) does nothing: the selection stays as it
    // was and no menu opens, so 削除 never acts on an entry the pointer is not
    // on.
    void ListBox1MouseUp(Qt::MouseButton button, Qt::KeyboardModifiers shift, int x, int y);

    // The Shift-JIS names in the list, in list order.
    std::vector<std::string> FileNames() const;

    QListWidget* ListBox1 = nullptr;
    QPushButton* Button1 = nullptr;
    QPushButton* Button2 = nullptr;
    QMenu* PopupMenu1 = nullptr;
    QAction* Delete1 = nullptr;

    // The controls above are made when the chooser is first opened.
    void setVisible(bool visible) override;

protected:
    // Opens PopupMenu1 at a screen point; tests replace it.
    virtual void PopupMenu1Popup(const QPoint& screenPoint);

    void resizeEvent(QResizeEvent* e) override;
    bool eventFilter(QObject* watched, QEvent* e) override;

private:
    void BuildControls();
    // The selected entry's Shift-JIS name.
    std::optional<std::string> SelectedName() const;

    TForm1& bar_;
    Platform platform_;
};

}  // namespace tw
