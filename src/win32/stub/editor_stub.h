// A stand-in for the settings editor, for builds made before the editor
// window is there (TAMBLEWICK_EDITOR=stub): an empty window that takes the
// editor's place in the program entry. It shows nothing of the working copy.
#pragma once

#include "forms/editor.h"
#include "win32/winapi.h"

namespace tw::win32 {

class TForm2 : private IEditorView, private IFolderListing {
public:
    TForm2(HINSTANCE instance, BarPresenter& bar, HFONT font);
    ~TForm2() override;
    EditorPresenter& presenter() { return presenter_; }
    HWND Handle() const { return hwnd_; }

private:
    WindowHandle Owner() const override { return hwnd_; }
    void SetListEntries(EditorList, const std::vector<std::string>&) override {}
    void ReplaceListEntry(EditorList, int, const std::string&) override {}
    int ListIndex(EditorList) const override { return 0; }
    std::string ListText(EditorList) const override { return {}; }
    void SetTargetText(const std::string&) override {}
    std::string TargetText() const override { return {}; }
    void SetChecked(int, bool) override {}
    bool Checked(int) const override { return false; }
    void SetFileNameText(const std::string&) override {}
    std::string FieldText(EditorField) const override { return "100"; }
    void SetUpDown1Position(int) override {}
    void SetUpDown2Position(int) override {}
    void SetTrackBar1Position(int) override {}
    int TrackBar1Position() const override { return 100; }
    void ShowInFront() override;
    void Hide() override { ShowWindow(hwnd_, SW_HIDE); }
    std::string SelectedFolder() const override { return {}; }
    void SetListDirectory(const std::string&) override {}
    void ClearListDirectory() override {}
    void SetListMask(const std::string&) override {}
    int ListSelectedIndex() const override { return -1; }
    std::string ListEntry(int) const override { return {}; }

    HWND hwnd_ = nullptr;
    EditorPresenter presenter_;
};

}  // namespace tw::win32
