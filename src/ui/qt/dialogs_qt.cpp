#include "ui/qt/dialogs_qt.h"

#include <QApplication>
#include <QColorDialog>
#include <QDialogButtonBox>
#include <QFileDialog>
#include <QLabel>
#include <QLineEdit>
#include <QMessageBox>
#include <QPointer>
#include <QPushButton>
#include <QVBoxLayout>

#include "core/barrules.h"
#include "ui/formlook.h"
#include "ui/qt/screen_qt.h"

namespace tw {

namespace {

QWidget* Parent(WindowHandle owner) { return static_cast<QWidget*>(const_cast<void*>(owner)); }
QString Q(const std::string& utf8) { return QString::fromStdString(utf8); }

void CentreOnScreen(QWidget& w, IScreen* screen) {
    w.adjustSize();
    const QSize outer = w.frameGeometry().size();
    QtScreen primary;
    const Rect r = CentredIn((screen ? *screen : primary).WorkArea(), outer.width(), outer.height());
    w.move(r.left, r.top);
}

// Gives the keyboard back, once a box has closed, to the control that had
// it when the box opened, with its window active. Window managers need not
// do it: openbox, for one, gives the focus to no window at all when the
// window under the box is kept off the task bar, as the editor is.
class KeepFocus {
public:
    KeepFocus()
        : control_(QApplication::focusWidget()),
          window_(control_ ? control_->window() : QApplication::activeWindow()) {}
    ~KeepFocus() {
        if (!window_ || !window_->isVisible()) return;
        if (control_ && control_->isVisible() && control_->window() == window_)
            control_->setFocus(Qt::ActiveWindowFocusReason);
        window_->activateWindow();
    }
    KeepFocus(const KeepFocus&) = delete;
    KeepFocus& operator=(const KeepFocus&) = delete;

private:
    QPointer<QWidget> control_, window_;
};

int RunBox(QMessageBox& box, IScreen* screen) {
    const KeepFocus focus;
    CentreOnScreen(box, screen);
    return box.exec();
}

}  // namespace

bool QtDialogs::Confirm(WindowHandle owner, const std::string& text) {
    QMessageBox box(QMessageBox::Question, QStringLiteral("確認"), Q(text), QMessageBox::NoButton,
                    Parent(owner));
    QPushButton* yes = box.addButton(QStringLiteral("はい(&Y)"), QMessageBox::YesRole);
    QPushButton* no = box.addButton(QStringLiteral("いいえ(&N)"), QMessageBox::NoRole);
    box.setDefaultButton(yes);
    box.setEscapeButton(no);
    RunBox(box, screen_);
    return box.clickedButton() == yes;
}

void QtDialogs::Information(WindowHandle owner, const std::string& text) {
    QMessageBox box(QMessageBox::NoIcon, title_, Q(text), QMessageBox::Ok, Parent(owner));
    RunBox(box, screen_);
}

void QtDialogs::Error(WindowHandle owner, const std::string& text) {
    QMessageBox box(QMessageBox::Critical, title_, Q(text), QMessageBox::Ok, Parent(owner));
    RunBox(box, screen_);
}

std::optional<std::string> QtDialogs::InputBox(WindowHandle owner, const std::string& captionUtf8,
                                               const std::string& promptUtf8,
                                               const std::string& textUtf8) {
    const QString caption = Q(captionUtf8), prompt = Q(promptUtf8), text = Q(textUtf8);
    QDialog dialog(Parent(owner));
    dialog.setWindowTitle(caption);
    auto* column = new QVBoxLayout(&dialog);
    auto* label = new QLabel(prompt, &dialog);
    auto* edit = new QLineEdit(text, &dialog);
    edit->setMaxLength(255);
    edit->selectAll();
    edit->setAccessibleName(prompt);
    label->setBuddy(edit);
    auto* buttons = new QDialogButtonBox(&dialog);
    QPushButton* ok = buttons->addButton(QStringLiteral("OK"), QDialogButtonBox::AcceptRole);
    buttons->addButton(QStringLiteral("キャンセル"), QDialogButtonBox::RejectRole);
    ok->setDefault(true);
    QObject::connect(buttons, &QDialogButtonBox::accepted, &dialog, &QDialog::accept);
    QObject::connect(buttons, &QDialogButtonBox::rejected, &dialog, &QDialog::reject);
    column->addWidget(label);
    column->addWidget(edit);
    column->addWidget(buttons);
    CentreOnScreen(dialog, screen_);
    const KeepFocus focus;
    if (dialog.exec() != QDialog::Accepted) return std::nullopt;
    return edit->text().toStdString();
}

std::optional<uint32_t> QtDialogs::ChooseColor(WindowHandle owner, uint32_t preset) {
    const KeepFocus focus;
    const QColor c = QColorDialog::getColor(ToQColor(preset), Parent(owner));
    if (!c.isValid()) return std::nullopt;
    return FromQColor(c);
}

std::optional<std::string> QtDialogs::OpenFile(WindowHandle owner, const std::string& filterUtf8,
                                               const std::string& initialDirUtf8) {
    const QString filter = Q(filterUtf8), initialDir = Q(initialDirUtf8);
    // The filter comes as "description|pattern"; Qt reads the patterns from
    // the parentheses of the description.
    QString qtFilter = filter;
    if (const int bar = filter.indexOf(QLatin1Char('|')); bar >= 0) {
        const QString description = filter.left(bar), pattern = filter.mid(bar + 1);
        qtFilter = description.contains(QLatin1Char('(') + pattern + QLatin1Char(')'))
                       ? description
                       : description + QStringLiteral(" (") + pattern + QLatin1Char(')');
    }
    const KeepFocus focus;
    QFileDialog dialog(Parent(owner), QString(), initialDir, qtFilter);
    dialog.setFileMode(QFileDialog::AnyFile);  // the file need not exist
    dialog.setAcceptMode(QFileDialog::AcceptOpen);
    dialog.setOption(QFileDialog::ReadOnly, false);
    dialog.setSizeGripEnabled(true);
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty()) return std::nullopt;
    return dialog.selectedFiles().front().toStdString();
}

}  // namespace tw
