#include "gui/missiontools/mtool.h"

#include "core/missions/missions.h"
#include "core/platform/codepage.h"
#include "core/platform/filesystem.h"
#include "core/text/entries.h"
#include "core/text/token.h"
#include "gui/missiontools/copymiss.h"
#include "gui/missiontools/missprop.h"
#include "gui/ui/deletebox.h"
#include "gui/ui/launcher.h"
#include "gui/ui/messagebox.h"
#include "gui/ui/modal.h"
#include "gui/ui/textconvert.h"
#include "gui/ui/waitcursor.h"

#include <QCursor>
#include <QMenu>

#include <algorithm>

namespace hartool {

namespace {
const char* const kCopy = "copy mission";
const char* const kDelete = "delete mission";
const char* const kEdit = "edit mission";
const char* const kNoMission = "no mission selected";
const char* const kNoBriefing = "no briefing selected";
}  // namespace

MTool_vo::MTool_vo(QWidget* owner) : ui::Dialog("MTool_vo", owner) {
    bind(ui.FTXTKAMP1, "FTXTKAMP1");
    bind(ui.FTXTKAMP, "FTXTKAMP");
    bind(ui.LBMISSIONS, "LBMISSIONS");
    bind(ui.LBBRIEFINGS, "LBBRIEFINGS");
    bind(ui.PSHEXTRACT, "PSHEXTRACT");
    bind(ui.PSHANALYZE, "PSHANALYZE");
    bind(ui.PSHCONNECT, "PSHCONNECT");
    bind(ui.PSHPROP, "PSHPROP");
    bind(ui.PSHMISSCOPY, "PSHMISSCOPY");
    bind(ui.PSHMISSEDIT, "PSHMISSEDIT");
    bind(ui.PSHMISSDELETE, "PSHMISSDELETE");
    bind(ui.PSHEDIT, "PSHEDIT");
    bind(ui.PSHNEW, "PSHNEW");
    bind(ui.PSHCOPY, "PSHCOPY");
    bind(ui.PSHDELETE, "PSHDELETE");
    bind(ui.PSHTEXTEDIT, "PSHTEXTEDIT");
    bind(ui.PSHCANCEL, "PSHCANCEL");
    // The mission lines are padded into columns.
    ui::showColumns(*ui.LBMISSIONS, dialogTemplate());
    ui::showColumns(*ui.LBBRIEFINGS, dialogTemplate());
    // A full title and the longest name the game gives a mission, a single battle's ("BATTLE0001.TXT"),
    // longer than an 8.3 name; a briefing is named after a title.
    keepColumnsVisible(*ui.LBMISSIONS,
                       static_cast<int>(missionItem(std::string(30, 'M'), "BATTLE0000.TXT").size()));
    keepColumnsVisible(*ui.LBBRIEFINGS, 30);
}

MTool::MTool(QWidget* owner, const std::string& gamePath)
    : MTool_vo(owner), folders_(GameFolders::fromGamePath(gamePath)) {
    READDATA();
    READBRIEFINGS();
    // A menu rather than a double click: a double click on a file reads as "edit", which the Edit button
    // does.
    briefingMenu_ = new QMenu(this);
    briefingMenu_->setObjectName(QStringLiteral("BRIEFINGMENU"));
    QAction* preview = briefingMenu_->addAction(QStringLiteral("&Map Preview..."), this, &MTool::MAPPREVIEW);
    preview->setObjectName(QStringLiteral("MAPPREVIEW"));
    ui.LBBRIEFINGS->setContextMenuPolicy(Qt::CustomContextMenu);
    connect(ui.LBBRIEFINGS, &QWidget::customContextMenuRequested, this, [this](QPoint at) {
        QWidget* viewport = ui.LBBRIEFINGS->viewport();
        // A right click selects the briefing under the pointer; the menu key keeps the selection and opens
        // the menu beside it.
        if (viewport->mapFromGlobal(QCursor::pos()) == at) {
            if (QListWidgetItem* item = ui.LBBRIEFINGS->itemAt(at)) ui.LBBRIEFINGS->setCurrentItem(item);
            briefingMenu_->popup(viewport->mapToGlobal(at));
            return;
        }
        if (QListWidgetItem* current = ui.LBBRIEFINGS->currentItem())
            at = ui.LBBRIEFINGS->visualItemRect(current).center();
        // From the keyboard the first entry is active, so that one Return takes it.
        briefingMenu_->popup(viewport->mapToGlobal(at));
        if (!briefingMenu_->actions().isEmpty())
            briefingMenu_->setActiveAction(briefingMenu_->actions().first());
    });
    addMissionMenu();
}

std::string MTool::GETTITLE(const std::string& file) const {
    return hartool::GETTITLE(file);
}

void MTool::READDATA() {
    const std::size_t remembered = ui.LBMISSIONS->CURRENTITEMNO();
    MissionList list;
    {
        const ui::WaitCursor wait;
        list = readMissionList(folders_.player);
    }
    titles_ = std::move(list.titles);
    fileNames_ = std::move(list.fileNames);
    ui.LBMISSIONS->FILLUSING(list.items);
    if (remembered > 0) ui.LBMISSIONS->SETCURRENTITEMNO(std::min(remembered, fileNames_.size()));
}

void MTool::READBRIEFINGS() {
    const std::size_t remembered = ui.LBBRIEFINGS->CURRENTITEMNO();
    briefings_ = readBriefingNames(folders_.briefings);
    ui.LBBRIEFINGS->FILLUSING(briefings_);
    if (remembered > 0) ui.LBBRIEFINGS->SETCURRENTITEMNO(std::min(remembered, briefings_.size()));
}

// The highlight style of the two headings keeps their colour; there is nothing to release.
void MTool::DESTROY() {}

std::string MTool::selectedMissionTitle() const {
    const std::size_t n = ui.LBMISSIONS->CURRENTITEMNO();
    return n > 0 && n <= titles_.size() ? titles_[n - 1] : "";
}

std::string MTool::selectedMissionFile() const {
    const std::size_t n = ui.LBMISSIONS->CURRENTITEMNO();
    return n > 0 && n <= fileNames_.size() ? folders_.player + platform::fileNameOf(fileNames_[n - 1]) : "";
}

std::string MTool::selectedBriefingName() const {
    const std::size_t n = ui.LBBRIEFINGS->CURRENTITEMNO();
    return n > 0 && n <= briefings_.size() ? briefings_[n - 1] : "";
}

std::string MTool::selectedBriefingFile() const {
    const std::string name = selectedBriefingName();
    return name.empty() ? "" : folders_.briefings + platform::fileNameOf(name);
}

void MTool::removeListItem(ui::MYLISTBOX& list, std::size_t position,
                           std::initializer_list<std::vector<std::string>*> arrays) {
    std::vector<std::string> items = list.ITEMLISTE();
    if (position == 0 || position > items.size()) return;
    items.erase(items.begin() + static_cast<std::ptrdiff_t>(position - 1));
    for (std::vector<std::string>* array : arrays)
        if (position <= array->size())
            array->erase(array->begin() + static_cast<std::ptrdiff_t>(position - 1));
    list.FILLUSING(items);
    list.SETCURRENTITEMNO(std::min(position, items.size()));
}

void MTool::selectMissionFile(const std::string& fileName) {
    for (std::size_t i = 0; i < fileNames_.size(); ++i) {
        if (platform::iequals1252(fileNames_[i], fileName)) {
            ui.LBMISSIONS->SETCURRENTITEMNO(i + 1);
            return;
        }
    }
}

std::size_t MTool::selectedMission(const std::string& caption) {
    const std::size_t n = ui.LBMISSIONS->CURRENTITEMNO();
    if (n == 0 || n > fileNames_.size()) {
        ui::INFOBOX(this, caption, kNoMission);
        return 0;
    }
    return n;
}

std::size_t MTool::selectedBriefing(const std::string& caption) {
    const std::size_t n = ui.LBBRIEFINGS->CURRENTITEMNO();
    if (n == 0 || n > briefings_.size()) {
        ui::INFOBOX(this, caption, kNoBriefing);
        return 0;
    }
    return n;
}

bool MTool::stillThere(const std::string& file, const std::string& caption) {
    if (platform::fileExists(file)) return true;
    ui::INFOBOX(this, caption, platform::shownPath(file, folders_.game) + " no longer exists");
    READDATA();
    READBRIEFINGS();
    return false;
}

void MTool::PSHMISSCOPY() {
    const std::size_t n = selectedMission(kCopy);
    if (n == 0 || !stillThere(folders_.player + platform::fileNameOf(fileNames_[n - 1]), kCopy)) return;
    const std::string title = titles_[n - 1];
    const std::string name = fileNames_[n - 1];
    const std::string oldDescription = name + " - " + title;

    CopyMiss copy(this, folders_.player);
    copy.SETFNAME(name);
    copy.SETMNAME(title);
    copy.setWindowTitle(ui::toQt("copy mission  " + name));
    if (ui::showModal(copy) != 1) return;
    const std::string newDescription = copy.FNAME() + " - " + copy.MNAME();

    const MissionCopyPlan plan = planMissionCopy(folders_.player, name, title, copy.FNAME(), copy.MNAME());
    if (plan.replaces &&
        !ui::confirmed(this, kCopy,
                       "replace the existing mission " + std::string(trimSpaces(copy.FNAME())) + " ?",
                       ui::kNoByDefault)) {
        READDATA();
        return;
    }
    MissionCopyResult result;
    {
        const ui::WaitCursor wait;
        result = copyMission(plan);
    }
    READDATA();
    // The next operation acts on the mission just made or retitled.
    if (result.copied || result.retitled)
        selectMissionFile(result.copied ? std::string(trimSpaces(copy.FNAME())) : name);
    const std::string success = result.copied
                                    ? "mission " + oldDescription + " has been copied to " + newDescription
                                    : "mission " + oldDescription + " has been renamed to " + newDescription;
    if (result.copied || result.retitled || !result.report.ok())
        ui::INFOBOX(this, kCopy,
                    result.report.text(success, plan.copy ? "copied" : "renamed", folders_.game));
}

void MTool::PSHMISSDELETE() {
    const std::size_t n = selectedMission(kDelete);
    if (n == 0) return;
    const std::string item = ui.LBMISSIONS->ITEMLISTE()[n - 1];
    if (!ui::confirmed(this, kDelete, "delete mission " + item, ui::kNoByDefault)) return;
    const ui::DeleteDone done = ui::finishDelete(
        this, kDelete, "mission " + item,
        deleteMission(folders_.player + platform::fileNameOf(fileNames_[n - 1])),
        [](const auto& files) { return deleteMission(files.front(), DeleteMode::FOR_GOOD); });
    if (done.report.done == 1) removeListItem(*ui.LBMISSIONS, n, {&titles_, &fileNames_});
    // Kept by the player's answer: nothing more to say.
    if (done.report.done == 0 && done.report.ok()) return;
    ui::INFOBOX(
        this, kDelete,
        done.report.text("mission " + item + " " + ui::whereTheyWent(done), "deleted", folders_.game));
}

void MTool::PSHMISSEDIT() {
    const std::size_t n = selectedMission(kEdit);
    if (n == 0 || !stillThere(folders_.player + platform::fileNameOf(fileNames_[n - 1]), kEdit)) return;
    ui::openInTextEditor(this, folders_.player + platform::fileNameOf(fileNames_[n - 1]), kEdit,
                         folders_.game);
}

void MTool::PSHPROP() {
    const std::size_t n = selectedMission(kEdit);
    if (n == 0 || !stillThere(folders_.player + platform::fileNameOf(fileNames_[n - 1]), kEdit)) return;
    MissProp properties(this, folders_.player + platform::fileNameOf(fileNames_[n - 1]), folders_.game);
    properties.setWindowTitle(properties.windowTitle() + ui::toQt("     " + titles_[n - 1]));
    ui::showModal(properties);
}

void MTool::PSHCANCEL() {
    ENDDIALOG(0);
}

}  // namespace hartool
