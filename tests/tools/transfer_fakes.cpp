#include "tests/tools/transfer_fakes.h"

#include <algorithm>

namespace tallix::transfer::test {

namespace {

class FakeFile final : public TestFile {
 public:
  FakeFile(FakeFiles& files, std::string path) : files_(files), path_(std::move(path)) {}
  IoStatus Write(std::span<const std::byte> data) override {
    files_.log.push_back("write");
    if (writes_++ == files_.failWriteAt) return IoStatus::Failed("No space left on device");
    std::int64_t& size = files_.sizes[path_];
    size = std::max<std::int64_t>(size, (writes_) * static_cast<std::int64_t>(data.size()));
    return {};
  }
  IoStatus Read(std::span<std::byte> buffer, std::size_t& got) override {
    files_.log.push_back("read");
    const std::int64_t left = files_.sizes[path_] - offset_;
    got = static_cast<std::size_t>(std::clamp<std::int64_t>(left, 0, static_cast<std::int64_t>(buffer.size())));
    offset_ += static_cast<std::int64_t>(got);
    return {};
  }
  IoStatus Flush() override {
    files_.log.push_back("flush");
    return {};
  }
  IoStatus Close() override {
    files_.log.push_back("close");
    return {};
  }

 private:
  FakeFiles& files_;
  std::string path_;
  int writes_ = 0;
  std::int64_t offset_ = 0;
};

class FakeClaim final : public TestFileClaim {
 public:
  explicit FakeClaim(bool created) : created_(created) {}
  bool Created() const override { return created_; }

 private:
  bool created_;
};

}  // namespace

std::unique_ptr<TestFileClaim> FakeFiles::Claim(const std::string& path, IoStatus& status) {
  status = {};
  return std::make_unique<FakeClaim>(sizes.emplace(path, 0).second);
}

std::unique_ptr<TestFile> FakeFiles::Open(const std::string& path, Access access, IoStatus& status) {
  log.push_back((access == Access::kWrite ? "open write " : "open read ") + path);
  sizes.emplace(path, 0);
  status = {};
  return std::make_unique<FakeFile>(*this, path);
}

std::size_t FakeFiles::Count(const std::string& prefix) const {
  return static_cast<std::size_t>(
      std::count_if(log.begin(), log.end(), [&](const std::string& call) { return call.rfind(prefix, 0) == 0; }));
}

void FakeView::ShowColumn(Column column, const ColumnTexts& texts, const std::string& caveat) {
  std::string line = "column " + std::to_string(static_cast<int>(column)) + ": ";
  for (const std::string& text : texts) line += text + "|";
  log.push_back(line + caveat);
}

std::vector<std::string> FakeView::Stages() const {
  std::vector<std::string> stages;
  for (const std::string& line : log) {
    if (line.rfind("status: ", 0) == 0 && line.back() != '%') stages.push_back(line.substr(8));
  }
  return stages;
}

std::string FakeView::LastColumn(int column) const {
  const std::string prefix = "column " + std::to_string(column) + ": ";
  for (auto line = log.rbegin(); line != log.rend(); ++line) {
    if (line->rfind(prefix, 0) == 0) return line->substr(prefix.size());
  }
  return {};
}

}  // namespace tallix::transfer::test
