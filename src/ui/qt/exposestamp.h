// For the start-up benchmark (bench/idle.sh): prints, once, the wall-clock
// time in microseconds at which a window is first exposed.
#pragma once

#include <QEvent>
#include <QObject>
#include <QWindow>

#include <chrono>
#include <cstdio>

namespace tw {

class ExposeStamp : public QObject {
public:
    using QObject::QObject;

protected:
    bool eventFilter(QObject* watched, QEvent* e) override {
        if (e->type() == QEvent::Expose && static_cast<QWindow*>(watched)->isExposed()) {
            const auto now = std::chrono::system_clock::now().time_since_epoch();
            std::printf("mapped %lld\n", static_cast<long long>(
                std::chrono::duration_cast<std::chrono::microseconds>(now).count()));
            std::fflush(stdout);
            watched->removeEventFilter(this);
        }
        return false;
    }
};

}  // namespace tw
