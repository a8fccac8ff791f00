#pragma once

#include "core/game/gamepaths.h"
#include "gui/ui/controls.h"
#include "gui/ui/dialog.h"
#include "gui/ui/gamechecks.h"

#include <cstddef>
#include <span>
#include <string>
#include <vector>

namespace hartool {

// Layout of the campaign transfer dialog.
class Mover_vo : public ui::Dialog {
    Q_OBJECT
  public:
    explicit Mover_vo(QWidget* owner = nullptr);

  protected:
    struct {
        QLabel* FTXTKAMP1;
        ui::MYCOMBOBOX* CMBKAMPAGNE;
        ui::MYPUSHBUTTON* PSHRESTKAMP;
        QGroupBox* GROUPBOX1;
        QLabel* FTXTKAMP;
        QLabel* FXTMISS;
        ui::MYLISTBOX* LBKAMPAGNE;
        ui::MYLISTBOX* LBMISSION;
        ui::MYPUSHBUTTON* PSHMOVEKM;
        ui::MYPUSHBUTTON* PSHMOVEMK;
        ui::MYPUSHBUTTON* PSHREFRESH;
        ui::MYPUSHBUTTON* PSHDELETE;
        ui::MYPUSHBUTTON* PSHCANCEL;
        ui::MYCHECKBOX* CBSHOWALL;
    } ui;
};

// Copies a campaign's missions to single battles, which the battle builder can edit, and back. A text typed
// into the campaign box that names no campaign leaves the last selected one in force.
class Mover : public Mover_vo {
    Q_OBJECT
  public:
    // checks: the game path and backup tests of the dialog that keeps the game path, asked before a restore.
    Mover(QWidget* owner, ui::GameChecks& checks, std::span<const Campaign> campaigns,
          const std::string& gamePath);

    // Fills the two lists for the campaign at that position (1-based) of the table.
    void READDATA(std::size_t campaignPosition);
    // Selected positions (1-based, ascending); with "show all files" the current one alone.
    std::vector<std::size_t> LBDATA(const ui::MYLISTBOX& list) const;
    // Both lists in multiple or single selection, refilled and without selection.
    void CREATELB(bool multiple);

    const std::string& currentCampaignName() const { return campaignName_; }
    const std::vector<std::string>& listedFiles() const { return listedFiles_; }

    void LISTBOXSELECT(const ui::ControlEvent& event) override;
    void BUTTONCLICK(const ui::ControlEvent& event) override;
    void ENDDIALOG(int result) override;

  public slots:
    void PSHMOVEKM();
    void PSHMOVEMK();
    void PSHRESTKAMP();
    void PSHDELETE();
    void PSHREFRESH();
    void PSHCANCEL();

  private:
    std::size_t campaignPosition() const;
    const Campaign& campaign() const { return campaigns_[campaignPosition() - 1]; }
    std::vector<std::string> selectedFiles() const;

    ui::GameChecks& checks_;
    std::string campaignName_;
    std::vector<Campaign> campaigns_;
    GameFolders folders_;
    std::vector<std::string> listedFiles_;
    std::size_t lastSelected_ = 1;
};

}  // namespace hartool
