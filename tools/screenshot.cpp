// Renders a dialog offscreen into a PNG, for the README:
//   hartool-screenshot OUT.png [PatchDialog|Credits]
//   hartool-screenshot OUT.png MapPreview GAMEFOLDER   the map preview of S01's briefing, analysed afresh
//   hartool-screenshot OUT.png CheckMiss GAMEFOLDER    the findings window on the demo game seeded with
//   faults
//   hartool-screenshot OUT.png MTool GAMEFOLDER        the mission tools with S01 and its briefing selected
//   hartool-screenshot OUT.png BriefEdit GAMEFOLDER    the briefing editor on S01's briefing
// Each dialog at the size it opens at on a first start.

#include "core/analysis/missionsupport.h"
#include "core/briefing/briefsupport.h"
#include "core/briefing/mapgraphics.h"
#include "core/check/check.h"
#include "core/game/gamepaths.h"
#include "core/platform/filesystem.h"
#include "gui/app/credits.h"
#include "gui/app/patchdialog.h"
#include "gui/briefing/briefedit.h"
#include "gui/briefing/mappreview.h"
#include "gui/missiontools/checkmiss.h"
#include "gui/missiontools/mtool.h"

#include <QApplication>
#include <QPixmap>

#include <cstdio>
#include <cstring>
#include <memory>
#include <string>

namespace {

std::string replaced(std::string text, const std::string& from, const std::string& to) {
    if (const std::size_t at = text.find(from); at != std::string::npos) text.replace(at, from.size(), to);
    return text;
}

// Faults a player meets in missions made by hand: a second "Night Raid" played for side 3 with a line ended
// by LF alone, a long title, a sprite off the map whose picture the game lacks, a heading with a "[".
bool seedFaults(const std::string& game) {
    using hartool::platform::readFile;
    using hartool::platform::writeFile;
    const std::string player = game + "Data\\Battles\\Player\\";
    std::string copy = readFile(player + "S01.TXT");
    copy = replaced(replaced(copy, "SIDE: 0", "SIDE: 3"), "BATTLESIZE: 16000 16000\r\n",
                    "BATTLESIZE: 16000 16000\n");
    std::string other = replaced(readFile(player + "S02.TXT"), "TITLE: Border Watch",
                                 "TITLE: Border Watch at the northern river crossing");
    other = replaced(other, "Heading = 9, ", "Heading = 9, [Draft] ");
    other += "Sprite 9 = images\\rscout.pcx, 336, 40\r\n";
    return writeFile(player + "S20.TXT", copy).ok && writeFile(player + "S21.TXT", other).ok;
}

// The mission's own briefing part as a briefing file, as Extract makes it; "" when that fails.
std::string extractS01(const std::string& game, const std::string& briefingFile) {
    using namespace hartool;
    const std::string mission = game + "Data\\Battles\\Player\\S01.TXT";
    const std::string text = platform::readFile(mission);
    const std::size_t part = text.find('[');
    if (part == std::string::npos || !platform::writeFile(briefingFile, text.substr(part))) {
        std::fprintf(stderr, "cannot make a briefing from %s\n", mission.c_str());
        return "";
    }
    return mission;
}

}  // namespace

int main(int argc, char* argv[]) {
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    if (argc < 2 || argc > 4) {
        std::fprintf(stderr,
                     "usage: hartool-screenshot OUT.png [PatchDialog|Credits|MapPreview GAMEFOLDER|CheckMiss "
                     "GAMEFOLDER|MTool GAMEFOLDER|BriefEdit GAMEFOLDER]\n");
        return 2;
    }
    const char* which = argc >= 3 ? argv[2] : "PatchDialog";
    std::unique_ptr<QDialog> dialog;
    if (std::strcmp(which, "PatchDialog") == 0) {
        dialog = std::make_unique<hartool::PatchDialog>();
    } else if (std::strcmp(which, "Credits") == 0) {
        dialog = std::make_unique<hartool::Credits>();
    } else if (std::strcmp(which, "MapPreview") == 0 && argc == 4) {
        using namespace hartool;
        const std::string game = std::string(argv[3]) + "\\";
        const std::string briefingFile = game + "Night Raid.briefing";
        const std::string mission = extractS01(game, briefingFile);
        if (mission.empty()) return 1;
        MissionSupport analysis(mission);
        analysis.READNAT();
        BriefSupport briefing(briefingFile);
        if (!analysis.ANALYZE(briefing)) {
            std::fprintf(stderr, "cannot analyse %s\n", mission.c_str());
            return 1;
        }
        BriefSupport analysed(briefingFile);
        auto preview = std::make_unique<MapPreview>(nullptr, mapPages(analysed), game);
        preview->showPage(1);  // routes and objectives
        dialog = std::move(preview);
    } else if (std::strcmp(which, "CheckMiss") == 0 && argc == 4) {
        using namespace hartool;
        const std::string game = std::string(argv[3]) + "\\";
        if (!seedFaults(game)) {
            std::fprintf(stderr, "cannot seed faults into %s\n", game.c_str());
            return 1;
        }
        const GameFolders folders = GameFolders::fromGamePath(game);
        auto window = std::make_unique<CheckMiss>(nullptr, checkMissions(folders), game);
        dialog = std::move(window);
    } else if (std::strcmp(which, "MTool") == 0 && argc == 4) {
        using namespace hartool;
        const std::string game = std::string(argv[3]) + "\\";
        const std::string briefings = game + "Data\\Backup\\Briefings\\";
        if (!platform::makeFolders(briefings) || extractS01(game, briefings + "Night Raid").empty()) return 1;
        auto tools = std::make_unique<MTool>(nullptr, game);
        const auto& names = tools->missionFileNames();
        for (std::size_t i = 0; i < names.size(); ++i)
            if (names[i] == "S01.TXT") tools->missionList().SETCURRENTITEMNO(i + 1);
        tools->briefingList().SETCURRENTITEMNO(1);
        dialog = std::move(tools);
    } else if (std::strcmp(which, "BriefEdit") == 0 && argc == 4) {
        using namespace hartool;
        const std::string game = std::string(argv[3]) + "\\";
        const std::string briefingFile = game + "Night Raid.briefing";
        if (extractS01(game, briefingFile).empty()) return 1;
        dialog = std::make_unique<BriefEdit>(nullptr, briefingFile, false, game);
    } else {
        std::fprintf(stderr, "unknown dialog %s\n", which);
        return 2;
    }
    dialog->show();
    QApplication::processEvents();
    if (!dialog->grab().save(QString::fromLocal8Bit(argv[1]), "PNG")) {
        std::fprintf(stderr, "cannot write %s\n", argv[1]);
        return 1;
    }
    return 0;
}
