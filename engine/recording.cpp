// The record of what made the tape, and its replay.
#include <algorithm>
#include <bit>

#include "engine/engine.h"

namespace tallix {

Engine::OutsideCall::OutsideCall(Engine& engine, EngineInput::Kind kind, std::int32_t value)
    : engine_(engine), recording_(engine.callDepth_++ == 0 && !engine.replaying_) {
  if (recording_) {
    engine_.record_.inputs.push_back({.kind = kind, .value = value});
    engine_.currentInput_ = engine_.record_.inputs.size() - 1;
  }
  if (engine_.callDepth_ == 1) {
    engine_.entryTyped_ = engine_.entryStarted_ = engine_.tapeWritten_ = false;
    // Only a recorded input is told whether it kept the entry.
    if (recording_) engine_.entryBefore_ = engine_.state_.entryText;
  }
}

Engine::OutsideCall::~OutsideCall() {
  InputRecord& record = engine_.record_;
  if (recording_ && !record.inputs.empty()) {
    record.inputs.back().typesEntry = engine_.entryTyped_ && !engine_.tapeWritten_;
    record.inputs.back().startsEntry = engine_.entryStarted_;
    record.inputs.back().keepsEntry = !record.inputs.back().typesEntry && !engine_.entryBefore_.empty() &&
                                      engine_.state_.entryText == engine_.entryBefore_;
  }
  if (--engine_.callDepth_ > 0) return;
  if (engine_.restartPending_) {
    engine_.RestartRecord();
  } else if (recording_) {
    engine_.CheckpointIfDue(record.checkpoints, record.inputs.size(), record.texts.size(), record.answers.size(),
                            record.tapeLines);
    engine_.TellRecordChanged();
  }
}

void Engine::RestartRecord() {
  restartPending_ = false;
  ++recordStarts_;
  record_ = InputRecord{};
  record_.start = state_;
  record_.startTexts = ShownNow();
  ++recordRevision_;
  TellRecordChanged();
}

void Engine::Show(const ShownTexts& shown) {
  host_->SetDisplayText(shown.display);
  host_->SetItemsText(shown.items);
  host_->SetAverageText(shown.average);
  host_->SetMemoryText(shown.memory);
  host_->SetNumLockText(shown.numLock);
  host_->ShowBank2Indicator(shown.bank2Shown);
}

void Engine::AdoptRecord(const InputRecord& record, const EngineState& end, const ShownTexts& shown,
                         std::size_t tapeLines) {
  record_ = record;
  record_.checkpoints.clear();
  record_.bankChanges.clear();
  record_.bankChangesKept = false;
  record_.tapeLines = tapeLines;
  state_ = end;
  Show(shown);
  host_->SelectTapeLine(state_.lastTapeIndex);
  ++recordRevision_;
  TellRecordChanged();
}

ShownTexts Engine::ShownNow() const {
  return {host_->GetDisplayText(), host_->GetItemsText(),   host_->GetAverageText(),
          host_->GetMemoryText(),  host_->GetNumLockText(), host_->IsBank2IndicatorShown()};
}

void Engine::CheckpointIfDue(std::vector<RecordCheckpoint>& into, std::size_t inputs, std::size_t texts,
                             std::size_t answers, std::size_t lines) {
  if (inputs - (into.empty() ? 0 : into.back().inputs) < kInputsPerCheckpoint) return;
  into.push_back({inputs, texts, answers, lines, state_, ShownNow()});
}

bool Engine::AskOutside(std::string_view caption, std::string_view text) {
  if (replaying_) return nextAnswer_ < replaying_->answers.size() && replaying_->answers[nextAnswer_++];
  const bool yes = host_->AskYesNo(caption, text);
  if (callDepth_ > 0) record_.answers.push_back(yes);
  return yes;
}

// Whether the clipboard took the text is part of the record: a replay must
// not write the "Copy" line of a copy that failed.
bool Engine::CopiedOutside(const std::string& text) {
  if (replaying_) return nextAnswer_ < replaying_->answers.size() && replaying_->answers[nextAnswer_++];
  const bool copied = host_->SetClipboardText(text);
  if (callDepth_ > 0) record_.answers.push_back(copied);
  return copied;
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
  const RecordCheckpoint* from = options.from;
  state_ = from ? from->state : record.start;
  const ShownTexts& shown = from ? from->shown : record.startTexts;
  Show(shown);
  replaying_ = &record;
  nextText_ = from ? from->texts : 0;
  nextAnswer_ = from ? from->answers : 0;
  // The checkpoints and bank changes up to the start still hold; the others
  // are made again.
  replayed_ = record.UpTo(from);
  std::size_t inputs = replayed_.inputs.size();
  bool stopped = false;
  while (inputs < record.inputs.size()) {
    currentInput_ = inputs;
    RunRecorded(record.inputs[inputs]);
    const bool goOn = !options.afterInput || options.afterInput(inputs);
    ++inputs;
    CheckpointIfDue(replayed_.checkpoints, inputs, nextText_, nextAnswer_, replayed_.tapeLines);
    if (!goOn) {
      stopped = true;
      break;
    }
  }
  replaying_ = nullptr;
  host_->SelectTapeLine(state_.lastTapeIndex);
  host_ = own;
  replayed_.inputs.insert(replayed_.inputs.end(),
                          record.inputs.begin() + static_cast<std::ptrdiff_t>(replayed_.inputs.size()),
                          record.inputs.begin() + static_cast<std::ptrdiff_t>(inputs));
  record_ = std::move(replayed_);
  if (!stopped) {
    for (const auto& [where, value] : replayedSettings_) settings_.Write(where.first, where.second, value);
  }
  replayedSettings_.clear();
  ++recordRevision_;
  TellRecordChanged();
}

namespace {

// Every field of the two the same but `part`.
template <class Whole, class Part>
bool SameBut(Whole a, const Whole& b, Part Whole::*part) {
  a.*part = b.*part;
  return a == b;
}

// Whether a bank was recalled in input `from` or later: from there on what
// the banks hold may reach the display and the tape.
bool RecalledFrom(const InputRecord& record, std::size_t from) {
  for (auto change = record.bankChanges.rbegin(); change != record.bankChanges.rend() && change->input >= from;
       ++change) {
    if (change->kind == BankChange::Kind::Recall) return true;
  }
  return false;
}

}  // namespace

void Engine::CarryBanksOn(const InputRecord& before, const RecordCheckpoint& met, std::ptrdiff_t shift,
                          const EngineState& finalState) {
  const auto moved = [shift](std::size_t input) {
    return static_cast<std::size_t>(static_cast<std::ptrdiff_t>(input) + shift);
  };
  MemoryBanks banks = state_.banks;
  auto change = std::find_if(before.bankChanges.begin(), before.bankChanges.end(),
                             [&](const BankChange& c) { return c.input >= met.inputs; });
  const auto applyUpTo = [&](std::size_t input) {
    for (; change != before.bankChanges.end() && change->input < input; ++change) {
      const std::size_t bank = change->bank;
      switch (change->kind) {
        case BankChange::Kind::Add:
          banks.value[bank] = banks.value[bank] + change->value;
          banks.text[bank] = BankTextAsAdded(banks.value[bank], *change);
          break;
        case BankChange::Kind::Set:
          banks.value[bank] = change->value;
          banks.text[bank] = change->text;
          break;
        case BankChange::Kind::Clear:
          banks.value[bank] = 0;
          banks.text[bank].clear();
          break;
        case BankChange::Kind::Recall: break;
      }
      record_.bankChanges.push_back(*change);
      record_.bankChanges.back().input = moved(change->input);
    }
  };
  for (auto later = before.checkpoints.begin() + (&met - before.checkpoints.data()) + 1;
       later != before.checkpoints.end(); ++later) {
    applyUpTo(later->inputs);
    RecordCheckpoint& kept = record_.checkpoints.emplace_back(*later);
    kept.inputs = moved(later->inputs);
    kept.state.banks = banks;
    kept.shown.memory =
        MemoryPaneText(kept.state.memoryBank, banks.text[static_cast<std::size_t>(kept.state.memoryBank)]);
  }
  applyUpTo(before.inputs.size());
  state_ = finalState;
  state_.banks = banks;
  for (std::size_t bank = 0; bank < 2; ++bank) {
    const MemoryBanks& was = finalState.banks;
    if (banks.text[bank] != was.text[bank] || banks.value[bank] != was.value[bank]) StoreBank(static_cast<int>(bank));
  }
  ShowMemoryPane();
}

Engine::ChangedReplay Engine::ReplayChanged(const InputRecord& changed, std::size_t first, std::size_t last,
                                            std::ptrdiff_t shift, EngineHost& via,
                                            const std::function<void(std::size_t)>& afterInput) {
  const InputRecord before = std::move(record_);
  const EngineState finalState = state_;
  struct Changing {
    Engine& engine;
    explicit Changing(Engine& e) : engine(e) { engine.changingRecord_ = true; }
    ~Changing() {
      engine.changingRecord_ = false;
      engine.TellRecordChanged();
    }
  } changing(*this);
  const RecordCheckpoint* const from = CheckpointBefore(changed, first);
  ChangedReplay result{from ? from->tapeLines : 0, std::nullopt};
  // The record's checkpoints after the replaced inputs, where the replay may
  // find the calculator as it was.
  auto meeting = std::upper_bound(before.checkpoints.begin(), before.checkpoints.end(), last,
                                  [](std::size_t n, const RecordCheckpoint& c) { return n < c.inputs; });
  const RecordCheckpoint* met = nullptr;
  bool banksDiffer = false;
  Replay(
      changed,
      {.afterInput =
           [&](std::size_t input) {
             if (afterInput) afterInput(input);
             const auto run = static_cast<std::ptrdiff_t>(input + 1);
             while (meeting != before.checkpoints.end() && static_cast<std::ptrdiff_t>(meeting->inputs) + shift < run) {
               ++meeting;
             }
             if (meeting == before.checkpoints.end() || static_cast<std::ptrdiff_t>(meeting->inputs) + shift != run ||
                 meeting->texts != nextText_ || meeting->answers != nextAnswer_ ||
                 meeting->tapeLines != replayed_.tapeLines || !SameBut(state_, meeting->state, &EngineState::banks)) {
               return true;
             }
             const ShownTexts shown = ShownNow();
             if (!SameBut(shown, meeting->shown, &ShownTexts::memory)) return true;
             banksDiffer = state_.banks != meeting->state.banks || shown.memory != meeting->shown.memory;
             // The calculator as it was but for its banks: the rest of the tape
             // stands if nothing later reads them, and the banks follow from
             // what the memory keys did to them.
             if (banksDiffer && (!before.bankChangesKept || RecalledFrom(before, meeting->inputs))) {
               return true;
             }
             met = &*meeting;
             return false;
           },
       .via = &via,
       .from = from});
  if (!met) return result;
  // The rest is as it was: the state, the settings written (a replay that
  // stops writes none), and the checkpoints after the meeting point, moved
  // with the inputs.
  result.rejoinedAtLine = met->tapeLines;
  record_.inputs = changed.inputs;
  record_.tapeLines = before.tapeLines;
  if (banksDiffer) {
    CarryBanksOn(before, *met, shift, finalState);
    return result;
  }
  state_ = finalState;
  for (const BankChange& change : before.bankChanges) {
    if (change.input < met->inputs) continue;
    record_.bankChanges.push_back(change);
    record_.bankChanges.back().input = static_cast<std::size_t>(static_cast<std::ptrdiff_t>(change.input) + shift);
  }
  for (auto later = before.checkpoints.begin() + (met - before.checkpoints.data()) + 1;
       later != before.checkpoints.end(); ++later) {
    record_.checkpoints.push_back(*later);
    record_.checkpoints.back().inputs = static_cast<std::size_t>(static_cast<std::ptrdiff_t>(later->inputs) + shift);
  }
  return result;
}

}  // namespace tallix
