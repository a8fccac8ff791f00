// The mission tools dialog through its handlers, on a generated game folder.

#include <gtest/gtest.h>

#include <filesystem>
#include <memory>

#include "core/platform/filesystem.h"
#include "core/text/entries.h"
#include "gui/app/patchdialog.h"
#include "gui/missiontools/copymiss.h"
#include "gui/missiontools/mtool.h"
#include "gui/ui/controls.h"
#include "gui/ui/launcher.h"
#include "gui/ui/textconvert.h"
#include "support/failingfilesystem.h"
#include "support/guigameworld.h"
#include "support/guilauncherdouble.h"
#include "support/guimodaldouble.h"
#include "support/mtoolselection.h"

namespace fs = std::filesystem;

namespace hartool::test {
namespace {

const std::string kPlayer = "Data/Battles/Player/";
// The demo's missions in list order.
const std::vector<std::string> kDemo{"S02.TXT", "S10.TXT", "S01.TXT", "T1.TXT", "BATTLE0001.TXT"};
const std::string kRaid = "TITLE: Night Raid\r\nSIDE: 0\r\nPLATOON: 21 1 2 0 4 1 2 2 1201\r\n";

class MToolTest : public GameWorld {
  protected:
    std::unique_ptr<MTool> open() { return std::make_unique<MTool>(nullptr, game.gamePath()); }
    // Types name and title into the copy dialog and presses Ok.
    static void typeCopy(ModalDouble& modal, std::string name, std::string title) {
        modal.then<CopyMiss>("CopyMiss_vo", [name, title](CopyMiss& c) {
            c.SETFNAME(name);
            c.SETMNAME(title);
            c.control<ui::MYPUSHBUTTON>("PSHOK")->click();
        });
    }
};

TEST_F(MToolTest, ReloadsKeepThePositionClampedAndLeaveTheOtherList) {
    game.write("Data/Backup/Briefings/B1", "x");
    game.write("Data/Backup/Briefings/B2", "x");
    ASSERT_TRUE(platform::setAttributes(game.path(kPlayer + "S01.TXT"), platform::READONLY));
    auto m = open();
    EXPECT_FALSE(game.isReadOnly(kPlayer + "S01.TXT"));
    EXPECT_EQ(m->missionFileNames(), kDemo);
    EXPECT_EQ(m->missionList().CURRENTITEMNO(), 0u);
    EXPECT_EQ(m->briefingList().CURRENTITEMNO(), 0u);

    struct Case {
        std::size_t selected;
        std::string gone;
        std::size_t after;
    };
    const Case cases[] = {{5, "BATTLE0001.TXT", 4}, {2, "T1.TXT", 2}};
    for (const Case& c : cases) {
        select(m->missionList(), c.selected);
        select(m->briefingList(), 2);
        game.remove(kPlayer + c.gone);
        m->READDATA();
        EXPECT_EQ(m->missionList().CURRENTITEMNO(), c.after);
        EXPECT_EQ(m->briefingList().CURRENTITEMNO(), 2u);
    }
    game.remove("Data/Backup/Briefings/B2");
    m->READBRIEFINGS();
    EXPECT_EQ(m->briefingList().CURRENTITEMNO(), 1u);
    EXPECT_EQ(m->missionList().CURRENTITEMNO(), 2u);
    EXPECT_EQ(m->selectedBriefingFile(), game.folders().briefings + "B1");
}

TEST_F(MToolTest, EveryMissionOperationNeedsASelection) {
    fs::remove_all(game.nativePath(kPlayer));
    auto m = open();
    EXPECT_EQ(m->missionList().ITEMCOUNT(), 0u);
    EXPECT_EQ(m->briefingList().ITEMCOUNT(), 0u);
    m->PSHMISSCOPY();
    m->PSHMISSDELETE();
    m->PSHMISSEDIT();
    m->PSHPROP();
    EXPECT_EQ(boxes.boxes(),
              (std::vector{
                  info("copy mission", "no mission selected"), info("delete mission", "no mission selected"),
                  info("edit mission", "no mission selected"), info("edit mission", "no mission selected")}));
}

TEST_F(MToolTest, CopyOrRetitleFollowsWhatChanged) {
    const std::string report = "mission S123.TXT - Night Raid has been ";
    struct Case {
        const char* name;
        std::string newName, newTitle;
        std::string s123Title, s124;  // afterwards; "" for no S124.TXT
        std::vector<MessageBoxDouble::Box> boxes;
    };
    const Case cases[] = {
        {"nothing changed", "S123.TXT", "Night Raid", "Night Raid", "", {}},
        {"case only", " s123.txt", "NIGHT RAID ", "Night Raid", "", {}},
        {"title changed",
         "S123.TXT",
         "Night Raid 2",
         "Night Raid 2",
         "",
         {info("copy mission", report + "renamed to S123.TXT - Night Raid 2")}},
        {"name changed",
         "S124.TXT",
         "Night Raid",
         "Night Raid",
         "Night Raid",
         {info("copy mission", report + "copied to S124.TXT - Night Raid")}},
        {"both changed",
         "S124.TXT",
         "Night Raid 2",
         "Night Raid",
         "Night Raid 2",
         {info("copy mission", report + "copied to S124.TXT - Night Raid 2")}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        game.write(kPlayer + "S123.TXT", kRaid);
        auto m = open();
        const auto before = game.snapshot();
        ModalDouble modal;
        modal.then<CopyMiss>("CopyMiss_vo", [&](CopyMiss& copy) {
            EXPECT_EQ(copy.windowTitle().toStdString(), "copy mission  S123.TXT");
            EXPECT_EQ(copy.FNAME(), "S123.TXT");
            EXPECT_EQ(copy.MNAME(), "Night Raid");
            copy.SETFNAME(c.newName);
            copy.SETMNAME(c.newTitle);
            copy.control<ui::MYPUSHBUTTON>("PSHOK")->click();
        });
        selectMission(*m, "S123.TXT");
        m->PSHMISSCOPY();
        EXPECT_EQ(boxes.boxes(), c.boxes);
        EXPECT_EQ(GETTITLE(game.path(kPlayer + "S123.TXT")), c.s123Title);
        if (c.boxes.empty()) {
            EXPECT_EQ(game.snapshot(), before);
        }
        if (!c.s124.empty()) {
            EXPECT_EQ(GETTITLE(game.path(kPlayer + "S124.TXT")), c.s124);
            EXPECT_EQ(m->missionFileNames().size(), kDemo.size() + 2);
        }
        if (c.s124 == "Night Raid") {
            EXPECT_EQ(game.read(kPlayer + "S124.TXT"), kRaid);
        }
        // The next operation acts on the mission just made or retitled.
        if (!c.boxes.empty()) {
            EXPECT_EQ(m->selectedMissionFile(),
                      game.folders().player + (c.s124.empty() ? "S123.TXT" : "S124.TXT"));
        }
        boxes.clear();
        game.remove(kPlayer + "S124.TXT");
    }
}

TEST_F(MToolTest, CopyAsksBeforeReplacingAndReportsWhatItCouldNotDo) {
    const std::string s02 = game.read(kPlayer + "S02.TXT");
    game.write(kPlayer + "S123.TXT", kRaid);
    game.write(kPlayer + "NOTITLE.TXT", "SIDE: 0\r\n");
    auto m = open();
    ModalDouble modal;
    const auto replace = question("copy mission", "replace the existing mission s02.txt ?");
    struct Case {
        const char* name;
        std::string source, newName, newTitle;
        std::vector<ui::Reply> answers;
        std::vector<MessageBoxDouble::Box> boxes;
    };
    const Case cases[] = {
        {"kept", "S123.TXT", "s02.txt", "Night Raid", {ui::Reply::No}, {replace}},
        {"replaced",
         "S123.TXT",
         "s02.txt",
         "Night Raid",
         {ui::Reply::Yes},
         {replace,
          info("copy mission", "mission S123.TXT - Night Raid has been copied to s02.txt - Night Raid")}},
        {"not listed",
         "S123.TXT",
         "S123.DAT",
         "Night Raid",
         {},
         {info("copy mission",
               "mission S123.TXT - Night Raid has been copied to S123.DAT - Night Raid\n\n"
               "warning: S123.DAT does not end in .TXT: the game and this list show only .TXT "
               "files")}},
        {"no title entry",
         "NOTITLE.TXT",
         "NOTITLE.TXT",
         "Named",
         {},
         {info("copy mission",
               "not everything could be done: 0 of 1 file was renamed.\n\nnot renamed:\n"
               "Data/Battles/Player/NOTITLE.TXT: it has no TITLE entry")}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        if (std::string(c.name) == "replaced") {
            EXPECT_EQ(game.read(kPlayer + "S02.TXT"), s02);
        }
        for (ui::Reply r : c.answers) boxes.answer(r);
        typeCopy(modal, c.newName, c.newTitle);
        selectMission(*m, c.source);
        m->PSHMISSCOPY();
        EXPECT_EQ(boxes.boxes(), c.boxes);
        if (!c.answers.empty()) {
            EXPECT_EQ(boxes.boxes()[0].ask.byDefault, ui::Reply::No) << "replacing defaults to No";
        }
        boxes.clear();
    }
    EXPECT_EQ(game.read(kPlayer + "S02.TXT"), kRaid);
    EXPECT_EQ(game.read(kPlayer + "S123.DAT"), kRaid);

    FailingFileSystem failing;
    failing.failOn(FailingFileSystem::Op::Copy, "S125.TXT", "No space left on device");
    typeCopy(modal, "S125.TXT", "Night Raid");
    selectMission(*m, "S123.TXT");
    m->PSHMISSCOPY();
    EXPECT_EQ(boxes.boxes(),
              std::vector{info("copy mission",
                               "not everything could be done: 0 of 1 file was copied.\n\n"
                               "failed:\nData/Battles/Player/S125.TXT: No space left on device")});

    // A copy under a new title is one write: a full disk leaves no copy under the old title.
    boxes.clear();
    failing.failOn(FailingFileSystem::Op::Write, "S126.TXT", "No space left on device");
    const std::size_t listed = m->missionFileNames().size();
    typeCopy(modal, "S126.TXT", "Night Raid 2");
    selectMission(*m, "S123.TXT");
    m->PSHMISSCOPY();
    EXPECT_EQ(boxes.boxes(),
              std::vector{info("copy mission",
                               "not everything could be done: 0 of 1 file was copied.\n\n"
                               "failed:\nData/Battles/Player/S126.TXT: No space left on device")});
    EXPECT_FALSE(game.exists(kPlayer + "S126.TXT"));
    EXPECT_EQ(m->missionFileNames().size(), listed);
}

TEST_F(MToolTest, AnUnsafeFileNameKeepsOkDisabled) {
    auto m = open();
    ModalDouble modal;
    modal.then<CopyMiss>("CopyMiss_vo", [](CopyMiss& c) {
        for (const char* bad : {"", "..", "..\\S1.TXT", "Data/S1.TXT", "C:S1.TXT"}) {
            c.SETFNAME(bad);
            EXPECT_FALSE(c.control<ui::MYPUSHBUTTON>("PSHOK")->isEnabled()) << bad;
            EXPECT_FALSE(c.control<ui::MYPUSHBUTTON>("PSHOK")->toolTip().isEmpty()) << bad;
        }
        c.SETFNAME("S2.TXT");
        EXPECT_TRUE(c.control<ui::MYPUSHBUTTON>("PSHOK")->isEnabled());
        c.control<ui::MYPUSHBUTTON>("PSHCANCEL")->click();
        EXPECT_EQ(c.result(), 2);
    });
    const auto before = game.snapshot();
    select(m->missionList(), 1);
    m->PSHMISSCOPY();
    EXPECT_EQ(game.snapshot(), before);
    EXPECT_TRUE(boxes.boxes().empty());
}

TEST_F(MToolTest, DeleteNamesThePaddedLineAndSelectsTheNextItem) {
    auto m = open();
    const std::string convoy = "Convoy Hunt                    - S10";
    boxes.answer(ui::Reply::No);
    select(m->missionList(), 2);
    m->PSHMISSDELETE();
    EXPECT_TRUE(game.exists(kPlayer + "S10.TXT"));

    struct Case {
        std::size_t position;
        std::string file, line;
        std::size_t after;
    };
    const Case cases[] = {
        {2, "S10.TXT", convoy, 2},
        {4, "BATTLE0001.TXT", "Valley Ambush                  - BATTLE0001", 3},
    };
    for (const Case& c : cases) {
        boxes.clear();
        boxes.answer(ui::Reply::Yes);
        select(m->missionList(), c.position);
        m->PSHMISSDELETE();
        EXPECT_EQ(boxes.boxes(),
                  (std::vector{question("delete mission", "delete mission " + c.line),
                               info("delete mission", "mission " + c.line + " moved to the trash")}));
        EXPECT_EQ(boxes.boxes()[0].ask.byDefault, ui::Reply::No) << "Enter twice must not delete";
        EXPECT_FALSE(game.exists(kPlayer + c.file));
        EXPECT_EQ(m->missionList().CURRENTITEMNO(), c.after);
        EXPECT_EQ(m->missionList().ITEMCOUNT(), m->missionFileNames().size());
        EXPECT_EQ(m->missionTitles().size(), m->missionFileNames().size());
    }
    EXPECT_EQ(m->missionFileNames(), (std::vector<std::string>{"S02.TXT", "S01.TXT", "T1.TXT"}));

    FailingFileSystem failing;
    failing.failOn(FailingFileSystem::Op::Trash, "T1.TXT", "no trash");
    failing.failOn(FailingFileSystem::Op::Remove, "T1.TXT", "Permission denied");
    boxes.clear();
    boxes.answer(ui::Reply::Yes);
    boxes.answer(ui::Reply::Yes);  // delete it for good
    select(m->missionList(), 3);
    m->PSHMISSDELETE();
    EXPECT_EQ(boxes.boxes().back(), info("delete mission",
                                         "not everything could be done: 0 of 1 file was deleted.\n\n"
                                         "failed:\nData/Battles/Player/T1.TXT: Permission denied"));
    EXPECT_EQ(m->missionList().ITEMCOUNT(), 3u);
}

TEST_F(MToolTest, EditStartsTheTextEditorOnTheMissionFile) {
    game.write(kPlayer + "My Raid.TXT", kRaid);
    auto m = open();
    LauncherDouble launcher;
    selectMission(*m, "My Raid.TXT");
    m->control<ui::MYPUSHBUTTON>("PSHMISSEDIT")->click();
    const std::string file = game.folders().player + "My Raid.TXT";
    ASSERT_EQ(launcher.commandLines(), std::vector<std::string>{"NotePad " + file});
    EXPECT_EQ(ui::launchCommand(launcher.commandLines()[0]).arguments,
              QStringList{QString::fromStdString(game.nativePath(kPlayer + "My Raid.TXT"))});
    EXPECT_TRUE(boxes.boxes().empty());
}

TEST_F(MToolTest, TheMainDialogOpensTheToolsAfterItsPathTest) {
    usePath(game.gamePath());
    PatchDialog dialog;
    ModalDouble modal;
    modal.then<MTool>("MTool_vo", [](MTool& m) {
        EXPECT_EQ(m.windowTitle().toStdString(), "Mission Tools");
        EXPECT_EQ(m.missionFileNames(), kDemo);
        m.control<ui::MYPUSHBUTTON>("PSHCANCEL")->click();
    });
    dialog.PSHMISSTOOLS();
    EXPECT_EQ(modal.shown(), std::vector<std::string>{"MTool_vo"});
}

}  // namespace
}  // namespace hartool::test
