#include "gui/templates/dialogtemplate.h"

namespace hartool::resources {

namespace {
using enum ControlKind;

constexpr ControlTemplate kControls[] = {
    {100, "FTXTKAMP1", FixedText, "select a mission", 5, 4, 65, 10, Highlight, ""},
    {101, "FTXTKAMP", FixedText, "select a briefing", 210, 5, 56, 10, Highlight, ""},
    {102, "LBMISSIONS", ListBox, "", 3, 19, 144, 113, VScroll | SunkenBorder,
     "list of all missions in player folder"},
    {103, "LBBRIEFINGS", ListBox, "", 210, 20, 121, 113, VScroll | SunkenBorder,
     "list of all available briefings"},
    {104, "PSHEXTRACT", PushButton, ">> Extract", 153, 22, 54, 12, NoStyle,
     "extract briefing from selected mission"},
    {105, "PSHANALYZE", PushButton, ">> Analyze", 153, 70, 54, 12, NoStyle,
     "creates graphic information of the selected mission and link it to the selected briefing"},
    {106, "PSHCONNECT", PushButton, "<< Attach", 153, 118, 54, 12, NoStyle,
     "attach selected briefing to selected mission"},
    {107, "PSHPROP", PushButton, "Mission Properties", 3, 136, 70, 12, NoStyle, "modify your nationality..."},
    {108, "PSHMISSCOPY", PushButton, "Copy Mission", 77, 136, 70, 12, NoStyle,
     "copy selected mission to a new one or rename mission"},
    {109, "PSHMISSEDIT", PushButton, "Edit Mission", 3, 152, 70, 12, NoStyle,
     "edit selected mission with a text editor"},
    {110, "PSHMISSDELETE", PushButton, "Delete Mission", 77, 152, 70, 12, NoStyle,
     "delete selected mission "},
    {111, "PSHEDIT", PushButton, "Edit", 210, 136, 52, 12, NoStyle, "edit selected briefing"},
    {112, "PSHNEW", PushButton, "New", 210, 152, 52, 12, NoStyle, "create new briefing"},
    {113, "PSHCOPY", PushButton, "Copy", 279, 136, 52, 12, NoStyle, "copy selected briefing"},
    {114, "PSHDELETE", PushButton, "Delete", 279, 152, 52, 12, NoStyle, "delete selected briefing"},
    {115, "PSHTEXTEDIT", PushButton, "Texteditor", 279, 168, 52, 12, NoStyle,
     "edit whole briefing with a texteditor"},
    {116, "PSHCANCEL", PushButton, "back", 102, 175, 132, 12, NoStyle, "back to main"},
};
}  // namespace

extern const DialogTemplate kMToolTemplate{"MTool_vo", "Mission Tools", 6, 16,       336,
                                           194,        "MS Sans Serif", 8, kControls};

}  // namespace hartool::resources
