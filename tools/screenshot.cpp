// Renders a dialog offscreen into a PNG, for the README:
//   hartool-screenshot OUT.png [PatchDialog|Credits]
//   hartool-screenshot OUT.png MapPreview GAMEFOLDER   the map preview of S01's briefing, analysed afresh
//   hartool-screenshot OUT.png MTool GAMEFOLDER        the mission tools with S01 and its briefing selected
//   hartool-screenshot OUT.png BriefEdit GAMEFOLDER    the briefing editor on S01's briefing
// Each dialog at the size it opens at on a first start.

#include "core/analysis/missionsupport.h"
#include "core/briefing/briefsupport.h"
#include "core/briefing/mapgraphics.h"
#include "core/platform/filesystem.h"
#include "gui/app/credits.h"
#include "gui/app/patchdialog.h"
#include "gui/briefing/briefedit.h"
#include "gui/briefing/mappreview.h"
#include "gui/missiontools/mtool.h"

#include <QApplication>
#include <QPixmap>

#include <cstdio>
#include <cstring>
#include <memory>
#include <string>

namespace {

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
        std::fprintf(
            stderr,
            "usage: hartool-screenshot OUT.png [PatchDialog|Credits|MapPreview GAMEFOLDER|MTool GAMEFOLDER|"
            "BriefEdit GAMEFOLDER]\n");
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
