// The launcher bar: the model, loading, placement, launching and the header.
#pragma once

#include <QMainWindow>

#include <array>
#include <cstdint>
#include <string>

#include "core/settingsfile.h"
#include "platform/platform.h"

class QAction;
class QMenu;
class QMenuBar;

namespace tw {

class THeaderControl;
class TForm2;
class TForm3;

class TForm1 : public QMainWindow {
    Q_OBJECT
public:
    explicit TForm1(const Platform& platform, QWidget* parent = nullptr);
    ~TForm1() override;

    // The other two windows, created after the bar.
    void SetForms(TForm2* editor, TForm3* chooser);

    // Re-reads the pointer file and the active settings file and applies them.
    void LoadSettings(QObject* sender = nullptr);
    // Opens the target of entry `item` of group `group` (1..9 each).
    void LaunchItem(int group, int item);

    // Entry handlers: ItemIGClick launches item I of group G.
#define TW_ITEM_HANDLER(i, g) \
    void Item##i##g##Click() { LaunchItem(g, i); }
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
    void N1Click(); void N2Click(); void N3Click(); void N4Click(); void N5Click();
    void N6Click(); void N7Click(); void N8Click(); void N10Click(); void N11Click();
    void N12Click(); void N13Click(); void N14Click(); void N15Click(); void N16Click();
    void N18Click();
    // Menu commands.
    void Setting1Click();
    void SettingFiles1Click();
    void Expand1Click();
    void Help1Click();
    void Exit1Click();
    void N9Click();
    void RunApplet(std::string_view appletUtf8);
    // Bar events.
    void FormMouseMove();
    void FormKeyDown(int key, Qt::KeyboardModifiers shift);
    void Timer1Timer();

    // The model.
    std::string FAppDir;
    BarStrings FCaptions;
    BarStrings FTargets;  // indexed 10..90
    bool FShowBottom = false;
    bool FStrech = false;
    bool FSysInfo = false;
    int32_t FBarSize = 20;
    uint32_t FBarColor = 255;
    bool FShowJapanese = false;

    // The window's 8-bit alpha value.
    int AlphaBlendValue() const { return alphaBlendValue_; }
    QColor BackgroundColor() const;
    Rect Geometry() const;
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
    void FormCreate();
    void BuildMenu();
    void LayoutHeader();
    int HeaderHeight() const;
    // Places the window; true when that changed its geometry.
    bool SetGeometry(const Rect& r);
    // Asks the window system to keep the bar on every workspace.
    void StayOnAllDesktops();
    void SetAlpha(int32_t blend);
    void StartTimer1();
    void StopTimer1();

    Platform platform_;
    std::array<std::array<QAction*, 10>, 10> items_{};
    int alphaBlendValue_ = 255;
    // Receives Timer1's ticks, so that they do not pass the window's event
    // filters and layout on their way to Timer1Timer.
    QObject* ticks_ = nullptr;
    int timerId_ = 0;
    Separators separators_;
};

}  // namespace tw
