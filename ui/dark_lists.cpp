// The common controls that keep colours of their own (list views, trees,
// progress bars, a date picker's calendar, tooltips) given the palette's, and their own
// given back; a list view's header drawn dark, and a selection that the
// system would show light while the list has no focus.
#include <windows.h>
// After windows.h, which it needs.
#include <commctrl.h>

#include "ui/dark_parts.h"
#include "ui/dark_theme.h"
#include "ui/form.h"
#include "ui/gdi_scope.h"
#include "ui/scaling.h"
#include "ui/ux_theme.h"
#include "ui/window_kit.h"

namespace tallix::ui {
namespace {

constexpr wchar_t kBack[] = L"TallixLightBack", kText[] = L"TallixLightText", kTextBack[] = L"TallixLightTextBack",
                  kLine[] = L"TallixLightLine";

// A setter of one of the control's colours, and the getter of the colour it
// had before.
struct ColorSlot {
  const wchar_t* name;
  COLORREF (*get)(HWND);
  void (*set)(HWND, COLORREF);
};

void ThemeSlots(HWND control, bool dark, std::initializer_list<std::pair<ColorSlot, COLORREF>> slots) {
  for (const auto& [slot, color] : slots) {
    COLORREF light = 0;
    if (dark) {
      KeepLightColor(control, slot.name, slot.get(control));
      slot.set(control, color);
    } else if (TakeLightColor(control, slot.name, light)) {
      slot.set(control, light);
    }
  }
}

// A window whose visual style is off while dark, so that the colours given
// to it show. A class list that names no class leaves it without one: Wine
// keeps no empty list, the documented way of saying none.
void SetStyleAside(HWND window, bool dark) {
  constexpr wchar_t kStyleOff[] = L"TallixStyleOff";
  const UxThemeLibrary& ux = UxThemeLibrary::Get();
  if (!dark) {
    if (RemovePropW(window, kStyleOff)) ux.SetWindowTheme(window, nullptr, nullptr);
  } else if (ThemingActive() && !GetPropW(window, kStyleOff) && SUCCEEDED(ux.SetWindowTheme(window, L" ", L" "))) {
    SetPropW(window, kStyleOff, reinterpret_cast<HANDLE>(1));
  }
}

void ThemeListView(HWND list, bool dark) {
  const DarkPalette& palette = Dark();
  ThemeSlots(
      list, dark,
      {{{kBack, [](HWND w) { return ListView_GetBkColor(w); }, [](HWND w, COLORREF c) { ListView_SetBkColor(w, c); }},
        palette.field},
       {{kTextBack, [](HWND w) { return ListView_GetTextBkColor(w); },
         [](HWND w, COLORREF c) { ListView_SetTextBkColor(w, c); }},
        palette.field},
       {{kText, [](HWND w) { return ListView_GetTextColor(w); },
         [](HWND w, COLORREF c) { ListView_SetTextColor(w, c); }},
        palette.fieldText}});
}

void ThemeTree(HWND tree, bool dark) {
  const DarkPalette& palette = Dark();
  // A visual style without a dark one draws the expand buttons light: the
  // tree draws them itself then, in its line and background colours.
  if (!dark || !SystemHasDarkScrollBars()) SetStyleAside(tree, dark);
  ThemeSlots(
      tree, dark,
      {{{kBack, [](HWND w) { return TreeView_GetBkColor(w); }, [](HWND w, COLORREF c) { TreeView_SetBkColor(w, c); }},
        palette.field},
       {{kText, [](HWND w) { return TreeView_GetTextColor(w); },
         [](HWND w, COLORREF c) { TreeView_SetTextColor(w, c); }},
        palette.fieldText},
       {{kLine, [](HWND w) { return TreeView_GetLineColor(w); },
         [](HWND w, COLORREF c) { TreeView_SetLineColor(w, c); }},
        palette.grayText}});
}

// The calendar a date picker drops is turned dark whole (dark_turned.cpp).
// Its title's colour is also that of the names of the days on the month:
// once turned, readable both ways, as text on the month and as the ground of
// the title.
void ThemeDatePicker(HWND picker, bool dark) {
  const COLORREF title = LightBeforeTurning(ReadableColor(Dark().highlight, Dark().field));
  ThemeSlots(
      picker, dark,
      {{{L"TallixLightTitle", [](HWND w) { return static_cast<COLORREF>(DateTime_GetMonthCalColor(w, MCSC_TITLEBK)); },
         [](HWND w, COLORREF c) { DateTime_SetMonthCalColor(w, MCSC_TITLEBK, c); }},
        title}});
}

}  // namespace

void ThemeTooltip(HWND tooltip, bool dark) {
  if (!tooltip) return;
  SetStyleAside(tooltip, dark);
  ThemeSlots(tooltip, dark,
             {{{kBack, [](HWND w) { return static_cast<COLORREF>(SendMessageW(w, TTM_GETTIPBKCOLOR, 0, 0)); },
                [](HWND w, COLORREF c) { SendMessageW(w, TTM_SETTIPBKCOLOR, c, 0); }},
               Dark().keyFace},
              {{kText, [](HWND w) { return static_cast<COLORREF>(SendMessageW(w, TTM_GETTIPTEXTCOLOR, 0, 0)); },
                [](HWND w, COLORREF c) { SendMessageW(w, TTM_SETTIPTEXTCOLOR, c, 0); }},
               Dark().text}});
}

namespace {

// A progress bar has a default for both colours: nothing to keep.
void ThemeProgressBar(HWND bar, bool dark) {
  constexpr wchar_t kDarkBar[] = L"TallixDarkBar";
  if (!dark && !RemovePropW(bar, kDarkBar)) return;
  SetStyleAside(bar, dark);
  SendMessageW(bar, PBM_SETBKCOLOR, 0, dark ? Dark().field : CLR_DEFAULT);
  SendMessageW(bar, PBM_SETBARCOLOR, 0, dark ? Dark().highlight : CLR_DEFAULT);
  if (dark) SetPropW(bar, kDarkBar, reinterpret_cast<HANDLE>(1));
}

void PaintHeaderItem(HWND header, const NMCUSTOMDRAW& draw) {
  const DarkPalette& palette = Dark();
  const RECT& item = draw.rc;
  const COLORREF face = (draw.uItemState & CDIS_SELECTED) ? palette.keyPressed
                        : (draw.uItemState & CDIS_HOT)    ? palette.keyHot
                                                          : palette.keyFace;
  FillRect(draw.hdc, &item, PaletteBrush(face));
  const RECT divider{item.right - 1, item.top, item.right, item.bottom};
  const RECT bottom{item.left, item.bottom - 1, item.right, item.bottom};
  FillRect(draw.hdc, &divider, PaletteBrush(palette.frame));
  FillRect(draw.hdc, &bottom, PaletteBrush(palette.frame));

  wchar_t text[256] = {};
  HDITEMW column{};
  column.mask = HDI_TEXT | HDI_FORMAT;
  column.pszText = text;
  column.cchTextMax = 256;
  if (!Header_GetItem(header, static_cast<int>(draw.dwItemSpec), &column)) return;
  const int justify = column.fmt & HDF_JUSTIFYMASK;
  const UINT align = justify == HDF_CENTER ? DT_CENTER : justify == HDF_RIGHT ? DT_RIGHT : DT_LEFT;
  const int margin = Scaled(header, 6);
  RECT place{item.left + margin, item.top, item.right - margin, item.bottom - 1};
  ScopedSelect font(draw.hdc, reinterpret_cast<HGDIOBJ>(SendMessageW(header, WM_GETFONT, 0, 0)));
  SetBkMode(draw.hdc, TRANSPARENT);
  SetTextColor(draw.hdc, IsWindowEnabled(header) ? palette.text : palette.grayText);
  DrawTextW(draw.hdc, text, -1, &place, align | DT_SINGLELINE | DT_VCENTER | DT_END_ELLIPSIS | DT_NOPREFIX);
}

// Right of the last column, where the header would draw an empty light item.
void PaintHeaderRest(HWND header, HDC dc) {
  RECT rest{};
  GetClientRect(header, &rest);
  if (const int count = Header_GetItemCount(header); count > 0) {
    RECT last{};
    Header_GetItemRect(header, Header_OrderToIndex(header, count - 1), &last);
    rest.left = last.right;
  }
  if (rest.left >= rest.right) return;
  FillRect(dc, &rest, PaletteBrush(Dark().keyFace));
  rest.top = rest.bottom - 1;
  FillRect(dc, &rest, PaletteBrush(Dark().frame));
}

LRESULT DrawHeader(NMCUSTOMDRAW& draw) {
  switch (draw.dwDrawStage) {
    case CDDS_PREPAINT: return CDRF_NOTIFYITEMDRAW | CDRF_NOTIFYPOSTPAINT;
    case CDDS_ITEMPREPAINT: PaintHeaderItem(draw.hdr.hwndFrom, draw); return CDRF_SKIPDEFAULT;
    case CDDS_POSTPAINT: PaintHeaderRest(draw.hdr.hwndFrom, draw.hdc); return CDRF_DODEFAULT;
    default: return CDRF_DODEFAULT;
  }
}

// The selection of a list that has not the focus: the system shows it on
// its light button face; dark, it stands on a dim face of its own.
LRESULT DrawSelection(HWND list, NMCUSTOMDRAW& draw, COLORREF& text, COLORREF& back) {
  if (draw.dwDrawStage == CDDS_PREPAINT) return CDRF_NOTIFYITEMDRAW;
  if (draw.dwDrawStage != CDDS_ITEMPREPAINT || !(draw.uItemState & CDIS_SELECTED) || GetFocus() == list)
    return CDRF_DODEFAULT;
  draw.uItemState &= ~CDIS_SELECTED;
  text = Dark().text;
  back = Dark().keyHot;
  return CDRF_NEWFONT;
}

}  // namespace

void ThemeCommonControl(HWND control, bool dark) {
  if (HasClass(control, WC_LISTVIEWW))
    ThemeListView(control, dark);
  else if (HasClass(control, WC_TREEVIEWW))
    ThemeTree(control, dark);
  else if (HasClass(control, DATETIMEPICK_CLASSW))
    ThemeDatePicker(control, dark);
  else if (HasClass(control, PROGRESS_CLASSW))
    ThemeProgressBar(control, dark);
}

bool OnDarkListMessage(HWND control, UINT message, WPARAM, LPARAM lParam, LRESULT& answer) {
  auto* header = reinterpret_cast<NMHDR*>(lParam);
  if (!header) return false;
  if (message == WM_NOTIFY) {
    // The header tells the list view, not the form, how it paints.
    if (header->code != NM_CUSTOMDRAW || !HasClass(control, WC_LISTVIEWW) ||
        header->hwndFrom != ListView_GetHeader(control))
      return false;
    answer = DrawHeader(*reinterpret_cast<NMCUSTOMDRAW*>(lParam));
    return true;
  }
  if (message != kReflectBase + WM_NOTIFY || header->hwndFrom != control) return false;
  if (header->code == NM_CUSTOMDRAW && HasClass(control, WC_LISTVIEWW)) {
    auto& draw = *reinterpret_cast<NMLVCUSTOMDRAW*>(lParam);
    answer = DrawSelection(control, draw.nmcd, draw.clrText, draw.clrTextBk);
  } else if (header->code == NM_CUSTOMDRAW && HasClass(control, WC_TREEVIEWW)) {
    auto& draw = *reinterpret_cast<NMTVCUSTOMDRAW*>(lParam);
    answer = DrawSelection(control, draw.nmcd, draw.clrText, draw.clrTextBk);
  } else if (header->code == DTN_DROPDOWN || header->code == DTN_CLOSEUP) {
    HookDarkCalendar(control, header->code == DTN_DROPDOWN);
    return false;  // the form hears of it too
  }
  return answer != 0;
}

}  // namespace tallix::ui
