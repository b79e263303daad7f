#pragma once
// What Load Tape does to the calculator once a file has been read.

#include <cstddef>

#include "app/tape/tape_file.h"
#include "engine/engine.h"
#include "engine/engine_host.h"

namespace tallix {

// Appends the file's lines to the tape (after those already there, and
// without scrolling them into view), shows its display text, and ends the
// calculation in progress with the file's last total (the current one when
// the file has none). The status panes are left as they are.
void ApplyLoadedTape(const LoadedTape& tape, Engine& engine, EngineHost& host);

// The same, a slice of lines at a time, so that a window can repaint and show
// how far it has got between slices: a tape of a million lines takes seconds
// to go into a list control. The display and the last total change only with
// the last slice. The tape, engine and host must outlive it.
class LoadedTapeApplier {
 public:
  LoadedTapeApplier(const LoadedTape& tape, Engine& engine, EngineHost& host);

  // Appends up to `lines` more lines (finishing when none are left); true
  // once the whole tape is applied.
  bool Step(std::size_t lines);
  bool done() const { return finished_; }
  std::size_t linesApplied() const { return next_; }
  std::size_t linesTotal() const { return tape_.lines.size(); }

 private:
  const LoadedTape& tape_;
  Engine& engine_;
  EngineHost& host_;
  std::size_t next_ = 0;
  bool finished_ = false;
};

}  // namespace tallix
