// Two processes writing their own keys into one settings file at the same time,
// as two Tallix windows in one folder do.
#include <gtest/gtest.h>

#include <filesystem>
#include <string>
#include <vector>

#include "app/settings/ini_file.h"
#include "app/settings/settings_io.h"
#include "tests/settings/temp_folder.h"

#ifdef _WIN32
#include <windows.h>
#else
#include <spawn.h>
#include <sys/wait.h>

extern char** environ;
#endif

namespace tallix {
namespace {

using settings_test::FromUtf8;
using settings_test::TempFolder;
using settings_test::Utf8;

#ifdef _WIN32
using Child = HANDLE;

Child Start(const std::vector<std::string>& args) {
  std::wstring line;
  for (const std::string& arg : args) line += L"\"" + FromUtf8(arg).wstring() + L"\" ";
  STARTUPINFOW startup{};
  startup.cb = sizeof startup;
  PROCESS_INFORMATION process{};
  if (!CreateProcessW(nullptr, line.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr, &startup, &process)) {
    return nullptr;
  }
  CloseHandle(process.hThread);
  return process.hProcess;
}

int Wait(Child child) {
  if (child == nullptr) return -1;
  WaitForSingleObject(child, INFINITE);
  DWORD code = 0;
  GetExitCodeProcess(child, &code);
  CloseHandle(child);
  return static_cast<int>(code);
}
#else
using Child = pid_t;

Child Start(const std::vector<std::string>& args) {
  std::vector<char*> argv;
  for (const std::string& arg : args) argv.push_back(const_cast<char*>(arg.c_str()));
  argv.push_back(nullptr);
  pid_t child = -1;
  return posix_spawn(&child, argv[0], nullptr, nullptr, argv.data(), environ) == 0 ? child : -1;
}

int Wait(Child child) {
  int status = 0;
  if (child < 0 || waitpid(child, &status, 0) != child) return -1;
  return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
}
#endif

// The helper program is built beside this one.
std::string WriterProgram() {
  const std::filesystem::path self = FromUtf8(ExecutableFilePath());
  return Utf8(self.parent_path() / ("settings_writer" + self.extension().string()));
}

TEST(ConcurrentWriters, LoseNoneOfEachOthersKeys) {
  TempFolder folder;
  const std::string file = folder.File();
  settings_test::WriteBytes(file, "[Main Settings]\r\nShowTape=1\r\n");
  constexpr int kKeys = 60;
  const std::vector<std::string> sections = {"First", "Second"};
  std::vector<Child> children;
  for (const std::string& section : sections) {
    children.push_back(Start({WriterProgram(), file, section, std::to_string(kKeys)}));
  }
  for (Child child : children) EXPECT_EQ(Wait(child), 0);
  for (const std::string& section : sections) {
    for (int i = 0; i < kKeys; ++i) {
      EXPECT_EQ(ReadSetting(file, section, "K" + std::to_string(i), "lost"), std::to_string(i)) << section << i;
    }
  }
  EXPECT_EQ(ReadSetting(file, "Main Settings", "ShowTape", "lost"), "1");
  EXPECT_EQ(folder.EntryCount(), 1u);
}

}  // namespace
}  // namespace tallix
