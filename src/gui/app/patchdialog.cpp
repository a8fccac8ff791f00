#include "gui/app/patchdialog.h"

#include "core/game/gamecheck.h"
#include "core/platform/filesystem.h"
#include "core/platform/gamesearch.h"
#include "core/platform/profile.h"
#include "core/platform/settings.h"
#include "gui/app/app.h"
#include "gui/app/credits.h"
#include "gui/missiontools/mtool.h"
#include "gui/transfer/mover.h"
#include "gui/ui/messagebox.h"
#include "gui/ui/modal.h"
#include "gui/ui/progressbox.h"
#include "gui/ui/textconvert.h"
#include "gui/ui/textviewer.h"
#include "gui/ui/waitcursor.h"

#include <QAbstractItemView>
#include <QCompleter>
#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QFileDialog>
#include <QFileSystemModel>
#include <QKeyEvent>
#include <QSignalBlocker>
#include <QStyle>

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

namespace {

// The stored path, else the default place, else the first game a search of the usual Wine prefixes finds;
// the default place when none is found, so that the player sees what to correct.
std::string startPath() {
    const std::string stored = platform::pathSetting(kIniSection, "PATH", platform::iniFile());
    if (!stored.empty()) return stored;
    if (gameFound(PATHOK(kDefaultGamePath))) return kDefaultGamePath;
    const platform::GameSearch search =
        platform::findGameFolder(platform::SearchPlaces::fromEnvironment(), kGameExecutable);
    return search.folder.empty() ? kDefaultGamePath : search.folder;
}

}  // namespace

PatchDialog::PatchDialog(QWidget* owner) : PatchDialog_vo(owner) {
    pathToolTip_ = ui.SLEPATH->toolTip();
    ui.SLEPATH->setStyleSheet("QLineEdit[wrongPath=\"true\"] { border: 2px solid #d00000; }");
    auto* folders = new QFileSystemModel(ui.SLEPATH);
    folders->setFilter(QDir::AllDirs | QDir::NoDotAndDotDot | QDir::Drives);
    folders->setRootPath(QString());
    auto* completer = new QCompleter(folders, ui.SLEPATH);
    completer->setCaseSensitivity(Qt::CaseInsensitive);
    ui.SLEPATH->setCompleter(completer);
    // Enter in the path field takes the path; it does not reach Quit, the default button.
    ui.SLEPATH->installEventFilter(this);

    const std::string path = startPath();
    {
        // Start-up sets the path once, below; the edit's change event would do it a second time.
        const QSignalBlocker quiet(ui.SLEPATH);
        ui.SLEPATH->setText(ui::pathToQt(platform::spelledOnDisk(path)));
    }
    setGamePath(path);
    SETBUTTONS();
    TESTBUTTONS();
    showPathHint();
}

void PatchDialog::setGamePath(const std::string& typed) {
    gamePath_ = PATHOK(typedGameFolder(platform::expandHome(typed)));
    folders_ = GameFolders::fromGamePath(gamePath_);
}

std::string PatchDialog::pathHint() const {
    return gamePathProblem(platform::expandHome(ui::pathFromQt(ui.SLEPATH->text())));
}

void PatchDialog::showPathHint() {
    const std::string hint = pathHint();
    const bool wrong = !hint.empty();
    ui.SLEPATH->setToolTip(wrong ? ui::toQt(hint) : pathToolTip_);
    if (wrong && !pathWarning_) {
        pathWarning_ = ui.SLEPATH->addAction(style()->standardIcon(QStyle::SP_MessageBoxWarning),
                                             QLineEdit::TrailingPosition);
    } else if (!wrong && pathWarning_) {
        delete pathWarning_;
        pathWarning_ = nullptr;
    }
    if (pathWarning_) pathWarning_->setToolTip(ui::toQt(hint));
    if (ui.SLEPATH->property("wrongPath").toBool() == wrong) return;
    ui.SLEPATH->setProperty("wrongPath", wrong);
    // A dynamic property changes the style sheet's choice only when the widget is polished again.
    ui.SLEPATH->style()->unpolish(ui.SLEPATH);
    ui.SLEPATH->style()->polish(ui.SLEPATH);
}

bool PatchDialog::FILEOK(bool quiet) {
    if (gameFound(gamePath_)) {
        // A settings file that cannot be written costs only the remembered path: not worth a box per
        // keystroke. The folder is remembered as the disk spells it, which the player can read.
        platform::writePathSetting(kIniSection, "PATH", platform::spelledOnDisk(gamePath_),
                                   platform::iniFile());
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
        setGamePath(ui::pathFromQt(ui.SLEPATH->text()));
        SETBUTTONS();
        showPathHint();
        // A popup offering only what is typed already would take the next click just to close.
        if (QCompleter* completer = ui.SLEPATH->completer(); completer && completer->popup()->isVisible()) {
            const QString typed = QDir::fromNativeSeparators(ui.SLEPATH->text());
            const QString offered = QDir::fromNativeSeparators(completer->currentCompletion());
            if (completer->completionCount() == 1 &&
                (offered.compare(typed, Qt::CaseInsensitive) == 0 ||
                 (offered + '/').compare(typed, Qt::CaseInsensitive) == 0))
                completer->popup()->hide();
        }
    }
    PatchDialog_vo::EDITCHANGE(event);
}

bool PatchDialog::eventFilter(QObject* watched, QEvent* event) {
    if (watched == ui.SLEPATH && event->type() == QEvent::KeyPress) {
        const int key = static_cast<QKeyEvent*>(event)->key();
        if (key == Qt::Key_Return || key == Qt::Key_Enter) {
            if (QCompleter* completer = ui.SLEPATH->completer()) completer->popup()->hide();
            showPathHint();
            return true;
        }
    }
    return PatchDialog_vo::eventFilter(watched, event);
}

void PatchDialog::PSHBROWSE() {
    QFileDialog ask(this, QStringLiteral("Path to Harvane!"));
    ask.setObjectName(QStringLiteral("BrowseGameFolder"));
    ask.setFileMode(QFileDialog::Directory);
    ask.setOption(QFileDialog::ShowDirsOnly);
    if (platform::folderExists(gamePath_))
        ask.setDirectory(ui::pathToQt(platform::fileSystem().nativePath(gamePath_)));
    if (ui::showModal(ask) != QDialog::Accepted || ask.selectedFiles().isEmpty()) return;
    ui.SLEPATH->setText(ask.selectedFiles().constFirst());
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
    const std::string file = App::helpFile(ui::pathFromQt(QCoreApplication::applicationDirPath()) + "/");
    if (file.empty()) {
        ui::INFOBOX(this, "Help", "The help file ReadmeENG.TXT was not found.");
        return;
    }
    if (App::Run("NotePad " + file).started()) return;
    // Help only needs reading, which the tool can do itself.
    ui::TextViewer viewer("Help - " + platform::shownPath(file), platform::readFile(file), this);
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
    if (!ui::confirmed(this, caption, "restore the original campaigns?", ui::kNoByDefault)) return;
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
    if (!ui::confirmed(this, caption, "Restore all crew data of the campaign you're actually playing ?",
                       ui::kNoByDefault))
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
