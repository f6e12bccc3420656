// The application object and the program entry.
#include <QApplication>
#include <QFont>
#include <QMessageBox>
#include <QWindow>

#include <chrono>
#include <climits>
#include <cstdlib>
#include <memory>
#include <vector>

#include "core/barrules.h"
#include "core/sysstatus_background.h"
#include "core/text.h"
#ifdef _WIN32
#include "platform/win/filesystem_win.h"
#include "platform/win/process_win.h"
#include "platform/win/profile_win.h"
#include "platform/win/shell_win.h"
#include "platform/win/sysstatus_win.h"
#else
#include <unistd.h>

#include "platform/linux/filesystem_linux.h"
#include "platform/linux/profile_linux.h"
#include "platform/linux/shell_linux.h"
#include "platform/linux/sysstatus_linux.h"
#include "ui/qt/x11_qt.h"
#include "ui/qt/x11_workarea.h"
#endif
#include "ui/qt/dialogs_qt.h"
#include "ui/qt/exposestamp.h"
#include "ui/qt/screen_qt.h"
#include "ui/Ranch.h"
#include "ui/SettinFiles.h"
#include "ui/Setting.h"
#include "ui/qtext.h"

namespace tw {

// The application object. The bar is a tool window, so the program shows no
// button on the task bar.
class TApp : public QApplication {
public:
    TApp(int& argc, char** argv) : QApplication(argc, argv) {
        setQuitOnLastWindowClosed(false);
        // The designed face and its metrically close stand-ins.
        QFont::insertSubstitutions(QStringLiteral("ＭＳ Ｐゴシック"),
                                   {QStringLiteral("MS PGothic"), QStringLiteral("IPAPGothic"),
                                    QStringLiteral("IPAexGothic"), QStringLiteral("VL PGothic"),
                                    QStringLiteral("Noto Sans CJK JP")});
    }
};

// The real path of the running executable (UTF-8).
std::string ExecutableRealPath() {
#ifdef _WIN32
    return ExecutablePathUtf8();
#else
    char buf[PATH_MAX];
    if (realpath("/proc/self/exe", buf)) return buf;
    return {};
#endif
}

}  // namespace tw

int main(int argc, char** argv) {
#ifdef _WIN32
    std::vector<char*> args(argv, argv + argc + 1);
    constexpr std::string_view kSeparators = tw::kWindowsSeparators;
#else
    std::vector<char*> args = tw::WithX11Platform(argc, argv);
    constexpr std::string_view kSeparators = tw::kPosixSeparators;
#endif
    int qtArgc = static_cast<int>(args.size()) - 1;
    tw::TApp app(qtArgc, args.data());
    const std::string exe = tw::ExecutableRealPath();
    const auto exeSjis = tw::TryUtf8ToSjis(exe);
    if (!exeSjis) {
        // No title can be made from a name Shift-JIS cannot hold: the box
        // shows the file name as it is.
        const QString name = QString::fromStdString(exe.substr(exe.find_last_of(kSeparators) + 1));
        tw::QtDialogs(name).Error(nullptr, tw::ErrorBoxText("'" + exe + "' には Shift-JIS で書けない文字があります"));
        return 1;
    }
    // The one application title, from the Shift-JIS name.
    const std::string title = tw::ApplicationTitleOfPath(*exeSjis, kSeparators);
    tw::QtDialogs dialogs(tw::ToQ(title));

#ifdef _WIN32
    // The bar is a Qt::Tool window, which Windows keeps off the task bar.
    tw::WinProfile profile;
    tw::WinFileSystem files;
    // The one owner of a shell request is the bar.
    tw::WinShell shell([](const void* owner) {
        auto* bar = const_cast<tw::TForm1*>(static_cast<const tw::TForm1*>(owner));
        return reinterpret_cast<void*>(bar->winId());
    });
    tw::BackgroundSystemStatus status(std::make_shared<tw::WinSystemStatus>(), "CD", tw::kHeaderFiguresInterval);
    tw::QtScreen screen;
    const tw::Platform platform{
        {profile, files, shell, status, screen, dialogs, kSeparators, *exeSjis, 10}, nullptr, title};
#else
    tw::LinuxProfile profile;
    tw::LinuxFileSystem files;
    tw::LinuxShell shell;
    tw::BackgroundSystemStatus status(std::make_shared<tw::LinuxSystemStatus>(), "CD", tw::kHeaderFiguresInterval);
    tw::X11WorkArea primaryWorkArea;
    tw::QtScreen screen(&primaryWorkArea);
    dialogs.SetScreen(&screen);
    tw::X11Hints hints;
    const tw::Platform platform{
        {profile, files, shell, status, screen, dialogs, kSeparators, *exeSjis, 10}, &hints, title};
#endif

    // The header's layout at the first load wants to know whether D: is
    // there; a disk that does not answer within this time is taken as absent.
    status.AwaitFirstFigures(std::chrono::milliseconds(250));
    tw::TForm1 form1(platform);
    tw::TForm2 form2(form1, platform);
    tw::TForm3 form3(form1, platform);
    form1.SetForms(&form2, &form3);
    QObject::connect(&form1, &tw::TForm1::closed, &app, &QApplication::quit, Qt::QueuedConnection);
    form1.show();
#ifndef _WIN32
    hints.SkipTaskbar(&form1);
#endif
    if (std::getenv("TAMBLEWICK_BENCH_MAPPED"))
        form1.windowHandle()->installEventFilter(new tw::ExposeStamp(&app));
    return app.exec();
}
