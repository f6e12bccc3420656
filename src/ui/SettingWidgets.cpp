#include "ui/SettingWidgets.h"

#include <QDir>
#include <QDirIterator>
#include <QDrag>
#include <QDragEnterEvent>
#include <QFileIconProvider>
#include <QKeyEvent>
#include <QMimeData>
#include <QStandardItemModel>
#include <QStandardPaths>
#include <QToolButton>
#include <QUrl>
#include <QVBoxLayout>

#include <algorithm>

#include "core/text.h"
#include "core/filesystem.h"
#include "ui/qtext.h"

namespace tw {

// ---------------------------------------------------------------------------
// TUpDown

TUpDown::TUpDown(QLineEdit* associate, int min, int max, int position, QWidget* parent)
    : QWidget(parent), associate_(associate), min_(min), max_(max), position_(position) {
    auto* column = new QVBoxLayout(this);
    column->setContentsMargins(0, 0, 0, 0);
    column->setSpacing(0);
    const auto makeButton = [this, column](Qt::ArrowType arrow, int delta, const char* name) {
        auto* b = new QToolButton(this);
        b->setArrowType(arrow);
        b->setAutoRepeat(true);
        b->setFocusPolicy(Qt::NoFocus);
        b->setAccessibleName(QString::fromUtf8(name));
        b->setSizePolicy(QSizePolicy::Fixed, QSizePolicy::Ignored);
        b->setFixedWidth(16);
        connect(b, &QToolButton::clicked, this, [this, delta] { Step(delta); });
        column->addWidget(b, 1);
        return b;
    };
    up_ = makeButton(Qt::UpArrow, 1, "増やす");
    down_ = makeButton(Qt::DownArrow, -1, "減らす");
    setSizePolicy(QSizePolicy::Fixed, QSizePolicy::Preferred);
    associate_->installEventFilter(this);
    associate_->setText(QString::number(position_));
}

void TUpDown::SetPosition(int value) {
    position_ = std::clamp(value, min_, max_);
    associate_->setText(QString::number(position_));
}

void TUpDown::Step(int delta) {
    int base = position_;
    if (auto sjis = FromQ(associate_->text()))
        if (auto typed = TryStrToInt(*sjis)) base = std::clamp<int32_t>(*typed, min_, max_);
    SetPosition(base + delta);
}

bool TUpDown::eventFilter(QObject* watched, QEvent* e) {
    if (watched == associate_ && e->type() == QEvent::KeyPress) {
        const int key = static_cast<QKeyEvent*>(e)->key();
        if (key == Qt::Key_Up || key == Qt::Key_Down) {
            Step(key == Qt::Key_Up ? 1 : -1);
            return true;
        }
    }
    return QWidget::eventFilter(watched, e);
}

// ---------------------------------------------------------------------------
// TShellTreeView

namespace {

// A drag inside the editor names the control it started from.
void StartEditorDrag(QWidget* source) {
    auto* mime = new QMimeData;
    mime->setData(kEditorDragMime, source->objectName().toUtf8());
    auto* drag = new QDrag(source);
    drag->setMimeData(mime);
    drag->exec(Qt::CopyAction | Qt::LinkAction, Qt::CopyAction);
}

enum Role { kPathRole = Qt::UserRole + 1, kNameRole, kPopulatedRole };

bool NameBefore(const QString& a, const QString& b) {
    if (const int c = QString::compare(a, b, Qt::CaseInsensitive); c != 0) return c < 0;
    return a < b;
}

QStringList SubfolderNames(const QString& path) {
    QStringList names = QDir(path).entryList(
        QDir::Dirs | QDir::NoDotAndDotDot | QDir::Hidden, QDir::Unsorted);
    std::sort(names.begin(), names.end(), NameBefore);
    return names;
}

bool HasSubfolders(const QString& path) {
    QDirIterator it(path, QDir::Dirs | QDir::NoDotAndDotDot | QDir::Hidden);
    return it.hasNext();
}

QString Join(const QString& folder, const QString& name) {
    return folder.endsWith(QLatin1Char('/')) ? folder + name : folder + QLatin1Char('/') + name;
}

}  // namespace

TShellTreeView::TShellTreeView(QWidget* parent)
    : QTreeView(parent),
      model_(new QStandardItemModel(this)) {
    setModel(model_);
    setHeaderHidden(true);
    setUniformRowHeights(true);
    setEditTriggers(QAbstractItemView::NoEditTriggers);
    setSelectionMode(QAbstractItemView::SingleSelection);
    setDragDropMode(QAbstractItemView::DragOnly);
    setDragEnabled(true);
    setAcceptDrops(false);
    connect(this, &QTreeView::expanded, this,
            [this](const QModelIndex& index) { Populate(model_->itemFromIndex(index)); });
    connect(selectionModel(), &QItemSelectionModel::currentChanged, this,
            [this] { emit SelectionChanged(); });
    connect(&watcher_, &QFileSystemWatcher::directoryChanged, this, &TShellTreeView::Resync);
    // Rows that go take their folders' watches with them.
    connect(model_, &QStandardItemModel::rowsAboutToBeRemoved, this,
            [this](const QModelIndex& parent, int first, int last) {
                for (int row = first; row <= last; ++row)
                    Unwatch(model_->itemFromIndex(model_->index(row, 0, parent)));
            });
}

void TShellTreeView::Watch(const QString& path) {
    if (watchCount_[path]++ == 0) watcher_.addPath(path);
}

void TShellTreeView::Unwatch(QStandardItem* node) {
    if (!node) return;
    for (int row = 0; row < node->rowCount(); ++row) Unwatch(node->child(row));
    // Every opened node, and only those, holds one watch of its folder; the
    // same folder may be shown at several places in the tree.
    if (!node->data(kPopulatedRole).toBool()) return;
    const QString path = node->data(kPathRole).toString();
    const auto it = watchCount_.find(path);
    if (it == watchCount_.end() || --it.value() > 0) return;
    watchCount_.erase(it);
    watcher_.removePath(path);
}

QStringList TShellTreeView::WatchedFolders() const { return watcher_.directories(); }

std::vector<TShellTreeView::Root> TShellTreeView::DefaultRoots() {
    const QString home = QDir::homePath();
    QString desktop = QStandardPaths::writableLocation(QStandardPaths::DesktopLocation);
    if (desktop.isEmpty() || !QFileInfo(desktop).isDir()) desktop = home;
    return {{QStringLiteral("デスクトップ"), QDir::cleanPath(desktop)},
            {QDir(home).dirName().isEmpty() ? home : QDir(home).dirName(), QDir::cleanPath(home)},
            {QStringLiteral("/"), QStringLiteral("/")}};
}

void TShellTreeView::SetRoots(const std::vector<Root>& roots) {
    model_->removeRows(0, model_->rowCount());
    QFileIconProvider icons;
    for (std::size_t k = 0; k < roots.size(); ++k) {
        QStandardItem* node = MakeNode(roots[k].text, roots[k].path, roots[k].path);
        node->setIcon(icons.icon(k == 0   ? QFileIconProvider::Desktop
                                 : k == 2 ? QFileIconProvider::Drive
                                          : QFileIconProvider::Folder));
        model_->appendRow(node);
    }
}

QStandardItem* TShellTreeView::MakeNode(const QString& text, const QString& path,
                                        const QString& name) {
    // The icon theme is read with the first node, not with the tree.
    if (folderIcon_.isNull()) folderIcon_ = QFileIconProvider().icon(QFileIconProvider::Folder);
    auto* node = new QStandardItem(folderIcon_, text);
    node->setEditable(false);
    node->setData(path, kPathRole);
    node->setData(name, kNameRole);
    node->setData(false, kPopulatedRole);
    if (HasSubfolders(path)) {
        auto* placeholder = new QStandardItem();
        placeholder->setFlags(Qt::NoItemFlags);
        node->appendRow(placeholder);
    } else {
        // Nothing to open yet; watch the folder so that new subfolders appear.
        node->setData(true, kPopulatedRole);
        Watch(path);
    }
    return node;
}

void TShellTreeView::Populate(QStandardItem* node) {
    if (!node || node->data(kPopulatedRole).toBool()) return;
    const QString path = node->data(kPathRole).toString();
    node->removeRows(0, node->rowCount());
    for (const QString& name : SubfolderNames(path)) node->appendRow(MakeNode(name, Join(path, name), name));
    node->setData(true, kPopulatedRole);
    Watch(path);
}

void TShellTreeView::Resync(const QString& path) {
    const QModelIndexList nodes =
        model_->match(model_->index(0, 0), kPathRole, QDir::cleanPath(path), -1,
                      Qt::MatchExactly | Qt::MatchRecursive);
    for (const QModelIndex& index : nodes) UpdateChildren(model_->itemFromIndex(index));
}

void TShellTreeView::UpdateChildren(QStandardItem* node) {
    if (!node || !node->data(kPopulatedRole).toBool()) return;
    const QString path = node->data(kPathRole).toString();
    const QStringList names = SubfolderNames(path);
    for (int row = node->rowCount() - 1; row >= 0; --row)
        if (!names.contains(node->child(row)->data(kNameRole).toString())) node->removeRow(row);
    int row = 0;
    for (const QString& name : names) {
        while (row < node->rowCount() && NameBefore(node->child(row)->data(kNameRole).toString(), name))
            ++row;
        if (row < node->rowCount() && node->child(row)->data(kNameRole).toString() == name) {
            ++row;
            continue;
        }
        node->insertRow(row++, MakeNode(name, Join(path, name), name));
    }
}

QStandardItem* TShellTreeView::NodeOf(const QString& path) const {
    const QModelIndexList nodes = model_->match(model_->index(0, 0), kPathRole, path, 1,
                                                Qt::MatchExactly | Qt::MatchRecursive);
    return nodes.isEmpty() ? nullptr : model_->itemFromIndex(nodes.front());
}

QString TShellTreeView::SelectedPath() const {
    const QModelIndex current = currentIndex();
    return current.isValid() ? current.data(kPathRole).toString() : QString();
}

bool TShellTreeView::SelectPath(const QString& path) {
    const QString clean = QDir::cleanPath(QFileInfo(path).absoluteFilePath());
    QStandardItem* node = nullptr;
    qsizetype rootLength = -1;
    for (int row = 0; row < model_->rowCount(); ++row) {
        QStandardItem* root = model_->item(row);
        const QString rp = root->data(kPathRole).toString();
        const bool under = clean == rp || clean.startsWith(rp.endsWith(QLatin1Char('/')) ? rp : rp + QLatin1Char('/'));
        if (under && rp.length() > rootLength) {
            node = root;
            rootLength = rp.length();
        }
    }
    if (!node) return false;
    for (const QString& part : clean.mid(rootLength).split(QLatin1Char('/'), Qt::SkipEmptyParts)) {
        Populate(node);
        QStandardItem* next = nullptr;
        for (int row = 0; row < node->rowCount() && !next; ++row)
            if (node->child(row)->data(kNameRole).toString() == part) next = node->child(row);
        if (!next) return false;
        expand(model_->indexFromItem(node));
        node = next;
    }
    const QModelIndex index = model_->indexFromItem(node);
    setCurrentIndex(index);
    scrollTo(index);
    return true;
}

void TShellTreeView::SelectFirstRoot() {
    if (model_->rowCount() == 0) return;
    const QModelIndex first = model_->index(0, 0);
    expand(first);
    setCurrentIndex(first);
}

void TShellTreeView::startDrag(Qt::DropActions) { StartEditorDrag(this); }

// ---------------------------------------------------------------------------
// TFileListBox

TFileListBox::TFileListBox(IFileSystem& files, QWidget* parent) : QListWidget(parent), files_(files) {
    setSelectionMode(QAbstractItemView::SingleSelection);
    setDragDropMode(QAbstractItemView::DragOnly);
    setDragEnabled(true);
    setAcceptDrops(false);
}

void TFileListBox::SetDirectory(const std::string& dir) {
    if (dir.empty()) return;
    directory_ = dir;
    Update();
}

void TFileListBox::SetMask(const QString& mask) {
    mask_ = mask;
    Update();
}

void TFileListBox::Update() {
    clear();
    if (directory_.empty()) return;
    // "*.*" stands for every file, names without a dot included.
    const std::optional<std::string> mask =
        mask_ == QStringLiteral("*.*") ? std::optional<std::string>("*") : FromQ(mask_);
    if (!mask) return;
    for (const FindEntry& e : files_.FindFiles(directory_, *mask)) {
        if (e.attributes == 0 || (e.attributes & kAttrDirectory)) continue;
        auto* item = new QListWidgetItem(ToQ(e.name), this);
        item->setData(Qt::UserRole, QByteArray::fromStdString(e.name));
    }
}

int TFileListBox::SelectedIndex() const {
    const QModelIndexList selected = selectionModel()->selectedIndexes();
    return selected.isEmpty() ? -1 : selected.front().row();
}

std::string TFileListBox::Entry(int index) const {
    const QListWidgetItem* entry = item(index);
    return entry ? entry->data(Qt::UserRole).toByteArray().toStdString() : std::string();
}

QStringList TFileListBox::Entries() const {
    QStringList out;
    for (int row = 0; row < count(); ++row) out << item(row)->text();
    return out;
}

void TFileListBox::SelectEntry(int index) { setCurrentRow(index); }

void TFileListBox::startDrag(Qt::DropActions) { StartEditorDrag(this); }

// ---------------------------------------------------------------------------
// TTargetEdit

QStringList DroppedFiles(const QMimeData* mime) {
    QStringList paths;
    if (!mime || !mime->hasUrls()) return paths;
    for (const QUrl& url : mime->urls())
        if (url.isLocalFile()) paths << url.toLocalFile();
    return paths;
}

bool TTargetEdit::Accepts(QDropEvent* e) {
    if (e->mimeData()->hasFormat(kEditorDragMime)) {
        bool accept = false;
        emit DragOver(e->source(), &accept);
        return accept;
    }
    return !DroppedFiles(e->mimeData()).isEmpty();
}

void TTargetEdit::dragEnterEvent(QDragEnterEvent* e) { dragMoveEvent(e); }

void TTargetEdit::dragMoveEvent(QDragMoveEvent* e) {
    if (Accepts(e)) {
        e->setDropAction(Qt::CopyAction);
        e->accept();
    } else {
        e->ignore();
    }
}

void TTargetEdit::dropEvent(QDropEvent* e) {
    if (!Accepts(e)) {
        e->ignore();
        return;
    }
    e->setDropAction(Qt::CopyAction);
    e->accept();
    if (e->mimeData()->hasFormat(kEditorDragMime)) emit DragDrop(e->source());
    else emit FilesDropped(DroppedFiles(e->mimeData()));
}

}  // namespace tw
