#include "gui/ui/modal.h"

#include <QDialog>

#include "core/base/seam.h"

namespace hartool::ui {

namespace {

class ExecRunner : public ModalRunner {
  public:
    int run(QDialog& dialog) override { return dialog.exec(); }
};

Seam<ModalRunner>& runnerSeam() {
    return seamOf<ModalRunner, ExecRunner>();
}

}  // namespace

ModalRunner& modalRunner() {
    return runnerSeam().get();
}

ModalRunner* installModalRunner(ModalRunner* runner) {
    return runnerSeam().install(runner);
}

int showModal(QDialog& dialog) {
    return modalRunner().run(dialog);
}

}  // namespace hartool::ui
