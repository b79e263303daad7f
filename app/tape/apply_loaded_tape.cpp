#include "app/tape/apply_loaded_tape.h"

#include <algorithm>
#include <limits>

namespace tallix {

LoadedTapeApplier::LoadedTapeApplier(const LoadedTape& tape, Engine& engine, EngineHost& host)
    : tape_(tape), engine_(engine), host_(host) {}

bool LoadedTapeApplier::Step(std::size_t lines) {
  if (finished_) return true;
  const std::size_t end = next_ + std::min(lines, tape_.lines.size() - next_);
  for (; next_ < end; ++next_) host_.AddTapeLine(tape_.lines[next_]);
  if (next_ < tape_.lines.size()) return false;
  if (tape_.displayText) host_.SetDisplayText(*tape_.displayText);
  engine_.OnTapeLoaded(tape_.lastTotal.value_or(engine_.state().lastTotal));
  finished_ = true;
  return true;
}

void ApplyLoadedTape(const LoadedTape& tape, Engine& engine, EngineHost& host) {
  LoadedTapeApplier(tape, engine, host).Step(std::numeric_limits<std::size_t>::max());
}

}  // namespace tallix
