// The briefing editor through its controls, on briefing files of its own.

#include <gtest/gtest.h>

#include <QTest>

#include <functional>
#include <string>

#include "gui/briefing/briefedit.h"
#include "gui/ui/controls.h"
#include "gui/ui/textconvert.h"
#include "support/failingfilesystem.h"
#include "support/guimessageboxdouble.h"
#include "support/guimodaldouble.h"
#include "support/tempdir.h"

namespace hartool::test {
namespace {

const std::string kSingle =
    "[Briefing 0]\r\nHeading = 9, Orders, north\r\nMAP = m.bmp\r\nText = 1, 1, Go north\r\n"
    "Sprite 0 = images\\u.pcx, 1, 2, 0\r\nTime Out = 30\r\n"
    "[Briefing 1]\r\nHeading = 9, Threat\r\nText = 1, 1, Tanks\r\nLine 0 = 1 2 3 4\r\n";

const std::string kDouble =
    "[Blue_Briefing 0]\r\nHeading = 9, Blue\r\nText = 1, 1, Go\r\n"
    "[Red_Briefing 0]\r\nHeading = 9, Red\r\nText = 1, 1, Hold\r\n";

ui::MYSINGLELINEEDIT& heading(BriefEdit& d, int page) {
    return *d.control<ui::MYSINGLELINEEDIT>("SLEBRIEF" + std::to_string(page));
}
ui::MYMULTILINEEDIT& text(BriefEdit& d, int page) {
    return *d.control<ui::MYMULTILINEEDIT>("MLEBRIEF" + std::to_string(page));
}
void click(BriefEdit& d, const char* name) {
    d.control<QAbstractButton>(name)->click();
}
std::string shown(BriefEdit& d) {
    std::string s;
    for (int k = 1; k <= 5; ++k)
        s += ui::fromQt(heading(d, k).text()) + "|" + ui::fromQt(text(d, k).toPlainText()) + ";";
    return s;
}

class BriefEditTest : public ::testing::Test {
  protected:
    TempDir dir;
    MessageBoxDouble boxes;
};

TEST_F(BriefEditTest, OpensOnTheBluePagesWithBlueCheckedWhenThereAreTwo) {
    struct Case {
        std::string name, file;
        bool doubleFlag;
        bool sidesEnabled;
        std::string shown;
    };
    const Case cases[] = {
        {"one briefing", kSingle, true, false, "Orders, north|Go north;Threat|Tanks;|;|;|;"},
        {"two sides", kDouble, false, true, "Blue|Go;|;|;|;|;"},
        {"new file, one briefing", "", false, false, "|;|;|;|;|;"},
        {"new file, two sides", "", true, true, "|;|;|;|;|;"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        const std::string file = c.file.empty() ? dir.folder() + "new.txt" : dir.write("b.txt", c.file);
        BriefEdit d(nullptr, file, c.doubleFlag);
        EXPECT_EQ(shown(d), c.shown);
        EXPECT_EQ(d.control<QWidget>("RBGMODE")->isEnabled(), c.sidesEnabled);
        EXPECT_EQ(d.control<QWidget>("RBBLUE")->isEnabled(), c.sidesEnabled);
        // Two sides open on blue with its button checked, so that the player knows which side they type into.
        EXPECT_EQ(d.control<ui::MYRADIOBUTTONGROUP>("RBGMODE")->VALUE().isValid(), c.sidesEnabled);
        EXPECT_EQ(d.control<QAbstractButton>("RBBLUE")->isChecked(), c.sidesEnabled);
        EXPECT_TRUE(d.BLUEMODE());
    }
}

TEST_F(BriefEditTest, SaveWritesWhatWasTyped) {
    struct Case {
        std::string name, file;
        std::function<void(BriefEdit&)> edit;
        std::string written;
    };
    const Case cases[] = {
        {"unchanged: commas in a heading stay", kSingle, [](BriefEdit&) {},
         "[Briefing 0]\r\nHeading =  9, Orders, north\r\nMAP = m.bmp\r\nText =  1, 1, Go north\r\n"
         "Sprite 0 = images\\u.pcx, 1, 2, 0\r\nTime Out = 30\r\n"
         "[Briefing 1]\r\nHeading =  9, Threat\r\nText =  1, 1, Tanks\r\nLine 0 = 1 2 3 4\r\n"},
        {"line breaks typed become blanks", "",
         [](BriefEdit& d) {
             heading(d, 3).setText("Route");
             QTest::keyClicks(&text(d, 3), "north");
             QTest::keyClick(&text(d, 3), Qt::Key_Return);
             QTest::keyClick(&text(d, 3), Qt::Key_Return);
             QTest::keyClicks(&text(d, 3), "then east");
         },
         "[Briefing 2]\r\nHeading =  9, Route\r\nText =  1, 1, north  then east\r\n"},
        {"a cleared page goes with its graphics", kSingle,
         [](BriefEdit& d) {
             heading(d, 1).clear();
             text(d, 1).clear();
         },
         "[Briefing 1]\r\nHeading =  9, Threat\r\nText =  1, 1, Tanks\r\nLine 0 = 1 2 3 4\r\n"},
        {"a heading alone", kSingle, [](BriefEdit& d) { text(d, 2).clear(); },
         "[Briefing 0]\r\nHeading =  9, Orders, north\r\nMAP = m.bmp\r\nText =  1, 1, Go north\r\n"
         "Sprite 0 = images\\u.pcx, 1, 2, 0\r\nTime Out = 30\r\n"
         "[Briefing 1]\r\nHeading =  9, Threat\r\nLine 0 = 1 2 3 4\r\n"},
        {"red edits kept when blue is shown again", kDouble,
         [](BriefEdit& d) {
             click(d, "RBRED");
             EXPECT_EQ(shown(d), "Red|Hold;|;|;|;|;");
             heading(d, 2).setText("Red two");
             click(d, "RBBLUE");
             EXPECT_EQ(shown(d), "Blue|Go;|;|;|;|;");
             text(d, 1).setPlainText("Go now");
         },
         "[Blue_Briefing 0]\r\nHeading =  9, Blue\r\nText =  1, 1, Go now\r\n"
         "[Red_Briefing 0]\r\nHeading =  9, Red\r\nText =  1, 1, Hold\r\n"
         "[Red_Briefing 1]\r\nHeading =  9, Red two\r\n"},
        {"saved while red is shown", kDouble,
         [](BriefEdit& d) {
             click(d, "RBRED");
             text(d, 1).setPlainText("Hold fast");
         },
         "[Blue_Briefing 0]\r\nHeading =  9, Blue\r\nText =  1, 1, Go\r\n"
         "[Red_Briefing 0]\r\nHeading =  9, Red\r\nText =  1, 1, Hold fast\r\n"},
        {"a bracket the file held already", "[Briefing 0]\r\nHeading = 9, See [A]\r\n", [](BriefEdit&) {},
         "[Briefing 0]\r\nHeading =  9, See [A]\r\n"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        TempDir fresh;
        const std::string file = c.file.empty() ? fresh.folder() + "b.txt" : fresh.write("b.txt", c.file);
        ModalDouble modal;
        modal.then<BriefEdit>("BriefEdit_vo", [&](BriefEdit& d) {
            c.edit(d);
            click(d, "PSHSAVE");
        });
        BriefEdit d(nullptr, file);
        EXPECT_EQ(ui::showModal(d), 1);
        EXPECT_EQ(fresh.read("b.txt"), c.written);
        EXPECT_EQ(boxes.boxes(), std::vector<MessageBoxDouble::Box>{});
    }
}

TEST_F(BriefEditTest, CancelWritesNothing) {
    const std::string file = dir.write("b.txt", kSingle);
    ModalDouble modal;
    modal.then<BriefEdit>("BriefEdit_vo", [](BriefEdit& d) {
        heading(d, 1).setText("Changed");
        click(d, "PSHCANCEL");
    });
    BriefEdit d(nullptr, file);
    EXPECT_EQ(ui::showModal(d), 2);
    EXPECT_EQ(dir.read("b.txt"), kSingle);
}

// A save that cannot be done says why and leaves the player in the editor with what was typed.
TEST_F(BriefEditTest, RefusedSaveKeepsTheEditorOpen) {
    struct Case {
        std::string name, file;
        std::function<void(BriefEdit&)> edit;
        std::string failWrite;  // "" for none
        std::string box;
    };
    const Case cases[] = {
        {"write fails", kSingle, [](BriefEdit& d) { heading(d, 1).setText("Changed"); }, "disk full",
         "the briefing could not be saved to %: disk full"},
        {"bracket in a heading", kSingle, [](BriefEdit& d) { heading(d, 2).setText("See [map]"); }, "",
         "the heading or text on page 2 holds a \"[\"; the game stops reading a briefing there, so it cannot "
         "be saved: please remove it (nothing was saved)"},
        {"bracket in a red text, blue shown", kDouble,
         [](BriefEdit& d) {
             click(d, "RBRED");
             text(d, 3).setPlainText("[x");
             click(d, "RBBLUE");
         },
         "",
         "the heading or text on page 3 of the red briefing holds a \"[\"; the game stops reading a briefing "
         "there, so it cannot be saved: please remove it (nothing was saved)"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        TempDir fresh;
        const std::string file = fresh.write("b.txt", c.file);
        std::string box = c.box;
        if (const auto at = box.find('%'); at != std::string::npos) box.replace(at, 1, file);
        BriefEdit d(nullptr, file);
        d.show();
        c.edit(d);
        const std::string before = shown(d);
        {
            FailingFileSystem failing;
            if (!c.failWrite.empty()) failing.failOn(FailingFileSystem::Op::Write, "b.txt", c.failWrite);
            click(d, "PSHSAVE");
        }
        EXPECT_EQ(boxes.boxes(), std::vector<MessageBoxDouble::Box>{info("Edit Briefing", box)});
        EXPECT_TRUE(d.isVisible());
        EXPECT_EQ(shown(d), before);
        EXPECT_EQ(fresh.read("b.txt"), c.file);
        boxes.clear();
    }
}

TEST_F(BriefEditTest, AFailedSaveLeavesTheSideShownInForce) {
    const std::string file = dir.write("b.txt", kDouble);
    BriefEdit d(nullptr, file);
    d.show();
    {
        FailingFileSystem failing;
        failing.failOn(FailingFileSystem::Op::Write, "b.txt");
        click(d, "PSHSAVE");
    }
    // Still blue: typing now must land on the blue pages.
    text(d, 1).setPlainText("Go again");
    click(d, "PSHSAVE");
    EXPECT_EQ(d.result(), 1);
    EXPECT_EQ(dir.read("b.txt"),
              "[Blue_Briefing 0]\r\nHeading =  9, Blue\r\nText =  1, 1, Go again\r\n"
              "[Red_Briefing 0]\r\nHeading = 9, Red\r\nText = 1, 1, Hold\r\n");
}

// Esc, the window's close button and Alt+F4 never throw typing away unasked; Cancel does, as its name says.
TEST_F(BriefEditTest, ClosingAsksToSaveWhatWasTyped) {
    const std::string saveQuestion = "save the changes to briefing b.txt ?";
    const auto escape = [](BriefEdit& d) { QTest::keyClick(&d, Qt::Key_Escape); };
    const auto closeButton = [](BriefEdit& d) { d.close(); };
    struct Case {
        const char* name;
        std::function<void(BriefEdit&)> type, close;
        std::vector<ui::Reply> answers;
        bool asked, open;
        std::string heading;  // of page 1 in the file afterwards
    };
    const auto typed = [](BriefEdit& d) { QTest::keyClicks(&heading(d, 1), " now"); };
    const auto sideOnly = [](BriefEdit& d) { click(d, "RBRED"); };
    const Case cases[] = {
        {"nothing typed", [](BriefEdit&) {}, escape, {}, false, false, "Blue"},
        {"side switched only", sideOnly, closeButton, {}, false, false, "Blue"},
        {"Esc, Yes saves", typed, escape, {ui::Reply::Yes}, true, false, "Blue now"},
        {"close button, No discards", typed, closeButton, {ui::Reply::No}, true, false, "Blue"},
        {"Esc, Cancel goes back", typed, escape, {ui::Reply::Cancel}, true, true, "Blue"},
        {"the Cancel button", typed, [](BriefEdit& d) { click(d, "PSHCANCEL"); }, {}, false, false, "Blue"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        TempDir fresh;
        const std::string file = fresh.write("b.txt", kDouble);
        BriefEdit d(nullptr, file);
        d.show();
        c.type(d);
        boxes.clear();
        for (ui::Reply r : c.answers) boxes.answer(r);
        c.close(d);
        EXPECT_EQ(boxes.boxes(), c.asked ? std::vector{question("Edit Briefing", saveQuestion)}
                                         : std::vector<MessageBoxDouble::Box>{});
        if (c.asked) {
            EXPECT_TRUE(boxes.boxes()[0].ask.withCancel);
        }
        EXPECT_EQ(d.isVisible(), c.open);
        EXPECT_EQ(BriefSupport(file).BLUEBRIEFARRAY()[0].HEADING(), c.heading);
        d.hide();
    }
}

}  // namespace
}  // namespace hartool::test
