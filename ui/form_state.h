#pragma once
// What the form framework keeps for each of its windows: a form's state and a
// control's state, found from the window handle. A form gets its state when
// it is created; a control when SetControlProperties first sets it up. Both
// are freed with the window.
#include <windows.h>

#include <optional>
#include <string>

#include "ui/scaling.h"

namespace tallix::ui {

class FormDefinition;

struct FormState {
  FormDefinition* definition = nullptr;  // its description and handlers
  int givingControl = 0;                 // the definition's, kept for the layout
  int givingAcross = 0;                  // the one that gives the width, when not givingControl
  bool modal = false;                    // shown modal, its owner disabled meanwhile
  HWND modalOwner = nullptr;
  HWND lastFocus = nullptr;   // the child that last had the focus
  HWND tooltip = nullptr;     // made by AddTooltip
  SIZE designClient{};        // client area in design pixels
  SIZE given{};               // pixels its giving control gives up now
  HICON largeIcon = nullptr;  // window icons for its DPI, destroyed with it
  HICON smallIcon = nullptr;
};

// Where a control's colours come from: fixed RGB values, or the user's system
// colours (COLOR_ indexes) that follow a change of scheme.
enum class ColorSource { kRgb, kSystem };

struct ControlColors {
  COLORREF text = 0, back = 0;  // RGB, or COLOR_ index for kSystem
  ColorSource textSource = ColorSource::kRgb;
  ColorSource backSource = ColorSource::kRgb;
};

struct ControlState {
  WNDPROC previousProc = nullptr;  // the procedure before the framework's subclass
  HWND control = nullptr;
  LPARAM value = 0;                     // handed to the form's handlers
  bool selectAllOnFocus = false;        // an edit field's text selected whole on focus
  std::optional<ControlColors> colors;  // none: the system's usual colours
  HBRUSH brush = nullptr;               // background for its colours, deleted with it
  HFONT font = nullptr;                 // made from fontSpec (cached, never deleted)
  std::wstring fontSpec;                // made again for a new DPI
  std::optional<Place> designPlace;     // placed by the framework, in design pixels
  void (*finish)(HWND) = nullptr;       // run again for a new DPI
  const wchar_t* iconName = nullptr;    // an SS_ICON static's icon resource
  HICON icon = nullptr;                 // that icon at its DPI, destroyed with it
};

// nullptr when the window is no form (or control) of the framework.
FormState* FormStateOf(HWND form);
ControlState* ControlStateOf(HWND control);

// Made for a window that has none yet; nullptr when it cannot be kept.
FormState* MakeFormState(HWND form);
ControlState* MakeControlState(HWND control);
// Looked up in the process from now on, not through the window's property: a
// window whose own procedure lets its state go (see ReleaseWindowState).
void IndexWindowState(HWND window);
// Frees the window's state with what it owns (brush, icons).
void ReleaseWindowState(HWND window);

}  // namespace tallix::ui
