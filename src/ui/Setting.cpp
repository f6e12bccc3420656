#include "ui/Setting.h"

#include <QCheckBox>
#include <QComboBox>
#include <QDragEnterEvent>
#include <QFocusEvent>
#include <QKeyEvent>
#include <QLineEdit>
#include <QMimeData>
#include <QShowEvent>

#include "core/barrules.h"
#include "core/settingsfile.h"
#include "core/text.h"
#include "ui/Ranch.h"
#include "ui/SettingWidgets.h"
#include "ui/dialogwindow.h"
#include "ui/formlook.h"
#include "ui/qtext.h"

namespace tw {

namespace {

QString U(const char* utf8) { return QString::fromUtf8(utf8); }

// The byte length of a text as the model would store it.
qsizetype SjisLength(const QString& text) {
    if (auto sjis = FromQ(text)) return static_cast<qsizetype>(sjis->size());
    return text.toUtf8().size();
}

// The whole-number conversion of a field's text; "'%s' は整数ではありません"
// on failure.
int32_t FieldToInt(const QLineEdit* field) {
    const QString text = field->text();
    if (auto sjis = FromQ(text)) return StrToInt(*sjis);
    throw NotAnIntegerUtf8(text.toStdString());
}

}  // namespace

TForm2::TForm2(TForm1& bar, const Platform& platform, QWidget* parent)
    : QWidget(parent, Qt::Window), bar_(bar), platform_(platform) {
    setObjectName("Form2");
    setWindowTitle(QStringLiteral("Tamblewick 設定"));
    setAttribute(Qt::WA_QuitOnClose, false);
    setFont(DesignFont());
    new DialogWindow(this, QSize(706, 495), platform_);
    FormCreate();
}

TForm2::~TForm2() = default;

template <class F>
void TForm2::Act(F&& action) {
    try {
        action();
    } catch (const std::exception& e) {
        ShowError(platform_.dialogs, this, e.what());
    }
}

// ---------------------------------------------------------------------------
// Showing and the working copy

void TForm2::FormCreate() { setAcceptDrops(true); }

void TForm2::setVisible(bool visible) {
    // The window exists from the start, hidden; what it holds is made
    // when it is first shown, so that it costs the program's start nothing.
    if (visible && !Panel1) BuildControls();
    QWidget::setVisible(visible);
}

void TForm2::showEvent(QShowEvent* e) {
    QWidget::showEvent(e);
    if (e->spontaneous()) return;
    if (!shownBefore_) {
        // The folders and their icons are read when the editor is first
        // shown, not while the program starts.
        shownBefore_ = true;
        ShellTreeView1->SetRoots(TShellTreeView::DefaultRoots());
        ShellTreeView1->SelectFirstRoot();
    }
    FormShow();
}

void TForm2::FormShow() { LoadWorkingCopy(); }

void TForm2::LoadWorkingCopy() {
    // The lists: the bar's group names and the first group's captions.
    ComboBox1->clear();
    ComboBox2->clear();
    for (int g = 1; g <= 9; ++g) ComboBox1->addItem(ToQ(bar_.FCaptions[g]));
    ComboBox1->setCurrentIndex(0);
    for (int i = 1; i <= 9; ++i) ComboBox2->addItem(ToQ(bar_.FCaptions[BarIndex(1, i)]));
    ComboBox2->setCurrentIndex(0);
    // The grid.
    MenuGrid grid = GridFromBar(bar_.FCaptions, bar_.FTargets);
    FGroupNames = std::move(grid.groupNames);
    FItemCaptions = std::move(grid.captions);
    FItemTargets = std::move(grid.targets);
    // The first target, the check boxes, the file and the colour.
    SetTargetField(FItemTargets[1][1]);
    CheckBox1->setChecked(bar_.FShowBottom);
    CheckBox2->setChecked(bar_.FStrech);
    CheckBox3->setChecked(bar_.FSysInfo);
    FFileName = bar_.FCaptions[0];
    fileNameCut_ = bar_.FActivePathCut;
    fileStamp_ = platform_.files.ContentStamp(FFileName);
    Edit4->setText(ToQ(FFileName));
    colorPreset_ = bar_.FBarColor;
    FWorkColor = bar_.FBarColor;
    // The spin control shows the size within its range; the height itself
    // is taken unlimited.
    UpDown1->SetPosition(static_cast<int16_t>(bar_.FBarSize));
    FWorkSize = bar_.FBarSize;
    // Transparency back from the window's alpha value.
    const int percent = PercentFromAlpha(bar_.AlphaBlendValue());
    TrackBar1->setValue(percent);
    UpDown2->SetPosition(percent);
    // The language, and the first group and item current.
    CheckBox4->setChecked(bar_.FShowJapanese);
    FCurGroup = 0;
    FCurItem = 0;
}

void TForm2::SetTargetField(const std::string& sjis) { Edit1->setText(ToQ(sjis)); }

void TForm2::ReplaceEntry(QComboBox* list, int index, const std::string& sjis) {
    list->setItemText(index, ToQ(sjis));
    list->setCurrentIndex(index);
}

void TForm2::TypedIntoList(QComboBox* list, const QString& text) {
    if (list->currentIndex() < 0) return;
    QLineEdit* edit = list->lineEdit();
    const int cursor = edit->cursorPosition();
    const QSignalBlocker blocker(list);
    list->setCurrentIndex(-1);
    edit->setText(text);
    edit->setCursorPosition(cursor);
}

// ---------------------------------------------------------------------------
// Groups and items

void TForm2::ComboBox1Change() {
    Act([&] {
        const int index = ComboBox1->currentIndex();
        if (index < 0) return;  // the user is typing a new name
        FCurGroup = index;
        ComboBox2->clear();
        for (int i = 1; i <= 9; ++i) ComboBox2->addItem(ToQ(FItemCaptions[FCurGroup + 1][i]));
        ComboBox2->setCurrentIndex(0);
        FCurItem = 0;
        SetTargetField(FItemTargets[FCurGroup + 1][1]);
    });
}

void TForm2::ComboBox2Change() {
    Act([&] {
        const int index = ComboBox2->currentIndex();
        if (index < 0) return;
        FCurItem = index;
        SetTargetField(CurrentTarget());
    });
}

void TForm2::RenameGroup() {
    if (ComboBox1->currentIndex() >= 0) return;  // nothing was typed
    const QString text = ComboBox1->currentText();
    std::string name;
    try {
        name = text.isEmpty() ? DefaultGroupName(FCurGroup + 1) : FromQOrThrow(text);
        RequireOneLine(name);
    } catch (const UserError&) {
        ReplaceEntry(ComboBox1, FCurGroup, FGroupNames[FCurGroup + 1]);
        throw;
    }
    FGroupNames[FCurGroup + 1] = name;
    ReplaceEntry(ComboBox1, FCurGroup, name);
}

void TForm2::RenameItem() {
    if (ComboBox2->currentIndex() >= 0) return;
    const QString text = ComboBox2->currentText();
    std::string caption;
    try {
        caption = text.isEmpty() ? DefaultItemCaption(FCurItem + 1) : FromQOrThrow(text);
        RequireOneLine(caption);
    } catch (const UserError&) {
        ReplaceEntry(ComboBox2, FCurItem, CurrentCaption());
        throw;
    }
    CurrentCaption() = caption;
    ReplaceEntry(ComboBox2, FCurItem, caption);
    if (text.isEmpty()) {
        // An emptied name removes the entry: default caption, no target.
        SetTargetField(std::string());
        CurrentTarget().clear();
    }
}

void TForm2::ComboBox1Exit() {
    Act([&] { RenameGroup(); });
}

void TForm2::ComboBox2Exit() {
    Act([&] { RenameItem(); });
}

void TForm2::ComboBox1KeyDown(int key, Qt::KeyboardModifiers) {
    if (key == Qt::Key_Return || key == Qt::Key_Enter) ComboBox1Exit();
}

void TForm2::ComboBox2KeyDown(int key, Qt::KeyboardModifiers) {
    if (key == Qt::Key_Return || key == Qt::Key_Enter) ComboBox2Exit();
}

bool TForm2::eventFilter(QObject* watched, QEvent* e) {
    const bool isList = watched == ComboBox1 || watched == ComboBox2;
    if (isList && e->type() == QEvent::FocusOut) {
        // Opening the drop-down list or switching to another window does not
        // leave the field.
        const Qt::FocusReason reason = static_cast<QFocusEvent*>(e)->reason();
        if (reason != Qt::PopupFocusReason && reason != Qt::ActiveWindowFocusReason) {
            if (watched == ComboBox1) ComboBox1Exit();
            else ComboBox2Exit();
        }
    } else if (isList && e->type() == QEvent::KeyPress) {
        auto* k = static_cast<QKeyEvent*>(e);
        if (watched == ComboBox1) ComboBox1KeyDown(k->key(), k->modifiers());
        else ComboBox2KeyDown(k->key(), k->modifiers());
        // Enter is done with here: the list would otherwise pick the first
        // entry that has the typed text.
        if (k->key() == Qt::Key_Return || k->key() == Qt::Key_Enter) return true;
    } else if (watched == Edit2 && e->type() == QEvent::KeyPress) {
        auto* k = static_cast<QKeyEvent*>(e);
        if (!k->text().isEmpty() && k->key() != Qt::Key_Delete && k->key() != Qt::Key_Tab &&
            k->key() != Qt::Key_Backtab) {
            QChar key = k->text().front();
            Edit2KeyPress(key);
            if (key.isNull()) return true;
        }
    }
    return QWidget::eventFilter(watched, e);
}

// ---------------------------------------------------------------------------
// Targets

void TForm2::Edit1Change() {
    Act([&] {
        const QString text = Edit1->text();
        try {
            const std::string sjis = FromQOrThrow(text);
            RequireOneLine(sjis);
            CurrentTarget() = sjis;
        } catch (const UserError&) {
            SetTargetField(CurrentTarget());
            throw;
        }
    });
}

bool TForm2::Edit1DragOver(QObject* source) {
    return source && (source == ShellTreeView1 || source == FileListBox1);
}

void TForm2::Edit1DragDrop(QObject* source) {
    Act([&] {
        if (!Edit1DragOver(source)) return;
        std::string path = FromQOrThrow(ShellTreeView1->SelectedPath());
        RequireOneLine(path);
        if (source == ShellTreeView1) {
            SetTargetField(path);
            CurrentTarget() = path;
            return;
        }
        // From the file list: the folder, a separator, the selected file.
        const std::string_view separators = platform_.separators;
        if (!EndsWithSeparator(path, separators.substr(0, 1))) path += separators.front();
        SetTargetField(path);
        const int index = FileListBox1->SelectedIndex();
        if (index < 0)
            throw UserError("リストのインデックスが範囲を超えています (" + std::to_string(index) + ")");
        path += FileListBox1->Entry(index);
        RequireOneLine(path);
        SetTargetField(path);
        CurrentTarget() = path;
        CurrentCaption() = ExtractFileName(path, separators);
        ReplaceEntry(ComboBox2, FCurItem, CurrentCaption());
    });
}

void TForm2::WMDropFiles(const QStringList& paths) {
    Act([&] {
        // Every path is taken whole; one that Shift-JIS cannot hold refuses
        // the whole drop.
        std::vector<std::string> converted;
        for (const QString& p : paths) {
            converted.push_back(FromQOrThrow(p));
            RequireOneLine(converted.back());
        }
        for (const std::string& p : converted) {
            SetTargetField(p);
            CurrentTarget() = p;
        }
    });
}

// Entering is the first move: the same answer.
void TForm2::dragEnterEvent(QDragEnterEvent* e) { dragMoveEvent(e); }

void TForm2::dragMoveEvent(QDragMoveEvent* e) {
    if (DroppedFiles(e->mimeData()).isEmpty()) {
        e->ignore();
        return;
    }
    e->setDropAction(Qt::CopyAction);
    e->accept();
}

void TForm2::dropEvent(QDropEvent* e) {
    const QStringList paths = DroppedFiles(e->mimeData());
    if (paths.isEmpty()) {
        e->ignore();
        return;
    }
    e->setDropAction(Qt::CopyAction);
    e->accept();
    WMDropFiles(paths);
}

// ---------------------------------------------------------------------------
// Folder tree, file list and filter

void TForm2::ShellTreeView1Change() {
    const QString path = ShellTreeView1->SelectedPath();
    if (path.isEmpty()) return;
    if (auto sjis = FromQ(path)) FileListBox1->SetDirectory(*sjis);
    else FileListBox1->ClearDirectory();
}

void TForm2::Edit2KeyPress(QChar& key) {
    if (key == QChar(8) || key == QLatin1Char('.')) return;
    if (SjisLength(Edit2->text()) >= 3) key = QChar(0);
}

void TForm2::Edit2Change() {
    const QString text = Edit2->text();
    FileListBox1->SetMask(SjisLength(text) == 3 ? QStringLiteral("*.") + text : QStringLiteral("*.*"));
}

// ---------------------------------------------------------------------------
// Saving and applying

void TForm2::SaveTo(const std::string& path) {
    // Everything that can fail before a file is touched comes first.
    const int32_t blend = FieldToInt(Edit5);
    Configuration c;
    c.grid = MenuGrid{FGroupNames, FItemCaptions, FItemTargets};
    c.window.showBottom = CheckBox1->isChecked();
    c.window.strech = CheckBox2->isChecked();
    c.window.sysInfo = CheckBox3->isChecked();
    c.window.color = static_cast<int32_t>(FWorkColor);
    c.window.size = FWorkSize;
    c.window.blend = blend;
    c.window.showJapanese = CheckBox4->isChecked();

    WriteConfiguration(platform_.profile, bar_.FAppDir, path, c);
}

void TForm2::SaveSettings() {
    if (fileNameCut_) throw CannotWrite(FFileName);
    SaveTo(FFileName);
    fileStamp_ = platform_.files.ContentStamp(FFileName);
}

bool TForm2::MayOverwrite() {
    if (fileNameCut_ || platform_.files.ContentStamp(FFileName) == fileStamp_) return true;
    return platform_.dialogs.Confirm(
        this, ToQ(FFileName) + U(" は他のプログラムによって変更されています。上書きしますか？"));
}

void TForm2::Button2Click() {
    Act([&] {
        if (!MayOverwrite()) return;
        SaveSettings();
        bar_.LoadSettings(this);
        hide();
    });
}

void TForm2::Button1Click() { hide(); }

void TForm2::Button6Click() {
    Act([&] {
        if (!MayOverwrite()) return;
        SaveSettings();
        platform_.dialogs.Information(this, U("保存しました"));
    });
}

void TForm2::Button4Click() {
    Act([&] {
        const std::optional<QString> text = platform_.dialogs.InputBox(
            this, U("設定保存"), U("ファイル名を記入してください（拡張子不要）"), QString());
        if (!text) return;
        const std::string path = bar_.FAppDir + FromQOrThrow(*text) + ".ini";
        RequireOneLine(path);
        RequirePathFits(path);
        if (platform_.files.FileExists(path)) {
            platform_.dialogs.Information(this, U("同じ名前のファイルがすでに存在します"));
            return;
        }
        // The new name is taken only once the file has been written.
        SaveTo(path);
        FFileName = path;
        fileNameCut_ = false;
        fileStamp_ = platform_.files.ContentStamp(path);
        bar_.FCaptions[0] = path;
        bar_.FActivePathCut = false;
        Edit4->setText(ToQ(path));
        platform_.dialogs.Information(this, U("保存しました"));
    });
}

void TForm2::Button5Click() {
    Act([&] {
        const std::optional<QString> chosen =
            platform_.dialogs.OpenFile(this, U("設定ファイル(*.ini)|*.ini"), ToQ(bar_.FAppDir));
        if (!chosen) return;
        const std::string path = FromQOrThrow(*chosen);
        RequireOneLine(path);
        RequirePathFits(path);
        if (platform_.files.IsSpecialFile(path)) throw NotARegularFile(path);
        WritePointer(platform_.profile, bar_.FAppDir, path);
        FFileName = path;
        bar_.FCaptions[0] = path;
        bar_.LoadSettings(this);
        LoadWorkingCopy();
        Edit4->setText(ToQ(FFileName));
    });
}

void TForm2::Button3Click() {
    Act([&] {
        const std::optional<QColor> chosen = platform_.dialogs.ChooseColor(this, ToQColor(colorPreset_));
        if (!chosen) return;
        FWorkColor = FromQColor(*chosen);
        colorPreset_ = FWorkColor;
    });
}

void TForm2::Edit3Change() {
    Act([&] { FWorkSize = FieldToInt(Edit3); });
}

void TForm2::TrackBar1Change() {
    Act([&] { UpDown2->SetPosition(static_cast<int16_t>(TrackBar1->value())); });
}

void TForm2::Edit5Change() {
    Act([&] { TrackBar1->setValue(FieldToInt(Edit5)); });
}

}  // namespace tw
