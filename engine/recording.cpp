// The record of what made the tape, and its replay.
#include <bit>

#include "engine/engine.h"

namespace tallix {

Engine::OutsideCall::OutsideCall(Engine& engine, EngineInput::Kind kind, std::int32_t value)
    : engine_(engine), recording_(engine.callDepth_++ == 0 && !engine.replaying_) {
  if (recording_) engine_.record_.inputs.push_back({kind, value});
  if (engine_.callDepth_ == 1) engine_.entryTyped_ = engine_.tapeWritten_ = false;
}

Engine::OutsideCall::~OutsideCall() {
  if (recording_ && !engine_.record_.inputs.empty())
    engine_.record_.inputs.back().typesEntry = engine_.entryTyped_ && !engine_.tapeWritten_;
  if (--engine_.callDepth_ == 0 && engine_.restartPending_) engine_.RestartRecord();
}

void Engine::RestartRecord() {
  restartPending_ = false;
  record_ = InputRecord{};
  record_.start = state_;
  record_.startTexts = {host_->GetDisplayText(), host_->GetItemsText(),  host_->GetAverageText(),
                        host_->GetMemoryText(),  host_->GetNumLockText(), host_->IsBank2IndicatorShown()};
}

bool Engine::AskOutside(std::string_view caption, std::string_view text) {
  if (replaying_) return nextAnswer_ < replaying_->answers.size() && replaying_->answers[nextAnswer_++];
  const bool yes = host_->AskYesNo(caption, text);
  if (callDepth_ > 0) record_.answers.push_back(yes);
  return yes;
}

bool Engine::NumLockOutside() {
  if (replaying_) return nextAnswer_ < replaying_->answers.size() && replaying_->answers[nextAnswer_++];
  const bool on = host_->IsNumLockOn();
  if (callDepth_ > 0) record_.answers.push_back(on);
  return on;
}

std::string Engine::ClipboardOutside() {
  if (replaying_) return nextText_ < replaying_->texts.size() ? replaying_->texts[nextText_++] : std::string();
  std::string text = host_->GetClipboardText();
  if (callDepth_ > 0) record_.texts.push_back(text);
  return text;
}

void Engine::WriteSetting(std::string_view section, std::string_view key, std::string_view value) {
  if (replaying_) {
    replayedSettings_[{std::string(section), std::string(key)}] = value;
  } else {
    settings_.Write(section, key, value);
  }
}

void Engine::SetCalcMode(int mode) {
  OutsideCall call(*this, EngineInput::Kind::SetCalcMode, mode);
  state_.calcMode = mode == 1 ? 1 : 0;
}

void Engine::SetTaxRate(float percent) {
  OutsideCall call(*this, EngineInput::Kind::SetTaxRate, std::bit_cast<std::int32_t>(percent));
  state_.taxRate = percent;
}

void Engine::SetLaptopKeys(bool on) {
  OutsideCall call(*this, EngineInput::Kind::SetLaptopKeys, on);
  state_.laptopKeys = on;
}

void Engine::EndEntry() {
  OutsideCall call(*this, EngineInput::Kind::EndEntry);
  state_.entryText.clear();
}

void Engine::RunRecorded(const EngineInput& input) {
  using Kind = EngineInput::Kind;
  switch (input.kind) {
    case Kind::PressKey: PressKey(static_cast<Key>(input.value)); break;
    case Kind::KeyDown: OnKeyDown(input.value); break;
    case Kind::KeyUp: OnKeyUp(input.value); break;
    case Kind::SetDecimals: SetDecimals(input.value); break;
    case Kind::ToggleDigitGrouping: ToggleDigitGrouping(); break;
    case Kind::ToggleAutoDecimal: ToggleAutoDecimal(); break;
    case Kind::CopyDisplay: CopyDisplay(); break;
    case Kind::PasteDisplay: PasteDisplay(); break;
    case Kind::UpdateNumLock: UpdateNumLock(); break;
    case Kind::AppendTapeLine: {
      const auto next = [this] {
        return nextText_ < replaying_->texts.size() ? replaying_->texts[nextText_++] : std::string();
      };
      const std::string number = next();
      AppendTapeLine(number, next());
      break;
    }
    case Kind::SetCalcMode: SetCalcMode(input.value); break;
    case Kind::SetTaxRate: SetTaxRate(std::bit_cast<float>(input.value)); break;
    case Kind::SetLaptopKeys: SetLaptopKeys(input.value != 0); break;
    case Kind::EndEntry: EndEntry(); break;
  }
}

void Engine::Replay(const InputRecord& record, const ReplayOptions& options) {
  EngineHost* const own = host_;
  if (options.via) host_ = options.via;
  state_ = record.start;
  const ShownTexts& shown = record.startTexts;
  host_->SetDisplayText(shown.display);
  host_->SetItemsText(shown.items);
  host_->SetAverageText(shown.average);
  host_->SetMemoryText(shown.memory);
  host_->SetNumLockText(shown.numLock);
  host_->ShowBank2Indicator(shown.bank2Shown);
  replaying_ = &record;
  nextText_ = nextAnswer_ = 0;
  replayedLines_ = 0;
  std::size_t inputs = 0;
  while (inputs < record.inputs.size()) {
    RunRecorded(record.inputs[inputs]);
    const bool goOn = !options.afterInput || options.afterInput(inputs);
    ++inputs;
    if (!goOn) break;
  }
  replaying_ = nullptr;
  host_->SelectTapeLine(state_.lastTapeIndex);
  host_ = own;
  record_ = record;
  record_.inputs.resize(inputs);
  record_.tapeLines = replayedLines_;
  for (const auto& [where, value] : replayedSettings_) settings_.Write(where.first, where.second, value);
  replayedSettings_.clear();
}

}  // namespace tallix
