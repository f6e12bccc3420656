#include "ui/Ranch.h"

#include <QApplication>
#include <QCloseEvent>
#include <QKeyEvent>
#include <QLabel>
#include <QLayout>
#include <QMenu>
#include <QMenuBar>
#include <QShowEvent>
#include <QVBoxLayout>

#include "core/barrules.h"
#include "core/settingsfile.h"
#include "core/text.h"
#include "ui/keys.h"
#include "ui/HeaderControl.h"
#include "ui/SettinFiles.h"
#include "ui/dialogwindow.h"
#include "ui/Setting.h"
#include "ui/formlook.h"
#include "ui/qtext.h"

namespace tw {

namespace {

using Handler = void (TForm1::*)();

// The Control Panel submenu in menu order; a null caption is a separator.
struct PanelEntry {
    const char* name;
    const char* caption;
    Handler handler;
};
const PanelEntry kPanel[] = {
    {"N16", "システムのプロパティ", &TForm1::N16Click},
    {"N5", "地域と言語のオプション", &TForm1::N5Click},
    {"N18", "日付と時刻のプロパティ", &TForm1::N18Click},
    {"N1", "ユーザー補助のオプション", &TForm1::N1Click},
    {"N15", "電源オプション", &TForm1::N15Click},
    {"N17", nullptr, nullptr},
    {"N3", "画面のプロパティ", &TForm1::N3Click},
    {"N11", "サウンドとオーディオデバイスのプロパティ", &TForm1::N11Click},
    {"N7", "マウスのプロパティ", &TForm1::N7Click},
    {"N8", "キーボードのプロパティ", &TForm1::N8Click},
    {"N6", "ゲームコントローラ", &TForm1::N6Click},
    {"N19", nullptr, nullptr},
    {"N2", "プログラムの追加と削除", &TForm1::N2Click},
    {"N10", "ハードウェアの追加", &TForm1::N10Click},
    {"N9", "プリンタとFAX", &TForm1::N9Click},
    {"N13", "モデム", &TForm1::N13Click},
    {"N4", "ネットワーク接続", &TForm1::N4Click},
    {"N12", "インターネットのプロパティ", &TForm1::N12Click},
    {"N20", nullptr, nullptr},
    {"N14", "ユーザーアカウント", &TForm1::N14Click},
};

// Item + i + g for entry i of group g.
#define TW_ROW(i)                                                                        \
    {&TForm1::Item##i##1##Click, &TForm1::Item##i##2##Click, &TForm1::Item##i##3##Click, \
     &TForm1::Item##i##4##Click, &TForm1::Item##i##5##Click, &TForm1::Item##i##6##Click, \
     &TForm1::Item##i##7##Click, &TForm1::Item##i##8##Click, &TForm1::Item##i##9##Click}
const Handler kItemHandlers[9][9] = {TW_ROW(1), TW_ROW(2), TW_ROW(3), TW_ROW(4), TW_ROW(5),
                                     TW_ROW(6), TW_ROW(7), TW_ROW(8), TW_ROW(9)};
#undef TW_ROW

// The receiver of Timer1's ticks.
class TickSource : public QObject {
public:
    explicit TickSource(TForm1& form) : QObject(&form), form_(form) {}

protected:
    void timerEvent(QTimerEvent*) override { form_.Timer1Timer(); }

private:
    TForm1& form_;
};

}  // namespace

TForm1::TForm1(const Platform& platform, QWidget* parent)
    : QMainWindow(parent), platform_(platform), presenter_(*this, platform_.services) {
    ticks_ = new TickSource(*this);
    setObjectName("Form1");
    setWindowFlags(Qt::FramelessWindowHint | Qt::WindowStaysOnTopHint | Qt::Tool);
    setAttribute(Qt::WA_QuitOnClose, false);  // closing ends the program through closed()
    setFont(DesignFont());
    setAccessibleName(ToQ(platform.title));

    MainMenu1 = new QMenuBar(this);
    MainMenu1->setObjectName("MainMenu1");
    MainMenu1->setNativeMenuBar(false);
    setMenuBar(MainMenu1);

    auto* client = new QWidget(this);
    client->setObjectName("Client");
    client->setAutoFillBackground(true);
    client->setMouseTracking(true);
    auto* column = new QVBoxLayout(client);
    column->setContentsMargins(0, 0, 0, 0);
    column->setSpacing(0);
    HeaderControl1 = new THeaderControl(client);
    column->addWidget(HeaderControl1);
    column->addStretch(1);
    setCentralWidget(client);
    layout()->setSizeConstraint(QLayout::SetNoConstraint);
    setMinimumSize(0, 0);

    for (QObject* o : {static_cast<QObject*>(MainMenu1), static_cast<QObject*>(client),
                       static_cast<QObject*>(HeaderControl1)})
        o->installEventFilter(this);
    for (int i = 0; i < THeaderControl::kSections; ++i)
        HeaderControl1->Section(i)->installEventFilter(this);
    setMouseTracking(true);

    QPalette pal = client->palette();
    pal.setColor(QPalette::Window, QColor(255, 0, 0));
    client->setPalette(pal);

    BuildMenu();
    presenter_.FormCreate();
}

TForm1::~TForm1() = default;

void TForm1::SetForms(TForm2* editor, TForm3* chooser) {
    Form2 = editor;
    Form3 = chooser;
    presenter_.SetForms(editor ? &editor->presenter() : nullptr,
                        chooser ? &chooser->presenter() : nullptr);
}

void TForm1::BuildMenu() {
    for (int g = 1; g <= 9; ++g) {
        QMenu* group = MainMenu1->addMenu(ToQ(DefaultGroupName(g)));
        group->setObjectName(QString::fromStdString(DefaultGroupName(g)));
        // Every "-" entry is a line, at either end and next to another one too.
        group->setSeparatorsCollapsible(false);
        Groups[g] = group;
        for (int i = 1; i <= 9; ++i) {
            QAction* entry = group->addAction(ToQ(DefaultItemCaption(i)));
            entry->setObjectName(QStringLiteral("Item%1%2").arg(i).arg(g));
            connect(entry, &QAction::triggered, this, kItemHandlers[i - 1][g - 1]);
            items_[g][i] = entry;
        }
    }

    ControlPanel1 = MainMenu1->addMenu(QStringLiteral(":ControlPanel:"));
    ControlPanel1->setObjectName("ControlPanel1");
    for (const PanelEntry& e : kPanel) {
        QAction* a = e.caption ? ControlPanel1->addAction(QString::fromUtf8(e.caption))
                               : ControlPanel1->addSeparator();
        a->setObjectName(e.name);
        if (e.handler) connect(a, &QAction::triggered, this, e.handler);
    }

    const auto fixed = [this](const char* name, const char* caption, Handler handler) {
        QAction* a = MainMenu1->addAction(QString::fromUtf8(caption));
        a->setObjectName(name);
        connect(a, &QAction::triggered, this, handler);
        return a;
    };
    Setting1 = fixed("Setting1", ":Setting:", &TForm1::Setting1Click);
    SettingFiles1 = fixed("SettingFiles1", ":SettingFiles:", &TForm1::SettingFiles1Click);
    Expand1 = fixed("Expand1", ":Collapse:", &TForm1::Expand1Click);
    Help1 = fixed("Help1", ":Help:", &TForm1::Help1Click);
    Exit1 = fixed("Exit1", ":Exit:", &TForm1::Exit1Click);
}

void TForm1::LoadSettings(QObject*) { presenter_.LoadSettings(); }

void TForm1::StayOnAllDesktops() {
    if (platform_.hints) platform_.hints->ShowOnAllDesktops(this);
}

void TForm1::showEvent(QShowEvent* e) {
    QMainWindow::showEvent(e);
    if (e->spontaneous()) return;
    // Once before the window is mapped, for the window manager to read as
    // it maps it, and once after, as a request to the window manager.
    StayOnAllDesktops();
    QMetaObject::invokeMethod(this, &TForm1::StayOnAllDesktops, Qt::QueuedConnection);
}

bool TForm1::eventFilter(QObject* watched, QEvent* e) {
    // The menu bar keeps the keyboard once Alt or a click gave it: Escape
    // there is the bar's Escape. An open menu takes its own Escape (it has
    // the keyboard then) and closes.
    if (watched == MainMenu1 && e->type() == QEvent::KeyPress &&
        static_cast<QKeyEvent*>(e)->key() == Qt::Key_Escape &&
        !QApplication::activePopupWidget()) {
        auto* k = static_cast<QKeyEvent*>(e);
        FormKeyDown(k->key(), k->modifiers());
        return true;
    }
    switch (e->type()) {
    case QEvent::MouseMove:
    case QEvent::HoverMove:
    case QEvent::Enter:
        FormMouseMove();
        break;
    default:
        break;
    }
    return QMainWindow::eventFilter(watched, e);
}

void TForm1::FormKeyDown(int key, Qt::KeyboardModifiers shift) {
    presenter_.FormKeyDown(VirtualKey(key), ShiftState(shift));
}

void TForm1::keyPressEvent(QKeyEvent* e) {
    FormKeyDown(e->key(), e->modifiers());
    QMainWindow::keyPressEvent(e);
}

void TForm1::closeEvent(QCloseEvent* e) {
    e->accept();
    emit closed();
}

void TForm1::changeEvent(QEvent* e) {
    if (e->type() == QEvent::LocaleChange) presenter_.LocaleChanged();
    QMainWindow::changeEvent(e);
}

}  // namespace tw
