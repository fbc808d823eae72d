#include "app/controls/list_ctrl_ex.h"

#include <algorithm>

namespace {

constexpr int kSelectionChanged = 1;  // the notification code of the parent's command

}  // namespace

BEGIN_MESSAGE_MAP(CListCtrlEx, CListCtrl)
  ON_NOTIFY_REFLECT_EX(LVN_ENDLABELEDIT, OnEndLabelEdit)
  ON_NOTIFY_REFLECT_EX(LVN_ITEMCHANGED, OnItemChanged)
  ON_WM_LBUTTONDOWN()
END_MESSAGE_MAP()

void CListCtrlEx::SetReportStyle() {
  ModifyStyle(LVS_TYPEMASK, LVS_REPORT);
  SetExtendedStyle(GetExtendedStyle() | LVS_EX_FULLROWSELECT);
}

void CListCtrlEx::SetCheckReportStyle() {
  ModifyStyle(LVS_TYPEMASK, LVS_REPORT);
  SetExtendedStyle(GetExtendedStyle() | LVS_EX_CHECKBOXES);
}

BOOL CListCtrlEx::SetSmallImages(UINT bitmapId, int imageWidth) {
  if (!m_smallImages.Create(bitmapId, imageWidth, 1, RGB(0, 0, 0))) return FALSE;
  SendMessage(LVM_SETIMAGELIST, LVSIL_SMALL, reinterpret_cast<LPARAM>(m_smallImages.m_hImageList));
  return TRUE;
}

int CListCtrlEx::SetColumns(std::initializer_list<Column> columns) {
  RECT client{};
  GetClientRect(&client);
  const int width = client.right - client.left;
  if (columns.size() == 0 || !columns.begin()->name) {
    InsertColumn(0, "", LVCFMT_LEFT, width);
    return 1;
  }
  int count = 0;
  double used = 0;
  for (const Column& c : columns) {
    if (!c.name || count == kMaxColumns) break;
    const double fraction = c.fraction == 0 ? 1 - used : c.fraction;
    used += fraction;
    InsertColumn(count, c.name, LVCFMT_LEFT, static_cast<int>(width * fraction));
    ++count;
  }
  SetColumnWidth(count - 1, LVSCW_AUTOSIZE_USEHEADER);
  return count;
}

int CListCtrlEx::GetColumnCount() const { return CListCtrl::GetColumnCount(); }

int CListCtrlEx::AddRow(std::initializer_list<const char*> texts, bool imageFlag, LPARAM value) {
  if (GetColumnCount() <= 0) {
    RECT client{};
    GetClientRect(&client);
    InsertColumn(0, "", LVCFMT_LEFT, client.right - client.left);
  }
  const int columns = GetColumnCount();
  int row = GetItemCount();
  int column = 0;
  for (const char* text : texts) {
    if (!text || column >= columns || column >= kMaxColumns) break;
    if (column == 0) {
      LVITEMA item{};
      item.mask = LVIF_TEXT | LVIF_IMAGE | LVIF_PARAM;
      item.iItem = row;
      item.pszText = const_cast<char*>(text);
      item.iImage = imageFlag ? 0 : 1;
      item.lParam = value;
      row = InsertItem(&item);
    } else {
      SetItemText(row, column, text);
    }
    ++column;
  }
  return row;
}

AString CListCtrlEx::TextOf(int row, int column) const {
  char buffer[kTextLimit + 1] = {};
  const int n = GetItemText(row, column, buffer, sizeof buffer);
  return AString(std::clamp(n, 0, kTextLimit), buffer);
}

int CListCtrlEx::GetRow(int index, std::span<AString* const> texts, LPARAM* value) const {
  if (index < 0 || index >= GetItemCount()) return 0;
  const int n = std::min({static_cast<int>(texts.size()), kMaxColumns, GetColumnCount()});
  for (int i = 0; i < n; ++i) {
    if (texts[static_cast<size_t>(i)]) *texts[static_cast<size_t>(i)] = TextOf(index, i);
  }
  if (value) *value = static_cast<LPARAM>(GetItemData(index));
  return n;
}

int CListCtrlEx::GetRow(int index, std::span<char* const> buffers, LPARAM* value) const {
  if (index < 0 || index >= GetItemCount()) return 0;
  const int columns = std::min(kMaxColumns, GetColumnCount());
  int n = 0;
  for (char* buffer : buffers) {
    if (!buffer || n >= columns) break;
    GetItemText(index, n, buffer, kTextLimit + 1);
    ++n;
  }
  if (value) *value = static_cast<LPARAM>(GetItemData(index));
  return n;
}

int CListCtrlEx::FindRow(int start, const char* name, LPARAM* value) const {
  const int count = GetItemCount();
  for (int i = std::max(start, 0); i < count; ++i) {
    if (TextOf(i, 0).CompareNoCase(name) == 0) {
      if (value) *value = static_cast<LPARAM>(GetItemData(i));
      return i;
    }
  }
  return -1;
}

int CListCtrlEx::GetSelectedIndex() const { return GetNextItem(-1, LVNI_SELECTED); }

int CListCtrlEx::SelectItem(int index) {
  const int count = GetItemCount();
  if (count == 0) return 1;
  index = std::clamp(index, 0, count - 1);
  SetItemState(index, LVIS_SELECTED | LVIS_FOCUSED, LVIS_SELECTED | LVIS_FOCUSED);
  return 1;
}

void CListCtrlEx::DeleteSelected() {
  const int selected = GetSelectedIndex();
  if (selected < 0) return;
  DeleteItem(selected);
  if (GetItemCount() > 0) SelectItem(selected);
  SetFocus();
}

int CListCtrlEx::MakeUniqueName(CListCtrlEx* list, AString& text) {
  const AString edited = text;
  AString candidate = edited;
  for (int n = 2; list->FindRow(0, candidate.GetData(), nullptr) >= 0; ++n) candidate.Format("%s(%d)", edited.GetData(), n);
  text = candidate;
  return 1;
}

BOOL CListCtrlEx::OnEndLabelEdit(NMHDR* header, LRESULT* result) {
  const auto* info = reinterpret_cast<const NMLVDISPINFOA*>(header);
  *result = FALSE;  // the text is set here, never by the control
  if (!info->item.pszText) return TRUE;
  AString text(info->item.pszText);
  if (!m_renameCheck || m_renameCheck(this, text)) SetItemText(info->item.iItem, info->item.iSubItem, text.GetData());
  return TRUE;
}

BOOL CListCtrlEx::OnItemChanged(NMHDR* header, LRESULT*) {
  const auto* change = reinterpret_cast<const NMLISTVIEW*>(header);
  const bool nowSelected = (change->uNewState & LVIS_SELECTED) && !(change->uOldState & LVIS_SELECTED);
  if ((change->uChanged & LVIF_STATE) && nowSelected) {
    if (HWND parent = ::GetParent(m_hWnd))
      ::SendMessageA(parent, WM_COMMAND, MAKEWPARAM(GetDlgCtrlID(), kSelectionChanged), reinterpret_cast<LPARAM>(m_hWnd));
  }
  return FALSE;
}

void CListCtrlEx::OnLButtonDown(UINT flags, CPoint point) {
  UINT where = 0;
  const int item = HitTest(point, &where);
  const bool onCheck = item >= 0 && (where & LVHT_ONITEMSTATEICON) && (GetExtendedStyle() & LVS_EX_CHECKBOXES);
  const BOOL before = onCheck ? GetCheck(item) : FALSE;
  CListCtrl::OnLButtonDown(flags, point);
  // The check ends as the opposite of what it was before the click,
  // whatever the control's own handling of the click did.
  if (onCheck) SetCheck(item, !before);
}

BOOL CListCtrlEx::PreTranslateMessage(MSG* msg) {
  if (msg->message == WM_KEYDOWN && msg->wParam == VK_DELETE && m_deleteKeyEnabled && ::GetFocus() == m_hWnd)
    DeleteSelected();
  return CListCtrl::PreTranslateMessage(msg);
}
