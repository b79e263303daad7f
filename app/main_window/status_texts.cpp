#include "app/main_window/status_texts.h"

#include <array>
#include <cstdio>
#include <string>

namespace tallix {

std::string DatePaneText(int year, int month, int day) {
  static constexpr std::array<const char*, 12> kMonths = {"Jan", "Feb", "Mar", "Apr", "May", "Jun",
                                                          "Jul", "Aug", "Sep", "Oct", "Nov", "Dec"};
  const char* name = (month >= 1 && month <= 12) ? kMonths[month - 1] : "???";
  char text[48];
  std::snprintf(text, sizeof text, "  %s %02d, %04d", name, day, year);
  return text;
}

}  // namespace tallix
