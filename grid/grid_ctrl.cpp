// The grid window: creation, the class, the default cells and the structure
// (counts, inserting and deleting rows and columns).
#include "grid/grid_ctrl.h"
#include "grid/window_class.h"

#include <algorithm>
#include <new>

IMPLEMENT_DYNCREATE(CGridCtrl, CWnd)

CGridCellRange CGridCellRange::Intersect(const CGridCellRange& o) const {
  return {std::max(minRow, o.minRow), std::max(minCol, o.minCol), std::min(maxRow, o.maxRow),
          std::min(maxCol, o.maxCol)};
}

namespace {
// Shared by every grid: a grid being initialised does not initialise again
// while it moves itself.
bool g_initialising = false;
}  // namespace

CGridCtrl::CGridCtrl(int rows, int cols, int fixedRows, int fixedCols) {
  RegisterWindowClass();
  m_nRowsPerWheelNotch = GetWheelScrollLines();
  m_crWindowText = GetSysColor(COLOR_WINDOWTEXT);
  m_crWindowColour = GetSysColor(COLOR_WINDOW);
  m_cr3DFace = GetSysColor(COLOR_3DFACE);
  m_crShadow = GetSysColor(COLOR_3DSHADOW);
  m_pRtcDefault = RUNTIME_CLASS(CGridCell);
  SetupDefaultCells();
  m_crGridBkColour = m_crShadow;
  SetRowCount(rows);
  SetColumnCount(cols);
  SetFixedRowCount(fixedRows);
  SetFixedColumnCount(fixedCols);
  m_Selection.Clear();
  m_PrevSelection.Clear();
}

CGridCtrl::~CGridCtrl() {
  m_DropTarget.Revoke();
  DeleteAllItems();
  if (m_hWnd) DestroyWindow();
}

bool CGridCtrl::RegisterWindowClass() {
  return RegisterWindowClassOnce(kGridWindowClass, CS_DBLCLKS | CS_HREDRAW | CS_VREDRAW, COLOR_3DFACE);
}

BOOL CGridCtrl::Create(const RECT& rect, CWnd* parent, UINT id, DWORD style) {
  if (!CWnd::Create(kGridWindowClass, nullptr, style, rect, parent, id)) return FALSE;
  m_arRowHeights.Clear();
  m_arRowHeights.Resize(m_nRows, static_cast<UINT>(m_cellDefault.GetHeight()));
  m_arColWidths.Clear();
  m_arColWidths.Resize(m_nCols, static_cast<UINT>(m_cellDefault.GetWidth()));
  m_arColRawText.resize(static_cast<size_t>(m_nCols));
  ResetScrollBars();
  return TRUE;
}

void CGridCtrl::PreSubclassWindow() {
  CWnd::PreSubclassWindow();
  Initialise();
}

int CGridCtrl::Initialise() {
  if (g_initialising) return 0;
  g_initialising = true;
  if (m_hWnd) {
    ModifyStyleEx(0, WS_EX_CLIENTEDGE);
    ModifyStyle(0, WS_TABSTOP);
    CRect rect;
    GetWindowRect(&rect);
    if (CWnd* parent = GetParent()) parent->ScreenToClient(&rect);
    CRect wider = rect;
    wider.InflateRect(1, 1);
    MoveWindow(&wider);
    MoveWindow(&rect);
  }
  g_initialising = false;
  return 1;
}

void CGridCtrl::SetupDefaultCells() {
  for (CGridDefaultCell* cell : {&m_cellDefault, &m_cellFixedColDef, &m_cellFixedRowDef, &m_cellFixedRowColDef}) {
    cell->SetGrid(this);
    cell->SetTextClr(m_crWindowText);
    cell->SetBackClr(cell == &m_cellDefault ? m_crWindowColour : m_cr3DFace);
  }
}

CGridDefaultCell* CGridCtrl::GetDefaultCell(bool fixedRow, bool fixedCol) const {
  if (fixedRow && fixedCol) return &m_cellFixedRowColDef;
  if (fixedRow) return &m_cellFixedRowDef;
  if (fixedCol) return &m_cellFixedColDef;
  return &m_cellDefault;
}

CGridCellBase* CGridCtrl::CreateCell(int row, int col) {
  if (!m_pRtcDefault || !m_pRtcDefault->IsDerivedFrom(RUNTIME_CLASS(CGridCellBase))) return nullptr;
  auto* cell = static_cast<CGridCellBase*>(m_pRtcDefault->CreateObject());
  if (!cell) return nullptr;
  cell->SetGrid(this);
  cell->SetCoords(row, col);
  UINT state = 0;
  if (col < m_nFixedCols) state |= GVIS_FIXED | GVIS_FIXEDCOL;
  if (row < m_nFixedRows) state |= GVIS_FIXED | GVIS_FIXEDROW;
  cell->SetState(cell->GetState() | state);
  cell->SetFormat(cell->GetDefaultCell()->GetFormat());
  return cell;
}

void CGridCtrl::DestroyCell(int row, int col) {
  SetItemState(row, col, 0);
  if (row < static_cast<int>(m_RowData.size()) && col < static_cast<int>(m_RowData[row].size()))
    m_RowData[static_cast<size_t>(row)][static_cast<size_t>(col)].reset();
}

bool CGridCtrl::SetRowCount(int rows) {
  if (rows < 0) return false;
  if (rows == m_nRows) return true;
  m_idTopLeftCell.col = -1;
  if (rows < m_nFixedRows) m_nFixedRows = rows;
  if (m_idCurrentCell.row >= rows) SetFocusCell(-1, -1);
  bool ok = true;
  if (rows < m_nRows) {
    if (!m_bVirtualMode) {
      for (int row = rows; row < m_nRows; ++row)
        for (int col = 0; col < m_nCols; ++col) DestroyCell(row, col);
      m_RowData.resize(static_cast<size_t>(rows));
    }
    m_nRows = rows;
    m_Selection.ClipTo(rows, m_nCols);
  }
  try {
    m_arRowHeights.Resize(rows, static_cast<UINT>(m_cellDefault.GetHeight()));
    if (m_bVirtualMode) {
      m_nRows = rows;
    } else {
      m_RowData.reserve(static_cast<size_t>(rows));
      while (m_nRows < rows) {
        const int row = m_nRows;
        CellRow cells(static_cast<size_t>(m_nCols));
        for (int col = 0; col < m_nCols; ++col) cells[static_cast<size_t>(col)].reset(CreateCell(row, col));
        m_RowData.push_back(std::move(cells));
        ++m_nRows;
      }
    }
  } catch (const std::bad_alloc&) {
    // What was built stands and is counted; the arrays follow the count.
    m_arRowHeights.Resize(m_nRows, 0);
    ok = false;
  }
  SetModified(true, -1, -1);
  ResetScrollBars();
  Refresh();
  return ok;
}

bool CGridCtrl::SetColumnCount(int cols) {
  if (cols < 0) return false;
  if (cols == m_nCols) return true;
  m_idTopLeftCell.col = -1;
  if (cols < m_nFixedCols) m_nFixedCols = cols;
  if (m_idCurrentCell.col >= cols) SetFocusCell(-1, -1);
  if (cols < m_nCols && !m_bVirtualMode) {
    for (int row = 0; row < m_nRows; ++row)
      for (int col = cols; col < m_nCols; ++col) DestroyCell(row, col);
  }
  m_Selection.ClipTo(m_nRows, cols);
  const int before = m_nCols;
  bool ok = true;
  try {
    m_arColWidths.Resize(cols, static_cast<UINT>(m_cellDefault.GetWidth()));
    m_arColRawText.resize(static_cast<size_t>(cols));
    if (!m_bVirtualMode)
      for (CellRow& cells : m_RowData) cells.resize(static_cast<size_t>(cols));
    if (!m_bVirtualMode)
      for (int col = before; col < cols; ++col)
        for (int row = 0; row < m_nRows; ++row)
          m_RowData[static_cast<size_t>(row)][static_cast<size_t>(col)].reset(CreateCell(row, col));
    m_nCols = cols;
  } catch (const std::bad_alloc&) {
    // Roll back to the count before the call so every array agrees with it.
    if (cols > before) {
      m_arColWidths.Resize(before, 0);
      m_arColRawText.resize(static_cast<size_t>(before));
      for (CellRow& cells : m_RowData) cells.resize(static_cast<size_t>(before));
      m_nCols = before;
    } else {
      m_nCols = cols;
    }
    ok = false;
  }
  SetModified(true, -1, -1);
  ResetScrollBars();
  Refresh();
  return ok;
}

bool CGridCtrl::SetFixedRowCount(int fixedRows) {
  if (fixedRows < 0) return false;
  if (fixedRows == m_nFixedRows) return true;
  ResetSelectedRange();
  m_idTopLeftCell.col = -1;
  if (fixedRows > m_nRows && !SetRowCount(fixedRows)) return false;
  if (m_idCurrentCell.row < fixedRows) SetFocusCell(-1, -1);
  if (!m_bVirtualMode) {
    if (fixedRows > m_nFixedRows) {
      for (int row = m_nFixedRows; row < fixedRows; ++row)
        for (int col = 0; col < m_nCols; ++col) {
          CGridCellBase* cell = GetCell(row, col);
          if (!cell) continue;
          cell->SetState(cell->GetState() | GVIS_FIXED | GVIS_FIXEDROW);
          cell->SetBackClr(CLR_DEFAULT_GRID);
          cell->SetTextClr(CLR_DEFAULT_GRID);
        }
    } else {
      for (int row = fixedRows; row < m_nFixedRows; ++row)
        for (int col = 0; col < m_nCols; ++col) {
          CGridCellBase* cell = GetCell(row, col);
          if (!cell) continue;
          if (col < m_nFixedCols) {
            cell->SetState(cell->GetState() & ~GVIS_FIXEDROW);
          } else {
            cell->SetState(cell->GetState() & ~(GVIS_FIXED | GVIS_FIXEDROW));
            cell->SetBackClr(CLR_DEFAULT_GRID);
            cell->SetTextClr(CLR_DEFAULT_GRID);
          }
        }
    }
  }
  m_nFixedRows = fixedRows;
  Refresh();
  return true;
}

bool CGridCtrl::SetFixedColumnCount(int fixedCols) {
  if (fixedCols < 0) return false;
  if (fixedCols == m_nFixedCols) return true;
  ResetSelectedRange();
  m_idTopLeftCell.col = -1;
  if (fixedCols > m_nCols && !SetColumnCount(fixedCols)) return false;
  if (m_idCurrentCell.col < fixedCols) SetFocusCell(-1, -1);
  if (!m_bVirtualMode) {
    if (fixedCols > m_nFixedCols) {
      for (int row = 0; row < m_nRows; ++row)
        for (int col = m_nFixedCols; col < fixedCols; ++col) {
          CGridCellBase* cell = GetCell(row, col);
          if (!cell) continue;
          cell->SetState(cell->GetState() | GVIS_FIXED | GVIS_FIXEDCOL);
          cell->SetBackClr(CLR_DEFAULT_GRID);
          cell->SetTextClr(CLR_DEFAULT_GRID);
        }
    } else {
      for (int row = 0; row < m_nRows; ++row)
        for (int col = fixedCols; col < m_nFixedCols; ++col) {
          CGridCellBase* cell = GetCell(row, col);
          if (!cell) continue;
          if (row < m_nFixedRows) {
            cell->SetState(cell->GetState() & ~GVIS_FIXEDCOL);
          } else {
            cell->SetState(cell->GetState() & ~(GVIS_FIXED | GVIS_FIXEDCOL));
            cell->SetBackClr(CLR_DEFAULT_GRID);
            cell->SetTextClr(CLR_DEFAULT_GRID);
          }
        }
    }
  }
  m_nFixedCols = fixedCols;
  Refresh();
  return true;
}

int CGridCtrl::InsertColumn(const char* heading, UINT format, int before) {
  if (before == m_nCols) before = -1;
  if (before >= 0 && (before < m_nFixedCols || before > m_nCols)) return -1;
  ResetSelectedRange();
  m_idTopLeftCell.col = -1;
  if (m_nRows < 1 && !SetRowCount(1)) return -1;
  const int col = before < 0 ? m_nCols : before;
  try {
    // Make every cell first, then put them in: a failure part way leaves
    // the grid as it was.
    std::vector<std::unique_ptr<CGridCellBase>> cells;
    if (!m_bVirtualMode) {
      cells.reserve(static_cast<size_t>(m_nRows));
      for (int row = 0; row < m_nRows; ++row) cells.emplace_back(CreateCell(row, col));
      for (CellRow& rowCells : m_RowData) rowCells.reserve(rowCells.size() + 1);
    }
    m_arColWidths.Reserve(m_arColWidths.Count() + 1);
    m_arColRawText.reserve(m_arColRawText.size() + 1);
    m_arColWidths.Insert(col, 0);
    m_arColRawText.insert(m_arColRawText.begin() + col, false);
    if (!m_bVirtualMode)
      for (int row = 0; row < m_nRows; ++row)
        m_RowData[static_cast<size_t>(row)].insert(m_RowData[static_cast<size_t>(row)].begin() + col,
                                                   std::move(cells[static_cast<size_t>(row)]));
  } catch (const std::bad_alloc&) {
    return -1;
  }
  ++m_nCols;
  // Cells to the right learned their fixed state where they were made.
  SetItemText(0, col, heading ? heading : "");
  for (int row = 0; row < m_nRows; ++row) SetItemFormat(row, col, format);
  m_arColWidths.Set(col, static_cast<UINT>(GetTextExtent(0, col, AString(heading ? heading : "")).cx));
  if (m_idCurrentCell.col != -1 && m_idCurrentCell.col > col) m_idCurrentCell.col++;
  ResetScrollBars();
  SetModified(true, -1, -1);
  return col;
}

int CGridCtrl::InsertRow(const char* heading, int before) {
  if (before >= 0 && (before < m_nFixedRows || before >= m_nRows)) return -1;
  ResetSelectedRange();
  m_idTopLeftCell.col = -1;
  if (m_nCols < 1 && !SetColumnCount(1)) return -1;
  const int row = before < 0 ? m_nRows : before;
  try {
    CellRow cells;
    if (!m_bVirtualMode) {
      cells.resize(static_cast<size_t>(m_nCols));
      for (int col = 0; col < m_nCols; ++col) cells[static_cast<size_t>(col)].reset(CreateCell(row, col));
      m_RowData.insert(m_RowData.begin() + row, std::move(cells));
    }
    m_arRowHeights.Insert(row, 0);
  } catch (const std::bad_alloc&) {
    return -1;
  }
  ++m_nRows;
  const AString text(heading ? heading : "");
  SetItemText(row, 0, text);
  m_arRowHeights.Set(row, static_cast<UINT>(text.IsEmpty() ? m_cellFixedRowDef.GetHeight()
                                                              : GetTextExtent(row, 0, text).cy));
  if (m_idCurrentCell.row != -1 && m_idCurrentCell.row > row) m_idCurrentCell.row++;
  ResetScrollBars();
  SetModified(true, -1, -1);
  return row;
}

bool CGridCtrl::DeleteColumn(int col) {
  if (col < 0 || col >= m_nCols) return false;
  ResetSelectedRange();
  if (!m_bVirtualMode) {
    for (int row = 0; row < m_nRows; ++row) {
      DestroyCell(row, col);
      m_RowData[static_cast<size_t>(row)].erase(m_RowData[static_cast<size_t>(row)].begin() + col);
    }
  }
  m_arColWidths.Erase(col);
  m_arColRawText.erase(m_arColRawText.begin() + col);
  --m_nCols;
  if (col < m_nFixedCols) --m_nFixedCols;
  if (col == m_idCurrentCell.col)
    m_idCurrentCell = {-1, -1};
  else if (col < m_idCurrentCell.col)
    m_idCurrentCell.col--;
  ResetScrollBars();
  SetModified(true, -1, -1);
  return true;
}

bool CGridCtrl::DeleteRow(int row) {
  if (row < 0 || row >= m_nRows) return false;
  ResetSelectedRange();
  if (!m_bVirtualMode) {
    for (int col = 0; col < m_nCols; ++col) DestroyCell(row, col);
    m_RowData.erase(m_RowData.begin() + row);
  }
  m_arRowHeights.Erase(row);
  --m_nRows;
  if (row < m_nFixedRows) --m_nFixedRows;
  if (row == m_idCurrentCell.row)
    m_idCurrentCell = {-1, -1};
  else if (row < m_idCurrentCell.row)
    m_idCurrentCell.row--;
  ResetScrollBars();
  SetModified(true, -1, -1);
  return true;
}

bool CGridCtrl::DeleteNonFixedRows() {
  ResetSelectedRange();
  for (int row = m_nRows; row >= m_nFixedRows; --row) DeleteRow(row);
  return true;
}

bool CGridCtrl::DeleteAllItems() {
  ResetSelectedRange();
  m_arColWidths.Clear();
  m_arColRawText.clear();
  m_arRowHeights.Clear();
  if (!m_bVirtualMode) {
    for (int row = 0; row < m_nRows; ++row)
      for (int col = 0; col < m_nCols; ++col) DestroyCell(row, col);
    m_RowData.clear();
  }
  m_Selection.Clear();
  m_idCurrentCell = {-1, -1};
  m_nRows = m_nCols = m_nFixedRows = m_nFixedCols = 0;
  ResetScrollBars();
  SetModified(true, -1, -1);
  return true;
}

void CGridCtrl::AutoFill() {
  if (!m_hWnd) return;
  CRect rect;
  GetClientRect(&rect);
  SetColumnCount(rect.Width() / m_cellDefault.GetWidth() + 1);
  SetRowCount(rect.Height() / m_cellDefault.GetHeight() + 1);
  SetFixedRowCount(1);
  SetFixedColumnCount(1);
  ExpandToFit();
}

bool CGridCtrl::SetCellType(int row, int col, const CRuntimeClass* cls) {
  if (m_bVirtualMode || !IsValid(row, col) || !cls || !cls->IsDerivedFrom(RUNTIME_CLASS(CGridCellBase)))
    return false;
  auto* made = static_cast<CGridCellBase*>(cls->CreateObject());
  if (!made) return false;
  std::unique_ptr<CGridCellBase>& slot = m_RowData[static_cast<size_t>(row)][static_cast<size_t>(col)];
  if (slot) made->CopyFrom(*slot);
  made->SetGrid(this);
  slot.reset(made);
  return true;
}

bool CGridCtrl::SetDefaultCellType(const CRuntimeClass* cls) {
  if (!cls || !cls->IsDerivedFrom(RUNTIME_CLASS(CGridCellBase))) return false;
  m_pRtcDefault = cls;
  return true;
}

void CGridCtrl::SetColumnRawText(int col, bool raw) {
  if (col >= 0 && col < m_nCols) m_arColRawText[static_cast<size_t>(col)] = raw;
}

bool CGridCtrl::GetColumnRawText(int col) const {
  return col >= 0 && col < m_nCols && m_arColRawText[static_cast<size_t>(col)];
}

void CGridCtrl::SetPrintMarginInfo(int header, int footer, int left, int right, int top, int bottom, int gap) {
  if (header >= 0) m_nHeaderHeight = header;
  if (footer >= 0) m_nFooterHeight = footer;
  if (left >= 0) m_nLeftMargin = left;
  if (right >= 0) m_nRightMargin = right;
  if (top >= 0) m_nTopMargin = top;
  if (bottom >= 0) m_nBottomMargin = bottom;
  if (gap >= 0) m_nGap = gap;
}

void CGridCtrl::GetPrintMarginInfo(int& header, int& footer, int& left, int& right, int& top, int& bottom,
                                   int& gap) const {
  header = m_nHeaderHeight;
  footer = m_nFooterHeight;
  left = m_nLeftMargin;
  right = m_nRightMargin;
  top = m_nTopMargin;
  bottom = m_nBottomMargin;
  gap = m_nGap;
}

void CGridCtrl::EnableSelection(bool enable) {
  ResetSelectedRange();
  m_bEnableSelection = enable;
  ResetSelectedRange();
}

void CGridCtrl::SetGridLines(int lines) {
  m_nGridLines = lines;
  Refresh();
}

void CGridCtrl::SetRedraw(bool allow, bool resetScrollBars) {
  if (allow && !m_bAllowDraw) {
    m_bAllowDraw = true;
    Refresh();
  }
  m_bAllowDraw = allow;
  if (resetScrollBars) ResetScrollBars();
}

void CGridCtrl::Refresh() {
  if (m_hWnd && m_bAllowDraw) Invalidate(TRUE);
}

BEGIN_MESSAGE_MAP(CGridCtrl, CWnd)
  ON_WM_PAINT()
  ON_WM_ERASEBKGND()
  ON_WM_SIZE()
  ON_WM_HSCROLL()
  ON_WM_VSCROLL()
  ON_WM_MOUSEWHEEL()
  ON_WM_LBUTTONDOWN()
  ON_WM_LBUTTONUP()
  ON_WM_LBUTTONDBLCLK()
  ON_WM_MOUSEMOVE()
  ON_WM_RBUTTONUP()
  ON_WM_TIMER()
  ON_WM_GETDLGCODE()
  ON_WM_KEYDOWN()
  ON_WM_CHAR()
  ON_MESSAGE(WM_IME_CHAR, OnImeChar)
  ON_WM_SETCURSOR()
  ON_WM_SYSCOLORCHANGE()
  ON_WM_CAPTURECHANGED()
  ON_MESSAGE(WM_SETFONT, OnSetFont)
  ON_MESSAGE(WM_GETFONT, OnGetFont)
  ON_WM_SETFOCUS()
  ON_WM_DESTROY()
  ON_COMMAND(ID_EDIT_COPY, OnEditCopy)
  ON_COMMAND(ID_EDIT_CUT, OnEditCut)
  ON_COMMAND(ID_EDIT_PASTE, OnEditPaste)
  ON_COMMAND(ID_EDIT_SELECT_ALL, OnEditSelectAll)
  ON_UPDATE_COMMAND_UI(ID_EDIT_COPY, OnUpdateEditCopy)
  ON_UPDATE_COMMAND_UI(ID_EDIT_CUT, OnUpdateEditCut)
  ON_UPDATE_COMMAND_UI(ID_EDIT_PASTE, OnUpdateEditPaste)
  ON_UPDATE_COMMAND_UI(ID_EDIT_SELECT_ALL, OnUpdateEditSelectAll)
END_MESSAGE_MAP()
