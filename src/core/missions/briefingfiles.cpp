#include "core/missions/briefingfiles.h"

#include <array>

#include "core/analysis/missionsupport.h"
#include "core/briefing/briefsupport.h"
#include "core/platform/codepage.h"
#include "core/platform/filesystem.h"
#include "core/text/entries.h"
#include "core/text/token.h"

namespace hartool {

namespace {

constexpr const char* kNoBriefing = "no briefingtext found";
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

bool isDeviceName(std::string_view name) {
    static constexpr std::array<std::string_view, 22> kDevices{
        "CON",  "PRN",  "AUX",  "NUL",  "COM1", "COM2", "COM3", "COM4", "COM5", "COM6", "COM7",
        "COM8", "COM9", "LPT1", "LPT2", "LPT3", "LPT4", "LPT5", "LPT6", "LPT7", "LPT8", "LPT9"};
    const std::string stem = platform::upper1252(trimSpaces(name.substr(0, name.find('.'))));
    for (std::string_view device : kDevices)
        if (stem == device) return true;
    return false;
}

bool isSeparator(char c) {
    return c == '\\' || c == '/';
}

}  // namespace

bool EXISTBRIEF(const std::string& file) {
    if (!platform::fileExists(file)) return false;
    return platform::readFile(file).find('[') != std::string::npos;
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
    } else if (isDeviceName(result.name)) {
        result.name.insert(std::min(result.name.find('.'), result.name.size()), "_");
        result.changed = true;
    }
    return result;
}

Report extractBriefing(const std::string& missionFile, const std::string& briefingsFolder,
                       const std::string& title) {
    Report report = oneFile();
    const platform::ReadResult mission = platform::fileSystem().read(missionFile);
    if (!mission.ok) {
        report.fail(missionFile, readFailure(mission));
        return report;
    }
    const std::size_t start = mission.content.find('[');
    if (start == std::string::npos) {
        report.skip(missionFile, kNoBriefing);
        return report;
    }
    std::string failed;
    if (const platform::Status made = platform::makeFolders(briefingsFolder, &failed); !made) {
        report.fail(failed, made.error);
        return report;
    }
    std::string target = briefingsFolder;
    if (!target.empty() && !isSeparator(target.back())) target += '\\';
    target += briefingName(title).name;
    return finished(report, target, WRITESTRING(target, std::string_view(mission.content).substr(start)));
}

Report attachBriefing(const std::string& briefingFile, const std::string& missionFile) {
    Report report = oneFile();
    const platform::ReadResult briefing = platform::fileSystem().read(briefingFile);
    const platform::ReadResult mission = platform::fileSystem().read(missionFile);
    if (!briefing.ok) report.fail(briefingFile, readFailure(briefing));
    if (!mission.ok) report.fail(missionFile, readFailure(mission));
    if (!report.ok()) return report;
    if (briefing.content.find('[') == std::string::npos) {
        report.skip(briefingFile, kNoBriefing);
        return report;
    }
    std::string_view data = std::string_view(mission.content).substr(0, mission.content.find('['));
    data = trimSpaces(data);
    while (data.size() > 2 && data.ends_with(kCrLf)) data.remove_suffix(2);
    std::string text(data);
    text.append(kCrLf).append(kCrLf).append(trimSpaces(briefing.content));
    return finished(report, missionFile, WRITESTRING(missionFile, text));
}

Report analyzeBriefing(const std::string& missionFile, const std::string& briefingFile) {
    Report report = oneFile();
    // Analysing from what could not be read would draw no graphics and so clear those there. A first piece
    // of each file tells whether it can be read; the analysis then reads each file once.
    const auto readable = [](const std::string& file) {
        return platform::readFileUntil(file, [](std::string_view) { return false; });
    };
    if (const platform::ReadResult mission = readable(missionFile); !mission.ok)
        report.fail(missionFile, readFailure(mission));
    if (platform::fileExists(briefingFile)) {
        if (const platform::ReadResult briefing = readable(briefingFile); !briefing.ok)
            report.fail(briefingFile, readFailure(briefing));
    }
    if (!report.ok()) return report;
    MissionSupport analysis(missionFile);
    analysis.READNAT();
    // Also when the file went away or broke since it was looked at.
    if (!analysis.readInFull()) {
        report.fail(missionFile, "file could not be read");
        return report;
    }
    // The analysis replaces every graphics entry of the pages it reads.
    BriefSupport briefing(briefingFile, false, BriefSupport::Graphics::SKIP);
    if (!briefing.readInFull()) {
        report.fail(briefingFile, "file could not be read");
        return report;
    }
    return finished(report, briefingFile, analysis.ANALYZE(briefing));
}

Report analyzeMission(const std::string& missionFile) {
    Report report = oneFile();
    const platform::ReadResult mission = platform::fileSystem().read(missionFile);
    if (!mission.ok) {
        report.fail(missionFile, readFailure(mission));
        return report;
    }
    const std::size_t start = mission.content.find('[');
    if (start == std::string::npos) {
        report.skip(missionFile, kNoBriefing);
        return report;
    }
    MissionSupport analysis(missionFile);
    analysis.READNAT();
    BriefSupport briefing(missionFile, false, BriefSupport::Graphics::SKIP);
    if (!analysis.readInFull() || !briefing.readInFull()) {
        report.fail(missionFile, "file could not be read");
        return report;
    }
    // Both read the file again: one that changed since must not be written from a mix of readings.
    if (const platform::ReadResult again = platform::fileSystem().read(missionFile);
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
    if (name.empty() || briefingName(name).changed) return kNotAFileName;
    // Trimmed too, since that is the file written.
    if (platform::fileExists(folder + typed) || platform::fileExists(folder + name))
        return "a file of this name exists";
    return "";
}

Report copyBriefing(const std::string& from, const std::string& to) {
    return finished(oneFile(), to, platform::copyFile(from, to));
}

Report deleteBriefing(const std::string& file) {
    return finished(oneFile(), file, platform::trashFile(file));
}

}  // namespace hartool
