#include "ui/SettinFiles.h"

#include <QListWidget>
#include <QMenu>
#include <QMouseEvent>
#include <QPushButton>
#include <QStyledItemDelegate>

#include <exception>

#include "core/settingsfile.h"
#include "core/text.h"
#include "ui/Ranch.h"
#include "ui/dialogwindow.h"
#include "ui/formlook.h"
#include "ui/qtext.h"

namespace tw {

namespace {

constexpr int kOuterWidth = 175;
constexpr int kOuterHeight = 257;
constexpr int kListHeight = 193;
constexpr int kItemHeight = 12;
constexpr uint32_t kAnyListedAttribute = 0x3F;
constexpr int kNameRole = Qt::UserRole;

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
    : QWidget(parent, Qt::Window), bar_(bar), platform_(platform) {
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

void TForm3::ShowFileList() {
    BuildControls();
    ListBox1->clear();
    try {
        for (const FindEntry& e : platform_.files.FindFiles(bar_.FAppDir, "*.ini")) {
            if ((e.attributes & kAnyListedAttribute) == 0) continue;
            if (e.name == kPointerFileName) continue;
            auto* item = new QListWidgetItem(ToQ(e.name));
            item->setData(kNameRole, QByteArray(e.name.data(), static_cast<int>(e.name.size())));
            ListBox1->addItem(item);
        }
    } catch (const std::exception&) {
        // An enumeration that fails keeps what it listed so far.
    }
    DialogWindow::Present(this, platform_);
}

std::vector<std::string> TForm3::FileNames() const {
    std::vector<std::string> names;
    for (int i = 0; i < ListBox1->count(); ++i)
        names.push_back(ListBox1->item(i)->data(kNameRole).toByteArray().toStdString());
    return names;
}

std::optional<std::string> TForm3::SelectedName() const {
    const QList<QListWidgetItem*> selected = ListBox1->selectedItems();
    if (selected.isEmpty()) return std::nullopt;
    return selected.front()->data(kNameRole).toByteArray().toStdString();
}

void TForm3::Button1Click() {
    const auto name = SelectedName();
    if (!name) {
        platform_.dialogs.Information(this, QStringLiteral("ファイル名が選択されていません"));
        return;
    }
    try {
        WritePointer(platform_.profile, bar_.FAppDir, bar_.FAppDir + *name);
        bar_.LoadSettings(this);
        hide();
    } catch (const std::exception& e) {
        ShowError(platform_.dialogs, this, e.what());
    }
}

void TForm3::Button2Click() { hide(); }

void TForm3::Delete1Click() {
    const auto name = SelectedName();
    if (!name) return;
    if (!platform_.dialogs.Confirm(this, ToQ(*name) + QStringLiteral(" を削除しますか？"))) return;
    platform_.files.DeleteFile(bar_.FAppDir + *name);
    bar_.SettingFiles1Click();
}

void TForm3::ListBox1MouseUp(Qt::MouseButton button, Qt::KeyboardModifiers, int x, int y) {
    if (button != Qt::RightButton) return;
    QListWidgetItem* item = ListBox1->itemAt(x, y);
    if (!item) return;
    ListBox1->setCurrentItem(item, QItemSelectionModel::ClearAndSelect);
    const QPoint outer = frameGeometry().topLeft();
    PopupMenu1Popup(QPoint(outer.x() + x + 5, outer.y() + y + 5));
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
