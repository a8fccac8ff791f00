// The dialogs on the reference laptop: 1366x768 with a panel, so 1366x720 logical pixels available, at the
// scale HARTOOL_TEST_SCALE gives (1 or 2; ctest runs both). Every text fits its control, every dialog the
// screen, and the dialogs that hold lists and texts grow with the player's resizing and keep that size.

#include "core/briefing/mapgraphics.h"
#include "gui/app/credits.h"
#include "gui/app/patchdialog.h"
#include "gui/briefing/briefedit.h"
#include "gui/briefing/mappreview.h"
#include "gui/missiontools/copymiss.h"
#include "gui/missiontools/missprop.h"
#include "gui/missiontools/mtool.h"
#include "gui/missiontools/newbrief.h"
#include "gui/transfer/mover.h"
#include "gui/ui/messagebox.h"
#include "gui/ui/progressbox.h"
#include "gui/ui/textviewer.h"
#include "support/guicaptionfit.h"
#include "support/guigameworld.h"

#include <QApplication>
#include <QFontDatabase>
#include <QLabel>
#include <QMessageBox>
#include <QScreen>
#include <QStyle>

#include <gtest/gtest.h>

#include <fstream>
#include <functional>

namespace hartool::test {
namespace {

const QSize kAvailable(1366, 720);
const std::string kBriefings = "Data/Backup/Briefings/";

struct NoChecks : ui::GameChecks {
    bool FILEOK(bool) override { return true; }
    bool COPYOK() const override { return false; }
};

// The title bar as the window manager draws it: the caption in the (bold) title font, and room for buttons.
int titleBarNeeds(const QString& caption) {
    QFont font = QFontDatabase::systemFont(QFontDatabase::TitleFont);
    font.setBold(true);
    const QFontMetrics metrics(font);
    return metrics.horizontalAdvance(caption) + 2 * metrics.height();
}

// Names of the list lines wider than their list shows without scrolling sideways.
std::vector<std::string> cutOffLines(const QWidget& dialog) {
    std::vector<std::string> cut;
    for (const QListWidget* list : dialog.findChildren<QListWidget*>()) {
        const int margin = 2 * (list->style()->pixelMetric(QStyle::PM_FocusFrameHMargin, nullptr, list) + 1);
        for (int i = 0; i < list->count(); ++i) {
            const QString line = list->item(i)->text();
            if (list->fontMetrics().horizontalAdvance(line) + margin > list->viewport()->width())
                cut.push_back(list->objectName().toStdString() + ": " + line.toStdString());
        }
    }
    return cut;
}

class FitTest : public GameWorld {
  protected:
    FitTest() {
        // A 30-character title with an 8.3 name, a briefing named after it, and the demo's own.
        game.write("Data/Battles/Player/ABCDEFGH.TXT",
                   "TITLE: Operation Thunder Over The Rhi\r\nSIDE: 0\r\n");
        game.write(kBriefings + "Operation Thunder Over The Rhi", "[Briefing 0]\r\nHeading = 9, Go\r\n");
        game.write(kBriefings + "three",
                   "[Briefing 0]\r\nHeading = 9, A\r\n[Briefing 1]\r\nHeading = 9, B\r\n"
                   "[Briefing 2]\r\nHeading = 9, C\r\n");
    }

    std::map<std::string, std::function<std::unique_ptr<ui::Dialog>()>> everyDialog() {
        const std::string path = game.gamePath();
        return {
            {"PatchDialog_vo", [] { return std::make_unique<PatchDialog>(); }},
            {"Credits_vo", [] { return std::make_unique<Credits>(); }},
            {"Mover_vo",
             [this, path] { return std::make_unique<Mover>(nullptr, checks_, kCampaigns, path); }},
            {"MTool_vo", [path] { return std::make_unique<MTool>(nullptr, path); }},
            {"CopyMiss_vo", [path] { return std::make_unique<CopyMiss>(nullptr, path); }},
            {"MissProp_vo",
             [path] {
                 // As the mission tools open it: the mission's title behind the caption.
                 auto d = std::make_unique<MissProp>(nullptr, path + "Data\\Battles\\Player\\S01.TXT");
                 d->setWindowTitle(d->windowTitle() + "     Operation Thunder Over The Rhi");
                 return d;
             }},
            {"BriefEdit_vo",
             [this] { return std::make_unique<BriefEdit>(nullptr, game.path(kBriefings + "three"), true); }},
            {"NewBrief_vo", [] { return std::make_unique<NewBrief>(nullptr, ""); }},
            {"MapPreview_vo",
             [this] {
                 BriefSupport three(game.path(kBriefings + "three"));
                 return std::make_unique<MapPreview>(nullptr, mapPages(three), game.gamePath());
             }},
        };
    }

    NoChecks checks_;
};

TEST_F(FitTest, EveryTextFitsItsControlAndEveryDialogTheScreen) {
    ASSERT_EQ(QGuiApplication::primaryScreen()->availableGeometry().size(), kAvailable);
    const auto dialogs = everyDialog();
    for (const resources::DialogTemplate* t : resources::dialogTemplates())
        EXPECT_TRUE(dialogs.contains(std::string(t->name))) << t->name << " is not tried";
    for (const auto& [name, make] : dialogs) {
        SCOPED_TRACE(name);
        const std::unique_ptr<ui::Dialog> dialog = make();
        dialog->show();
        EXPECT_EQ(cutOffCaptions(*dialog), std::vector<std::string>{});
        EXPECT_EQ(cutOffLines(*dialog), std::vector<std::string>{});
        EXPECT_GE(dialog->width(), titleBarNeeds(dialog->windowTitle()));
        EXPECT_TRUE(QRect(QPoint(), kAvailable).contains(dialog->geometry()))
            << dialog->geometry().x() << "," << dialog->geometry().y() << " " << dialog->width() << "x"
            << dialog->height();
        EXPECT_EQ(dialog->resizable(), dialog->minimumSize() != dialog->maximumSize());
    }
}

TEST_F(FitTest, MapPreviewOffersOnlyThePagesTheBriefingHas) {
    const std::unique_ptr<ui::Dialog> preview = everyDialog().at("MapPreview_vo")();
    EXPECT_EQ(preview->control<ui::MYCOMBOBOX>("CMBPAGE")->count(), 3);
}

TEST_F(FitTest, BoxesWrapLongPathsAndShowTheirCaptions) {
    const std::string path = "C:\\Games\\Vantrope\\Harvane!\\Data\\Backup\\Briefings\\";
    std::string longText = "The briefing could not be saved to ";
    for (int i = 0; i < 6; ++i) longText += path;
    const std::string longCaption = "restore the original campaigns and the single missions";
    for (const auto kind : {ui::BoxKind::Information, ui::BoxKind::Question}) {
        const std::unique_ptr<QMessageBox> box = ui::makeMessageBox(kind, nullptr, longCaption, longText);
        box->show();
        const QLabel* text = box->findChild<QLabel*>(QStringLiteral("qt_msgbox_label"));
        ASSERT_NE(text, nullptr);
        EXPECT_LE(box->width(), kAvailable.width() * 2 / 3);
        EXPECT_LE(text->minimumSizeHint().width(), text->width()) << "a word of the text is cut";
        EXPECT_GE(box->width(), titleBarNeeds(box->windowTitle()));
    }
    for (const char* caption : {"save campaigns", "restore campaigns", "transfer single battles"}) {
        ui::ProgressBox progress(nullptr, caption);
        auto& dialog = const_cast<QProgressDialog&>(progress.dialog());
        dialog.show();
        EXPECT_GE(dialog.width(), titleBarNeeds(dialog.windowTitle())) << caption;
    }
}

// How a control keeps its place when the dialog grows: which of its edges keep their distance to which
// edges of the dialog.
enum Keeps { Grows = 0, Left = 1, Top = 2, Right = 4, Bottom = 8 };

TEST_F(FitTest, ListsAndTextsGrowWithTheDialogAndTheSizeIsKept) {
    struct Case {
        std::string dialog, close;
        std::vector<std::pair<std::string, int>> controls;
    };
    const Case cases[] = {
        {"MTool_vo",
         "PSHCANCEL",
         {{"LBMISSIONS", Grows},
          {"LBBRIEFINGS", Grows},
          {"FTXTKAMP1", Left | Top},
          {"PSHPROP", Left | Bottom},
          {"PSHTEXTEDIT", Right | Bottom},
          {"PSHCONNECT", Bottom}}},
        {"BriefEdit_vo",
         "PSHCANCEL",
         {{"MLEBRIEF1", Grows},
          {"MLEBRIEF5", Grows},
          {"RBGMODE", Left | Top},
          {"SLEBRIEF5", Left},
          {"PSHMAP", Right | Bottom},
          {"PSHSAVE", Bottom}}},
    };
    const QSize grow(160, 120);
    for (const Case& c : cases) {
        SCOPED_TRACE(c.dialog);
        QSize chosen;
        {
            const std::unique_ptr<ui::Dialog> dialog = everyDialog().at(c.dialog)();
            dialog->show();
            ASSERT_TRUE(dialog->resizable());
            std::map<std::string, QRect> before;
            for (const auto& [name, keeps] : c.controls)
                before[name] = dialog->control<QWidget>(name)->geometry();
            const QRect inner = dialog->rect();
            chosen = dialog->size() + grow;
            dialog->resize(chosen);
            ASSERT_EQ(dialog->size(), chosen);
            for (const auto& [name, keeps] : c.controls) {
                SCOPED_TRACE(name);
                const QRect was = before[name];
                const QRect now = dialog->control<QWidget>(name)->geometry();
                if (keeps == Grows) {
                    EXPECT_GT(now.width(), was.width());
                    EXPECT_GT(now.height(), was.height());
                }
                if (keeps & Left) {
                    EXPECT_EQ(now.left(), was.left());
                }
                if (keeps & Top) {
                    EXPECT_EQ(now.top(), was.top());
                }
                if (keeps & Right) {
                    EXPECT_EQ(dialog->width() - now.right(), inner.width() - was.right());
                }
                if (keeps & Bottom) {
                    EXPECT_EQ(dialog->height() - now.bottom(), inner.height() - was.bottom());
                }
            }
            dialog->control<QPushButton>(c.close)->click();
            EXPECT_FALSE(dialog->isVisible());
        }
        const std::unique_ptr<ui::Dialog> again = everyDialog().at(c.dialog)();
        again->show();
        EXPECT_EQ(again->size(), chosen) << "the size is kept in " << ini();
    }
    // The text viewer keeps its size the same way.
    QSize chosen;
    {
        ui::TextViewer viewer("Help", "text");
        viewer.show();
        chosen = viewer.size() - QSize(40, 30);
        viewer.resize(chosen);
        viewer.hide();
    }
    ui::TextViewer again("Help", "text");
    EXPECT_EQ(again.size(), chosen);

    std::ifstream settings(ini());
    const std::string text((std::istreambuf_iterator<char>(settings)), std::istreambuf_iterator<char>());
    EXPECT_NE(text.find("[SIZE]"), std::string::npos) << text;
}

TEST_F(FitTest, AHandEditedSizeNeverOpensADialogBeyondTheScreenOrBelowItsTemplate) {
    for (const char* value : {"garbage", "0 0", "99999 99999", "-5 300", "10 10", "700"}) {
        SCOPED_TRACE(value);
        ASSERT_TRUE(platform::WRITEENVIRONMENT("SIZE", "MTool_vo", value, ini()));
        const std::unique_ptr<ui::Dialog> dialog = everyDialog().at("MTool_vo")();
        dialog->show();
        EXPECT_TRUE(QRect(QPoint(), kAvailable).contains(dialog->geometry()));
        EXPECT_GE(dialog->width(), dialog->minimumWidth());
        EXPECT_GE(dialog->height(), dialog->minimumHeight());
        EXPECT_EQ(cutOffCaptions(*dialog), std::vector<std::string>{});
    }
}

// Three pages of texts, far taller than the screen, with a button row that moves with the bottom edge.
constexpr resources::ControlTemplate kTallRows[] = {
    {100, "MLETOP", resources::ControlKind::MultiLineEdit, "", 4, 4, 200, 880, resources::NoStyle, "",
     resources::kGrows},
    {101, "PSHOK", resources::ControlKind::PushButton, "OK", 4, 900, 50, 12, resources::NoStyle, "",
     resources::kMovesDown},
    {102, "PSHCANCEL", resources::ControlKind::PushButton, "Cancel", 154, 900, 50, 12, resources::NoStyle, "",
     resources::kMovesRightAndDown},
};
constexpr resources::DialogTemplate kTall{"Tall_vo", "tall", 5, 16, 208, 916, "MS Sans Serif", 8, kTallRows};

TEST_F(FitTest, ATemplateTallerThanTheScreenScrollsAboveItsButtons) {
    ui::Dialog tall(kTall, nullptr);
    tall.show();
    EXPECT_TRUE(tall.scrolls());
    EXPECT_TRUE(QRect(QPoint(), kAvailable).contains(tall.geometry()));
    for (const char* button : {"PSHOK", "PSHCANCEL"}) {
        const QWidget* b = tall.control<QWidget>(button);
        EXPECT_TRUE(tall.rect().contains(QRect(b->mapTo(&tall, QPoint()), b->size()))) << button;
    }
    const QWidget* text = tall.control<QWidget>("MLETOP");
    EXPECT_FALSE(tall.rect().contains(QRect(text->mapTo(&tall, QPoint()), text->size()))) << "it scrolls";
}

}  // namespace
}  // namespace hartool::test

// The reference screen, set before the application starts: the offscreen screen's size is in device pixels.
int main(int argc, char* argv[]) {
    const int scale = std::max(1, qEnvironmentVariableIntValue("HARTOOL_TEST_SCALE"));
    const hartool::test::TempDir folder;
    const std::string config = folder.write(
        "screen.json", "{\"screens\": [{\"name\": \"laptop\", \"x\": 0, \"y\": 0, \"width\": " +
                           std::to_string(hartool::test::kAvailable.width() * scale) +
                           ", \"height\": " + std::to_string(hartool::test::kAvailable.height() * scale) +
                           ", \"logicalDpi\": 96}]}");
    qputenv("QT_QPA_PLATFORM", QByteArray("offscreen:configfile=") + config.c_str());
    qputenv("QT_SCALE_FACTOR", QByteArray::number(scale));
    ::testing::InitGoogleTest(&argc, argv);
    QApplication app(argc, argv);
    return RUN_ALL_TESTS();
}
