// CRichEditEx's own keys and clipboard, and the words it finds at the caret.
#include <algorithm>
#include <cstdlib>
#include <cstring>

#include "fields/controls/rich_edit_ex.h"
#include "foundation/codepage/codepage.h"
#include "foundation/settings/process_settings.h"
#include "foundation/system/clipboard_text.h"

namespace {

bool KeyHeld(int key) { return GetKeyState(key) < 0; }

// A global block of the bytes, zero-filled beyond them.
HGLOBAL BlockOf(const void* data, size_t size, size_t room) {
  HGLOBAL block = GlobalAlloc(GMEM_MOVEABLE | GMEM_DDESHARE | GMEM_ZEROINIT, room);
  if (!block) return nullptr;
  if (void* p = GlobalLock(block)) {
    std::memcpy(p, data, size);
    GlobalUnlock(block);
  }
  return block;
}

// The bytes of one unit in the code page (empty when it has none there).
std::string BytesOf(char16_t unit, int codePage) {
  char bytes[8] = {};
  BOOL usedDefault = FALSE;
  const WCHAR wide = unit;
  const int n = WideCharToMultiByte(static_cast<UINT>(codePage), 0, &wide, 1, bytes, sizeof bytes, nullptr,
                                    &usedDefault);
  if (n <= 0 || usedDefault) return {};
  return std::string(bytes, static_cast<size_t>(n));
}

bool IsWordUnit(char16_t unit, int codePage) {
  if (unit == u'_' || fdn_app::IsAlnumChar(unit, nullptr)) return true;
  // The pinyin letters of GBK: lead byte 0xA8, trail 0xA0..0xC0.
  const std::string b = BytesOf(unit, codePage == 950 ? 936 : codePage);
  return b.size() == 2 && static_cast<unsigned char>(b[0]) == 0xA8 && static_cast<unsigned char>(b[1]) >= 0xA0 &&
         static_cast<unsigned char>(b[1]) <= 0xC0;
}

}  // namespace

void CRichEditEx::OnKeyDown(UINT key, UINT repeat, UINT flags) {
  const bool control = KeyHeld(VK_CONTROL), shift = KeyHeld(VK_SHIFT);
  if ((control && key == 'V') || (shift && !control && key == VK_INSERT)) {
    OwnPaste();
    return;
  }
  if (control && key == VK_TAB) return;
  if (control && (key == VK_UP || key == VK_DOWN)) {
    ScrollByLine(key == VK_DOWN);
    return;
  }
  if (control && (key == 'C' || key == VK_INSERT)) {
    if (!m_ownCopy) Default();
    OwnCopy();
    return;
  }
  if (shift && key == VK_F10) {
    CHARRANGE sel{};
    GetSel(sel);
    POINT at = GetCharPos(sel.cpMax);
    ::ClientToScreen(m_hWnd, &at);
    SendMessage(WM_CONTEXTMENU, reinterpret_cast<WPARAM>(m_hWnd), static_cast<LPARAM>(MAKELONG(static_cast<WORD>(at.x), static_cast<WORD>(at.y))));
    Default();
    return;
  }
  Default();
  if (key == VK_ESCAPE) {
    if (CWnd* parent = GetParent()) parent->PostMessage(WM_KEYDOWN, VK_ESCAPE, static_cast<LPARAM>(MAKELONG(static_cast<WORD>(repeat), static_cast<WORD>(flags))));
  }
}

void CRichEditEx::OwnPaste() {
  if (IsReadOnly()) return;
  char* text = nullptr;
  int used = 0;
  const int length = fdn_app::GetClipboardText(&text, m_codePage, m_clipOption != 0, &used, false, false);
  if (length > 0 && text) {
    HideSelection(TRUE, FALSE);
    CHARRANGE before{};
    GetSel(before);
    SetTextEx(text, used > 0 ? used : m_codePage, 1);
    HideSelection(FALSE, FALSE);
    if (!fdn_app::ConfigSettings().pasteKeepsFormat) {
      CHARRANGE after{};
      GetSel(after);
      ApplyDefaultFormat(before.cpMin, after.cpMax, 0);
    }
  }
  std::free(text);
}

void CRichEditEx::OwnCopy() {
  AString text;
  GetSelText(text, 0, 1);
  if (!::OpenClipboard(m_hWnd)) return;
  if (!::EmptyClipboard()) {
    ::CloseClipboard();
    return;
  }
  const size_t length = static_cast<size_t>(std::max(text.GetLength(), 0));
  if (HGLOBAL block = BlockOf(text.GetData() ? text.GetData() : "", length, length + 2))
    ::SetClipboardData(CF_TEXT, block);
  // The locale of the text's own code page, so readers widen it with that page.
  const LCID locale = fdn_app::LocaleOfCodePage(m_codePage);
  if (HGLOBAL block = BlockOf(&locale, sizeof locale, sizeof locale)) ::SetClipboardData(CF_LOCALE, block);
  ::CloseClipboard();
}

void CRichEditEx::ScrollByLine(bool down) {
  CHARRANGE sel{};
  GetSel(sel);
  SetSel(sel.cpMax, sel.cpMax);
  SendMessage(EM_SCROLL, down ? SB_LINEDOWN : SB_LINEUP);
  const long caret = sel.cpMax;
  const long line = LineFromChar(caret);
  const long column = caret - LineIndex(static_cast<int>(line));
  long target = -1;
  if (down) {
    const long first = GetFirstVisibleLine();
    if (line < first) target = first;
  } else {
    RECT area{};
    GetRect(&area);
    const long lastFull = LineFromChar(CharFromPos(CPoint(area.left + 1, area.bottom - 4))) - 1;
    if (line > lastFull && lastFull >= 0) target = lastFull;
  }
  if (target < 0) return;
  const UINT options = GetOptions();
  if (!down) SetOptions(ECOOP_AND, ~ECO_AUTOVSCROLL);
  const long start = LineIndex(static_cast<int>(target));
  const long at = start + std::min(column, static_cast<long>(LineLength(static_cast<int>(start))));
  SetSel(at, at);
  if (!down) SetOptions(ECOOP_SET, options);
}

int CRichEditEx::GetWordAtCaret(AString& out) {
  const std::u16string units = Units();
  if (units.empty()) return 0;
  CHARRANGE sel{};
  GetSel(sel);
  if (sel.cpMin != sel.cpMax) {
    GetSelText(out, 1200, 0);
    return 1;
  }
  const size_t caret = std::min(static_cast<size_t>(std::max<long>(sel.cpMin, 0L)), units.size());
  const int charset = fdn_app::CharsetFromLanguage(m_codePage, false);
  const bool chinese = charset == fdn_app::codepage::kGb2312Charset || charset == fdn_app::codepage::kChineseBig5Charset;
  auto isChinese = [&](size_t at) { return chinese && units[at] > 127 && BytesOf(units[at], m_codePage).size() == 2; };
  for (const size_t at : {caret - 1, caret}) {
    if (at < units.size() && isChinese(at) && !IsWordUnit(units[at], m_codePage)) {
      out = AString(2, reinterpret_cast<const char*>(&units[at]));
      out.SetWide(true);
      return 1;
    }
  }
  size_t first = caret, last = caret;
  while (first > 0 && IsWordUnit(units[first - 1], m_codePage)) --first;
  while (last < units.size() && IsWordUnit(units[last], m_codePage)) ++last;
  if (first == last) return 0;
  SetSel(static_cast<long>(first), static_cast<long>(last));
  GetSelText(out, 0, 0);
  return 2;
}

int CRichEditEx::GetDbcsCharAtCaret(AString& out, int keepSelection) {
  CHARRANGE kept{};
  GetSel(kept);
  const std::u16string units = Units();
  if (kept.cpMin == kept.cpMax) {
    const long caret = kept.cpMin;
    const bool beforeIsPair = caret > 0 && static_cast<size_t>(caret) <= units.size() &&
                              BytesOf(units[static_cast<size_t>(caret) - 1], m_codePage).size() == 2;
    if (beforeIsPair) SetSel(caret - 1, caret);
    else SetSel(caret, caret + 1);
  }
  AString chosen;
  GetSelText(chosen, 0, 0);
  int result = 0;
  const auto* b = reinterpret_cast<const BYTE*>(chosen.GetData());
  if (chosen.GetLength() >= 2 && fdn_app::IsDbcsCodePagePair(b[0], b[1], m_codePage)) {
    out = AString(2, chosen.GetData());
    out.SetCodePage(m_codePage);
    result = 1;
  }
  if (!keepSelection) SetSel(kept);
  return result;
}
