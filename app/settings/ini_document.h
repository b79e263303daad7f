#pragma once
// Tallix.ini held in memory as its bytes. Nothing is rebuilt from parsed
// lines, so a rewrite changes only the lines it touches: comments, unknown
// sections and keys, and lines we cannot make sense of survive as they were, in
// their order. Every call walks the lines afresh instead of keeping an index:
// the document then costs its bytes and no more, whatever its lines look like.
// A walk takes microseconds for a settings file, and tens of milliseconds for
// one of millions of lines at the size limit (kMaxSettingsFileBytes).

#include <cstddef>
#include <optional>
#include <string>
#include <string_view>

namespace tallix {

class IniDocument {
 public:
  // Never fails: any byte sequence is a document, its unreadable lines kept
  // as they are.
  static IniDocument Parse(std::string bytes);

  // The value of the first matching key (names compared without regard to
  // case), blanks around it removed and one pair of enclosing quotes dropped,
  // the way the system's profile reader returns it; nullopt when absent.
  std::optional<std::string> Find(std::string_view section, std::string_view key) const;

  // Replaces the value of the key found by Find, or adds the key at the end of
  // the section's keys, or adds the section at the end of the document.
  // The names must be valid (see IsValidSectionName/IsValidKeyName) and the
  // value must hold no line break. False when the bytes stayed the same.
  bool Set(std::string_view section, std::string_view key, std::string_view value);

  // Removes every section of that name with all its lines; false when there
  // was none.
  bool RemoveSection(std::string_view section);

  const std::string& Serialize() const { return bytes_; }

 private:
  struct Line;
  template <typename Visit>
  void ForEachLine(Visit visit) const;

  std::string bytes_;
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
