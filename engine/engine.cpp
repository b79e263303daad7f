// Construction, start-up and the helpers every operation shares.
#include "engine/engine.h"

#include "engine/display_text.h"
#include "engine/float_mode.h"
#include "services/number_text.h"

namespace tallix {

Engine::Engine(EngineHost& host, SettingsPort& settings) : host_(&host), settings_(settings) {
  UseCalculatorFloatMode();
}

void Engine::Start(const EngineSettings& settings) {
  state_.calcMode = settings.calcMode == 1 ? 1 : 0;
  state_.displayMode = settings.displayMode <= display_mode::kOctal ? settings.displayMode
                                                                    : display_mode::kFloating;
  state_.decimalSetting = settings.decimalSetting <= display_mode::kFloating ? settings.decimalSetting
                                                                             : display_mode::kFloating;
  state_.digitGrouping = settings.digitGrouping;
  state_.autoDecimal = settings.autoDecimal;
  state_.taxRate = settings.taxRate;
  state_.laptopKeys = settings.laptopKeys;
  state_.banks = {settings.memoryText, {settings.memoryValue[0], settings.memoryValue[1]}};
  state_.memoryBank = 0;
  if (!state_.banks.text[0].empty()) host_->SetMemoryText(" M1 = " + state_.banks.text[0]);
  state_.averageShown = true;
  SelectNumberSystem(state_.displayMode > display_mode::kFloating ? state_.displayMode - 10 : 0);
  RestartRecord();
}

bool Engine::PressKey(Key key) {
  OutsideCall call(*this, EngineInput::Kind::PressKey, static_cast<std::int32_t>(key));
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
    case Key::Plus: PressPlus(); break;
    case Key::Minus: PressMinus(); break;
    case Key::Times: PressTimes(); break;
    case Key::Divide: PressDivide(); break;
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
