// The work area of the primary monitor when the X screen has several.
#pragma once

#include <QAbstractNativeEventFilter>

#include <optional>
#include <unordered_set>

#include "ui/qt/screen_qt.h"

namespace tw {

// With several monitors Qt takes a monitor's whole rectangle for its
// available area (_NET_WORKAREA covers the whole screen). This reads what
// panels reserve, as they do themselves: the struts
// (_NET_WM_STRUT_PARTIAL, else _NET_WM_STRUT) of the dock windows
// (_NET_WM_WINDOW_TYPE_DOCK) among the managed ones (_NET_CLIENT_LIST), and
// takes from the monitor those that touch it. The result is kept until the
// list of windows, a dock's strut or type, the screen's size or the monitor
// changes, so that reading it on every mouse movement costs nothing.
class X11WorkArea : public IPrimaryWorkArea, public QAbstractNativeEventFilter {
public:
    X11WorkArea();
    ~X11WorkArea() override;

    std::optional<Rect> PrimaryWorkArea(const Rect& monitor) override;
    bool nativeEventFilter(const QByteArray& eventType, void* message, qintptr* result) override;

    // How many times the struts were read from the X server.
    int Reads() const { return reads_; }

private:
    std::optional<Rect> Read(const Rect& monitor);

    std::optional<Rect> cached_;
    Rect monitor_;
    bool stale_ = true;
    int reads_ = 0;
    uint32_t root_ = 0;
    uint32_t clientList_ = 0, workArea_ = 0, strut_ = 0, strutPartial_ = 0, type_ = 0, dock_ = 0;
    std::unordered_set<uint32_t> docks_;  // dock windows whose changes are watched
};

}  // namespace tw
