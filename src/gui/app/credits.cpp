#include "gui/app/credits.h"

namespace hartool {

Credits_vo::Credits_vo(QWidget* owner) : ui::Dialog("Credits_vo", owner) {
    bind(ui.FIXEDTEXT8, "FIXEDTEXT8");
    bind(ui.FIXEDTEXT7, "FIXEDTEXT7");
    bind(ui.FIXEDTEXT9, "FIXEDTEXT9");
    bind(ui.FIXEDTEXT10, "FIXEDTEXT10");
    bind(ui.FIXEDTEXT11, "FIXEDTEXT11");
    bind(ui.FIXEDTEXT12, "FIXEDTEXT12");
    bind(ui.PSHOK, "PSHOK");
    bind(ui.FIXEDTEXT2, "FIXEDTEXT2");
    bind(ui.GROUPBOX1, "GROUPBOX1");
    bind(ui.GROUPBOX2, "GROUPBOX2");
    bind(ui.FIXEDTEXT13, "FIXEDTEXT13");
    bind(ui.FIXEDTEXT14, "FIXEDTEXT14");
    bind(ui.FIXEDTEXT15, "FIXEDTEXT15");
    bind(ui.FIXEDTEXT16, "FIXEDTEXT16");
    bind(ui.FIXEDTEXT17, "FIXEDTEXT17");
    bind(ui.FIXEDTEXT18, "FIXEDTEXT18");
    bind(ui.FIXEDTEXT19, "FIXEDTEXT19");
}

Credits::Credits(QWidget* owner) : Credits_vo(owner) {}

void Credits::PSHOK() {
    ENDDIALOG(1);
}

}  // namespace hartool
