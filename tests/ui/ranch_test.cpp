#include <QMenu>
#include <QMenuBar>

#include <gtest/gtest.h>

#include "fakes.h"
#include "ui/Ranch.h"

namespace tw {
namespace {

using test::TestRig;

TEST(Ranch, NeitherFileShowsOnlyTheFixedMenus) {
    TestRig rig;
    TForm1 bar(rig.MakePlatform());
    QStringList visible;
    for (QAction* a : bar.MainMenu1->actions())
        if (a->isVisible()) visible << a->text();
    EXPECT_EQ(visible, (QStringList{":ControlPanel:", ":Setting:", ":SettingFiles:", "Help", "Exit"}));
    EXPECT_EQ(bar.FCaptions[0], rig.AppDir() + "Sample.ini");
}

}  // namespace
}  // namespace tw
