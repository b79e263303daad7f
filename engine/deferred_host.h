#pragma once
// A host for a replay of thousands of operations whose steps nobody needs to
// see: it keeps the display, the panes, the key states, the menu checks and
// the tape lines in memory, and shows the host behind it only where the
// replay ended. A window would otherwise set its display and panes once per
// replayed key.
#include <array>
#include <cstddef>
#include <optional>
#include <string>
#include <vector>

#include "engine/engine_host.h"

namespace tallix {

class DeferredHost : public EngineHost {
 public:
  // The tape lines it is given follow the first `firstLine` lines of
  // `target`'s tape.
  DeferredHost(EngineHost& target, std::size_t firstLine);

  std::string GetDisplayText() override { return shown_.display; }
  void SetDisplayText(std::string_view text) override { shown_.display = text; }
  void SetItemsText(std::string_view text) override { shown_.items = text; }
  void SetAverageText(std::string_view text) override { shown_.average = text; }
  std::string GetAverageText() override { return shown_.average; }
  void SetMemoryText(std::string_view text) override { shown_.memory = text; }
  void SetNumLockText(std::string_view text) override { shown_.numLock = text; }
  std::string GetItemsText() override { return shown_.items; }
  std::string GetMemoryText() override { return shown_.memory; }
  std::string GetNumLockText() override { return shown_.numLock; }
  bool IsNumLockOn() override { return target_.IsNumLockOn(); }
  void ShowBank2Indicator(bool shown) override { shown_.bank2Shown = shown; }
  bool IsBank2IndicatorShown() override { return shown_.bank2Shown; }
  void EnableKey(Key key, bool enabled) override;
  void ShowKeyPressed(Key key, bool pressed) override;
  void CheckNumberSystemButton(int index) override { checkedSystem_ = index; }
  void CheckDecimalsMenuItem(int setting) override { checkedDecimals_ = setting; }
  void CheckDigitGroupingMenuItem(bool checked) override { groupingChecked_ = checked; }
  void CheckAutoDecimalMenuItem(bool checked) override { autoDecimalChecked_ = checked; }
  void FocusKeySink() override { focusAsked_ = true; }
  bool AskYesNo(std::string_view caption, std::string_view text) override { return target_.AskYesNo(caption, text); }
  int AddTapeLine(std::string_view line) override;
  void SelectTapeLine(int index) override { selectedLine_ = index; }
  void ClearTapeLines() override;
  bool SetClipboardText(std::string_view text) override { return target_.SetClipboardText(text); }
  std::string GetClipboardText() override { return target_.GetClipboardText(); }
  void StartStopStopwatch() override { target_.StartStopStopwatch(); }
  void OpenHelp() override { target_.OpenHelp(); }
  void AskForNote() override { target_.AskForNote(); }
  void PressWindowKey(Key key) override { target_.PressWindowKey(key); }

  // The tape lines given, which follow the first FirstLine() lines of the
  // target's tape (none once the tape was cleared).
  std::size_t FirstLine() const { return firstLine_; }
  const std::vector<std::string>& Lines() const { return lines_; }
  std::vector<std::string> TakeLines() { return std::move(lines_); }

  // Shows on the target the last display, panes, indicator, key states and
  // menu checks it was given, and brings the last line asked for into view.
  // The caller first puts Lines() on the target's tape, as it likes best.
  void ShowOnTarget();

 private:
  EngineHost& target_;
  std::size_t firstLine_;
  std::vector<std::string> lines_;
  ShownTexts shown_;
  std::array<std::optional<bool>, kKeyCount> enabled_{}, pressed_{};
  std::optional<int> checkedSystem_, checkedDecimals_, selectedLine_;
  std::optional<bool> groupingChecked_, autoDecimalChecked_;
  bool focusAsked_ = false;
};

}  // namespace tallix
