#include "app/settings/ini_file.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <string>

#include "app/settings/settings_io.h"
#include "app/settings/settings_temporaries.h"
#include "tests/settings/temp_folder.h"

#ifndef _WIN32
#include <sys/stat.h>
#endif

namespace tallix {
namespace {

using settings_test::FromUtf8;
using settings_test::ReadBytes;
using settings_test::TempFolder;
using settings_test::Utf8;
using settings_test::WriteBytes;

// Bytes no text editor would write: NULs, high bytes, stray CRs, a "[" that
// never closes and an "=" line before any section.
std::string BinaryJunk() {
  std::string junk("\x00\x01\xFF\xFE[\x00junk\r\r=\x7F\x80 no end", 22);
  for (int i = 0; i < 300; ++i) {
    // No line feed, so the junk stays one line that the tests can place.
    if ((i * 37) % 256 != '\n') junk += static_cast<char>((i * 37) % 256);
  }
  return junk;
}

TEST(ReadSetting, FallsBackWhenFileSectionOrKeyIsMissing) {
  TempFolder folder;
  const std::string file = folder.File();
  EXPECT_EQ(ReadSetting(file, "Main Settings", "ShowTape", "1"), "1");
  WriteBytes(file, "[Main Settings]\r\nShowTape=0\r\n");
  EXPECT_EQ(ReadSetting(file, "Main Settings", "ShowTape", "1"), "0");
  EXPECT_EQ(ReadSetting(file, "Main Settings", "TopMost", "dflt"), "dflt");
  EXPECT_EQ(ReadSetting(file, "Memory", "ShowTape", ""), "");
  EXPECT_EQ(ReadSetting(folder.File("elsewhere/Tallix.ini"), "Main Settings", "ShowTape", "x"), "x");
}

TEST(ReadSetting, ReadsNamesAndValuesAsTheProfileFunctionsDo) {
  TempFolder folder;
  const std::string file = folder.File();
  WriteBytes(file,
             "; hand-edited\n"
             "  [ main SETTINGS ]  \n"
             "\tshowtape =  2 \t\n"
             "Quoted=\"  inner  \"\n"
             "Single='x'\n"
             "Half=\"open\n"
             "Empty=\n"
             "NoEquals\n"
             "Twice=1=2\n"
             "[Other]\n"
             "ShowTape=9\n"
             "[main settings]\n"
             "ShowTape=7\n"
             "Later=3\n");
  struct Expectation {
    const char* section;
    const char* key;
    const char* value;
  };
  const Expectation expectations[] = {
      {"Main Settings", "ShowTape", "2"},
      {"Main Settings", "quoted", "  inner  "},
      {"Main Settings", "Single", "x"},
      {"Main Settings", "Half", "\"open"},
      {"Main Settings", "Empty", ""},
      {"Main Settings", "NoEquals", "dflt"},
      {"Main Settings", "Twice", "1=2"},
      {"Other", "ShowTape", "9"},
      // A section given twice: the first key found wins, the second part still counts.
      {"Main Settings", "Later", "3"},
  };
  for (const auto& [section, key, value] : expectations) {
    EXPECT_EQ(ReadSetting(file, section, key, "dflt"), value) << section << "/" << key;
  }
}

TEST(ReadSetting, CutsValuesAt511Characters) {
  TempFolder folder;
  const std::string file = folder.File();
  WriteBytes(file, "[S]\nLong=" + std::string(600, 'a') + "b\n");
  EXPECT_EQ(ReadSetting(file, "S", "Long", ""), std::string(511, 'a'));
  EXPECT_EQ(ReadSetting(file, "S", "Missing", std::string(520, 'z')), std::string(511, 'z'));
}

TEST(ReadSetting, AcceptsEveryLineEndAndAMissingLastOne) {
  TempFolder folder;
  const std::string file = folder.File();
  for (const std::string bytes : {"[S]\r\nA=1\r\nB=2", "[S]\nA=1\nB=2\n", "\xEF\xBB\xBF[S]\r\nA=1\nB=2\r\n"}) {
    WriteBytes(file, bytes);
    EXPECT_EQ(ReadSetting(file, "S", "A", ""), "1") << bytes;
    EXPECT_EQ(ReadSetting(file, "S", "B", ""), "2") << bytes;
  }
}

TEST(ReadSetting, SurvivesJunkNulBytesAndHugeLines) {
  TempFolder folder;
  const std::string file = folder.File();
  WriteBytes(file, BinaryJunk() + "\n[S]\nA=1\nNul=ab" + std::string(1, '\0') +
                       "cd\nHuge=" + std::string(1 << 20, 'h') + "\nB=2\n" + BinaryJunk());
  EXPECT_EQ(ReadSetting(file, "S", "A", ""), "1");
  EXPECT_EQ(ReadSetting(file, "S", "Nul", ""), "ab");
  EXPECT_EQ(ReadSetting(file, "S", "Huge", ""), std::string(511, 'h'));
  EXPECT_EQ(ReadSetting(file, "S", "B", ""), "2");
  EXPECT_EQ(ReadSetting(file, "S", "Gone", "dflt"), "dflt");
}

TEST(ReadSetting, FallsBackWhenTheFileCannotBeRead) {
  TempFolder folder;
  std::filesystem::create_directory(folder.path() / "Tallix.ini");
  EXPECT_EQ(ReadSetting(folder.File(), "S", "A", "dflt"), "dflt");
}

TEST(WriteSetting, CreatesFileSectionAndKey) {
  TempFolder folder;
  const std::string file = folder.File();
  EXPECT_TRUE(WriteSetting(file, "Main Settings", "ShowTape", "1"));
  EXPECT_EQ(ReadBytes(file), "[Main Settings]\r\nShowTape=1\r\n");
  EXPECT_TRUE(WriteSetting(file, "Memory", "M1", "12.50"));
  EXPECT_TRUE(WriteSetting(file, "Main Settings", "TopMost", "0"));
  EXPECT_TRUE(WriteSetting(file, "main settings", "SHOWTAPE", "0"));
  EXPECT_EQ(ReadBytes(file), "[Main Settings]\r\nShowTape=0\r\nTopMost=0\r\n[Memory]\r\nM1=12.50\r\n");
  EXPECT_EQ(folder.EntryCount(), 1u);
}

TEST(WriteSetting, ChangesOnlyItsOwnLine) {
  TempFolder folder;
  const std::string file = folder.File();
  const std::string loan =
      "; Tallix settings\n"
      "orphan=before any section\n"
      "[Loan Settings]\n"
      "Name1=House\n"
      "\n"
      "[Main Settings]\n";
  const std::string tail =
      "\n"
      "; area fields\n"
      "[Area Settings]\n"
      "Length1=12\n"
      "[Volume Settings]\n"
      "Height=3";
  WriteBytes(file, loan + "  showtape = 1 \nUnknown Key=kept\n" + tail);
  EXPECT_TRUE(WriteSetting(file, "Main Settings", "ShowTape", "0"));
  EXPECT_TRUE(WriteSetting(file, "Main Settings", "TopMost", "1"));
  EXPECT_TRUE(WriteSetting(file, "Volume Settings", "Width", "2"));
  EXPECT_TRUE(WriteSetting(file, "Memory", "M1v", "12.5"));
  EXPECT_EQ(ReadBytes(file),
            loan + "showtape=0\nUnknown Key=kept\nTopMost=1\n" + tail + "\nWidth=2\n[Memory]\nM1v=12.5\n");
}

TEST(IniSettings, SeveralKeysWrittenAtOnceLeaveWhatOneAtATimeWould) {
  TempFolder folder;
  const std::string together = folder.File("together.ini"), alone = folder.File("alone.ini");
  const std::string old = "[Memory]\r\nM1=kept\r\n" + BinaryJunk() + "\r\n";
  WriteBytes(together, old);
  WriteBytes(alone, old);
  const SettingWrite writes[] = {
      {"Memory", "M2", "12.5"}, {"Memory", "M2v", "12.5"}, {"Bad]Section", "K", "v"}, {"Main Settings", "Base", "2"}};
  IniSettings(together).WriteMany(writes);
  for (const auto& [section, key, value] : writes) IniSettings(alone).Write(section, key, value);
  EXPECT_EQ(ReadBytes(together), ReadBytes(alone));
  EXPECT_EQ(ReadSetting(together, "Memory", "M2v", ""), "12.5");
}

TEST(WriteSetting, KeepsJunkByteForByte) {
  TempFolder folder;
  const std::string file = folder.File();
  const std::string old = BinaryJunk() + "\r\n[Loan Settings]\r\nName1=Car\r\n" + std::string(1 << 20, 'L') +
                          "\r\n[Area Settings]\r\nA=1\r\n[Volume Settings]\r\nV=2\r\n" + BinaryJunk();
  WriteBytes(file, old);
  EXPECT_TRUE(WriteSetting(file, "Main Settings", "ShowTape", "1"));
  EXPECT_EQ(ReadBytes(file), old + "\r\n[Main Settings]\r\nShowTape=1\r\n");
  EXPECT_EQ(ReadSetting(file, "Loan Settings", "Name1", ""), "Car");
  EXPECT_EQ(ReadSetting(file, "Area Settings", "A", ""), "1");
  EXPECT_EQ(ReadSetting(file, "Volume Settings", "V", ""), "2");
}

TEST(WriteSetting, NeverBreaksTheLayoutOfTheFile) {
  TempFolder folder;
  const std::string file = folder.File();
  EXPECT_TRUE(WriteSetting(file, "Loan Settings", "Name1", "two\r\nlines\n[Main Settings]\nTopMost=1"));
  EXPECT_EQ(ReadSetting(file, "Loan Settings", "Name1", ""), "two  lines [Main Settings] TopMost=1");
  EXPECT_EQ(ReadSetting(file, "Main Settings", "TopMost", "0"), "0");
  const std::string before = ReadBytes(file);
  EXPECT_FALSE(WriteSetting(file, "Bad]Section", "K", "v"));
  EXPECT_FALSE(WriteSetting(file, "Two\nLines", "K", "v"));
  EXPECT_FALSE(WriteSetting(file, " ", "K", "v"));
  EXPECT_FALSE(WriteSetting(file, "S", "a=b", "v"));
  EXPECT_FALSE(WriteSetting(file, "S", "[S2]", "v"));
  EXPECT_FALSE(WriteSetting(file, "S", ";comment", "v"));
  EXPECT_FALSE(WriteSetting(file, "S", "", "v"));
  EXPECT_EQ(ReadBytes(file), before);
}

TEST(WriteSetting, RefusesToReplaceAFileItCannotRead) {
  TempFolder folder;
  std::filesystem::create_directory(folder.path() / "Tallix.ini");
  std::filesystem::create_directory(folder.path() / "Tallix.ini" / "inside");
  EXPECT_FALSE(WriteSetting(folder.File(), "S", "A", "1"));
  EXPECT_TRUE(std::filesystem::is_directory(folder.path() / "Tallix.ini" / "inside"));
  EXPECT_EQ(folder.EntryCount(), 1u);
}

// Marking the file read-only is how a user pins the settings.
TEST(WriteSetting, LeavesAReadOnlyFileAlone) {
  TempFolder folder;
  const std::string file = folder.File();
  const std::string pinned = "[Main Settings]\nShowTape=1\n";
  WriteBytes(file, pinned);
  // The mark holds whoever writes: root passes every permission check.
  settings_test::SetReadOnly(file, true);
  const bool written = WriteSetting(file, "Main Settings", "ShowTape", "0");
  IniSettingsBatch batch(file);
  batch.Write("Main Settings", "TopMost", "1");
  const bool committed = batch.Commit();
  settings_test::SetReadOnly(file, false);
  EXPECT_FALSE(written);
  EXPECT_FALSE(committed);
  EXPECT_EQ(ReadBytes(file), pinned);
  EXPECT_EQ(folder.EntryCount(), 1u);
}

TEST(WriteSetting, ReadsAndRewritesAFileOfMegabytes) {
  TempFolder folder;
  const std::string file = folder.File();
  const std::string top = "[Main Settings]\r\nDecimal Setting1=12\r\n";
  std::string rest = "[Notes]\r\n";
  while (rest.size() < 3300000) rest += "Line" + std::to_string(rest.size()) + "=" + std::string(60, 'n') + "\r\n";
  WriteBytes(file, top + rest);
  EXPECT_EQ(ReadSetting(file, "Main Settings", "Decimal Setting1", "10"), "12");
  EXPECT_TRUE(WriteSetting(file, "Main Settings", "CalcMode", "1"));
  IniSettingsBatch batch(file);
  EXPECT_FALSE(batch.fileTooLarge());
  EXPECT_EQ(batch.Read("Main Settings", "CalcMode", "0"), "1");
  batch.Write("Memory", "M1", "5");
  EXPECT_TRUE(batch.Commit());
  // Not EXPECT_EQ: a failure would print a line-by-line diff of megabytes.
  EXPECT_TRUE(ReadBytes(file) == top + "CalcMode=1\r\n" + rest + "[Memory]\r\nM1=5\r\n");
}

TEST(WriteSetting, LeavesAFileOverTheSizeLimitAlone) {
  TempFolder folder;
  const std::string file = folder.File();
  const std::string huge = "[S]\nA=1\n;" + std::string(kMaxSettingsFileBytes, 'x') + "\n[S]\nB=2\n";
  WriteBytes(file, huge);
  // Its settings within the limit still count.
  EXPECT_EQ(ReadSetting(file, "S", "A", "dflt"), "1");
  EXPECT_EQ(ReadSetting(file, "S", "B", "dflt"), "dflt");
  EXPECT_FALSE(WriteSetting(file, "S", "A", "2"));
  IniSettingsBatch batch(file);
  EXPECT_TRUE(batch.fileTooLarge());
  EXPECT_EQ(batch.Read("S", "A", ""), "1");
  batch.Write("S", "A", "2");
  EXPECT_FALSE(batch.Commit());
  EXPECT_TRUE(ReadBytes(file) == huge);
  EXPECT_EQ(folder.EntryCount(), 1u);
  EXPECT_THAT(SettingsFileTooLargeMessage(file), ::testing::HasSubstr(file));
}

// Settings kept elsewhere (a dotfiles folder) and linked to beside the
// program: the link's file changes, and the link stays.
TEST(WriteSetting, WritesThroughALinkAndLeavesTheLinkAlone) {
  namespace fs = std::filesystem;
  TempFolder folder;
  TempFolder elsewhere;
  const std::string file = folder.File();
  const std::string target = elsewhere.File("kept.ini");
  WriteBytes(target, "[Main Settings]\r\nShowTape=1\r\n");
  if (!settings_test::MakeSymlink(target, file)) GTEST_SKIP() << "no symbolic links here";
  const std::string stale = TemporaryPathFor(target, 4242, 1);
  WriteBytes(stale, "[Main");
  fs::last_write_time(FromUtf8(stale), fs::file_time_type::clock::now() - kStaleTemporaryAge - std::chrono::minutes(1));

  EXPECT_EQ(RemoveStaleTemporaries(file), 1u);
  EXPECT_TRUE(WriteSetting(file, "Main Settings", "ShowTape", "0"));
  EXPECT_EQ(ReadBytes(target), "[Main Settings]\r\nShowTape=0\r\n");
  EXPECT_TRUE(settings_test::IsSymlink(file));
  EXPECT_EQ(folder.EntryCount(), 1u);
  EXPECT_EQ(elsewhere.EntryCount(), 1u);
}

TEST(ResolveWriteTarget, KeepsAPlainFileAndRefusesAFolder) {
  namespace fs = std::filesystem;
  TempFolder folder;
  const std::string file = folder.File();
  EXPECT_EQ(ResolveWriteTarget(file).path, file) << "a file yet to be made";
  WriteBytes(file, "[Main Settings]\r\n");
  const WriteTarget existing = ResolveWriteTarget(file);
  ASSERT_FALSE(existing.path.empty()) << existing.reason;
  EXPECT_TRUE(fs::equivalent(FromUtf8(existing.path), FromUtf8(file))) << existing.path;
  const WriteTarget inner = ResolveWriteTarget(Utf8(folder.path()));
  EXPECT_EQ(inner.path, "");
  EXPECT_EQ(inner.reason, kFolderReason);
}

// A lock file that leads elsewhere, or that blocks, is not used.
TEST(SettingsFileLock, IsNeverTakenThroughALinkOrOnAPipe) {
  namespace fs = std::filesystem;
  TempFolder folder;
  const std::string file = folder.File();
  if (!settings_test::MakeSymlink(folder.File("elsewhere"), file + ".lock")) GTEST_SKIP() << "no symbolic links here";
  EXPECT_FALSE(SettingsFileLock(file).held());
  EXPECT_FALSE(WriteSetting(file, "Main Settings", "ShowTape", "0"));
  EXPECT_FALSE(fs::exists(FromUtf8(folder.File("elsewhere"))));
  EXPECT_FALSE(fs::exists(FromUtf8(file)));
#ifndef _WIN32
  fs::remove(FromUtf8(file + ".lock"));
  ASSERT_EQ(mkfifo((file + ".lock").c_str(), 0666), 0);
  EXPECT_FALSE(settings_test::WithinSeconds(10, [&] { return SettingsFileLock(file).held(); }));
#endif
}

#ifndef _WIN32
TEST(WriteSetting, NeverWritesOverAPipeOrADevice) {
  namespace fs = std::filesystem;
  TempFolder folder;
  const std::string pipe = folder.File("pipe.ini");
  ASSERT_EQ(mkfifo(pipe.c_str(), 0666), 0);
  EXPECT_FALSE(settings_test::WithinSeconds(10, [&] { return WriteSetting(pipe, "Main Settings", "ShowTape", "0"); }));
  EXPECT_TRUE(fs::is_fifo(pipe));
  const std::string device = folder.File("device.ini");
  if (!settings_test::MakeDevice(device)) GTEST_SKIP() << "no rights to make a device";
  std::string reason;
  EXPECT_FALSE(ReplaceFileAtomically(device, "[Main Settings]\r\n", &reason));
  EXPECT_EQ(reason, kDeviceReason);
  EXPECT_TRUE(fs::is_character_file(device));
}
#endif

TEST(WriteSetting, WorksInAFolderWithANonAsciiName) {
  TempFolder folder("R\xC3\xA9glages \xE2\x9C\x93");
  const std::string file = folder.File();
  EXPECT_TRUE(WriteSetting(file, "Main Settings", "CalcMode", "1"));
  EXPECT_EQ(ReadSetting(file, "Main Settings", "CalcMode", "0"), "1");
  EXPECT_TRUE(std::filesystem::exists(folder.path() / "Tallix.ini"));
}

#ifndef _WIN32
TEST(WriteSetting, LeavesTheFileAloneInAReadOnlyFolder) {
  TempFolder folder;
  const std::string file = folder.File();
  WriteBytes(file, "[Main Settings]\nShowTape=1\n");
  std::filesystem::permissions(folder.path(), std::filesystem::perms(0555));
  if (std::ofstream(FromUtf8(folder.File("probe"))).is_open()) {
    std::filesystem::permissions(folder.path(), std::filesystem::perms::owner_all, std::filesystem::perm_options::add);
    GTEST_SKIP() << "running with rights that ignore folder permissions";
  }
  EXPECT_FALSE(WriteSetting(file, "Main Settings", "ShowTape", "0"));
  EXPECT_FALSE(DeleteSection(file, "Main Settings"));
  EXPECT_EQ(ReadBytes(file), "[Main Settings]\nShowTape=1\n");
  EXPECT_EQ(folder.EntryCount(), 1u);
}

// A full disk, as the file-size limit makes the temporary file's write fail.
TEST(WriteSetting, KeepsTheOldFileWhenTheTemporaryCannotBeWritten) {
  TempFolder folder;
  const std::string file = folder.File();
  const std::string old = "[Main Settings]\nShowTape=1\n" + std::string(100000, 'x') + "\n";
  WriteBytes(file, old);
  EXPECT_FALSE(settings_test::AsOnAFullDisk([&] { return WriteSetting(file, "Main Settings", "ShowTape", "0"); }));
  EXPECT_EQ(ReadBytes(file), old);
  EXPECT_EQ(folder.EntryCount(), 1u);
}
#endif

TEST(DeleteSection, RemovesEveryCopyOfTheSectionAndNothingElse) {
  TempFolder folder;
  const std::string file = folder.File();
  WriteBytes(file,
             "[Area Settings]\r\nLength=1\r\n; note\r\n"
             "[Main Settings]\r\nShowTape=1\r\n"
             "[area settings]\r\nWidth=2\r\n"
             "[Volume Settings]\r\nHeight=3");
  EXPECT_TRUE(DeleteSection(file, "Area Settings"));
  EXPECT_EQ(ReadBytes(file), "[Main Settings]\r\nShowTape=1\r\n[Volume Settings]\r\nHeight=3");
  EXPECT_TRUE(DeleteSection(file, "Missing"));
  EXPECT_EQ(ReadSetting(file, "Volume Settings", "Height", ""), "3");
}

TEST(DeleteSection, DoesNotCreateAMissingFile) {
  TempFolder folder;
  EXPECT_TRUE(DeleteSection(folder.File(), "Area Settings"));
  EXPECT_EQ(folder.EntryCount(), 0u);
}

TEST(IniSettings, ReadsWritesAndDeletesThroughThePort) {
  TempFolder folder;
  IniSettings ini(folder.File());
  SettingsPort& port = ini;
  port.Write("Area Settings", "Length", "12");
  port.Write("Loan Settings", "Name1", "Boat");
  EXPECT_EQ(port.Read("area settings", "length", ""), "12");
  port.DeleteSection("Area Settings");
  EXPECT_EQ(port.Read("Area Settings", "Length", "gone"), "gone");
  EXPECT_EQ(port.Read("Loan Settings", "Name1", ""), "Boat");
}

TEST(SettingsPathFor, TakesTheExecutablesFolder) {
  EXPECT_EQ(SettingsPathFor("C:\\Program Files\\Tallix\\Tallix.exe"), "C:\\Program Files\\Tallix\\Tallix.ini");
  EXPECT_EQ(SettingsPathFor("/opt/tallix/bin/tallix"), "/opt/tallix/bin/Tallix.ini");
  EXPECT_EQ(SettingsPathFor("D:\\tools/mixed\\x.exe"), "D:\\tools/mixed\\Tallix.ini");
  EXPECT_EQ(SettingsPathFor("Tallix.exe"), "Tallix.ini");
  EXPECT_EQ(SettingsPathFor(""), "Tallix.ini");
  const std::string own = SettingsPathFor(ExecutableFilePath());
  EXPECT_THAT(own, ::testing::EndsWith("Tallix.ini"));
  EXPECT_GT(own.size(), std::string("Tallix.ini").size());
}

}  // namespace
}  // namespace tallix
