#include "app/tape/apply_loaded_tape.h"

namespace tallix {

void ApplyLoadedTape(const LoadedTape& tape, Engine& engine, EngineHost& host) {
  for (const std::string& line : tape.lines) host.AddTapeLine(line);
  if (tape.displayText) host.SetDisplayText(*tape.displayText);
  engine.OnTapeLoaded(tape.lastTotal.value_or(engine.state().lastTotal));
}

}  // namespace tallix
