#pragma once

#include "gui/ui/controls.h"
#include "gui/ui/dialog.h"

namespace hartool {

class Credits_vo : public ui::Dialog {
    Q_OBJECT
  public:
    explicit Credits_vo(QWidget* owner = nullptr);

  protected:
    struct {
        QLabel* FIXEDTEXT8;
        QLabel* FIXEDTEXT7;
        QLabel* FIXEDTEXT9;
        QLabel* FIXEDTEXT10;
        QLabel* FIXEDTEXT11;
        QLabel* FIXEDTEXT12;
        ui::MYPUSHBUTTON* PSHOK;
        QLabel* FIXEDTEXT2;
        QGroupBox* GROUPBOX1;
        QGroupBox* GROUPBOX2;
        QLabel* FIXEDTEXT13;
        QLabel* FIXEDTEXT14;
        QLabel* FIXEDTEXT15;
        QLabel* FIXEDTEXT16;
        QLabel* FIXEDTEXT17;
        QLabel* FIXEDTEXT18;
        QLabel* FIXEDTEXT19;
    } ui;
};

// Title and acknowledgements; OK ends it with result 1.
class Credits : public Credits_vo {
    Q_OBJECT
  public:
    explicit Credits(QWidget* owner = nullptr);

  public slots:
    void PSHOK();
};

}  // namespace hartool
