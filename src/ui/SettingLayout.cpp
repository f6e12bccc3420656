// The settings editor's controls, built region by region as the window is
// laid out: the filter strip and the folder browser above, the lower panel
// with the lists, the target field, the options, the settings-file field
// and the buttons.
#include <QCheckBox>
#include <QComboBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QSlider>
#include <QVBoxLayout>

#include "ui/Setting.h"
#include "ui/SettingWidgets.h"

namespace tw {

namespace {

QString U(const char* utf8) { return QString::fromUtf8(utf8); }

void SetLabelled(QWidget* w, const char* label) { w->setAccessibleName(U(label)); }

// A row or column layout without margins of its own.
template <class Box>
Box* Tight(QWidget* parent = nullptr) {
    auto* box = new Box(parent);
    box->setContentsMargins(0, 0, 0, 0);
    return box;
}

}  // namespace

void TForm2::BuildControls() {
    auto* column = Tight<QVBoxLayout>(this);
    column->setSpacing(0);
    column->addWidget(BuildFilterStrip());
    column->addWidget(BuildBrowser(), 1);

    // The lower panel, of fixed height.
    Panel1 = new QWidget(this);
    Panel1->setObjectName("Panel1");
    Panel1->setFixedHeight(185);
    column->addWidget(Panel1);
    auto* panelRow = new QHBoxLayout(Panel1);
    panelRow->setContentsMargins(6, 4, 6, 6);
    panelRow->setSpacing(8);
    auto* left = new QVBoxLayout;
    left->setSpacing(2);
    auto* listsRow = BuildLists();
    listsRow->addLayout(BuildFileField());
    left->addLayout(listsRow);
    left->addWidget(BuildTarget());
    auto* optionsRow = new QHBoxLayout;
    optionsRow->setSpacing(12);
    optionsRow->addLayout(BuildChecks());
    optionsRow->addLayout(BuildNumbers(), 1);
    left->addLayout(optionsRow);
    left->addStretch(1);
    panelRow->addLayout(left, 1);
    panelRow->addLayout(BuildButtons());

    setTabOrder(ComboBox1, ComboBox2);
    setTabOrder(ComboBox2, Edit1);
    ConnectControls();
    // Files dropped from other programs go to the window as a whole; only
    // the target field takes drops of its own.
    for (QWidget* w : findChildren<QWidget*>()) w->setAcceptDrops(false);
    Edit1->setAcceptDrops(true);
}

QWidget* TForm2::BuildFilterStrip() {
    auto* strip = new QWidget(this);
    strip->setObjectName("Panel2");
    strip->setFixedHeight(25);
    auto* stripRow = new QHBoxLayout(strip);
    stripRow->setContentsMargins(4, 2, 4, 2);
    stripRow->addStretch(1);
    auto* filter = new QWidget(strip);
    auto* filterRow = Tight<QHBoxLayout>(filter);
    Label1 = new QLabel(U("拡張子フィルター： *."), filter);
    Label1->setObjectName("Label1");
    Edit2 = new QLineEdit(filter);
    Edit2->setObjectName("Edit2");
    Edit2->setFixedWidth(45);
    SetLabelled(Edit2, "拡張子フィルター： *.");
    Label1->setBuddy(Edit2);
    filterRow->addWidget(Label1);
    filterRow->addWidget(Edit2);
    filterRow->addStretch(1);
    stripRow->addWidget(filter, 1);
    return strip;
}

QWidget* TForm2::BuildBrowser() {
    auto* browser = new QWidget(this);
    auto* browserRow = Tight<QHBoxLayout>(browser);
    browserRow->setSpacing(0);
    ShellTreeView1 = new TShellTreeView(browser);
    ShellTreeView1->setObjectName("ShellTreeView1");
    SetLabelled(ShellTreeView1, "フォルダー");  // its folders come at the first show
    FileListBox1 = new TFileListBox(platform_.services.files, browser);
    FileListBox1->setObjectName("FileListBox1");
    FileListBox1->setFixedWidth(304);
    SetLabelled(FileListBox1, "ファイル");
    browserRow->addWidget(ShellTreeView1, 1);
    browserRow->addWidget(FileListBox1);
    return browser;
}

QComboBox* TForm2::MakeList(const char* name, const char* title, QGroupBox*& box,
                            const char* boxName) {
    box = new QGroupBox(U(title), Panel1);
    box->setObjectName(boxName);
    auto* inner = new QVBoxLayout(box);
    inner->setContentsMargins(6, 2, 6, 4);
    auto* list = new QComboBox(box);
    list->setObjectName(name);
    list->setEditable(true);
    list->setInsertPolicy(QComboBox::NoInsert);
    list->setCompleter(nullptr);
    list->setMaxVisibleItems(9);
    list->setMinimumWidth(130);
    SetLabelled(list, title);
    // The list must not pick an entry by itself when typing ends: a typed
    // name is a rename (ComboBoxNExit), never a choice.
    QObject::disconnect(list->lineEdit(), &QLineEdit::editingFinished, list, nullptr);
    QObject::disconnect(list->lineEdit(), &QLineEdit::returnPressed, list, nullptr);
    list->installEventFilter(this);
    inner->addWidget(list);
    return list;
}

QHBoxLayout* TForm2::BuildLists() {
    auto* listsRow = new QHBoxLayout;
    ComboBox1 = MakeList("ComboBox1", "メニューグループ", GroupBox1, "GroupBox1");
    ComboBox2 = MakeList("ComboBox2", "メニュー項目", GroupBox2, "GroupBox2");
    listsRow->addWidget(GroupBox1);
    listsRow->addWidget(GroupBox2);
    listsRow->addStretch(1);
    return listsRow;
}

QGridLayout* TForm2::BuildFileField() {
    auto* fileBlock = new QGridLayout;
    fileBlock->setVerticalSpacing(2);
    Label3 = new QLabel(U("設定ファイル："), Panel1);
    Label3->setObjectName("Label3");
    Edit4 = new QLineEdit(U("Edit4"), Panel1);
    Edit4->setObjectName("Edit4");
    Edit4->setReadOnly(true);
    Edit4->setMinimumWidth(200);
    SetLabelled(Edit4, "設定ファイル：");
    Label3->setBuddy(Edit4);
    Button5 = new QPushButton(U("参照"), Panel1);
    Button5->setObjectName("Button5");
    Button5->setAutoDefault(false);
    fileBlock->addWidget(Label3, 0, 0, 1, 2);
    fileBlock->addWidget(Edit4, 1, 0);
    fileBlock->addWidget(Button5, 1, 1);
    return fileBlock;
}

QGroupBox* TForm2::BuildTarget() {
    GroupBox3 = new QGroupBox(U("ターゲット"), Panel1);
    GroupBox3->setObjectName("GroupBox3");
    auto* targetRow = new QHBoxLayout(GroupBox3);
    targetRow->setContentsMargins(6, 2, 6, 4);
    Edit1 = new TTargetEdit(GroupBox3);
    Edit1->setObjectName("Edit1");
    Edit1->setFixedWidth(585);
    SetLabelled(Edit1, "ターゲット");
    targetRow->addWidget(Edit1);
    targetRow->addStretch(1);
    return GroupBox3;
}

QGridLayout* TForm2::BuildChecks() {
    auto* checks = new QGridLayout;
    checks->setVerticalSpacing(2);
    const auto makeCheck = [this](const char* name, const char* caption) {
        auto* c = new QCheckBox(U(caption), Panel1);
        c->setObjectName(name);
        return c;
    };
    CheckBox1 = makeCheck("CheckBox1", "デスクトップの下側に表示");
    CheckBox2 = makeCheck("CheckBox2", "伸縮表示する");
    CheckBox3 = makeCheck("CheckBox3", "システム情報表示");
    CheckBox4 = makeCheck("CheckBox4", "日本語表示");
    checks->addWidget(CheckBox1, 0, 0);
    checks->addWidget(CheckBox2, 1, 0);
    checks->addWidget(CheckBox3, 0, 1);
    checks->addWidget(CheckBox4, 1, 1);
    return checks;
}

// A number field with its spin buttons, both named for screen readers by
// the label before them.
QLineEdit* TForm2::MakeNumberField(const char* name, const char* label, TUpDown*& upDown,
                                   const char* upDownName, int min, int max, int position) {
    auto* field = new QLineEdit(Panel1);
    field->setObjectName(name);
    field->setFixedWidth(40);
    SetLabelled(field, label);
    upDown = new TUpDown(field, min, max, position, Panel1);
    upDown->setObjectName(upDownName);
    SetLabelled(upDown, label);
    return field;
}

QGridLayout* TForm2::BuildNumbers() {
    auto* numbers = new QGridLayout;
    numbers->setHorizontalSpacing(4);
    numbers->setVerticalSpacing(2);
    Label2 = new QLabel(U("サイズ："), Panel1);
    Label2->setObjectName("Label2");
    Edit3 = MakeNumberField("Edit3", "サイズ：", UpDown1, "UpDown1", 3, 50, 20);
    Label2->setBuddy(Edit3);
    Button3 = new QPushButton(U("色"), Panel1);
    Button3->setObjectName("Button3");
    Button3->setAutoDefault(false);
    auto* sizeRow = Tight<QHBoxLayout>();
    sizeRow->setSpacing(0);
    sizeRow->addWidget(Edit3);
    sizeRow->addWidget(UpDown1);
    sizeRow->addSpacing(8);
    sizeRow->addWidget(Button3);
    sizeRow->addStretch(1);
    numbers->addWidget(Label2, 0, 0);
    numbers->addLayout(sizeRow, 0, 1);

    Label4 = new QLabel(U("半透明度"), Panel1);
    Label4->setObjectName("Label4");
    TrackBar1 = new QSlider(Qt::Horizontal, Panel1);
    TrackBar1->setObjectName("TrackBar1");
    TrackBar1->setRange(30, 100);
    TrackBar1->setValue(100);
    TrackBar1->setSingleStep(1);
    TrackBar1->setPageStep(2);
    TrackBar1->setTickInterval(1);
    TrackBar1->setTickPosition(QSlider::TicksBelow);
    TrackBar1->setMinimumWidth(150);
    SetLabelled(TrackBar1, "半透明度");
    Label4->setBuddy(TrackBar1);
    Edit5 = MakeNumberField("Edit5", "半透明度", UpDown2, "UpDown2", 30, 100, 100);
    auto* blendRow = Tight<QHBoxLayout>();
    blendRow->setSpacing(0);
    blendRow->addWidget(TrackBar1, 1);
    blendRow->addSpacing(4);
    blendRow->addWidget(Edit5);
    blendRow->addWidget(UpDown2);
    numbers->addWidget(Label4, 1, 0);
    numbers->addLayout(blendRow, 1, 1);
    return numbers;
}

QVBoxLayout* TForm2::BuildButtons() {
    auto* buttons = new QVBoxLayout;
    buttons->setSpacing(4);
    const auto makeButton = [this](const char* name, const char* caption) {
        auto* b = new QPushButton(U(caption), Panel1);
        b->setObjectName(name);
        b->setAutoDefault(false);
        b->setDefault(false);
        b->setMinimumWidth(80);
        return b;
    };
    Button6 = makeButton("Button6", "上書き保存");
    Button4 = makeButton("Button4", "新規保存");
    Button1 = makeButton("Button1", "Cancel");
    Button2 = makeButton("Button2", "OK");
    buttons->addWidget(Button6);
    buttons->addWidget(Button4);
    buttons->addStretch(1);
    buttons->addWidget(Button1);
    buttons->addWidget(Button2);
    return buttons;
}

void TForm2::ConnectControls() {
    connect(ComboBox1, &QComboBox::activated, this, [this] { ComboBox1Change(); });
    connect(ComboBox2, &QComboBox::activated, this, [this] { ComboBox2Change(); });
    connect(ComboBox1->lineEdit(), &QLineEdit::textEdited, this, [this](const QString& t) {
        TypedIntoList(ComboBox1, t);
        ComboBox1Change();
    });
    connect(ComboBox2->lineEdit(), &QLineEdit::textEdited, this, [this](const QString& t) {
        TypedIntoList(ComboBox2, t);
        ComboBox2Change();
    });
    connect(Edit1, &QLineEdit::textEdited, this, [this] { Edit1Change(); });
    connect(Edit1, &TTargetEdit::DragOver, this,
            [this](QObject* source, bool* accept) { *accept = Edit1DragOver(source); });
    connect(Edit1, &TTargetEdit::DragDrop, this, [this](QObject* source) { Edit1DragDrop(source); });
    connect(Edit1, &TTargetEdit::FilesDropped, this,
            [this](const QStringList& paths) { WMDropFiles(paths); });
    connect(ShellTreeView1, &TShellTreeView::SelectionChanged, this, [this] { ShellTreeView1Change(); });
    Edit2->installEventFilter(this);
    connect(Edit2, &QLineEdit::textChanged, this, [this] { Edit2Change(); });
    connect(Edit3, &QLineEdit::textChanged, this, [this] { Edit3Change(); });
    connect(Edit5, &QLineEdit::textChanged, this, [this] { Edit5Change(); });
    connect(TrackBar1, &QSlider::valueChanged, this, [this] { TrackBar1Change(); });
    connect(Button1, &QPushButton::clicked, this, [this] { Button1Click(); });
    connect(Button2, &QPushButton::clicked, this, [this] { Button2Click(); });
    connect(Button3, &QPushButton::clicked, this, [this] { Button3Click(); });
    connect(Button4, &QPushButton::clicked, this, [this] { Button4Click(); });
    connect(Button5, &QPushButton::clicked, this, [this] { Button5Click(); });
    connect(Button6, &QPushButton::clicked, this, [this] { Button6Click(); });
}

}  // namespace tw
