#pragma once
// One conversion of the calculator's display value: the block of tape lines
// the converter writes for the unit chosen in its tree.

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "engine/engine.h"
#include "engine/engine_host.h"

namespace tallix::convert {

// The display text as the converter names and converts it: a number still
// being typed loses its trailing ".".
std::string ValueText(std::string_view displayText);

// The header "(Length) Feet: 1,250", 26 dashes, one line per other unit of the
// category, and an empty line. `unitName` and `itemData` are those of the
// chosen tree item. Text that is not a number converts as 0.
std::vector<std::string> ConversionLines(std::string_view valueText, std::string_view unitName, std::uint32_t itemData);

// Appends the block to the tape. The long Volume block is shown from its
// header; the entry ends so that the next digit starts a new number.
void WriteConversion(Engine& engine, EngineHost& host, std::string_view valueText, std::string_view unitName,
                     std::uint32_t itemData);

}  // namespace tallix::convert
