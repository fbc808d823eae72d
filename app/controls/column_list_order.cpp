// The column list box's row order: moving one row, sorting, and the rows'
// file form.
#include <algorithm>
#include <cstring>
#include <vector>

#include "app/controls/column_list_box.h"
#include "foundation/string/file_records.h"

namespace {

struct RowRecord {
  AString text;
  DWORD_PTR data = 0;
  int before = 0;  // the row's index before sorting
};

// Byte order of the common prefix, then the shorter first: for narrow texts
// what strcmp gives, for UTF-16 texts the same over their bytes.
int CompareBytes(const AString& a, const AString& b) {
  const int common = std::min(a.GetLength(), b.GetLength());
  if (const int order = std::memcmp(a.GetData(), b.GetData(), static_cast<size_t>(common))) return order;
  return a.GetLength() - b.GetLength();
}

}  // namespace

int CColumnListBox::MoveRow(int from, int to, bool select) {
  const int count = GetCount();
  if (from < 0 || from >= count || to < 0 || to >= count) return 0;
  const AString text = GetRowText(from);
  const DWORD_PTR data = GetItemData(from);
  AString first, second;
  GetColumnText(from, first);
  GetThirdColumnText(from, second, true);
  DeleteRow(from);
  const int row = PutRow(to, m_columns >= 1 ? first : text, second);
  SetItemData(row, data);
  if (select) SetCurSel(row);
  return 1;
}

int CColumnListBox::MoveSelection(int how) {
  const int selected = GetCurSel();
  const int last = GetCount() - 1;
  if (selected < 0) return 0;
  int to = selected;
  switch (how) {
    case kMoveTop: to = 0; break;
    case kMoveUp: to = selected - 1; break;
    case kMoveDown: to = selected + 1; break;
    case kMoveBottom: to = last; break;
    default: return 0;
  }
  if (to < 0 || to > last || to == selected) return 0;
  return MoveRow(selected, to, true);
}

int CColumnListBox::Sort(bool ascending) {
  std::vector<RowRecord> rows;
  AArray<AString> seconds(m_secondColumn);
  for (int i = 0; i < GetCount(); ++i) {
    AString text;
    GetColumnText(i, text);
    rows.push_back({text, GetItemData(i), i});
  }
  std::stable_sort(rows.begin(), rows.end(), [ascending](const RowRecord& a, const RowRecord& b) {
    const int order = CompareBytes(a.text, b.text);
    return ascending ? order < 0 : order > 0;
  });
  ResetContent();
  for (const RowRecord& row : rows) {
    const int at = PutRow(-1, row.text, row.before < seconds.GetSize() ? seconds[row.before] : AString());
    SetItemData(at, row.data);
  }
  return 1;
}

int CColumnListBox::SerializeItems(bool loading, FILE* file, bool existingOnly) {
  if (!loading) {
    if (!file || !WriteInt32(file, GetCount())) return 0;
    for (int i = 0; i < GetCount(); ++i) {
      const AString text = GetRowText(i);
      if (!WriteInt32(file, text.GetLength()) || !WriteBytes(file, text.GetData(), text.GetLength())) return 0;
    }
    return 1;
  }
  ResetContent();
  if (!file) return 1;
  int32_t count = 0;
  if (!ReadInt32(file, &count) || count < 0) return 0;
  for (int32_t i = 0; i < count; ++i) {
    int32_t length = 0;
    AString text;
    if (!ReadInt32(file, &length) || length < 0 || !ReadTextRecord(file, length, 0, text)) return 0;
    if (m_codePage == kUtf16CodePage) {
      text.SetWide(true);
      text.SetCodePage(kUtf16CodePage);
    }
    if (existingOnly) {
      const std::u16string name = ToListText(text);
      if (::GetFileAttributesW(reinterpret_cast<LPCWSTR>(name.c_str())) == INVALID_FILE_ATTRIBUTES) continue;
    }
    AddRow(text);
  }
  return 1;
}
