// A menu item drawn in the dark palette: the label with its mnemonic, the
// keystroke after a tab right-aligned, the check mark or radio bullet, the
// arrow of a submenu and the separator line, in the menu font of the form's
// DPI. The check mark and the bullet are the system's own, from its Marlett
// font, so that they take any colour and scale as the text does; the arrow
// is a triangle of our own (Wine's Marlett has no arrow where Windows' has).
#include "ui/dark_menu_item.h"

#include <algorithm>
#include <cstring>
#include <map>

#include "ui/dark_theme.h"
#include "ui/gdi_scope.h"
#include "ui/scaling.h"

namespace tallix::ui {
namespace {

// Design pixels (96 DPI) of an item in a popup menu, left to right.
constexpr int kEdge = 4;           // inside the item's left edge
constexpr int kGlyphColumn = 20;   // the check mark or bullet
constexpr int kLabelGap = 4;       // between the glyph column and the label
constexpr int kKeystrokeGap = 24;  // between the label and its keystroke
constexpr int kArrowColumn = 18;   // the submenu arrow, at the right edge
constexpr int kGlyphHeight = 14;   // the Marlett glyphs' cell
constexpr int kArrowHeight = 8;
constexpr int kTextPadding = 8;  // above and below the text, together
constexpr int kSeparatorHeight = 9;

// Marlett's characters for the glyphs the system draws in its menus.
constexpr wchar_t kCheckGlyph = L'a', kBulletGlyph = L'h';

struct ItemFacts {
  std::wstring label, keystroke;
  UINT type = 0;
  bool submenu = false;
};

ItemFacts Read(const DarkMenuItem& item) {
  ItemFacts facts;
  MENUITEMINFOW info{};
  info.cbSize = sizeof info;
  info.fMask = MIIM_FTYPE | MIIM_SUBMENU;
  if (GetMenuItemInfoW(item.menu, item.position, TRUE, &info)) {
    facts.type = info.fType;
    facts.submenu = info.hSubMenu != nullptr;
  }
  const std::wstring text = MenuItemText(item.menu, item.position);
  const size_t tab = text.find(L'\t');
  facts.label = text.substr(0, tab);
  if (tab != std::wstring::npos) facts.keystroke = text.substr(tab + 1);
  return facts;
}

using ParametersForDpi = BOOL(WINAPI*)(UINT, UINT, PVOID, UINT, UINT);

// The menu font the user chose, for the DPI: asked of Windows at that DPI
// where it knows how (Windows 10 from 2016 on), else scaled from the
// system's DPI. Kept while the user's choice stays the same.
HFONT MenuFont(int dpi) {
  static const auto forDpi = reinterpret_cast<ParametersForDpi>(
      reinterpret_cast<void*>(GetProcAddress(GetModuleHandleW(L"user32.dll"), "SystemParametersInfoForDpi")));
  NONCLIENTMETRICSW metrics{};
  metrics.cbSize = sizeof metrics;
  if (!forDpi || !forDpi(SPI_GETNONCLIENTMETRICS, sizeof metrics, &metrics, 0, static_cast<UINT>(dpi))) {
    if (!SystemParametersInfoW(SPI_GETNONCLIENTMETRICS, sizeof metrics, &metrics, 0))
      return static_cast<HFONT>(GetStockObject(DEFAULT_GUI_FONT));
    metrics.lfMenuFont.lfHeight = MulDiv(metrics.lfMenuFont.lfHeight, dpi, SystemDpi());
  }
  struct Kept {
    LOGFONTW face{};
    HFONT font = nullptr;
  };
  static std::map<int, Kept> fonts;
  Kept& kept = fonts[dpi];
  if (kept.font && std::memcmp(&kept.face, &metrics.lfMenuFont, sizeof kept.face) == 0) return kept.font;
  if (kept.font) DeleteObject(kept.font);
  kept = {metrics.lfMenuFont, CreateFontIndirectW(&metrics.lfMenuFont)};
  return kept.font;
}

HFONT GlyphFont(int dpi) {
  static std::map<int, HFONT> fonts;
  HFONT& font = fonts[dpi];
  if (!font)
    font = CreateFontW(ScaleToDpi(kGlyphHeight, dpi), 0, 0, 0, FW_NORMAL, FALSE, FALSE, FALSE, SYMBOL_CHARSET,
                       OUT_DEFAULT_PRECIS, CLIP_DEFAULT_PRECIS, DEFAULT_QUALITY, DEFAULT_PITCH, L"Marlett");
  return font;
}

void DrawGlyph(HDC dc, wchar_t glyph, RECT box, int dpi) {
  ScopedSelect font(dc, GlyphFont(dpi));
  DrawTextW(dc, &glyph, 1, &box, DT_CENTER | DT_VCENTER | DT_SINGLELINE | DT_NOPREFIX);
}

// A small triangle pointing right, centred in `box`.
void DrawArrow(HDC dc, const RECT& box, COLORREF ink, int dpi) {
  const int half = ScaleToDpi(kArrowHeight, dpi) / 2;
  const int left = (box.left + box.right - half) / 2, middle = (box.top + box.bottom) / 2;
  const POINT corners[] = {{left, middle - half}, {left + half, middle}, {left, middle + half}};
  GdiObject<HPEN> pen(CreatePen(PS_SOLID, 1, ink));
  ScopedSelect usePen(dc, pen);
  ScopedSelect useBrush(dc, PaletteBrush(ink));
  Polygon(dc, corners, 3);
}

SIZE TextSize(HDC dc, const std::wstring& text) {
  RECT box{};
  DrawTextW(dc, text.c_str(), static_cast<int>(text.size()), &box, DT_SINGLELINE | DT_CALCRECT);
  return {box.right - box.left, box.bottom - box.top};
}

}  // namespace

std::wstring MenuItemText(HMENU menu, UINT position) {
  MENUITEMINFOW info{};
  info.cbSize = sizeof info;
  info.fMask = MIIM_STRING;
  if (!GetMenuItemInfoW(menu, position, TRUE, &info) || info.cch == 0) return {};
  std::wstring text(info.cch, L'\0');
  info.cch += 1;
  info.dwTypeData = text.data();
  if (!GetMenuItemInfoW(menu, position, TRUE, &info)) return {};
  text.resize(info.cch);
  return text;
}

SIZE MeasureDarkMenuItem(HWND form, const DarkMenuItem& item) {
  const int dpi = DpiOf(form);
  const ItemFacts facts = Read(item);
  if (facts.type & MFT_SEPARATOR) return {0, ScaleToDpi(kSeparatorHeight, dpi)};
  WindowDC dc(form);
  ScopedSelect font(dc, MenuFont(dpi));
  const SIZE label = TextSize(dc, facts.label);
  // The bar is as high as the system makes it, the item as wide as its
  // label: the system adds the margins it gives a label of its own.
  if (item.bar) return {label.cx, MulDiv(GetSystemMetrics(SM_CYMENU), dpi, SystemDpi()) - 1};
  int width = ScaleToDpi(kEdge + kGlyphColumn + kLabelGap + kArrowColumn, dpi) + label.cx;
  if (!facts.keystroke.empty()) width += ScaleToDpi(kKeystrokeGap, dpi) + TextSize(dc, facts.keystroke).cx;
  return {width, label.cy + ScaleToDpi(kTextPadding, dpi)};
}

void DrawDarkMenuItem(HWND form, const DarkMenuItem& item, HDC dc, const RECT& area, UINT state) {
  const DarkPalette& dark = Dark();
  const int dpi = DpiOf(form);
  const ItemFacts facts = Read(item);
  const bool separator = (facts.type & MFT_SEPARATOR) != 0;
  const bool hot = !separator && (state & (ODS_SELECTED | ODS_HOTLIGHT));
  const COLORREF back = hot ? dark.menuHot : dark.menuBar;
  FillRect(dc, &area, PaletteBrush(back));
  if (separator) {
    const int middle = (area.top + area.bottom) / 2;
    const RECT line{area.left + ScaleToDpi(kEdge, dpi), middle, area.right - ScaleToDpi(kEdge, dpi),
                    middle + std::max(1, ScaleToDpi(1, dpi))};
    FillRect(dc, &line, PaletteBrush(dark.frame));
    return;
  }
  // Disabled text dimmer than the rest, still to be read on either face.
  const bool disabled = (state & (ODS_GRAYED | ODS_DISABLED)) != 0;
  const COLORREF ink = disabled ? ReadableColor(dark.grayText, back, 3.0) : ReadableColor(dark.text, back);
  const COLORREF previousInk = SetTextColor(dc, ink);
  const int previousMode = SetBkMode(dc, TRANSPARENT);
  ScopedSelect font(dc, MenuFont(dpi));
  const UINT format = DT_SINGLELINE | DT_VCENTER | ((state & ODS_NOACCEL) ? DT_HIDEPREFIX : 0);
  if (item.bar) {
    RECT box = area;
    DrawTextW(dc, facts.label.c_str(), static_cast<int>(facts.label.size()), &box, format | DT_CENTER);
  } else {
    const RECT glyphBox{area.left + ScaleToDpi(kEdge, dpi), area.top, area.left + ScaleToDpi(kEdge + kGlyphColumn, dpi),
                        area.bottom};
    if (state & ODS_CHECKED) DrawGlyph(dc, (facts.type & MFT_RADIOCHECK) ? kBulletGlyph : kCheckGlyph, glyphBox, dpi);
    RECT text{glyphBox.right + ScaleToDpi(kLabelGap, dpi), area.top, area.right - ScaleToDpi(kArrowColumn, dpi),
              area.bottom};
    DrawTextW(dc, facts.label.c_str(), static_cast<int>(facts.label.size()), &text, format);
    DrawTextW(dc, facts.keystroke.c_str(), static_cast<int>(facts.keystroke.size()), &text, format | DT_RIGHT);
    if (facts.submenu) DrawArrow(dc, {text.right, area.top, area.right, area.bottom}, ink, dpi);
  }
  SetBkMode(dc, previousMode);
  SetTextColor(dc, previousInk);
}

}  // namespace tallix::ui
