// The main dialog over a generated game folder: start-up, the path, the enable rules and the doors it opens.

#include <gtest/gtest.h>

#include <QTest>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <functional>
#include <map>

#include "core/platform/filesystem.h"
#include "core/platform/profile.h"
#include "gui/app/credits.h"
#include "gui/app/patchdialog.h"
#include "gui/missiontools/mtool.h"
#include "gui/ui/controls.h"
#include "gui/ui/textconvert.h"
#include "gui/ui/textviewer.h"
#include "maindialogfixture.h"
#include "support/gamefolder.h"
#include "support/guilauncherdouble.h"
#include "support/guimessageboxdouble.h"
#include "support/guimodaldouble.h"
#include "support/mtoolselection.h"
#include "support/tempdir.h"

#include <QApplication>
#include <QCompleter>
#include <QFileSystemModel>
#include <QKeyEvent>
#include <QPlainTextEdit>

namespace fs = std::filesystem;

namespace hartool::test {
namespace {

class MainDialogTest : public MainDialogFixture {
  protected:
    void saveBackup() const {
        for (const Campaign& c : kCampaigns)
            game.write(std::string("Data/Backup/") + c.folder + "/CAMP0", "saved");
        game.write("Data/Backup/originals.ok", "");
    }
};

TEST_F(MainDialogTest, EnableRulesFollowThePathAndTheBackup) {
    struct Case {
        const char* name;
        bool validPath;
        bool backup;
        std::map<std::string, bool> expected;  // after SETBUTTONS alone
    };
    const Case cases[] = {
        {"path invalid", false, true, states(false, false, false, false)},
        {"valid, backup incomplete", true, false, states(true, false, false, false)},
        {"valid, backup complete", true, true, states(false, true, true, true)},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        if (c.backup) saveBackup();
        usePath(c.validPath ? game.gamePath() : work.folder() + "NOGAME\\");
        PatchDialog dialog;
        dialog.SETBUTTONS();
        EXPECT_EQ(functions(dialog), c.expected);
        fs::remove_all(game.nativeFolder() + "Data/Backup");
    }
}

TEST_F(MainDialogTest, ABackupLackingOneCampZeroIsIncomplete) {
    saveBackup();
    game.remove("Data/Backup/20thGuards/CAMP0");
    usePath(game.gamePath());
    PatchDialog dialog;
    EXPECT_TRUE(dialog.COPYOK());
    dialog.SETBUTTONS();
    EXPECT_EQ(functions(dialog), states(true, false, false, false));
}

TEST_F(MainDialogTest, CrewButtonsFollowTheTwoCrewFiles) {
    saveBackup();
    usePath(game.gamePath());
    const std::string live = game.path("DATA\\campaign.dat"), saved = game.path("Data\\Backup\\campaign.bak");
    struct Case {
        const char* name;
        std::function<void()> arrange;
        bool enabled;
    };
    const Case cases[] = {
        {"no saved copy", [] {}, true},
        {"copy with the same date", [&] { ASSERT_TRUE(platform::copyFile(live, saved)); }, false},
        {"copy with another date",
         [&] {
             fs::last_write_time(
                 game.nativePath("Data/Backup/campaign.bak"),
                 fs::last_write_time(game.nativePath("Data/campaign.dat")) - std::chrono::hours(30));
         },
         true},
        {"no live file", [&] { game.remove("Data/campaign.dat"); }, true},
    };
    PatchDialog dialog;
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        c.arrange();
        dialog.ACTIVATE();
        EXPECT_EQ(dialog.control<ui::MYPUSHBUTTON>("PSHSAVECREW")->isEnabled(), c.enabled);
        EXPECT_EQ(dialog.control<ui::MYPUSHBUTTON>("PSHRESTCREW")->isEnabled(), c.enabled);
    }
}

TEST_F(MainDialogTest, FirstStartShowsTheDefaultPathAndRemembersItWhenTheGameIsThere) {
    {
        PatchDialog noGame;
        EXPECT_EQ(noGame.control<ui::MYSINGLELINEEDIT>("SLEPATH")->text().toStdString(),
                  "C:\\Program Files\\Vantrope\\Harvane!");
        EXPECT_FALSE(fs::exists(ini()));
    }
    // A game installed in the Wine prefix at the default place.
    fs::create_directories(work.path() / "wine/drive_c/Program Files/Vantrope/Harvane!");
    std::ofstream(work.path() / "wine/drive_c/Program Files/Vantrope/Harvane!/HARVANE.EXE");
    PatchDialog dialog;
    EXPECT_TRUE(dialog.FILEOK(true));
    // Remembered as the disk spells the folder.
    EXPECT_EQ(platform::GETENVIRONMENT("TOOL", "PATH", ini()),
              work.folder() + "wine/drive_c/Program Files/Vantrope/Harvane!/");
    EXPECT_EQ(dialog.folders().battles, "C:\\PROGRAM FILES\\VANTROPE\\HARVANE!\\Data\\Battles\\");
}

TEST_F(MainDialogTest, TypedPathsAreNormalisedAndFoundInAnyCase) {
    PatchDialog dialog;
    auto* edit = dialog.control<ui::MYSINGLELINEEDIT>("SLEPATH");
    std::string native = game.nativeFolder();
    native.pop_back();  // without the trailing separator
    const std::string typed[] = {native, "  " + native + "  ", ui::fromQt(ui::toQt(native).toLower()),
                                 native + "\\"};
    for (const std::string& t : typed) {
        SCOPED_TRACE(t);
        edit->clear();
        fs::remove(ini());
        QTest::keyClicks(edit, ui::toQt(t));
        EXPECT_EQ(dialog.gamePath(), game.gamePath());
        EXPECT_TRUE(dialog.control<ui::MYPUSHBUTTON>("PSHSAVE")->isEnabled());
        EXPECT_EQ(platform::GETENVIRONMENT("TOOL", "PATH", ini()), game.nativeFolder());
    }
    EXPECT_TRUE(boxes.boxes().empty());
}

TEST_F(MainDialogTest, FirstStartPutsAGameFoundInAWinePrefixIntoTheField) {
    const fs::path folder = work.path() / "home/Games/harvane/drive_c/Program Files/Vantrope/Harvane!";
    fs::create_directories(folder);
    std::ofstream(folder / "harvane.exe");
    PatchDialog dialog;
    const std::string expected = folder.string() + "/";
    EXPECT_EQ(ui::fromQt(dialog.control<ui::MYSINGLELINEEDIT>("SLEPATH")->text()), expected);
    EXPECT_TRUE(dialog.FILEOK(true));
    EXPECT_EQ(platform::GETENVIRONMENT("TOOL", "PATH", ini()), expected);
    EXPECT_TRUE(boxes.boxes().empty());
}

TEST_F(MainDialogTest, AStoredPathIsShownAsTheDiskSpellsIt) {
    const std::string earlierVersion = game.gamePath();  // upper case, ending in "\"
    usePath(earlierVersion);
    PatchDialog dialog;
    EXPECT_EQ(ui::fromQt(dialog.control<ui::MYSINGLELINEEDIT>("SLEPATH")->text()), game.nativeFolder());
    EXPECT_EQ(dialog.gamePath(), earlierVersion);
    EXPECT_TRUE(dialog.FILEOK(true));
}

TEST_F(MainDialogTest, ALeadingTildeIsTheHomeFolder) {
    environment.set("HOME", game.root().string());
    const std::string below = game.nativeFolder().substr(game.root().string().size());
    PatchDialog dialog;
    dialog.control<ui::MYSINGLELINEEDIT>("SLEPATH")->setText(ui::toQt("~" + below));
    EXPECT_EQ(dialog.gamePath(), game.gamePath());
    EXPECT_TRUE(dialog.FILEOK(true));
    EXPECT_EQ(platform::GETENVIRONMENT("TOOL", "PATH", ini()), game.nativeFolder());
}

TEST_F(MainDialogTest, AWrongPathIsMarkedWithItsReason) {
    struct Case {
        const char* name;
        std::string typed;
        std::string toolTip;
        bool marked;
    };
    const Case cases[] = {
        {"no such folder", work.folder() + "NOGAME", "no such folder", true},
        {"a folder without the game", work.folder(), "no HARVANE.EXE in this folder", true},
        {"the game", game.nativeFolder(), "Path to Harvane.exe", false},
        {"wrong again", game.nativeFolder() + "Data", "no HARVANE.EXE in this folder", true},
        {"empty", "", "type the folder that holds HARVANE.EXE", true},
        {"a file", game.nativeFolder() + "Data/campaign.dat",
         "this is a file: type the folder that holds HARVANE.EXE", true},
        // The executable's own path names its folder.
        {"the executable", game.nativeFolder() + "harvane.exe", "Path to Harvane.exe", false},
    };
    PatchDialog dialog;
    auto* edit = dialog.control<ui::MYSINGLELINEEDIT>("SLEPATH");
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        edit->setText(ui::toQt(c.typed));
        EXPECT_EQ(ui::fromQt(edit->toolTip()), c.toolTip);
        EXPECT_EQ(edit->property("wrongPath").toBool(), c.marked);
        // The warning sign in the field carries the same reason.
        EXPECT_EQ(edit->actions().size(), c.marked ? 1 : 0);
        if (c.marked) {
            EXPECT_EQ(ui::fromQt(edit->actions().front()->toolTip()), c.toolTip);
        }
    }
    EXPECT_EQ(dialog.gamePath(), game.gamePath());
    // Enter takes the path and nothing more: Quit, the default button, stays unpressed.
    dialog.show();
    QTest::keyClick(edit, Qt::Key_Return);
    EXPECT_TRUE(dialog.isVisible());
    EXPECT_EQ(dialog.result(), 0);
    EXPECT_TRUE(boxes.boxes().empty());
}

TEST_F(MainDialogTest, ThePathFieldCompletesFolderNames) {
    PatchDialog dialog;
    QCompleter* completer = dialog.control<ui::MYSINGLELINEEDIT>("SLEPATH")->completer();
    ASSERT_NE(completer, nullptr);
    auto* model = qobject_cast<QFileSystemModel*>(completer->model());
    ASSERT_NE(model, nullptr);
    EXPECT_TRUE(model->filter() & QDir::AllDirs);
    EXPECT_FALSE(model->filter() & QDir::Files);
}

TEST_F(MainDialogTest, AnEmptyPathMeansTheWorkingFolder) {
    usePath(game.gamePath());
    PatchDialog dialog;
    fs::current_path(game.nativeFolder());
    dialog.control<ui::MYSINGLELINEEDIT>("SLEPATH")->clear();
    EXPECT_EQ(dialog.gamePath(), "");
    EXPECT_EQ(dialog.folders().backup, "Data\\Backup\\");
    EXPECT_TRUE(dialog.FILEOK(true));
    fs::current_path(work.path());
}

TEST_F(MainDialogTest, CampaignToolsReportABadPath) {
    usePath(work.folder() + "NOGAME\\");
    PatchDialog dialog;
    dialog.PSHCAMP();
    dialog.PSHMISSTOOLS();
    const auto box = info("there`s something wrong", "path to Harvane! not found");
    EXPECT_EQ(boxes.boxes(), (std::vector<MessageBoxDouble::Box>{box, box}));
    EXPECT_EQ(platform::GETENVIRONMENT("TOOL", "PATH", ini()), work.folder() + "NOGAME\\");
}

TEST_F(MainDialogTest, HelpStartsTheEditorAndCreditsOpensModally) {
    LauncherDouble launcher;
    ModalDouble modal;
    PatchDialog dialog;
    dialog.control<ui::MYPUSHBUTTON>("PSHREADME")->click();
    EXPECT_EQ(boxes.boxes(), std::vector{info("Help", "The help file ReadmeENG.TXT was not found.")});
    EXPECT_TRUE(launcher.commandLines().empty());
    boxes.clear();
    work.write("ReadmeENG.TXT", "help");
    dialog.control<ui::MYPUSHBUTTON>("PSHREADME")->click();
    EXPECT_EQ(launcher.commandLines(), std::vector<std::string>{"NotePad ReadmeENG.TXT"});
    // Enter presses the focused button, not the default one (Quit).
    dialog.show();
    dialog.control<ui::MYPUSHBUTTON>("PSHREADME")->setFocus();
    QTest::keyClick(dialog.control<ui::MYPUSHBUTTON>("PSHREADME"), Qt::Key_Return);
    EXPECT_EQ(launcher.commandLines().size(), 2u);
    EXPECT_TRUE(dialog.isVisible());

    modal.then<Credits>("Credits_vo", [](Credits& credits) {
        EXPECT_EQ(credits.windowTitle().toStdString(), "Credits");
        credits.control<ui::MYPUSHBUTTON>("PSHOK")->click();
        EXPECT_EQ(credits.result(), 1);
    });
    dialog.control<ui::MYPUSHBUTTON>("PSHCREDITS")->click();
    EXPECT_EQ(modal.shown(), std::vector<std::string>{"Credits_vo"});
}

TEST_F(MainDialogTest, HelpShowsTheReadMeItselfWhenNoEditorOpens) {
    work.write("ReadmeENG.TXT", "Caf\xE9 help\r\nsecond line");
    for (const bool editorOpens : {true, false}) {
        SCOPED_TRACE(editorOpens ? "editor opens" : "no editor");
        LauncherDouble launcher;
        if (!editorOpens) launcher.failStarts();
        ModalDouble modal;
        std::string shownText;
        if (!editorOpens) {
            modal.then<ui::TextViewer>("TextViewer", [&](ui::TextViewer& viewer) {
                EXPECT_TRUE(viewer.view()->isReadOnly());
                shownText = viewer.view()->toPlainText().toStdString();
                QTest::keyClick(&viewer, Qt::Key_Escape);
            });
        }
        PatchDialog dialog;
        dialog.PSHREADME();
        EXPECT_EQ(modal.shown().size(), editorOpens ? 0u : 1u);
        EXPECT_EQ(shownText, editorOpens ? "" : "Caf\u00e9 help\nsecond line");
        EXPECT_TRUE(boxes.boxes().empty());
    }
}

// A game below a folder the code page cannot spell, as a player in Russia has it: typed into the field it is
// the game, the tools list and extract its missions, the settings keep the path in UTF-8 and a restart shows
// it unchanged. A settings file of an earlier version, with its path in 1252, still opens its game.
TEST_F(MainDialogTest, AGameBelowAFolderTheCodePageCannotSpellIsUsedAndRemembered) {
    const std::string russian = work.folder() + "home/ivan/\xD0\x98\xD0\xB3\xD1\x80\xD1\x8B/Harvane!";
    const std::string german = work.folder() +
                               "Spiele/\xC3\x9C"
                               "berfall";  // "Spiele/Überfall"
    for (const std::string& folder : {russian, german}) {
        fs::create_directories(fs::path(folder).parent_path());
        fs::copy(game.nativeFolder(), folder, fs::copy_options::recursive);
    }
    {
        PatchDialog dialog;
        auto* edit = dialog.control<ui::MYSINGLELINEEDIT>("SLEPATH");
        edit->clear();
        // Typed key by key, as a Russian keyboard gives the letters (keyClicks knows ASCII only).
        for (const QChar c : QString::fromUtf8(russian.c_str())) {
            QKeyEvent press(QEvent::KeyPress, Qt::Key_unknown, Qt::NoModifier, QString(c));
            QApplication::sendEvent(edit, &press);
        }
        EXPECT_EQ(edit->text(), QString::fromUtf8(russian.c_str()));
        EXPECT_FALSE(edit->property("wrongPath").toBool()) << ui::fromQt(edit->toolTip());
        EXPECT_EQ(ui::fromQt(edit->toolTip()), "Path to Harvane.exe");
        EXPECT_EQ(platform::GETENVIRONMENT("TOOL", "PATH", ini()), russian + "/");

        ModalDouble modal;
        modal.then<MTool>("MTool_vo", [&](MTool& m) {
            EXPECT_EQ(m.missionFileNames().size(), 5u);
            selectMission(m, "S01.TXT");
            boxes.answer(ui::Reply::Yes);
            m.PSHEXTRACT();
            EXPECT_EQ(m.briefingNames(), std::vector<std::string>{"Night Raid"});
            m.control<ui::MYPUSHBUTTON>("PSHCANCEL")->click();
        });
        dialog.PSHMISSTOOLS();
        EXPECT_EQ(boxes.boxes().back(), info("extract briefing", "briefing Night Raid extracted"));
        EXPECT_TRUE(fs::exists(russian + "/Data/Backup/Briefings/Night Raid"));
    }
    struct Restart {
        const char* name;
        std::string stored;  // the settings' PATH as the file holds it
        std::string shown;   // UTF-8
    };
    const Restart restarts[] = {
        {"as this version wrote it", russian + "/", russian + "/"},
        {"in 1252, by an earlier version",
         work.folder() + "Spiele/\xDC"
                         "berfall/",
         german + "/"},
    };
    for (const Restart& r : restarts) {
        SCOPED_TRACE(r.name);
        usePath(r.stored);
        PatchDialog dialog;
        EXPECT_EQ(dialog.control<ui::MYSINGLELINEEDIT>("SLEPATH")->text(),
                  QString::fromUtf8(r.shown.c_str()));
        EXPECT_TRUE(dialog.FILEOK(true));
        EXPECT_TRUE(dialog.control<ui::MYPUSHBUTTON>("PSHSAVE")->isEnabled());
        EXPECT_EQ(platform::GETENVIRONMENT("TOOL", "PATH", ini()), r.shown);
    }
}

}  // namespace
}  // namespace hartool::test
