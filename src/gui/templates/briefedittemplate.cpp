#include "gui/templates/dialogtemplate.h"

namespace hartool::resources {

namespace {
using enum ControlKind;

constexpr std::uint32_t kHeading = SunkenBorder | AutoHScroll;
constexpr std::uint32_t kText = SunkenBorder | WantReturn | VScroll;

// The five pages share the dialog's growth in height, a fifth each; the texts take its growth in width.
constexpr ControlTemplate kControls[] = {
    {100, "RBGMODE", RadioButtonGroup, "Briefing mode", 4, 5, 142, 28, NoStyle, ""},
    {101, "RBBLUE", RadioButton, "Blue Briefing", 12, 17, 56, 11, Automatic, ""},
    {102, "RBRED", RadioButton, "Red Briefing", 79, 17, 55, 11, Automatic, ""},
    {103, "SLEBRIEF1", SingleLineEdit, "", 2, 36, 73, 16, kHeading, ""},
    {104, "MLEBRIEF1", MultiLineEdit, "", 78, 36, 209, 31, kText, "", {0, 0, 100, 20}},
    {105, "SLEBRIEF2", SingleLineEdit, "", 2, 83, 73, 16, kHeading, "", {0, 20, 0, 20}},
    {106, "MLEBRIEF2", MultiLineEdit, "", 78, 83, 209, 31, kText, "", {0, 20, 100, 40}},
    {107, "SLEBRIEF3", SingleLineEdit, "", 2, 127, 73, 16, kHeading, "", {0, 40, 0, 40}},
    {108, "MLEBRIEF3", MultiLineEdit, "", 78, 127, 209, 31, kText, "", {0, 40, 100, 60}},
    {109, "SLEBRIEF4", SingleLineEdit, "", 2, 172, 73, 16, kHeading, "", {0, 60, 0, 60}},
    {110, "MLEBRIEF4", MultiLineEdit, "", 78, 172, 209, 31, kText, "", {0, 60, 100, 80}},
    {111, "SLEBRIEF5", SingleLineEdit, "", 2, 216, 73, 16, kHeading, "", {0, 80, 0, 80}},
    {112, "MLEBRIEF5", MultiLineEdit, "", 78, 216, 209, 31, kText, "", {0, 80, 100, 100}},
    {113, "PSHSAVE", PushButton, "Save", 68, 259, 53, 12, NoStyle, "", {25, 100, 25, 100}},
    {114, "PSHCANCEL", PushButton, "Cancel", 170, 259, 53, 12, NoStyle, "", {50, 100, 50, 100}},
    {115, "PSHMAP", PushButton, "Map...", 235, 259, 53, 12, NoStyle,
     "preview the map graphics of these pages as the analysis drew them", kMovesRightAndDown},
};
}  // namespace

extern const DialogTemplate kBriefEditTemplate{
    "BriefEdit_vo", "Edit Briefing", 5, 16, 292, 282, "MS Sans Serif", 8, kControls};

}  // namespace hartool::resources
