#include "app/settings/ini_document.h"

#include <algorithm>

namespace tallix {

namespace {

constexpr std::string_view kBlanks = " \t\r\f\v";
constexpr std::string_view kUtf8Bom = "\xEF\xBB\xBF";

char FoldCase(char c) { return (c >= 'A' && c <= 'Z') ? static_cast<char>(c - 'A' + 'a') : c; }

bool EqualNoCase(std::string_view a, std::string_view b) {
  return a.size() == b.size() &&
         std::equal(a.begin(), a.end(), b.begin(), [](char x, char y) { return FoldCase(x) == FoldCase(y); });
}

std::string_view DropEnclosingQuotes(std::string_view value) {
  if (value.size() >= 2 && (value.front() == '"' || value.front() == '\'') && value.back() == value.front()) {
    return value.substr(1, value.size() - 2);
  }
  return value;
}

bool HoldsLineBreakOrNul(std::string_view text) { return text.find_first_of(std::string_view("\r\n\0", 3)) != std::string_view::npos; }

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

std::string_view IniDocument::Line::Value() const {
  return std::string_view(text).substr(text.find('=') + 1);
}

IniDocument::Line IniDocument::Classify(std::string text, std::string_view end, bool firstLine) {
  Line line;
  line.text = std::move(text);
  line.end = end;
  std::string_view content = line.text;
  if (firstLine && content.starts_with(kUtf8Bom)) content.remove_prefix(kUtf8Bom.size());
  content = TrimBlanks(content);
  if (content.starts_with('[')) {
    const auto close = content.rfind(']');
    if (close != std::string_view::npos) {
      line.kind = Kind::kSection;
      line.name = TrimBlanks(content.substr(1, close - 1));
      return line;
    }
  }
  if (content.starts_with(';')) return line;
  const auto equals = content.find('=');
  if (equals == std::string_view::npos) return line;
  const std::string_view name = TrimBlanks(content.substr(0, equals));
  if (name.empty()) return line;
  line.kind = Kind::kKey;
  line.name = name;
  return line;
}

IniDocument IniDocument::Parse(std::string_view bytes) {
  IniDocument document;
  bool newLineChosen = false;
  while (!bytes.empty()) {
    const auto newline = bytes.find('\n');
    std::string_view text = bytes.substr(0, newline);
    std::string_view end;
    if (newline == std::string_view::npos) {
      bytes = {};
    } else {
      bytes.remove_prefix(newline + 1);
      end = "\n";
      if (text.ends_with('\r')) {
        text.remove_suffix(1);
        end = "\r\n";
      }
      if (!newLineChosen) document.newLine_ = end;
      newLineChosen = true;
    }
    Line line = Classify(std::string(text), end, document.lines_.empty());
    // Runs of lines we never look into are kept as one, so a file of a million
    // blank or junk lines costs no more than its bytes.
    if (line.kind == Kind::kOther && !document.lines_.empty() && document.lines_.back().kind == Kind::kOther) {
      Line& run = document.lines_.back();
      run.text.append(run.end).append(line.text);
      run.end = line.end;
    } else {
      document.lines_.push_back(std::move(line));
    }
  }
  return document;
}

std::optional<std::string> IniDocument::Find(std::string_view section, std::string_view key) const {
  section = TrimBlanks(section);
  key = TrimBlanks(key);
  bool inSection = false;
  for (const Line& line : lines_) {
    if (line.kind == Kind::kSection) {
      inSection = EqualNoCase(line.name, section);
    } else if (inSection && line.kind == Kind::kKey && EqualNoCase(line.name, key)) {
      return std::string(DropEnclosingQuotes(TrimBlanks(line.Value())));
    }
  }
  return std::nullopt;
}

std::vector<std::size_t> IniDocument::SectionHeaders(std::string_view section) const {
  std::vector<std::size_t> headers;
  for (std::size_t i = 0; i < lines_.size(); ++i) {
    if (lines_[i].kind == Kind::kSection && EqualNoCase(lines_[i].name, section)) headers.push_back(i);
  }
  return headers;
}

std::size_t IniDocument::SectionEnd(std::size_t header) const {
  std::size_t end = header + 1;
  while (end < lines_.size() && lines_[end].kind != Kind::kSection) ++end;
  return end;
}

void IniDocument::Set(std::string_view section, std::string_view key, std::string_view value) {
  section = TrimBlanks(section);
  key = TrimBlanks(key);
  std::string keyLine = std::string(key) + "=" + std::string(value);
  const std::vector<std::size_t> headers = SectionHeaders(section);
  for (const std::size_t header : headers) {
    for (std::size_t i = header + 1, end = SectionEnd(header); i < end; ++i) {
      if (lines_[i].kind == Kind::kKey && EqualNoCase(lines_[i].name, key)) {
        // The file's spelling of the name stays; only the value changes.
        lines_[i].text = lines_[i].name + "=" + std::string(value);
        return;
      }
    }
  }
  if (headers.empty()) {
    AppendLine("[" + std::string(section) + "]");
    AppendLine(std::move(keyLine));
    return;
  }
  // New keys go after the section's last key, so blank lines and comments
  // that separate it from the next section stay where they are.
  std::size_t at = headers.front() + 1;
  for (std::size_t i = at, end = SectionEnd(headers.front()); i < end; ++i) {
    if (lines_[i].kind == Kind::kKey) at = i + 1;
  }
  if (lines_[at - 1].end.empty()) lines_[at - 1].end = newLine_;
  lines_.insert(lines_.begin() + static_cast<std::ptrdiff_t>(at), Classify(std::move(keyLine), newLine_, false));
}

void IniDocument::AppendLine(std::string text) {
  if (!lines_.empty() && lines_.back().end.empty()) lines_.back().end = newLine_;
  lines_.push_back(Classify(std::move(text), newLine_, lines_.empty()));
}

bool IniDocument::RemoveSection(std::string_view section) {
  const std::vector<std::size_t> headers = SectionHeaders(TrimBlanks(section));
  for (auto it = headers.rbegin(); it != headers.rend(); ++it) {
    lines_.erase(lines_.begin() + static_cast<std::ptrdiff_t>(*it),
                 lines_.begin() + static_cast<std::ptrdiff_t>(SectionEnd(*it)));
  }
  return !headers.empty();
}

std::string IniDocument::Serialize() const {
  std::string bytes;
  for (const Line& line : lines_) {
    bytes += line.text;
    bytes += line.end;
  }
  return bytes;
}

}  // namespace tallix
