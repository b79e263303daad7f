#pragma once
// The converter's categories, their units and the factor table. Categories are
// numbered 1 to 7; units within a category from 0 in list order. Every unit
// of categories 2 to 7 owns one row of the flat factor table, numbered from
// position 1: the row holds, per target unit of its category, how many target
// units make one source unit.

#include <cstdint>
#include <optional>
#include <span>
#include <string_view>

namespace tallix::convert {

inline constexpr int kCategoryCount = 7;
inline constexpr int kTemperature = 1;
inline constexpr int kVolume = 3;
inline constexpr int kFactorCount = 626;

struct Category {
  std::string_view name;
  std::span<const std::string_view> units;
};

// `number` 1..7.
const Category& CategoryAt(int number);

// The entries as their decimal texts, position 1 first.
std::span<const std::string_view, kFactorCount> FactorTexts();

// Table position of the unit's row. Temperature has no rows: its units give 1,
// a position the conversion never reads.
int RowPosition(int category, int unit);

// What each unit item of the popup's tree carries: the category number in the
// low 16 bits, the row position in the high 16 bits.
std::uint32_t ItemData(int category, int unit);
inline int CategoryOf(std::uint32_t itemData) { return static_cast<int>(itemData & 0xFFFF); }
inline int RowOf(std::uint32_t itemData) { return static_cast<int>(itemData >> 16); }

struct UnitRef {
  int category = 0;
  int unit = 0;
};

// The unit of that exact name, letter case aside.
std::optional<UnitRef> FindUnit(std::string_view name);

}  // namespace tallix::convert
