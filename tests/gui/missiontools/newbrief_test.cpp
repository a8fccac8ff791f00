// The dialog that names a new briefing file.

#include <gtest/gtest.h>

#include <QTest>

#include <string>

#include "gui/missiontools/newbrief.h"
#include "gui/ui/controls.h"
#include "gui/ui/textconvert.h"
#include "support/guimodaldouble.h"
#include "support/tempdir.h"

namespace hartool::test {
namespace {

class NewBriefTest : public ::testing::Test {
  protected:
    NewBriefTest() { dir.write("Taken", "[Briefing 0]\r\n"); }

    static ui::MYPUSHBUTTON& ok(NewBrief& d) { return *d.control<ui::MYPUSHBUTTON>("PSHOK"); }
    static void type(NewBrief& d, const std::string& name) { d.FNAME()->setText(ui::toQt(name)); }

    TempDir dir;
};

TEST_F(NewBriefTest, OkOnlyForAFreeSafeName) {
    struct Case {
        std::string name;
        bool ok;
        std::string reason;  // the line above the buttons, and Ok's tool tip
    };
    const std::string slash = "the file name must not hold \\, / or : (it names a file of this folder)";
    const std::string wild = "the file name must not hold * ? \" < > or |";
    const Case cases[] = {
        {"", false, ""},
        {"Taken", false, "a file of this name exists"},
        {"taken", false, "a file of this name exists"},
        {" Taken ", false, "a file of this name exists"},
        {"Taken2", true, ""},
        {"Night Raid", true, ""},
        {".", false, "the file name must not be only dots"},
        {"..", false, "the file name must not be only dots"},
        {"   ", false, "type a file name"},
        {"../Taken2", false, slash},
        {"a\\b", false, slash},
        {"a:b", false, slash},
        {"a*", false, wild},
        {"a?", false, wild},
        {"a\"b", false, wild},
        {"<a>", false, wild},
        {"a|b", false, wild},
        {"a\tb", false, "the file name must not hold control characters"},
        {"nul", false, "the file name must not be a device name of Windows such as CON or aux.txt"},
        {"CONIN$", false, "the file name must not be a device name of Windows such as CON or aux.txt"},
        {"Fine.", false, "a file name cannot end in a dot or blank: it would be saved as \"Fine\""},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE("\"" + c.name + "\"");
        NewBrief d(nullptr, dir.folder());
        type(d, "x");
        type(d, c.name);
        EXPECT_EQ(ok(d).isEnabled(), c.ok);
        EXPECT_EQ(ui::fromQt(ok(d).toolTip()), c.reason);
        EXPECT_EQ(ui::fromQt(d.control<QLabel>("FTXTPROBLEM")->text()), c.reason);
    }
}

TEST_F(NewBriefTest, OkFollowsTheNameAsItIsTyped) {
    NewBrief d(nullptr, dir.folder());
    EXPECT_FALSE(ok(d).isEnabled());
    QTest::keyClicks(d.FNAME(), "Taken");
    EXPECT_FALSE(ok(d).isEnabled());
    QTest::keyClicks(d.FNAME(), "1");
    EXPECT_TRUE(ok(d).isEnabled());
    d.FNAME()->clear();
    EXPECT_FALSE(ok(d).isEnabled());
}

TEST_F(NewBriefTest, ModeAndFullPath) {
    for (bool fixed : {false, true}) {
        SCOPED_TRACE(fixed ? "fixed" : "free");
        NewBrief d(nullptr, dir.folder(), fixed);
        EXPECT_EQ(d.MODE()->VALUE(), QVariant(false));
        EXPECT_EQ(d.MODE()->isEnabled(), !fixed);
        EXPECT_EQ(d.control<QWidget>("RBSINGLE1")->isEnabled(), !fixed);
        if (!fixed) {
            d.control<QAbstractButton>("RBSINGLE1")->click();
            EXPECT_EQ(d.MODE()->VALUE(), QVariant(true));
        }
        type(d, "  New brief  ");
        EXPECT_EQ(d.FULLPATH(), dir.folder() + "New brief");
    }
}

TEST_F(NewBriefTest, OkAndCancelEndIt) {
    for (const auto& [button, result] : {std::pair{"PSHOK", 1}, std::pair{"PSHCANCEL", 2}}) {
        SCOPED_TRACE(button);
        ModalDouble modal;
        modal.then<NewBrief>("NewBrief_vo", [button = std::string(button)](NewBrief& d) {
            type(d, "Fresh");
            d.control<ui::MYPUSHBUTTON>(button)->click();
        });
        NewBrief d(nullptr, dir.folder());
        EXPECT_EQ(ui::showModal(d), result);
        EXPECT_FALSE(dir.exists("Fresh"));
    }
}

}  // namespace
}  // namespace hartool::test
