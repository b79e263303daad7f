#include "app/settings/ini_document.h"

#include "services/ascii_case.h"

namespace tallix {

namespace {

constexpr std::string_view kBlanks = " \t\r\f\v";
constexpr std::string_view kUtf8Bom = "\xEF\xBB\xBF";

std::string_view DropEnclosingQuotes(std::string_view value) {
  if (value.size() >= 2 && (value.front() == '"' || value.front() == '\'') && value.back() == value.front()) {
    return value.substr(1, value.size() - 2);
  }
  return value;
}

bool HoldsLineBreakOrNul(std::string_view text) {
  return text.find_first_of(std::string_view("\r\n\0", 3)) != std::string_view::npos;
}

}  // namespace

std::string_view TrimBlanks(std::string_view text) {
  const auto first = text.find_first_not_of(kBlanks);
  if (first == std::string_view::npos) return {};
  return text.substr(first, text.find_last_not_of(kBlanks) - first + 1);
}

bool IsValidSectionName(std::string_view name) {
  return !TrimBlanks(name).empty() && !HoldsLineBreakOrNul(name) && name.find(']') == std::string_view::npos;
}

bool IsValidKeyName(std::string_view name) {
  const std::string_view trimmed = TrimBlanks(name);
  return !trimmed.empty() && !HoldsLineBreakOrNul(name) && name.find('=') == std::string_view::npos &&
         trimmed.front() != '[' && trimmed.front() != ';';
}

// One line of the document, as offsets into its bytes.
struct IniDocument::Line {
  std::size_t begin = 0;
  std::size_t textEnd = 0;  // where its line end starts
  std::size_t next = 0;     // where the next line starts
  std::string_view text;    // without the line end
  std::size_t start = 0;    // of the text after leading blanks (and a first line's byte order mark)

  bool HasEnd() const { return next > textEnd; }

  std::optional<std::string_view> SectionName() const {
    if (start >= text.size() || text[start] != '[') return std::nullopt;
    const auto close = text.rfind(']');
    if (close == std::string_view::npos || close < start) return std::nullopt;
    return TrimBlanks(text.substr(start + 1, close - start - 1));
  }

  std::optional<std::string_view> KeyName() const {
    if (start >= text.size() || text[start] == ';' || SectionName()) return std::nullopt;
    const auto equals = text.find('=', start);
    if (equals == std::string_view::npos) return std::nullopt;
    const std::string_view name = TrimBlanks(text.substr(start, equals - start));
    if (name.empty()) return std::nullopt;
    return name;
  }

  // The raw text after the first "=", for keys.
  std::string_view Value() const { return text.substr(text.find('=') + 1); }
};

// Calls `visit` with each line in order until it returns false.
template <typename Visit>
void IniDocument::ForEachLine(Visit visit) const {
  const std::string_view all = bytes_;
  for (std::size_t begin = 0; begin < all.size();) {
    const std::size_t newline = all.find('\n', begin);
    Line line;
    line.begin = begin;
    line.next = newline == std::string_view::npos ? all.size() : newline + 1;
    line.textEnd = newline == std::string_view::npos               ? all.size()
                   : (newline > begin && all[newline - 1] == '\r') ? newline - 1
                                                                   : newline;
    line.text = all.substr(begin, line.textEnd - begin);
    if (begin == 0 && line.text.starts_with(kUtf8Bom)) line.start = kUtf8Bom.size();
    while (line.start < line.text.size() && kBlanks.find(line.text[line.start]) != std::string_view::npos) ++line.start;
    if (!visit(line)) return;
    begin = line.next;
  }
}

IniDocument IniDocument::Parse(std::string bytes) {
  IniDocument document;
  document.bytes_ = std::move(bytes);
  const auto newline = document.bytes_.find('\n');
  if (newline != std::string::npos) {
    document.newLine_ = (newline > 0 && document.bytes_[newline - 1] == '\r') ? "\r\n" : "\n";
  }
  return document;
}

std::optional<std::string> IniDocument::Find(std::string_view section, std::string_view key) const {
  section = TrimBlanks(section);
  key = TrimBlanks(key);
  bool inSection = false;
  std::optional<std::string> found;
  ForEachLine([&](const Line& line) {
    if (const auto name = line.SectionName()) {
      inSection = EqualsIgnoringCase(*name, section);
    } else if (const auto name = inSection ? line.KeyName() : std::nullopt; name && EqualsIgnoringCase(*name, key)) {
      found = std::string(DropEnclosingQuotes(TrimBlanks(line.Value())));
      return false;
    }
    return true;
  });
  return found;
}

bool IniDocument::Set(std::string_view section, std::string_view key, std::string_view value) {
  section = TrimBlanks(section);
  key = TrimBlanks(key);
  bool inSection = false;
  bool inFirstSection = false;
  bool sectionSeen = false;
  // New keys go after the first section's last key, so blank lines and
  // comments that separate it from the next section stay where they are.
  std::size_t insertAt = 0;
  bool insertAfterUnendedLine = false;
  std::optional<Line> found;
  std::string foundName;
  ForEachLine([&](const Line& line) {
    if (const auto name = line.SectionName()) {
      inSection = EqualsIgnoringCase(*name, section);
      inFirstSection = inSection && !sectionSeen;
      sectionSeen = sectionSeen || inSection;
    } else if (const auto name = inSection ? line.KeyName() : std::nullopt; !name) {
      return true;
    } else if (EqualsIgnoringCase(*name, key)) {
      found = line;
      foundName = *name;
      return false;
    }
    if (inFirstSection) {
      insertAt = line.next;
      insertAfterUnendedLine = !line.HasEnd();
    }
    return true;
  });
  const std::string keyLine = (found ? foundName : std::string(key)) + "=" + std::string(value);
  if (found) {
    // The file's spelling of the name stays; only the value changes.
    if (found->text == keyLine) return false;
    bytes_.replace(found->begin, found->textEnd - found->begin, keyLine);
  } else if (sectionSeen) {
    bytes_.insert(insertAt, std::string(insertAfterUnendedLine ? newLine_ : "") + keyLine + std::string(newLine_));
  } else {
    if (!bytes_.empty() && bytes_.back() != '\n') bytes_ += newLine_;
    bytes_.append("[").append(section).append("]").append(newLine_).append(keyLine).append(newLine_);
  }
  return true;
}

bool IniDocument::RemoveSection(std::string_view section) {
  section = TrimBlanks(section);
  std::string kept;
  std::size_t keptFrom = 0;
  bool removing = false;
  bool removed = false;
  ForEachLine([&](const Line& line) {
    const auto name = line.SectionName();
    if (!name) return true;
    const bool match = EqualsIgnoringCase(*name, section);
    if (match && !removing) kept.append(bytes_, keptFrom, line.begin - keptFrom);
    if (!match && removing) keptFrom = line.begin;
    removing = match;
    removed = removed || match;
    return true;
  });
  if (!removed) return false;
  if (!removing) kept.append(bytes_, keptFrom);
  bytes_ = std::move(kept);
  return true;
}

}  // namespace tallix
