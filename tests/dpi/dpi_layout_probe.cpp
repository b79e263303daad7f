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

#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <optional>
#include <set>
#include <string>
#include <utility>
#include <vector>

#include "app/main_window/control_ids.h"
#include "app/main_window/main_window.h"
#include "resources/resource_ids.h"
#include "tests/dpi/record_compare.h"
#include "tests/dpi/window_recorder.h"
#include "tests/ui/ui_test_support.h"
#include "tools/transfer/transfer_options_window.h"
#include "ui/input_box.h"
#include "ui/scaling.h"

namespace tallix {
namespace {

using dpi_probe::NewForm;
using dpi_probe::Recorder;
using dpi_probe::RecordModal;
using ui::test::Pump;

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
  // The find box, modeless, from the Edit menu.
  menu(IDM_FIND);
  HWND find = NewForm(known);
  recorder.Record("find", find);
  if (find) DestroyWindow(find);
  Pump();
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
  if (args.size() == 3 && args[0] == "compare") return tallix::dpi_probe::Compare(args[1], args[2]);
  std::fprintf(stderr, "usage: dpi_layout_probe record FILE [SHOTS] [--switch-to DPI] | compare DESIGN RECORD\n");
  return 2;
}
