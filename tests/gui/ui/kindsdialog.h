#pragma once

// A dialog with one control of every kind, and a behaviour that records what reaches it.

#include "gui/templates/dialogtemplate.h"
#include "gui/ui/controls.h"
#include "gui/ui/dialog.h"
#include "gui/ui/modal.h"

#include <functional>
#include <string>
#include <vector>

namespace hartool::test {

namespace kinds {
using namespace resources;
using enum ControlKind;

inline constexpr ControlTemplate kControls[] = {
    {100, "FTXTNAME", FixedText, "Name:", 4, 4, 40, 10, Right | Highlight, ""},
    {101, "SLENAME", SingleLineEdit, "start", 48, 4, 80, 12, AutoHScroll | SunkenBorder, "a name"},
    {102, "MLETEXT", MultiLineEdit, "", 4, 20, 124, 30, VScroll | WantReturn, "text"},
    {103, "MLENOTE", MultiLineEdit, "", 4, 54, 124, 20, ReadOnly, ""},
    {104, "LBITEMS", ListBox, "", 4, 78, 60, 40, MultipleSelection | VScroll, "items"},
    {105, "CMBPICK", ComboBox, "", 68, 78, 60, 50, DropDownEdit | VScroll, ""},
    {106, "CBLIST", ComboBox, "", 68, 94, 60, 50, DropDownList, ""},
    {107, "CBSHOW", CheckBox, "show all", 68, 108, 60, 10, Automatic, "every file"},
    {108, "RBGSIDE", RadioButtonGroup, "Side", 4, 122, 124, 28, NoStyle, ""},
    {109, "RBBLUE", RadioButton, "Blue", 10, 134, 50, 10, Automatic, ""},
    {110, "RBRED", RadioButton, "Red", 70, 134, 50, 10, Automatic, ""},
    {111, "PSHOK", PushButton, "OK", 4, 156, 50, 12, DefaultButton, ""},
    {112, "PSHCANCEL", PushButton, "Cancel", 78, 156, 50, 12, NoStyle, "back"},
    {113, "GROUPBOX1", GroupBox, "Frame", 2, 152, 128, 36, NoStyle, ""},
    {114, "PSHOFF", PushButton, "Off", 40, 172, 50, 12, Disabled, ""},
};
}  // namespace kinds

inline constexpr resources::DialogTemplate kKindsTemplate{
    "KindsDialog_vo", "Every kind", 5, 16, 132, 190, "MS Sans Serif", 8, kinds::kControls};

class KindsDialog : public ui::Dialog {
    Q_OBJECT
  public:
    explicit KindsDialog(QWidget* owner = nullptr) : ui::Dialog(kKindsTemplate, owner) {}

    struct Event {
        std::string hook;
        std::string control;
        bool operator==(const Event&) const = default;
    };
    std::vector<Event> events;
    std::vector<int> endings;  // results that reached ENDDIALOG
    int activations = 0;
    std::function<void()> onCancel;  // what PSHCANCEL does besides ending with 2

    void BUTTONCLICK(const ui::ControlEvent& e) override {
        events.push_back({"BUTTONCLICK", e.name});
        ui::Dialog::BUTTONCLICK(e);
    }
    void EDITCHANGE(const ui::ControlEvent& e) override {
        events.push_back({"EDITCHANGE", e.name});
        ui::Dialog::EDITCHANGE(e);
    }
    void LISTBOXSELECT(const ui::ControlEvent& e) override {
        events.push_back({"LISTBOXSELECT", e.name});
        ui::Dialog::LISTBOXSELECT(e);
    }
    void ACTIVATE() override {
        ++activations;
        ui::Dialog::ACTIVATE();
    }
    using ui::Dialog::ENDDIALOG;
    void ENDDIALOG(int result) override {
        endings.push_back(result);
        ui::Dialog::ENDDIALOG(result);
    }

  public slots:
    void PSHOK() { ENDDIALOG(1); }
    void PSHOFF() {}
    void PSHCANCEL() {
        if (onCancel) onCancel();
        ENDDIALOG(2);
    }
};

}  // namespace hartool::test
