// The settings editor's folder tree and file list, and the drags from them
// onto the target field.
#include <algorithm>
#include <string>
#include <vector>

#include "win32/Setting.h"
#include "win32/SettingText.h"
#include "win32/controlids.h"

#include <shlobj.h>
#include <windowsx.h>

namespace tw::win32 {

using namespace setting;

namespace {

std::wstring JoinPath(const std::wstring& folder, const std::wstring& name) {
    if (!folder.empty() && folder.back() != L'\\') return folder + L'\\' + name;
    return folder + name;
}

// The names of a folder's entries: its subfolders, or its files that match
// `mask`. Hidden and system entries are included; "." and ".." are not.
std::vector<std::wstring> FolderEntries(const std::wstring& folder, const std::wstring& mask,
                                        bool folders) {
    std::vector<std::wstring> names;
    WIN32_FIND_DATAW data;
    HANDLE find = FindFirstFileExW(JoinPath(folder, mask).c_str(), FindExInfoBasic, &data,
                                   folders ? FindExSearchLimitToDirectories : FindExSearchNameMatch,
                                   nullptr, 0);
    if (find == INVALID_HANDLE_VALUE) return names;
    do {
        const bool isFolder = (data.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) != 0;
        if (isFolder != folders) continue;
        const std::wstring name = data.cFileName;
        if (name == L"." || name == L"..") continue;
        names.push_back(name);
    } while (FindNextFileW(find, &data));
    FindClose(find);
    return names;
}

bool HasSubfolders(const std::wstring& folder) {
    WIN32_FIND_DATAW data;
    HANDLE find = FindFirstFileExW(JoinPath(folder, L"*").c_str(), FindExInfoBasic, &data,
                                   FindExSearchLimitToDirectories, nullptr, 0);
    if (find == INVALID_HANDLE_VALUE) return false;
    bool found = false;
    do {
        const std::wstring_view name = data.cFileName;
        found = (data.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) && name != L"." && name != L"..";
    } while (!found && FindNextFileW(find, &data));
    FindClose(find);
    return found;
}

}  // namespace

// ---------------------------------------------------------------------------
// The folder tree

HTREEITEM TForm2::AddFolderNode(HTREEITEM parent, const std::wstring& text, const std::wstring& path) {
    nodePaths_.push_back(path);
    nodeFilled_.push_back(false);
    TVINSERTSTRUCTW insert{};
    insert.hParent = parent;
    insert.hInsertAfter = parent == TVI_ROOT ? TVI_LAST : TVI_SORT;
    insert.item.mask = TVIF_TEXT | TVIF_PARAM | TVIF_CHILDREN;
    insert.item.pszText = const_cast<wchar_t*>(text.c_str());
    insert.item.lParam = static_cast<LPARAM>(nodePaths_.size() - 1);
    // Whether a node opens is found out when it is opened.
    insert.item.cChildren = 1;
    return reinterpret_cast<HTREEITEM>(
        SendMessageW(Control(kShellTreeView1), TVM_INSERTITEMW, 0, reinterpret_cast<LPARAM>(&insert)));
}

void TForm2::FillTreeRoots() {
    HWND tree = Control(kShellTreeView1);
    wchar_t desktop[MAX_PATH] = {};
    HTREEITEM first = nullptr;
    if (SUCCEEDED(SHGetFolderPathW(nullptr, CSIDL_DESKTOPDIRECTORY, nullptr, SHGFP_TYPE_CURRENT, desktop)))
        first = AddFolderNode(TVI_ROOT, L"デスクトップ", desktop);
    // Then the drives, by the names the shell gives them.
    std::wstring drives(GetLogicalDriveStringsW(0, nullptr) + 1, L'\0');
    drives.resize(GetLogicalDriveStringsW(static_cast<DWORD>(drives.size()), drives.data()));
    for (const wchar_t* d = drives.c_str(); *d; d += wcslen(d) + 1) {
        const std::wstring root = d;
        SHFILEINFOW info{};
        std::wstring text = root;
        if (GetDriveTypeW(root.c_str()) == DRIVE_FIXED &&
            SHGetFileInfoW(root.c_str(), 0, &info, sizeof info, SHGFI_DISPLAYNAME) && info.szDisplayName[0])
            text = info.szDisplayName;
        HTREEITEM item = AddFolderNode(TVI_ROOT, text, root);
        if (!first) first = item;
    }
    if (!first) return;
    TreeView_Expand(tree, first, TVE_EXPAND);
    TreeView_SelectItem(tree, first);
}

std::wstring TForm2::NodePath(HTREEITEM item) const {
    TVITEMW tv{};
    tv.mask = TVIF_PARAM;
    tv.hItem = item;
    if (!item || !SendMessageW(Control(kShellTreeView1), TVM_GETITEMW, 0, reinterpret_cast<LPARAM>(&tv))) return {};
    const auto index = static_cast<std::size_t>(tv.lParam);
    return index < nodePaths_.size() ? nodePaths_[index] : std::wstring();
}

// A node's subfolders, read the first time it opens.
void TForm2::FillFolderChildren(HTREEITEM item) {
    HWND tree = Control(kShellTreeView1);
    TVITEMW tv{};
    tv.mask = TVIF_PARAM;
    tv.hItem = item;
    if (!SendMessageW(tree, TVM_GETITEMW, 0, reinterpret_cast<LPARAM>(&tv))) return;
    const auto index = static_cast<std::size_t>(tv.lParam);
    if (index >= nodePaths_.size() || nodeFilled_[index]) return;
    nodeFilled_[index] = true;
    const std::wstring folder = nodePaths_[index];
    const std::vector<std::wstring> names = FolderEntries(folder, L"*", true);
    for (const std::wstring& name : names) {
        const std::wstring path = JoinPath(folder, name);
        HTREEITEM child = AddFolderNode(item, name, path);
        if (!HasSubfolders(path)) {
            TVITEMW leaf{};
            leaf.mask = TVIF_CHILDREN;
            leaf.hItem = child;
            leaf.cChildren = 0;
            SendMessageW(tree, TVM_SETITEMW, 0, reinterpret_cast<LPARAM>(&leaf));
        }
    }
    if (names.empty()) {
        tv.mask = TVIF_CHILDREN;
        tv.cChildren = 0;
        SendMessageW(tree, TVM_SETITEMW, 0, reinterpret_cast<LPARAM>(&tv));
    }
}

std::string TForm2::SelectedFolder() const {
    return Utf8FromWide(NodePath(TreeView_GetSelection(Control(kShellTreeView1))));
}

// ---------------------------------------------------------------------------
// The file list

void TForm2::FillFileList() {
    HWND list = Control(kFileListBox1);
    SendMessageW(list, WM_SETREDRAW, FALSE, 0);
    SendMessageW(list, LB_RESETCONTENT, 0, 0);
    if (!listDirectory_.empty()) {
        for (const std::wstring& name : FolderEntries(listDirectory_, listMask_, false))
            SendMessageW(list, LB_ADDSTRING, 0, reinterpret_cast<LPARAM>(name.c_str()));
    }
    SendMessageW(list, WM_SETREDRAW, TRUE, 0);
    InvalidateRect(list, nullptr, TRUE);
}

void TForm2::SetListDirectory(const std::string& sjis) {
    if (sjis.empty()) return;
    listDirectory_ = WideFromSjis(sjis);
    FillFileList();
}

void TForm2::ClearListDirectory() {
    listDirectory_.clear();
    FillFileList();
}

void TForm2::SetListMask(const std::string& utf8) {
    listMask_ = WideFromUtf8(utf8);
    FillFileList();
}

int TForm2::ListSelectedIndex() const {
    const LRESULT index = SendMessageW(Control(kFileListBox1), LB_GETCURSEL, 0, 0);
    return index == LB_ERR ? -1 : static_cast<int>(index);
}

std::string TForm2::ListEntry(int index) const {
    HWND list = Control(kFileListBox1);
    const LRESULT length = SendMessageW(list, LB_GETTEXTLEN, index, 0);
    if (length == LB_ERR)
        throw UserError("リストのインデックスが範囲を超えています (" + std::to_string(index) + ")");
    std::wstring name(static_cast<std::size_t>(length) + 1, L'\0');
    name.resize(static_cast<std::size_t>(
        SendMessageW(list, LB_GETTEXT, index, reinterpret_cast<LPARAM>(name.data()))));
    return SjisFromWide(name);
}

// ---------------------------------------------------------------------------
// Dragging onto the target field: the button goes down on the folder tree
// or the file list, the mouse moves beyond the drag distance, and the
// button comes up over the target field.

void TForm2::BeginDrag(HWND source) {
    dragSource_ = source;
    SetCapture(source);
    SetCursor(LoadCursorW(nullptr, IDC_NO));
}

void TForm2::EndDrag(POINT clientPoint) {
    HWND source = dragSource_;
    dragSource_ = nullptr;
    if (GetCapture() == source) ReleaseCapture();
    SetCursor(LoadCursorW(nullptr, IDC_ARROW));
    POINT screen = clientPoint;
    ClientToScreen(source, &screen);
    if (WindowFromPoint(screen) != Control(kEdit1)) return;
    const DragSource from =
        source == Control(kShellTreeView1) ? DragSource::ShellTreeView1 : DragSource::FileListBox1;
    if (presenter_.Edit1DragOver(from)) presenter_.Edit1DragDrop(from);
}

LRESULT TForm2::DragSourceMessage(HWND source, UINT msg, WPARAM wp, LPARAM lp) {
    const POINT point{GET_X_LPARAM(lp), GET_Y_LPARAM(lp)};
    const bool dragging = dragSource_ == source;
    switch (msg) {
    case WM_LBUTTONDOWN:
        if (source == Control(kFileListBox1)) {
            // The list selects the entry pressed on; a drag may follow.
            const LRESULT result = DefSubclassProc(source, msg, wp, lp);
            pressedList_ = source;
            pressPoint_ = point;
            return result;
        }
        break;
    case WM_MOUSEMOVE:
        if (dragging) {
            POINT screen = point;
            ClientToScreen(source, &screen);
            const bool over = WindowFromPoint(screen) == Control(kEdit1);
            SetCursor(LoadCursorW(nullptr, over ? IDC_ARROW : IDC_NO));
            return 0;
        }
        if (pressedList_ == source && (wp & MK_LBUTTON) &&
            (std::abs(point.x - pressPoint_.x) > GetSystemMetrics(SM_CXDRAG) ||
             std::abs(point.y - pressPoint_.y) > GetSystemMetrics(SM_CYDRAG))) {
            // The list's own click ends on the entry pressed on; the drag
            // takes the mouse from here.
            pressedList_ = nullptr;
            DefSubclassProc(source, WM_LBUTTONUP, 0, MAKELPARAM(pressPoint_.x, pressPoint_.y));
            BeginDrag(source);
            return 0;
        }
        break;
    case WM_LBUTTONUP:
        pressedList_ = nullptr;
        if (dragging) {
            EndDrag(point);
            return 0;
        }
        break;
    case WM_KEYDOWN:
        if (dragging && wp == VK_ESCAPE) {
            dragSource_ = nullptr;
            ReleaseCapture();
            return 0;
        }
        break;
    case WM_CAPTURECHANGED:
        // Another window took the mouse: the drag is abandoned.
        if (dragging && reinterpret_cast<HWND>(lp) != source) {
            dragSource_ = nullptr;
            SetCursor(LoadCursorW(nullptr, IDC_ARROW));
        }
        break;
    default:
        break;
    }
    return DefSubclassProc(source, msg, wp, lp);
}

}  // namespace tw::win32
