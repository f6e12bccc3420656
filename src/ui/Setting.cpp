#include "ui/Setting.h"

#include <QCheckBox>
#include <QComboBox>
#include <QDragEnterEvent>
#include <QFocusEvent>
#include <QKeyEvent>
#include <QLineEdit>
#include <QMimeData>
#include <QShowEvent>

#include "ui/Ranch.h"
#include "ui/SettingWidgets.h"
#include "ui/dialogwindow.h"
#include "ui/formlook.h"
#include "ui/keys.h"
#include "ui/qtext.h"

namespace tw {

TForm2::TForm2(TForm1& bar, const Platform& platform, QWidget* parent)
    : QWidget(parent, Qt::Window), platform_(platform), presenter_(*this, *this, bar.presenter()) {
    setObjectName("Form2");
    setWindowTitle(QStringLiteral("Tamblewick 設定"));
    setAttribute(Qt::WA_QuitOnClose, false);
    setFont(DesignFont());
    new DialogWindow(this, QSize(706, 495), platform_);
    FormCreate();
}

TForm2::~TForm2() = default;

// ---------------------------------------------------------------------------
// Showing

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
    presenter_.FormShow();
}

void TForm2::ShowInFront() { DialogWindow::Present(this, platform_); }

// ---------------------------------------------------------------------------
// Events

void TForm2::TypedIntoList(QComboBox* list, const QString& text) {
    if (list->currentIndex() < 0) return;
    QLineEdit* edit = list->lineEdit();
    const int cursor = edit->cursorPosition();
    const QSignalBlocker blocker(list);
    list->setCurrentIndex(-1);
    edit->setText(text);
    edit->setCursorPosition(cursor);
}

void TForm2::ComboBox1KeyDown(int key, Qt::KeyboardModifiers shift) {
    presenter_.ComboBox1KeyDown(VirtualKey(key), ShiftState(shift));
}

void TForm2::ComboBox2KeyDown(int key, Qt::KeyboardModifiers shift) {
    presenter_.ComboBox2KeyDown(VirtualKey(key), ShiftState(shift));
}

DragSource TForm2::SourceOf(QObject* source) const {
    if (source && source == ShellTreeView1) return DragSource::ShellTreeView1;
    if (source && source == FileListBox1) return DragSource::FileListBox1;
    return DragSource::Other;
}

void TForm2::WMDropFiles(const QStringList& paths) {
    std::vector<std::string> utf8;
    for (const QString& p : paths) utf8.push_back(p.toStdString());
    presenter_.WMDropFiles(utf8);
}

void TForm2::Edit2KeyPress(QChar& key) {
    char32_t k = key.unicode();
    presenter_.Edit2KeyPress(k);
    if (k == 0) key = QChar(0);
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

}  // namespace tw
