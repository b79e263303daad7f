#pragma once
// The calculator engine: one operation per keypad button, menu command and
// key message. Every operation reads the display text back from the host as
// the working value, writes finished texts to the host, puts lines on the tape
// through AppendTapeLine only, writes changed settings through the
// SettingsPort, and ends by handing the focus back to the key sink.
//
// Lifetime: construct with the host and the settings port, then call Start
// once with the persisted settings; after that the main window calls the
// operations from its command dispatch and its key-sink messages.

#include <cstdint>
#include <functional>
#include <map>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "engine/engine_host.h"
#include "engine/engine_state.h"
#include "engine/input_record.h"
#include "engine/keypad.h"
#include "engine/settings_port.h"

namespace tallix {

class Engine {
 public:
  // Also puts the x87 unit into the mode the arithmetic relies on.
  Engine(EngineHost& host, SettingsPort& settings);
  Engine(const Engine&) = delete;
  Engine& operator=(const Engine&) = delete;

  // Takes the persisted fields (out-of-range values fall back to their
  // defaults), shows bank 1 in the memory pane when it holds a value, makes the
  // average meaningful and selects the stored number system. It writes
  // "Decimal Setting1" back through the number-system switch but no other key;
  // the NumLock pane is the caller's (UpdateNumLock).
  void Start(const EngineSettings& settings);

  const EngineState& state() const { return state_; }

  // What made the tape since Start, the last Clear Tape or the last loaded
  // tape: the operations the window calls (PressKey, the key messages, the
  // View and Edit menus' commands, the options and the side tools' tape
  // lines), not the single steps of them.
  const InputRecord& record() const { return record_; }
  // Counts the records begun (at Start, Clear Tape and a loaded tape): while
  // the count stays, the record goes on from what it was.
  std::uint64_t recordStarts() const { return recordStarts_; }
  // Counts the records begun or replaced by a replay (a correction, a
  // restored tape): while it stays, the record only grew.
  std::uint64_t recordRevision() const { return recordRevision_; }
  // Told after every change of the record: an operation it gained, a record
  // begun, a record replaced. nullptr: no one is told.
  class RecordObserver {
   public:
    virtual void RecordChanged(const Engine& engine) = 0;

   protected:
    ~RecordObserver() = default;
  };
  void SetRecordObserver(RecordObserver* observer) { recordObserver_ = observer; }
  // Puts the engine and the host's display and panes where `record` started
  // and runs its inputs again, the host's answers taken from the record; the
  // record then is this engine's. The tape lines are appended to the host's.
  struct ReplayOptions {
    // Called with each input's position once it has run; false ends the
    // replay there, the record then being the inputs run, and no setting
    // written.
    std::function<bool(std::size_t)> afterInput;
    // The host the replay speaks to instead of the engine's own, e.g. one that
    // shows only where it ends.
    EngineHost* via = nullptr;
    // A checkpoint of the record to start at instead of its start; the host's
    // tape then holds the lines before it.
    const RecordCheckpoint* from = nullptr;
  };
  void Replay(const InputRecord& record, const ReplayOptions& options);
  void Replay(const InputRecord& record) { Replay(record, ReplayOptions{}); }

  // `changed`, this engine's record with its inputs `first` to `last`
  // replaced and those after them moved by `shift`, made this engine's
  // record: replayed through `via` from the last checkpoint before `first`,
  // and only until the calculator stands where it stood at one of the
  // record's checkpoints after `last`. From there on the tape, the display,
  // the panes and the state are the same for both.
  struct ChangedReplay {
    std::size_t firstLine = 0;  // the record's tape line that via's first line replaces
    // When the replay stopped early, the line from which the tape stands as
    // it was; via's lines replace those from firstLine to it. Otherwise
    // they replace the rest of the tape, and via shows where the replay ended.
    std::optional<std::size_t> rejoinedAtLine;
  };
  // `record` made this engine's without running it: the calculator stands as
  // `end` says and the host shows `shown`, as after the record's last input,
  // whose `tapeLines` lines the host already holds. What a correction later
  // replays then starts at the record's start (it has no checkpoints yet).
  void AdoptRecord(const InputRecord& record, const EngineState& end, const ShownTexts& shown, std::size_t tapeLines);
  // The display and the panes as the host shows them now.
  ShownTexts ShownNow() const;

  ChangedReplay ReplayChanged(const InputRecord& changed, std::size_t first, std::size_t last, std::ptrdiff_t shift,
                              EngineHost& via, const std::function<void(std::size_t)>& afterInput = {});

  // Options window: the caller writes "CalcMode", "TaxRate" and "LT10Key".
  void SetCalcMode(int mode);
  void SetTaxRate(float percent);
  void SetLaptopKeys(bool on);

  // Runs the operation of a keypad button or number-system button. Returns
  // false for the side-tool keys, which belong to the main window.
  bool PressKey(Key key);
  // Whether the current number system enables the key: digits of its radix;
  // "+/-", ".", "%", "+Tax", "1/x", "Chg" and "Cnv" in decimal only. A disabled
  // key given to PressKey does nothing, as a disabled button cannot be clicked.
  bool IsKeyEnabled(Key key) const;

  // Entry.
  void EnterDigit(int value);  // 0..15; 10..15 are "A".."F"
  void EnterPoint();
  void Backspace();
  void ClearEntry();
  // A side tool has taken the display's value: the next digit starts a new
  // number instead of extending it.
  void EndEntry();
  void ClearAll();
  void ClearTape();  // asks first
  void ChangeSign();

  // Display formatting and the decimal commands of the View menu.
  std::string ApplyDecimals();
  std::string GroupDigits();
  void ApplyAutoDecimal();
  void SetDecimals(int value);  // 0..4 fixed, 10 floating
  void ToggleDigitGrouping();
  void ToggleAutoDecimal();

  // Operators.
  void PressPlus();
  void PressMinus();
  void PressTimes();
  void PressDivide();
  void PressEquals();
  void PressPercent();

  // Tape and statistics.
  void AppendTapeLine(std::string_view number, std::string_view symbol);
  // A note's line (NoteLine) on the tape; nothing for an empty text. The
  // entry in progress goes on after it.
  void AddNote(std::string_view text);
  void FeedTape();
  void UpdateItemCount();

  // Memory banks, tax, change, reciprocal.
  void ToggleBank();
  void MemoryClear();
  void MemoryRecall();
  void MemorySet();
  void MemoryAdd();
  void AddTax();
  void MakeChange();
  void Reciprocal();

  // Number systems: 0 decimal, 1 hexadecimal, 2 binary, 3 octal.
  void SelectNumberSystem(int index);

  // Edit menu and Ctrl+C / Ctrl+V.
  void CopyDisplay();
  void PasteDisplay();
  // A tape file was loaded: the calculation ends and its last total is restored.
  void OnTapeLoaded(Real lastTotal);

  // Key-sink messages. OnKeyDown returns the virtual-key code to hand on to
  // the edit field's default processing (0 after Esc).
  int OnKeyDown(int virtualKey);
  void OnKeyUp(int virtualKey);
  void UpdateNumLock();

 private:
  friend struct KeyboardRows;  // the key table sets the Shift and Ctrl flags

  // Opened by each recorded operation: the outermost one goes into the record
  // (when not replaying), and a Clear Tape inside it starts a new record once
  // it is over.
  class OutsideCall {
   public:
    OutsideCall(Engine& engine, EngineInput::Kind kind, std::int32_t value = 0);
    ~OutsideCall();
    OutsideCall(const OutsideCall&) = delete;
    OutsideCall& operator=(const OutsideCall&) = delete;
    // Recording this call: the texts it uses go into the record too.
    bool recording() const { return recording_; }

   private:
    Engine& engine_;
    bool recording_;
  };
  // What the outside world answers, recorded or, in a replay, taken from the record.
  bool AskOutside(std::string_view caption, std::string_view text);
  std::string ClipboardOutside();
  bool CopiedOutside(const std::string& text);
  bool NumLockOutside();
  void RestartRecord();
  void Show(const ShownTexts& shown);
  void TellRecordChanged() {
    if (recordObserver_ && !changingRecord_) recordObserver_->RecordChanged(*this);
  }
  // After the first `inputs` inputs, `texts` texts and `answers` answers,
  // `lines` tape lines written: a checkpoint into `into` if one is due.
  void CheckpointIfDue(std::vector<RecordCheckpoint>& into, std::size_t inputs, std::size_t texts, std::size_t answers,
                       std::size_t lines);
  // A replay may run thousands of operations that each write a setting: only
  // the last value of each key is written, once the replay is over.
  void WriteSetting(std::string_view section, std::string_view key, std::string_view value);
  void RunRecorded(const EngineInput& input);

  // The shared body of the four operator keys.
  void PressOperator(Operator op);
  // The first number of a calculation becomes the total.
  void RecordFirstNumber(Operator op);
  // The pending operator applied to the display value (or the repeated entry).
  void ApplyToTotal(Operator op);
  // The whole operation of a pending operator; none counts as plus.
  void RunOperator(Operator op);

  Real DisplayValue();                 // in the current number system
  std::string SystemText(Real value);  // current non-decimal system
  void ShowValue(Real value);          // plain18, ApplyDecimals, GroupDigits if on
  // A value's text under one of the decimals masks.
  const std::string& MaskedText(Real value, std::string_view mask);
  std::string ShownText(Real value);  // what ShowValue would show, in a decimal system
  void FormatDisplay();               // ApplyDecimals, GroupDigits if on
  void GroupIfOn();
  void WriteAverage(Real average);  // " AVG = " in the current system
  void ShowMemoryPane();            // of the selected bank
  static std::string MemoryPaneText(int bank, const std::string& bankText);
  void StoreBank(int bank);  // "M1"/"M1v" or "M2"/"M2v"
  // A bank's text for its value, as the current system and decimals write it;
  // and as `change` (an Add) wrote it, whatever the calculator shows now.
  std::string BankText(Real value);
  std::string BankTextAsAdded(Real value, const BankChange& change);
  // Into the record's bank changes, or the replay's.
  void NoteBankChange(BankChange change);
  // After a replay that met the calculator as it was but for its banks at
  // `met`: the banks, the later checkpoints and bank changes worked out from
  // the changes `before` made after that point, the inputs moved by `shift`.
  void CarryBanksOn(const InputRecord& before, const RecordCheckpoint& met, std::ptrdiff_t shift,
                    const EngineState& finalState);

  // lastTotal = total, the calculation reset, the empty closing tape line.
  void FinishCalculation();
  // Entry, total, item count and pending operator back to nothing.
  void ResetItems();
  void Focus() { host_->FocusKeySink(); }

  EngineHost* host_;  // another one only during a replay made through it
  SettingsPort& settings_;
  EngineState state_;

  InputRecord record_;
  std::uint64_t recordStarts_ = 0;
  std::uint64_t recordRevision_ = 0;
  RecordObserver* recordObserver_ = nullptr;
  bool changingRecord_ = false;  // inside ReplayChanged: one change, told at its end
  int callDepth_ = 0;
  bool restartPending_ = false;
  const InputRecord* replaying_ = nullptr;
  bool entryTyped_ = false, entryStarted_ = false, tapeWritten_ = false;  // during the outermost call
  std::string entryBefore_;                                               // the entry when it began
  std::map<std::pair<std::string, std::string>, std::string> replayedSettings_;
  std::size_t nextText_ = 0, nextAnswer_ = 0;
  InputRecord replayed_;          // the record a replay makes, the engine's own once it ends
  std::size_t currentInput_ = 0;  // the record's input being run (outermost)
  // The last value given a decimals mask and its text: an operation often
  // shows again a value it has just shown (a third of the time in a mixed
  // session), and the conversion is most of what a key costs.
  struct LastMasked {
    Real value = 0;
    std::string_view mask;
    std::string text;
  };
  LastMasked lastMasked_;
};

}  // namespace tallix
