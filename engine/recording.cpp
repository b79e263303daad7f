// Replaying a record through the engine: whole, from a checkpoint, or
// changed and only until it meets the calculator as it stood; and taking one
// over without running it.
#include <algorithm>

#include "engine/engine.h"

namespace tallix {

void Engine::AdoptRecord(const InputRecord& record, const EngineState& end, const ShownTexts& shown,
                         std::size_t tapeLines) {
  state_ = end;
  host_->Show(shown);
  host_->SelectTapeLine(state_.lastTapeIndex);
  recorder_.Adopt(record, tapeLines);
}

void Engine::Replay(const InputRecord& record, const ReplayOptions& options) {
  EngineHost* const own = host_;
  if (options.via) host_ = options.via;
  const RecordCheckpoint* from = options.from;
  state_ = from ? from->state : record.start;
  host_->Show(from ? from->shown : record.startTexts);
  recorder_.BeginReplay(record, from);
  bool stopped = false;
  for (std::size_t input = from ? from->inputs : 0; input < record.inputs.size() && !stopped; ++input) {
    Run(record.inputs[input]);
    stopped = options.afterInput && !options.afterInput(input);
  }
  host_->SelectTapeLine(state_.lastTapeIndex);
  host_ = own;
  recorder_.EndReplay(!stopped);
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

// An input's position once the inputs before it moved by `shift`.
std::size_t Moved(std::size_t input, std::ptrdiff_t shift) {
  return static_cast<std::size_t>(static_cast<std::ptrdiff_t>(input) + shift);
}

}  // namespace

void Engine::CarryBanksOn(const InputRecord& before, const RecordCheckpoint& met, std::ptrdiff_t shift,
                          const EngineState& finalState) {
  InputRecord& made = recorder_.record_;
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
      made.bankChanges.push_back(*change);
      made.bankChanges.back().input = Moved(change->input, shift);
    }
  };
  for (auto later = before.checkpoints.begin() + (&met - before.checkpoints.data()) + 1;
       later != before.checkpoints.end(); ++later) {
    applyUpTo(later->inputs);
    RecordCheckpoint& kept = made.checkpoints.emplace_back(*later);
    kept.inputs = Moved(later->inputs, shift);
    kept.state.banks = banks;
    kept.shown.memory = MemoryPaneText(kept.state);
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
  Recorder& r = recorder_;
  InputRecord& made = r.record_;
  const InputRecord before = std::move(made);
  const EngineState finalState = state_;
  struct Changing {
    Recorder& r;
    explicit Changing(Recorder& recorder) : r(recorder) { r.changing_ = true; }
    ~Changing() {
      r.changing_ = false;
      r.Tell();
    }
  } changing(r);
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
                 meeting->texts != r.nextText_ || meeting->answers != r.nextAnswer_ ||
                 meeting->tapeLines != r.replayed_.tapeLines || !SameBut(state_, meeting->state, &EngineState::banks)) {
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
  made.inputs = changed.inputs;
  made.tapeLines = before.tapeLines;
  if (banksDiffer) {
    CarryBanksOn(before, *met, shift, finalState);
    return result;
  }
  state_ = finalState;
  for (const BankChange& change : before.bankChanges) {
    if (change.input < met->inputs) continue;
    made.bankChanges.push_back(change);
    made.bankChanges.back().input = Moved(change.input, shift);
  }
  for (auto later = before.checkpoints.begin() + (met - before.checkpoints.data()) + 1;
       later != before.checkpoints.end(); ++later) {
    made.checkpoints.push_back(*later);
    made.checkpoints.back().inputs = Moved(later->inputs, shift);
  }
  return result;
}

}  // namespace tallix
