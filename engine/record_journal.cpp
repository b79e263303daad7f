// Writing an input record as journal lines in checksummed batches, and reading
// back the batches that are whole.
#include "engine/record_journal.h"

#include <array>
#include <charconv>
#include <cstdint>
#include <cstring>
#include <iterator>
#include <type_traits>

#include "services/crc32.h"

namespace tallix {
namespace {

// Every field in its order, named by the bindings: one added to ShownTexts
// stops this compiling until it is listed here.
template <class Shown, class Field>
void VisitShown(Shown& s, Field&& f) {
  auto& [display, items, average, memory, numLock, bank2Shown] = s;
  f(display), f(items), f(average), f(memory), f(numLock), f(bank2Shown);
}

constexpr char kHex[] = "0123456789ABCDEF";

void PutHexBytes(std::string& out, const unsigned char* bytes, std::size_t count) {
  for (std::size_t i = 0; i < count; ++i) out += kHex[bytes[i] >> 4], out += kHex[bytes[i] & 15];
}

int HexDigit(char c) {
  if (c >= '0' && c <= '9') return c - '0';
  if (c >= 'A' && c <= 'F') return c - 'A' + 10;
  return -1;
}

bool GetHexBytes(std::string_view word, unsigned char* bytes, std::size_t count) {
  if (word.size() != 2 * count) return false;
  for (std::size_t i = 0; i < count; ++i) {
    const int high = HexDigit(word[2 * i]), low = HexDigit(word[2 * i + 1]);
    if (high < 0 || low < 0) return false;
    bytes[i] = static_cast<unsigned char>(high << 4 | low);
  }
  return true;
}

// A text as one word: a quote, then its bytes with '%', blanks and control
// characters as %XX.
void PutText(std::string& out, std::string_view text) {
  out += '\'';
  for (const char c : text) {
    const auto byte = static_cast<unsigned char>(c);
    if (byte <= ' ' || byte == '%' || byte == 0x7F) {
      out += '%', out += kHex[byte >> 4], out += kHex[byte & 15];
    } else {
      out += c;
    }
  }
}

bool GetText(std::string_view word, std::string& text) {
  if (word.empty() || word[0] != '\'') return false;
  text.clear();
  for (std::size_t i = 1; i < word.size(); ++i) {
    if (word[i] != '%') {
      text += word[i];
      continue;
    }
    unsigned char byte = 0;
    if (i + 2 >= word.size()) return false;
    if (!GetHexBytes(word.substr(i + 1, 2), &byte, 1)) return false;
    text += static_cast<char>(byte);
    i += 2;
  }
  return true;
}

class Writer {
 public:
  explicit Writer(std::string& out) : out_(out) {}
  void operator()(const std::string& text) { Space(), PutText(out_, text); }
  void operator()(bool value) { Space(), out_ += value ? '1' : '0'; }
  // A number as its exact bits.
  template <class Number>
  void operator()(Exact<Number> value) {
    unsigned char bytes[sizeof(Number)] = {};
    std::memcpy(bytes, &value.number, sizeof(Number));
    Space(), PutHexBytes(out_, bytes, Exact<Number>::kBytes);
  }
  template <class Number>
  requires std::is_integral_v<Number> || std::is_enum_v<Number>
  void operator()(Number value) {
    char digits[24];
    const auto end = std::to_chars(digits, digits + sizeof digits, static_cast<long long>(value)).ptr;
    Space(), out_.append(digits, end);
  }

 private:
  void Space() { out_ += ' '; }
  std::string& out_;
};

class Reader {
 public:
  explicit Reader(std::string_view words) : rest_(words) {}
  bool ok() const { return ok_; }
  bool done() const { return rest_.empty(); }
  // Another word follows and it is no text.
  bool AtNumber() const { return rest_.size() > 1 && rest_[1] != '\''; }

  void operator()(std::string& text) { ok_ = ok_ && GetText(Word(), text); }
  void operator()(bool& value) {
    const std::string_view word = Word();
    ok_ = ok_ && (word == "0" || word == "1");
    value = word == "1";
  }
  template <class Number>
  void operator()(Exact<Number>& value) {
    unsigned char bytes[sizeof(Number)] = {};
    ok_ = ok_ && GetHexBytes(Word(), bytes, Exact<Number>::kBytes);
    std::memcpy(&value.number, bytes, sizeof(Number));
  }
  template <class Number>
  requires std::is_integral_v<Number> || std::is_enum_v<Number>
  void operator()(Number& value) {
    using Stored = std::conditional_t<std::is_enum_v<Number>, std::underlying_type<Number>, std::type_identity<Number>>;
    typename Stored::type stored{};
    const std::string_view word = Word();
    const auto [end, error] = std::from_chars(word.data(), word.data() + word.size(), stored);
    ok_ = ok_ && error == std::errc() && end == word.data() + word.size() && !word.empty();
    value = static_cast<Number>(stored);
  }

 private:
  // The next word after one blank.
  std::string_view Word() {
    if (rest_.empty() || rest_[0] != ' ') {
      ok_ = false;
      return {};
    }
    rest_.remove_prefix(1);
    const std::size_t end = std::min(rest_.find(' '), rest_.size());
    const std::string_view word = rest_.substr(0, end);
    rest_.remove_prefix(end);
    return word;
  }
  std::string_view rest_;
  bool ok_ = true;
};

// One line: its kind, then `value`'s words.
template <class Value>
void PutLine(std::string& out, char kind, const Value& value) {
  out += kind;
  Writer{out}(value);
  out += '\n';
}

// Whether `visit` read all of `words` and no more.
template <class Visit>
bool ReadWords(std::string_view words, Visit&& visit) {
  Reader read(words);
  visit(read);
  return read.ok() && read.done();
}

// The end of the batch that began at `begin` in `out`.
void EndBatch(std::string& out, std::size_t begin) {
  out += '.';
  const std::uint32_t sum = Crc32(std::string_view(out).substr(begin));
  out += ' ';
  for (int shift = 28; shift >= 0; shift -= 4) out += kHex[(sum >> shift) & 15];
  out += '\n';
}

constexpr std::size_t kEndLineSize = 10;  // ". " and 8 hex digits

// The bytes up to the end of the last batch whose checksum holds, each batch
// checked in turn from `at` on: a damaged batch ends the journal as a cut does.
std::string_view WholeBatches(std::string_view bytes, std::size_t at) {
  std::size_t batch = at, whole = at;
  for (std::size_t end; (end = bytes.find('\n', at)) != std::string_view::npos; at = end + 1) {
    if (bytes[at] != '.') continue;
    unsigned char sum[4] = {};
    if (end - at != kEndLineSize || bytes[at + 1] != ' ' || !GetHexBytes(bytes.substr(at + 2, 8), sum, 4) ||
        Crc32(bytes.substr(batch, at + 1 - batch)) !=
            (std::uint32_t{sum[0]} << 24 | std::uint32_t{sum[1]} << 16 | std::uint32_t{sum[2]} << 8 | sum[3])) {
      break;
    }
    batch = whole = end + 1;
  }
  return bytes.substr(0, whole);
}

constexpr auto kLastKind = static_cast<std::int32_t>(EngineInput::Kind::GrandTotal);

void PutInput(std::string& out, const EngineInput& input) {
  out += 'I';
  Writer write(out);
  write(static_cast<std::int32_t>(input.kind)), write(input.value);
  write(static_cast<int>(input.typesEntry) | input.startsEntry << 1 | input.keepsEntry << 2);
  out += '\n';
}

bool GetInput(std::string_view words, EngineInput& input) {
  Reader read(words);
  std::int32_t kind = 0, flags = 0;
  read(kind), read(input.value), read(flags);
  if (!read.ok() || !read.done() || kind < 0 || kind > kLastKind || flags < 0 || flags > 7) return false;
  input.kind = static_cast<EngineInput::Kind>(kind);
  input.typesEntry = flags & 1, input.startsEntry = flags & 2, input.keepsEntry = flags & 4;
  return true;
}

// The record being read: a start, then batches, each taken only once whole.
class Decoder {
 public:
  explicit Decoder(int version) : checksummed_(version >= 2), version_(version) {}
  // False for a line that is not a journal's.
  bool Take(std::string_view line) {
    if (line.empty()) return false;
    const char kind = line[0];
    const std::string_view words = line.substr(1);
    if (kind == 'S') return StartState(words);
    if (!started_) return false;
    switch (kind) {
      case 'W': return ReadWords(words, [&](Reader& read) { VisitShown(pending_.startTexts, read); });
      case 'L': return ReadWords(words, [&](Reader& read) { read(pendingLines_.emplace_back()); });
      case 'T': return ReadWords(words, [&](Reader& read) { read(pending_.texts.emplace_back()); });
      case 'A': {
        bool answer = false;
        const bool ok = ReadWords(words, [&](Reader& read) { read(answer); });
        pending_.answers.push_back(answer);
        return ok;
      }
      case 'I': return GetInput(words, pending_.inputs.emplace_back());
      case 'O': return ReadWords(words, [&](Reader& read) { read(pendingEnd_.lines.emplace_back()); });
      case 'E':
        pendingHasEnd_ = true;
        return ReadWords(words, [&](Reader& read) {
          ReadState(read, pendingEnd_.state);
          VisitShown(pendingEnd_.shown, read);
        });
      case '.':
        // The checksum was checked before the batch was taken.
        if (!words.empty() && !checksummed_) return false;
        Commit();
        return true;
      default: return false;
    }
  }

  bool hasStart() const { return committedStart_; }
  ReadJournal Result() && {
    ReadJournal read{std::move(record_), std::move(lines_), std::nullopt, false};
    if (endWhole_) read.end = std::move(end_);
    return read;
  }

 private:
  // A new start replaces all before it (Clear Tape, a loaded tape, a correction).
  bool StartState(std::string_view words) {
    started_ = true;
    pending_ = InputRecord{};
    pendingLines_.clear();
    pendingEnd_ = {};
    pendingHasEnd_ = false;
    pendingIsStart_ = true;
    return ReadWords(words, [&](Reader& read) { ReadState(read, pending_.start); });
  }

  // A state of version 3 holds every field. One of an older version ends at
  // lastTapeIndex, after which comes the line's end or a text: the fields
  // added since keep their defaults.
  void ReadState(Reader& read, EngineState& state) const {
    VisitStateFields(state, read, [&] { return version_ >= 3 || read.AtNumber(); });
  }

  void Commit() {
    if (pendingIsStart_) {
      record_ = std::move(pending_);
      lines_ = std::move(pendingLines_);
      committedStart_ = true;
      end_ = {};
      endWhole_ = false;
      sawBatch_ = false;
    } else {
      auto append = [](auto& into, auto& from) { into.insert(into.end(), from.begin(), from.end()); };
      append(record_.inputs, pending_.inputs), append(record_.texts, pending_.texts);
      append(record_.answers, pending_.answers);
      // The calculator's end is known only while every batch told it.
      endWhole_ = (endWhole_ || !sawBatch_) && pendingHasEnd_;
      sawBatch_ = true;
      if (endWhole_) {
        end_.lines.insert(end_.lines.end(), std::make_move_iterator(pendingEnd_.lines.begin()),
                          std::make_move_iterator(pendingEnd_.lines.end()));
        end_.state = pendingEnd_.state;
        end_.shown = pendingEnd_.shown;
      }
    }
    pending_ = InputRecord{};
    pendingLines_.clear();
    pendingEnd_ = {};
    pendingHasEnd_ = false;
    pendingIsStart_ = false;
  }

  bool checksummed_;
  int version_;
  bool started_ = false, committedStart_ = false, pendingIsStart_ = false;
  bool pendingHasEnd_ = false, endWhole_ = false, sawBatch_ = false;
  ReadJournal::End pendingEnd_, end_;
  InputRecord pending_, record_;
  std::vector<std::string> pendingLines_, lines_;
};

}  // namespace

std::string EncodeJournalStart(const InputRecord& record, std::span<const std::string> linesBefore,
                               const JournalBatchEnd* end) {
  std::string out = "S";
  Writer write(out);
  VisitStateFields(record.start, write);
  out += "\nW";
  VisitShown(record.startTexts, write);
  out += '\n';
  for (const std::string& line : linesBefore) PutLine(out, 'L', line);
  EndBatch(out, 0);
  AppendJournalBatch(record, {}, out, end);
  return out;
}

void AppendJournalBatch(const InputRecord& record, const JournalMark& from, std::string& out,
                        const JournalBatchEnd* end) {
  const JournalMark to = JournalMark::Of(record);
  if (!end && to.inputs <= from.inputs && to.texts <= from.texts && to.answers <= from.answers) return;
  const std::size_t begin = out.size();
  for (std::size_t i = from.texts; i < to.texts; ++i) PutLine(out, 'T', record.texts[i]);
  for (std::size_t i = from.answers; i < to.answers; ++i) PutLine(out, 'A', static_cast<bool>(record.answers[i]));
  for (std::size_t i = from.inputs; i < to.inputs; ++i) PutInput(out, record.inputs[i]);
  if (end) {
    for (const std::string& line : end->lines) PutLine(out, 'O', line);
    Writer write(out);
    out += 'E';
    VisitStateFields(end->state, write);
    VisitShown(end->shown, write);
    out += '\n';
  }
  EndBatch(out, begin);
}

std::optional<ReadJournal> DecodeJournal(std::string_view bytes) {
  const auto headed = [bytes](std::string_view heading) {
    return bytes.starts_with(heading) && bytes.substr(heading.size(), 1) == "\n";
  };
  const int version = headed(kJournalHeading)           ? 3
                      : headed(kJournalHeadingVersion2) ? 2
                      : headed(kJournalHeadingVersion1) ? 1
                                                        : 0;
  if (version == 0) return std::nullopt;
  const bool checksummed = version >= 2;
  std::size_t at = kJournalHeading.size() + 1;
  // Only whole batches count: what follows the last end of a batch was being
  // written when the journal stopped.
  std::string_view whole;
  if (checksummed) {
    whole = WholeBatches(bytes, at);
  } else if (const std::size_t wholeEnd = bytes.rfind("\n.\n"); wholeEnd != std::string_view::npos) {
    whole = bytes.substr(0, wholeEnd + 3);
  }
  static_assert(kJournalHeading.size() == kJournalHeadingVersion1.size());
  static_assert(kJournalHeading.size() == kJournalHeadingVersion2.size());
  Decoder decoder(version);
  while (at < whole.size()) {
    const std::size_t end = whole.find('\n', at);
    if (!decoder.Take(whole.substr(at, end - at))) return std::nullopt;
    at = end + 1;
  }
  if (!decoder.hasStart()) return std::nullopt;
  ReadJournal read = std::move(decoder).Result();
  read.cutOff = whole.size() < bytes.size();
  read.currentFormat = version == 3;
  return read;
}

bool JournalHoldsNoStart(std::string_view bytes) {
  for (const std::string_view heading : {kJournalHeading, kJournalHeadingVersion2, kJournalHeadingVersion1}) {
    const std::string line = std::string(heading) + "\n";
    if (std::string_view(line).starts_with(bytes)) return true;
    // Every batch ends with a line that begins with '.', and no other line does.
    if (bytes.starts_with(line) && bytes.find("\n.", line.size() - 1) == std::string_view::npos) return true;
  }
  return false;
}

}  // namespace tallix
