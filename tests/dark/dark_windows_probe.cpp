// Opens every window of Tallix in this process while Windows' app mode is
// dark (run_in_dark_mode.sh sets it in a prefix of its own), photographs each
// and measures its pixels: the window's face is dark, no control's client
// area nor scroll bar is light, labels are readable, the menu bar is dark,
// every key's caption and every tape line (a red one, a blue event line and a
// note among them) is readable, and a disabled key's caption is dimmer than
// every enabled one yet legible. A title bar, menu bar or scroll bar this
// system cannot draw dark passes when DarkFallbacks() names it; the list is
// printed. The pictures go to the folder TALLIX_SCREENSHOTS names, as
// dark-<window>.bmp.
#include <windows.h>
// After windows.h, which it needs.
#include <commctrl.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <set>
#include <string>
#include <vector>

#include "app/main_window/control_ids.h"
#include "app/main_window/main_window.h"
#include "app/main_window/tape_colour.h"
#include "app/main_window/tape_line_kind.h"
#include "resources/resource_ids.h"
#include "side_window/wide_text.h"
#include "tests/dark/dark_measures.h"
#include "tests/ui/shot_areas.h"
#include "tests/windows/every_window.h"
#include "ui/control_helpers.h"
#include "ui/dark_theme.h"
#include "ui/xp_button.h"

namespace tallix::dark_test {
namespace {

using ui::test::ClientInShot;
using ui::test::InShot;
using ui::test::Pump;

constexpr double kTextContrast = 4.5, kDisabledContrast = 3.0, kBrightestControl = 0.8;

class Checks {
 public:
  void Check(const std::string& what, bool passed, const std::string& detail) {
    std::printf("%s: %s (%s)\n", passed ? "ok" : "FAILED", what.c_str(), detail.c_str());
    ++(passed ? passed_ : failed_);
  }
  int Report() const {
    std::printf("%d passed, %d failed\n", passed_, failed_);
    return failed_ ? 1 : 0;
  }

 private:
  int passed_ = 0, failed_ = 0;
};

std::string Hex(COLORREF colour) {
  char text[16];
  std::snprintf(text, sizeof text, "#%02X%02X%02X", GetRValue(colour), GetGValue(colour), GetBValue(colour));
  return text;
}

std::string Fixed(double value) {
  char text[16];
  std::snprintf(text, sizeof text, "%.2f", value);
  return text;
}

std::string Named(HWND control) {
  return Cp1252FromWide(ui::test::ClassOf(control)) + " " + std::to_string(GetDlgCtrlID(control));
}

// What the system could not draw dark, by a word of its name.
bool FellBack(const wchar_t* piece) {
  for (const std::wstring& named : ui::DarkFallbacks())
    if (named.find(piece) != std::wstring::npos) return true;
  return false;
}

std::string FallbackNote(const wchar_t* piece) { return FellBack(piece) ? ", named as drawn light" : ""; }

// A subtraction with a negative result, a copy and a clear (blue event
// lines) and a note typed into Add Note's box.
void WriteColouredTape(HWND main) {
  const auto click = [main](int id) {
    SendMessageW(main, WM_COMMAND, MAKEWPARAM(id, BN_CLICKED), reinterpret_cast<LPARAM>(GetDlgItem(main, id)));
  };
  for (int id : {ids::kKey1 + 4, ids::kKeyMinus, ids::kKey1 + 7, ids::kKeyMinus, ids::kKeyEquals}) click(id);
  every_window::Command(main, IDM_COPY);
  click(ids::kKeyClear);
  std::set<HWND> known{main};
  every_window::VisitModal(
      "note", known, [&] { every_window::Command(main, IDM_ADD_NOTE); },
      [](const std::string&, HWND box) {
        SetWindowTextW(FindWindowExW(box, nullptr, L"Edit", nullptr), L"Rent for May");
        SendMessageW(box, WM_COMMAND, MAKEWPARAM(IDOK, BN_CLICKED), reinterpret_cast<LPARAM>(GetDlgItem(box, IDOK)));
      });
  Pump();
}

class DarkWindows {
 public:
  DarkWindows(HWND main, std::string shots) : main_(main), shots_(std::move(shots)) {}

  void Visit(const std::string& name, HWND form) {
    if (!form) return checks_.Check(name, false, "the window did not open");
    RedrawWindow(form, nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_FRAME | RDW_UPDATENOW | RDW_ALLCHILDREN);
    if (!shots_.empty()) ui::test::Photograph(form, shots_ + "\\dark-" + name + ".bmp");
    ui::test::AwaitSettledScreen(form);
    const Pixels shot = ui::test::ScreenPixels(form);
    CheckFace(name, shot, form);
    CheckControls(name, shot, form);
    CheckBars(name, shot, form);
    if (name == "main") {
      CheckKeys(shot);
      CheckTape(shot);
    }
  }

  int Report() {
    std::string pieces;
    for (const std::wstring& piece : ui::DarkFallbacks())
      pieces += (pieces.empty() ? "" : ", ") + Cp1252FromWide(piece);
    std::printf("drawn light, as this system cannot draw them dark: %s\n", pieces.empty() ? "nothing" : pieces.c_str());
    return checks_.Report();
  }

 private:
  void CheckFace(const std::string& name, const Pixels& shot, HWND form) {
    const auto face = FaceColour(shot, form);
    if (!face) return checks_.Check(name + ": background", true, "its controls cover it all");
    checks_.Check(name + ": background", IsDark(*face),
                  Hex(*face) + ", luminance " + Fixed(Luminance(*face)) + ", at most 0.05");
  }

  // The client areas, the scroll bars and the captions of the form's controls.
  void CheckControls(const std::string& name, const Pixels& shot, HWND form) {
    std::string light, lightBars, unread;
    int areas = 0, bars = 0, captions = 0;
    for (HWND control : VisibleControls(form)) {
      const RECT area = ClientInShot(shot, form, control);
      if (IsRectEmpty(&area)) continue;
      ++areas;
      if (const double mean = MeanLuminance(shot, area); mean > kBrightestControl)
        light += " " + Named(control) + " at " + Fixed(mean) + ";";
      for (LONG which : {OBJID_VSCROLL, OBJID_HSCROLL}) {
        SCROLLBARINFO bar{};
        bar.cbSize = sizeof bar;
        if (!GetScrollBarInfo(control, which, &bar) || (bar.rgstate[0] & STATE_SYSTEM_INVISIBLE)) continue;
        ++bars;
        if (const double mean = MeanLuminance(shot, InShot(shot, form, bar.rcScrollBar)); mean > kBrightestControl)
          lightBars += " " + Named(control) + " at " + Fixed(mean) + ";";
      }
      if (const auto caption = CaptionArea(shot, form, control)) {
        ++captions;
        const COLORREF back = CommonColour(shot, *caption), ink = StrongestInk(shot, *caption, back);
        if (Contrast(ink, back) < (IsWindowEnabled(control) ? kTextContrast : kDisabledContrast))
          unread += " " + Named(control) + " " + Hex(ink) + " on " + Hex(back) + ";";
      }
    }
    checks_.Check(name + ": no light control", light.empty(),
                  std::to_string(areas) + " client areas, mean luminance at most 0.8" +
                      (light.empty() ? "" : ", above it:" + light));
    checks_.Check(name + ": no light scroll bar", lightBars.empty() || FellBack(L"scroll"),
                  std::to_string(bars) + " scroll bars" +
                      (lightBars.empty() ? "" : ", light:" + lightBars + FallbackNote(L"scroll")));
    checks_.Check(name + ": captions readable", unread.empty(),
                  std::to_string(captions) + " labels, group boxes and check boxes at 4.5:1 (disabled 3:1) or more" +
                      (unread.empty() ? "" : ", below:" + unread));
  }

  // The title bar as light as a control may be at most, the menu bar dark
  // with readable items: or named among the pieces drawn light.
  void CheckBars(const std::string& name, const Pixels& shot, HWND form) {
    TITLEBARINFO title{};
    title.cbSize = sizeof title;
    if (GetTitleBarInfo(form, &title)) {
      const double mean = MeanLuminance(shot, InShot(shot, form, title.rcTitleBar));
      checks_.Check(name + ": title bar", mean <= kBrightestControl || FellBack(L"title"),
                    "mean luminance " + Fixed(mean) + FallbackNote(L"title"));
    }
    MENUBARINFO menu{};
    menu.cbSize = sizeof menu;
    if (!GetMenu(form)) return;
    if (!GetMenuBarInfo(form, OBJID_MENU, 0, &menu)) return checks_.Check(name + ": menu bar", false, "not found");
    const RECT bar = InShot(shot, form, menu.rcBar);
    const COLORREF back = CommonColour(shot, bar), ink = StrongestInk(shot, bar, back);
    const bool dark = IsDark(back) && Contrast(ink, back) >= kTextContrast;
    checks_.Check(name + ": menu bar", dark || FellBack(L"menu"),
                  Hex(ink) + " on " + Hex(back) + ", " + Fixed(Contrast(ink, back)) + ":1" + FallbackNote(L"menu"));
  }

  // Each key's caption against its own face, as the key shows now.
  void CheckKeys(const Pixels& shot) {
    double weakestEnabled = 21, strongestDisabled = 1;
    std::string weak;
    int enabled = 0, disabled = 0;
    for (HWND key = GetWindow(main_, GW_CHILD); key; key = GetWindow(key, GW_HWNDNEXT)) {
      const auto info = ui::GetXPButtonInfo(key);
      const auto caption = ui::GetXPButtonCaptionRect(key);
      if (!info || !caption || !IsWindowVisible(key) || ui::GetText(key).empty()) continue;
      if (info->images[0] && (info->imagePosition & ui::kImageCenter) && (info->imagePosition & ui::kImageVCenter))
        continue;  // its image stands for its caption
      RECT area = *caption;
      MapWindowPoints(key, nullptr, reinterpret_cast<POINT*>(&area), 2);
      area = InShot(shot, main_, area);
      const RECT keyArea = ClientInShot(shot, main_, key);
      IntersectRect(&area, &area, &keyArea);
      const COLORREF face = CommonColour(shot, keyArea);
      const double ratio = Contrast(StrongestInk(shot, area, face), face);
      const bool isEnabled = IsWindowEnabled(key);
      (isEnabled ? enabled : disabled)++;
      if (isEnabled) weakestEnabled = std::min(weakestEnabled, ratio);
      if (!isEnabled) strongestDisabled = std::max(strongestDisabled, ratio);
      if (ratio < (isEnabled ? kTextContrast : kDisabledContrast))
        weak += " \"" + Cp1252FromWide(ui::GetText(key)) + "\" " + Fixed(ratio) + ":1;";
    }
    checks_.Check("main: key captions", enabled > 0 && weak.empty(),
                  std::to_string(enabled) + " enabled at 4.5:1 or more, the weakest " + Fixed(weakestEnabled) + ":1; " +
                      std::to_string(disabled) + " disabled at 3:1 or more" + (weak.empty() ? "" : "; below:" + weak));
    bool hexDisabled = true;
    for (int id = ids::kKeyA; id < ids::kKeyA + 6; ++id) hexDisabled &= !IsWindowEnabled(GetDlgItem(main_, id));
    checks_.Check("main: disabled captions dimmer", hexDisabled && disabled > 0 && strongestDisabled < weakestEnabled,
                  std::string(hexDisabled ? "A-F disabled" : "A-F not all disabled") + ", the strongest disabled " +
                      Fixed(strongestDisabled) + ":1 against the weakest enabled " + Fixed(weakestEnabled) + ":1");
  }

  // Each whole tape line's ink against the tape, the red and blue ones in their hue.
  void CheckTape(const Pixels& shot) {
    HWND tape = GetDlgItem(main_, ids::kTapeList);
    const RECT list = ClientInShot(shot, main_, tape);
    const COLORREF paper = CommonColour(shot, list);
    checks_.Check("main: tape", IsDark(paper), Hex(paper) + ", luminance " + Fixed(Luminance(paper)));
    int red = 0, blue = 0, notes = 0, lines = 0;
    std::string weak;
    const int count = static_cast<int>(SendMessageW(tape, LB_GETCOUNT, 0, 0));
    for (int i = static_cast<int>(SendMessageW(tape, LB_GETTOPINDEX, 0, 0)); i < count; ++i) {
      RECT item{};
      SendMessageW(tape, LB_GETITEMRECT, i, reinterpret_cast<LPARAM>(&item));
      OffsetRect(&item, list.left, list.top);
      RECT inside{};
      IntersectRect(&inside, &item, &list);
      const std::string text = Cp1252FromWide(ui::ListBoxItemText(tape, i));
      if (!EqualRect(&inside, &item) || text.find_first_not_of(' ') == std::string::npos) continue;
      ++lines;
      const COLORREF ink = StrongestInk(shot, item, paper);
      const ColourRef kind = TapeLineColour(text, TapeMedium::Screen, 0);
      const int r = GetRValue(ink), g = GetGValue(ink), b = GetBValue(ink);
      bool readable = Contrast(ink, paper) >= kTextContrast;
      if (KindOfTapeLine(text) == TapeLineKind::Note) ++notes;
      if (kind == kTapeRed) ++red, readable &= r > g && r > b;
      if (kind == kTapeBlue) ++blue, readable &= b > r && b > g;
      if (!readable) weak += " \"" + text + "\" " + Hex(ink) + " " + Fixed(Contrast(ink, paper)) + ":1;";
    }
    checks_.Check("main: tape lines", weak.empty() && red && blue && notes,
                  std::to_string(lines) + " lines at 4.5:1 or more, " + std::to_string(red) + " red, " +
                      std::to_string(blue) + " blue, " + std::to_string(notes) + " notes among them" +
                      (weak.empty() ? "" : "; below or off their hue:" + weak));
  }

  HWND main_;
  std::string shots_;
  Checks checks_;
};

int Run(const std::string& shots) {
  INITCOMMONCONTROLSEX controls{sizeof controls, 0x7FFF};
  InitCommonControlsEx(&controls);
  ui::test::PointerOutOfTheWay();
  char folder[MAX_PATH] = {};
  GetTempPathA(MAX_PATH, folder);
  const std::string ini = std::string(folder) + "tallix-dark-" + std::to_string(GetCurrentProcessId()) + ".ini";
  DeleteFileA(ini.c_str());
  MainWindowContext* main = CreateMainWindow(ini);
  if (!main) {
    std::fprintf(stderr, "the main window did not open\n");
    return 1;
  }
  HWND window = main->Owner();
  WriteColouredTape(window);
  DarkWindows dark(window, shots);
  every_window::VisitEveryWindow(window, [&](const std::string& name, HWND form) { dark.Visit(name, form); });
  DestroyWindow(window);
  Pump();
  DeleteFileA(ini.c_str());
  return dark.Report();
}

}  // namespace
}  // namespace tallix::dark_test

int main() {
  const char* shots = std::getenv("TALLIX_SCREENSHOTS");
  return tallix::dark_test::Run(shots ? shots : "");
}
