#include "ui/qt/screen_qt.h"

#include <QGuiApplication>
#include <QScreen>

namespace tw {

int QtScreen::ScreenWidth() {
    QScreen* s = QGuiApplication::primaryScreen();
    return s ? s->geometry().width() : 0;
}

Rect QtScreen::WorkArea() {
    QScreen* s = QGuiApplication::primaryScreen();
    if (!s) return {};
    const QRect r = s->availableGeometry();
    return {r.x(), r.y(), r.width(), r.height()};
}

}  // namespace tw
