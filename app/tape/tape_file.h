#pragma once
// Tape files: the tape as plain text that people can read and that Tallix can
// load again to continue it. Every tape line is right-aligned in a column of
// 30 characters under a dated heading; two trailer lines carry the display
// text and the last total. Bytes are Windows-1252, as the engine's texts are,
// and every line ends with CR LF. Paths are UTF-8, and so are the messages.

#include <cstddef>
#include <functional>
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "services/real.h"
#include "services/tape_stamp.h"

namespace tallix {

// 30 blanks, then "Tape Report (MM-DD-YYYY at HH:MM:SS)": the first line of
// the file and of the printed report.
std::string TapeReportHeading(const TapeStamp& stamp);

// The line after (30 - its length) blanks; a line of 30 or more characters as it is.
std::string RightAlignedTapeLine(std::string_view line);

// The tape lines right-aligned, each ended by CR LF: the body of the file, and
// the tape as text for the clipboard.
std::string FormatTapeLines(std::span<const std::string> lines);

// The whole file: heading, two empty lines, the tape lines right-aligned, an
// empty line, "** " and the display text, "*** " and the last total as a
// 15-digit number text (a leading blank unless negative).
std::string FormatTapeFile(std::span<const std::string> lines, std::string_view displayText, Real lastTotal,
                           const TapeStamp& stamp);

// The longest tape line; longer lines of a loaded file are cut to it.
inline constexpr std::size_t kMaxTapeLineLength = 259;

// Limits of a file to load. A saved tape takes 32 bytes for each line of up
// to 30 characters, so these are tapes of about two million lines, whose
// list already takes over 130 MB in the window. Beyond them a file is not a
// tape anyone saved, and loading it would only exhaust the memory.
inline constexpr std::size_t kMaxTapeFileBytes = std::size_t{64} << 20;
inline constexpr std::size_t kMaxLoadedTapeLines = 2'000'000;

// What a loaded file adds to the calculator.
struct LoadedTape {
  std::vector<std::string> lines;          // appended to the tape, in order
  std::optional<std::string> displayText;  // from the last "** " line, if any
  std::optional<Real> lastTotal;           // from the last "***" line, if any
};

// Reads the bytes as Load Tape always has: lines end at CR LF, CR or LF, lose
// their leading blanks and are cut to kMaxTapeLineLength; from the fourth on,
// every line not starting with "**" is a tape line. So a saved tape comes back
// with one empty line after its own (the separator before the trailers). A NUL
// byte, which would end the text in a window control, reads as "?". nullopt
// when the file holds more than kMaxLoadedTapeLines tape lines.
std::optional<LoadedTape> ParseTapeFile(std::string_view bytes);

// Outcome of saving or loading. `message` is what the user is told, naming the
// file: "File was saved as: PATH" after a save, or what went wrong and why.
// Every failure, a lack of memory included, comes back here and not as an
// exception.
struct TapeFileResult {
  bool ok = false;
  std::string message;
};

// Replaces the file with what `bytes` makes as ReplaceFileAtomically does,
// after removing the stale temporaries that earlier writes of the same file,
// killed mid-write, left behind (each as large as the tape). The message is
// `done` and the path, or says that the tape could not be `verb` and why.
TapeFileResult ReplaceTapeFile(const std::string& path, const std::function<std::string()>& bytes,
                               std::string_view done, std::string_view verb);

// Replaces the file atomically (a temporary file in the same folder, then a
// rename): a failure at any step leaves the old file as it was. A read-only
// file is not replaced, nor anything that is not a file; through a link, the
// link's file is.
TapeFileResult SaveTapeFile(const std::string& path, std::span<const std::string> lines, std::string_view displayText,
                            Real lastTotal, const TapeStamp& stamp);

struct TapeLoadResult {
  TapeFileResult result;
  LoadedTape tape;  // empty unless result.ok
};

// A file over kMaxTapeFileBytes is refused without reading further.
TapeLoadResult LoadTapeFile(const std::string& path);

}  // namespace tallix
