// What the editor and the chooser share as windows of their own: a dialog
// to screen readers, no task-bar or pager entry, and a designed size that
// includes the window manager's frame; they open on the workspace the user
// is on.
#pragma once

#include <QMargins>
#include <QObject>
#include <QSize>

class QWidget;

namespace tw {

struct Platform;

class DialogWindow : public QObject {
public:
    // `outer` is the window's designed size, frame included. The window
    // stands in the middle of the primary screen's work area when first
    // shown, and asks the platform's hints to keep it off the task bar every
    // time it is shown.
    DialogWindow(QWidget* window, QSize outer, const Platform& platform);

    // Shows the window, or brings it to the workspace the user is on when
    // it is shown already, in front and active.
    static void Present(QWidget* window, const Platform& platform);

protected:
    bool eventFilter(QObject* watched, QEvent* e) override;

private:
    void Place();
    // The window manager's frame around the window; none before it is
    // known.
    QMargins Frame() const;

    QWidget* window_;
    const Platform& platform_;
    QSize outer_;
    bool placed_ = false;      // shown at least once
    bool frameKnown_ = false;  // placed with the real frame margins
};

}  // namespace tw
