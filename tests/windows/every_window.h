#pragma once
// Every window of Tallix opened in this process, one after the other, and
// handed to a visitor while it is open and painted: the main window in each
// of its layouts, the side windows and the modal ones. The probes that look
// at all of them (DPI layouts, the dark look) share this one walk.
#include <windows.h>

#include <functional>
#include <set>
#include <string>

namespace tallix::every_window {

// Called with each window's name ("main", "options", "loan"...) and its form;
// the form is nullptr when the window did not open.
using Visit = std::function<void(const std::string& name, HWND form)>;

// The main window in every combination of its three shown parts, each part
// switched off and on again: "main", "main-no-stopwatch"... "main-no-tape-
// stopwatch-status".
void VisitMainLayouts(HWND main, const Visit& visit);

// The windows the main window opens: the converter, area, volume, the loan
// calculator with a schedule computed, then with its chart shown
// ("loan-chart"), the transfer test and help, then the modal options, about,
// Add Note's input box and the transfer test's options.
// Each is closed after its visit; `known` holds the forms already seen.
void VisitSideWindows(HWND main, std::set<HWND>& known, const Visit& visit);

// Both of the above.
void VisitEveryWindow(HWND main, const Visit& visit);

// The top-level form of this thread shown last and not yet known, known from now on.
HWND NewForm(std::set<HWND>& known);

// Runs `open`, which shows a modal form; the form is visited and then closed
// from inside its own message loop (unless the visit closed it already).
void VisitModal(const std::string& name, std::set<HWND>& known, const std::function<void()>& open, const Visit& visit);

// A menu command of the main window, and what it opened painted.
void Command(HWND main, int id);

}  // namespace tallix::every_window
