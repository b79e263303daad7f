// The two memory banks, the tax key, the change key and the reciprocal.
#include <string>

#include "engine/basic_host.h"
#include "engine/display_text.h"
#include "engine/engine.h"
#include "engine/settings_keys.h"
#include "services/number_text.h"

namespace tallix {

namespace {

std::string BankName(int bank) { return "M" + std::to_string(bank + 1); }

}  // namespace

std::string Engine::MemoryPaneText(const EngineState& state) {
  const std::string& bankText = state.banks.text[static_cast<std::size_t>(state.memoryBank)];
  return " " + BankName(state.memoryBank) + (bankText.empty() ? "" : " = " + bankText) +
         (state.GrandTotalHeld() ? " GT" : "");
}

void Engine::ShowMemoryPane() { host_->SetMemoryText(MemoryPaneText(state_)); }

std::string Engine::BankText(Real value) { return state_.IsDecimal() ? ShownText(value) : SystemText(value); }

std::string Engine::BankTextAsAdded(Real value, const BankChange& change) {
  // The few values ShownText writes through the display write it on a host of
  // no one's.
  BasicEngineHost scratch;
  EngineHost* const own = host_;
  const std::uint8_t displayMode = state_.displayMode;
  const bool digitGrouping = state_.digitGrouping;
  host_ = &scratch;
  state_.displayMode = change.displayMode;
  state_.digitGrouping = change.digitGrouping;
  std::string text = BankText(value);
  state_.displayMode = displayMode;
  state_.digitGrouping = digitGrouping;
  host_ = own;
  return text;
}

void Engine::StoreBank(int bank) {
  const auto index = static_cast<std::size_t>(bank);
  const std::string& text = state_.banks.text[index];
  const std::string value = text.empty() ? std::string() : PlainNumberText(state_.banks.value[index], 15);
  recorder_.WriteSettings({{memory_keys::kSection, memory_keys::kBankText[index], text},
                           {memory_keys::kSection, memory_keys::kBankValue[index], value}});
}

void Engine::ToggleBank() {
  state_.memoryBank = state_.memoryBank == 1 ? 0 : 1;
  host_->ShowBank2Indicator(state_.memoryBank == 1);
  ShowMemoryPane();
  Focus();
}

void Engine::MemoryClear() {
  const int bank = state_.memoryBank;
  state_.banks.text[static_cast<std::size_t>(bank)].clear();
  state_.banks.value[static_cast<std::size_t>(bank)] = 0;
  recorder_.BankChanged({.kind = BankChange::Kind::Clear, .bank = static_cast<std::uint8_t>(bank)});
  ShowMemoryPane();
  StoreBank(bank);
  WriteTapeLine(BankName(bank), "Clear");
  state_.entryText.clear();
  Focus();
}

void Engine::MemoryRecall() {
  const Real value = state_.banks.value[static_cast<std::size_t>(state_.memoryBank)];
  recorder_.BankChanged({.kind = BankChange::Kind::Recall, .bank = static_cast<std::uint8_t>(state_.memoryBank)});
  if (state_.IsDecimal()) {
    ShowValue(value);
  } else {
    host_->SetDisplayText(SystemText(value));
  }
  state_.entryText.clear();
  state_.entryMade = true;
  Focus();
}

void Engine::MemorySet() {
  const int bank = state_.memoryBank;
  const auto index = static_cast<std::size_t>(bank);
  FormatDisplay();
  state_.banks.text[index] = host_->GetDisplayText();
  ShowMemoryPane();
  state_.banks.value[index] = DisplayValue();
  recorder_.BankChanged({.kind = BankChange::Kind::Set,
                         .bank = static_cast<std::uint8_t>(bank),
                         .value = state_.banks.value[index],
                         .text = state_.banks.text[index]});
  WriteTapeLine(state_.banks.text[index], "MS");
  StoreBank(bank);
  state_.entryText.clear();
  Focus();
}

void Engine::MemoryAdd() {
  const int bank = state_.memoryBank;
  const auto index = static_cast<std::size_t>(bank);
  FormatDisplay();
  const std::string added = host_->GetDisplayText();
  Exact<Real>& value = state_.banks.value[index];
  const Real addend = DisplayValue();
  value = value + addend;
  recorder_.BankChanged({.kind = BankChange::Kind::Add,
                         .bank = static_cast<std::uint8_t>(bank),
                         .displayMode = state_.displayMode,
                         .digitGrouping = state_.digitGrouping,
                         .value = addend});
  state_.banks.text[index] = BankText(value);
  // The display shows what was added, whatever writing the bank's text did to it.
  if (state_.IsDecimal()) host_->SetDisplayText(added);
  ShowMemoryPane();
  StoreBank(bank);
  WriteTapeLine(added, "M+");
  state_.entryText.clear();
  Focus();
}

void Engine::AddTax() {
  FormatDisplay();
  WriteTapeLine(host_->GetDisplayText(), "Tx");
  state_.operand = DisplayValue() * (static_cast<Real>(state_.taxRate) / 100 + 1);
  ShowValue(state_.operand);
  state_.entryText.clear();
  Focus();
}

void Engine::MakeChange() {
  EngineState& s = state_;
  FormatDisplay();
  if (s.itemCount != 0) {
    Focus();
    return;
  }
  s.operand = DisplayValue();
  std::string tapeText = "No Change";
  if (s.operand > 0) {
    s.total = s.operand - s.lastTotal;
    tapeText = host_->GetDisplayText() + " - ";
    tapeText += ShownText(s.lastTotal);
    ShowValue(s.total);
  } else {
    s.total = 0;
  }
  WriteTapeLine(tapeText, "");
  WriteTapeLine(std::string(26, '-'), "");
  WriteTapeLine(host_->GetDisplayText(), "CH");
  s.operand = 0;
  FinishCalculation();
}

void Engine::Reciprocal() {
  EngineState& s = state_;
  s.operand = DisplayValue();
  if (s.operand != 0) {
    s.operand = 1 / s.operand;
    ShowValue(s.operand);
  } else {
    host_->SetDisplayText(kDiv0Text);
  }
  s.entryText.clear();
  s.entryMade = true;
  Focus();
}

}  // namespace tallix
