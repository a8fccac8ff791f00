#include "gui/transfer/mover.h"

#include "core/backup/backup.h"
#include "core/game/gamecheck.h"
#include "core/platform/profile.h"
#include "core/platform/settings.h"
#include "core/text/entries.h"
#include "core/transfer/transfer.h"
#include "gui/ui/deletebox.h"
#include "gui/ui/messagebox.h"
#include "gui/ui/progressbox.h"
#include "gui/ui/waitcursor.h"

#include <QLineEdit>

#include <algorithm>
#include <optional>

namespace hartool {

namespace {
const char* const kCampaignKey = "CAMPAIGN";
const char* const kToBattles = "transfer campaigns";
const char* const kToCampaign = "transfer single battles";
const char* const kRestore = "restore selected campaign";
const char* const kDelete = "delete single battles";
}  // namespace

Mover_vo::Mover_vo(QWidget* owner) : ui::Dialog("Mover_vo", owner) {
    bind(ui.FTXTKAMP1, "FTXTKAMP1");
    bind(ui.CMBKAMPAGNE, "CMBKAMPAGNE");
    bind(ui.PSHRESTKAMP, "PSHRESTKAMP");
    bind(ui.GROUPBOX1, "GROUPBOX1");
    bind(ui.FTXTKAMP, "FTXTKAMP");
    bind(ui.FXTMISS, "FXTMISS");
    bind(ui.LBKAMPAGNE, "LBKAMPAGNE");
    bind(ui.LBMISSION, "LBMISSION");
    bind(ui.PSHMOVEKM, "PSHMOVEKM");
    bind(ui.PSHMOVEMK, "PSHMOVEMK");
    bind(ui.PSHREFRESH, "PSHREFRESH");
    bind(ui.PSHDELETE, "PSHDELETE");
    bind(ui.PSHCANCEL, "PSHCANCEL");
    bind(ui.CBSHOWALL, "CBSHOWALL");
    ui::showColumns(*ui.LBMISSION, dialogTemplate());
    keepColumnsVisible(*ui.LBMISSION,
                       static_cast<int>(singleBattleItem(std::string(15, 'M'), "BATTLE0000.TXT").size()));
}

Mover::Mover(QWidget* owner, ui::GameChecks& checks, std::span<const Campaign> campaigns,
             const std::string& gamePath)
    : Mover_vo(owner),
      checks_(checks),
      campaigns_(campaigns.begin(), campaigns.end()),
      folders_(GameFolders::fromGamePath(gamePath)) {
    std::vector<std::string> names;
    std::vector<QVariant> folders;
    for (const Campaign& c : campaigns_) {
        names.emplace_back(c.displayName);
        folders.emplace_back(QString::fromLatin1(c.folder));
    }
    ui.CMBKAMPAGNE->FILLUSING(names, folders);
    campaignName_ = platform::GETENVIRONMENT(kIniSection, kCampaignKey, platform::iniFile());
    ui.CMBKAMPAGNE->SETCURRENTTEXT(campaignName_);
    if (ui.CMBKAMPAGNE->CURRENTITEMNO() == 0) ui.CMBKAMPAGNE->SETCURRENTITEMNO(1);
    lastSelected_ = std::max<std::size_t>(ui.CMBKAMPAGNE->CURRENTITEMNO(), 1);
    // A name typed that matches no campaign gives way to the campaign the work goes to.
    if (QLineEdit* typed = ui.CMBKAMPAGNE->lineEdit())
        connect(typed, &QLineEdit::editingFinished, this, [this] {
            if (ui.CMBKAMPAGNE->CURRENTITEMNO() == 0)
                ui.CMBKAMPAGNE->setEditText(ui.CMBKAMPAGNE->itemText(static_cast<int>(lastSelected_ - 1)));
        });
    ui.CBSHOWALL->setChecked(false);
    READDATA(campaignPosition());
}

std::size_t Mover::campaignPosition() const {
    const std::size_t position = ui.CMBKAMPAGNE->CURRENTITEMNO();
    return position > 0 ? position : lastSelected_;
}

void Mover::READDATA(std::size_t position) {
    MissionLists lists;
    {
        // A player folder of thousands of battles takes a moment to read.
        const ui::WaitCursor wait;
        lists = transferLists(folders_, campaigns_.at(position - 1), ui.CBSHOWALL->isChecked());
    }
    listedFiles_ = lists.fileNames;
    ui.LBMISSION->FILLUSING(lists.battleItems);
    ui.LBKAMPAGNE->FILLUSING(lists.campaignItems);
}

std::vector<std::size_t> Mover::LBDATA(const ui::MYLISTBOX& list) const {
    if (!ui.CBSHOWALL->isChecked()) return list.SELECTEDPOSITIONS();
    if (const std::size_t current = list.CURRENTITEMNO(); current > 0) return {current};
    return {};
}

void Mover::CREATELB(bool multiple) {
    ui.LBMISSION->SETMULTIPLESELECTION(multiple);
    ui.LBKAMPAGNE->SETMULTIPLESELECTION(multiple);
    READDATA(campaignPosition());
}

std::vector<std::string> Mover::selectedFiles() const {
    std::vector<std::string> files;
    for (std::size_t p : LBDATA(*ui.LBMISSION)) files.push_back(listedFiles_.at(p - 1));
    return files;
}

void Mover::LISTBOXSELECT(const ui::ControlEvent& event) {
    if (event.name == "CMBKAMPAGNE") {
        if (const std::size_t position = ui.CMBKAMPAGNE->CURRENTITEMNO(); position > 0) {
            lastSelected_ = position;
            campaignName_ = ui.CMBKAMPAGNE->CURRENTITEM();
            READDATA(position);
        }
    }
    Mover_vo::LISTBOXSELECT(event);
}

void Mover::BUTTONCLICK(const ui::ControlEvent& event) {
    Mover_vo::BUTTONCLICK(event);
    if (event.name == "CBSHOWALL") CREATELB(!ui.CBSHOWALL->isChecked());
}

void Mover::ENDDIALOG(int result) {
    Mover_vo::ENDDIALOG(result);
    // Losing the remembered campaign is not worth a box on the way out.
    platform::WRITEENVIRONMENT(kIniSection, kCampaignKey, campaignName_, platform::iniFile());
}

void Mover::PSHREFRESH() {
    READDATA(campaignPosition());
}

void Mover::PSHCANCEL() {
    ENDDIALOG(0);
}

void Mover::PSHMOVEKM() {
    std::vector<std::size_t> missions;
    for (std::size_t p : LBDATA(*ui.LBKAMPAGNE)) missions.push_back(p - 1);
    if (missions.empty()) return;
    if (!ui::confirmed(this, kToBattles,
                       "copy " + std::to_string(missions.size()) + " campaign-missions to single battles ?"))
        return;
    std::vector<std::size_t> keep = changedSingleBattles(folders_, campaign(), missions);
    if (!keep.empty()) {
        const std::string question =
            keep.size() == 1 ? "1 of these single battles already exists and has changed. Replace it ?"
                             : std::to_string(keep.size()) +
                                   " of these single battles already exist and have changed. Replace them ?";
        if (ui::confirmed(this, kToBattles, question, ui::kNoByDefault)) keep.clear();
    }
    Report report;
    {
        const ui::WaitCursor wait;
        ui::ProgressBox progress(this, kToBattles);
        report = copyToSingleBattles(folders_, campaign(), missions, keep, progress.callback());
    }
    READDATA(campaignPosition());
    // Battles kept by the player's choice are not copied, and the count says so.
    ui::INFOBOX(this, kToBattles,
                report.text(std::to_string(missions.size() - report.kept.size()) + " Files copied", "copied",
                            folders_.game));
}

void Mover::PSHMOVEMK() {
    const bool paired = ui.CBSHOWALL->isChecked();
    std::optional<std::size_t> mission;
    if (paired) {
        if (ui.LBKAMPAGNE->CURRENTITEMNO() == 0 || ui.LBMISSION->CURRENTITEMNO() == 0) {
            ui::INFOBOX(this, kToCampaign, "you have to select a single-battle and a campaign-mission");
            return;
        }
        mission = static_cast<std::size_t>(ENDNUMMER(ui.LBKAMPAGNE->CURRENTITEM()));
    }
    const std::vector<std::string> battles = selectedFiles();
    if (battles.empty()) return;
    if (!ui::confirmed(
            this, kToCampaign,
            "copy " + std::to_string(battles.size()) + " single battles files to the campaign folder ?",
            ui::kNoByDefault))
        return;
    Report report;
    {
        const ui::WaitCursor wait;
        ui::ProgressBox progress(this, kToCampaign);
        report = copyToCampaign(folders_, campaign(), battles, mission, progress.callback());
    }
    ui::INFOBOX(
        this, kToCampaign,
        report.text(std::to_string(battles.size()) + " files transfered", "transferred", folders_.game));
}

void Mover::PSHRESTKAMP() {
    if (!ui::confirmed(this, kRestore, "replace the selected campaign with the original campaign ?",
                       ui::kNoByDefault))
        return;
    if (!checks_.FILEOK() || checks_.COPYOK()) return;
    Report report;
    {
        const ui::WaitCursor wait;
        ui::ProgressBox progress(this, kRestore);
        report = copyFolder(folders_.savedCampaign(campaign()), folders_.campaign(campaign()),
                            CopyMode::KAMPAGNE, progress.callback());
    }
    ui::INFOBOX(this, kRestore,
                report.text("the original campaign has been restored", "copied", folders_.game));
}

void Mover::PSHDELETE() {
    const std::vector<std::string> battles = selectedFiles();
    if (battles.empty()) return;
    const std::string count = std::to_string(battles.size());
    if (!ui::confirmed(this, kDelete, count + " single battles files selected to delete ?", ui::kNoByDefault))
        return;
    Deletion trashed;
    {
        const ui::WaitCursor wait;
        ui::ProgressBox progress(this, kDelete);
        trashed = deleteSingleBattles(folders_, battles, progress.callback());
    }
    const ui::DeleteDone done = ui::finishDelete(this, kDelete, count + " single battles files",
                                                 std::move(trashed), [](const auto& files) {
                                                     const ui::WaitCursor wait;
                                                     return deleteFiles(files, DeleteMode::FOR_GOOD);
                                                 });
    if (done.report.done > 0 || !done.report.ok())
        ui::INFOBOX(this, kDelete,
                    done.report.text(
                        std::to_string(done.report.done) + " single battles files " + ui::whereTheyWent(done),
                        "deleted", folders_.game));
    READDATA(campaignPosition());
}

}  // namespace hartool
