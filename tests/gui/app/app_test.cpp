// The application object: where Help finds the read-me, and the window icon.

#include <gtest/gtest.h>

#include <QIcon>
#include <QImage>

#include <string>
#include <vector>

#include "gui/app/app.h"
#include "support/guigameworld.h"

namespace hartool::test {
namespace {

using AppTest = GameWorld;

TEST_F(AppTest, HelpFindsTheReadMeInTheWorkingFolderBesideTheProgramOrInstalled) {
    struct Case {
        const char* name;
        std::vector<std::string> present;  // below the working folder
        std::string expected;              // below the working folder, "" for none
    };
    const Case cases[] = {
        {"nowhere", {}, ""},
        {"installed", {"usr/share/hartool/ReadmeENG.TXT"}, "usr/share/hartool/ReadmeENG.TXT"},
        {"beside the program", {"usr/bin/ReadmeENG.TXT"}, "usr/bin/ReadmeENG.TXT"},
        {"beside the program over installed",
         {"usr/bin/ReadmeENG.TXT", "usr/share/hartool/ReadmeENG.TXT"},
         "usr/bin/ReadmeENG.TXT"},
        {"working folder over all",
         {"ReadmeENG.TXT", "usr/bin/ReadmeENG.TXT", "usr/share/hartool/ReadmeENG.TXT"},
         "ReadmeENG.TXT"},
        {"another program's share folder is not ours", {"usr/share/other/ReadmeENG.TXT"}, ""},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        std::filesystem::remove_all(work.path() / "usr");
        std::filesystem::remove(work.path() / "ReadmeENG.TXT");
        for (const std::string& file : c.present) work.write(file, "help");
        const std::string found = App::helpFile(work.folder() + "usr/bin/");
        if (c.expected == "ReadmeENG.TXT")
            EXPECT_EQ(found, "ReadmeENG.TXT");
        else
            EXPECT_EQ(found, c.expected.empty() ? "" : work.folder() + c.expected);
    }
}

TEST_F(AppTest, TheWindowIconCarriesEverySize) {
    const QIcon icon = App::icon();
    ASSERT_FALSE(icon.isNull());
    for (int size : {16, 32, 48, 64, 128, 256}) {
        SCOPED_TRACE(size);
        // Embedded in the program at its own size, not scaled from another.
        const QImage embedded(QString(":/icons/%1/org.hartool.Hartool.png").arg(size));
        EXPECT_EQ(embedded.size(), QSize(size, size));
        const QImage shown = icon.pixmap(size, size).toImage();
        EXPECT_EQ(shown.size(), QSize(size, size));
        // Drawn in the middle, see-through in the corner.
        EXPECT_NE(shown.pixelColor(size / 2, size / 2).alpha(), 0);
        EXPECT_LT(shown.pixelColor(0, 0).alpha(), 64);
    }
    EXPECT_EQ(icon.availableSizes().size(), 6);
}

}  // namespace
}  // namespace hartool::test
