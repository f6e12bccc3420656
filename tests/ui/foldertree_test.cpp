#include <QCoreApplication>
#include <QElapsedTimer>

#include <gtest/gtest.h>

#include <filesystem>

#include "core/tempdir.h"
#include "ui/SettingWidgets.h"

namespace tw {
namespace {

namespace fs = std::filesystem;

QString Q(const fs::path& p) { return QString::fromStdString(p.string()); }

TEST(FolderTree, WatchesGoWithTheRowsThatHeldThem) {
    const test::TempDir temp;
    const fs::path root = temp.path();
    for (const char* d : {"a/x", "a/y", "b"}) fs::create_directories(root / d);
    TShellTreeView tree;
    // The same folder shown twice holds its watch until both rows go.
    tree.SetRoots({{"r", Q(root)}, {"a", Q(root / "a")}});
    ASSERT_TRUE(tree.SelectPath(Q(root / "a" / "x")));
    ASSERT_TRUE(tree.SelectPath(Q(root / "b")));
    // Opened folders and those without subfolders are watched.
    QStringList watched = tree.WatchedFolders();
    watched.sort();
    EXPECT_EQ(watched.join(' ').toStdString(),
              (QStringList{Q(root), Q(root / "a"), Q(root / "a" / "x"), Q(root / "a" / "y"),
                           Q(root / "b")}.join(' ').toStdString()));

    // A folder that vanishes takes its row and its watch along.
    fs::remove_all(root / "b");
    QElapsedTimer clock;
    clock.start();
    while (tree.WatchedFolders().contains(Q(root / "b")) && clock.elapsed() < 5000)
        QCoreApplication::processEvents(QEventLoop::AllEvents, 20);
    EXPECT_FALSE(tree.WatchedFolders().contains(Q(root / "b")));
    EXPECT_TRUE(tree.WatchedFolders().contains(Q(root / "a")));

    tree.SetRoots({{"x", Q(root / "a" / "x")}});
    EXPECT_EQ(tree.WatchedFolders().join(' ').toStdString(), (root / "a" / "x").string());
    tree.SetRoots({});
    EXPECT_TRUE(tree.WatchedFolders().isEmpty());
}

}  // namespace
}  // namespace tw
