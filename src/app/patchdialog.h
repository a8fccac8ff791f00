#pragma once

#include "ui/controls.h"
#include "ui/dialog.h"

namespace hartool {

// Layout of the main dialog.
class PatchDialog_vo : public ui::Dialog {
    Q_OBJECT
  public:
    explicit PatchDialog_vo(QWidget* owner = nullptr);

  protected:
    struct {
        QLabel* FIXEDTEXT2;
        QLabel* FIXEDTEXT4;
        QGroupBox* GROUPBOX1;
        ui::MYSINGLELINEEDIT* SLEPATH;
        QGroupBox* GROUPBOX2;
        ui::MYPUSHBUTTON* PSHSAVE;
        ui::MYPUSHBUTTON* PSHREST;
        QGroupBox* GROUPBOX3;
        ui::MYPUSHBUTTON* PSHCAMP;
        ui::MYPUSHBUTTON* PSHMISSTOOLS;
        ui::MYPUSHBUTTON* PSHSAVECREW;
        ui::MYPUSHBUTTON* PSHRESTCREW;
        ui::MYPUSHBUTTON* PSHREADME;
        ui::MYPUSHBUTTON* ENDDIALOG;
        QLabel* FIXEDTEXT5;
        QLabel* FIXEDTEXT3;
        QLabel* FIXEDTEXT6;
        ui::MYPUSHBUTTON* PSHCREDITS;
    } ui;
};

// The main dialog. Quit is the inherited ENDDIALOG slot.
class PatchDialog : public PatchDialog_vo {
    Q_OBJECT
  public:
    explicit PatchDialog(QWidget* owner = nullptr);

  public slots:
    void PSHSAVE();
    void PSHREST();
    void PSHCAMP();
    void PSHMISSTOOLS();
    void PSHSAVECREW();
    void PSHRESTCREW();
    void PSHREADME();
    void PSHCREDITS();
};

}  // namespace hartool
