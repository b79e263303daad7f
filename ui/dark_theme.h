#pragma once
// The dark look: one palette for every window Tallix draws, whether it is on
// now, and Windows' app mode that it may follow. Light is the system's own
// colours as they always were: while dark is off, nothing here changes a
// window, so that Light stays the look users know, pixel for pixel.
#include <windows.h>

#include <string>
#include <vector>

#include "services/theme_choice.h"

namespace tallix::ui {

struct DarkPalette {
  COLORREF face;      // window background, labels, group boxes
  COLORREF text;      // labels and captions without a colour of their own
  COLORREF grayText;  // disabled: dimmer than text, still 3:1 on face and key faces
  COLORREF field;     // edits, lists, trees, the tape, the display
  COLORREF fieldText;
  COLORREF frame;  // the edges of keys, boxes and fields
  COLORREF keyFace, keyHot, keyPressed;
  COLORREF highlight, highlightText;  // a selection
  COLORREF menuBar, menuHot;
};
const DarkPalette& Dark();

// The user's choice. When the look it gives differs from the one drawn, every
// open form follows at once.
void SetThemeChoice(ThemeChoice choice);
// Dark by the choice and the app mode, and never in high contrast: asked at
// each paint, so that high contrast switched on wins at once.
bool DarkOn();
// WM_SETTINGCHANGE saying that the app mode may have changed.
bool IsAppModeChange(UINT message, LPARAM lParam);
// The app mode read again; every open form follows when the look changes.
void OnAppModeChange();

// `color`, raised or lowered in lightness alone until it stands at `ratio`
// against `background`: a user's colour keeps its hue.
COLORREF ReadableColor(COLORREF color, COLORREF background, double ratio = 4.5);
// A solid brush of the colour, kept for the life of the process.
HBRUSH PaletteBrush(COLORREF color);

// The look of now given to a form and its controls (title bar, the colours
// common controls keep themselves, scroll bars, menus), then all repainted.
// A form that was never dark is left alone while dark is off.
void ApplyThemeToForm(HWND form);

// The pieces this system could not draw dark ("title bar", "scroll bars"...),
// each named once: they stay light. For the tests' output.
std::vector<std::wstring> DarkFallbacks();
void NoteDarkFallback(const wchar_t* piece);

}  // namespace tallix::ui
