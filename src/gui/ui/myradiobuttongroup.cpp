#include "gui/ui/myradiobuttongroup.h"

namespace hartool::ui {

QVariant MYRADIOBUTTONGROUP::VALUE() const {
    for (const auto& [button, value] : pairs_) {
        if (button && button->isChecked()) return value;
    }
    return {};
}

void MYRADIOBUTTONGROUP::SETVALUE(const QVariant& value) {
    MYRADIOBUTTON* target = nullptr;
    for (const auto& [button, paired] : pairs_) {
        if (paired == value) {
            target = button;
            break;
        }
    }
    for (const auto& [button, paired] : pairs_) {
        if (!button) continue;
        // An exclusive radio button cannot be cleared directly.
        const bool exclusive = button->autoExclusive();
        button->setAutoExclusive(false);
        button->setChecked(button == target);
        button->setAutoExclusive(exclusive);
    }
}

}  // namespace hartool::ui
