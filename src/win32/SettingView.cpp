// The settings editor as its presenter sees it: each call sets or reads one
// control.
#include <algorithm>
#include <string>
#include <vector>

#include "win32/Setting.h"
#include "win32/SettingText.h"
#include "win32/controlids.h"

namespace tw::win32 {

using namespace setting;

namespace {

std::wstring TextOf(HWND w) {
    std::wstring text(static_cast<std::size_t>(GetWindowTextLengthW(w)) + 1, L'\0');
    text.resize(static_cast<std::size_t>(GetWindowTextW(w, text.data(), static_cast<int>(text.size()))));
    return text;
}

int CheckBoxId(int box) {
    switch (box) {
    case 1: return kCheckBox1;
    case 2: return kCheckBox2;
    case 3: return kCheckBox3;
    default: return kCheckBox4;
    }
}

}  // namespace

HWND TForm2::ListOf(EditorList list) const {
    return Control(list == EditorList::ComboBox1 ? kComboBox1 : kComboBox2);
}

void TForm2::SetListEntries(EditorList list, const std::vector<std::string>& sjis) {
    HWND box = ListOf(list);
    SendMessageW(box, CB_RESETCONTENT, 0, 0);
    for (const std::string& entry : sjis) {
        const std::wstring text = WideFromSjis(entry);
        SendMessageW(box, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(text.c_str()));
    }
    SendMessageW(box, CB_SETCURSEL, 0, 0);
    typed_[static_cast<int>(list)] = false;
}

void TForm2::ReplaceListEntry(EditorList list, int index, const std::string& sjis) {
    HWND box = ListOf(list);
    const std::wstring text = WideFromSjis(sjis);
    SendMessageW(box, CB_DELETESTRING, index, 0);
    SendMessageW(box, CB_INSERTSTRING, index, reinterpret_cast<LPARAM>(text.c_str()));
    SendMessageW(box, CB_SETCURSEL, index, 0);
    typed_[static_cast<int>(list)] = false;
}

int TForm2::ListIndex(EditorList list) const {
    if (typed_[static_cast<int>(list)]) return -1;
    const LRESULT index = SendMessageW(ListOf(list), CB_GETCURSEL, 0, 0);
    return index == CB_ERR ? -1 : static_cast<int>(index);
}

std::string TForm2::ListText(EditorList list) const { return Utf8FromWide(TextOf(ListOf(list))); }

void TForm2::SetTargetText(const std::string& sjis) {
    ++settingTarget_;
    SetWindowTextW(Control(kEdit1), WideFromSjis(sjis).c_str());
    --settingTarget_;
}

std::string TForm2::TargetText() const { return Utf8FromWide(TextOf(Control(kEdit1))); }

void TForm2::SetChecked(int box, bool checked) {
    SendMessageW(Control(CheckBoxId(box)), BM_SETCHECK, checked ? BST_CHECKED : BST_UNCHECKED, 0);
}

bool TForm2::Checked(int box) const {
    return SendMessageW(Control(CheckBoxId(box)), BM_GETCHECK, 0, 0) == BST_CHECKED;
}

void TForm2::SetFileNameText(const std::string& sjis) {
    SetWindowTextW(Control(kEdit4), WideFromSjis(sjis).c_str());
}

std::string TForm2::FieldText(EditorField field) const {
    const int id = field == EditorField::Edit2 ? kEdit2 : field == EditorField::Edit3 ? kEdit3 : kEdit5;
    return Utf8FromWide(TextOf(Control(id)));
}

// The spin control takes the position within its range and writes it into
// its field, even over typed text when the position itself stays; the
// field's change runs the field's handler.
void TForm2::SetSpin(HWND upDown, HWND field, int position) {
    int low = 0, high = 0;
    SendMessageW(upDown, UDM_GETRANGE32, reinterpret_cast<WPARAM>(&low), reinterpret_cast<LPARAM>(&high));
    const int value = std::clamp(position, std::min(low, high), std::max(low, high));
    SendMessageW(upDown, UDM_SETPOS32, 0, value);
    const std::wstring text = std::to_wstring(value);
    if (TextOf(field) != text) SetWindowTextW(field, text.c_str());
}

void TForm2::SetUpDown1Position(int position) { SetSpin(Control(kUpDown1), Control(kEdit3), position); }

void TForm2::SetUpDown2Position(int position) { SetSpin(Control(kUpDown2), Control(kEdit5), position); }

// The slider keeps its position within its range and reports a change only
// when the position moved.
void TForm2::SetTrackBar1Position(int position) {
    HWND track = Control(kTrackBar1);
    const LRESULT before = SendMessageW(track, TBM_GETPOS, 0, 0);
    const int low = static_cast<int>(SendMessageW(track, TBM_GETRANGEMIN, 0, 0));
    const int high = static_cast<int>(SendMessageW(track, TBM_GETRANGEMAX, 0, 0));
    SendMessageW(track, TBM_SETPOS, TRUE, std::clamp(position, low, high));
    if (SendMessageW(track, TBM_GETPOS, 0, 0) != before) presenter_.TrackBar1Change();
}

int TForm2::TrackBar1Position() const {
    return static_cast<int>(SendMessageW(Control(kTrackBar1), TBM_GETPOS, 0, 0));
}

}  // namespace tw::win32
