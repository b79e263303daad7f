#include "app/settings/settings_temporaries.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <string>

#include "tests/settings/temp_folder.h"

namespace tallix {
namespace {

using settings_test::FromUtf8;
using settings_test::TempFolder;

TEST(RemoveStaleTemporaries, RemovesOnlyOldTemporariesOfOurOwnNaming) {
  TempFolder folder;
  namespace fs = std::filesystem;
  const auto old = fs::file_time_type::clock::now() - kStaleTemporaryAge - std::chrono::minutes(1);
  const std::string stale[] = {"Tallix.ini.4242.1.tmp", "Tallix.ini.7.12.tmp"};
  const std::string others[] = {"Tallix.ini",        "Tallix.ini.x.1.tmp",     "Tallix.ini.1.tmp",
                                "Other.ini.1.1.tmp", "Tallix.ini.1.1.tmp.bak", "Tallix.ini.1..tmp"};
  for (const std::string& name : others) settings_test::WriteBytes(folder.File(name), "[Main Settings]\r\n");
  for (const auto& entry : fs::directory_iterator(folder.path())) fs::last_write_time(entry.path(), old);
  // A write in flight.
  const std::string recent = TemporaryPathFor(folder.File(), 4242, 2);
  settings_test::WriteBytes(recent, "[Main");

  EXPECT_EQ(RemoveStaleTemporaries(folder.File()), 0u);
  EXPECT_FALSE(fs::exists(folder.path() / "Tallix.ini.lock")) << "a start with nothing stale leaves no lock file";

  for (const std::string& name : stale) settings_test::WriteBytes(folder.File(name), "[Main Settings]\r\n");
  for (const std::string& name : stale) fs::last_write_time(folder.path() / name, old);
  EXPECT_EQ(RemoveStaleTemporaries(folder.File()), 2u);
  for (const std::string& name : stale) EXPECT_FALSE(fs::exists(folder.path() / name)) << name;
  for (const std::string& name : others) EXPECT_TRUE(fs::exists(folder.path() / name)) << name;
  EXPECT_TRUE(fs::exists(FromUtf8(recent)));
}

}  // namespace
}  // namespace tallix
