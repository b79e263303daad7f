#pragma once
// What the options window asks before a run: the test file's size in
// mebibytes and whether to delete the file afterwards. The entry is read
// here so that its refusals are the same wherever it is typed.

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace tallix::transfer {

inline constexpr std::int64_t kMebibyte = 1 << 20;

// What one run tests; a file size of 0 is a cancelled choice.
struct TransferChoice {
  std::int32_t fileSize = 0;  // mebibytes
  bool deleteWhenFinished = true;
};

struct SizeEntry {
  enum class Kind {
    kRun,      // mebibytes is the size to test
    kCancel,   // 0, empty or no number: the run ends as if cancelled
    kRefused,  // the window stays open with `message`
  };
  Kind kind = Kind::kCancel;
  std::int32_t mebibytes = 0;
  std::string message;
};

// The text read as a number and rounded to a whole one, half to even (2.5 is
// 2). A negative size, one beyond 32 bits, or one larger than `freeBytes`
// (when known) is refused: it would write nothing, or fill the disk.
SizeEntry ReadSizeEntry(std::string_view text, std::optional<std::uint64_t> freeBytes);

}  // namespace tallix::transfer
