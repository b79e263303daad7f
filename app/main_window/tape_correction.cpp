#include "app/main_window/tape_correction.h"

#include <windows.h>

#include <string>
#include <vector>

#include "app/main_window/control_ids.h"
#include "app/main_window/wide_text.h"
#include "app/tape/tape_csv.h"
#include "engine/entry_correction.h"
#include "ui/control_helpers.h"
#include "ui/input_box.h"
#include "ui/stepped_work.h"
#include "ui/utf8_text.h"

namespace tallix {
namespace {

void Tell(MainWindowContext& main, const std::string& message, UINT icon) {
  MessageBoxW(main.Owner(), Wide(message).c_str(), L"Tallix", MB_OK | icon | MB_TASKMODAL | MB_SETFOREGROUND);
}

// The tape lines before the record's first (a loaded tape's): fixed.
std::size_t FixedLines(MainWindowContext& main) {
  const std::size_t all = main.TapeLines().size();
  const std::size_t recorded = TapeLinesOf(main.CalculatorEngine().record());
  return all > recorded ? all - recorded : 0;
}

// The tape after its fixed lines, the display, the panes and the engine made
// again from `record`, behind a progress window when that takes long.
void Remake(MainWindowContext& main, const InputRecord& record, std::size_t fixedLines) {
  HWND list = GetDlgItem(main.Owner(), ids::kTapeList);
  ui::LongWork work(main.Owner(), L"Correct Entry", L"Making the tape again");
  // Each line drawn as it comes would double the time.
  SendMessageW(list, WM_SETREDRAW, FALSE, 0);
  if (fixedLines == 0) {
    SendMessageW(list, LB_RESETCONTENT, 0, 0);
  } else {
    for (LRESULT count = SendMessageW(list, LB_GETCOUNT, 0, 0); count > static_cast<LRESULT>(fixedLines); --count) {
      SendMessageW(list, LB_DELETESTRING, static_cast<WPARAM>(count - 1), 0);
      work.Progress(0);
    }
  }
  const double inputs = static_cast<double>(std::max<std::size_t>(1, record.inputs.size()));
  main.CalculatorEngine().Replay(record, [&](std::size_t i) { work.Progress(static_cast<double>(i + 1) / inputs); });
  SendMessageW(list, WM_SETREDRAW, TRUE, 0);
  InvalidateRect(list, nullptr, TRUE);
}

}  // namespace

void CorrectTapeLine(MainWindowContext& main, int line) {
  if (line < 0) return;
  const std::size_t fixedLines = FixedLines(main);
  if (static_cast<std::size_t>(line) < fixedLines) {
    return Tell(main, "This line comes from a loaded tape; only numbers typed since can be corrected.",
                MB_ICONINFORMATION);
  }
  const InputRecord& record = main.CalculatorEngine().record();
  const std::optional<std::size_t> which = EnteredNumberOnLine(record, static_cast<std::size_t>(line) - fixedLines);
  if (!which) {
    return Tell(main,
                "Only a number typed on the keys can be corrected; this line is a result, a note or a side "
                "calculator's line.",
                MB_ICONINFORMATION);
  }
  const std::string shown = EnteredNumbers(record)[*which].shown;
  const std::wstring typed = ui::InputBox(main.Owner(), L"The number should have been:", L"Correct Entry", Wide(shown));
  if (typed.empty() || Narrow(typed) == shown) return;
  if (!CorrectTypedNumber(main, *which, Narrow(typed))) {
    Tell(main, "\"" + Narrow(typed) + "\" cannot be typed as that number; nothing was changed.", MB_ICONERROR);
  }
}

bool CorrectTypedNumber(MainWindowContext& main, std::size_t which, std::string_view typed) {
  std::string value;
  for (const char c : typed) {
    if (c != ',' && c != ' ') value.push_back(c);
  }
  const InputRecord record = main.CalculatorEngine().record();
  const std::optional<Correction> correction = CorrectNumber(record, which, value);
  if (!correction) return false;
  const std::size_t fixedLines = FixedLines(main);
  main.RecordBeforeCorrection() = record;
  Remake(main, correction->record, fixedLines);
  main.CalculatorEngine().AppendTapeLine(correction->note, "");
  return true;
}

void UndoCorrection(MainWindowContext& main) {
  std::optional<InputRecord>& before = main.RecordBeforeCorrection();
  if (!before) return Tell(main, "There is no correction to undo.", MB_ICONINFORMATION);
  const InputRecord record = std::move(*before);
  before.reset();
  Remake(main, record, FixedLines(main));
}

void ExportTapeTo(MainWindowContext& main, const std::string& path) {
  const TapeFileResult exported = ExportTapeCsv(path, main.TapeLines());
  Tell(main, exported.message, exported.ok ? 0 : MB_ICONERROR);
}

void RunExportTape(MainWindowContext& main) {
  const std::string& settings = main.SettingsPath();
  const std::string folder = settings.substr(0, settings.find_last_of("\\/") + 1);
  const std::wstring chosen = ui::SaveFileDialog(main.Owner(), L"Export Tape", L"CSV files (*.csv)|*.csv|All files (*.*)|*.*",
                                                 L"csv", Wide(folder + "TallixTape.csv"));
  if (!chosen.empty()) ExportTapeTo(main, ui::WideToUtf8(chosen));
}

}  // namespace tallix
