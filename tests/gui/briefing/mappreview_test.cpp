// The map preview: what the renderer draws where, and the dialog as the editor opens it.

#include <gtest/gtest.h>

#include <QAbstractButton>
#include <QApplication>
#include <QFileDialog>
#include <QFileInfo>
#include <QImage>
#include <QMouseEvent>
#include <QScrollArea>
#include <QTest>

#include <string>

#include "gui/briefing/briefedit.h"
#include "gui/briefing/mappreview.h"
#include "gui/briefing/maprender.h"
#include "gui/ui/controls.h"
#include "gui/ui/textconvert.h"
#include "support/failingfilesystem.h"
#include "support/guimessageboxdouble.h"
#include "support/guimodaldouble.h"
#include "support/tempdir.h"

namespace hartool::test {
namespace {

// 16 by 9 pixels of palette colour 1, (1, 2, 3): a line is one run of 16.
std::string solidSprite() {
    std::string pcx(128, '\0');
    pcx[0] = 0x0A, pcx[1] = 5, pcx[2] = 1, pcx[3] = 8;
    pcx[8] = 15, pcx[10] = 8, pcx[65] = 1, pcx[66] = 16;
    for (int y = 0; y < 9; ++y) pcx += "\xD0\x01";
    std::string palette(769, '\0');
    palette[0] = 0x0C;
    palette[1] = '\xFF', palette[3] = '\xFF';
    palette[4] = 1, palette[5] = 2, palette[6] = 3;
    return pcx + palette;
}

// The analysis's worked example: a flight's start sprite and call sign, a waypoint and the line between.
MapPage workedExample() {
    Briefing page;
    page.CHEADING = "9, Orders";
    page.ASPRITESTRINGS = {"images\\uahb.pcx, 170, 183, 0", "images\\uwpcp.pcx, 208, 173, 0"};
    page.ALABELSTRINGS = {"170, 176, 99, 99, 208, 1, Raider"};
    page.ALINESTRINGS = {"200, 200, 200, 215, 193, 175, 193"};
    return mapPagesOf({page}, "").front();
}

bool hasColourIn(const QImage& image, QRect box, QRgb colour) {
    for (int y = box.top(); y <= box.bottom(); ++y)
        for (int x = box.left(); x <= box.right(); ++x)
            if (image.pixel(x, y) == colour) return true;
    return false;
}

class MapPreviewTest : public ::testing::Test {
  protected:
    MapPreviewTest() { dir.write("game/Images/UAHB.PCX", solidSprite()); }
    std::string game() const { return dir.folder() + "game\\"; }

    TempDir dir;
    MessageBoxDouble boxes;
};

TEST_F(MapPreviewTest, TheWorkedExampleLandsWhereTheAnalysisPutIt) {
    image::ImageFolder images(game());
    MapRenderer renderer(images);
    const MapPage page = workedExample();
    for (int zoom : {1, 2}) {
        SCOPED_TRACE(zoom);
        const RenderedMap rendered = renderer.render(page, zoom);
        // Through a PNG file, as the player saves it.
        const QString file = QString::fromStdString(dir.folder() + "map" + std::to_string(zoom) + ".png");
        ASSERT_TRUE(rendered.image.save(file, "PNG"));
        const QImage png(file);
        ASSERT_EQ(png.size(), QSize(320 * zoom, 320 * zoom));
        struct Probe {
            const char* what;
            int x, y;
            QRgb colour;
        };
        const Probe probes[] = {
            {"the flight's sprite, from the game folder", 184, 190, qRgb(1, 2, 3)},
            {"the waypoint's stand-in, blue", 212, 177, qRgb(40, 110, 255)},
            {"the line, in its colour", 195, 193, qRgb(200, 200, 200)},
            {"the ground where no map was named", 5, 5, qRgb(70, 84, 58)},
        };
        for (const Probe& p : probes) {
            // Both corners of the map unit: zooming keeps whole pixels.
            EXPECT_EQ(png.pixel(p.x * zoom, p.y * zoom), p.colour) << p.what;
            EXPECT_EQ(png.pixel(p.x * zoom + zoom - 1, p.y * zoom + zoom - 1), p.colour) << p.what;
        }
        EXPECT_TRUE(hasColourIn(png, QRect(170 * zoom, 176 * zoom, 40 * zoom, 12 * zoom), qRgb(99, 99, 208)))
            << "the label";
        EXPECT_FALSE(hasColourIn(png, QRect(0, 0, 160 * zoom, 160 * zoom), qRgb(99, 99, 208)));
        EXPECT_EQ(rendered.notFound, std::vector<std::string>{"images\\uwpcp.pcx"});
        EXPECT_EQ(rendered.offMap, 0u);
    }
    // The entry under the pointer, topmost first.
    const RenderedMap rendered = renderer.render(page, 1);
    const auto named = [&](double x, double y) {
        const int i = MapRenderer::entryAt(rendered, QPointF(x, y));
        return i < 0 ? std::string() : describeMapEntry(page.entries[static_cast<std::size_t>(i)]);
    };
    EXPECT_EQ(named(195, 194), "Line 0, page 1: from 215, 193 to 175, 193");
    EXPECT_EQ(named(184, 190), "Sprite 0, page 1: images\\uahb.pcx at 170, 183");
    EXPECT_EQ(named(172, 178), "Label 0, page 1: \"Raider\" at 170, 176");
    EXPECT_EQ(named(20, 20), "");
}

TEST_F(MapPreviewTest, EntriesOffTheMapAreDrawnAtTheEdgeAndCounted) {
    Briefing b;
    b.CHEADING = "9, Threat";
    b.CMAP = "maps\\none.pcx";
    b.ASPRITESTRINGS = {"images\\rtnkp.pcx, -40, 100, 0",     // wholly off: to the left edge
                        "images\\rsam6b.pcx, -110, -100, 0",  // a ring that reaches onto the map: drawn as is
                        "images\\utnkp.pcx, 100, 320, 0"};    // below the map
    b.ALABELSTRINGS = {"-5, 10, 99, 99, 208, 1, West"};
    const MapPage page = mapPagesOf({b}, "").front();
    image::ImageFolder images(game());
    const RenderedMap rendered = MapRenderer(images).render(page, 1);
    EXPECT_EQ(rendered.offMap, 3u);
    EXPECT_EQ(rendered.image.pixel(5, 105), qRgb(230, 40, 40));  // the red stand-in, moved to x 0
    EXPECT_EQ(rendered.image.pixel(105, 315), qRgb(40, 110, 255));
    EXPECT_TRUE(hasColourIn(rendered.image, QRect(0, 10, 30, 12), qRgb(99, 99, 208)));
    // The ring's right edge: its centre lies at 10, 20, 120 from its corner.
    EXPECT_TRUE(hasColourIn(rendered.image, QRect(124, 16, 8, 8), qRgb(230, 40, 40)));
    EXPECT_EQ(rendered.notFound, (std::vector<std::string>{"maps\\none.pcx", "images\\rtnkp.pcx",
                                                           "images\\rsam6b.pcx", "images\\utnkp.pcx"}));
    EXPECT_NE(mapStatusText(page, rendered.offMap, rendered.notFound, rendered.unreadable)
                  .find("3 entries lie off"),
              std::string::npos);
}

TEST_F(MapPreviewTest, TheEditorShowsItsUnsavedPagesAndThePreviewSavesAPng) {
    const std::string file = dir.write(
        "b.txt",
        "[Briefing 0]\r\nHeading = 9, Orders\r\nText = 1, 1, Go\r\n"
        "Sprite 0 = images\\uahb.pcx, 170, 183, 0\r\nLine 0 = 200, 200, 200, 215, 193, 175, 193\r\n");
    BriefEdit editor(nullptr, file, false, game());
    QAbstractButton* map = editor.control<QAbstractButton>("PSHMAP");
    ASSERT_NE(map, nullptr);
    EXPECT_FALSE(map->toolTip().isEmpty());
    EXPECT_TRUE(map->focusPolicy() & Qt::TabFocus);
    // Cleared on screen only: the page would not be saved, and the preview says so.
    editor.control<ui::MYSINGLELINEEDIT>("SLEBRIEF1")->clear();
    editor.control<ui::MYMULTILINEEDIT>("MLEBRIEF1")->clear();

    FailingFileSystem failing;
    failing.failOn(FailingFileSystem::Op::Write, "full.png", "no space left on device");
    struct Save {
        std::string name;
        std::string error;  // "" when it is saved
    };
    const Save saves[] = {{"page.png", ""},
                          {"\xD0\xBA\xD0\xB0\xD1\x80\xD1\x82\xD0\xB0.png", ""},  // "карта": no 1252 name
                          {"full.png", "no space left on device"}};
    ModalDouble modal;
    modal.then<MapPreview>("MapPreview_vo", [&](MapPreview& preview) {
        // The one page drawn on; the empty pages after it are not offered.
        EXPECT_EQ(preview.control<ui::MYCOMBOBOX>("CMBPAGE")->ITEMCOUNT(), 1u);
        const std::string status = ui::fromQt(preview.control<QLabel>("FTXTSTATUS")->text());
        EXPECT_NE(status.find("2 entries."), std::string::npos) << status;
        EXPECT_NE(status.find("not saved"), std::string::npos) << status;

        // The zoom by keyboard: two steps down is 3x.
        auto* zoom = preview.control<ui::MYCOMBOBOX>("CMBZOOM");
        QTest::keyClick(zoom, Qt::Key_Down);
        QTest::keyClick(zoom, Qt::Key_Down);
        EXPECT_EQ(preview.zoom(), 3);
        EXPECT_EQ(preview.rendered().image.size(), QSize(960, 960));

        // The pointer over the line, in pixels of the zoomed map.
        auto* canvas = preview.findChild<QLabel*>("MAPCANVAS");
        QMouseEvent move(QEvent::MouseMove, QPointF(195 * 3, 193 * 3), canvas->mapToGlobal(QPointF(0, 0)),
                         Qt::NoButton, Qt::NoButton, Qt::NoModifier);
        QApplication::sendEvent(canvas, &move);
        EXPECT_EQ(ui::fromQt(preview.control<QLabel>("FTXTENTRY")->text()),
                  "Line 0, page 1: from 215, 193 to 175, 193");
        EXPECT_EQ(canvas->toolTip(), preview.control<QLabel>("FTXTENTRY")->text());

        for (const Save& s : saves) {
            SCOPED_TRACE(s.name);
            const std::string path = dir.folder() + s.name;
            modal.then<QFileDialog>("SaveMapPng", [&](QFileDialog& ask) {
                ask.selectFile(QString::fromStdString(path));
                static_cast<QDialog&>(ask).accept();  // as the dialog's Save button does
            });
            boxes.clear();
            preview.control<QAbstractButton>("PSHSAVEPNG")->click();
            if (s.error.empty()) {
                EXPECT_TRUE(boxes.boxes().empty());
                EXPECT_EQ(QImage(QString::fromStdString(path)).size(), QSize(960, 960));
            } else {
                ASSERT_EQ(boxes.boxes().size(), 1u);
                EXPECT_NE(boxes.boxes()[0].text.find(s.error), std::string::npos) << boxes.boxes()[0].text;
                EXPECT_FALSE(QFileInfo::exists(QString::fromStdString(path)));
            }
        }
        preview.control<QAbstractButton>("PSHCANCEL")->click();
    });
    map->click();
    EXPECT_EQ(modal.shown(),
              (std::vector<std::string>{"MapPreview_vo", "SaveMapPng", "SaveMapPng", "SaveMapPng"}));
    // Nothing of the editor's reached the file.
    EXPECT_NE(dir.read("b.txt").find("Heading = 9, Orders"), std::string::npos);
}

}  // namespace
}  // namespace hartool::test
