#include "gui/templates/dialogtemplate.h"

namespace hartool::resources {

namespace {
using enum ControlKind;

constexpr ControlTemplate kControls[] = {
    {100, "FIXEDTEXT2", FixedText, "Harvane Campaign Transfer Tool", 27, 4, 206, 11, Centre | Highlight, ""},
    {101, "FIXEDTEXT4", FixedText, "written for the players of Harvane!", 27, 16, 206, 11, Centre, ""},
    {102, "GROUPBOX1", GroupBox, "Path to Harvane!", 20, 45, 224, 35, NoStyle, ""},
    {103, "SLEPATH", SingleLineEdit, "", 26, 59, 168, 12, SunkenBorder | AutoHScroll, "Path to Harvane.exe"},
    {104, "PSHBROWSE", PushButton, "Browse...", 198, 59, 40, 12, NoStyle, "choose the folder of Harvane!"},
    {105, "GROUPBOX2", GroupBox, "Backup", 19, 86, 224, 35, NoStyle, ""},
    {106, "PSHSAVE", PushButton, "Save Original Files", 24, 98, 103, 14, NoStyle,
     "save the original campaigns and the single missions"},
    {107, "PSHREST", PushButton, "Restore Original Files", 134, 98, 103, 14, NoStyle,
     "restore the original campaigns and the single missions"},
    {108, "GROUPBOX3", GroupBox, "Campaign Tools", 19, 128, 224, 56, NoStyle, ""},
    {109, "PSHCAMP", PushButton, "Campaign<->Single Battle", 24, 140, 103, 14, NoStyle,
     "make campaigns editable with the harvane battle builder"},
    {110, "PSHMISSTOOLS", PushButton, "Mission Tools", 134, 140, 103, 14, NoStyle, "edit mission-briefings"},
    {111, "PSHSAVECREW", PushButton, "save Crew-Data", 24, 163, 103, 14, NoStyle,
     "save all crew data of your current campaign"},
    {112, "PSHRESTCREW", PushButton, "restore Crew-Data", 134, 163, 103, 14, NoStyle,
     "restore all crew data of your current campaign"},
    {113, "PSHREADME", PushButton, "Help", 24, 193, 103, 14, NoStyle, "show Readme.txt "},
    {114, "ENDDIALOG", PushButton, "Quit", 134, 193, 103, 14, DefaultButton, "exit program"},
    {115, "FIXEDTEXT5", FixedText, "and don't forget", 32, 216, 193, 10, Centre, ""},
    {116, "FIXEDTEXT3", FixedText, "to visit a food charity site every day", 61, 227, 137, 10, NoStyle, ""},
    {117, "FIXEDTEXT6", FixedText, "and press the DONATE FREE FOOD - Button  !", 32, 236, 193, 10, Centre,
     ""},
    {118, "PSHCREDITS", PushButton, "Credits", 104, 30, 53, 12, NoStyle, ""},
};
}  // namespace

extern const DialogTemplate kPatchDialogTemplate{
    "PatchDialog_vo", "Tamblor's Harvane! Campaign-Tools V1.3b", 5, 16, 261, 248, "MS Sans Serif", 8,
    kControls};

}  // namespace hartool::resources
