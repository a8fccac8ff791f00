// The briefing buttons of the mission tools dialog through their handlers, on a generated game folder.

#include <gtest/gtest.h>

#include <QAction>

#include <algorithm>
#include <filesystem>
#include <memory>

#include "gui/briefing/briefedit.h"
#include "gui/briefing/mappreview.h"
#include "gui/missiontools/mtool.h"
#include "gui/missiontools/newbrief.h"
#include "gui/ui/controls.h"
#include "gui/ui/textconvert.h"
#include "support/failingfilesystem.h"
#include "support/guigameworld.h"
#include "support/guilauncherdouble.h"
#include "support/guimodaldouble.h"
#include "support/mtoolselection.h"

namespace hartool::test {
namespace {

const std::string kPlayer = "Data/Battles/Player/";
const std::string kBriefings = "Data/Backup/Briefings/";

class MToolBriefingTest : public GameWorld {
  protected:
    std::unique_ptr<MTool> open() { return std::make_unique<MTool>(nullptr, game.gamePath()); }
    void yes(MTool& m, void (MTool::*handler)(), int answers = 1) {
        for (int i = 0; i < answers; ++i) boxes.answer(ui::Reply::Yes);
        (m.*handler)();
    }
};

TEST_F(MToolBriefingTest, ExtractAndAttachMoveTheBriefingPartExactly) {
    game.write(kPlayer + "A.TXT", "TITLE: A\r\n[Briefing 1]\r\nX");
    game.write(kPlayer + "NONE.TXT", "TITLE: None\r\nSIDE: 0\r\n");
    auto m = open();

    selectMission(*m, "A.TXT");
    yes(*m, &MTool::PSHEXTRACT);
    EXPECT_EQ(boxes.boxes().back(), info("extract briefing", "briefing A extracted"));
    EXPECT_EQ(game.read(kBriefings + "A"), "[Briefing 1]\r\nX");
    EXPECT_EQ(game.read(kPlayer + "A.TXT"), "TITLE: A\r\n[Briefing 1]\r\nX");
    EXPECT_EQ(m->briefingNames(), std::vector<std::string>{"A"});

    // Again: the file is there, so the player is asked before it is replaced.
    boxes.clear();
    yes(*m, &MTool::PSHEXTRACT, 2);
    EXPECT_EQ(boxes.boxes()[1], question("extract briefing", "file still exists, overwrite ?"));

    boxes.clear();
    selectMission(*m, "NONE.TXT");
    yes(*m, &MTool::PSHEXTRACT);
    EXPECT_EQ(boxes.boxes().back(), info("extract briefing", "no briefingtext found"));
    EXPECT_FALSE(game.exists(kBriefings + "None"));

    // Attach over an existing briefing part asks first; to a mission without one it does not.
    game.write(kBriefings + "A", "  [Briefing 1]\r\nY  ");
    game.write(kPlayer + "A.TXT", "TITLE: A\r\n\r\n\r\n[Briefing 1]\r\nX");
    m->READBRIEFINGS();
    selectBriefing(*m, "A");
    for (const auto& [file, expected, questions] :
         {std::tuple{"A.TXT", "TITLE: A\r\n\r\n[Briefing 1]\r\nY", 2},
          std::tuple{"NONE.TXT", "TITLE: None\r\nSIDE: 0\r\n\r\n[Briefing 1]\r\nY", 1}}) {
        SCOPED_TRACE(file);
        boxes.clear();
        selectMission(*m, file);
        yes(*m, &MTool::PSHCONNECT, questions);
        EXPECT_EQ(boxes.boxes().size(), static_cast<std::size_t>(questions) + 1);
        EXPECT_EQ(boxes.boxes().back(), info("connect briefing", "briefing A connected"));
        EXPECT_EQ(game.read(kPlayer + file), expected);
    }
}

TEST_F(MToolBriefingTest, ATitleThatCannotBeAFileNameIsOfferedWithItsCharactersReplaced) {
    game.write(kPlayer + "U.TXT", "TITLE: Strike A/B?\r\n[Briefing 0]\r\nHeading = 9, x\r\n");
    auto m = open();
    selectMission(*m, "U.TXT");
    yes(*m, &MTool::PSHEXTRACT);
    ASSERT_EQ(boxes.boxes().size(), 2u);
    EXPECT_NE(boxes.boxes()[0].text.find("\"Strike A_B_\""), std::string::npos) << boxes.boxes()[0];
    EXPECT_EQ(boxes.boxes()[1], info("extract briefing", "briefing Strike A/B? extracted as Strike A_B_"));
    EXPECT_EQ(game.files(kBriefings), std::vector<std::string>{"Strike A_B_"});
}

TEST_F(MToolBriefingTest, TheRoadExtractAnalyzeAttachKeepsTheMissionData) {
    const std::string before = game.read(kPlayer + "S01.TXT");
    auto m = open();
    selectMission(*m, "S01.TXT");
    yes(*m, &MTool::PSHEXTRACT);
    selectBriefing(*m, "Night Raid");
    boxes.clear();
    yes(*m, &MTool::PSHANALYZE);
    EXPECT_EQ(
        boxes.boxes(),
        (std::vector{
            question("analyze mission", "connect graphics from  Night Raid with briefing Night Raid"),
            info("analyze mission",
                 "graphics data added to briefing Night Raid\n\nwarning: the graphics of page 4 were left "
                 "out: a page without heading and text is not written, and the game would not show it. Give "
                 "the page a heading and analyze again.")}));
    EXPECT_NE(game.read(kBriefings + "Night Raid").find("Sprite 0 = "), std::string::npos);

    yes(*m, &MTool::PSHCONNECT, 2);
    // The mission data stays, and one empty line parts it from the briefing.
    const std::string after = game.read(kPlayer + "S01.TXT");
    EXPECT_EQ(after.substr(0, after.find('[')), before.substr(0, before.find('[')) + "\r\n");
    EXPECT_NE(after.find("Sprite 0 = "), std::string::npos);
}

TEST_F(MToolBriefingTest, TheBriefingMenuPreviewsTheAnalysedMapWithTheGamesPictures) {
    auto m = open();
    auto* preview = m->findChild<QAction*>("MAPPREVIEW");
    ASSERT_NE(preview, nullptr);
    preview->trigger();
    EXPECT_EQ(boxes.boxes().back(), info("map preview", "no briefing selected"));

    selectMission(*m, "S01.TXT");
    yes(*m, &MTool::PSHEXTRACT);
    selectBriefing(*m, "Night Raid");
    yes(*m, &MTool::PSHANALYZE);
    ModalDouble modal;
    modal.then<MapPreview>("MapPreview_vo", [](MapPreview& p) {
        EXPECT_NE(p.windowTitle().indexOf("Night Raid"), -1);
        // The three pages the briefing has: the analysis's "other units" page would not be saved.
        EXPECT_EQ(p.control<ui::MYCOMBOBOX>("CMBPAGE")->ITEMCOUNT(), 3u);
        // The map and the flight's helicopter come from the demo game's pictures.
        const RenderedMap& shown = p.rendered();
        EXPECT_FALSE(shown.hits.empty());
        for (const char* picture : {"maps\\Farrow_Downs.pcx", "images\\uahb.pcx"})
            EXPECT_EQ(std::count(shown.notFound.begin(), shown.notFound.end(), picture), 0) << picture;
        EXPECT_TRUE(shown.unreadable.empty());
        p.control<QAbstractButton>("PSHCANCEL")->click();
    });
    preview->trigger();
}

TEST_F(MToolBriefingTest, NewCopyAndEditOpenTheirDialogs) {
    std::filesystem::create_directories(game.nativePath("Data/Backup/Briefings"));  // made by the backup
    ModalDouble modal;
    auto m = open();
    // New: the name, then the editor with that name in its caption; Save makes the file and reloads.
    modal.then<NewBrief>("NewBrief_vo", [](NewBrief& n) {
        n.FNAME()->setText("Fresh");
        n.control<ui::MYPUSHBUTTON>("PSHOK")->click();
    });
    modal.then<BriefEdit>("BriefEdit_vo", [](BriefEdit& e) {
        EXPECT_EQ(e.windowTitle().toStdString(), "Edit Briefing     Fresh");
        e.control<QLineEdit>("SLEBRIEF1")->setText("Orders");
        e.control<QPlainTextEdit>("MLEBRIEF1")->setPlainText("Go north.");
        e.control<ui::MYPUSHBUTTON>("PSHSAVE")->click();
    });
    m->PSHNEW();
    EXPECT_EQ(m->briefingNames(), std::vector<std::string>{"Fresh"});
    EXPECT_NE(game.read(kBriefings + "Fresh").find("Heading =  9, Orders"), std::string::npos)
        << game.read(kBriefings + "Fresh");

    // Copy: the mode fixed, the name filled in and Ok off until the name is free.
    select(m->briefingList(), 1);
    modal.then<NewBrief>("NewBrief_vo", [](NewBrief& n) {
        EXPECT_EQ(n.windowTitle().toStdString(), "copy briefing");
        EXPECT_FALSE(n.MODE()->isEnabled());
        EXPECT_EQ(n.FNAME()->text().toStdString(), "Fresh");
        EXPECT_FALSE(n.control<ui::MYPUSHBUTTON>("PSHOK")->isEnabled());
        n.FNAME()->setText("Fresh 2");
        n.control<ui::MYPUSHBUTTON>("PSHOK")->click();
    });
    m->PSHCOPY();
    EXPECT_EQ(boxes.boxes().back(), info("copy briefing", "briefing Fresh has been copied to Fresh 2"));
    EXPECT_EQ(game.read(kBriefings + "Fresh 2"), game.read(kBriefings + "Fresh"));

    modal.then<BriefEdit>("BriefEdit_vo", [](BriefEdit& e) {
        EXPECT_EQ(e.windowTitle().toStdString(), "Edit Briefing     Fresh");
        e.control<ui::MYPUSHBUTTON>("PSHCANCEL")->click();
    });
    select(m->briefingList(), 1);
    m->PSHEDIT();

    LauncherDouble launcher;
    m->PSHTEXTEDIT();
    ASSERT_EQ(launcher.commandLines().size(), 1u);
    EXPECT_EQ(launcher.commandLines()[0], "NotePad " + game.folders().briefings + "Fresh");
}

TEST_F(MToolBriefingTest, DeleteSelectsTheItemThatMovedUpOrTheNewLast) {
    for (const char* name : {"B1", "B2", "B3"}) game.write(kBriefings + name, "[Briefing 0]\r\n");
    auto m = open();
    select(m->briefingList(), 3);
    yes(*m, &MTool::PSHDELETE);
    EXPECT_EQ(boxes.boxes(), (std::vector{question("delete briefing", "delete briefing B3"),
                                          info("delete briefing", "briefing B3 moved to the trash")}));
    EXPECT_EQ(m->briefingNames(), (std::vector<std::string>{"B1", "B2"}));
    EXPECT_EQ(m->briefingList().CURRENTITEMNO(), 2u);

    game.write(kBriefings + "B3", "[Briefing 0]\r\n");
    m->READBRIEFINGS();
    m->briefingList().SETCURRENTITEMNO(1);
    yes(*m, &MTool::PSHDELETE);
    EXPECT_EQ(m->briefingNames(), (std::vector<std::string>{"B2", "B3"}));
    EXPECT_EQ(m->briefingList().CURRENTITEMNO(), 1u);
    EXPECT_EQ(m->selectedBriefingFile(), game.folders().briefings + "B2");
    EXPECT_FALSE(game.exists(kBriefings + "B1"));
}

TEST_F(MToolBriefingTest, EveryButtonReportsItsMissingSelectionAndDoesNothingElse) {
    auto m = open();
    const auto before = game.snapshot();
    struct Case {
        void (MTool::*handler)();
        std::string caption, text;
    };
    const Case cases[] = {
        {&MTool::PSHEXTRACT, "extract briefing", "no mission selected"},
        {&MTool::PSHCONNECT, "connect briefing", "you have to select a mission and a briefing"},
        {&MTool::PSHANALYZE, "analyze mission", "you have to select a mission and a briefing"},
        {&MTool::PSHCOPY, "copy briefing", "no briefing selected"},
        {&MTool::PSHDELETE, "delete briefing", "no briefing selected"},
        {&MTool::PSHEDIT, "edit briefing", "no briefing selected"},
        {&MTool::PSHTEXTEDIT, "edit briefing", "no briefing selected"},
    };
    for (const Case& c : cases) {
        boxes.clear();
        ((*m).*c.handler)();
        EXPECT_EQ(boxes.boxes(), std::vector{info(c.caption, c.text)});
    }
    EXPECT_EQ(game.snapshot(), before);
}

TEST_F(MToolBriefingTest, AnUnreadableFileIsReportedAndNothingIsWritten) {
    game.write(kPlayer + "A.TXT", "TITLE: A\r\n[Briefing 1]\r\nX");
    game.write(kBriefings + "A", "[Briefing 1]\r\nY");
    auto m = open();
    selectMission(*m, "A.TXT");
    selectBriefing(*m, "A");
    const auto before = game.snapshot();
    FailingFileSystem failing;
    failing.failOn(FailingFileSystem::Op::Read, "BRIEFINGS", "Input/output error");
    yes(*m, &MTool::PSHCONNECT, 2);
    EXPECT_TRUE(boxes.boxes().back().text.starts_with("not everything could be done"))
        << boxes.boxes().back();
    EXPECT_NE(boxes.boxes().back().text.find("Input/output error"), std::string::npos);
    boxes.clear();
    yes(*m, &MTool::PSHANALYZE);
    EXPECT_NE(boxes.boxes().back().text.find("Input/output error"), std::string::npos);
    EXPECT_EQ(game.snapshot(), before);
}

// A mission saved with CR line ends lists, extracts and analyses exactly as the same mission with CR LF.
TEST_F(MToolBriefingTest, AMissionWithCrLineEndsReadsAsWithCrLf) {
    std::string crOnly = game.read(kPlayer + "S01.TXT");
    ASSERT_NE(crOnly.find("\r\n"), std::string::npos);
    for (std::size_t at; (at = crOnly.find("\r\n")) != std::string::npos;) crOnly.erase(at + 1, 1);
    game.write(kPlayer + "CR.TXT", crOnly);
    auto m = open();
    const auto item = [&](const std::string& file) {
        const auto& names = m->missionFileNames();
        return m->missionList().ITEMLISTE()[static_cast<std::size_t>(
            std::find(names.begin(), names.end(), file) - names.begin())];
    };
    EXPECT_EQ(item("CR.TXT"), "Night Raid                     - CR");
    std::string drawn[2];
    for (const char* file : {"S01.TXT", "CR.TXT"}) {
        SCOPED_TRACE(file);
        selectMission(*m, file);
        boxes.clear();
        yes(*m, &MTool::PSHEXTRACT, game.exists(kBriefings + "Night Raid") ? 2 : 1);
        selectBriefing(*m, "Night Raid");
        yes(*m, &MTool::PSHANALYZE);
        EXPECT_TRUE(boxes.boxes().back().text.starts_with("graphics data added to briefing Night Raid"));
        drawn[file[0] == 'C'] = game.read(kBriefings + "Night Raid");
    }
    EXPECT_NE(drawn[0].find("Line 0 = "), std::string::npos) << "the routes are drawn";
    // The extracted briefing keeps the mission's line ends; what is drawn is the same.
    for (std::string& d : drawn) {
        for (std::size_t at; (at = d.find("\r\n")) != std::string::npos;) d.erase(at + 1, 1);
    }
    EXPECT_EQ(drawn[1], drawn[0]);
}

TEST_F(MToolBriefingTest, AnalyzeSaysWhichPagesCouldNotTakeTheirGraphics) {
    game.write(kBriefings + "Dual",
               "[Blue_Briefing 0]\r\nHeading = 9, Orders\r\nText = 1, 1, Go\r\n"
               "[Red_Briefing 0]\r\nHeading = \r\n");
    auto m = open();
    selectMission(*m, "S01.TXT");
    selectBriefing(*m, "Dual");
    yes(*m, &MTool::PSHANALYZE);
    const std::string text = boxes.boxes().back().text;
    EXPECT_TRUE(
        text.starts_with("graphics data added to briefing Dual\n\nwarning: the graphics of pages 2, 3, 4 of "
                         "the blue briefing and pages 2, 3, 4 of the red briefing were left out"))
        << text;
}

// Enter pressed twice must not delete or replace: these questions default to No, the others to Yes.
TEST_F(MToolBriefingTest, QuestionsThatDeleteOrReplaceDefaultToNo) {
    game.write(kPlayer + "A.TXT", "TITLE: A\r\n[Briefing 1]\r\nX");
    game.write(kBriefings + "A", "[Briefing 1]\r\nY");
    auto m = open();
    selectMission(*m, "A.TXT");
    selectBriefing(*m, "A");
    struct Case {
        void (MTool::*handler)();
        std::vector<ui::Reply> defaults;  // of the questions, in order
    };
    const Case cases[] = {
        {&MTool::PSHEXTRACT, {ui::Reply::Yes, ui::Reply::No}},
        {&MTool::PSHCONNECT, {ui::Reply::Yes, ui::Reply::No}},
        {&MTool::PSHDELETE, {ui::Reply::No}},
    };
    for (const Case& c : cases) {
        boxes.clear();
        for (std::size_t i = 0; i + 1 < c.defaults.size(); ++i) boxes.answer(ui::Reply::Yes);
        boxes.answer(ui::Reply::No);
        (m.get()->*c.handler)();
        std::vector<ui::Reply> asked;
        for (const auto& box : boxes.boxes()) asked.push_back(box.ask.byDefault);
        EXPECT_EQ(asked, c.defaults) << boxes.boxes().front();
    }
    EXPECT_EQ(game.read(kBriefings + "A"), "[Briefing 1]\r\nY");
    EXPECT_EQ(game.read(kPlayer + "A.TXT"), "TITLE: A\r\n[Briefing 1]\r\nX");
}

// Where no trash takes a file, it goes only after a question that says it cannot be undone.
TEST_F(MToolBriefingTest, DeleteSaysWhereTheBriefingWent) {
    const std::string forGood =
        "briefing B1 cannot be moved to the trash (no trash).\n\ndelete it for good ? this cannot be undone.";
    struct Case {
        const char* name;
        bool trash;
        std::vector<ui::Reply> answers;
        std::vector<MessageBoxDouble::Box> boxes;
        bool gone;
    };
    const auto asked = question("delete briefing", "delete briefing B1");
    const Case cases[] = {
        {"trash",
         true,
         {ui::Reply::Yes},
         {asked, info("delete briefing", "briefing B1 moved to the trash")},
         true},
        {"no trash, kept",
         false,
         {ui::Reply::Yes, ui::Reply::No},
         {asked, question("delete briefing", forGood)},
         false},
        {"no trash, for good",
         false,
         {ui::Reply::Yes, ui::Reply::Yes},
         {asked, question("delete briefing", forGood),
          info("delete briefing", "briefing B1 deleted for good")},
         true},
        {"removed meanwhile",
         true,
         {ui::Reply::Yes},
         {asked, info("delete briefing", "briefing B1 not there any more")},
         true},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        game.write(kBriefings + "B1", "[Briefing 0]\r\n");
        auto m = open();
        selectBriefing(*m, "B1");
        if (std::string(c.name) == "removed meanwhile") game.remove(kBriefings + "B1");
        FailingFileSystem failing;
        if (!c.trash) failing.failOn(FailingFileSystem::Op::Trash, "", "no trash");
        boxes.clear();
        for (ui::Reply r : c.answers) boxes.answer(r);
        m->PSHDELETE();
        EXPECT_EQ(boxes.boxes(), c.boxes);
        if (boxes.boxes().size() > 1) {
            EXPECT_EQ(boxes.boxes()[1].ask.byDefault, c.trash ? ui::Reply::Yes : ui::Reply::No);
        }
        EXPECT_EQ(game.exists(kBriefings + "B1"), !c.gone);
        EXPECT_EQ(m->briefingNames().size(), c.gone ? 0u : 1u);
    }
}

}  // namespace
}  // namespace hartool::test
