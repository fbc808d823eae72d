// Dragging cell texts out of a grid and dropping them on a grid (the same one
// or another) as CF_TEXT in a data object, and the drag image of the focus
// cell. Nothing happens unless drag and drop is turned on.
#include "grid/grid_ctrl.h"

namespace {
DROPEFFECT EffectFor(DWORD keyState) { return (keyState & MK_CONTROL) ? DROPEFFECT_COPY : DROPEFFECT_MOVE; }
}  // namespace

void CGridCtrl::OnBeginDrag() {
  if (!m_bAllowDragAndDrop) return;
  const auto source = CopyDataSourceFromGrid();
  if (!source) return;
  const CGridCellRange range = GetSelectedCellRange();
  SendMessageToParent(range.minRow, range.minCol, GVN_BEGINDRAG);
  m_MouseMode = MOUSE_DRAGGING;
  m_bLMouseButtonDown = false;
  // The cells being dragged, before a drop on this grid changes the selection.
  const GridSelectionRanges dragged = m_Selection;
  m_LastPasted = {};
  const DROPEFFECT effect = source->DoDragDrop(DROPEFFECT_COPY | DROPEFFECT_MOVE);
  // The drag read the button's release itself.
  m_MouseMode = MOUSE_NOTHING;
  if (m_nTimerID) {
    KillTimer(m_nTimerID);
    m_nTimerID = 0;
  }
  if (GetCapture() == this) ReleaseCapture();
  if (effect != DROPEFFECT_MOVE || !m_bEditable) return;
  GridSelectionRanges cleared = dragged;
  if (IsValid(m_LastPasted)) cleared.Remove(m_LastPasted);
  cleared.ForEachCell([this](int row, int col) { ReplaceCellText(row, col, AString()); });
  Refresh();
}

DROPEFFECT CGridCtrl::OnDragEnter(COleDataObject* data, DWORD keyState, CPoint point) {
  if (!m_bAllowDragAndDrop || !data || !data->IsDataAvailable(CF_TEXT)) return DROPEFFECT_NONE;
  m_LastDragOverCell = GetCellFromPt(point);
  if (!IsValid(m_LastDragOverCell) || !IsCellEditable(m_LastDragOverCell)) return DROPEFFECT_NONE;
  SetItemState(m_LastDragOverCell.row, m_LastDragOverCell.col,
               GetItemState(m_LastDragOverCell.row, m_LastDragOverCell.col) | GVIS_DROPHILITED);
  RedrawCell(m_LastDragOverCell);
  return EffectFor(keyState);
}

DROPEFFECT CGridCtrl::OnDragOver(COleDataObject* data, DWORD keyState, CPoint point) {
  if (!m_bAllowDragAndDrop || !m_bEditable || !data || !data->IsDataAvailable(CF_TEXT)) return DROPEFFECT_NONE;
  const CGridCellId cell = GetCellFromPt(point);
  if (!IsValid(cell)) {
    OnDragLeave();
    m_LastDragOverCell = {};
    return DROPEFFECT_NONE;
  }
  if (!IsCellEditable(cell)) return DROPEFFECT_NONE;
  if (!(cell == m_LastDragOverCell)) {
    OnDragLeave();
    m_LastDragOverCell = cell;
    SetItemState(cell.row, cell.col, GetItemState(cell.row, cell.col) | GVIS_DROPHILITED);
    RedrawCell(cell);
  }
  return EffectFor(keyState);
}

void CGridCtrl::OnDragLeave() {
  if (!m_bAllowDragAndDrop || !IsValid(m_LastDragOverCell)) return;
  const CGridCellId cell = m_LastDragOverCell;
  SetItemState(cell.row, cell.col, GetItemState(cell.row, cell.col) & ~GVIS_DROPHILITED);
  RedrawCell(cell);
}

BOOL CGridCtrl::OnDrop(COleDataObject* data, DROPEFFECT, CPoint) {
  if (!m_bAllowDragAndDrop) return FALSE;
  m_MouseMode = MOUSE_NOTHING;
  if (!IsValid(m_LastDragOverCell) || !IsCellEditable(m_LastDragOverCell)) return FALSE;
  OnDragLeave();
  return PasteTextToGrid(m_LastDragOverCell, data, false) ? TRUE : FALSE;
}

HIMAGELIST CGridCtrl::CreateDragImage(CPoint* hotSpot) {
  CRect rect;
  if (!m_hWnd || !GetCellRect(m_idCurrentCell, &rect)) return nullptr;
  CGridCellBase* cell = GetCell(m_idCurrentCell.row, m_idCurrentCell.col);
  HDC dc = ::GetDC(m_hWnd);
  if (!cell || !dc) {
    if (dc) ::ReleaseDC(m_hWnd, dc);
    return nullptr;
  }
  rect.OffsetRect(-rect.left, -rect.top);
  if (hotSpot) *hotSpot = CPoint(rect.right, rect.bottom);
  HIMAGELIST list = ImageList_Create(rect.Width(), rect.Height(), ILC_MASK, 1, 1);
  HDC memory = list ? CreateCompatibleDC(dc) : nullptr;
  HBITMAP bitmap = memory ? CreateCompatibleBitmap(dc, rect.Width(), rect.Height()) : nullptr;
  if (bitmap) {
    HGDIOBJ old = SelectObject(memory, bitmap);
    // What the cell leaves unpainted is the mask colour, so it shows through.
    UniqueBrush mask(CreateSolidBrush(m_cellDefault.GetBackClr()));
    FillRect(memory, &rect, mask.get());
    cell->Draw(memory, m_idCurrentCell.row, m_idCurrentCell.col, rect, FALSE);
    SelectObject(memory, old);
    if (ImageList_AddMasked(list, bitmap, m_cellDefault.GetBackClr()) < 0) {
      ImageList_Destroy(list);
      list = nullptr;
    }
    DeleteObject(bitmap);
  } else if (list) {
    ImageList_Destroy(list);
    list = nullptr;
  }
  if (memory) DeleteDC(memory);
  ::ReleaseDC(m_hWnd, dc);
  return list;
}

void CGridCtrl::OnDestroy() {
  m_DropTarget.Revoke();
  CWnd::OnDestroy();
}
