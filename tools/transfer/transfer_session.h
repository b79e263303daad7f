#pragma once
// One opening of the transfer test window: what "Start Test" does, from the
// folder dialog to "Finished", on the window's view of it. The window
// implements TransferView; the tests hand a fake.

#include <cstdint>
#include <optional>
#include <string>

#include "tools/transfer/transfer_figures.h"
#include "tools/transfer/transfer_io.h"
#include "tools/transfer/transfer_options.h"
#include "tools/transfer/transfer_run.h"

namespace tallix::transfer {

class TransferView {
 public:
  virtual ~TransferView() = default;
  // The folder browser; empty text when cancelled.
  virtual std::string ChooseFolder() = 0;
  // The options window, modal, opened with `proposal` for a test in `folder`
  // where the test file may take `room` bytes (nullopt: unknown); a file size
  // of 0 when cancelled.
  virtual TransferChoice ChooseOptions(const std::string& folder, const TransferChoice& proposal,
                                       std::optional<std::uint64_t> room) = 0;
  // "Start Test", "Exit" and "Print Results"; enabling also focuses "Start Test".
  virtual void EnableButtons(bool enabled) = 0;
  virtual void ShowFolder(const std::string& folder) = 0;
  // The status line, painted at once.
  virtual void ShowStatus(const std::string& status) = 0;
  // A column's five fields and the note on its figures (empty: none).
  virtual void ShowColumn(Column column, const ColumnTexts& texts, const std::string& caveat) = 0;
  // A message the user has to acknowledge.
  virtual void Tell(const std::string& message) = 0;
};

class TransferSession final : private RunObserver {
 public:
  // `separator` joins the folder and the test file's name.
  TransferSession(FileSystem& files, Clock& clock, TransferView& view, char separator);

  // The whole test: cancelling the folder or the options leaves the window as it was.
  void Start();

  // Ends the run under way at its next block and removes its file (the
  // window is being closed); Start then tells nothing more. Asked during
  // the dialogs, the run ends before its first block.
  void RequestStop() { stopRequested_ = true; }

  // Proposed in the options window: 100 at first, then the last accepted size.
  const TransferChoice& proposal() const { return proposal_; }

 private:
  void StageStarted(Stage stage) override;
  void Progress(Stage stage, int percent) override;
  void StepDone(Column column, const StepResult& result) override;
  void CacheNotCleared(const std::string& message) override;
  bool StopRequested() override { return stopRequested_; }

  FileSystem& files_;
  Clock& clock_;
  TransferView& view_;
  char separator_;
  TransferChoice proposal_{100, true};
  bool stopRequested_ = false;
};

}  // namespace tallix::transfer
