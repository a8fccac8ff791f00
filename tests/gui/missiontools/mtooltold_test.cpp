// What the player is told, and the keys of the mission tools' name dialogs: scenarios through the handlers.

#include <gtest/gtest.h>

#include <QAction>
#include <QFileDialog>
#include <QMenu>
#include <QPlainTextEdit>
#include <QTest>

#include <filesystem>
#include <functional>
#include <memory>

#include "gui/briefing/briefedit.h"
#include "gui/briefing/mappreview.h"
#include "gui/missiontools/copymiss.h"
#include "gui/missiontools/missprop.h"
#include "gui/missiontools/mtool.h"
#include "gui/missiontools/newbrief.h"
#include "gui/ui/controls.h"
#include "gui/ui/textconvert.h"
#include "gui/ui/texteditor.h"
#include "support/guigameworld.h"
#include "support/guilauncherdouble.h"
#include "support/guimodaldouble.h"

namespace hartool::test {
namespace {

const std::string kPlayer = "Data/Battles/Player/";
const std::string kBriefings = "Data/Backup/Briefings/";

class MToolToldTest : public GameWorld {
  protected:
    std::unique_ptr<MTool> open() { return std::make_unique<MTool>(nullptr, game.gamePath()); }
    static void select(ui::MYLISTBOX& list, const std::vector<std::string>& names, const std::string& name) {
        const auto at = std::find(names.begin(), names.end(), name);
        ASSERT_NE(at, names.end()) << name;
        list.item(static_cast<int>(at - names.begin()))->setSelected(true);
    }
    static void closeEditor(ModalDouble& modal) {
        modal.then<ui::TextEditor>("TextEditor", [](ui::TextEditor& e) { e.reject(); });
    }
};

TEST_F(MToolToldTest, TheTextEditorAlwaysOpensAndAFailureIsTold) {
    const std::string shown = "Data/Battles/Player/S01.TXT";
    const std::string told =
        shown +
        " could not be opened: no text editor found\n"
        "tried: xdg-open: exit code 3\n"
        "install a text editor such as gedit or mousepad, or name one as EDITOR in the TOOL "
        "section of the settings\n"
        "the file opens in the tool's own text editor";
    struct Case {
        const char* name;
        std::string editorKey;
        std::function<void(LauncherDouble&)> before, after;
        std::string commandLine;  // "" when nothing is started
        std::vector<MessageBoxDouble::Box> boxes;
        bool builtin;
    };
    const std::string file = game.folders().player + "S01.TXT";
    const Case cases[] = {
        {"the desktop opens it", "", [](auto&) {}, [](auto&) {}, "NotePad " + file, {}, false},
        {"the handler fails at once",
         "",
         [](auto& l) { l.failStarts(); },
         [](auto&) {},
         "NotePad " + file,
         {info("edit mission", told)},
         true},
        {"the handler fails seconds later",
         "",
         [](auto& l) { l.handlerRuns(); },
         [](auto& l) { l.handlerFailsLate(); },
         "NotePad " + file,
         {info("edit mission", told)},
         true},
        {"EDITOR names a program", "mousepad", [](auto&) {}, [](auto&) {}, "mousepad " + file, {}, false},
        {"EDITOR chooses the tool's own", " Builtin ", [](auto&) {}, [](auto&) {}, "", {}, true},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        ASSERT_TRUE(platform::WRITEENVIRONMENT("TOOL", "EDITOR", c.editorKey, ini()));
        auto m = open();
        select(m->missionList(), m->missionFileNames(), "S01.TXT");
        LauncherDouble launcher;
        ModalDouble modal;
        boxes.clear();
        c.before(launcher);
        if (c.builtin) closeEditor(modal);
        m->PSHMISSEDIT();
        c.after(launcher);
        EXPECT_EQ(launcher.commandLines(),
                  c.commandLine.empty() ? std::vector<std::string>{} : std::vector{c.commandLine});
        EXPECT_EQ(boxes.boxes(), c.boxes);
        EXPECT_EQ(modal.shown(),
                  c.builtin ? std::vector<std::string>{"TextEditor"} : std::vector<std::string>{});
    }
}

TEST_F(MToolToldTest, AFileGoneBehindTheToolsBackIsNamedBeforeAnythingOpens) {
    game.write(kBriefings + "Gone", "[Briefing 0]\r\n");
    struct Case {
        const char* name;
        void (MTool::*handler)();
        std::string file, caption;
    };
    const Case cases[] = {
        {"edit mission", &MTool::PSHMISSEDIT, kPlayer + "S10.TXT", "edit mission"},
        {"mission properties", &MTool::PSHPROP, kPlayer + "S10.TXT", "edit mission"},
        {"copy mission", &MTool::PSHMISSCOPY, kPlayer + "S10.TXT", "copy mission"},
        {"edit briefing", &MTool::PSHEDIT, kBriefings + "Gone", "edit briefing"},
        {"texteditor", &MTool::PSHTEXTEDIT, kBriefings + "Gone", "edit briefing"},
        {"map preview", &MTool::MAPPREVIEW, kBriefings + "Gone", "map preview"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        game.write(c.file, "TITLE: X\r\n");
        auto m = open();
        const bool mission = c.file.starts_with(kPlayer);
        const std::string name = c.file.substr(c.file.find_last_of('/') + 1);
        if (mission)
            select(m->missionList(), m->missionFileNames(), name);
        else
            select(m->briefingList(), m->briefingNames(), name);
        game.remove(c.file);
        LauncherDouble launcher;
        ModalDouble modal;
        boxes.clear();
        (m.get()->*c.handler)();
        EXPECT_EQ(boxes.boxes(), std::vector{info(c.caption, c.file + " no longer exists")});
        EXPECT_TRUE(launcher.commandLines().empty());
        EXPECT_TRUE(modal.shown().empty());
        const auto& listed = mission ? m->missionFileNames() : m->briefingNames();
        EXPECT_EQ(std::find(listed.begin(), listed.end(), name), listed.end()) << "the list is read again";
    }
}

TEST_F(MToolToldTest, ANewBriefingMakesItsFolderAndOpensOnBlue) {
    std::filesystem::remove_all(game.nativePath(kBriefings));
    auto m = open();
    ModalDouble modal;
    modal.then<NewBrief>("NewBrief_vo", [](NewBrief& n) {
        n.FNAME()->setText("Both");
        n.control<QAbstractButton>("RBSINGLE1")->click();
        n.control<ui::MYPUSHBUTTON>("PSHOK")->click();
    });
    modal.then<BriefEdit>("BriefEdit_vo", [](BriefEdit& e) {
        EXPECT_TRUE(e.control<QAbstractButton>("RBBLUE")->isChecked());
        EXPECT_TRUE(e.BLUEMODE());
        e.control<QLineEdit>("SLEBRIEF1")->setText("Orders");
        e.control<ui::MYPUSHBUTTON>("PSHSAVE")->click();
    });
    m->PSHNEW();
    EXPECT_TRUE(boxes.boxes().empty()) << boxes.boxes().front();
    EXPECT_NE(game.read(kBriefings + "Both").find("[Blue_Briefing 0]\r\nHeading =  9, Orders"),
              std::string::npos);

    // Its copy shows the source's mode in the greyed group.
    select(m->briefingList(), m->briefingNames(), "Both");
    modal.then<NewBrief>("NewBrief_vo", [](NewBrief& n) {
        EXPECT_FALSE(n.MODE()->isEnabled());
        EXPECT_EQ(n.MODE()->VALUE(), QVariant(true));
        n.control<ui::MYPUSHBUTTON>("PSHCANCEL")->click();
    });
    m->PSHCOPY();
}

TEST_F(MToolToldTest, EnterInANameDialogPressesOkOnlyWhenOkIsEnabled) {
    struct Case {
        const char* name;
        std::function<std::unique_ptr<ui::Dialog>()> make;
        const char* field;
        std::string bad, good;
    };
    const std::string player = game.folders().player;
    const Case cases[] = {
        {"copy mission", [&] { return std::make_unique<CopyMiss>(nullptr, player); }, "SLEFNAME", "aux.txt",
         "S99.TXT"},
        {"new briefing", [&] { return std::make_unique<NewBrief>(nullptr, game.folders().briefings); },
         "FNAME", "Fine.", "Fine"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        for (const std::string& typed : {c.bad, c.good}) {
            const std::unique_ptr<ui::Dialog> d = c.make();
            d->show();
            auto* field = d->control<QLineEdit>(c.field);
            field->setText(ui::toQt(typed));
            const bool good = typed == c.good;
            // The reason stands in the dialog while Ok is off.
            EXPECT_EQ(d->control<QLabel>("FTXTPROBLEM")->text().isEmpty(), good) << typed;
            QTest::keyClick(field, Qt::Key_Return);
            EXPECT_EQ(d->isVisible(), !good) << typed;
            EXPECT_EQ(d->result(), good ? 1 : 0) << typed;
        }
    }
    // Mission Properties saves on Enter.
    MissProp properties(nullptr, game.path(kPlayer + "S01.TXT"));
    properties.show();
    QTest::keyClick(properties.control<QWidget>("CBNAT"), Qt::Key_Return);
    EXPECT_FALSE(properties.isVisible());
    EXPECT_EQ(properties.result(), 1);
}

TEST_F(MToolToldTest, ATrailingDotIsSaidAsAnyOtherReplacedCharacter) {
    game.write(kPlayer + "E.TXT", "TITLE: evil.\r\n[Briefing 1]\r\nX");
    auto m = open();
    select(m->missionList(), m->missionFileNames(), "E.TXT");
    boxes.answer(ui::Reply::Yes);
    m->PSHEXTRACT();
    ASSERT_EQ(boxes.boxes().size(), 2u);
    EXPECT_NE(boxes.boxes()[0].text.find("saved as \"evil\""), std::string::npos) << boxes.boxes()[0];
    EXPECT_EQ(boxes.boxes()[1], info("extract briefing", "briefing evil. extracted as evil"));
}

TEST_F(MToolToldTest, ListKeysMenuKeyAndThePicturesProposedName) {
    game.write(kBriefings + "Night Raid", "[Briefing 0]\r\nHeading = 9, Go\r\n");
    auto m = open();
    // The first Down in a list without selection selects the first line.
    QTest::keyClick(&m->missionList(), Qt::Key_Down);
    EXPECT_EQ(m->missionList().CURRENTITEMNO(), 1u);
    QTest::keyClick(&m->missionList(), Qt::Key_Down);
    EXPECT_EQ(m->missionList().CURRENTITEMNO(), 2u);

    // The menu key opens the menu with its first entry active: one Return takes it.
    select(m->briefingList(), m->briefingNames(), "Night Raid");
    emit m->briefingList().customContextMenuRequested(QPoint(-100, -100));
    auto* menu = m->findChild<QMenu*>("BRIEFINGMENU");
    ASSERT_NE(menu, nullptr);
    ASSERT_NE(menu->activeAction(), nullptr);
    EXPECT_EQ(menu->activeAction()->objectName().toStdString(), "MAPPREVIEW");
    menu->hide();

    ModalDouble modal;
    modal.then<MapPreview>("MapPreview_vo", [](MapPreview& p) {
        ModalDouble inner;
        inner.then<QFileDialog>("SaveMapPng", [](QFileDialog& ask) {
            ASSERT_FALSE(ask.selectedFiles().isEmpty());
            EXPECT_TRUE(ask.selectedFiles().constFirst().endsWith("/Night Raid page 1.png"))
                << ask.selectedFiles().constFirst().toStdString();
            ask.reject();
        });
        p.PSHSAVEPNG();
        p.control<ui::MYPUSHBUTTON>("PSHCANCEL")->click();
    });
    m->MAPPREVIEW();
}

}  // namespace
}  // namespace hartool::test
