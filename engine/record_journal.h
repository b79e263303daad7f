#pragma once
// The tape journal's format: an input record written as it grows, so that a
// window that did not close normally can make the same tape again. A journal
// is text, one entry per line:
//
//   TALLIX TAPE JOURNAL 3
//   S <the record's start state>       the record began here
//   W <the display and panes then>
//   L <line>                           the tape lines before it (a loaded tape)
//   . <checksum>                       the start is whole
//   T <text> / A <0|1> / I <input>     what the record gained
//   O <line>                           the tape lines it wrote meanwhile
//   E <state> <display and panes>      where the calculator then stood
//   . <checksum>                       ... and that batch is whole
//
// Each batch is appended whole and ends with the CRC-32 of its bytes up to
// and with its '.', as 8 hex digits; a journal cut off anywhere (a power
// cut, a killed process) reads back up to its last whole batch, and so does
// one with a batch whose checksum fails (a damaged disk). Journals of
// version 1, whose batches end with a bare '.', still read. The states of
// versions 1 and 2 end before the rounding rule and the grand total, which
// then keep their defaults. Texts are bytes with '%', blanks and
// control characters written as %XX, so every entry is one line. Values are
// their exact bits.
#include <cstddef>
#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "engine/input_record.h"

namespace tallix {

inline constexpr std::string_view kJournalHeading = "TALLIX TAPE JOURNAL 3";
// The heading of journals without checksums.
inline constexpr std::string_view kJournalHeadingVersion1 = "TALLIX TAPE JOURNAL 1";
// The heading of journals with checksums whose states end at lastTapeIndex.
inline constexpr std::string_view kJournalHeadingVersion2 = "TALLIX TAPE JOURNAL 2";

// The end of a batch: the tape lines the record wrote since the batch before,
// and the calculator as it stands after them. With it a journal's tape comes
// back without replaying the record.
struct JournalBatchEnd {
  std::span<const std::string> lines;
  EngineState state;
  ShownTexts shown;
};

// Where a journal file begins: the heading line.
inline std::string JournalFileHeading() { return std::string(kJournalHeading) + "\n"; }

// The record's start, the tape lines before it, and all the record holds so
// far as one batch: appended when the record begins again (Clear Tape, a
// loaded tape) or was changed (a correction); the last whole start counts.
std::string EncodeJournalStart(const InputRecord& record, std::span<const std::string> linesBefore,
                               const JournalBatchEnd* end = nullptr);

// Where the journal stands: how much of the record it holds.
struct JournalMark {
  std::size_t inputs = 0, texts = 0, answers = 0;
  static JournalMark Of(const InputRecord& record) {
    return {record.inputs.size(), record.texts.size(), record.answers.size()};
  }
};

// What the record gained since `from`, as one batch appended to `out` (nothing
// when it gained nothing), with the batch's end when given.
void AppendJournalBatch(const InputRecord& record, const JournalMark& from, std::string& out,
                        const JournalBatchEnd* end = nullptr);

struct ReadJournal {
  InputRecord record;  // start, inputs, texts and answers; no checkpoints
  std::vector<std::string> linesBefore;
  // When every batch since the start ended with where the calculator stood:
  // the tape lines the record wrote, and the calculator after them.
  struct End {
    std::vector<std::string> lines;
    EngineState state;
    ShownTexts shown;
  };
  std::optional<End> end;
  bool cutOff = false;        // bytes after the last whole batch were left out
  bool currentFormat = true;  // of kJournalHeading's version
};

// nullopt when the bytes are not a journal, or one whose start is not whole.
std::optional<ReadJournal> DecodeJournal(std::string_view bytes);

// Empty, a heading or part of one, or a heading and no whole batch: what a
// window leaves that stopped before its first start was written.
bool JournalHoldsNoStart(std::string_view bytes);

}  // namespace tallix
