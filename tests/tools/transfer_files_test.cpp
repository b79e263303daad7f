// The transfer test on the build's real file system (POSIX natively, Win32
// under Wine): a left-over file, and what fails for real leaves no figure and
// no test file behind.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>

#include "tests/settings/temp_folder.h"
#include "tools/transfer/transfer_run.h"

#ifndef _WIN32
#include <sys/mount.h>
#include <unistd.h>
#endif

namespace tallix::transfer {
namespace {

using settings_test::ReadBytes;
using settings_test::TempFolder;
using settings_test::WriteBytes;

class Silent final : public RunObserver {
 public:
  void StageStarted(Stage) override {}
  void Progress(Stage, int) override {}
  void StepDone(Column, const StepResult&) override {}
  void CacheNotCleared(const std::string& message) override { told += message; }
  std::string told;
};

struct RealRun {
  explicit RealRun(std::string folder) : folder(std::move(folder)) {}
  RunResult Start(TransferChoice choice, FileSystem* through = nullptr) {
    RunSettings settings;
    settings.choice = choice;
    return RunTransferSteps(through ? *through : *files, clock, file, settings, observer);
  }
  std::string folder;
  std::string file = TestFilePath(folder, static_cast<char>(std::filesystem::path::preferred_separator));
  std::unique_ptr<FileSystem> files = SystemFileSystem();
  SteadyClock clock;
  Silent observer;
};

TEST(TransferFiles, LeftOverFileIsWrittenOverFromItsStartAndKept) {
  TempFolder folder;
  RealRun run(settings_test::Utf8(folder.path()));
  WriteBytes(run.file, std::string(3 << 20, '\xAB'));
  const RunResult result = run.Start({1, false});
  EXPECT_EQ(result.failure, "");
  EXPECT_EQ(result.write.outcome, StepOutcome::kMeasured);
  EXPECT_EQ(result.read.outcome, StepOutcome::kMeasured);
  EXPECT_EQ(run.observer.told, "");
  const std::string bytes = ReadBytes(run.file);
  ASSERT_EQ(bytes.size(), 3u << 20);
  EXPECT_EQ(bytes.find_first_not_of('\0'), 1u << 20);
}

// Removes the folder under test once the write has finished.
class FolderRemover final : public FileSystem {
 public:
  FolderRemover(FileSystem& files, std::filesystem::path folder) : files_(files), folder_(std::move(folder)) {}
  std::unique_ptr<TestFile> Open(const std::string& path, Access access, IoStatus& status) override {
    return files_.Open(path, access, status);
  }
  std::string ClearCache(const std::string& path, std::int32_t unit) override {
    std::filesystem::remove_all(folder_);
    return files_.ClearCache(path, unit);
  }
  IoStatus Remove(const std::string& path) override { return files_.Remove(path); }
  std::optional<std::uint64_t> FreeBytes(const std::string& folder) override { return files_.FreeBytes(folder); }
  std::string CacheCaveat() const override { return files_.CacheCaveat(); }

 private:
  FileSystem& files_;
  std::filesystem::path folder_;
};

TEST(TransferFiles, FolderRemovedDuringTheRunFailsTheRead) {
  TempFolder parent;
  const std::filesystem::path folder = parent.path() / "share";
  std::filesystem::create_directory(folder);
  RealRun run(settings_test::Utf8(folder));
  FolderRemover remover(*run.files, folder);
  const RunResult result = run.Start({2, true}, &remover);
  EXPECT_EQ(run.observer.told, "Unable to find " + run.file);
  EXPECT_EQ(result.write.outcome, StepOutcome::kMeasured);
  EXPECT_EQ(result.read.outcome, StepOutcome::kFailed);
  EXPECT_EQ(result.read.figures.bytesPerSecond, 0);
  EXPECT_EQ(result.failure.rfind("Reading failed on opening the test file: ", 0), 0u) << result.failure;
  EXPECT_FALSE(std::filesystem::exists(folder));
}

#ifndef _WIN32
// A small file system of its own, mounted over a fresh folder (root only).
class Mounted {
 public:
  Mounted(unsigned long flags, const char* options) {
    mounted_ = mount("tallix-transfer", folder_.path().c_str(), "tmpfs", flags, options) == 0;
  }
  ~Mounted() {
    if (mounted_) umount(folder_.path().c_str());
  }
  bool mounted() const { return mounted_; }
  std::string path() const { return settings_test::Utf8(folder_.path()); }

 private:
  TempFolder folder_;
  bool mounted_ = false;
};

TEST(TransferFiles, FullOrReadOnlyFileSystemFailsTheWriteAndLeavesNoFile) {
  if (geteuid() != 0) GTEST_SKIP() << "mounting a small file system needs root";
  const Mounted full(0, "size=2m");
  const Mounted readOnly(MS_RDONLY, "size=2m");
  ASSERT_TRUE(full.mounted() && readOnly.mounted());
  for (const auto& [folder, why] : {std::pair{full.path(), std::string(" bytes: No space left on device")},
                                    std::pair{readOnly.path(), std::string("the test file: Read-only file system")}}) {
    RealRun run(folder);
    const RunResult result = run.Start({4, false});
    EXPECT_EQ(result.write.outcome, StepOutcome::kFailed);
    EXPECT_EQ(result.read.outcome, StepOutcome::kNotRun);
    EXPECT_EQ(result.failure.substr(result.failure.size() - why.size()), why) << result.failure;
    EXPECT_FALSE(std::filesystem::exists(run.file));
  }
}
#endif

}  // namespace
}  // namespace tallix::transfer
