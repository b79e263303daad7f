#pragma once
// Notes on the tape: a short text of the user's as a line of its own, in
// double quotes so that it reads as words and never as a number.
#include <cstddef>
#include <string>
#include <string_view>

namespace tallix {

inline constexpr std::size_t kMaxNoteLength = 60;

// The tape line of a note: its text without leading and trailing blanks,
// line breaks and tabs as blanks, cut to kMaxNoteLength, in double quotes;
// empty when nothing is left.
std::string NoteLine(std::string_view text);

// Why a note typed as `utf8` cannot go on the tape: the characters that the
// tape, kept in Windows-1252 like its files, would lose, each named. Empty
// when every character can be kept. UTF-8, for the note box and tallix-cli.
std::string NoteRefusal(std::string_view utf8);

// A line a note made (or a loaded line that looks like one).
bool IsNoteLine(std::string_view line);

}  // namespace tallix
