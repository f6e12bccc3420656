// The floor the bar's idle figures are measured against: a bare main window
// with a menu bar of four menus and a label that shows the time, refreshed
// by a 10 ms timer that sets the text only when it changes.
//
// With TAMBLEWICK_BENCH_MAPPED set, prints the wall-clock time in
// microseconds at which the window is first exposed, as the bar does.
#include <QApplication>
#include <QDateTime>
#include <QLabel>
#include <QMainWindow>
#include <QMenuBar>
#include <QScreen>
#include <QTimer>
#include <QWindow>

#include <cstdlib>

#include "ui/qt/exposestamp.h"


int main(int argc, char** argv) {
    QApplication app(argc, argv);
    QMainWindow window;
    auto* menus = new QMenuBar(&window);
    menus->setNativeMenuBar(false);
    for (const char* title : {"File", "Edit", "View", "Help"})
        menus->addMenu(QString::fromLatin1(title))->addAction(QStringLiteral("Item"));
    window.setMenuBar(menus);
    auto* label = new QLabel(&window);
    window.setCentralWidget(label);

    QTimer timer;
    timer.setTimerType(Qt::PreciseTimer);
    QObject::connect(&timer, &QTimer::timeout, label, [label] {
        const QString text =
            QDateTime::currentDateTime().toString(QStringLiteral("yyyy/MM/dd hh:mm:ss"));
        if (label->text() != text) label->setText(text);
    });
    timer.start(10);

    window.resize(QGuiApplication::primaryScreen()->size().width(), 40);
    window.show();
    if (std::getenv("TAMBLEWICK_BENCH_MAPPED"))
        window.windowHandle()->installEventFilter(new tw::ExposeStamp(&app));
    return app.exec();
}
