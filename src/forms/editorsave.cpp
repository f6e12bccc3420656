// The settings editor's buttons: saving, applying, browsing and the colour.
#include "core/settingsfile.h"
#include "core/text.h"
#include "forms/bar.h"
#include "forms/editor.h"

namespace tw {

void EditorPresenter::SaveTo(const std::string& path) {
    // Everything that can fail before a file is touched comes first.
    const int32_t blend = FieldToInt(view_.FieldText(EditorField::Edit5));
    Configuration c;
    c.grid = MenuGrid{FGroupNames, FItemCaptions, FItemTargets};
    c.window.showBottom = view_.Checked(1);
    c.window.strech = view_.Checked(2);
    c.window.sysInfo = view_.Checked(3);
    c.window.color = static_cast<int32_t>(FWorkColor);
    c.window.size = FWorkSize;
    c.window.blend = blend;
    c.window.showJapanese = view_.Checked(4);
    WriteConfiguration(services_.profile, bar_.model().FAppDir, path, c);
}

void EditorPresenter::SaveSettings() {
    if (fileNameCut_) throw CannotWrite(FFileName);
    SaveTo(FFileName);
    fileStamp_ = services_.files.ContentStamp(FFileName);
}

bool EditorPresenter::MayOverwrite() {
    if (fileNameCut_ || services_.files.ContentStamp(FFileName) == fileStamp_) return true;
    return services_.dialogs.Confirm(
        view_.Owner(), DisplayUtf8(FFileName) + " は他のプログラムによって変更されています。上書きしますか？");
}

void EditorPresenter::TakeActivePath(const std::string& path) {
    FFileName = path;
    fileNameCut_ = false;
    bar_.SetActivePath(path);
}

void EditorPresenter::Button2Click() {
    Act([&] {
        if (!MayOverwrite()) return;
        SaveSettings();
        bar_.LoadSettings();
        view_.Hide();
    });
}

void EditorPresenter::Button1Click() { view_.Hide(); }

void EditorPresenter::Button6Click() {
    Act([&] {
        if (!MayOverwrite()) return;
        SaveSettings();
        services_.dialogs.Information(view_.Owner(), "保存しました");
    });
}

void EditorPresenter::Button4Click() {
    Act([&] {
        const std::optional<std::string> text = services_.dialogs.InputBox(
            view_.Owner(), "設定保存", "ファイル名を記入してください（拡張子不要）", std::string());
        if (!text) return;
        const std::string path = bar_.model().FAppDir + Utf8ToSjis(*text) + ".ini";
        RequireOneLine(path);
        RequirePathFits(path);
        if (services_.files.FileExists(path)) {
            services_.dialogs.Information(view_.Owner(), "同じ名前のファイルがすでに存在します");
            return;
        }
        // The new name is taken only once the file has been written.
        SaveTo(path);
        TakeActivePath(path);
        fileStamp_ = services_.files.ContentStamp(path);
        view_.SetFileNameText(path);
        services_.dialogs.Information(view_.Owner(), "保存しました");
    });
}

void EditorPresenter::Button5Click() {
    Act([&] {
        const std::optional<std::string> chosen = services_.dialogs.OpenFile(
            view_.Owner(), "設定ファイル(*.ini)|*.ini", DisplayUtf8(bar_.model().FAppDir));
        if (!chosen) return;
        const std::string path = Utf8ToSjis(*chosen);
        RequireOneLine(path);
        RequirePathFits(path);
        if (services_.files.IsSpecialFile(path)) throw NotARegularFile(path);
        WritePointer(services_.profile, bar_.model().FAppDir, path);
        TakeActivePath(path);
        bar_.LoadSettings();
        LoadWorkingCopy();
        view_.SetFileNameText(FFileName);
    });
}

void EditorPresenter::Button3Click() {
    Act([&] {
        const std::optional<uint32_t> chosen =
            services_.dialogs.ChooseColor(view_.Owner(), colorPreset_);
        if (!chosen) return;
        FWorkColor = *chosen;
        colorPreset_ = FWorkColor;
    });
}

}  // namespace tw
