// The real message boxes, shown but not run.

#include "gui/ui/messagebox.h"

#include <QApplication>
#include <QFontDatabase>
#include <QFontMetrics>
#include <QMessageBox>
#include <QPushButton>
#include <QTest>
#include <QTimer>

#include <gtest/gtest.h>

namespace hartool::test {
namespace {

int shownWidth(ui::BoxKind kind, const std::string& caption, const std::string& text) {
    const std::unique_ptr<QMessageBox> box = ui::makeMessageBox(kind, nullptr, caption, text);
    box->show();
    return box->width();
}

TEST(MessageBox, IsWideEnoughForItsCaptionAndTheTitleBarButtons) {
    const std::string caption = "extract briefing of the mission Night Raid over the river";
    const QFontMetrics title(QFontDatabase::systemFont(QFontDatabase::TitleFont));
    const int captionWidth = title.horizontalAdvance(QString::fromStdString(caption));
    const int closeButton = title.height();
    for (const ui::BoxKind kind : {ui::BoxKind::Information, ui::BoxKind::Question}) {
        SCOPED_TRACE(kind == ui::BoxKind::Question ? "question" : "information");
        EXPECT_GE(shownWidth(kind, caption, "done"), captionWidth + 2 * closeButton);
        EXPECT_LT(shownWidth(kind, "copy", "done"), captionWidth) << "a short caption does not widen the box";
    }
}

TEST(MessageBox, QuestionsDefaultToYes) {
    const std::unique_ptr<QMessageBox> box =
        ui::makeMessageBox(ui::BoxKind::Question, nullptr, "delete", "sure?");
    EXPECT_EQ(box->standardButtons(), QMessageBox::Yes | QMessageBox::No);
    EXPECT_EQ(box->defaultButton(), qobject_cast<QPushButton*>(box->button(QMessageBox::Yes)));
}

// The real question box run as the player answers it with the keyboard: Enter presses the default button.
TEST(MessageBox, EnterPressesTheDefaultAndEscapeCancelsOrSaysNo) {
    struct Case {
        const char* name;
        ui::Ask ask;
        Qt::Key key;
        ui::Reply reply;
    };
    const Case cases[] = {
        {"Enter, Yes by default", {}, Qt::Key_Return, ui::Reply::Yes},
        {"Enter, No by default", ui::kNoByDefault, Qt::Key_Return, ui::Reply::No},
        {"Esc without Cancel", {}, Qt::Key_Escape, ui::Reply::No},
        {"Esc with Cancel", {ui::Reply::Yes, true}, Qt::Key_Escape, ui::Reply::Cancel},
        {"Enter with Cancel", {ui::Reply::Yes, true}, Qt::Key_Return, ui::Reply::Yes},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        QTimer::singleShot(0, [&] {
            QWidget* box = QApplication::activeModalWidget();
            ASSERT_NE(box, nullptr);
            QTest::keyClick(box, c.key);
        });
        EXPECT_EQ(ui::WARNINGBOX(nullptr, "delete", "sure?", c.ask), c.reply);
    }
}

}  // namespace
}  // namespace hartool::test
