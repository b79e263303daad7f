#pragma once
// An EngineHost that keeps the display and the panes in memory, for hosts
// without a window (tallix-cli, tests, benchmarks). Window-only services do
// nothing; the tape is kept unless a derived host overrides AddTapeLine.

#include <string>
#include <vector>

#include "engine/engine_host.h"

namespace tallix {

class BasicEngineHost : public EngineHost {
 public:
  std::string GetDisplayText() override { return display; }
  void SetDisplayText(std::string_view text) override { display = text; }
  void SetItemsText(std::string_view text) override { items = text; }
  void SetAverageText(std::string_view text) override { average = text; }
  std::string GetAverageText() override { return average; }
  void SetMemoryText(std::string_view text) override { memory = text; }
  void SetNumLockText(std::string_view text) override { numLock = text; }
  std::string GetItemsText() override { return items; }
  std::string GetMemoryText() override { return memory; }
  std::string GetNumLockText() override { return numLock; }
  bool IsNumLockOn() override { return numLockOn; }
  void ShowBank2Indicator(bool shown) override { bank2Shown = shown; }
  bool IsBank2IndicatorShown() override { return bank2Shown; }
  void EnableKey(Key, bool) override {}
  void ShowKeyPressed(Key, bool) override {}
  void CheckNumberSystemButton(int) override {}
  void CheckDecimalsMenuItem(int) override {}
  void CheckDigitGroupingMenuItem(bool) override {}
  void CheckAutoDecimalMenuItem(bool) override {}
  void FocusKeySink() override {}
  bool AskYesNo(std::string_view, std::string_view) override { return answerYes; }
  int AddTapeLine(std::string_view line) override {
    tape.emplace_back(line);
    return static_cast<int>(tape.size()) - 1;
  }
  void SelectTapeLine(int) override {}
  void ClearTapeLines() override { tape.clear(); }
  bool SetClipboardText(std::string_view text) override {
    if (clipboardRefuses) return false;
    clipboard = text;
    return true;
  }
  std::string GetClipboardText() override { return clipboard; }
  void StartStopStopwatch() override {}
  void OpenHelp() override {}
  void AskForNote() override {}
  void PressWindowKey(Key) override {}

  // The texts as a window would show them at creation.
  std::string display = "0";
  std::string items = " 0 Items";
  std::string average = " Avg = 0.00";
  std::string memory = " M1";
  std::string numLock;
  std::string clipboard;
  std::vector<std::string> tape;
  bool numLockOn = false;
  bool bank2Shown = false;
  bool answerYes = true;
  bool clipboardRefuses = false;
};

}  // namespace tallix
