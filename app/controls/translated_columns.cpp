#include "app/controls/translated_columns.h"

#include <string>

#include "app/ui/ui_language.h"

void InsertTranslatedColumns(CListCtrl& list, std::span<const CListCtrlEx::Column> columns) {
  RECT client{};
  list.GetClientRect(&client);
  const int width = client.right - client.left;
  int used = 0;
  for (size_t i = 0; i < columns.size(); ++i) {
    const int cx = columns[i].fraction > 0 ? static_cast<int>(width * columns[i].fraction) : width - used;
    used += cx;
    std::u16string text = UiTextToWide(TranslateUiString(columns[i].name));
    LVCOLUMNW column{};
    column.mask = LVCF_TEXT | LVCF_WIDTH | LVCF_FMT | LVCF_SUBITEM;
    column.fmt = LVCFMT_LEFT;
    column.cx = cx;
    column.pszText = reinterpret_cast<LPWSTR>(text.data());
    column.iSubItem = static_cast<int>(i);
    list.SendMessage(LVM_INSERTCOLUMNW, static_cast<WPARAM>(i), reinterpret_cast<LPARAM>(&column));
  }
}
