#include "app/main_window/tape_correction.h"

#include <windows.h>

#include <algorithm>
#include <functional>
#include <span>
#include <string>
#include <vector>

#include "app/main_window/control_ids.h"
#include "app/main_window/wide_text.h"
#include "app/tape/tape_csv.h"
#include "engine/deferred_host.h"
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
  HWND list = GetDlgItem(main.Owner(), ids::kTapeList);
  const auto all = static_cast<std::size_t>(std::max<LRESULT>(0, SendMessageW(list, LB_GETCOUNT, 0, 0)));
  const std::size_t recorded = main.CalculatorEngine().record().tapeLines;
  return all > recorded ? all - recorded : 0;
}

// The tape list's lines from `from` on made `lines`. A corrected number
// changes few lines after its own (the totals), and the list box's work is
// most of the cost of a correction, so only lines that differ are replaced,
// unless most do.
void ReplaceTapeFrom(HWND list, std::size_t from, std::span<const std::string> lines, ui::LongWork& work) {
  const auto count = static_cast<std::size_t>(std::max<LRESULT>(0, SendMessageW(list, LB_GETCOUNT, 0, 0)));
  const std::size_t old = count > from ? count - from : 0;
  const std::size_t overlap = std::min(old, lines.size());
  const double steps = static_cast<double>(std::max<std::size_t>(1, overlap + lines.size()));
  std::vector<std::size_t> differing;
  std::wstring buffer;
  for (std::size_t k = 0; k < overlap; ++k) {
    const auto index = static_cast<WPARAM>(from + k);
    buffer.resize(static_cast<std::size_t>(std::max<LRESULT>(0, SendMessageW(list, LB_GETTEXTLEN, index, 0))) + 1);
    const LRESULT copied = SendMessageW(list, LB_GETTEXT, index, reinterpret_cast<LPARAM>(buffer.data()));
    if (Narrow(std::wstring_view(buffer.data(), static_cast<std::size_t>(std::max<LRESULT>(0, copied)))) != lines[k])
      differing.push_back(k);
    work.Progress(0.5 + 0.5 * static_cast<double>(k) / steps);
  }
  const auto deleteFromEnd = [&](std::size_t down, std::size_t to) {
    for (std::size_t index = down; index > to; --index) SendMessageW(list, LB_DELETESTRING, index - 1, 0);
  };
  const auto put = [&](std::size_t k, bool insert) {
    SendMessageW(list, insert ? LB_INSERTSTRING : LB_ADDSTRING, insert ? from + k : 0,
                 reinterpret_cast<LPARAM>(Wide(lines[k]).c_str()));
    work.Progress(0.5 + 0.5 * static_cast<double>(overlap + k) / steps);
  };
  // Each line drawn as it comes would double the time.
  SendMessageW(list, WM_SETREDRAW, FALSE, 0);
  std::size_t kept = overlap;
  if (differing.size() * 2 > old + lines.size()) {
    if (from == 0) {
      SendMessageW(list, LB_RESETCONTENT, 0, 0);
    } else {
      deleteFromEnd(count, from);
    }
    kept = 0;
  } else {
    for (std::size_t k : differing) {
      SendMessageW(list, LB_DELETESTRING, from + k, 0);
      put(k, true);
    }
    deleteFromEnd(count, from + overlap);
  }
  for (std::size_t k = kept; k < lines.size(); ++k) put(k, false);
  SendMessageW(list, WM_SETREDRAW, TRUE, 0);
  InvalidateRect(list, nullptr, TRUE);
}

// The tape after its fixed lines, the display, the panes and the engine made
// again from `record`, whose first `keptLines` lines are on the tape already:
// replayed in memory, then shown once, behind a progress window when that
// takes long. `watch` sees the replay after each input.
void Remake(MainWindowContext& main, const InputRecord& record, std::size_t fixedLines, std::size_t keptLines,
            const std::function<void(std::size_t, DeferredHost&)>& watch = {}) {
  ui::LongWork work(main.Owner(), L"Correct Entry", L"Making the tape again");
  DeferredHost deferred(main.CalculatorHost(), fixedLines);
  const double inputs = static_cast<double>(std::max<std::size_t>(1, record.inputs.size()));
  main.CalculatorEngine().Replay(record, {.afterInput =
                                              [&](std::size_t i) {
                                                if (watch) watch(i, deferred);
                                                work.Progress(0.5 * static_cast<double>(i + 1) / inputs);
                                                return true;
                                              },
                                          .via = &deferred});
  const std::size_t kept = deferred.FirstLine() == fixedLines ? std::min(keptLines, deferred.Lines().size()) : 0;
  ReplaceTapeFrom(GetDlgItem(main.Owner(), ids::kTapeList), deferred.FirstLine() + kept,
                  std::span(deferred.Lines()).subspan(kept), work);
  deferred.ShowOnTarget();
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
  const std::string shown = ShownNumber(record, *which).value_or("");
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
  const InputRecord& record = main.CalculatorEngine().record();
  const std::optional<PlannedCorrection> plan = PlanCorrection(record, which, value);
  if (!plan) return false;
  const std::size_t fixedLines = FixedLines(main);
  main.RecordBeforeCorrection() = record;
  std::string shownAfter;
  Remake(main, plan->record, fixedLines, plan->linesBefore, [&](std::size_t i, DeferredHost& replayed) {
    if (i == plan->lastInput) shownAfter = replayed.GetDisplayText();
  });
  main.CalculatorEngine().AppendTapeLine(CorrectionNote(plan->shownBefore, shownAfter), "");
  return true;
}

void UndoCorrection(MainWindowContext& main) {
  std::optional<InputRecord>& before = main.RecordBeforeCorrection();
  if (!before) return Tell(main, "There is no correction to undo.", MB_ICONINFORMATION);
  const InputRecord record = std::move(*before);
  before.reset();
  Remake(main, record, FixedLines(main), 0);
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
