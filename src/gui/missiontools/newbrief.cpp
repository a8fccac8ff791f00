#include "gui/missiontools/newbrief.h"

#include "core/missions/briefingfiles.h"
#include "core/platform/codepage.h"
#include "core/text/token.h"
#include "gui/ui/textconvert.h"

namespace hartool {

NewBrief_vo::NewBrief_vo(QWidget* owner) : ui::Dialog("NewBrief_vo", owner) {
    bind(ui.FIXEDTEXT1, "FIXEDTEXT1");
    bind(ui.FNAME, "FNAME");
    bind(ui.RBGMODE, "RBGMODE");
    bind(ui.RBSINGLE, "RBSINGLE");
    bind(ui.RBSINGLE1, "RBSINGLE1");
    bind(ui.PSHOK, "PSHOK");
    bind(ui.PSHCANCEL, "PSHCANCEL");
    bind(ui.FTXTPROBLEM, "FTXTPROBLEM");
}

NewBrief::NewBrief(QWidget* owner, std::string folder, bool fixedMode)
    : NewBrief_vo(owner), folder_(std::move(folder)) {
    ui.RBGMODE->FILLUSING({{ui.RBSINGLE, false}, {ui.RBSINGLE1, true}});
    ui.PSHOK->setEnabled(false);
    ui.RBGMODE->SETVALUE(false);
    ui.FNAME->setFocus();
    if (fixedMode) ui.RBGMODE->setEnabled(false);
}

std::string NewBrief::FULLPATH() const {
    return folder_ + platform::fileNameOf(trimSpaces(ui::fromQt(ui.FNAME->text())));
}

std::string NewBrief::nameProblem() const {
    return newBriefingNameProblem(folder_, ui::fromQt(ui.FNAME->text()));
}

void NewBrief::EDITCHANGE(const ui::ControlEvent& event) {
    if (event.name == "FNAME") {
        const std::string problem = nameProblem();
        ui.PSHOK->setEnabled(!ui.FNAME->text().isEmpty() && problem.empty());
        ui.PSHOK->setToolTip(ui::toQt(problem));
        ui.FTXTPROBLEM->setText(ui::toQt(problem));
    }
    NewBrief_vo::EDITCHANGE(event);
}

void NewBrief::PSHOK() {
    // Enter or a scripted click must not get past the check either.
    if (ui.FNAME->text().isEmpty() || !nameProblem().empty()) return;
    ENDDIALOG(1);
}

void NewBrief::PSHCANCEL() {
    ENDDIALOG(2);
}

}  // namespace hartool
