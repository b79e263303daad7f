#include "tools/loan/schedule_list.h"

// After windows.h, which it needs.
#include <commctrl.h>

#include "side_window/wide_text.h"
#include "tools/loan/loan_texts.h"
#include "ui/control_helpers.h"
#include "ui/scaling.h"

namespace tallix::loan {

void AddScheduleColumns(HWND list) {
  SendMessageW(list, LVM_SETEXTENDEDLISTVIEWSTYLE, LVS_EX_FULLROWSELECT, LVS_EX_FULLROWSELECT);
  for (std::size_t i = 0; i < kScheduleColumns.size(); ++i) {
    ui::ListViewInsertColumn(list, int(i), Wide(kScheduleColumns[i].title),
                             ui::Scaled(list, kScheduleColumns[i].width));
  }
}

void ScaleScheduleColumns(HWND list, int dpi) {
  for (std::size_t i = 0; i < kScheduleColumns.size(); ++i)
    SendMessageW(list, LVM_SETCOLUMNWIDTH, i, ui::ScaleToDpi(kScheduleColumns[i].width, dpi));
}

void FillScheduleList(HWND list, const std::vector<ScheduleRowTexts>& rows) {
  SendMessageW(list, WM_SETREDRAW, FALSE, 0);
  ui::ListViewClear(list);
  SendMessageW(list, LVM_SETITEMCOUNT, rows.size(), LVSICF_NOINVALIDATEALL);
  for (std::size_t row = 0; row < rows.size(); ++row) {
    const ScheduleRowTexts& texts = rows[row];
    const int item = ui::ListViewInsertItem(list, int(row), Wide(texts[0]));
    for (int column = 1; column < int(texts.size()); ++column) {
      ui::ListViewSetItemText(list, item, column, Wide(texts[column]));
    }
  }
  SendMessageW(list, WM_SETREDRAW, TRUE, 0);
  InvalidateRect(list, nullptr, TRUE);
}

}  // namespace tallix::loan
