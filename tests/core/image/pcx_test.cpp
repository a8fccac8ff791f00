// The PCX reader on files written here byte by byte, so that no encoder of ours can agree with it on a wrong
// format; and the loading of named pictures from a game folder.

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "core/image/imagefolder.h"
#include "core/image/pcx.h"
#include "demo/pictures.h"
#include "support/failingfilesystem.h"
#include "support/gamefolder.h"

namespace hartool::image {
namespace {

using Bytes = std::vector<int>;

// The 128-byte header; every field the reader looks at is an argument.
std::string header(int bits, int planes, int width, int height, int lineBytes, int maker = 0x0A,
                   int coding = 1) {
    std::string h(128, '\0');
    h[0] = static_cast<char>(maker);
    h[1] = 5;
    h[2] = static_cast<char>(coding);
    h[3] = static_cast<char>(bits);
    const auto word = [&h](int at, int v) {
        h[at] = static_cast<char>(v & 0xFF);
        h[at + 1] = static_cast<char>((v >> 8) & 0xFF);
    };
    word(8, width - 1);
    word(10, height - 1);
    h[65] = static_cast<char>(planes);
    word(66, lineBytes);
    return h;
}

std::string bytes(const Bytes& b) {
    std::string s;
    for (int v : b) s += static_cast<char>(v);
    return s;
}

// The 0x0C marker and 256 colours, all black but those given as {index, r, g, b}.
std::string palette(const std::vector<Bytes>& colours) {
    std::string p(1 + 768, '\0');
    p[0] = 0x0C;
    for (const Bytes& c : colours)
        for (int i = 0; i < 3; ++i) p[1 + c[0] * 3 + i] = static_cast<char>(c[1 + i]);
    return p;
}

const std::string kPalette =
    palette({{0, 255, 0, 255}, {1, 10, 20, 30}, {2, 40, 50, 60}, {0xC5, 200, 100, 50}});

// 3 by 2, lines of 4 bytes. Line 1: a run of two 1s, then 0xC5 as a run of one (a literal that high would
// read as a run), then the pad byte. Line 2: one run of four 2s over the pixels and the pad.
const std::string kEightBit = header(8, 1, 3, 2, 4) + bytes({0xC2, 1, 0xC1, 0xC5, 0, 0xC4, 2}) + kPalette;

// 3 by 2, 24 bits, planes of 4 bytes. Line 2's run of five zeros runs from the red plane's pad into the green
// plane.
const std::string kTrueColour = header(8, 3, 3, 2, 4) + bytes({0xC3, 255, 0,      // red
                                                               0xC4, 0,           // green
                                                               7, 8, 9, 0,        // blue
                                                               1, 2, 3, 0xC5, 0,  // red, green
                                                               0xC4, 0xC8});      // blue

TEST(Pcx, DecodesGoldenImages) {
    struct Case {
        std::string name, file;
        int width, height;
        std::vector<std::uint32_t> pixels;
    };
    const Case cases[] = {
        {"8 bits, odd width, both kinds of run",
         kEightBit,
         3,
         2,
         {rgb(10, 20, 30), rgb(10, 20, 30), rgb(200, 100, 50), rgb(40, 50, 60), rgb(40, 50, 60),
          rgb(40, 50, 60)}},
        {"24 bits, a run across planes",
         kTrueColour,
         3,
         2,
         {rgb(255, 0, 7), rgb(255, 0, 8), rgb(255, 0, 9), rgb(1, 0, 0xC8), rgb(2, 0, 0xC8), rgb(3, 0, 0xC8)}},
        {"a run across lines", header(8, 1, 2, 2, 2) + bytes({0xC4, 1}) + kPalette, 2, 2,
         std::vector<std::uint32_t>(4, rgb(10, 20, 30))},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        const PcxResult r = decodePcx(c.file);
        ASSERT_TRUE(r.ok()) << r.error;
        EXPECT_EQ(r.image.width, c.width);
        EXPECT_EQ(r.image.height, c.height);
        EXPECT_EQ(r.image.pixels, c.pixels);
    }
    // Palette colour 0 is what a sprite leaves see-through; a 24-bit image has none.
    EXPECT_EQ(decodePcx(kEightBit).image.seeThrough, rgb(255, 0, 255));
    EXPECT_FALSE(decodePcx(kTrueColour).image.seeThrough.has_value());
}

TEST(Pcx, RefusesBrokenFilesWithAReason) {
    std::string truncated = kEightBit;
    truncated.erase(128 + 5, 2);  // line 2's run
    std::string runPastEnd = kEightBit;
    runPastEnd[128 + 5] = static_cast<char>(0xC5);
    std::string emptyWindow = header(8, 1, 3, 2, 4) + bytes({0xC8, 1}) + kPalette;
    emptyWindow[4] = 9;  // the left edge beyond the right one
    struct Case {
        std::string name, file, reason;
    };
    const Case cases[] = {
        {"empty", "", "too short for a PCX header"},
        {"wrong maker byte", header(8, 1, 3, 2, 4, 0x0B) + bytes({0xC8, 1}) + kPalette, "not a PCX image"},
        {"not run-length encoded", header(8, 1, 3, 2, 4, 0x0A, 0) + bytes({0xC8, 1}) + kPalette,
         "not run-length encoding"},
        {"16 colours in 4 planes", header(1, 4, 8, 2, 2) + bytes({0xC8, 0}), "1 bits in 4 planes"},
        {"4 planes of 8 bits", header(8, 4, 3, 2, 4) + bytes({0xC8, 0}), "8 bits in 4 planes"},
        {"empty window", emptyWindow, "no size"},
        {"too wide", header(8, 3, 5000, 1, 5000) + bytes({0xC1, 0}), "5000 by 1 pixels is larger"},
        {"huge, tiny data", header(8, 3, 4096, 4096, 4096) + bytes({0xFF, 0, 0xFF, 0}),
         "too short for 4096 by 4096"},
        {"lines narrower than the image", header(8, 1, 3, 2, 2) + bytes({0xC4, 1}) + kPalette,
         "cannot hold 3 pixels"},
        {"no palette", header(8, 1, 3, 2, 4) + bytes({0xC8, 1}), "palette at the end is missing"},
        {"truncated", truncated, "ends in line 2 of 2"},
        {"ends inside a run", header(8, 3, 3, 2, 4) + bytes({0xC8, 1, 0xC8}), "ends in a run in line 1"},
        {"run past the end", runPastEnd, "a run goes past the end of the image"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        const PcxResult r = decodePcx(c.file);
        EXPECT_FALSE(r.ok());
        EXPECT_NE(r.error.find(c.reason), std::string::npos) << r.error;
        EXPECT_TRUE(r.image.empty());
    }
}

TEST(ImageFolder, FindsPicturesWhateverTheirCaseAndSaysWhyNot) {
    test::GameFolder game;  // the demo writes "Images\uahb.pcx"
    game.write("Data/images/odd.pcx", kEightBit);
    game.write("images/broken.pcx", "not a picture");
    test::FailingFileSystem failing;
    failing.failOn(test::FailingFileSystem::Op::Read, "locked.pcx", "permission denied");
    game.write("images/locked.pcx", kEightBit);

    ImageFolder folder(game.gamePath());
    struct Case {
        std::string name;
        bool ok, missing;
        std::string error;
    };
    const Case cases[] = {
        {"IMAGES\\UAHB.PCX", true, false, ""},
        {"images\\odd.pcx", true, false, ""},  // below "Data"
        {"images\\nothing.pcx", false, true, "not found"},
        {"images\\broken.pcx", false, false, "too short for a PCX header"},
        {"images\\locked.pcx", false, false, "permission denied"},
        {"", false, true, "not found"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        const LoadedImage& loaded = folder.load(c.name);
        EXPECT_EQ(loaded.ok(), c.ok);
        EXPECT_EQ(loaded.missing, c.missing);
        EXPECT_NE(loaded.error.find(c.error), std::string::npos) << loaded.error;
        EXPECT_EQ(&folder.load(c.name), &loaded);  // read once
    }
    EXPECT_EQ(folder.load("images\\uahb.pcx").image.width, 16);
    EXPECT_EQ(ImageFolder("").load("images\\uahb.pcx").error, "not found");
}

TEST(DemoPictures, EveryOneReadsBack) {
    for (const demo::DemoFile& f : demo::demoPictures()) {
        const PcxResult r = decodePcx(f.content);
        EXPECT_TRUE(r.ok()) << f.path << ": " << r.error;
    }
}

}  // namespace
}  // namespace hartool::image
