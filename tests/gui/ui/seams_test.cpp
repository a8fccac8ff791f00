// The message boxes, the modal runner and the launcher, through their doubles and the real parsing.

#include "gui/app/credits.h"
#include "gui/ui/launcher.h"
#include "gui/ui/messagebox.h"
#include "gui/ui/modal.h"
#include "kindsdialog.h"
#include "support/guilauncherdouble.h"
#include "support/guimessageboxdouble.h"
#include "support/guimodaldouble.h"
#include "support/tempdir.h"

#include <gtest/gtest-spi.h>
#include <gtest/gtest.h>

#include <filesystem>
#include <functional>

namespace hartool::test {
namespace {

using ui::Reply;

TEST(MessageBoxDouble, RecordsEveryBoxInOrderAndAnswersFromTheScript) {
    MessageBoxDouble boxes;
    boxes.answer(Reply::Yes);
    boxes.answer(Reply::No);
    ui::INFOBOX(nullptr, "there`s something wrong", "path to Harvane! not found");
    EXPECT_TRUE(ui::confirmed(nullptr, "extract briefing", "extract Night Raid ?"));
    EXPECT_EQ(ui::WARNINGBOX(nullptr, "delete", "really ?"), Reply::No);
    EXPECT_EQ(boxes.boxes(), (std::vector<MessageBoxDouble::Box>{
                                 info("there`s something wrong", "path to Harvane! not found"),
                                 question("extract briefing", "extract Night Raid ?"),
                                 question("delete", "really ?"),
                             }));
}

TEST(MessageBoxDouble, AnUnscriptedQuestionFailsAndAnswersNo) {
    MessageBoxDouble boxes;
    Reply reply = Reply::Yes;
    EXPECT_NONFATAL_FAILURE(reply = ui::WARNINGBOX(nullptr, "copy", "overwrite ?"), "unexpected question");
    EXPECT_EQ(reply, Reply::No);
}

TEST(MessageBoxDouble, AnswersNobodyAskedForFail) {
    EXPECT_NONFATAL_FAILURE(
        {
            MessageBoxDouble boxes;
            boxes.answer(Reply::Yes);
        },
        "not asked for");
}

TEST(MessageBoxDouble, ClosingABoxReactivatesItsOwner) {
    MessageBoxDouble boxes;
    KindsDialog owner;
    ui::INFOBOX(owner.control<QWidget>("PSHOK"), "caption", "text");
    EXPECT_EQ(owner.activations, 1);
}

TEST(Seams, DoublesPutBackWhatWasInstalledBefore) {
    ui::MessageBoxes* real = &ui::messageBoxes();
    ui::ModalRunner* realRunner = &ui::modalRunner();
    ui::Launcher* realLauncher = &ui::launcher();
    {
        MessageBoxDouble outer;
        {
            MessageBoxDouble inner;
            EXPECT_EQ(&ui::messageBoxes(), &inner);
        }
        EXPECT_EQ(&ui::messageBoxes(), &outer);
        ModalDouble modal;
        LauncherDouble launcher;
        EXPECT_EQ(&ui::modalRunner(), &modal);
        EXPECT_EQ(&ui::launcher(), &launcher);
    }
    EXPECT_EQ(&ui::messageBoxes(), real);
    EXPECT_EQ(&ui::modalRunner(), realRunner);
    EXPECT_EQ(&ui::launcher(), realLauncher);
}

TEST(ModalDouble, TheStepDecidesTheResult) {
    ModalDouble modal;
    modal.then<Credits>("Credits_vo", [](Credits& c) { c.control<ui::MYPUSHBUTTON>("PSHOK")->click(); });
    Credits credits;
    EXPECT_EQ(ui::showModal(credits), 1);
    EXPECT_EQ(modal.shown(), std::vector<std::string>{"Credits_vo"});
}

TEST(ModalDouble, NestedDialogsTakeTheNextStep) {
    ModalDouble modal;
    KindsDialog outer;
    int nestedResult = -1;
    outer.onCancel = [&] {
        Credits credits(&outer);
        nestedResult = ui::showModal(credits);
    };
    modal.then<KindsDialog>("KindsDialog_vo",
                            [](KindsDialog& d) { d.control<ui::MYPUSHBUTTON>("PSHCANCEL")->click(); });
    modal.then<Credits>("Credits_vo", [](Credits& c) { c.control<ui::MYPUSHBUTTON>("PSHOK")->click(); });

    EXPECT_EQ(ui::showModal(outer), 2);
    EXPECT_EQ(nestedResult, 1);
    EXPECT_EQ(modal.shown(), (std::vector<std::string>{"KindsDialog_vo", "Credits_vo"}));
    EXPECT_EQ(outer.activations, 2) << "when shown, and again when the nested dialog closed";
}

TEST(ModalDouble, ADialogWithoutAStepFailsAndIsRejected) {
    ModalDouble modal;
    Credits credits;
    int result = -1;
    EXPECT_NONFATAL_FAILURE(result = ui::showModal(credits), "no scripted step for the dialog Credits_vo");
    EXPECT_EQ(result, 0);
}

TEST(ModalDouble, ATypedStepGivenAnotherDialogFailsAndTheDialogIsRejected) {
    struct Case {
        const char* name;
        std::function<void(ModalDouble&, bool& stepRan)> script;
        const char* failure;
    };
    const Case cases[] = {
        {"another class",
         [](ModalDouble& m, bool& ran) {
             m.then<KindsDialog>("Credits_vo", [&ran](KindsDialog&) { ran = true; });
         },
         "expected the dialog Credits_vo (hartool::test::KindsDialog), got Credits_vo (hartool::Credits)"},
        {"another name",
         [](ModalDouble& m, bool& ran) { m.then<Credits>("About_vo", [&ran](Credits&) { ran = true; }); },
         "expected the dialog About_vo (hartool::Credits), got Credits_vo (hartool::Credits)"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        ModalDouble modal;
        bool stepRan = false;
        c.script(modal, stepRan);
        Credits credits;
        int result = -1;
        EXPECT_NONFATAL_FAILURE(result = ui::showModal(credits), c.failure);
        EXPECT_EQ(result, 0);
        EXPECT_FALSE(stepRan);
    }
}

TEST(ModalDouble, AStepThatLeavesItsDialogOpenFails) {
    ModalDouble modal;
    modal.then<Credits>("Credits_vo", [](Credits&) {});
    Credits credits;
    EXPECT_NONFATAL_FAILURE(ui::showModal(credits), "left the dialog Credits_vo open");
}

TEST(ModalDouble, ADialogWithAButtonWithoutHandlerFails) {
    ModalDouble modal;
    modal.then<ui::Dialog>("KindsDialog_vo", [](ui::Dialog& d) { d.accept(); });
    ui::Dialog dialog(kKindsTemplate, nullptr);
    EXPECT_NONFATAL_FAILURE(ui::showModal(dialog), "no handler for the buttons PSHOK PSHCANCEL PSHOFF");
}

QString expectedEditor() {
#ifdef Q_OS_WIN
    return "notepad.exe";
#else
    return "xdg-open";
#endif
}

TEST(Launcher, NotePadMeansTheTextEditorWithThePathAsOneArgument) {
    TempDir dir;
    const std::string file = dir.write("a b;$(x).txt", "text");
    struct Case {
        std::string commandLine;
        QString program;
        bool textEditor;
    };
    for (const Case& c :
         {Case{"NotePad " + file, expectedEditor(), true}, Case{"notepad " + file, expectedEditor(), true},
          Case{"NOTEPAD " + file, expectedEditor(), true}, Case{"viewer " + file, "viewer", false}}) {
        SCOPED_TRACE(c.commandLine);
        const ui::LaunchCommand command = ui::launchCommand(c.commandLine);
        EXPECT_EQ(command.program, c.program);
        EXPECT_EQ(command.textEditor, c.textEditor);
        EXPECT_EQ(command.arguments, QStringList{QString::fromStdString(file)});
    }
}

TEST(Launcher, ThePathIsResolvedLikeEveryOtherPath) {
    TempDir dir;
    const std::string file = dir.write("Data/Notes Here.TXT", "text");
    // The tool spells paths Windows-style and in its own case.
    const std::string asWritten = dir.folder() + "DATA\\notes here.txt";
    const ui::LaunchCommand command = ui::launchCommand("NotePad " + asWritten);
    ASSERT_EQ(command.arguments.size(), 1);
    EXPECT_TRUE(std::filesystem::equivalent(command.arguments[0].toStdString(), file));
}

TEST(Launcher, AProgramWordAloneHasNoArguments) {
    EXPECT_EQ(ui::launchCommand("NotePad").arguments, QStringList{});
    EXPECT_EQ(ui::launchCommand("NotePad").program, expectedEditor());
}

}  // namespace
}  // namespace hartool::test
