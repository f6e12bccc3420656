#include "forms/chooser.h"

#include <exception>

#include "core/settingsfile.h"
#include "forms/bar.h"

namespace tw {

namespace {
// Files with any of these attributes are listed (read-only to archive).
constexpr uint32_t kAnyListedAttribute = 0x3F;
}  // namespace

ChooserPresenter::ChooserPresenter(IChooserView& view, BarPresenter& bar)
    : view_(view), bar_(bar), services_(bar.services()) {}

void ChooserPresenter::ShowFileList() {
    names_.clear();
    try {
        for (const FindEntry& e : services_.files.FindFiles(bar_.model().FAppDir, "*.ini")) {
            if ((e.attributes & kAnyListedAttribute) == 0) continue;
            if (e.name == kPointerFileName) continue;
            names_.push_back(e.name);
        }
    } catch (const std::exception&) {
        // An enumeration that fails keeps what it listed so far.
    }
    view_.SetEntries(names_);
    view_.ShowInFront();
}

std::optional<std::string> ChooserPresenter::SelectedName() const {
    const int index = view_.SelectedIndex();
    if (index < 0 || index >= static_cast<int>(names_.size())) return std::nullopt;
    return names_[index];
}

void ChooserPresenter::Button1Click() {
    const auto name = SelectedName();
    if (!name) {
        services_.dialogs.Information(view_.Owner(), "ファイル名が選択されていません");
        return;
    }
    try {
        const std::string& appDir = bar_.model().FAppDir;
        WritePointer(services_.profile, appDir, appDir + *name);
        bar_.LoadSettings();
        view_.Hide();
    } catch (const std::exception& e) {
        ShowError(services_.dialogs, view_.Owner(), e.what());
    }
}

void ChooserPresenter::Button2Click() { view_.Hide(); }

void ChooserPresenter::Delete1Click() {
    const auto name = SelectedName();
    if (!name) return;
    if (!services_.dialogs.Confirm(view_.Owner(), DisplayUtf8(*name) + " を削除しますか？")) return;
    services_.files.DeleteFile(bar_.model().FAppDir + *name);
    bar_.SettingFiles1Click();
}

void ChooserPresenter::ListBox1MouseUp(MouseButton button, int, int x, int y) {
    if (button != MouseButton::Right) return;
    const int index = view_.EntryAt(x, y);
    if (index < 0) return;
    view_.SelectIndex(index);
    int outerX = 0, outerY = 0;
    view_.OuterTopLeft(outerX, outerY);
    view_.PopupMenu1Popup(outerX + x + 5, outerY + y + 5);
}

}  // namespace tw
