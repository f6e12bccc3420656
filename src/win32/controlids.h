// Control identifiers of the Windows front end's windows, by designer name.
// The windows create their controls with these identifiers, and the
// end-to-end driver finds them with GetDlgItem.
#pragma once

namespace tw::win32 {

// The bar (TForm1): the header control under the menu bar.
enum BarControl : int { kHeaderControl1 = 100 };

// The bar's menu commands (WM_COMMAND identifiers). Entry i of group g is
// kMenuItemBase + g * 10 + i (Item + i + g in the designer's naming); the
// Control Panel entries are kMenuPanelBase + the number of their N-name.
enum BarMenu : int {
    kMenuItemBase = 1000,
    kMenuPanelBase = 1200,  // N1 .. N20
    kMenuSetting1 = 1300,
    kMenuSettingFiles1,
    kMenuExpand1,
    kMenuHelp1,
    kMenuExit1,
};

// The settings editor (TForm2).
enum EditorControl : int {
    kComboBox1 = 200,
    kComboBox2,
    kEdit1,       // target
    kEdit2,       // extension filter
    kEdit3,       // size
    kUpDown1,
    kEdit4,       // settings file
    kEdit5,       // transparency
    kUpDown2,
    kTrackBar1,
    kCheckBox1,
    kCheckBox2,
    kCheckBox3,
    kCheckBox4,
    kButton1,     // Cancel
    kButton2,     // OK
    kButton3,     // colour
    kButton4,     // new save
    kButton5,     // browse
    kButton6,     // overwrite save
    kShellTreeView1,
    kFileListBox1,
};

// The settings-file chooser (TForm3).
enum ChooserControl : int {
    kListBox1 = 300,
    kChooserButton1,  // OK
    kChooserButton2,  // Cancel
    kMenuDelete1 = 310,
};

}  // namespace tw::win32
