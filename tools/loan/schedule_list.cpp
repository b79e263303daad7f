#include "tools/loan/schedule_list.h"

// After windows.h, which it needs.
#include <commctrl.h>

#include "side_window/wide_text.h"
#include "tools/loan/loan_texts.h"
#include "ui/control_helpers.h"

namespace tallix::loan {

void AddScheduleColumns(HWND list) {
  SendMessageW(list, LVM_SETEXTENDEDLISTVIEWSTYLE, LVS_EX_FULLROWSELECT, LVS_EX_FULLROWSELECT);
  for (std::size_t i = 0; i < kScheduleColumns.size(); ++i) {
    ui::ListViewInsertColumn(list, int(i), Wide(kScheduleColumns[i].title), kScheduleColumns[i].width);
  }
}

void FillScheduleList(HWND list, const std::vector<ScheduleRow>& rows) {
  SendMessageW(list, WM_SETREDRAW, FALSE, 0);
  ui::ListViewClear(list);
  SendMessageW(list, LVM_SETITEMCOUNT, rows.size(), LVSICF_NOINVALIDATEALL);
  for (const ScheduleRow& row : rows) {
    const ScheduleRowTexts texts = RowTexts(row);
    const int item = ui::ListViewInsertItem(list, row.number - 1, Wide(texts[0]));
    for (int column = 1; column < int(texts.size()); ++column) {
      ui::ListViewSetItemText(list, item, column, Wide(texts[column]));
    }
  }
  SendMessageW(list, WM_SETREDRAW, TRUE, 0);
  InvalidateRect(list, nullptr, TRUE);
}

}  // namespace tallix::loan
