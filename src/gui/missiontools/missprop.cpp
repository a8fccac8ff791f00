#include "gui/missiontools/missprop.h"

#include "core/base/report.h"
#include "gui/ui/messagebox.h"

namespace hartool {

MissProp_vo::MissProp_vo(QWidget* owner) : ui::Dialog("MissProp_vo", owner) {
    bind(ui.GROUPBOX1, "GROUPBOX1");
    bind(ui.FIXEDTEXT2, "FIXEDTEXT2");
    bind(ui.CBSIDE, "CBSIDE");
    bind(ui.FIXEDTEXT1, "FIXEDTEXT1");
    bind(ui.CBNAT, "CBNAT");
    bind(ui.FTXTNAT, "FTXTNAT");
    bind(ui.PSHSAVE, "PSHSAVE");
    bind(ui.PSHCANCEL, "PSHCANCEL");
}

MissProp::MissProp(QWidget* owner, const std::string& missionFile, std::string gameFolder)
    : MissProp_vo(owner), mission_(missionFile), gameFolder_(std::move(gameFolder)) {
    ui.CBSIDE->FILLUSING({"BLUE", "RED"}, {QVariant(0), QVariant(1)});
    std::vector<std::string> nations;
    for (std::string_view n : mission_.NAT()) nations.emplace_back(n);
    ui.CBNAT->FILLUSING(nations);
    const int side = mission_.READSIDE();
    const int nationality = mission_.READNAT();
    // What a partly read file seems to hold is not the mission's: show nothing, so Save writes nothing.
    if (mission_.readInFull()) {
        ui.CBSIDE->SETVALUE(side);
        ui.CBNAT->SETCURRENTITEMNO(nationality > 0 ? static_cast<std::size_t>(nationality) : 0);
    }
    CHECKTEXT();
}

void MissProp::CHECKTEXT() {
    ui.FTXTNAT->setText(ui.CBSIDE->VALUE().toInt() == 0 ? QString() : QStringLiteral("(enemy)"));
}

void MissProp::LISTBOXSELECT(const ui::ControlEvent& event) {
    MissProp_vo::LISTBOXSELECT(event);
    if (event.name == "CBSIDE") CHECKTEXT();
}

platform::Status MissProp::WRITENAT() {
    const std::size_t position = ui.CBNAT->CURRENTITEMNO();
    if (position == 0) return platform::Status::success();
    return mission_.WRITENAT(static_cast<int>(position)).status;
}

platform::Status MissProp::WRITESIDE() {
    const std::size_t position = ui.CBSIDE->CURRENTITEMNO();
    if (position == 0) return platform::Status::success();
    return mission_.WRITESIDE(static_cast<int>(position) - 1);
}

void MissProp::PSHSAVE() {
    Report report;
    report.selected = 1;
    for (const platform::Status& s : {WRITENAT(), WRITESIDE()})
        if (!s) report.fail(mission_.missionFile(), s.error);
    if (!report.ok()) {
        ui::INFOBOX(this, "Mission Properties", report.text("", "saved", gameFolder_));
        return;
    }
    ENDDIALOG(1);
}

void MissProp::PSHCANCEL() {
    ENDDIALOG(2);
}

}  // namespace hartool
