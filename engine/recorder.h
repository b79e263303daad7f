#pragma once
// What an engine keeps beside its calculator: the record of the inputs that
// made the tape, or in a replay the record replayed and the one it makes again.
// The engine's one entry opens a Call around each input: the outermost goes
// into the record, and what the outside world answers meanwhile goes through
// Outside.

#include <cstdint>
#include <initializer_list>
#include <map>
#include <string>
#include <string_view>
#include <type_traits>
#include <vector>

#include "engine/input_record.h"
#include "engine/settings_port.h"

namespace tallix {

class Engine;

// Told after every change of an engine's record: an input it gained, a record
// begun, a record replaced.
class RecordObserver {
 public:
  virtual void RecordChanged(const Engine& engine) = 0;

 protected:
  ~RecordObserver() = default;
};

class Recorder {
 public:
  Recorder(const Engine& engine, SettingsPort& settings) : engine_(engine), settings_(settings) {}

  const InputRecord& record() const { return record_; }
  std::uint64_t starts() const { return starts_; }
  std::uint64_t revision() const { return revision_; }
  void SetObserver(RecordObserver* observer) { observer_ = observer; }
  bool replaying() const { return replaying_ != nullptr; }

  // `entry`: the engine's entry text, read again when the call ends.
  class Call {
   public:
    Call(Recorder& recorder, const EngineInput& input, const std::string& entry) : recorder_(recorder), entry_(entry) {
      if (recorder_.depth_++ == 0) recorder_.CallBegun(input, entry);
    }
    ~Call() { recorder_.CallEnded(entry_); }

   private:
    Recorder& recorder_;
    const std::string& entry_;
  };

  // What the outside world answers (T bool: a question, NumLock, a copy; T
  // std::string: a text) to `ask`, kept in the record's `list`; in a replay
  // the record's next one instead, and the outside world is not asked.
  template <class T, class Ask>
  T Outside(std::vector<T> InputRecord::*list, Ask&& ask) {
    std::size_t& next = std::is_same_v<T, bool> ? nextAnswer_ : nextText_;
    if (replaying_) {
      const auto& kept = replaying_->*list;
      return next < kept.size() ? T(kept[next++]) : T();
    }
    T answer = ask();
    // Only the outermost call is in the record, and so only what it was told.
    if (depth_ == 1) (record_.*list).push_back(answer);
    return answer;
  }
  // A replay may run thousands of inputs that each write a setting: only the
  // last value of each key is written, once the replay is over.
  void WriteSettings(std::initializer_list<SettingWrite> writes);

  // The input typed into the number being entered; `starts`: it began one.
  void Typed(bool starts) {
    typed_ = true;
    started_ = started_ || starts;
  }
  void LineWritten() {
    written_ = true;
    ++Made().tapeLines;
  }
  void BankChanged(BankChange change) {
    change.input = currentInput_;
    Made().bankChanges.push_back(std::move(change));
  }
  // A Clear Tape: a new record begins once the input is over.
  void RestartAfterCall() { restartPending_ = true; }
  // A new record begins where the engine stands now.
  void Restart();
  // `record` taken over whole as the record, with `tapeLines` lines.
  void Adopt(const InputRecord& record, std::size_t tapeLines);

  // The inputs from `from` (nullptr: the record's start) on are replayed
  // through the engine's entry until EndReplay, which makes the record they
  // made again the engine's, and writes the settings held back if `write`.
  void BeginReplay(const InputRecord& record, const RecordCheckpoint* from);
  void EndReplay(bool write);

 private:
  friend class Engine;  // a changed replay splices the records itself

  // The record being made: the engine's own, or in a replay the one it makes again.
  InputRecord& Made() { return replaying_ ? replayed_ : record_; }
  void CallBegun(const EngineInput& input, const std::string& entry);
  void CallEnded(const std::string& entry);
  // After the first `inputs` inputs, `texts` texts and `answers` answers,
  // `lines` tape lines written: a checkpoint into `into` if one is due.
  void CheckpointIfDue(std::vector<RecordCheckpoint>& into, std::size_t inputs, std::size_t texts, std::size_t answers,
                       std::size_t lines);
  void Tell() {
    if (observer_ && !changing_) observer_->RecordChanged(engine_);
  }

  const Engine& engine_;
  SettingsPort& settings_;
  InputRecord record_;
  std::uint64_t starts_ = 0;
  std::uint64_t revision_ = 0;
  RecordObserver* observer_ = nullptr;
  bool changing_ = false;  // inside a changed replay: one change, told at its end
  int depth_ = 0;
  bool restartPending_ = false;
  const InputRecord* replaying_ = nullptr;
  bool typed_ = false, started_ = false, written_ = false;  // during the outermost call
  std::string entryBefore_;                                 // the entry when it began
  std::map<std::pair<std::string, std::string>, std::string> heldSettings_;
  std::size_t nextText_ = 0, nextAnswer_ = 0;
  InputRecord replayed_;          // the record a replay makes, the engine's own once it ends
  std::size_t currentInput_ = 0;  // the record's input being run (outermost)
};

}  // namespace tallix
