#include "core/missions/briefingfiles.h"

#include <array>
#include <vector>

#include "core/analysis/missionsupport.h"
#include "core/briefing/briefsupport.h"
#include "core/platform/codepage.h"
#include "core/platform/filesystem.h"
#include "core/platform/profile.h"
#include "core/text/entries.h"
#include "core/text/token.h"

namespace hartool {

namespace {

constexpr const char* kNoBriefing = "no briefingtext found";
// Missions are Windows-1252 text: one saved as Unicode would get a briefing in another encoding than its own.
constexpr const char* kMarkedMission =
    "the mission is saved as Unicode (it begins with a byte-order mark): save it as ANSI first";
constexpr std::string_view kCrLf = "\r\n";

std::string readFailure(const platform::ReadResult& r) {
    if (r.missing) return "file not found";
    return r.error.empty() ? "file could not be read" : r.error;
}

// One file to be done; the report counts it so that every completion box reads alike.
Report oneFile() {
    Report report;
    report.selected = 1;
    return report;
}

Report finished(Report report, const std::string& file, const platform::Status& status) {
    if (status)
        ++report.done;
    else
        report.fail(file, status.error);
    return report;
}

// The pages that hold graphics but neither heading nor text, which the briefing file leaves out: "page 3",
// "pages 2, 4 of the blue briefing and page 5 of the red briefing"; "" when there are none.
std::string pagesLeftOut(BriefSupport& briefing) {
    std::vector<std::string> parts;
    const auto scan = [&](const std::vector<Briefing>& pages, const std::string& side) {
        std::string numbers;
        std::size_t count = 0;
        for (std::size_t k = 0; k < pages.size(); ++k) {
            const Briefing& b = pages[k];
            const bool graphics =
                !b.ALINESTRINGS.empty() || !b.ASPRITESTRINGS.empty() || !b.ALABELSTRINGS.empty();
            if (!graphics || !b.CHEADING.empty() || !b.CTEXT.empty()) continue;
            numbers += (count++ ? ", " : "") + std::to_string(k + 1);
        }
        if (count > 0) parts.push_back((count == 1 ? "page " : "pages ") + numbers + side);
    };
    if (briefing.DOUBLEMODE()) {
        scan(briefing.BLUEBRIEFARRAY(), " of the blue briefing");
        scan(briefing.REDBRIEFARRAY(), " of the red briefing");
    } else {
        scan(briefing.BRIEFARRAY(), "");
    }
    if (parts.size() == 2) return parts[0] + " and " + parts[1];
    return parts.empty() ? "" : parts[0];
}

bool isSeparator(char c) {
    return c == '\\' || c == '/';
}

}  // namespace

bool EXISTBRIEF(const std::string& file) {
    if (!platform::fileExists(file)) return false;
    return platform::profileText(platform::readFile(file)).text.find('[') != std::string::npos;
}

BriefingName briefingName(std::string_view title) {
    BriefingName result{std::string(title), false};
    for (char& c : result.name) {
        const auto byte = static_cast<unsigned char>(c);
        if (byte < 32 || std::string_view("\\/:*?\"<>|").find(c) != std::string_view::npos) {
            c = '_';
            result.changed = true;
        }
    }
    if (result.name.find_first_not_of(". ") == std::string::npos) {
        result.name = "_";
        result.changed = true;
        return result;
    }
    // Windows drops trailing dots and blanks, and the path resolution does so too: say so.
    if (const std::size_t kept = result.name.find_last_not_of(". "); kept + 1 < result.name.size()) {
        result.name.erase(kept + 1);
        result.changed = true;
    }
    if (platform::isDeviceName(result.name)) {
        result.name.insert(std::min(result.name.find('.'), result.name.size()), "_");
        result.changed = true;
    }
    return result;
}

namespace {

// Reads the mission and returns where its briefing part (its first "[") starts; npos, with the report
// saying why, when it cannot be read or has none.
std::size_t briefingPartOf(const std::string& missionFile, platform::ReadResult& mission, Report& report) {
    mission = platform::fileSystem().read(missionFile);
    if (!mission.ok) {
        report.fail(missionFile, readFailure(mission));
        return std::string::npos;
    }
    if (platform::hasByteOrderMark(mission.content)) {
        report.fail(missionFile, kMarkedMission);
        return std::string::npos;
    }
    const std::size_t start = mission.content.find('[');
    if (start == std::string::npos) report.skip(missionFile, kNoBriefing);
    return start;
}

}  // namespace

Report extractBriefing(const std::string& missionFile, const std::string& briefingsFolder,
                       const std::string& title) {
    Report report = oneFile();
    platform::ReadResult mission;
    const std::size_t start = briefingPartOf(missionFile, mission, report);
    if (start == std::string::npos) return report;
    std::string failed;
    if (const platform::Status made = platform::makeFolders(briefingsFolder, &failed); !made) {
        report.fail(failed, made.error);
        return report;
    }
    std::string target = briefingsFolder;
    if (!target.empty() && !isSeparator(target.back())) target += '\\';
    target += platform::fileNameOf(briefingName(title).name);
    // The part as the game reads it: a ^Z ends it.
    return finished(
        report, target,
        WRITESTRING(target, platform::profileText(std::string_view(mission.content).substr(start)).text));
}

Report attachBriefing(const std::string& briefingFile, const std::string& missionFile) {
    Report report = oneFile();
    const platform::ReadResult briefing = platform::fileSystem().read(briefingFile);
    const platform::ReadResult mission = platform::fileSystem().read(missionFile);
    if (!briefing.ok) report.fail(briefingFile, readFailure(briefing));
    if (!mission.ok) report.fail(missionFile, readFailure(mission));
    if (!report.ok()) return report;
    if (platform::hasByteOrderMark(mission.content)) {
        report.fail(missionFile, kMarkedMission);
        return report;
    }
    // A mission is one encoding: a briefing with a byte-order mark goes in as Windows-1252, or not at all.
    const platform::ProfileText brief = platform::profileText(briefing.content);
    if (const std::string problem = platform::profileTextProblem(brief); !problem.empty()) {
        report.fail(briefingFile, problem);
        return report;
    }
    if (brief.text.find('[') == std::string::npos) {
        report.skip(briefingFile, kNoBriefing);
        return report;
    }
    std::string_view data = std::string_view(mission.content).substr(0, mission.content.find('['));
    data = trimSpaces(data);
    // Any line ends: a mission saved with CR alone is read as well as one with CR LF.
    for (;;) {
        const std::size_t lineEnd = data.ends_with(kCrLf)                                           ? 2
                                    : !data.empty() && (data.back() == '\r' || data.back() == '\n') ? 1
                                                                                                    : 0;
        if (lineEnd == 0 || lineEnd == data.size()) break;
        data.remove_suffix(lineEnd);
    }
    std::string text(data);
    text.append(kCrLf).append(kCrLf).append(trimSpaces(brief.text));
    return finished(report, missionFile, WRITESTRING(missionFile, text));
}

Report analyzeBriefing(const std::string& missionFile, const std::string& briefingFile) {
    Report report = oneFile();
    // Each file is read several times and the briefing written: spelt as on disk, each look finds it at once.
    const std::string missionPath = platform::pathAsOnDisk(missionFile);
    const std::string briefingPath = platform::pathAsOnDisk(briefingFile);
    // Analysing from what could not be read would draw no graphics and so clear those there. A first piece
    // of each file tells whether it can be read; the analysis then reads each file once.
    const auto readable = [](const std::string& file) {
        return platform::readFileUntil(file, [](std::string_view) { return false; });
    };
    if (const platform::ReadResult mission = readable(missionPath); !mission.ok)
        report.fail(missionFile, readFailure(mission));
    if (platform::fileExists(briefingPath)) {
        if (const platform::ReadResult briefing = readable(briefingPath); !briefing.ok)
            report.fail(briefingFile, readFailure(briefing));
    }
    if (!report.ok()) return report;
    MissionSupport analysis(missionPath);
    analysis.READNAT();
    // Also when the file went away or broke since it was looked at.
    if (!analysis.readInFull()) {
        report.fail(missionFile, "file could not be read");
        return report;
    }
    // The analysis replaces every graphics entry of the pages it reads.
    BriefSupport briefing(briefingPath, false, BriefSupport::Graphics::SKIP);
    if (!briefing.readInFull()) {
        report.fail(briefingFile, "file could not be read");
        return report;
    }
    report = finished(report, briefingFile, analysis.ANALYZE(briefing));
    if (report.ok())
        if (const std::string pages = pagesLeftOut(briefing); !pages.empty())
            report.warnings.push_back(
                "the graphics of " + pages +
                " were left out: a page without heading and text is not written, and the "
                "game would not show it. Give the page a heading and analyze again.");
    return report;
}

Report analyzeMission(const std::string& missionFile) {
    Report report = oneFile();
    platform::ReadResult mission;
    const std::size_t start = briefingPartOf(missionFile, mission, report);
    if (start == std::string::npos) return report;
    const std::string path = platform::pathAsOnDisk(missionFile);
    MissionSupport analysis(path);
    analysis.READNAT();
    BriefSupport briefing(path, false, BriefSupport::Graphics::SKIP);
    if (!analysis.readInFull() || !briefing.readInFull()) {
        report.fail(missionFile, "file could not be read");
        return report;
    }
    // Both read the file again: one that changed since must not be written from a mix of readings.
    if (const platform::ReadResult again = platform::fileSystem().read(path);
        !again.ok || again.content != mission.content) {
        report.fail(missionFile, "the file changed while it was analysed; nothing was written");
        return report;
    }
    return finished(report, missionFile, analysis.ANALYZE(briefing, mission.content.substr(0, start)));
}

std::string newBriefingNameProblem(const std::string& folder, const std::string& typed) {
    if (typed.empty()) return "";
    const std::string name(trimSpaces(typed));
    // The name as the file system would store it must be the name typed, or the file lands elsewhere.
    if (std::string problem = platform::fileNameProblem(name); !problem.empty()) return problem;
    // Trimmed too, since that is the file written.
    if (platform::fileExists(folder + platform::fileNameOf(typed)) ||
        platform::fileExists(folder + platform::fileNameOf(name)))
        return "a file of this name exists";
    return "";
}

Report copyBriefing(const std::string& from, const std::string& to) {
    Report report = oneFile();
    if (const std::size_t cut = to.find_last_of("\\/"); cut != std::string::npos && cut > 0) {
        std::string failed;
        if (const platform::Status made = platform::makeFolders(to.substr(0, cut), &failed); !made) {
            report.fail(failed, made.error);
            return report;
        }
    }
    return finished(report, to, platform::copyFile(from, to));
}

Deletion deleteBriefing(const std::string& file, DeleteMode mode) {
    return deleteFiles({file}, mode);
}

}  // namespace hartool
