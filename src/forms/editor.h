// The settings editor's rules: the working copy, renaming, picking targets,
// the filter, and saving and applying. Each handler is named after the
// editor's event that calls it; each is one user action, and an error it
// raises ends it and goes to the error box.
#pragma once

#include <array>
#include <cstdint>
#include <exception>
#include <optional>
#include <string>
#include <vector>

#include "forms/editorview.h"
#include "forms/services.h"

namespace tw {

class BarPresenter;

// The whole-number conversion of a typed field's text (UTF-8); "'%s' は整数
// ではありません" on failure.
int32_t FieldToInt(const std::string& utf8);

class EditorPresenter {
public:
    EditorPresenter(IEditorView& view, IFolderListing& folders, BarPresenter& bar);

    // The bar's Setting1Click: the editor comes to the front.
    void ShowEditor();
    // The editor went from hidden to shown.
    void FormShow();
    // Copies the bar's model into the working copy and the controls.
    void LoadWorkingCopy();
    // Writes the pointer file and every key of the settings file FFileName.
    // Throws UserError; on failure neither file has changed.
    void SaveSettings();

    void ComboBox1Change();
    void ComboBox2Change();
    void ComboBox1Exit();
    void ComboBox2Exit();
    void ComboBox1KeyDown(int key, int shift);
    void ComboBox2KeyDown(int key, int shift);
    bool Edit1DragOver(DragSource source);
    void Edit1DragDrop(DragSource source);
    // Text typed into the target field becomes the current target.
    void Edit1Change();
    // Files dropped from other programs (local paths, UTF-8); the last one wins.
    void WMDropFiles(const std::vector<std::string>& paths);
    void ShellTreeView1Change();
    // Sets `key` to 0 to refuse a character typed into the extension filter.
    void Edit2KeyPress(char32_t& key);
    void Edit2Change();
    void Button1Click();  // Cancel
    void Button2Click();  // OK
    void Button3Click();  // colour
    void Button4Click();  // new save
    void Button5Click();  // browse
    void Button6Click();  // overwrite save
    void Edit3Change();
    void TrackBar1Change();
    void Edit5Change();

    // The working copy: groups and items indexed 1..9.
    std::array<std::string, 10> FGroupNames;
    std::array<std::array<std::string, 10>, 10> FItemCaptions;
    std::array<std::array<std::string, 10>, 10> FItemTargets;
    int32_t FCurGroup = 0;
    int32_t FCurItem = 0;
    uint32_t FWorkColor = 255;
    int32_t FWorkSize = 20;
    std::string FFileName;

private:
    template <class F>
    void Act(F&& action);
    void RenameGroup();
    void RenameItem();
    void DropFromFileList(std::string path);
    void SaveTo(const std::string& path);
    // The active path becomes `path`, in the working copy and the model.
    void TakeActivePath(const std::string& path);
    std::string& CurrentTarget() { return FItemTargets[FCurGroup + 1][FCurItem + 1]; }
    std::string& CurrentCaption() { return FItemCaptions[FCurGroup + 1][FCurItem + 1]; }
    std::vector<std::string> ItemCaptions(int group) const;

    IEditorView& view_;
    IFolderListing& folders_;
    BarPresenter& bar_;
    const Services& services_;
    // Whether a save over FFileName may go ahead: when the file changed on
    // disk since the working copy was taken, the user is asked first.
    bool MayOverwrite();

    uint32_t colorPreset_ = 255;
    // FFileName's content as it was when the working copy was taken or last
    // saved; nullopt when there was no file.
    std::optional<uint64_t> fileStamp_;
    // FFileName came from a pointer file whose path was cut.
    bool fileNameCut_ = false;
};

template <class F>
void EditorPresenter::Act(F&& action) {
    try {
        action();
    } catch (const std::exception& e) {
        ShowError(services_.dialogs, view_.Owner(), e.what());
    }
}

}  // namespace tw
