#pragma once

#include <QPlainTextEdit>

namespace hartool::ui {

class MYMULTILINEEDIT : public QPlainTextEdit {
    Q_OBJECT
  public:
    using QPlainTextEdit::QPlainTextEdit;
};

}  // namespace hartool::ui
