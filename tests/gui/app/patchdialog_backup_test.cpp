// The backup and crew-data buttons of the main dialog, end to end on a generated game folder.

#include <gtest/gtest.h>

#include <QApplication>

#include <chrono>
#include <cstdlib>
#include <filesystem>
#include <functional>
#include <map>

#include "core/platform/filesystem.h"
#include "core/platform/profile.h"
#include "gui/app/patchdialog.h"
#include "gui/ui/controls.h"
#include "maindialogfixture.h"
#include "support/failingfilesystem.h"
#include "support/gamefolder.h"
#include "support/guimessageboxdouble.h"
#include "support/tempdir.h"

namespace fs = std::filesystem;

namespace hartool::test {
namespace {

using Handler = void (PatchDialog::*)();

const char* const kSaveCaption = "save campaigns";
const char* const kSaved = "The original campaigns have been saved";
const char* const kRestoreCaption = "restore campaigns";
const char* const kRestored = "The original campaigns have been restored";
const char* const kSaveCrewCaption = "save crew data";
const char* const kSaveCrewQuestion = "Save all crew data of the campaign you're actually playing ?";
const char* const kCrewSaved = "all crew data of the campaign you're actually playing have been saved";
const char* const kRestoreCrewCaption = "restore crew data";
const char* const kRestoreCrewQuestion = "Restore all crew data of the campaign you're actually playing ?";
const char* const kCrewRestored = "all crew data of the campaign you're actually playing have been restored";

class BackupDialogTest : public MainDialogFixture {
  protected:
    BackupDialogTest() { usePath(game.gamePath()); }

    void press(PatchDialog& dialog, Handler handler) {
        boxes.answer(ui::Reply::Yes);
        (dialog.*handler)();
    }

    std::vector<std::string> campFiles(const std::string& folder) const {
        std::vector<std::string> names;
        for (const std::string& n : game.files(folder))
            if (platform::matchesMask(n, "CAMP*")) names.push_back(n);
        return names;
    }
};

TEST_F(BackupDialogTest, SavingMakesACompleteReadOnlyBackupOnce) {
    PatchDialog dialog;
    ASSERT_TRUE(enabled(dialog, "PSHSAVE"));
    boxes.answer(ui::Reply::Yes);
    dialog.control<ui::MYPUSHBUTTON>("PSHSAVE")->click();

    EXPECT_EQ(boxes.boxes(), (std::vector{question(kSaveCaption, "Save the original campaigns?"),
                                          info(kSaveCaption, kSaved)}));
    EXPECT_EQ(QApplication::overrideCursor(), nullptr);
    for (const Campaign& c : kCampaigns) {
        SCOPED_TRACE(c.folder);
        const std::string from = std::string("Data/Battles/") + c.folder,
                          to = std::string("Data/Backup/") + c.folder;
        ASSERT_FALSE(campFiles(from).empty());
        EXPECT_EQ(game.files(to), campFiles(from));
        for (const std::string& n : game.files(to)) {
            EXPECT_EQ(game.read(to + "/" + n), game.read(from + "/" + n)) << n;
            EXPECT_TRUE(game.isReadOnly(to + "/" + n)) << n;
        }
    }
    EXPECT_EQ(game.files("Data/Backup/Player"), (std::vector<std::string>{"S01.TXT", "S02.TXT", "S10.TXT"}));
    for (const std::string& n : game.files("Data/Backup/Player"))
        EXPECT_TRUE(game.isReadOnly("Data/Backup/Player/" + n));
    EXPECT_TRUE(fs::is_directory(game.nativePath("Data/Backup/Briefings")));
    EXPECT_EQ(functions(dialog), states(false, true, true, true));

    // Saved once: a later change in the game never reaches the backup.
    boxes.clear();
    game.write("Data/Battles/1stUKArmDiv/CAMP0", "edited");
    press(dialog, &PatchDialog::PSHSAVE);
    EXPECT_EQ(boxes.boxes(), std::vector{question(kSaveCaption, "Save the original campaigns?")});
    EXPECT_NE(game.read("Data/Backup/1stUKArmDiv/CAMP0"), "edited");
}

// An interrupted save leaves every campaign's CAMP0 saved but not the rest: it stays incomplete, and saving
// again copies only what is missing, never a game file changed since over a saved original.
TEST_F(BackupDialogTest, AnIncompleteBackupIsFinishedWithoutReplacingSavedOriginals) {
    const std::string finished = std::string(kSaved) +
                                 "\n\nwarning: the backup was not complete: only the files it "
                                 "lacked were saved, and the ";
    struct Case {
        const char* name;
        std::function<void(PatchDialog&)> interrupt;
        std::string missing;  // a saved file the interruption left out
    };
    const Case cases[] = {
        {"a campaign's CAMP0 removed",
         [&](PatchDialog& d) {
             press(d, &PatchDialog::PSHSAVE);
             game.remove("Data/Backup/20thGuards/CAMP0");
         },
         "Data/Backup/20thGuards/CAMP0"},
        {"a save that did not finish",
         [&](PatchDialog& d) {
             FailingFileSystem failing;
             failing.failOn(FailingFileSystem::Op::Copy, "5thPanzer\\CAMP2", "cancelled");
             press(d, &PatchDialog::PSHSAVE);
         },
         "Data/Backup/5thPanzer/CAMP2"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        fs::remove_all(game.nativeFolder() + "Data/Backup");
        const std::string original = game.read("Data/Battles/1stUKArmDiv/CAMP1");
        PatchDialog dialog;
        c.interrupt(dialog);
        ASSERT_FALSE(game.exists(c.missing));
        dialog.SETBUTTONS();
        EXPECT_EQ(functions(dialog), states(true, false, false, false));

        game.write("Data/Battles/1stUKArmDiv/CAMP1", "edited");
        boxes.clear();
        press(dialog, &PatchDialog::PSHSAVE);
        EXPECT_TRUE(boxes.boxes().back().text.starts_with(finished)) << boxes.boxes().back();
        EXPECT_EQ(game.read("Data/Backup/1stUKArmDiv/CAMP1"), original);
        EXPECT_TRUE(game.exists(c.missing));
        EXPECT_TRUE(game.isReadOnly(c.missing));
        EXPECT_EQ(functions(dialog), states(false, true, true, true));
        game.write("Data/Battles/1stUKArmDiv/CAMP1", original);
    }
}

TEST_F(BackupDialogTest, RestoreQuestionsDefaultToNo) {
    PatchDialog dialog;
    press(dialog, &PatchDialog::PSHSAVE);
    struct Case {
        Handler handler;
        ui::Reply byDefault;
    };
    for (const Case& c :
         {Case{&PatchDialog::PSHSAVE, ui::Reply::Yes}, Case{&PatchDialog::PSHREST, ui::Reply::No},
          Case{&PatchDialog::PSHSAVECREW, ui::Reply::Yes}, Case{&PatchDialog::PSHRESTCREW, ui::Reply::No}}) {
        boxes.clear();
        boxes.answer(ui::Reply::No);
        (dialog.*c.handler)();
        ASSERT_EQ(boxes.boxes().size(), 1u);
        EXPECT_EQ(boxes.boxes()[0].ask.byDefault, c.byDefault) << boxes.boxes()[0];
    }
}

TEST_F(BackupDialogTest, RestoringPutsTheSavedFilesBackAndLeavesNewerOnesAlone) {
    PatchDialog dialog;
    press(dialog, &PatchDialog::PSHSAVE);
    const std::string camp = "Data/Battles/5thPanzer/CAMP2", single = "Data/Battles/Player/S01.TXT";
    const std::string originalCamp = game.read(camp), originalSingle = game.read(single);
    const std::map<std::string, std::string> untouched = {
        {"Data/Battles/5thPanzer/CAMP99", "added after the save"},
        {"Data/Battles/Player/S99.TXT", "added after the save"},
        {"Data/Battles/Player/T1.TXT", "not a single mission"},
    };
    game.write(camp, "edited");
    game.write(single, "edited");
    for (const auto& [file, content] : untouched) game.write(file, content);
    const auto before = functions(dialog);
    boxes.clear();

    press(dialog, &PatchDialog::PSHREST);

    EXPECT_EQ(boxes.boxes(), (std::vector{question(kRestoreCaption, "restore the original campaigns?"),
                                          info(kRestoreCaption, kRestored)}));
    EXPECT_EQ(game.read(camp), originalCamp);
    EXPECT_EQ(game.read(single), originalSingle);
    EXPECT_TRUE(game.isReadOnly(camp));
    EXPECT_TRUE(game.isReadOnly(single));
    for (const auto& [file, content] : untouched) {
        EXPECT_EQ(game.read(file), content) << file;
        EXPECT_FALSE(game.isReadOnly(file)) << file;
    }
    EXPECT_EQ(functions(dialog), before);
}

TEST_F(BackupDialogTest, NoABadPathOrAMissingSourceChangesNothing) {
    const auto pathBox = info("there`s something wrong", "path to Harvane! not found");
    struct Case {
        const char* name;
        Handler handler;
        std::string caption, question;
        std::function<void()> arrange;  // a state in which Yes on a good path would change something
        ui::Reply reply;
        bool badPath;
    };
    const auto none = [] {};
    const auto savedAndEdited = [this] {
        usePath(game.gamePath());
        PatchDialog saver;
        press(saver, &PatchDialog::PSHSAVE);
        ASSERT_TRUE(game.exists("Data/Backup/1stUsCavDiv/CAMP1"));
        game.write("Data/Battles/1stUsCavDiv/CAMP1", "edited");
    };
    const auto otherCrewCopy = [this] { game.write("Data/Backup/campaign.bak", "other crew"); };
    const std::string saveQ = "Save the original campaigns?", restQ = "restore the original campaigns?";
    const Case cases[] = {
        {"save, No", &PatchDialog::PSHSAVE, kSaveCaption, saveQ, none, ui::Reply::No, false},
        {"save, bad path", &PatchDialog::PSHSAVE, kSaveCaption, saveQ, none, ui::Reply::Yes, true},
        {"save crew, No", &PatchDialog::PSHSAVECREW, kSaveCrewCaption, kSaveCrewQuestion, none, ui::Reply::No,
         false},
        {"save crew, bad path", &PatchDialog::PSHSAVECREW, kSaveCrewCaption, kSaveCrewQuestion, none,
         ui::Reply::Yes, true},
        {"restore, No", &PatchDialog::PSHREST, kRestoreCaption, restQ, savedAndEdited, ui::Reply::No, false},
        {"restore, bad path", &PatchDialog::PSHREST, kRestoreCaption, restQ, none, ui::Reply::Yes, true},
        {"restore crew, No", &PatchDialog::PSHRESTCREW, kRestoreCrewCaption, kRestoreCrewQuestion,
         otherCrewCopy, ui::Reply::No, false},
        {"restore crew, bad path", &PatchDialog::PSHRESTCREW, kRestoreCrewCaption, kRestoreCrewQuestion, none,
         ui::Reply::Yes, true},
        {"save crew, no live file", &PatchDialog::PSHSAVECREW, kSaveCrewCaption, kSaveCrewQuestion,
         [this] { game.remove("Data/campaign.dat"); }, ui::Reply::Yes, false},
        {"restore crew, no saved copy", &PatchDialog::PSHRESTCREW, kRestoreCrewCaption, kRestoreCrewQuestion,
         [this] { game.remove("Data/Backup/campaign.bak"); }, ui::Reply::Yes, false},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        c.arrange();
        usePath(c.badPath ? work.folder() + "NOGAME\\" : game.gamePath());
        PatchDialog dialog;
        const auto before = game.snapshot();
        boxes.clear();
        boxes.answer(c.reply);

        (dialog.*c.handler)();

        std::vector expected{question(c.caption, c.question)};
        if (c.badPath) expected.push_back(pathBox);
        EXPECT_EQ(boxes.boxes(), expected);
        EXPECT_EQ(game.snapshot(), before);
    }
}

TEST_F(BackupDialogTest, CrewDataTravelsByteForByteWithItsDate) {
    const std::string live = "Data/campaign.dat", saved = "Data/Backup/campaign.bak";
    const auto date = [this](const std::string& rel) {
        return platform::listFiles(game.path(rel)).at(0).modified;
    };
    const auto age = [this](const std::string& rel, int days) {
        fs::last_write_time(game.nativePath(rel),
                            fs::file_time_type::clock::now() - std::chrono::hours(24 * days));
    };
    const std::string crew = game.read(live);
    ASSERT_FALSE(crew.empty());
    age(live, 100);
    // Before the originals: the save makes the backup folder itself.
    PatchDialog dialog;
    dialog.ACTIVATE();
    ASSERT_TRUE(enabled(dialog, "PSHSAVECREW"));
    boxes.clear();

    press(dialog, &PatchDialog::PSHSAVECREW);
    EXPECT_EQ(boxes.boxes(), (std::vector{question(kSaveCrewCaption, kSaveCrewQuestion),
                                          info(kSaveCrewCaption, kCrewSaved)}));
    EXPECT_EQ(game.read(saved), crew);
    EXPECT_EQ(date(saved), date(live));
    EXPECT_FALSE(enabled(dialog, "PSHSAVECREW"));
    EXPECT_FALSE(enabled(dialog, "PSHRESTCREW"));

    // The campaign goes on: the live file changes and gets another date.
    game.write(live, "crew after three more missions");
    age(live, 50);
    dialog.ACTIVATE();
    ASSERT_TRUE(enabled(dialog, "PSHRESTCREW"));
    boxes.clear();

    press(dialog, &PatchDialog::PSHRESTCREW);
    EXPECT_EQ(boxes.boxes(), (std::vector{question(kRestoreCrewCaption, kRestoreCrewQuestion),
                                          info(kRestoreCrewCaption, kCrewRestored)}));
    EXPECT_EQ(game.read(live), crew);
    EXPECT_EQ(date(live), date(saved));
    EXPECT_FALSE(enabled(dialog, "PSHSAVECREW"));
    EXPECT_FALSE(enabled(dialog, "PSHRESTCREW"));
}

TEST_F(BackupDialogTest, AFailedCopyIsReportedByNameInsteadOfTheSuccessText) {
    struct Case {
        const char* name;
        Handler handler;
        std::string caption, success;
        std::function<void(FailingFileSystem&)> arrange;
        std::string reported;  // a line of the box: the file as the disk spells it
    };
    const Case cases[] = {
        {"a campaign file", &PatchDialog::PSHSAVE, kSaveCaption, kSaved,
         [](FailingFileSystem& fs) {
             fs.failOn(FailingFileSystem::Op::Copy, "5THPANZER\\CAMP3", "disk full");
         },
         "Data/Backup/5thPanzer/CAMP3: disk full"},
        {"a target folder that is a file", &PatchDialog::PSHSAVE, kSaveCaption, kSaved,
         [this](FailingFileSystem&) { game.write("Data/Backup/PLAYER", "in the way"); },
         "Data/Backup/PLAYER: a file of that name exists"},
        {"a read-only live crew file", &PatchDialog::PSHRESTCREW, kRestoreCrewCaption, kCrewRestored,
         [this](FailingFileSystem&) {
             game.write("Data/Backup/campaign.bak", "saved crew");
             ASSERT_TRUE(platform::setAttributes(game.path("DATA\\campaign.dat"), platform::READONLY));
         },
         "Data/campaign.dat: the file is read-only"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        fs::remove_all(game.nativePath("Data/Backup"));
        FailingFileSystem failing;
        c.arrange(failing);
        PatchDialog dialog;
        boxes.clear();

        press(dialog, c.handler);

        ASSERT_EQ(boxes.boxes().size(), 2u);
        const auto& box = boxes.boxes()[1];
        EXPECT_EQ(box.kind, MessageBoxDouble::Kind::Information);
        EXPECT_EQ(box.caption, c.caption);
        EXPECT_EQ(box.text.find(c.success), std::string::npos) << box.text;
        EXPECT_NE((box.text + "\n").find("\n" + c.reported + "\n"), std::string::npos) << box.text;
    }
}

}  // namespace
}  // namespace hartool::test
