#include "gui/templates/dialogtemplate.h"

namespace hartool::resources {

namespace {
using enum ControlKind;

constexpr ControlTemplate kControls[] = {
    {100, "GROUPBOX1", GroupBox, "Choose", 12, 3, 109, 56, NoStyle, ""},
    {101, "FIXEDTEXT2", FixedText, "Side:", 18, 16, 40, 12, NoStyle, ""},
    {102, "CBSIDE", ComboBox, "", 62, 12, 53, 50, DropDownEdit, ""},
    {103, "FIXEDTEXT1", FixedText, "Nationality:", 18, 31, 40, 12, NoStyle, ""},
    {104, "CBNAT", ComboBox, "", 62, 29, 53, 50, DropDownEdit, ""},
    {105, "FTXTNAT", FixedText, "Fixed Text", 18, 45, 40, 12, NoStyle, ""},
    {106, "PSHSAVE", PushButton, "Save", 8, 66, 53, 12, DefaultButton, ""},
    {107, "PSHCANCEL", PushButton, "Cancel", 76, 66, 53, 12, NoStyle, ""},
};
}  // namespace

extern const DialogTemplate kMissPropTemplate{
    "MissProp_vo", "Mission Properties", 5, 16, 139, 83, "MS Sans Serif", 8, kControls};

}  // namespace hartool::resources
