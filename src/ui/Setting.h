// The settings editor: a working copy of the bar's configuration, edited
// with a folder tree, a file list and drag and drop, saved to the active
// settings file or to a new one.
#pragma once

#include <QWidget>

#include <array>
#include <cstdint>
#include <string>

#include "forms/editor.h"
#include "ui/qt/platform.h"

class QCheckBox;
class QComboBox;
class QGridLayout;
class QGroupBox;
class QHBoxLayout;
class QLabel;
class QLineEdit;
class QPushButton;
class QSlider;
class QVBoxLayout;

namespace tw {

class TForm1;
class TUpDown;
class TShellTreeView;
class TFileListBox;
class TTargetEdit;

class TForm2 : public QWidget, private IEditorView, private IFolderListing {
    Q_OBJECT
public:
    TForm2(TForm1& bar, const Platform& platform, QWidget* parent = nullptr);
    ~TForm2() override;

    // Copies the bar's model into the working copy and the controls.
    void LoadWorkingCopy() { presenter_.LoadWorkingCopy(); }
    // Writes the pointer file and every key of the settings file FFileName.
    void SaveSettings() { presenter_.SaveSettings(); }

    // Event handlers: each hands its event to the presenter.
    void ComboBox1Change() { presenter_.ComboBox1Change(); }
    void ComboBox2Change() { presenter_.ComboBox2Change(); }
    void ComboBox1Exit() { presenter_.ComboBox1Exit(); }
    void ComboBox2Exit() { presenter_.ComboBox2Exit(); }
    void ComboBox1KeyDown(int key, Qt::KeyboardModifiers shift);
    void ComboBox2KeyDown(int key, Qt::KeyboardModifiers shift);
    bool Edit1DragOver(QObject* source) { return presenter_.Edit1DragOver(SourceOf(source)); }
    void Edit1DragDrop(QObject* source) { presenter_.Edit1DragDrop(SourceOf(source)); }
    void Edit1Change() { presenter_.Edit1Change(); }
    // Files dropped from other programs (local paths); the last one wins.
    void WMDropFiles(const QStringList& paths);
    void ShellTreeView1Change() { presenter_.ShellTreeView1Change(); }
    // Sets `key` to 0 to refuse a character typed into the extension filter.
    void Edit2KeyPress(QChar& key);
    void Edit2Change() { presenter_.Edit2Change(); }
    void Button1Click() { presenter_.Button1Click(); }  // Cancel
    void Button2Click() { presenter_.Button2Click(); }  // OK
    void Button3Click() { presenter_.Button3Click(); }  // colour
    void Button4Click() { presenter_.Button4Click(); }  // new save
    void Button5Click() { presenter_.Button5Click(); }  // browse
    void Button6Click() { presenter_.Button6Click(); }  // overwrite save
    void Edit3Change() { presenter_.Edit3Change(); }
    void TrackBar1Change() { presenter_.TrackBar1Change(); }
    void Edit5Change() { presenter_.Edit5Change(); }

    // The working copy and the rules behind the window.
    EditorPresenter& presenter() { return presenter_; }

    // Controls, by their designer names.
    QGroupBox* GroupBox1 = nullptr;
    QGroupBox* GroupBox2 = nullptr;
    QGroupBox* GroupBox3 = nullptr;
    QComboBox* ComboBox1 = nullptr;
    QComboBox* ComboBox2 = nullptr;
    TTargetEdit* Edit1 = nullptr;
    QCheckBox* CheckBox1 = nullptr;
    QCheckBox* CheckBox2 = nullptr;
    QCheckBox* CheckBox3 = nullptr;
    QCheckBox* CheckBox4 = nullptr;
    QLabel* Label1 = nullptr;
    QLabel* Label2 = nullptr;
    QLabel* Label3 = nullptr;
    QLabel* Label4 = nullptr;
    QLineEdit* Edit2 = nullptr;
    QLineEdit* Edit3 = nullptr;
    TUpDown* UpDown1 = nullptr;
    QLineEdit* Edit4 = nullptr;
    QLineEdit* Edit5 = nullptr;
    TUpDown* UpDown2 = nullptr;
    QSlider* TrackBar1 = nullptr;
    QPushButton* Button1 = nullptr;
    QPushButton* Button2 = nullptr;
    QPushButton* Button3 = nullptr;
    QPushButton* Button4 = nullptr;
    QPushButton* Button5 = nullptr;
    QPushButton* Button6 = nullptr;
    TShellTreeView* ShellTreeView1 = nullptr;
    TFileListBox* FileListBox1 = nullptr;
    QWidget* Panel1 = nullptr;  // the lower panel

    // The controls above are made when the editor is first shown.
    void setVisible(bool visible) override;

protected:
    void showEvent(QShowEvent* e) override;
    void dragEnterEvent(QDragEnterEvent* e) override;
    void dragMoveEvent(QDragMoveEvent* e) override;
    void dropEvent(QDropEvent* e) override;
    bool eventFilter(QObject* watched, QEvent* e) override;

private:
    // Construction, region by region (SettingLayout.cpp).
    void BuildControls();
    QWidget* BuildFilterStrip();
    QWidget* BuildBrowser();
    QHBoxLayout* BuildLists();
    QComboBox* MakeList(const char* name, const char* title, QGroupBox*& box, const char* boxName);
    QGridLayout* BuildFileField();
    QGroupBox* BuildTarget();
    QGridLayout* BuildChecks();
    QGridLayout* BuildNumbers();
    QLineEdit* MakeNumberField(const char* name, const char* label, TUpDown*& upDown,
                               const char* upDownName, int min, int max, int position);
    QVBoxLayout* BuildButtons();
    void ConnectControls();
    void FormCreate();
    DragSource SourceOf(QObject* source) const;
    // A combo box's text typed by the user: no entry stays selected.
    void TypedIntoList(QComboBox* list, const QString& text);
    QComboBox* ListOf(EditorList list) const { return list == EditorList::ComboBox1 ? ComboBox1 : ComboBox2; }

    // What the presenter asks of the window (SettingView.cpp).
    WindowHandle Owner() const override { return static_cast<const QWidget*>(this); }
    void SetListEntries(EditorList list, const std::vector<std::string>& sjis) override;
    void ReplaceListEntry(EditorList list, int index, const std::string& sjis) override;
    int ListIndex(EditorList list) const override;
    std::string ListText(EditorList list) const override;
    void SetTargetText(const std::string& sjis) override;
    std::string TargetText() const override;
    void SetChecked(int box, bool checked) override;
    bool Checked(int box) const override;
    void SetFileNameText(const std::string& sjis) override;
    std::string FieldText(EditorField field) const override;
    void SetUpDown1Position(int position) override;
    void SetUpDown2Position(int position) override;
    void SetTrackBar1Position(int position) override;
    int TrackBar1Position() const override;
    void ShowInFront() override;
    void Hide() override { hide(); }
    // The folder tree and the file list.
    std::string SelectedFolder() const override;
    void SetListDirectory(const std::string& sjis) override;
    void ClearListDirectory() override;
    void SetListMask(const std::string& utf8) override;
    int ListSelectedIndex() const override;
    std::string ListEntry(int index) const override;

    Platform platform_;
    EditorPresenter presenter_;
    bool shownBefore_ = false;
};

}  // namespace tw
