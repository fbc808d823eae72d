#include "app/controls/column_list_box.h"

#include <algorithm>
#include <cstring>

#include "platform/gdi/gdi_owners.h"
#include "platform/nls/nls_text.h"

std::u16string CColumnListBox::ToListText(const AString& text) const {
  if (m_codePage == kUtf16CodePage || text.IsWide()) {
    std::u16string wide(static_cast<size_t>(text.GetLength() / 2), u'\0');
    const auto* bytes = reinterpret_cast<const unsigned char*>(text.GetData());
    for (size_t i = 0; i < wide.size(); ++i) wide[i] = static_cast<char16_t>(bytes[2 * i] | bytes[2 * i + 1] << 8);
    return wide;
  }
  return nls::ToUtf16(static_cast<UINT>(m_codePage), std::string_view(text.GetData(), text.GetLength()));
}

void CColumnListBox::SetColumns(int columns, int codePage) {
  m_columns = std::clamp(columns, 0, 2);
  m_codePage = codePage;
  if (m_hWnd) SetItemHeight(0, kItemHeight);
}

bool CColumnListBox::IsMultiSelect() const {
  return (GetStyle() & (LBS_MULTIPLESEL | LBS_EXTENDEDSEL)) != 0;
}

int CColumnListBox::PutRow(int index, const AString& text, const AString& secondText) {
  const std::string shown = (GetStyle() & LBS_HASSTRINGS) ? nls::FromUtf16(CP_ACP, ToListText(text)) : std::string();
  const int row = index < 0 ? AddString(shown.c_str()) : InsertString(index, shown.c_str());
  if (row < 0) return row;
  m_rowTexts.InsertAt(row, text);
  if (!(GetStyle() & LBS_HASSTRINGS)) SetItemData(row, 0);
  if (m_columns >= 1) m_firstColumn.InsertAt(row, text);
  if (m_columns >= 2) m_secondColumn.InsertAt(row, secondText);
  return row;
}

int CColumnListBox::AddRow(const AString& text, const AString& secondText, int uniqueMode) {
  return InsertRow(-1, text, secondText, uniqueMode);
}

int CColumnListBox::InsertRow(int index, const AString& text, const AString& secondText, int uniqueMode) {
  if (uniqueMode > 0 && !IsNewRow({text, secondText, uniqueMode})) return -1;
  return PutRow(index, text, secondText);
}

int CColumnListBox::AddRow(const ColumnRow& row) {
  if (!IsNewRow(row)) return -1;
  return PutRow(-1, row.text, row.secondText);
}

int CColumnListBox::DeleteRow(int n) {
  if (n < 0 || n >= GetCount()) return -1;
  if (m_columns >= 1 && n < m_firstColumn.GetSize()) m_firstColumn.RemoveAt(n);
  if (m_columns >= 2 && n < m_secondColumn.GetSize()) m_secondColumn.RemoveAt(n);
  if (n < m_rowTexts.GetSize()) m_rowTexts.RemoveAt(n);
  return DeleteString(static_cast<UINT>(n));
}

void CColumnListBox::ResetContent() {
  CListBox::ResetContent();
  m_firstColumn.RemoveAll();
  m_secondColumn.RemoveAll();
  m_rowTexts.RemoveAll();
}

AString CColumnListBox::GetRowText(int n) const {
  if (n < 0 || n >= GetCount() || n >= m_rowTexts.GetSize()) return AString();
  return m_rowTexts[n];
}

int CColumnListBox::GetColumnText(int n, AString& out) const {
  if (n < 0 || n >= GetCount()) return 0;
  out = m_columns >= 1 && n < m_firstColumn.GetSize() ? m_firstColumn[n] : GetRowText(n);
  return 1;
}

int CColumnListBox::GetThirdColumnText(int n, AString& out, bool exact) const {
  if (m_columns < 2 || n < 0 || n >= GetCount() || n >= m_secondColumn.GetSize()) return 0;
  out = m_secondColumn[n];
  if (out.IsEmpty() && !exact && n < m_firstColumn.GetSize() && !m_firstColumn[n].IsEmpty()) out = m_firstColumn[n];
  return 1;
}

int CColumnListBox::GetTextLen(int n) const {
  AString text;
  if (!GetColumnText(n, text)) return -1;
  return text.GetLength();
}

int CColumnListBox::GetMaxTextLen() const {
  int longest = 0;
  for (int i = 0; i < GetCount(); ++i) longest = std::max(longest, GetTextLen(i));
  return longest;
}

int CColumnListBox::FindExact(int start, const AString& text) const {
  for (int i = std::max(start, 0); i < GetCount(); ++i) {
    AString row;
    GetColumnText(i, row);
    if (row.GetLength() == text.GetLength() && std::memcmp(row.GetData(), text.GetData(), text.GetLength()) == 0)
      return i;
  }
  return -1;
}

namespace {

std::u16string Upper(std::u16string text) {
  ::CharUpperBuffW(reinterpret_cast<LPWSTR>(text.data()), static_cast<DWORD>(text.size()));
  return text;
}

}  // namespace

int CColumnListBox::IsNewRow(const ColumnRow& row) const {
  if (row.kind != 1 && !row.secondText.IsEmpty()) {
    // Second texts (paths, connection strings) match without regard to case.
    const std::u16string wanted = Upper(ToListText(row.secondText));
    for (int i = 0; i < m_secondColumn.GetSize(); ++i) {
      if (Upper(ToListText(m_secondColumn[i])) == wanted) return 0;
    }
    return 1;
  }
  return FindExact(0, row.text) < 0 ? 1 : 0;
}

int CColumnListBox::ClearSelection() {
  if (IsMultiSelect()) {
    SetSel(-1, FALSE);
  } else {
    SetCurSel(-1);
  }
  return GetCount();
}

void CColumnListBox::MeasureItem(LPMEASUREITEMSTRUCT mis) {
  mis->itemHeight = kItemHeight;
  mis->itemWidth = kItemWidth;
}

void CColumnListBox::DrawItem(LPDRAWITEMSTRUCT dis) {
  if (dis->CtlType != ODT_LISTBOX || static_cast<int>(dis->itemID) < 0 ||
      static_cast<int>(dis->itemID) >= GetCount())
    return;
  const bool selected = (dis->itemState & ODS_SELECTED) != 0;
  HDC dc = dis->hDC;
  RECT rect = dis->rcItem;
  ::FillRect(dc, &rect, ::GetSysColorBrush(selected ? COLOR_HIGHLIGHT : COLOR_WINDOW));
  const int oldMode = ::SetBkMode(dc, TRANSPARENT);
  const COLORREF oldColour = ::SetTextColor(dc, ::GetSysColor(selected ? COLOR_HIGHLIGHTTEXT : COLOR_WINDOWTEXT));
  {
    SelectScope font(dc, ::GetStockObject(DEFAULT_GUI_FONT));
    RECT textRect = rect;
    ::InflateRect(&textRect, -2, -2);
    const std::u16string text = ToListText(GetRowText(static_cast<int>(dis->itemID)));
    ::DrawTextW(dc, reinterpret_cast<LPCWSTR>(text.c_str()), static_cast<int>(text.size()), &textRect,
                DT_SINGLELINE | DT_VCENTER | DT_NOPREFIX | DT_END_ELLIPSIS);
  }
  if (dis->itemState & ODS_FOCUS) ::DrawFocusRect(dc, &rect);
  ::SetTextColor(dc, oldColour);
  ::SetBkMode(dc, oldMode);
}
