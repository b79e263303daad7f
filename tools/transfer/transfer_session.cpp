#include "tools/transfer/transfer_session.h"

namespace tallix::transfer {

TransferSession::TransferSession(FileSystem& files, Clock& clock, TransferView& view, char separator)
    : files_(files), clock_(clock), view_(view), separator_(separator) {}

void TransferSession::Start() {
  stopRequested_ = false;
  const std::string folder = view_.ChooseFolder();
  if (folder.empty()) return;
  const std::string testFile = TestFilePath(folder, separator_);
  const TransferChoice choice = view_.ChooseOptions(folder, proposal_, RoomForTestFile(files_, folder, testFile));
  if (choice.fileSize == 0) return;
  proposal_ = choice;
  view_.EnableButtons(false);
  view_.ShowColumn(Column::kWriting, {}, {});
  view_.ShowColumn(Column::kReading, {}, {});
  view_.ShowFolder(folder);
  RunSettings settings;
  settings.choice = choice;
  const RunResult run = RunTransferSteps(files_, clock_, testFile, settings, *this);
  if (!run.failure.empty()) {
    view_.ShowStatus(run.failure);
    if (!run.stopped) view_.Tell(run.failure);
  }
  view_.EnableButtons(true);
}

void TransferSession::StageStarted(Stage stage) { view_.ShowStatus(std::string(StageText(stage))); }

void TransferSession::Progress(Stage stage, int percent) { view_.ShowStatus(StageProgressText(stage, percent)); }

void TransferSession::StepDone(Column column, const StepResult& result) {
  view_.ShowColumn(column, ColumnFieldTexts(result), result.caveat);
}

void TransferSession::CacheNotCleared(const std::string& message) { view_.Tell(message); }

}  // namespace tallix::transfer
