#include "gui/templates/dialogtemplate.h"

namespace hartool::resources {

namespace {
using enum ControlKind;

// In id order, which is the template order; the screen order is top to bottom by y.
constexpr ControlTemplate kControls[] = {
    {100, "FIXEDTEXT8", FixedText, "the community message boards", 47, 183, 168, 11, Centre, ""},
    {101, "FIXEDTEXT7", FixedText, "thanks to all players and testers", 28, 37, 206, 11, Centre, ""},
    {102, "FIXEDTEXT9", FixedText, "community mission sites (see ReadmeENG.TXT)", 31, 109, 200, 11, Centre,
     ""},
    {103, "FIXEDTEXT10", FixedText, "written in C++ and Qt", 28, 25, 206, 11, Centre, ""},
    {104, "FIXEDTEXT11", FixedText, "the players' forums (see ReadmeENG.TXT)", 45, 172, 168, 11, Centre, ""},
    {105, "FIXEDTEXT12", FixedText, "BULLETIN BOARDS", 46, 160, 168, 11, Centre | Highlight, ""},
    {106, "PSHOK", PushButton, "OK", 104, 219, 53, 12, NoStyle, ""},
    {107, "FIXEDTEXT2", FixedText, "Harvane Campaign Transfer Tool", 28, 13, 206, 11, Centre | Highlight, ""},
    {108, "GROUPBOX1", GroupBox, "", 15, 1, 233, 74, NoStyle, ""},
    {109, "GROUPBOX2", GroupBox, "Harvane support in the Web:", 14, 85, 233, 127, NoStyle, ""},
    {110, "FIXEDTEXT13", FixedText, "CUSTOM MISSIONS", 49, 98, 166, 11, Centre | Highlight, ""},
    {111, "FIXEDTEXT14", FixedText, "mission archives of the players", 42, 120, 179, 11, Centre, ""},
    {112, "FIXEDTEXT15", FixedText, "campaign download pages", 28, 129, 206, 11, Centre, ""},
    {113, "FIXEDTEXT16", FixedText, "and the players' own home pages", 24, 140, 213, 11, Centre, ""},
    {114, "FIXEDTEXT17", FixedText, "good hunting, and fly safe!", 47, 198, 168, 11, Centre | Highlight, ""},
    {115, "FIXEDTEXT18", FixedText, "thanks for the notes on the mission format", 28, 49, 206, 11, Centre,
     ""},
    {116, "FIXEDTEXT19", FixedText, "to everyone who wrote and shared them", 28, 60, 206, 11, Centre, ""},
};
}  // namespace

extern const DialogTemplate kCreditsTemplate{"Credits_vo", "Credits",       5, 16,       262,
                                             236,          "MS Sans Serif", 8, kControls};

}  // namespace hartool::resources
