// The tooltip control: its tools, the timing of a tip on the layer's clock,
// and the tip window itself.
#include <vector>

#include "platform/comctl/comctl_classes.h"
#include "platform/comctl/control_state.h"
#include "platform/comctl/tooltips.h"
#include "platform/user/message_crack.h"

namespace comctl {
namespace {

constexpr UINT_PTR kShowTimer = 1, kPopTimer = 2;
constexpr size_t kToolTextUnits = 80;  // the notification's own buffer

struct Tool {
  UINT flags = 0;
  HWND hwnd = nullptr;
  UINT_PTR id = 0;
  RECT rect{};
  HINSTANCE hinst = nullptr;
  bool callback = false;
  LPCWSTR resource = nullptr;  // an integer string id in hinst
  std::u16string text;
  LPARAM lParam = 0;
};

struct Tooltip {
  std::vector<Tool> tools;
  bool active = true;
  UINT initial = 0, autopop = 0, reshow = 0;  // 0: from the double-click time
  COLORREF background = CLR_DEFAULT, foreground = CLR_DEFAULT;
  int maxWidth = -1;
  RECT margin{};
  HFONT font = nullptr;
  int pending = -1;  // the tool under the mouse, waiting for its delay
  int shown = -1;    // the tool whose tip is up
  std::u16string shownText;
  bool tracking = false;
  POINT trackAt{};
  POINT lastMouse{};  // screen
};

UINT Delay(const Tooltip& t, WPARAM which) {
  const UINT base = GetDoubleClickTime();
  switch (which) {
    case TTDT_INITIAL: return t.initial ? t.initial : base;
    case TTDT_AUTOPOP: return t.autopop ? t.autopop : base * 10;
    case TTDT_RESHOW: return t.reshow ? t.reshow : base / 5;
    default: return 0;
  }
}

bool Same(const Tool& tool, HWND hwnd, UINT_PTR id) { return tool.hwnd == hwnd && tool.id == id; }

int FindTool(const Tooltip& t, HWND hwnd, UINT_PTR id) {
  for (size_t i = 0; i < t.tools.size(); ++i)
    if (Same(t.tools[i], hwnd, id)) return static_cast<int>(i);
  return -1;
}

// The tool under a point of `window`'s client area; -1 when none.
int ToolAt(const Tooltip& t, HWND window, POINT client) {
  for (size_t i = 0; i < t.tools.size(); ++i) {
    const Tool& tool = t.tools[i];
    if (tool.flags & TTF_IDISHWND) {
      if (reinterpret_cast<HWND>(tool.id) == window) return static_cast<int>(i);
    } else if (tool.hwnd == window && PtInRect(&tool.rect, client)) {
      return static_cast<int>(i);
    }
  }
  return -1;
}

// The common part of the W and A tool structures.
struct ToolFields {
  UINT cbSize, uFlags;
  HWND hwnd;
  UINT_PTR uId;
  RECT rect;
  HINSTANCE hinst;
};
template <class Info>
bool ReadFields(const Info* info, Tool& tool) {
  if (!info || info->cbSize < offsetof(Info, lParam)) return false;
  tool.flags = info->uFlags;
  tool.hwnd = info->hwnd;
  tool.id = info->uId;
  tool.rect = info->rect;
  tool.hinst = info->hinst;
  tool.lParam = info->cbSize >= offsetof(Info, lpReserved) ? info->lParam : 0;
  return true;
}

void SetText(Tool& tool, LPCWSTR wide, LPCSTR ansi, bool isAnsi) {
  const void* p = isAnsi ? static_cast<const void*>(ansi) : static_cast<const void*>(wide);
  tool.callback = p == LPSTR_TEXTCALLBACKW;
  tool.resource = nullptr;
  tool.text.clear();
  if (tool.callback || !p) return;
  if (IS_INTRESOURCE(p)) {
    tool.resource = static_cast<LPCWSTR>(p);
    return;
  }
  tool.text = isAnsi ? FromAnsi(ansi) : FromWide(wide);
}

template <class Info>
void WriteFields(const Tool& tool, Info* info, bool withText) {
  info->uFlags = tool.flags;
  info->hwnd = tool.hwnd;
  info->uId = tool.id;
  info->rect = tool.rect;
  info->hinst = tool.hinst;
  if (info->cbSize >= offsetof(Info, lpReserved)) info->lParam = tool.lParam;
  if (!withText || !info->lpszText) return;
  if constexpr (std::is_same_v<Info, TTTOOLINFOW>) {
    if (tool.callback) info->lpszText = LPSTR_TEXTCALLBACKW;
    else CopyText(tool.text, info->lpszText, static_cast<int>(kToolTextUnits));
  } else {
    if (tool.callback) info->lpszText = LPSTR_TEXTCALLBACKA;
    else CopyText(tool.text, info->lpszText, static_cast<int>(kToolTextUnits));
  }
}

std::u16string LoadResourceText(HINSTANCE module, LPCWSTR id) {
  WCHAR buffer[512];
  const int n = LoadStringW(module, static_cast<UINT>(reinterpret_cast<uintptr_t>(id)), buffer, 512);
  return std::u16string(buffer, static_cast<size_t>(n > 0 ? n : 0));
}

// A string the tool's window handed back, read up to a bound.
std::u16string Bounded(LPCWSTR text) {
  std::u16string out;
  for (size_t i = 0; text[i] && i < 4096; ++i) out.push_back(text[i]);
  return out;
}

// The text of a tool, asking its window when the tool says so.
std::u16string TextOf(HWND self, Tool& tool) {
  if (tool.resource) return LoadResourceText(tool.hinst, tool.resource);
  if (!tool.callback) return tool.text;
  std::u16string text;
  HINSTANCE module = tool.hinst;
  UINT flags = tool.flags;
  if (IsWindowUnicode(tool.hwnd)) {
    NMTTDISPINFOW info{};
    info.hinst = tool.hinst;
    info.uFlags = tool.flags;
    info.lParam = tool.lParam;
    NMHDR& h = info.hdr;
    h.hwndFrom = self;
    h.idFrom = tool.id;
    h.code = TTN_GETDISPINFOW;
    SendMessageW(tool.hwnd, WM_NOTIFY, tool.id, reinterpret_cast<LPARAM>(&info));
    info.szText[79] = 0;
    module = info.hinst;
    flags = info.uFlags;
    if (info.lpszText && IS_INTRESOURCE(info.lpszText) && module) text = LoadResourceText(module, info.lpszText);
    else if (info.lpszText && !IS_INTRESOURCE(info.lpszText) && info.lpszText != LPSTR_TEXTCALLBACKW)
      text = Bounded(info.lpszText);
    else text = info.szText;
  } else {
    NMTTDISPINFOA info{};
    info.hinst = tool.hinst;
    info.uFlags = tool.flags;
    info.lParam = tool.lParam;
    info.hdr.hwndFrom = self;
    info.hdr.idFrom = tool.id;
    info.hdr.code = TTN_GETDISPINFOA;
    SendMessageW(tool.hwnd, WM_NOTIFY, tool.id, reinterpret_cast<LPARAM>(&info));
    info.szText[79] = 0;
    module = info.hinst;
    flags = info.uFlags;
    if (info.lpszText && IS_INTRESOURCE(info.lpszText) && module)
      text = LoadResourceText(module, reinterpret_cast<LPCWSTR>(info.lpszText));
    else if (info.lpszText && !IS_INTRESOURCE(info.lpszText) && info.lpszText != LPSTR_TEXTCALLBACKA) {
      std::string bounded;
      for (size_t i = 0; info.lpszText[i] && i < 4096; ++i) bounded.push_back(info.lpszText[i]);
      text = FromAnsi(bounded.c_str());
    } else text = FromAnsi(info.szText);
  }
  if (flags & TTF_DI_SETITEM) {
    tool.callback = false;
    tool.text = text;
  }
  return text;
}

COLORREF Colour(COLORREF c, int system) { return c == CLR_DEFAULT ? GetSysColor(system) : c; }

UINT TextFormat(HWND self, const Tooltip& t) {
  UINT format = DT_LEFT | DT_NOPREFIX;
  if (!(GetWindowLongW(self, GWL_STYLE) & TTS_NOPREFIX)) format &= ~DT_NOPREFIX;
  format |= t.maxWidth >= 0 ? DT_WORDBREAK : DT_SINGLELINE;
  return format;
}

SIZE TipSize(HWND self, const Tooltip& t, const std::u16string& text) {
  HDC dc = CreateCompatibleDC(nullptr);
  HGDIOBJ old = SelectObject(dc, DrawingFont(t.font));
  RECT r{0, 0, t.maxWidth >= 0 ? t.maxWidth : 10000, 0};
  DrawTextW(dc, text.c_str(), static_cast<int>(text.size()), &r, TextFormat(self, t) | DT_CALCRECT);
  SelectObject(dc, old);
  DeleteDC(dc);
  return SIZE{r.right - r.left + 8 + t.margin.left + t.margin.right, r.bottom - r.top + 4 + t.margin.top + t.margin.bottom};
}

void Hide(HWND self, Tooltip& t, bool notify) {
  KillTimer(self, kPopTimer);
  if (t.shown < 0) return;
  Tool& tool = t.tools[static_cast<size_t>(t.shown)];
  t.shown = -1;
  ShowWindow(self, SW_HIDE);
  if (notify) {
    NMHDR h{self, tool.id, TTN_POP};
    SendMessageW(tool.hwnd, WM_NOTIFY, tool.id, reinterpret_cast<LPARAM>(&h));
  }
}

void Show(HWND self, Tooltip& t, int index) {
  Hide(self, t, true);
  if (index < 0 || index >= static_cast<int>(t.tools.size()) || !t.active) return;
  Tool& tool = t.tools[static_cast<size_t>(index)];
  std::u16string text = TextOf(self, tool);
  if (text.empty()) return;
  t.shown = index;
  t.shownText = std::move(text);
  NMHDR h{self, tool.id, TTN_SHOW};
  const bool placed = SendMessageW(tool.hwnd, WM_NOTIFY, tool.id, reinterpret_cast<LPARAM>(&h)) != 0;
  const SIZE size = TipSize(self, t, t.shownText);
  if (!placed) {
    POINT at = t.lastMouse;
    if (t.tracking) at = t.trackAt;
    else if (tool.flags & TTF_CENTERTIP) {
      RECT r = tool.rect;
      if (tool.flags & TTF_IDISHWND) GetClientRect(reinterpret_cast<HWND>(tool.id), &r);
      POINT bottom{(r.left + r.right) / 2, r.bottom};
      ClientToScreen((tool.flags & TTF_IDISHWND) ? reinterpret_cast<HWND>(tool.id) : tool.hwnd, &bottom);
      at = POINT{bottom.x - size.cx / 2, bottom.y + 2};
    } else {
      at.y += 20;  // below the pointer
    }
    SetWindowPos(self, nullptr, at.x, at.y, size.cx, size.cy, SWP_NOZORDER | SWP_NOACTIVATE);
  } else {
    SetWindowPos(self, nullptr, 0, 0, size.cx, size.cy, SWP_NOZORDER | SWP_NOACTIVATE | SWP_NOMOVE);
  }
  ShowWindow(self, SW_SHOWNOACTIVATE);
  InvalidateRect(self, nullptr, TRUE);
  if (!t.tracking) SetTimer(self, kPopTimer, Delay(t, TTDT_AUTOPOP), nullptr);
}

void Relay(HWND self, Tooltip& t, const MSG* msg) {
  if (!msg || !t.active || t.tracking) return;
  switch (msg->message) {
    case WM_MOUSEMOVE: {
      const POINT client = crack::MouseOf(msg->wParam, msg->lParam).pt;
      POINT screen = client;
      ClientToScreen(msg->hwnd, &screen);
      t.lastMouse = screen;
      const int tool = ToolAt(t, msg->hwnd, client);
      if (tool == t.shown && tool >= 0) return;
      if (tool < 0) {
        KillTimer(self, kShowTimer);
        t.pending = -1;
        Hide(self, t, true);
        return;
      }
      if (tool == t.pending) return;
      // Moving from one tip to another tool waits only the reshow delay.
      const UINT wait = t.shown >= 0 ? Delay(t, TTDT_RESHOW) : Delay(t, TTDT_INITIAL);
      Hide(self, t, true);
      t.pending = tool;
      SetTimer(self, kShowTimer, wait, nullptr);
      return;
    }
    case WM_LBUTTONDOWN:
    case WM_LBUTTONUP:
    case WM_RBUTTONDOWN:
    case WM_RBUTTONUP:
    case WM_MBUTTONDOWN:
    case WM_MBUTTONUP:
    case WM_NCMOUSEMOVE:
      KillTimer(self, kShowTimer);
      t.pending = -1;
      Hide(self, t, true);
      return;
    default: return;
  }
}

void Paint(HWND self, Tooltip& t) {
  PAINTSTRUCT ps;
  HDC dc = BeginPaint(self, &ps);
  RECT r;
  GetClientRect(self, &r);
  HBRUSH back = CreateSolidBrush(Colour(t.background, COLOR_INFOBK));
  FillRect(dc, &r, back);
  DeleteObject(back);
  HBRUSH frame = CreateSolidBrush(Colour(t.foreground, COLOR_INFOTEXT));
  FrameRect(dc, &r, frame);
  DeleteObject(frame);
  HGDIOBJ old = SelectObject(dc, DrawingFont(t.font));
  SetBkMode(dc, TRANSPARENT);
  SetTextColor(dc, Colour(t.foreground, COLOR_INFOTEXT));
  RECT text{r.left + 4 + t.margin.left, r.top + 2 + t.margin.top, r.right - 4 - t.margin.right, r.bottom - 2 - t.margin.bottom};
  DrawTextW(dc, t.shownText.c_str(), static_cast<int>(t.shownText.size()), &text, TextFormat(self, t));
  SelectObject(dc, old);
  EndPaint(self, &ps);
}

// Tools that asked for TTF_SUBCLASS: the tooltip sees their mouse messages.
constexpr const char16_t* kSubclassTip = u"TavTooltipSubclass.tip";
constexpr const char16_t* kSubclassProc = u"TavTooltipSubclass.proc";

LRESULT SubclassProc(HWND w, UINT message, WPARAM wParam, LPARAM lParam) {
  const auto previous = reinterpret_cast<WNDPROC>(GetPropW(w, kSubclassProc));
  const auto tip = static_cast<HWND>(GetPropW(w, kSubclassTip));
  if (tip && ((message >= WM_MOUSEFIRST && message <= WM_MOUSELAST) || message == WM_NCMOUSEMOVE)) {
    MSG msg{w, message, wParam, lParam, 0, {}};
    SendMessageW(tip, TTM_RELAYEVENT, 0, reinterpret_cast<LPARAM>(&msg));
  }
  if (message == WM_NCDESTROY) {
    RemovePropW(w, kSubclassTip);
    RemovePropW(w, kSubclassProc);
    if (previous) SetWindowLongPtrW(w, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(previous));
  }
  return previous ? CallWindowProcW(previous, w, message, wParam, lParam) : DefWindowProcW(w, message, wParam, lParam);
}

void Subclass(HWND self, const Tool& tool) {
  if (!(tool.flags & TTF_SUBCLASS)) return;
  const HWND target = (tool.flags & TTF_IDISHWND) ? reinterpret_cast<HWND>(tool.id) : tool.hwnd;
  if (!IsWindow(target) || GetPropW(target, kSubclassProc)) return;
  SetPropW(target, kSubclassTip, self);
  SetPropW(target, kSubclassProc,
           reinterpret_cast<HANDLE>(SetWindowLongPtrW(target, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(SubclassProc))));
}

template <class Info>
LRESULT AddTool(HWND self, Tooltip& t, const Info* info) {
  Tool tool;
  if (!ReadFields(info, tool)) return FALSE;
  if constexpr (std::is_same_v<Info, TTTOOLINFOW>) SetText(tool, info->lpszText, nullptr, false);
  else SetText(tool, nullptr, info->lpszText, true);
  const int existing = FindTool(t, tool.hwnd, tool.id);
  if (existing >= 0) t.tools[static_cast<size_t>(existing)] = tool;
  else t.tools.push_back(tool);
  Subclass(self, tool);
  return TRUE;
}

template <class Info>
int Lookup(const Tooltip& t, const Info* info) {
  if (!info) return -1;
  return FindTool(t, info->hwnd, info->uId);
}

void DeleteTool(HWND self, Tooltip& t, int index) {
  if (index < 0) return;
  if (t.shown == index) Hide(self, t, true);
  if (t.pending == index) {
    KillTimer(self, kShowTimer);
    t.pending = -1;
  }
  t.tools.erase(t.tools.begin() + index);
  if (t.shown > index) --t.shown;
  if (t.pending > index) --t.pending;
}

template <class Info>
LRESULT ToolMessage(HWND self, Tooltip& t, UINT message, WPARAM wParam, Info* info) {
  constexpr bool wide = std::is_same_v<Info, TTTOOLINFOW>;
  switch (message) {
    case TTM_ADDTOOLW:
    case TTM_ADDTOOLA: return AddTool(self, t, info);
    case TTM_DELTOOLW:
    case TTM_DELTOOLA: DeleteTool(self, t, Lookup(t, info)); return 0;
    case TTM_NEWTOOLRECTW:
    case TTM_NEWTOOLRECTA: {
      const int i = Lookup(t, info);
      if (i >= 0) t.tools[static_cast<size_t>(i)].rect = info->rect;
      return 0;
    }
    case TTM_GETTOOLINFOW:
    case TTM_GETTOOLINFOA: {
      const int i = Lookup(t, info);
      if (i < 0) return FALSE;
      WriteFields(t.tools[static_cast<size_t>(i)], info, true);
      return TRUE;
    }
    case TTM_SETTOOLINFOW:
    case TTM_SETTOOLINFOA: {
      const int i = Lookup(t, info);
      if (i < 0) return 0;
      Tool& tool = t.tools[static_cast<size_t>(i)];
      ReadFields(info, tool);
      if constexpr (wide) SetText(tool, info->lpszText, nullptr, false);
      else SetText(tool, nullptr, info->lpszText, true);
      return 0;
    }
    case TTM_UPDATETIPTEXTW:
    case TTM_UPDATETIPTEXTA: {
      const int i = Lookup(t, info);
      if (i < 0) return 0;
      Tool& tool = t.tools[static_cast<size_t>(i)];
      if constexpr (wide) SetText(tool, info->lpszText, nullptr, false);
      else SetText(tool, nullptr, info->lpszText, true);
      if (t.shown == i) {
        t.shownText = TextOf(self, tool);
        InvalidateRect(self, nullptr, TRUE);
      }
      return 0;
    }
    case TTM_GETTEXTW:
    case TTM_GETTEXTA: {
      const int i = Lookup(t, info);
      if (!info || !info->lpszText) return 0;
      const std::u16string text = i >= 0 ? TextOf(self, t.tools[static_cast<size_t>(i)]) : std::u16string();
      // A size of 0 is the older form of the message, whose buffer is the
      // classic 80 units.
      const int size = wParam ? static_cast<int>(std::min<WPARAM>(wParam, 0x7FFFFFFF)) : static_cast<int>(kToolTextUnits);
      if constexpr (wide) CopyText(text, info->lpszText, size);
      else CopyText(text, info->lpszText, size);
      return 0;
    }
    case TTM_ENUMTOOLSW:
    case TTM_ENUMTOOLSA:
      if (!info || wParam >= t.tools.size()) return FALSE;
      WriteFields(t.tools[wParam], info, true);
      return TRUE;
    case TTM_GETCURRENTTOOLW:
    case TTM_GETCURRENTTOOLA:
      if (t.shown < 0) return FALSE;
      if (info) WriteFields(t.tools[static_cast<size_t>(t.shown)], info, true);
      return TRUE;
    default: return 0;
  }
}

template <class HitInfo>
LRESULT HitTest(const Tooltip& t, HitInfo* hit) {
  if (!hit) return FALSE;
  const int i = ToolAt(t, hit->hwnd, hit->pt);
  if (i < 0) return FALSE;
  hit->ti.cbSize = sizeof hit->ti;
  hit->ti.lpszText = nullptr;
  WriteFields(t.tools[static_cast<size_t>(i)], &hit->ti, false);
  return TRUE;
}

LRESULT Proc(HWND w, UINT message, WPARAM wParam, LPARAM lParam) {
  if (message == WM_NCCREATE) {
    MakeState<Tooltip>(w);
    // A tip is a pop-up whatever it was created as.
    SetWindowLongW(w, GWL_STYLE, (GetWindowLongW(w, GWL_STYLE) & ~static_cast<LONG>(WS_CHILD)) | static_cast<LONG>(WS_POPUP));
    return DefWindowProcW(w, message, wParam, lParam);
  }
  Tooltip* t = StateOf<Tooltip>(w);
  if (!t) return DefWindowProcW(w, message, wParam, lParam);
  switch (message) {
    case WM_NCDESTROY:
      DropState<Tooltip>(w);
      return DefWindowProcW(w, message, wParam, lParam);
    case WM_TIMER:
      if (wParam == kShowTimer) {
        KillTimer(w, kShowTimer);
        const int tool = t->pending;
        t->pending = -1;
        Show(w, *t, tool);
      } else if (wParam == kPopTimer) {
        Hide(w, *t, true);
      }
      return 0;
    case WM_PAINT: Paint(w, *t); return 0;
    case WM_ERASEBKGND: return 1;
    case WM_NCHITTEST: return HTTRANSPARENT;
    case WM_MOUSEACTIVATE: return MA_NOACTIVATE;
    case WM_SETFONT: t->font = reinterpret_cast<HFONT>(wParam); return 0;
    case WM_GETFONT: return reinterpret_cast<LRESULT>(t->font);
    case WM_GETTEXTLENGTH: return static_cast<LRESULT>(t->shown >= 0 ? t->shownText.size() : 0);
    case WM_GETTEXT:
      return CopyText(t->shown >= 0 ? t->shownText : std::u16string(), reinterpret_cast<LPWSTR>(lParam),
                      static_cast<int>(wParam));
    case TTM_ACTIVATE:
      t->active = wParam != 0;
      if (!t->active) {
        KillTimer(w, kShowTimer);
        t->pending = -1;
        Hide(w, *t, true);
      }
      return 0;
    case TTM_SETDELAYTIME: {
      const int value = static_cast<SHORT>(LOWORD(static_cast<DWORD_PTR>(lParam)));
      const UINT v = value < 0 ? 0 : static_cast<UINT>(value);
      switch (wParam) {
        case TTDT_AUTOMATIC:
          t->initial = v;
          t->autopop = v * 10;
          t->reshow = v / 5;
          if (v == 0) t->initial = t->autopop = t->reshow = 0;
          break;
        case TTDT_INITIAL: t->initial = v; break;
        case TTDT_AUTOPOP: t->autopop = v; break;
        case TTDT_RESHOW: t->reshow = v; break;
        default: break;
      }
      return 0;
    }
    case TTM_GETDELAYTIME: return static_cast<LRESULT>(Delay(*t, wParam));
    case TTM_RELAYEVENT: Relay(w, *t, reinterpret_cast<const MSG*>(lParam)); return 0;
    case TTM_GETTOOLCOUNT: return static_cast<LRESULT>(t->tools.size());
    case TTM_POP:
      KillTimer(w, kShowTimer);
      t->pending = -1;
      Hide(w, *t, true);
      return 0;
    case TTM_POPUP:
      if (t->pending >= 0) {
        KillTimer(w, kShowTimer);
        const int tool = t->pending;
        t->pending = -1;
        Show(w, *t, tool);
      }
      return 0;
    case TTM_UPDATE: InvalidateRect(w, nullptr, TRUE); return 0;
    case TTM_SETTIPBKCOLOR: t->background = static_cast<COLORREF>(wParam); return 0;
    case TTM_SETTIPTEXTCOLOR: t->foreground = static_cast<COLORREF>(wParam); return 0;
    case TTM_GETTIPBKCOLOR: return Colour(t->background, COLOR_INFOBK);
    case TTM_GETTIPTEXTCOLOR: return Colour(t->foreground, COLOR_INFOTEXT);
    case TTM_SETMAXTIPWIDTH: {
      const int old = t->maxWidth;
      t->maxWidth = static_cast<int>(lParam);
      return old;
    }
    case TTM_GETMAXTIPWIDTH: return t->maxWidth;
    case TTM_SETMARGIN:
      if (lParam) t->margin = *reinterpret_cast<const RECT*>(lParam);
      return 0;
    case TTM_GETMARGIN:
      if (lParam) *reinterpret_cast<RECT*>(lParam) = t->margin;
      return 0;
    case TTM_TRACKPOSITION:
      t->trackAt = POINT{crack::LowShort(lParam), crack::HighShort(lParam)};
      if (t->tracking && t->shown >= 0)
        SetWindowPos(w, nullptr, t->trackAt.x, t->trackAt.y, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
      return 0;
    case TTM_TRACKACTIVATE: {
      const int i = Lookup(*t, reinterpret_cast<const TTTOOLINFOW*>(lParam));
      if (wParam && i >= 0) {
        t->tracking = true;
        Show(w, *t, i);
      } else {
        Hide(w, *t, true);
        t->tracking = false;
      }
      return 0;
    }
    case TTM_HITTESTW: return HitTest(*t, reinterpret_cast<TTHITTESTINFOW*>(lParam));
    case TTM_HITTESTA: return HitTest(*t, reinterpret_cast<TTHITTESTINFOA*>(lParam));
    case TTM_ADDTOOLW:
    case TTM_DELTOOLW:
    case TTM_NEWTOOLRECTW:
    case TTM_GETTOOLINFOW:
    case TTM_SETTOOLINFOW:
    case TTM_UPDATETIPTEXTW:
    case TTM_GETTEXTW:
    case TTM_ENUMTOOLSW:
    case TTM_GETCURRENTTOOLW:
      return ToolMessage(w, *t, message, wParam, reinterpret_cast<TTTOOLINFOW*>(lParam));
    case TTM_ADDTOOLA:
    case TTM_DELTOOLA:
    case TTM_NEWTOOLRECTA:
    case TTM_GETTOOLINFOA:
    case TTM_SETTOOLINFOA:
    case TTM_UPDATETIPTEXTA:
    case TTM_GETTEXTA:
    case TTM_ENUMTOOLSA:
    case TTM_GETCURRENTTOOLA:
      return ToolMessage(w, *t, message, wParam, reinterpret_cast<TTTOOLINFOA*>(lParam));
    default: return DefWindowProcW(w, message, wParam, lParam);
  }
}

}  // namespace

LRESULT TooltipProc(HWND w, UINT message, WPARAM wParam, LPARAM lParam) { return Proc(w, message, wParam, lParam); }

}  // namespace comctl
