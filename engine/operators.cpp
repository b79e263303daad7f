// The operator keys, equals and percent, in both calculation modes.
#include <string>

#include "engine/display_text.h"
#include "engine/engine.h"
#include "services/number_text.h"

namespace tallix {

namespace {

std::string_view TapeSymbol(Operator op) {
  switch (op) {
    case Operator::Plus: return "+";
    case Operator::Minus: return "-";
    case Operator::Times: return "\xD7";
    case Operator::Divide: return "\xF7";
    default: return " ";
  }
}

bool IsAdditive(Operator op) { return op == Operator::Plus || op == Operator::Minus; }

Real Apply(Operator op, Real total, Real operand) {
  switch (op) {
    case Operator::Plus: return total + operand;
    case Operator::Minus: return total - operand;
    case Operator::Times: return total * operand;
    case Operator::Divide: return total / operand;
    default: return total;
  }
}

}  // namespace

void Engine::RunOperator(Operator op) { PressOperator(op == Operator::None ? Operator::Plus : op); }

void Engine::PressOperator(Operator op) {
  EngineState& s = state_;
  // In the adding machine the key pressed after a number decides what is done with it.
  if (s.calcMode == 1 && s.pendingOp != Operator::None) s.pendingOp = op;
  if (!IsAdditive(op)) {
    host_->SetAverageText(" AVG = n/a");
    s.averageShown = false;
  }
  if (s.pendingOp == Operator::None) {
    RecordFirstNumber(op);
  } else if (s.pendingOp != op) {
    RunOperator(s.pendingOp);
  } else if (s.entryMade || s.calcMode == 1) {
    ApplyToTotal(op);
  }
  UpdateItemCount();
  s.entryMade = false;
  s.pendingOp = op;
  Focus();
}

void Engine::RecordFirstNumber(Operator op) {
  EngineState& s = state_;
  if (s.IsDecimal()) {
    std::string shown = ApplyDecimals();
    bool changed = s.digitGrouping;
    if (op == Operator::Minus && s.calcMode == 1) {
      changed = true;
      // The adding machine subtracts the first number from nothing. A number
      // already negative turns positive instead of reading "--5" as 0, and
      // zero stays unsigned.
      if (!shown.empty() && shown.front() == '-') {
        shown.erase(0, 1);
      } else if (ReadDecimal(shown) != 0) {
        shown.insert(0, "-");
      }
    }
    if (s.digitGrouping) shown = GroupedText(shown);
    if (changed) host_->SetDisplayText(shown);
    s.operand = ReadDecimal(shown);
    s.entryText = std::move(shown);
  } else {
    s.operand = DisplayValue();
    s.entryText = SystemText(s.operand);
  }
  if (IsAdditive(op)) WriteAverage(s.operand);
  s.total = s.operand;
  if (IsAdditive(op)) s.averageShown = true;
  WriteTapeLine(s.entryText, s.calcMode == 1 ? TapeSymbol(op) : " ");
  ++s.itemCount;
  s.entryText.clear();
}

void Engine::ApplyToTotal(Operator op) {
  EngineState& s = state_;
  if (s.entryMade) s.operand = DisplayValue();
  const bool divideByZero = op == Operator::Divide && s.operand == 0;
  if (!divideByZero) s.total = Apply(op, s.total, s.operand);
  if (s.IsDecimal()) {
    s.entryText = ShownText(s.operand);
    ShowValue(s.total);
  } else if (!divideByZero) {
    host_->SetDisplayText(SystemText(s.total));
    s.entryText = SystemText(s.operand);
  }
  if (IsAdditive(op) && s.averageShown) WriteAverage(s.total / (s.itemCount + 1));
  if (divideByZero) {
    s.entryText = kDiv0Text;
    host_->SetDisplayText(kDiv0Text);
  }
  const bool blankSymbol = !IsAdditive(op) && s.calcMode == 1 && s.insideEquals;
  WriteTapeLine(s.entryText, blankSymbol ? " " : TapeSymbol(op));
  ++s.itemCount;
  s.entryText.clear();
}

void Engine::FinishCalculation() {
  state_.lastTotal = state_.total;
  state_.total = 0;
  state_.entryText.clear();
  state_.pendingOp = Operator::None;
  state_.itemCount = 0;
  state_.entryMade = false;
  WriteTapeLine("", "");
  Focus();
}

void Engine::PressEquals() {
  EngineState& s = state_;
  if (s.itemCount == 0) s.total = s.lastTotal;
  if (s.entryMade) {
    s.insideEquals = true;
    RunOperator(s.pendingOp);
    s.insideEquals = false;
  }
  WriteTapeLine(std::string(26, '-'), "");
  std::string result;
  if (s.IsDecimal()) {
    FormatDisplay();
    result = host_->GetDisplayText();
  } else {
    const std::string text = SystemText(s.total);
    result = "(" + std::string(SystemName(s.displayMode)) + ") " + text;
    host_->SetDisplayText(text);
  }
  WriteTapeLine(result, "=");
  AddToGrandTotal();
  UpdateItemCount();
  FinishCalculation();
}

void Engine::PressPercent() {
  EngineState& s = state_;
  s.operand = DisplayValue();
  std::string number = PlainNumberText(s.operand, 15);
  bool divideByZero = false;
  if (s.pendingOp != Operator::None) number += "%";
  switch (s.pendingOp) {
    case Operator::None: s.total = s.operand / 100; break;
    case Operator::Plus: s.total = s.total + s.total * s.operand / 100; break;
    case Operator::Minus: s.total = s.total - s.total * s.operand / 100; break;
    case Operator::Times: s.total = s.total * s.operand / 100; break;
    case Operator::Divide:
      // Dividing by 0 % is a division by zero like any other: the total stays.
      divideByZero = s.operand == 0;
      if (!divideByZero) s.total = s.total / (s.operand / 100);
      break;
  }
  s.entryText.clear();
  ++s.itemCount;
  host_->SetDisplayText(divideByZero ? std::string(kDiv0Text) : PlainNumberText(s.total, 15));
  WriteTapeLine(number, s.pendingOp == Operator::None ? "%" : TapeSymbol(s.pendingOp));
  s.entryMade = false;
  s.pendingOp = Operator::None;
  PressEquals();
  Focus();
}

}  // namespace tallix
