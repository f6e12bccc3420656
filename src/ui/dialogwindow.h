// What the editor and the chooser share as windows of their own: a dialog
// to screen readers, no task-bar or pager entry, and a designed size that
// includes the window manager's frame.
#pragma once

#include <QObject>
#include <QSize>

class QWidget;

namespace tw {

class IWindowHints;

class DialogWindow : public QObject {
public:
    // `outer` is the window's designed size, frame included. The window is
    // centred on the primary screen when first shown; `hints` (may be null)
    // keep it off the task bar every time it is shown.
    DialogWindow(QWidget* window, QSize outer, IWindowHints* hints);

protected:
    bool eventFilter(QObject* watched, QEvent* e) override;

private:
    void Place();

    QWidget* window_;
    IWindowHints* hints_;
    QSize outer_;
    bool placed_ = false;      // shown at least once
    bool frameKnown_ = false;  // placed with the real frame margins
};

}  // namespace tw
