#pragma once
// Fixed identifiers of the main window's controls.

namespace tallix::ids {

inline constexpr int kNumLockPane = 1000;
inline constexpr int kDatePane = 1001;
inline constexpr int kItemsPane = 1002;
inline constexpr int kAveragePane = 1003;
inline constexpr int kMemoryPane = 1004;
inline constexpr int kKeySink = 1005;
inline constexpr int kOptionDec = 1006;
inline constexpr int kOptionHex = 1007;
inline constexpr int kOptionBin = 1008;
inline constexpr int kOptionOct = 1009;
inline constexpr int kDisplay = 1011;
inline constexpr int kOptionFrame = 1012;
inline constexpr int kMem2Label = 1013;
inline constexpr int kTapeList = 1014;
inline constexpr int kSeparatorLine = 1015;
inline constexpr int kLaptopLabel = 1017;

inline constexpr int kKeyAlwaysOnTop = 1018;
inline constexpr int kKey1 = 1019;  // "1" to "9": 1019 to 1027
inline constexpr int kKeyA = 1028;  // "A" to "F": 1028 to 1033
inline constexpr int kKey2nd = 1034;
inline constexpr int kKeyArea = 1035;
inline constexpr int kKeyBack = 1036;
inline constexpr int kKeyCE = 1037;
inline constexpr int kKeyChg = 1038;
inline constexpr int kKeyClear = 1039;
inline constexpr int kKeyCnv = 1040;
inline constexpr int kKeyCT = 1041;
inline constexpr int kKeyDivide = 1042;
inline constexpr int kKeyPoint = 1043;
inline constexpr int kKeyEquals = 1044;
inline constexpr int kKeyFeed = 1045;
inline constexpr int kKeyHelp = 1046;
inline constexpr int kKeyReciprocal = 1047;
inline constexpr int kKeyLoan = 1048;
inline constexpr int kKeyMPlus = 1049;
inline constexpr int kKeyMC = 1050;
inline constexpr int kKeyMR = 1051;
inline constexpr int kKeyMS = 1052;
inline constexpr int kKeyMinus = 1053;
inline constexpr int kKeyTimes = 1054;
inline constexpr int kKeyPercent = 1055;
inline constexpr int kKeyPlus = 1056;
inline constexpr int kKeySign = 1057;
inline constexpr int kKeyTax = 1058;
inline constexpr int kKeyVol = 1059;
inline constexpr int kKey0 = 1060;
inline constexpr int kKeyTransfer = 1061;
inline constexpr int kKeyStart = 1062;
inline constexpr int kKeyLap = 1063;
inline constexpr int kTimeDisplay = 1064;
inline constexpr int kKeyReset = 1065;

inline constexpr int kTimerStopwatch = 1011;
inline constexpr int kTimerDate = 1017;
inline constexpr int kTimerJournal = 1012;

}  // namespace tallix::ids
