// The launcher bar's rules: loading, placement, collapse and expansion,
// launching, the header, the exit question and the other windows' opening.
// Each handler is named after the bar's event that calls it.
#pragma once

#include <string>
#include <string_view>

#include "core/sysstatus.h"
#include "forms/barview.h"
#include "forms/model.h"
#include "forms/services.h"

namespace tw {

class EditorPresenter;
class ChooserPresenter;

class BarPresenter {
public:
    BarPresenter(IBarView& view, const Services& services);

    // The other two windows, made after the bar.
    void SetForms(EditorPresenter* editor, ChooserPresenter* chooser);

    // Fixes the program directory and loads; an error goes to the error box.
    void FormCreate();
    // Re-reads the pointer file and the active settings file and applies them.
    void LoadSettings();
    // Opens the target of entry `item` of group `group` (1..9 each).
    void LaunchItem(int group, int item);

    // Control Panel applets, by their menu entries.
    void N1Click(); void N2Click(); void N3Click(); void N4Click(); void N5Click();
    void N6Click(); void N7Click(); void N8Click(); void N10Click(); void N11Click();
    void N12Click(); void N13Click(); void N14Click(); void N15Click(); void N16Click();
    void N18Click();
    void RunApplet(std::string_view appletUtf8);
    // The printers folder.
    void N9Click();
    // Menu commands.
    void Setting1Click();
    void SettingFiles1Click();
    void Expand1Click();
    void Help1Click();
    void Exit1Click();
    // Bar events.
    void FormMouseMove();
    void FormKeyDown(int key, int shift);
    void Timer1Timer();
    // The user's locale changed: the separators are read again.
    void LocaleChanged();

    const Model& model() const { return model_; }
    // The editor's setting of the active settings file.
    void SetActivePath(const std::string& path) {
        model_.FCaptions[0] = path;
        model_.FActivePathCut = false;
    }
    const Services& services() const { return services_; }
    IBarView& view() { return view_; }

private:
    // The steps of LoadSettings, in their order.
    void ApplyCaptions();
    void ApplyVisibility();
    void LayoutHeader();
    void ApplyPlacement();
    void ApplyFixedCaptions();
    int HeaderHeight() const;
    void StartTimer1();
    void StopTimer1();

    IBarView& view_;
    Services services_;
    Model model_;
    Separators separators_;
    bool timer1Enabled_ = false;
    EditorPresenter* editor_ = nullptr;
    ChooserPresenter* chooser_ = nullptr;
};

}  // namespace tw
