// The edit control: the EditBuffer model in a window. Single and multiple
// lines, the selection and caret, horizontal or line scrolling that keeps the
// caret in view, the clipboard keys, undo, the limit, and the EN_*
// notifications to the parent.
#include <algorithm>
#include <cstring>

#include "platform/kernel/kernel.h"
#include "platform/user/clipboard.h"
#include "platform/user/controls/control_classes.h"
#include "platform/user/controls/control_support.h"
#include "platform/user/controls/edit_buffer.h"
#include "platform/user/dialogs/dialogs.h"
#include "platform/user/message_crack.h"

namespace controls {
namespace {

constexpr int kMargin = 2;

struct Edit {
  EditBuffer buffer;
  HFONT font = nullptr;
  bool focused = false;
  bool selecting = false;  // the left button is down
  int scrollX = 0;          // single line: pixels scrolled off the left
  size_t firstLine = 0;     // multiple lines: the top line shown
};

DWORD StyleOf(HWND w) { return static_cast<DWORD>(GetWindowLongW(w, GWL_STYLE)); }

EditOptions OptionsFor(DWORD style, char16_t passwordChar) {
  EditOptions o;
  o.multiLine = (style & ES_MULTILINE) != 0;
  o.number = (style & ES_NUMBER) != 0;
  o.upperCase = (style & ES_UPPERCASE) != 0;
  o.lowerCase = (style & ES_LOWERCASE) != 0;
  o.password = (style & ES_PASSWORD) != 0;
  o.readOnly = (style & ES_READONLY) != 0;
  o.wordWrap = o.multiLine && !(style & (ES_AUTOHSCROLL | WS_HSCROLL));
  o.passwordChar = passwordChar;
  return o;
}

// Measures text with the control's font.
struct Measure {
  HDC dc;
  HGDIOBJ old;
  explicit Measure(HFONT font) : dc(CreateCompatibleDC(nullptr)), old(SelectObject(dc, DrawingFont(font))) {}
  ~Measure() {
    SelectObject(dc, old);
    DeleteDC(dc);
  }
  int Width(std::u16string_view s) const {
    SIZE size{};
    GetTextExtentPoint32W(dc, s.data(), static_cast<int>(s.size()), &size);
    return size.cx;
  }
  int LineHeight() const {
    TEXTMETRICW tm{};
    GetTextMetricsW(dc, &tm);
    return tm.tmHeight;
  }
};

RECT TextArea(HWND w) {
  RECT r;
  GetClientRect(w, &r);
  InflateRect(&r, -kMargin, 0);
  return r;
}

void Relayout(HWND w, Edit& e) {
  const RECT area = TextArea(w);
  HFONT font = e.font;
  e.buffer.Layout(area.right - area.left, [font](std::u16string_view s) { return Measure(font).Width(s); });
}

// The display string of a line and the caret's pixel x in it.
std::u16string Shown(const Edit& e, size_t line) {
  const std::u16string display = e.buffer.DisplayText();
  const EditLine& l = e.buffer.lines()[line];
  return display.substr(l.start, l.length);
}

POINT CaretPoint(const Edit& e, const Measure& m) {
  const size_t line = e.buffer.LineFromChar(e.buffer.caret());
  const size_t column = e.buffer.caret() - e.buffer.LineIndex(line);
  const std::u16string text = Shown(e, line);
  const int x = m.Width(std::u16string_view(text).substr(0, std::min(column, text.size())));
  return POINT{x, static_cast<LONG>((line - std::min(line, e.firstLine)) * static_cast<size_t>(m.LineHeight()))};
}

void ScrollToCaret(HWND w, Edit& e) {
  Measure m(e.font);
  const RECT area = TextArea(w);
  const int width = area.right - area.left;
  if (!e.buffer.options().multiLine) {
    const POINT p = CaretPoint(e, m);
    if (p.x - e.scrollX > width - 1) e.scrollX = p.x - width + width / 4;
    if (p.x < e.scrollX) e.scrollX = std::max(0, p.x - width / 4);
    return;
  }
  const size_t line = e.buffer.LineFromChar(e.buffer.caret());
  const int height = std::max<int>(1, (area.bottom - area.top) / std::max(1, m.LineHeight()));
  if (line < e.firstLine) e.firstLine = line;
  if (line >= e.firstLine + static_cast<size_t>(height)) e.firstLine = line + 1 - static_cast<size_t>(height);
}

void PlaceCaret(HWND w, Edit& e) {
  if (!e.focused) return;
  Measure m(e.font);
  const POINT p = CaretPoint(e, m);
  const RECT area = TextArea(w);
  SetCaretPos(area.left + p.x - e.scrollX, area.top + p.y);
}

void Changed(HWND w, Edit& e, EditResult result, bool notify = true) {
  if (result == EditResult::Refused) MessageBeep(0);
  if (result == EditResult::Truncated || result == EditResult::Full) Notify(w, EN_MAXTEXT);
  if (result == EditResult::Changed || result == EditResult::Truncated) {
    Relayout(w, e);
    ScrollToCaret(w, e);
    if (notify) {
      Notify(w, EN_UPDATE);
      Notify(w, EN_CHANGE);
    }
  }
  ScrollToCaret(w, e);
  PlaceCaret(w, e);
  InvalidateRect(w, nullptr, TRUE);
}

void Copy(HWND w, const Edit& e) {
  if (e.buffer.options().password || !e.buffer.HasSelection()) return;
  const std::u16string text = e.buffer.SelectedText();
  HGLOBAL memory = GlobalAlloc(GMEM_MOVEABLE, (text.size() + 1) * sizeof(char16_t));
  if (!memory) return;
  auto* p = static_cast<char16_t*>(GlobalLock(memory));
  std::memcpy(p, text.c_str(), (text.size() + 1) * sizeof(char16_t));
  GlobalUnlock(memory);
  if (OpenClipboard(w)) {
    EmptyClipboard();
    SetClipboardData(CF_UNICODETEXT, memory);
    CloseClipboard();
  } else {
    GlobalFree(memory);
  }
}

void Paste(HWND w, Edit& e) {
  if (!OpenClipboard(w)) return;
  std::u16string text;
  if (HANDLE memory = GetClipboardData(CF_UNICODETEXT)) {
    if (const auto* p = static_cast<const char16_t*>(GlobalLock(memory))) {
      const size_t max = GlobalSize(memory) / sizeof(char16_t);
      text.assign(p, std::find(p, p + max, u'\0'));
      GlobalUnlock(memory);
    }
  }
  CloseClipboard();
  if (!text.empty()) Changed(w, e, e.buffer.ReplaceSelection(text, true, true));
}

void Paint(HWND w, Edit& e) {
  PAINTSTRUCT ps;
  HDC dc = BeginPaint(w, &ps);
  RECT client;
  GetClientRect(w, &client);
  const DWORD style = StyleOf(w);
  // Read-only and disabled edit controls ask WM_CTLCOLORSTATIC (public documentation).
  const bool staticLook = (style & ES_READONLY) || !IsWindowEnabled(w);
  HBRUSH brush = ParentBrush(w, dc, staticLook ? WM_CTLCOLORSTATIC : WM_CTLCOLOREDIT,
                             staticLook ? COLOR_3DFACE : COLOR_WINDOW);
  FillRect(dc, &client, brush);
  HGDIOBJ oldFont = SelectObject(dc, DrawingFont(e.font));
  Measure m(e.font);
  const int lineHeight = m.LineHeight();
  const RECT area = TextArea(w);
  SetBkMode(dc, TRANSPARENT);
  const bool showSelection = e.focused || (style & ES_NOHIDESEL);
  for (size_t line = e.firstLine; line < e.buffer.lines().size(); ++line) {
    const int y = area.top + static_cast<int>(line - e.firstLine) * lineHeight;
    if (y > area.bottom) break;
    const std::u16string text = Shown(e, line);
    const int x = area.left - e.scrollX;
    TextOutW(dc, x, y, text.c_str(), static_cast<int>(text.size()));
    if (!showSelection || !e.buffer.HasSelection()) continue;
    const size_t start = e.buffer.LineIndex(line);
    const size_t from = std::clamp(e.buffer.selectionStart(), start, start + text.size()) - start;
    const size_t to = std::clamp(e.buffer.selectionEnd(), start, start + text.size()) - start;
    if (from >= to) continue;
    const int left = x + m.Width(std::u16string_view(text).substr(0, from));
    RECT sel{left, y, x + m.Width(std::u16string_view(text).substr(0, to)), y + lineHeight};
    FillRect(dc, &sel, GetSysColorBrush(COLOR_HIGHLIGHT));
    SetTextColor(dc, GetSysColor(COLOR_HIGHLIGHTTEXT));
    TextOutW(dc, left, y, text.c_str() + from, static_cast<int>(to - from));
    SetTextColor(dc, GetSysColor(IsWindowEnabled(w) ? COLOR_WINDOWTEXT : COLOR_GRAYTEXT));
  }
  SelectObject(dc, oldFont);
  EndPaint(w, &ps);
}

size_t CharFromPoint(HWND w, const Edit& e, POINT p) {
  Measure m(e.font);
  const RECT area = TextArea(w);
  const int row = std::max(0, (p.y - area.top) / std::max(1, m.LineHeight()));
  const size_t line = std::min(e.firstLine + static_cast<size_t>(row), e.buffer.lines().size() - 1);
  const std::u16string text = Shown(e, line);
  const int x = p.x - area.left + e.scrollX;
  size_t column = 0;
  while (column < text.size()) {
    const int left = m.Width(std::u16string_view(text).substr(0, column));
    const int right = m.Width(std::u16string_view(text).substr(0, column + 1));
    if (x < (left + right) / 2) break;
    ++column;
  }
  return e.buffer.LineIndex(line) + column;
}

bool KeyDown(HWND w, Edit& e, WPARAM key) {
  const bool shift = GetKeyState(VK_SHIFT) < 0, control = GetKeyState(VK_CONTROL) < 0;
  EditBuffer& b = e.buffer;
  switch (key) {
    case VK_LEFT: b.MoveLeft(shift, control); break;
    case VK_RIGHT: b.MoveRight(shift, control); break;
    case VK_HOME: b.MoveHome(shift, control); break;
    case VK_END: b.MoveEnd(shift, control); break;
    case VK_UP: b.MoveUp(shift); break;
    case VK_DOWN: b.MoveDown(shift); break;
    case VK_DELETE:
      if (shift) {
        Copy(w, e);
        Changed(w, e, b.Cut());
      } else {
        Changed(w, e, b.DeleteForward(control));
      }
      return true;
    case VK_INSERT:
      if (control) Copy(w, e);
      else if (shift && !b.options().readOnly) Paste(w, e);
      return true;
    default: return false;
  }
  Changed(w, e, EditResult::Unchanged);
  return true;
}

void Char(HWND w, Edit& e, WPARAM ch) {
  EditBuffer& b = e.buffer;
  switch (ch) {
    case 0x01: b.SelectAll(); Changed(w, e, EditResult::Unchanged); return;   // Ctrl+A
    case 0x03: Copy(w, e); return;                                            // Ctrl+C
    case 0x16: if (!b.options().readOnly) Paste(w, e); else MessageBeep(0); return;  // Ctrl+V
    case 0x18:                                                                // Ctrl+X
      if (b.options().readOnly) return (void)MessageBeep(0);
      Copy(w, e);
      Changed(w, e, b.Cut());
      return;
    case 0x1A: Changed(w, e, b.Undo() ? EditResult::Changed : EditResult::Unchanged); return;  // Ctrl+Z
    case 0x08: Changed(w, e, b.DeleteBackward(GetKeyState(VK_CONTROL) < 0)); return;
    case 0x7F: Changed(w, e, b.DeleteBackward(true)); return;                 // Ctrl+Backspace
    default: Changed(w, e, b.Type(static_cast<char16_t>(ch))); return;
  }
}

LRESULT DialogCode(HWND w, LPARAM lParam) {
  LRESULT code = DLGC_WANTCHARS | DLGC_HASSETSEL | DLGC_WANTARROWS;
  if (!(StyleOf(w) & ES_MULTILINE)) return code;
  const auto* msg = reinterpret_cast<const MSG*>(lParam);
  // A multi-line control takes every key but Esc, Tab, and Enter without ES_WANTRETURN.
  if (!msg) return code | DLGC_WANTALLKEYS;
  if (msg->message == WM_KEYDOWN &&
      (msg->wParam == VK_ESCAPE || msg->wParam == VK_TAB ||
       (msg->wParam == VK_RETURN && !(StyleOf(w) & ES_WANTRETURN))))
    return code;
  return code | DLGC_WANTALLKEYS;
}

LRESULT CopyText(const std::u16string& text, WPARAM size, LPARAM buffer) {
  auto* out = reinterpret_cast<char16_t*>(buffer);
  if (!out || size == 0) return 0;
  const size_t n = std::min<size_t>(text.size(), static_cast<size_t>(size) - 1);
  std::copy_n(text.data(), n, out);
  out[n] = u'\0';
  return static_cast<LRESULT>(n);
}

LRESULT Messages(HWND w, Edit& e, UINT message, WPARAM wParam, LPARAM lParam) {
  EditBuffer& b = e.buffer;
  switch (message) {
    case EM_GETSEL: {
      if (wParam) *reinterpret_cast<DWORD*>(wParam) = static_cast<DWORD>(b.selectionStart());
      if (lParam) *reinterpret_cast<DWORD*>(lParam) = static_cast<DWORD>(b.selectionEnd());
      const DWORD start = static_cast<DWORD>(std::min<size_t>(b.selectionStart(), 0xFFFF));
      const DWORD end = static_cast<DWORD>(std::min<size_t>(b.selectionEnd(), 0xFFFF));
      return static_cast<LRESULT>(start | (end << 16));
    }
    case EM_SETSEL:
      b.SetSelection(static_cast<long>(static_cast<int>(wParam)), static_cast<long>(static_cast<int>(lParam)));
      Changed(w, e, EditResult::Unchanged);
      return 0;
    case EM_REPLACESEL: {
      const auto* text = reinterpret_cast<const char16_t*>(lParam);
      Changed(w, e, b.ReplaceSelection(text ? text : u"", wParam != 0, false));
      return 0;
    }
    case EM_LIMITTEXT: b.SetLimit(static_cast<size_t>(wParam)); return 0;
    case EM_GETLIMITTEXT: return static_cast<LRESULT>(b.limit());
    case EM_CANUNDO: return b.CanUndo();
    case EM_UNDO:
    case WM_UNDO: {
      const bool done = b.Undo();
      if (done) Changed(w, e, EditResult::Changed);
      return done;
    }
    case EM_EMPTYUNDOBUFFER: b.EmptyUndo(); return 0;
    case EM_GETMODIFY: return b.modified();
    case EM_SETMODIFY: b.SetModified(wParam != 0); return 0;
    case EM_GETLINECOUNT: return static_cast<LRESULT>(b.lines().size());
    case EM_LINEINDEX: {
      const long line = static_cast<int>(wParam) == -1 ? static_cast<long>(b.LineFromChar(b.caret())) : static_cast<int>(wParam);
      return line < 0 || static_cast<size_t>(line) >= b.lines().size() ? -1 : static_cast<LRESULT>(b.LineIndex(static_cast<size_t>(line)));
    }
    case EM_LINELENGTH: {
      const long index = static_cast<int>(wParam);
      if (index < 0) return static_cast<LRESULT>(b.LineLength(b.LineFromChar(b.caret())));
      return static_cast<LRESULT>(b.LineLength(b.LineFromChar(static_cast<size_t>(index))));
    }
    case EM_LINEFROMCHAR: {
      const long index = static_cast<int>(wParam);
      return static_cast<LRESULT>(b.LineFromChar(index < 0 ? b.caret() : static_cast<size_t>(index)));
    }
    case EM_GETLINE: {
      // The first WORD of the buffer holds its size in characters; the line is not terminated.
      auto* out = reinterpret_cast<char16_t*>(lParam);
      if (!out || wParam >= b.lines().size()) return 0;
      const size_t size = static_cast<uint16_t>(out[0]);
      const std::u16string_view line = b.LineText(static_cast<size_t>(wParam));
      const size_t n = std::min(size, line.size());
      std::copy_n(line.data(), n, out);
      return static_cast<LRESULT>(n);
    }
    case EM_GETFIRSTVISIBLELINE: return static_cast<LRESULT>(b.options().multiLine ? e.firstLine : 0);
    case EM_SETREADONLY: {
      const LONG style = GetWindowLongW(w, GWL_STYLE);
      SetWindowLongW(w, GWL_STYLE, wParam ? (style | static_cast<LONG>(ES_READONLY)) : (style & ~static_cast<LONG>(ES_READONLY)));
      EditOptions o = b.options();
      o.readOnly = wParam != 0;
      b.SetOptions(o);
      InvalidateRect(w, nullptr, TRUE);
      return TRUE;
    }
    case EM_SETPASSWORDCHAR: {
      EditOptions o = b.options();
      o.password = wParam != 0;
      if (wParam) o.passwordChar = static_cast<char16_t>(wParam);
      b.SetOptions(o);
      InvalidateRect(w, nullptr, TRUE);
      return 0;
    }
    case EM_GETPASSWORDCHAR: return b.options().password ? b.options().passwordChar : 0;
    case EM_SCROLLCARET: ScrollToCaret(w, e); InvalidateRect(w, nullptr, TRUE); return TRUE;
    case EM_POSFROMCHAR: {
      Measure m(e.font);
      if (wParam > b.length()) return -1;
      const size_t keep = b.caret();
      Edit probe = e;
      probe.buffer.SetSelection(static_cast<long>(wParam), static_cast<long>(wParam));
      const POINT p = CaretPoint(probe, m);
      (void)keep;
      const RECT area = TextArea(w);
      return static_cast<LRESULT>(MAKEWPARAM(static_cast<WORD>(area.left + p.x - e.scrollX), static_cast<WORD>(area.top + p.y)));
    }
    case EM_CHARFROMPOS: {
      const size_t index = CharFromPoint(w, e, crack::MouseOf(0, lParam).pt);
      return static_cast<LRESULT>(MAKEWPARAM(static_cast<WORD>(index), static_cast<WORD>(b.LineFromChar(index))));
    }
    default: return DefWindowProcW(w, message, wParam, lParam);
  }
}

LRESULT Proc(HWND w, UINT message, WPARAM wParam, LPARAM lParam) {
  if (message == WM_NCCREATE) {
    Edit* e = MakeState<Edit>(w);
    const auto* cs = reinterpret_cast<const CREATESTRUCTW*>(lParam);
    e->buffer.SetOptions(OptionsFor(static_cast<DWORD>(cs->style), u'*'));
    if (cs->lpszName) e->buffer.SetText(cs->lpszName);
    if (!(cs->style & ES_MULTILINE)) {
      // A single line takes text up to its first line break.
      std::u16string first = e->buffer.text();
      e->buffer.SetText(first.substr(0, first.find_first_of(u"\r\n")));
    }
    return DefWindowProcW(w, message, wParam, lParam);
  }
  Edit* e = StateOf<Edit>(w);
  if (!e) return DefWindowProcW(w, message, wParam, lParam);
  switch (message) {
    case WM_CREATE: Relayout(w, *e); return 0;
    case WM_DESTROY:
      // The window's data is out of reach once WM_NCDESTROY starts.
      DropState<Edit>(w);
      return DefWindowProcW(w, message, wParam, lParam);
    case WM_SIZE: Relayout(w, *e); ScrollToCaret(w, *e); return 0;
    case WM_GETDLGCODE: return DialogCode(w, lParam);
    case WM_SETFONT:
      e->font = reinterpret_cast<HFONT>(wParam);
      Relayout(w, *e);
      if (LOWORD(static_cast<DWORD_PTR>(lParam))) InvalidateRect(w, nullptr, TRUE);
      return 0;
    case WM_GETFONT: return reinterpret_cast<LRESULT>(e->font);
    case WM_SETTEXT: {
      const auto* text = reinterpret_cast<const char16_t*>(lParam);
      std::u16string value = text ? text : u"";
      if (!e->buffer.options().multiLine) value = value.substr(0, value.find_first_of(u"\r\n"));
      e->buffer.SetText(value);
      e->scrollX = 0;
      e->firstLine = 0;
      Relayout(w, *e);
      // A multi-line control sends no EN_CHANGE for WM_SETTEXT (EN_CHANGE, public documentation).
      Changed(w, *e, EditResult::Changed, !e->buffer.options().multiLine);
      return TRUE;
    }
    case WM_GETTEXT: return CopyText(e->buffer.text(), wParam, lParam);
    case WM_GETTEXTLENGTH: return static_cast<LRESULT>(e->buffer.length());
    case WM_ERASEBKGND: return 1;
    case WM_PAINT: Paint(w, *e); return 0;
    case WM_ENABLE: InvalidateRect(w, nullptr, TRUE); return 0;
    case WM_SETFOCUS: {
      e->focused = true;
      Measure m(e->font);
      CreateCaret(w, nullptr, 1, m.LineHeight());
      PlaceCaret(w, *e);
      ShowCaret(w);
      InvalidateRect(w, nullptr, TRUE);
      Notify(w, EN_SETFOCUS);
      return 0;
    }
    case WM_KILLFOCUS:
      e->focused = false;
      DestroyCaret();
      InvalidateRect(w, nullptr, TRUE);
      Notify(w, EN_KILLFOCUS);
      return 0;
    case WM_LBUTTONDOWN: {
      SetFocus(w);
      SetCapture(w);
      e->selecting = true;
      const size_t at = CharFromPoint(w, *e, crack::MouseOf(wParam, lParam).pt);
      if (wParam & MK_SHIFT) e->buffer.SetSelection(static_cast<long>(e->buffer.caret() == e->buffer.selectionEnd() ? e->buffer.selectionStart() : e->buffer.selectionEnd()), static_cast<long>(at));
      else e->buffer.SetSelection(static_cast<long>(at), static_cast<long>(at));
      Changed(w, *e, EditResult::Unchanged);
      return 0;
    }
    case WM_MOUSEMOVE:
      if (e->selecting && GetCapture() == w) {
        const size_t anchor = e->buffer.caret() == e->buffer.selectionEnd() ? e->buffer.selectionStart() : e->buffer.selectionEnd();
        e->buffer.SetSelection(static_cast<long>(anchor), static_cast<long>(CharFromPoint(w, *e, crack::MouseOf(wParam, lParam).pt)));
        Changed(w, *e, EditResult::Unchanged);
      }
      return 0;
    case WM_LBUTTONUP:
      if (e->selecting) {
        e->selecting = false;
        ReleaseCapture();
      }
      return 0;
    case WM_LBUTTONDBLCLK: {
      const size_t at = CharFromPoint(w, *e, crack::MouseOf(wParam, lParam).pt);
      const size_t start = e->buffer.PreviousWordStart(std::min(at + 1, e->buffer.length()));
      size_t end = start;
      const std::u16string& t = e->buffer.text();
      while (end < t.size() && t[end] != u' ' && t[end] != u'\r' && t[end] != u'\n' && t[end] != u'\t') ++end;
      e->buffer.SetSelection(static_cast<long>(start), static_cast<long>(end));
      Changed(w, *e, EditResult::Unchanged);
      return 0;
    }
    case WM_KEYDOWN: return KeyDown(w, *e, wParam) ? 0 : DefWindowProcW(w, message, wParam, lParam);
    case WM_CHAR: Char(w, *e, wParam); return 0;
    case WM_COPY: Copy(w, *e); return 0;
    case WM_CUT:
      if (e->buffer.options().readOnly) return 0;
      Copy(w, *e);
      Changed(w, *e, e->buffer.Cut());
      return 0;
    case WM_PASTE:
      if (!e->buffer.options().readOnly) Paste(w, *e);
      return 0;
    case WM_CLEAR: Changed(w, *e, e->buffer.Cut()); return 0;
    case WM_STYLECHANGED: {
      e->buffer.SetOptions(OptionsFor(StyleOf(w), e->buffer.options().passwordChar));
      Relayout(w, *e);
      InvalidateRect(w, nullptr, TRUE);
      return 0;
    }
    default: return Messages(w, *e, message, wParam, lParam);
  }
}

}  // namespace

LRESULT EditProc(HWND w, UINT message, WPARAM wParam, LPARAM lParam) { return Proc(w, message, wParam, lParam); }

}  // namespace controls
