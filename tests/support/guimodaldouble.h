#pragma once

#include "ui/modal.h"

#include <deque>
#include <functional>
#include <string>
#include <vector>

class QDialog;

namespace hartool::test {

// Installed while it lives. Each dialog shown modally goes to the next scripted step, which fills fields
// and clicks buttons and so ends the dialog; showModal then returns the dialog's result. A dialog opened
// from a step (nested) takes the step after. Failures: a dialog with no step left (result 0), a step that
// leaves its dialog open, steps left over, and a dialog with a push button that has no handler.
// The dialog gets the activation of its first display before its step, and its owner afterwards.
class ModalDouble : public ui::ModalRunner {
  public:
    using Step = std::function<void(QDialog&)>;

    ModalDouble();
    ~ModalDouble() override;
    ModalDouble(const ModalDouble&) = delete;
    ModalDouble& operator=(const ModalDouble&) = delete;

    void then(Step step) { steps_.push_back(std::move(step)); }
    // objectName of every dialog shown, in order.
    const std::vector<std::string>& shown() const { return shown_; }

    int run(QDialog& dialog) override;

  private:
    ui::ModalRunner* previous_;
    std::deque<Step> steps_;
    std::vector<std::string> shown_;
};

}  // namespace hartool::test
