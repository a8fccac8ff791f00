// The progress box as the core operations see it: a callback that says whether to go on.

#include "gui/ui/progressbox.h"

#include <QWidget>

#include <gtest/gtest.h>

namespace hartool::test {
namespace {

TEST(ProgressBox, IsSetUpForOneOperation) {
    QWidget owner;
    const ui::ProgressBox box(&owner, "restore campaigns");
    EXPECT_EQ(box.dialog().windowTitle(), "restore campaigns");
    EXPECT_EQ(box.dialog().labelText(), "restore campaigns");
    EXPECT_EQ(box.dialog().windowModality(), Qt::WindowModal);
    EXPECT_EQ(box.dialog().minimumDuration(), 1000);
    EXPECT_EQ(box.dialog().parentWidget(), &owner);
}

TEST(ProgressBox, CancelStopsTheOperationAtItsNextFile) {
    struct Case {
        const char* name;
        std::size_t cancelBefore;  // the step at which Cancel is pressed; past the end: never
        std::vector<bool> answers;
    };
    const Case cases[] = {
        {"never", 9, {true, true, true, true}},
        {"at once", 0, {false, false, false, false}},
        {"after the second file", 2, {true, true, false, false}},
        {"before the last file", 3, {true, true, true, false}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        ui::ProgressBox box(nullptr, "copy");
        const Progress progress = box.callback();
        std::vector<bool> answers;
        for (std::size_t done = 0; done < 4; ++done) {
            if (done == c.cancelBefore) box.cancel();
            answers.push_back(progress(done, 4));
        }
        EXPECT_EQ(answers, c.answers);
        if (c.cancelBefore >= 4) EXPECT_EQ(box.dialog().maximum(), 4) << "the bar counts the files";
    }
}

TEST(ProgressBox, SaysHowManyFilesOfHowMany) {
    struct Case {
        std::size_t done, total;
        std::string text;
    };
    for (const Case& c :
         {Case{0, 1, "0 of 1 file"}, Case{999, 1000, "999 of 1,000 files"},
          Case{1234, 18065, "1,234 of 18,065 files"}, Case{5, 1234567, "5 of 1,234,567 files"}})
        EXPECT_EQ(ui::filesDone(c.done, c.total), c.text);
    ui::ProgressBox box(nullptr, "copy");
    box.callback()(1234, 18065);
    EXPECT_EQ(box.dialog().labelText().toStdString(), "copy\n1,234 of 18,065 files");
}

}  // namespace
}  // namespace hartool::test
