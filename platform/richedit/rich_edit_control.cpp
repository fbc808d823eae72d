// The rich-edit control ("RichEdit20W" and "RichEdit20A"): the text
// services hosted in a window, with the caret, selection by mouse and keys,
// typing, the clipboard and the notifications its parent asks for.

#include "platform/richedit/rich_edit_control.h"

#include <algorithm>
#include <memory>
#include <string>

#include "platform/nls/nls.h"
#include "platform/richedit/plain_text.h"
#include "platform/richedit/rtf.h"
#include "platform/richedit/text_host_defaults.h"
#include "platform/user/clipboard.h"
#include "platform/user/controls/controls.h"
#include "platform/user/message_crack.h"

namespace richedit {

// The host a control gives its services: its window, its colours, its style.
class ControlHost final : public FormatKeepingHost {
 public:
  explicit ControlHost(HWND window) : window_(window) {
    const LONG style = GetWindowLongW(window, GWL_STYLE);
    bits_ = TXTBIT_RICHTEXT;
    if (style & ES_MULTILINE) bits_ |= TXTBIT_MULTILINE | TXTBIT_WORDWRAP;
    if (style & ES_READONLY) bits_ |= TXTBIT_READONLY;
  }
  HRESULT QueryInterface(REFIID, void** object) override {
    if (object) *object = nullptr;
    return E_NOINTERFACE;
  }
  ULONG AddRef() override { return 1; }
  ULONG Release() override { return 1; }
  HDC TxGetDC() override { return GetDC(window_); }
  INT TxReleaseDC(HDC dc) override { return ReleaseDC(window_, dc); }
  void TxInvalidateRect(LPCRECT rect, BOOL erase) override { InvalidateRect(window_, rect, erase); }
  BOOL TxCreateCaret(HBITMAP bitmap, INT width, INT height) override {
    return CreateCaret(window_, bitmap, width, height);
  }
  BOOL TxShowCaret(BOOL show) override { return show ? ShowCaret(window_) : HideCaret(window_); }
  BOOL TxSetCaretPos(INT x, INT y) override { return SetCaretPos(x, y); }
  void TxSetCapture(BOOL capture) override {
    if (capture) SetCapture(window_);
    else ReleaseCapture();
  }
  void TxSetFocus() override { SetFocus(window_); }
  void TxSetCursor(HCURSOR cursor, BOOL) override { SetCursor(cursor); }
  BOOL TxScreenToClient(LPPOINT point) override { return ScreenToClient(window_, point); }
  BOOL TxClientToScreen(LPPOINT point) override { return ClientToScreen(window_, point); }
  HRESULT TxGetClientRect(LPRECT rect) override { return GetClientRect(window_, rect) ? S_OK : E_FAIL; }
  HRESULT TxGetViewInset(LPRECT inset) override {
    *inset = RECT{1, 1, 1, 1};
    return S_OK;
  }
  HRESULT TxGetBackStyle(TXTBACKSTYLE* style) override {
    *style = TXTBACK_OPAQUE;
    return S_OK;
  }
  HRESULT TxGetMaxLength(DWORD* length) override {
    *length = 32767;  // the control's default limit until EM_EXLIMITTEXT
    return S_OK;
  }
  HRESULT TxGetPropertyBits(DWORD mask, DWORD* bits) override {
    *bits = bits_ & mask;
    return S_OK;
  }
  HRESULT TxGetSelectionBarWidth(LONG* width) override {
    *width = 0;
    return S_OK;
  }

 private:
  HWND window_;
  DWORD bits_;
};

Control::~Control() {
  if (services) services->Release();
}

Control* StateOf(HWND window) { return reinterpret_cast<Control*>(GetWindowLongPtrW(window, 0)); }

LRESULT Send(Control& c, UINT msg, WPARAM wParam, LPARAM lParam) {
  LRESULT result = 0;
  c.services->TxSendMessage(msg, wParam, lParam, &result);
  return result;
}

void Command(HWND window, WORD code) {
  const HWND parent = GetParent(window);
  if (parent) SendMessageW(parent, WM_COMMAND, MAKELONG(static_cast<WORD>(GetDlgCtrlID(window)), code),
                           reinterpret_cast<LPARAM>(window));
}

RECT TextArea(HWND window) {
  RECT client{};
  GetClientRect(window, &client);
  return RECT{client.left + 1, client.top + 1, std::max(client.left + 2, client.right - 1), client.bottom - 1};
}

RECT DrawingBounds(HWND window, const Control& c) {
  RECT area = TextArea(window);
  area.top -= ScrollTop(c);
  return area;
}

void Refresh(HWND window, Control& c) {
  HDC dc = GetDC(window);
  if (dc) {
    const RECT bounds = DrawingBounds(window, c);
    // Draw through a clip that keeps nothing: the layout is what is wanted.
    const int saved = SaveDC(dc);
    IntersectClipRect(dc, 0, 0, 0, 0);
    c.services->TxDraw(DVASPECT_CONTENT, 0, nullptr, nullptr, dc, nullptr, &bounds, nullptr, nullptr, nullptr, 0,
                       TXTVIEW_ACTIVE);
    RestoreDC(dc, saved);
    ReleaseDC(window, dc);
  }
  UpdateScrollBar(window, c);
  // A frozen document keeps what the window shows until it thaws.
  if (!c.services->Frozen()) InvalidateRect(window, nullptr, FALSE);
}

void PlaceCaret(HWND window, Control& c) {
  if (!c.focused) return;
  const CHARRANGE sel = c.services->Selection();
  int height = 0;
  const POINT at = c.services->PointFromChar(static_cast<size_t>(sel.cpMax), &height);
  if (height <= 0) height = 16;
  DestroyCaret();
  CreateCaret(window, nullptr, 1, height);
  SetCaretPos(at.x, at.y);
  if (sel.cpMin == sel.cpMax) ShowCaret(window);
}

namespace {

// Runs an action and sends what it changed: EN_UPDATE, EN_CHANGE and EN_SELCHANGE as the mask asks.
template <typename Action>
LRESULT Notifying(HWND window, Control& c, Action action) {
  const uint64_t changes = c.services->changes();
  const CHARRANGE before = c.services->Selection();
  const LRESULT result = action();
  const bool changed = c.services->changes() != changes;
  const CHARRANGE after = c.services->Selection();
  if (changed || before.cpMin != after.cpMin || before.cpMax != after.cpMax) {
    Refresh(window, c);
    // What the person does stays in view (a program's changes scroll nothing).
    if (c.focused) ScrollCaretIntoView(window, c);
    PlaceCaret(window, c);
  }
  if (changed && (c.eventMask & ENM_UPDATE)) Command(window, EN_UPDATE);
  if (changed && (c.eventMask & ENM_CHANGE)) Command(window, EN_CHANGE);
  if ((before.cpMin != after.cpMin || before.cpMax != after.cpMax) && (c.eventMask & ENM_SELCHANGE)) {
    SELCHANGE note{};
    note.nmhdr = NMHDR{window, static_cast<UINT_PTR>(GetDlgCtrlID(window)), EN_SELCHANGE};
    note.chrg = after;
    note.seltyp = after.cpMin == after.cpMax ? SEL_EMPTY : SEL_TEXT;
    if (const HWND parent = GetParent(window)) {
      SendMessageW(parent, WM_NOTIFY, static_cast<WPARAM>(GetDlgCtrlID(window)), reinterpret_cast<LPARAM>(&note));
    }
  }
  return result;
}

void Select(Control& c, size_t anchor, size_t caret) {
  c.anchor = anchor;
  c.services->SetSelectionRange(static_cast<LONG>(std::min(anchor, caret)), static_cast<LONG>(std::max(anchor, caret)));
}

size_t CaretOf(const Control& c) {
  const CHARRANGE sel = c.services->Selection();
  return static_cast<size_t>(static_cast<size_t>(sel.cpMin) == c.anchor ? sel.cpMax : sel.cpMin);
}

void Copy(HWND window, Control& c) {
  const CHARRANGE sel = c.services->Selection();
  if (sel.cpMin == sel.cpMax || !OpenClipboard(window)) return;
  EmptyClipboard();
  const std::u16string text =
      ExportLineEnds(c.services->document().text().substr(sel.cpMin, sel.cpMax - sel.cpMin), true);
  if (HGLOBAL h = GlobalAlloc(GMEM_MOVEABLE, (text.size() + 1) * 2)) {
    auto* p = static_cast<char16_t*>(GlobalLock(h));
    std::copy(text.begin(), text.end(), p);
    p[text.size()] = 0;
    GlobalUnlock(h);
    SetClipboardData(CF_UNICODETEXT, h);
  }
  const std::string rtf = WriteRtf(c.services->document(), sel.cpMin, sel.cpMax);
  if (HGLOBAL h = GlobalAlloc(GMEM_MOVEABLE, rtf.size() + 1)) {
    auto* p = static_cast<char*>(GlobalLock(h));
    std::copy(rtf.begin(), rtf.end(), p);
    p[rtf.size()] = 0;
    GlobalUnlock(h);
    SetClipboardData(RegisterClipboardFormatA("Rich Text Format"), h);
  }
  CloseClipboard();
}

void Paste(HWND window, Control& c) {
  if (c.services->ReadOnly() || !OpenClipboard(window)) return;
  const UINT rtfFormat = RegisterClipboardFormatA("Rich Text Format");
  if (HANDLE h = GetClipboardData(rtfFormat)) {
    const auto* p = static_cast<const char*>(GlobalLock(h));
    const size_t size = GlobalSize(h);
    const std::string rtf(p, p ? std::find(p, p + size, '\0') - p : 0);
    GlobalUnlock(h);
    SETTEXTEX how{ST_SELECTION | ST_KEEPUNDO, CP_ACP};
    Send(c, EM_SETTEXTEX, reinterpret_cast<WPARAM>(&how), reinterpret_cast<LPARAM>(rtf.c_str()));
  } else if (HANDLE h = GetClipboardData(CF_UNICODETEXT)) {
    const auto* p = static_cast<const char16_t*>(GlobalLock(h));
    const size_t units = GlobalSize(h) / 2;
    const std::u16string text(p, p ? std::find(p, p + units, u'\0') - p : 0);
    GlobalUnlock(h);
    Send(c, EM_REPLACESEL, TRUE, reinterpret_cast<LPARAM>(text.c_str()));
  }
  CloseClipboard();
}

LRESULT KeyDown(HWND window, Control& c, WPARAM key) {
  const bool shift = GetKeyState(VK_SHIFT) < 0, control = GetKeyState(VK_CONTROL) < 0;
  const size_t size = c.services->document().size();
  const std::u16string& text = c.services->document().text();
  const CHARRANGE sel = c.services->Selection();
  size_t caret = CaretOf(c);
  auto move = [&](size_t to) {
    Select(c, shift ? c.anchor : to, to);
    return 0;
  };
  switch (key) {
    case VK_LEFT:
      if (!shift && sel.cpMin != sel.cpMax) return move(sel.cpMin);
      if (caret > 0) caret -= (caret >= 2 && IsTrailSurrogate(text[caret - 1])) ? 2 : 1;
      return move(caret);
    case VK_RIGHT:
      if (!shift && sel.cpMin != sel.cpMax) return move(sel.cpMax);
      if (caret < size) caret += (caret + 1 < size && IsLeadSurrogate(text[caret])) ? 2 : 1;
      return move(caret);
    case VK_HOME:
      return move(control ? 0 : c.services->document().ParagraphStart(c.services->document().ParagraphOf(caret)));
    case VK_END:
      return move(control ? size : c.services->document().ParagraphEnd(c.services->document().ParagraphOf(caret)));
    case VK_UP:
      return move(c.services->LineStep(caret, -1));
    case VK_DOWN:
      return move(c.services->LineStep(caret, 1));
    case VK_BACK:
    case VK_DELETE:
      if (c.services->ReadOnly()) return 0;
      if (sel.cpMin == sel.cpMax) {
        if (key == VK_BACK && caret == 0) return 0;
        if (key == VK_DELETE && caret >= size) return 0;
        const size_t from = key == VK_BACK ? caret - ((caret >= 2 && IsTrailSurrogate(text[caret - 1])) ? 2 : 1) : caret;
        const size_t to = key == VK_BACK ? caret : caret + ((caret + 1 < size && IsLeadSurrogate(text[caret])) ? 2 : 1);
        c.services->SetSelectionRange(static_cast<LONG>(from), static_cast<LONG>(to));
      }
      Send(c, EM_REPLACESEL, TRUE, reinterpret_cast<LPARAM>(u""));
      c.anchor = static_cast<size_t>(c.services->Selection().cpMin);
      return 0;
    default:
      break;
  }
  if (control) {
    switch (key) {
      case 'A':
        Select(c, 0, size);
        break;
      case 'C':
      case VK_INSERT:
        Copy(window, c);
        break;
      case 'X':
        Copy(window, c);
        if (!c.services->ReadOnly()) Send(c, EM_REPLACESEL, TRUE, reinterpret_cast<LPARAM>(u""));
        break;
      case 'V':
        Paste(window, c);
        break;
      case 'Z':
      case 'Y':
        Send(c, key == 'Z' ? EM_UNDO : EM_REDO);
        c.anchor = static_cast<size_t>(c.services->Selection().cpMin);
        break;
      default:
        break;
    }
  } else if (shift && key == VK_INSERT) {
    Paste(window, c);
  }
  return 0;
}

LRESULT Char(HWND window, Control& c, WPARAM ch) {
  if (c.services->ReadOnly() || GetKeyState(VK_CONTROL) < 0) return 0;
  const auto unit = static_cast<char16_t>(ch);
  if (unit < 0x20 && unit != u'\r' && unit != u'\t') return 0;
  if (unit == u'\r' && !(GetWindowLongW(window, GWL_STYLE) & ES_MULTILINE)) return 0;
  const char16_t text[2] = {unit, 0};
  Send(c, EM_REPLACESEL, TRUE, reinterpret_cast<LPARAM>(text));  // each character can be undone
  c.anchor = static_cast<size_t>(c.services->Selection().cpMin);
  return 0;
}

void Paint(HWND window, Control& c) {
  PAINTSTRUCT paint{};
  HDC dc = BeginPaint(window, &paint);
  RECT client{};
  GetClientRect(window, &client);
  const bool disabled = !IsWindowEnabled(window);
  UniqueBrush back(CreateSolidBrush(GetSysColor(disabled ? COLOR_BTNFACE : COLOR_WINDOW)));
  FillRect(dc, &client, back.get());
  const RECT area = TextArea(window);
  const RECT bounds = DrawingBounds(window, c);
  const int saved = SaveDC(dc);
  IntersectClipRect(dc, area.left, area.top, area.right, area.bottom);  // lines scrolled above stay hidden
  c.services->TxDraw(DVASPECT_CONTENT, 0, nullptr, nullptr, dc, nullptr, &bounds, nullptr, nullptr, nullptr, 0,
                     TXTVIEW_ACTIVE);
  RestoreDC(dc, saved);
  EndPaint(window, &paint);
}

LONG LineOfChar(Control& c, size_t cp) { return static_cast<LONG>(Send(c, EM_EXLINEFROMCHAR, 0, static_cast<LPARAM>(cp))); }

// The first character of a laid-out line (-1: the caret's); -1 past the last.
LRESULT LineIndex(Control& c, LONG line) {
  const size_t size = c.services->document().size();
  if (line < 0) line = LineOfChar(c, CaretOf(c));
  if (line > LineOfChar(c, size)) return -1;
  size_t low = 0, high = size;  // lines grow with the character index
  while (low < high) {
    const size_t mid = (low + high) / 2;
    if (LineOfChar(c, mid) < line) low = mid + 1;
    else high = mid;
  }
  return static_cast<LRESULT>(low);
}

// The characters of the line holding cp (-1: the caret's), its break left out.
LRESULT LineLength(Control& c, LPARAM cp) {
  const size_t size = c.services->document().size();
  const size_t at = cp < 0 ? CaretOf(c) : std::min(static_cast<size_t>(cp), size);
  const LONG line = LineOfChar(c, at);
  const LRESULT start = LineIndex(c, line), next = LineIndex(c, line + 1);
  size_t end = next < 0 ? size : static_cast<size_t>(next);
  const std::u16string& text = c.services->document().text();
  while (end > static_cast<size_t>(start) && (text[end - 1] == u'\r' || text[end - 1] == u'\n')) --end;
  return static_cast<LRESULT>(end - static_cast<size_t>(start));
}

LRESULT RichEditProc(HWND window, UINT msg, WPARAM wParam, LPARAM lParam) {
  Control* c = StateOf(window);
  if (msg == WM_NCCREATE) {
    auto* made = new Control;
    made->host = std::make_unique<ControlHost>(window);
    IUnknown* unknown = nullptr;
    CreateTextServices(nullptr, made->host.get(), &unknown);
    made->services = static_cast<TextServices*>(static_cast<ITextServices*>(static_cast<void*>(unknown)));
    SetWindowLongPtrW(window, 0, reinterpret_cast<LONG_PTR>(made));
    return DefWindowProcW(window, msg, wParam, lParam);
  }
  if (!c) return DefWindowProcW(window, msg, wParam, lParam);
  switch (msg) {
    case WM_NCDESTROY:
      delete c;
      SetWindowLongPtrW(window, 0, 0);
      return DefWindowProcW(window, msg, wParam, lParam);
    case WM_CREATE: {
      const auto* create = reinterpret_cast<const CREATESTRUCTW*>(lParam);
      if (create && create->lpszName && *create->lpszName) Send(*c, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(create->lpszName));
      Refresh(window, *c);
      return 0;
    }
    case WM_PAINT:
      Paint(window, *c);
      return 0;
    case WM_ERASEBKGND:
      return 1;
    case WM_SIZE:
      Refresh(window, *c);
      return 0;
    case WM_GETDLGCODE:
      return DLGC_WANTCHARS | DLGC_WANTARROWS | DLGC_HASSETSEL |
             ((GetWindowLongW(window, GWL_STYLE) & ES_MULTILINE) ? DLGC_WANTALLKEYS : 0);
    case WM_SETFOCUS:
      c->focused = true;
      PlaceCaret(window, *c);
      Command(window, EN_SETFOCUS);
      return 0;
    case WM_KILLFOCUS:
      c->focused = false;
      DestroyCaret();
      Command(window, EN_KILLFOCUS);
      return 0;
    case WM_KEYDOWN:
      return Notifying(window, *c, [&] { return KeyDown(window, *c, wParam); });
    case WM_CHAR:
    case WM_IME_CHAR:
      return Notifying(window, *c, [&] { return Char(window, *c, wParam); });
    case WM_IME_STARTCOMPOSITION:
    case WM_IME_COMPOSITION:
    case WM_IME_ENDCOMPOSITION:
      return Notifying(window, *c, [&] { return ImeMessage(window, *c, msg, wParam, lParam); });
    case WM_LBUTTONDOWN: {
      SetFocus(window);
      const POINT at{static_cast<SHORT>(LOWORD(lParam)), static_cast<SHORT>(HIWORD(lParam))};
      return Notifying(window, *c, [&] {
        const size_t cp = c->services->CharFromPoint(at);
        Select(*c, (wParam & MK_SHIFT) ? c->anchor : cp, cp);
        c->dragging = true;
        SetCapture(window);
        return 0;
      });
    }
    case WM_MOUSEMOVE:
      if (!c->dragging) return 0;
      return Notifying(window, *c, [&] {
        const POINT at{static_cast<SHORT>(LOWORD(lParam)), static_cast<SHORT>(HIWORD(lParam))};
        Select(*c, c->anchor, c->services->CharFromPoint(at));
        return 0;
      });
    case WM_LBUTTONUP:
      if (c->dragging) {
        c->dragging = false;
        ReleaseCapture();
      }
      return 0;
    case WM_COPY:
      Copy(window, *c);
      return 0;
    case WM_CUT:
    case WM_PASTE:
    case WM_CLEAR:
      return Notifying(window, *c, [&] {
        if (msg == WM_CUT) Copy(window, *c);
        if (msg == WM_PASTE) Paste(window, *c);
        else if (!c->services->ReadOnly()) Send(*c, EM_REPLACESEL, TRUE, reinterpret_cast<LPARAM>(u""));
        return 0;
      });
    case EM_SETEVENTMASK: {
      const DWORD old = c->eventMask;
      c->eventMask = static_cast<DWORD>(lParam);
      Send(*c, msg, wParam, lParam);
      return static_cast<LRESULT>(old);
    }
    case EM_GETEVENTMASK:
      return static_cast<LRESULT>(c->eventMask);
    case EM_POSFROMCHAR: {
      // The rich-edit form: the point's address in wParam, the character in lParam.
      const POINT at = c->services->PointFromChar(static_cast<size_t>(std::max<LPARAM>(lParam, 0)));
      if (wParam) *reinterpret_cast<POINTL*>(wParam) = POINTL{at.x, at.y};
      return 0;
    }
    case EM_CHARFROMPOS: {
      const auto* at = reinterpret_cast<const POINTL*>(lParam);
      return at ? static_cast<LRESULT>(c->services->CharFromPoint(POINT{at->x, at->y})) : 0;
    }
    case EM_LINEINDEX:
      return LineIndex(*c, static_cast<LONG>(static_cast<int>(wParam)));
    case EM_LINELENGTH:
      return LineLength(*c, static_cast<LPARAM>(static_cast<int>(wParam)));
    case EM_GETRECT:
      if (lParam) *reinterpret_cast<RECT*>(lParam) = TextArea(window);
      return 0;
    case EM_GETOLEINTERFACE: {
      // The object given answers QueryInterface for ITextDocument (the
      // rich-edit OLE interface itself is not built).
      if (!lParam) return FALSE;
      void* document = nullptr;
      c->services->QueryInterface(IID_ITextDocument, &document);
      *reinterpret_cast<void**>(lParam) = document;
      return document ? TRUE : FALSE;
    }
    case EM_GETFIRSTVISIBLELINE: {
      const size_t lines = c->services->LastLayout().lines.size();
      return static_cast<LRESULT>(lines ? std::min(c->firstLine, lines - 1) : 0);
    }
    case EM_LINESCROLL:
      if (!(GetWindowLongW(window, GWL_STYLE) & ES_MULTILINE)) return FALSE;
      LineScroll(window, *c, static_cast<long>(static_cast<LONG>(lParam)));
      return TRUE;
    case EM_SCROLLCARET:
      ScrollCaretIntoView(window, *c);
      return 0;
    case EM_SCROLL: {
      if (wParam > SB_PAGEDOWN) return 0;
      const size_t before = c->firstLine;
      VScroll(window, *c, static_cast<WORD>(wParam), 0);
      const auto moved = static_cast<long>(c->firstLine) - static_cast<long>(before);
      return MAKELONG(static_cast<WORD>(static_cast<SHORT>(moved)), TRUE);
    }
    case WM_VSCROLL: {
      const crack::Scroll s = crack::ScrollOf(wParam, lParam);
      VScroll(window, *c, s.request, s.pos);
      return 0;
    }
    case WM_MOUSEWHEEL: {
      // Three lines a notch, as the system's wheel setting has it.
      LineScroll(window, *c, -crack::WheelOf(wParam, lParam).delta / WHEEL_DELTA * 3);
      return 0;
    }
    case EM_EXSETSEL:
    case EM_SETSEL:
      return Notifying(window, *c, [&] {
        const LRESULT r = Send(*c, msg, wParam, lParam);
        c->anchor = static_cast<size_t>(c->services->Selection().cpMin);
        return r;
      });
    case EM_HIDESELECTION:
    case EM_SETCHARFORMAT:
    case EM_SETPARAFORMAT:
    case EM_SETBKGNDCOLOR:
    case EM_SETZOOM:
    case EM_SETFONTSIZE: {
      const LRESULT r = Send(*c, msg, wParam, lParam);
      Refresh(window, *c);
      PlaceCaret(window, *c);
      return r;
    }
    case WM_SETTEXT:
      c->firstLine = 0;  // new text shows from its start
      [[fallthrough]];
    case EM_SETTEXTEX:
    case EM_REPLACESEL:
    case EM_STREAMIN:
    case EM_SETREADONLY:
    case EM_EXLIMITTEXT:
    case EM_UNDO:
    case EM_REDO:
      return Notifying(window, *c, [&] {
        const LRESULT r = Send(*c, msg, wParam, lParam);
        c->anchor = static_cast<size_t>(c->services->Selection().cpMin);
        return msg == WM_SETTEXT ? TRUE : r;
      });
    case WM_GETTEXT:
    case WM_GETTEXTLENGTH:
    case EM_GETTEXTEX:
    case EM_GETTEXTLENGTHEX:
    case EM_STREAMOUT:
    case EM_EXGETSEL:
    case EM_GETSEL:
    case EM_GETCHARFORMAT:
    case EM_GETPARAFORMAT:
    case EM_GETZOOM:
    case EM_FORMATRANGE:
    case EM_GETLIMITTEXT:
    case EM_GETMODIFY:
    case EM_SETMODIFY:
    case EM_SETUNDOLIMIT:
    case EM_SETTEXTMODE:
    case EM_GETTEXTMODE:
    case EM_SETOPTIONS:
    case EM_GETOPTIONS:
    case EM_GETLINECOUNT:
    case EM_EXLINEFROMCHAR:
    case EM_LINEFROMCHAR:
    case EM_GETSELTEXT:
    case EM_CANUNDO:
    case EM_CANREDO:
    case EM_EMPTYUNDOBUFFER:
      return Send(*c, msg, wParam, lParam);
    default:
      return DefWindowProcW(window, msg, wParam, lParam);
  }
}

const bool installed = [] {
  SetSystemClassProcedure(u"RichEdit20W", RichEditProc, 16);
  SetSystemClassProcedure(u"RichEdit20A", RichEditProc, 16);
  return true;
}();

}  // namespace
}  // namespace richedit
