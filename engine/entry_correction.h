#pragma once
// Correcting a number typed long ago: the record of the tape with that
// number's keys replaced, replayed, makes the tape as if it had been typed
// right.
#include <cstddef>
#include <functional>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "engine/input_record.h"

namespace tallix {

class Engine;
class EngineHost;

// A number typed into the calculator: a run of inputs that type into the
// entry, from the one that began it in an empty entry, with any that left
// the entry open between them (positions in the record's inputs).
struct EnteredNumber {
  std::size_t firstInput = 0, lastInput = 0;
};

// The typed numbers of the record, first to last.
std::vector<EnteredNumber> EnteredNumbers(const InputRecord& record);

// What the display showed after typed number `which`'s last key; nullopt
// when there is no such number.
std::optional<std::string> ShownNumber(const InputRecord& record, std::size_t which);

// Which of them (its position in EnteredNumbers) tape line `line` shows,
// counting the record's lines from 0; nullopt for lines of results, side
// tools, copies and the like.
std::optional<std::size_t> EnteredNumberOnLine(const InputRecord& record, std::size_t line);

// Whether `value` can be typed in the record's number system at its end:
// digits of the radix, at most one point (decimal only), an optional leading
// "-" (decimal only), at most 18 digits.
bool IsTypableNumber(std::string_view value, bool decimal, int radix);

// The number typed into a correction box as its keys type it: the grouping
// commas and blanks a shown number carries dropped ("1,000" is 1000).
std::string CorrectionKeysText(std::string_view typed);

// What undoes a correction later, keeping what was typed since: the keys
// that typed the number at first, and where the correction's keys and its
// note are in the record.
struct CorrectionUndo {
  std::size_t firstInput = 0, endOfRetyped = 0;  // the retyped keys, then those that typed nothing
  std::vector<EngineInput> typed;                // the keys of the number as first typed
  std::size_t noteInput = 0, noteText = 0;       // the note's input and the first of its two texts
};

// Typed number `which` typed as `value` instead (the keys of the keypad:
// digits, point, then "+/-" for a leading "-"), worked out with the record
// replayed only as far as that number.
struct PlannedCorrection {
  EnteredNumber replaced;     // where the number was in the record
  InputRecord record;         // the record with the number retyped
  std::size_t lastInput = 0;  // the retyped number's last input in it
  std::string shownBefore;    // the display after the number as it was typed
  CorrectionUndo undo;        // where its note will be is known once it is written
};
// nullopt when there is no such number or `value` cannot be typed there.
std::optional<PlannedCorrection> PlanCorrection(const InputRecord& record, std::size_t which, std::string_view value);

// The tape line that says what a correction changed, "(Corrected 12 to 15)",
// the two numbers as the display showed them.
std::string CorrectionNote(std::string_view shownBefore, std::string_view shownAfter);

// `record` (which began as the corrected record) with the number typed as
// first and without the note; nullopt when the record is no longer one that
// began so.
std::optional<InputRecord> WithCorrectionUndone(const InputRecord& record, const CorrectionUndo& undo);

// What a correction makes of the tape: its lines from `first` to `end` (not
// included, counted on the whole tape) give way to `lines`, and `note` then
// goes on after its last line.
struct TapeSplice {
  std::size_t first = 0, end = 0;
  std::vector<std::string> lines;
  std::string note;
};
// The splice's lines put on a tape held as lines (the engine writes the note).
void SpliceLines(std::vector<std::string>& tape, const TapeSplice& splice);

struct MadeCorrection {
  TapeSplice splice;
  CorrectionUndo undo;
  bool stoppedEarly = false;  // the replay met the calculator as it was and kept the rest
};
// The correction `plan`, made on `engine`'s own record, whose host `host`
// holds `fixedLines` lines (a loaded tape's) before the record's. The record
// is replayed from the checkpoint before the number through a host that
// shows nothing, stopping where the calculator stands as it stood before;
// `putLines` then puts the splice's lines on the tape, the engine shows where
// it stands and writes the note. `afterInput` is told each replayed input.
MadeCorrection CorrectInPlace(Engine& engine, const PlannedCorrection& plan, EngineHost& host, std::size_t fixedLines,
                              const std::function<void(const TapeSplice&)>& putLines,
                              const std::function<void(std::size_t)>& afterInput = {});

}  // namespace tallix
