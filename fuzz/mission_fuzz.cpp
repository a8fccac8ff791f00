// The mission reader: READNAT and ANALYZE read any mission and write its graphics into the briefing, and the
// briefing file then reads back with exactly the graphics the model holds. The mission saved with CR line
// ends draws the same graphics.
// Input: mode (first byte odd: a briefing of two sides) NUL mission text.

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "core/analysis/missionsupport.h"
#include "core/briefing/briefsupport.h"
#include "fuzzcheck.h"
#include "memoryfs.h"

using hartool::BriefSupport;

namespace {

const std::string kMission = "C:\\GAME\\DATA\\BATTLES\\PLAYER\\S01.TXT";
const std::string kBriefing = "C:\\GAME\\DATA\\BACKUP\\BRIEFINGS\\S01";

std::string briefing(bool twoSides) {
    std::string text;
    const std::vector<std::string> sides = twoSides
                                               ? std::vector<std::string>{"Blue_Briefing", "Red_Briefing"}
                                               : std::vector<std::string>{"Briefing"};
    for (const std::string& side : sides)
        for (int page = 0; page < 5; ++page)
            text += "[" + side + " " + std::to_string(page) + "]\r\nHeading = 9, Page " +
                    std::to_string(page) + "\r\nMAP = map" + std::to_string(page) +
                    ".pcx\r\nText = 1, 2, text\r\n";
    return text;
}

// The file's values read back trimmed, as profile values do; a label of a call sign or message the tables
// lack ends in ", " in the page and in the file, and without the blank when read again. Two models drawn
// alike are compared exactly.
bool sameEntries(const hartool::StringList& written, const hartool::StringList& read, bool exact) {
    if (written.size() != read.size()) return false;
    for (std::size_t i = 0; i < written.size(); ++i) {
        std::string_view w = written[i];
        while (!exact && !w.empty() && (w.back() == ' ' || w.back() == '\t')) w.remove_suffix(1);
        if (w != read[i]) return false;
    }
    return true;
}

bool sameGraphics(const std::vector<hartool::Briefing>& a, const std::vector<hartool::Briefing>& b,
                  bool exact = false) {
    if (a.size() != b.size()) return false;
    for (std::size_t i = 0; i < a.size(); ++i)
        if (!(sameEntries(a[i].ALINESTRINGS, b[i].ALINESTRINGS, exact) &&
              sameEntries(a[i].ASPRITESTRINGS, b[i].ASPRITESTRINGS, exact) &&
              sameEntries(a[i].ALABELSTRINGS, b[i].ALABELSTRINGS, exact)))
            return false;
    return true;
}

// The text as an old editor saves it: every "\r\n" and "\n" a "\r".
std::string crOnly(const std::string& text) {
    std::string out;
    for (std::size_t i = 0; i < text.size(); ++i)
        if (!(text[i] == '\r' && i + 1 < text.size() && text[i + 1] == '\n'))
            out += text[i] == '\n' ? '\r' : text[i];
    return out;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const auto f = hartool::fuzz::fields(data, size, 2);
    const bool twoSides = !f[0].empty() && (f[0][0] & 1);
    hartool::fuzz::MemoryFileSystem files;
    files.write(kMission, f[1]);
    files.write(kBriefing, briefing(twoSides));

    hartool::MissionSupport mission(kMission);
    mission.READNAT();
    BriefSupport model(kBriefing);
    FUZZ_CHECK(mission.ANALYZE(model));
    FUZZ_CHECK(*files.file(kMission) == f[1]);

    BriefSupport reread(kBriefing);
    if (twoSides) {
        FUZZ_CHECK(sameGraphics(model.BLUEBRIEFARRAY(), reread.BLUEBRIEFARRAY()));
        FUZZ_CHECK(sameGraphics(model.REDBRIEFARRAY(), reread.REDBRIEFARRAY()));
    } else {
        FUZZ_CHECK(sameGraphics(model.BRIEFARRAY(), reread.BRIEFARRAY()));
    }

    files.write(kMission, crOnly(f[1]));
    files.write(kBriefing, briefing(twoSides));
    hartool::MissionSupport crMission(kMission);
    crMission.READNAT();
    BriefSupport crModel(kBriefing);
    FUZZ_CHECK(crMission.ANALYZE(crModel));
    FUZZ_CHECK(crMission.NATIONALITY() == mission.NATIONALITY() && crMission.SIDE() == mission.SIDE());
    if (twoSides) {
        FUZZ_CHECK(sameGraphics(model.BLUEBRIEFARRAY(), crModel.BLUEBRIEFARRAY(), true));
        FUZZ_CHECK(sameGraphics(model.REDBRIEFARRAY(), crModel.REDBRIEFARRAY(), true));
    } else {
        FUZZ_CHECK(sameGraphics(model.BRIEFARRAY(), crModel.BRIEFARRAY(), true));
    }
    return 0;
}
