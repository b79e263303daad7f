#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <string>
#include <vector>

#include "app/settings/settings_io.h"
#include "tests/cli_command_run.h"
#include "tests/settings/temp_folder.h"

namespace tallix::cli {
namespace {

CliResult Loan(const Args& args) { return RunCommand(RunLoan, args); }

TEST(CliLoan, ResultsThenTheScheduleAsTheWindowShowsThem) {
  const CliResult result = Loan({"$100,000", "8.25%", "30", "--first", "03-15-2010"});
  EXPECT_EQ(result.status, 0);
  EXPECT_EQ(result.out.substr(0, result.out.find("2\t")),
            "Monthly Payments: $751.27\nTotal Number of Payments: 360\nYearly Principal + Interest: $9,015.20\n"
            "Principal Amount: $100,000.00\nFinance Charges: $170,455.98\nTotal Cost: $270,455.98\n\n"
            "#\tDate\tPrincipal\tInterest\tT.Principal\tT.Interest\tBalance\n"
            "1\t03/2010\t$63.77\t$687.50\t$63.77\t$687.50\t$99,936.23\n");
  EXPECT_NE(result.out.find("\n360\t02/2040\t"), std::string::npos);
  const CliResult csv = Loan({"100000", "8.25", "30", "--csv", "--first", "03-15-2010", "--compounding", "monthly"});
  EXPECT_NE(csv.out.find("Monthly Payments,$751.27\n"), std::string::npos) << csv.out;
  EXPECT_NE(csv.out.find("#,Date,Principal,Interest,T.Principal,T.Interest,Balance\n"
                         "1,03/2010,$63.77,$687.50,$63.77,$687.50,\"$99,936.23\"\n"),
            std::string::npos);
  EXPECT_NE(Loan({"100000", "8.25", "30", "--compounding", "daily"}).out.find("Payments: $753.20"), std::string::npos);
}

TEST(CliLoan, InputsWithoutAPaymentAndBadArgumentsAreTold) {
  for (const Args& args : std::vector<Args>{{"1000", "8", "0.04"}, {"1000", "8", "1e9"}, {"1000", "0", "30"}}) {
    const CliResult result = Loan(args);
    EXPECT_EQ(result.status, 1) << args[2];
    EXPECT_EQ(result.out, "");
    EXPECT_NE(result.err, "");
  }
  for (const Args& args : std::vector<Args>{{"1000", "8"},
                                            {"1000", "8", "5", "--compounding", "hourly"},
                                            {"1000", "8", "5", "--first", "2010-03-15"},
                                            {"1000", "8", "5", "--first"},
                                            {"1000", "8", "5", "--pdf"}}) {
    const CliResult result = Loan(args);
    EXPECT_EQ(result.status, 2) << args.back();
    EXPECT_NE(result.err.find("usage"), std::string::npos) << result.err;
  }
}

TEST(CliLoan, CompoundingNamesInAnyCase) {
  const std::string daily = Loan({"100000", "8.25", "30", "--compounding", "daily"}).out;
  EXPECT_EQ(Loan({"100000", "8.25", "30", "--compounding", "DAILY"}).out, daily);
  EXPECT_EQ(Loan({"100000", "8.25", "30", "--compounding", "Semi-Annually"}).status, 0);
}

// Text the window would drop after the leading number, and figures that would
// show as Infinity or NaN, are refused before anything is printed.
TEST(CliLoan, TextBeyondTheNumberAndFiguresTooLargeAreRefused) {
  for (const Args& args : std::vector<Args>{{"1000", "8", "30abc"},
                                            {"1000", "1,5", "30"},
                                            {"1,5", "8", "30"},
                                            {"1000", "8", "1,5"},
                                            {"1000", "8%x", "30"},
                                            {"Infinity", "8", "30"},
                                            {"1e309", "6", "30"},
                                            {"1000", "1e39", "30"},
                                            {"1000", "1e4932", "30"}}) {
    const CliResult result = Loan(args);
    EXPECT_EQ(result.status, 1) << args[0] << " " << args[1] << " " << args[2];
    EXPECT_EQ(result.out, "");
    EXPECT_EQ(std::count(result.err.begin(), result.err.end(), '\n'), 1) << result.err;
  }
  EXPECT_NE(Loan({"1000", "8", "30abc"}).err.find("YEARS \"30abc\" is not a number"), std::string::npos);
  EXPECT_EQ(Loan({"$1,000,000", "8.25%", "30"}).status, 0);
  EXPECT_EQ(Loan({"1e300", "8.25", "30"}).status, 0);
}

// The chart file is replaced whole, through a link to its file; what is not
// a file is refused before anything is printed, and left as it was.
TEST(CliLoan, ChartIsWrittenSafely) {
  namespace fs = std::filesystem;
  using settings_test::FromUtf8;
  settings_test::TempFolder folder;
  const auto chart = [&](const std::string& file) { return Loan({"200000", "6.5", "30", "--chart", file}); };
  const std::string fresh = folder.File("fresh.svg"), existing = folder.File("existing.svg");
  ASSERT_EQ(chart(fresh).status, 0);
  const std::string svg = settings_test::ReadBytes(fresh);
  EXPECT_EQ(svg.rfind("<?xml", 0), 0u) << svg.substr(0, 80);
  settings_test::WriteBytes(existing, std::string(4 * svg.size(), 'x'));
  ASSERT_EQ(chart(existing).status, 0);
  EXPECT_EQ(settings_test::ReadBytes(existing), svg);
  if (settings_test::MakeSymlink("existing.svg", folder.File("link.svg"))) {
    settings_test::WriteBytes(existing, "old");
    ASSERT_EQ(chart(folder.File("link.svg")).status, 0);
    EXPECT_TRUE(settings_test::IsSymlink(folder.File("link.svg")));
    EXPECT_EQ(settings_test::ReadBytes(existing), svg);
  }

  std::vector<std::pair<std::string, std::string_view>> refused{{folder.File("folder.svg"), kFolderReason}};
  fs::create_directory(FromUtf8(refused[0].first));
#ifndef _WIN32
  refused.emplace_back(folder.File("pipe.svg"), kPipeReason);
  ASSERT_EQ(mkfifo(refused[1].first.c_str(), 0644), 0);
#endif
  const std::size_t entries = folder.EntryCount();
  for (const auto& [file, reason] : refused) {
#ifdef _WIN32
    const CliResult result = chart(file);
#else
    const CliResult result = settings_test::WithinSeconds(10, [&] { return chart(file); });  // a pipe must not block
#endif
    EXPECT_EQ(result.status, 1) << file;
    EXPECT_EQ(result.out, "");
    EXPECT_NE(result.err.find(file), std::string::npos) << result.err;
    EXPECT_NE(result.err.find(reason), std::string::npos) << result.err;
  }
  EXPECT_TRUE(fs::is_empty(FromUtf8(refused[0].first)));
#ifndef _WIN32
  EXPECT_TRUE(fs::is_fifo(FromUtf8(refused[1].first)));
#endif
  EXPECT_EQ(folder.EntryCount(), entries);
}

}  // namespace
}  // namespace tallix::cli
