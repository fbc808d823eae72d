// The value types every part of the grid and its owners share: a cell
// position, a range of cells, the whole-cell record, the state bits, and the
// records of the notices the grid sends its owner.
#pragma once

#include <cstdint>

#include "foundation/string/astring.h"
#include "platform/win.h"

struct CGridCellId {
  int row = -1;
  int col = -1;
  CGridCellId() = default;
  CGridCellId(int r, int c) : row(r), col(c) {}
  bool operator==(const CGridCellId&) const = default;
};

struct CGridCellRange {
  int minRow = -1;
  int minCol = -1;
  int maxRow = -1;
  int maxCol = -1;
  CGridCellRange() = default;
  CGridCellRange(int r0, int c0, int r1, int c1) : minRow(r0), minCol(c0), maxRow(r1), maxCol(c1) {}
  bool operator==(const CGridCellRange&) const = default;
  bool InRange(int row, int col) const { return row >= minRow && row <= maxRow && col >= minCol && col <= maxCol; }
  bool InRange(const CGridCellId& cell) const { return InRange(cell.row, cell.col); }
  int RowSpan() const { return maxRow - minRow + 1; }
  int ColSpan() const { return maxCol - minCol + 1; }
  CGridCellId TopLeft() const { return {minRow, minCol}; }
  CGridCellRange Intersect(const CGridCellRange& other) const;
};

// Cell state bits.
inline constexpr UINT GVIS_FOCUSED = 0x01;
inline constexpr UINT GVIS_SELECTED = 0x02;
inline constexpr UINT GVIS_DROPHILITED = 0x04;
inline constexpr UINT GVIS_READONLY = 0x08;
inline constexpr UINT GVIS_FIXED = 0x10;
inline constexpr UINT GVIS_FIXEDROW = 0x20;
inline constexpr UINT GVIS_FIXEDCOL = 0x40;
inline constexpr UINT GVIS_MODIFIED = 0x80;

// Mask bits of GridItem.
inline constexpr UINT GVIF_TEXT = 0x001;
inline constexpr UINT GVIF_IMAGE = 0x002;
inline constexpr UINT GVIF_PARAM = 0x004;
inline constexpr UINT GVIF_STATE = 0x008;
inline constexpr UINT GVIF_BKCLR = 0x010;
inline constexpr UINT GVIF_FGCLR = 0x020;
inline constexpr UINT GVIF_FORMAT = 0x040;
inline constexpr UINT GVIF_FONT = 0x080;
inline constexpr UINT GVIF_MARGIN = 0x100;
inline constexpr UINT GVIF_ALL = 0x1FF;

// A cell colour of this value means "the default cell's colour".
inline constexpr COLORREF CLR_DEFAULT_GRID = 0xFF000000;

// GetNextItem flags.
inline constexpr int GVNI_FOCUSED = 0x01;
inline constexpr int GVNI_SELECTED = 0x02;
inline constexpr int GVNI_DROPHILITED = 0x04;
inline constexpr int GVNI_READONLY = 0x08;
inline constexpr int GVNI_FIXED = 0x10;
inline constexpr int GVNI_MODIFIED = 0x20;
inline constexpr int GVNI_ABOVE = 0x100;
inline constexpr int GVNI_BELOW = 0x200;
inline constexpr int GVNI_TOLEFT = 0x400;
inline constexpr int GVNI_TORIGHT = 0x800;
inline constexpr int GVNI_ALL = GVNI_BELOW | GVNI_TORIGHT | GVNI_TOLEFT;
inline constexpr int GVNI_AREA = GVNI_BELOW | GVNI_TORIGHT;

// Grid-line settings.
inline constexpr int GVL_NONE = 0;
inline constexpr int GVL_HORZ = 1;
inline constexpr int GVL_VERT = 2;
inline constexpr int GVL_BOTH = 3;

// Auto-size style bits.
inline constexpr int GVS_HEADER = 1;
inline constexpr int GVS_DATA = 2;
inline constexpr int GVS_BOTH = 3;

struct GridItem {
  int row = 0;
  int col = 0;
  UINT mask = 0;
  UINT state = 0;
  UINT format = 0;
  int image = -1;
  COLORREF bkClr = CLR_DEFAULT_GRID;
  COLORREF fgClr = CLR_DEFAULT_GRID;
  LPARAM lParam = 0;
  LOGFONTA lfFont{};
  UINT margin = 0;
  AString text;
};

// WM_NOTIFY codes the grid sends its owner (the list view's numbers).
inline constexpr int GVN_SELCHANGING = -100;
inline constexpr int GVN_SELCHANGED = -101;
inline constexpr int GVN_BEGINLABELEDIT = -105;
inline constexpr int GVN_ENDLABELEDIT = -106;
inline constexpr int GVN_BEGINDRAG = -109;
inline constexpr int GVN_ODCACHEHINT = -113;
inline constexpr int GVN_GETDISPINFO = -150;
// Virtual mode: a cell's new text for the owner to keep (a GridDispInfo; a
// negative answer refuses it).
inline constexpr int GVN_SETDISPINFO = -152;
inline constexpr int GVN_CLICK = -2;
inline constexpr int GVN_DBLCLK = -3;
inline constexpr int GVN_RCLICK = -5;

// Private messages to the owner.
inline constexpr UINT kGridMsgRowAction = 2015;    // posted: focus row, focus column
inline constexpr UINT kGridMsgLoadRows = 2016;     // first row to load, last row wanted
inline constexpr UINT kGridMsgClickOutside = 2017; // sent: a click outside every cell

// The in-place editor's control id.
inline constexpr UINT kGridEditorId = 8;

// Every WM_NOTIFY the grid sends: the header, the signed row (-1 for no
// cell), the column and three values whose meaning depends on the code.
struct GridNotify {
  NMHDR hdr;
  int row;
  int col;
  int a;
  int b;
  int c;
};

// The cache hint: the range about to be drawn, or (-1, -1, -1, -1).
struct GridCacheHint {
  NMHDR hdr;
  CGridCellRange range;
};

// A cell asked of the owner in virtual mode, and the in-place editor's
// end-of-edit notice.
struct GridDispInfo {
  NMHDR hdr;
  GridItem item;
  int extra = -1;
};
