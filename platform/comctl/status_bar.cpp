// The status bar control.
#include <algorithm>
#include <array>
#include <vector>

#include "platform/comctl/comctl_classes.h"
#include "platform/comctl/control_state.h"
#include "platform/comctl/status_bar.h"
#include "platform/comctl/tooltips.h"

namespace comctl {
namespace {

constexpr size_t kMaxParts = 256;
constexpr int kHorizontalBorder = 0, kVerticalBorder = 2, kSpacing = 2, kGrip = 14;

struct Part {
  int right = -1;  // the right edge; -1 reaches the control's right edge
  std::u16string text;
  UINT type = 0;   // SBT_ flags
  LPARAM data = 0; // an owner-drawn part's value
  HICON icon = nullptr;
  std::u16string tip;
};

struct StatusBar {
  std::vector<Part> parts{Part{}};
  Part simple;
  bool simpleMode = false;
  int minHeight = 0;
  HFONT font = nullptr;
  COLORREF background = CLR_DEFAULT;
  bool placing = false;
  HWND tooltip = nullptr;  // SBARS_TOOLTIPS: shows the parts' tip texts
};

DWORD StyleOf(HWND w) { return static_cast<DWORD>(GetWindowLongW(w, GWL_STYLE)); }

int BarHeight(const StatusBar& s) {
  return std::max(s.minHeight + 2 * kVerticalBorder, FontHeight(s.font) + 2 * kVerticalBorder + 4);
}

// Along the parent's bottom (or top), across its width, at the height the font needs.
void Place(HWND w, StatusBar& s) {
  const DWORD style = StyleOf(w);
  const HWND parent = GetParent(w);
  if (!parent || (style & CCS_NORESIZE) || s.placing) return;
  RECT client;
  GetClientRect(parent, &client);
  const int height = BarHeight(s);
  s.placing = true;
  if (style & CCS_NOPARENTALIGN) {
    SetWindowPos(w, nullptr, 0, 0, client.right, height, SWP_NOZORDER | SWP_NOACTIVATE | SWP_NOMOVE);
  } else {
    const int y = (style & 0x3) == CCS_TOP ? 0 : client.bottom - height;
    SetWindowPos(w, nullptr, 0, y, client.right, height, SWP_NOZORDER | SWP_NOACTIVATE);
  }
  s.placing = false;
}

// The rectangle of part `index` (SB_SIMPLEID in simple mode: the whole bar).
RECT PartRect(HWND w, const StatusBar& s, size_t index) {
  RECT client;
  GetClientRect(w, &client);
  RECT r{kHorizontalBorder, kVerticalBorder, client.right - kHorizontalBorder, client.bottom - kVerticalBorder + 1};
  if (s.simpleMode || index >= s.parts.size()) return r;
  r.left = index == 0 ? kHorizontalBorder : s.parts[index - 1].right + kSpacing;
  if (index > 0 && s.parts[index - 1].right < 0) r.left = client.right;
  r.right = s.parts[index].right < 0 ? client.right : s.parts[index].right;
  if (r.right > client.right) r.right = client.right;
  return r;
}

Part* PartAt(StatusBar& s, WPARAM index) {
  index &= 0xFF;
  if (index == SB_SIMPLEID) return &s.simple;
  return index < s.parts.size() ? &s.parts[index] : nullptr;
}

void DrawPartText(HDC dc, const Part& part, RECT r) {
  if (part.icon) {
    const int size = std::min(16, static_cast<int>(r.bottom - r.top - 2));
    DrawIconEx(dc, r.left + 2, r.top + (r.bottom - r.top - size) / 2, part.icon, size, size, 0, nullptr, DI_NORMAL);
    r.left += size + 4;
  }
  r.left += 2;
  r.right -= 2;
  std::array<std::u16string, 3> pieces;  // left, centre, right
  if (part.type & SBT_NOTABPARSING) {
    pieces[0] = part.text;
  } else {
    size_t piece = 0;
    for (char16_t c : part.text) {
      if (c == u'\t' && piece < 2) ++piece;
      else pieces[piece].push_back(c);
    }
  }
  const UINT formats[3] = {DT_LEFT, DT_CENTER, DT_RIGHT};
  for (size_t i = 0; i < 3; ++i)
    if (!pieces[i].empty())
      DrawTextW(dc, pieces[i].c_str(), static_cast<int>(pieces[i].size()), &r,
                formats[i] | DT_VCENTER | DT_SINGLELINE | DT_NOPREFIX);
}

void DrawPart(HWND w, HDC dc, const Part& part, RECT r, UINT index) {
  if (!(part.type & SBT_NOBORDERS)) {
    RECT edge = r;
    DrawEdge(dc, &edge, (part.type & SBT_POPOUT) ? BDR_RAISEDINNER : BDR_SUNKENOUTER, BF_RECT);
  }
  RECT inner = r;
  InflateRect(&inner, -1, -1);
  if (part.type & SBT_OWNERDRAW) {
    DRAWITEMSTRUCT item{};
    item.CtlID = static_cast<UINT>(GetDlgCtrlID(w));
    item.itemID = index;
    item.itemAction = ODA_DRAWENTIRE;
    item.hwndItem = w;
    item.hDC = dc;
    item.rcItem = inner;
    item.itemData = static_cast<ULONG_PTR>(part.data);
    SendMessageW(GetParent(w), WM_DRAWITEM, item.CtlID, reinterpret_cast<LPARAM>(&item));
    return;
  }
  DrawPartText(dc, part, inner);
}

void DrawGrip(HDC dc, const RECT& client) {
  // Three pairs of diagonal lines in the bottom-right corner.
  for (int i = 0; i < 3; ++i) {
    const int offset = 3 + i * 4;
    for (int line = 0; line < 3; ++line) {
      const int colour = line == 0 ? COLOR_3DHILIGHT : COLOR_3DSHADOW;
      const int d = offset + line;
      HPEN pen = CreatePen(PS_SOLID, 1, GetSysColor(colour));
      HGDIOBJ old = SelectObject(dc, pen);
      MoveToEx(dc, client.right - d, client.bottom - 1, nullptr);
      LineTo(dc, client.right, client.bottom - 1 - d);
      SelectObject(dc, old);
      DeleteObject(pen);
      if (line == 2) break;
    }
  }
}

void Paint(HWND w, StatusBar& s) {
  PAINTSTRUCT ps;
  HDC dc = BeginPaint(w, &ps);
  RECT client;
  GetClientRect(w, &client);
  HBRUSH back = s.background == CLR_DEFAULT ? GetSysColorBrush(COLOR_3DFACE) : CreateSolidBrush(s.background);
  FillRect(dc, &client, back);
  if (s.background != CLR_DEFAULT) DeleteObject(back);
  HGDIOBJ oldFont = SelectObject(dc, DrawingFont(s.font));
  SetBkMode(dc, TRANSPARENT);
  SetTextColor(dc, GetSysColor(COLOR_BTNTEXT));
  if (s.simpleMode) {
    DrawPart(w, dc, s.simple, PartRect(w, s, SB_SIMPLEID), SB_SIMPLEID);
  } else {
    for (size_t i = 0; i < s.parts.size(); ++i) {
      RECT r = PartRect(w, s, i);
      if ((StyleOf(w) & SBARS_SIZEGRIP) && s.parts[i].right < 0) r.right -= kGrip;
      if (r.right > r.left) DrawPart(w, dc, s.parts[i], r, static_cast<UINT>(i));
    }
  }
  if (StyleOf(w) & SBARS_SIZEGRIP) DrawGrip(dc, client);
  SelectObject(dc, oldFont);
  EndPaint(w, &ps);
}

void Redraw(HWND w) { InvalidateRect(w, nullptr, TRUE); }

// One tool for each part with a tip text, over the part.
void SyncTips(HWND w, const StatusBar& s) {
  if (!s.tooltip) return;
  TTTOOLINFOW info{};
  info.cbSize = sizeof info;
  while (SendMessageW(s.tooltip, TTM_ENUMTOOLSW, 0, reinterpret_cast<LPARAM>(&info)))
    SendMessageW(s.tooltip, TTM_DELTOOLW, 0, reinterpret_cast<LPARAM>(&info));
  if (s.simpleMode) return;
  for (size_t i = 0; i < s.parts.size(); ++i) {
    if (s.parts[i].tip.empty()) continue;
    TTTOOLINFOW tool{};
    tool.cbSize = sizeof tool;
    tool.hwnd = w;
    tool.uId = i;
    tool.rect = PartRect(w, s, i);
    tool.lpszText = const_cast<LPWSTR>(s.parts[i].tip.c_str());
    SendMessageW(s.tooltip, TTM_ADDTOOLW, 0, reinterpret_cast<LPARAM>(&tool));
  }
}

void Relay(const StatusBar& s, HWND w, UINT message, WPARAM wParam, LPARAM lParam) {
  if (!s.tooltip) return;
  MSG msg{w, message, wParam, lParam, GetMessageTime(), {}};
  SendMessageW(s.tooltip, TTM_RELAYEVENT, 0, reinterpret_cast<LPARAM>(&msg));
}

LRESULT SetText(HWND w, StatusBar& s, WPARAM wParam, std::u16string text, LPARAM raw) {
  Part* part = PartAt(s, wParam);
  if (!part) return FALSE;
  part->type = static_cast<UINT>(wParam) & 0xFF00;
  if (part->type & SBT_OWNERDRAW) {
    part->data = raw;
    part->text.clear();
  } else {
    part->text = std::move(text);
  }
  Redraw(w);
  return TRUE;
}

// SB_GETTEXT / SB_GETTEXTLENGTH answer: length in the low word, type in the high.
LRESULT LengthAndType(const Part& part, size_t length) {
  return static_cast<LRESULT>(MAKELONG(static_cast<WORD>(length), static_cast<WORD>(part.type)));
}

size_t AnsiLength(const std::u16string& text) {
  const int n = WideCharToMultiByte(CP_ACP, 0, text.data(), static_cast<int>(text.size()), nullptr, 0, nullptr, nullptr);
  return static_cast<size_t>(std::max(n, 0));
}

LRESULT GetText(const StatusBar& s, WPARAM index, LPARAM buffer, bool wide) {
  const Part* part = PartAt(const_cast<StatusBar&>(s), index);
  if (!part) return 0;
  if (part->type & SBT_OWNERDRAW) return part->data;
  if (wide) {
    if (buffer) CopyText(part->text, reinterpret_cast<LPWSTR>(buffer), static_cast<int>(part->text.size()) + 1);
    return LengthAndType(*part, part->text.size());
  }
  const size_t bytes = AnsiLength(part->text);
  if (buffer) CopyText(part->text, reinterpret_cast<LPSTR>(buffer), static_cast<int>(bytes) + 1);
  return LengthAndType(*part, bytes);
}

LRESULT Proc(HWND w, UINT message, WPARAM wParam, LPARAM lParam) {
  if (message == WM_NCCREATE) {
    MakeState<StatusBar>(w);
    return DefWindowProcW(w, message, wParam, lParam);
  }
  StatusBar* sp = StateOf<StatusBar>(w);
  if (!sp) return DefWindowProcW(w, message, wParam, lParam);
  StatusBar& s = *sp;
  switch (message) {
    case WM_CREATE: {
      const auto* cs = reinterpret_cast<const CREATESTRUCTW*>(lParam);
      if (cs->lpszName && !IS_INTRESOURCE(cs->lpszName)) s.parts[0].text = cs->lpszName;
      if (StyleOf(w) & SBARS_TOOLTIPS)
        s.tooltip = CreateWindowExW(WS_EX_TOPMOST, TOOLTIPS_CLASSW, nullptr, WS_POPUP | TTS_ALWAYSTIP, 0, 0, 0, 0, w,
                                    nullptr, nullptr, nullptr);
      Place(w, s);
      return 0;
    }
    case WM_DESTROY:
      if (s.tooltip && IsWindow(s.tooltip)) DestroyWindow(s.tooltip);
      s.tooltip = nullptr;
      return 0;
    case WM_MOUSEMOVE:
    case WM_LBUTTONDOWN:
    case WM_LBUTTONUP:
    case WM_RBUTTONDOWN:
    case WM_RBUTTONUP:
      Relay(s, w, message, wParam, lParam);
      return DefWindowProcW(w, message, wParam, lParam);
    case WM_NCDESTROY:
      DropState<StatusBar>(w);
      return DefWindowProcW(w, message, wParam, lParam);
    case WM_SIZE:
      Place(w, s);
      SyncTips(w, s);
      Redraw(w);
      return 0;
    case WM_PAINT: Paint(w, s); return 0;
    case WM_ERASEBKGND: return 1;
    case WM_NCHITTEST: {
      if (StyleOf(w) & SBARS_SIZEGRIP) {
        POINT p{static_cast<SHORT>(LOWORD(static_cast<DWORD_PTR>(lParam))), static_cast<SHORT>(HIWORD(static_cast<DWORD_PTR>(lParam)))};
        ScreenToClient(w, &p);
        RECT client;
        GetClientRect(w, &client);
        if (p.x >= client.right - kGrip && p.y >= client.bottom - kGrip) return HTBOTTOMRIGHT;
      }
      return DefWindowProcW(w, message, wParam, lParam);
    }
    case WM_SETFONT:
      s.font = reinterpret_cast<HFONT>(wParam);
      Place(w, s);
      if (lParam) Redraw(w);
      return 0;
    case WM_GETFONT: return reinterpret_cast<LRESULT>(s.font);
    case WM_SETTEXT: {
      const auto* text = reinterpret_cast<LPCWSTR>(lParam);
      return SetText(w, s, 0, FromWide(text), lParam);
    }
    case WM_GETTEXTLENGTH: return static_cast<LRESULT>(s.parts[0].type & SBT_OWNERDRAW ? 0 : s.parts[0].text.size());
    case WM_GETTEXT:
      if (s.parts[0].type & SBT_OWNERDRAW) return CopyText(u"", reinterpret_cast<LPWSTR>(lParam), static_cast<int>(wParam));
      return CopyText(s.parts[0].text, reinterpret_cast<LPWSTR>(lParam), static_cast<int>(wParam));
    case SB_SETTEXTW:
      return SetText(w, s, wParam, (wParam & SBT_OWNERDRAW) ? std::u16string() : FromWide(reinterpret_cast<LPCWSTR>(lParam)), lParam);
    case SB_SETTEXTA:
      return SetText(w, s, wParam, (wParam & SBT_OWNERDRAW) ? std::u16string() : FromAnsi(reinterpret_cast<LPCSTR>(lParam)), lParam);
    case SB_GETTEXTW: return GetText(s, wParam, lParam, true);
    case SB_GETTEXTA: return GetText(s, wParam, lParam, false);
    case SB_GETTEXTLENGTHW:
    case SB_GETTEXTLENGTHA: {
      const Part* part = PartAt(s, wParam);
      if (!part) return 0;
      if (part->type & SBT_OWNERDRAW) return LengthAndType(*part, 0);
      return LengthAndType(*part, message == SB_GETTEXTLENGTHW ? part->text.size() : AnsiLength(part->text));
    }
    case SB_SETPARTS: {
      const auto* rights = reinterpret_cast<const int*>(lParam);
      if (wParam == 0 || wParam > kMaxParts || !rights) return FALSE;
      std::vector<Part> parts(wParam);
      for (size_t i = 0; i < wParam; ++i) {
        if (i < s.parts.size()) parts[i] = s.parts[i];
        parts[i].right = rights[i];
      }
      s.parts = std::move(parts);
      SyncTips(w, s);
      Redraw(w);
      return TRUE;
    }
    case SB_GETPARTS: {
      auto* rights = reinterpret_cast<int*>(lParam);
      if (rights)
        for (size_t i = 0; i < std::min(static_cast<size_t>(wParam), s.parts.size()); ++i) rights[i] = s.parts[i].right;
      return static_cast<LRESULT>(s.parts.size());
    }
    case SB_GETBORDERS: {
      auto* borders = reinterpret_cast<int*>(lParam);
      if (!borders) return FALSE;
      borders[0] = kHorizontalBorder;
      borders[1] = kVerticalBorder;
      borders[2] = kSpacing;
      return TRUE;
    }
    case SB_SETMINHEIGHT:
      s.minHeight = static_cast<int>(wParam);
      Place(w, s);
      return 0;
    case SB_SIMPLE: {
      const bool simple = wParam != 0;
      if (simple == s.simpleMode) return 0;
      s.simpleMode = simple;
      SyncTips(w, s);
      Redraw(w);
      SendNotify(w, SBN_SIMPLEMODECHANGE);
      return 0;
    }
    case SB_ISSIMPLE: return s.simpleMode ? TRUE : FALSE;
    case SB_GETRECT: {
      auto* out = reinterpret_cast<RECT*>(lParam);
      if (!out || (!s.simpleMode && wParam >= s.parts.size())) return FALSE;
      *out = PartRect(w, s, s.simpleMode ? SB_SIMPLEID : wParam);
      return TRUE;
    }
    case SB_SETICON: {
      Part* part = PartAt(s, static_cast<WPARAM>(static_cast<int>(wParam) == -1 ? SB_SIMPLEID : wParam));
      if (!part) return FALSE;
      part->icon = reinterpret_cast<HICON>(lParam);
      Redraw(w);
      return TRUE;
    }
    case SB_GETICON: {
      const Part* part = PartAt(s, static_cast<WPARAM>(static_cast<int>(wParam) == -1 ? SB_SIMPLEID : wParam));
      return part ? reinterpret_cast<LRESULT>(part->icon) : 0;
    }
    case SB_SETTIPTEXTW:
    case SB_SETTIPTEXTA: {
      Part* part = PartAt(s, wParam);
      if (part)
        part->tip = message == SB_SETTIPTEXTW ? FromWide(reinterpret_cast<LPCWSTR>(lParam)) : FromAnsi(reinterpret_cast<LPCSTR>(lParam));
      SyncTips(w, s);
      return 0;
    }
    case SB_GETTIPTEXTW:
    case SB_GETTIPTEXTA: {
      const Part* part = PartAt(s, LOWORD(wParam));
      const int size = HIWORD(wParam);
      const std::u16string tip = part ? part->tip : std::u16string();
      if (message == SB_GETTIPTEXTW) CopyText(tip, reinterpret_cast<LPWSTR>(lParam), size);
      else CopyText(tip, reinterpret_cast<LPSTR>(lParam), size);
      return 0;
    }
    case SB_SETBKCOLOR: {
      const COLORREF old = s.background;
      s.background = static_cast<COLORREF>(lParam);
      Redraw(w);
      return old;
    }
    default: return DefWindowProcW(w, message, wParam, lParam);
  }
}

}  // namespace

LRESULT StatusBarProc(HWND w, UINT message, WPARAM wParam, LPARAM lParam) { return Proc(w, message, wParam, lParam); }

}  // namespace comctl

HWND CreateStatusWindowW(LONG style, LPCWSTR text, HWND parent, UINT id) {
  return CreateWindowExW(0, STATUSCLASSNAMEW, text, static_cast<DWORD>(style), 0, 0, 0, 0, parent,
                         reinterpret_cast<HMENU>(static_cast<uintptr_t>(id)), nullptr, nullptr);
}

HWND CreateStatusWindowA(LONG style, LPCSTR text, HWND parent, UINT id) {
  const std::u16string wide = comctl::FromAnsi(text);
  return CreateStatusWindowW(style, text ? wide.c_str() : nullptr, parent, id);
}
