// The main window: creation, start-up settings, layout and command routing.
#include "app/main_window/main_window.h"

#include <windows.h>
// After windows.h, which it needs.
#include <commctrl.h>

#include <memory>
#include <string>
#include <vector>

#include "app/main_window/control_ids.h"
#include "app/main_window/control_table.h"
#include "app/main_window/layout.h"
#include "app/main_window/main_window_impl.h"
#include "app/main_window/side_windows.h"
#include "app/main_window/status_texts.h"
#include "app/main_window/wide_text.h"
#include "app/settings/main_settings.h"
#include "app/settings/settings_io.h"
#include "engine/settings_keys.h"
#include "resources/resource_ids.h"
#include "ui/caption_colors.h"
#include "ui/control_helpers.h"
#include "ui/exports.h"
#include "ui/fire_lines.h"
#include "ui/font_spec.h"
#include "ui/form.h"
#include "ui/xp_button.h"

namespace tallix {
namespace {

HWND g_mainWindow = nullptr;

constexpr DWORD kWindowStyle =
    WS_POPUP | WS_CAPTION | WS_SYSMENU | WS_MINIMIZEBOX | WS_CLIPCHILDREN | WS_CLIPSIBLINGS | WS_VISIBLE;
constexpr DWORD kWindowExStyle = WS_EX_CONTROLPARENT | WS_EX_WINDOWEDGE;

std::wstring WideFont(const char* spec) { return std::wstring(spec, spec + std::char_traits<char>::length(spec)); }

HINSTANCE Instance() { return GetModuleHandleW(nullptr); }

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
std::unique_ptr<MainWindow> g_mainForm;

}  // namespace

HWND MainWindowHandle() { return g_mainWindow; }

namespace {
MainWindow* LiveMainForm() { return g_mainWindow ? g_mainForm.get() : nullptr; }
}  // namespace

Engine* MainWindowEngine() { return LiveMainForm() ? &LiveMainForm()->engine() : nullptr; }
std::string MainSettingsPath() { return LiveMainForm() ? LiveMainForm()->settingsPath() : std::string(); }
bool IsAlwaysOnTop() { return LiveMainForm() && LiveMainForm()->alwaysOnTop(); }
void SetAlwaysOnTop(bool on) {
  if (MainWindow* form = LiveMainForm()) form->SetAlwaysOnTop(on);
}
void ShowLaptopLabel(bool shown) {
  if (MainWindow* form = LiveMainForm()) form->ShowLaptopLabel(shown);
}

HWND CreateMainWindow(const std::string& settingsPath) {
  if (g_mainWindow) return nullptr;
  g_mainForm = std::make_unique<MainWindow>(settingsPath);
  const INT_PTR created = ui::ShowForm(*g_mainForm, nullptr, false);
  if (created == -1 || created == 0) return nullptr;
  return reinterpret_cast<HWND>(created);
}

int ShowMainWindow() {
  const std::string settingsPath = SettingsPathFor(ExecutableFilePath());
  if (!CreateMainWindow(settingsPath)) return 1;
  return ui::RunMessageLoop();
}

MainWindow::MainWindow(std::string settingsPath) : settings_(std::move(settingsPath)), engine_(*this, settings_) {
  name = L"FORM1";
  caption = L"Tallix";
  style = kWindowStyle;
  exStyle = kWindowExStyle;
  // The design's outer size; the layout then sets the client area it needs.
  width = 513;
  height = 344;
  iconName = L"IMAGE_CALCULATOR3";
  menuName = L"FORM1_TOPMENU";
}

MainWindow::~MainWindow() = default;

bool MainWindow::OnMessage(HWND form, UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result) {
  switch (message) {
    case WM_TIMER:
      if (wParam == ids::kTimerDate) RefreshDatePane();
      if (wParam == ids::kTimerStopwatch) side::StopwatchTick(form);
      result = 0;
      return true;
    case WM_DRAWITEM: {
      const auto* item = reinterpret_cast<const DRAWITEMSTRUCT*>(lParam);
      if (!item || item->CtlID != static_cast<UINT>(ids::kTapeList)) return false;
      DrawTapeItem(*item);
      result = TRUE;
      return true;
    }
    case WM_SETFOCUS:
      FocusKeySink();
      result = 0;
      return true;
    case WM_CTLCOLORLISTBOX:
      if (reinterpret_cast<HWND>(lParam) != Control(ids::kTapeList)) return false;
      result = reinterpret_cast<LRESULT>(GetSysColorBrush(COLOR_WINDOW));
      return true;
    case WM_DESTROY: OnDestroy(); return false;  // the framework releases the form's records
    default: return false;
  }
}

void MainWindow::CreateControls(HWND form) {
  window_ = form;
  g_mainWindow = form;
  menu_ = GetMenu(form);
  for (const ControlSpec& spec : MainWindowControls()) {
    HWND control = CreateControl(spec);
    if (!control) continue;
    SetUpControl(control, spec);
    if (spec.key) keyButtons_[static_cast<int>(*spec.key)] = control;
  }
}

LRESULT MainWindow::OnCreate(HWND form, LPARAM) {
  LoadSettings();
  SetTimer(form, ids::kTimerStopwatch, 50, nullptr);
  SetTimer(form, ids::kTimerDate, 60000, nullptr);
  return 0;
}

void MainWindow::OnDestroy() {
  KillTimer(window_, ids::kTimerStopwatch);
  KillTimer(window_, ids::kTimerDate);
  if (g_mainWindow == window_) g_mainWindow = nullptr;
  PostQuitMessage(0);
}

void MainWindow::SetUpControl(HWND control, const ControlSpec& spec) {
  ui::ControlProperties properties;
  const std::wstring font = WideFont(spec.font);
  properties.fontSpec = font.c_str();
  if (spec.kind == ControlKind::KeySink || spec.kind == ControlKind::Display) {
    properties.subclassProc = KeySinkProcedure;
  }
  if (spec.kind == ControlKind::Display) {
    // Read-only, yet a display rather than a disabled field.
    properties.ownColors = true;
    properties.textIsSystem = true;
    properties.backIsSystem = true;
    properties.textColor = COLOR_WINDOWTEXT;
    properties.backColor = COLOR_WINDOW;
  }
  ui::SetControlProperties(control, properties);
  if (spec.kind == ControlKind::KeySink || spec.kind == ControlKind::Display) {
    // After the font: a new font gives a multi-line edit its default margins again.
    SendMessageW(control, EM_SETMARGINS, EC_LEFTMARGIN | EC_RIGHTMARGIN, 0);
  }
  ui::SetTagProperty(control, L"");
  ui::SetTagProperty2(control, L"");
}

HWND MainWindow::CreateControl(const ControlSpec& spec) {
  const std::wstring caption = Wide(spec.caption);
  DWORD style = WS_CHILD | WS_VISIBLE;
  DWORD exStyle = 0;
  const wchar_t* className = L"STATIC";
  if (spec.flags & kStartsHidden) style &= ~WS_VISIBLE;
  if (spec.flags & kStartsDisabled) style |= WS_DISABLED;
  switch (spec.kind) {
    case ControlKind::Pane:
      style |= SS_NOPREFIX | ((spec.flags & kCentredText) ? SS_CENTER : SS_LEFT);
      exStyle = WS_EX_STATICEDGE;
      break;
    case ControlKind::Label: style |= SS_NOPREFIX; break;
    case ControlKind::TimeDisplay: style |= SS_NOPREFIX | SS_CENTER | WS_BORDER; break;
    case ControlKind::KeySink:
      // Never shown: it only holds the focus so that every key press reaches the keyboard mapping.
      className = L"EDIT";
      style = WS_CHILD | ES_MULTILINE | ES_READONLY;
      break;
    case ControlKind::Display:
      className = L"EDIT";
      // WS_GROUP ends the option buttons' group just before it; without an end,
      // checking an option walks every key of the window looking for one.
      style |= ES_RIGHT | ES_READONLY | ES_AUTOHSCROLL | WS_GROUP;
      exStyle = WS_EX_CLIENTEDGE;
      break;
    case ControlKind::OptionButton:
      className = L"BUTTON";
      style |= BS_AUTORADIOBUTTON | WS_TABSTOP | (spec.id == ids::kOptionDec ? WS_GROUP : 0);
      break;
    case ControlKind::GroupBox:
      className = L"BUTTON";
      // The frame's top edge runs under the display's bottom border: clipping
      // its siblings keeps it from painting over the display.
      style |= BS_GROUPBOX | WS_CLIPSIBLINGS;
      // A group box paints no interior: transparent, it lets the window paint the face colour behind the options.
      exStyle = WS_EX_TRANSPARENT;
      break;
    case ControlKind::TapeList:
      className = L"LISTBOX";
      style |= LBS_OWNERDRAWFIXED | LBS_HASSTRINGS | LBS_NOSEL | LBS_NOTIFY | LBS_NOINTEGRALHEIGHT | WS_VSCROLL |
               LBS_DISABLENOSCROLL;
      exStyle = WS_EX_CLIENTEDGE;
      break;
    case ControlKind::SeparatorLine: {
      HWND line = FIRELINES(window_, spec.id, spec.x, spec.y, spec.width, spec.height, 0, 0);
      if (line) {
        SendMessageW(line, ui::kFlSetBackColor, RGB(236, 233, 216), FALSE);
        SendMessageW(line, ui::kFlSetFilled, 1, FALSE);
        SendMessageW(line, ui::kFlSetShape, 1, FALSE);
        SendMessageW(line, ui::kFlSetPenColor, RGB(128, 128, 128), FALSE);
        SendMessageW(line, ui::kFlSetOrientation, 0, FALSE);
        SendMessageW(line, ui::kFlSetPenStyle, 0, FALSE);
        SendMessageW(line, ui::kFlSetPenWidth, 1, FALSE);
        SendMessageW(line, ui::kFlSetRounding, 0, TRUE);
      }
      return line;
    }
    case ControlKind::Key: {
      const DWORD keyExStyle = (spec.flags & kNotTransparent) ? 0 : WS_EX_TRANSPARENT;
      HWND key = CREATEXPBUTTON(window_, spec.id, caption.c_str(), spec.x, spec.y, spec.width, spec.height, style,
                                keyExStyle, 0);
      if (!key) return nullptr;
      if (spec.flags & kToggleKey) TB_XPBUTTON_SETTOGGLEMODE(key, 1, FALSE);
      if (spec.id == ids::kKeyTransfer) {
        // Handed over with keep 0: the button deletes the icon with itself.
        HANDLE icon = LoadImageW(Instance(), L"IMAGE_GENERAL", IMAGE_ICON, 16, 16, LR_DEFAULTCOLOR);
        if (icon) TB_XPBUTTON_SETIMAGE(key, icon, 1, 1, FALSE, FALSE);
        TB_XPBUTTON_SETIMAGEPOS(key, ui::kImageCenter | ui::kImageVCenter, FALSE);
        TB_XPBUTTON_SETIMAGEMARGIN(key, 4, FALSE);
        TB_XPBUTTON_SETTEXTMARGIN(key, 4, TRUE);
      }
      return key;
    }
  }
  HWND control = CreateWindowExW(exStyle, className, caption.c_str(), style, spec.x, spec.y, spec.width, spec.height,
                                 window_, reinterpret_cast<HMENU>(static_cast<INT_PTR>(spec.id)), Instance(), nullptr);
  if (!control) return nullptr;
  if (spec.kind == ControlKind::KeySink || spec.kind == ControlKind::Display) {
    SendMessageW(control, EM_SETLIMITTEXT, 0, 0);
  }
  return control;
}

void MainWindow::AddTooltips() {
  for (const TooltipSpec& tip : MainWindowTooltips()) ui::AddTooltip(Control(tip.id), Wide(tip.text));
}

void MainWindow::LoadSettings() {
  RefreshDatePane();
  engine_.UpdateNumLock();

  // Read, normalised and written back in memory, then replaced in one go:
  // key by key, the file would be read and parsed some thirty times.
  IniSettingsBatch startup(settings_.path());
  const MainSettings loaded = LoadMainSettings(startup);
  startup.Commit();
  for (int group = 1; group <= 3; ++group) {
    ui::SetCaptionGroupColor(group, static_cast<COLORREF>(loaded.groupColors[group - 1]));
  }
  // The show flags were read and written back with the rest just now.
  ApplyLayout(LayoutFlags{loaded.showTape, loaded.showStatusBar, loaded.showStopWatch});
  CheckDigitGroupingMenuItem(loaded.engine.digitGrouping);
  CheckDecimalsMenuItem(loaded.engine.decimalSetting);
  CheckAutoDecimalMenuItem(loaded.engine.autoDecimal);
  if (loaded.engine.laptopKeys) ShowLaptopLabel(true);
  if (loaded.topMost == 1) SetAlwaysOnTop(true);
  AddTooltips();
  engine_.Start(loaded.engine);
}

void MainWindow::ApplyLayout() {
  LayoutFlags flags;
  flags.showTape = ReadShowFlag(settings_, main_keys::kShowTape);
  flags.showStatusBar = ReadShowFlag(settings_, main_keys::kShowStatusBar);
  flags.showStopWatch = ReadShowFlag(settings_, main_keys::kShowStopWatch);
  ApplyLayout(flags);
}

void MainWindow::ApplyLayout(const LayoutFlags& flags) {
  const LayoutPlan plan = PlanLayout(flags);

  const int stopwatchShow = plan.stopwatchShown ? SW_SHOW : SW_HIDE;
  for (int id : {ids::kKeyStart, ids::kKeyLap, ids::kKeyReset, ids::kTimeDisplay}) {
    ShowWindow(Control(id), stopwatchShow);
  }
  if (plan.stopwatchShown) CheckMenuItem(menu_, IDM_SHOW_STOPWATCH, MF_BYCOMMAND | MF_CHECKED);
  if (plan.statusBarShown) CheckMenuItem(menu_, IDM_SHOW_STATUSBAR, MF_BYCOMMAND | MF_CHECKED);
  if (plan.tapeShown) CheckMenuItem(menu_, IDM_SHOW_TAPE, MF_BYCOMMAND | MF_CHECKED);

  constexpr UINT kPlace = SWP_NOZORDER | SWP_NOACTIVATE;
  SetWindowPos(Control(ids::kTapeList), nullptr, 0, 0, plan.tapeListWidth, plan.tapeListHeight, kPlace | SWP_NOMOVE);
  ShowWindow(Control(ids::kTapeList), plan.tapeShown ? SW_SHOW : SW_HIDE);
  const std::pair<int, PanePlace> panes[] = {{ids::kMemoryPane, plan.memoryPane},
                                             {ids::kAveragePane, plan.averagePane},
                                             {ids::kItemsPane, plan.itemsPane},
                                             {ids::kDatePane, plan.datePane},
                                             {ids::kNumLockPane, plan.numLockPane}};
  for (const auto& [id, place] : panes) {
    SetWindowPos(Control(id), nullptr, place.x, place.y, place.width, place.height, kPlace);
  }
  SetWindowPos(Control(ids::kSeparatorLine), nullptr, plan.separatorX, plan.separatorY, 0, 0, kPlace | SWP_NOSIZE);
  ui::SetClientSize(window_, plan.clientWidth, plan.clientHeight);
}

LRESULT MainWindow::OnControlEvent(const ui::ControlEvent& event) {
  if (event.message != WM_COMMAND) return 0;
  OnCommand(event.id, event.code);
  return 1;
}

void MainWindow::OnCommand(int id, int code) {
  if (RouteCommand(id)) return;
  if (id == ids::kTapeList) {
    if (code == LBN_SETFOCUS) FocusKeySink();
    return;
  }
  const ControlSpec* spec = FindControl(id);
  if (!spec || !spec->key || code != BN_CLICKED) return;
  RunKey(*spec->key);
}

bool MainWindow::RouteCommand(int id) {
  if (const ControlSpec* spec = FindControl(id); spec && spec->key && DigitValue(*spec->key)) {
    engine_.PressKey(*spec->key);
    return true;
  }
  const bool decimal = engine_.state().IsDecimal();
  switch (id) {
    case IDM_EXIT: ui::CloseForm(window_, 0); return true;
    case IDM_SHOW_TAPE: ToggleShowSetting(id, main_keys::kShowTape); return true;
    case IDM_SHOW_STATUSBAR: ToggleShowSetting(id, main_keys::kShowStatusBar); return true;
    case IDM_SHOW_STOPWATCH: ToggleShowSetting(id, main_keys::kShowStopWatch); return true;
    case IDM_DIGIT_GROUPING:
      if (decimal) engine_.ToggleDigitGrouping();
      return true;
    case IDM_AUTO_DECIMAL:
      if (decimal) engine_.ToggleAutoDecimal();
      return true;
    case IDM_FLOATING:
      if (decimal) engine_.SetDecimals(10);
      return true;
    case IDM_DECIMAL_0:
    case IDM_DECIMAL_1:
    case IDM_DECIMAL_2:
    case IDM_DECIMAL_3:
    case IDM_DECIMAL_4:
      if (decimal) engine_.SetDecimals(id - IDM_DECIMAL_0);
      return true;
    case IDM_SAVE_TAPE: side::SaveTape(window_); return true;
    case IDM_LOAD_TAPE: side::LoadTape(window_); return true;
    case IDM_PRINT_TAPE: side::PrintTape(window_); return true;
    case IDM_COPY: engine_.CopyDisplay(); return true;
    case IDM_PASTE: engine_.PasteDisplay(); return true;
    case IDM_OPTIONS: side::OpenOptions(window_); return true;
    case IDM_ABOUT: side::OpenAbout(window_); return true;
    case IDM_HELP_TOPICS: side::ReopenHelpAt(window_, 0); return true;
    case IDM_KEYBOARD_EQUIVALENTS: side::ReopenHelpAt(window_, 500); return true;
    default: return false;
  }
}

void MainWindow::RunKey(Key key) {
  if (engine_.PressKey(key)) return;
  // The side windows take the focus themselves when they open or are already open.
  FocusKeySink();
  switch (key) {
    case Key::AlwaysOnTop: ToggleAlwaysOnTop(); break;
    case Key::Convert: side::OpenConverter(window_); break;
    case Key::Area: side::OpenAreaCalculator(window_); break;
    case Key::Volume: side::OpenVolumeCalculator(window_); break;
    case Key::Loan: side::OpenLoanWindow(window_); break;
    case Key::Transfer: side::OpenTransferTest(window_); break;
    case Key::Help: side::ShowHelp(window_); break;
    case Key::Start: side::StopwatchStartStop(window_); break;
    case Key::Lap: side::StopwatchLap(window_); break;
    case Key::Reset: side::StopwatchReset(window_); break;
    default: break;
  }
}

void MainWindow::ToggleShowSetting(int menuId, std::string_view key) {
  const bool checked = (GetMenuState(menu_, menuId, MF_BYCOMMAND) & MF_CHECKED) != 0;
  CheckMenuItem(menu_, menuId, MF_BYCOMMAND | (checked ? MF_UNCHECKED : MF_CHECKED));
  settings_.Write(main_keys::kSection, key, checked ? "0" : "1");
  ApplyLayout();
}

void MainWindow::ToggleAlwaysOnTop() {
  SetAlwaysOnTop(!topMost_);
  settings_.Write(main_keys::kSection, main_keys::kTopMost, topMost_ ? "1" : "0");
  FocusKeySink();
}

void MainWindow::SetAlwaysOnTop(bool on) {
  topMost_ = on;
  // Wine leaves a window out of the topmost band while it owns a popup such
  // as its tooltip window; the tooltips, topmost themselves, are let go for
  // the move. Owned side windows are not: they must rise with the window.
  OwnedTooltips tooltips{window_, {}};
  if (on) EnumThreadWindows(GetCurrentThreadId(), CollectOwnedTooltip, reinterpret_cast<LPARAM>(&tooltips));
  for (HWND tip : tooltips.found) SetWindowLongPtrW(tip, GWLP_HWNDPARENT, 0);
  SetWindowPos(window_, on ? HWND_TOPMOST : HWND_NOTOPMOST, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
  for (HWND tip : tooltips.found) SetWindowLongPtrW(tip, GWLP_HWNDPARENT, reinterpret_cast<LONG_PTR>(window_));
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
