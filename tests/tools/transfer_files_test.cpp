// The transfer test on the build's real file system (POSIX natively, Win32
// under Wine): a left-over file, and what fails for real leaves no figure and
// no test file behind.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <functional>
#include <vector>

#include "tests/settings/temp_folder.h"
#include "tools/transfer/transfer_run.h"

#ifndef _WIN32
#include <sys/mount.h>
#include <sys/stat.h>
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
  EXPECT_EQ(run.files->LeftOverBytes(run.file), 3u << 20);
}

TEST(TransferFiles, FileHeldByAnotherRunIsNeitherUsedNorRemoved) {
  TempFolder folder;
  RealRun run(settings_test::Utf8(folder.path()));
  IoStatus status;
  std::unique_ptr<TestFileClaim> other = run.files->Claim(run.file, status);
  ASSERT_TRUE(other) << status.reason;
  EXPECT_TRUE(other->Created());
  const RunResult refused = run.Start({1, true});
  EXPECT_EQ(refused.failure, "Another transfer test is running in " + run.folder);
  EXPECT_EQ(refused.write.outcome, StepOutcome::kFailed);
  EXPECT_TRUE(std::filesystem::exists(run.file));
  other.reset();
  // Once the other run is over, its left-over file is this run's to use.
  EXPECT_FALSE(run.files->Claim(run.file, status)->Created());
  EXPECT_EQ(run.Start({1, true}).failure, "");
  EXPECT_FALSE(std::filesystem::exists(run.file));
}

// Removes the folder under test once the write has finished, as a share that
// went away, taking the run's hold on its file with it.
class FolderRemover final : public FileSystem {
 public:
  FolderRemover(FileSystem& files, std::filesystem::path folder) : files_(files), folder_(std::move(folder)) {}
  std::unique_ptr<TestFileClaim> Claim(const std::string& path, IoStatus& status) override {
    struct Gone final : TestFileClaim {
      bool Created() const override { return true; }
    };
    claim_ = files_.Claim(path, status);
    return claim_ ? std::make_unique<Gone>() : nullptr;
  }
  std::unique_ptr<TestFile> Open(const std::string& path, Access access, IoStatus& status) override {
    return files_.Open(path, access, status);
  }
  std::string ClearCache(const std::string& path, std::int32_t unit) override {
    claim_.reset();
    std::filesystem::remove_all(folder_);
    return files_.ClearCache(path, unit);
  }
  IoStatus Remove(const std::string& path) override { return files_.Remove(path); }
  std::optional<std::uint64_t> FreeBytes(const std::string& folder) override { return files_.FreeBytes(folder); }
  std::uint64_t LeftOverBytes(const std::string& path) override { return files_.LeftOverBytes(path); }
  std::string CacheCaveat() const override { return files_.CacheCaveat(); }

 private:
  FileSystem& files_;
  std::filesystem::path folder_;
  std::unique_ptr<TestFileClaim> claim_;
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
// What anyone may put under the test file's name in a shared folder: the run
// refuses it, naming it, and neither it nor what it points to is touched.
TEST(TransferFiles, NameThatIsNotAPlainFileOfTheUsersOwnIsLeftAlone) {
  struct Plant {
    const char* refusal;
    std::function<void(const std::string& name, const std::string& victim)> make;
  };
  const std::vector<Plant> plants = {
      {" is a link;", [](auto& name, auto& victim) { std::filesystem::create_symlink(victim, name); }},
      {" has another name (a hard link);",
       [](auto& name, auto& victim) { std::filesystem::create_hard_link(victim, name); }},
      {" is a link;", [](auto& name, auto& victim) { std::filesystem::create_symlink(victim + ".new", name); }},
      {" is not a regular file;", [](auto& name, auto&) { ASSERT_EQ(mkfifo(name.c_str(), 0644), 0); }},
      {" belongs to another user;",
       [](auto& name, auto&) {
         WriteBytes(name, "theirs");
         ASSERT_EQ(chown(name.c_str(), 65534, 65534), 0);
       }},
  };
  for (const Plant& plant : plants) {
    if (std::string(plant.refusal).find("another user") != std::string::npos && geteuid() != 0) continue;
    TempFolder folder;
    RealRun run(settings_test::Utf8(folder.path()));
    const std::string victim = settings_test::Utf8(folder.path() / "victim.txt");
    const std::string kept(2 << 20, 'v');
    WriteBytes(victim, kept);
    plant.make(run.file, victim);
    EXPECT_EQ(run.files->LeftOverBytes(run.file), 0u) << plant.refusal;
    const RunResult result = run.Start({1, true});
    EXPECT_EQ(result.failure, run.file + plant.refusal + " the test leaves it alone");
    EXPECT_EQ(result.write.outcome, StepOutcome::kFailed);
    EXPECT_EQ(ReadBytes(victim), kept) << plant.refusal;
    EXPECT_FALSE(std::filesystem::exists(victim + ".new")) << plant.refusal;
    EXPECT_TRUE(std::filesystem::exists(std::filesystem::symlink_status(run.file))) << plant.refusal;
  }
}

// A file of the user's own whose flush the kernel refuses (procfs has none).
TEST(TransferFiles, FailedFlushIsSaidAsSuch) {
  const std::unique_ptr<FileSystem> files = SystemFileSystem();
  EXPECT_EQ(files->ClearCache("/proc/self/status", 65536),
            "Flushing /proc/self/status to the device failed: Invalid argument");
}

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

TEST(TransferFiles, LeftOverFileCountsAsRoomForTheNextRun) {
  if (geteuid() != 0) GTEST_SKIP() << "mounting a small file system needs root";
  const Mounted disk(0, "size=8m");
  ASSERT_TRUE(disk.mounted());
  RealRun run(disk.path());
  ASSERT_EQ(run.Start({5, false}).failure, "");
  const std::optional<std::uint64_t> room = RoomForTestFile(*run.files, run.folder, run.file);
  ASSERT_TRUE(room);
  EXPECT_EQ(ReadSizeEntry("5", room).kind, SizeEntry::Kind::kRun);
  EXPECT_EQ(run.Start({5, true}).failure, "");
}
#else
// Under Wine a link is told apart only by the name of the file it opened:
// where the system cannot say which file a name opened (here one with no
// folder to place it in), it is not taken for the test file either.
TEST(TransferFiles, NameTheSystemCannotPlaceIsLeftAlone) {
  TempFolder folder;
  const std::filesystem::path before = std::filesystem::current_path();
  std::filesystem::current_path(folder.path());
  WriteBytes(std::string(kTestFileName), "kept");
  IoStatus status;
  EXPECT_EQ(SystemFileSystem()->Open(std::string(kTestFileName), Access::kWrite, status), nullptr);
  EXPECT_EQ(status.refusal, Refusal::kLink);
  std::filesystem::current_path(before);
  EXPECT_EQ(ReadBytes(settings_test::Utf8(folder.path() / kTestFileName)), "kept");
}

// A folder named in another code page ("caf\xE9") is no UTF-8: with the byte
// taken for a substitute it would name another folder, and the run refuses it,
// naming it, rather than write there.
TEST(TransferFiles, PathThatIsNotUtf8IsRefusedNamingIt) {
  TempFolder folder;
  const std::filesystem::path other = folder.path() / L"caf\uFFFD";
  std::filesystem::create_directory(other);
  RealRun run(settings_test::Utf8(folder.path()) + "\\caf\xE9");
  EXPECT_EQ(run.Start({1, false}).failure, run.file + " is not a valid file name; the test leaves it alone");
  EXPECT_TRUE(std::filesystem::is_empty(other));
}
#endif

}  // namespace
}  // namespace tallix::transfer
