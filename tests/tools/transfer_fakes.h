#pragma once
// A file system and a clock for the transfer test that record what is done
// to them and fail where a test asks, and a window that records what it shows.

#include <deque>
#include <functional>
#include <map>
#include <string>
#include <vector>

#include "tools/transfer/transfer_session.h"

namespace tallix::transfer::test {

class FakeClock final : public Clock {
 public:
  explicit FakeClock(std::deque<long double> readings) : readings_(std::move(readings)) {}
  long double Seconds() override {
    const long double now = readings_.empty() ? last_ : readings_.front();
    if (!readings_.empty()) readings_.pop_front();
    return last_ = now;
  }

 private:
  std::deque<long double> readings_;
  long double last_ = 0;
};

class FakeFiles final : public FileSystem {
 public:
  // Each call, in order: "open write PATH", "write", "flush", "close", "clear", "read", "remove PATH".
  std::vector<std::string> log;
  std::map<std::string, std::int64_t> sizes;  // the files that exist, by path
  int failWriteAt = -1;                       // the write (0-based) that fails
  std::string clearMessage;                   // what ClearCache answers
  std::string caveat;

  std::unique_ptr<TestFileClaim> Claim(const std::string& path, IoStatus& status) override;
  std::unique_ptr<TestFile> Open(const std::string& path, Access access, IoStatus& status) override;
  std::string ClearCache(const std::string&, std::int32_t) override {
    log.push_back("clear");
    return clearMessage;
  }
  IoStatus Remove(const std::string& path) override {
    log.push_back("remove " + path);
    sizes.erase(path);
    return {};
  }
  std::optional<std::uint64_t> freeBytes;  // what FreeBytes answers

  std::optional<std::uint64_t> FreeBytes(const std::string&) override { return freeBytes; }
  std::uint64_t LeftOverBytes(const std::string& path) override {
    const auto file = sizes.find(path);
    return file == sizes.end() ? 0 : static_cast<std::uint64_t>(file->second);
  }
  std::string CacheCaveat() const override { return caveat; }

  // How many calls of the log begin with `prefix`.
  std::size_t Count(const std::string& prefix) const;
};

// What the window was asked to do, as lines: "status: Reading Data...",
// "buttons: off", "column 1: 104,857,600|2.5000000|...|note", "tell: ...".
class FakeView final : public TransferView {
 public:
  std::string folder = "D:\\Test";   // the folder browser's answer
  TransferChoice choice{100, true};  // the options window's answer
  std::vector<std::string> log;
  std::vector<TransferChoice> proposals;
  std::optional<std::uint64_t> room;                 // as the options window was told it
  std::function<void(const std::string&)> onStatus;  // called with each status shown

  std::string ChooseFolder() override { return folder; }
  TransferChoice ChooseOptions(const std::string&, const TransferChoice& proposal,
                               std::optional<std::uint64_t> roomForFile) override {
    proposals.push_back(proposal);
    room = roomForFile;
    return choice;
  }
  void EnableButtons(bool enabled) override { log.push_back(enabled ? "buttons: on" : "buttons: off"); }
  void ShowFolder(const std::string& shown) override { log.push_back("folder: " + shown); }
  void ShowStatus(const std::string& status) override {
    log.push_back("status: " + status);
    if (onStatus) onStatus(status);
  }
  void ShowColumn(Column column, const ColumnTexts& texts, const std::string& caveat) override;
  void Tell(const std::string& message) override { log.push_back("tell: " + message); }

  // The status lines without the progress ones.
  std::vector<std::string> Stages() const;
  // The last text shown in the column.
  std::string LastColumn(int column) const;
};

}  // namespace tallix::transfer::test
