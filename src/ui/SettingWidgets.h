// The settings editor's own controls: the spin buttons of a number field,
// the folder tree, the file list and the target field that takes drops.
#pragma once

#include <QFileSystemWatcher>
#include <QHash>
#include <QIcon>
#include <QLineEdit>
#include <QListWidget>
#include <QTreeView>

#include <string>
#include <vector>

class QMimeData;
class QStandardItem;
class QStandardItemModel;
class QToolButton;

namespace tw {

class IFileSystem;

// MIME type of a drag that starts in the folder tree or the file list; the
// drop names its source through QDropEvent::source().
inline constexpr char kEditorDragMime[] = "application/x-tamblewick-editor-source";

// Spin buttons bound to an edit field. Setting the position from code or by
// the buttons writes the number into the field; typing into the field does
// not move the position, so the field may hold numbers beyond the range.
class TUpDown : public QWidget {
    Q_OBJECT
public:
    TUpDown(QLineEdit* associate, int min, int max, int position, QWidget* parent = nullptr);

    int Min() const { return min_; }
    int Max() const { return max_; }
    int Position() const { return position_; }
    // Limits `value` to the range, stores it and writes it into the field.
    void SetPosition(int value);
    // One step up (+1) or down (-1) from the number the field holds, limited
    // to the range without wrapping; what the buttons and arrow keys do.
    void Step(int delta);

    QToolButton* UpButton() const { return up_; }
    QToolButton* DownButton() const { return down_; }

protected:
    bool eventFilter(QObject* watched, QEvent* e) override;

private:
    QLineEdit* associate_;
    QToolButton* up_;
    QToolButton* down_;
    int min_, max_, position_;
};

// Folder tree: the desktop, the home folder and the file-system root at the
// top level, folders only (hidden ones included), filled as nodes open and
// kept up to date from file-system change notifications.
class TShellTreeView : public QTreeView {
    Q_OBJECT
public:
    struct Root {
        QString text;  // shown
        QString path;  // full path
    };
    explicit TShellTreeView(QWidget* parent = nullptr);

    // Replaces the top level.
    void SetRoots(const std::vector<Root>& roots);
    // The desktop, home and root folders of this user.
    static std::vector<Root> DefaultRoots();

    // Full path of the selected folder, without a trailing "/" except for the
    // root "/"; empty when no folder is selected.
    QString SelectedPath() const;
    // Opens the tree down to `path` and selects that folder; false when it is
    // not reachable from the top level.
    bool SelectPath(const QString& path);
    // Expands and selects the first top-level node.
    void SelectFirstRoot();

    // The folders watched for changes: those of the opened nodes.
    QStringList WatchedFolders() const;

signals:
    void SelectionChanged();

protected:
    void startDrag(Qt::DropActions supportedActions) override;

private:
    QStandardItem* MakeNode(const QString& text, const QString& path, const QString& name);
    void Populate(QStandardItem* node);
    void Resync(const QString& path);
    void UpdateChildren(QStandardItem* node);
    QStandardItem* NodeOf(const QString& path) const;

    void Watch(const QString& path);
    // Drops the watches of a node and of everything under it.
    void Unwatch(QStandardItem* node);

    QStandardItemModel* model_;
    QIcon folderIcon_;
    QFileSystemWatcher watcher_;
    QHash<QString, int> watchCount_;
};

// The files of one folder that match a mask; no folders. Names are
// Shift-JIS; a name Shift-JIS cannot hold is not listed.
class TFileListBox : public QListWidget {
    Q_OBJECT
public:
    TFileListBox(IFileSystem& files, QWidget* parent = nullptr);

    // Lists the files of `dir` (Shift-JIS); an empty path changes nothing.
    void SetDirectory(const std::string& dir);
    // A folder that has no Shift-JIS name: lists nothing.
    void ClearDirectory() {
        directory_.clear();
        Update();
    }
    // "*.*" lists every file, also names without a dot.
    void SetMask(const QString& mask);
    const std::string& Directory() const { return directory_; }
    const QString& Mask() const { return mask_; }
    // Re-reads the folder.
    void Update();

    // The selected entry's index, -1 when none is selected.
    int SelectedIndex() const;
    // Entry `index`, Shift-JIS.
    std::string Entry(int index) const;
    QStringList Entries() const;
    // Selects entry `index` as a click does.
    void SelectEntry(int index);

protected:
    void startDrag(Qt::DropActions supportedActions) override;

private:
    IFileSystem& files_;
    std::string directory_;
    QString mask_ = QStringLiteral("*.*");
};

// The target field: takes drags from the folder tree and the file list, and
// files dropped from other programs.
class TTargetEdit : public QLineEdit {
    Q_OBJECT
public:
    using QLineEdit::QLineEdit;

signals:
    // A drag from inside the editor is over the field: set *accept.
    void DragOver(QObject* source, bool* accept);
    void DragDrop(QObject* source);
    void FilesDropped(const QStringList& paths);

protected:
    void dragEnterEvent(QDragEnterEvent* e) override;
    void dragMoveEvent(QDragMoveEvent* e) override;
    void dropEvent(QDropEvent* e) override;

private:
    bool Accepts(QDropEvent* e);
};

// Local paths of the files in a drop from another program; empty when it
// carries none.
QStringList DroppedFiles(const QMimeData* mime);

}  // namespace tw
