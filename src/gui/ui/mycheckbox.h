#pragma once

#include <QCheckBox>

namespace hartool::ui {

class MYCHECKBOX : public QCheckBox {
    Q_OBJECT
  public:
    using QCheckBox::QCheckBox;
};

}  // namespace hartool::ui
