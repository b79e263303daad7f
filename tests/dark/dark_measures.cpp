#include "tests/dark/dark_measures.h"

#include <algorithm>
#include <initializer_list>
#include <map>
#include <string>
#include <vector>

#include "services/readable_color.h"
#include "tests/ui/shot_areas.h"
#include "ui/control_helpers.h"
#include "ui/gdi_scope.h"
#include "ui/scaling.h"

namespace tallix::dark_test {
namespace {

Rgb AsRgb(COLORREF colour) { return colour & 0xFFFFFF; }

bool IsButton(HWND control, std::initializer_list<DWORD> types) {
  if (lstrcmpiW(ui::test::ClassOf(control).c_str(), L"Button") != 0) return false;
  const DWORD type = GetWindowLongW(control, GWL_STYLE) & BS_TYPEMASK;
  return std::find(types.begin(), types.end(), type) != types.end();
}

bool IsGroupBox(HWND control) { return IsButton(control, {BS_GROUPBOX}); }

bool IsLabel(HWND control) {
  if (lstrcmpiW(ui::test::ClassOf(control).c_str(), L"Static") != 0) return false;
  const DWORD type = GetWindowLongW(control, GWL_STYLE) & SS_TYPEMASK;
  return type == SS_LEFT || type == SS_CENTER || type == SS_RIGHT || type == SS_SIMPLE || type == SS_LEFTNOWORDWRAP;
}

COLORREF MostCommon(const std::map<COLORREF, int>& counts) {
  auto most = counts.begin();
  for (auto it = counts.begin(); it != counts.end(); ++it)
    if (it->second > most->second) most = it;
  return most == counts.end() ? CLR_INVALID : most->first;
}

SIZE CaptionExtent(HWND control) {
  const std::wstring text = ui::GetText(control);
  SIZE extent{};
  ui::WindowDC dc(control);
  ui::ScopedSelect font(dc, reinterpret_cast<HFONT>(SendMessageW(control, WM_GETFONT, 0, 0)));
  GetTextExtentPoint32W(dc, text.c_str(), static_cast<int>(text.size()), &extent);
  return extent;
}

}  // namespace

double Luminance(COLORREF colour) { return RelativeLuminance(AsRgb(colour)); }

double Contrast(COLORREF a, COLORREF b) { return ContrastRatio(AsRgb(a), AsRgb(b)); }

COLORREF CommonColour(const Pixels& shot, const RECT& area) {
  std::map<COLORREF, int> counts;
  for (int y = area.top; y < area.bottom; ++y)
    for (int x = area.left; x < area.right; ++x) ++counts[shot.At(x, y)];
  return MostCommon(counts);
}

double MeanLuminance(const Pixels& shot, const RECT& area) {
  double sum = 0;
  int n = 0;
  for (int y = area.top; y < area.bottom; ++y)
    for (int x = area.left; x < area.right; ++x, ++n) sum += Luminance(shot.At(x, y));
  return n ? sum / n : 0;
}

COLORREF StrongestInk(const Pixels& shot, const RECT& area, COLORREF background) {
  COLORREF ink = background;
  double best = 1;
  for (int y = area.top; y < area.bottom; ++y)
    for (int x = area.left; x < area.right; ++x)
      if (const double ratio = Contrast(shot.At(x, y), background); ratio > best) best = ratio, ink = shot.At(x, y);
  return ink;
}

std::optional<COLORREF> FaceColour(const Pixels& shot, HWND form) {
  const RECT client = ui::test::ClientInShot(shot, form, form);
  const int width = client.right - client.left, height = client.bottom - client.top;
  if (width <= 0 || height <= 0) return std::nullopt;
  std::vector<bool> covered(static_cast<size_t>(width) * height);
  for (HWND control = GetWindow(form, GW_CHILD); control; control = GetWindow(control, GW_HWNDNEXT)) {
    if (!IsWindowVisible(control) || IsGroupBox(control)) continue;
    RECT place{};
    GetWindowRect(control, &place);
    place = ui::test::InShot(shot, form, place);
    IntersectRect(&place, &place, &client);
    for (int y = place.top; y < place.bottom; ++y)
      for (int x = place.left; x < place.right; ++x)
        covered[static_cast<size_t>(y - client.top) * width + (x - client.left)] = true;
  }
  std::map<COLORREF, int> counts;
  for (int y = 0; y < height; ++y)
    for (int x = 0; x < width; ++x)
      if (!covered[static_cast<size_t>(y) * width + x]) ++counts[shot.At(client.left + x, client.top + y)];
  if (counts.empty()) return std::nullopt;
  return MostCommon(counts);
}

std::vector<HWND> VisibleControls(HWND form) {
  std::vector<HWND> controls;
  EnumChildWindows(
      form,
      [](HWND control, LPARAM list) {
        if (IsWindowVisible(control)) reinterpret_cast<std::vector<HWND>*>(list)->push_back(control);
        return TRUE;
      },
      reinterpret_cast<LPARAM>(&controls));
  return controls;
}

std::optional<RECT> CaptionArea(const Pixels& shot, HWND form, HWND control) {
  const bool label = IsLabel(control), group = IsGroupBox(control);
  const bool box =
      IsButton(control, {BS_CHECKBOX, BS_AUTOCHECKBOX, BS_3STATE, BS_AUTO3STATE, BS_RADIOBUTTON, BS_AUTORADIOBUTTON});
  if (!(label || group || box) || ui::GetText(control).empty()) return std::nullopt;
  RECT area = ui::test::ClientInShot(shot, form, control);
  const int dpi = ui::DpiOf(control);
  if (box) area.left += ui::ScaleToDpi(16, dpi);
  if (group) {
    // The caption stands 7 pixels in at 96 DPI, over a gap in the frame's
    // top line a pixel wider than itself on either side.
    const SIZE extent = CaptionExtent(control);
    const int left = area.left + ui::ScaleToDpi(8, dpi);
    area = {left, area.top, std::min<LONG>(area.right, left + extent.cx - 2), area.top + extent.cy};
  }
  if (IsRectEmpty(&area)) return std::nullopt;
  return area;
}

}  // namespace tallix::dark_test
