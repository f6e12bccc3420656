// What the settings-file chooser shows and what its presenter asks of it.
#pragma once

#include <string>
#include <vector>

#include "forms/dialogs.h"

namespace tw {

class IChooserView {
public:
    virtual ~IChooserView() = default;
    virtual WindowHandle Owner() const = 0;
    // ListBox1: its entries (Shift-JIS names) in order, the selected one.
    virtual void SetEntries(const std::vector<std::string>& sjisNames) = 0;
    // -1 when no entry is selected.
    virtual int SelectedIndex() const = 0;
    virtual void SelectIndex(int index) = 0;
    // The entry under (x, y) in the list's client coordinates, -1 for none.
    virtual int EntryAt(int x, int y) const = 0;
    // The outer top-left corner of the window on the screen.
    virtual void OuterTopLeft(int& x, int& y) const = 0;
    // Opens PopupMenu1 (削除) at a screen point.
    virtual void PopupMenu1Popup(int screenX, int screenY) = 0;
    // Shows the window in front, or hides it.
    virtual void ShowInFront() = 0;
    virtual void Hide() = 0;
};

}  // namespace tw
