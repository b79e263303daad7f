#pragma once
// The usual kinds of control as rows of a form's table: each preset knows its
// kind's window class, styles and properties, so that a form lists what it
// has and where, not how each kind is made. A row can still be adjusted
// before it goes into the table (another style, a subclass procedure).
//
//   controls = {Pane(1004, L" M1", {0, 270, 133, 22}, kPaneFont),
//               Disabled(KeyButton(1063, L"Lap", {76, 245, 60, 18}, kKeyFont))};
#include <windows.h>

#include <string>

#include "ui/form.h"

namespace tallix::ui {

// Themed push button (TB_XPBUTTON), drawn over the form's face.
ControlSpec KeyButton(int id, const wchar_t* caption, Place place, const wchar_t* fontSpec);
// A key that stays down until pressed again.
ControlSpec ToggleKey(int id, const wchar_t* caption, Place place, const wchar_t* fontSpec);
// Static text; `style` adds alignment (SS_CENTER, SS_RIGHT) or WS_BORDER.
ControlSpec Static(int id, const wchar_t* text, Place place, const wchar_t* fontSpec, DWORD style = SS_LEFT);
// Status-bar pane: static text with a thin sunken edge.
ControlSpec Pane(int id, const wchar_t* text, Place place, const wchar_t* fontSpec, DWORD align = SS_LEFT);
// Read-only, right-aligned number field in the window colours rather than
// greyed, without margins or length limit.
ControlSpec Display(int id, const wchar_t* text, Place place, const wchar_t* fontSpec);
// Input field that selects its text when it gets the focus.
ControlSpec Edit(int id, const wchar_t* text, Place place, const wchar_t* fontSpec);
// System push button; the default one answers Enter, a cancel button (IDCANCEL) Esc.
ControlSpec PushButton(int id, const wchar_t* caption, Place place, const wchar_t* fontSpec, bool isDefault = false);
// An icon resource of the executable, centred in the place (which keeps its size).
ControlSpec IconStatic(int id, const wchar_t* iconName, Place place, DWORD style = 0);
// A sunken line, as a static control that draws only its edge.
ControlSpec SunkenLine(int id, Place place, const wchar_t* fontSpec = nullptr);
ControlSpec OptionButton(int id, const wchar_t* caption, Place place, const wchar_t* fontSpec, bool startsGroup);
ControlSpec CheckBox(int id, const wchar_t* caption, Place place, const wchar_t* fontSpec);
ControlSpec GroupBox(int id, const wchar_t* caption, Place place, const wchar_t* fontSpec);
ControlSpec ListBox(int id, Place place, const wchar_t* fontSpec);
ControlSpec TreeView(int id, Place place, const wchar_t* fontSpec);
// Report mode with column headers, one row selected at a time.
ControlSpec ListView(int id, Place place, const wchar_t* fontSpec);
ControlSpec DatePicker(int id, Place place, const wchar_t* fontSpec);
// Drop-down list: a choice among fixed entries, no typing. `place.height`
// includes the open list.
ControlSpec DropDown(int id, Place place, const wchar_t* fontSpec);
// Smooth progress bar, 0 to 1000.
ControlSpec ProgressBar(int id, Place place);
// Separator line (FIRELINES) along the top edge.
ControlSpec Separator(int id, Place place);

// Modifiers for any row.
ControlSpec Hidden(ControlSpec row);
// What a screen reader calls the control, where no label right before it says.
ControlSpec Named(ControlSpec row, std::wstring name);
ControlSpec Disabled(ControlSpec row);
// Ends the group of option buttons before it (arrow keys stop here).
ControlSpec StartsGroup(ControlSpec row);

// The finishing touch of Display, for other read-only edit fields.
void RemoveEditMarginsAndLimit(HWND edit);

}  // namespace tallix::ui
