// Number entry: digits, point, backspace, the clear keys, sign change, and the
// clipboard commands that replace the entry.
#include <algorithm>

#include "engine/display_text.h"
#include "engine/engine.h"
#include "services/number_text.h"

namespace tallix {

void Engine::EnterDigit(int value) {
  const bool inRange = value >= 0 && value <= 15;
  recorder_.Typed(inRange && (state_.entryText.empty() || state_.entryText == "0"));
  if (!inRange) return;
  const auto length = static_cast<std::int64_t>(state_.entryText.size());
  // A letter may make the entry one character longer than a digit can.
  const bool fits = value < 10 ? length < state_.maxEntryLength : length <= state_.maxEntryLength;
  if (fits) {
    if (state_.entryText == "0") state_.entryText.clear();
    state_.entryText.push_back(static_cast<char>(value < 10 ? '0' + value : 'A' + value - 10));
    const bool decimalDigit = value < 10 && state_.IsDecimal();
    if (decimalDigit && state_.autoDecimal) {
      host_->SetDisplayText(state_.entryText);
      ApplyAutoDecimal();
      if (state_.digitGrouping) GroupDigits();
    } else {
      // The display is set once, already grouped.
      host_->SetDisplayText(decimalDigit && state_.digitGrouping ? GroupedText(state_.entryText) : state_.entryText);
    }
    state_.entryMade = true;
  }
  Focus();
}

void Engine::EnterPoint() {
  recorder_.Typed(state_.entryText.empty() || state_.entryText == "0");
  if (static_cast<std::int64_t>(state_.entryText.size()) <= state_.maxEntryLength) {
    if (state_.entryText == "0") state_.entryText.clear();
    state_.entryText.push_back('.');
    host_->SetDisplayText(state_.entryText);
    if (state_.digitGrouping) GroupDigits();
    state_.entryMade = true;
  }
  Focus();
}

void Engine::Backspace() {
  recorder_.Typed(false);
  if (!state_.entryText.empty()) {
    state_.entryText.pop_back();
    host_->SetDisplayText(state_.entryText);
  }
  if (state_.entryText == "-") state_.entryText.clear();
  if (state_.entryText.empty()) ApplyDecimals();
  if (state_.IsDecimal()) {
    if (state_.autoDecimal) ApplyAutoDecimal();
    if (state_.digitGrouping) GroupDigits();
  }
  Focus();
}

void Engine::ClearEntry() {
  state_.entryText.clear();
  host_->SetDisplayText("");
  ApplyDecimals();
  Focus();
}

void Engine::ResetItems() {
  state_.entryText.clear();
  state_.total = 0;
  state_.itemCount = 0;
  state_.pendingOp = Operator::None;
}

void Engine::ClearAll() {
  ResetItems();
  host_->SetDisplayText("");
  ApplyDecimals();
  WriteTapeLine("Clear", "");
  UpdateItemCount();
  host_->SetAverageText(" AVG = 0.00");
  state_.averageShown = true;
  Focus();
}

void Engine::ClearTape() {
  const auto ask = [this] {
    return host_->AskYesNo("Calculator", "Clear tape history?  This also clears current calculations!\r\n");
  };
  if (recorder_.Outside(&InputRecord::answers, ask)) {
    host_->ClearTapeLines();
    recorder_.RestartAfterCall();
    ResetItems();
    ApplyDecimals();
    UpdateItemCount();
  }
  Focus();
}

namespace {

void DropLeadingBlanks(std::string& text) { text.erase(0, std::min(text.find_first_not_of(' '), text.size())); }

}  // namespace

void Engine::ChangeSign() {
  recorder_.Typed(false);
  std::string text = host_->GetDisplayText();
  if (!text.empty() && ReadDecimal(text) != 0) {
    std::string& entry = state_.entryText;
    // A pasted number carries a leading blank; a sign put before the blank
    // ("- 5") would make the number read as 0.
    DropLeadingBlanks(text);
    DropLeadingBlanks(entry);
    if (text.front() == '-') {
      text.erase(0, 1);
      if (!entry.empty() && entry.front() == '-') entry.erase(0, 1);
    } else {
      text.insert(0, "-");
      if (ParseLeadingNumber(entry) != 0) entry.insert(0, "-");
    }
    host_->SetDisplayText(text);
    state_.entryMade = true;
  }
  Focus();
}

void Engine::Copy() {
  const std::string text = host_->GetDisplayText();
  // A replay makes the tape again; it must not change what the user copied
  // since, so it only learns from the record whether the copy was made. The
  // tape says "Copy" only of a copy that was.
  const bool copied = recorder_.Outside(&InputRecord::answers, [&] { return host_->SetClipboardText(text); });
  if (copied) WriteTapeLine("Copy (" + text + ")", "");
  Focus();
}

void Engine::Paste() {
  const std::string text = recorder_.Outside(&InputRecord::texts, [this] { return host_->GetClipboardText(); });
  host_->SetDisplayText(text);
  state_.entryMade = true;
  // Further digits then extend the pasted number.
  state_.entryText = state_.IsDecimal() ? PlainNumberText(ReadDecimal(text), 15, true) : text;
  Focus();
}

void Engine::OnTapeLoaded(Real lastTotal) {
  ResetItems();
  state_.entryMade = false;
  state_.lastTotal = lastTotal;
  recorder_.Restart();
}

}  // namespace tallix
