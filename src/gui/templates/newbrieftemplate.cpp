#include "gui/templates/dialogtemplate.h"

namespace hartool::resources {

namespace {
using enum ControlKind;

constexpr ControlTemplate kControls[] = {
    {100, "FIXEDTEXT1", FixedText, "Name:", 10, 17, 27, 12, NoStyle, ""},
    {101, "FNAME", SingleLineEdit, "", 42, 15, 96, 12, SunkenBorder | AutoHScroll,
     "file name of the new briefing"},
    {102, "RBGMODE", RadioButtonGroup, "Briefing Mode", 42, 35, 96, 43, NoStyle, ""},
    {103, "RBSINGLE", RadioButton, "only one briefing", 51, 48, 67, 11, Automatic, ""},
    {104, "RBSINGLE1", RadioButton, "blue and red briefing", 51, 59, 83, 11, Automatic, ""},
    {105, "PSHOK", PushButton, "Ok", 15, 109, 53, 12, DefaultButton, ""},
    {106, "PSHCANCEL", PushButton, "Cancel", 84, 108, 53, 12, NoStyle, ""},
    {107, "FTXTPROBLEM", FixedText, "", 10, 82, 135, 22, NoStyle, ""},
};
}  // namespace

extern const DialogTemplate kNewBriefTemplate{"NewBrief_vo", "Create new briefing", 5, 16,       152,
                                              130,           "MS Sans Serif",       8, kControls};

}  // namespace hartool::resources
