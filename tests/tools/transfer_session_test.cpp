// The transfer test's run on a fake file system, clock and window: what the
// window shows in what order, the figures and their texts, and the choices.
#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <algorithm>
#include <limits>

#include "tests/tools/transfer_fakes.h"
#include "tools/transfer/transfer_eviction.h"
#include "tools/transfer/transfer_options.h"

namespace tallix::transfer::test {
namespace {

using ::testing::ElementsAre;

constexpr char kTestFile[] = "D:\\Test\\NW_SpeedTest.dat";
const std::string kHundredMiB = "104,857,600|2.5000000|41,943,040|335,544,320|320.0000000|";

ColumnTexts Texts(const StepFigures& figures) {
  StepResult result;
  result.outcome = StepOutcome::kMeasured;
  result.figures = figures;
  return ColumnFieldTexts(result);
}

struct Bench {
  FakeFiles files;
  FakeClock clock{{0, 2.5, 10, 12.5}};
  FakeView view;
  TransferSession session{files, clock, view, '\\'};
};

TEST(TransferSession, FullRunShowsEachStageThenBothColumnsAndDeletesTheFile) {
  Bench run;
  run.session.Start();
  EXPECT_THAT(run.view.Stages(), ElementsAre("Writing Data...", "Clearing File Cache...", "Reading Data...",
                                             "Clearing File Cache...", "Deleting Data...", "Finished"));
  EXPECT_EQ(run.view.log.front(), "buttons: off");
  EXPECT_EQ(run.view.log.back(), "buttons: on");
  EXPECT_THAT(run.view.log, ::testing::Contains("folder: D:\\Test"));
  EXPECT_THAT(run.view.log, ::testing::Contains("status: Writing Data... 37%"));
  EXPECT_THAT(run.view.log, ::testing::Contains("status: Reading Data... 100%"));
  EXPECT_EQ(run.view.LastColumn(1), kHundredMiB);
  EXPECT_EQ(run.view.LastColumn(2), kHundredMiB);
  EXPECT_EQ(run.files.Count("write"), 100u);
  EXPECT_EQ(run.files.Count("read"), 100u);
  // Flushed before the close, inside the timed interval; cleared after each step.
  EXPECT_THAT(std::vector<std::string>(run.files.log.begin() + 101, run.files.log.begin() + 105),
              ElementsAre("flush", "close", "clear", std::string("open read ") + kTestFile));
  EXPECT_EQ(run.files.log.back(), std::string("remove ") + kTestFile);
}

TEST(TransferSession, KeptFileAndTheLastSizeProposedNextTime) {
  Bench run;
  run.view.choice = {2, false};
  run.session.Start();
  EXPECT_EQ(run.files.Count("remove"), 0u);
  EXPECT_THAT(run.view.Stages(), ::testing::IsSupersetOf({"Deleting Data...", "Finished"}));
  run.session.Start();
  ASSERT_EQ(run.view.proposals.size(), 2u);
  EXPECT_EQ(run.view.proposals[0].fileSize, 100);
  EXPECT_EQ(run.view.proposals[1].fileSize, 2);
  EXPECT_FALSE(run.view.proposals[1].deleteWhenFinished);
}

TEST(TransferSession, CancellingTheFolderOrTheOptionsChangesNothing) {
  Bench run;
  run.view.folder = "";
  run.session.Start();
  EXPECT_TRUE(run.view.proposals.empty());
  run.view.folder = "D:\\Test";
  run.view.choice = {0, false};
  run.session.Start();
  EXPECT_TRUE(run.view.log.empty());
  EXPECT_TRUE(run.files.log.empty());
  EXPECT_EQ(run.session.proposal().fileSize, 100);
}

TEST(TransferSession, FailedWriteShowsNoRateRemovesTheFileAndSaysWhy) {
  Bench run;
  run.view.choice = {8, false};
  run.files.failWriteAt = 3;
  run.session.Start();
  const std::string why = "Writing failed after 3145728 bytes: No space left on device";
  EXPECT_EQ(run.view.LastColumn(1), "8,388,608|failed||||");
  EXPECT_EQ(run.view.LastColumn(2), "|||||");  // cleared, never filled
  EXPECT_EQ(run.files.Count("read"), 0u);
  EXPECT_EQ(run.files.log.back(), std::string("remove ") + kTestFile);
  EXPECT_THAT(std::vector<std::string>(run.view.log.end() - 3, run.view.log.end()),
              ElementsAre("status: " + why, "tell: " + why, "buttons: on"));
}

TEST(TransferSession, UnclearedCacheIsToldAndTheReadFiguresSaySo) {
  Bench run;
  run.files.clearMessage = "Unable to find D:\\Test\\NW_SpeedTest.dat";
  run.session.Start();
  // Told after each step, and the test goes on.
  EXPECT_EQ(std::count(run.view.log.begin(), run.view.log.end(), "tell: " + run.files.clearMessage), 2);
  EXPECT_EQ(run.view.LastColumn(2), kHundredMiB + "file cache speed (the cache could not be cleared)");
  EXPECT_EQ(run.view.Stages().back(), "Finished");

  Bench wine;
  wine.files.caveat = "file cache (Wine)";
  wine.session.Start();
  EXPECT_EQ(wine.view.LastColumn(2), kHundredMiB + "file cache (Wine)");
}

TEST(TransferSession, StopDuringTheRunEndsItAndRemovesEvenAKeptFile) {
  Bench run;
  run.view.choice = {100, false};
  run.view.onStatus = [&run](const std::string& status) {
    if (status == "Writing Data... 3%") run.session.RequestStop();
  };
  run.session.Start();
  EXPECT_EQ(run.files.Count("write"), 3u);
  EXPECT_EQ(run.files.Count("read"), 0u);
  EXPECT_EQ(run.files.log.back(), std::string("remove ") + kTestFile);
  EXPECT_EQ(run.view.LastColumn(1), "104,857,600|failed||||");
  // A closing window asks nothing more of its user.
  EXPECT_EQ(std::count_if(run.view.log.begin(), run.view.log.end(),
                          [](const std::string& line) { return line.rfind("tell:", 0) == 0; }),
            0);
  EXPECT_EQ(run.view.log.end()[-2], "status: The test was stopped");

  run.view.onStatus = nullptr;
  run.session.Start();
  EXPECT_EQ(run.files.Count("read"), 100u);
}

TEST(TransferSession, RoomOfferedCountsWhatALeftOverFileAlreadyHolds) {
  Bench run;
  run.files.freeBytes = 3 << 20;
  run.files.sizes[kTestFile] = 5 << 20;
  run.view.choice = {0, false};
  run.session.Start();
  EXPECT_EQ(run.view.room, 8u << 20);
  EXPECT_EQ(ReadSizeEntry("8", run.view.room).kind, SizeEntry::Kind::kRun);
  run.files.freeBytes.reset();
  run.session.Start();
  EXPECT_EQ(run.view.room, std::nullopt);
}

TEST(TransferFigures, RatesOfTodaysDisksFitAndAClockThatDidNotMoveGivesNoRate) {
  const StepFigures tenGB = ComputeFigures(std::int64_t{10240} << 20, 1.0L);  // 10 GiB in a second
  EXPECT_EQ(tenGB.bytesPerSecond, 10737418240);
  EXPECT_EQ(tenGB.bitsPerSecond, 85899345920);
  const StepFigures hundredGB = ComputeFigures(100'000'000'000, 1.0L);
  EXPECT_EQ(Texts(hundredGB),
            (ColumnTexts{"100,000,000,000", "1.0000000", "100,000,000,000", "800,000,000,000", "762,939.4531250"}));
  // The largest file a run can ask for, in a nanosecond: beyond 64 bits.
  const std::int64_t largest = std::int64_t{std::numeric_limits<std::int32_t>::max()} << 20;
  EXPECT_TRUE(ComputeFigures(largest, 1e-9L).tooFast);
  EXPECT_EQ(Texts(ComputeFigures(1 << 20, 0)), (ColumnTexts{"1,048,576", "0.0000000", "too fast to measure", "", ""}));
  EXPECT_EQ(Texts(ComputeFigures(1234567, 1.0L))[2], "1,234,567");
  EXPECT_EQ(Texts(ComputeFigures(1, 0.25L))[1], "0.2500000");
}

TEST(TransferOptions, SizeEntries) {
  using Kind = SizeEntry::Kind;
  EXPECT_EQ(ReadSizeEntry("2.5", std::nullopt).mebibytes, 2);
  EXPECT_EQ(ReadSizeEntry("3.5", std::nullopt).mebibytes, 4);
  for (const char* cancel : {"0", "", "abc", "0.4", "-0.2"}) EXPECT_EQ(ReadSizeEntry(cancel, {}).kind, Kind::kCancel);
  EXPECT_EQ(ReadSizeEntry("-5", std::nullopt).message, "The file size must be a positive number of megabytes.");
  EXPECT_EQ(ReadSizeEntry("100", 100 << 20).kind, Kind::kRun);
  EXPECT_EQ(ReadSizeEntry("101", 100 << 20).message,
            "The folder has room for 100 megabytes; choose a smaller file size.");
  EXPECT_EQ(ReadSizeEntry("2147483648", std::nullopt).message,
            "The folder's free space is unknown; the file size can be at most 2147483647 megabytes.");
  EXPECT_EQ(ReadSizeEntry("2147483647", std::nullopt).mebibytes, 2147483647);
}

TEST(TransferEviction, BufferSizes) {
  EXPECT_EQ(EvictionBufferSize(3 << 20, 65536), 3145728);
  EXPECT_EQ(EvictionBufferSize(100 << 20, 65536), 8388608);
  EXPECT_EQ(EvictionBufferSize(100000, 65536), 131072);
  EXPECT_EQ(EvictionBufferSize(0, 65536), 65536);
  EXPECT_EQ(SmallerEvictionBuffer(8388608, 65536), 4194304);
  EXPECT_EQ(SmallerEvictionBuffer(131072, 65536), 65536);
  EXPECT_EQ(SmallerEvictionBuffer(65536, 65536), 0);
}

}  // namespace
}  // namespace tallix::transfer::test
