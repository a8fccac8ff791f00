#pragma once

#include "gui/ui/controls.h"
#include "gui/ui/dialog.h"

#include <string>

namespace hartool {

// Layout of the mission copy dialog.
class CopyMiss_vo : public ui::Dialog {
    Q_OBJECT
  public:
    explicit CopyMiss_vo(QWidget* owner = nullptr);

  protected:
    struct {
        ui::MYPUSHBUTTON* PSHOK;
        ui::MYPUSHBUTTON* PSHCANCEL;
        ui::MYSINGLELINEEDIT* SLEFNAME;
        QLabel* FIXEDTEXT1;
        ui::MYSINGLELINEEDIT* SLEMNAME;
        QLabel* FIXEDTEXT2;
        QLabel* FTXTPROBLEM;
    } ui;
};

// Asks the file name and title of a mission's copy. Ok stays disabled, a line below the fields saying why,
// while the file name could not be a file of the player folder; Enter in a field presses Ok.
class CopyMiss : public CopyMiss_vo {
    Q_OBJECT
  public:
    // folder: the player folder, ending in "\".
    CopyMiss(QWidget* owner, std::string folder);

    std::string FNAME() const;
    std::string MNAME() const;
    void SETFNAME(const std::string& name);
    void SETMNAME(const std::string& name);
    // The folder and the typed file name, trimmed.
    std::string FULLPATH() const;

    void EDITCHANGE(const ui::ControlEvent& event) override;

  public slots:
    void PSHOK();
    void PSHCANCEL();

  private:
    void checkName();

    std::string folder_;
};

}  // namespace hartool
