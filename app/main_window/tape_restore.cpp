#include "app/main_window/tape_restore.h"

#include <windows.h>

#include <filesystem>
#include <utility>

#include "app/main_window/control_ids.h"
#include "app/main_window/tape_list.h"
#include "app/tape/journal_texts.h"
#include "engine/deferred_host.h"
#include "engine/settings_keys.h"
#include "services/file_io.h"
#include "ui/stepped_work.h"

namespace tallix {
namespace {

TapeJournal::TapeLines TapeLinesOf(MainWindowContext& main) {
  return [&main](std::size_t first) { return main.TapeLinesFrom(first); };
}

// The journal's tape, display and panes: its lines as it wrote them and the
// calculator where it stood, or else its record replayed.
void MakeTapeAgain(MainWindowContext& main, const ReadJournal& journal) {
  HWND list = main.Control(ids::kTapeList);
  ui::LongWork work(main.Owner(), L"Tallix", L"Restoring the tape of the last session");
  if (journal.end) {
    std::vector<std::string> lines = journal.linesBefore;
    lines.insert(lines.end(), journal.end->lines.begin(), journal.end->lines.end());
    ReplaceTapeLines(list, main.KeptTapeLines(), 0, TapeCount(list), lines, work);
    main.CalculatorEngine().AdoptRecord(journal.record, journal.end->state, journal.end->shown,
                                        journal.end->lines.size());
    return;
  }
  ReplaceTapeLines(list, main.KeptTapeLines(), 0, TapeCount(list), journal.linesBefore, work);
  DeferredHost replayed(main.CalculatorHost(), journal.linesBefore.size());
  const auto progress = ReplayProgress(work, journal.record);
  main.CalculatorEngine().Replay(journal.record, {.afterInput =
                                                      [&](std::size_t i) {
                                                        progress(i);
                                                        return true;
                                                      },
                                                  .via = &replayed});
  ReplaceTapeLines(list, main.KeptTapeLines(), replayed.FirstLine(), TapeCount(list), replayed.Lines(), work);
  replayed.ShowOnTarget();
}

}  // namespace

JournalStart RestoreOrStartJournal(MainWindowContext& main) {
  JournalStart start;
  Engine& engine = main.CalculatorEngine();
  if (std::optional<LeftJournal> left = TakeLeftJournal(main.SettingsPath())) {
    if (left->content) {
      MakeTapeAgain(main, *left->content);
      const std::size_t lines = TapeCount(main.Control(ids::kTapeList));
      start.journal = TapeJournal::Adopt(std::move(*left), engine, lines, TapeLinesOf(main));
    } else {
      start.messages.push_back(JournalUnreadableMessage(SetJournalAside(*left)));
    }
  }
  if (!start.journal) {
    start.journal = TapeJournal::Create(main.SettingsPath(), TapeLinesOf(main));
    if (start.journal) start.journal->RecordChanged(engine);
  }
  if (start.journal) {
    engine.SetRecordObserver(start.journal.get());
  } else {
    // Nothing can be made beside Tallix.ini: neither a journal nor the settings.
    const auto settings = file_io::FsPath(main.SettingsPath());
    const auto folder = settings ? file_io::Utf8Path(settings->parent_path()) : std::nullopt;
    start.messages.push_back(FolderNotWritableMessage(folder.value_or(main.SettingsPath())));
  }
  return start;
}

void EndJournal(MainWindowContext& main, std::unique_ptr<TapeJournal> journal) {
  main.CalculatorEngine().SetRecordObserver(nullptr);
  if (!journal) return;
  if (main.Settings().Read(main_keys::kSection, main_keys::kKeepTape, "0") != "1") journal->Remove();
}

}  // namespace tallix
