// The settings editor on the Windows API: a working copy of the bar's
// configuration, edited with a folder tree, a file list and drag and drop,
// saved to the active settings file or to a new one. Every rule is the
// presenter's; this window turns each control's event into one presenter
// call and each view call into one control's state.
#pragma once

#include <deque>
#include <string>
#include <vector>

#include "forms/editor.h"

// The Windows API after the project's headers, whose names (SW_SHOW,
// ShellExecute, DeleteFile) it would otherwise take over as macros.
#include "win32/winapi.h"

namespace tw {
class BarPresenter;
}

namespace tw::win32 {

class TForm2 : private IEditorView, private IFolderListing {
public:
    // Creates the window hidden, with its controls in `font` (none: the
    // system's). The bar's Setting1Click shows it through the presenter.
    TForm2(HINSTANCE instance, BarPresenter& bar, HFONT font);
    ~TForm2() override;
    TForm2(const TForm2&) = delete;
    TForm2& operator=(const TForm2&) = delete;

    // The working copy and the rules behind the window.
    EditorPresenter& presenter() { return presenter_; }
    HWND Handle() const { return hwnd_; }

private:
    // The subclasses of the controls whose messages the window reads before
    // they do: the lists' text fields, the filter field, the drag sources.
    enum Subclass : UINT_PTR { kComboEdit1 = 1, kComboEdit2, kFilterEdit, kTreeSource, kListSource };

    // Window procedures (Setting.cpp).
    static LRESULT CALLBACK WndProc(HWND hwnd, UINT msg, WPARAM wp, LPARAM lp);
    LRESULT Message(UINT msg, WPARAM wp, LPARAM lp);
    void OnCommand(int id, int code, HWND control);
    LRESULT OnNotify(NMHDR* header);
    void OnShown();
    void WMDropFiles(HDROP drop);
    static LRESULT CALLBACK ControlProc(HWND hwnd, UINT msg, WPARAM wp, LPARAM lp, UINT_PTR id,
                                        DWORD_PTR self);
    LRESULT ComboEditMessage(EditorList list, HWND edit, UINT msg, WPARAM wp, LPARAM lp);
    LRESULT Edit2Message(HWND edit, UINT msg, WPARAM wp, LPARAM lp);

    // Construction and layout (SettingLayout.cpp).
    void BuildControls();
    HWND Make(const wchar_t* cls, const wchar_t* text, DWORD style, int id, DWORD exStyle = 0);
    void LayOut();
    void CentreOnWorkArea();

    // The folder tree, the file list and the drags from them onto the
    // target field (SettingFolders.cpp).
    void FillTreeRoots();
    HTREEITEM AddFolderNode(HTREEITEM parent, const std::wstring& text, const std::wstring& path);
    void FillFolderChildren(HTREEITEM item);
    std::wstring NodePath(HTREEITEM item) const;
    void FillFileList();
    LRESULT DragSourceMessage(HWND source, UINT msg, WPARAM wp, LPARAM lp);
    void BeginDrag(HWND source);
    void EndDrag(POINT clientPoint);

    // What the presenter asks of the window (SettingView.cpp).
    WindowHandle Owner() const override { return hwnd_; }
    void SetListEntries(EditorList list, const std::vector<std::string>& sjis) override;
    void ReplaceListEntry(EditorList list, int index, const std::string& sjis) override;
    int ListIndex(EditorList list) const override;
    std::string ListText(EditorList list) const override;
    void SetTargetText(const std::string& sjis) override;
    std::string TargetText() const override;
    void SetChecked(int box, bool checked) override;
    bool Checked(int box) const override;
    void SetFileNameText(const std::string& sjis) override;
    std::string FieldText(EditorField field) const override;
    void SetUpDown1Position(int position) override;
    void SetUpDown2Position(int position) override;
    void SetTrackBar1Position(int position) override;
    int TrackBar1Position() const override;
    void ShowInFront() override;
    void Hide() override;
    std::string SelectedFolder() const override;
    void SetListDirectory(const std::string& sjis) override;
    void ClearListDirectory() override;
    void SetListMask(const std::string& utf8) override;
    int ListSelectedIndex() const override;
    std::string ListEntry(int index) const override;

    HWND Control(int id) const { return GetDlgItem(hwnd_, id); }
    HWND ListOf(EditorList list) const;
    void SetSpin(HWND upDown, HWND field, int position);

    HINSTANCE instance_;
    HFONT font_;
    EditorPresenter presenter_;
    HWND hwnd_ = nullptr;
    // Controls without behaviour of their own: labels and group boxes.
    HWND label1_ = nullptr, label2_ = nullptr, label3_ = nullptr, label4_ = nullptr;
    HWND groupBox1_ = nullptr, groupBox2_ = nullptr, groupBox3_ = nullptr;

    bool shownBefore_ = false;
    // The user typed into a list's text field since an entry was last
    // selected: no entry counts as selected.
    bool typed_[2] = {false, false};
    // Edit1 is being written by the presenter, not typed into.
    int settingTarget_ = 0;

    // Full paths of the folder tree's nodes (lParam is an index here), and
    // whether a node's subfolders have been read.
    std::deque<std::wstring> nodePaths_;
    std::vector<bool> nodeFilled_;
    std::wstring listDirectory_;
    std::wstring listMask_ = L"*.*";

    // A drag from the folder tree or the file list: the source while the
    // button is held after the mouse moved, and a press on the list that
    // may become one.
    HWND dragSource_ = nullptr;
    HWND pressedList_ = nullptr;
    POINT pressPoint_{};
};

}  // namespace tw::win32
