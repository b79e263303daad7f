#pragma once
// The calculator engine. Every operation from outside (a keypad button, a key
// message, a menu command, an option, a side tool's line) is one input given
// to Run, the one way in: its Recorder records the input, or in a replay
// answers for the outside world from the record. An operation reads the
// display text back from the host as the working value, writes finished texts
// to the host, puts lines on the tape through WriteTapeLine only, writes
// changed settings through the recorder, and ends by handing the focus back to
// the key sink.
//
// Lifetime: construct with the host and the settings port, then call Start
// once with the persisted settings; after that the main window calls the
// operations from its command dispatch and its key-sink messages.

#include <bit>
#include <cstdint>
#include <functional>
#include <optional>
#include <string>
#include <string_view>

#include "engine/engine_host.h"
#include "engine/engine_state.h"
#include "engine/keypad.h"
#include "engine/recorder.h"

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
  const InputRecord& record() const { return recorder_.record(); }
  // Counts the records begun (at Start, Clear Tape and a loaded tape): while
  // the count stays, the record goes on from what it was.
  std::uint64_t recordStarts() const { return recorder_.starts(); }
  // Counts the records begun or replaced by a replay (a correction, a
  // restored tape): while it stays, the record only grew.
  std::uint64_t recordRevision() const { return recorder_.revision(); }
  // nullptr: no one is told.
  void SetRecordObserver(RecordObserver* observer) { recorder_.SetObserver(observer); }
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
  ShownTexts ShownNow() const { return host_->Shown(); }

  ChangedReplay ReplayChanged(const InputRecord& changed, std::size_t first, std::size_t last, std::ptrdiff_t shift,
                              EngineHost& via, const std::function<void(std::size_t)>& afterInput = {});

  // The one way in: runs `input` as an operation from outside (an
  // AppendTapeLine's number and symbol given beside it) and records it; in a
  // replay the host's answers come from the record instead. Returns what
  // PressKey and OnKeyDown return, 0 for the other kinds.
  int Run(EngineInput input, std::string_view number = {}, std::string_view symbol = {});

  // The operations the window calls, each one input. PressKey: false for the
  // side-tool keys, the main window's; a disabled key does nothing. OnKeyDown:
  // the virtual key to hand on to the edit field (0 after Esc). The Options
  // window writes "CalcMode", "TaxRate" and "LT10Key" itself.
  bool PressKey(Key key) { return Run({.kind = Kind::PressKey, .value = static_cast<std::int32_t>(key)}) != 0; }
  int OnKeyDown(int virtualKey) { return Run({.kind = Kind::KeyDown, .value = virtualKey}); }
  void OnKeyUp(int virtualKey) { Run({.kind = Kind::KeyUp, .value = virtualKey}); }
  void UpdateNumLock() { Run({.kind = Kind::UpdateNumLock}); }
  void SetDecimals(int value) { Run({.kind = Kind::SetDecimals, .value = value}); }  // 0..4 fixed, 10 floating
  void ToggleDigitGrouping() { Run({.kind = Kind::ToggleDigitGrouping}); }
  void ToggleAutoDecimal() { Run({.kind = Kind::ToggleAutoDecimal}); }
  void CopyDisplay() { Run({.kind = Kind::CopyDisplay}); }  // Edit menu and Ctrl+C
  void PasteDisplay() { Run({.kind = Kind::PasteDisplay}); }
  void AppendTapeLine(std::string_view number, std::string_view symbol) {
    Run({.kind = Kind::AppendTapeLine}, number, symbol);
  }
  void SetCalcMode(int mode) { Run({.kind = Kind::SetCalcMode, .value = mode}); }
  void SetTaxRate(float percent) { Run({.kind = Kind::SetTaxRate, .value = std::bit_cast<std::int32_t>(percent)}); }
  void SetLaptopKeys(bool on) { Run({.kind = Kind::SetLaptopKeys, .value = on}); }
  // How the fixed decimals round what they show from now on; the Options
  // window writes "Rounding" itself.
  void SetRounding(RoundingRule rule) { Run({.kind = Kind::SetRounding, .value = static_cast<std::int32_t>(rule)}); }
  // While on, every result of an equals is added into the grand total; the
  // Options window writes "GrandTotal" itself.
  void SetGrandTotal(bool on) { Run({.kind = Kind::SetGrandTotal, .value = on}); }
  // Edit > Grand Total (Ctrl+G while on): the grand total in the display and
  // on the tape; pressed twice in a row, cleared. Nothing while off.
  void GrandTotal() { Run({.kind = Kind::GrandTotal}); }
  // A side tool took the display's value: the next digit starts a new number.
  void EndEntry() { Run({.kind = Kind::EndEntry}); }
  // A note's line (NoteLine) on the tape; nothing for an empty text. The
  // entry in progress goes on after it.
  void AddNote(std::string_view text);
  // A tape file was loaded: the calculation ends, its last total is restored
  // and a new record begins.
  void OnTapeLoaded(Real lastTotal);

  // Whether the current number system enables the key: digits of its radix;
  // "+/-", ".", "%", "+Tax", "1/x", "Chg" and "Cnv" in decimal only.
  bool IsKeyEnabled(Key key) const;

 private:
  friend struct KeyboardRows;  // the key table runs the operations and sets the Shift and Ctrl flags
  using Kind = EngineInput::Kind;

  bool RunKey(Key key);
  int KeyDown(int virtualKey);
  void KeyUp(int virtualKey);
  void ReadNumLock();
  void ChooseDecimals(int value);
  void ChooseRounding(int rule);
  void SwitchGrandTotal(bool on);
  void PressGrandTotal();
  // An equals' result, as the display shows it, into the grand total while it is on.
  void AddToGrandTotal();
  void StoreGrandTotal(Real value);  // kept in Tallix.ini; the memory pane told
  void FlipDigitGrouping();
  void FlipAutoDecimal();
  void Copy();
  void Paste();
  // The one way onto the tape.
  void WriteTapeLine(std::string_view number, std::string_view symbol);

  void EnterDigit(int value);  // 0..15; 10..15 are "A".."F"
  void EnterPoint();
  void Backspace();
  void ClearEntry();
  void ClearAll();
  void ClearTape();  // asks first
  void ChangeSign();
  void PressEquals();
  void PressPercent();
  void FeedTape();
  void ToggleBank();
  void MemoryClear();
  void MemoryRecall();
  void MemorySet();
  void MemoryAdd();
  void AddTax();
  void MakeChange();
  void Reciprocal();
  // 0 decimal, 1 hexadecimal, 2 binary, 3 octal.
  void SelectNumberSystem(int index);

  std::string ApplyDecimals();
  std::string GroupDigits();
  void ApplyAutoDecimal();
  void UpdateItemCount();

  // One of the four operator keys.
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
  void ShowMemoryPane();            // of the selected bank, "GT" after it while the grand total holds a value
  static std::string MemoryPaneText(const EngineState& state);
  void StoreBank(int bank);  // "M1"/"M1v" or "M2"/"M2v"
  // A bank's text for its value, as the current system and decimals write it;
  // and as `change` (an Add) wrote it, whatever the calculator shows now.
  std::string BankText(Real value);
  std::string BankTextAsAdded(Real value, const BankChange& change);
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
  EngineState state_;
  Recorder recorder_;
  // The last value given a decimals mask and its text: an operation often
  // shows again a value it has just shown (a third of the time in a mixed
  // session), and the conversion is most of what a key costs.
  struct LastMasked {
    Real value = 0;
    std::string_view mask;
    RoundingRule rule = RoundingRule::kHalfEven;
    std::string text;
  };
  LastMasked lastMasked_;
  // Whether the key before the input being run was Grand Total.
  bool grandTotalBefore_ = false;
};

}  // namespace tallix
