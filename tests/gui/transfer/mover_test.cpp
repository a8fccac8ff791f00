// The campaign transfer dialog through its handlers, on a generated game folder.

#include <gtest/gtest.h>

#include <QLineEdit>

#include <filesystem>
#include <map>
#include <memory>

#include "core/backup/backup.h"
#include "core/platform/profile.h"
#include "core/text/entries.h"
#include "gui/app/patchdialog.h"
#include "gui/transfer/mover.h"
#include "gui/ui/controls.h"
#include "support/failingfilesystem.h"
#include "support/guigameworld.h"
#include "support/guimodaldouble.h"

namespace fs = std::filesystem;

namespace hartool::test {
namespace {

const std::string kPlayer = "Data/Battles/Player/";
const std::string kUk = "Data/Battles/1stUKArmDiv/";
const char* const kToBattles = "transfer campaigns";
const char* const kToCampaign = "transfer single battles";

// The main dialog's path and backup tests, as the transfer dialog asks for them.
struct Checks : ui::GameChecks {
    bool FILEOK(bool quiet) override {
        asked.push_back(quiet ? "FILEOK quiet" : "FILEOK");
        return gameFound;
    }
    bool COPYOK() const override { return backupIncomplete; }
    bool gameFound = true;
    bool backupIncomplete = false;
    std::vector<std::string> asked;
};

class MoverTest : public GameWorld {
  protected:
    std::unique_ptr<Mover> open() {
        return std::make_unique<Mover>(nullptr, checks, kCampaigns, game.gamePath());
    }

    static ui::MYLISTBOX& list(Mover& m, const char* name) { return *m.control<ui::MYLISTBOX>(name); }
    static ui::MYLISTBOX& campaignList(Mover& m) { return list(m, "LBKAMPAGNE"); }
    static ui::MYLISTBOX& battleList(Mover& m) { return list(m, "LBMISSION"); }
    static ui::MYCOMBOBOX& combo(Mover& m) { return *m.control<ui::MYCOMBOBOX>("CMBKAMPAGNE"); }
    static void showAll(Mover& m) { m.control<ui::MYCHECKBOX>("CBSHOWALL")->click(); }
    // As the player clicks them.
    static void select(ui::MYLISTBOX& l, std::initializer_list<std::size_t> positions) {
        for (std::size_t p : positions) l.item(static_cast<int>(p - 1))->setSelected(true);
    }
    static std::size_t position(ui::MYLISTBOX& l, const std::string& text) {
        const auto& items = l.ITEMLISTE();
        for (std::size_t i = 0; i < items.size(); ++i)
            if (items[i].find(text) != std::string::npos) return i + 1;
        ADD_FAILURE() << "no item " << text;
        return 0;
    }
    void yes(Mover& m, void (Mover::*handler)()) {
        boxes.answer(ui::Reply::Yes);
        (m.*handler)();
    }

    Checks checks;
};

TEST_F(MoverTest, CampaignListsFollowTheIniAndTheComboBox) {
    for (std::size_t row = 0; row < kCampaigns.size(); ++row) {
        SCOPED_TRACE(kCampaigns[row].displayName);
        ASSERT_TRUE(platform::WRITEENVIRONMENT("TOOL", "CAMPAIGN", kCampaigns[row].displayName, ini()));
        auto m = open();
        EXPECT_EQ(combo(*m).CURRENTITEMNO(), row + 1);
        EXPECT_EQ(campaignList(*m).ITEMCOUNT(), static_cast<std::size_t>(kCampaigns[row].lastMission) + 1);
        EXPECT_EQ(campaignList(*m).ITEMLISTE().front(), "CAMP0");
        EXPECT_TRUE(campaignList(*m).ISMULTIPLESELECTION());
    }

    ASSERT_TRUE(platform::WRITEENVIRONMENT("TOOL", "CAMPAIGN", "No Such Campaign", ini()));
    ModalDouble modal;
    modal.then<Mover>("Mover_vo", [](Mover& m) { m.control<ui::MYPUSHBUTTON>("PSHCANCEL")->click(); });
    {
        auto m = open();
        EXPECT_EQ(combo(*m).CURRENTITEMNO(), 1u);
        EXPECT_EQ(campaignList(*m).ITEMCOUNT(), 12u);
        ui::showModal(*m);
    }
    EXPECT_EQ(platform::GETENVIRONMENT("TOOL", "CAMPAIGN", ini()), "No Such Campaign");

    auto m = open();
    combo(*m).setCurrentIndex(3);  // as the player picks it
    EXPECT_EQ(campaignList(*m).ITEMCOUNT(), 13u);
    // A typed text that names no campaign leaves the picked one in force.
    combo(*m).setEditText("nothing of the kind");
    m->PSHREFRESH();
    EXPECT_EQ(campaignList(*m).ITEMCOUNT(), 13u);
    // Once the player leaves the field, it shows the campaign the work goes to.
    emit combo(*m).lineEdit()->editingFinished();
    EXPECT_EQ(combo(*m).currentText().toStdString(), kCampaigns[3].displayName);
    EXPECT_EQ(combo(*m).CURRENTITEMNO(), 4u);
    m->ENDDIALOG(0);
    EXPECT_EQ(platform::GETENVIRONMENT("TOOL", "CAMPAIGN", ini()), kCampaigns[3].displayName);
}

TEST_F(MoverTest, SingleBattlesAreFilteredByCodeOrAllShown) {
    game.write(kPlayer + "BATTLE3001.TXT", "TITLE: ORG_UK_Strike_1\r\n");
    game.write(kPlayer + "BATTLE9.TXT", "TITLE: ORG_UK_thirty_characters_long\r\n");
    game.write(kPlayer + "BATTLE10.TXT", "TITLE: uk ten\r\n");
    auto m = open();
    EXPECT_EQ(battleList(*m).ITEMLISTE(),
              (std::vector<std::string>{"UK TEN          - BATTLE10", "ORG_UK_STRIKE_1 - BATTLE3001",
                                        "ORG_UK_THIRTY_C - BATTLE9"}));
    EXPECT_EQ(m->listedFiles(), (std::vector<std::string>{"BATTLE10.TXT", "BATTLE3001.TXT", "BATTLE9.TXT"}));

    select(battleList(*m), {1});
    showAll(*m);
    EXPECT_EQ(m->listedFiles(),
              (std::vector<std::string>{"BATTLE0001.TXT", "BATTLE10.TXT", "BATTLE3001.TXT", "BATTLE9.TXT",
                                        "S01.TXT", "S02.TXT", "S10.TXT", "T1.TXT"}));
    EXPECT_EQ(battleList(*m).ITEMCOUNT(), 8u);
    for (ui::MYLISTBOX* l : {&battleList(*m), &campaignList(*m)}) {
        EXPECT_FALSE(l->ISMULTIPLESELECTION());
        EXPECT_EQ(l->SELECTEDPOSITIONS(), std::vector<std::size_t>{});
    }
    showAll(*m);
    EXPECT_EQ(battleList(*m).ITEMCOUNT(), 3u);
    EXPECT_TRUE(battleList(*m).ISMULTIPLESELECTION());
    EXPECT_TRUE(campaignList(*m).ISMULTIPLESELECTION());
}

TEST_F(MoverTest, ToSingleBattlesMarksTitlesAndAsksBeforeReplacingEdits) {
    ASSERT_TRUE(platform::setAttributes(game.path(kUk + "CAMP1"), platform::READONLY));
    auto m = open();
    select(campaignList(*m), {2, 12});
    yes(*m, &Mover::PSHMOVEKM);
    EXPECT_EQ(boxes.boxes(),
              (std::vector{question(kToBattles, "copy 2 campaign-missions to single battles ?"),
                           info(kToBattles, "2 Files copied")}));
    EXPECT_TRUE(game.read(kPlayer + "BATTLE3001.TXT").starts_with("TITLE:  ORG_UK_Strike_1\r\n"));
    EXPECT_TRUE(game.exists(kPlayer + "BATTLE3011.TXT"));
    EXPECT_FALSE(game.isReadOnly(kPlayer + "BATTLE3001.TXT"));
    EXPECT_EQ(m->listedFiles(), (std::vector<std::string>{"BATTLE3001.TXT", "BATTLE3011.TXT"}));

    // The battle builder changed one of them; then both. The player's No keeps them, and is no failure.
    struct Case {
        std::vector<std::string> edited;
        std::string question, report;
    };
    const Case cases[] = {
        {{"BATTLE3011.TXT"},
         "1 of these single battles already exists and has changed. Replace it ?",
         "1 Files copied\n\nkept as they were:\nData/Battles/Player/BATTLE3011.TXT: changed since it was "
         "copied"},
        {{"BATTLE3001.TXT", "BATTLE3011.TXT"},
         "2 of these single battles already exist and have changed. Replace them ?",
         "0 Files copied\n\nkept as they were:\nData/Battles/Player/BATTLE3001.TXT: changed since it was "
         "copied\nData/Battles/Player/BATTLE3011.TXT: changed since it was copied"},
    };
    for (const Case& c : cases) {
        for (const std::string& name : c.edited) game.write(kPlayer + name, "TITLE: ORG_UK_edited\r\n");
        boxes.clear();
        select(campaignList(*m), {2, 12});
        boxes.answer(ui::Reply::Yes);
        boxes.answer(ui::Reply::No);
        m->PSHMOVEKM();
        EXPECT_EQ(boxes.boxes(),
                  (std::vector{question(kToBattles, "copy 2 campaign-missions to single battles ?"),
                               question(kToBattles, c.question), info(kToBattles, c.report)}));
        // Enter, Enter must not replace the battle builder's edit.
        EXPECT_EQ(boxes.boxes()[0].ask.byDefault, ui::Reply::Yes);
        EXPECT_EQ(boxes.boxes()[1].ask.byDefault, ui::Reply::No);
        for (const std::string& name : c.edited)
            EXPECT_EQ(game.read(kPlayer + name), "TITLE: ORG_UK_edited\r\n");
    }
}

TEST_F(MoverTest, AFailedWriteLeavesTheOldFileWhole) {
    ASSERT_TRUE(saveOriginals(game.folders()).ok());
    game.write(kPlayer + "BATTLE3001.TXT", "TITLE: ORG_UK_old_1\r\n");
    const std::string camp1 = game.read(kUk + "CAMP1");
    auto m = open();
    FailingFileSystem failing;
    failing.failOn(FailingFileSystem::Op::Write, "BATTLE3001", "No space left on device");
    failing.failOn(FailingFileSystem::Op::Write, "CAMP1", "No space left on device");

    select(campaignList(*m), {2});
    boxes.answer(ui::Reply::Yes);
    boxes.answer(ui::Reply::Yes);  // replace the changed battle
    m->PSHMOVEKM();
    EXPECT_EQ(boxes.boxes().back(), info(kToBattles,
                                         "not everything could be done: 0 of 1 file was copied.\n\nfailed:\n"
                                         "Data/Battles/Player/BATTLE3001.TXT: No space left on device"));
    EXPECT_EQ(game.read(kPlayer + "BATTLE3001.TXT"), "TITLE: ORG_UK_old_1\r\n");

    boxes.clear();
    select(battleList(*m), {position(battleList(*m), "BATTLE3001")});
    yes(*m, &Mover::PSHMOVEMK);
    EXPECT_TRUE(
        boxes.boxes().back().text.starts_with("not everything could be done: 0 of 1 file was transferred."))
        << boxes.boxes().back();
    EXPECT_EQ(game.read(kUk + "CAMP1"), camp1);
    EXPECT_TRUE(game.isReadOnly(kUk + "CAMP1"));
}

TEST_F(MoverTest, BackToTheCampaignUnpairedAndPaired) {
    ASSERT_TRUE(saveOriginals(game.folders()).ok());
    const std::string camp4Title = GETTITLE(game.path(kUk + "CAMP4"));
    const std::string saved1 = game.read("Data/Backup/1stUKArmDiv/CAMP1");
    // As the battle builder saves them: no briefing part. A read-only battle gives no read-only copy that the
    // title and briefing could not be written into.
    game.write(kPlayer + "BATTLE3001.TXT", "TITLE: ORG_UK_Strike_1\r\nSIDE: 0\r\n");
    ASSERT_TRUE(platform::setAttributes(game.path(kPlayer + "BATTLE3001.TXT"), platform::READONLY));
    game.write(kPlayer + "BATTLE3002.TXT", "TITLE: org_uk_x_2\r\n[Briefing 0]\r\n");
    auto m = open();
    select(battleList(*m), {1, 2});
    yes(*m, &Mover::PSHMOVEMK);
    EXPECT_EQ(boxes.boxes().back(), info(kToCampaign, "2 files transfered"));
    EXPECT_EQ(game.read(kUk + "CAMP1"),
              "TITLE:  UK Strike 1\r\nSIDE: 0\r\n"
              "\r\n\r\n\r\n" +
                  saved1.substr(saved1.find('[')));
    EXPECT_EQ(game.read(kUk + "CAMP2"), "TITLE:  uk x 2\r\n[Briefing 0]\r\n");
    EXPECT_TRUE(game.isReadOnly(kUk + "CAMP1"));
    EXPECT_TRUE(game.isReadOnly(kUk + "CAMP2"));
    EXPECT_EQ(game.files(kUk).size(), 12u);

    showAll(*m);
    boxes.clear();
    m->PSHMOVEMK();
    EXPECT_EQ(boxes.boxes(),
              std::vector{info(kToCampaign, "you have to select a single-battle and a campaign-mission")});
    battleList(*m).SETCURRENTITEMNO(position(battleList(*m), "BATTLE3002"));
    campaignList(*m).SETCURRENTITEMNO(5);
    boxes.clear();
    yes(*m, &Mover::PSHMOVEMK);
    EXPECT_EQ(boxes.boxes(),
              (std::vector{question(kToCampaign, "copy 1 single battles files to the campaign folder ?"),
                           info(kToCampaign, "1 files transfered")}));
    EXPECT_EQ(game.read(kUk + "CAMP4"), "TITLE:  " + camp4Title + "\r\n[Briefing 0]\r\n");
}

TEST_F(MoverTest, BackToTheCampaignRefusesMissionNumbersTheCampaignDoesNotHave) {
    game.write(kPlayer + "BATTLE3099.TXT", "TITLE: ORG_UK_Strike_99\r\n");
    game.write(kPlayer + "BATTLE3098.TXT", "TITLE: ORG_UK_Strike\r\n");
    const auto before = game.snapshot();
    auto m = open();
    select(battleList(*m), {1, 2});
    yes(*m, &Mover::PSHMOVEMK);
    EXPECT_EQ(
        boxes.boxes().back(),
        info(kToCampaign,
             "not everything could be done: 0 of 2 files were transferred.\n\nnot transferred:\n"
             "Data/Battles/Player/BATTLE3098.TXT: its title does not end in a mission number\n"
             "Data/Battles/Player/BATTLE3099.TXT: its title ends in 99, but the campaign's last mission is "
             "11"));
    EXPECT_EQ(game.snapshot(), before);
}

TEST_F(MoverTest, RestoreBringsTheSavedCampaignBackAndDeleteTakesTheSelection) {
    ASSERT_TRUE(saveOriginals(game.folders()).ok());
    const std::string original = game.read(kUk + "CAMP1");
    game.write(kUk + "CAMP1", "TITLE: edited\r\n");
    game.write(kPlayer + "BATTLE3001.TXT", "TITLE: ORG_UK_1\r\n");
    game.write(kPlayer + "BATTLE3002.TXT", "TITLE: ORG_UK_2\r\n");
    game.write(kPlayer + "BATTLE3003.TXT", "TITLE: ORG_UK_3\r\n");
    auto m = open();
    yes(*m, &Mover::PSHRESTKAMP);
    EXPECT_EQ(boxes.boxes(),
              (std::vector{question("restore selected campaign",
                                    "replace the selected campaign with the original campaign ?"),
                           info("restore selected campaign", "the original campaign has been restored")}));
    EXPECT_EQ(game.read(kUk + "CAMP1"), original);
    EXPECT_TRUE(game.isReadOnly(kUk + "CAMP1"));
    EXPECT_EQ(game.read(kPlayer + "BATTLE3001.TXT"), "TITLE: ORG_UK_1\r\n");
    EXPECT_EQ(checks.asked, std::vector<std::string>{"FILEOK"}) << "the owner reports a wrong path itself";

    // A file gone already counts as deleted; the report comes before the lists change.
    boxes.clear();
    select(battleList(*m), {1, 3});
    game.remove(kPlayer + "BATTLE3003.TXT");
    std::vector<std::string> listedAtReport;
    boxes.onShow = [&] { listedAtReport = m->listedFiles(); };
    yes(*m, &Mover::PSHDELETE);
    EXPECT_EQ(boxes.boxes(),
              (std::vector{question("delete single battles", "2 single battles files selected to delete ?"),
                           info("delete single battles", "2 single battles files moved to the trash")}));
    EXPECT_EQ(boxes.boxes()[0].ask.byDefault, ui::Reply::No);
    EXPECT_EQ(listedAtReport.size(), 3u);
    EXPECT_EQ(m->listedFiles(), std::vector<std::string>{"BATTLE3002.TXT"});
    EXPECT_FALSE(game.exists(kPlayer + "BATTLE3001.TXT"));
}

TEST_F(MoverTest, RestoreNeedsTheGameAndACompleteBackup) {
    ASSERT_TRUE(saveOriginals(game.folders()).ok());
    game.write(kUk + "CAMP1", "TITLE: edited\r\n");
    const auto before = game.snapshot();
    for (const auto& [found, incomplete] : {std::pair{false, false}, std::pair{true, true}}) {
        checks.gameFound = found;
        checks.backupIncomplete = incomplete;
        boxes.clear();
        auto m = open();
        yes(*m, &Mover::PSHRESTKAMP);
        EXPECT_EQ(boxes.boxes().size(), 1u) << "the question alone";
        EXPECT_EQ(game.snapshot(), before);
    }
}

TEST_F(MoverTest, NothingSelectedOrNoChangesNothing) {
    ASSERT_TRUE(saveOriginals(game.folders()).ok());
    game.write(kPlayer + "BATTLE3001.TXT", "TITLE: ORG_UK_Strike_1\r\n");
    const auto before = game.snapshot();
    using Handler = void (Mover::*)();
    struct Case {
        const char* name;
        Handler handler;
        bool selectFirst;
    };
    const Case cases[] = {
        {">> nothing", &Mover::PSHMOVEKM, false},     {"<< nothing", &Mover::PSHMOVEMK, false},
        {"delete nothing", &Mover::PSHDELETE, false}, {">> No", &Mover::PSHMOVEKM, true},
        {"<< No", &Mover::PSHMOVEMK, true},           {"delete No", &Mover::PSHDELETE, true},
        {"restore No", &Mover::PSHRESTKAMP, true},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        boxes.clear();
        auto m = open();
        if (c.selectFirst) {
            select(battleList(*m), {1});
            select(campaignList(*m), {2});
            boxes.answer(ui::Reply::No);
        }
        (m.get()->*c.handler)();
        EXPECT_EQ(boxes.boxes().size(), c.selectFirst ? 1u : 0u);
        EXPECT_EQ(game.snapshot(), before);
    }
}

TEST_F(MoverTest, TheMainDialogOpensItAndItEndsOnBack) {
    ModalDouble modal;
    modal.then<Mover>("Mover_vo", [](Mover& m) {
        EXPECT_EQ(m.parentWidget()->objectName().toStdString(), "PatchDialog_vo");
        EXPECT_EQ(campaignList(m).ITEMCOUNT(), 12u);
        m.control<ui::MYPUSHBUTTON>("PSHCANCEL")->click();
    });
    usePath(game.gamePath());
    PatchDialog owner;
    owner.PSHCAMP();
    EXPECT_EQ(modal.shown(), std::vector<std::string>{"Mover_vo"});
    EXPECT_EQ(platform::GETENVIRONMENT("TOOL", "CAMPAIGN", ini()), "");
    EXPECT_TRUE(boxes.boxes().empty());
}

}  // namespace
}  // namespace hartool::test
