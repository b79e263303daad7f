// The record an engine's inputs make, begun, ended input by input, and made
// again by a replay.
#include "engine/recorder.h"

#include "engine/engine.h"

namespace tallix {

void Recorder::CallBegun(const EngineInput& input, const std::string& entry) {
  typed_ = started_ = written_ = false;
  // A replayed input keeps what the record says of it.
  Made().inputs.push_back(input);
  currentInput_ = Made().inputs.size() - 1;
  if (!replaying_) entryBefore_ = entry;
}

void Recorder::CallEnded(const std::string& entry) {
  if (--depth_ > 0) return;
  if (replaying_) {
    if (restartPending_) Restart();
    CheckpointIfDue(replayed_.checkpoints, replayed_.inputs.size(), nextText_, nextAnswer_, replayed_.tapeLines);
    return;
  }
  if (!record_.inputs.empty()) {
    EngineInput& input = record_.inputs.back();
    input.typesEntry = typed_ && !written_;
    input.startsEntry = started_;
    input.keepsEntry = !input.typesEntry && !entryBefore_.empty() && entry == entryBefore_;
  }
  if (restartPending_) return Restart();
  CheckpointIfDue(record_.checkpoints, record_.inputs.size(), record_.texts.size(), record_.answers.size(),
                  record_.tapeLines);
  Tell();
}

void Recorder::CheckpointIfDue(std::vector<RecordCheckpoint>& into, std::size_t inputs, std::size_t texts,
                               std::size_t answers, std::size_t lines) {
  if (inputs - (into.empty() ? 0 : into.back().inputs) < kInputsPerCheckpoint) return;
  into.push_back({inputs, texts, answers, lines, engine_.state(), engine_.ShownNow()});
}

void Recorder::Restart() {
  restartPending_ = false;
  ++starts_;
  record_ = InputRecord{};
  record_.start = engine_.state();
  record_.startTexts = engine_.ShownNow();
  ++revision_;
  Tell();
}

void Recorder::Adopt(const InputRecord& record, std::size_t tapeLines) {
  record_ = record;
  record_.checkpoints.clear();
  record_.bankChanges.clear();
  record_.bankChangesKept = false;
  record_.tapeLines = tapeLines;
  ++revision_;
  Tell();
}

void Recorder::WriteSettings(std::initializer_list<SettingWrite> writes) {
  if (!replaying_) return settings_.WriteMany(writes);
  for (const auto& [section, key, value] : writes) heldSettings_[{std::string(section), std::string(key)}] = value;
}

void Recorder::BeginReplay(const InputRecord& record, const RecordCheckpoint* from) {
  replaying_ = &record;
  nextText_ = from ? from->texts : 0;
  nextAnswer_ = from ? from->answers : 0;
  // The checkpoints and bank changes up to the start still hold; the others
  // are made again.
  replayed_ = record.UpTo(from);
}

void Recorder::EndReplay(bool write) {
  replaying_ = nullptr;
  record_ = std::move(replayed_);
  std::vector<SettingWrite> writes;
  for (const auto& [where, value] : heldSettings_) writes.push_back({where.first, where.second, value});
  if (write) settings_.WriteMany(writes);
  heldSettings_.clear();
  ++revision_;
  Tell();
}

}  // namespace tallix
