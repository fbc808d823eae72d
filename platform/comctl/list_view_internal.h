// The list view's state and the functions its files share: geometry and
// painting (list_view_paint.cpp), items and columns (list_view_items.cpp),
// keys and mouse (list_view_input.cpp), label editing (list_view_edit.cpp)
// and the procedure (list_view.cpp).
#pragma once

#include <string>

#include "platform/comctl/list_view.h"
#include "platform/comctl/list_view_model.h"

namespace comctl::lv {

// A press in the list that its release completes (NM_CLICK).
struct Press {
  int row = -1;
  int column = 0;
  POINT at{};
  bool pending = false;
};

struct ListView {
  HWND self = nullptr;
  ListModel model;
  HWND header = nullptr;
  HFONT font = nullptr;
  DWORD exStyle = 0;
  bool unicode = true;  // the parent's notifications are UNICODE
  bool focused = false;
  COLORREF background = CLR_DEFAULT;
  COLORREF textColour = CLR_DEFAULT;
  COLORREF textBackground = CLR_DEFAULT;
  int rowHeight = 0;  // measured when the font or the check boxes change
  int top = 0;      // first row shown
  int scrollX = 0;  // pixels scrolled to the right
  int mark = -1;    // the selection mark (anchor of Shift selections)
  int callbackMask = 0;
  HIMAGELIST images[3] = {};  // LVSIL_NORMAL, LVSIL_SMALL, LVSIL_STATE
  // Label editing
  HWND edit = nullptr;
  int editItem = -1;
  bool endingEdit = false;
  int pendingEdit = -1;  // item whose label a slow second click will edit
  Press press;
};

inline constexpr int kTextPad = 6;
inline constexpr int kCheckBox = 16;  // width of the state image cell
inline constexpr UINT_PTR kEditTimer = 0x4C56;

ListView* StateOf(HWND w);
DWORD StyleOf(HWND w);

// Geometry
void MeasureRows(ListView& lv);
int RowHeight(const ListView& lv);
int HeaderHeight(const ListView& lv);
int ColumnCount(const ListView& lv);
int ColumnWidth(const ListView& lv, int column);
int TotalWidth(const ListView& lv);
// A column's left and right in client coordinates (scrolling applied).
RECT ColumnSpan(const ListView& lv, int column);
RECT RowRect(const ListView& lv, int row);
RECT SubItemRect(const ListView& lv, int row, int column, int code);
int RowsPerPage(const ListView& lv);
LVHITTESTINFO HitTest(const ListView& lv, POINT p);
int TextWidth(const ListView& lv, std::u16string_view text);
// The small images' size; 0 by 0 without a small image list.
SIZE SmallImageSize(const ListView& lv);
// Autosizes a column (LVSCW_AUTOSIZE or LVSCW_AUTOSIZE_USEHEADER): its width.
int AutoWidth(const ListView& lv, int column, int how);
void Paint(ListView& lv);

// Layout and scrolling
void Layout(ListView& lv);
void UpdateScrollBars(ListView& lv);
void ScrollTo(ListView& lv, int top, int scrollX);
bool EnsureVisible(ListView& lv, int row, bool partialOk);

// Items, columns, states and notifications
LRESULT ItemMessages(ListView& lv, UINT message, WPARAM wParam, LPARAM lParam, bool& handled);
// The text shown for a cell: stored, or asked of the parent (LVN_GETDISPINFO).
std::u16string CellText(ListView& lv, int row, int column);
// Changes the masked state bits of a row (-1: every row) with
// LVN_ITEMCHANGING (which may refuse) and LVN_ITEMCHANGED.
bool SetState(ListView& lv, int row, UINT state, UINT mask);
bool SetText(ListView& lv, int row, int column, std::u16string text);
LRESULT NotifyListView(ListView& lv, UINT code, int row, int column, UINT newState, UINT oldState, UINT changed,
                       POINT action);
LRESULT NotifyActivate(ListView& lv, UINT code, int row, int column, POINT action, UINT keyFlags);
void Invalidate(ListView& lv);

// Keys and mouse
LRESULT Input(ListView& lv, UINT message, WPARAM wParam, LPARAM lParam, bool& handled);
// Focuses a row and selects it alone (or extends/toggles, as keys do).
void SelectByUser(ListView& lv, int row, bool shift, bool control);

// Label editing
HWND BeginEdit(ListView& lv, int row);
void EndEdit(ListView& lv, bool cancel);

}  // namespace comctl::lv
