// The toolbar's state, shared by its message handling (toolbar.cpp) and its
// painting (toolbar_paint.cpp).
#pragma once

#include <string>
#include <vector>

#include "platform/comctl/toolbar.h"

namespace comctl {

struct ToolbarButton {
  int image = 0;
  int command = 0;
  BYTE state = TBSTATE_ENABLED;
  BYTE style = TBSTYLE_BUTTON;
  DWORD_PTR data = 0;
  INT_PTR string = -1;     // an index into the toolbar's strings, or -1
  std::u16string text;     // the button's own text (given as a pointer)
  WORD width = 0;          // set by TBIF_SIZE; 0: the common width
  RECT rect{};             // laid out; empty when hidden
  bool Separator() const { return (style & TBSTYLE_SEP) != 0; }
  bool Visible() const { return !(state & TBSTATE_HIDDEN); }
};

// A bitmap added with TB_ADDBITMAP, remembered for TB_REPLACEBITMAP.
struct ToolbarBitmap {
  HINSTANCE instance;
  UINT_PTR id;
  int first;
  int count;
};

struct Toolbar {
  std::vector<ToolbarButton> buttons;
  std::vector<std::u16string> strings;
  std::vector<ToolbarBitmap> bitmaps;
  HIMAGELIST own = nullptr;       // made from TB_ADDBITMAP strips
  HIMAGELIST images = nullptr;    // TB_SETIMAGELIST (the caller's)
  HIMAGELIST disabled = nullptr;  // TB_SETDISABLEDIMAGELIST
  HIMAGELIST hotImages = nullptr; // TB_SETHOTIMAGELIST
  SIZE bitmapSize{16, 15};
  SIZE buttonSize{24, 22};
  SIZE padding{7, 6};
  int indent = 0;
  DWORD exStyle = 0;
  UINT structSize = sizeof(TBBUTTON);
  int maxTextRows = 1;
  int rows = 1;
  HWND notify = nullptr;
  HWND tooltip = nullptr;
  bool ownTooltip = false;  // made by the toolbar (TBSTYLE_TOOLTIPS), destroyed with it
  int hot = -1;       // index of the hot button (flat style)
  int tracking = -1;  // index of the button the left button went down on
  int dropped = -1;   // index of the button whose drop-down is showing (TBN_DROPDOWN)
  HFONT font = nullptr;

  HIMAGELIST ImageList() const { return images ? images : own; }
};

// The size every button has (image, text and padding), and the layout of
// the buttons in a toolbar `width` wide; returns the height they need.
SIZE CommonButtonSize(const Toolbar& t);
int LayOut(Toolbar& t, DWORD style, int width);
// The text shown on a button; empty when none.
std::u16string ButtonText(const Toolbar& t, const ToolbarButton& b);
void PaintToolbar(HWND window, Toolbar& t);
// TB_ADDBITMAP, TB_REPLACEBITMAP (the caller redraws) and TB_ADDSTRING (toolbar_bitmaps.cpp).
LRESULT AddBitmap(Toolbar& t, WPARAM count, const TBADDBITMAP* add);
LRESULT ReplaceBitmap(HWND window, Toolbar& t, const TBREPLACEBITMAP* replace);
LRESULT AddStrings(Toolbar& t, HINSTANCE instance, LPARAM lParam, bool wide);
// Drop-down buttons (toolbar_dropdown.cpp). The arrow part is the strip at a
// BTNS_DROPDOWN button's right under TBSTYLE_EX_DRAWDDARROWS (a split button),
// and the arrow's place on a BTNS_WHOLEDROPDOWN button; both widen the button.
int DropArrowWidth(const Toolbar& t, const ToolbarButton& b);
bool HasSplitArrow(const Toolbar& t, const ToolbarButton& b);
RECT ArrowPart(const Toolbar& t, const ToolbarButton& b);
// The button's face without its split arrow part.
RECT MainPart(const Toolbar& t, const ToolbarButton& b);
// Whether a press at `p` on the button opens its drop-down.
bool DropsDownAt(const Toolbar& t, const ToolbarButton& b, POINT p);
// Sends TBN_DROPDOWN with the button shown pressed while the parent shows its
// drop-down; true when the parent asks for an ordinary press after it.
bool DropDown(HWND window, Toolbar& t, int index);
void PaintDropArrow(HDC dc, DWORD style, const Toolbar& t, const ToolbarButton& b, bool pressed, bool hot);
// Image drawing for controls: the embossed picture of a disabled image.
void DrawDisabledImage(HDC dc, HIMAGELIST list, int index, int x, int y);

}  // namespace comctl
