// The dialogs on the reference laptop: 1366x768 with a panel, so 1366x720 logical pixels available, at the
// scale HARTOOL_TEST_SCALE gives (1 or 2; ctest runs both). Every text fits its control, every dialog the
// screen, and the dialogs that hold lists and texts grow with the player's resizing and keep that size.

#include "core/briefing/mapgraphics.h"
#include "core/check/check.h"
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
#include "gui/ui/messagebox.h"
#include "gui/ui/progressbox.h"
#include "support/guicaptionfit.h"
#include "support/guigameworld.h"

#include <QApplication>
#include <QFontDatabase>
#include <QLabel>
#include <QMessageBox>
#include <QScreen>
#include <QStyle>

#include <gtest/gtest.h>

#include <array>
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
            {"CheckMiss_vo",
             [path] {
                 return std::make_unique<CheckMiss>(nullptr, checkMissions(GameFolders::fromGamePath(path)),
                                                    path);
             }},
        };
    }

    NoChecks checks_;
};

TEST_F(FitTest, EveryTextFitsItsControlAndEveryDialogTheScreen) {
    ASSERT_EQ(QGuiApplication::primaryScreen()->availableGeometry().size(), kAvailable);
    // A size from the settings larger than the screen, as a hand-edited or carried-over file may hold.
    ASSERT_TRUE(platform::WRITEENVIRONMENT("SIZE", "Mover_vo", "99999 99999", ini()));
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
        EXPECT_TRUE(QRect(QPoint(), kAvailable).contains(dialog->geometry()));
        EXPECT_EQ(dialog->resizable(), dialog->minimumSize() != dialog->maximumSize());
    }
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

// Which distances of a control to the dialog's left, top, right and bottom edge stay when it grows.
enum Keeps { Grows = 0, Left = 1, Top = 2, Right = 4, Bottom = 8 };

std::array<int, 4> distances(const QWidget& control) {
    const QRect r = control.geometry();
    const QWidget& d = *control.window();
    return {r.left(), r.top(), d.width() - r.right(), d.height() - r.bottom()};
}

TEST_F(FitTest, ListsAndTextsGrowWithTheDialogAndTheSizeIsKept) {
    const std::map<std::string, std::vector<std::pair<std::string, int>>> cases{
        {"MTool_vo",
         {{"LBMISSIONS", Grows},
          {"LBBRIEFINGS", Grows},
          {"FTXTKAMP1", Left | Top},
          {"PSHPROP", Left | Bottom},
          {"PSHTEXTEDIT", Right | Bottom},
          {"PSHCONNECT", Bottom}}},
        {"BriefEdit_vo",
         {{"MLEBRIEF1", Grows},
          {"MLEBRIEF5", Grows},
          {"RBGMODE", Left | Top},
          {"SLEBRIEF5", Left},
          {"PSHMAP", Right | Bottom},
          {"PSHSAVE", Bottom}}},
    };
    for (const auto& [name, controls] : cases) {
        SCOPED_TRACE(name);
        QSize chosen;
        {
            const std::unique_ptr<ui::Dialog> dialog = everyDialog().at(name)();
            dialog->show();
            std::map<std::string, std::pair<QSize, std::array<int, 4>>> before;
            for (const auto& [control, keeps] : controls) {
                const QWidget& w = *dialog->control<QWidget>(control);
                before[control] = {w.size(), distances(w)};
            }
            chosen = dialog->size() + QSize(160, 120);
            dialog->resize(chosen);
            ASSERT_EQ(dialog->size(), chosen);
            for (const auto& [control, keeps] : controls) {
                SCOPED_TRACE(control);
                const QWidget& w = *dialog->control<QWidget>(control);
                const auto& [size, kept] = before[control];
                EXPECT_EQ(w.width() > size.width() && w.height() > size.height(), keeps == Grows);
                for (int edge = 0; edge < 4; ++edge) {
                    if (keeps & (1 << edge)) {
                        EXPECT_EQ(distances(w)[edge], kept[edge]) << edge;
                    }
                }
            }
            dialog->control<QPushButton>("PSHCANCEL")->click();
        }
        EXPECT_NE(platform::GETENVIRONMENT("SIZE", name, ini()), "");
        const std::unique_ptr<ui::Dialog> again = everyDialog().at(name)();
        again->show();
        EXPECT_EQ(again->size(), chosen);
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
