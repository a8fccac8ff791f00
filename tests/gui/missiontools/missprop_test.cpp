// The mission properties, opened from the mission tools on a generated game folder.

#include <gtest/gtest.h>

#include <functional>
#include <memory>

#include "demo/missionbuilder.h"
#include "gui/missiontools/missprop.h"
#include "gui/missiontools/mtool.h"
#include "gui/ui/controls.h"
#include "support/failingfilesystem.h"
#include "support/guigameworld.h"
#include "support/guimodaldouble.h"

namespace hartool::test {
namespace {

const std::string kPlayer = "Data/Battles/Player/";

class MissPropTest : public GameWorld {
  protected:
    // Opens the properties of the mission file name and runs step in them.
    void properties(const std::string& name, std::function<void(MissProp&)> step) {
        MTool tools(nullptr, game.gamePath());
        const auto& names = tools.missionFileNames();
        const auto at = std::find(names.begin(), names.end(), name);
        ASSERT_NE(at, names.end());
        tools.missionList().item(static_cast<int>(at - names.begin()))->setSelected(true);
        ModalDouble modal;
        modal.then<MissProp>("MissProp_vo", std::move(step));
        tools.PSHPROP();
    }
    static ui::MYCOMBOBOX& side(MissProp& p) { return *p.control<ui::MYCOMBOBOX>("CBSIDE"); }
    static ui::MYCOMBOBOX& nat(MissProp& p) { return *p.control<ui::MYCOMBOBOX>("CBNAT"); }
    static std::string note(MissProp& p) { return p.control<QLabel>("FTXTNAT")->text().toStdString(); }
    static void click(MissProp& p, const char* name) { p.control<ui::MYPUSHBUTTON>(name)->click(); }

    // Blue helicopters of the first nationality (21, 18, and 17 read as 21), two red ones.
    static std::string flights(int sideValue) {
        demo::MissionBuilder b("Mixed Flights");
        b.side(sideValue);
        for (int type : {21, 18, 17, 62, 128}) b.platoon({type, 100, 200});
        return b.text();
    }
};

TEST_F(MissPropTest, SavingUnchangedValuesLeavesEveryFileAsItWas) {
    struct Case {
        std::string name, caption;
        std::size_t side, nat;
    };
    game.write(kPlayer + "MIX.TXT", flights(2));
    const Case cases[] = {{"S01.TXT", "Night Raid", 1, 1},
                          {"S02.TXT", "Border Watch", 2, 0},
                          {"S10.TXT", "Convoy Hunt", 1, 3},
                          {"MIX.TXT", "Mixed Flights", 0, 1}};
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        const auto before = game.snapshot();
        properties(c.name, [&](MissProp& p) {
            EXPECT_EQ(p.windowTitle().toStdString(), "Mission Properties     " + c.caption);
            EXPECT_EQ(side(p).CURRENTITEMNO(), c.side);
            EXPECT_EQ(nat(p).CURRENTITEMNO(), c.nat);
            EXPECT_EQ(note(p), c.side == 2 ? "(enemy)" : "");
            click(p, "PSHSAVE");
            EXPECT_EQ(p.result(), 1);
        });
        EXPECT_EQ(game.snapshot(), before);
    }
    EXPECT_TRUE(boxes.boxes().empty());
}

TEST_F(MissPropTest, SideAndNationalityAreWrittenOnlyOnSave) {
    const std::string mix = flights(0);
    game.write(kPlayer + "MIX.TXT", mix);
    const auto before = game.snapshot();
    properties("MIX.TXT", [](MissProp& p) {
        side(p).setCurrentIndex(1);  // as the player picks it
        EXPECT_EQ(note(p), "(enemy)");
        nat(p).setCurrentIndex(2);
        click(p, "PSHCANCEL");
        EXPECT_EQ(p.result(), 2);
    });
    EXPECT_EQ(game.snapshot(), before);

    properties("MIX.TXT", [](MissProp& p) {
        side(p).setCurrentIndex(1);
        click(p, "PSHSAVE");
    });
    std::string red = mix;
    red.replace(red.find("SIDE: 0"), 7, "SIDE: 1");
    EXPECT_EQ(game.read(kPlayer + "MIX.TXT"), red);

    properties("MIX.TXT", [](MissProp& p) {
        side(p).setCurrentIndex(0);
        EXPECT_EQ(note(p), "");
        nat(p).setCurrentIndex(2);  // GER
        click(p, "PSHSAVE");
    });
    const std::string text = game.read(kPlayer + "MIX.TXT");
    for (const char* line : {"PLATOON: 112 100 200", "PLATOON: 127 100 200", "PLATOON: 62 100 200",
                             "PLATOON: 128 100 200", "SIDE: 0"})
        EXPECT_NE(text.find(line), std::string::npos) << line;
    EXPECT_EQ(text.find("PLATOON: 21 "), std::string::npos);
    EXPECT_EQ(text.find("PLATOON: 17 "), std::string::npos);
    EXPECT_TRUE(boxes.boxes().empty());
}

TEST_F(MissPropTest, AnUnreadableOrUnwritableMissionIsNeverWrittenHalf) {
    const auto before = game.snapshot();
    FailingFileSystem failing;
    failing.failOn(FailingFileSystem::Op::Read, "S01.TXT", "Input/output error");
    properties("S01.TXT", [](MissProp& p) {
        EXPECT_EQ(side(p).CURRENTITEMNO(), 0u);
        EXPECT_EQ(nat(p).CURRENTITEMNO(), 0u);
        click(p, "PSHSAVE");
        EXPECT_EQ(p.result(), 1);
    });
    EXPECT_EQ(game.snapshot(), before);

    failing.failOn(FailingFileSystem::Op::Write, "S02.TXT", "No space left on device");
    properties("S02.TXT", [this](MissProp& p) {
        nat(p).setCurrentIndex(0);
        click(p, "PSHSAVE");
        EXPECT_EQ(p.result(), 0);  // still open
        ASSERT_EQ(boxes.boxes().size(), 1u);
        EXPECT_EQ(boxes.boxes()[0].caption, "Mission Properties");
        EXPECT_NE(boxes.boxes()[0].text.find("S02.TXT: No space left on device"), std::string::npos)
            << boxes.boxes()[0];
        click(p, "PSHCANCEL");
    });
    EXPECT_EQ(game.snapshot(), before);
}

}  // namespace
}  // namespace hartool::test
