#include "gui/templates/dialogtemplate.h"

namespace hartool::resources {

namespace {
using enum ControlKind;

// FTXTMAP only marks the place of the map view, which the dialog puts there.
constexpr ControlTemplate kControls[] = {
    {100, "FTXTPAGE", FixedText, "Page:", 4, 6, 24, 10, NoStyle, ""},
    {101, "CMBPAGE", ComboBox, "", 30, 4, 144, 90, DropDownList, "the page and side shown", {0, 0, 100, 0}},
    {102, "FTXTZOOM", FixedText, "Zoom:", 180, 6, 22, 10, NoStyle, "", kMovesRight},
    {103, "CMBZOOM", ComboBox, "", 204, 4, 40, 70, DropDownList,
     "enlarge the map in whole steps, so its pixels stay sharp", kMovesRight},
    {104, "FTXTMAP", FixedText, "", 4, 20, 240, 204, SunkenBorder, "", kGrows},
    {105, "FTXTENTRY", FixedText, "", 4, 227, 240, 10, NoStyle, "", {0, 100, 100, 100}},
    {106, "FTXTSTATUS", FixedText, "", 4, 238, 240, 28, NoStyle, "", {0, 100, 100, 100}},
    {107, "PSHSAVEPNG", PushButton, "Save as PNG...", 4, 270, 70, 12, NoStyle,
     "save the page shown, at the zoom shown, as a PNG picture", kMovesDown},
    {108, "PSHCANCEL", PushButton, "Close", 174, 270, 70, 12, DefaultButton, "back", kMovesRightAndDown},
};
}  // namespace

extern const DialogTemplate kMapPreviewTemplate{
    "MapPreview_vo", "Map Preview", 8, 12, 248, 286, "MS Sans Serif", 8, kControls};

}  // namespace hartool::resources
