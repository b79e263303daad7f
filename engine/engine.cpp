// Construction, start-up, the one way in and the helpers operations share.
#include "engine/engine.h"

#include <utility>

#include "engine/display_text.h"
#include "engine/float_mode.h"
#include "services/number_text.h"

namespace tallix {

Engine::Engine(EngineHost& host, SettingsPort& settings) : host_(&host), recorder_(*this, settings) {
  UseCalculatorFloatMode();
}

void Engine::Start(const EngineSettings& settings) {
  state_.calcMode = settings.calcMode == 1 ? 1 : 0;
  state_.displayMode = settings.displayMode <= display_mode::kOctal ? settings.displayMode : display_mode::kFloating;
  state_.decimalSetting =
      settings.decimalSetting <= display_mode::kFloating ? settings.decimalSetting : display_mode::kFloating;
  state_.digitGrouping = settings.digitGrouping;
  state_.autoDecimal = settings.autoDecimal;
  state_.taxRate = settings.taxRate;
  state_.laptopKeys = settings.laptopKeys;
  state_.rounding = settings.rounding;
  state_.grandTotalOn = settings.grandTotalOn;
  state_.grandTotal = settings.grandTotal;
  state_.banks = settings.banks;
  state_.memoryBank = 0;
  if (!state_.banks.text[0].empty() || state_.GrandTotalHeld()) host_->SetMemoryText(MemoryPaneText(state_));
  state_.averageShown = true;
  SelectNumberSystem(state_.displayMode > display_mode::kFloating ? state_.displayMode - 10 : 0);
  recorder_.Restart();
}

int Engine::Run(EngineInput input, std::string_view number, std::string_view symbol) {
  Recorder::Call call(recorder_, input, state_.entryText);
  // Grand Total twice in a row clears it: a key let go or NumLock's state
  // read between the two presses is no key between them (see KeyDown too).
  grandTotalBefore_ = std::exchange(state_.grandTotalPressed, false);
  if (input.kind == Kind::KeyUp || input.kind == Kind::UpdateNumLock) state_.grandTotalPressed = grandTotalBefore_;
  switch (input.kind) {
    case Kind::PressKey: return RunKey(static_cast<Key>(input.value));
    case Kind::KeyDown: return KeyDown(input.value);
    case Kind::KeyUp: KeyUp(input.value); break;
    case Kind::SetDecimals: ChooseDecimals(input.value); break;
    case Kind::ToggleDigitGrouping: FlipDigitGrouping(); break;
    case Kind::ToggleAutoDecimal: FlipAutoDecimal(); break;
    case Kind::CopyDisplay: Copy(); break;
    case Kind::PasteDisplay: Paste(); break;
    case Kind::UpdateNumLock: ReadNumLock(); break;
    case Kind::AppendTapeLine: {
      // The texts are the record's too: a replay takes them from it.
      const std::string text = recorder_.Outside(&InputRecord::texts, [number] { return std::string(number); });
      WriteTapeLine(text, recorder_.Outside(&InputRecord::texts, [symbol] { return std::string(symbol); }));
      break;
    }
    case Kind::SetCalcMode: state_.calcMode = input.value == 1 ? 1 : 0; break;
    case Kind::SetTaxRate: state_.taxRate = std::bit_cast<float>(input.value); break;
    case Kind::SetLaptopKeys: state_.laptopKeys = input.value != 0; break;
    case Kind::EndEntry: state_.entryText.clear(); break;
    case Kind::SetRounding: ChooseRounding(input.value); break;
    case Kind::SetGrandTotal: SwitchGrandTotal(input.value != 0); break;
    case Kind::GrandTotal: PressGrandTotal(); break;
  }
  return 0;
}

bool Engine::RunKey(Key key) {
  if (!IsKeyEnabled(key)) return true;
  if (const auto digit = DigitValue(key)) {
    EnterDigit(*digit);
    return true;
  }
  switch (key) {
    case Key::Point: EnterPoint(); break;
    case Key::ChangeSign: ChangeSign(); break;
    case Key::Back: Backspace(); break;
    case Key::ClearEntry: ClearEntry(); break;
    case Key::Clear: ClearAll(); break;
    case Key::ClearTape: ClearTape(); break;
    case Key::Plus: PressOperator(Operator::Plus); break;
    case Key::Minus: PressOperator(Operator::Minus); break;
    case Key::Times: PressOperator(Operator::Times); break;
    case Key::Divide: PressOperator(Operator::Divide); break;
    case Key::Equals: PressEquals(); break;
    case Key::Percent: PressPercent(); break;
    case Key::MemoryClear: MemoryClear(); break;
    case Key::MemoryRecall: MemoryRecall(); break;
    case Key::MemorySet: MemorySet(); break;
    case Key::MemoryAdd: MemoryAdd(); break;
    case Key::SecondBank: ToggleBank(); break;
    case Key::Tax: AddTax(); break;
    case Key::Change: MakeChange(); break;
    case Key::Reciprocal: Reciprocal(); break;
    case Key::Feed: FeedTape(); break;
    case Key::Dec: SelectNumberSystem(0); break;
    case Key::Hex: SelectNumberSystem(1); break;
    case Key::Bin: SelectNumberSystem(2); break;
    case Key::Oct: SelectNumberSystem(3); break;
    default: return false;
  }
  return true;
}

Real Engine::DisplayValue() {
  const std::string text = host_->GetDisplayText();
  if (state_.IsDecimal()) return ReadDecimal(text);
  return ReadInRadix(text, RadixOf(state_.displayMode));
}

std::string Engine::SystemText(Real value) { return WriteInRadix(value, RadixOf(state_.displayMode)); }

void Engine::GroupIfOn() {
  if (state_.digitGrouping && state_.IsDecimal()) GroupDigits();
}

void Engine::FormatDisplay() {
  ApplyDecimals();
  GroupIfOn();
}

}  // namespace tallix
