#pragma once

#include "core/briefing/briefsupport.h"
#include "core/platform/filesystem.h"
#include "gui/ui/controls.h"
#include "gui/ui/dialog.h"

#include <array>
#include <cstddef>
#include <string>
#include <vector>

namespace hartool {

// Layout of the briefing editor: the side, and a heading and a text for each of the five pages.
class BriefEdit_vo : public ui::Dialog {
    Q_OBJECT
  public:
    explicit BriefEdit_vo(QWidget* owner = nullptr);

  protected:
    struct {
        ui::MYRADIOBUTTONGROUP* RBGMODE;
        ui::MYRADIOBUTTON* RBBLUE;
        ui::MYRADIOBUTTON* RBRED;
        ui::MYSINGLELINEEDIT* SLEBRIEF1;
        ui::MYMULTILINEEDIT* MLEBRIEF1;
        ui::MYSINGLELINEEDIT* SLEBRIEF2;
        ui::MYMULTILINEEDIT* MLEBRIEF2;
        ui::MYSINGLELINEEDIT* SLEBRIEF3;
        ui::MYMULTILINEEDIT* MLEBRIEF3;
        ui::MYSINGLELINEEDIT* SLEBRIEF4;
        ui::MYMULTILINEEDIT* MLEBRIEF4;
        ui::MYSINGLELINEEDIT* SLEBRIEF5;
        ui::MYMULTILINEEDIT* MLEBRIEF5;
        ui::MYPUSHBUTTON* PSHSAVE;
        ui::MYPUSHBUTTON* PSHCANCEL;
        ui::MYPUSHBUTTON* PSHMAP;
    } ui;
};

// Edits the headings and texts of a briefing file; map, graphics and the other values stay as they are.
// In double mode the side buttons switch between the blue and the red pages, keeping what was typed.
class BriefEdit : public BriefEdit_vo {
    Q_OBJECT
  public:
    // doubleMode: blue and red pages for a new file; an existing file decides itself. The map preview takes
    // its images from gameFolder.
    BriefEdit(QWidget* owner, const std::string& briefingFile, bool doubleMode = false,
              std::string gameFolder = "");

    // The selected pages into the edits, and back.
    void BRIEF2SCREEN();
    void SCREEN2BRIEF();

    std::vector<Briefing>& BRIEFARRAY() { return brief_.BRIEFARRAY(); }
    std::string BRIEFSTRING() const { return brief_.BRIEFSTRING(); }
    bool BLUEMODE() const { return brief_.BLUEMODE(); }
    void SETBLUEMODE(bool blue) { brief_.SETBLUEMODE(blue); }
    bool DOUBLEMODE() const { return brief_.DOUBLEMODE(); }
    void SETDOUBLEMODE(bool twoSides) { brief_.SETDOUBLEMODE(twoSides); }
    void READBRIEFINGS() { brief_.READBRIEFINGS(); }
    platform::Status WRITEBRIEFINGS() { return brief_.WRITEBRIEFINGS(); }
    void ADDBRIEFING(const std::string& sectionName) { brief_.ADDBRIEFING(sectionName); }
    std::string BRIEF2TEXT(std::size_t page) const { return brief_.BRIEF2TEXT(page); }

    void BUTTONCLICK(const ui::ControlEvent& event) override;
    // Esc, the close button and Alt+F4 ask to save what was typed; Cancel and a save close at once.
    void ENDDIALOG(int result) override;
    // A heading or text on screen or on the other side differs from the file as read.
    bool changed();

  public slots:
    void PSHSAVE();
    void PSHCANCEL();
    // The map preview of the pages as they stand, saved or not.
    void PSHMAP();

  private:
    struct PageRef {
        std::vector<Briefing>* pages;
        std::vector<Briefing>* asRead;
        std::string side;  // as the player knows it: "" for the only briefing
    };
    std::vector<PageRef> everySide();
    // The first page whose heading or text holds more "[" than when read; "" when none does.
    std::string pageWithNewBracket();

    BriefSupport brief_;
    std::string gameFolder_;
    // The pages as read, per side, to tell a "[" typed from one the file held already.
    std::vector<Briefing> singleRead_, blueRead_, redRead_;
    std::array<ui::MYSINGLELINEEDIT*, 5> headings_{};
    std::array<ui::MYMULTILINEEDIT*, 5> texts_{};
};

}  // namespace hartool
