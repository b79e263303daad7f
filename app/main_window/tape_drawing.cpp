// The tape list draws itself in the colours of its lines' texts.
#include <string>

#include "app/main_window/main_window_impl.h"
#include "app/main_window/tape_colour.h"
#include "app/main_window/wide_text.h"

namespace tallix {

void MainWindow::DrawTapeItem(const DRAWITEMSTRUCT& item) {
  if (item.itemID == static_cast<UINT>(-1)) return;
  HDC dc = item.hDC;
  if (item.itemAction & (ODA_DRAWENTIRE | ODA_SELECT)) {
    const LRESULT length = SendMessageW(item.hwndItem, LB_GETTEXTLEN, item.itemID, 0);
    std::wstring text;
    if (length > 0) {
      text.assign(static_cast<size_t>(length) + 1, L'\0');
      const LRESULT copied =
          SendMessageW(item.hwndItem, LB_GETTEXT, item.itemID, reinterpret_cast<LPARAM>(text.data()));
      text.resize(copied > 0 ? static_cast<size_t>(copied) : 0);
    }
    const std::string cp1252 = Narrow(text);
    FillRect(dc, &item.rcItem, GetSysColorBrush(COLOR_WINDOW));
    SetBkColor(dc, GetSysColor(COLOR_WINDOW));
    SetTextColor(dc, TapeLineColour(cp1252, TapeMedium::Screen, GetSysColor(COLOR_WINDOWTEXT)));
    HGDIOBJ previousFont = nullptr;
    if (auto font = reinterpret_cast<HFONT>(SendMessageW(item.hwndItem, WM_GETFONT, 0, 0))) {
      previousFont = SelectObject(dc, font);
    }
    RECT area = item.rcItem;
    area.right = area.left + 200;
    area.top += 2;
    DrawTextW(dc, text.c_str(), static_cast<int>(text.size()), &area, DT_RIGHT | DT_TOP | DT_SINGLELINE | DT_NOPREFIX);
    if (previousFont) SelectObject(dc, previousFont);
  }
  if (item.itemAction & ODA_FOCUS) DrawFocusRect(dc, &item.rcItem);
}

}  // namespace tallix
