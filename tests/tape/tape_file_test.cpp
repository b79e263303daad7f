// Tape files: the bytes written, what a load makes of any file, and saves
// that fail without touching the old file.
#include "app/tape/tape_file.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <filesystem>
#include <random>
#include <string>
#include <vector>

#include "app/settings/settings_io.h"
#include "app/settings/settings_temporaries.h"
#include "app/tape/tape_csv.h"
#include "tests/settings/temp_folder.h"

#ifndef _WIN32
#include <signal.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>
#endif

namespace tallix {
namespace {

using settings_test::ReadBytes;
using settings_test::TempFolder;
using settings_test::WriteBytes;
using ::testing::HasSubstr;

const TapeStamp kStamp{2024, 12, 31, 23, 59, 7};
const std::string kHeading = std::string(30, ' ') + "Tape Report (12-31-2024 at 23:59:07)\r\n";

// The lines a file adds to the tape.
std::vector<std::string> TapeLinesOf(std::string_view bytes) {
  const std::optional<LoadedTape> tape = ParseTapeFile(bytes);
  EXPECT_TRUE(tape.has_value());
  return tape ? tape->lines : std::vector<std::string>{};
}

TEST(TapeFileFormat, EmptyTapeIsSixLines) {
  EXPECT_EQ(FormatTapeFile({}, "0", 0, kStamp), kHeading + "\r\n\r\n\r\n** 0\r\n***  0\r\n");
}

TEST(TapeFileFormat, LinesAreRightAlignedInThirtyColumns) {
  const std::vector<std::string> lines = {"1,234 \xD7", "", std::string(30, '9'), std::string(31, '8') + " ="};
  EXPECT_EQ(FormatTapeFile(lines, "-1,234.5", -12.25L, kStamp),
            kHeading + "\r\n\r\n" + std::string(23, ' ') + "1,234 \xD7\r\n" + std::string(30, ' ') + "\r\n" +
                std::string(30, '9') + "\r\n" + std::string(31, '8') + " =\r\n\r\n** -1,234.5\r\n*** -12.25\r\n");
}

TEST(TapeFile, SavedTapeLoadsBackWithItsDisplayAndTotal) {
  TempFolder folder;
  const std::string path = folder.File("Tape \xC3\xA9t\xC3\xA9.txt");
  const std::vector<std::string> lines = {"5  ", "3 +", std::string(26, '-'), "8 =", "", "-2 \xF7"};
  const TapeFileResult saved = SaveTapeFile(path, lines, "1,234.5", 8, kStamp);
  EXPECT_TRUE(saved.ok);
  EXPECT_EQ(saved.message, "File was saved as: " + path);

  const TapeLoadResult loaded = LoadTapeFile(path);
  ASSERT_TRUE(loaded.result.ok) << loaded.result.message;
  std::vector<std::string> expected = {"5  ", "3 +", std::string(26, '-'), "8 =", "", "-2 \xF7", ""};
  EXPECT_EQ(loaded.tape.lines, expected);
  EXPECT_EQ(loaded.tape.displayText, "1,234.5");
  EXPECT_EQ(loaded.tape.lastTotal, 8.0L);
  EXPECT_EQ(folder.EntryCount(), 1u);
}

TEST(TapeFile, ReadsAnyLineEndsAndSkipsTheFirstThreeLines) {
  const std::vector<std::string> expected = {"a", "b", "", "c"};
  for (const std::string& end : std::vector<std::string>{"\r\n", "\n", "\r"}) {
    EXPECT_EQ(TapeLinesOf("h" + end + end + end + "  a" + end + "b" + end + end + "c" + end), expected);
    EXPECT_EQ(TapeLinesOf("h" + end + end + end + "  a" + end + "b" + end + end + "c"), expected);
  }
  EXPECT_EQ(TapeLinesOf("one line without an end"), std::vector<std::string>{});
  EXPECT_EQ(TapeLinesOf(""), std::vector<std::string>{});
  // CR then CR LF, and LF then CR, are two line ends each.
  EXPECT_EQ(TapeLinesOf("1\r\r\n2\n\r3\r\n4\n\n"), (std::vector<std::string>{"", "3", "4", ""}));
}

TEST(TapeFile, TrailersCountWhereverTheyStandAndTheLastWins) {
  const std::optional<LoadedTape> tape =
      ParseTapeFile("** first\r\n***  -7.5e1 rest\r\n\r\nkept\r\n**not a trailer\r\n  ** 12\r\n***\r\n");
  ASSERT_TRUE(tape);
  EXPECT_EQ(tape->lines, std::vector<std::string>{"kept"});
  EXPECT_EQ(tape->displayText, "12");
  EXPECT_EQ(tape->lastTotal, 0.0L);  // "***" alone reads as 0
  EXPECT_EQ(ParseTapeFile("***  -7.5e1 rest\r\n")->lastTotal, -75.0L);

  const std::optional<LoadedTape> plain = ParseTapeFile("\r\n\r\n\r\nline\r\n");
  EXPECT_FALSE(plain->displayText.has_value());
  EXPECT_FALSE(plain->lastTotal.has_value());
}

TEST(TapeFile, HostileBytesGiveShortLinesWithoutNuls) {
  const std::string longLine = "   " + std::string(300, 'x');
  EXPECT_EQ(TapeLinesOf("\n\n\n" + longLine + "\n"), std::vector<std::string>{std::string(259, 'x')});
  EXPECT_EQ(TapeLinesOf(std::string("\n\n\nA\0B\n** \0", 11)), std::vector<std::string>{"A?B"});
  EXPECT_EQ(ParseTapeFile(std::string("** \0", 4))->displayText, "?");

  std::mt19937 random(10);
  std::string junk(1 << 20, '\0');
  for (char& byte : junk) byte = static_cast<char>(random() % 64 == 0 ? '\n' : random());
  for (const std::string& line : TapeLinesOf(junk)) {
    EXPECT_LE(line.size(), kMaxTapeLineLength);
    EXPECT_EQ(line.find('\0'), std::string::npos);
    EXPECT_EQ(line.find_first_of("\r\n"), std::string::npos);
  }
}

TEST(TapeFile, RefusesFilesBeyondItsLimitsNamingThem) {
  TempFolder folder;
  const std::string tooManyLines = folder.File("lines.txt");
  WriteBytes(tooManyLines, std::string(kMaxLoadedTapeLines + 3, '\n'));
  EXPECT_TRUE(LoadTapeFile(tooManyLines).result.ok);
  WriteBytes(tooManyLines, std::string(kMaxLoadedTapeLines + 4, '\n'));
  TapeLoadResult loaded = LoadTapeFile(tooManyLines);
  EXPECT_FALSE(loaded.result.ok);
  EXPECT_TRUE(loaded.tape.lines.empty());
  EXPECT_THAT(loaded.result.message, HasSubstr("\"" + tooManyLines + "\""));
  EXPECT_THAT(loaded.result.message, HasSubstr("2000000 lines"));

  const std::string huge = folder.File("huge.txt");
  WriteBytes(huge, "");
  std::filesystem::resize_file(settings_test::FromUtf8(huge), 300u << 20);  // sparse: quick to make
  loaded = LoadTapeFile(huge);
  EXPECT_FALSE(loaded.result.ok);
  EXPECT_THAT(loaded.result.message, HasSubstr("\"" + huge + "\""));
  EXPECT_THAT(loaded.result.message, HasSubstr("64 MiB"));

  for (const std::string& unreadable : {folder.File("missing.txt"), settings_test::Utf8(folder.path())}) {
    loaded = LoadTapeFile(unreadable);
    EXPECT_FALSE(loaded.result.ok);
    EXPECT_THAT(loaded.result.message, HasSubstr("\"" + unreadable + "\" could not be loaded: "));
    EXPECT_FALSE(loaded.result.message.ends_with(": ."));
  }
}

TEST(TapeFile, AFailedSaveSaysWhyAndKeepsTheOldFile) {
  TempFolder folder;
  const std::string path = folder.File("tape.txt");
  const std::string old = "an older tape\r\n";
  WriteBytes(path, old);
  const std::vector<std::string> lines(1000, "1,234,567.89 +");

  const TapeFileResult noFolder = SaveTapeFile(folder.File("no such folder/tape.txt"), lines, "0", 0, kStamp);
  EXPECT_FALSE(noFolder.ok);
  EXPECT_THAT(noFolder.message, HasSubstr("no such folder/tape.txt\": "));
#ifndef _WIN32
  const TapeFileResult full = settings_test::AsOnAFullDisk([&] { return SaveTapeFile(path, lines, "0", 0, kStamp); });
  EXPECT_FALSE(full.ok);
  EXPECT_EQ(full.message, "The tape could not be saved as \"" + path + "\": File too large.");
  EXPECT_EQ(ReadBytes(path), old);
  EXPECT_EQ(folder.EntryCount(), 1u);
#endif
  // Whoever saves: root passes every permission check.
  settings_test::SetReadOnly(path, true);
  const TapeFileResult readOnly = SaveTapeFile(path, lines, "0", 0, kStamp);
  settings_test::SetReadOnly(path, false);
  EXPECT_FALSE(readOnly.ok);
  EXPECT_EQ(readOnly.message, "The tape could not be saved as \"" + path + "\": The file is read-only.");
  EXPECT_EQ(ReadBytes(path), old);
  EXPECT_EQ(folder.EntryCount(), 1u);
}

TEST(TapeFile, SavesThroughLinksIntoTheFileTheyLeadTo) {
  TempFolder links;
  TempFolder files;
  const std::string target = files.File("tape.txt");
  WriteBytes(target, "an older tape\r\n");
  const std::string link = links.File("link.txt");
  const std::string chained = links.File("chained.txt");
  if (!settings_test::MakeSymlink(target, link)) GTEST_SKIP() << "no symbolic links here";
  ASSERT_TRUE(settings_test::MakeSymlink("link.txt", chained));
#ifndef _WIN32
  // Kept from the old file, but never the bits that run a program as its owner.
  ASSERT_EQ(chmod(target.c_str(), 06750), 0);
#endif
  const std::vector<std::string> lines = {"5  ", "3 +"};

  const TapeFileResult saved = SaveTapeFile(chained, lines, "8", 8, kStamp);
  EXPECT_TRUE(saved.ok) << saved.message;
  EXPECT_EQ(saved.message, "File was saved as: " + chained);
  EXPECT_EQ(ReadBytes(target), FormatTapeFile(lines, "8", 8, kStamp));
  EXPECT_TRUE(settings_test::IsSymlink(link));
  EXPECT_TRUE(settings_test::IsSymlink(chained));
  EXPECT_EQ(links.EntryCount(), 2u);
  EXPECT_EQ(files.EntryCount(), 1u);
#ifndef _WIN32
  struct stat info {};
  ASSERT_EQ(stat(target.c_str(), &info), 0);
  EXPECT_EQ(info.st_mode & 07777, 0750u);
#endif
}

TEST(TapeFile, NeverWritesOverFoldersDevicesOrPipes) {
  namespace fs = std::filesystem;
  TempFolder folder;
  const std::vector<std::string> lines = {"5  "};
  const auto refused = [&](const std::string& path, std::string_view reason) {
    const TapeFileResult saved = SaveTapeFile(path, lines, "5", 5, kStamp);
    EXPECT_FALSE(saved.ok);
    EXPECT_EQ(saved.message, "The tape could not be saved as \"" + path + "\": " + std::string(reason) + ".");
    const TapeFileResult exported = ExportTapeCsv(path, lines, 10);
    EXPECT_FALSE(exported.ok);
    EXPECT_THAT(exported.message, HasSubstr("\"" + path + "\": " + std::string(reason) + "."));
  };
  const std::string inner = folder.File("folder.txt");
  fs::create_directory(settings_test::FromUtf8(inner));
  refused(inner, kFolderReason);
  EXPECT_TRUE(fs::is_directory(settings_test::FromUtf8(inner)));
#ifdef _WIN32
  refused("NUL", kDeviceReason);
#else
  const std::string pipe = folder.File("pipe.txt");
  ASSERT_EQ(mkfifo(pipe.c_str(), 0666), 0);
  settings_test::WithinSeconds(10, [&] {
    refused(pipe, kPipeReason);
    EXPECT_FALSE(LoadTapeFile(pipe).result.ok);
    return 0;
  });
  EXPECT_TRUE(fs::is_fifo(pipe));
  const std::string device = folder.File("full");
  if (!settings_test::MakeDevice(device)) GTEST_SKIP() << "no rights to make a device";
  const std::string link = folder.File("link to full");
  ASSERT_TRUE(settings_test::MakeSymlink("full", link));
  refused(device, kDeviceReason);
  refused(link, kDeviceReason);
  EXPECT_TRUE(fs::is_character_file(device));
  EXPECT_TRUE(settings_test::IsSymlink(link));
  EXPECT_EQ(folder.EntryCount(), 4u);
#endif
}

TEST(TapeFile, ASaveRemovesOnlyItsOwnStaleTemporaries) {
  namespace fs = std::filesystem;
  TempFolder folder;
  const std::string tape = folder.File("tape.txt");
  const std::string csv = folder.File("tape.csv");
  const std::string stale[] = {TemporaryPathFor(tape, 4242, 1), folder.File("tape.txt.7.12.tmp"),
                               TemporaryPathFor(csv, 4242, 1)};
  const std::string others[] = {folder.File("other.txt.1.1.tmp"), folder.File("tape.txt.x.1.tmp"),
                                folder.File("tape.txt.1.1.tmp.bak"), folder.File("tape.txt.1.tmp")};
  for (const auto& name : stale) WriteBytes(name, "a part of a tape");
  for (const auto& name : others) WriteBytes(name, "a part of a tape");
  const auto old = fs::file_time_type::clock::now() - kStaleTemporaryAge - std::chrono::minutes(1);
  for (const auto& entry : fs::directory_iterator(folder.path())) fs::last_write_time(entry.path(), old);
  // A save in flight.
  const std::string recent = TemporaryPathFor(tape, 4242, 2);
  WriteBytes(recent, "a part");

  EXPECT_TRUE(SaveTapeFile(tape, {}, "0", 0, kStamp).ok);
  EXPECT_TRUE(ExportTapeCsv(csv, {}, 10).ok);
  for (const auto& name : stale) EXPECT_FALSE(fs::exists(settings_test::FromUtf8(name))) << name;
  for (const auto& name : others) EXPECT_TRUE(fs::exists(settings_test::FromUtf8(name))) << name;
  EXPECT_TRUE(fs::exists(settings_test::FromUtf8(recent)));
}

#ifndef _WIN32
TEST(TapeFile, AWriterKilledAtAnyMomentLeavesTheOldTapeOrTheNewOneWhole) {
  TempFolder folder;
  const std::string path = folder.File("tape.txt");
  const std::vector<std::string> lines(400000, "1,234,567.89 +");
  const std::vector<std::string> oldLines = {"an older tape"};
  const std::string old = FormatTapeFile(oldLines, "0", 0, kStamp);
  const std::string whole = FormatTapeFile(lines, "0", 0, kStamp);
  for (const int microseconds : {0, 2000, 10000, 30000, 60000, 120000}) {
    WriteBytes(path, old);
    const pid_t writer = fork();
    ASSERT_GE(writer, 0);
    if (writer == 0) {
      SaveTapeFile(path, lines, "0", 0, kStamp);
      _exit(0);
    }
    usleep(static_cast<useconds_t>(microseconds));
    kill(writer, SIGKILL);
    waitpid(writer, nullptr, 0);
    const std::string left = ReadBytes(path);
    EXPECT_TRUE(left == old || left == whole) << "killed after " << microseconds << " us: " << left.size() << " bytes";
  }
}
#endif

}  // namespace
}  // namespace tallix
