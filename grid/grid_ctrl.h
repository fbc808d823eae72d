// CGridCtrl: the self-drawn table window (class "LabelGridCtrl") of the
// structured-data pages, the record select dialog and the application
// identifier dialog. It owns a store of cell objects with fixed header rows
// and columns, per-row heights and per-column widths, a selection and a focus
// cell; it paints through an off-screen context, scrolls by whole rows and
// columns, edits cells in place and tells its owner by WM_NOTIFY notices and
// the private messages 2015 to 2017. Operations answer failure with false or
// -1 and never throw.
#pragma once

#include <algorithm>
#include <cstdint>
#include <map>
#include <memory>
#include <vector>

#include "foundation/string/astring.h"
#include "grid/grid_cell.h"
#include "grid/grid_drop_target.h"
#include "grid/grid_extents.h"
#include "grid/grid_selection_ranges.h"
#include "grid/grid_types.h"
#include "grid/title_tip.h"
#include "platform/framework.h"

inline constexpr const char* kGridWindowClass = "LabelGridCtrl";

using GridCompareFunc = int (*)(const CGridCellBase* a, const CGridCellBase* b, LPARAM data);
using GridCallbackFunc = BOOL (*)(GridDispInfo* info, LPARAM data);

class CGridCtrl : public CWnd {
  DECLARE_DYNCREATE(CGridCtrl)

 public:
  CGridCtrl(int rows = 0, int cols = 0, int fixedRows = 0, int fixedCols = 0);
  ~CGridCtrl() override;

  static bool RegisterWindowClass();
  BOOL Create(const RECT& rect, CWnd* parent, UINT id, DWORD style = WS_CHILD | WS_BORDER | WS_TABSTOP | WS_VISIBLE);
  void PreSubclassWindow() override;
  int Initialise();

  // ---- Structure -----------------------------------------------------------
  int GetRowCount() const { return m_nRows; }
  int GetColumnCount() const { return m_nCols; }
  int GetFixedRowCount() const { return m_nFixedRows; }
  int GetFixedColumnCount() const { return m_nFixedCols; }
  bool SetRowCount(int rows);
  bool SetColumnCount(int cols);
  bool SetFixedRowCount(int fixedRows);
  bool SetFixedColumnCount(int fixedCols);
  int InsertColumn(const char* heading, UINT format = DT_CENTER | DT_VCENTER | DT_SINGLELINE, int before = -1);
  int InsertRow(const char* heading, int before = -1);
  bool DeleteColumn(int col);
  bool DeleteRow(int row);
  bool DeleteNonFixedRows();
  bool DeleteAllItems();
  void AutoFill();
  bool SetCellType(int row, int col, const CRuntimeClass* cls);
  bool SetDefaultCellType(const CRuntimeClass* cls);
  CGridDefaultCell* GetDefaultCell(bool fixedRow, bool fixedCol) const;

  // ---- Cells ---------------------------------------------------------------
  CGridCellBase* GetCell(int row, int col) const;
  bool SetItem(const GridItem& item);
  bool GetItem(GridItem& item) const;
  bool SetItemText(int row, int col, const AString& text);
  bool SetItemText(int row, int col, const char* text) { return SetItemText(row, col, AString(text)); }
  bool SetItemTextFmt(int row, int col, const char* format, ...);
  AString GetItemText(int row, int col) const;
  bool SetItemData(int row, int col, LPARAM data);
  LPARAM GetItemData(int row, int col) const;
  bool SetItemImage(int row, int col, int image);
  int GetItemImage(int row, int col) const;
  bool SetItemState(int row, int col, UINT state);
  UINT GetItemState(int row, int col) const;
  bool SetItemFormat(int row, int col, UINT format);
  UINT GetItemFormat(int row, int col) const;
  UINT SetItemAlignment(int row, int col, UINT alignment);
  bool SetItemBkColour(int row, int col, COLORREF colour);
  bool SetItemFgColour(int row, int col, COLORREF colour);
  COLORREF GetItemBkColour(int row, int col) const;
  COLORREF GetItemFgColour(int row, int col) const;
  bool SetItemFont(int row, int col, const LOGFONTA* font);
  const LOGFONTA* GetItemFont(int row, int col) const;
  bool IsItemEditing(int row, int col) const;
  bool IsValid(int row, int col) const { return row >= 0 && row < m_nRows && col >= 0 && col < m_nCols; }
  bool IsValid(const CGridCellId& cell) const { return IsValid(cell.row, cell.col); }
  bool IsValid(const CGridCellRange& range) const;
  bool IsCellFixed(int row, int col) const { return row < m_nFixedRows || col < m_nFixedCols; }
  bool IsCellEditable(int row, int col) const;
  bool IsCellEditable(const CGridCellId& cell) const { return IsCellEditable(cell.row, cell.col); }
  void SetModified(bool modified = true, int row = -1, int col = -1);
  bool GetModified(int row = -1, int col = -1) const;

  // ---- Settings ------------------------------------------------------------
  void SetEditable(bool editable) { m_bEditable = editable; }
  bool IsEditable() const { return m_bEditable; }
  void EnableSelection(bool enable);
  bool IsSelectable() const { return m_bEnableSelection; }
  void SetSingleRowSelection(bool single) { m_bSingleRowSelection = single; }
  void SetSingleColSelection(bool single) { m_bSingleColSelection = single; }
  void SetFixedColumnSelection(bool on) { m_bFixedColumnSelection = on; }
  void SetFixedRowSelection(bool on) { m_bFixedRowSelection = on; }
  void EnableHiddenColUnhide(bool on) { m_bHiddenColUnhide = on; }
  void EnableHiddenRowUnhide(bool on) { m_bHiddenRowUnhide = on; }
  void EnableColumnHide(bool on) { m_bAllowColHide = on; }
  void EnableRowHide(bool on) { m_bAllowRowHide = on; }
  void SetRowResize(bool on) { m_bAllowRowResize = on; }
  void SetColumnResize(bool on) { m_bAllowColumnResize = on; }
  void SetGridLines(int lines);
  int GetGridLines() const { return m_nGridLines; }
  void SetDoubleBuffering(bool on) { m_bDoubleBuffer = on; }
  bool GetDoubleBuffering() const { return m_bDoubleBuffer; }
  void EnableTitleTips(bool on) { m_bTitleTips = on; }
  void SetHandleTabKey(bool on) { m_bHandleTabKey = on; }
  void SetTrackFocusCell(bool on) { m_bTrackFocusCell = on; }
  bool GetTrackFocusCell() const { return m_bTrackFocusCell; }
  void SetFrameFocusCell(bool on) { m_bFrameFocus = on; }
  bool GetFrameFocusCell() const { return m_bFrameFocus; }
  void SetShadedPrintOut(bool on) { m_bShadedPrintOut = on; }
  bool GetShadedPrintOut() const { return m_bShadedPrintOut; }
  void SetDragAndDrop(bool on) { m_bAllowDragAndDrop = on; }
  void SetHeaderSort(bool on) { m_bSortOnClick = on; }
  void SetAutoSizeStyle(int style) { m_nAutoSizeColumnStyle = style; }
  void SetGridLineColor(COLORREF colour) { m_crGridLineColour = colour; }
  COLORREF GetGridLineColor() const { return m_crGridLineColour; }
  void SetGridBkColor(COLORREF colour) { m_crGridBkColour = colour; }
  COLORREF GetGridBkColor() const { return m_crGridBkColour; }
  void SetImageList(HIMAGELIST images) { m_pImageList = images; }
  HIMAGELIST GetImageList() const { return m_pImageList; }
  void SetRedraw(bool allow, bool resetScrollBars = false);
  void Refresh();
  bool IsDrawingAllowed() const { return m_bAllowDraw; }
  void SetTitleTipColours(COLORREF text, COLORREF back) { m_crTTipFg = text; m_crTTipBk = back; }
  void SetColumnRawText(int col, bool raw);
  bool GetColumnRawText(int col) const;
  void SetPrintMarginInfo(int header, int footer, int left, int right, int top, int bottom, int gap);
  void GetPrintMarginInfo(int& header, int& footer, int& left, int& right, int& top, int& bottom, int& gap) const;

  // ---- Geometry and scrolling ----------------------------------------------
  int GetRowHeight(int row) const;
  int GetColumnWidth(int col) const;
  bool SetRowHeight(int row, int height);
  bool SetColumnWidth(int col, int width);
  bool SetColumnWidthRatio(int col, double ratio);
  long GetVirtualWidth() const;
  long GetVirtualHeight() const;
  int GetFixedRowHeight() const;
  int GetFixedColumnWidth() const;
  CGridCellId GetTopleftNonFixedCell(bool force = false);
  bool GetCellOrigin(int row, int col, LPPOINT point);
  bool GetCellOrigin(const CGridCellId& cell, LPPOINT point) { return GetCellOrigin(cell.row, cell.col, point); }
  bool GetCellRect(int row, int col, LPRECT rect);
  bool GetCellRect(const CGridCellId& cell, LPRECT rect) { return GetCellRect(cell.row, cell.col, rect); }
  bool GetTextRect(int row, int col, LPRECT rect);
  bool GetCellRangeRect(const CGridCellRange& range, LPRECT rect);
  bool GetRowRect(int row, LPRECT rect);
  CGridCellId GetCellFromPt(POINT point, bool allowFixed = true);
  CGridCellRange GetVisibleNonFixedCellRange(LPRECT rect = nullptr, bool force = false);
  CGridCellRange GetUnobstructedNonFixedCellRange(bool force = false);
  CGridCellRange GetCellRange() const { return {0, 0, m_nRows - 1, m_nCols - 1}; }
  bool IsCellVisible(int row, int col);
  bool IsCellVisible(const CGridCellId& cell) { return IsCellVisible(cell.row, cell.col); }
  int GetScrollPos32(int bar, bool track = false);
  bool SetScrollPos32(int bar, int pos, bool redraw = true);
  void EnableScrollBars(int bar, bool show);
  void ResetScrollBars();
  void EnsureVisible(int row, int col);
  void EnsureVisible(const CGridCellId& cell) { EnsureVisible(cell.row, cell.col); }
  bool AutoSizeColumn(int col, int style = 0, bool resetScroll = true);
  bool AutoSizeRow(int row, bool resetScroll = true);
  void AutoSizeColumns(int style = 0);
  void AutoSizeRows();
  void AutoSize(int style = 0);
  void ExpandColumnsToFit(bool includeFixed = true);
  void ExpandRowsToFit(bool includeFixed = true);
  void ExpandLastColumn();
  void ExpandToFit(bool includeFixed = true);
  static int GetWheelScrollLines();
  int GetScrollMax(int bar) const { return bar == SB_HORZ ? m_nHScrollMax : m_nVScrollMax; }
  int GetScrollBarState() const { return m_nBarState; }

  // ---- Selection and focus -------------------------------------------------
  CGridCellId GetFocusCell() const { return m_idCurrentCell; }
  CGridCellId SetFocusCell(int row, int col);
  CGridCellId SetFocusCell(CGridCellId cell);
  void SetSelectedRange(int minRow, int minCol, int maxRow, int maxCol, bool forceRepaint = false,
                        bool selectCells = true);
  void SetSelectedRange(const CGridCellRange& range, bool forceRepaint = false, bool selectCells = true);
  void SelectAllCells();
  void SelectRow(int row);
  void SelectColumns(CGridCellId cell, bool forceRepaint = false, bool selectCells = true);
  void SelectRows(CGridCellId cell, bool forceRepaint = false, bool selectCells = true);
  void SelectCells(CGridCellId cell, bool forceRepaint = false, bool selectCells = true);
  void OnSelecting(const CGridCellId& cell);
  CGridCellRange GetSelectedCellRange() const;
  void UnselectCell(CGridCellId cell, bool invalidate);
  void ResetSelectedRange();
  bool IsCellSelected(int row, int col) const;
  bool IsCellSelected(const CGridCellId& cell) const { return IsCellSelected(cell.row, cell.col); }
  CGridCellId GetNextItem(CGridCellId start, int flags) const;
  int GetSelectedCount() const { return static_cast<int>(std::min<int64_t>(m_Selection.Count(), INT32_MAX)); }

  // ---- Drawing -------------------------------------------------------------
  virtual void OnDraw(HDC dc);
  void EraseBkgnd(HDC dc);
  bool RedrawCell(int row, int col, HDC dc = nullptr);
  bool RedrawCell(const CGridCellId& cell, HDC dc = nullptr) { return RedrawCell(cell.row, cell.col, dc); }
  bool RedrawRow(int row);
  bool RedrawColumn(int col);
  bool InvalidateCellRect(int row, int col);
  bool InvalidateCellRect(const CGridCellId& cell) { return InvalidateCellRect(cell.row, cell.col); }
  bool InvalidateCellRect(const CGridCellRange& range);
  void InvalidateRow(int row, bool erase = true);

  // ---- List mode, virtual mode, find and sort ------------------------------
  void SetListMode(bool enable);
  bool GetListMode() const { return m_bListMode; }
  void SetVirtualMode(bool enable);
  bool GetVirtualMode() const { return m_bVirtualMode; }
  void SetCallbackFunc(GridCallbackFunc func, LPARAM data) { m_pfnCallback = func; m_lParam = data; }
  void SetSortColumn(int col);
  int GetSortColumn() const { return m_nSortColumn; }
  bool GetSortAscending() const { return m_bAscending; }
  void SetCompareFunction(GridCompareFunc func) { m_pfnCompare = func; }
  bool SortTextItems(int col, bool ascending, LPARAM data = 0);
  bool SortItems(int col, bool ascending, LPARAM data = 0);
  bool SortItems(GridCompareFunc func, int col, bool ascending, LPARAM data = 0, int low = 0, int high = -1);
  static int CompareTextItems(const CGridCellBase* a, const CGridCellBase* b, LPARAM data);
  static int CompareIntegerItems(const CGridCellBase* a, const CGridCellBase* b, LPARAM data);
  int FindInColumn(int startRow, int col, const AString& text, bool matchCase, bool matchPart);

  // ---- Editing -------------------------------------------------------------
  virtual void OnEditCell(int row, int col, POINT point, UINT firstKey);
  virtual void OnEndEditCell(int row, int col, const AString& text);
  virtual bool ValidateEdit(int row, int col, const AString& text);
  virtual void EndEditing();
  virtual void OnFixedRowClick(CGridCellId& cell);
  virtual void OnFixedColumnClick(CGridCellId& cell);
  void ReplaceCellText(int row, int col, const AString& text);
  void ClearCells(const CGridCellRange& range);
  SIZE GetTextExtent(int row, int col, const AString& text);
  HWND GetEditorWindow() const { return m_hEditWnd; }
  CTitleTip& GetTitleTip() { return m_TitleTip; }

  // ---- Clipboard -----------------------------------------------------------
  virtual void CutSelectedText();
  // The selection as clipboard text: rows at CR LF, cells at tabs.
  std::string CopyTextFromGrid();
  // The selection's text as CF_TEXT in a new data source; null without a
  // selection or memory.
  std::unique_ptr<COleDataSource> CopyDataSourceFromGrid();
  bool PasteTextToGrid(CGridCellId start, std::string_view text, bool selectPasted);
  // Pastes the data object's CF_TEXT, read up to its NUL within its block.
  bool PasteTextToGrid(CGridCellId start, COleDataObject* data, bool selectPasted);
  virtual void OnEditCut();
  virtual void OnEditCopy();
  virtual void OnEditPaste();
  virtual void OnEditSelectAll();
  void OnUpdateEditCopy(CCmdUI* ui) { ui->Enable(GetSelectedCount() > 0); }
  void OnUpdateEditCut(CCmdUI* ui) { ui->Enable(m_bEditable && GetSelectedCount() > 0); }
  void OnUpdateEditPaste(CCmdUI* ui);
  void OnUpdateEditSelectAll(CCmdUI* ui) { ui->Enable(m_bEnableSelection); }

  // ---- Drag and drop (only with SetDragAndDrop(true)) -----------------------
  // Drags the selection's text from the grid; a move clears the dragged cells
  // that the drop did not write.
  virtual void OnBeginDrag();
  virtual DROPEFFECT OnDragEnter(COleDataObject* data, DWORD keyState, CPoint point);
  virtual DROPEFFECT OnDragOver(COleDataObject* data, DWORD keyState, CPoint point);
  virtual void OnDragLeave();
  virtual BOOL OnDrop(COleDataObject* data, DROPEFFECT effect, CPoint point);
  // A picture of the focus cell in a new image list (the caller destroys
  // it), with the hot spot at its bottom-right corner; null without one.
  virtual HIMAGELIST CreateDragImage(CPoint* hotSpot);
  bool GetDragAndDrop() const { return m_bAllowDragAndDrop; }
  CGridCellId GetLastDragOverCell() const { return m_LastDragOverCell; }
  const CGridDropTarget& GetDropTarget() const { return m_DropTarget; }

  // ---- Delimited text files ----------------------------------------------
  bool Save(const char* fileName, char delimiter = ',');
  bool Load(const char* fileName, char delimiter = ',');

  // ---- Printing --------------------------------------------------------------
  // Prints the whole grid: on the print run's printer, or after asking with
  // the print dialog; `outputFile` sends the document to a file instead.
  bool Print(CPrintInfo* info = nullptr, const char* outputFile = nullptr);
  virtual void OnBeginPrinting(HDC dc, CPrintInfo* info);
  virtual void OnPrint(HDC dc, CPrintInfo* info);
  virtual void OnEndPrinting(HDC dc, CPrintInfo* info);
  virtual void PrintPageHeader(HDC dc, RECT rect, CPrintInfo* info);
  virtual void PrintPageFooter(HDC dc, RECT rect, CPrintInfo* info);
  void SetWysiwygPrinting(bool on) { m_bWysiwygPrinting = on; }
  int GetPrintPageCount() const { return m_nPageCount; }

  // ---- Notices -------------------------------------------------------------
  LRESULT SendMessageToParent(int row, int col, int code, int a = -1, int b = -1, int c = -1) const;
  LRESULT SendDisplayRequestToParent(GridDispInfo* info) const;
  // A virtual cell's values from the owner (its callback or GVN_GETDISPINFO).
  void AskOwner(int row, int col, GridDispInfo* info) const;
  // The same by value, for reading one value of a cell (empty outside the
  // grid): the shared display cell may be the one being drawn.
  GridItem OwnerItem(int row, int col) const;
  LRESULT SendCacheHintToParent(const CGridCellRange& range) const;
  // The owner's window, or null when the grid or its owner has none.
  HWND OwnerWindow() const;
  CPoint GetPointClicked(int row, int col, const CPoint& point);
  bool MouseOverRowResizeArea(CPoint point);
  bool MouseOverColumnResizeArea(CPoint point);
  int GetMouseMode() const { return m_MouseMode; }

  // Written directly by owners.
  HWND NextFocusWindow = nullptr;
  HWND PrevFocusWindow = nullptr;
  bool RowPickMode = false;
  bool ClickEditsCell = true;
  // Drawing flags the cells read.
  bool m_bRowTracking = false;
  bool m_bKeepCellColours = false;
  bool m_bHeaderHilite = true;
  bool m_bButtonOnFocusOnly = false;

  // Mouse modes.
  enum MouseMode : int {
    MOUSE_NOTHING = 0,
    MOUSE_SELECT_ALL = 1,
    MOUSE_SELECT_COL = 2,
    MOUSE_SELECT_ROW = 3,
    MOUSE_SELECT_CELLS = 4,
    MOUSE_OVER_ROW_DIVIDE = 6,
    MOUSE_SIZING_ROW = 7,
    MOUSE_OVER_COL_DIVIDE = 8,
    MOUSE_SIZING_COL = 9,
    MOUSE_PREPARE_EDIT = 10,
    MOUSE_PREPARE_DRAG = 11,
    MOUSE_DRAGGING = 12,
  };

 protected:
  virtual CGridCellBase* CreateCell(int row, int col);
  virtual void DestroyCell(int row, int col);
  void SetupDefaultCells();
  // Fills the header of a notice record and sends it to the owner.
  LRESULT SendNotice(NMHDR& header, int code) const;
  void ResetTopLeft() { m_idTopLeftCell.row = -1; }
  bool SendScrollMessage(UINT message, int code);
  void ScrollAxis(int bar, UINT code, const RECT& client);
  // The last visible row and column from the top-left cell, and where they end.
  struct VisibleExtent {
    CGridCellId topLeft;
    CRect client{0, 0, 0, 0};
    int maxRow = -1, maxCol = -1, bottom = 0, right = 0;
  };
  VisibleExtent MeasureVisible(bool force);
  // Redraws every cell of a row (or of a column) with one window DC.
  bool RedrawLine(int row, int col);
  void HideTitleTip();
  void DrawSizingLine(CPoint from, CPoint to, bool vertical);

  // Message handlers.
  void OnPaint();
  BOOL OnEraseBkgnd(CDC* dc);
  void OnSize(UINT type, int cx, int cy);
  void OnHScroll(UINT code, UINT pos, CScrollBar* bar);
  void OnVScroll(UINT code, UINT pos, CScrollBar* bar);
  BOOL OnMouseWheel(UINT flags, short delta, CPoint point);
  void OnLButtonDown(UINT flags, CPoint point);
  void OnLButtonUp(UINT flags, CPoint point);
  void OnLButtonDblClk(UINT flags, CPoint point);
  void OnMouseMove(UINT flags, CPoint point);
  void OnRButtonUp(UINT flags, CPoint point);
  void OnTimer(UINT_PTR id);
  UINT OnGetDlgCode();
  void OnKeyDown(UINT ch, UINT repeat, UINT flags);
  void OnChar(UINT ch, UINT repeat, UINT flags);
  LRESULT OnImeChar(WPARAM wParam, LPARAM lParam);
  BOOL OnSetCursor(CWnd* window, UINT hitTest, UINT message);
  void OnSysColorChange();
  void OnCaptureChanged(CWnd* window);
  LRESULT OnSetFont(WPARAM wParam, LPARAM lParam);
  LRESULT OnGetFont(WPARAM wParam, LPARAM lParam);
  void OnSetFocus(CWnd* old);
  void OnDestroy();
  BOOL OnNotify(WPARAM wParam, LPARAM lParam, LRESULT* result) override;
  BOOL OnCommand(WPARAM wParam, LPARAM lParam) override;
  void ShowTitleTipFor(const CGridCellId& id, CGridCellBase* cell);
  void OnEndInPlaceEdit(const GridDispInfo& info);
  // Virtual mode: offers the owner a cell's edited text; true when it keeps it.
  bool StoreVirtualText(int row, int col, const AString& text);

  using CellRow = std::vector<std::unique_ptr<CGridCellBase>>;
  // Sets or clears the selected bit of the grid's own cells in `range`.
  void MarkSelected(const CGridCellRange& range, bool selected);
  // Draws again the visible cells whose selection differs from `before`
  // (with `redrawOld`, also those selected before): at once on `dc` or by
  // its own DC, or by invalidating them.
  void RepaintSelectionChange(const GridSelectionRanges& before, bool redrawOld, HDC dc, bool invalidate);

  int m_nRows = 0, m_nCols = 0, m_nFixedRows = 0, m_nFixedCols = 0;
  GridExtents m_arRowHeights;
  GridExtents m_arColWidths;
  std::vector<bool> m_arColRawText;
  std::vector<CellRow> m_RowData;
  mutable CGridDefaultCell m_cellDefault, m_cellFixedColDef, m_cellFixedRowDef, m_cellFixedRowColDef;
  const CRuntimeClass* m_pRtcDefault = nullptr;
  CGridCellId m_idCurrentCell, m_idTopLeftCell, m_SelectionStartCell, m_LeftClickDownCell;
  CPoint m_LeftClickDownPoint{0, 0}, m_LastMousePoint{0, 0};
  GridSelectionRanges m_Selection, m_PrevSelection;
  COLORREF m_crWindowText = 0, m_crWindowColour = 0, m_cr3DFace = 0, m_crShadow = 0;
  COLORREF m_crGridLineColour = 0xC0C0C0, m_crGridBkColour = 0;
  COLORREF m_crTTipFg = CLR_DEFAULT_GRID, m_crTTipBk = CLR_DEFAULT_GRID;
  bool m_bVirtualMode = false;
  GridCallbackFunc m_pfnCallback = nullptr;
  LPARAM m_lParam = 0;
  int m_nVScrollMax = 0, m_nHScrollMax = 0;
  int m_nRowsPerWheelNotch = 3;
  int m_nBarState = 0;
  int m_MouseMode = MOUSE_NOTHING;
  int m_nGridLines = GVL_BOTH;
  bool m_bEditable = true, m_bListMode = false, m_bSingleRowSelection = false, m_bSingleColSelection = false;
  bool m_bLMouseButtonDown = false, m_bAllowDraw = true, m_bEnableSelection = true;
  bool m_bFixedColumnSelection = true, m_bFixedRowSelection = true;
  bool m_bAllowRowResize = true, m_bAllowColumnResize = true, m_bSortOnClick = false, m_bHandleTabKey = true;
  bool m_bDoubleBuffer = true, m_bTitleTips = true, m_bWysiwygPrinting = false;
  bool m_bHiddenColUnhide = true, m_bHiddenRowUnhide = true, m_bAllowColHide = true, m_bAllowRowHide = true;
  bool m_bAscending = true;
  int m_nSortColumn = -1;
  GridCompareFunc m_pfnCompare = nullptr;
  int m_nAutoSizeColumnStyle = GVS_BOTH;
  UINT_PTR m_nTimerID = 0;
  int m_nTimerInterval = 25;
  int m_nResizeCaptureRange = 3;
  HIMAGELIST m_pImageList = nullptr;
  bool m_bAllowDragAndDrop = false;
  bool m_bTrackFocusCell = true, m_bFrameFocus = true, m_bShadedPrintOut = true;
  int m_nHeaderHeight = 2, m_nFooterHeight = 2, m_nLeftMargin = 4, m_nRightMargin = 4, m_nTopMargin = 1,
      m_nBottomMargin = 1, m_nGap = 1;
  bool m_bModified = false;
  HWND m_hEditWnd = nullptr;
  int m_nSizingIndex = -1;
  bool m_bSizingLineShown = false;
  bool m_bHScrolled = false, m_bVScrolled = false;
  std::unique_ptr<CGridCell> m_pDisplayCell;
  CTitleTip m_TitleTip;
  // Print job state.
  UniqueFont m_PrinterFont;
  SIZE m_CharSize{1, 1}, m_LogicalPageSize{1, 1}, m_PaperSize{1, 1};
  int m_nPageHeight = 1, m_nPageWidth = 1, m_nPageCount = 0;
  std::vector<std::pair<int, int>> m_PrintRowBands;  // first row, offset into it
  std::vector<int> m_PrintColBands;                   // first column of each band across
  GridDispInfo m_dispInfo;
  // Drag and drop: the target, the cell last dragged over, and the cells the
  // last paste wrote (a move keeps those of a drop on its own grid).
  CGridDropTarget m_DropTarget;
  CGridCellId m_LastDragOverCell;
  CGridCellRange m_LastPasted;

  DECLARE_MESSAGE_MAP()
};
