#pragma once
// Tells a screen reader what just happened without moving the focus, as the
// system's own calculator says its results: a UI Automation notification
// raised on a control's behalf. Windows 10 (1709) and later have it; where
// the system has none (older Windows, Wine), nothing is said and nothing fails.
#include <windows.h>
// After windows.h, which it needs.
#include <uiautomationcore.h>

#include <string_view>

namespace tallix::ui {

// The shape of the system's UiaRaiseNotificationEvent: the element, the kind
// and processing of the notification, its text and its activity.
using RaiseNotificationFunction = HRESULT(WINAPI*)(IRawElementProviderSimple* element, int kind, int processing,
                                                   BSTR text, BSTR activity);

// Says `text` on `control`'s behalf. A newer text of the same `activity`
// replaces one not yet said, so a burst of them does not queue up. False when
// nothing could be raised.
bool AnnounceText(HWND control, std::wstring_view text, std::wstring_view activity);

// What AnnounceText raises the notification with: the system's function
// unless one is given here (a test hears what would be said); nullptr goes
// back to the system's.
void SetNotificationRaiser(RaiseNotificationFunction raise);

}  // namespace tallix::ui
