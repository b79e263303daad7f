// tallix-cli transfer: the transfer test on a folder from a terminal, with the
// platform's own file layer (on Linux, reads and writes past the page cache).

#include <istream>
#include <optional>
#include <ostream>
#include <sstream>
#include <string>

#include "app/cli/cli_commands.h"
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

// Cache messages go to standard error as they come; the figures are printed at the end.
class Reporter final : public transfer::RunObserver {
 public:
  explicit Reporter(std::ostream& err) : err_(err) {}
  void StageStarted(transfer::Stage) override {}
  void Progress(transfer::Stage, int) override {}
  void StepDone(transfer::Column, const transfer::StepResult&) override {}
  void CacheNotCleared(const std::string& message) override { err_ << "tallix-cli transfer: " << message << "\n"; }

 private:
  std::ostream& err_;
};

}  // namespace

int RunTransfer(const Args& args, std::ostream& out, std::ostream& err) {
  TransferOptions options;
  if (const std::string problem = ParseOptions(args, options); !problem.empty()) {
    err << "tallix-cli transfer: " << problem << "\n" << kUsage;
    return 2;
  }
  const std::unique_ptr<transfer::FileSystem> files = transfer::SystemFileSystem();
  const transfer::SizeEntry size = transfer::ReadSizeEntry(*options.size, files->FreeBytes(options.folder));
  if (size.kind != transfer::SizeEntry::Kind::kRun) {
    err << "tallix-cli transfer: "
        << (size.message.empty() ? "--size needs a whole number of mebibytes above 0" : size.message) << "\n";
    return size.kind == transfer::SizeEntry::Kind::kCancel ? 2 : 1;
  }
  transfer::RunSettings settings;
  settings.choice = {size.mebibytes, !options.keep};
  transfer::SteadyClock clock;
  Reporter reporter(err);
  const transfer::RunResult run =
      transfer::RunTransferSteps(*files, clock, transfer::TestFilePath(options.folder, kSeparator), settings, reporter);
  const transfer::ReportFields fields{{},
                                      {},
                                      options.folder,
                                      transfer::ColumnFieldTexts(run.write),
                                      transfer::ColumnFieldTexts(run.read),
                                      run.read.caveat,
                                      run.failure};
  for (const transfer::ReportLine& line : transfer::ResultTable(fields)) out << transfer::PlainText(line) << "\n";
  if (!run.failure.empty()) err << "tallix-cli transfer: " << run.failure << "\n";
  std::istringstream noInput;
  return FinishStreams("transfer", noInput, out, err, run.failure.empty() ? 0 : 1);
}

}  // namespace tallix::cli
