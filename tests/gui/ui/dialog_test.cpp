// The builder, over every registered template and a template with every kind of control.

#include "gui/ui/dialog.h"
#include "gui/ui/controls.h"
#include "gui/ui/textconvert.h"
#include "kindsdialog.h"
#include "support/guimessagelog.h"

#include <QFontMetrics>
#include <QFontMetricsF>
#include <QTest>

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <memory>

namespace hartool::test {
namespace {

using resources::ControlKind;
using resources::ControlTemplate;
using resources::DialogTemplate;

std::vector<const DialogTemplate*> everyTemplate() {
    std::vector<const DialogTemplate*> all(resources::dialogTemplates().begin(),
                                           resources::dialogTemplates().end());
    all.push_back(&kKindsTemplate);
    return all;
}

QString qName(std::string_view name) {
    return QString::fromUtf8(name.data(), static_cast<qsizetype>(name.size()));
}

const char* expectedClass(ControlKind kind) {
    switch (kind) {
        case ControlKind::FixedText:
            return "QLabel";
        case ControlKind::GroupBox:
            return "QGroupBox";
        case ControlKind::PushButton:
            return "hartool::ui::MYPUSHBUTTON";
        case ControlKind::SingleLineEdit:
            return "hartool::ui::MYSINGLELINEEDIT";
        case ControlKind::MultiLineEdit:
            return "hartool::ui::MYMULTILINEEDIT";
        case ControlKind::ListBox:
            return "hartool::ui::MYLISTBOX";
        case ControlKind::ComboBox:
            return "hartool::ui::MYCOMBOBOX";
        case ControlKind::CheckBox:
            return "hartool::ui::MYCHECKBOX";
        case ControlKind::RadioButton:
            return "hartool::ui::MYRADIOBUTTON";
        case ControlKind::RadioButtonGroup:
            return "hartool::ui::MYRADIOBUTTONGROUP";
    }
    return "";
}

QString captionOf(const QWidget* widget) {
    if (auto* w = qobject_cast<const QLabel*>(widget)) return w->text();
    if (auto* w = qobject_cast<const QGroupBox*>(widget)) return w->title();
    if (auto* w = qobject_cast<const QAbstractButton*>(widget)) return w->text();
    if (auto* w = qobject_cast<const QLineEdit*>(widget)) return w->text();
    if (auto* w = qobject_cast<const QPlainTextEdit*>(widget)) return w->toPlainText();
    return {};
}

// Windows' conversion, computed from the font the dialog asked for.
struct ExpectedUnits {
    double average;
    double line;
    explicit ExpectedUnits(const QFont& font)
        : average(
              QFontMetricsF(font).horizontalAdvance("ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz") /
              52),
          line(QFontMetrics(font).height()) {}
    int x(int units) const { return static_cast<int>(std::lround(units * average / 4)); }
    int y(int units) const { return static_cast<int>(std::lround(units * line / 8)); }
};

class EveryTemplate : public ::testing::TestWithParam<const DialogTemplate*> {};

TEST_P(EveryTemplate, DialogHasTheTemplatesNameCaptionFontSizeAndFrame) {
    const DialogTemplate& t = *GetParam();
    ui::Dialog dialog(t, nullptr);
    EXPECT_EQ(dialog.objectName(), qName(t.name));
    EXPECT_EQ(dialog.windowTitle(), ui::toQt(t.caption));
    EXPECT_EQ(dialog.font().family(), "MS Sans Serif");
    EXPECT_EQ(dialog.font().pointSize(), 8);
    EXPECT_EQ(dialog.font().styleHint(), QFont::SansSerif);

    const ExpectedUnits units(dialog.font());
    EXPECT_EQ(dialog.minimumSize(), QSize(units.x(t.width), units.y(t.height)));
    EXPECT_EQ(dialog.maximumSize(), dialog.minimumSize()) << "fixed size";
    EXPECT_FALSE(dialog.isSizeGripEnabled());
    const Qt::WindowFlags flags = dialog.windowFlags();
    EXPECT_TRUE(flags.testFlag(Qt::WindowTitleHint));
    EXPECT_TRUE(flags.testFlag(Qt::WindowSystemMenuHint));
    EXPECT_TRUE(flags.testFlag(Qt::WindowCloseButtonHint));
    EXPECT_FALSE(flags.testFlag(Qt::WindowContextHelpButtonHint));
    EXPECT_FALSE(flags.testFlag(Qt::WindowMaximizeButtonHint));
    EXPECT_FALSE(flags.testFlag(Qt::WindowMinimizeButtonHint));
}

TEST_P(EveryTemplate, EveryControlHasItsClassCaptionToolTipAndGeometry) {
    const DialogTemplate& t = *GetParam();
    ui::Dialog dialog(t, nullptr);
    const ExpectedUnits units(dialog.font());
    for (const ControlTemplate& row : t.controls) {
        SCOPED_TRACE(std::string(t.name) + "." + std::string(row.name));
        QWidget* widget = dialog.control<QWidget>(row.name);
        ASSERT_NE(widget, nullptr);
        EXPECT_STREQ(widget->metaObject()->className(), expectedClass(row.kind));
        if (row.kind != ControlKind::ListBox && row.kind != ControlKind::ComboBox) {
            EXPECT_EQ(captionOf(widget), ui::toQt(row.caption));
        }
        EXPECT_EQ(widget->toolTip(), ui::toQt(row.toolTip));
        EXPECT_EQ(widget->isEnabled(), !row.has(resources::Disabled));

        const QRect inDialog(widget->mapTo(&dialog, QPoint(0, 0)), widget->size());
        EXPECT_EQ(inDialog.x(), units.x(row.x));
        EXPECT_EQ(inDialog.y(), units.y(row.y));
        EXPECT_EQ(inDialog.width(), units.x(row.w));
        if (row.kind == ControlKind::ComboBox) {
            // The template height includes the drop-down list; the field itself is the combo's own height.
            EXPECT_LT(inDialog.height(), units.y(row.h));
        } else {
            EXPECT_EQ(inDialog.height(), units.y(row.h));
        }
    }
}

TEST_P(EveryTemplate, TabOrderIsTemplateOrder) {
    const DialogTemplate& t = *GetParam();
    ui::Dialog dialog(t, nullptr);
    std::vector<QWidget*> expected;
    for (const ControlTemplate& row : t.controls) {
        QWidget* widget = dialog.control<QWidget>(row.name);
        if (widget && (widget->focusPolicy() & Qt::TabFocus)) expected.push_back(widget);
    }
    if (expected.empty()) return;
    std::vector<QWidget*> chain{expected.front()};
    for (QWidget* w = expected.front()->nextInFocusChain(); w != expected.front();
         w = w->nextInFocusChain()) {
        if (std::find(expected.begin(), expected.end(), w) != expected.end()) chain.push_back(w);
    }
    EXPECT_EQ(chain, expected);
}

TEST_P(EveryTemplate, OnlyTheTemplatesDefaultButtonIsDefault) {
    const DialogTemplate& t = *GetParam();
    ui::Dialog dialog(t, nullptr);
    dialog.show();  // where the toolkit would pick a default of its own
    const bool hasDefault = std::any_of(t.controls.begin(), t.controls.end(), [](const ControlTemplate& row) {
        return row.has(resources::DefaultButton);
    });
    for (const ControlTemplate& row : t.controls) {
        if (row.kind != ControlKind::PushButton) continue;
        SCOPED_TRACE(std::string(row.name));
        auto* button = dialog.control<ui::MYPUSHBUTTON>(row.name);
        ASSERT_NE(button, nullptr);
        EXPECT_EQ(button->isDefault(), row.has(resources::DefaultButton));
        EXPECT_EQ(button->autoDefault(), hasDefault);
    }
}

TEST_P(EveryTemplate, StylesReachTheControls) {
    const DialogTemplate& t = *GetParam();
    ui::Dialog dialog(t, nullptr);
    const QColor plain = dialog.palette().color(QPalette::WindowText);
    for (const ControlTemplate& row : t.controls) {
        SCOPED_TRACE(std::string(row.name));
        QWidget* widget = dialog.control<QWidget>(row.name);
        ASSERT_NE(widget, nullptr);
        if (auto* label = qobject_cast<QLabel*>(widget)) {
            EXPECT_TRUE(label->wordWrap());
            const Qt::Alignment horizontal = label->alignment() & Qt::AlignHorizontal_Mask;
            EXPECT_EQ(horizontal, row.has(resources::Centre)  ? Qt::AlignHCenter
                                  : row.has(resources::Right) ? Qt::AlignRight
                                                              : Qt::AlignLeft);
            EXPECT_EQ(label->palette().color(QPalette::WindowText) != plain, row.has(resources::Highlight));
        }
        if (auto* list = qobject_cast<ui::MYLISTBOX*>(widget)) {
            EXPECT_EQ(list->ISMULTIPLESELECTION(), row.has(resources::MultipleSelection));
            EXPECT_EQ(list->verticalScrollBarPolicy() == Qt::ScrollBarAlwaysOn, row.has(resources::VScroll));
        }
        if (auto* combo = qobject_cast<ui::MYCOMBOBOX*>(widget)) {
            EXPECT_EQ(combo->isEditable(), row.has(resources::DropDownEdit));
            if (combo->isEditable()) {
                EXPECT_EQ(combo->insertPolicy(), QComboBox::NoInsert) << "Enter must not add items";
            }
        }
        if (auto* edit = qobject_cast<QPlainTextEdit*>(widget)) {
            EXPECT_EQ(edit->isReadOnly(), row.has(resources::ReadOnly));
            EXPECT_TRUE(edit->tabChangesFocus());
        }
        if (auto* edit = qobject_cast<QLineEdit*>(widget)) {
            EXPECT_EQ(edit->isReadOnly(), row.has(resources::ReadOnly));
        }
    }
}

INSTANTIATE_TEST_SUITE_P(Templates, EveryTemplate, ::testing::ValuesIn(everyTemplate()),
                         [](const auto& info) { return std::string(info.param->name); });

TEST(Dialog, RadioButtonsInsideTheirGroupAreItsChildren) {
    KindsDialog dialog;
    auto* group = dialog.control<ui::MYRADIOBUTTONGROUP>("RBGSIDE");
    auto* blue = dialog.control<ui::MYRADIOBUTTON>("RBBLUE");
    ASSERT_TRUE(group && blue);
    EXPECT_EQ(blue->parentWidget(), group);
    group->setEnabled(false);
    EXPECT_FALSE(blue->isEnabled()) << "disabling the group disables its buttons";
}

TEST(Dialog, BuildingRaisesNoEvents) {
    KindsDialog dialog;
    EXPECT_TRUE(dialog.events.empty());
    EXPECT_EQ(dialog.control<QLineEdit>("SLENAME")->text(), "start");
}

TEST(Dialog, EditChangeOnEveryKeystrokeAndOnProgrammaticChanges) {
    KindsDialog dialog;
    QTest::keyClicks(dialog.control<QLineEdit>("SLENAME"), "ab");
    dialog.control<QLineEdit>("SLENAME")->setText("set");
    QTest::keyClicks(dialog.control<QPlainTextEdit>("MLETEXT"), "x");
    dialog.control<QPlainTextEdit>("MLENOTE")->setPlainText("note");
    using E = KindsDialog::Event;
    EXPECT_EQ(dialog.events, (std::vector<E>{{"EDITCHANGE", "SLENAME"},
                                             {"EDITCHANGE", "SLENAME"},
                                             {"EDITCHANGE", "SLENAME"},
                                             {"EDITCHANGE", "MLETEXT"},
                                             {"EDITCHANGE", "MLENOTE"}}));
}

TEST(Dialog, ButtonClickForCheckBoxesAndRadioButtons) {
    KindsDialog dialog;
    dialog.show();
    auto* check = dialog.control<ui::MYCHECKBOX>("CBSHOW");
    auto* red = dialog.control<ui::MYRADIOBUTTON>("RBRED");
    QTest::mouseClick(check, Qt::LeftButton);
    QTest::mouseClick(red, Qt::LeftButton);
    dialog.control<ui::MYRADIOBUTTON>("RBBLUE")->setChecked(true);  // the program's own change: no event
    EXPECT_TRUE(check->isChecked());
    EXPECT_EQ(dialog.events,
              (std::vector<KindsDialog::Event>{{"BUTTONCLICK", "CBSHOW"}, {"BUTTONCLICK", "RBRED"}}));
    EXPECT_FALSE(red->isChecked()) << "the group's buttons exclude each other";
}

TEST(Dialog, ListBoxSelectOnlyForThePlayersChanges) {
    KindsDialog dialog;
    dialog.show();
    auto* list = dialog.control<ui::MYLISTBOX>("LBITEMS");
    auto* combo = dialog.control<ui::MYCOMBOBOX>("CBLIST");
    auto* editable = dialog.control<ui::MYCOMBOBOX>("CMBPICK");
    list->FILLUSING({"one", "two"});
    list->SETCURRENTITEMNO(2);
    combo->FILLUSING({"one", "two"});
    combo->SETCURRENTITEMNO(1);
    editable->FILLUSING({"one", "two"});
    editable->SETCURRENTTEXT("two");
    ASSERT_TRUE(dialog.events.empty());

    QTest::mouseClick(list->viewport(), Qt::LeftButton, {}, list->visualItemRect(list->item(0)).center());
    combo->setFocus();
    QTest::keyClick(combo, Qt::Key_Down);
    QTest::keyClicks(editable->lineEdit(), "x");  // "twox": no item
    EXPECT_EQ(editable->CURRENTITEMNO(), 0u);
    QTest::keyClick(editable->lineEdit(), Qt::Key_Backspace);  // "two" again
    EXPECT_EQ(editable->CURRENTITEMNO(), 2u);
    editable->lineEdit()->clear();
    QTest::keyClicks(editable->lineEdit(), "one");  // typed exactly: the item
    using E = KindsDialog::Event;
    EXPECT_EQ(dialog.events, (std::vector<E>{{"LISTBOXSELECT", "LBITEMS"},
                                             {"LISTBOXSELECT", "CBLIST"},
                                             {"LISTBOXSELECT", "CMBPICK"},
                                             {"LISTBOXSELECT", "CMBPICK"}}));
    EXPECT_EQ(list->SELECTEDPOSITIONS(), (std::vector<std::size_t>{1, 2}));
    EXPECT_EQ(combo->CURRENTITEMNO(), 2u);
    EXPECT_EQ(editable->CURRENTITEMNO(), 1u);
}

TEST(Dialog, ActivateWhenTheWindowBecomesActive) {
    KindsDialog dialog;
    QEvent activate(QEvent::WindowActivate);
    QApplication::sendEvent(&dialog, &activate);
    QEvent deactivate(QEvent::WindowDeactivate);
    QApplication::sendEvent(&dialog, &deactivate);
    EXPECT_EQ(dialog.activations, 1);
}

struct Closing {
    const char* way;
    std::function<void(KindsDialog&)> close;
    int result;
};

class EveryWayOfClosing : public ::testing::TestWithParam<Closing> {};

TEST_P(EveryWayOfClosing, PassesEndDialogOnce) {
    KindsDialog dialog;
    dialog.show();
    GetParam().close(dialog);
    EXPECT_EQ(dialog.endings, std::vector<int>{GetParam().result});
    EXPECT_EQ(dialog.result(), GetParam().result);
    EXPECT_FALSE(dialog.isVisible());
}

INSTANTIATE_TEST_SUITE_P(
    Dialog, EveryWayOfClosing,
    ::testing::Values(
        Closing{"accept", [](KindsDialog& d) { d.accept(); }, 1},
        Closing{"reject", [](KindsDialog& d) { d.reject(); }, 0},
        Closing{"done", [](KindsDialog& d) { d.done(7); }, 7},
        Closing{"closeButton", [](KindsDialog& d) { d.close(); }, 0},
        Closing{"escape",
                [](KindsDialog& d) { QTest::keyClick(d.control<QLineEdit>("SLENAME"), Qt::Key_Escape); }, 0},
        Closing{"enterPressesDefault",
                [](KindsDialog& d) { QTest::keyClick(d.control<QLineEdit>("SLENAME"), Qt::Key_Return); }, 1},
        Closing{"buttonHandler", [](KindsDialog& d) { d.control<ui::MYPUSHBUTTON>("PSHCANCEL")->click(); },
                2},
        Closing{"quitSlot", [](KindsDialog& d) { QMetaObject::invokeMethod(&d, "ENDDIALOG"); }, 0}),
    [](const auto& info) { return std::string(info.param.way); });

TEST(Dialog, EnterInAMultiLineEditWithoutWantReturnPressesTheDefaultButton) {
    KindsDialog dialog;
    dialog.show();
    auto* wantsReturn = dialog.control<QPlainTextEdit>("MLETEXT");
    QTest::keyClick(wantsReturn, Qt::Key_Return);
    EXPECT_EQ(wantsReturn->toPlainText(), "\n");
    EXPECT_TRUE(dialog.endings.empty());

    auto* plain = dialog.control<QPlainTextEdit>("MLENOTE");
    plain->setReadOnly(false);
    QTest::keyClick(plain, Qt::Key_Return);
    EXPECT_EQ(plain->toPlainText(), "");
    EXPECT_EQ(dialog.endings, std::vector<int>{1});
}

TEST(Dialog, WithoutDefaultButtonEnterPressesOnlyTheFocusedButton) {
    std::vector<ControlTemplate> rows(std::begin(kinds::kControls), std::end(kinds::kControls));
    for (ControlTemplate& row : rows) row.style &= ~resources::DefaultButton;
    DialogTemplate noDefault = kKindsTemplate;
    noDefault.controls = rows;
    QtWarningLog quiet;  // the plain dialog has no handlers to call
    ui::Dialog dialog(noDefault, nullptr);
    std::vector<std::string> pressed;
    for (auto* button : dialog.findChildren<ui::MYPUSHBUTTON*>())
        QObject::connect(button, &QPushButton::clicked,
                         [&pressed, button] { pressed.push_back(button->objectName().toStdString()); });
    dialog.show();
    for (const char* name : {"SLENAME", "LBITEMS", "CMBPICK", "CBSHOW", "MLENOTE"}) {
        SCOPED_TRACE(name);
        auto* w = dialog.control<QWidget>(name);
        w->setFocus();
        QTest::keyClick(w, Qt::Key_Return);
        EXPECT_EQ(pressed, std::vector<std::string>{});
    }
    auto* cancel = dialog.control<ui::MYPUSHBUTTON>("PSHCANCEL");
    cancel->setFocus();
    QTest::keyClick(cancel, Qt::Key_Return);
    EXPECT_EQ(pressed, std::vector<std::string>{"PSHCANCEL"});
}

TEST(Dialog, PushButtonsCallTheSlotOfTheirName) {
    KindsDialog dialog;
    int cancels = 0;
    dialog.onCancel = [&] { ++cancels; };
    dialog.control<ui::MYPUSHBUTTON>("PSHCANCEL")->click();
    EXPECT_EQ(cancels, 1);
}

TEST(Dialog, AButtonWithoutHandlerIsReported) {
    EXPECT_EQ(KindsDialog().missingHandlers(), std::vector<std::string>{});
    ui::Dialog dialog(kKindsTemplate, nullptr);  // no behaviour: only the inherited ENDDIALOG
    EXPECT_EQ(dialog.missingHandlers(), (std::vector<std::string>{"PSHOK", "PSHCANCEL", "PSHOFF"}));

    QtWarningLog log;
    dialog.show();
    auto* off = dialog.control<ui::MYPUSHBUTTON>("PSHOFF");
    off->setEnabled(true);
    off->click();
    int reports = 0;
    for (const std::string& warning : log.warnings())
        reports += warning.find("no handler for the button PSHOFF") != std::string::npos;
    EXPECT_EQ(reports, 2) << "once when shown, once when clicked";
}

TEST(Dialog, BuildsFromTheTemplateOfItsName) {
    ui::Dialog dialog("Credits_vo", nullptr);
    EXPECT_EQ(dialog.objectName(), "Credits_vo");
    EXPECT_NE(dialog.control<ui::MYPUSHBUTTON>("PSHOK"), nullptr);
    EXPECT_EQ(dialog.control<ui::MYLISTBOX>("PSHOK"), nullptr) << "control<T> checks the class";
}

TEST(Dialog, ANestedDialogSitsAtItsTemplatePositionInItsOwner) {
    KindsDialog owner;
    owner.move(100, 200);
    owner.show();
    ui::Dialog child(kKindsTemplate, &owner);
    const ExpectedUnits units(child.font());
    EXPECT_EQ(child.pos(), owner.mapToGlobal(QPoint(units.x(5), units.y(16))));
}

}  // namespace
}  // namespace hartool::test
