#include "app/controls/edit_ex.h"

#include <algorithm>
#include <cstdlib>
#include <string>

#include "foundation/codepage/codepage.h"
#include "foundation/settings/process_settings.h"
#include "foundation/system/clipboard_text.h"
#include "foundation/uifonts/ui_fonts.h"
#include "platform/gdi/gdi_owners.h"

namespace {

constexpr int kCellHeight = 17;
constexpr COLORREF kDisabledFill = RGB(183, 183, 183);
constexpr COLORREF kReadOnlyFill = RGB(203, 203, 189);

HFONT StockGuiFont() {
  HGDIOBJ font = GetStockObject(DEFAULT_GUI_FONT);
  if (!font) font = GetStockObject(ANSI_VAR_FONT);
  return static_cast<HFONT>(font);
}

// The font a double-byte character is drawn in: the interface's Chinese font
// of its script when there is one, else the interface font.
HFONT PairFont(int codePage) {
  HFONT font = codePage == fdn_app::codepage::kBig5 ? fdn_app::FixedFontBig5() : fdn_app::FixedFontGb();
  return font ? font : StockGuiFont();
}

bool KeyHeld(int key) { return GetKeyState(key) < 0; }

}  // namespace

IMPLEMENT_DYNCREATE(CEditEx, CEdit)

BEGIN_MESSAGE_MAP(CEditEx, CEdit)
  ON_WM_PAINT()
  ON_WM_ERASEBKGND()
  ON_WM_SETFOCUS()
  ON_WM_KILLFOCUS()
  ON_WM_LBUTTONDOWN()
  ON_WM_MOUSEMOVE()
  ON_WM_LBUTTONUP()
  ON_WM_LBUTTONDBLCLK()
  ON_WM_KEYDOWN()
  ON_WM_CHAR()
  ON_MESSAGE(EM_REPLACESEL, OnReplaceSel)
END_MESSAGE_MAP()

CEditEx::CEditEx()
    : m_bkColour(GetSysColor(COLOR_WINDOW)),
      m_textColour(GetSysColor(COLOR_WINDOWTEXT)),
      m_selBkColour(GetSysColor(COLOR_HIGHLIGHT)),
      m_selTextColour(GetSysColor(COLOR_HIGHLIGHTTEXT)),
      m_codePage(fdn_app::CodePageFromLanguage(fdn_app::UiLanguageKind(), true)) {}

EditExText CEditEx::ShownText() const {
  const int length = m_hWnd ? GetWindowTextLengthW(m_hWnd) : 0;
  std::u16string units(static_cast<size_t>(std::max(length, 0)) + 1, u'\0');
  const int got = length > 0 ? GetWindowTextW(m_hWnd, units.data(), length + 1) : 0;
  units.resize(static_cast<size_t>(std::max(got, 0)));
  return EditExText(units, m_codePage == 1200 ? CP_UTF8 : m_codePage);
}

void CEditEx::GetByteSel(int& start, int& end) const {
  DWORD s = 0, e = 0;
  ::SendMessageW(m_hWnd, EM_GETSEL, reinterpret_cast<WPARAM>(&s), reinterpret_cast<LPARAM>(&e));
  const EditExText text = ShownText();
  start = text.ByteOfUnit(static_cast<int>(s));
  end = text.ByteOfUnit(static_cast<int>(e));
}

void CEditEx::SetByteSel(int start, int end) {
  const EditExText text = ShownText();
  ::SendMessageW(m_hWnd, EM_SETSEL, static_cast<WPARAM>(text.UnitOfByte(start)),
                 static_cast<LPARAM>(text.UnitOfByte(end)));
}

int CEditEx::CharWidth(HDC dc, const EditExText& text, int byte) {
  const char16_t unit = text.UnitAt(byte);
  SIZE size{0, 0};
  if (unit == u'\t') {
    GetTextExtentPoint32W(dc, u" ", 1, &size);
    return m_tabWidth * size.cx;
  }
  HGDIOBJ previous = text.IsDoubleByte(byte) ? SelectObject(dc, PairFont(m_codePage)) : nullptr;
  const WCHAR wide = unit;
  GetTextExtentPoint32W(dc, &wide, 1, &size);
  if (previous) SelectObject(dc, previous);
  return size.cx;
}

int CEditEx::ClientWidth() const {
  RECT client{};
  ::GetClientRect(m_hWnd, &client);
  return client.right;
}

int CEditEx::CharIndexFromX(int x) {
  const EditExText text = ShownText();
  WindowDc window(m_hWnd);
  SelectScope font(window.get(), StockGuiFont());
  const int right = ClientWidth();
  int at = text.CharStart(m_firstVisible), left = 0;
  while (at < text.ByteLength()) {
    const int w = CharWidth(window.get(), text, at);
    if (left + w > right) return at;
    if (x < left + w / 2) return at;
    if (x < left + w) return text.Next(at);
    left += w;
    at = text.Next(at);
  }
  return text.ByteLength();
}

int CEditEx::XFromCharIndex(HDC dc, int index) {
  const EditExText text = ShownText();
  WindowDc window(dc ? nullptr : m_hWnd);
  HDC use = dc ? dc : window.get();
  SelectScope font(use, dc ? nullptr : StockGuiFont());
  const int from = std::min(index, m_firstVisible), to = std::max(index, m_firstVisible);
  int width = 0;
  for (int at = text.CharStart(from); at < to && at < text.ByteLength(); at = text.Next(at))
    width += CharWidth(use, text, at);
  return index >= m_firstVisible ? width : -width;
}

void CEditEx::PlaceCaret() {
  if (::GetFocus() != m_hWnd) return;
  SetCaretPos(XFromCharIndex(nullptr, m_caret), m_inCombo ? 0 : 1);
}

void CEditEx::ScrollToCaret() {
  const EditExText text = ShownText();
  m_caret = text.CharStart(std::clamp(m_caret, 0, text.ByteLength()));
  if (m_caret == text.ByteLength()) m_caret = text.ByteLength();
  if (m_caret > m_firstVisible) {
    const int width = ClientWidth();
    while (m_firstVisible < m_caret && XFromCharIndex(nullptr, m_caret) + 1 > width)
      m_firstVisible = text.Next(m_firstVisible);
  } else {
    m_firstVisible = m_caret;
  }
  PlaceCaret();
}

void CEditEx::Repaint(BOOL erase) {
  // In a combo box the combo draws the field: it is repainted with the edit.
  if (m_inCombo) ::InvalidateRect(::GetParent(m_hWnd), nullptr, erase);
  Invalidate(erase);
}

void CEditEx::SelectAll() {
  const int length = ShownText().ByteLength();
  SetByteSel(0, length);
  anchor_ = 0;
  m_caret = length;
  m_firstVisible = 0;
  ScrollToCaret();
  Repaint();
}

void CEditEx::CopyText() {
  int start = 0, end = 0;
  GetByteSel(start, end);
  if (start == end) return;
  const std::string bytes = ShownText().Bytes().substr(static_cast<size_t>(start), static_cast<size_t>(end - start));
  fdn_app::CopyTextToClipboard(bytes.c_str(), false, m_codePage == 1200 ? CP_UTF8 : m_codePage);
}

void CEditEx::CutText() {
  int start = 0, end = 0;
  GetByteSel(start, end);
  if (start == end) return;
  CopyText();
  ::SendMessageW(m_hWnd, EM_REPLACESEL, TRUE, reinterpret_cast<LPARAM>(u""));
  m_caret = anchor_ = start;
  ScrollToCaret();
  Repaint(TRUE);
}

void CEditEx::PasteText() {
  // The clipboard's text in the code page the edit shows, so what is pasted
  // is what the interface language can show.
  const int codePage = m_codePage == 1200 ? CP_UTF8 : m_codePage;
  char* bytes = nullptr;
  const int length = fdn_app::GetClipboardText(&bytes, codePage, false, nullptr, false, false);
  if (bytes && length > 0) InsertUnits(DecodeEditText(std::string_view(bytes, static_cast<size_t>(length)), codePage), TRUE);
  std::free(bytes);
  m_pasteDone = 1;
}

void CEditEx::InsertUnits(const std::u16string& units, BOOL undoable) {
  if (units.empty()) return;
  ::SendMessageW(m_hWnd, EM_REPLACESEL, undoable, reinterpret_cast<LPARAM>(units.c_str()));
}

LRESULT CEditEx::OnReplaceSel(WPARAM, LPARAM) {
  const LRESULT result = Default();
  int start = 0, end = 0;
  GetByteSel(start, end);
  m_caret = anchor_ = end;
  ScrollToCaret();
  Repaint(TRUE);
  return result;
}

void CEditEx::OnPaint() {
  CPaintDC paint(this);
  HDC dc = paint.m_hDC;
  RECT client{};
  GetClientRect(&client);
  const DWORD style = GetStyle();
  COLORREF fill = m_bkColour;
  if (!IsWindowEnabled()) fill = kDisabledFill;
  else if (style & ES_READONLY) fill = kReadOnlyFill;
  {
    UniqueBrush brush(CreateSolidBrush(fill));
    FillRect(dc, &client, brush.get());
  }
  SetBkMode(dc, TRANSPARENT);
  SelectScope font(dc, StockGuiFont());
  const EditExText text = ShownText();
  int start = 0, end = 0;
  GetByteSel(start, end);
  const bool showSelection = ::GetFocus() == m_hWnd || (style & ES_NOHIDESEL);
  const int y = m_inCombo ? 0 : 1;
  int x = 0;
  for (int at = text.CharStart(m_firstVisible); at < text.ByteLength(); at = text.Next(at)) {
    const int w = CharWidth(dc, text, at);
    if (x + w > client.right) break;
    const bool selected = showSelection && at >= start && at < end;
    const RECT cell{x, y, x + w, y + kCellHeight};
    const char16_t unit = text.UnitAt(at);
    if (unit == u'\t' || selected) {
      UniqueBrush brush(CreateSolidBrush(selected ? m_selBkColour : fill));
      FillRect(dc, &cell, brush.get());
    }
    if (unit != u'\t') {
      SetTextColor(dc, selected ? m_selTextColour : m_textColour);
      SelectScope pair(dc, text.IsDoubleByte(at) ? PairFont(m_codePage) : nullptr);
      const WCHAR wide = unit;
      TextOutW(dc, x, y, &wide, 1);
    }
    x += w;
  }
  if (m_caretPending) {
    m_caretPending = 0;
    if (text.ByteLength() > 0 && start == 0 && end == text.ByteLength()) m_caret = end;
  }
}

BOOL CEditEx::OnEraseBkgnd(CDC*) { return TRUE; }

void CEditEx::OnSetFocus(CWnd* old) {
  CEdit::OnSetFocus(old);
  int start = 0, end = 0;
  GetByteSel(start, end);
  m_caret = end;
  anchor_ = start;
  ScrollToCaret();
  ShowCaret(m_hWnd);
  Repaint();
}

void CEditEx::OnKillFocus(CWnd* next) {
  HideCaret(m_hWnd);
  CEdit::OnKillFocus(next);
  Repaint();
}

void CEditEx::MoveCaretTo(int caret, bool extend) {
  m_caret = caret;
  if (!extend) anchor_ = caret;
  SetByteSel(std::min(anchor_, m_caret), std::max(anchor_, m_caret));
}

void CEditEx::OnLButtonDown(UINT flags, CPoint point) {
  if (::GetFocus() != m_hWnd) {
    CEdit::OnLButtonDown(flags, point);
    return;
  }
  int start = 0, end = 0;
  GetByteSel(start, end);
  const int caret = CharIndexFromX(point.x);
  if (flags & MK_SHIFT) {
    // The selection runs from the other end of the old one to the caret.
    anchor_ = m_caret == start ? end : start;
    MoveCaretTo(caret, true);
  } else {
    MoveCaretTo(caret, false);
  }
  SetCapture();
  PlaceCaret();
  Repaint();
}

void CEditEx::OnMouseMove(UINT flags, CPoint point) {
  if (!(flags & MK_LBUTTON) || ::GetCapture() != m_hWnd) {
    CEdit::OnMouseMove(flags, point);
    return;
  }
  const int x = std::clamp<int>(point.x, 0, ClientWidth());
  MoveCaretTo(CharIndexFromX(x), true);
  ScrollToCaret();
  Repaint();
}

void CEditEx::OnLButtonUp(UINT flags, CPoint point) {
  if (::GetCapture() != m_hWnd) {
    CEdit::OnLButtonUp(flags, point);
    return;
  }
  int start = 0, end = 0;
  GetByteSel(start, end);
  m_caret = anchor_ == start ? end : start;
  ReleaseCapture();
  PlaceCaret();
}

void CEditEx::OnLButtonDblClk(UINT flags, CPoint point) {
  CEdit::OnLButtonDblClk(flags, point);
  int start = 0, end = 0;
  GetByteSel(start, end);
  anchor_ = start;
  m_caret = end;
  ScrollToCaret();
  Repaint();
}

void CEditEx::OnKeyDown(UINT key, UINT repeat, UINT flags) {
  const bool shift = KeyHeld(VK_SHIFT), control = KeyHeld(VK_CONTROL);
  const EditExText text = ShownText();
  int start = 0, end = 0;
  GetByteSel(start, end);
  switch (key) {
    case VK_PRIOR: case VK_NEXT: case VK_NUMLOCK: case VK_SCROLL: case VK_CANCEL: case VK_ESCAPE:
    case VK_CAPITAL: case VK_SHIFT: case VK_CONTROL: case VK_MENU:
      return;
    case VK_PAUSE:
      if (m_selectAllPending) {
        m_selectAllPending = 0;
        SelectAll();
      }
      return;
    case VK_HOME:
      MoveCaretTo(0, shift);
      m_firstVisible = 0;
      break;
    case VK_END:
      MoveCaretTo(text.ByteLength(), shift);
      break;
    case VK_UP:
    case VK_LEFT:
      if (key == VK_UP && m_inCombo) {
        CEdit::OnKeyDown(key, repeat, flags);
        return;
      }
      MoveCaretTo(text.Previous(m_caret), shift);
      if (m_caret < m_firstVisible) m_firstVisible = m_caret;
      break;
    case VK_DOWN:
    case VK_RIGHT:
      if (key == VK_DOWN && m_inCombo) {
        CEdit::OnKeyDown(key, repeat, flags);
        return;
      }
      MoveCaretTo(text.Next(m_caret), shift);
      if (XFromCharIndex(nullptr, m_caret) > ClientWidth()) {
        // Past the right edge the view moves on by up to four bytes.
        const int target = m_firstVisible + 4;
        while (m_firstVisible < m_caret && text.Next(m_firstVisible) <= target) m_firstVisible = text.Next(m_firstVisible);
      }
      break;
    case VK_BACK:
      // The deletion comes with the character; the view steps back first
      // when the caret stands at its left edge.
      if (m_caret == m_firstVisible && m_firstVisible > 0) m_firstVisible = text.Previous(m_firstVisible);
      return;
    case VK_DELETE:
      if (shift) {
        CutText();
        return;
      }
      // The system control holds a double-byte character as one unit: one
      // deletion removes both of its bytes.
      m_caret = start;
      CEdit::OnKeyDown(key, repeat, flags);
      GetByteSel(start, end);
      m_caret = anchor_ = start;
      break;
    case VK_INSERT:
      if (control) CopyText();
      else if (shift) PasteText();
      return;
    default:
      if (control && key == 'X') {
        CutText();
        return;
      }
      if (control && key == 'C') {
        CopyText();
        return;
      }
      if (control && key == 'V') {
        PasteText();
        return;
      }
      CEdit::OnKeyDown(key, repeat, flags);
      GetByteSel(start, end);
      m_caret = end;
      break;
  }
  ScrollToCaret();
  Repaint();
}

void CEditEx::OnChar(UINT ch, UINT repeat, UINT flags) {
  if (m_pasteDone) {
    m_pasteDone = 0;
    if (ch == 0x16) return;  // the Ctrl+V of a paste already done
  }
  const int before = m_firstVisible;
  const std::string oldText = ShownText().Bytes();
  const UINT acp = GetACP();
  if (m_pendingLead) {
    const char pair[2] = {static_cast<char>(m_pendingLead), static_cast<char>(ch)};
    m_pendingLead = 0;
    InsertUnits(DecodeEditText(std::string_view(pair, 2), static_cast<int>(acp)), TRUE);
  } else if (ch < 0x100 && fdn_app::IsMultiByteAnsiCodePage() && IsDBCSLeadByteEx(acp, static_cast<BYTE>(ch))) {
    m_pendingLead = static_cast<BYTE>(ch);  // waits for its trail byte
    return;
  } else {
    CEdit::OnChar(ch, repeat, flags);
  }
  const EditExText text = ShownText();
  int start = 0, end = 0;
  GetByteSel(start, end);
  m_caret = anchor_ = end;
  while (m_firstVisible < m_caret && XFromCharIndex(nullptr, m_caret) > ClientWidth())
    m_firstVisible = text.Next(m_firstVisible);
  if (m_caret <= m_firstVisible && m_firstVisible > 0) {
    const int target = std::max(0, m_firstVisible - 4);
    while (m_firstVisible > 0 && text.Previous(m_firstVisible) >= target) m_firstVisible = text.Previous(m_firstVisible);
  }
  PlaceCaret();
  Repaint(before != m_firstVisible || oldText != text.Bytes());
}
