// The real tallix-cli binary: the keys examples through a pipe, and the
// interactive paper tape on a pseudo-terminal.
#include <gtest/gtest.h>

#include <poll.h>
#include <pty.h>
#include <sys/wait.h>
#include <termios.h>
#include <unistd.h>

#include <algorithm>
#include <csignal>
#include <cstdio>
#include <string>
#include <vector>

#include "app/about/version_text.h"
#include "tests/shell_output.h"

namespace {

const std::string kDashes(26, '-');

using tallix::test::Shell;

std::string Capture(const std::string& arguments) { return Shell(std::string(TALLIX_CLI_PATH) + " " + arguments); }

TEST(CliBinary, KeysExamples) {
  EXPECT_EQ(Capture("keys 5 + 3 ="),
            "5  \n3 +\n" + kDashes + "\n8 =\n\ndisplay: 8\nitems:   2 Items\naverage:  AVG = 4.00\nmemory:  M1\n");
  EXPECT_EQ(Capture("keys --mode adding --decimals 2 1 0 + 5 - + ="),
            "10.00 +\n5.00 -\n5.00 +\n" + kDashes +
                "\n10.00 =\n\ndisplay: 10.00\nitems:   3 Items\naverage:  AVG = 3.33\nmemory:  M1\n");
}

TEST(CliBinary, UnknownKeyFailsWithoutOutput) {
  EXPECT_EQ(Capture("keys 5 + nonsense 2>/dev/null; echo status $?"), "status 2\n");
}

TEST(CliBinary, VersionAndHelpOfEachCommandOnStandardOutput) {
  EXPECT_EQ(Capture("--version 2>&1; echo status $?"), "tallix-cli " + tallix::VersionNumber() + "\nstatus 0\n");
  for (const std::string command : {"format", "keys", "convert", "area", "volume", "loan", "transfer", "interactive"}) {
    const std::string help = Capture(command + " --help 2>/dev/null; echo status $?");
    EXPECT_TRUE(help.starts_with("usage:\n  tallix-cli ")) << help;
    EXPECT_NE(help.find(command + " "), std::string::npos) << help;
    EXPECT_TRUE(help.ends_with("\nstatus 0\n")) << help;
  }
  EXPECT_TRUE(
      Capture("--help; echo status $?")
          .ends_with("COMMAND --help\n      the program's version, or how it or one command is used\nstatus 0\n"));
}

// Results lost to a full disk, or input that cannot be read, fail the run.
TEST(CliBinary, FailedWritesAndReadsAreReported) {
  EXPECT_EQ(Capture("keys 5 + 3 = 2>&1 >/dev/full; echo status $?"),
            "tallix-cli keys: cannot write to standard output\nstatus 1\n");
  EXPECT_EQ(Shell("seq 100000 | " + std::string(TALLIX_CLI_PATH) + " format '#' 2>&1 >/dev/full; echo status $?"),
            "tallix-cli format: cannot write to standard output\nstatus 1\n");
  EXPECT_EQ(Capture("format '#' 2>&1 < /; echo status $?"),
            "tallix-cli format: cannot read standard input\nstatus 1\n");
  EXPECT_EQ(Capture("keys - 2>&1 < /; echo status $?"), "tallix-cli keys: cannot read standard input\nstatus 1\n");
}

// A tallix-cli started on a pseudo-terminal, with no arguments unless given.
class Terminal {
 public:
  explicit Terminal(std::vector<std::string> args = {}) {
    args.insert(args.begin(), TALLIX_CLI_PATH);
    std::vector<char*> argv;
    for (std::string& arg : args) argv.push_back(arg.data());
    argv.push_back(nullptr);
    pid_ = forkpty(&master_, nullptr, nullptr, nullptr);
    if (pid_ == 0) {
      execv(TALLIX_CLI_PATH, argv.data());
      _exit(127);
    }
  }
  ~Terminal() {
    if (pid_ > 0 && !exited_) {
      kill(pid_, SIGKILL);
      waitpid(pid_, nullptr, 0);
    }
    if (master_ >= 0) close(master_);
  }

  bool started() const { return pid_ > 0; }
  void Signal(int signal) { kill(pid_, signal); }
  void Type(const std::string& text) { ASSERT_EQ(write(master_, text.data(), text.size()), ssize_t(text.size())); }

  // Reads until `wanted` has appeared in the output or 10 seconds pass.
  bool ReadUntil(const std::string& wanted) {
    for (int waited = 0; output_.find(wanted) == std::string::npos; ++waited) {
      if (waited > 100 || !ReadSome(100)) return false;
    }
    return true;
  }
  // Reads to the end of the output, then reaps the child.
  int Finish() {
    for (int waited = 0; waited < 100 && ReadSome(100); ++waited) {
    }
    int status = -1;
    waitpid(pid_, &status, 0);
    exited_ = true;
    return status;
  }
  termios Mode() const {
    termios mode{};
    tcgetattr(master_, &mode);
    return mode;
  }

  // The lines the terminal keeps: each ends with CR LF, and the status line
  // before it was erased by "\r\x1b[K".
  std::vector<std::string> Lines() const {
    std::vector<std::string> lines;
    std::size_t start = 0;
    for (std::size_t end; (end = output_.find("\r\n", start)) != std::string::npos; start = end + 2) {
      std::string line = output_.substr(start, end - start);
      if (const auto erased = line.rfind("\x1b[K"); erased != std::string::npos) line.erase(0, erased + 3);
      lines.push_back(line);
    }
    return lines;
  }
  const std::string& output() const { return output_; }

 private:
  bool ReadSome(int timeoutMs) {
    pollfd pending{master_, POLLIN, 0};
    if (poll(&pending, 1, timeoutMs) < 0) return false;
    if ((pending.revents & POLLIN) == 0) return (pending.revents & (POLLHUP | POLLERR)) == 0;
    char buffer[4096];
    const ssize_t n = read(master_, buffer, sizeof buffer);
    if (n <= 0) return false;
    output_.append(buffer, static_cast<std::size_t>(n));
    return true;
  }

  int master_ = -1;
  pid_t pid_ = -1;
  bool exited_ = false;
  std::string output_;
};

TEST(CliInteractive, TypedKeysPrintTheTape) {
  Terminal terminal;
  ASSERT_TRUE(terminal.started());
  ASSERT_TRUE(terminal.ReadUntil("display: 0")) << terminal.output();
  EXPECT_EQ(terminal.Mode().c_lflag & ECHO, 0u) << "raw mode while running";
  terminal.Type("5+3=");
  ASSERT_TRUE(terminal.ReadUntil("display: 8")) << terminal.output();
  terminal.Type("q");
  const int status = terminal.Finish();
  EXPECT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 0) << status;

  const std::vector<std::string> lines = terminal.Lines();
  const std::vector<std::string> tape = {"5  ", "3 +", kDashes, "8 =", ""};
  auto first = std::search(lines.begin(), lines.end(), tape.begin(), tape.end());
  EXPECT_NE(first, lines.end()) << terminal.output();
}

TEST(CliInteractive, KeyboardMappingAndEscapeSequences) {
  Terminal terminal;
  ASSERT_TRUE(terminal.started());
  ASSERT_TRUE(terminal.ReadUntil("display: 0"));
  // 12, Backspace, Up arrow (feed), "*" (Shift+8), 4, Enter, then Esc (Clear).
  terminal.Type("12\x7f");
  terminal.Type("\x1b[A");
  terminal.Type("*4\r");
  ASSERT_TRUE(terminal.ReadUntil("4 =")) << terminal.output();
  terminal.Type("\x1b");
  ASSERT_TRUE(terminal.ReadUntil("Clear")) << terminal.output();
  terminal.Type("\x04");  // Ctrl+D
  terminal.Finish();
  const std::vector<std::string> lines = terminal.Lines();
  const std::vector<std::string> tape = {"", "1  ", "4 \xC3\x97", kDashes, "4 =", "", "Clear"};
  EXPECT_NE(std::search(lines.begin(), lines.end(), tape.begin(), tape.end()), lines.end()) << terminal.output();
}

// An export printed to a terminal cannot drive it; through a pipe it keeps the loaded bytes.
TEST(CliBinary, CsvOfALoadedTapeActsOnNoTerminal) {
  char folder[] = "/tmp/tallix-csv-XXXXXX";
  ASSERT_NE(mkdtemp(folder), nullptr);
  const std::string path = std::string(folder) + "/hostile.txt";
  if (FILE* file = std::fopen(path.c_str(), "wb")) {
    std::fputs("heading\r\n\r\n\r\n\x1B]0;x\x07 5\r\n", file);
    std::fclose(file);
  }
  Terminal terminal({"keys", "--load", path, "--csv"});
  ASSERT_TRUE(terminal.started());
  const int status = terminal.Finish();
  EXPECT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 0) << status;
  EXPECT_NE(terminal.output().find("?]0;x?"), std::string::npos) << terminal.output();
  EXPECT_EQ(terminal.output().find_first_of("\x1B\x07"), std::string::npos) << terminal.output();
  EXPECT_NE(Capture("keys --load " + path + " --csv").find("\x1B]0;x\x07"), std::string::npos);
  std::remove(path.c_str());
  rmdir(folder);
}

TEST(CliInteractive, SignalRestoresTheTerminal) {
  Terminal terminal;
  ASSERT_TRUE(terminal.started());
  ASSERT_TRUE(terminal.ReadUntil("display: 0"));
  EXPECT_EQ(terminal.Mode().c_lflag & ICANON, 0u);
  terminal.Signal(SIGTERM);
  const int status = terminal.Finish();
  EXPECT_TRUE(WIFSIGNALED(status) && WTERMSIG(status) == SIGTERM) << status;
  EXPECT_NE(terminal.Mode().c_lflag & ICANON, 0u);
  EXPECT_NE(terminal.Mode().c_lflag & ECHO, 0u);
}

}  // namespace
