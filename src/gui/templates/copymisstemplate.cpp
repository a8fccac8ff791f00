#include "gui/templates/dialogtemplate.h"

namespace hartool::resources {

namespace {
using enum ControlKind;

constexpr ControlTemplate kControls[] = {
    {100, "PSHOK", PushButton, "Ok", 16, 71, 53, 12, DefaultButton, ""},
    {101, "PSHCANCEL", PushButton, "Cancel", 84, 70, 53, 12, NoStyle, ""},
    {102, "SLEFNAME", SingleLineEdit, "", 52, 10, 96, 12, AutoHScroll, "file name of the new briefing"},
    {103, "FIXEDTEXT1", FixedText, "Filename:", 6, 10, 34, 12, NoStyle, ""},
    {104, "SLEMNAME", SingleLineEdit, "", 52, 29, 96, 12, AutoHScroll,
     "name in BATTLE BUILDER for the new briefing"},
    {105, "FIXEDTEXT2", FixedText, "Missionname:", 6, 29, 46, 12, NoStyle, ""},
    {106, "FTXTPROBLEM", FixedText, "", 6, 45, 142, 22, NoStyle, ""},
};
}  // namespace

extern const DialogTemplate kCopyMissTemplate{
    "CopyMiss_vo", "Copy Mission", 5, 16, 154, 91, "MS Sans Serif", 8, kControls};

}  // namespace hartool::resources
