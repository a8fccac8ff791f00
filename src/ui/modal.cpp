#include "ui/modal.h"

#include <QDialog>

namespace hartool::ui {

namespace {

class ExecRunner : public ModalRunner {
  public:
    int run(QDialog& dialog) override { return dialog.exec(); }
};

ExecRunner gExec;
ModalRunner* gRunner = &gExec;

}  // namespace

ModalRunner& modalRunner() {
    return *gRunner;
}

ModalRunner* installModalRunner(ModalRunner* runner) {
    ModalRunner* previous = gRunner == &gExec ? nullptr : gRunner;
    gRunner = runner ? runner : &gExec;
    return previous;
}

int showModal(QDialog& dialog) {
    return modalRunner().run(dialog);
}

}  // namespace hartool::ui
