#pragma once

#include "gui/ui/modal.h"

#include <QDialog>

#include <deque>
#include <functional>
#include <string>
#include <vector>

namespace hartool::test {

// Installed while it lives. Each dialog shown modally goes to the next scripted step, which fills fields
// and clicks buttons and so ends the dialog; showModal then returns the dialog's result. A dialog opened
// from a step (nested) takes the step after. Failures: a dialog with no step left (result 0), a step that
// leaves its dialog open, steps left over, and a dialog with a push button that has no handler.
// The dialog gets the activation of its first display before its step, and its owner afterwards.
// A typed step names the dialog it expects; another dialog fails the test and is rejected unseen by the step.
class ModalDouble : public ui::ModalRunner {
  public:
    using Step = std::function<void(QDialog&)>;

    ModalDouble();
    ~ModalDouble() override;
    ModalDouble(const ModalDouble&) = delete;
    ModalDouble& operator=(const ModalDouble&) = delete;

    template <class D, class F>
    void then(std::string objectName, F step) {
        steps_.push_back([objectName = std::move(objectName), step = std::move(step)](QDialog& dialog) {
            D* typed = qobject_cast<D*>(&dialog);
            if (!isExpected(dialog, typed != nullptr, objectName, D::staticMetaObject.className())) return;
            step(*typed);
        });
    }
    // objectName of every dialog shown, in order.
    const std::vector<std::string>& shown() const { return shown_; }

    int run(QDialog& dialog) override;

  private:
    // Fails the test and rejects the dialog when it is not the one expected.
    static bool isExpected(QDialog& dialog, bool typeMatches, const std::string& objectName,
                           const char* className);

    ui::ModalRunner* previous_;
    std::deque<Step> steps_;
    std::vector<std::string> shown_;
};

}  // namespace hartool::test
