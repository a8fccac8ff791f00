#pragma once

// Dialog templates as plain data: one table per layout class, named like it ("PatchDialog_vo").
// Geometry is in dialog units; texts are Windows-1252 bytes. The GUI builds the widgets from these.

#include <cstdint>
#include <span>
#include <string_view>

namespace hartool::resources {

enum class ControlKind {
    FixedText,
    GroupBox,
    PushButton,
    SingleLineEdit,
    MultiLineEdit,
    ListBox,
    ComboBox,
    CheckBox,
    RadioButton,
    RadioButtonGroup,  // drawn as a group box; the radio buttons inside it follow it in the table
};

// Style flags; a control takes those that make sense for its kind and ignores the rest.
enum Style : std::uint32_t {
    NoStyle = 0,
    Centre = 1u << 0,             // text centred (fixed text, edit)
    Right = 1u << 1,              // text right-aligned (fixed text, edit)
    Highlight = 1u << 2,          // text in the highlight colour (fixed text)
    DefaultButton = 1u << 3,      // the dialog's default push button
    MultipleSelection = 1u << 4,  // list box: single clicks select several items
    SunkenBorder = 1u << 5,
    AutoHScroll = 1u << 6,  // edit scrolls sideways instead of wrapping
    VScroll = 1u << 7,      // vertical scroll bar, always shown (list box, multi-line edit)
    WantReturn = 1u << 8,  // multi-line edit: Enter inserts a new line instead of pressing the default button
    DropDownEdit = 1u << 9,   // combo box with an edit field
    DropDownList = 1u << 10,  // combo box without an edit field (the default)
    Automatic = 1u << 11,     // check box or radio button that checks itself when clicked
    Disabled = 1u << 12,
    ReadOnly = 1u << 13,
};

// How a control follows the dialog's edges when the player resizes the dialog: each of its edges moves by
// this share (percent) of the dialog's growth, left and right of its growth in width, top and bottom of its
// growth in height. Two lists side by side share the growth: {0, 0, 50, 100} and {50, 0, 100, 100}.
struct Follow {
    int left = 0, top = 0, right = 0, bottom = 0;

    bool stays() const { return left == 0 && top == 0 && right == 0 && bottom == 0; }
};
inline constexpr Follow kStays{};
inline constexpr Follow kGrows{0, 0, 100, 100};
inline constexpr Follow kMovesRight{100, 0, 100, 0};
inline constexpr Follow kMovesDown{0, 100, 0, 100};
inline constexpr Follow kMovesRightAndDown{100, 100, 100, 100};

struct ControlTemplate {
    int id;
    std::string_view name;
    ControlKind kind;
    std::string_view caption;
    int x, y, w, h;
    std::uint32_t style;
    std::string_view toolTip;
    Follow follow = kStays;  // a dialog whose controls all stay has a fixed size

    bool has(Style s) const { return (style & s) != 0; }
};

struct DialogTemplate {
    std::string_view name;  // the layout class
    std::string_view caption;
    int x, y, width, height;
    std::string_view fontFamily;
    int pointSize;
    std::span<const ControlTemplate> controls;  // template order
};

// nullptr when no template has that name.
const DialogTemplate* findDialogTemplate(std::string_view name);
// Every template, in no particular order.
std::span<const DialogTemplate* const> dialogTemplates();

}  // namespace hartool::resources
