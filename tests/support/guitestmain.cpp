// main of the GUI tests: an offscreen QApplication, so that the tests run (and list) without a display, and a
// home and configuration folder of their own, so that no dialog reads or writes the settings of the machine's
// user or finds a game installed there.

#include <QApplication>

#include <gtest/gtest.h>

#include "support/scopedenvironment.h"
#include "support/tempdir.h"

int main(int argc, char* argv[]) {
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
    ::testing::InitGoogleTest(&argc, argv);
    const hartool::test::TempDir home;
    hartool::test::ScopedEnvironment environment;
    environment.set("HOME", home.folder() + "home");
    environment.set("XDG_CONFIG_HOME", home.folder() + "config");
    environment.set("XDG_DATA_HOME", home.folder() + "data");
    environment.set("WINEPREFIX", home.folder() + "wine");
    QApplication app(argc, argv);
    return RUN_ALL_TESTS();
}
