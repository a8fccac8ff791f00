#include "support/guimodaldouble.h"

#include "gui/ui/dialog.h"
#include "support/guimessageboxdouble.h"

#include <QDialog>

#include <gtest/gtest.h>

namespace hartool::test {

ModalDouble::ModalDouble() : previous_(ui::installModalRunner(this)) {}

ModalDouble::~ModalDouble() {
    ui::installModalRunner(previous_);
    if (!steps_.empty()) ADD_FAILURE() << steps_.size() << " scripted dialog step(s) were not used";
}

bool ModalDouble::isExpected(QDialog& dialog, bool typeMatches, const std::string& objectName,
                             const char* className) {
    if (typeMatches && dialog.objectName().toStdString() == objectName) return true;
    ADD_FAILURE() << "expected the dialog " << objectName << " (" << className << "), got "
                  << dialog.objectName().toStdString() << " (" << dialog.metaObject()->className() << ")";
    dialog.reject();
    return false;
}

int ModalDouble::run(QDialog& dialog) {
    const std::string name = dialog.objectName().toStdString();
    shown_.push_back(name);
    if (steps_.empty()) {
        ADD_FAILURE() << "no scripted step for the dialog " << name;
        return QDialog::Rejected;
    }
    Step step = std::move(steps_.front());
    steps_.pop_front();

    if (auto* built = qobject_cast<ui::Dialog*>(&dialog)) {
        const std::vector<std::string> missing = built->missingHandlers();
        if (!missing.empty()) {
            std::string list;
            for (const std::string& button : missing) list += " " + button;
            ADD_FAILURE() << name << ": no handler for the buttons" << list;
        }
    }

    bool ended = false;
    const auto connection = QObject::connect(&dialog, &QDialog::finished, [&ended] { ended = true; });
    dialog.setResult(QDialog::Rejected);
    reactivate(&dialog);
    step(dialog);
    QObject::disconnect(connection);
    if (!ended) ADD_FAILURE() << "the step left the dialog " << name << " open";
    reactivate(dialog.parentWidget());
    return dialog.result();
}

}  // namespace hartool::test
