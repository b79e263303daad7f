// tallix-cli keys through its command function and string streams.
#include <gtest/gtest.h>

#include <filesystem>
#include <sstream>
#include <string>
#include <tuple>

#include "app/cli/cli_commands.h"
#include "engine/tape_note.h"
#include "tests/settings/temp_folder.h"

namespace tallix::cli {
namespace {

struct Result {
  int status;
  std::string out;
  std::string err;
};

Result RunCli(Args args, const std::string& input = "") {
  std::istringstream in(input);
  std::ostringstream out;
  std::ostringstream err;
  const int status = RunKeys(args, in, out, err);
  return {status, out.str(), err.str()};
}

const std::string kDashes(26, '-');

TEST(CliKeys, StandardAddition) {
  const Result r = RunCli({"5", "+", "3", "="});
  EXPECT_EQ(r.status, 0);
  EXPECT_EQ(r.out,
            "5  \n3 +\n" + kDashes + "\n8 =\n\ndisplay: 8\nitems:   2 Items\naverage:  AVG = 4.00\nmemory:  M1\n");
  EXPECT_EQ(r.err, "");
}

TEST(CliKeys, AddingMachineWithTwoDecimals) {
  const Result r = RunCli({"--mode", "adding", "--decimals", "2", "1", "0", "+", "5", "-", "+", "="});
  EXPECT_EQ(r.out, "10.00 +\n5.00 -\n5.00 +\n" + kDashes +
                       "\n10.00 =\n\ndisplay: 10.00\nitems:   3 Items\naverage:  AVG = 3.33\nmemory:  M1\n");
}

TEST(CliKeys, TimesAndDivideAreUtf8) {
  const Result r = RunCli({"6", "\xC3\x97", "2", "/", "4", "*", "1", "\xC3\xB7", "1", "="});
  EXPECT_NE(r.out.find("2 \xC3\x97\n4 \xC3\xB7\n1 \xC3\x97\n1 \xC3\xB7\n"), std::string::npos) << r.out;
  EXPECT_NE(r.out.find("display: 3\n"), std::string::npos);
}

TEST(CliKeys, CsvPrintsTheTapeAloneAsExportTapeWritesIt) {
  const Result r = RunCli({"--csv", "--mode", "adding", "1", "2", "\xC3\x97", "3", "="});
  EXPECT_EQ(r.status, 0);
  EXPECT_EQ(r.out.substr(0, r.out.find("\r\n")), "\xEF\xBB\xBFLine,Shown,Number,Symbol,Text");
  EXPECT_EQ(r.out.find("display:"), std::string::npos);
  EXPECT_NE(r.out.find("\r\n1,12,12,\xC3\x97,12 \xC3\x97\r\n"), std::string::npos) << r.out;
}

TEST(CliKeys, CorrectRetypesTheNthTypedNumberAndNotesIt) {
  const Result r = RunCli({"--correct", "2=31", "--mode", "adding", "1", "2", "+", "3", "0", "+", "="});
  EXPECT_EQ(r.out.substr(0, r.out.find("display:")), "12 +\n31 +\n" + kDashes + "\n43 =\n\n(Corrected 30 to 31)\n");
  // Grouping commas as the window's correction box takes them.
  const Result grouped = RunCli({"--correct", "2=1,000", "--mode", "adding", "1", "2", "+", "3", "0", "+", "="});
  EXPECT_EQ(grouped.status, 0) << grouped.err;
  EXPECT_NE(grouped.out.find("\n(Corrected 30 to 1,000)\n"), std::string::npos) << grouped.out;
  EXPECT_EQ(RunCli({"--correct", "3=1", "1", "+", "2", "="}).status, 2);
  EXPECT_EQ(RunCli({"--correct", "x=1", "1", "+", "2", "="}).status, 2);
}

TEST(CliKeys, NotesGoOnTheTapeStayThroughACorrectionAndExportAsText) {
  const Result r = RunCli({"--correct", "2=31", "--mode", "adding", "1", "2", "+", "#Lunch with Bob", "3", "0", "+",
                           "#caf\xC3\xA9 \xE2\x82\xAC", "="});
  EXPECT_EQ(r.status, 0) << r.err;
  EXPECT_EQ(r.out.substr(0, r.out.find("display:")), "12 +\n\"Lunch with Bob\"\n31 +\n\"caf\xC3\xA9 \xE2\x82\xAC\"\n" +
                                                         kDashes + "\n43 =\n\n(Corrected 30 to 31)\n");
  const Result csv = RunCli({"--csv", "5", "#-5 refund", "+"});
  EXPECT_NE(csv.out.find("\r\n1,,,,\"\"\"-5 refund\"\"\"\r\n"), std::string::npos) << csv.out;

  // A character the tape would turn into "?" refuses the note, as the note box does.
  const std::string greek = "#caf\xC3\xA9\xCE\xB1\xF0\x9F\x98\x80";  // one word on standard input
  for (const Result& refused : {RunCli({"5", "+", greek}), RunCli({"-"}, "5 + " + greek)}) {
    EXPECT_EQ(refused.status, 1);
    EXPECT_EQ(refused.out, "");
    EXPECT_EQ(refused.err, "tallix-cli keys: " + NoteRefusal(greek.substr(1)) + "\n");
  }
}

TEST(CliKeys, KeysFromStandardInput) {
  const Result r = RunCli({"--grouping", "off", "-"}, "1 2 3 4\n+\tMS  2nd\n=\n");
  EXPECT_EQ(r.out, "1234  \n1234 MS\n" + kDashes +
                       "\n1234 =\n\ndisplay: 1234\nitems:   1 Item\n"
                       "average:  AVG = 1,234.00\nmemory:  M2\n");
}

TEST(CliKeys, OutputThatCannotBeWrittenIsReported) {
  std::istringstream in;
  std::ostream lost(nullptr);  // every write fails
  std::ostringstream err;
  EXPECT_EQ(RunKeys({"5", "+", "3", "="}, in, lost, err), 1);
  EXPECT_EQ(err.str(), "tallix-cli keys: cannot write to standard output\n");
}

TEST(CliKeys, MinusAmongOtherKeysIsTheMinusKey) {
  const Result r = RunCli({"9", "-", "4", "="});
  EXPECT_NE(r.out.find("display: 5\n"), std::string::npos);
}

TEST(CliKeys, OptionsSetTheStartingState) {
  Result r = RunCli({"--system", "hex", "F", "F", "+", "Dec"});
  EXPECT_EQ(r.out, "(Hex)\nFF  \n(Dec)\ndisplay: 255\nitems:   1 Item\naverage:  AVG = 255.00\nmemory:  M1\n");
  r = RunCli({"--tax", "8.25", "--decimals", "2", "1", "0", "0", "+Tax"});
  EXPECT_EQ(r.out, "100.00 Tx\ndisplay: 108.25\nitems:  0 Items\naverage:  AVG = 0.00\nmemory:  M1\n");
  r = RunCli({"--auto-decimal", "on", "--decimals", "3", "5"});
  EXPECT_NE(r.out.find("display: 0.005\n"), std::string::npos);
  r = RunCli({"--system", "bin", "2", "1"});  // "2" is disabled in binary
  EXPECT_NE(r.out.find("display: 1\n"), std::string::npos);
}

TEST(CliKeys, RoundChoosesHowFixedDecimalsLetGo) {
  for (const auto& [rule, third, negative] :
       {std::tuple{"down", "0.33", "-0.66"}, {"54", "0.33", "-0.67"}, {"UP", "0.34", "-0.67"}}) {
    const Result r = RunCli({"--round", rule, "--decimals", "2", "1", "/", "3", "=", "2", "+/-", "/", "3", "="});
    EXPECT_EQ(r.out.substr(0, r.out.find("display:")), "1.00  \n3.00 \xC3\xB7\n" + kDashes + "\n" + third +
                                                           " =\n\n-2.00  \n3.00 \xC3\xB7\n" + kDashes + "\n" +
                                                           negative + " =\n\n")
        << rule;
  }
  const Result bad = RunCli({"--round", "half", "5"});
  EXPECT_EQ(bad.status, 2);
  EXPECT_EQ(bad.out, "");
  EXPECT_NE(bad.err.find("--round down|54|up"), std::string::npos) << bad.err;
}

TEST(CliKeys, GrandTotalAddsEveryResultAndGTShowsIt) {
  const Result r = RunCli({"--decimals", "2", "--grand-total", "1", "+", "2", "=", "7", "/", "2", "=", "GT"});
  EXPECT_EQ(r.status, 0) << r.err;
  EXPECT_NE(r.out.find("\n3.50 =\n\n6.50 GT\ndisplay: 6.50\n"), std::string::npos) << r.out;
  EXPECT_TRUE(r.out.ends_with("memory:  M1 GT\n")) << r.out;
  // Twice in a row: cleared. Without the option the key does nothing.
  EXPECT_NE(RunCli({"--grand-total", "5", "=", "GT", "GT"}).out.find("\n5 GT\nGT Clear\ndisplay: 5\n"),
            std::string::npos);
  EXPECT_EQ(RunCli({"5", "=", "GT"}).out, RunCli({"5", "="}).out);
  EXPECT_EQ(RunCli({"--grand-total", "--load"}).status, 2);
}

// Only what the tape holds at the end is printed.
TEST(CliKeys, ClearTapeIsAnsweredYes) {
  EXPECT_EQ(RunCli({"5", "+", "CT", "7"}).out, "display: 7\nitems:   0 Items\naverage:  AVG = 5.00\nmemory:  M1\n");
  EXPECT_EQ(RunCli({"5", "+", "3", "CT", "7", "+"}).out,
            "7  \ndisplay: 7\nitems:   1 Item\naverage:  AVG = 7.00\nmemory:  M1\n");
}

TEST(CliKeys, SavesATapeFileAndContinuesFromOne) {
  settings_test::TempFolder folder;
  const std::string path = folder.File("tape.txt");
  Result r = RunCli({"--save", path, "5", "+", "3", "="});
  EXPECT_EQ(r.status, 0);
  EXPECT_EQ(r.out,
            "5  \n3 +\n" + kDashes + "\n8 =\n\ndisplay: 8\nitems:   2 Items\naverage:  AVG = 4.00\nmemory:  M1\n");
  const std::string bytes = settings_test::ReadBytes(path);
  const std::string blanks(27, ' ');
  EXPECT_EQ(bytes.substr(bytes.find("\r\n")), "\r\n\r\n\r\n" + blanks + "5  \r\n" + blanks + "3 +\r\n    " + kDashes +
                                                  "\r\n" + blanks + "8 =\r\n" + blanks +
                                                  "   \r\n\r\n** 8\r\n***  8\r\n");

  r = RunCli({"--load", path, "--mode", "adding", "+", "2", "+"});
  EXPECT_EQ(r.status, 0);
  EXPECT_EQ(r.out, "5  \n3 +\n" + kDashes +
                       "\n8 =\n\n\n8 +\n2 +\ndisplay: 10\nitems:   2 Items\naverage:  AVG = 5.00\n"
                       "memory:  M1\n");
}

TEST(CliKeys, ControlCharactersOfALoadedTapeNeverReachTheTerminalButStayInTheFile) {
  settings_test::TempFolder folder;
  const std::string path = folder.File("hostile.txt");
  const std::string hostile =
      "\x1B[2J\x01 \x9D"
      "0;x\x07 \x7F \x81\x8D\x8F\x90\x80";
  settings_test::WriteBytes(path, "heading\r\n\r\n\r\n" + hostile + "\r\n\r\n** \x1B]0;t\x07 5\r\n*** 5\r\n");
  const std::string copy = folder.File("copy.txt");
  const Result r = RunCli({"--load", path, "--save", copy, "#bell\x07"});
  EXPECT_EQ(r.status, 0) << r.err;
  for (const char c : r.out) EXPECT_TRUE(c == '\n' || static_cast<unsigned char>(c) >= 0x20) << r.out;
  EXPECT_EQ(r.out.substr(0, r.out.find("items:")), "?[2J? ?0;x? ? ????\xE2\x82\xAC\n\n\"bell?\"\ndisplay: ?]0;t? 5\n");
  const std::string saved = settings_test::ReadBytes(copy);
  EXPECT_NE(saved.find(hostile + "\r\n"), std::string::npos) << "the file keeps what it read";
  EXPECT_NE(saved.find("\"bell\x07\"\r\n"), std::string::npos);
}

TEST(CliKeys, TapeFilesThatFailAreReported) {
  settings_test::TempFolder folder;
  const std::string missing = folder.File("missing.txt");
  Result r = RunCli({"--load", missing, "5"});
  EXPECT_EQ(r.status, 1);
  EXPECT_EQ(r.out, "");
  EXPECT_NE(r.err.find("\"" + missing + "\" could not be loaded"), std::string::npos) << r.err;

  r = RunCli({"--save", folder.File("no folder/tape.txt"), "5"});
  EXPECT_EQ(r.status, 1);
  EXPECT_NE(r.err.find("The tape could not be saved as"), std::string::npos) << r.err;
  EXPECT_NE(r.out.find("display: 5\n"), std::string::npos);

  EXPECT_EQ(RunCli({"--load"}).status, 2);
}

#ifndef _WIN32
TEST(CliKeys, SaveWritesThroughALinkAndNeverOverWhatIsNoFile) {
  namespace fs = std::filesystem;
  settings_test::TempFolder folder;
  const std::string tape = folder.File("tape.txt");
  const std::string link = folder.File("link.txt");
  settings_test::WriteBytes(tape, "an older tape\r\n");
  ASSERT_TRUE(settings_test::MakeSymlink("tape.txt", link));
  EXPECT_EQ(RunCli({"--save", link, "5"}).status, 0);
  EXPECT_TRUE(settings_test::IsSymlink(link));
  EXPECT_NE(settings_test::ReadBytes(tape).find("** 5\r\n"), std::string::npos);

  const std::string pipe = folder.File("pipe");
  ASSERT_EQ(mkfifo(pipe.c_str(), 0666), 0);
  Result r = settings_test::WithinSeconds(10, [&] { return RunCli({"--save", pipe, "5"}); });
  EXPECT_EQ(r.status, 1);
  EXPECT_EQ(r.err, "tallix-cli keys: The tape could not be saved as \"" + pipe + "\": It is a pipe, not a file.\n");
  EXPECT_TRUE(fs::is_fifo(pipe));

  const std::string device = folder.File("full");
  if (!settings_test::MakeDevice(device)) GTEST_SKIP() << "no rights to make a device";
  r = RunCli({"--save", device, "5"});
  EXPECT_EQ(r.status, 1);
  EXPECT_NE(r.err.find("\"" + device + "\": It is a device, not a file."), std::string::npos) << r.err;
  EXPECT_TRUE(fs::is_character_file(device));
}
#endif

TEST(CliKeys, BadInputPrintsNoTape) {
  for (const Args& args :
       {Args{"5", "+", "Q", "="}, Args{"--mode", "fast", "5"}, Args{"--decimals", "7", "5"}, Args{"--tax", "x", "5"},
        Args{"--bogus", "on", "5"}, Args{"--grouping"}, Args{}, Args{"5", "Cnv"}, Args{"5", "\xC3"},
        Args{"--tax", "nan", "5"}, Args{"--tax", "1e4932", "5"}, Args{"--tax", "1e39", "5"}}) {
    const Result r = RunCli(args);
    EXPECT_NE(r.status, 0);
    EXPECT_EQ(r.out, "");
    EXPECT_FALSE(r.err.empty());
  }
  const Result r = RunCli({"-"}, "5 + nonsense =");
  EXPECT_NE(r.status, 0);
  EXPECT_EQ(r.out, "");
  EXPECT_NE(r.err.find("\"nonsense\""), std::string::npos);
}

TEST(CliKeys, Cp1252ToUtf8) {
  EXPECT_EQ(Cp1252ToUtf8("a\xD7\xF7\x80"), "a\xC3\x97\xC3\xB7\xE2\x82\xAC");
  EXPECT_EQ(Cp1252ToUtf8(""), "");
}

}  // namespace
}  // namespace tallix::cli
