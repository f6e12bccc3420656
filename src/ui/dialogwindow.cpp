#include "ui/dialogwindow.h"

#include <QAccessible>
#include <QAccessibleWidget>
#include <QEvent>
#include <QWidget>
#include <QWindow>

#include "core/barrules.h"
#include "ui/qt/platform.h"

namespace tw {

namespace {

constexpr char kDialogProperty[] = "tamblewickDialog";

// Qt gives a plain top-level widget the role of a panel; these are dialogs.
QAccessibleInterface* DialogRole(const QString&, QObject* object) {
    auto* w = qobject_cast<QWidget*>(object);
    if (w && w->isWindow() && w->property(kDialogProperty).toBool())
        return new QAccessibleWidget(w, QAccessible::Dialog);
    return nullptr;
}

}  // namespace

DialogWindow::DialogWindow(QWidget* window, QSize outer, const Platform& platform)
    : QObject(window), window_(window), platform_(platform), outer_(outer) {
    static const bool installed = [] {
        QAccessible::installFactory(DialogRole);
        return true;
    }();
    (void)installed;
    window->setProperty(kDialogProperty, true);
    window->resize(outer);
    window->installEventFilter(this);
}

QMargins DialogWindow::Frame() const {
    // The native window's own figure: the widget's frame geometry is a copy
    // taken at the window's last move or resize, and a window manager may
    // frame the window without moving it.
    if (const QWindow* native = window_->windowHandle()) return native->frameMargins();
    const QRect outer = window_->frameGeometry(), inner = window_->geometry();
    return QMargins(inner.left() - outer.left(), inner.top() - outer.top(),
                    outer.right() - inner.right(), outer.bottom() - inner.bottom());
}

void DialogWindow::Place() {
    const QMargins frame = Frame();
    frameKnown_ = !frame.isNull();
    window_->resize(outer_ - QSize(frame.left() + frame.right(), frame.top() + frame.bottom()));
    const Rect r = CentredIn(platform_.services.screen.WorkArea(), outer_.width(), outer_.height());
    // The inside's corner from the same margins: a move of the widget would
    // take the frame from its own, possibly older, copy.
    if (QWindow* native = window_->windowHandle())
        native->setPosition(r.left + frame.left(), r.top + frame.top());
    else
        window_->move(r.left, r.top);
}

void DialogWindow::Present(QWidget* window, const Platform& platform) {
    if (window->isVisible() && platform.hints) platform.hints->ShowOnCurrentDesktop(window);
    window->show();
    window->raise();
    window->activateWindow();
}

bool DialogWindow::eventFilter(QObject* watched, QEvent* e) {
    if (watched != window_) return false;
    if (e->type() == QEvent::Show) {
        // Before the window is mapped: a window manager would otherwise
        // take it back to the workspace it was last shown on.
        if (IWindowHints* hints = platform_.hints) hints->ShowOnCurrentDesktop(window_);
        if (!placed_) {
            placed_ = true;
            Place();
        }
        // The window manager reads the hint from the mapped window, which
        // exists only once the show is through.
        if (IWindowHints* hints = platform_.hints)
            QMetaObject::invokeMethod(
                this, [this, hints] { hints->SkipTaskbar(window_); }, Qt::QueuedConnection);
    } else if (placed_ && !frameKnown_ &&
               (e->type() == QEvent::Move || e->type() == QEvent::Paint ||
                e->type() == QEvent::WindowActivate)) {
        // A window manager adds its frame after the first show, and the
        // window need not move for it: place again once the frame is known.
        if (!Frame().isNull()) Place();
    }
    return false;
}

}  // namespace tw
