#pragma once

#include "core/game/gamepaths.h"
#include "gui/ui/controls.h"
#include "gui/ui/dialog.h"

class QMenu;

#include <cstddef>
#include <initializer_list>
#include <string>
#include <vector>

namespace hartool {

// Layout of the mission tools dialog.
class MTool_vo : public ui::Dialog {
    Q_OBJECT
  public:
    explicit MTool_vo(QWidget* owner = nullptr);

  protected:
    struct {
        QLabel* FTXTKAMP1;
        QLabel* FTXTKAMP;
        ui::MYLISTBOX* LBMISSIONS;
        ui::MYLISTBOX* LBBRIEFINGS;
        ui::MYPUSHBUTTON* PSHEXTRACT;
        ui::MYPUSHBUTTON* PSHANALYZE;
        ui::MYPUSHBUTTON* PSHCONNECT;
        ui::MYPUSHBUTTON* PSHPROP;
        ui::MYPUSHBUTTON* PSHMISSCOPY;
        ui::MYPUSHBUTTON* PSHMISSEDIT;
        ui::MYPUSHBUTTON* PSHMISSDELETE;
        ui::MYPUSHBUTTON* PSHEDIT;
        ui::MYPUSHBUTTON* PSHNEW;
        ui::MYPUSHBUTTON* PSHCOPY;
        ui::MYPUSHBUTTON* PSHDELETE;
        ui::MYPUSHBUTTON* PSHTEXTEDIT;
        ui::MYPUSHBUTTON* PSHCANCEL;
    } ui;
};

// The player's single missions and the saved briefings side by side, and what can be done with them. The
// three arrays stay in step with the two lists.
class MTool : public MTool_vo {
    Q_OBJECT
  public:
    MTool(QWidget* owner, const std::string& gamePath);

    void READDATA();
    void READBRIEFINGS();
    std::string GETTITLE(const std::string& file) const;
    void DESTROY();

    const GameFolders& folders() const { return folders_; }
    const std::vector<std::string>& missionTitles() const { return titles_; }
    const std::vector<std::string>& missionFileNames() const { return fileNames_; }
    const std::vector<std::string>& briefingNames() const { return briefings_; }

    // The selected mission's title and file (with folder); "" when none is selected.
    std::string selectedMissionTitle() const;
    std::string selectedMissionFile() const;
    // The selected briefing's name and file (with folder); "" when none is selected.
    std::string selectedBriefingName() const;
    std::string selectedBriefingFile() const;
    // Takes the item at position (1-based) out of the list and the arrays kept in step with it, and selects
    // the item that moved up into its place, or the new last one (none when the list is empty).
    void removeListItem(ui::MYLISTBOX& list, std::size_t position,
                        std::initializer_list<std::vector<std::string>*> arrays);
    // Selects the mission of that file name (case aside); the selection stays when it is not listed.
    void selectMissionFile(const std::string& fileName);
    ui::MYLISTBOX& missionList() const { return *ui.LBMISSIONS; }
    ui::MYLISTBOX& briefingList() const { return *ui.LBBRIEFINGS; }

    // The briefing operations.
    void EXTRACT();
    void CONNECT();

  public slots:
    void PSHEXTRACT();
    void PSHANALYZE();
    void PSHCONNECT();
    void PSHEDIT();
    void PSHNEW();
    void PSHCOPY();
    void PSHDELETE();
    void PSHTEXTEDIT();
    // The map preview of the selected briefing, from the briefing list's context menu.
    void MAPPREVIEW();
    // The findings of a check of the player's missions and the briefings, from the mission list's context
    // menu; the finding double clicked is selected, and a graphics finding shown on its map.
    void CHECKMISSIONS();

    void PSHPROP();
    void PSHMISSCOPY();
    void PSHMISSEDIT();
    void PSHMISSDELETE();
    void PSHCANCEL();

  private:
    // The selected mission's position, or 0 after telling the player that none is selected.
    std::size_t selectedMission(const std::string& caption);
    // The same for the selected briefing.
    std::size_t selectedBriefing(const std::string& caption);
    // False after telling the player that the file went away behind the tool's back and reading both lists
    // again; nothing that shows or changes the file opens then.
    bool stillThere(const std::string& file, const std::string& caption);

    GameFolders folders_;
    std::vector<std::string> titles_;
    std::vector<std::string> fileNames_;
    std::vector<std::string> briefings_;
    QMenu* briefingMenu_ = nullptr;
    // The mission list's context menu (mtoolcheck.cpp).
    void addMissionMenu();
    QMenu* missionMenu_ = nullptr;
};

}  // namespace hartool
