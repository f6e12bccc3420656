// The launcher bar: the model, loading, placement, launching and the header.
#pragma once

#include <QMainWindow>

#include <array>
#include <cstdint>
#include <string>

#include "core/settingsfile.h"
#include "forms/bar.h"
#include "ui/qt/platform.h"

class QAction;
class QMenu;
class QMenuBar;

namespace tw {

class THeaderControl;
class TForm2;
class TForm3;

class TForm1 : public QMainWindow, private IBarView {
    Q_OBJECT
public:
    explicit TForm1(const Platform& platform, QWidget* parent = nullptr);
    ~TForm1() override;

    // The other two windows, created after the bar.
    void SetForms(TForm2* editor, TForm3* chooser);

    // Re-reads the pointer file and the active settings file and applies them.
    void LoadSettings(QObject* sender = nullptr);
    // Opens the target of entry `item` of group `group` (1..9 each).
    void LaunchItem(int group, int item) { presenter_.LaunchItem(group, item); }

    // Entry handlers: ItemIGClick launches item I of group G.
#define TW_ITEM_HANDLER(i, g) \
    void Item##i##g##Click() { presenter_.LaunchItem(g, i); }
    TW_ITEM_HANDLER(1, 1) TW_ITEM_HANDLER(1, 2) TW_ITEM_HANDLER(1, 3) TW_ITEM_HANDLER(1, 4) TW_ITEM_HANDLER(1, 5) TW_ITEM_HANDLER(1, 6) TW_ITEM_HANDLER(1, 7) TW_ITEM_HANDLER(1, 8) TW_ITEM_HANDLER(1, 9)
    TW_ITEM_HANDLER(2, 1) TW_ITEM_HANDLER(2, 2) TW_ITEM_HANDLER(2, 3) TW_ITEM_HANDLER(2, 4) TW_ITEM_HANDLER(2, 5) TW_ITEM_HANDLER(2, 6) TW_ITEM_HANDLER(2, 7) TW_ITEM_HANDLER(2, 8) TW_ITEM_HANDLER(2, 9)
    TW_ITEM_HANDLER(3, 1) TW_ITEM_HANDLER(3, 2) TW_ITEM_HANDLER(3, 3) TW_ITEM_HANDLER(3, 4) TW_ITEM_HANDLER(3, 5) TW_ITEM_HANDLER(3, 6) TW_ITEM_HANDLER(3, 7) TW_ITEM_HANDLER(3, 8) TW_ITEM_HANDLER(3, 9)
    TW_ITEM_HANDLER(4, 1) TW_ITEM_HANDLER(4, 2) TW_ITEM_HANDLER(4, 3) TW_ITEM_HANDLER(4, 4) TW_ITEM_HANDLER(4, 5) TW_ITEM_HANDLER(4, 6) TW_ITEM_HANDLER(4, 7) TW_ITEM_HANDLER(4, 8) TW_ITEM_HANDLER(4, 9)
    TW_ITEM_HANDLER(5, 1) TW_ITEM_HANDLER(5, 2) TW_ITEM_HANDLER(5, 3) TW_ITEM_HANDLER(5, 4) TW_ITEM_HANDLER(5, 5) TW_ITEM_HANDLER(5, 6) TW_ITEM_HANDLER(5, 7) TW_ITEM_HANDLER(5, 8) TW_ITEM_HANDLER(5, 9)
    TW_ITEM_HANDLER(6, 1) TW_ITEM_HANDLER(6, 2) TW_ITEM_HANDLER(6, 3) TW_ITEM_HANDLER(6, 4) TW_ITEM_HANDLER(6, 5) TW_ITEM_HANDLER(6, 6) TW_ITEM_HANDLER(6, 7) TW_ITEM_HANDLER(6, 8) TW_ITEM_HANDLER(6, 9)
    TW_ITEM_HANDLER(7, 1) TW_ITEM_HANDLER(7, 2) TW_ITEM_HANDLER(7, 3) TW_ITEM_HANDLER(7, 4) TW_ITEM_HANDLER(7, 5) TW_ITEM_HANDLER(7, 6) TW_ITEM_HANDLER(7, 7) TW_ITEM_HANDLER(7, 8) TW_ITEM_HANDLER(7, 9)
    TW_ITEM_HANDLER(8, 1) TW_ITEM_HANDLER(8, 2) TW_ITEM_HANDLER(8, 3) TW_ITEM_HANDLER(8, 4) TW_ITEM_HANDLER(8, 5) TW_ITEM_HANDLER(8, 6) TW_ITEM_HANDLER(8, 7) TW_ITEM_HANDLER(8, 8) TW_ITEM_HANDLER(8, 9)
    TW_ITEM_HANDLER(9, 1) TW_ITEM_HANDLER(9, 2) TW_ITEM_HANDLER(9, 3) TW_ITEM_HANDLER(9, 4) TW_ITEM_HANDLER(9, 5) TW_ITEM_HANDLER(9, 6) TW_ITEM_HANDLER(9, 7) TW_ITEM_HANDLER(9, 8) TW_ITEM_HANDLER(9, 9)
#undef TW_ITEM_HANDLER
    // Control Panel applets.
    void N1Click() { presenter_.N1Click(); }
    void N2Click() { presenter_.N2Click(); }
    void N3Click() { presenter_.N3Click(); }
    void N4Click() { presenter_.N4Click(); }
    void N5Click() { presenter_.N5Click(); }
    void N6Click() { presenter_.N6Click(); }
    void N7Click() { presenter_.N7Click(); }
    void N8Click() { presenter_.N8Click(); }
    void N10Click() { presenter_.N10Click(); }
    void N11Click() { presenter_.N11Click(); }
    void N12Click() { presenter_.N12Click(); }
    void N13Click() { presenter_.N13Click(); }
    void N14Click() { presenter_.N14Click(); }
    void N15Click() { presenter_.N15Click(); }
    void N16Click() { presenter_.N16Click(); }
    void N18Click() { presenter_.N18Click(); }
    // Menu commands.
    void Setting1Click() { presenter_.Setting1Click(); }
    void SettingFiles1Click() { presenter_.SettingFiles1Click(); }
    void Expand1Click() { presenter_.Expand1Click(); }
    void Help1Click() { presenter_.Help1Click(); }
    void Exit1Click() { presenter_.Exit1Click(); }
    void N9Click() { presenter_.N9Click(); }
    // Bar events.
    void FormMouseMove() { presenter_.FormMouseMove(); }
    void FormKeyDown(int key, Qt::KeyboardModifiers shift);
    void Timer1Timer() { presenter_.Timer1Timer(); }

    // The model and the rules behind the window.
    const Model& model() const { return presenter_.model(); }
    BarPresenter& presenter() { return presenter_; }

    // The window's 8-bit alpha value.
    int AlphaBlendValue() const { return model().alphaBlendValue; }
    QColor BackgroundColor() const;
    Rect Geometry() const override;
    bool Timer1Enabled() const { return timerId_ != 0; }

    QMenuBar* MainMenu1 = nullptr;
    THeaderControl* HeaderControl1 = nullptr;
    std::array<QMenu*, 10> Groups{};  // Group1..Group9 at 1..9
    QMenu* ControlPanel1 = nullptr;
    QAction* Setting1 = nullptr;
    QAction* SettingFiles1 = nullptr;
    QAction* Expand1 = nullptr;
    QAction* Help1 = nullptr;
    QAction* Exit1 = nullptr;
    // Entry i of group g, named "Item" + i + g.
    QAction* Item(int group, int item) const { return items_[group][item]; }

    TForm2* Form2 = nullptr;
    TForm3* Form3 = nullptr;

signals:
    void closed();

protected:
    void keyPressEvent(QKeyEvent* e) override;
    void showEvent(QShowEvent* e) override;
    void closeEvent(QCloseEvent* e) override;
    void changeEvent(QEvent* e) override;
    bool eventFilter(QObject* watched, QEvent* e) override;

private:
    void BuildMenu();

    // What the presenter asks of the window (RanchView.cpp).
    WindowHandle Owner() const override { return static_cast<const QWidget*>(this); }
    void SetGroupCaption(int g, const std::string& sjis) override;
    void SetGroupVisible(int g, bool visible) override;
    void SetItemCaption(int g, int i, const std::string& sjis, bool separator) override;
    void SetItemVisible(int g, int i, bool visible) override;
    void SetFixedCaptions(const FixedCaptions& captions) override;
    void SetExpandVisible(bool visible) override;
    void SetGeometry(const Rect& r) override;
    void StayOnAllDesktops() override;
    void SetAlpha(int alpha) override;
    void SetColor(uint32_t color) override;
    void Close() override { close(); }
    void ShowHeader(bool visible) override;
    int HeaderSectionWidth(int section) const override;
    void SetHeaderSectionWidth(int section, int width) override;
    void SetHeaderText(int section, const std::string& utf8) override;
    int HeaderTextHeight() const override;
    int HeaderHeight() const override;
    void SetHeaderHeight(int height) override;
    bool StartTimer1(int periodMs) override;
    void StopTimer1() override;

    Platform platform_;
    BarPresenter presenter_;
    std::array<std::array<QAction*, 10>, 10> items_{};
    // Receives Timer1's ticks, so that they do not pass the window's event
    // filters and layout on their way to Timer1Timer.
    QObject* ticks_ = nullptr;
    int timerId_ = 0;
};

}  // namespace tw
