// Opens every window of Tallix in this process and writes down where each
// control is, how large each client area is, the height of each font and
// whether each caption fits its control; then compares such records made at
// two DPIs. run_dpi_layouts.sh runs it in a prefix set to 96, 120, 144 and
// 192 DPI.
//
//   dpi_layout_probe record FILE [SHOTS_FOLDER] [--switch-to DPI]
//   dpi_layout_probe compare DESIGN_RECORD RECORD
//
// --switch-to sends each window a WM_DPICHANGED to DPI before it is measured,
// as a move to a screen of that scale would.
#include <windows.h>
// After windows.h, which it needs.
#include <commctrl.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <functional>
#include <map>
#include <set>
#include <sstream>
#include <string>
#include <vector>

#include "app/main_window/control_ids.h"
#include "app/main_window/main_window.h"
#include "resources/resource_ids.h"
#include "tests/ui/ui_test_support.h"
#include "tools/transfer/transfer_options_window.h"
#include "ui/control_helpers.h"
#include "ui/gdi_scope.h"
#include "ui/input_box.h"
#include "ui/scaling.h"
#include "ui/xp_button.h"

namespace tallix {
namespace {

using ui::ScopedSelect;
using ui::test::Photograph;
using ui::test::Pump;

std::string Narrow(const std::wstring& text) {
  std::string out;
  for (wchar_t c : text) out += c < 128 && c > ' ' ? static_cast<char>(c) : '_';
  return out.empty() ? "_" : out;
}

std::wstring ClassOf(HWND window) {
  wchar_t name[64] = {};
  GetClassNameW(window, name, 64);
  return name;
}

HFONT FontOf(HWND control) {
  if (auto info = ui::GetXPButtonInfo(control)) return info->font;
  return reinterpret_cast<HFONT>(SendMessageW(control, WM_GETFONT, 0, 0));
}

// The height of the font's cells as drawn (negative): a bitmap face asked for
// a height it does not have draws at one it has.
int FontHeight(HWND control, HFONT font) {
  if (!font) return 0;
  HDC dc = GetDC(control);
  HGDIOBJ previous = SelectObject(dc, font);
  TEXTMETRICW metrics{};
  GetTextMetricsW(dc, &metrics);
  SelectObject(dc, previous);
  ReleaseDC(control, dc);
  return -metrics.tmHeight;
}

// Room a caption has beside what the control draws itself: the box of a
// check box or option button, the line of a group box.
int CaptionRoom(HWND control, int width, int dpi) {
  const std::wstring name = ClassOf(control);
  const DWORD style = GetWindowLongW(control, GWL_STYLE);
  if (lstrcmpiW(name.c_str(), L"Button") != 0) return width;
  switch (style & BS_TYPEMASK) {
    case BS_CHECKBOX:
    case BS_AUTOCHECKBOX:
    case BS_RADIOBUTTON:
    case BS_AUTORADIOBUTTON: return width - ui::ScaleToDpi(16, dpi);
    case BS_GROUPBOX: return width - ui::ScaleToDpi(12, dpi);
    default: return width;
  }
}

bool HasCaption(HWND control) {
  const std::wstring name = ClassOf(control);
  const DWORD style = GetWindowLongW(control, GWL_STYLE);
  if (lstrcmpiW(name.c_str(), L"Static") == 0) {
    const DWORD type = style & SS_TYPEMASK;
    return type == SS_LEFT || type == SS_CENTER || type == SS_RIGHT || type == SS_SIMPLE || type == SS_LEFTNOWORDWRAP;
  }
  return lstrcmpiW(name.c_str(), L"Button") == 0 || name == ui::kXPButtonClass;
}

// How many pixels a caption has to spare within the room its control gives
// it (negative: clipped), and for a key's caption how many lie between its
// ink and the key's edge (-1 for anything else).
struct CaptionFit {
  int slack = 0;
  int edge = -1;
};

// A key's caption is drawn unclipped as the key lays it out, and its ink
// measured against the rectangle the key draws it into: glyphs can be drawn
// wider than the font reports them.
CaptionFit KeyCaptionFit(HWND key, const ui::XPButtonInfo& info, const std::wstring& text) {
  RECT room = ui::GetXPButtonCaptionRect(key).value_or(RECT{});
  RECT client{};
  GetClientRect(key, &client);
  const int pad = client.right;  // room for glyphs drawn past either side
  OffsetRect(&room, pad, pad);
  const ui::test::Pixels drawn = ui::test::RenderWith(client.right + 2 * pad, client.bottom + 2 * pad, [&](HDC dc) {
    ScopedSelect font(dc, info.font);
    SetBkMode(dc, TRANSPARENT);
    SetTextColor(dc, RGB(0, 0, 0));
    RECT at = room;
    DrawTextW(dc, text.c_str(), -1, &at, info.textFormat | DT_NOCLIP);
  });
  RECT ink{drawn.width, drawn.height, -1, -1};
  for (int y = 0; y < drawn.height; ++y)
    for (int x = 0; x < drawn.width; ++x)
      if (drawn.At(x, y) != ui::test::kSentinel)
        ink = {std::min<LONG>(ink.left, x), std::min<LONG>(ink.top, y), std::max<LONG>(ink.right, x + 1),
               std::max<LONG>(ink.bottom, y + 1)};
  if (ink.right < 0) return {};
  OffsetRect(&client, pad, pad);
  return {
      std::min({ink.left - room.left, room.right - ink.right, ink.top - room.top, room.bottom - ink.bottom}),
      std::min({ink.left - client.left, client.right - ink.right, ink.top - client.top, client.bottom - ink.bottom})};
}

// The caption's text, in the control's font: on one line within its width,
// or wrapped within its height. A key that shows its image instead of its
// caption has no caption.
CaptionFit FitOf(HWND control, int dpi) {
  if (!HasCaption(control)) return {};
  const std::wstring text = ui::GetText(control);
  if (text.empty()) return {};
  if (auto key = ui::GetXPButtonInfo(control)) {
    if (key->images[0] && (key->imagePosition & ui::kImageCenter) && (key->imagePosition & ui::kImageVCenter))
      return {};
    return KeyCaptionFit(control, *key, text);
  }
  RECT client{};
  GetClientRect(control, &client);
  HDC dc = GetDC(control);
  HGDIOBJ previous = SelectObject(dc, FontOf(control));
  const bool wraps = lstrcmpiW(ClassOf(control).c_str(), L"Static") == 0 &&
                     (GetWindowLongW(control, GWL_STYLE) & SS_TYPEMASK) <= SS_RIGHT;
  const UINT prefix = (GetWindowLongW(control, GWL_STYLE) & SS_NOPREFIX) && wraps ? DT_NOPREFIX : 0;
  RECT needed{0, 0, client.right, 0};
  int slack;
  if (wraps && text.find(L' ') != std::wstring::npos) {
    DrawTextW(dc, text.c_str(), -1, &needed, DT_CALCRECT | DT_WORDBREAK | prefix);
    slack = std::min(client.bottom - needed.bottom, client.right - needed.right);
  } else {
    DrawTextW(dc, text.c_str(), -1, &needed, DT_CALCRECT | DT_SINGLELINE | prefix);
    slack = CaptionRoom(control, client.right, dpi) - needed.right;
  }
  SelectObject(dc, previous);
  ReleaseDC(control, dc);
  return {slack};
}

class Recorder {
 public:
  Recorder(std::ostream& out, std::string shots, int switchTo)
      : out_(out), shots_(std::move(shots)), switchTo_(switchTo) {}

  // Measures a window (after the DPI switch when asked) and writes it down.
  void Record(const std::string& name, HWND form) {
    if (!form) {
      std::fprintf(stderr, "no window for %s\n", name.c_str());
      failed = true;
      return;
    }
    if (switchTo_ > 0 && ui::DpiOf(form) != switchTo_) SwitchDpi(form);
    Pump();
    RedrawWindow(form, nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW | RDW_ALLCHILDREN);
    const int dpi = ui::DpiOf(form);
    const SIZE fitted = CheckOnScreen(name, form);
    RECT client{};
    GetClientRect(form, &client);
    out_ << "window " << name << ' ' << client.right << ' ' << client.bottom << ' ' << fitted.cx << ' ' << fitted.cy
         << '\n';
    CheckReachable(name, form, fitted.cx || fitted.cy);
    int index = 0;
    for (HWND control = GetWindow(form, GW_CHILD); control; control = GetWindow(control, GW_HWNDNEXT), ++index) {
      RECT place{};
      GetWindowRect(control, &place);
      MapWindowPoints(nullptr, form, reinterpret_cast<POINT*>(&place), 2);
      const CaptionFit fit = IsWindowVisible(control) ? FitOf(control, dpi) : CaptionFit{};
      out_ << "control " << name << ' ' << index << ' ' << GetDlgCtrlID(control) << ' ' << Narrow(ClassOf(control))
           << ' ' << place.left << ' ' << place.top << ' ' << place.right - place.left << ' '
           << place.bottom - place.top << ' ' << FontHeight(control, FontOf(control)) << ' ' << fit.slack << ' '
           << fit.edge << ' ' << Narrow(ui::GetText(control)) << '\n';
    }
    if (!shots_.empty()) Photograph(form, shots_ + "\\" + name + ".bmp");
  }

  bool failed = false;

 private:
  // The whole window, title bar first, lies within the work area of a
  // monitor. Answers, for width and height, 1 where the window fills the
  // work area: made smaller to fit, it is not its design size scaled.
  SIZE CheckOnScreen(const std::string& name, HWND form) {
    RECT outer{};
    GetWindowRect(form, &outer);
    MONITORINFO monitor{};
    monitor.cbSize = sizeof monitor;
    GetMonitorInfoW(MonitorFromWindow(form, MONITOR_DEFAULTTONEAREST), &monitor);
    const RECT& work = monitor.rcWork;
    const SIZE fitted{outer.right - outer.left == work.right - work.left,
                      outer.bottom - outer.top == work.bottom - work.top};
    RECT inside{};
    IntersectRect(&inside, &outer, &work);
    if (EqualRect(&inside, &outer)) return fitted;
    std::fprintf(stderr, "%s lies outside the work area: window %ld,%ld-%ld,%ld, work area %ld,%ld-%ld,%ld\n",
                 name.c_str(), outer.left, outer.top, outer.right, outer.bottom, monitor.rcWork.left,
                 monitor.rcWork.top, monitor.rcWork.right, monitor.rcWork.bottom);
    failed = true;
    return fitted;
  }

  // A window made smaller to fit the screen still shows each of its controls
  // whole, and any window its push buttons: what is cut off cannot be used.
  void CheckReachable(const std::string& name, HWND form, bool shrunk) {
    RECT client{};
    GetClientRect(form, &client);
    for (HWND control = GetWindow(form, GW_CHILD); control; control = GetWindow(control, GW_HWNDNEXT)) {
      const bool button = lstrcmpiW(ClassOf(control).c_str(), L"Button") == 0 &&
                          (GetWindowLongW(control, GWL_STYLE) & BS_TYPEMASK) <= BS_DEFPUSHBUTTON;
      if (!IsWindowVisible(control) || !(shrunk || button)) continue;
      RECT place{}, inside{};
      GetWindowRect(control, &place);
      MapWindowPoints(nullptr, form, reinterpret_cast<POINT*>(&place), 2);
      if (IsRectEmpty(&place)) continue;
      IntersectRect(&inside, &place, &client);
      if (EqualRect(&inside, &place)) continue;
      std::fprintf(stderr, "%s: control %d (%s) at %ld,%ld-%ld,%ld is cut off by the client area of %ldx%ld\n",
                   name.c_str(), GetDlgCtrlID(control), Narrow(ui::GetText(control)).c_str(), place.left, place.top,
                   place.right, place.bottom, client.right, client.bottom);
      failed = true;
    }
  }

  void SwitchDpi(HWND form) {
    RECT outer{};
    GetWindowRect(form, &outer);
    const int from = ui::DpiOf(form);
    RECT suggested{outer.left, outer.top, outer.left + MulDiv(outer.right - outer.left, switchTo_, from),
                   outer.top + MulDiv(outer.bottom - outer.top, switchTo_, from)};
    SendMessageW(form, WM_DPICHANGED, MAKEWPARAM(switchTo_, switchTo_), reinterpret_cast<LPARAM>(&suggested));
  }

  std::ostream& out_;
  std::string shots_;
  int switchTo_;
};

// The top-level form of this thread shown last and not yet known, known from now on.
HWND NewForm(std::set<HWND>& known) {
  HWND found = ui::test::UnknownForm(known);
  if (found) known.insert(found);
  return found;
}

// Runs `open`, which shows a modal form; the form is recorded and closed from
// inside its own message loop.
void RecordModal(Recorder& recorder, const std::string& name, std::set<HWND>& known,
                 const std::function<void()>& open) {
  static Recorder* activeRecorder;
  static const std::string* activeName;
  static std::set<HWND>* activeKnown;
  static bool seen;
  activeRecorder = &recorder, activeName = &name, activeKnown = &known, seen = false;
  const UINT_PTR timer = SetTimer(nullptr, 0, 100, [](HWND, UINT, UINT_PTR id, DWORD) {
    HWND form = NewForm(*activeKnown);
    if (!form) return;
    KillTimer(nullptr, id);
    seen = true;
    activeRecorder->Record(*activeName, form);
    PostMessageW(form, WM_CLOSE, 0, 0);
  });
  open();
  KillTimer(nullptr, timer);
  if (!seen) recorder.Record(name, nullptr);
}

int RecordAll(const std::string& path, const std::string& shots, int switchTo) {
  INITCOMMONCONTROLSEX controls{sizeof controls, 0x7FFF};
  InitCommonControlsEx(&controls);
  char folder[MAX_PATH] = {};
  GetTempPathA(MAX_PATH, folder);
  const std::string ini = std::string(folder) + "tallix-dpi-" + std::to_string(GetCurrentProcessId()) + ".ini";
  DeleteFileA(ini.c_str());

  std::ofstream out(path);
  out << "dpi " << (switchTo > 0 ? switchTo : ui::SystemDpi()) << '\n';
  Recorder recorder(out, shots, switchTo);
  MainWindowContext* main = CreateMainWindow(ini);
  if (!main) {
    std::fprintf(stderr, "the main window did not open\n");
    return 1;
  }
  HWND window = main->Owner();
  std::set<HWND> known{window};
  Pump();
  const auto menu = [&](int id) {
    SendMessageW(window, WM_COMMAND, MAKEWPARAM(id, 0), 0);
    Pump();
  };
  // Every combination of the three shown parts, each part switched off and on again.
  const std::pair<const char*, std::vector<int>> layouts[] = {
      {"main", {}},
      {"main-no-stopwatch", {IDM_SHOW_STOPWATCH}},
      {"main-no-status", {IDM_SHOW_STATUSBAR}},
      {"main-no-stopwatch-status", {IDM_SHOW_STOPWATCH, IDM_SHOW_STATUSBAR}},
      {"main-no-tape", {IDM_SHOW_TAPE}},
      {"main-no-tape-stopwatch", {IDM_SHOW_TAPE, IDM_SHOW_STOPWATCH}},
      {"main-no-tape-status", {IDM_SHOW_TAPE, IDM_SHOW_STATUSBAR}},
      {"main-no-tape-stopwatch-status", {IDM_SHOW_TAPE, IDM_SHOW_STOPWATCH, IDM_SHOW_STATUSBAR}},
  };
  // More lines than the tape shows: its newest must stay whole in view in every layout.
  HWND tape = GetDlgItem(window, ids::kTapeList);
  for (int i = 0; i < 40; ++i) main->CalculatorEngine().PressKey(Key::Feed);
  for (const auto& [name, toggles] : layouts) {
    for (int id : toggles) menu(id);
    recorder.Record(name, window);
    out << "tape-line " << name << ' ' << SendMessageW(tape, LB_GETITEMHEIGHT, 0, 0) << '\n';
    RECT newest{}, list{};
    SendMessageW(tape, LB_GETITEMRECT, SendMessageW(tape, LB_GETCOUNT, 0, 0) - 1, reinterpret_cast<LPARAM>(&newest));
    GetClientRect(tape, &list);
    if (IsWindowVisible(tape) && (newest.top < 0 || newest.bottom > list.bottom)) {
      std::fprintf(stderr, "%s: the newest tape line lies at %ld..%ld of the tape's %ld pixels\n", name, newest.top,
                   newest.bottom, list.bottom);
      recorder.failed = true;
    }
    for (int id : toggles) menu(id);
  }

  const std::pair<const char*, int> sideKeys[] = {{"converter", ids::kKeyCnv},     {"area", ids::kKeyArea},
                                                  {"volume", ids::kKeyVol},        {"loan", ids::kKeyLoan},
                                                  {"transfer", ids::kKeyTransfer}, {"help", ids::kKeyHelp}};
  for (const auto& [name, id] : sideKeys) {
    HWND key = GetDlgItem(window, id);
    SendMessageW(window, WM_COMMAND, MAKEWPARAM(id, BN_CLICKED), reinterpret_cast<LPARAM>(key));
    Pump();
    HWND form = NewForm(known);
    recorder.Record(name, form);
    if (form) DestroyWindow(form);
    Pump();
  }
  RecordModal(recorder, "options", known, [&] { menu(IDM_OPTIONS); });
  RecordModal(recorder, "about", known, [&] { menu(IDM_ABOUT); });
  RecordModal(recorder, "input-box", known, [&] { ui::InputBox(window, L"Name of the loan:", L"Tallix", L"Car"); });
  RecordModal(recorder, "transfer-options", known,
              [&] { transfer::AskTransferOptions(window, {}, std::optional<std::uint64_t>(1ull << 30)); });
  DestroyWindow(window);
  Pump();
  DeleteFileA(ini.c_str());
  return recorder.failed ? 1 : 0;
}

struct Record {
  int dpi = 0;
  std::map<std::string, std::vector<long>> lines;  // "window NAME", "control NAME INDEX", "tape-line NAME"
  std::map<std::string, std::string> texts;        // the whole line, for messages
};

Record Read(const std::string& path) {
  Record record;
  std::ifstream in(path);
  std::string line;
  while (std::getline(in, line)) {
    std::istringstream words(line);
    std::string kind, name;
    words >> kind;
    if (kind == "dpi") {
      words >> record.dpi;
      continue;
    }
    words >> name;
    std::string key = kind + ' ' + name;
    std::vector<long> values;
    if (kind == "control") {
      std::string index, id, className;
      words >> index >> id >> className;
      key += ' ' + index + ' ' + id + ' ' + className;
    }
    for (long value; values.size() < 7 && words >> value;) values.push_back(value);
    record.lines[key] = values;
    record.texts[key] = line;
  }
  return record;
}

// Each place, size and font height of the record is that of the design
// record times the scale, within a pixel; every caption fits, to the last
// pixel; scaled, a key's caption keeps a pixel clear of the key's edge (the
// design layout may use the whole face).
int Compare(const std::string& designPath, const std::string& path) {
  const Record design = Read(designPath), scaled = Read(path);
  if (design.lines.empty() || scaled.lines.empty()) {
    std::fprintf(stderr, "empty record\n");
    return 1;
  }
  int faults = 0;
  const auto fault = [&](const std::string& what, const std::string& key) {
    ++faults;
    std::fprintf(stderr, "%s\n  design: %s\n  at %d DPI: %s\n", what.c_str(), design.texts.at(key).c_str(), scaled.dpi,
                 scaled.texts.contains(key) ? scaled.texts.at(key).c_str() : "(missing)");
  };
  for (const auto& [key, values] : design.lines) {
    const auto found = scaled.lines.find(key);
    if (found == scaled.lines.end()) {
      fault("missing", key);
      continue;
    }
    const bool control = key.rfind("control ", 0) == 0;
    // A drop-down list sizes its closed field to its font, as the system
    // does at every DPI; only the rest of its place is the form's.
    const bool dropDown = key.find(" ComboBox") != std::string::npos;
    const bool window = key.rfind("window ", 0) == 0;
    // Places and sizes; for a control also its font height, then whether its
    // caption fits; for a window its client size, then whether it was made
    // smaller to fit the screen (and so is not its design size scaled).
    const size_t measured = control ? 5 : window ? 2 : values.size();
    const std::vector<long>& got = found->second;
    // A control may be larger than its place scaled where its caption needs
    // it, but then no more than a few pixels larger than the caption.
    const bool grownForCaption = control && got.size() > 5 && got[5] >= 0 && got[5] <= 2;
    // A window made smaller to fit moves and shortens its controls in the
    // direction it gave up room; the record checks that they stay whole.
    const auto shrunk =
        control ? scaled.lines.find("window " + key.substr(8, key.find(' ', 8) - 8)) : scaled.lines.end();
    const auto gave = [&](size_t i) {
      return i < 4 && shrunk != scaled.lines.end() && shrunk->second.size() > 3 && shrunk->second[2 + i % 2];
    };
    for (size_t i = 0; i < measured && i < values.size() && i < got.size(); ++i) {
      if (dropDown && i == 3) continue;
      if (gave(i)) continue;
      if (window && got.size() > i + 2 && got[i + 2]) continue;
      const long expected = MulDiv(static_cast<int>(values[i]), scaled.dpi, design.dpi);
      if (std::labs(got[i] - expected) <= 1) continue;
      if (grownForCaption && i < 4) {
        const size_t start = i % 2, size = start + 2;  // x and width, or y and height
        const long from = MulDiv(static_cast<int>(values[start]), scaled.dpi, design.dpi);
        const long to = from + MulDiv(static_cast<int>(values[size]), scaled.dpi, design.dpi);
        if (got[start] <= from + 1 && got[start] + got[size] >= to - 1) continue;
      }
      fault("not scaled (value " + std::to_string(i + 1) + ")", key);
      break;
    }
    if (control && got.size() > 5 && got[5] < 0) fault("caption clipped", key);
    if (control && got.size() > 6 && got[6] == 0 && scaled.dpi != design.dpi)
      fault("caption touches the key's edge", key);
  }
  std::printf("%zu records compared at %d DPI against %d DPI: %d faults\n", design.lines.size(), scaled.dpi, design.dpi,
              faults);
  return faults ? 1 : 0;
}

}  // namespace
}  // namespace tallix

int main(int argc, char** argv) {
  const std::vector<std::string> args(argv + 1, argv + argc);
  if (args.size() >= 2 && args[0] == "record") {
    int switchTo = 0;
    std::string shots;
    for (size_t i = 2; i < args.size(); ++i) {
      if (args[i] == "--switch-to" && i + 1 < args.size())
        switchTo = std::atoi(args[++i].c_str());
      else
        shots = args[i];
    }
    return tallix::RecordAll(args[1], shots, switchTo);
  }
  if (args.size() == 3 && args[0] == "compare") return tallix::Compare(args[1], args[2]);
  std::fprintf(stderr, "usage: dpi_layout_probe record FILE [SHOTS] [--switch-to DPI] | compare DESIGN RECORD\n");
  return 2;
}
