// The list view's geometry (rows under the header, columns where the header
// puts them, both moved by scrolling), hit testing, measuring and painting.
#include <algorithm>

#include "platform/comctl/list_view_internal.h"
#include "platform/user/controls/control_support.h"

namespace comctl::lv {
namespace {

// A memory DC with the list's font, for measuring many texts at once.
class Measurer {
 public:
  explicit Measurer(const ListView& lv) : dc_(CreateCompatibleDC(nullptr)) {
    old_ = SelectObject(dc_, controls::DrawingFont(lv.font));
  }
  ~Measurer() {
    SelectObject(dc_, old_);
    DeleteDC(dc_);
  }
  Measurer(const Measurer&) = delete;
  Measurer& operator=(const Measurer&) = delete;
  int Width(std::u16string_view text) const {
    SIZE size{};
    GetTextExtentPoint32W(dc_, text.data(), static_cast<int>(text.size()), &size);
    return size.cx;
  }

 private:
  HDC dc_;
  HGDIOBJ old_;
};

COLORREF Resolve(COLORREF colour, int system) { return colour == CLR_DEFAULT ? GetSysColor(system) : colour; }

bool Checkboxes(const ListView& lv) { return (lv.exStyle & LVS_EX_CHECKBOXES) != 0; }

// Where column 0's label starts: after the indent, the check box and the
// small image.
int LabelOffset(const ListView& lv, int row) {
  int offset = 0;
  if (lv.model.Valid(row)) offset += std::max(0, lv.model.at(row).indent) * kCheckBox;
  if (Checkboxes(lv)) offset += kCheckBox;
  return offset + SmallImageSize(lv).cx;
}

}  // namespace

SIZE SmallImageSize(const ListView& lv) {
  int cx = 0, cy = 0;
  if (!lv.images[LVSIL_SMALL] || !ImageList_GetIconSize(lv.images[LVSIL_SMALL], &cx, &cy)) return SIZE{0, 0};
  return SIZE{cx, cy};
}

void MeasureRows(ListView& lv) {
  const int text = controls::FontCellSize(lv.font).cy + 4;
  lv.rowHeight = Checkboxes(lv) ? std::max(text, kCheckBox + 2) : text;
  lv.rowHeight = std::max<int>(lv.rowHeight, SmallImageSize(lv).cy + 1);
}

int RowHeight(const ListView& lv) { return std::max(lv.rowHeight, 1); }

int HeaderHeight(const ListView& lv) {
  if (!lv.header || (StyleOf(lv.self) & LVS_NOCOLUMNHEADER)) return 0;
  RECT r;
  GetWindowRect(lv.header, &r);
  return r.bottom - r.top;
}

int ColumnCount(const ListView& lv) { return lv.model.columns(); }

int ColumnWidth(const ListView& lv, int column) {
  RECT r{};
  if (!SendMessageW(lv.header, HDM_GETITEMRECT, static_cast<WPARAM>(column), reinterpret_cast<LPARAM>(&r))) return 0;
  return r.right - r.left;
}

int TotalWidth(const ListView& lv) {
  int total = 0;
  for (int c = 0; c < ColumnCount(lv); ++c) total += ColumnWidth(lv, c);
  return total;
}

RECT ColumnSpan(const ListView& lv, int column) {
  RECT r{};
  SendMessageW(lv.header, HDM_GETITEMRECT, static_cast<WPARAM>(column), reinterpret_cast<LPARAM>(&r));
  return RECT{r.left - lv.scrollX, 0, r.right - lv.scrollX, 0};
}

RECT RowRect(const ListView& lv, int row) {
  const int top = HeaderHeight(lv) + (row - lv.top) * RowHeight(lv);
  return RECT{-lv.scrollX, top, TotalWidth(lv) - lv.scrollX, top + RowHeight(lv)};
}

RECT SubItemRect(const ListView& lv, int row, int column, int code) {
  const RECT whole = RowRect(lv, row);
  const RECT span = ColumnSpan(lv, column);
  RECT cell{span.left, whole.top, span.right, whole.bottom};
  if (column > 0) return code == LVIR_ICON ? RECT{cell.left, cell.top, cell.left, cell.bottom} : cell;
  const int label = cell.left + LabelOffset(lv, row);
  switch (code) {
    case LVIR_BOUNDS: return whole;
    case LVIR_ICON: return RECT{label - SmallImageSize(lv).cx, cell.top, label, cell.bottom};
    case LVIR_LABEL: return RECT{label, cell.top, std::max(label, cell.right), cell.bottom};
    case LVIR_SELECTBOUNDS:
      if (lv.exStyle & LVS_EX_FULLROWSELECT) return whole;
      return RECT{label - SmallImageSize(lv).cx - (Checkboxes(lv) ? kCheckBox : 0), cell.top, cell.right,
                  cell.bottom};
    default: return cell;
  }
}

int RowsPerPage(const ListView& lv) {
  RECT client;
  GetClientRect(lv.self, &client);
  return std::max(0, (client.bottom - HeaderHeight(lv)) / RowHeight(lv));
}

LVHITTESTINFO HitTest(const ListView& lv, POINT p) {
  LVHITTESTINFO info{p, 0, -1, 0};
  RECT client;
  GetClientRect(lv.self, &client);
  if (p.y < HeaderHeight(lv)) info.flags |= LVHT_ABOVE;
  if (p.y >= client.bottom) info.flags |= LVHT_BELOW;
  if (p.x < 0) info.flags |= LVHT_TOLEFT;
  if (p.x >= client.right) info.flags |= LVHT_TORIGHT;
  if (info.flags) return info;
  const int row = lv.top + (p.y - HeaderHeight(lv)) / RowHeight(lv);
  info.flags = LVHT_NOWHERE;
  if (!lv.model.Valid(row)) return info;
  for (int c = 0; c < ColumnCount(lv); ++c) {
    const RECT span = ColumnSpan(lv, c);
    if (p.x >= span.left && p.x < span.right) info.iSubItem = c;
  }
  const RECT label = SubItemRect(lv, row, 0, LVIR_LABEL);
  const int icon = label.left - SmallImageSize(lv).cx;
  if (info.iSubItem == 0 && p.x < label.left) {
    if (p.x >= icon && icon < label.left) info.flags = LVHT_ONITEMICON;
    else if (Checkboxes(lv) && p.x >= icon - kCheckBox) info.flags = LVHT_ONITEMSTATEICON;
  } else if (info.iSubItem == 0 || (lv.exStyle & LVS_EX_FULLROWSELECT)) {
    if (p.x < RowRect(lv, row).right) info.flags = LVHT_ONITEMLABEL;
  }
  if (info.flags != LVHT_NOWHERE) info.iItem = row;
  return info;
}

int TextWidth(const ListView& lv, std::u16string_view text) { return Measurer(lv).Width(text); }

int AutoWidth(const ListView& lv, int column, int how) {
  ListView& mutableLv = const_cast<ListView&>(lv);
  const Measurer measure(lv);
  int width = 0;
  if (how == LVSCW_AUTOSIZE) {
    for (int row = 0; row < lv.model.rows(); ++row) {
      const int extra = column == 0 ? LabelOffset(lv, row) : 0;
      width = std::max(width, extra + measure.Width(CellText(mutableLv, row, column)) + 2 * kTextPad);
    }
    return width;
  }
  WCHAR title[260] = {};
  HDITEMW item{};
  item.mask = HDI_TEXT;
  item.pszText = title;
  item.cchTextMax = 260;
  SendMessageW(lv.header, HDM_GETITEMW, static_cast<WPARAM>(column), reinterpret_cast<LPARAM>(&item));
  width = measure.Width(title) + 2 * (kTextPad + 3);
  // The rightmost column takes what the others leave, when that is more.
  std::vector<int> order(static_cast<size_t>(ColumnCount(lv)));
  SendMessageW(lv.header, HDM_GETORDERARRAY, order.size(), reinterpret_cast<LPARAM>(order.data()));
  if (!order.empty() && order.back() == column) {
    RECT client;
    GetClientRect(lv.self, &client);
    width = std::max(width, client.right - (TotalWidth(lv) - ColumnWidth(lv, column)));
  }
  return width;
}

namespace {

// The check box sits left of the small image (its cell `icon`).
void PaintCheckBox(HDC dc, const RECT& icon, bool checked) {
  const int size = 13;
  RECT box{icon.left - kCheckBox + (kCheckBox - size) / 2, (icon.top + icon.bottom - size) / 2, 0, 0};
  box.right = box.left + size;
  box.bottom = box.top + size;
  DrawFrameControl(dc, &box, DFC_BUTTON, DFCS_BUTTONCHECK | DFCS_FLAT | (checked ? DFCS_CHECKED : 0));
}

void PaintRow(ListView& lv, HDC dc, int row, const Measurer& measure) {
  const ListRow& r = lv.model.at(row);
  const bool selected = (r.state & LVIS_SELECTED) &&
                        (lv.focused || (StyleOf(lv.self) & LVS_SHOWSELALWAYS) || lv.edit);
  const COLORREF highlight = GetSysColor(lv.focused ? COLOR_HIGHLIGHT : COLOR_3DFACE);
  const COLORREF highlightText = GetSysColor(lv.focused ? COLOR_HIGHLIGHTTEXT : COLOR_BTNTEXT);
  const COLORREF text = Resolve(lv.textColour, COLOR_WINDOWTEXT);
  const RECT label = SubItemRect(lv, row, 0, LVIR_LABEL);
  if (selected) {
    RECT band = label;
    if (lv.exStyle & LVS_EX_FULLROWSELECT) band = RowRect(lv, row);
    else band.right = std::min(label.right, label.left + measure.Width(CellText(lv, row, 0)) + 2 * kTextPad);
    HBRUSH brush = CreateSolidBrush(highlight);
    FillRect(dc, &band, brush);
    DeleteObject(brush);
  }
  for (int c = 0; c < ColumnCount(lv); ++c) {
    RECT cell = c == 0 ? label : SubItemRect(lv, row, c, LVIR_BOUNDS);
    const bool inBand = selected && (c == 0 || (lv.exStyle & LVS_EX_FULLROWSELECT));
    SetTextColor(dc, inBand ? highlightText : text);
    const std::u16string value = CellText(lv, row, c);
    HDITEMW item{};
    item.mask = HDI_FORMAT;
    SendMessageW(lv.header, HDM_GETITEMW, static_cast<WPARAM>(c), reinterpret_cast<LPARAM>(&item));
    UINT align = DT_LEFT;
    if ((item.fmt & HDF_JUSTIFYMASK) == HDF_RIGHT) align = DT_RIGHT;
    if ((item.fmt & HDF_JUSTIFYMASK) == HDF_CENTER) align = DT_CENTER;
    InflateRect(&cell, -kTextPad, 0);
    if (cell.right > cell.left)
      DrawTextW(dc, value.c_str(), static_cast<int>(value.size()), &cell,
                align | DT_SINGLELINE | DT_VCENTER | DT_NOPREFIX | DT_END_ELLIPSIS);
  }
  const RECT icon = SubItemRect(lv, row, 0, LVIR_ICON);
  if (lv.images[LVSIL_SMALL] && r.image >= 0 && r.image < ImageList_GetImageCount(lv.images[LVSIL_SMALL])) {
    const int y = (icon.top + icon.bottom - SmallImageSize(lv).cy) / 2;
    ImageList_Draw(lv.images[LVSIL_SMALL], r.image, dc, icon.left, y, ILD_TRANSPARENT);
  }
  if (lv.exStyle & LVS_EX_CHECKBOXES) PaintCheckBox(dc, icon, ((r.state & LVIS_STATEIMAGEMASK) >> 12) == 2);
  if (lv.focused && (r.state & LVIS_FOCUSED)) {
    RECT focus = (lv.exStyle & LVS_EX_FULLROWSELECT) ? RowRect(lv, row) : label;
    if (!(lv.exStyle & LVS_EX_FULLROWSELECT))
      focus.right = std::min(label.right, label.left + measure.Width(CellText(lv, row, 0)) + 2 * kTextPad);
    DrawFocusRect(dc, &focus);
  }
}

void PaintGridLines(const ListView& lv, HDC dc, const RECT& client) {
  HPEN pen = CreatePen(PS_SOLID, 1, GetSysColor(COLOR_3DFACE));
  HGDIOBJ old = SelectObject(dc, pen);
  for (int c = 0; c < ColumnCount(lv); ++c) {
    const int x = ColumnSpan(lv, c).right - 1;
    MoveToEx(dc, x, HeaderHeight(lv), nullptr);
    LineTo(dc, x, client.bottom);
  }
  for (int y = HeaderHeight(lv) + RowHeight(lv) - 1; y < client.bottom; y += RowHeight(lv)) {
    MoveToEx(dc, -lv.scrollX, y, nullptr);
    LineTo(dc, TotalWidth(lv) - lv.scrollX, y);
  }
  SelectObject(dc, old);
  DeleteObject(pen);
}

}  // namespace

void Paint(ListView& lv) {
  PAINTSTRUCT ps;
  HDC dc = BeginPaint(lv.self, &ps);
  RECT client;
  GetClientRect(lv.self, &client);
  HBRUSH background = CreateSolidBrush(Resolve(lv.background, COLOR_WINDOW));
  FillRect(dc, &client, background);
  DeleteObject(background);
  HGDIOBJ old = SelectObject(dc, controls::DrawingFont(lv.font));
  SetBkMode(dc, TRANSPARENT);
  const Measurer measure(lv);
  for (int row = lv.top; row < lv.model.rows(); ++row) {
    const RECT r = RowRect(lv, row);
    if (r.top >= client.bottom) break;
    if (r.bottom > ps.rcPaint.top && r.top < ps.rcPaint.bottom) PaintRow(lv, dc, row, measure);
  }
  if (lv.exStyle & LVS_EX_GRIDLINES) PaintGridLines(lv, dc, client);
  SelectObject(dc, old);
  EndPaint(lv.self, &ps);
}

}  // namespace comctl::lv
