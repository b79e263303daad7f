#pragma once
// Between the files of the form framework alone: each part's entry points
// that another part calls.
#include <windows.h>

#include "ui/form.h"
#include "ui/form_state.h"

namespace tallix::ui {

// form_controls.cpp: the controls of the definition's table, made and set up.
void CreateFormControls(HWND form, FormDefinition& definition, int dpi);
// The static loads its icon at the system's size; the form's DPI may differ.
void ShowIconForDpi(HWND control, ControlState& state, int dpi);

// form_layout.cpp: sizes and icons for the form's DPI.
SIZE DesignClientOf(const FormDefinition& definition);
bool HasMenuBar(const FormDefinition& definition);
void SetFormIcons(HWND form, FormState& state, const FormDefinition& definition, int dpi);
void OnFormDpiChanged(HWND form, FormState& state, FormDefinition& definition, int dpi, const RECT* suggested);

// form_colors.cpp: the controls' own colours and the user's changes of them.
void OnColorsChanged(HWND form, UINT message);
LRESULT OnControlColor(HWND form, UINT message, HDC dc, HWND control);
// The form's background in the dark look.
void PaintFormFace(HWND form, HDC dc);

// form_dispatch.cpp: a control's notification, first to the control itself,
// then to the handler bound to it.
LRESULT Reflect(HWND control, UINT message, WPARAM wParam, LPARAM lParam);
LRESULT OnControlEvent(HWND form, FormDefinition& definition, UINT message, WPARAM wParam, LPARAM lParam);

// form_procedure.cpp: what ShowForm hands the new window.
struct CreateContext {
  FormDefinition* definition;
  LPARAM value;
};
bool EnsureFormClass(const FormDefinition& definition);
void ReenableOwner(const FormState& state);

// control_subclass.cpp: the framework's subclass, above the accessible
// name's (which must get the last message, after the framework's has put
// back the procedure it found).
void InstallControlSubclass(HWND control, ControlState& state, WNDPROC procedure);

// form_show.cpp
bool IsChildWindow(HWND window);

// form_tags.cpp: the window is being destroyed.
void ReleaseTags(HWND window);

}  // namespace tallix::ui
