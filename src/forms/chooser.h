// The settings-file chooser's rules: the list of the program directory's
// settings files, switching the active one, deleting one.
#pragma once

#include <optional>
#include <string>
#include <vector>

#include "forms/chooserview.h"
#include "forms/services.h"

namespace tw {

class BarPresenter;

class ChooserPresenter {
public:
    ChooserPresenter(IChooserView& view, BarPresenter& bar);

    // The bar's SettingFiles1Click: fills the list from the program
    // directory and shows the chooser in front, refilling it when open.
    void ShowFileList();
    // OK: points the pointer file at the selected file and reloads the bar.
    void Button1Click();
    // Cancel.
    void Button2Click();
    // 削除: deletes the selected file after asking, then lists again.
    void Delete1Click();
    // A mouse button released over the list at (x, y), in the list's client
    // coordinates. The right button selects the entry there and opens
    // PopupMenu1 beside it. A release that falls on no entry does nothing:
    // the selection stays and no menu opens, so 削除 never acts on an entry
    // the pointer is not on.
    void ListBox1MouseUp(MouseButton button, int shift, int x, int y);

    // The Shift-JIS names in the list, in list order.
    const std::vector<std::string>& FileNames() const { return names_; }

private:
    std::optional<std::string> SelectedName() const;

    IChooserView& view_;
    BarPresenter& bar_;
    const Services& services_;
    std::vector<std::string> names_;
};

}  // namespace tw
