// The real message boxes, shown but not run.

#include "gui/ui/messagebox.h"

#include <QFontDatabase>
#include <QFontMetrics>
#include <QMessageBox>
#include <QPushButton>

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

}  // namespace
}  // namespace hartool::test
