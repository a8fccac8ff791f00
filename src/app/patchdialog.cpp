#include "app/patchdialog.h"

namespace hartool {

PatchDialog_vo::PatchDialog_vo(QWidget* owner) : ui::Dialog("PatchDialog_vo", owner) {
    bind(ui.FIXEDTEXT2, "FIXEDTEXT2");
    bind(ui.FIXEDTEXT4, "FIXEDTEXT4");
    bind(ui.GROUPBOX1, "GROUPBOX1");
    bind(ui.SLEPATH, "SLEPATH");
    bind(ui.GROUPBOX2, "GROUPBOX2");
    bind(ui.PSHSAVE, "PSHSAVE");
    bind(ui.PSHREST, "PSHREST");
    bind(ui.GROUPBOX3, "GROUPBOX3");
    bind(ui.PSHCAMP, "PSHCAMP");
    bind(ui.PSHMISSTOOLS, "PSHMISSTOOLS");
    bind(ui.PSHSAVECREW, "PSHSAVECREW");
    bind(ui.PSHRESTCREW, "PSHRESTCREW");
    bind(ui.PSHREADME, "PSHREADME");
    bind(ui.ENDDIALOG, "ENDDIALOG");
    bind(ui.FIXEDTEXT5, "FIXEDTEXT5");
    bind(ui.FIXEDTEXT3, "FIXEDTEXT3");
    bind(ui.FIXEDTEXT6, "FIXEDTEXT6");
    bind(ui.PSHCREDITS, "PSHCREDITS");
}

PatchDialog::PatchDialog(QWidget* owner) : PatchDialog_vo(owner) {}

// The handlers arrive with the main dialog's behaviour.
void PatchDialog::PSHSAVE() {}
void PatchDialog::PSHREST() {}
void PatchDialog::PSHCAMP() {}
void PatchDialog::PSHMISSTOOLS() {}
void PatchDialog::PSHSAVECREW() {}
void PatchDialog::PSHRESTCREW() {}
void PatchDialog::PSHREADME() {}
void PatchDialog::PSHCREDITS() {}

}  // namespace hartool
