#pragma once

#include "gui/ui/myradiobutton.h"

#include <QGroupBox>
#include <QVariant>

#include <utility>
#include <vector>

namespace hartool::ui {

using RadioPairs = std::vector<std::pair<MYRADIOBUTTON*, QVariant>>;

// Drawn as a group box; its value is the value paired with the checked radio button.
class MYRADIOBUTTONGROUP : public QGroupBox {
    Q_OBJECT
  public:
    using QGroupBox::QGroupBox;

    // Replaces the pairs; the checked button stays checked.
    void FILLUSING(RadioPairs pairs) { pairs_ = std::move(pairs); }
    const RadioPairs& PAIRS() const { return pairs_; }
    // Invalid when no paired button is checked.
    QVariant VALUE() const;
    // Checks the button paired with the value; a value that no pair has clears them all.
    void SETVALUE(const QVariant& value);

  private:
    RadioPairs pairs_;
};

}  // namespace hartool::ui
