#pragma once
// What a screen reader calls a control. A control set up here answers
// WM_GETOBJECT with the system's standard object for it, but under that
// name; a field (edit, list, tree, date picker) usually takes the label that
// precedes it. Controls that answer WM_GETOBJECT themselves (the themed keys)
// read their name and shortcut from here.
//
// Besides the name, the wrapper fills in what the standard object leaves
// out: a named static's text as its value, a list box's lines as its
// children, and the role of common controls the standard object knows only
// as a client area.
#include <windows.h>

#include <string>
#include <string_view>

namespace tallix::ui {

// Names the control (and gives its keyboard shortcut, if any) for as long as
// it lives; calling it again replaces both. With an empty name the standard
// object's name stands, and the control still gets the wrapper's role,
// value and children.
void SetAccessibleName(HWND control, std::wstring_view name, std::wstring_view shortcut = {});
// Puts the name's subclass in now, unnamed unless it was named already, so
// that a subclass installed later lies above it.
void AddAccessibleLayer(HWND control);
// The control's value is the text `source` shows: a control that holds the
// focus on another's behalf (a hidden key sink for a display) says what a
// screen reader should hear when the focus lands or the value changes.
void SetAccessibleValueSource(HWND control, HWND source);
// Empty when none was given.
std::wstring AccessibleNameOf(HWND control);
std::wstring AccessibleShortcutOf(HWND control);

// A label's text as a name: without its mnemonic marks and trailing colon
// ("&Principal:" is "Principal").
std::wstring NameFromLabel(std::wstring_view label);
// Whether controls of the class are fields that take their name from a label.
bool IsLabelledClass(const wchar_t* className);

}  // namespace tallix::ui
