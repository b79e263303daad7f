// tallix-cli transfer: the transfer test on a folder from a terminal, with the
// platform's own file layer (on Linux, reads and writes past the page cache).
// Ctrl+C or a termination stops the run at its next block and removes the
// test file before the exit.

#include <filesystem>
#include <optional>
#include <ostream>
#include <sstream>
#include <string>
#include <system_error>

#include "app/cli/cli_commands.h"
#include "services/file_io.h"
#include "tools/transfer/transfer_report.h"
#include "tools/transfer/transfer_run.h"

namespace tallix::cli {

namespace {

constexpr const char* kUsage = "usage: tallix-cli transfer FOLDER --size MIB [--keep]\n";

#ifdef _WIN32
constexpr char kSeparator = '\\';
#else
constexpr char kSeparator = '/';
#endif

struct TransferOptions {
  std::string folder;
  std::optional<std::string> size;
  bool keep = false;
};

// Returns an error text, or an empty one when the options are sound.
std::string ParseOptions(const Args& args, TransferOptions& options) {
  for (std::size_t i = 0; i < args.size(); ++i) {
    const std::string& arg = args[i];
    if (arg == "--size") {
      if (i + 1 >= args.size()) return "--size needs a number of mebibytes";
      options.size = args[++i];
    } else if (arg == "--keep") {
      options.keep = true;
    } else if (arg.size() > 2 && arg.compare(0, 2, "--") == 0) {
      return "unknown option \"" + arg + "\"";
    } else if (!options.folder.empty()) {
      return "more than one FOLDER given";
    } else {
      options.folder = arg;
    }
  }
  if (options.folder.empty()) return "missing FOLDER";
  if (!options.size) return "missing --size MIB";
  return {};
}

bool IsFolder(const std::string& utf8) {
  std::error_code error;
  const auto path = file_io::FsPath(utf8);
  return path && std::filesystem::is_directory(*path, error);
}

// Cache messages go to standard error as they come, and on a terminal the
// stage and its share done on one line rewritten in place; the figures are
// printed at the end.
class Reporter final : public transfer::RunObserver {
 public:
  Reporter(std::ostream& err, bool showProgress) : err_(err), showProgress_(showProgress) {}
  ~Reporter() override { ShowProgress(""); }
  void StageStarted(transfer::Stage stage) override {
    if (stage != transfer::Stage::kFinished) ShowProgress(std::string(transfer::StageText(stage)));
  }
  void Progress(transfer::Stage stage, int percent) override {
    ShowProgress(transfer::StageProgressText(stage, percent));
  }
  void StepDone(transfer::Column, const transfer::StepResult&) override {}
  void CacheNotCleared(const std::string& message) override {
    ShowProgress("");
    err_ << "tallix-cli transfer: " << message << "\n";
  }
  bool StopRequested() override { return StopStatus() != 0; }

 private:
  // Over the previous text, the cursor left at the line's start; empty text clears the line.
  void ShowProgress(const std::string& text) {
    if (!showProgress_ || (text.empty() && shown_ == 0)) return;
    err_ << '\r' << text << std::string(shown_ > text.size() ? shown_ - text.size() : 0, ' ') << '\r' << std::flush;
    shown_ = text.size();
  }

  std::ostream& err_;
  bool showProgress_;
  std::size_t shown_ = 0;
};

}  // namespace

int RunTransfer(const Args& args, std::ostream& out, std::ostream& err) {
  TransferOptions options;
  if (const std::string problem = ParseOptions(args, options); !problem.empty()) {
    err << "tallix-cli transfer: " << problem << "\n" << kUsage;
    return 2;
  }
  if (!IsFolder(options.folder)) {
    err << "tallix-cli transfer: no folder " << options.folder << "\n";
    return 1;
  }
  const std::unique_ptr<transfer::FileSystem> files = transfer::SystemFileSystem();
  const std::string testFile = transfer::TestFilePath(options.folder, kSeparator);
  const transfer::SizeEntry size =
      transfer::ReadSizeEntry(*options.size, transfer::RoomForTestFile(*files, options.folder, testFile));
  if (size.kind != transfer::SizeEntry::Kind::kRun) {
    err << "tallix-cli transfer: "
        << (size.message.empty() ? "--size needs a whole number of mebibytes above 0" : size.message) << "\n";
    return size.kind == transfer::SizeEntry::Kind::kCancel ? 2 : 1;
  }
  transfer::RunSettings settings;
  settings.choice = {size.mebibytes, !options.keep};
  transfer::SteadyClock clock;
  CatchStopSignals();
  transfer::RunResult run;
  {
    Reporter reporter(err, IsTerminal(err));
    run = transfer::RunTransferSteps(*files, clock, testFile, settings, reporter);
  }
  if (run.stopped) {
    err << "tallix-cli transfer: stopped\n";
    return StopStatus();
  }
  // The failure goes to standard error alone, once.
  const transfer::ReportFields fields{{},
                                      {},
                                      options.folder,
                                      transfer::ColumnFieldTexts(run.write),
                                      transfer::ColumnFieldTexts(run.read),
                                      run.read.caveat,
                                      {}};
  for (const transfer::ReportLine& line : transfer::ResultTable(fields)) out << transfer::PlainText(line) << "\n";
  if (!run.failure.empty()) err << "tallix-cli transfer: " << run.failure << "\n";
  std::istringstream noInput;
  return FinishStreams("transfer", noInput, out, err, run.failure.empty() ? 0 : 1);
}

}  // namespace tallix::cli
