// The dialogs built so far: their behaviour classes, their texts and how they end.

#include "gui/app/credits.h"
#include "gui/app/patchdialog.h"
#include "gui/briefing/briefedit.h"
#include "gui/briefing/mappreview.h"
#include "gui/missiontools/checkmiss.h"
#include "gui/missiontools/copymiss.h"
#include "gui/missiontools/missprop.h"
#include "gui/missiontools/mtool.h"
#include "gui/missiontools/newbrief.h"
#include "gui/transfer/mover.h"
#include "gui/ui/controls.h"
#include "gui/ui/textviewer.h"
#include "kindsdialog.h"
#include "support/guicaptionfit.h"
#include "support/guimessageboxdouble.h"
#include "support/guimodaldouble.h"

#include <QDialogButtonBox>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTest>

#include <gtest/gtest.h>
#include <QTest>

#include <algorithm>
#include <functional>
#include <map>
#include <memory>

namespace hartool::test {
namespace {

// What the transfer dialog asks of the main dialog; no game is found, so nothing on disk is touched.
struct NoGame : ui::GameChecks {
    bool FILEOK(bool) override { return false; }
    bool COPYOK() const override { return true; }
};
NoGame gNoGame;

// The behaviour class of every template; a new dialog adds its line.
const std::map<std::string, std::function<std::unique_ptr<ui::Dialog>()>>& behaviourClasses() {
    static const std::map<std::string, std::function<std::unique_ptr<ui::Dialog>()>> classes{
        {"PatchDialog_vo", [] { return std::make_unique<PatchDialog>(); }},
        {"Credits_vo", [] { return std::make_unique<Credits>(); }},
        {"Mover_vo", [] { return std::make_unique<Mover>(nullptr, gNoGame, kCampaigns, ""); }},
        {"MTool_vo", [] { return std::make_unique<MTool>(nullptr, "NOGAME\\"); }},
        {"CopyMiss_vo", [] { return std::make_unique<CopyMiss>(nullptr, "NOGAME\\"); }},
        {"MissProp_vo", [] { return std::make_unique<MissProp>(nullptr, "NOGAME\\NONE.TXT"); }},
        // No file there: nothing is read, and nothing written unless saved.
        {"BriefEdit_vo", [] { return std::make_unique<BriefEdit>(nullptr, "no-such-briefing.txt", true); }},
        {"NewBrief_vo", [] { return std::make_unique<NewBrief>(nullptr, ""); }},
        {"MapPreview_vo",
         [] { return std::make_unique<MapPreview>(nullptr, mapPagesOf(std::vector<Briefing>(4), ""), ""); }},
        {"CheckMiss_vo", [] { return std::make_unique<CheckMiss>(nullptr, std::vector<Finding>{}, ""); }},
    };
    return classes;
}

TEST(BehaviourClasses, EveryPushButtonOfEveryTemplateHasItsHandler) {
    for (const resources::DialogTemplate* t : resources::dialogTemplates()) {
        SCOPED_TRACE(std::string(t->name));
        const auto found = behaviourClasses().find(std::string(t->name));
        ASSERT_NE(found, behaviourClasses().end()) << "no behaviour class listed for this template";
        const std::unique_ptr<ui::Dialog> dialog = found->second();
        EXPECT_EQ(dialog->objectName().toStdString(), t->name);
        EXPECT_EQ(dialog->missingHandlers(), std::vector<std::string>{});
    }
}

TEST(BehaviourClasses, EnterPressesNothingInADialogWithoutDefaultButton) {
    for (const auto& [name, make] : behaviourClasses()) {
        const std::unique_ptr<ui::Dialog> dialog = make();
        const auto& controls = dialog->dialogTemplate().controls;
        if (std::any_of(controls.begin(), controls.end(),
                        [](const auto& row) { return row.has(resources::DefaultButton); }))
            continue;
        SCOPED_TRACE(name);
        MessageBoxDouble boxes;  // an unasked-for question fails the test
        ModalDouble modal;       // and so does a dialog opened
        dialog->show();
        for (QWidget* w : dialog->findChildren<QWidget*>()) {
            if (qobject_cast<QPushButton*>(w) || !(w->focusPolicy() & Qt::TabFocus) || !w->isEnabled())
                continue;
            SCOPED_TRACE(w->objectName().toStdString());
            w->setFocus();
            QTest::keyClick(w, Qt::Key_Return);
            EXPECT_TRUE(dialog->isVisible());
            EXPECT_TRUE(boxes.boxes().empty());
        }
    }
}

TEST(BehaviourClasses, NoCaptionIsCutOff) {
    for (const auto& [name, make] : behaviourClasses()) {
        SCOPED_TRACE(name);
        const std::unique_ptr<ui::Dialog> dialog = make();
        dialog->show();
        EXPECT_EQ(cutOffCaptions(*dialog), std::vector<std::string>{});
    }
}

TEST(CaptionFit, FindsCaptionsTooLongForTheirControl) {
    KindsDialog dialog;
    dialog.show();
    const std::string tooLong = "a caption far too long for the little control it sits in";
    EXPECT_EQ(cutOffCaptions(dialog), std::vector<std::string>{});
    for (const char* name : {"FTXTNAME", "PSHOK", "CBSHOW", "RBBLUE", "RBGSIDE"}) {
        SCOPED_TRACE(name);
        KindsDialog fresh;
        fresh.show();
        QWidget* control = fresh.control<QWidget>(name);
        if (auto* label = qobject_cast<QLabel*>(control)) label->setText(QString::fromStdString(tooLong));
        if (auto* button = qobject_cast<QAbstractButton*>(control))
            button->setText(QString::fromStdString(tooLong));
        if (auto* group = qobject_cast<QGroupBox*>(control)) group->setTitle(QString::fromStdString(tooLong));
        EXPECT_EQ(cutOffCaptions(fresh), std::vector<std::string>{name});
    }
}

TEST(PatchDialog, QuitEndsTheDialog) {
    ModalDouble modal;
    modal.then<PatchDialog>("PatchDialog_vo",
                            [](PatchDialog& d) { d.control<ui::MYPUSHBUTTON>("ENDDIALOG")->click(); });
    PatchDialog dialog;
    EXPECT_EQ(ui::showModal(dialog), 0);
    EXPECT_FALSE(dialog.isVisible());
}

TEST(Credits, OkEndsWithResultOne) {
    ModalDouble modal;
    modal.then<Credits>("Credits_vo", [](Credits& c) { c.control<ui::MYPUSHBUTTON>("PSHOK")->click(); });
    Credits credits;
    EXPECT_EQ(ui::showModal(credits), 1);
}

TEST(TextViewer, EscOrCloseEndsIt) {
    const std::map<std::string, std::function<void(ui::TextViewer&)>> endings{
        {"Esc", [](ui::TextViewer& v) { QTest::keyClick(v.view(), Qt::Key_Escape); }},
        {"Close",
         [](ui::TextViewer& v) {
             v.findChild<QDialogButtonBox*>()->button(QDialogButtonBox::Close)->click();
         }},
    };
    for (const auto& [name, end] : endings) {
        SCOPED_TRACE(name);
        ModalDouble modal;
        modal.then<ui::TextViewer>("TextViewer", end);
        ui::TextViewer viewer("Help", "text");
        EXPECT_EQ(ui::showModal(viewer), QDialog::Rejected);
        EXPECT_EQ(modal.shown(), std::vector<std::string>{"TextViewer"});
    }
}

}  // namespace
}  // namespace hartool::test
