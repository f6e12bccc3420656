#include "forms/bar.h"

#include <algorithm>

#include "core/barrules.h"
#include "core/settingsfile.h"
#include "core/text.h"
#include "forms/chooser.h"
#include "forms/editor.h"

namespace tw {

namespace {

// Labels of the fixed menus: English and Japanese (UTF-8 here).
struct FixedLabels {
    const char* controlPanel;
    const char* setting;
    const char* settingFiles;
    const char* collapse;
    const char* help;
    const char* exit;
};
const FixedLabels kEnglish = {":ControlPanel:", ":Setting:", ":SettingFiles:",
                              ":Collapse:",     "Help",      "Exit"};
const FixedLabels kJapanese = {":ｺﾝﾄﾛｰﾙﾊﾟﾈﾙ:", ":設定:", ":設定ﾌｧｲﾙ:", ":縮小:", "ﾍﾙﾌﾟ", "終了"};

}  // namespace

BarPresenter::BarPresenter(IBarView& view, const Services& services)
    : view_(view), services_(services), separators_(services.status.ReadSeparators()) {}

void BarPresenter::SetForms(EditorPresenter* editor, ChooserPresenter* chooser) {
    editor_ = editor;
    chooser_ = chooser;
}

void BarPresenter::FormCreate() {
    view_.SetGeometry(CreationGeometry(services_.screen.ScreenWidth()));
    model_.FAppDir = ExtractFilePath(services_.executablePath, services_.separators);
    const char sep = services_.separators.front();
    if (model_.FAppDir.empty() || model_.FAppDir.back() != sep) model_.FAppDir += sep;
    try {
        LoadSettings();
    } catch (const UserError& e) {
        ShowError(services_.dialogs, view_.Owner(), e.what());
    }
}

void BarPresenter::LoadSettings() {
    // 1. The active settings file.
    model_.FCaptions[0] = ReadActivePath(services_.profile, model_.FAppDir, &model_.FActivePathCut);
    // A cut path names some other file: the defaults, as for a missing one.
    const Configuration config = model_.FActivePathCut
                                     ? DefaultConfiguration()
                                     : ReadConfiguration(services_.profile, model_.FCaptions[0]);
    // 2. Group names, entry captions and targets.
    GridToBar(config.grid, model_.FCaptions, model_.FTargets);
    ApplyCaptions();
    // 3. Window options; the transparency takes effect at once.
    const WindowOptions& w = config.window;
    model_.FShowBottom = w.showBottom;
    model_.FStrech = w.strech;
    model_.FSysInfo = w.sysInfo;
    model_.FBarColor = static_cast<uint32_t>(w.color);
    model_.FBarSize = w.size;
    model_.alphaBlendValue = AlphaFromBlend(w.blend);
    view_.SetAlpha(model_.alphaBlendValue);
    model_.FShowJapanese = w.showJapanese;
    // 4. Visibility of groups and entries.
    ApplyVisibility();
    // 5. The header, before the geometry that includes its height.
    LayoutHeader();
    // 6. Colour of the client area.
    view_.SetColor(model_.FBarColor);
    // 7. Placement at the top or the bottom edge, 8. stretch mode.
    ApplyPlacement();
    // 9. Labels of the fixed menus.
    ApplyFixedCaptions();
    // A collapse in step 8 has asked already.
    if (!model_.FStrech) view_.StayOnAllDesktops();
}

void BarPresenter::ApplyCaptions() {
    for (int g = 1; g <= 9; ++g) {
        view_.SetGroupCaption(g, model_.FCaptions[g]);
        for (int i = 1; i <= 9; ++i) {
            // A caption of "-" is drawn as a separator line, as menus do.
            const std::string& caption = model_.FCaptions[BarIndex(g, i)];
            view_.SetItemCaption(g, i, caption, caption == "-");
        }
    }
}

// A group or entry that still has its default name is hidden.
void BarPresenter::ApplyVisibility() {
    for (int g = 1; g <= 9; ++g) {
        for (int i = 1; i <= 9; ++i)
            view_.SetItemVisible(g, i, model_.FCaptions[BarIndex(g, i)] != DefaultItemCaption(i));
        view_.SetGroupVisible(g, model_.FCaptions[g] != DefaultGroupName(g));
    }
}

void BarPresenter::ApplyPlacement() {
    view_.SetGeometry(PlaceAtLoad(model_.FShowBottom, model_.FBarSize, HeaderHeight(),
                                  services_.screen.WorkArea()));
    if (model_.FStrech) {
        Expand1Click();
        view_.SetExpandVisible(true);
    } else {
        view_.SetExpandVisible(false);
    }
}

void BarPresenter::ApplyFixedCaptions() {
    const FixedLabels& l = model_.FShowJapanese ? kJapanese : kEnglish;
    view_.SetFixedCaptions({Sjis(l.controlPanel), Sjis(l.setting), Sjis(l.settingFiles),
                            Sjis(l.collapse), Sjis(l.help), Sjis(l.exit)});
}

int BarPresenter::HeaderHeight() const { return model_.FSysInfo ? view_.HeaderHeight() : 0; }

void BarPresenter::Expand1Click() {
    view_.SetGeometry(Collapsed(view_.Geometry(), services_.screen.WorkArea()));
    view_.StayOnAllDesktops();
}

void BarPresenter::FormMouseMove() {
    // Runs on every movement: the window hears of it only when the
    // placement changes.
    const Rect expanded = Expanded(view_.Geometry(), model_.FShowBottom, model_.FBarSize,
                                   HeaderHeight(), services_.screen.WorkArea());
    if (expanded == view_.Geometry()) return;
    view_.SetGeometry(expanded);
    view_.StayOnAllDesktops();
}

void BarPresenter::Setting1Click() {
    if (editor_) editor_->ShowEditor();
}

void BarPresenter::SettingFiles1Click() {
    if (chooser_) chooser_->ShowFileList();
}

void BarPresenter::Exit1Click() {
    if (services_.dialogs.Confirm(view_.Owner(), "Tamblewick を終了しますか？")) view_.Close();
}

void BarPresenter::FormKeyDown(int key, int) {
    if (key == kKeyEscape) view_.Close();
}

void BarPresenter::LocaleChanged() { separators_ = services_.status.ReadSeparators(); }

void BarPresenter::StartTimer1() {
    if (timer1Enabled_) return;
    timer1Enabled_ = view_.StartTimer1(std::max(1, services_.minimumTimerPeriod));
    if (!timer1Enabled_) throw UserError("タイマーを取得できません");
}

void BarPresenter::StopTimer1() {
    if (!timer1Enabled_) return;
    view_.StopTimer1();
    timer1Enabled_ = false;
}

}  // namespace tw
