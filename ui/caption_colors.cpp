#include "ui/caption_colors.h"

#include <array>
#include <initializer_list>

#include "ui/contrast.h"
#include "ui/dark_theme.h"

namespace tallix::ui {
namespace {

std::array<COLORREF, 3> groupColors = {RGB(0, 0, 255), RGB(255, 0, 0), RGB(255, 0, 255)};

constexpr COLORREF kFeedHelpColor = RGB(128, 64, 0);

bool OneOf(std::wstring_view caption, std::initializer_list<std::wstring_view> list) {
  for (auto entry : list)
    if (caption == entry) return true;
  return false;
}

}  // namespace

int CaptionGroup(std::wstring_view caption) {
  if (caption.size() == 1 &&
      ((caption[0] >= L'0' && caption[0] <= L'9') || (caption[0] >= L'A' && caption[0] <= L'F') || caption[0] == L'.'))
    return 1;
  if (caption == L"+/-") return 1;
  // U+00F7 and U+00D7 are the division and multiplication signs of the keypad.
  if (OneOf(caption,
            {L"Back", L"Clear", L"CE", L"CT",  L"\u00F7", L"\u00D7", L"=", L"%",     L"-",    L"+Tax", L"Chg",
             L"M+",   L"MS",    L"MR", L"2nd", L"MC",     L"1/x",    L"+", L"Start", L"Stop", L"Lap",  L"Reset"}))
    return 2;
  if (OneOf(caption, {L"Cnv", L"Area", L"Vol", L"Cem", L"Loan"})) return 3;
  if (caption == L"Feed" || caption == L"Help") return 4;
  return 0;
}

COLORREF CaptionColor(std::wstring_view caption) {
  // The user's own colours outrank the keypad's groups.
  if (HighContrastOn()) return GetSysColor(COLOR_BTNTEXT);
  const bool dark = DarkOn();
  const int group = CaptionGroup(caption);
  COLORREF color = dark ? Dark().text : GetSysColor(COLOR_BTNTEXT);
  if (group >= 1 && group <= 3) color = groupColors[group - 1];
  if (group == 4) color = kFeedHelpColor;
  // Made readable on the lightest face a key shows, hot under the pointer;
  // the group's colour as set is what Tallix.ini keeps.
  return dark ? ReadableColor(color, Dark().keyHot) : color;
}

COLORREF GetCaptionGroupColor(int group) { return group >= 1 && group <= 3 ? groupColors[group - 1] : CLR_INVALID; }

void SetCaptionGroupColor(int group, COLORREF color) {
  if (group >= 1 && group <= 3) groupColors[group - 1] = color;
}

}  // namespace tallix::ui
