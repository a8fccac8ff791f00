// The mission list's context menu and the check of the missions behind it.

#include <QCursor>
#include <QMenu>

#include <optional>

#include "core/briefing/briefsupport.h"
#include "core/briefing/mapgraphics.h"
#include "core/check/check.h"
#include "core/platform/codepage.h"
#include "gui/briefing/mappreview.h"
#include "gui/missiontools/checkmiss.h"
#include "gui/missiontools/mtool.h"
#include "gui/ui/modal.h"
#include "gui/ui/textconvert.h"
#include "gui/ui/waitcursor.h"

namespace hartool {

namespace {

const char* const kCaptionGap = "     ";

std::string baseName(const std::string& path) {
    return path.substr(path.find_last_of("\\/") + 1);
}

// The position (from 1) of name among names, without regard to case; 0 when it is not there.
std::size_t positionOf(const std::vector<std::string>& names, const std::string& name) {
    for (std::size_t i = 0; i < names.size(); ++i)
        if (platform::iequals1252(names[i], name)) return i + 1;
    return 0;
}

}  // namespace

void MTool::addMissionMenu() {
    missionMenu_ = new QMenu(this);
    missionMenu_->setObjectName(QStringLiteral("MISSIONMENU"));
    QAction* check =
        missionMenu_->addAction(QStringLiteral("&Check Missions..."), this, &MTool::CHECKMISSIONS);
    check->setObjectName(QStringLiteral("CHECKMISSIONS"));
    ui.LBMISSIONS->setContextMenuPolicy(Qt::CustomContextMenu);
    connect(ui.LBMISSIONS, &QWidget::customContextMenuRequested, this, [this](QPoint at) {
        QWidget* viewport = ui.LBMISSIONS->viewport();
        // As the briefing list's menu: a right click selects the mission under the pointer, the menu key
        // keeps the selection.
        if (viewport->mapFromGlobal(QCursor::pos()) == at) {
            if (QListWidgetItem* item = ui.LBMISSIONS->itemAt(at)) ui.LBMISSIONS->setCurrentItem(item);
        } else if (QListWidgetItem* current = ui.LBMISSIONS->currentItem()) {
            at = ui.LBMISSIONS->visualItemRect(current).center();
        }
        missionMenu_->popup(viewport->mapToGlobal(at));
    });
}

void MTool::CHECKMISSIONS() {
    std::vector<Finding> findings;
    {
        const ui::WaitCursor wait;
        findings = checkMissions(folders());
    }
    CheckMiss window(this, std::move(findings), folders().game);
    if (ui::showModal(window) != QDialog::Accepted || !window.chosen()) return;
    const Finding finding = *window.chosen();
    const std::string name = platform::gameNameOf(baseName(finding.file));
    if (finding.kind == CheckedFile::Mission) {
        if (const std::size_t at = positionOf(missionFileNames(), name)) ui.LBMISSIONS->SETCURRENTITEMNO(at);
    } else if (finding.kind == CheckedFile::Briefing) {
        if (const std::size_t at = positionOf(briefingNames(), name)) ui.LBBRIEFINGS->SETCURRENTITEMNO(at);
    }
    if (!finding.entry) return;

    // The page of the entry, with the entry framed. A mission's own briefing part is read from the mission
    // and only shown: the preview never writes.
    std::optional<MapPreview> preview;
    {
        const ui::WaitCursor wait;
        BriefSupport briefing(finding.file);
        std::vector<MapPage> pages = mapPages(briefing);
        const std::optional<EntryIndex> at = locateEntry(pages, *finding.entry);
        preview.emplace(this, std::move(pages), folders().game, at ? at->page : 0);
        if (at) preview->highlightEntry(at->entry);
    }
    preview->setWindowTitle(preview->windowTitle() + ui::toQt(kCaptionGap + name));
    ui::showModal(*preview);
}

}  // namespace hartool
