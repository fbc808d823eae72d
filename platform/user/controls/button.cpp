// The button control: push buttons (default or not), check boxes (two and
// three states, automatic or not), radio buttons (automatic ones uncheck the
// rest of their group), group boxes and owner-drawn buttons.
#include <algorithm>

#include "platform/user/controls/control_classes.h"
#include "platform/user/controls/control_support.h"
#include "platform/user/message_crack.h"

namespace controls {
namespace {

struct Button {
  LRESULT check = BST_UNCHECKED;
  bool pushed = false;
  bool focused = false;
  bool tracking = false;  // the left button went down on it
  HFONT font = nullptr;
  HANDLE image = nullptr;
  WPARAM imageType = IMAGE_BITMAP;
};

DWORD Kind(HWND w) { return static_cast<DWORD>(GetWindowLongW(w, GWL_STYLE)) & BS_TYPEMASK; }
bool IsPush(DWORD kind) { return kind == BS_PUSHBUTTON || kind == BS_DEFPUSHBUTTON || kind == BS_PUSHBOX; }
bool IsCheck(DWORD kind) { return kind == BS_CHECKBOX || kind == BS_AUTOCHECKBOX || kind == BS_3STATE || kind == BS_AUTO3STATE; }
bool IsRadio(DWORD kind) { return kind == BS_RADIOBUTTON || kind == BS_AUTORADIOBUTTON; }

void Redraw(HWND w) {
  InvalidateRect(w, nullptr, TRUE);
}

// Automatic radio buttons: the others of the group are cleared.
void UncheckGroup(HWND self) {
  const HWND parent = GetParent(self);
  if (!parent) return;
  HWND start = self;
  while (!(GetWindowLongW(start, GWL_STYLE) & WS_GROUP)) {
    const HWND previous = GetWindow(start, GW_HWNDPREV);
    if (!previous) break;
    start = previous;
  }
  for (HWND w = start; w; w = GetWindow(w, GW_HWNDNEXT)) {
    if (w != start && (GetWindowLongW(w, GWL_STYLE) & WS_GROUP)) break;
    if (w != self && Kind(w) == BS_AUTORADIOBUTTON && SendMessageW(w, WM_GETDLGCODE, 0, 0) & DLGC_RADIOBUTTON)
      SendMessageW(w, BM_SETCHECK, BST_UNCHECKED, 0);
  }
}

// What a click does before BN_CLICKED goes out.
void Clicked(HWND w, Button& b) {
  switch (Kind(w)) {
    case BS_AUTOCHECKBOX: SendMessageW(w, BM_SETCHECK, b.check == BST_CHECKED ? BST_UNCHECKED : BST_CHECKED, 0); break;
    case BS_AUTO3STATE: SendMessageW(w, BM_SETCHECK, (b.check + 1) % 3, 0); break;
    case BS_AUTORADIOBUTTON:
      SendMessageW(w, BM_SETCHECK, BST_CHECKED, 0);
      UncheckGroup(w);
      break;
    default: break;
  }
  Notify(w, BN_CLICKED);
}

void SetPushed(HWND w, Button& b, bool pushed) {
  if (b.pushed == pushed) return;
  b.pushed = pushed;
  Redraw(w);
}

void DrawLabel(HDC dc, HWND w, RECT r, UINT format) {
  const std::u16string text = WindowText(w);
  SetBkMode(dc, TRANSPARENT);
  if (!IsWindowEnabled(w)) SetTextColor(dc, GetSysColor(COLOR_GRAYTEXT));
  DrawTextW(dc, text.c_str(), static_cast<int>(text.size()), &r, format);
}

RECT LabelBounds(HDC dc, HWND w, const RECT& area, UINT format) {
  const std::u16string text = WindowText(w);
  RECT r = area;
  DrawTextW(dc, text.c_str(), static_cast<int>(text.size()), &r, format | DT_CALCRECT);
  // Placed as drawn: vertically centred in the area, horizontally as aligned.
  const int h = r.bottom - r.top, width = r.right - r.left;
  r.top = area.top + (area.bottom - area.top - h) / 2;
  r.bottom = r.top + h;
  if (format & DT_CENTER) r.left = area.left + (area.right - area.left - width) / 2;
  r.right = r.left + width;
  return r;
}

// A button of the bitmap style shows its image (BM_SETIMAGE) centred in
// place of its text. False when it has none to show.
bool DrawImage(HDC dc, HWND w, const Button& b, const RECT& area) {
  const auto style = static_cast<DWORD>(GetWindowLongW(w, GWL_STYLE));
  if (!(style & BS_BITMAP) || !b.image || b.imageType != IMAGE_BITMAP) return false;
  const auto bitmap = static_cast<HBITMAP>(b.image);
  BITMAP info{};
  if (!GetObjectW(bitmap, sizeof info, &info)) return false;
  HDC memory = CreateCompatibleDC(dc);
  if (!memory) return false;
  HGDIOBJ old = SelectObject(memory, bitmap);
  const int x = area.left + (area.right - area.left - info.bmWidth) / 2;
  const int y = area.top + (area.bottom - area.top - info.bmHeight) / 2;
  BitBlt(dc, x, y, info.bmWidth, info.bmHeight, memory, 0, 0, SRCCOPY);
  SelectObject(memory, old);
  DeleteDC(memory);
  return true;
}

void PaintPush(HDC dc, HWND w, const Button& b, RECT r) {
  const bool isDefault = Kind(w) == BS_DEFPUSHBUTTON;
  if (isDefault) {
    FrameRect(dc, &r, GetSysColorBrush(COLOR_WINDOWFRAME));
    InflateRect(&r, -1, -1);
  }
  RECT face = r;
  DrawFrameControl(dc, &face, DFC_BUTTON, DFCS_BUTTONPUSH | (b.pushed ? DFCS_PUSHED : 0));
  RECT text = r;
  if (b.pushed) OffsetRect(&text, 1, 1);
  if (!DrawImage(dc, w, b, text)) DrawLabel(dc, w, text, DT_CENTER | DT_VCENTER | DT_SINGLELINE);
  if (b.focused) {
    RECT focus = r;
    InflateRect(&focus, -3, -3);
    DrawFocusRect(dc, &focus);
  }
}

void PaintCheck(HDC dc, HWND w, const Button& b, RECT r, bool radio) {
  const int box = 13;
  const DWORD style = static_cast<DWORD>(GetWindowLongW(w, GWL_STYLE));
  const bool leftText = (style & BS_LEFTTEXT) != 0;
  RECT mark{leftText ? r.right - box : r.left, r.top + (r.bottom - r.top - box) / 2, 0, 0};
  mark.right = mark.left + box;
  mark.bottom = mark.top + box;
  UINT state = radio ? DFCS_BUTTONRADIO : DFCS_BUTTONCHECK;
  if (b.check == BST_CHECKED) state |= DFCS_CHECKED;
  if (b.check == BST_INDETERMINATE) state |= DFCS_BUTTON3STATE | DFCS_CHECKED;
  if (b.pushed) state |= DFCS_PUSHED;
  if (!IsWindowEnabled(w)) state |= DFCS_INACTIVE;
  DrawFrameControl(dc, &mark, DFC_BUTTON, state);
  RECT area = r;
  if (leftText) area.right = mark.left - 4;
  else area.left = mark.right + 4;
  DrawLabel(dc, w, area, DT_LEFT | DT_VCENTER | DT_SINGLELINE);
  if (b.focused) {
    RECT focus = LabelBounds(dc, w, area, DT_LEFT | DT_VCENTER | DT_SINGLELINE);
    InflateRect(&focus, 1, 1);
    DrawFocusRect(dc, &focus);
  }
}

void PaintGroup(HDC dc, HWND w, RECT r) {
  TEXTMETRICW tm{};
  GetTextMetricsW(dc, &tm);
  RECT frame = r;
  frame.top += tm.tmHeight / 2;
  DrawEdge(dc, &frame, EDGE_ETCHED, BF_RECT);
  const std::u16string text = WindowText(w);
  if (text.empty()) return;
  RECT label{r.left + 8, r.top, r.right - 8, r.top + tm.tmHeight};
  RECT bounds = label;
  DrawTextW(dc, text.c_str(), static_cast<int>(text.size()), &bounds, DT_SINGLELINE | DT_CALCRECT);
  bounds.left -= 2;
  bounds.right += 2;
  FillRect(dc, &bounds, reinterpret_cast<HBRUSH>(GetCurrentObject(dc, OBJ_BRUSH)));
  DrawLabel(dc, w, label, DT_LEFT | DT_SINGLELINE);
}

void PaintOwnerDrawn(HDC dc, HWND w, const Button& b, const RECT& r) {
  DRAWITEMSTRUCT item{};
  item.CtlType = ODT_BUTTON;
  item.CtlID = static_cast<UINT>(GetDlgCtrlID(w));
  item.itemAction = ODA_DRAWENTIRE;
  item.itemState = (b.pushed ? ODS_SELECTED : 0) | (b.focused ? ODS_FOCUS : 0) | (IsWindowEnabled(w) ? 0 : ODS_DISABLED);
  item.hwndItem = w;
  item.hDC = dc;
  item.rcItem = r;
  SendMessageW(GetParent(w), WM_DRAWITEM, item.CtlID, reinterpret_cast<LPARAM>(&item));
}

void Paint(HWND w, Button& b) {
  PAINTSTRUCT ps;
  HDC dc = BeginPaint(w, &ps);
  RECT r;
  GetClientRect(w, &r);
  const DWORD kind = Kind(w);
  HGDIOBJ oldFont = SelectObject(dc, DrawingFont(b.font));
  if (kind == BS_OWNERDRAW) {
    PaintOwnerDrawn(dc, w, b, r);
  } else {
    // Push buttons ask WM_CTLCOLORBTN; the others are drawn like statics.
    HBRUSH brush = ParentBrush(w, dc, IsPush(kind) ? WM_CTLCOLORBTN : WM_CTLCOLORSTATIC, COLOR_3DFACE);
    FillRect(dc, &r, brush);
    HGDIOBJ oldBrush = SelectObject(dc, brush);
    if (IsPush(kind)) PaintPush(dc, w, b, r);
    else if (IsCheck(kind)) PaintCheck(dc, w, b, r, false);
    else if (IsRadio(kind)) PaintCheck(dc, w, b, r, true);
    else if (kind == BS_GROUPBOX) PaintGroup(dc, w, r);
    SelectObject(dc, oldBrush);
  }
  SelectObject(dc, oldFont);
  EndPaint(w, &ps);
}

LRESULT DialogCode(HWND w) {
  const DWORD kind = Kind(w);
  if (kind == BS_DEFPUSHBUTTON) return DLGC_BUTTON | DLGC_DEFPUSHBUTTON;
  if (kind == BS_PUSHBUTTON || kind == BS_PUSHBOX) return DLGC_BUTTON | DLGC_UNDEFPUSHBUTTON;
  if (IsRadio(kind)) return DLGC_BUTTON | DLGC_RADIOBUTTON;
  if (kind == BS_GROUPBOX) return DLGC_STATIC;
  return DLGC_BUTTON;
}

bool Inside(HWND w, WPARAM wParam, LPARAM lParam) {
  RECT r;
  GetClientRect(w, &r);
  return PtInRect(&r, crack::MouseOf(wParam, lParam).pt) != 0;
}

LRESULT Proc(HWND w, UINT message, WPARAM wParam, LPARAM lParam) {
  Button* b = StateOf<Button>(w);
  if (message == WM_NCCREATE) {
    MakeState<Button>(w);
    return DefWindowProcW(w, message, wParam, lParam);
  }
  if (!b) return DefWindowProcW(w, message, wParam, lParam);
  const DWORD kind = Kind(w);
  switch (message) {
    case WM_DESTROY:
      // The window's data is out of reach once WM_NCDESTROY starts.
      DropState<Button>(w);
      return DefWindowProcW(w, message, wParam, lParam);
    case WM_GETDLGCODE: return DialogCode(w);
    // A group box frames other controls and leaves the clicks to them.
    case WM_NCHITTEST:
      return kind == BS_GROUPBOX ? HTTRANSPARENT : DefWindowProcW(w, message, wParam, lParam);
    case WM_SETFONT:
      b->font = reinterpret_cast<HFONT>(wParam);
      if (LOWORD(static_cast<DWORD_PTR>(lParam))) Redraw(w);
      return 0;
    case WM_GETFONT: return reinterpret_cast<LRESULT>(b->font);
    case WM_ERASEBKGND: return 1;
    case WM_PAINT: Paint(w, *b); return 0;
    case WM_ENABLE: Redraw(w); return 0;
    case WM_SETTEXT: {
      const LRESULT r = DefWindowProcW(w, message, wParam, lParam);
      Redraw(w);
      return r;
    }
    case WM_LBUTTONDBLCLK:
      if (kind == BS_OWNERDRAW || IsRadio(kind) || (GetWindowLongW(w, GWL_STYLE) & BS_NOTIFY)) {
        Notify(w, BN_DOUBLECLICKED);
        return 0;
      }
      [[fallthrough]];
    case WM_LBUTTONDOWN:
      if (kind == BS_GROUPBOX) return 0;
      SetCapture(w);
      b->tracking = true;
      SetFocus(w);
      SetPushed(w, *b, true);
      return 0;
    case WM_MOUSEMOVE:
      if (b->tracking && GetCapture() == w) SetPushed(w, *b, Inside(w, wParam, lParam));
      return 0;
    case WM_LBUTTONUP: {
      if (!b->tracking) return 0;
      b->tracking = false;
      const bool click = b->pushed && Inside(w, wParam, lParam);
      SetPushed(w, *b, false);
      ReleaseCapture();
      if (click) Clicked(w, *b);
      return 0;
    }
    case WM_CAPTURECHANGED:
      if (b->tracking) {
        b->tracking = false;
        SetPushed(w, *b, false);
      }
      return 0;
    case WM_KEYDOWN:
      if (wParam == VK_SPACE && kind != BS_GROUPBOX) SetPushed(w, *b, true);
      return 0;
    case WM_KEYUP:
      if (wParam == VK_SPACE && b->pushed) {
        SetPushed(w, *b, false);
        Clicked(w, *b);
      }
      return 0;
    case WM_SETFOCUS:
      b->focused = true;
      Redraw(w);
      if (GetWindowLongW(w, GWL_STYLE) & BS_NOTIFY) Notify(w, BN_SETFOCUS);
      return 0;
    case WM_KILLFOCUS:
      b->focused = false;
      if (b->pushed && !b->tracking) SetPushed(w, *b, false);
      Redraw(w);
      if (GetWindowLongW(w, GWL_STYLE) & BS_NOTIFY) Notify(w, BN_KILLFOCUS);
      return 0;
    case BM_GETCHECK: return (IsCheck(kind) || IsRadio(kind)) ? b->check : BST_UNCHECKED;
    case BM_SETCHECK: {
      if (!IsCheck(kind) && !IsRadio(kind)) return 0;
      LRESULT value = static_cast<LRESULT>(wParam);
      if (value == BST_INDETERMINATE && kind != BS_3STATE && kind != BS_AUTO3STATE) value = BST_CHECKED;
      if (value < 0 || value > BST_INDETERMINATE) value = BST_CHECKED;
      if (b->check != value) {
        b->check = value;
        Redraw(w);
      }
      // An automatic radio button that is checked becomes the group's tab stop.
      if (kind == BS_AUTORADIOBUTTON) {
        const LONG style = GetWindowLongW(w, GWL_STYLE);
        SetWindowLongW(w, GWL_STYLE, value == BST_CHECKED ? (style | static_cast<LONG>(WS_TABSTOP)) : (style & ~static_cast<LONG>(WS_TABSTOP)));
      }
      return 0;
    }
    case BM_GETSTATE:
      return (IsCheck(kind) || IsRadio(kind) ? b->check : 0) | (b->pushed ? BST_PUSHED : 0) | (b->focused ? BST_FOCUS : 0);
    case BM_SETSTATE: SetPushed(w, *b, wParam != 0); return 0;
    case BM_SETSTYLE: {
      const LONG style = GetWindowLongW(w, GWL_STYLE);
      SetWindowLongW(w, GWL_STYLE, (style & ~0xFFFF) | static_cast<LONG>(wParam & 0xFFFF));
      if (lParam) Redraw(w);
      return 0;
    }
    case BM_CLICK:
      // "Simulates the user clicking a button": the button gets the mouse
      // messages and the parent BN_CLICKED (public documentation).
      if (!IsWindowEnabled(w) || kind == BS_GROUPBOX) return 0;
      SendMessageW(w, WM_LBUTTONDOWN, MK_LBUTTON, 0);
      SendMessageW(w, WM_LBUTTONUP, 0, 0);
      return 0;
    case BM_SETIMAGE: {
      HANDLE old = b->image;
      b->image = reinterpret_cast<HANDLE>(lParam);
      b->imageType = wParam;
      Redraw(w);
      return reinterpret_cast<LRESULT>(old);
    }
    case BM_GETIMAGE: return wParam == b->imageType ? reinterpret_cast<LRESULT>(b->image) : 0;
    default: return DefWindowProcW(w, message, wParam, lParam);
  }
}

}  // namespace

LRESULT ButtonProc(HWND w, UINT message, WPARAM wParam, LPARAM lParam) { return Proc(w, message, wParam, lParam); }

}  // namespace controls
