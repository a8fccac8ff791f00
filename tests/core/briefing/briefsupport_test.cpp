#include <gtest/gtest.h>

#include <string>
#include <tuple>
#include <vector>

#include "core/briefing/briefsupport.h"
#include "core/platform/codepage.h"
#include "core/platform/profile.h"
#include "support/failingfilesystem.h"
#include "support/tempdir.h"

using namespace hartool;
using test::TempDir;

namespace {

const std::string kOrders = "[Briefing 0]\r\nHeading =  9, Orders\r\nText =  1, 1, Fly north, then east\r\n";

// Every kind of entry, in the order and spelling written, with gaps in the page numbers.
const std::string kFull =
    "[Misc]\r\ncutscene = intro.avi\r\nsound = brief.wav\r\n\r\n\r\n"
    "[Briefing 0]\r\nHeading = 9, Orders\r\nMAP = map1.bmp\r\nText = 1, 1, Fly north, then east\r\n"
    "Line 0 = 10 20 30 40\r\nLine 1 = 1 2 3 4\r\nSprite 0 = 5 6 tank.bmp\r\nLabel 0 = 7 8 Alpha\r\n"
    "Movie = m.avi\r\nTime Out = 30\r\n"
    "[Briefing 2]\r\nHeading = 9, Threat\r\nText = 1, 1, Tanks, lots of them\r\nSprite 0 = 1 1 x.bmp\r\n";

const std::string kDouble =
    "[Misc]\r\nsound = s.wav\r\n\r\n\r\n"
    "[Blue_Briefing 0]\r\nHeading = 9, Blue orders\r\nText = 1, 1, Go\r\nLine 0 = 1 2 3 4\r\n"
    "[Blue_Briefing 4]\r\nHeading = 9, Last\r\n"
    "[Red_Briefing 1]\r\nHeading = 9, Red orders\r\nMAP = red.bmp\r\nLabel 0 = 1 1 Hold\r\n";

}  // namespace

TEST(BriefingTest, HeadingAndTextSkipTheirLeadingFields) {
    struct Case {
        std::string heading, text, shownHeading, shownText;
    };
    const Case cases[] = {
        {" 9,  Orders ", " 1, 1,  a,b ", "Orders", "a,b"},
        {"Orders", "1, 1", "", ""},  // no comma: nothing after the leading field
        {"9, Orders, north ", "1, 1, x", "Orders, north", "x"},
        {"9,", "1, 1,", "", ""},
    };
    for (const Case& c : cases) {
        Briefing page;
        page.CHEADING = c.heading;
        page.CTEXT = c.text;
        EXPECT_EQ(page.HEADING(), c.shownHeading) << c.heading;
        EXPECT_EQ(page.BTEXT(), c.shownText) << c.text;
    }
}

TEST(BriefSupportTest, ReadAndWrittenBack) {
    struct Case {
        std::string name, file, written;  // written "=" for the file itself
    };
    const Case cases[] = {
        {"values lose a blank", kOrders,
         "[Briefing 0]\r\nHeading = 9, Orders\r\nText = 1, 1, Fly north, then east\r\n"},
        {"every kind of entry", kFull, "="},
        {"both sides", kDouble, "="},
        {"a bracket inside a value ends nothing",
         "[Briefing 0]\r\nHeading = 9, H [1]\r\nText = 1, 1, see [map]\r\nLine 0 = 1 2 3 4\r\nMovie = "
         "m.avi\r\n[Briefing 1]\r\nHeading = 9, Next\r\nSprite 0 = 1 1 s.bmp\r\n",
         "="},
        {"a bracket opening an indented line ends the page",
         "[Briefing 0]\r\nHeading = 9, H\r\n  [Other]\r\nLine 0 = 1 2 3 4\r\n",
         "[Briefing 0]\r\nHeading = 9, H\r\n"},
        {"a page with graphics only is dropped", "[Briefing 0]\r\nMAP = m.bmp\r\nLine 0 = 1 2 3 4\r\n", ""},
        {"any case; values up to a second '=', unquoted",
         "[misc]\r\nCUTSCENE = \"c.avi\"\r\n[briefing 1]\r\nheading=9, H\r\n  line 0 =  1 2 = 3\r\nSPRITE "
         "0=s\r\n"
         "label 0 = l\r\ntime out = 5\r\n",
         "[Misc]\r\ncutscene = c.avi\r\n\r\n\r\n[Briefing 1]\r\nHeading = 9, H\r\nLine 0 = 1 2\r\nSprite 0 = "
         "s\r\n"
         "Label 0 = l\r\nTime Out = 5\r\n"},
        {"[MISC]", "[MISC]\r\nsound = s.wav\r\n", "[Misc]\r\nsound = s.wav\r\n\r\n\r\n"},
        {"single pages dropped in double mode",
         "[Briefing 0]\r\nHeading = 9, Single\r\n[Blue_Briefing 0]\r\nHeading = 9, Blue\r\n",
         "[Blue_Briefing 0]\r\nHeading = 9, Blue\r\n"},
    };
    for (const Case& c : cases) {
        TempDir dir;
        BriefSupport brief(dir.write("brief.txt", c.file));
        ASSERT_TRUE(brief.WRITEBRIEFINGS().ok);
        EXPECT_EQ(dir.read("brief.txt"), c.written == "=" ? c.file : c.written) << c.name;
    }
}

TEST(BriefSupportTest, ReadsTheSameWhateverEndsItsLines) {
    // Every CR LF of the file becomes the ending given, or, for "mixed", CR, LF and CR LF in turn.
    auto withEndings = [](const std::string& crlf, const std::string& ending) {
        static const std::string kTurns[] = {"\r", "\n", "\r\n"};
        std::string out;
        std::size_t turn = 0;
        for (std::size_t i = 0; i < crlf.size(); ++i) {
            if (crlf.compare(i, 2, "\r\n") != 0) {
                out += crlf[i];
                continue;
            }
            out += ending.empty() ? kTurns[turn++ % 3] : ending;
            ++i;
        }
        return out;
    };
    for (const std::string& file : {kFull, kDouble}) {
        for (const std::string ending : {"\r", "\n", ""}) {
            const std::string name = ending.empty() ? "mixed" : ending == "\r" ? "CR" : "LF";
            TempDir dir;
            BriefSupport brief(dir.write("brief.txt", withEndings(file, ending)));
            EXPECT_EQ(brief.CUTSCENE() + "|" + brief.SOUND(),
                      file == kFull ? "intro.avi|brief.wav" : "|s.wav")
                << name;
            // Written back, pages, values and graphics are those of the CR LF form.
            ASSERT_TRUE(brief.WRITEBRIEFINGS().ok);
            EXPECT_EQ(dir.read("brief.txt"), file) << name << "\n" << file.substr(0, 40);
        }
    }
}

TEST(BriefSupportTest, DoubleModeSelectsBySideAndEndsOnRed) {
    TempDir dir;
    BriefSupport brief(dir.write("brief.txt", kDouble), false);
    ASSERT_TRUE(brief.DOUBLEMODE());
    EXPECT_EQ(brief.BRIEFARRAY()[0].HEADING(), "Blue orders");
    brief.SETBLUEMODE(false);
    EXPECT_EQ(brief.BRIEF2TEXT(2),
              "[Red_Briefing 1]\r\nHeading = 9, Red orders\r\nMAP = red.bmp\r\nLabel 0 = 1 1 Hold\r\n");
    brief.CLEARGRAPH();
    ASSERT_TRUE(brief.WRITEBRIEFINGS().ok);
    EXPECT_FALSE(brief.BLUEMODE());
    EXPECT_EQ(dir.read("brief.txt"),
              "[Misc]\r\nsound = s.wav\r\n\r\n\r\n[Blue_Briefing 0]\r\nHeading = 9, Blue orders\r\nText = 1, "
              "1, Go\r\n"
              "[Blue_Briefing 4]\r\nHeading = 9, Last\r\n[Red_Briefing 1]\r\nHeading = 9, Red orders\r\n"
              "MAP = red.bmp\r\n");
}

TEST(BriefSupportTest, MissingFileGivesEmptyPagesAndEditsAreWrittenUnderTheirNumbers) {
    for (bool twoSides : {false, true}) {
        TempDir dir;
        BriefSupport brief(dir.folder() + "new.txt", twoSides);
        EXPECT_EQ(brief.DOUBLEMODE(), twoSides);
        ASSERT_EQ(brief.BRIEFARRAY().size(), 5u);
        for (std::size_t k = 1; k <= 5; ++k) EXPECT_EQ(brief.BRIEF2TEXT(k), "");
        ASSERT_TRUE(brief.WRITEBRIEFINGS().ok);
        EXPECT_EQ(dir.read("new.txt"), "");
    }
    TempDir dir;
    BriefSupport brief(dir.folder() + "new.txt");
    std::vector<Briefing> pages = brief.BRIEFARRAY();
    pages[0].CHEADING = " 9, One";
    pages[1].ASPRITESTRINGS = {"1 1 lost.bmp"};  // neither heading nor text: left out
    pages[2].CTEXT = " 1, 1, " + std::string(1500, 'x');
    brief.SETBRIEFARRAY(pages);
    ASSERT_TRUE(brief.WRITEBRIEFINGS().ok);
    EXPECT_EQ(dir.read("new.txt"),
              "[Briefing 0]\r\nHeading =  9, One\r\n[Briefing 2]\r\nHeading = \r\nText =  1, 1, " +
                  std::string(1500, 'x') + "\r\n");
    EXPECT_EQ(BriefSupport(dir.folder() + "new.txt").BRIEFARRAY()[2].BTEXT(), std::string(1500, 'x'));
}

TEST(BriefSupportTest, FailedWriteIsReportedAndKeepsTheOldFile) {
    TempDir dir;
    BriefSupport brief(dir.write("brief.txt", kOrders));
    EXPECT_EQ(brief.BRIEFARRAY()[0].HEADING(), "Orders");
    EXPECT_EQ(brief.BRIEFARRAY()[0].BTEXT(), "Fly north, then east");
    brief.BRIEFARRAY()[0].CHEADING = "9, Changed";
    test::FailingFileSystem failing;
    failing.failOn(test::FailingFileSystem::Op::Write, "brief.txt", "disk full");
    const platform::Status status = brief.WRITEBRIEFINGS();
    EXPECT_FALSE(status.ok);
    EXPECT_NE(status.error.find("disk full"), std::string::npos) << status.error;
    EXPECT_EQ(dir.read("brief.txt"), kOrders);
}

TEST(BriefSupportTest, HeadingWithCommasSurvivesARoundTrip) {
    TempDir dir;
    const std::string file = "[Briefing 0]\r\nHeading = 9, Orders, north, then east\r\nText = 1, 1, Go\r\n";
    BriefSupport brief(dir.write("brief.txt", file));
    Briefing& page = brief.BRIEFARRAY()[0];
    EXPECT_EQ(page.HEADING(), "Orders, north, then east");
    // As an editor writes back what it shows.
    page.CHEADING = " 9, " + page.HEADING();
    ASSERT_TRUE(brief.WRITEBRIEFINGS().ok);
    EXPECT_EQ(BriefSupport(dir.folder() + "brief.txt").BRIEFARRAY()[0].HEADING(), "Orders, north, then east");
}

// The pages read in one pass agree with the profile reader on every named value, and the graphics come from
// the first section whose header starts with the page's name, as they always did.
// Lines that cross the pieces a large file is read in, CR LF parted between two pieces among them.
std::string manyLines() {
    std::string text = "[Briefing 0]\r\nHeading = 9, Long\r\n";
    for (int i = 0; i < 5000; ++i)
        text += "Line " + std::to_string(i) + " = " + std::string(i % 7, 'x') + "\r\n";
    return text + "Movie = m.avi\r\nTime Out = 30\r";
}

static std::string utf16(const std::string& text) {
    std::string out = "\xFF\xFE";
    for (const char16_t unit : platform::cp1252ToUtf16(text))
        out += {static_cast<char>(unit & 0xFF), static_cast<char>(unit >> 8)};
    return out;
}

TEST(BriefSupportTest, OnePassReadingAgreesWithTheProfileReader) {
    struct Case {
        const char* name;
        std::string text;
        std::size_t lines, sprites;  // of page 0
    };
    const Case cases[] = {
        {"full", kFull, 2, 1},
        {"LF and CR",
         "[Briefing 0]\nHeading = 9, A\rText = 1, 1, t\nLine 0 = 1\rline 1 = 2\r\nSPRITE 0 = 3\n", 2, 1},
        {"first section and first key win, any case",
         "[briefing 0]\r\nheading=\"9, First\"\r\nHEADING = 9, Second\r\nText='1, 1, q'\r\nLine 0 = 1\r\n"
         "[BRIEFING 0]\r\nText = 1, 1, never\r\nLine 0 = 2\r\nLine 1 = 3\r\n",
         1, 0},
        {"blanks around names and values",
         "  [ Briefing 0 ]  \r\n  Text  =   1, 1, spaced   \r\n\tMovie\t=\tm.avi\r\nLine 0 = 9\r\n", 0, 0},
        {"graphics by the header's start",
         "[Briefing 0 old]\r\nLine 0 = 1\r\n[Briefing 0]\r\nHeading = 9, H\r\nLine 0 = 2\r\nLine 1 = 3\r\n",
         1, 0},
        {"no heading and no text", "[Briefing 0]\r\nMAP = m.bmp\r\nLine 0 = 1\r\n[Misc]\r\nsound=\r\n", 0, 0},
        {"comments and bare keys", "[Briefing 0]\r\n;Text = 1, 1, no\r\nText\r\nText = 1, 1, yes\r\n", 0, 0},
        {"many lines", manyLines(), 5000, 0},
        {"two sides, named anywhere",
         "; for blue_briefing\r[Misc]\rsound=a\r[Misc]\rsound=b\r[Red_Briefing 2]\rText=x", 0, 0},
        // Read as Windows reads them: marked files converted, a ^Z ending the text.
        {"UTF-16", utf16(kFull), 2, 1},
        {"UTF-8 mark", "\xEF\xBB\xBF" + kFull, 2, 1},
        {"^Z", kFull + "\x1a[Briefing 1]\r\nHeading = 9, after the end\r\n", 2, 1},
    };
    for (const Case& c0 : cases) {
        SCOPED_TRACE(c0.name);
        const Case c{c0.name, platform::profileText(c0.text).text, c0.lines, c0.sprites};
        TempDir dir;
        BriefSupport b(dir.write("b.txt", c0.text));
        EXPECT_EQ(b.CUTSCENE(), platform::profileValue(c.text, "Misc", "cutscene", std::string::npos));
        EXPECT_EQ(b.SOUND(), platform::profileValue(c.text, "Misc", "sound", std::string::npos));
        for (std::size_t n = 0; n < 5; ++n) {
            const std::string section = "Briefing " + std::to_string(n);
            auto value = [&](const char* key) {
                return platform::profileValue(c.text, section, key, std::string::npos);
            };
            const Briefing& page = b.BRIEFARRAY()[n];
            const bool used = !value("Text").empty() || !value("Heading").empty();
            EXPECT_EQ(page.CTEXT, value("Text")) << n;
            EXPECT_EQ(page.CHEADING, value("Heading")) << n;
            EXPECT_EQ(page.CMAP, used ? value("Map") : "") << n;
            EXPECT_EQ(page.CMOVIE, used ? value("Movie") : "") << n;
            EXPECT_EQ(page.CTIMEOUT, used ? value("Time Out") : "") << n;
        }
        EXPECT_EQ(b.BRIEFARRAY()[0].ALINESTRINGS.size(), c.lines);
        EXPECT_EQ(b.BRIEFARRAY()[0].ASPRITESTRINGS.size(), c.sprites);
        // Read line by line without the graphics, every value is the same.
        BriefSupport values(b.PATH(), false, BriefSupport::Graphics::SKIP);
        EXPECT_EQ(values.DOUBLEMODE(), b.DOUBLEMODE());
        EXPECT_EQ(values.CUTSCENE(), b.CUTSCENE());
        EXPECT_EQ(values.SOUND(), b.SOUND());
        for (std::size_t n = 0; n < 5; ++n) {
            const Briefing& p = values.BRIEFARRAY()[n];
            const Briefing& q = b.BRIEFARRAY()[n];
            EXPECT_EQ(std::tie(p.CTEXT, p.CHEADING, p.CMAP, p.CMOVIE, p.CTIMEOUT),
                      std::tie(q.CTEXT, q.CHEADING, q.CMAP, q.CMOVIE, q.CTIMEOUT))
                << n;
            EXPECT_TRUE(p.ALINESTRINGS.empty() && p.ASPRITESTRINGS.empty() && p.ALABELSTRINGS.empty());
        }
    }
}

// A marked file that holds what Windows-1252 cannot spell is read, but not written over: the characters
// would be lost. One that can be spelled is written back in Windows-1252.
TEST(BriefSupportTest, MarkedFilesAreWrittenOnlyWithoutLoss) {
    TempDir dir;
    const std::string wide = utf16(kOrders) + std::string("\x2D\x4E", 2);
    for (const auto graphics : {BriefSupport::Graphics::READ, BriefSupport::Graphics::SKIP}) {
        BriefSupport lossy(dir.write("wide.txt", wide), false, graphics);
        EXPECT_EQ(lossy.BRIEFARRAY()[0].HEADING(), "Orders");
        const platform::Status s = lossy.WRITEBRIEFINGS();
        EXPECT_FALSE(s);
        EXPECT_EQ(s.error,
                  "holds characters that Windows-1252 cannot spell (UTF-16 text); save it as ANSI first");
        EXPECT_EQ(dir.read("wide.txt"), wide);

        BriefSupport spelled(dir.write("b.txt", utf16(kOrders)), false, graphics);
        ASSERT_TRUE(spelled.WRITEBRIEFINGS());
        EXPECT_EQ(BriefSupport(dir.folder() + "b.txt").BRIEFARRAY()[0].HEADING(), "Orders");
        EXPECT_EQ(dir.read("b.txt").substr(0, 2), "[B");
    }
}
