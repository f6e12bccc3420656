// A fake settings editor and folder listing, and a rig of the three presenters.
#pragma once

#include <memory>

#include "fakes.h"
#include "forms/bar.h"
#include "forms/chooser.h"
#include "forms/editor.h"

namespace tw::test {

struct FakeEditorView : IEditorView {
    struct List {
        std::vector<std::string> entries;
        int index = -1;
        std::string typed;  // UTF-8, what the user typed while index is -1
    };
    List lists[2];
    std::string target, fileName;  // Shift-JIS as set
    std::optional<std::string> typedTarget;  // UTF-8, when the user typed one
    bool checks[5] = {};
    std::string fields[3];  // Edit2, Edit3, Edit5 (UTF-8)
    int upDown1 = 0, upDown2 = 0, trackBar = 0;
    bool shown = false;

    List& L(EditorList l) { return lists[static_cast<int>(l)]; }
    const List& L(EditorList l) const { return lists[static_cast<int>(l)]; }
    // The user types over a list.
    void TypeInto(EditorList l, const std::string& utf8) {
        L(l).index = -1;
        L(l).typed = utf8;
    }
    WindowHandle Owner() const override { return this; }
    void SetListEntries(EditorList l, const std::vector<std::string>& e) override {
        L(l).entries = e;
        L(l).index = 0;
    }
    void ReplaceListEntry(EditorList l, int i, const std::string& s) override {
        L(l).entries.at(i) = s;
        L(l).index = i;
    }
    int ListIndex(EditorList l) const override { return L(l).index; }
    std::string ListText(EditorList l) const override {
        return L(l).index >= 0 ? SjisToUtf8(L(l).entries[L(l).index]) : L(l).typed;
    }
    void SetTargetText(const std::string& s) override {
        target = s;
        typedTarget.reset();
    }
    std::string TargetText() const override { return typedTarget ? *typedTarget : SjisToUtf8(target); }
    void SetChecked(int b, bool c) override { checks[b] = c; }
    bool Checked(int b) const override { return checks[b]; }
    void SetFileNameText(const std::string& s) override { fileName = s; }
    std::string FieldText(EditorField f) const override { return fields[static_cast<int>(f)]; }
    void SetUpDown1Position(int p) override {
        upDown1 = p;
        fields[1] = std::to_string(p);
    }
    // The spin control's position is kept within 0..100 and written into Edit5.
    void SetUpDown2Position(int p) override {
        upDown2 = std::clamp(p, 0, 100);
        fields[2] = std::to_string(upDown2);
    }
    void SetTrackBar1Position(int p) override { trackBar = std::clamp(p, 0, 100); }
    int TrackBar1Position() const override { return trackBar; }
    void ShowInFront() override { shown = true; }
    void Hide() override { shown = false; }
};

struct FakeFolders : IFolderListing {
    std::string folder;  // UTF-8
    std::optional<std::string> listDir;
    bool cleared = false;
    std::string mask = "*.*";
    std::vector<std::string> entries;
    int selected = -1;
    std::string SelectedFolder() const override { return folder; }
    void SetListDirectory(const std::string& s) override {
        listDir = s;
        cleared = false;
    }
    void ClearListDirectory() override {
        listDir.reset();
        cleared = true;
    }
    void SetListMask(const std::string& m) override { mask = m; }
    int ListSelectedIndex() const override { return selected; }
    std::string ListEntry(int i) const override { return entries.at(i); }
};

// The three presenters over fakes, with the program directory "/app/".
struct Rig {
    MemoryFiles files;
    BufferedProfile<MemoryDisk> profile;
    FakeShell shell;
    FakeStatus status;
    FakeScreen screen;
    FakeDialogs dialogs;
    FakeBarView barView;
    FakeEditorView editorView;
    FakeFolders folders;
    FakeChooserView chooserView;
    Services services{profile, files, shell, status, screen, dialogs, kPosixSeparators,
                      "/app/tamblewick", 10};
    std::unique_ptr<BarPresenter> bar;
    std::unique_ptr<EditorPresenter> editor;
    std::unique_ptr<ChooserPresenter> chooser;

    Rig() {
        MemoryDisk::Files().clear();
        MemoryDisk::ReadOnly().clear();
        MemoryDisk::Full().clear();
    }
    // Writes a file (UTF-8 text, "\n" becomes CRLF) at a Shift-JIS path.
    static void Put(const std::string& path, const std::string& utf8) {
        std::string crlf;
        for (char c : Sjis(utf8)) {
            if (c == '\n') crlf += '\r';
            crlf += c;
        }
        MemoryDisk::Files()[path] = crlf;
    }
    // A file's bytes; "" when there is none (and none is made).
    static std::string Get(const std::string& path) {
        const auto it = MemoryDisk::Files().find(path);
        return it == MemoryDisk::Files().end() ? std::string() : it->second;
    }
    static bool Exists(const std::string& path) { return MemoryDisk::Files().count(path) > 0; }
    // Makes the presenters; the bar loads as it is created.
    void Start() {
        bar = std::make_unique<BarPresenter>(barView, services);
        editor = std::make_unique<EditorPresenter>(editorView, folders, *bar);
        chooser = std::make_unique<ChooserPresenter>(chooserView, *bar);
        bar->SetForms(editor.get(), chooser.get());
        bar->FormCreate();
    }
    const Model& M() const { return bar->model(); }
};

}  // namespace tw::test
