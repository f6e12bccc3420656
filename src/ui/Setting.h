// The settings editor: a working copy of the bar's configuration, edited
// with a folder tree, a file list and drag and drop, saved to the active
// settings file or to a new one.
#pragma once

#include <QWidget>

#include <array>
#include <cstdint>
#include <optional>
#include <string>

#include "platform/platform.h"

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

class TForm2 : public QWidget {
    Q_OBJECT
public:
    TForm2(TForm1& bar, const Platform& platform, QWidget* parent = nullptr);
    ~TForm2() override;

    // Copies the bar's model into the working copy and the controls.
    void LoadWorkingCopy();
    // Writes the pointer file and every key of the settings file FFileName.
    // Throws UserError; on failure neither file has changed. A path that was
    // cut when it was read is refused with the write error.
    void SaveSettings();

    // Event handlers. Each one is a user action: an error ends it and is
    // shown in the error box.
    void ComboBox1Change();
    void ComboBox2Change();
    void ComboBox1Exit();
    void ComboBox2Exit();
    void ComboBox1KeyDown(int key, Qt::KeyboardModifiers shift);
    void ComboBox2KeyDown(int key, Qt::KeyboardModifiers shift);
    bool Edit1DragOver(QObject* source);
    void Edit1DragDrop(QObject* source);
    // Text typed into the target field becomes the current target.
    void Edit1Change();
    // Files dropped from other programs (local paths); the last one wins.
    void WMDropFiles(const QStringList& paths);
    void ShellTreeView1Change();
    // Sets `key` to 0 to refuse a character typed into the extension filter.
    void Edit2KeyPress(QChar& key);
    void Edit2Change();
    void Button1Click();  // Cancel
    void Button2Click();  // OK
    void Button3Click();  // colour
    void Button4Click();  // new save
    void Button5Click();  // browse
    void Button6Click();  // overwrite save
    void Edit3Change();
    void TrackBar1Change();
    void Edit5Change();

    // The working copy: groups and items indexed 1..9.
    std::array<std::string, 10> FGroupNames;
    std::array<std::array<std::string, 10>, 10> FItemCaptions;
    std::array<std::array<std::string, 10>, 10> FItemTargets;
    int32_t FCurGroup = 0;
    int32_t FCurItem = 0;
    uint32_t FWorkColor = 255;
    int32_t FWorkSize = 20;
    std::string FFileName;

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
    void FormShow();
    // Runs one user action; an error it raises goes to the error box.
    template <class F>
    void Act(F&& action);
    void RenameGroup();
    void RenameItem();
    void SaveTo(const std::string& path);
    // Whether a save over FFileName may go ahead: when the file changed on
    // disk since the working copy was taken, the user is asked first.
    bool MayOverwrite();
    std::string& CurrentTarget() { return FItemTargets[FCurGroup + 1][FCurItem + 1]; }
    std::string& CurrentCaption() { return FItemCaptions[FCurGroup + 1][FCurItem + 1]; }
    void SetTargetField(const std::string& sjis);
    void ReplaceEntry(QComboBox* list, int index, const std::string& sjis);
    // A combo box's text typed by the user: no entry stays selected.
    void TypedIntoList(QComboBox* list, const QString& text);

    TForm1& bar_;
    Platform platform_;
    uint32_t colorPreset_ = 255;
    // FFileName's content as it was when the working copy was taken or last
    // saved; nullopt when there was no file.
    std::optional<uint64_t> fileStamp_;
    // FFileName came from a pointer file whose path was cut.
    bool fileNameCut_ = false;
    bool shownBefore_ = false;
};

}  // namespace tw
