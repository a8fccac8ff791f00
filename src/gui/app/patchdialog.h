#pragma once

#include "core/backup/backup.h"
#include "core/game/gamepaths.h"
#include "gui/ui/controls.h"
#include "gui/ui/dialog.h"
#include "gui/ui/gamechecks.h"

#include <QAction>

#include <string>

namespace hartool {

// Layout of the main dialog.
class PatchDialog_vo : public ui::Dialog {
    Q_OBJECT
  public:
    explicit PatchDialog_vo(QWidget* owner = nullptr);

  protected:
    struct {
        QLabel* FIXEDTEXT2;
        QLabel* FIXEDTEXT4;
        QGroupBox* GROUPBOX1;
        ui::MYSINGLELINEEDIT* SLEPATH;
        QGroupBox* GROUPBOX2;
        ui::MYPUSHBUTTON* PSHSAVE;
        ui::MYPUSHBUTTON* PSHREST;
        QGroupBox* GROUPBOX3;
        ui::MYPUSHBUTTON* PSHCAMP;
        ui::MYPUSHBUTTON* PSHMISSTOOLS;
        ui::MYPUSHBUTTON* PSHSAVECREW;
        ui::MYPUSHBUTTON* PSHRESTCREW;
        ui::MYPUSHBUTTON* PSHREADME;
        ui::MYPUSHBUTTON* ENDDIALOG;
        QLabel* FIXEDTEXT5;
        QLabel* FIXEDTEXT3;
        QLabel* FIXEDTEXT6;
        ui::MYPUSHBUTTON* PSHCREDITS;
        ui::MYPUSHBUTTON* PSHBROWSE;
    } ui;
};

// The main dialog: the game path, the enable rules of the function buttons, and the doors to every other
// dialog. Quit is the inherited ENDDIALOG slot.
class PatchDialog : public PatchDialog_vo, public ui::GameChecks {
    Q_OBJECT
  public:
    explicit PatchDialog(QWidget* owner = nullptr);

    // True when the game executable is in the game path; the path is then remembered in the INI file.
    // Unless quiet, a missing game is reported.
    bool FILEOK(bool quiet = false) override;
    // True while the backup of the originals is incomplete (saving is still to be done).
    bool COPYOK() const override;
    void SETBUTTONS();
    void SETSAVE();
    void TESTBUTTONS();
    // The copy of the backup buttons, with the wait cursor.
    Report COPYDIR(const std::string& source, const std::string& target, CopyMode mode = CopyMode::KAMPAGNE);

    const std::string& gamePath() const { return gamePath_; }
    const GameFolders& folders() const { return folders_; }
    const auto& campaigns() const { return kCampaigns; }

    void EDITCHANGE(const ui::ControlEvent& event) override;
    void ACTIVATE() override;

  protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

  public slots:
    // Chooses the game folder in the desktop's folder dialog.
    void PSHBROWSE();
    void PSHSAVE();
    void PSHREST();
    void PSHCAMP();
    void PSHMISSTOOLS();
    void PSHSAVECREW();
    void PSHRESTCREW();
    void PSHREADME();
    void PSHCREDITS();

  private:
    void setGamePath(const std::string& typed);
    // Why the path fails the game test, for the player; empty when the game is there.
    std::string pathHint() const;
    void showPathHint();
    void enableFunctions(bool save, bool restore, bool tools);
    void enableCrew(bool on);

    std::string gamePath_;
    GameFolders folders_;
    QString pathToolTip_;
    QAction* pathWarning_ = nullptr;  // the warning sign in the path field while the path is wrong
};

}  // namespace hartool
