#pragma once
// What Load Tape does to the calculator once a file has been read.

#include "app/tape/tape_file.h"
#include "engine/engine.h"
#include "engine/engine_host.h"

namespace tallix {

// Appends the file's lines to the tape (after those already there, and
// without scrolling them into view), shows its display text, and ends the
// calculation in progress with the file's last total (the current one when
// the file has none). The status panes are left as they are.
void ApplyLoadedTape(const LoadedTape& tape, Engine& engine, EngineHost& host);

}  // namespace tallix
