// The main window: creation, start-up settings, layout and the messages it
// handles itself (its keys and menu items are bound in command_bindings.cpp).
#include "app/main_window/main_window.h"

#include <windows.h>
// After windows.h, which it needs.
#include <commctrl.h>

#include <chrono>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "app/main_window/control_ids.h"
#include "app/main_window/control_table.h"
#include "app/main_window/layout.h"
#include "app/main_window/main_window_impl.h"
#include "app/main_window/menu_shortcuts.h"
#include "app/main_window/status_texts.h"
#include "app/main_window/stopwatch_bar.h"
#include "app/main_window/tape_restore.h"
#include "app/settings/main_settings.h"
#include "app/settings/settings_io.h"
#include "app/tape/tape_journal.h"
#include "engine/settings_keys.h"
#include "engine/tape_note.h"
#include "resources/resource_ids.h"
#include "side_window/wide_text.h"
#include "ui/accessible_name.h"
#include "ui/caption_colors.h"
#include "ui/control_helpers.h"
#include "ui/dark_theme.h"
#include "ui/exports.h"
#include "ui/form.h"
#include "ui/input_box.h"
#include "ui/scaling.h"
#include "ui/utf8_text.h"

namespace tallix {
namespace {

// Often enough for the journal to write a calculation soon after its gap.
constexpr UINT kJournalTimerMs = static_cast<UINT>(kCalculationFlushGap.count() / 5);
// Posted at start-up when Tallix.ini is too large to be rewritten.
constexpr UINT kShowSettingsTooLarge = WM_APP + 1;
// Posted at start-up: the tape journal is taken up once the window is shown,
// as restoring a long tape shows its progress.
constexpr UINT kStartTapeJournal = WM_APP + 2;
// Posted by the note key: the box is shown once the key has been handled, so
// that the note goes into the record as an operation of its own.
constexpr UINT kAskForNote = WM_APP + 3;
// Shows the journal's first notice not yet shown.
constexpr UINT kShowJournalNotice = WM_APP + 12;
// Posted by a keystroke that stands for one of the window's own keys (wParam:
// the Key), which is then clicked once the keystroke is handled.
constexpr UINT kPressWindowKey = WM_APP + 4;

struct OwnedTooltips {
  HWND owner;
  std::vector<HWND> found;
};

BOOL CALLBACK CollectOwnedTooltip(HWND candidate, LPARAM data) {
  auto* tooltips = reinterpret_cast<OwnedTooltips*>(data);
  wchar_t className[32] = {};
  GetClassNameW(candidate, className, 32);
  if (GetWindow(candidate, GW_OWNER) == tooltips->owner && lstrcmpiW(className, TOOLTIPS_CLASSW) == 0) {
    tooltips->found.push_back(candidate);
  }
  return TRUE;
}

// The one main window of the process. A window created after the previous one
// was destroyed gets a fresh object.
std::unique_ptr<MainWindow> mainForm;

}  // namespace

MainWindowContext* CreateMainWindow(const std::string& settingsPath) {
  if (mainForm && mainForm->window) return nullptr;
  mainForm = std::make_unique<MainWindow>(settingsPath);
  const INT_PTR created = ui::ShowForm(*mainForm, nullptr, false);
  if (created == -1 || created == 0) return nullptr;
  return mainForm.get();
}

int ShowMainWindow() {
  const std::string settingsPath = SettingsPathFor(ExecutableFilePath());
  if (!CreateMainWindow(settingsPath)) return 1;
  return ui::RunMessageLoop();
}

MainWindow::MainWindow(std::string settingsPath) : settings_(std::move(settingsPath)), engine_(*this, settings_) {
  name = L"FORM1";
  caption = L"Tallix";
  style = WS_POPUP | WS_CAPTION | WS_SYSMENU | WS_MINIMIZEBOX | WS_CLIPCHILDREN | WS_CLIPSIBLINGS | WS_VISIBLE;
  // The design's outer size; the layout then sets the client area it needs.
  width = 513;
  height = 344;
  menuName = L"FORM1_TOPMENU";
  const auto rows = MainWindowControls();
  controls.assign(rows.begin(), rows.end());
  BindKeys();
  BindMenus();
}

MainWindow::~MainWindow() = default;

void MainWindow::ShowJournalNotice(const std::string& text) {
  journalNotices_.push_back(text);
  PostMessageW(window, kShowJournalNotice, 0, 0);
}

bool MainWindow::OnMessage(HWND form, UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result) {
  switch (message) {
    case WM_TIMER:
      if (wParam == ids::kTimerDate) RefreshDatePane();
      if (wParam == ids::kTimerStopwatch) StopwatchTick(*this);
      if (wParam == ids::kTimerJournal && journal_) journal_->FlushIfDue(std::chrono::steady_clock::now());
      result = 0;
      return true;
    case WM_MEASUREITEM: {
      auto* item = reinterpret_cast<MEASUREITEMSTRUCT*>(lParam);
      if (!item || item->CtlID != static_cast<UINT>(ids::kTapeList)) return false;
      item->itemHeight = static_cast<UINT>(ui::Scaled(form, kTapeLineHeight));
      result = TRUE;
      return true;
    }
    case WM_DRAWITEM: {
      const auto* item = reinterpret_cast<const DRAWITEMSTRUCT*>(lParam);
      if (!item || item->CtlID != static_cast<UINT>(ids::kTapeList)) return false;
      DrawTapeItem(*item);
      result = TRUE;
      return true;
    }
    case WM_INITMENUPOPUP:
      // However the switch changed (Options, a restored tape), the menu shows it as it stands.
      ShowGrandTotalItem(menu_, engine_.state().grandTotalOn);
      ShowFindItems(menu_, IsFindOpen());
      return false;
    case WM_SETCURSOR:
      if (reinterpret_cast<HWND>(wParam) == Control(ids::kTapeList)) tapeTip_.Follow(HIWORD(lParam));
      return false;  // the list's own cursor
    case WM_SETFOCUS:
      FocusKeySink();
      result = 0;
      return true;
    case WM_CTLCOLORLISTBOX:
      if (reinterpret_cast<HWND>(lParam) != Control(ids::kTapeList)) return false;
      result =
          reinterpret_cast<LRESULT>(ui::DarkOn() ? ui::PaletteBrush(ui::Dark().field) : GetSysColorBrush(COLOR_WINDOW));
      return true;
    case kStartTapeJournal: {
      JournalStart start = RestoreOrStartJournal(*this);
      journal_ = std::move(start.journal);
      for (const std::string& text : start.messages) ShowJournalNotice(text);
      if (journal_) journal_->SetNotice([this](const std::string& text) { ShowJournalNotice(text); });
      result = 0;
      return true;
    }
    case kShowJournalNotice: {
      if (journalNotices_.empty()) return true;
      const std::wstring text = ui::ShownText(journalNotices_.front());
      journalNotices_.erase(journalNotices_.begin());
      MessageBoxW(form, text.c_str(), L"Tallix", MB_OK | MB_ICONWARNING);
      result = 0;
      return true;
    }
    case kPressWindowKey: {
      HWND key = wParam < keyButtons_.size() ? keyButtons_[wParam] : nullptr;
      if (key && IsWindowEnabled(key)) SendMessageW(key, BM_CLICK, 0, 0);
      result = 0;
      return true;
    }
    case kAskForNote:
      AskAndAddNote();
      result = 0;
      return true;
    case kShowSettingsTooLarge:
      MessageBoxW(form, ui::ShownText(SettingsFileTooLargeMessage(settings_.path())).c_str(), L"Tallix",
                  MB_OK | MB_ICONWARNING);
      result = 0;
      return true;
    case WM_DESTROY: OnDestroy(); return false;  // the framework releases the form's records
    default: return false;
  }
}

LRESULT MainWindow::OnCreate(HWND form, LPARAM) {
  menu_ = GetMenu(form);
  ShowMenuShortcuts(menu_);
  for (const ui::ControlSpec& row : MainWindowControls()) {
    if (const std::optional<Key> key = KeyOfControl(row.id)) keyButtons_[static_cast<int>(*key)] = Control(row.id);
  }
  // The key sink keeps the focus while the user types: it reads as the display.
  ui::SetAccessibleValueSource(Control(ids::kKeySink), Control(ids::kDisplay));
  tapeTip_.Create(form, Control(ids::kTapeList));
  LoadSettings();
  SetTimer(form, ids::kTimerStopwatch, 50, nullptr);
  SetTimer(form, ids::kTimerDate, 60000, nullptr);
  SetTimer(form, ids::kTimerJournal, kJournalTimerMs, nullptr);
  return 0;
}

void MainWindow::OnDpiChanged(HWND form, int dpi) {
  SendMessageW(Control(ids::kTapeList), LB_SETITEMHEIGHT, 0, ui::ScaleToDpi(kTapeLineHeight, dpi));
  ShowNewestTapeLine();
}

void MainWindow::OnDestroy() {
  KillTimer(window, ids::kTimerStopwatch);
  KillTimer(window, ids::kTimerDate);
  KillTimer(window, ids::kTimerJournal);
  EndJournal(*this, std::move(journal_));
  // Emptied while the form's record still answers: a list box being
  // destroyed tells its owner of every line it drops, and with the record
  // gone each of those messages costs a look-up in the window server (a
  // million-line tape took a minute to close under Wine).
  ClearTapeLines();
  PostQuitMessage(0);
}

void MainWindow::LoadSettings() {
  RefreshDatePane();
  engine_.UpdateNumLock();

  // Read, normalised and written back in memory, then replaced in one go:
  // key by key, the file would be read and parsed some thirty times.
  // A writer killed mid-write leaves a temporary copy of the whole file.
  RemoveStaleTemporariesWithJournals(settings_.path());
  IniSettingsBatch startup(settings_.path());
  const MainSettings loaded = LoadMainSettings(startup);
  startup.Commit();
  // Said once the window is up, not in the middle of creating it.
  if (startup.fileTooLarge()) PostMessageW(window, kShowSettingsTooLarge, 0, 0);
  for (int group = 1; group <= 3; ++group) {
    ui::SetCaptionGroupColor(group, static_cast<COLORREF>(loaded.groupColors[group - 1]));
  }
  view_ = {.layout = {loaded.showTape, loaded.showStatusBar, loaded.showStopWatch},
           .decimalSetting = loaded.engine.decimalSetting,
           .digitGrouping = loaded.engine.digitGrouping,
           .autoDecimal = loaded.engine.autoDecimal,
           .keepTape = settings_.Read(main_keys::kSection, main_keys::kKeepTape, "0") == "1",
           .theme = ThemeChoiceFromText(settings_.Read(main_keys::kSection, main_keys::kTheme, ""))};
  ui::SetThemeChoice(view_.theme);
  ApplyLayout();
  if (loaded.engine.laptopKeys) ShowLaptopLabel(true);
  if (loaded.topMost == 1) SetAlwaysOnTop(true);
  for (const TooltipSpec& tip : MainWindowTooltips()) ui::AddTooltip(Control(tip.id), tip.text);
  engine_.Start(loaded.engine);
  ShowGrandTotalItem(menu_, loaded.engine.grandTotalOn);
  PostMessageW(window, kStartTapeJournal, 0, 0);
}

void MainWindow::ApplyLayout() {
  const LayoutPlan plan = PlanLayout(view_.layout);
  DrawMenuChecks();

  const int stopwatchShow = plan.stopwatchShown ? SW_SHOW : SW_HIDE;
  for (int id : {ids::kKeyStart, ids::kKeyLap, ids::kKeyReset, ids::kTimeDisplay}) {
    ShowWindow(Control(id), stopwatchShow);
  }

  ui::ResizeControlTo(Control(ids::kTapeList), plan.tapeListWidth, plan.tapeListHeight);
  ShowWindow(Control(ids::kTapeList), plan.tapeShown ? SW_SHOW : SW_HIDE);
  ShowNewestTapeLine();
  for (const PanePlace& pane : plan.panes)
    ui::PlaceControl(Control(pane.id), {pane.x, pane.y, pane.width, pane.height});
  ui::MoveControlTo(Control(ids::kSeparatorLine), 0, plan.barTop);
  ui::SetFormClientSize(window, plan.clientWidth, plan.clientHeight);
}

void MainWindow::AskForNote() { PostMessageW(window, kAskForNote, 0, 0); }

void MainWindow::PressWindowKey(Key key) { PostMessageW(window, kPressWindowKey, static_cast<WPARAM>(key), 0); }

void MainWindow::AskAndAddNote() {
  const std::wstring text =
      ui::InputBox(window, L"Note for the tape (up to 60 characters):", L"Add Note", L"",
                   [](const std::wstring& typed) { return ui::ShownText(NoteRefusal(file_io::Utf8FromWide(typed))); });
  if (!text.empty()) engine_.AddNote(Cp1252FromWide(text));
  FocusKeySink();
}

void MainWindow::ToggleView(int menuId) {
  const auto [key, value] = Toggle(view_, menuId);
  settings_.Write(main_keys::kSection, key, value);
  ApplyLayout();
}

void MainWindow::ChooseTheme(ThemeChoice theme) {
  view_.theme = theme;
  settings_.Write(main_keys::kSection, main_keys::kTheme, ThemeChoiceText(theme));
  DrawMenuChecks();
  ui::SetThemeChoice(theme);
}

void MainWindow::DrawMenuChecks() {
  for (const auto& [item, checked] : MenuChecks(view_)) {
    CheckMenuItem(menu_, item, MF_BYCOMMAND | (checked ? MF_CHECKED : MF_UNCHECKED));
  }
}

void MainWindow::ToggleAlwaysOnTop() {
  SetAlwaysOnTop(!topMost_);
  settings_.Write(main_keys::kSection, main_keys::kTopMost, topMost_ ? "1" : "0");
  FocusKeySink();
}

void MainWindow::SetAlwaysOnTop(bool on) {
  if (!window) return;
  topMost_ = on;
  // Wine leaves a window out of the topmost band while it owns a popup such
  // as its tooltip window; the tooltips, topmost themselves, are let go for
  // the move. Owned side windows are not: they must rise with the window.
  OwnedTooltips tooltips{window, {}};
  if (on) EnumThreadWindows(GetCurrentThreadId(), CollectOwnedTooltip, reinterpret_cast<LPARAM>(&tooltips));
  for (HWND tip : tooltips.found) SetWindowLongPtrW(tip, GWLP_HWNDPARENT, 0);
  SetWindowPos(window, on ? HWND_TOPMOST : HWND_NOTOPMOST, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
  for (HWND tip : tooltips.found) SetWindowLongPtrW(tip, GWLP_HWNDPARENT, reinterpret_cast<LONG_PTR>(window));
  // The key shows the setting, however it was changed.
  TB_XPBUTTON_SETTOGGLESTATE(Control(ids::kKeyAlwaysOnTop), on ? 1 : 0, TRUE);
}

void MainWindow::ShowLaptopLabel(bool shown) { ShowWindow(Control(ids::kLaptopLabel), shown ? SW_SHOW : SW_HIDE); }

void MainWindow::RefreshDatePane() {
  SYSTEMTIME now{};
  GetLocalTime(&now);
  SetControlText(ids::kDatePane, DatePaneText(now.wYear, now.wMonth, now.wDay));
}

}  // namespace tallix
