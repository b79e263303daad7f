// The real tallix-cli transfer as a child process: stopped by a signal, on a
// terminal, and failing.
#include <gtest/gtest.h>

#include <poll.h>
#include <pty.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <csignal>
#include <cstdio>
#include <filesystem>
#include <string>
#include <thread>

#include "tests/settings/temp_folder.h"
#include "tests/shell_output.h"
#include "tools/transfer/transfer_texts.h"

namespace tallix::transfer {
namespace {

using settings_test::TempFolder;

// Standard output and error of tallix-cli, then "status N".
std::string Cli(const std::string& arguments) {
  return test::Shell(std::string(TALLIX_CLI_PATH) + " " + arguments + " 2>&1; echo status $?");
}

std::size_t Occurrences(const std::string& text, const std::string& part) {
  std::size_t count = 0;
  for (std::size_t at = text.find(part); at != std::string::npos; at = text.find(part, at + 1)) ++count;
  return count;
}

TEST(TransferCli, InterruptOrTerminationStopsTheRunAndRemovesTheTestFile) {
  for (const int signal : {SIGINT, SIGTERM}) {
    TempFolder folder;
    const std::string path = folder.path().string();
    const std::filesystem::path file = TestFilePath(path, '/');
    std::fflush(stdout);
    const pid_t child = fork();
    if (child == 0) {
      freopen("/dev/null", "w", stdout);
      freopen("/dev/null", "w", stderr);
      execl(TALLIX_CLI_PATH, TALLIX_CLI_PATH, "transfer", path.c_str(), "--size", "2048", static_cast<char*>(nullptr));
      _exit(127);
    }
    ASSERT_GT(child, 0);
    const auto written = [&file] {
      std::error_code error;
      const std::uintmax_t size = std::filesystem::file_size(file, error);
      return !error && size >= (1u << 20);
    };
    for (int waited = 0; waited < 20000 && !written(); ++waited) {
      std::this_thread::sleep_for(std::chrono::milliseconds(1));
    }
    kill(child, signal);
    int status = -1;
    waitpid(child, &status, 0);
    EXPECT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 128 + signal) << "signal " << signal << ": " << status;
    EXPECT_FALSE(std::filesystem::exists(file)) << "signal " << signal;
  }
}

TEST(TransferCli, ProgressShowsOnATerminal) {
  TempFolder folder;
  int terminal = -1;
  std::fflush(stdout);
  const pid_t child = forkpty(&terminal, nullptr, nullptr, nullptr);
  if (child == 0) {
    freopen("/dev/null", "w", stdout);  // the figures; standard error stays on the terminal
    execl(TALLIX_CLI_PATH, TALLIX_CLI_PATH, "transfer", folder.path().c_str(), "--size", "2",
          static_cast<char*>(nullptr));
    _exit(127);
  }
  ASSERT_GT(child, 0);
  std::string shown;
  char buffer[4096];
  for (pollfd pending{terminal, POLLIN, 0}; poll(&pending, 1, 10000) > 0;) {
    const ssize_t n = read(terminal, buffer, sizeof buffer);
    if (n <= 0) break;
    shown.append(buffer, static_cast<std::size_t>(n));
  }
  int status = -1;
  waitpid(child, &status, 0);
  close(terminal);
  EXPECT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 0) << status;
  EXPECT_NE(shown.find("\rWriting Data... 100%"), std::string::npos) << shown;
  EXPECT_NE(shown.find("\rReading Data... 100%"), std::string::npos) << shown;
  // Off a terminal there is none.
  const std::string offTerminal =
      test::Shell(std::string(TALLIX_CLI_PATH) + " transfer " + folder.path().string() + " --size 1 2>&1 >/dev/null");
  EXPECT_EQ(offTerminal, "");
}

TEST(TransferCli, FailuresAreSaidOnceAndNameTheFileOrFolder) {
  TempFolder folder;
  const std::string path = folder.path().string();
  const std::string file = TestFilePath(path, '/');
  std::filesystem::create_symlink(path + "/elsewhere", file);
  const std::string refused = Cli("transfer " + path + " --size 1");
  EXPECT_EQ(Occurrences(refused, file + " is a link; the test leaves it alone"), 1u) << refused;
  EXPECT_EQ(refused.substr(refused.size() - 9), "status 1\n");
  EXPECT_EQ(Cli("transfer " + path + "/missing --size 1"),
            "tallix-cli transfer: no folder " + path + "/missing\nstatus 1\n");
}

}  // namespace
}  // namespace tallix::transfer
