#pragma once

#include "core/analysis/missionsupport.h"
#include "gui/ui/controls.h"
#include "gui/ui/dialog.h"

#include <string>

namespace hartool {

// Layout of the mission properties dialog.
class MissProp_vo : public ui::Dialog {
    Q_OBJECT
  public:
    explicit MissProp_vo(QWidget* owner = nullptr);

  protected:
    struct {
        QGroupBox* GROUPBOX1;
        QLabel* FIXEDTEXT2;
        ui::MYCOMBOBOX* CBSIDE;
        QLabel* FIXEDTEXT1;
        ui::MYCOMBOBOX* CBNAT;
        QLabel* FTXTNAT;
        ui::MYPUSHBUTTON* PSHSAVE;
        ui::MYPUSHBUTTON* PSHCANCEL;
    } ui;
};

// The side a mission is played for and the nationality of the player's helicopters. Save writes only what
// changed; a write that fails is told, and the dialog stays open.
class MissProp : public MissProp_vo {
    Q_OBJECT
  public:
    // gameFolder: what a failure names the file relative to.
    MissProp(QWidget* owner, const std::string& missionFile, std::string gameFolder = "");

    void CHECKTEXT();
    platform::Status WRITENAT();
    platform::Status WRITESIDE();

    void LISTBOXSELECT(const ui::ControlEvent& event) override;

  public slots:
    void PSHSAVE();
    void PSHCANCEL();

  private:
    MissionSupport mission_;
    std::string gameFolder_;
};

}  // namespace hartool
