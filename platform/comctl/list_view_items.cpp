// The list view's item and column messages, wide and ANSI, and the
// notifications their changes send.
#include <algorithm>
#include <cstring>
#include <vector>

#include "platform/comctl/list_view_internal.h"
#include "platform/comctl/text_buffers.h"
#include "platform/nls/nls.h"

namespace comctl::lv {
namespace {

constexpr int kDispInfoText = 260;

template <class Char>
bool IsTextCallback(const Char* text) {
  return reinterpret_cast<intptr_t>(text) == -1;
}
std::u16string Read(LPCWSTR text) { return IsTextCallback(text) ? std::u16string() : FromWide(text); }
std::u16string Read(LPCSTR text) { return IsTextCallback(text) ? std::u16string() : FromAnsi(text); }

int SubItemLimit(const ListView& lv) { return std::max(ColumnCount(lv), 1); }

// Indices at or after `from` move by `by` when rows come or go.
void ShiftIndices(ListView& lv, int from, int by) {
  if (by < 0 && lv.mark == from) lv.mark = -1;
  else if (lv.mark >= from) lv.mark += by;
  if (lv.pendingEdit >= from) lv.pendingEdit = -1;
}

template <class Item>
LRESULT InsertItem(ListView& lv, const Item* in) {
  if (!in || in->iSubItem != 0) return -1;
  ListRow row;
  if (in->mask & LVIF_PARAM) row.param = in->lParam;
  if (in->mask & LVIF_IMAGE) row.image = in->iImage;
  if (in->mask & LVIF_INDENT) row.indent = in->iIndent;
  if (in->mask & LVIF_STATE) row.state = in->state & in->stateMask & ~LVIS_FOCUSED;
  if ((lv.exStyle & LVS_EX_CHECKBOXES) && !(row.state & LVIS_STATEIMAGEMASK)) row.state |= INDEXTOSTATEIMAGEMASK(1);
  if (in->mask & LVIF_TEXT) {
    row.texts.push_back(Read(in->pszText));
    row.callbacks.push_back(IsTextCallback(in->pszText));
  }
  int at = std::clamp(in->iItem, 0, lv.model.rows());
  const DWORD style = StyleOf(lv.self);
  if (style & (LVS_SORTASCENDING | LVS_SORTDESCENDING)) {
    const bool descending = (style & LVS_SORTDESCENDING) != 0;
    const std::u16string text = row.texts.empty() ? std::u16string() : row.texts[0];
    at = 0;
    while (at < lv.model.rows()) {
      const int order = lstrcmpiW(lv.model.Text(at, 0).c_str(), text.c_str());
      if (descending ? order < 0 : order > 0) break;
      ++at;
    }
  }
  const bool focus = (in->mask & LVIF_STATE) && (in->stateMask & in->state & LVIS_FOCUSED);
  at = lv.model.Insert(at, std::move(row));
  ShiftIndices(lv, at, 1);
  if (focus) SetState(lv, at, LVIS_FOCUSED, LVIS_FOCUSED);
  NotifyListView(lv, LVN_INSERTITEM, at, 0, 0, 0, 0, POINT{});
  UpdateScrollBars(lv);
  Invalidate(lv);
  return at;
}

LRESULT DeleteItem(ListView& lv, int row) {
  if (!lv.model.Valid(row)) return FALSE;
  if (lv.editItem == row) EndEdit(lv, true);
  NotifyListView(lv, LVN_DELETEITEM, row, 0, 0, 0, 0, POINT{});
  if (!lv.model.Delete(row)) return FALSE;  // the parent may have deleted it meanwhile
  if (lv.editItem > row) --lv.editItem;
  ShiftIndices(lv, row, -1);
  ScrollTo(lv, lv.top, lv.scrollX);
  Invalidate(lv);
  return TRUE;
}

LRESULT DeleteAll(ListView& lv) {
  EndEdit(lv, true);
  // The parent answering TRUE does without an LVN_DELETEITEM per row.
  if (!NotifyListView(lv, LVN_DELETEALLITEMS, -1, 0, 0, 0, 0, POINT{}))
    for (int row = 0; row < lv.model.rows(); ++row) NotifyListView(lv, LVN_DELETEITEM, row, 0, 0, 0, 0, POINT{});
  lv.model.Clear();
  lv.mark = -1;
  lv.pendingEdit = -1;
  ScrollTo(lv, 0, lv.scrollX);
  Invalidate(lv);
  return TRUE;
}

template <class Item>
LRESULT GetItem(ListView& lv, Item* out) {
  if (!out || !lv.model.Valid(out->iItem) || out->iSubItem < 0 || out->iSubItem >= SubItemLimit(lv)) return FALSE;
  const ListRow& row = lv.model.at(out->iItem);
  if (out->mask & LVIF_PARAM) out->lParam = row.param;
  if (out->mask & LVIF_IMAGE) out->iImage = row.image;
  if (out->mask & LVIF_INDENT) out->iIndent = row.indent;
  if (out->mask & LVIF_STATE) out->state = row.state & out->stateMask;
  if (out->mask & LVIF_TEXT) CopyText(CellText(lv, out->iItem, out->iSubItem), out->pszText, out->cchTextMax);
  return TRUE;
}

// Value changes (item value, image, indent) of column 0 notify as one change.
template <class Item>
bool SetValues(ListView& lv, const Item& in) {
  const UINT changed = in.mask & (LVIF_PARAM | LVIF_IMAGE | LVIF_INDENT);
  if (!changed || in.iSubItem != 0) return true;
  const ListRow& before = lv.model.at(in.iItem);
  if (NotifyListView(lv, LVN_ITEMCHANGING, in.iItem, 0, before.state, before.state, changed, POINT{})) return false;
  if (!lv.model.Valid(in.iItem)) return false;
  ListRow& row = lv.model.at(in.iItem);
  if (in.mask & LVIF_PARAM) row.param = in.lParam;
  if (in.mask & LVIF_IMAGE) row.image = in.iImage;
  if (in.mask & LVIF_INDENT) row.indent = in.iIndent;
  NotifyListView(lv, LVN_ITEMCHANGED, in.iItem, 0, row.state, row.state, changed, POINT{});
  return true;
}

template <class Item>
LRESULT SetItem(ListView& lv, const Item* in) {
  if (!in || !lv.model.Valid(in->iItem) || in->iSubItem < 0 || in->iSubItem >= SubItemLimit(lv)) return FALSE;
  if (in->mask & LVIF_TEXT) {
    const int row = in->iItem, column = in->iSubItem;
    if (IsTextCallback(in->pszText)) lv.model.SetText(row, column, std::u16string(), true);
    else if (!SetText(lv, row, column, Read(in->pszText))) return FALSE;
  }
  if (!SetValues(lv, *in)) return FALSE;
  if ((in->mask & LVIF_STATE) && in->iSubItem == 0 && !SetState(lv, in->iItem, in->state, in->stateMask)) return FALSE;
  Invalidate(lv);
  return TRUE;
}

template <class Item>
LRESULT GetItemText(ListView& lv, int row, Item* out) {
  if (!out || !lv.model.Valid(row) || out->iSubItem < 0 || out->iSubItem >= SubItemLimit(lv)) {
    if (out && out->pszText && out->cchTextMax > 0) out->pszText[0] = 0;
    return 0;
  }
  return CopyText(CellText(lv, row, out->iSubItem), out->pszText, out->cchTextMax);
}

template <class Item>
LRESULT SetItemText(ListView& lv, int row, const Item* in) {
  if (!in || !lv.model.Valid(row) || in->iSubItem < 0 || in->iSubItem >= SubItemLimit(lv)) return FALSE;
  if (IsTextCallback(in->pszText)) return lv.model.SetText(row, in->iSubItem, std::u16string(), true);
  return SetText(lv, row, in->iSubItem, Read(in->pszText));
}

LRESULT NextItem(const ListView& lv, int start, UINT flags) {
  UINT mask = 0;
  if (flags & LVNI_FOCUSED) mask |= LVIS_FOCUSED;
  if (flags & LVNI_SELECTED) mask |= LVIS_SELECTED;
  if (flags & LVNI_CUT) mask |= LVIS_CUT;
  if (flags & LVNI_DROPHILITED) mask |= LVIS_DROPHILITED;
  if (flags & LVNI_ABOVE) {
    for (int row = std::min(start, lv.model.rows()) - 1; row >= 0; --row)
      if ((lv.model.at(row).state & mask) == mask) return row;
    return -1;
  }
  return lv.model.Next(start, mask);
}

template <class Find>
LRESULT FindItem(const ListView& lv, int start, const Find* find) {
  if (!find) return -1;
  const int from = start + 1;
  const bool wrap = (find->flags & LVFI_WRAP) != 0;
  if (find->flags & LVFI_PARAM) return lv.model.FindParam(from, find->lParam, wrap);
  if (!(find->flags & (LVFI_STRING | LVFI_PARTIAL | LVFI_SUBSTRING)) || !find->psz) return -1;
  return lv.model.FindText(from, Read(find->psz), (find->flags & (LVFI_PARTIAL | LVFI_SUBSTRING)) != 0, wrap);
}

LRESULT Sort(ListView& lv, LPARAM sortParam, PFNLVCOMPARE compare, bool byIndex) {
  if (!compare) return FALSE;
  EndEdit(lv, false);
  std::vector<LPARAM> params(static_cast<size_t>(lv.model.rows()));
  for (int row = 0; row < lv.model.rows(); ++row) params[static_cast<size_t>(row)] = byIndex ? row : lv.model.at(row).param;
  const std::vector<int> order = lv.model.Sort([&](int a, int b) {
    return compare(params[static_cast<size_t>(a)], params[static_cast<size_t>(b)], sortParam);
  });
  for (size_t i = 0; i < order.size(); ++i)
    if (order[i] == lv.mark) {
      lv.mark = static_cast<int>(i);
      break;
    }
  Invalidate(lv);
  return TRUE;
}

int HeaderFormat(int listFormat) { return (listFormat & LVCFMT_JUSTIFYMASK) | HDF_STRING; }

template <class Column, class HeaderItem>
LRESULT InsertColumn(ListView& lv, int column, const Column* in) {
  if (!in) return -1;
  HeaderItem item{};
  item.mask = HDI_FORMAT | HDI_WIDTH;
  item.fmt = HeaderFormat((in->mask & LVCF_FMT) ? in->fmt : LVCFMT_LEFT);
  item.cxy = (in->mask & LVCF_WIDTH) ? std::max(0, in->cx) : 0;
  if (in->mask & LVCF_TEXT) {
    item.mask |= HDI_TEXT;
    item.pszText = in->pszText;
  }
  if (in->mask & LVCF_ORDER) {
    item.mask |= HDI_ORDER;
    item.iOrder = in->iOrder;
  }
  column = std::clamp(column, 0, ColumnCount(lv));
  constexpr UINT insert = sizeof(*in->pszText) == 1 ? HDM_INSERTITEMA : HDM_INSERTITEMW;
  if (SendMessageW(lv.header, insert, static_cast<WPARAM>(column), reinterpret_cast<LPARAM>(&item)) < 0) return -1;
  lv.model.InsertColumn(column);
  Layout(lv);
  Invalidate(lv);
  return column;
}

template <class Column, class HeaderItem>
LRESULT GetColumn(const ListView& lv, int column, Column* out) {
  if (!out || column < 0 || column >= ColumnCount(lv)) return FALSE;
  HeaderItem item{};
  item.mask = HDI_FORMAT | HDI_WIDTH | HDI_ORDER;
  if (out->mask & LVCF_TEXT) {
    item.mask |= HDI_TEXT;
    item.pszText = out->pszText;
    item.cchTextMax = out->cchTextMax;
  }
  constexpr UINT get = sizeof(*out->pszText) == 1 ? HDM_GETITEMA : HDM_GETITEMW;
  if (!SendMessageW(lv.header, get, static_cast<WPARAM>(column), reinterpret_cast<LPARAM>(&item))) return FALSE;
  if (out->mask & LVCF_FMT) out->fmt = item.fmt & LVCFMT_JUSTIFYMASK;
  if (out->mask & LVCF_WIDTH) out->cx = item.cxy;
  if (out->mask & LVCF_SUBITEM) out->iSubItem = column;
  if (out->mask & LVCF_ORDER) out->iOrder = item.iOrder;
  return TRUE;
}

template <class Column, class HeaderItem>
LRESULT SetColumn(ListView& lv, int column, const Column* in) {
  if (!in || column < 0 || column >= ColumnCount(lv)) return FALSE;
  HeaderItem item{};
  if (in->mask & LVCF_FMT) {
    item.mask |= HDI_FORMAT;
    item.fmt = HeaderFormat(in->fmt);
  }
  if (in->mask & LVCF_WIDTH) {
    item.mask |= HDI_WIDTH;
    item.cxy = in->cx;
  }
  if (in->mask & LVCF_TEXT) {
    item.mask |= HDI_TEXT;
    item.pszText = in->pszText;
  }
  constexpr UINT set = sizeof(*in->pszText) == 1 ? HDM_SETITEMA : HDM_SETITEMW;
  const LRESULT done = SendMessageW(lv.header, set, static_cast<WPARAM>(column), reinterpret_cast<LPARAM>(&item));
  Layout(lv);
  Invalidate(lv);
  return done;
}

LRESULT SetColumnWidth(ListView& lv, int column, int width) {
  if (column < 0 || column >= ColumnCount(lv)) return FALSE;
  if (width == LVSCW_AUTOSIZE || width == LVSCW_AUTOSIZE_USEHEADER) width = AutoWidth(lv, column, width);
  HDITEMW item{};
  item.mask = HDI_WIDTH;
  item.cxy = std::max(0, width);
  const LRESULT done = SendMessageW(lv.header, HDM_SETITEMW, static_cast<WPARAM>(column), reinterpret_cast<LPARAM>(&item));
  Layout(lv);
  Invalidate(lv);
  return done;
}

LRESULT DeleteColumn(ListView& lv, int column) {
  if (column < 0 || column >= ColumnCount(lv)) return FALSE;
  EndEdit(lv, true);
  SendMessageW(lv.header, HDM_DELETEITEM, static_cast<WPARAM>(column), 0);
  lv.model.DeleteColumn(column);
  Layout(lv);
  Invalidate(lv);
  return TRUE;
}

LRESULT SetExtendedStyle(ListView& lv, DWORD mask, DWORD style) {
  const DWORD before = lv.exStyle;
  if (!mask) mask = 0xFFFFFFFF;
  lv.exStyle = (before & ~mask) | (style & mask);
  const bool checks = (lv.exStyle & LVS_EX_CHECKBOXES) != 0;
  if (checks != ((before & LVS_EX_CHECKBOXES) != 0)) {
    for (int row = 0; row < lv.model.rows(); ++row) {
      UINT& state = lv.model.at(row).state;
      state = (state & ~LVIS_STATEIMAGEMASK) | (checks ? INDEXTOSTATEIMAGEMASK(1) : 0);
    }
  }
  MeasureRows(lv);
  Layout(lv);
  Invalidate(lv);
  return before;
}

LRESULT ItemRect(const ListView& lv, int row, RECT* r, bool subItem) {
  if (!r || !lv.model.Valid(row)) return FALSE;
  const int column = subItem ? r->top : 0;
  if (column < 0 || column >= SubItemLimit(lv)) return FALSE;
  const int code = r->left;
  if (code < LVIR_BOUNDS || code > LVIR_SELECTBOUNDS) return FALSE;
  *r = ColumnCount(lv) ? SubItemRect(lv, row, column, code) : RowRect(lv, row);
  return TRUE;
}

LRESULT Scroll(ListView& lv, int dx, int dy) {
  const int rowHeight = RowHeight(lv);
  const int rows = dy == 0 ? 0 : (dy + (dy > 0 ? rowHeight - 1 : -(rowHeight - 1))) / rowHeight;
  ScrollTo(lv, lv.top + rows, lv.scrollX + dx);
  return TRUE;
}

}  // namespace

std::u16string CellText(ListView& lv, int row, int column) {
  if (!lv.model.IsCallback(row, column)) return lv.model.Text(row, column);
  const LPARAM param = lv.model.at(row).param;
  if (lv.unicode) {
    WCHAR buffer[kDispInfoText] = {};
    NMLVDISPINFOW info{};
    info.item = LVITEMW{LVIF_TEXT, row, column, 0, 0, buffer, kDispInfoText, 0, param, 0};
    SendNotify(lv.self, LVN_GETDISPINFOW, &info.hdr);
    std::u16string text = info.item.pszText && !IsTextCallback(info.item.pszText) ? std::u16string(info.item.pszText) : u"";
    if ((info.item.mask & LVIF_DI_SETITEM) && lv.model.Valid(row)) lv.model.SetText(row, column, text);
    return text;
  }
  char buffer[kDispInfoText] = {};
  NMLVDISPINFOA info{};
  info.item = LVITEMA{LVIF_TEXT, row, column, 0, 0, buffer, kDispInfoText, 0, param, 0};
  SendNotify(lv.self, LVN_GETDISPINFOA, &info.hdr);
  std::u16string text = info.item.pszText && !IsTextCallback(info.item.pszText) ? FromAnsi(info.item.pszText) : u"";
  if ((info.item.mask & LVIF_DI_SETITEM) && lv.model.Valid(row)) lv.model.SetText(row, column, text);
  return text;
}

LRESULT NotifyListView(ListView& lv, UINT code, int row, int column, UINT newState, UINT oldState, UINT changed,
                       POINT action) {
  NMLISTVIEW nm{};
  nm.iItem = row;
  nm.iSubItem = column;
  nm.uNewState = newState;
  nm.uOldState = oldState;
  nm.uChanged = changed;
  nm.ptAction = action;
  nm.lParam = lv.model.Valid(row) ? lv.model.at(row).param : 0;
  return SendNotify(lv.self, code, &nm.hdr);
}

LRESULT NotifyActivate(ListView& lv, UINT code, int row, int column, POINT action, UINT keyFlags) {
  NMITEMACTIVATE nm{};
  nm.iItem = row;
  nm.iSubItem = column;
  nm.ptAction = action;
  nm.lParam = lv.model.Valid(row) ? lv.model.at(row).param : 0;
  nm.uKeyFlags = keyFlags;
  return SendNotify(lv.self, code, &nm.hdr);
}

void Invalidate(ListView& lv) { InvalidateRect(lv.self, nullptr, TRUE); }

bool SetText(ListView& lv, int row, int column, std::u16string text) {
  if (!lv.model.Valid(row) || column < 0 || column >= SubItemLimit(lv)) return false;
  if (column > 0) {
    lv.model.SetText(row, column, std::move(text));
    Invalidate(lv);
    return true;
  }
  const UINT state = lv.model.at(row).state;
  if (NotifyListView(lv, LVN_ITEMCHANGING, row, 0, state, state, LVIF_TEXT, POINT{})) return false;
  if (!lv.model.SetText(row, 0, std::move(text))) return false;
  NotifyListView(lv, LVN_ITEMCHANGED, row, 0, lv.model.at(row).state, lv.model.at(row).state, LVIF_TEXT, POINT{});
  Invalidate(lv);
  return true;
}

namespace {

bool SetOneState(ListView& lv, int row, UINT state, UINT mask) {
  if (!lv.model.Valid(row)) return false;
  const UINT before = lv.model.at(row).state;
  const UINT after = (before & ~mask) | (state & mask);
  if (after == before) return true;
  if (NotifyListView(lv, LVN_ITEMCHANGING, row, 0, after, before, LVIF_STATE, POINT{})) return false;
  // One focused row; one selected row with LVS_SINGLESEL.
  UINT alone = 0;
  if ((after & ~before) & LVIS_FOCUSED) alone |= LVIS_FOCUSED;
  if (((after & ~before) & LVIS_SELECTED) && (StyleOf(lv.self) & LVS_SINGLESEL)) alone |= LVIS_SELECTED;
  for (UINT bit : {UINT{LVIS_FOCUSED}, UINT{LVIS_SELECTED}}) {
    if (!(alone & bit)) continue;
    for (int other = lv.model.Next(-1, bit); other >= 0; other = lv.model.Next(other, bit))
      if (other != row) SetOneState(lv, other, 0, bit);
  }
  if (!lv.model.Valid(row)) return false;
  lv.model.at(row).state = after;
  NotifyListView(lv, LVN_ITEMCHANGED, row, 0, after, before, LVIF_STATE, POINT{});
  if (lv.model.Valid(row)) {
    const RECT r = RowRect(lv, row);
    InvalidateRect(lv.self, &r, TRUE);
  }
  return true;
}

}  // namespace

bool SetState(ListView& lv, int row, UINT state, UINT mask) {
  if (row != -1) return SetOneState(lv, row, state, mask);
  bool all = true;
  for (int i = 0; i < lv.model.rows(); ++i) all = SetOneState(lv, i, state, mask) && all;
  return all;
}

LRESULT ItemMessages(ListView& lv, UINT message, WPARAM wParam, LPARAM lParam, bool& handled) {
  handled = true;
  const int index = static_cast<int>(wParam);
  switch (message) {
    case LVM_GETITEMCOUNT: return lv.model.rows();
    case LVM_INSERTITEMW: return InsertItem(lv, reinterpret_cast<const LVITEMW*>(lParam));
    case LVM_INSERTITEMA: return InsertItem(lv, reinterpret_cast<const LVITEMA*>(lParam));
    case LVM_DELETEITEM: return DeleteItem(lv, index);
    case LVM_DELETEALLITEMS: return DeleteAll(lv);
    case LVM_GETITEMW: return GetItem(lv, reinterpret_cast<LVITEMW*>(lParam));
    case LVM_GETITEMA: return GetItem(lv, reinterpret_cast<LVITEMA*>(lParam));
    case LVM_SETITEMW: return SetItem(lv, reinterpret_cast<const LVITEMW*>(lParam));
    case LVM_SETITEMA: return SetItem(lv, reinterpret_cast<const LVITEMA*>(lParam));
    case LVM_GETITEMTEXTW: return GetItemText(lv, index, reinterpret_cast<LVITEMW*>(lParam));
    case LVM_GETITEMTEXTA: return GetItemText(lv, index, reinterpret_cast<LVITEMA*>(lParam));
    case LVM_SETITEMTEXTW: return SetItemText(lv, index, reinterpret_cast<const LVITEMW*>(lParam));
    case LVM_SETITEMTEXTA: return SetItemText(lv, index, reinterpret_cast<const LVITEMA*>(lParam));
    case LVM_GETITEMSTATE: return lv.model.Valid(index) ? lv.model.at(index).state & static_cast<UINT>(lParam) : 0;
    case LVM_SETITEMSTATE: {
      const auto* in = reinterpret_cast<const LVITEMW*>(lParam);
      if (!in || (index != -1 && !lv.model.Valid(index))) return FALSE;
      return SetState(lv, index, in->state, in->stateMask);
    }
    case LVM_GETNEXTITEM: return NextItem(lv, index, static_cast<UINT>(LOWORD(static_cast<DWORD_PTR>(lParam))));
    case LVM_FINDITEMW: return FindItem(lv, index, reinterpret_cast<const LVFINDINFOW*>(lParam));
    case LVM_FINDITEMA: return FindItem(lv, index, reinterpret_cast<const LVFINDINFOA*>(lParam));
    case LVM_GETSELECTEDCOUNT: return lv.model.Count(LVIS_SELECTED);
    case LVM_SORTITEMS: return Sort(lv, static_cast<LPARAM>(wParam), reinterpret_cast<PFNLVCOMPARE>(lParam), false);
    case LVM_SORTITEMSEX: return Sort(lv, static_cast<LPARAM>(wParam), reinterpret_cast<PFNLVCOMPARE>(lParam), true);
    case LVM_INSERTCOLUMNW: return InsertColumn<LVCOLUMNW, HDITEMW>(lv, index, reinterpret_cast<const LVCOLUMNW*>(lParam));
    case LVM_INSERTCOLUMNA: return InsertColumn<LVCOLUMNA, HDITEMA>(lv, index, reinterpret_cast<const LVCOLUMNA*>(lParam));
    case LVM_GETCOLUMNW: return GetColumn<LVCOLUMNW, HDITEMW>(lv, index, reinterpret_cast<LVCOLUMNW*>(lParam));
    case LVM_GETCOLUMNA: return GetColumn<LVCOLUMNA, HDITEMA>(lv, index, reinterpret_cast<LVCOLUMNA*>(lParam));
    case LVM_SETCOLUMNW: return SetColumn<LVCOLUMNW, HDITEMW>(lv, index, reinterpret_cast<const LVCOLUMNW*>(lParam));
    case LVM_SETCOLUMNA: return SetColumn<LVCOLUMNA, HDITEMA>(lv, index, reinterpret_cast<const LVCOLUMNA*>(lParam));
    case LVM_DELETECOLUMN: return DeleteColumn(lv, index);
    case LVM_GETCOLUMNWIDTH: return index >= 0 && index < ColumnCount(lv) ? ColumnWidth(lv, index) : 0;
    case LVM_SETCOLUMNWIDTH: return SetColumnWidth(lv, index, static_cast<SHORT>(LOWORD(static_cast<DWORD_PTR>(lParam))));
    case LVM_GETCOLUMNORDERARRAY:
      return SendMessageW(lv.header, HDM_GETORDERARRAY, wParam, lParam);
    case LVM_SETCOLUMNORDERARRAY: {
      const LRESULT done = SendMessageW(lv.header, HDM_SETORDERARRAY, wParam, lParam);
      Invalidate(lv);
      return done;
    }
    case LVM_GETHEADER: return reinterpret_cast<LRESULT>(lv.header);
    case LVM_GETSTRINGWIDTHW:
      return lParam ? TextWidth(lv, FromWide(reinterpret_cast<LPCWSTR>(lParam))) : 0;
    case LVM_GETSTRINGWIDTHA:
      return lParam ? TextWidth(lv, FromAnsi(reinterpret_cast<LPCSTR>(lParam))) : 0;
    case LVM_SETEXTENDEDLISTVIEWSTYLE:
      return SetExtendedStyle(lv, static_cast<DWORD>(wParam), static_cast<DWORD>(lParam));
    case LVM_GETEXTENDEDLISTVIEWSTYLE: return lv.exStyle;
    case LVM_GETSELECTIONMARK: return lv.mark;
    case LVM_SETSELECTIONMARK: {
      const int before = lv.mark;
      const int mark = static_cast<int>(lParam);
      lv.mark = lv.model.Valid(mark) ? mark : -1;
      return before;
    }
    case LVM_GETITEMRECT: return ItemRect(lv, index, reinterpret_cast<RECT*>(lParam), false);
    case LVM_GETSUBITEMRECT: return ItemRect(lv, index, reinterpret_cast<RECT*>(lParam), true);
    case LVM_HITTEST:
    case LVM_SUBITEMHITTEST: {
      auto* info = reinterpret_cast<LVHITTESTINFO*>(lParam);
      if (!info) return -1;
      LVHITTESTINFO hit = HitTest(lv, info->pt);
      if (message == LVM_SUBITEMHITTEST && hit.flags == LVHT_NOWHERE && hit.iItem < 0) {
        const int row = lv.top + (info->pt.y - HeaderHeight(lv)) / RowHeight(lv);
        if (lv.model.Valid(row) && info->pt.x < RowRect(lv, row).right) {
          hit.iItem = row;
          hit.flags = LVHT_ONITEMLABEL;
        }
      }
      info->flags = hit.flags;
      info->iItem = hit.iItem;
      if (message == LVM_SUBITEMHITTEST) info->iSubItem = hit.iItem >= 0 ? hit.iSubItem : -1;
      return hit.iItem;
    }
    case LVM_ENSUREVISIBLE: return EnsureVisible(lv, index, lParam != 0);
    case LVM_SCROLL: return Scroll(lv, static_cast<int>(wParam), static_cast<int>(lParam));
    case LVM_GETTOPINDEX: return lv.top;
    case LVM_GETCOUNTPERPAGE: return RowsPerPage(lv);
    case LVM_REDRAWITEMS:
    case LVM_UPDATE: Invalidate(lv); return TRUE;
    case LVM_SETITEMCOUNT: return TRUE;  // room is made as rows come
    case LVM_GETBKCOLOR: return lv.background == CLR_DEFAULT ? GetSysColor(COLOR_WINDOW) : lv.background;
    case LVM_SETBKCOLOR: lv.background = static_cast<COLORREF>(lParam); Invalidate(lv); return TRUE;
    case LVM_GETTEXTCOLOR: return lv.textColour == CLR_DEFAULT ? GetSysColor(COLOR_WINDOWTEXT) : lv.textColour;
    case LVM_SETTEXTCOLOR: lv.textColour = static_cast<COLORREF>(lParam); Invalidate(lv); return TRUE;
    case LVM_GETTEXTBKCOLOR: return lv.textBackground == CLR_DEFAULT ? GetSysColor(COLOR_WINDOW) : lv.textBackground;
    case LVM_SETTEXTBKCOLOR: lv.textBackground = static_cast<COLORREF>(lParam); Invalidate(lv); return TRUE;
    default: handled = false; return 0;
  }
}

}  // namespace comctl::lv
