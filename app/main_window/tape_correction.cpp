#include "app/main_window/tape_correction.h"

#include <windows.h>

#include <string>

#include "app/main_window/control_ids.h"
#include "app/main_window/tape_list.h"
#include "engine/deferred_host.h"
#include "engine/entry_correction.h"
#include "side_window/wide_text.h"
#include "ui/control_helpers.h"
#include "ui/input_box.h"
#include "ui/stepped_work.h"
#include "ui/utf8_text.h"

namespace tallix {
namespace {

void Tell(MainWindowContext& main, const std::string& message, UINT icon) {
  MessageBoxW(main.Owner(), Wide(message).c_str(), L"Tallix", MB_OK | icon | MB_TASKMODAL | MB_SETFOREGROUND);
}

// Asks for the number typed number `which` should have been and corrects it.
void AskAndCorrect(MainWindowContext& main, std::size_t which) {
  const std::string shown = ShownNumber(main.CalculatorEngine().record(), which).value_or("");
  const std::wstring typed = ui::InputBox(main.Owner(), L"The number should have been:", L"Correct Entry", Wide(shown));
  if (typed.empty() || Cp1252FromWide(typed) == shown) return;
  if (!CorrectTypedNumber(main, which, Cp1252FromWide(typed))) {
    Tell(main, "\"" + Cp1252FromWide(typed) + "\" cannot be typed as that number; nothing was changed.", MB_ICONERROR);
  }
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
  AskAndCorrect(main, *which);
}

void CorrectLastEntry(MainWindowContext& main) {
  const std::size_t typed = EnteredNumbers(main.CalculatorEngine().record()).size();
  if (typed == 0) {
    return Tell(main, "No number has been typed since the tape was last cleared or loaded.", MB_ICONINFORMATION);
  }
  AskAndCorrect(main, typed - 1);
}

bool CorrectTypedNumber(MainWindowContext& main, std::size_t which, std::string_view typed) {
  Engine& engine = main.CalculatorEngine();
  const std::optional<PlannedCorrection> plan = PlanCorrection(engine.record(), which, CorrectionKeysText(typed));
  if (!plan) return false;
  HWND list = main.Control(ids::kTapeList);
  ui::LongWork work(main.Owner(), L"Correct Entry", L"Making the tape again");
  const MadeCorrection made = CorrectInPlace(
      engine, *plan, main.CalculatorHost(), FixedLines(main),
      [&](const TapeSplice& splice) {
        ReplaceTapeLines(list, main.KeptTapeLines(), splice.first, splice.end, splice.lines, work);
      },
      ReplayProgress(work, plan->record));
  main.LastCorrection() = MainWindowContext::LastCorrectionUndo{made.undo, engine.recordStarts()};
  return true;
}

void UndoCorrection(MainWindowContext& main) {
  std::optional<MainWindowContext::LastCorrectionUndo>& last = main.LastCorrection();
  if (!last) return Tell(main, "There is no correction to undo.", MB_ICONINFORMATION);
  const MainWindowContext::LastCorrectionUndo undo = std::move(*last);
  last.reset();
  Engine& engine = main.CalculatorEngine();
  // What was typed since stays; a tape cleared or loaded since has no
  // correction left in it.
  const std::optional<InputRecord> undone =
      undo.recordStarts == engine.recordStarts() ? WithCorrectionUndone(engine.record(), undo.undo) : std::nullopt;
  if (!undone) {
    return Tell(main, "The tape was cleared or loaded since the last correction; there is nothing to undo.",
                MB_ICONINFORMATION);
  }
  HWND list = main.Control(ids::kTapeList);
  const std::size_t fixedLines = FixedLines(main);
  const RecordCheckpoint* start = CheckpointBefore(*undone, undo.undo.firstInput);
  ui::LongWork work(main.Owner(), L"Correct Entry", L"Making the tape again");
  DeferredHost replayed(main.CalculatorHost(), fixedLines + (start ? start->tapeLines : 0));
  const auto progress = ReplayProgress(work, *undone);
  engine.Replay(*undone, {.afterInput =
                              [&](std::size_t i) {
                                progress(i);
                                return true;
                              },
                          .via = &replayed,
                          .from = start});
  ReplaceTapeLines(list, main.KeptTapeLines(), replayed.FirstLine(), TapeCount(list), replayed.Lines(), work);
  replayed.ShowOnTarget();
}

}  // namespace tallix
