#pragma once

#include <QPushButton>

namespace hartool::ui {

class MYPUSHBUTTON : public QPushButton {
    Q_OBJECT
  public:
    using QPushButton::QPushButton;
};

}  // namespace hartool::ui
