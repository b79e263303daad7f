// Which command each key and menu item of the main window runs.
#include <windows.h>
// After windows.h, which it needs.
#include <windowsx.h>

#include <functional>
#include <optional>

#include "app/about/about_window.h"
#include "app/help/help_window.h"
#include "app/main_window/control_ids.h"
#include "app/main_window/control_table.h"
#include "app/main_window/find_box.h"
#include "app/main_window/main_window_impl.h"
#include "app/main_window/menu_shortcuts.h"
#include "app/main_window/stopwatch_bar.h"
#include "app/main_window/tape_commands.h"
#include "app/main_window/tape_correction.h"
#include "app/options/options_window.h"
#include "resources/resource_ids.h"
#include "tools/area_volume/shape_window.h"
#include "tools/convert/converter_popup.h"
#include "tools/loan/loan_window.h"
#include "tools/transfer/transfer_window.h"
#include "ui/form.h"

namespace tallix {

void MainWindow::BindKeys() {
  for (const ui::ControlSpec& row : MainWindowControls()) {
    const std::optional<Key> key = KeyOfControl(row.id);
    if (!key || !IsEngineKey(*key)) continue;
    auto press = [this, key = *key] { engine_.PressKey(key); };
    // A digit is entered whatever the notification, like a menu command.
    if (DigitValue(*key)) {
      OnCommand(row.id, press);
    } else {
      OnClick(row.id, press);
    }
  }
  OnClick(ids::kKeyAlwaysOnTop, [this] { ToggleAlwaysOnTop(); });
  OnSideKey(ids::kKeyCnv, [this](MainWindowContext& main) { ShowConverter(main, Control(ids::kKeyCnv)); });
  OnSideKey(ids::kKeyArea, OpenAreaWindow);
  OnSideKey(ids::kKeyVol, OpenVolumeWindow);
  OnSideKey(ids::kKeyLoan, OpenLoanCalculator);
  OnSideKey(ids::kKeyTransfer, transfer::OpenTransferWindow);
  OnSideKey(ids::kKeyHelp, FocusOrOpenHelp);
  OnSideKey(ids::kKeyStart, StopwatchStartStop);
  OnSideKey(ids::kKeyLap, StopwatchLap);
  OnSideKey(ids::kKeyReset, StopwatchReset);
  Bind(WM_COMMAND, ids::kTapeList, LBN_SETFOCUS, [this](const ui::ControlEvent&) -> LRESULT {
    FocusKeySink();
    return 1;
  });
  // The tape selects nothing: the line is the one under the mouse.
  Bind(WM_COMMAND, ids::kTapeList, LBN_DBLCLK, [this](const ui::ControlEvent& event) -> LRESULT {
    const DWORD position = GetMessagePos();
    POINT point{GET_X_LPARAM(position), GET_Y_LPARAM(position)};
    ScreenToClient(event.control, &point);
    const LRESULT hit = SendMessageW(event.control, LB_ITEMFROMPOINT, 0, MAKELPARAM(point.x, point.y));
    if (HIWORD(hit) == 0) CorrectTapeLine(*this, LOWORD(hit));
    FocusKeySink();
    return 1;
  });
}

void MainWindow::OnSideKey(int id, std::function<void(MainWindowContext&)> open) {
  OnClick(id, [this, open = std::move(open)] {
    FocusKeySink();
    open(*this);
  });
}

void MainWindow::BindMenus() {
  OnCommand(IDM_EXIT, [this] { ui::CloseForm(window, 0); });
  for (int item : {IDM_SHOW_TAPE, IDM_SHOW_STATUSBAR, IDM_SHOW_STOPWATCH, IDM_KEEP_TAPE}) {
    OnCommand(item, [this, item] { ToggleView(item); });
  }
  OnDecimalCommand(IDM_DIGIT_GROUPING, [this] { engine_.ToggleDigitGrouping(); });
  OnDecimalCommand(IDM_AUTO_DECIMAL, [this] { engine_.ToggleAutoDecimal(); });
  OnDecimalCommand(IDM_FLOATING, [this] { engine_.SetDecimals(10); });
  for (int places = 0; places <= 4; ++places) {
    OnDecimalCommand(IDM_DECIMAL_0 + places, [this, places] { engine_.SetDecimals(places); });
  }
  for (ThemeChoice theme : {ThemeChoice::kSystem, ThemeChoice::kLight, ThemeChoice::kDark})
    OnCommand(ThemeMenuItem(theme), [this, theme] { ChooseTheme(theme); });
  OnCommand(IDM_SAVE_TAPE, [this] { RunSaveTape(*this); });
  OnCommand(IDM_LOAD_TAPE, [this] { RunLoadTape(*this); });
  OnCommand(IDM_PRINT_TAPE, [this] { RunPrintTape(*this); });
  OnCommand(IDM_EXPORT_TAPE, [this] { RunExportTape(*this); });
  OnCommand(IDM_CORRECT_LAST_ENTRY, [this] { CorrectLastEntry(*this); });
  OnCommand(IDM_UNDO_CORRECTION, [this] { UndoCorrection(*this); });
  OnCommand(IDM_ADD_NOTE, [this] { AskAndAddNote(); });
  OnCommand(IDM_GRAND_TOTAL, [this] { engine_.GrandTotal(); });
  OnCommand(IDM_COPY, [this] { engine_.CopyDisplay(); });
  OnCommand(IDM_COPY_TAPE, [this] { RunCopyTape(*this); });
  OnCommand(IDM_FIND, [this] { OpenFindBox(*this); });
  OnCommand(IDM_FIND_NEXT, [this] { FindOnTapeAgain(*this, true); });
  OnCommand(IDM_FIND_PREVIOUS, [this] { FindOnTapeAgain(*this, false); });
  OnCommand(IDM_PASTE, [this] { engine_.PasteDisplay(); });
  OnCommand(IDM_OPTIONS, [this] { ShowOptions(*this); });
  OnCommand(IDM_ABOUT, [this] { ShowAbout(window); });
  OnCommand(IDM_HELP_TOPICS, [this] { ReopenHelp(*this, HelpTopicId::Overview); });
  OnCommand(IDM_KEYBOARD_EQUIVALENTS, [this] { ReopenHelp(*this, HelpTopicId::KeyboardEquivalents); });
}

void MainWindow::RunWindowCommand(MenuCommand command) {
  if (const UINT item = MenuItemOf(command)) PostMessageW(window, WM_COMMAND, MAKEWPARAM(item, 0), 0);
}

bool MainWindow::IsFindOpen() { return IsFindBoxOpen(*this); }

void MainWindow::OnDecimalCommand(int menuId, std::function<void()> action) {
  OnCommand(menuId, [this, action = std::move(action)] {
    if (engine_.state().IsDecimal()) action();
  });
}

}  // namespace tallix
