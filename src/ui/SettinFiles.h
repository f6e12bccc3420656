// The settings-file chooser: lists the settings files of the program
// directory, makes one of them the active file, deletes them.
#pragma once

#include <QWidget>

#include <optional>
#include <string>
#include <vector>

#include "forms/chooser.h"
#include "ui/qt/platform.h"

class QAction;
class QListWidget;
class QMenu;
class QPushButton;

namespace tw {

class TForm1;

class TForm3 : public QWidget, private IChooserView {
    Q_OBJECT
public:
    TForm3(TForm1& bar, const Platform& platform, QWidget* parent = nullptr);

    // The bar's SettingFiles1Click: fills the list and shows the chooser.
    void ShowFileList() { presenter_.ShowFileList(); }
    // OK, Cancel and 削除.
    void Button1Click() { presenter_.Button1Click(); }
    void Button2Click() { presenter_.Button2Click(); }
    void Delete1Click() { presenter_.Delete1Click(); }
    // A mouse button released over the list at (x, y), in the list's client
    // coordinates.
    void ListBox1MouseUp(Qt::MouseButton button, Qt::KeyboardModifiers shift, int x, int y);

    // The Shift-JIS names in the list, in list order.
    const std::vector<std::string>& FileNames() const { return presenter_.FileNames(); }
    ChooserPresenter& presenter() { return presenter_; }

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

    // What the presenter asks of the window.
    WindowHandle Owner() const override { return static_cast<const QWidget*>(this); }
    void SetEntries(const std::vector<std::string>& sjisNames) override;
    int SelectedIndex() const override;
    void SelectIndex(int index) override;
    int EntryAt(int x, int y) const override;
    void OuterTopLeft(int& x, int& y) const override;
    void PopupMenu1Popup(int screenX, int screenY) override { PopupMenu1Popup(QPoint(screenX, screenY)); }
    void ShowInFront() override;
    void Hide() override { hide(); }

    Platform platform_;
    ChooserPresenter presenter_;
};

}  // namespace tw
