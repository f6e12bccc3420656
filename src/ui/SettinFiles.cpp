#include "ui/SettinFiles.h"

#include <QListWidget>
#include <QMenu>
#include <QMouseEvent>
#include <QPushButton>
#include <QStyledItemDelegate>

#include "core/settingsfile.h"
#include "core/text.h"
#include "ui/Ranch.h"
#include "ui/dialogwindow.h"
#include "ui/formlook.h"
#include "ui/keys.h"
#include "ui/qtext.h"

namespace tw {

namespace {

constexpr int kOuterWidth = 175;
constexpr int kOuterHeight = 257;
constexpr int kListHeight = 193;
constexpr int kItemHeight = 12;

// Rows of the designed item height.
class FixedHeightDelegate : public QStyledItemDelegate {
public:
    using QStyledItemDelegate::QStyledItemDelegate;
    QSize sizeHint(const QStyleOptionViewItem& option, const QModelIndex& index) const override {
        QSize s = QStyledItemDelegate::sizeHint(option, index);
        s.setHeight(kItemHeight);
        return s;
    }
};

QPushButton* MakeButton(QWidget* parent, const char* name, const QString& caption, int left) {
    auto* b = new QPushButton(caption, parent);
    b->setObjectName(name);
    // Neither button answers Enter or Escape.
    b->setAutoDefault(false);
    b->setDefault(false);
    b->setGeometry(left, 200, 75, 25);
    return b;
}

}  // namespace

TForm3::TForm3(TForm1& bar, const Platform& platform, QWidget* parent)
    : QWidget(parent, Qt::Window), platform_(platform), presenter_(*this, bar.presenter()) {
    setObjectName("Form3");
    setAttribute(Qt::WA_QuitOnClose, false);
    setWindowTitle(QStringLiteral("設定ファイル"));
    setFont(DesignFont());
    new DialogWindow(this, QSize(kOuterWidth, kOuterHeight), platform_);
}

void TForm3::setVisible(bool visible) {
    if (visible) BuildControls();
    QWidget::setVisible(visible);
}

// The controls are made when the chooser is first opened, not while the
// program starts.
void TForm3::BuildControls() {
    if (ListBox1) return;
    ListBox1 = new QListWidget(this);
    ListBox1->setObjectName("ListBox1");
    ListBox1->setAccessibleName(QStringLiteral("設定ファイル"));
    ListBox1->setSelectionMode(QAbstractItemView::SingleSelection);
    ListBox1->setSortingEnabled(false);
    ListBox1->setUniformItemSizes(true);
    ListBox1->setItemDelegate(new FixedHeightDelegate(ListBox1));
    ListBox1->viewport()->installEventFilter(this);

    Button1 = MakeButton(this, "Button1", QStringLiteral("OK"), 4);
    Button2 = MakeButton(this, "Button2", QStringLiteral("Cancel"), 84);
    connect(Button1, &QPushButton::clicked, this, [this] { Button1Click(); });
    connect(Button2, &QPushButton::clicked, this, [this] { Button2Click(); });

    PopupMenu1 = new QMenu(this);
    PopupMenu1->setObjectName("PopupMenu1");
    Delete1 = PopupMenu1->addAction(QStringLiteral("削除"));
    Delete1->setObjectName("Delete1");
    connect(Delete1, &QAction::triggered, this, [this] { Delete1Click(); });
    ListBox1->setGeometry(0, 0, width(), kListHeight);
}

void TForm3::SetEntries(const std::vector<std::string>& sjisNames) {
    BuildControls();
    ListBox1->clear();
    for (const std::string& name : sjisNames) ListBox1->addItem(new QListWidgetItem(ToQ(name)));
}

void TForm3::ShowInFront() {
    DialogWindow::Present(this, platform_);
}

int TForm3::SelectedIndex() const {
    const QList<QListWidgetItem*> selected = ListBox1->selectedItems();
    return selected.isEmpty() ? -1 : ListBox1->row(selected.front());
}

void TForm3::SelectIndex(int index) {
    ListBox1->setCurrentRow(index, QItemSelectionModel::ClearAndSelect);
}

int TForm3::EntryAt(int x, int y) const {
    QListWidgetItem* item = ListBox1->itemAt(x, y);
    return item ? ListBox1->row(item) : -1;
}

void TForm3::OuterTopLeft(int& x, int& y) const {
    const QPoint outer = frameGeometry().topLeft();
    x = outer.x();
    y = outer.y();
}

void TForm3::ListBox1MouseUp(Qt::MouseButton button, Qt::KeyboardModifiers shift, int x, int y) {
    const MouseButton b = button == Qt::RightButton  ? MouseButton::Right
                          : button == Qt::LeftButton ? MouseButton::Left
                                                     : MouseButton::Middle;
    presenter_.ListBox1MouseUp(b, ShiftState(shift), x, y);
}

void TForm3::PopupMenu1Popup(const QPoint& screenPoint) { PopupMenu1->popup(screenPoint); }

bool TForm3::eventFilter(QObject* watched, QEvent* e) {
    if (watched == ListBox1->viewport() && e->type() == QEvent::MouseButtonRelease) {
        auto* me = static_cast<QMouseEvent*>(e);
        const QPoint p = me->position().toPoint();
        ListBox1MouseUp(me->button(), me->modifiers(), p.x(), p.y());
    }
    return QWidget::eventFilter(watched, e);
}

void TForm3::resizeEvent(QResizeEvent* e) {
    QWidget::resizeEvent(e);
    // Aligned to the top: the list takes the whole width.
    if (ListBox1) ListBox1->setGeometry(0, 0, width(), kListHeight);
}

}  // namespace tw
