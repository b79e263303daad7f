#pragma once
// The themed push button used for every key of the calculator. It draws with
// the running visual style when one was active at its creation and with
// classic 3-D edges otherwise, carries up to three images (normal, hot,
// disabled), can be a toggle button, and colours its caption by the caption's
// keypad group (ui/caption_colors.h). In high contrast it draws flat in the
// system colours, a key that is down or under the pointer in the highlight
// colour, and no visual style. The key with the focus shows a focus rectangle
// in every look.
//
// Create it with CREATEXPBUTTON and tune it with the TB_XPBUTTON_SET... setters
// (ui/exports.h). It notifies its parent with WM_COMMAND / BN_CLICKED and
// passes WM_COMMAND and WM_NOTIFY that reach it on to the parent.
#include <windows.h>

#include <optional>

#include "ui/exports.h"
#include "ui/key_look.h"

namespace tallix::ui {

inline constexpr wchar_t kXPButtonClass[] = L"TB_XPBUTTON";

// Registers the class "TB_XPBUTTON" unless already known.
bool RegisterXPButtonClass();

// nullopt when the window is not a live themed button.
std::optional<XPButtonInfo> GetXPButtonInfo(HWND button);

// The rectangle, in client coordinates, that the button's caption is laid out
// in (with the caption's DrawText flags) and clipped to, as it is drawn now at
// its DPI; nullopt when the window is not a live themed button.
std::optional<RECT> GetXPButtonCaptionRect(HWND button);

}  // namespace tallix::ui
