// The briefing side of the mission tools: the buttons on the right and the three arrows in the middle.

#include "core/briefing/mapgraphics.h"
#include "core/missions/briefingfiles.h"
#include "core/platform/codepage.h"
#include "core/platform/filesystem.h"
#include "core/text/token.h"
#include "gui/briefing/briefedit.h"
#include "gui/briefing/mappreview.h"
#include "gui/missiontools/mtool.h"
#include "gui/missiontools/newbrief.h"
#include "gui/ui/deletebox.h"
#include "gui/ui/launcher.h"
#include "gui/ui/messagebox.h"
#include "gui/ui/modal.h"
#include "gui/ui/textconvert.h"
#include "gui/ui/waitcursor.h"

#include <optional>

namespace hartool {

namespace {

const char* const kExtract = "extract briefing";
const char* const kConnect = "connect briefing";
const char* const kAnalyze = "analyze mission";
const char* const kCopyBriefing = "copy briefing";
const char* const kDeleteBriefing = "delete briefing";
const char* const kEditBriefing = "edit briefing";
const char* const kMapPreview = "map preview";
const char* const kSelectBoth = "you have to select a mission and a briefing";
const char* const kCaptionGap = "     ";

}  // namespace

void MTool::PSHEXTRACT() {
    if (selectedMission(kExtract) == 0) return;
    const std::string title = selectedMissionTitle();
    // A title that cannot be a file name is offered as the name it will get, rather than failing later.
    const BriefingName name = briefingName(title);
    std::string question = "extract " + title + " ?";
    if (name.changed)
        question += "\n\nthe title cannot be a file name as it stands; the briefing is saved as \"" +
                    name.name + "\"";
    if (!ui::confirmed(this, kExtract, question)) return;
    if (platform::fileExists(folders().briefings + platform::fileNameOf(name.name)) &&
        !ui::confirmed(this, kExtract, "file still exists, overwrite ?", ui::kNoByDefault))
        return;
    EXTRACT();
}

void MTool::EXTRACT() {
    const std::string mission = selectedMissionFile();
    if (mission.empty()) return;
    const std::string title = selectedMissionTitle();
    const BriefingName name = briefingName(title);
    Report report;
    {
        const ui::WaitCursor wait;
        report = extractBriefing(mission, folders().briefings, title);
    }
    if (report.done == 0 && report.failures.empty()) {
        ui::INFOBOX(this, kExtract, "no briefingtext found");
    } else {
        const std::string success =
            "briefing " + title + (name.changed ? " extracted as " + name.name : std::string(" extracted"));
        ui::INFOBOX(this, kExtract, report.text(success, "extracted", folders().game));
    }
    READBRIEFINGS();
}

void MTool::PSHCONNECT() {
    if (selectedMissionFile().empty() || selectedBriefingFile().empty()) {
        ui::INFOBOX(this, kConnect, kSelectBoth);
        return;
    }
    if (!ui::confirmed(
            this, kConnect,
            "connect briefing " + selectedBriefingName() + " with mission " + selectedMissionTitle()))
        return;
    if (EXISTBRIEF(selectedMissionFile()) &&
        !ui::confirmed(this, kConnect, "briefing still exists, overwrite ?", ui::kNoByDefault))
        return;
    CONNECT();
}

void MTool::CONNECT() {
    const std::string mission = selectedMissionFile();
    const std::string briefing = selectedBriefingFile();
    if (mission.empty() || briefing.empty()) return;
    const Report report = attachBriefing(briefing, mission);
    ui::INFOBOX(
        this, kConnect,
        report.text("briefing " + selectedBriefingName() + " connected", "connected", folders().game));
}

void MTool::PSHANALYZE() {
    if (selectedMissionFile().empty() || selectedBriefingFile().empty()) {
        ui::INFOBOX(this, kAnalyze, kSelectBoth);
        return;
    }
    const std::string name = selectedBriefingName();
    if (!ui::confirmed(this, kAnalyze,
                       "connect graphics from  " + selectedMissionTitle() + " with briefing " + name))
        return;
    Report report;
    {
        const ui::WaitCursor wait;
        report = analyzeBriefing(selectedMissionFile(), selectedBriefingFile());
    }
    ui::INFOBOX(this, kAnalyze,
                report.text("graphics data added to briefing " + name, "written", folders().game));
}

void MTool::PSHNEW() {
    NewBrief name(this, folders().briefings);
    if (ui::showModal(name) != 1) return;
    BriefEdit editor(this, name.FULLPATH(), name.MODE()->VALUE().toBool(), folders().game);
    const std::string typed(trimSpaces(ui::fromQt(name.FNAME()->text())));
    editor.setWindowTitle(editor.windowTitle() + ui::toQt(kCaptionGap + typed));
    if (ui::showModal(editor) == 1) READBRIEFINGS();
}

void MTool::PSHCOPY() {
    const std::size_t m = selectedBriefing(kCopyBriefing);
    if (m == 0) return;
    const std::string name = briefingList().ITEMLISTE()[m - 1];
    if (!stillThere(selectedBriefingFile(), kCopyBriefing)) return;
    NewBrief copy(this, folders().briefings, true);
    // The greyed mode group shows the source's mode, the copy's.
    copy.MODE()->SETVALUE(
        BriefSupport(selectedBriefingFile(), false, BriefSupport::Graphics::SKIP).DOUBLEMODE());
    copy.FNAME()->setText(ui::toQt(name));
    copy.setWindowTitle(ui::toQt(kCopyBriefing));
    if (ui::showModal(copy) != 1) return;
    const std::string typed = ui::fromQt(copy.FNAME()->text());
    Report report;
    {
        const ui::WaitCursor wait;
        report = copyBriefing(selectedBriefingFile(), copy.FULLPATH());
    }
    ui::INFOBOX(this, kCopyBriefing,
                report.text("briefing " + name + " has been copied to " + typed, "copied", folders().game));
    READBRIEFINGS();
}

void MTool::PSHDELETE() {
    const std::size_t m = selectedBriefing(kDeleteBriefing);
    if (m == 0) return;
    const std::string item = briefingList().ITEMLISTE()[m - 1];
    if (!ui::confirmed(this, kDeleteBriefing, "delete briefing " + item, ui::kNoByDefault)) return;
    const ui::DeleteDone done = ui::finishDelete(
        this, kDeleteBriefing, "briefing " + item, deleteBriefing(selectedBriefingFile()),
        [](const auto& files) { return deleteBriefing(files.front(), DeleteMode::FOR_GOOD); });
    if (done.report.done == 1) removeListItem(briefingList(), m, {&briefings_});
    if (done.report.done == 0 && done.report.ok()) return;
    ui::INFOBOX(
        this, kDeleteBriefing,
        done.report.text("briefing " + item + " " + ui::whereTheyWent(done), "deleted", folders().game));
}

void MTool::PSHEDIT() {
    if (selectedBriefing(kEditBriefing) == 0) return;
    if (!stillThere(selectedBriefingFile(), kEditBriefing)) return;
    BriefEdit editor(this, selectedBriefingFile(), false, folders().game);
    editor.setWindowTitle(editor.windowTitle() + ui::toQt(kCaptionGap + selectedBriefingName()));
    ui::showModal(editor);
}

void MTool::MAPPREVIEW() {
    if (selectedBriefing(kMapPreview) == 0) return;
    if (!stillThere(selectedBriefingFile(), kMapPreview)) return;
    std::optional<MapPreview> preview;
    {
        // A briefing of a large mission holds tens of thousands of entries to read and draw.
        ui::WaitCursor wait;
        BriefSupport briefing(selectedBriefingFile());
        preview.emplace(this, mapPages(briefing), folders().game);
    }
    preview->setWindowTitle(preview->windowTitle() + ui::toQt(kCaptionGap + selectedBriefingName()));
    preview->setPictureName(selectedBriefingName());
    ui::showModal(*preview);
}

void MTool::PSHTEXTEDIT() {
    if (selectedBriefing(kEditBriefing) == 0) return;
    if (!stillThere(selectedBriefingFile(), kEditBriefing)) return;
    ui::openInTextEditor(this, selectedBriefingFile(), kEditBriefing, folders().game);
}

}  // namespace hartool
