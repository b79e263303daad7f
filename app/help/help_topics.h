#pragma once
// The help's topics: a tree of numbered titles, each showing a text that is a
// resource of the program (resources/help, UTF-8), where the keyboard topic's
// keys are filled in from the key map.
#include <span>
#include <string>
#include <string_view>

namespace tallix {

// A topic's number, which its tree item keeps as its data.
enum class HelpTopicId : int {
  None = 0,  // the parent of a top-level topic
  Overview = 100,
  MenuItems = 200,
  FileMenu = 210,
  EditMenu = 220,
  ViewMenu = 230,
  HelpMenu = 240,
  Buttons = 300,
  NumericButtons = 310,
  OperatorButtons = 320,
  ClearButtons = 330,
  MemoryButtons = 340,
  FunctionButtons = 350,
  SpecialFunctionButtons = 360,
  ConversionButton = 370,
  StopwatchButtons = 380,
  NumberSystems = 400,
  KeyboardEquivalents = 500,
};

struct HelpTopic {
  HelpTopicId id;
  HelpTopicId parent;
  std::wstring_view title;
  const wchar_t* text;  // the name of the resource that holds its text
};

// Parents before their children, in the tree's order.
std::span<const HelpTopic> HelpTopics();

// What a topic shows, from its resource `utf8` (lines ended by LF): its lines
// with the keyboard topic's marks replaced, separated by CR LF.
std::string HelpText(std::string_view utf8);

}  // namespace tallix
