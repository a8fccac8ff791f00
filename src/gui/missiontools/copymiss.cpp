#include "gui/missiontools/copymiss.h"

#include "core/missions/missions.h"
#include "core/platform/codepage.h"
#include "core/text/token.h"
#include "gui/ui/textconvert.h"

namespace hartool {

CopyMiss_vo::CopyMiss_vo(QWidget* owner) : ui::Dialog("CopyMiss_vo", owner) {
    bind(ui.PSHOK, "PSHOK");
    bind(ui.PSHCANCEL, "PSHCANCEL");
    bind(ui.SLEFNAME, "SLEFNAME");
    bind(ui.FIXEDTEXT1, "FIXEDTEXT1");
    bind(ui.SLEMNAME, "SLEMNAME");
    bind(ui.FIXEDTEXT2, "FIXEDTEXT2");
    bind(ui.FTXTPROBLEM, "FTXTPROBLEM");
}

CopyMiss::CopyMiss(QWidget* owner, std::string folder) : CopyMiss_vo(owner), folder_(std::move(folder)) {
    ui.SLEFNAME->setFocus();
    checkName();
}

std::string CopyMiss::FNAME() const {
    return ui::fromQt(ui.SLEFNAME->text());
}
std::string CopyMiss::MNAME() const {
    return ui::fromQt(ui.SLEMNAME->text());
}
void CopyMiss::SETFNAME(const std::string& name) {
    ui.SLEFNAME->setText(ui::toQt(name));
}
void CopyMiss::SETMNAME(const std::string& name) {
    ui.SLEMNAME->setText(ui::toQt(name));
}

std::string CopyMiss::FULLPATH() const {
    return folder_ + platform::fileNameOf(trimSpaces(FNAME()));
}

void CopyMiss::EDITCHANGE(const ui::ControlEvent& event) {
    if (event.name == "SLEFNAME") checkName();
    CopyMiss_vo::EDITCHANGE(event);
}

void CopyMiss::checkName() {
    const std::string problem = copyNameProblem(FNAME());
    ui.PSHOK->setEnabled(problem.empty());
    ui.PSHOK->setToolTip(ui::toQt(problem));
    ui.FTXTPROBLEM->setText(ui::toQt(problem));
}

void CopyMiss::PSHOK() {
    // Enter or a scripted click must not get past the check either.
    if (!copyNameProblem(FNAME()).empty()) return;
    ENDDIALOG(1);
}

void CopyMiss::PSHCANCEL() {
    ENDDIALOG(2);
}

}  // namespace hartool
