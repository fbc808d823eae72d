// The static control: text (left, centred, right, simple, without word
// wrap), icons, bitmaps, filled rectangles, frames and etched lines, owner
// drawing, and clicks reported with SS_NOTIFY.
#include "platform/resource/resource.h"
#include "platform/user/controls/control_classes.h"
#include "platform/user/controls/control_support.h"

namespace controls {
namespace {

struct Static {
  HFONT font = nullptr;
  HANDLE image = nullptr;  // icon or bitmap
};

void PaintText(HDC dc, HWND w, const RECT& r, DWORD style) {
  UINT format = DT_EXPANDTABS;
  switch (style & SS_TYPEMASK) {
    case SS_CENTER: format |= DT_CENTER | DT_WORDBREAK; break;
    case SS_RIGHT: format |= DT_RIGHT | DT_WORDBREAK; break;
    case SS_SIMPLE: format |= DT_SINGLELINE; break;
    case SS_LEFTNOWORDWRAP: break;
    default: format |= DT_WORDBREAK; break;
  }
  if (style & SS_NOPREFIX) format |= DT_NOPREFIX;
  if (style & SS_CENTERIMAGE) format |= DT_VCENTER | DT_SINGLELINE;
  if (style & SS_ENDELLIPSIS) format |= DT_END_ELLIPSIS;
  const std::u16string text = WindowText(w);
  RECT box = r;
  SetBkMode(dc, TRANSPARENT);
  if (!IsWindowEnabled(w)) SetTextColor(dc, GetSysColor(COLOR_GRAYTEXT));
  DrawTextW(dc, text.c_str(), static_cast<int>(text.size()), &box, format);
}

void PaintImage(HDC dc, HWND w, const Static& s, const RECT& r, DWORD type) {
  if (!s.image) return;
  if (type == SS_ICON) {
    DrawIconEx(dc, r.left, r.top, static_cast<HICON>(s.image), 0, 0, 0, nullptr, DI_NORMAL);
    return;
  }
  BITMAP bm{};
  if (!GetObject(s.image, sizeof bm, &bm)) return;
  HDC source = CreateCompatibleDC(dc);
  HGDIOBJ old = SelectObject(source, s.image);
  BitBlt(dc, r.left, r.top, bm.bmWidth, bm.bmHeight, source, 0, 0, SRCCOPY);
  SelectObject(source, old);
  DeleteDC(source);
}

void PaintShape(HDC dc, RECT r, DWORD type) {
  switch (type) {
    case SS_BLACKRECT: FillRect(dc, &r, GetSysColorBrush(COLOR_3DDKSHADOW)); break;
    case SS_GRAYRECT: FillRect(dc, &r, GetSysColorBrush(COLOR_3DSHADOW)); break;
    case SS_WHITERECT: FillRect(dc, &r, GetSysColorBrush(COLOR_3DHIGHLIGHT)); break;
    case SS_BLACKFRAME: FrameRect(dc, &r, GetSysColorBrush(COLOR_3DDKSHADOW)); break;
    case SS_GRAYFRAME: FrameRect(dc, &r, GetSysColorBrush(COLOR_3DSHADOW)); break;
    case SS_WHITEFRAME: FrameRect(dc, &r, GetSysColorBrush(COLOR_3DHIGHLIGHT)); break;
    case SS_ETCHEDHORZ: DrawEdge(dc, &r, EDGE_ETCHED, BF_TOP); break;
    case SS_ETCHEDVERT: DrawEdge(dc, &r, EDGE_ETCHED, BF_LEFT); break;
    case SS_ETCHEDFRAME: DrawEdge(dc, &r, EDGE_ETCHED, BF_RECT); break;
    default: break;
  }
}

void Paint(HWND w, Static& s) {
  PAINTSTRUCT ps;
  HDC dc = BeginPaint(w, &ps);
  RECT r;
  GetClientRect(w, &r);
  const DWORD style = static_cast<DWORD>(GetWindowLongW(w, GWL_STYLE));
  const DWORD type = style & SS_TYPEMASK;
  HGDIOBJ oldFont = SelectObject(dc, DrawingFont(s.font));
  if (type == SS_OWNERDRAW) {
    DRAWITEMSTRUCT item{};
    item.CtlType = ODT_STATIC;
    item.CtlID = static_cast<UINT>(GetDlgCtrlID(w));
    item.itemAction = ODA_DRAWENTIRE;
    item.itemState = IsWindowEnabled(w) ? 0 : ODS_DISABLED;
    item.hwndItem = w;
    item.hDC = dc;
    item.rcItem = r;
    SendMessageW(GetParent(w), WM_DRAWITEM, item.CtlID, reinterpret_cast<LPARAM>(&item));
  } else {
    FillRect(dc, &r, ParentBrush(w, dc, WM_CTLCOLORSTATIC, COLOR_3DFACE));
    if (type <= SS_RIGHT || type == SS_SIMPLE || type == SS_LEFTNOWORDWRAP) PaintText(dc, w, r, style);
    else if (type == SS_ICON || type == SS_BITMAP) PaintImage(dc, w, s, r, type);
    else PaintShape(dc, r, type);
  }
  SelectObject(dc, oldFont);
  EndPaint(w, &ps);
}

// An icon or bitmap static names its picture by the title: a resource of the
// module that created it ("#n" or a name), or an ordinal in the template.
void LoadTitleImage(HWND w, Static& s, const CREATESTRUCTW* cs) {
  const DWORD type = static_cast<DWORD>(cs->style) & SS_TYPEMASK;
  if ((type != SS_ICON && type != SS_BITMAP) || !cs->lpszName) return;
  const LPCWSTR name = cs->lpszName;
  const HINSTANCE module = cs->hInstance;
  if (type == SS_ICON) s.image = LoadIconW(module, name);
  else s.image = LoadBitmapW(module, name);
  if (type == SS_ICON && s.image) {
    // An icon static takes the size of its icon unless told to centre it.
    if (!(cs->style & SS_CENTERIMAGE))
      SetWindowPos(w, nullptr, 0, 0, GetSystemMetrics(SM_CXICON), GetSystemMetrics(SM_CYICON),
                   SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
  }
}

LRESULT Proc(HWND w, UINT message, WPARAM wParam, LPARAM lParam) {
  if (message == WM_NCCREATE) {
    MakeState<Static>(w);
    const auto* cs = reinterpret_cast<const CREATESTRUCTW*>(lParam);
    const DWORD type = static_cast<DWORD>(cs->style) & SS_TYPEMASK;
    // The title of an icon or bitmap static names its picture, not text.
    if (type == SS_ICON || type == SS_BITMAP) {
      CREATESTRUCTW copy = *cs;
      copy.lpszName = nullptr;
      return DefWindowProcW(w, message, wParam, reinterpret_cast<LPARAM>(&copy));
    }
    return DefWindowProcW(w, message, wParam, lParam);
  }
  Static* s = StateOf<Static>(w);
  if (!s) return DefWindowProcW(w, message, wParam, lParam);
  const DWORD style = static_cast<DWORD>(GetWindowLongW(w, GWL_STYLE));
  switch (message) {
    case WM_CREATE: LoadTitleImage(w, *s, reinterpret_cast<const CREATESTRUCTW*>(lParam)); return 0;
    case WM_DESTROY:
      // The window's data is out of reach once WM_NCDESTROY starts.
      DropState<Static>(w);
      return DefWindowProcW(w, message, wParam, lParam);
    case WM_GETDLGCODE: return DLGC_STATIC;
    case WM_NCHITTEST: return (style & SS_NOTIFY) ? HTCLIENT : HTTRANSPARENT;
    case WM_LBUTTONDOWN:
      if (style & SS_NOTIFY) Notify(w, STN_CLICKED);
      return 0;
    case WM_LBUTTONDBLCLK:
      if (style & SS_NOTIFY) Notify(w, STN_DBLCLK);
      return 0;
    case WM_ENABLE:
      if (style & SS_NOTIFY) Notify(w, wParam ? STN_ENABLE : STN_DISABLE);
      InvalidateRect(w, nullptr, TRUE);
      return 0;
    case WM_SETFONT:
      s->font = reinterpret_cast<HFONT>(wParam);
      if (LOWORD(static_cast<DWORD_PTR>(lParam))) InvalidateRect(w, nullptr, TRUE);
      return 0;
    case WM_GETFONT: return reinterpret_cast<LRESULT>(s->font);
    case WM_SETTEXT: {
      const LRESULT r = DefWindowProcW(w, message, wParam, lParam);
      InvalidateRect(w, nullptr, TRUE);
      return r;
    }
    case WM_ERASEBKGND: return 1;
    case WM_PAINT: Paint(w, *s); return 0;
    case STM_SETICON:
    case STM_SETIMAGE: {
      const DWORD type = style & SS_TYPEMASK;
      const bool wantIcon = message == STM_SETICON || wParam == IMAGE_ICON || wParam == IMAGE_CURSOR;
      if ((type == SS_ICON) != wantIcon && !(type == SS_BITMAP && !wantIcon)) return 0;
      HANDLE old = s->image;
      s->image = reinterpret_cast<HANDLE>(message == STM_SETICON ? static_cast<LPARAM>(wParam) : lParam);
      InvalidateRect(w, nullptr, TRUE);
      return reinterpret_cast<LRESULT>(old);
    }
    case STM_GETICON: return (style & SS_TYPEMASK) == SS_ICON ? reinterpret_cast<LRESULT>(s->image) : 0;
    case STM_GETIMAGE: return reinterpret_cast<LRESULT>(s->image);
    default: return DefWindowProcW(w, message, wParam, lParam);
  }
}

}  // namespace

LRESULT StaticProc(HWND w, UINT message, WPARAM wParam, LPARAM lParam) { return Proc(w, message, wParam, lParam); }

}  // namespace controls
