#include "platform/qt/dialogs_qt.h"

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
#include "platform/qt/screen_qt.h"

namespace tw {

QString ErrorBoxText(const QString& text) {
    if (text.isEmpty()) return text;
    const QChar last = text.back();
    if (last.unicode() >= 0x80 || last > QLatin1Char('.')) return text + QLatin1Char('.');
    return text;
}

namespace {

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

bool QtDialogs::Confirm(QWidget* parent, const QString& text) {
    QMessageBox box(QMessageBox::Question, QStringLiteral("確認"), text, QMessageBox::NoButton,
                    parent);
    QPushButton* yes = box.addButton(QStringLiteral("はい(&Y)"), QMessageBox::YesRole);
    QPushButton* no = box.addButton(QStringLiteral("いいえ(&N)"), QMessageBox::NoRole);
    box.setDefaultButton(yes);
    box.setEscapeButton(no);
    RunBox(box, screen_);
    return box.clickedButton() == yes;
}

void QtDialogs::Information(QWidget* parent, const QString& text) {
    QMessageBox box(QMessageBox::NoIcon, title_, text, QMessageBox::Ok, parent);
    RunBox(box, screen_);
}

void QtDialogs::Error(QWidget* parent, const QString& text) {
    QMessageBox box(QMessageBox::Critical, title_, text, QMessageBox::Ok, parent);
    RunBox(box, screen_);
}

std::optional<QString> QtDialogs::InputBox(QWidget* parent, const QString& caption,
                                           const QString& prompt, const QString& text) {
    QDialog dialog(parent);
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
    return edit->text();
}

std::optional<QColor> QtDialogs::ChooseColor(QWidget* parent, const QColor& preset) {
    const KeepFocus focus;
    const QColor c = QColorDialog::getColor(preset, parent);
    if (!c.isValid()) return std::nullopt;
    return c;
}

std::optional<QString> QtDialogs::OpenFile(QWidget* parent, const QString& filter,
                                           const QString& initialDir) {
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
    QFileDialog dialog(parent, QString(), initialDir, qtFilter);
    dialog.setFileMode(QFileDialog::AnyFile);  // the file need not exist
    dialog.setAcceptMode(QFileDialog::AcceptOpen);
    dialog.setOption(QFileDialog::ReadOnly, false);
    dialog.setSizeGripEnabled(true);
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty()) return std::nullopt;
    return dialog.selectedFiles().front();
}

}  // namespace tw
