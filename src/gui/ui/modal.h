#pragma once

// Showing a dialog modally. Tests install a runner that hands the dialog to the test instead of
// running an event loop.

class QDialog;

namespace hartool::ui {

class ModalRunner {
  public:
    virtual ~ModalRunner() = default;
    // Returns when the dialog has ended, with its result.
    virtual int run(QDialog& dialog) = 0;
};

ModalRunner& modalRunner();
// Returns the previous runner (nullptr puts the real one back).
ModalRunner* installModalRunner(ModalRunner* runner);

int showModal(QDialog& dialog);

}  // namespace hartool::ui
