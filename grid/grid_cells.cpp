// Reading and writing cells of the grid by position, and the modified state.
#include <cstdarg>

#include "grid/grid_ctrl.h"

CGridCellBase* CGridCtrl::GetCell(int row, int col) const {
  if (!IsValid(row, col)) return nullptr;
  if (!m_bVirtualMode) {
    if (row >= static_cast<int>(m_RowData.size())) return nullptr;
    const CellRow& cells = m_RowData[static_cast<size_t>(row)];
    return col < static_cast<int>(cells.size()) ? cells[static_cast<size_t>(col)].get() : nullptr;
  }
  // Virtual mode: one shared display cell, filled for this position.
  auto* self = const_cast<CGridCtrl*>(this);
  GridDispInfo& info = self->m_dispInfo;
  AskOwner(row, col, &info);
  const GridItem& item = info.item;
  if (!self->m_pDisplayCell) self->m_pDisplayCell = std::make_unique<CGridCell>();
  CGridCell* cell = self->m_pDisplayCell.get();
  cell->SetState(item.state);
  cell->SetFormat(item.format);
  cell->SetImage(item.image);
  cell->SetBackClr(item.bkClr);
  cell->SetTextClr(item.fgClr);
  cell->SetData(item.lParam);
  cell->SetFont(&item.lfFont);
  cell->SetMargin(item.margin);
  cell->SetText(item.text);
  cell->SetGrid(self);
  return cell;
}

void CGridCtrl::AskOwner(int row, int col, GridDispInfo* info) const {
  const CGridDefaultCell* def = GetDefaultCell(row < m_nFixedRows, col < m_nFixedCols);
  *info = GridDispInfo{};
  GridItem& item = info->item;
  item.row = row;
  item.col = col;
  item.mask = GVIF_ALL;
  item.format = def->GetFormat();
  item.image = def->GetImage();
  // The default cell's colours stay "default", as in a cell the grid holds
  // (a colour of its own would change how the cell is drawn).
  item.bkClr = CLR_DEFAULT_GRID;
  item.fgClr = CLR_DEFAULT_GRID;
  item.lParam = def->GetData();
  if (def->GetFont()) item.lfFont = *def->GetFont();
  item.margin = def->GetMargin();
  if (IsCellSelected(row, col)) item.state |= GVIS_SELECTED;
  if (row < m_nFixedRows) item.state |= GVIS_FIXED | GVIS_FIXEDROW;
  if (col < m_nFixedCols) item.state |= GVIS_FIXED | GVIS_FIXEDCOL;
  if (m_idCurrentCell == CGridCellId(row, col)) item.state |= GVIS_FOCUSED;
  info->extra = -1;
  if (m_pfnCallback)
    m_pfnCallback(info, m_lParam);
  else
    SendDisplayRequestToParent(info);
}

GridItem CGridCtrl::OwnerItem(int row, int col) const {
  if (!IsValid(row, col)) return {};
  GridDispInfo info;
  AskOwner(row, col, &info);
  return info.item;
}

bool CGridCtrl::SetItem(const GridItem& item) {
  if (m_bVirtualMode) return false;
  CGridCellBase* cell = GetCell(item.row, item.col);
  if (!cell) return false;
  SetModified(true, item.row, item.col);
  if (item.mask & GVIF_TEXT) cell->SetText(item.text);
  if (item.mask & GVIF_PARAM) cell->SetData(item.lParam);
  if (item.mask & GVIF_IMAGE) cell->SetImage(item.image);
  if (item.mask & GVIF_STATE) SetItemState(item.row, item.col, item.state);
  if (item.mask & GVIF_FORMAT) cell->SetFormat(item.format);
  if (item.mask & GVIF_BKCLR) cell->SetBackClr(item.bkClr);
  if (item.mask & GVIF_FGCLR) cell->SetTextClr(item.fgClr);
  if (item.mask & GVIF_FONT) cell->SetFont(&item.lfFont);
  if (item.mask & GVIF_MARGIN) cell->SetMargin(item.margin);
  return true;
}

bool CGridCtrl::GetItem(GridItem& item) const {
  CGridCellBase* cell = GetCell(item.row, item.col);
  if (!cell) return false;
  if (item.mask & GVIF_TEXT) item.text = cell->GetText();
  if (item.mask & GVIF_PARAM) item.lParam = cell->GetData();
  if (item.mask & GVIF_IMAGE) item.image = cell->GetImage();
  if (item.mask & GVIF_STATE) item.state = cell->GetState();
  if (item.mask & GVIF_FORMAT) item.format = cell->GetFormat();
  if (item.mask & GVIF_BKCLR) item.bkClr = cell->GetBackClr();
  if (item.mask & GVIF_FGCLR) item.fgClr = cell->GetTextClr();
  if ((item.mask & GVIF_FONT) && cell->GetFont()) item.lfFont = *cell->GetFont();
  if (item.mask & GVIF_MARGIN) item.margin = cell->GetMargin();
  return true;
}

bool CGridCtrl::SetItemText(int row, int col, const AString& text) {
  if (m_bVirtualMode) return false;
  CGridCellBase* cell = GetCell(row, col);
  if (!cell) return false;
  cell->SetText(text);
  SetModified(true, row, col);
  return true;
}

bool CGridCtrl::SetItemTextFmt(int row, int col, const char* format, ...) {
  AString text;
  va_list args;
  va_start(args, format);
  text.FormatV(format, args);
  va_end(args);
  return SetItemText(row, col, text);
}

AString CGridCtrl::GetItemText(int row, int col) const {
  // Asked of the owner without the shared display cell, which a cell being
  // drawn may be (its drawing reads other cells of its row).
  if (m_bVirtualMode) return OwnerItem(row, col).text;
  CGridCellBase* cell = GetCell(row, col);
  return cell ? cell->GetText() : AString();
}

bool CGridCtrl::SetItemData(int row, int col, LPARAM data) {
  if (m_bVirtualMode) return false;
  CGridCellBase* cell = GetCell(row, col);
  if (!cell) return false;
  cell->SetData(data);
  SetModified(true, row, col);
  return true;
}

LPARAM CGridCtrl::GetItemData(int row, int col) const {
  if (m_bVirtualMode) return OwnerItem(row, col).lParam;
  CGridCellBase* cell = GetCell(row, col);
  return cell ? cell->GetData() : 0;
}

bool CGridCtrl::SetItemImage(int row, int col, int image) {
  if (m_bVirtualMode) return false;
  CGridCellBase* cell = GetCell(row, col);
  if (!cell) return false;
  cell->SetImage(image);
  SetModified(true, row, col);
  return true;
}

int CGridCtrl::GetItemImage(int row, int col) const {
  CGridCellBase* cell = GetCell(row, col);
  return cell ? cell->GetImage() : -1;
}

bool CGridCtrl::SetItemFormat(int row, int col, UINT format) {
  if (m_bVirtualMode) return false;
  CGridCellBase* cell = GetCell(row, col);
  if (!cell) return false;
  cell->SetFormat(format);
  return true;
}

UINT CGridCtrl::GetItemFormat(int row, int col) const {
  CGridCellBase* cell = GetCell(row, col);
  return cell ? cell->GetFormat() : 0;
}

UINT CGridCtrl::SetItemAlignment(int row, int col, UINT alignment) {
  const UINT old = GetItemFormat(row, col);
  SetItemFormat(row, col, alignment | (old & ~3u));
  return old;
}

bool CGridCtrl::SetItemBkColour(int row, int col, COLORREF colour) {
  if (m_bVirtualMode) return false;
  CGridCellBase* cell = GetCell(row, col);
  if (!cell) return false;
  cell->SetBackClr(colour);
  return true;
}

bool CGridCtrl::SetItemFgColour(int row, int col, COLORREF colour) {
  if (m_bVirtualMode) return false;
  CGridCellBase* cell = GetCell(row, col);
  if (!cell) return false;
  cell->SetTextClr(colour);
  return true;
}

COLORREF CGridCtrl::GetItemBkColour(int row, int col) const {
  CGridCellBase* cell = GetCell(row, col);
  return cell ? cell->GetBackClr() : 0;
}

COLORREF CGridCtrl::GetItemFgColour(int row, int col) const {
  CGridCellBase* cell = GetCell(row, col);
  return cell ? cell->GetTextClr() : 0;
}

bool CGridCtrl::SetItemFont(int row, int col, const LOGFONTA* font) {
  if (m_bVirtualMode) return false;
  CGridCellBase* cell = GetCell(row, col);
  if (!cell) return false;
  cell->SetFont(font);
  return true;
}

const LOGFONTA* CGridCtrl::GetItemFont(int row, int col) const {
  if (CGridCellBase* cell = GetCell(row, col)) return cell->GetFont();
  return GetDefaultCell(row < m_nFixedRows, col < m_nFixedCols)->GetFont();
}

bool CGridCtrl::IsItemEditing(int row, int col) const {
  CGridCellBase* cell = GetCell(row, col);
  return cell && cell->IsEditing();
}

bool CGridCtrl::IsValid(const CGridCellRange& r) const {
  return r.minRow >= 0 && r.minCol >= 0 && r.maxRow >= 0 && r.maxCol >= 0 && r.maxRow < m_nRows &&
         r.maxCol < m_nCols && r.minRow <= r.maxRow && r.minCol <= r.maxCol;
}

bool CGridCtrl::IsCellEditable(int row, int col) const {
  if (!m_bEditable || (GetItemState(row, col) & GVIS_READONLY)) return false;
  CGridCellBase* cell = GetCell(row, col);
  return !cell || !cell->IsReadOnly();
}

void CGridCtrl::SetModified(bool modified, int row, int col) {
  if (col < 0 || col == m_nSortColumn) SetSortColumn(-1);
  if (row < 0 || col < 0) {
    m_bModified = modified;
  } else if (CGridCellBase* cell = m_bVirtualMode ? nullptr : GetCell(row, col)) {
    if (modified) {
      cell->SetState(cell->GetState() | GVIS_MODIFIED);
      m_bModified = true;
    } else {
      cell->SetState(cell->GetState() & ~GVIS_MODIFIED);
    }
  }
  if (!m_bModified && !m_bVirtualMode)
    for (CellRow& cells : m_RowData)
      for (auto& cell : cells)
        if (cell) cell->SetState(cell->GetState() & ~GVIS_MODIFIED);
}

bool CGridCtrl::GetModified(int row, int col) const {
  if (row < 0 || col < 0) return m_bModified;
  CGridCellBase* cell = GetCell(row, col);
  return cell && cell->IsModified();
}
