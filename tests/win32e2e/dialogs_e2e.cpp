// The chooser and the editor under Wine, driven through the bar's menu.
#include <gtest/gtest.h>

#include <algorithm>
#include <thread>

#include "../../src/win32/controlids.h"
#include "program.h"

namespace e2e {
namespace {

using namespace std::chrono_literals;
using namespace tw::win32;

void Command(HWND w, int id) { PostMessageW(w, WM_COMMAND, MAKEWPARAM(id, 0), 0); }
void Click(HWND button) { PostMessageW(button, BM_CLICK, 0, 0); }

int Alpha(HWND w) {
    BYTE alpha = 0;
    GetLayeredWindowAttributes(w, nullptr, &alpha, nullptr);
    return alpha;
}

bool HasIcon(HWND box) {
    for (HWND c = GetWindow(box, GW_CHILD); c; c = GetWindow(c, GW_HWNDNEXT))
        if ((GetWindowLongW(c, GWL_STYLE) & SS_TYPEMASK) == SS_ICON && IsWindowVisible(c) &&
            SendMessageW(c, STM_GETICON, 0, 0))
            return true;
    return false;
}

int IndexOf(const std::vector<std::wstring>& v, const std::wstring& s) {
    const auto it = std::find(v.begin(), v.end(), s);
    return it == v.end() ? -1 : static_cast<int>(it - v.begin());
}

TEST(Chooser, ListsSwitchesAndDeletes) {
    Program p(Files{{"Sample.ini", "[Window]\nBlend=100\n"},
               {"Other.ini", "[Window]\nBlend=50\n"},
               {"extra.ini", "[Window]\nBlend=90\n"},
               {"DataFile.ini", "[Data]\nFile=Sample.ini\n"}});
    HWND bar = p.Bar();
    ASSERT_TRUE(bar);
    ASSERT_TRUE(WaitFor([&] { return Alpha(bar) == 255; }));

    Command(bar, kMenuSettingFiles1);
    HWND chooser = p.WaitVisible(L"TForm3");
    ASSERT_TRUE(chooser);
    EXPECT_EQ(Text(chooser), L"設定ファイル");
    const RECT r = Outer(chooser);
    EXPECT_EQ(r.right - r.left, 175);
    EXPECT_EQ(r.bottom - r.top, 257);
    HWND list = GetDlgItem(chooser, kListBox1);
    ASSERT_TRUE(list);
    EXPECT_FALSE(GetWindowLongW(list, GWL_STYLE) & LBS_SORT);
    std::vector<std::wstring> names = ListBoxEntries(list);
    std::vector<std::wstring> sorted = names;
    std::sort(sorted.begin(), sorted.end());
    EXPECT_EQ(sorted, (std::vector<std::wstring>{L"Other.ini", L"Sample.ini", L"extra.ini"}));
    EXPECT_EQ(SendMessageW(list, LB_GETCURSEL, 0, 0), LB_ERR);

    // OK with nothing selected: a notice with the application title.
    Click(GetDlgItem(chooser, kChooserButton1));
    HWND box = WaitBox(p, L"Tamblewick");
    ASSERT_TRUE(box);
    EXPECT_EQ(BoxText(box), L"ファイル名が選択されていません");
    EXPECT_FALSE(HasIcon(box));
    Click(GetDlgItem(box, IDOK));
    ASSERT_TRUE(WaitFor([&] { return !IsWindow(box); }));
    EXPECT_TRUE(IsWindowVisible(chooser));

    // Choosing Other.ini points the pointer file at its full path and the
    // bar reloads (Blend 50: alpha 128); the chooser goes.
    SendMessageW(list, LB_SETCURSEL, IndexOf(names, L"Other.ini"), 0);
    Click(GetDlgItem(chooser, kChooserButton1));
    EXPECT_TRUE(WaitFor([&] { return Alpha(bar) == 128; }));
    EXPECT_TRUE(WaitFor([&] { return !IsWindowVisible(chooser); }));
    const auto pointer = p.ReadFile("DataFile.ini");
    ASSERT_TRUE(pointer);
    EXPECT_NE(pointer->find("File=" + Sjis(U(p.Dir())) + "Other.ini\r\n"), std::string::npos)
        << *pointer;

    // A right click on extra.ini selects it and opens 削除; はい deletes it.
    Command(bar, kMenuSettingFiles1);
    ASSERT_TRUE(p.WaitVisible(L"TForm3"));
    names = ListBoxEntries(list);
    const int extra = IndexOf(names, L"extra.ini");
    ASSERT_GE(extra, 0);
    RECT item{};
    SendMessageW(list, LB_GETITEMRECT, extra, reinterpret_cast<LPARAM>(&item));
    PostMessageW(list, WM_RBUTTONDOWN, MK_RBUTTON, MAKELPARAM(item.left + 5, item.top + 3));
    PostMessageW(list, WM_RBUTTONUP, 0, MAKELPARAM(item.left + 5, item.top + 3));
    HWND menu = nullptr;
    ASSERT_TRUE(WaitFor([&] {
        menu = FindWindowW(L"#32768", nullptr);
        return menu && IsWindowVisible(menu);
    }));
    EXPECT_EQ(SendMessageW(list, LB_GETCURSEL, 0, 0), extra);
    PostMessageW(chooser, WM_KEYDOWN, VK_DOWN, 1);
    PostMessageW(chooser, WM_KEYDOWN, VK_RETURN, 1);
    box = WaitBox(p, L"確認");
    ASSERT_TRUE(box);
    EXPECT_EQ(BoxText(box), L"extra.ini を削除しますか？");
    EXPECT_TRUE(HasIcon(box));
    Click(GetDlgItem(box, IDYES));
    EXPECT_TRUE(WaitFor([&] { return !p.ReadFile("extra.ini"); }));
    EXPECT_TRUE(WaitFor([&] { return IndexOf(ListBoxEntries(list), L"extra.ini") < 0; }));
    EXPECT_EQ(ListBoxEntries(list).size(), 2u);

    // Cancel hides it and changes nothing.
    Click(GetDlgItem(chooser, kChooserButton2));
    EXPECT_TRUE(WaitFor([&] { return !IsWindowVisible(chooser); }));
    EXPECT_EQ(p.ReadFile("DataFile.ini"), pointer);
}

// The editor's cases need its window: they are skipped while the program
// is built with the stand-in (an editor without controls).
HWND OpenEditor(Program& p, HWND bar) {
    Command(bar, kMenuSetting1);
    return p.WaitVisible(nullptr, L"Tamblewick 設定");
}

TEST(Editor, WorkingCopyTypedFieldsSaveAndReload) {
    Program p(Files{{"Sample.ini", "[GroupName]\nSection1=アプリ\nSection2=ツール\n"
                              "[Group1]\nItem11=端末\nItemValue11=C:\\term.exe\n"
                              "[Window]\nBlend=70\nSize=22\n"}});
    HWND bar = p.Bar();
    ASSERT_TRUE(bar);
    HWND editor = OpenEditor(p, bar);
    ASSERT_TRUE(editor);
    HWND groups = GetDlgItem(editor, kComboBox1);
    if (!groups) GTEST_SKIP() << "the settings editor is the stand-in";

    // The working copy: group names, group 1's captions, its first target,
    // the settings file, the transparency.
    const auto g = ComboEntries(groups);
    ASSERT_EQ(g.size(), 9u);
    EXPECT_EQ(g[0], L"アプリ");
    EXPECT_EQ(g[1], L"ツール");
    EXPECT_EQ(g[2], L"Group3");
    const auto items = ComboEntries(GetDlgItem(editor, kComboBox2));
    ASSERT_EQ(items.size(), 9u);
    EXPECT_EQ(items[0], L"端末");
    EXPECT_EQ(items[1], L"Item2");
    EXPECT_EQ(Text(GetDlgItem(editor, kEdit1)), L"C:\\term.exe");
    EXPECT_EQ(Text(GetDlgItem(editor, kEdit4)), p.Dir() + L"Sample.ini");
    EXPECT_EQ(Text(GetDlgItem(editor, kEdit5)), L"70");
    EXPECT_EQ(Text(GetDlgItem(editor, kEdit3)), L"22");

    // Group 2 chosen: its captions.
    SendMessageW(groups, CB_SETCURSEL, 1, 0);
    PostMessageW(editor, WM_COMMAND, MAKEWPARAM(kComboBox1, CBN_SELCHANGE),
                 reinterpret_cast<LPARAM>(groups));
    EXPECT_TRUE(WaitFor([&] {
        return ComboEntries(GetDlgItem(editor, kComboBox2))[0] == L"Item1";
    }));

    // A size that is no number: the error box, with the application title.
    // The field's change opens the box, so the text is sent from a thread
    // of its own while this one answers the box.
    HWND size = GetDlgItem(editor, kEdit3);
    std::thread typing([size] {
        SendMessageW(size, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(L"2x"));
    });
    HWND box = WaitBox(p, L"Tamblewick");
    EXPECT_TRUE(box);
    if (box) {
        EXPECT_EQ(BoxText(box), L"'2x' は整数ではありません.");
        EXPECT_TRUE(HasIcon(box));
        Click(GetDlgItem(box, IDOK));
    }
    typing.join();
    SendMessageW(size, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(L"30"));

    // Transparency 50 and a renamed group 2, then OK: the file's bytes and
    // the bar reloaded.
    SendMessageW(GetDlgItem(editor, kEdit5), WM_SETTEXT, 0, reinterpret_cast<LPARAM>(L"50"));
    // Typing into the list's field leaves no entry selected.
    SendMessageW(groups, CB_SETCURSEL, static_cast<WPARAM>(-1), 0);
    HWND groupEdit = GetWindow(groups, GW_CHILD);
    SendMessageW(groupEdit ? groupEdit : groups, WM_SETTEXT, 0,
                 reinterpret_cast<LPARAM>(L"道具"));
    PostMessageW(editor, WM_COMMAND, MAKEWPARAM(kComboBox1, CBN_KILLFOCUS),
                 reinterpret_cast<LPARAM>(groups));
    EXPECT_TRUE(WaitFor([&] { return ComboEntries(groups)[1] == L"道具"; }));
    Click(GetDlgItem(editor, kButton2));
    EXPECT_TRUE(WaitFor([&] { return Alpha(bar) == 128; }));
    EXPECT_TRUE(WaitFor([&] { return !IsWindowVisible(editor); }));
    const auto saved = p.ReadFile("Sample.ini");
    ASSERT_TRUE(saved);
    EXPECT_NE(saved->find("\r\nSection2=" + Sjis("道具") + "\r\n"), std::string::npos);
    EXPECT_NE(saved->find("\r\nItem11=" + Sjis("端末") + "\r\nItemValue11=C:\\term.exe\r\n"),
              std::string::npos);
    // Keys keep their places in the file.
    EXPECT_NE(saved->find("[Window]\r\nBlend=50\r\nSize=30\r\nShowBottom=0\r\n"),
              std::string::npos)
        << saved->substr(saved->find("[Window]"));
    const auto pointer = p.ReadFile("DataFile.ini");
    ASSERT_TRUE(pointer);
    EXPECT_NE(pointer->find("File=" + Sjis(U(p.Dir())) + "Sample.ini"), std::string::npos);
}

TEST(Editor, NewSaveThroughTheInputBox) {
    Program p(Files{{"Sample.ini", "[GroupName]\nSection1=アプリ\n"}});
    HWND bar = p.Bar();
    ASSERT_TRUE(bar);
    HWND editor = OpenEditor(p, bar);
    ASSERT_TRUE(editor);
    if (!GetDlgItem(editor, kButton4)) GTEST_SKIP() << "the settings editor is the stand-in";

    // "新規保存": the input box, centred, its field empty and limited.
    Click(GetDlgItem(editor, kButton4));
    HWND input = WaitBox(p, L"設定保存");
    ASSERT_TRUE(input);
    EXPECT_EQ(BoxText(input), L"ファイル名を記入してください（拡張子不要）");
    EXPECT_EQ(Text(GetDlgItem(input, IDOK)), L"OK");
    EXPECT_TRUE(GetWindowLongW(GetDlgItem(input, IDOK), GWL_STYLE) & BS_DEFPUSHBUTTON);
    EXPECT_EQ(Text(GetDlgItem(input, IDCANCEL)), L"キャンセル");
    HWND field = nullptr;
    for (HWND c = GetWindow(input, GW_CHILD); c; c = GetWindow(c, GW_HWNDNEXT)) {
        wchar_t cls[16] = {};
        GetClassNameW(c, cls, 16);
        if (lstrcmpiW(cls, L"Edit") == 0) field = c;
    }
    ASSERT_TRUE(field);
    EXPECT_EQ(Text(field), L"");
    EXPECT_EQ(SendMessageW(field, EM_GETLIMITTEXT, 0, 0), 255);
    const RECT wa = WorkArea(), b = Outer(input);
    EXPECT_LE(std::abs((b.left + b.right) - (wa.left + wa.right)), 1);
    EXPECT_LE(std::abs((b.top + b.bottom) - (wa.top + wa.bottom)), 1);

    // A name, OK: the notice, the new file with every key, the pointer file.
    SendMessageW(field, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(L"新しい"));
    Click(GetDlgItem(input, IDOK));
    HWND notice = WaitBox(p, L"Tamblewick");
    ASSERT_TRUE(notice);
    EXPECT_EQ(BoxText(notice), L"保存しました");
    EXPECT_FALSE(HasIcon(notice));
    Click(GetDlgItem(notice, IDOK));
    const auto saved = p.ReadFile("新しい.ini");
    ASSERT_TRUE(saved);
    EXPECT_EQ(saved->rfind("[GroupName]\r\nSection1=" + Sjis("アプリ") + "\r\n", 0), 0u);
    EXPECT_NE(saved->find("\r\nShowJapanese=0\r\n"), std::string::npos);
    const auto pointer = p.ReadFile("DataFile.ini");
    ASSERT_TRUE(pointer);
    EXPECT_NE(pointer->find("File=" + Sjis(U(p.Dir()) + "新しい.ini") + "\r\n"),
              std::string::npos);
    EXPECT_EQ(Text(GetDlgItem(editor, kEdit4)), p.Dir() + L"新しい.ini");

    // Cancel in the input box writes nothing.
    Click(GetDlgItem(editor, kButton4));
    input = WaitBox(p, L"設定保存");
    ASSERT_TRUE(input);
    Click(GetDlgItem(input, IDCANCEL));
    EXPECT_TRUE(WaitFor([&] { return !IsWindow(input); }));
    EXPECT_EQ(p.ReadFile("DataFile.ini"), pointer);
}

}  // namespace
}  // namespace e2e
