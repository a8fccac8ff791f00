// The tool's own text editor, and the launcher following a handler to its end.

#include <gtest/gtest.h>

#include <QPlainTextEdit>
#include <QPushButton>
#include <QSignalSpy>
#include <QTest>
#include <QTextCursor>

#include <filesystem>

#include "core/platform/filesystem.h"
#include "gui/ui/launcher.h"
#include "gui/ui/texteditor.h"
#include "support/guimessageboxdouble.h"
#include "support/tempdir.h"

namespace hartool::test {
namespace {

void typeAtEnd(ui::TextEditor& e, const QString& text) {
    QTextCursor cursor = e.view()->textCursor();
    cursor.movePosition(QTextCursor::End);
    e.view()->setTextCursor(cursor);
    e.view()->insertPlainText(text);
}

QPushButton* saveButton(ui::TextEditor& e) {
    return e.findChild<QPushButton*>("PSHSAVE");
}

TEST(TextEditor, KeepsTheFilesBytesAndItsLineEnds) {
    const std::string kOdd("A\nB\r\nC\r\xE9\x81\x9D\0x", 12);
    struct Case {
        const char* name;
        std::string bytes;
        QString typed;         // at the end; empty: saved unchanged
        std::string expected;  // the file afterwards
    };
    const Case cases[] = {
        {"windows, unchanged", "TITLE: A\r\n[Briefing 1]\r\n", "", "TITLE: A\r\n[Briefing 1]\r\n"},
        {"mixed and unusual bytes, unchanged", kOdd, "", kOdd},
        {"windows, edited", "A\r\nB\r\n", "C\n", "A\r\nB\r\nC\r\n"},
        {"unix, edited", "A\nB", QString::fromUtf8("\n\xC3\xA9"), "A\nB\n\xE9"},
        {"old mac, edited", "A\rB", "C", "A\rBC"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        TempDir dir;
        MessageBoxDouble boxes;
        const std::string file = dir.write("F.TXT", c.bytes);
        ui::TextEditor e(file, "F.TXT");
        ASSERT_TRUE(e.readInFull());
        if (!c.typed.isEmpty()) typeAtEnd(e, c.typed);
        saveButton(e)->click();
        EXPECT_EQ(dir.read("F.TXT"), c.expected);
        EXPECT_FALSE(e.view()->document()->isModified());
        EXPECT_TRUE(boxes.boxes().empty());
    }
}

TEST(TextEditor, AsksBeforeDiscardingAndTellsWhatFailed) {
    TempDir dir;
    MessageBoxDouble boxes;
    const std::string file = dir.write("F.TXT", "A\r\n");
    {
        ui::TextEditor e(file, "F.TXT");
        QSignalSpy ended(&e, &QDialog::finished);
        e.reject();  // unchanged: no question
        EXPECT_EQ(ended.count(), 1);
    }
    {
        ui::TextEditor e(file, "F.TXT");
        QSignalSpy ended(&e, &QDialog::finished);
        typeAtEnd(e, "B");
        boxes.answer(ui::Reply::No);
        e.reject();
        EXPECT_EQ(ended.count(), 0);
        boxes.answer(ui::Reply::Yes);
        e.reject();
        EXPECT_EQ(ended.count(), 1);
        EXPECT_EQ(boxes.boxes(), std::vector(2, question("text editor", "discard the changes to F.TXT ?")));
    }
    // A read-only file stays as it was, and the editor says why.
    boxes.clear();
    ASSERT_TRUE(platform::setAttributes(file, platform::READONLY));
    {
        ui::TextEditor e(file, "F.TXT");
        typeAtEnd(e, "B");
        EXPECT_FALSE(e.save());
        ASSERT_EQ(boxes.boxes().size(), 1u);
        EXPECT_TRUE(boxes.boxes()[0].text.starts_with("F.TXT could not be saved: ")) << boxes.boxes()[0];
        EXPECT_EQ(dir.read("F.TXT"), "A\r\n");
    }
    ASSERT_TRUE(platform::setAttributes(file, 0));
    // A file that cannot be read is not offered for saving.
    ui::TextEditor gone(dir.folder() + "GONE.TXT", "GONE.TXT");
    EXPECT_FALSE(gone.readInFull());
    EXPECT_FALSE(saveButton(gone)->isEnabled());
    EXPECT_FALSE(gone.save());
    EXPECT_FALSE(dir.exists("GONE.TXT"));
}

TEST(ProcessLauncher, FollowsAHandlerThatFailsAfterTheWaitAndTriesTheEditorsThen) {
#ifdef Q_OS_WIN
    GTEST_SKIP() << "Windows starts notepad.exe";
#endif
    for (const bool editorThere : {false, true}) {
        SCOPED_TRACE(editorThere ? "an editor is there" : "no editor");
        TempDir bin, work;
        const auto add = [&](const std::string& name, const std::string& body) {
            std::filesystem::permissions(bin.write(name, "#!/bin/sh\n" + body + "\n"),
                                         std::filesystem::perms::owner_all,
                                         std::filesystem::perm_options::add);
        };
        add("xdg-open", "sleep 0.5; exit 3");
        if (editorThere) add("gedit", "touch '" + work.folder() + "opened'");
        const std::string file = work.write("F.TXT", "x");
        ui::ProcessLauncher launcher(
            {{QString::fromStdString(bin.path().string())}, {"gedit"}, std::chrono::milliseconds(50)});
        std::optional<ui::LaunchResult> late;
        const ui::LaunchResult now =
            launcher.follow("NotePad " + file, [&](const ui::LaunchResult& r) { late = r; });
        EXPECT_EQ(now.tried(), "xdg-open: running");
        EXPECT_TRUE(now.started());
        if (editorThere) {
            EXPECT_TRUE(QTest::qWaitFor([&] { return work.exists("opened"); }, 20000));
            EXPECT_FALSE(late);
        } else {
            ASSERT_TRUE(QTest::qWaitFor([&] { return late.has_value(); }, 20000));
            EXPECT_EQ(late->tried(), "xdg-open: exit code 3");
            EXPECT_EQ(late->failure, "no text editor found");
        }
    }
}

}  // namespace
}  // namespace hartool::test
