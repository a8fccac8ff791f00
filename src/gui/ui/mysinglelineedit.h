#pragma once

#include <QLineEdit>

namespace hartool::ui {

class MYSINGLELINEEDIT : public QLineEdit {
    Q_OBJECT
  public:
    using QLineEdit::QLineEdit;
};

}  // namespace hartool::ui
