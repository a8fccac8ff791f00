#include "app/patchdialog.h"

#include "app/app.h"
#include "app/credits.h"
#include "game/gamecheck.h"
#include "missiontools/mtool.h"
#include "platform/filesystem.h"
#include "platform/profile.h"
#include "transfer/mover.h"
#include "ui/messagebox.h"
#include "ui/modal.h"
#include "ui/progressbox.h"
#include "ui/textconvert.h"
#include "ui/textviewer.h"
#include "ui/waitcursor.h"

#include <QCoreApplication>
#include <QSignalBlocker>

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

PatchDialog::PatchDialog(QWidget* owner) : PatchDialog_vo(owner) {
    std::string path = platform::GETENVIRONMENT(kIniSection, "PATH", iniFile());
    if (path.empty()) path = kDefaultGamePath;
    {
        // Start-up sets the path once, below; the edit's change event would do it a second time.
        const QSignalBlocker quiet(ui.SLEPATH);
        ui.SLEPATH->setText(ui::toQt(path));
    }
    setGamePath(path);
    SETBUTTONS();
    TESTBUTTONS();
}

void PatchDialog::setGamePath(const std::string& typed) {
    gamePath_ = PATHOK(typed);
    folders_ = GameFolders::fromGamePath(gamePath_);
}

bool PatchDialog::FILEOK(bool quiet) {
    if (gameFound(gamePath_)) {
        // A settings file that cannot be written costs only the remembered path: not worth a box per
        // keystroke.
        platform::WRITEENVIRONMENT(kIniSection, "PATH", gamePath_, iniFile());
        return true;
    }
    if (!quiet) ui::INFOBOX(this, "there`s something wrong", "path to Harvane! not found");
    return false;
}

bool PatchDialog::COPYOK() const {
    return backupIncomplete(folders_);
}

void PatchDialog::enableFunctions(bool save, bool restore, bool tools) {
    ui.PSHSAVE->setEnabled(save);
    ui.PSHREST->setEnabled(restore);
    ui.PSHCAMP->setEnabled(tools);
    ui.PSHMISSTOOLS->setEnabled(tools);
}

void PatchDialog::enableCrew(bool on) {
    ui.PSHSAVECREW->setEnabled(on);
    ui.PSHRESTCREW->setEnabled(on);
}

void PatchDialog::SETBUTTONS() {
    if (!FILEOK(true)) {
        enableFunctions(false, false, false);
        enableCrew(false);
        return;
    }
    const bool complete = !COPYOK();
    enableFunctions(true, true, complete);
    enableCrew(complete);
    SETSAVE();
}

void PatchDialog::SETSAVE() {
    const bool incomplete = COPYOK();
    ui.PSHSAVE->setEnabled(incomplete);
    ui.PSHREST->setEnabled(!incomplete);
}

void PatchDialog::TESTBUTTONS() {
    enableCrew(!crewFilesMatch(folders_));
}

void PatchDialog::EDITCHANGE(const ui::ControlEvent& event) {
    if (event.name == "SLEPATH") {
        setGamePath(ui::fromQt(ui.SLEPATH->text()));
        SETBUTTONS();
    }
    PatchDialog_vo::EDITCHANGE(event);
}

void PatchDialog::ACTIVATE() {
    PatchDialog_vo::ACTIVATE();
    TESTBUTTONS();
}

void PatchDialog::PSHCAMP() {
    if (!FILEOK()) return;
    Mover mover(this, *this, campaigns(), gamePath_);
    ui::showModal(mover);
}

void PatchDialog::PSHMISSTOOLS() {
    if (!FILEOK()) return;
    MTool tools(this, gamePath_);
    ui::showModal(tools);
}

void PatchDialog::PSHREADME() {
    // The help file belongs in the working folder; a tool started from elsewhere finds it beside the program.
    std::string file = "ReadmeENG.TXT";
    if (!platform::fileExists(file)) {
        const std::string beside = ui::fromQt(QCoreApplication::applicationDirPath()) + "/" + file;
        if (!platform::fileExists(beside)) {
            ui::INFOBOX(this, "Help", "The help file " + file + " was not found.");
            return;
        }
        file = beside;
    }
    if (App::Run("NotePad " + file).started()) return;
    // Help only needs reading, which the tool can do itself.
    ui::TextViewer viewer("Help - " + file, platform::readFile(file), this);
    ui::showModal(viewer);
}

void PatchDialog::PSHCREDITS() {
    Credits credits(this);
    ui::showModal(credits);
}

namespace {

template <typename Operation>
Report waiting(Operation operation) {
    const ui::WaitCursor wait;
    return operation();
}

}  // namespace

Report PatchDialog::COPYDIR(const std::string& source, const std::string& target, CopyMode mode) {
    return waiting([&] { return copyFolder(source, target, mode); });
}

void PatchDialog::PSHSAVE() {
    const std::string caption = "save campaigns";
    if (!ui::confirmed(this, caption, "Save the original campaigns?")) return;
    if (!FILEOK() || !COPYOK()) return;
    const Report report = waiting([&] {
        ui::ProgressBox progress(this, caption);
        return saveOriginals(folders_, progress.callback());
    });
    SETBUTTONS();
    ui::INFOBOX(this, caption, report.text("The original campaigns have been saved", "copied", gamePath_));
}

void PatchDialog::PSHREST() {
    const std::string caption = "restore campaigns";
    if (!ui::confirmed(this, caption, "restore the original campaigns?")) return;
    if (!FILEOK() || COPYOK()) return;
    const Report report = waiting([&] {
        ui::ProgressBox progress(this, caption);
        return restoreOriginals(folders_, progress.callback());
    });
    ui::INFOBOX(this, caption, report.text("The original campaigns have been restored", "copied", gamePath_));
}

void PatchDialog::PSHSAVECREW() {
    const std::string caption = "save crew data";
    if (!ui::confirmed(this, caption, "Save all crew data of the campaign you're actually playing ?")) return;
    if (!FILEOK()) return;
    const Report report = waiting([&] { return saveCrew(folders_); });
    if (report.selected == 0) return;
    TESTBUTTONS();
    ui::INFOBOX(this, caption,
                report.text("all crew data of the campaign you're actually playing have been saved", "copied",
                            gamePath_));
}

void PatchDialog::PSHRESTCREW() {
    const std::string caption = "restore crew data";
    if (!ui::confirmed(this, caption, "Restore all crew data of the campaign you're actually playing ?"))
        return;
    if (!FILEOK()) return;
    const Report report = waiting([&] { return restoreCrew(folders_); });
    if (report.selected == 0) return;
    TESTBUTTONS();
    ui::INFOBOX(this, caption,
                report.text("all crew data of the campaign you're actually playing have been restored",
                            "copied", gamePath_));
}

}  // namespace hartool
