#include "gui/ui/modal.h"

#include <QDialog>

#include "core/base/seam.h"

namespace hartool::ui {

namespace {

class ExecRunner : public ModalRunner {
  public:
    int run(QDialog& dialog) override { return dialog.exec(); }
};

ExecRunner gExec;
Seam<ModalRunner> gRunner(gExec);

}  // namespace

ModalRunner& modalRunner() {
    return gRunner.get();
}

ModalRunner* installModalRunner(ModalRunner* runner) {
    return gRunner.install(runner);
}

int showModal(QDialog& dialog) {
    return modalRunner().run(dialog);
}

}  // namespace hartool::ui
