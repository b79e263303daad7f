// The tape list draws itself in the colours of its lines' texts (in the user's
// colours alone in high contrast).
#include <string>

#include "app/main_window/main_window_impl.h"
#include "app/main_window/tape_colour.h"
#include "app/main_window/tape_tip.h"
#include "side_window/wide_text.h"
#include "ui/contrast.h"
#include "ui/control_helpers.h"
#include "ui/dark_theme.h"
#include "ui/gdi_scope.h"

namespace tallix {

void MainWindow::DrawTapeItem(const DRAWITEMSTRUCT& item) {
  if (item.itemID == static_cast<UINT>(-1)) return;
  HDC dc = item.hDC;
  if (item.itemAction & (ODA_DRAWENTIRE | ODA_SELECT)) {
    const std::wstring text = ui::ListBoxItemText(item.hwndItem, static_cast<int>(item.itemID));
    const std::string cp1252 = Cp1252FromWide(text);
    const bool dark = ui::DarkOn();
    const COLORREF paper = dark ? ui::Dark().field : GetSysColor(COLOR_WINDOW);
    FillRect(dc, &item.rcItem, dark ? ui::PaletteBrush(paper) : GetSysColorBrush(COLOR_WINDOW));
    SetBkColor(dc, paper);
    // In high contrast every line takes the user's text colour: a negative
    // line still tells itself apart by its minus sign. In dark, red and blue
    // lines keep their hue, made light enough to read.
    const COLORREF ink = dark ? ui::Dark().fieldText : GetSysColor(COLOR_WINDOWTEXT);
    const COLORREF colour = ui::HighContrastOn() ? ink : TapeLineColour(cp1252, TapeMedium::Screen, ink);
    SetTextColor(dc, dark ? ui::ReadableColor(colour, paper) : colour);
    ui::ScopedSelect font(dc, reinterpret_cast<HFONT>(SendMessageW(item.hwndItem, WM_GETFONT, 0, 0)));
    RECT area = TapeTextArea(item.hwndItem, item.rcItem);
    // A loaded line's control characters would be drawn as nothing, or move the text.
    const std::wstring shown = ShownTapeLine(cp1252);
    DrawTextW(dc, shown.c_str(), static_cast<int>(shown.size()), &area,
              DT_RIGHT | DT_TOP | DT_SINGLELINE | DT_NOPREFIX);
  }
  // The line Find found is marked as the list marks the line it has the
  // focus on, which it never has: the key sink keeps the focus.
  const bool marked = markedLine_ == item.itemID;
  if ((item.itemAction & ODA_FOCUS) || (marked && (item.itemAction & ODA_DRAWENTIRE))) DrawFocusRect(dc, &item.rcItem);
}

}  // namespace tallix
