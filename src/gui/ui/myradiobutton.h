#pragma once

#include <QRadioButton>

namespace hartool::ui {

class MYRADIOBUTTON : public QRadioButton {
    Q_OBJECT
  public:
    using QRadioButton::QRadioButton;
};

}  // namespace hartool::ui
