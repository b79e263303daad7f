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
// entry, and the display it left.
struct EnteredNumber {
  std::size_t firstInput = 0, lastInput = 0;  // positions in the record's inputs
  std::string shown;                          // the display after its last key
};

// The typed numbers of the record, first to last.
std::vector<EnteredNumber> EnteredNumbers(const InputRecord& record);

// Which of them (its position in EnteredNumbers) tape line `line` shows,
// counting the record's lines from 0; nullopt for lines of results, side
// tools, copies and the like.
std::optional<std::size_t> EnteredNumberOnLine(const InputRecord& record, std::size_t line);

// Whether `value` can be typed in the record's number system at its end:
// digits of the radix, at most one point (decimal only), an optional leading
// "-" (decimal only), at most 18 digits.
bool IsTypableNumber(std::string_view value, bool decimal, int radix);

// The record with typed number `which` typed as `value` instead (the keys of
// the keypad: digits, point, then "+/-" for a leading "-"). nullopt when there
// is no such number or `value` cannot be typed.
std::optional<InputRecord> WithNumberRetyped(const InputRecord& record, std::size_t which, std::string_view value);

// A correction: the record with the number retyped, and the tape line that
// says so at the end, "(Corrected 12 to 15)" with the two numbers as the
// display showed them.
struct Correction {
  InputRecord record;
  std::string note;
};
std::optional<Correction> CorrectNumber(const InputRecord& record, std::size_t which, std::string_view value);

// How many tape lines the record writes when replayed.
std::size_t TapeLinesOf(const InputRecord& record);

}  // namespace tallix
