#include "app/help/help_topics.h"

#include <algorithm>
#include <array>
#include <optional>

#include "app/help/keyboard_help.h"

namespace tallix {
namespace {

using enum HelpTopicId;

// clang-format off
constexpr std::array<HelpTopic, 17> kTopics = {{
    {Overview, None, L"Tallix Overview", L"HELP_OVERVIEW"},
    {MenuItems, None, L"Menu Items", L"HELP_EXPAND"},
    {FileMenu, MenuItems, L"File", L"HELP_FILE_MENU"},
    {EditMenu, MenuItems, L"Edit", L"HELP_EDIT_MENU"},
    {ViewMenu, MenuItems, L"View", L"HELP_VIEW_MENU"},
    {HelpMenu, MenuItems, L"Help", L"HELP_HELP_MENU"},
    {Buttons, None, L"Buttons", L"HELP_EXPAND"},
    {NumericButtons, Buttons, L"Numeric Buttons", L"HELP_NUMERIC_BUTTONS"},
    {OperatorButtons, Buttons, L"Operator Buttons", L"HELP_OPERATOR_BUTTONS"},
    {ClearButtons, Buttons, L"Clear Buttons", L"HELP_CLEAR_BUTTONS"},
    {MemoryButtons, Buttons, L"Memory Buttons", L"HELP_MEMORY_BUTTONS"},
    {FunctionButtons, Buttons, L"Function Buttons", L"HELP_FUNCTION_BUTTONS"},
    {SpecialFunctionButtons, Buttons, L"Special Function Buttons", L"HELP_SPECIAL_FUNCTION_BUTTONS"},
    {ConversionButton, Buttons, L"Conversion Button", L"HELP_CONVERSION_BUTTON"},
    {StopwatchButtons, Buttons, L"Stopwatch Buttons", L"HELP_STOPWATCH_BUTTONS"},
    {NumberSystems, None, L"Number System Option Buttons", L"HELP_NUMBER_SYSTEMS"},
    {KeyboardEquivalents, None, L"Keyboard Equivalents", L"HELP_KEYBOARD_EQUIVALENTS"},
}};
// clang-format on

}  // namespace

std::span<const HelpTopic> HelpTopics() { return kTopics; }

std::string HelpText(std::string_view utf8) {
  // The file's last line ends with a line feed like the others; the text's does not.
  if (utf8.ends_with('\n')) utf8.remove_suffix(1);
  std::string lines;
  for (std::size_t at = 0; at <= utf8.size();) {
    const std::size_t end = std::min(utf8.find('\n', at), utf8.size());
    const std::string_view line = utf8.substr(at, end - at);
    const std::optional<std::string> filled = KeyboardHelpLines(line);
    lines += filled ? filled->substr(0, filled->size() - 1) : std::string(line);
    if (end < utf8.size()) lines += '\n';
    at = end + 1;
  }
  // The edit field breaks lines at CR LF only.
  std::string text;
  for (const char c : lines) {
    if (c == '\n') text += '\r';
    if (c != '\r') text += c;
  }
  return text;
}

}  // namespace tallix
