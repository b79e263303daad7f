#include "tools/loan/loan_window.h"

#include <windows.h>
// After windows.h, which it needs.
#include <commctrl.h>

#include <iterator>
#include <memory>
#include <optional>
#include <vector>

#include "side_window/topmost_band.h"
#include "side_window/wide_text.h"
#include "tools/loan/loan_chart.h"
#include "tools/loan/loan_chart_view.h"
#include "tools/loan/loan_math.h"
#include "tools/loan/loan_profiles.h"
#include "tools/loan/loan_report_print.h"
#include "tools/loan/loan_texts.h"
#include "tools/loan/schedule_list.h"
#include "ui/control_helpers.h"
#include "ui/control_presets.h"
#include "ui/form.h"
#include "ui/input_box.h"
#include "ui/scaling.h"
#include "ui/utf8_text.h"

namespace tallix {
namespace {

using namespace loan;

constexpr wchar_t kFont[] = L"Tahoma,-12,0,0,0,400,0,0,0,0,3,2,1,34";
constexpr wchar_t kFormName[] = L"FORM4";
constexpr int kClientWidth = 540;
constexpr int kClientHeight = 522;
// The chart pane widens the window on the right, leaving the rest in place.
constexpr ui::Place kChartPlace{540, 8, 412, 508};
constexpr int kChartClientWidth = kChartPlace.x + kChartPlace.width + 8;

enum Control : int {
  kNameList = 1000,
  kAdd,
  kRename,
  kRemove,
  kAmount,
  kRate,
  kYears,
  kFirstDate,
  kCompounding,
  kSchedule,
  kCalculate,
  kPrint,
  kClear,
  kProblem = 1014,  // the fields keep their numbers: the tests find them by these
  kFirstResult,     // the result fields follow in order
  kChart = kFirstResult + 6,
  kShowChart,
};
constexpr int kInputs[] = {kAmount, kRate, kYears, kFirstDate, kCompounding};
constexpr int kResultCount = int(kResultLabels.size());

// Labels are never looked up.
ui::ControlSpec Label(const wchar_t* text, ui::Place place) { return ui::Static(-1, text, place, kFont); }

ui::ControlSpec SortedList(ui::ControlSpec row) {
  row.style |= LBS_SORT;
  return row;
}

ui::ControlSpec ReadOnly(ui::ControlSpec row) {
  row.style |= ES_READONLY;
  row.properties.selectAllOnFocus = false;
  return row;
}

LoanDate Today() {
  SYSTEMTIME now{};
  GetLocalTime(&now);
  return {now.wMonth, now.wDay, now.wYear};
}

class LoanForm final : public ui::FormDefinition {
 public:
  explicit LoanForm(SideWindowContext& main) : main_(main) {
    name = kFormName;
    caption = L"Loan Calculator";
    style |= WS_MINIMIZEBOX;
    // A screen too low for the whole window takes the room from the schedule.
    givingControl = kSchedule;
    // Opened as wide as it was left, so that it is centred as it will show.
    width = (ChartShown(main_.Settings()) ? kChartClientWidth : kClientWidth) + 8;
    height = kClientHeight + 30;
    controls = {
        Label(L"Loan Name", {8, 8, 150, 14}),
        SortedList(ui::ListBox(kNameList, {8, 24, 150, 112}, kFont)),
        ui::PushButton(kAdd, L"Add", {8, 140, 48, 24}, kFont),
        ui::PushButton(kRename, L"Rename", {59, 140, 48, 24}, kFont),
        ui::PushButton(kRemove, L"Remove", {110, 140, 48, 24}, kFont),
        Label(L"Amount Financed", {176, 10, 160, 14}),
        ui::Edit(kAmount, L"", {340, 6, 120, 21}, kFont),
        Label(L"Annual Interest (e.g., 8.25)", {176, 38, 160, 14}),
        ui::Edit(kRate, L"", {340, 34, 120, 21}, kFont),
        Label(L"Duration of Loan (in Years)", {176, 66, 160, 14}),
        ui::Edit(kYears, L"", {340, 62, 120, 21}, kFont),
        Label(L"First Payment Date", {176, 94, 160, 14}),
        ui::DatePicker(kFirstDate, {340, 90, 120, 22}, kFont),
        Label(L"Compounded", {176, 122, 160, 14}),
        ui::DropDown(kCompounding, {340, 118, 120, 160}, kFont),
    };
    AddResultRows();
    const ui::ControlSpec below[] = {
        ui::Static(kProblem, L"", {8, 252, 524, 16}, kFont),
        Label(L"Amortization Schedule", {8, 272, 200, 14}),
        ui::ListView(kSchedule, {8, 288, 524, 194}, kFont),
        // Enter calculates and Esc closes, as in the area and volume windows.
        ui::PushButton(kCalculate, L"Calculate", {8, 490, 80, 26}, kFont, /*isDefault=*/true),
        ui::PushButton(kPrint, L"Print", {94, 490, 80, 26}, kFont),
        ui::PushButton(kClear, L"Clear", {180, 490, 80, 26}, kFont),
        ui::CheckBox(kShowChart, L"Show chart", {272, 495, 110, 17}, kFont),
        ui::PushButton(IDCANCEL, L"Close", {452, 490, 80, 26}, kFont),
        ui::Hidden(
            ui::Named(ui::Static(kChart, L"", kChartPlace, kFont, SS_OWNERDRAW), std::wstring(Wide(kLoanChartTitle)))),
    };
    controls.insert(controls.end(), std::begin(below), std::end(below));
    Bind(WM_COMMAND, kNameList, LBN_SELCHANGE, [this](const ui::ControlEvent&) -> LRESULT {
      SelectProfile();
      return 0;
    });
    for (int id : {kAmount, kRate}) {
      Bind(WM_COMMAND, id, EN_KILLFOCUS, [this, id](const ui::ControlEvent&) -> LRESULT { return Reformat(id), 0; });
    }
    OnClick(kAdd, [this] { AddProfile(); });
    OnClick(kRename, [this] { RenameProfile(); });
    OnClick(kRemove, [this] { RemoveProfile(); });
    OnClick(kCalculate, [this] { Calculate(/*fromButton=*/true); });
    OnClick(kPrint, [this] { PrintReport(); });
    OnClick(kClear, [this] { ClearFields(); });
    OnClick(kShowChart, [this] {
      const bool shown = ui::IsChecked(Item(kShowChart));
      KeepChartShown(main_.Settings(), shown);
      ShowChartPane(shown);
    });
    OnClick(IDCANCEL, [this] { ui::CloseForm(window, IDCANCEL); });
  }

  void OnDpiChanged(HWND, int dpi) override {
    ScaleScheduleColumns(Item(kSchedule), dpi);
    chart_.Fit(window);
  }

  bool OnMessage(HWND, UINT message, WPARAM, LPARAM lParam, LRESULT& result) override {
    return chart_.OnMessage(window, message, lParam, result);
  }

  LRESULT OnCreate(HWND form, LPARAM) override {
    ui::SetFormClientSize(form, kClientWidth, kClientHeight);
    for (const Compounding& choice : kCompoundings) ui::ComboAdd(Item(kCompounding), Wide(choice.text));
    ui::ComboSelect(Item(kCompounding), kMonthlyCompounding);
    SendMessageW(Item(kFirstDate), DTM_SETFORMATW, 0, reinterpret_cast<LPARAM>(L"MM-dd-yyyy"));
    AddScheduleColumns(Item(kSchedule));
    if (ChartShown(main_.Settings())) {
      ui::SetChecked(Item(kShowChart), true);
      ShowChartPane(true);
    }
    profiles_.emplace(main_.Settings());
    for (int slot = 1; slot <= kProfileSlots; ++slot) {
      if (!profiles_->At(slot).name.empty()) ListEntry(slot, -1);
    }
    const bool any = ui::ListBoxCount(Item(kNameList)) > 0;
    EnableInputs(any);
    if (any) ui::ListBoxSelect(Item(kNameList), 0);
    SelectProfile();
    return 0;
  }

 private:
  // Two columns of three read-only fields, each after its label; listed row
  // by row, the order Tab takes.
  void AddResultRows() {
    for (int place = 0; place < kResultCount; ++place) {
      const int row = place / 2, column = place % 2;
      const int i = column * 3 + row;  // the results run down the first column, then the second
      const int x = column == 0 ? 8 : 276;
      const int y = 176 + 24 * row;
      resultLabels_[i] = Wide(kResultLabels[i]);
      controls.push_back(Label(resultLabels_[i].c_str(), {x, y + 3, 150, 14}));
      controls.push_back(ReadOnly(ui::Edit(kFirstResult + i, L"", {x + 154, y, 102, 21}, kFont)));
    }
  }

  HWND Item(int id) const { return GetDlgItem(window, id); }
  std::string Field(int id) const { return Cp1252FromWide(ui::GetText(Item(id))); }
  void SetField(int id, std::string_view text) { ui::SetText(Item(id), Wide(text)); }
  // The amount or the rate written the way the window shows it, as on leaving it.
  void Reformat(int id) { SetField(id, id == kAmount ? ReformatAmount(Field(id)) : ReformatRate(Field(id))); }

  std::wstring SelectedEntry() const {
    const int selected = ui::ListBoxSelection(Item(kNameList));
    return selected < 0 ? std::wstring() : ui::ListBoxItemText(Item(kNameList), selected);
  }
  // The entry holds its slot: a name that is not UTF-8 (a hand-edited
  // settings file) shows with U+FFFD and could not be found by its text.
  int SelectedSlot() const {
    const int selected = ui::ListBoxSelection(Item(kNameList));
    return selected < 0 ? 0 : static_cast<int>(ui::ListBoxItemData(Item(kNameList), selected));
  }
  // Lists the slot's name in its sorted place, or at `position` when that is
  // not -1; returns where it went.
  int ListEntry(int slot, int position) {
    HWND list = Item(kNameList);
    const std::wstring name = ui::ShownText(profiles_->At(slot).name);
    const int entry = position < 0 ? ui::ListBoxAdd(list, name)
                                   : static_cast<int>(SendMessageW(list, LB_INSERTSTRING, static_cast<WPARAM>(position),
                                                                   reinterpret_cast<LPARAM>(name.c_str())));
    SendMessageW(list, LB_SETITEMDATA, static_cast<WPARAM>(entry), slot);
    return entry;
  }

  void ShowChartPane(bool shown) {
    width = (shown ? kChartClientWidth : kClientWidth) + 8;
    chart_.ShowPane(window, shown, kSchedule);
  }

  void EnableInputs(bool enabled) {
    for (int id : kInputs) EnableWindow(Item(id), enabled);
  }

  LoanDate FirstDate() const {
    SYSTEMTIME date{};
    if (SendMessageW(Item(kFirstDate), DTM_GETSYSTEMTIME, 0, reinterpret_cast<LPARAM>(&date)) != GDT_VALID) {
      return Today();
    }
    return {date.wMonth, date.wDay, date.wYear};
  }
  void SetFirstDate(const LoanDate& date) {
    SYSTEMTIME time{};
    time.wMonth = WORD(date.month);
    time.wDay = WORD(date.day);
    time.wYear = WORD(date.year);
    SendMessageW(Item(kFirstDate), DTM_SETSYSTEMTIME, GDT_VALID, reinterpret_cast<LPARAM>(&time));
  }

  int Message(const std::string& text, const std::string& title) {
    OutOfTopmostBand shows(main_);
    return MessageBoxW(window, ui::ShownText(text).c_str(), ui::ShownText(title).c_str(), MB_OK | MB_TASKMODAL);
  }
  std::string Ask(const wchar_t* prompt, const wchar_t* title, const std::string& suggested) {
    OutOfTopmostBand shows(main_);
    return file_io::Utf8FromWide(ui::InputBox(window, prompt, title, ui::ShownText(suggested)));
  }

  void SelectProfile() {
    slot_ = SelectedSlot();
    ClearFields();
    if (slot_ == 0) return;
    const LoanProfile& profile = profiles_->At(slot_);
    const ProfileFields fields = FieldsOf(profile);
    SetField(kAmount, fields.amount);
    SetField(kRate, fields.rate);
    SetField(kYears, fields.years);
    if (const std::optional<LoanDate> date = ParseLoanDate(profile.date)) SetFirstDate(*date);
    if (fields.compounding >= 0) ui::ComboSelect(Item(kCompounding), fields.compounding);
    Calculate(/*fromButton=*/false);
    ui::FocusControl(Item(kNameList));
  }

  void AddProfile() {
    if (!profiles_->HasRoom()) {
      const ProfileChange full = profiles_->Add("");  // says why there is no room
      Message(full.message, full.title);
      return;
    }
    const ProfileChange added = profiles_->Add(Ask(L"Enter name of Loan", L"Add Loan Profile", ""));
    if (!added.done) {
      if (!added.title.empty()) Message(added.message, added.title);
      return;
    }
    ui::ListBoxSelect(Item(kNameList), ListEntry(added.slot, -1));
    slot_ = added.slot;
    ClearFields();
    EnableInputs(true);
    ui::FocusControl(Item(kAmount));
  }

  void RenameProfile() {
    const int entry = ui::ListBoxSelection(Item(kNameList));
    const int slot = SelectedSlot();
    if (slot == 0) return;
    const ProfileChange renamed =
        profiles_->Rename(slot, Ask(L"Enter new name of Loan", L"Rename Loan Profile", profiles_->At(slot).name));
    if (!renamed.done) {
      if (!renamed.title.empty()) Message(renamed.message, renamed.title);
      return;
    }
    // In place: the list is put in order again when the window next opens.
    ui::ListBoxDelete(Item(kNameList), entry);
    ui::ListBoxSelect(Item(kNameList), ListEntry(renamed.slot, entry));
    slot_ = renamed.slot;
  }

  void RemoveProfile() {
    const int entry = ui::ListBoxSelection(Item(kNameList));
    const int slot = SelectedSlot();
    if (slot == 0) return;
    profiles_->Remove(slot);
    ClearFields();
    ui::ListBoxDelete(Item(kNameList), entry);
    if (ui::ListBoxCount(Item(kNameList)) == 0) {
      slot_ = 0;
      EnableInputs(false);
      return;
    }
    ui::ListBoxSelect(Item(kNameList), 0);
    SelectProfile();
  }

  void ClearFields() {
    for (int id : {kAmount, kRate, kYears, kProblem}) SetField(id, "");
    ShowFigures({}, {}, {});
    SetFirstDate(Today());
    ui::FocusControl(Item(kAmount));
  }

  // The results and the schedule are kept as shown: the tape block and the
  // report print these very texts.
  void ShowFigures(const std::array<std::string, kResultCount>& results, std::vector<ScheduleRowTexts> schedule,
                   LoanChartData chart) {
    results_ = results;
    for (int i = 0; i < kResultCount; ++i) SetField(kFirstResult + i, results_[i]);
    schedule_ = std::move(schedule);
    FillScheduleList(Item(kSchedule), schedule_);
    chart_.ShowLoan(Item(kChart), std::move(chart));
  }

  // The button stores the profile and writes the tape block; selecting a
  // profile only shows its figures.
  void Calculate(bool fromButton) {
    for (int id : {kAmount, kRate}) Reformat(id);
    const int compounding = ui::ComboSelection(Item(kCompounding));
    const LoanFieldTexts fields{Field(kAmount), Field(kRate), Field(kYears), LoanDateText(FirstDate()),
                                compounding < 0 ? kMonthlyCompounding : compounding};
    const LoanInputs inputs = ReadInputs(fields);
    const LoanTerms terms = ComputeTerms(inputs);
    SetField(kProblem, ProblemText(terms.problem));
    if (terms.problem == LoanProblem::kNone) {
      const std::vector<ScheduleRow> rows = ComputeSchedule(inputs, terms);
      std::vector<ScheduleRowTexts> schedule;
      schedule.reserve(rows.size());
      for (const ScheduleRow& row : rows) schedule.push_back(RowTexts(row));
      ShowFigures(ResultTexts(inputs.amount, terms), std::move(schedule), ChartDataOf(inputs.amount, rows));
      if (fromButton) {
        WriteTapeBlock();
        profiles_->Store(slot_, StoredValues(inputs, fields.date, fields.compounding));
      }
    } else if (terms.problem != LoanProblem::kMissingInput) {
      ShowFigures({}, {}, {});
      // Figures beyond range would reach the tape and the profile as Infinity.
      if (fromButton && terms.problem == LoanProblem::kNotShowable) Message(ProblemText(terms.problem), "Tallix");
    }
    int focus = kAmount;
    if (inputs.years == 0 || terms.problem == LoanProblem::kTooShort || terms.problem == LoanProblem::kTooLong) {
      focus = kYears;
    }
    if (inputs.ratePercent == 0) focus = kRate;
    if (inputs.amount == 0) focus = kAmount;
    // A field the focus comes back to is selected whole, as after Tab.
    if (GetFocus() == Item(focus)) SendMessageW(Item(focus), EM_SETSEL, 0, -1);
    ui::FocusControl(Item(focus));
  }

  LoanSheet Sheet() const {
    return {
        Cp1252FromWide(SelectedEntry()), Field(kAmount), Field(kRate), Field(kYears), Field(kCompounding), results_};
  }

  void WriteTapeBlock() {
    for (const std::string& line : TapeBlock(Sheet())) main_.CalculatorEngine().AppendTapeLine(line, "");
  }

  void PrintReport() {
    const std::string error = PrintLoanAnalysis(window, main_, Sheet(), schedule_, chart_.ShownLoan());
    if (!error.empty()) Message("The loan analysis could not be printed: " + error + ".", "Tallix");
  }

  SideWindowContext& main_;
  std::optional<LoanProfiles> profiles_;
  int slot_ = 0;  // the profile shown; 0 for none
  std::array<std::string, kResultCount> results_;
  std::vector<ScheduleRowTexts> schedule_;
  LoanChartPane chart_{kChart, kChartPlace, {kChartClientWidth, kClientHeight}, kClientWidth};
  std::wstring resultLabels_[kResultCount];  // the rows' texts live as long as the form
};

}  // namespace

void OpenLoanCalculator(SideWindowContext& main) {
  std::unique_ptr<ui::FormDefinition>& kept = main.SideForm(kFormName);
  if (!kept) kept = std::make_unique<LoanForm>(main);
  ui::ShowOrFocusForm(*kept, main.Owner());
}

}  // namespace tallix
