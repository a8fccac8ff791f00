#pragma once

#include "gui/ui/controls.h"
#include "gui/ui/dialog.h"

#include <string>

namespace hartool {

// Layout of the dialog that names a new briefing file.
class NewBrief_vo : public ui::Dialog {
    Q_OBJECT
  public:
    explicit NewBrief_vo(QWidget* owner = nullptr);

  protected:
    struct {
        QLabel* FIXEDTEXT1;
        ui::MYSINGLELINEEDIT* FNAME;
        ui::MYRADIOBUTTONGROUP* RBGMODE;
        ui::MYRADIOBUTTON* RBSINGLE;
        ui::MYRADIOBUTTON* RBSINGLE1;
        ui::MYPUSHBUTTON* PSHOK;
        ui::MYPUSHBUTTON* PSHCANCEL;
        QLabel* FTXTPROBLEM;
    } ui;
};

// Asks for the name of a new briefing file in folder and whether it holds one briefing or a blue and a red
// one. Ok stays disabled while the name is empty, taken, or no safe file name of that folder; a line above
// the buttons (and Ok's tool tip) then says why. Enter in the name presses Ok.
class NewBrief : public NewBrief_vo {
    Q_OBJECT
  public:
    // fixedMode: the number of briefings is the caller's, the player only names the file.
    NewBrief(QWidget* owner, std::string folder, bool fixedMode = false);

    ui::MYSINGLELINEEDIT* FNAME() const { return ui.FNAME; }
    // Value false: one briefing; true: blue and red.
    ui::MYRADIOBUTTONGROUP* MODE() const { return ui.RBGMODE; }
    // folder + the name without surrounding blanks.
    std::string FULLPATH() const;

    void EDITCHANGE(const ui::ControlEvent& event) override;

  public slots:
    void PSHOK();
    void PSHCANCEL();

  private:
    // Why the name typed cannot be taken; "" when it can.
    std::string nameProblem() const;

    std::string folder_;
};

}  // namespace hartool
