// The keyboard topic is made from the key map: each keystroke it names
// presses the button of its row, every key has a row, every key the laptop
// mapping moves is listed, and the text is the one the README carries.
#include <gtest/gtest.h>

#include <fstream>
#include <set>
#include <sstream>
#include <string>

#include "app/help/help_topics.h"
#include "app/help/keyboard_help.h"
#include "engine/engine_state.h"

namespace tallix {
namespace {

bool Presses(const Keystroke& keystroke, Key key) {
  for (const std::uint8_t mode : {display_mode::kFloating, display_mode::kHex})
    if (KeyPressedBy(keystroke.virtualKey, keystroke.shift, mode, keystroke.ctrl) == key) return true;
  return false;
}

TEST(KeyboardHelp, NamesOnlyKeystrokesThatPressTheButtonOfTheirRow) {
  std::set<int> listed;
  for (const KeyboardHelpRow& row : KeyboardHelpRows()) {
    const std::vector<Keystroke> named = KeystrokesNamed(row);
    ASSERT_FALSE(named.empty()) << row.button;
    if (const auto* command = std::get_if<MenuCommand>(&row.what)) {
      for (const Keystroke& k : named)
        EXPECT_EQ(CommandRunBy(k.virtualKey, k.shift, display_mode::kFloating, k.ctrl), *command) << k.name;
      continue;
    }
    const Key key = std::get<Key>(row.what);
    // Of a range, the last keystroke presses the range's last key.
    for (std::size_t i = 0; i < named.size(); ++i)
      EXPECT_TRUE(Presses(named[i], row.through && i + 1 == named.size() ? *row.through : key)) << named[i].name;
    for (int k = static_cast<int>(key); k <= static_cast<int>(row.through.value_or(key)); ++k) listed.insert(k);
  }
  EXPECT_EQ(listed.size(), static_cast<std::size_t>(kKeyCount));
}

TEST(KeyboardHelp, ListsEveryKeyTheLaptopMappingMoves) {
  std::set<int> listed, moved;
  for (const auto& [keystroke, key] : LaptopHelpKeys()) {
    EXPECT_EQ(KeyPressedBy(keystroke.virtualKey, false, display_mode::kFloating, false, true), key) << keystroke.name;
    listed.insert(keystroke.virtualKey);
  }
  for (int vk = 1; vk < 256; ++vk) {
    const auto laptop = [&](bool on) { return KeyPressedBy(vk, false, display_mode::kFloating, false, on); };
    if (laptop(true) != laptop(false)) moved.insert(vk);
  }
  EXPECT_EQ(listed, moved);
}

std::string FileText(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  std::ostringstream text;
  text << in.rdbuf();
  return text.str();
}

TEST(KeyboardHelp, IsTheTextTheReadmeCarries) {
  const std::string topic = FileText(TALLIX_SOURCE_DIR "/resources/help/keyboard_equivalents.txt");
  std::string expected;
  for (const char c : FileText(TALLIX_SOURCE_DIR "/release/keyboard_equivalents.txt"))
    expected += c == '\n' ? "\r\n" : std::string(1, c);
  ASSERT_TRUE(expected.ends_with("\r\n"));
  EXPECT_EQ(HelpText(topic), expected.substr(0, expected.size() - 2));
}

}  // namespace
}  // namespace tallix
