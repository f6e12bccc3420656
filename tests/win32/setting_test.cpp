// The settings editor's window on the Windows API: each message a user's
// action produces reaches its presenter call, and each view call reaches its
// control. The window is made in-process over a bar presenter with fake
// services; the folder tree and the file list read a real temporary folder.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <memory>
#include <string>
#include <vector>

#include "forms/fakes.h"
#include "forms/bar.h"
#include "win32/Setting.h"
#include "win32/SettingText.h"
#include "win32/controlids.h"

#include <shlobj.h>

namespace tw::win32 {
namespace {

using namespace test;
using setting::SjisFromWide;
using setting::WideFromSjis;
namespace fs = std::filesystem;

// Under Wine without a window manager, hiding a window the manager would
// own waits two seconds for the manager to let it go. This program's windows
// are left unmanaged, which is read when the first window is made.
const bool kUnmanagedWindows = [] {
    const wchar_t key[] = L"Software\\Wine\\AppDefaults\\win32_editor_tests.exe\\X11 Driver";
    return RegSetKeyValueW(HKEY_CURRENT_USER, key, L"Managed", REG_SZ, L"N", 2 * sizeof(wchar_t)) ==
           ERROR_SUCCESS;
}();

constexpr char kSample[] =
    "[GroupName]\nSection1=アプリ\nSection2=フォルダ\n"
    "[Group1]\nItem11=エディタ\nItemValue11=C:\\tools\\editor.exe\nItem12=表計算\n"
    "ItemValue12=C:\\calc\\calc.exe\n"
    "[Group2]\nItem21=ホーム\nItemValue21=C:\\users\n"
    "[Window]\nShowBottom=1\nStrech=0\nSysInfo=1\nColor=65280\nSize=60\nBlend=50\n";

std::wstring Text(HWND w) {
    std::wstring text(static_cast<std::size_t>(GetWindowTextLengthW(w)) + 1, L'\0');
    text.resize(static_cast<std::size_t>(GetWindowTextW(w, text.data(), static_cast<int>(text.size()))));
    return text;
}

std::wstring ComboEntry(HWND combo, int index) {
    std::wstring text(static_cast<std::size_t>(SendMessageW(combo, CB_GETLBTEXTLEN, index, 0)) + 1, L'\0');
    text.resize(static_cast<std::size_t>(
        SendMessageW(combo, CB_GETLBTEXT, index, reinterpret_cast<LPARAM>(text.data()))));
    return text;
}

std::vector<std::wstring> ListEntries(HWND list) {
    std::vector<std::wstring> out;
    const int n = static_cast<int>(SendMessageW(list, LB_GETCOUNT, 0, 0));
    for (int i = 0; i < n; ++i) {
        std::wstring text(static_cast<std::size_t>(SendMessageW(list, LB_GETTEXTLEN, i, 0)) + 1, L'\0');
        text.resize(static_cast<std::size_t>(SendMessageW(list, LB_GETTEXT, i, reinterpret_cast<LPARAM>(text.data()))));
        out.push_back(text);
    }
    return out;
}

// Keys typed into a field, one character message each.
void Type(HWND field, const std::wstring& text) {
    for (wchar_t c : text) SendMessageW(field, WM_CHAR, c, 1);
}

// A point of `target`'s client area in `from`'s client coordinates.
LPARAM PointIn(HWND from, HWND target) {
    RECT r;
    GetClientRect(target, &r);
    POINT p{r.right / 2, r.bottom / 2};
    MapWindowPoints(target, from, &p, 1);
    return MAKELPARAM(p.x, p.y);
}

// A drop of `paths` as the shell hands it over.
HDROP MakeDrop(const std::vector<std::wstring>& paths) {
    std::size_t chars = 1;
    for (const auto& p : paths) chars += p.size() + 1;
    HGLOBAL memory = GlobalAlloc(GHND, sizeof(DROPFILES) + chars * sizeof(wchar_t));
    auto* drop = static_cast<DROPFILES*>(GlobalLock(memory));
    drop->pFiles = sizeof(DROPFILES);
    drop->fWide = TRUE;
    auto* out = reinterpret_cast<wchar_t*>(drop + 1);
    for (const auto& p : paths) {
        std::copy(p.begin(), p.end(), out);
        out += p.size() + 1;
    }
    GlobalUnlock(memory);
    return static_cast<HDROP>(memory);
}

struct EditorWindow : ::testing::Test {
    MemoryFiles files;
    BufferedProfile<MemoryDisk> profile;
    FakeShell shell;
    FakeStatus status;
    FakeScreen screen;
    FakeDialogs dialogs;
    FakeBarView barView;
    Services services{profile, files, shell, status, screen, dialogs, kWindowsSeparators,
                      "C:\\app\\tamblewick.exe", 10};
    std::unique_ptr<BarPresenter> bar;
    std::unique_ptr<TForm2> form;

    EditorWindow() {
        MemoryDisk::Files().clear();
        MemoryDisk::ReadOnly().clear();
        Put("C:\\app\\Sample.ini", kSample);
        bar = std::make_unique<BarPresenter>(barView, services);
        form = std::make_unique<TForm2>(GetModuleHandleW(nullptr), *bar,
                                        static_cast<HFONT>(GetStockObject(DEFAULT_GUI_FONT)));
        bar->SetForms(&form->presenter(), nullptr);
        bar->FormCreate();
    }
    ~EditorWindow() override {
        form.reset();
        bar.reset();
    }
    static void Put(const std::string& path, const std::string& utf8) {
        std::string crlf;
        for (char c : Sjis(utf8)) {
            if (c == '\n') crlf += '\r';
            crlf += c;
        }
        MemoryDisk::Files()[path] = crlf;
    }
    HWND C(int id) const { return GetDlgItem(form->Handle(), id); }
    EditorPresenter& P() { return form->presenter(); }
    std::vector<std::string> Errors() const { return dialogs.Texts("error"); }
    HWND ComboEdit(int id) const {
        COMBOBOXINFO info{};
    info.cbSize = sizeof info;
        GetComboBoxInfo(C(id), &info);
        return info.hwndItem;
    }
    // A user's choice of an entry in the drop-down list.
    void Choose(int combo, int index) {
        SendMessageW(C(combo), CB_SETCURSEL, index, 0);
        SendMessageW(form->Handle(), WM_COMMAND, MAKEWPARAM(combo, CBN_SELCHANGE),
                     reinterpret_cast<LPARAM>(C(combo)));
    }
    // Selects all of a list's text and types over it.
    void TypeIntoList(int combo, const std::wstring& text) {
        HWND edit = ComboEdit(combo);
        SetFocus(edit);
        SendMessageW(edit, EM_SETSEL, 0, -1);
        SendMessageW(edit, WM_CHAR, VK_BACK, 1);
        Type(edit, text);
    }
    void SetText(int id, const std::wstring& text) {
        SendMessageW(C(id), WM_SETTEXT, 0, reinterpret_cast<LPARAM>(text.c_str()));
    }
    void Click(int id) { SendMessageW(C(id), BM_CLICK, 0, 0); }
};

TEST_F(EditorWindow, ShowingCopiesTheWorkingCopyIntoTheControls) {
    HWND w = form->Handle();
    ASSERT_TRUE(w);
    EXPECT_FALSE(IsWindowVisible(w));  // made hidden
    EXPECT_EQ(Text(w), L"Tamblewick 設定");
    bar->Setting1Click();
    ASSERT_TRUE(IsWindowVisible(w));
    RECT outer, area;
    GetWindowRect(w, &outer);
    SystemParametersInfoW(SPI_GETWORKAREA, 0, &area, 0);
    EXPECT_EQ(outer.right - outer.left, 706);
    EXPECT_EQ(outer.bottom - outer.top, 495);
    EXPECT_NEAR((outer.left + outer.right) / 2, (area.left + area.right) / 2, 1);
    EXPECT_NEAR((outer.top + outer.bottom) / 2, (area.top + area.bottom) / 2, 1);

    EXPECT_EQ(SendMessageW(C(kComboBox1), CB_GETCOUNT, 0, 0), 9);
    EXPECT_EQ(ComboEntry(C(kComboBox1), 1), L"フォルダ");
    EXPECT_EQ(ComboEntry(C(kComboBox1), 8), L"Group9");
    EXPECT_EQ(Text(C(kComboBox1)), L"アプリ");
    EXPECT_EQ(ComboEntry(C(kComboBox2), 1), L"表計算");
    EXPECT_EQ(Text(C(kEdit1)), L"C:\\tools\\editor.exe");
    EXPECT_EQ(SendMessageW(C(kCheckBox1), BM_GETCHECK, 0, 0), BST_CHECKED);
    EXPECT_EQ(SendMessageW(C(kCheckBox2), BM_GETCHECK, 0, 0), BST_UNCHECKED);
    EXPECT_EQ(SendMessageW(C(kCheckBox3), BM_GETCHECK, 0, 0), BST_CHECKED);
    EXPECT_EQ(Text(C(kEdit4)), L"C:\\app\\Sample.ini");
    // The size field within its spin range, the height itself not.
    EXPECT_EQ(Text(C(kEdit3)), L"50");
    EXPECT_EQ(P().FWorkSize, 60);
    EXPECT_EQ(SendMessageW(C(kTrackBar1), TBM_GETPOS, 0, 0), 50);
    EXPECT_EQ(Text(C(kEdit5)), L"50");
    EXPECT_EQ(SendMessageW(C(kUpDown2), UDM_GETPOS32, 0, 0), 50);

    // The close button hides; showing again copies the bar's model again.
    SetText(kEdit3, L"33");
    SendMessageW(w, WM_CLOSE, 0, 0);
    EXPECT_TRUE(IsWindow(w));
    EXPECT_FALSE(IsWindowVisible(w));
    bar->Setting1Click();
    EXPECT_TRUE(IsWindowVisible(w));
    EXPECT_EQ(Text(C(kEdit3)), L"50");
    EXPECT_EQ(P().FWorkSize, 60);
}

TEST_F(EditorWindow, ChoosingAndRenamingThroughTheLists) {
    bar->Setting1Click();
    Choose(kComboBox1, 1);
    EXPECT_EQ(P().FCurGroup, 1);
    EXPECT_EQ(ComboEntry(C(kComboBox2), 0), L"ホーム");
    EXPECT_EQ(Text(C(kEdit1)), L"C:\\users");
    Choose(kComboBox2, 3);
    EXPECT_EQ(P().FCurItem, 3);
    EXPECT_EQ(Text(C(kEdit1)), L"");

    // Typed text is a rename, taken on Enter; no entry is chosen meanwhile.
    TypeIntoList(kComboBox1, L"住まい");
    EXPECT_EQ(P().FCurGroup, 1);
    EXPECT_EQ(P().FGroupNames[2], Sjis("フォルダ"));
    SendMessageW(ComboEdit(kComboBox1), WM_KEYDOWN, VK_RETURN, 1);
    EXPECT_EQ(P().FGroupNames[2], Sjis("住まい"));
    EXPECT_EQ(ComboEntry(C(kComboBox1), 1), L"住まい");
    EXPECT_EQ(SendMessageW(C(kComboBox1), CB_GETCURSEL, 0, 0), 1);

    // Leaving the item list's field for another control renames the item.
    TypeIntoList(kComboBox2, L"メモ");
    SetFocus(C(kEdit1));
    EXPECT_EQ(P().FItemCaptions[2][4], Sjis("メモ"));
    EXPECT_EQ(ComboEntry(C(kComboBox2), 3), L"メモ");

    // Typing into the target field sets the current target.
    SetText(kEdit1, L"C:\\メモ\\memo.exe");
    EXPECT_EQ(P().FItemTargets[2][4], Sjis("C:\\メモ\\memo.exe"));
    EXPECT_TRUE(Errors().empty());
}

TEST_F(EditorWindow, SizeAndTransparencyFields) {
    bar->Setting1Click();
    SetText(kEdit3, L"7");
    EXPECT_EQ(P().FWorkSize, 7);
    SetText(kEdit3, L"");
    EXPECT_EQ(Errors(), std::vector<std::string>{"'' は整数ではありません."});
    EXPECT_EQ(P().FWorkSize, 7);

    // The slider moved by the user writes its value into the field.
    SendMessageW(C(kTrackBar1), TBM_SETPOS, TRUE, 64);
    SendMessageW(form->Handle(), WM_HSCROLL, MAKEWPARAM(TB_THUMBPOSITION, 64),
                 reinterpret_cast<LPARAM>(C(kTrackBar1)));
    EXPECT_EQ(Text(C(kEdit5)), L"64");
    EXPECT_EQ(SendMessageW(C(kUpDown2), UDM_GETPOS32, 0, 0), 64);
    // A number typed into the field moves the slider, within its range.
    SetText(kEdit5, L"5");
    EXPECT_EQ(SendMessageW(C(kTrackBar1), TBM_GETPOS, 0, 0), 30);
    EXPECT_EQ(Text(C(kEdit5)), L"30");
    SetText(kEdit5, L"100");
    SetText(kEdit5, L"1000");
    EXPECT_EQ(SendMessageW(C(kTrackBar1), TBM_GETPOS, 0, 0), 100);
    EXPECT_EQ(Text(C(kEdit5)), L"1000");
}

TEST_F(EditorWindow, OkSavesThroughTheProfileAndHides) {
    bar->Setting1Click();
    Click(kCheckBox2);
    Click(kCheckBox1);
    TypeIntoList(kComboBox1, L"道具");
    SendMessageW(ComboEdit(kComboBox1), WM_KEYDOWN, VK_RETURN, 1);
    SetText(kEdit5, L"80");
    Click(kButton2);
    EXPECT_TRUE(Errors().empty());
    EXPECT_FALSE(IsWindowVisible(form->Handle()));
    const std::string saved = MemoryDisk::Files()["C:\\app\\Sample.ini"];
    EXPECT_NE(saved.find(Sjis("Section1=道具\r\n")), std::string::npos);
    EXPECT_NE(saved.find("ShowBottom=0\r\n"), std::string::npos);
    EXPECT_NE(saved.find("Strech=1\r\n"), std::string::npos);
    EXPECT_NE(saved.find("Blend=80\r\n"), std::string::npos);
    EXPECT_NE(MemoryDisk::Files()["C:\\app\\DataFile.ini"].find("File=C:\\app\\Sample.ini"),
              std::string::npos);
    // The bar reloaded what was saved.
    EXPECT_EQ(bar->model().FCaptions[1], Sjis("道具"));
    EXPECT_TRUE(bar->model().FStrech);

    // Cancel hides without writing.
    bar->Setting1Click();
    Click(kCheckBox3);
    Click(kButton1);
    EXPECT_FALSE(IsWindowVisible(form->Handle()));
    EXPECT_EQ(MemoryDisk::Files()["C:\\app\\Sample.ini"], saved);
}

// A temporary folder with a few files and a subfolder.
struct Folder {
    fs::path path;
    Folder() {
        wchar_t temp[MAX_PATH];
        GetTempPathW(MAX_PATH, temp);
        wchar_t longTemp[MAX_PATH];
        GetLongPathNameW(temp, longTemp, MAX_PATH);
        path = fs::path(longTemp) / (L"tw-editor-" + std::to_wstring(GetCurrentProcessId()));
        fs::create_directories(path / L"sub");
        for (const wchar_t* name : {L"a.txt", L"表.txt", L"b.ini", L"c.exe"})
            std::ofstream(path / name) << "x";
    }
    ~Folder() {
        std::error_code ec;
        fs::remove_all(path, ec);
    }
};

// Opens the folder tree down to `path`, node by node, and selects it.
HTREEITEM SelectFolder(HWND tree, const fs::path& path) {
    HTREEITEM parent = TVI_ROOT;
    std::vector<std::wstring> parts;
    for (const auto& part : path) {
        std::wstring s = part.wstring();
        if (s == L"\\" || s == L"/") continue;
        parts.push_back(s);
    }
    HTREEITEM found = nullptr;
    for (std::size_t k = 0; k < parts.size(); ++k) {
        if (parent != TVI_ROOT) SendMessageW(tree, TVM_EXPAND, TVE_EXPAND, reinterpret_cast<LPARAM>(parent));
        HTREEITEM child = reinterpret_cast<HTREEITEM>(SendMessageW(
            tree, TVM_GETNEXTITEM, parent == TVI_ROOT ? TVGN_ROOT : TVGN_CHILD, reinterpret_cast<LPARAM>(parent)));
        found = nullptr;
        for (; child; child = reinterpret_cast<HTREEITEM>(
                          SendMessageW(tree, TVM_GETNEXTITEM, TVGN_NEXT, reinterpret_cast<LPARAM>(child)))) {
            wchar_t text[MAX_PATH] = {};
            TVITEMW item{};
            item.mask = TVIF_TEXT;
            item.hItem = child;
            item.pszText = text;
            item.cchTextMax = MAX_PATH;
            SendMessageW(tree, TVM_GETITEMW, 0, reinterpret_cast<LPARAM>(&item));
            std::wstring want = parts[k];
            std::wstring have = text;
            // A drive's node is named by the shell: it holds "C:" somewhere.
            const bool match = k == 0 ? have.find(want.substr(0, 2)) != std::wstring::npos
                                      : _wcsicmp(have.c_str(), want.c_str()) == 0;
            if (match) {
                found = child;
                break;
            }
        }
        if (!found) return nullptr;
        parent = found;
    }
    SendMessageW(tree, TVM_SELECTITEM, TVGN_CARET, reinterpret_cast<LPARAM>(found));
    return found;
}

TEST_F(EditorWindow, FolderTreeFileListFilterAndDrags) {
    Folder folder;
    bar->Setting1Click();
    HWND tree = C(kShellTreeView1), list = C(kFileListBox1);
    // The desktop is selected first.
    wchar_t desktop[MAX_PATH] = {};
    SHGetFolderPathW(nullptr, CSIDL_DESKTOPDIRECTORY, nullptr, SHGFP_TYPE_CURRENT, desktop);
    HTREEITEM first = reinterpret_cast<HTREEITEM>(SendMessageW(tree, TVM_GETNEXTITEM, TVGN_CARET, 0));
    ASSERT_TRUE(first);
    EXPECT_EQ(first, reinterpret_cast<HTREEITEM>(SendMessageW(tree, TVM_GETNEXTITEM, TVGN_ROOT, 0)));

    HTREEITEM node = SelectFolder(tree, folder.path);
    ASSERT_TRUE(node) << folder.path;
    auto names = ListEntries(list);
    std::sort(names.begin(), names.end());
    EXPECT_EQ(names, (std::vector<std::wstring>{L"a.txt", L"b.ini", L"c.exe", L"表.txt"}));

    // The filter: three letters make the mask, a fourth is refused, "." is not.
    SetFocus(C(kEdit2));
    Type(C(kEdit2), L"ini");
    EXPECT_EQ(ListEntries(list), std::vector<std::wstring>{L"b.ini"});
    Type(C(kEdit2), L"x");
    EXPECT_EQ(Text(C(kEdit2)), L"ini");
    Type(C(kEdit2), L".");
    EXPECT_EQ(Text(C(kEdit2)), L"ini.");
    EXPECT_EQ(ListEntries(list).size(), 4u);

    // A drag from the file list released over the target field.
    int index = -1;
    names = ListEntries(list);
    for (std::size_t k = 0; k < names.size(); ++k)
        if (names[k] == L"表.txt") index = static_cast<int>(k);
    ASSERT_GE(index, 0);
    RECT item;
    SendMessageW(list, LB_GETITEMRECT, index, reinterpret_cast<LPARAM>(&item));
    const LPARAM press = MAKELPARAM((item.left + item.right) / 2, (item.top + item.bottom) / 2);
    const LPARAM over = PointIn(list, C(kEdit1));
    SendMessageW(list, WM_LBUTTONDOWN, MK_LBUTTON, press);
    SendMessageW(list, WM_MOUSEMOVE, MK_LBUTTON, over);
    SendMessageW(list, WM_LBUTTONUP, 0, over);
    const std::string expected = SjisFromWide((folder.path / L"表.txt").wstring());
    EXPECT_EQ(P().FItemTargets[1][1], expected);
    EXPECT_EQ(WideFromSjis(P().FItemCaptions[1][1]), L"表.txt");
    EXPECT_EQ(Text(C(kEdit1)), (folder.path / L"表.txt").wstring());
    EXPECT_EQ(ComboEntry(C(kComboBox2), 0), L"表.txt");

    // Released anywhere else, nothing is dropped.
    Choose(kComboBox2, 1);
    SendMessageW(list, WM_LBUTTONDOWN, MK_LBUTTON, press);
    const LPARAM elsewhere = PointIn(list, tree);
    SendMessageW(list, WM_MOUSEMOVE, MK_LBUTTON, elsewhere);
    SendMessageW(list, WM_LBUTTONUP, 0, elsewhere);
    EXPECT_EQ(P().FItemTargets[1][2], Sjis("C:\\calc\\calc.exe"));

    // A folder dragged from the tree: the tree sees the move while it
    // decides whether the press starts a drag.
    HTREEITEM sub = SelectFolder(tree, folder.path / L"sub");
    ASSERT_TRUE(sub);
    SendMessageW(tree, TVM_SELECTITEM, TVGN_CARET, reinterpret_cast<LPARAM>(node));
    RECT label;
    std::memcpy(&label, &sub, sizeof sub);  // TVM_GETITEMRECT takes the item in the rectangle
    ASSERT_TRUE(SendMessageW(tree, TVM_GETITEMRECT, TRUE, reinterpret_cast<LPARAM>(&label)));
    const LPARAM onSub = MAKELPARAM((label.left + label.right) / 2, (label.top + label.bottom) / 2);
    const LPARAM overTarget = PointIn(tree, C(kEdit1));
    PostMessageW(tree, WM_MOUSEMOVE, MK_LBUTTON, overTarget);
    SendMessageW(tree, WM_LBUTTONDOWN, MK_LBUTTON, onSub);
    SendMessageW(tree, WM_MOUSEMOVE, MK_LBUTTON, overTarget);
    SendMessageW(tree, WM_LBUTTONUP, 0, overTarget);
    EXPECT_EQ(P().FItemTargets[1][2], SjisFromWide((folder.path / L"sub").wstring()));
    EXPECT_EQ(P().FItemCaptions[1][2], Sjis("表計算"));
    EXPECT_TRUE(Errors().empty());

    // Files dropped from the shell: the last one is the target.
    SendMessageW(form->Handle(), WM_DROPFILES,
                 reinterpret_cast<WPARAM>(MakeDrop({L"C:\\one.txt", L"C:\\二\\two.txt"})), 0);
    EXPECT_EQ(P().FItemTargets[1][2], Sjis("C:\\二\\two.txt"));
    EXPECT_EQ(Text(C(kEdit1)), L"C:\\二\\two.txt");
    EXPECT_EQ(P().FItemCaptions[1][2], Sjis("表計算"));
}

}  // namespace
}  // namespace tw::win32
