#include "forms/editor.h"

#include <exception>

#include "core/barrules.h"
#include "core/settingsfile.h"
#include "core/text.h"
#include "forms/bar.h"

namespace tw {

namespace {

// The byte length of a typed text as the model would store it.
std::size_t SjisLength(const std::string& utf8) {
    if (auto sjis = TryUtf8ToSjis(utf8)) return sjis->size();
    return utf8.size();
}

}  // namespace

int32_t FieldToInt(const std::string& utf8) {
    if (auto sjis = TryUtf8ToSjis(utf8)) return StrToInt(*sjis);
    throw NotAnIntegerUtf8(utf8);
}

EditorPresenter::EditorPresenter(IEditorView& view, IFolderListing& folders, BarPresenter& bar)
    : view_(view), folders_(folders), bar_(bar), services_(bar.services()) {}

// ---------------------------------------------------------------------------
// Showing and the working copy

void EditorPresenter::ShowEditor() { view_.ShowInFront(); }

void EditorPresenter::FormShow() { LoadWorkingCopy(); }

std::vector<std::string> EditorPresenter::ItemCaptions(int group) const {
    return {FItemCaptions[group].begin() + 1, FItemCaptions[group].end()};
}

void EditorPresenter::LoadWorkingCopy() {
    const Model& m = bar_.model();
    // The lists: the bar's group names and the first group's captions.
    view_.SetListEntries(EditorList::ComboBox1, {m.FCaptions.begin() + 1, m.FCaptions.begin() + 10});
    std::vector<std::string> first;
    for (int i = 1; i <= 9; ++i) first.push_back(m.FCaptions[BarIndex(1, i)]);
    view_.SetListEntries(EditorList::ComboBox2, first);
    // The grid.
    MenuGrid grid = GridFromBar(m.FCaptions, m.FTargets);
    FGroupNames = std::move(grid.groupNames);
    FItemCaptions = std::move(grid.captions);
    FItemTargets = std::move(grid.targets);
    // The first target, the check boxes, the file and the colour.
    view_.SetTargetText(FItemTargets[1][1]);
    view_.SetChecked(1, m.FShowBottom);
    view_.SetChecked(2, m.FStrech);
    view_.SetChecked(3, m.FSysInfo);
    FFileName = m.FCaptions[0];
    fileNameCut_ = m.FActivePathCut;
    fileStamp_ = services_.files.ContentStamp(FFileName);
    view_.SetFileNameText(FFileName);
    colorPreset_ = m.FBarColor;
    FWorkColor = m.FBarColor;
    // The spin control shows the size within its range; the height itself
    // is taken unlimited.
    view_.SetUpDown1Position(static_cast<int16_t>(m.FBarSize));
    FWorkSize = m.FBarSize;
    // Transparency back from the window's alpha value.
    const int percent = PercentFromAlpha(m.alphaBlendValue);
    view_.SetTrackBar1Position(percent);
    view_.SetUpDown2Position(percent);
    // The language, and the first group and item current.
    view_.SetChecked(4, m.FShowJapanese);
    FCurGroup = 0;
    FCurItem = 0;
}

// ---------------------------------------------------------------------------
// Groups and items

void EditorPresenter::ComboBox1Change() {
    Act([&] {
        const int index = view_.ListIndex(EditorList::ComboBox1);
        if (index < 0) return;  // the user is typing a new name
        FCurGroup = index;
        view_.SetListEntries(EditorList::ComboBox2, ItemCaptions(FCurGroup + 1));
        FCurItem = 0;
        view_.SetTargetText(FItemTargets[FCurGroup + 1][1]);
    });
}

void EditorPresenter::ComboBox2Change() {
    Act([&] {
        const int index = view_.ListIndex(EditorList::ComboBox2);
        if (index < 0) return;
        FCurItem = index;
        view_.SetTargetText(CurrentTarget());
    });
}

void EditorPresenter::RenameGroup() {
    if (view_.ListIndex(EditorList::ComboBox1) >= 0) return;  // nothing was typed
    const std::string text = view_.ListText(EditorList::ComboBox1);
    std::string name;
    try {
        name = text.empty() ? DefaultGroupName(FCurGroup + 1) : Utf8ToSjis(text);
        RequireOneLine(name);
    } catch (const UserError&) {
        view_.ReplaceListEntry(EditorList::ComboBox1, FCurGroup, FGroupNames[FCurGroup + 1]);
        throw;
    }
    FGroupNames[FCurGroup + 1] = name;
    view_.ReplaceListEntry(EditorList::ComboBox1, FCurGroup, name);
}

void EditorPresenter::RenameItem() {
    if (view_.ListIndex(EditorList::ComboBox2) >= 0) return;
    const std::string text = view_.ListText(EditorList::ComboBox2);
    std::string caption;
    try {
        caption = text.empty() ? DefaultItemCaption(FCurItem + 1) : Utf8ToSjis(text);
        RequireOneLine(caption);
    } catch (const UserError&) {
        view_.ReplaceListEntry(EditorList::ComboBox2, FCurItem, CurrentCaption());
        throw;
    }
    CurrentCaption() = caption;
    view_.ReplaceListEntry(EditorList::ComboBox2, FCurItem, caption);
    if (text.empty()) {
        // An emptied name removes the entry: default caption, no target.
        view_.SetTargetText(std::string());
        CurrentTarget().clear();
    }
}

void EditorPresenter::ComboBox1Exit() {
    Act([&] { RenameGroup(); });
}

void EditorPresenter::ComboBox2Exit() {
    Act([&] { RenameItem(); });
}

void EditorPresenter::ComboBox1KeyDown(int key, int) {
    if (key == kKeyReturn) ComboBox1Exit();
}

void EditorPresenter::ComboBox2KeyDown(int key, int) {
    if (key == kKeyReturn) ComboBox2Exit();
}

// ---------------------------------------------------------------------------
// Targets

void EditorPresenter::Edit1Change() {
    Act([&] {
        try {
            const std::string sjis = Utf8ToSjis(view_.TargetText());
            RequireOneLine(sjis);
            CurrentTarget() = sjis;
        } catch (const UserError&) {
            view_.SetTargetText(CurrentTarget());
            throw;
        }
    });
}

bool EditorPresenter::Edit1DragOver(DragSource source) {
    return source == DragSource::ShellTreeView1 || source == DragSource::FileListBox1;
}

void EditorPresenter::Edit1DragDrop(DragSource source) {
    Act([&] {
        if (!Edit1DragOver(source)) return;
        std::string path = Utf8ToSjis(folders_.SelectedFolder());
        RequireOneLine(path);
        if (source == DragSource::ShellTreeView1) {
            view_.SetTargetText(path);
            CurrentTarget() = path;
            return;
        }
        DropFromFileList(std::move(path));
    });
}

// From the file list: the folder, a separator, the selected file.
void EditorPresenter::DropFromFileList(std::string path) {
    const std::string_view separators = services_.separators;
    if (!EndsWithSeparator(path, separators.substr(0, 1))) path += separators.front();
    view_.SetTargetText(path);
    const int index = folders_.ListSelectedIndex();
    if (index < 0)
        throw UserError("リストのインデックスが範囲を超えています (" + std::to_string(index) + ")");
    path += folders_.ListEntry(index);
    RequireOneLine(path);
    view_.SetTargetText(path);
    CurrentTarget() = path;
    CurrentCaption() = ExtractFileName(path, separators);
    view_.ReplaceListEntry(EditorList::ComboBox2, FCurItem, CurrentCaption());
}

void EditorPresenter::WMDropFiles(const std::vector<std::string>& paths) {
    Act([&] {
        // Every path is taken whole; one that Shift-JIS cannot hold refuses
        // the whole drop.
        std::vector<std::string> converted;
        for (const std::string& p : paths) {
            converted.push_back(Utf8ToSjis(p));
            RequireOneLine(converted.back());
        }
        for (const std::string& p : converted) {
            view_.SetTargetText(p);
            CurrentTarget() = p;
        }
    });
}

// ---------------------------------------------------------------------------
// Folder tree, file list and filter

void EditorPresenter::ShellTreeView1Change() {
    const std::string path = folders_.SelectedFolder();
    if (path.empty()) return;
    if (auto sjis = TryUtf8ToSjis(path)) folders_.SetListDirectory(*sjis);
    else folders_.ClearListDirectory();
}

void EditorPresenter::Edit2KeyPress(char32_t& key) {
    if (key == 8 || key == U'.') return;
    if (SjisLength(view_.FieldText(EditorField::Edit2)) >= 3) key = 0;
}

void EditorPresenter::Edit2Change() {
    const std::string text = view_.FieldText(EditorField::Edit2);
    folders_.SetListMask(SjisLength(text) == 3 ? "*." + text : "*.*");
}

// ---------------------------------------------------------------------------
// Numbers

void EditorPresenter::Edit3Change() {
    Act([&] { FWorkSize = FieldToInt(view_.FieldText(EditorField::Edit3)); });
}

void EditorPresenter::TrackBar1Change() {
    Act([&] { view_.SetUpDown2Position(static_cast<int16_t>(view_.TrackBar1Position())); });
}

void EditorPresenter::Edit5Change() {
    Act([&] { view_.SetTrackBar1Position(FieldToInt(view_.FieldText(EditorField::Edit5))); });
}

}  // namespace tw
