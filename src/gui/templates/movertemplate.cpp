#include "gui/templates/dialogtemplate.h"

namespace hartool::resources {

namespace {
using enum ControlKind;

constexpr ControlTemplate kControls[] = {
    {100, "FTXTKAMP1", FixedText, "selected campaign:", 4, 5, 67, 12, Highlight, ""},
    {101,
     "CMBKAMPAGNE",
     ComboBox,
     "",
     73,
     5,
     102,
     60,
     DropDownEdit | VScroll,
     "choose a campaign to edit",
     {0, 0, 100, 0}},
    {102, "PSHRESTKAMP", PushButton, "restore", 180, 5, 68, 12, NoStyle,
     "restore all missions of the selected campaign", kMovesRight},
    {103, "GROUPBOX1", GroupBox, "Transfer Missions", 4, 24, 250, 166, NoStyle, "", kGrows},
    {104, "FTXTKAMP", FixedText, "Missions in selected campaign", 14, 35, 65, 19, Highlight, ""},
    {105, "FXTMISS", FixedText, "single battles", 113, 38, 53, 12, Highlight, ""},
    {106,
     "LBKAMPAGNE",
     ListBox,
     "",
     14,
     56,
     55,
     113,
     MultipleSelection | VScroll,
     "list of all missions in the selected camaign",
     {0, 0, 0, 100}},
    {107, "LBMISSION", ListBox, "", 113, 56, 135, 113, MultipleSelection | VScroll,
     "list of editable missions in the single battles folder", kGrows},
    {108, "PSHMOVEKM", PushButton, ">>", 76, 56, 30, 12, NoStyle,
     "copy all selected missions to the single battles folder"},
    {109, "PSHMOVEMK", PushButton, "<<", 76, 156, 30, 12, NoStyle,
     "transfer (changed) missions from single battles back to the campaign folder", kMovesDown},
    {110, "PSHREFRESH", PushButton, "refresh", 30, 173, 92, 12, NoStyle,
     "refresh the contents in the listboxes", kMovesDown},
    {111, "PSHDELETE", PushButton, "delete single battles", 140, 174, 92, 12, NoStyle,
     "delete all selected missions in <<single battles>>", kMovesRightAndDown},
    {112, "PSHCANCEL", PushButton, "back", 65, 196, 132, 12, NoStyle, "back to main", {50, 100, 50, 100}},
    {113, "CBSHOWALL", CheckBox, "show all files", 188, 38, 60, 11, Automatic, "", kMovesRight},
};
}  // namespace

extern const DialogTemplate kMoverTemplate{
    "Mover_vo", "make campaigns editable...", 5, 16, 262, 214, "MS Sans Serif", 8, kControls};

}  // namespace hartool::resources
