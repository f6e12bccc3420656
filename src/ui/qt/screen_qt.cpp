#include "ui/qt/screen_qt.h"

#include <QGuiApplication>
#include <QScreen>

#include <cmath>

namespace tw {

int QtScreen::ScreenWidth() {
    QScreen* s = QGuiApplication::primaryScreen();
    return s ? s->geometry().width() : 0;
}

Rect QtScreen::WorkArea() {
    QScreen* s = QGuiApplication::primaryScreen();
    if (!s) return {};
    if (several_ && QGuiApplication::screens().size() > 1) {
        // The window system counts in device pixels, Qt in its own.
        const qreal ratio = s->devicePixelRatio();
        const QRect g = s->geometry();
        const auto device = [ratio](int v) { return static_cast<int>(std::lround(v * ratio)); };
        const auto own = [ratio](int v) { return static_cast<int>(std::lround(v / ratio)); };
        if (const auto r = several_->PrimaryWorkArea(
                {device(g.x()), device(g.y()), device(g.width()), device(g.height())}))
            return {own(r->left), own(r->top), own(r->width), own(r->height)};
    }
    const QRect r = s->availableGeometry();
    return {r.x(), r.y(), r.width(), r.height()};
}

}  // namespace tw
