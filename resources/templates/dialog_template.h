#pragma once
// Dialog and form layouts as plain data: every control with its ID, kind,
// rectangle in dialog units and built-in text, in template order (which is
// also the window order and the tab order). Qt-free, so any library can hold them.

#include <cstddef>

enum class ControlKind {
    Label,          // static text
    Icon,           // static icon (the application icon)
    GroupBox,
    PushButton,
    DefPushButton,  // the default button of a dialog
    CheckBox,       // toggles by itself
    RadioButton,
    Edit,
    ComboDropList,  // drop-down list, no typing
    ComboDropDown,  // drop-down with an edit field
    ListBox,
    ProgressBar,
    ScrollBarHorz,
    ScrollBarVert,
    Custom,         // a control of a registered class (className)
};

// Style bits beyond the kind; combinable.
enum ControlStyle : unsigned {
    CS_NONE = 0,
    CS_HIDDEN = 1u << 0,    // not visible at start
    CS_DISABLED = 1u << 1,  // disabled at start
    CS_SORT = 1u << 2,      // lists: entries sorted alphabetically
    CS_PASSWORD = 1u << 3,  // edits: characters masked
    CS_READONLY = 1u << 4,  // edits
    CS_CENTER = 1u << 5,    // static text alignment
    CS_RIGHT = 1u << 6,
    CS_VSCROLL = 1u << 7,   // lists: vertical scroll bar
    CS_BORDER = 1u << 8,
    CS_NUMBER = 1u << 9,    // edits: digits only
    CS_SMOOTH = 1u << 10,   // progress bars
};

struct ControlTemplate {
    int id;              // control ID; -1 for statics that nobody addresses
    ControlKind kind;
    int x, y, cx, cy;    // dialog units
    const char* text;    // built-in text (UTF-8), nullptr or "" for none
    unsigned style;      // ControlStyle bits
    const char* className; // Custom controls only
};

struct DialogTemplate {
    int id;
    int cx, cy;               // dialog units
    const char* caption;      // built-in caption (UTF-8)
    const char* fontName;
    int pointSize;
    bool child;               // a borderless child form rather than a modal dialog
    const ControlTemplate* controls;
    std::size_t controlCount;
};

// The template with that resource ID, or nullptr.
const DialogTemplate* FindDialogTemplate(int id);
