#pragma once
// The help's topics: a tree of numbered titles and the text each shows. All
// of it is built into the program.
#include <optional>
#include <span>
#include <string>
#include <string_view>

namespace tallix {

struct HelpTopic {
  int number;
  std::wstring_view title;
  int parent;  // 0 for a top-level topic
};

inline constexpr int kOverviewTopic = 100;
inline constexpr int kKeyboardTopic = 500;

// Parents before their children, in the tree's order.
std::span<const HelpTopic> HelpTopics();

// The topic's text, lines separated by CR LF; nothing for a number without one.
std::optional<std::wstring> HelpTopicText(int number);

}  // namespace tallix
