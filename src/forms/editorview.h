// What the settings editor shows and what its presenter asks of it, and the
// folder tree and file list it picks targets from. Texts the presenter sets
// are Shift-JIS; texts the user typed arrive as UTF-8, since they may hold
// characters Shift-JIS cannot (the presenter refuses those, naming them).
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "forms/dialogs.h"

namespace tw {

// ComboBox1 (the groups) and ComboBox2 (the entries of the current group).
enum class EditorList { ComboBox1, ComboBox2 };
// The number and filter fields whose typed text the rules read.
enum class EditorField { Edit2, Edit3, Edit5 };
// Where a drag over the target field started.
enum class DragSource { Other, ShellTreeView1, FileListBox1 };

class IEditorView {
public:
    virtual ~IEditorView() = default;
    virtual WindowHandle Owner() const = 0;

    // An editable list: its nine entries with the first selected; one entry
    // replaced and selected; the selected index (-1 while the user types a
    // new name) and the typed text.
    virtual void SetListEntries(EditorList list, const std::vector<std::string>& sjis) = 0;
    virtual void ReplaceListEntry(EditorList list, int index, const std::string& sjis) = 0;
    virtual int ListIndex(EditorList list) const = 0;
    virtual std::string ListText(EditorList list) const = 0;

    // Edit1, the target field.
    virtual void SetTargetText(const std::string& sjis) = 0;
    virtual std::string TargetText() const = 0;
    // CheckBox1..CheckBox4.
    virtual void SetChecked(int box, bool checked) = 0;
    virtual bool Checked(int box) const = 0;
    // Edit4, the settings file's path.
    virtual void SetFileNameText(const std::string& sjis) = 0;
    virtual std::string FieldText(EditorField field) const = 0;
    // The spin controls (each writes its position into its field) and TrackBar1.
    virtual void SetUpDown1Position(int position) = 0;
    virtual void SetUpDown2Position(int position) = 0;
    virtual void SetTrackBar1Position(int position) = 0;
    virtual int TrackBar1Position() const = 0;

    virtual void ShowInFront() = 0;
    virtual void Hide() = 0;
};

// The folder tree and the file list beside it.
class IFolderListing {
public:
    virtual ~IFolderListing() = default;
    // Full path of the folder selected in the tree (UTF-8), empty for none.
    virtual std::string SelectedFolder() const = 0;
    // Lists the files of a folder (Shift-JIS), or nothing.
    virtual void SetListDirectory(const std::string& sjis) = 0;
    virtual void ClearListDirectory() = 0;
    // The list's mask ("*.ini", "*.*"), UTF-8.
    virtual void SetListMask(const std::string& utf8) = 0;
    // The selected entry's index, -1 for none, and an entry's Shift-JIS name.
    virtual int ListSelectedIndex() const = 0;
    virtual std::string ListEntry(int index) const = 0;
};

}  // namespace tw
