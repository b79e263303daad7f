#pragma once
// The transfer test window's controls, for the window and for tools that read
// it from outside (the end-to-end probe).

namespace tallix::transfer::ids {

inline constexpr int kStartTest = 1000;
inline constexpr int kPrintResults = 1001;
inline constexpr int kExit = 2;
inline constexpr int kComputerName = 1003;
inline constexpr int kIpAddress = 1005;
inline constexpr int kFolder = 1007;
// The five fields of each column, top to bottom, from these on.
inline constexpr int kWritingFields = 1015;
inline constexpr int kReadingFields = 1020;
inline constexpr int kStatus = 1026;
inline constexpr int kReadNote = 1027;

}  // namespace tallix::transfer::ids
