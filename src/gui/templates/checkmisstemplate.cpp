#include "gui/templates/dialogtemplate.h"

namespace hartool::resources {

namespace {
using enum ControlKind;

// FTXTLIST only marks the place of the findings view, which the dialog puts there; it grows with the window.
constexpr ControlTemplate kControls[] = {
    {100, "FTXTSUMMARY", FixedText, "", 4, 4, 392, 10, NoStyle, "", {0, 0, 100, 0}},
    {101, "FTXTLIST", FixedText, "", 4, 16, 392, 200, SunkenBorder, "", kGrows},
    {102, "FTXTHINT", FixedText, "Double click a finding to select its mission or briefing.", 4, 222, 300, 10,
     NoStyle, "", kMovesDown},
    {103, "PSHCANCEL", PushButton, "Close", 326, 220, 70, 12, DefaultButton, "back", kMovesRightAndDown},
};
}  // namespace

extern const DialogTemplate kCheckMissTemplate{
    "CheckMiss_vo", "Check Missions", 8, 12, 400, 236, "MS Sans Serif", 8, kControls};

}  // namespace hartool::resources
