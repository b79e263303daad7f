#pragma once
// Tallix.ini held in memory as its lines. Lines are kept byte for byte with
// their own line ends, so a rewrite changes only the lines it touches: comments,
// unknown sections and keys, and lines we cannot make sense of survive as they
// were, in their order.

#include <cstddef>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace tallix {

class IniDocument {
 public:
  // Never fails: any byte sequence is a document, its unreadable lines kept
  // as they are.
  static IniDocument Parse(std::string_view bytes);

  // The value of the first matching key (names compared without regard to
  // case), blanks around it removed and one pair of enclosing quotes dropped,
  // the way the system's profile reader returns it; nullopt when absent.
  std::optional<std::string> Find(std::string_view section, std::string_view key) const;

  // Replaces the value of the key found by Find, or adds the key at the end of
  // the section's keys, or adds the section at the end of the document.
  // The names must be valid (see IsValidSectionName/IsValidKeyName) and the
  // value must hold no line break.
  void Set(std::string_view section, std::string_view key, std::string_view value);

  // Removes every section of that name with all its lines; false when there
  // was none.
  bool RemoveSection(std::string_view section);

  std::string Serialize() const;

 private:
  enum class Kind { kOther, kSection, kKey };
  struct Line {
    std::string text;  // without its line end; a run of kOther lines is one Line
    std::string_view end;  // "\r\n", "\n", or empty for a last line without one
    Kind kind = Kind::kOther;
    std::string name;  // section or key name, trimmed
    std::string_view Value() const;  // raw text after "=", for keys
  };

  static Line Classify(std::string text, std::string_view end, bool firstLine);
  // Index of the first line of each section called `section`.
  std::vector<std::size_t> SectionHeaders(std::string_view section) const;
  // One past the last line belonging to the section that starts at `header`.
  std::size_t SectionEnd(std::size_t header) const;
  void AppendLine(std::string text);

  std::vector<Line> lines_;
  std::string_view newLine_ = "\r\n";  // the file's own line end, for lines we add
};

// Names that can be stored without changing the meaning of other lines: not
// empty once trimmed, no line break or NUL; a section name holds no "]", a key
// no "=" and does not start like a section or a comment.
bool IsValidSectionName(std::string_view name);
bool IsValidKeyName(std::string_view name);

// Blanks as the profile reader skips them around names and values.
std::string_view TrimBlanks(std::string_view text);

}  // namespace tallix
