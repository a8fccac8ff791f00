#include "gui/templates/dialogtemplate.h"

namespace hartool::resources {

namespace {
using enum ControlKind;

constexpr std::uint32_t kHeading = SunkenBorder | AutoHScroll;
constexpr std::uint32_t kText = SunkenBorder | WantReturn | VScroll;

constexpr ControlTemplate kControls[] = {
    {100, "RBGMODE", RadioButtonGroup, "Briefing mode", 4, 5, 142, 28, NoStyle, ""},
    {101, "RBBLUE", RadioButton, "Blue Briefing", 12, 17, 56, 11, Automatic, ""},
    {102, "RBRED", RadioButton, "Red Briefing", 79, 17, 55, 11, Automatic, ""},
    {103, "SLEBRIEF1", SingleLineEdit, "", 2, 36, 73, 16, kHeading, ""},
    {104, "MLEBRIEF1", MultiLineEdit, "", 78, 36, 209, 31, kText, ""},
    {105, "SLEBRIEF2", SingleLineEdit, "", 2, 83, 73, 16, kHeading, ""},
    {106, "MLEBRIEF2", MultiLineEdit, "", 78, 83, 209, 31, kText, ""},
    {107, "SLEBRIEF3", SingleLineEdit, "", 2, 127, 73, 16, kHeading, ""},
    {108, "MLEBRIEF3", MultiLineEdit, "", 78, 127, 209, 31, kText, ""},
    {109, "SLEBRIEF4", SingleLineEdit, "", 2, 172, 73, 16, kHeading, ""},
    {110, "MLEBRIEF4", MultiLineEdit, "", 78, 172, 209, 31, kText, ""},
    {111, "SLEBRIEF5", SingleLineEdit, "", 2, 216, 73, 16, kHeading, ""},
    {112, "MLEBRIEF5", MultiLineEdit, "", 78, 216, 209, 31, kText, ""},
    {113, "PSHSAVE", PushButton, "Save", 68, 259, 53, 12, NoStyle, ""},
    {114, "PSHCANCEL", PushButton, "Cancel", 170, 259, 53, 12, NoStyle, ""},
    {115, "PSHMAP", PushButton, "Map...", 235, 259, 53, 12, NoStyle,
     "preview the map graphics of these pages as the analysis drew them"},
};
}  // namespace

extern const DialogTemplate kBriefEditTemplate{
    "BriefEdit_vo", "Edit Briefing", 5, 16, 292, 282, "MS Sans Serif", 8, kControls};

}  // namespace hartool::resources
