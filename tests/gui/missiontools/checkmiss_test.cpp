// Check Missions from the mission list's menu: the findings window, its order, and a double click that
// selects the mission and, for a graphics finding, shows the entry on its map.

#include <gtest/gtest.h>

#include <QAction>

#include <memory>

#include "gui/briefing/mappreview.h"
#include "gui/missiontools/checkmiss.h"
#include "gui/missiontools/mtool.h"
#include "support/guigameworld.h"
#include "support/guimodaldouble.h"

namespace hartool::test {
namespace {

const std::string kPlayer = "Data/Battles/Player/";

std::string replaced(std::string s, const std::string& from, const std::string& to) {
    s.replace(s.find(from), from.size(), to);
    return s;
}

class CheckMissTest : public GameWorld {
  protected:
    CheckMissTest() {
        // A mission played for side 3 whose last page holds a sprite off the map.
        std::string faulty = replaced(game.read(kPlayer + "S01.TXT"), "SIDE: 0", "SIDE: 3");
        faulty = replaced(faulty, "TITLE: Night Raid", "TITLE: Faulty Raid");
        game.write(kPlayer + "S30.TXT", faulty + "Sprite 7 = images\\uahb.pcx, 400, 40\r\n");
    }
    // The finding of the rule, in the window as it stands.
    static QTreeWidgetItem* item(CheckMiss& w, const QString& rule) {
        const QTreeWidget& view = w.findingsView();
        for (int g = 0; g < view.topLevelItemCount(); ++g)
            for (int i = 0; i < view.topLevelItem(g)->childCount(); ++i)
                if (view.topLevelItem(g)->child(i)->text(2) == rule) return view.topLevelItem(g)->child(i);
        return nullptr;
    }
    static void doubleClick(CheckMiss& w, QTreeWidgetItem* item) {
        ASSERT_NE(item, nullptr);
        emit w.findingsView().itemDoubleClicked(item, 0);
    }
    std::unique_ptr<MTool> open() { return std::make_unique<MTool>(nullptr, game.gamePath()); }
};

TEST_F(CheckMissTest, TheMenuShowsTheFindingsByMissionWorstFirstAndADoubleClickSelectsTheMission) {
    auto m = open();
    auto* check = m->findChild<QAction*>("CHECKMISSIONS");
    ASSERT_NE(check, nullptr);
    ModalDouble modal;
    modal.then<CheckMiss>("CheckMiss_vo", [](CheckMiss& w) {
        const QTreeWidget& view = w.findingsView();
        // One group per file; the faulty mission's error puts it first.
        QTreeWidgetItem* first = view.topLevelItem(0);
        EXPECT_EQ(first->text(0), "S30.TXT");
        EXPECT_EQ(first->child(0)->text(0), "error");
        EXPECT_EQ(first->child(0)->text(2), "side-unknown");
        for (int g = 0; g < view.topLevelItemCount(); ++g)
            for (int i = 1; i < view.topLevelItem(g)->childCount(); ++i)
                EXPECT_LE(view.topLevelItem(g)->child(i - 1)->data(0, Qt::UserRole + 2).toInt(),
                          view.topLevelItem(g)->child(i)->data(0, Qt::UserRole + 2).toInt());
        // By line, then back by severity: the order of the groups holds.
        w.findingsView().sortByColumn(1, Qt::AscendingOrder);
        w.findingsView().sortByColumn(0, Qt::AscendingOrder);
        EXPECT_EQ(view.topLevelItem(0)->text(0), "S30.TXT");
        EXPECT_NE(w.control<QLabel>("FTXTSUMMARY")->text().indexOf("1 error,"), -1);
        doubleClick(w, item(w, "side-unknown"));
    });
    check->trigger();
    EXPECT_EQ(m->selectedMissionFile(), m->folders().player + "S30.TXT");
    EXPECT_EQ(modal.shown(), std::vector<std::string>{"CheckMiss_vo"});
}

TEST_F(CheckMissTest, AGraphicsFindingOpensItsPageWithTheEntryFramed) {
    auto m = open();
    ModalDouble modal;
    modal.then<CheckMiss>("CheckMiss_vo", [](CheckMiss& w) { doubleClick(w, item(w, "graphics-off-map")); });
    modal.then<MapPreview>("MapPreview_vo", [](MapPreview& p) {
        EXPECT_NE(p.windowTitle().indexOf("S30.TXT"), -1);
        EXPECT_EQ(p.pageShown(), 2u);  // the mission's third page, where the sprite stands
        // The frame's colour appears where the entry is drawn, at the map's edge.
        const QImage& image = p.rendered().image;
        int framed = 0;
        for (int y = 0; y < image.height(); ++y)
            for (int x = image.width() - 40; x < image.width(); ++x)
                framed += image.pixel(x, y) == qRgb(0, 255, 255);
        EXPECT_GT(framed, 0);
        EXPECT_EQ(p.rendered().offMap, 1u);
        p.control<QAbstractButton>("PSHCANCEL")->click();
    });
    m->CHECKMISSIONS();
    EXPECT_EQ(m->selectedMissionFile(), m->folders().player + "S30.TXT");
    // The preview only read the mission.
    EXPECT_NE(game.read(kPlayer + "S30.TXT").find("Sprite 7 = images\\uahb.pcx, 400, 40"), std::string::npos);
}

TEST_F(CheckMissTest, CloseSelectsNothing) {
    auto m = open();
    ModalDouble modal;
    modal.then<CheckMiss>("CheckMiss_vo",
                          [](CheckMiss& w) { w.control<QAbstractButton>("PSHCANCEL")->click(); });
    m->CHECKMISSIONS();
    EXPECT_EQ(m->selectedMissionFile(), "");
}

}  // namespace
}  // namespace hartool::test
