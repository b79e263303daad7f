#include "engine/deferred_host.h"

namespace tallix {

DeferredHost::DeferredHost(EngineHost& target, std::size_t firstLine)
    : target_(target), firstLine_(firstLine), shown_(target.Shown()) {}

void DeferredHost::EnableKey(Key key, bool enabled) {
  const auto index = static_cast<std::size_t>(key);
  if (index < enabled_.size()) enabled_[index] = enabled;
}

void DeferredHost::ShowKeyPressed(Key key, bool pressed) {
  const auto index = static_cast<std::size_t>(key);
  if (index < pressed_.size()) pressed_[index] = pressed;
}

int DeferredHost::AddTapeLine(std::string_view line) {
  lines_.emplace_back(line);
  return static_cast<int>(firstLine_ + lines_.size() - 1);
}

void DeferredHost::ClearTapeLines() {
  lines_.clear();
  firstLine_ = 0;
}

void DeferredHost::ShowOnTarget() {
  target_.Show(shown_);
  for (std::size_t key = 0; key < enabled_.size(); ++key) {
    if (enabled_[key]) target_.EnableKey(static_cast<Key>(key), *enabled_[key]);
    if (pressed_[key]) target_.ShowKeyPressed(static_cast<Key>(key), *pressed_[key]);
  }
  if (checkedSystem_) target_.CheckNumberSystemButton(*checkedSystem_);
  if (checkedDecimals_) target_.CheckDecimalsMenuItem(*checkedDecimals_);
  if (groupingChecked_) target_.CheckDigitGroupingMenuItem(*groupingChecked_);
  if (autoDecimalChecked_) target_.CheckAutoDecimalMenuItem(*autoDecimalChecked_);
  if (selectedLine_) target_.SelectTapeLine(*selectedLine_);
  if (focusAsked_) target_.FocusKeySink();
}

}  // namespace tallix
