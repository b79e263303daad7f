#pragma once
// Correcting a number typed long ago: the record of the tape with that
// number's keys replaced, replayed, makes the tape as if it had been typed
// right.
#include <cstddef>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "engine/input_record.h"

namespace tallix {

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

// Typed number `which` typed as `value` instead (the keys of the keypad:
// digits, point, then "+/-" for a leading "-"), worked out with the record
// replayed only as far as that number.
struct PlannedCorrection {
  EnteredNumber replaced;       // where the number was in the record
  InputRecord record;           // the record with the number retyped
  std::size_t lastInput = 0;    // the retyped number's last input in it
  std::size_t endOfRetyped = 0; // after the keys inside the old number that typed nothing
  std::vector<EngineInput> replacedInputs;  // the record's inputs from the number's first to its last
  std::size_t linesBefore = 0;  // the tape lines written before the number, the same in both
  std::string shownBefore;      // the display after the number as it was typed
};
// nullopt when there is no such number or `value` cannot be typed there.
std::optional<PlannedCorrection> PlanCorrection(const InputRecord& record, std::size_t which, std::string_view value);

// The tape line that says what a correction changed, "(Corrected 12 to 15)",
// the two numbers as the display showed them.
std::string CorrectionNote(std::string_view shownBefore, std::string_view shownAfter);

// What undoes a correction later, keeping what was typed since: the keys
// that typed the number at first, and where the correction's keys and its
// note are in the record.
struct CorrectionUndo {
  std::size_t firstInput = 0, endOfRetyped = 0;  // the retyped keys, then those that typed nothing
  std::vector<EngineInput> typed;                // the keys of the number as first typed
  std::size_t noteInput = 0, noteText = 0;       // the note's input and the first of its two texts
};
// The correction `plan`, which gave `after` with the note its last input.
CorrectionUndo UndoOf(const PlannedCorrection& plan, const InputRecord& after);
// `record` (which began as `after`) with the number typed as first and
// without the note; nullopt when the record is no longer one that began so.
std::optional<InputRecord> WithCorrectionUndone(const InputRecord& record, const CorrectionUndo& undo);

// A whole correction: the record with the number retyped and its note.
struct Correction {
  InputRecord record;
  std::string note;
};
std::optional<Correction> CorrectNumber(const InputRecord& record, std::size_t which, std::string_view value);

}  // namespace tallix
