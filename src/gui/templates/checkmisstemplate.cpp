#include "gui/templates/dialogtemplate.h"

namespace hartool::resources {

namespace {
using enum ControlKind;

// FTXTLIST only marks the place of the findings view, which the dialog puts there.
constexpr ControlTemplate kControls[] = {
    {100, "FTXTSUMMARY", FixedText, "", 4, 4, 472, 10, NoStyle, ""},
    {101, "FTXTLIST", FixedText, "", 4, 16, 472, 200, SunkenBorder, ""},
    {102, "FTXTHINT", FixedText, "Double click a finding to select its mission or briefing.", 4, 222, 300, 10,
     NoStyle, ""},
    {103, "PSHCANCEL", PushButton, "Close", 406, 220, 70, 12, DefaultButton, "back"},
};
}  // namespace

extern const DialogTemplate kCheckMissTemplate{
    "CheckMiss_vo", "Check Missions", 8, 12, 480, 236, "MS Sans Serif", 8, kControls};

}  // namespace hartool::resources
