// The list API of list and combo boxes, radio button groups and the text conversion.

#include "gui/ui/controls.h"

#include <QTest>

#include <gtest/gtest.h>

namespace hartool::test {
namespace {

using ui::MYCOMBOBOX;
using ui::MYLISTBOX;
using Positions = std::vector<std::size_t>;

template <class Box>
class ListApi : public ::testing::Test {};
using Boxes = ::testing::Types<MYLISTBOX, MYCOMBOBOX>;
TYPED_TEST_SUITE(ListApi, Boxes);

template <class Box>
QStringList shownTexts(const Box& box) {
    QStringList texts;
    if constexpr (std::is_same_v<Box, MYLISTBOX>) {
        for (int i = 0; i < box.count(); ++i) texts << box.item(i)->text();
    } else {
        for (int i = 0; i < box.count(); ++i) texts << box.itemText(i);
    }
    return texts;
}

TYPED_TEST(ListApi, ItemListeRoundTripRemovesOneItemAndKeepsTheRestInOrder) {
    TypeParam box;
    box.FILLUSING({"CAMP0", "CAMP1", "CAMP2", "CAMP3"});
    std::vector<std::string> items = box.ITEMLISTE();
    items.erase(items.begin() + 1);
    box.FILLUSING(items);
    EXPECT_EQ(box.ITEMLISTE(), (std::vector<std::string>{"CAMP0", "CAMP2", "CAMP3"}));
    EXPECT_EQ(box.ITEMCOUNT(), 3u);
    EXPECT_EQ(shownTexts(box), (QStringList{"CAMP0", "CAMP2", "CAMP3"}));
}

TYPED_TEST(ListApi, ItemsAreWindows1252ShownDecodedAndReturnedAsBytes) {
    TypeParam box;
    const std::string item = "\xC4rger \x80 5";  // "Ärger € 5"
    box.FILLUSING({"plain", item});
    EXPECT_EQ(shownTexts(box), (QStringList{"plain", QString::fromUtf8("\xC3\x84rger \xE2\x82\xAC 5")}));
    box.SETCURRENTITEMNO(2);
    EXPECT_EQ(box.CURRENTITEM(), item);
}

TYPED_TEST(ListApi, FillingLeavesNothingSelectedAndZeroClears) {
    TypeParam box;
    box.FILLUSING({"a", "b", "c"});
    EXPECT_EQ(box.CURRENTITEMNO(), 0u);
    EXPECT_EQ(box.CURRENTITEM(), "");
    box.SETCURRENTITEMNO(3);
    EXPECT_EQ(box.CURRENTITEMNO(), 3u);
    EXPECT_EQ(box.CURRENTITEM(), "c");
    box.SETCURRENTITEMNO(0);
    EXPECT_EQ(box.CURRENTITEMNO(), 0u);
    box.SETCURRENTITEMNO(4);
    EXPECT_EQ(box.CURRENTITEMNO(), 0u) << "past the end selects nothing";
    box.SETCURRENTITEMNO(1);
    box.FILLUSING({"x"});
    EXPECT_EQ(box.CURRENTITEMNO(), 0u) << "a new fill drops the selection";
}

TYPED_TEST(ListApi, ItemValues) {
    TypeParam box;
    box.FILLUSING({"BLUE", "RED"}, {0, 1});
    EXPECT_EQ(box.ITEMLISTE(), (std::vector<std::string>{"BLUE", "RED"}));
    EXPECT_EQ(box.ITEMVALUE(2), QVariant(1));
    EXPECT_FALSE(box.ITEMVALUE(3).isValid());
    EXPECT_FALSE(box.VALUE().isValid());
    box.SETCURRENTITEMNO(2);
    EXPECT_EQ(box.VALUE(), QVariant(1));
    box.FILLUSING({"plain"});
    EXPECT_FALSE(box.ITEMVALUE(1).isValid()) << "a fill without values drops the old ones";
}

struct Clicks {
    const char* name;
    bool multiple;
    std::vector<int> rows;  // clicked, 0-based
    Positions selected;
    std::size_t current;
};

class ListSelection : public ::testing::TestWithParam<Clicks> {};

TEST_P(ListSelection, ClicksGiveSelectedPositions) {
    MYLISTBOX list;
    list.resize(100, 200);
    list.show();
    list.FILLUSING({"a", "b", "c", "d", "e"});
    list.SETMULTIPLESELECTION(GetParam().multiple);
    for (int row : GetParam().rows)
        QTest::mouseClick(list.viewport(), Qt::LeftButton, {}, list.visualItemRect(list.item(row)).center());
    EXPECT_EQ(list.SELECTEDPOSITIONS(), GetParam().selected);
    EXPECT_EQ(list.CURRENTITEMNO(), GetParam().current);
}

INSTANTIATE_TEST_SUITE_P(MYLISTBOX, ListSelection,
                         ::testing::Values(Clicks{"singleKeepsTheLast", false, {1, 3}, {4}, 4},
                                           Clicks{"multipleAscending", true, {3, 0, 1}, {1, 2, 4}, 1},
                                           Clicks{"multipleClickAgainDeselects", true, {3, 1, 3}, {2}, 2},
                                           Clicks{"none", true, {}, {}, 0}),
                         [](const auto& info) { return std::string(info.param.name); });

TEST(MYLISTBOX, SwitchingSelectionModeClearsTheSelection) {
    MYLISTBOX list;
    list.FILLUSING({"a", "b"});
    list.SETMULTIPLESELECTION(true);
    EXPECT_TRUE(list.ISMULTIPLESELECTION());
    list.SETCURRENTITEMNO(2);
    list.SETMULTIPLESELECTION(false);
    EXPECT_FALSE(list.ISMULTIPLESELECTION());
    EXPECT_TRUE(list.SELECTEDPOSITIONS().empty());
}

struct TextCase {
    const char* name;
    bool editable;
    std::string text;
    std::size_t selected;
    std::string shown;
};

class ComboText : public ::testing::TestWithParam<TextCase> {};

TEST_P(ComboText, SetCurrentTextSelectsTheItemOfThatText) {
    MYCOMBOBOX combo;
    combo.setEditable(GetParam().editable);
    combo.FILLUSING({"Alpha", "alpha", "Beta"});
    combo.SETCURRENTITEMNO(3);
    combo.SETCURRENTTEXT(GetParam().text);
    EXPECT_EQ(combo.CURRENTITEMNO(), GetParam().selected);
    EXPECT_EQ(combo.CURRENTTEXT(), GetParam().shown);
}

INSTANTIATE_TEST_SUITE_P(MYCOMBOBOX, ComboText,
                         ::testing::Values(TextCase{"exactSpellingFirst", true, "alpha", 2, "alpha"},
                                           TextCase{"exactSpellingFirstUpper", true, "Alpha", 1, "Alpha"},
                                           TextCase{"otherwiseIgnoringCase", true, "BETA", 3, "Beta"},
                                           TextCase{"noMatchSelectsNothing", true, "Gamma", 0, "Gamma"},
                                           TextCase{"prefixIsNoMatch", true, "Bet", 0, "Bet"},
                                           TextCase{"empty", true, "", 0, ""},
                                           TextCase{"listWithoutEditField", false, "beta", 3, "Beta"},
                                           TextCase{"listNoMatch", false, "Gamma", 0, ""}),
                         [](const auto& info) { return std::string(info.param.name); });

TEST(MYCOMBOBOX, TypedTextCountsAsSelectionOnlyWhileItMatches) {
    MYCOMBOBOX combo;
    combo.setEditable(true);
    combo.setInsertPolicy(QComboBox::NoInsert);
    combo.FILLUSING({"1st Armoured Division (UK)", "20th Guards Army (RUS)"});
    combo.SETCURRENTITEMNO(1);
    combo.lineEdit()->selectAll();
    QTest::keyClicks(combo.lineEdit(), "20th Guards Army (RUS)");
    EXPECT_EQ(combo.CURRENTITEMNO(), 2u);
    QTest::keyClicks(combo.lineEdit(), "!");
    EXPECT_EQ(combo.CURRENTITEMNO(), 0u);
    EXPECT_EQ(combo.CURRENTTEXT(), "20th Guards Army (RUS)!");
    EXPECT_FALSE(combo.VALUE().isValid());
}

TEST(MYCOMBOBOX, APickFromTheListIsOneSelectionEvent) {
    MYCOMBOBOX combo;
    combo.setEditable(true);
    combo.FILLUSING({"one", "two"});
    int events = 0;
    QObject::connect(&combo, &MYCOMBOBOX::selectionChangedByUser, [&] { ++events; });
    combo.setCurrentIndex(1);  // what the drop-down list does when the player picks an item
    EXPECT_EQ(events, 1);
    combo.lineEdit()->selectAll();
    QTest::keyClicks(combo.lineEdit(), "one");
    EXPECT_EQ(events, 2);
    EXPECT_EQ(combo.CURRENTITEMNO(), 1u);
}

TEST(MYCOMBOBOX, SetValueSelectsTheItemWithThatValue) {
    MYCOMBOBOX combo;
    combo.FILLUSING({"BLUE", "RED"}, {0, 1});
    combo.SETVALUE(1);
    EXPECT_EQ(combo.CURRENTITEMNO(), 2u);
    combo.SETVALUE(5);
    EXPECT_EQ(combo.CURRENTITEMNO(), 0u);
}

TEST(MYRADIOBUTTONGROUP, ValueIsThatOfTheCheckedButton) {
    ui::MYRADIOBUTTONGROUP group("Briefing mode");
    auto* blue = new ui::MYRADIOBUTTON("Blue Briefing", &group);
    auto* red = new ui::MYRADIOBUTTON("Red Briefing", &group);
    group.FILLUSING({{blue, "rbBlue"}, {red, "rbRed"}});
    EXPECT_FALSE(group.VALUE().isValid()) << "nothing checked";

    red->setChecked(true);
    EXPECT_EQ(group.VALUE(), QVariant("rbRed"));
    group.SETVALUE("rbBlue");
    EXPECT_TRUE(blue->isChecked());
    EXPECT_FALSE(red->isChecked());
    group.SETVALUE("rbGreen");
    EXPECT_FALSE(blue->isChecked() || red->isChecked()) << "an unknown value clears the group";
    EXPECT_FALSE(group.VALUE().isValid());

    // A behaviour class refills the same buttons with other values.
    group.FILLUSING({{blue, true}, {red, false}});
    group.SETVALUE(false);
    EXPECT_TRUE(red->isChecked());
    EXPECT_EQ(group.VALUE(), QVariant(false));
    EXPECT_EQ(group.VALUE().typeId(), QMetaType::Bool);
    ASSERT_EQ(group.PAIRS().size(), 2u);
    EXPECT_EQ(group.PAIRS()[0].first, blue);
}

}  // namespace
}  // namespace hartool::test
