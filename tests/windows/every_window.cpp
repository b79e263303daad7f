#include "tests/windows/every_window.h"

#include <cstdint>
#include <optional>
#include <utility>
#include <vector>

#include "app/main_window/control_ids.h"
#include "resources/resource_ids.h"
#include "tests/ui/ui_test_support.h"
#include "tools/transfer/transfer_options_window.h"

namespace tallix::every_window {
namespace {

using ui::test::Pump;

// The loan calculator's fields and its Calculate button, by the numbers its
// form gives them.
enum LoanControl : int {
  kLoanAmount = 1004,
  kLoanRate = 1005,
  kLoanYears = 1006,
  kLoanCalculate = 1010,
  kLoanShowChart = 1022
};

void ComputeLoanSchedule(HWND loan) {
  SetWindowTextW(GetDlgItem(loan, kLoanAmount), L"12000");
  SetWindowTextW(GetDlgItem(loan, kLoanRate), L"6.5");
  SetWindowTextW(GetDlgItem(loan, kLoanYears), L"2");
  SendMessageW(loan, WM_COMMAND, MAKEWPARAM(kLoanCalculate, BN_CLICKED),
               reinterpret_cast<LPARAM>(GetDlgItem(loan, kLoanCalculate)));
  Pump();
}

// The loan window's chart pane shown or hidden, as a click on its check box does.
void ToggleLoanChart(HWND loan) {
  HWND box = GetDlgItem(loan, kLoanShowChart);
  SendMessageW(box, BM_SETCHECK, SendMessageW(box, BM_GETCHECK, 0, 0) == BST_CHECKED ? BST_UNCHECKED : BST_CHECKED, 0);
  SendMessageW(loan, WM_COMMAND, MAKEWPARAM(kLoanShowChart, BN_CLICKED), reinterpret_cast<LPARAM>(box));
  Pump();
}

}  // namespace

void Command(HWND main, int id) {
  SendMessageW(main, WM_COMMAND, MAKEWPARAM(id, 0), 0);
  Pump();
}

void VisitMainLayouts(HWND main, const Visit& visit) {
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
  for (const auto& [name, toggles] : layouts) {
    for (int id : toggles) Command(main, id);
    visit(name, main);
    for (int id : toggles) Command(main, id);
  }
}

void VisitSideWindows(HWND main, std::set<HWND>& known, const Visit& visit) {
  const std::pair<const char*, int> sideKeys[] = {{"converter", ids::kKeyCnv},     {"area", ids::kKeyArea},
                                                  {"volume", ids::kKeyVol},        {"loan", ids::kKeyLoan},
                                                  {"transfer", ids::kKeyTransfer}, {"help", ids::kKeyHelp}};
  for (const auto& [name, id] : sideKeys) {
    HWND key = GetDlgItem(main, id);
    SendMessageW(main, WM_COMMAND, MAKEWPARAM(id, BN_CLICKED), reinterpret_cast<LPARAM>(key));
    Pump();
    HWND form = NewForm(known);
    if (form && id == ids::kKeyLoan) ComputeLoanSchedule(form);
    visit(name, form);
    if (form && id == ids::kKeyLoan) {
      ToggleLoanChart(form);
      visit("loan-chart", form);
      ToggleLoanChart(form);
    }
    if (form) DestroyWindow(form);
    Pump();
  }
  // The find box, modeless, from the Edit menu.
  Command(main, IDM_FIND);
  Pump();
  HWND find = NewForm(known);
  visit("find", find);
  if (find) DestroyWindow(find);
  Pump();
  VisitModal(
      "options", known, [&] { Command(main, IDM_OPTIONS); }, visit);
  VisitModal(
      "about", known, [&] { Command(main, IDM_ABOUT); }, visit);
  VisitModal(
      "input-box", known, [&] { Command(main, IDM_ADD_NOTE); }, visit);
  VisitModal(
      "transfer-options", known,
      [&] { transfer::AskTransferOptions(main, {}, std::optional<std::uint64_t>(1ull << 30)); }, visit);
}

void VisitEveryWindow(HWND main, const Visit& visit) {
  std::set<HWND> known{main};
  Pump();
  VisitMainLayouts(main, visit);
  VisitSideWindows(main, known, visit);
}

HWND NewForm(std::set<HWND>& known) {
  HWND found = ui::test::UnknownForm(known);
  if (found) known.insert(found);
  return found;
}

void VisitModal(const std::string& name, std::set<HWND>& known, const std::function<void()>& open, const Visit& visit) {
  static const Visit* activeVisit;
  static const std::string* activeName;
  static std::set<HWND>* activeKnown;
  static bool seen;
  activeVisit = &visit, activeName = &name, activeKnown = &known, seen = false;
  const UINT_PTR timer = SetTimer(nullptr, 0, 100, [](HWND, UINT, UINT_PTR id, DWORD) {
    HWND form = NewForm(*activeKnown);
    if (!form) return;
    KillTimer(nullptr, id);
    seen = true;
    (*activeVisit)(*activeName, form);
    if (IsWindow(form)) PostMessageW(form, WM_CLOSE, 0, 0);
  });
  open();
  KillTimer(nullptr, timer);
  if (!seen) visit(name, nullptr);
}

}  // namespace tallix::every_window
