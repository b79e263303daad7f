#pragma once
// The words of the transfer test that its window, its report and tallix-cli
// share: the status line's stages and the messages of a failed step.

#include <cstdint>
#include <string>
#include <string_view>

#include "tools/transfer/transfer_io.h"

namespace tallix::transfer {

enum class Stage { kWriting, kClearingCache, kReading, kDeleting, kFinished };

// "Writing Data...", "Clearing File Cache...", ... "Finished".
std::string_view StageText(Stage stage);
// The stage with the share of its work done: "Writing Data... 42%".
std::string StageProgressText(Stage stage, int percent);

// The test file in `folder`; the separator is added even after a drive root
// (a doubled separator after "C:\" is one to Windows).
std::string TestFilePath(std::string_view folder, char separator);
inline constexpr char kTestFileName[] = "NW_SpeedTest.dat";

// Why the run left `path` alone, naming it (or its folder, when another run holds it).
std::string RefusalMessage(Refusal refusal, std::string_view path);

// A run stopped by its user (a closed window, Ctrl+C).
inline constexpr char kStoppedMessage[] = "The test was stopped";

// The messages of clearing the file cache.
std::string UnableToFindMessage(std::string_view path);
std::string OpenErrorMessage(std::uint32_t systemError);
std::string AllocationErrorMessage(std::uint32_t systemError);
inline constexpr char kNotEnoughMemoryMessage[] = "Not enough memory for file reading";
inline constexpr char kReadErrorMessage[] = "Error on reading file";
// The system's cache could not be told to let go of the file.
std::string FlushErrorMessage(std::string_view path, std::string_view reason);
std::string DropErrorMessage(std::string_view path, std::string_view reason);

}  // namespace tallix::transfer
