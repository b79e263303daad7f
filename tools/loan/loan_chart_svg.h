#pragma once
// The loan chart as a standalone SVG 1.1 document: named by a <title> and told
// in words by a <desc>, as a screen reader hears the window's chart, its
// texts kept as <text> so that they can be read, searched and copied.

#include <string>

#include "tools/loan/loan_chart.h"

namespace tallix::loan {

inline constexpr int kSvgChartWidth = 800;
inline constexpr int kSvgChartHeight = 500;

std::string LoanChartSvg(const LoanChartData& data, int width = kSvgChartWidth, int height = kSvgChartHeight);

}  // namespace tallix::loan
