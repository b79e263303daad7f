// The safe open of services/file_io.h on the build's own file system (POSIX
// natively, Win32 under Wine): what it finds under a name Tallix names itself
// and refuses, saying why, and a link followed only when asked.
#include "services/file_io.h"

#include <gtest/gtest.h>

#include "tests/settings/temp_folder.h"

namespace tallix::file_io {
namespace {

using settings_test::FromUtf8;
using settings_test::TempFolder;

TEST(FileIo, RefusesWhatIsNoPlainFileOfOneNameAndFollowsALinkOnlyWhenAsked) {
  TempFolder folder;
  const std::string file = folder.File("file"), link = folder.File("link"), second = folder.File("second");
  settings_test::WriteBytes(file, "data");
  EXPECT_EQ(Open(settings_test::Utf8(folder.path()), {}).refusal, Refusal::kFolder);
  if (settings_test::MakeSymlink(file, link)) {
    EXPECT_EQ(Open(link, {}).refusal, Refusal::kLink);
    std::string bytes;
    const Opened through = Open(link, {.followLinks = true});
    EXPECT_EQ(ReadAll(through.file, bytes, 4), ReadOutcome::kRead);
    EXPECT_EQ(bytes, "data");
    // A file made new never goes through a link at its name, even one that
    // leads nowhere yet.
    EXPECT_FALSE(Open(link, {.access = Access::kWrite, .create = Create::kNew}).file);
    const std::string nowhere = folder.File("nowhere"), dangling = folder.File("dangling");
    if (settings_test::MakeSymlink(nowhere, dangling)) {
      EXPECT_FALSE(Open(dangling, {.access = Access::kWrite, .create = Create::kNew}).file);
      EXPECT_FALSE(std::filesystem::exists(FromUtf8(nowhere)));
    }
  }
  std::error_code error;
  std::filesystem::create_hard_link(FromUtf8(file), FromUtf8(second), error);
  if (!error) {
    EXPECT_EQ(Open(second, {.oneName = true}).refusal, Refusal::kManyNames);
    EXPECT_TRUE(Open(second, {}).file);
  }
#ifndef _WIN32
  // Opened for reading, a pipe would wait for a writer: the open must not.
  const std::string pipe = folder.File("pipe");
  ASSERT_EQ(mkfifo(pipe.c_str(), 0644), 0);
  EXPECT_EQ(settings_test::WithinSeconds(10, [&] { return Open(pipe, {}).refusal; }), Refusal::kNotRegular);
#else
  // Not UTF-8: taken as it is, it would name some other file.
  EXPECT_EQ(Open(settings_test::Utf8(folder.path()) + "\\\xff", {.create = Create::kNew}).refusal, Refusal::kBadName);
#endif
}

}  // namespace
}  // namespace tallix::file_io
