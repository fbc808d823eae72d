// Shared helpers of the standard controls.
#include "platform/user/controls/control_support.h"

namespace controls {

void Notify(HWND control, WORD code) {
  const HWND parent = GetParent(control);
  if (!parent) return;
  SendMessageW(parent, WM_COMMAND, MAKEWPARAM(static_cast<WORD>(GetDlgCtrlID(control)), code),
               reinterpret_cast<LPARAM>(control));
}

HBRUSH ParentBrush(HWND control, HDC dc, UINT ctlColorMessage, int fallback) {
  SetTextColor(dc, GetSysColor(IsWindowEnabled(control) ? COLOR_WINDOWTEXT : COLOR_GRAYTEXT));
  SetBkColor(dc, GetSysColor(fallback));
  const HWND parent = GetParent(control);
  HBRUSH brush = nullptr;
  if (parent)
    brush = reinterpret_cast<HBRUSH>(
        SendMessageW(parent, ctlColorMessage, reinterpret_cast<WPARAM>(dc), reinterpret_cast<LPARAM>(control)));
  return brush ? brush : GetSysColorBrush(fallback);
}

std::u16string WindowText(HWND window) {
  const int length = GetWindowTextLengthW(window);
  std::u16string text(static_cast<size_t>(std::max(length, 0)) + 1, u'\0');
  const int got = GetWindowTextW(window, text.data(), length + 1);
  text.resize(static_cast<size_t>(std::max(got, 0)));
  return text;
}

HFONT DrawingFont(HFONT font) { return font ? font : static_cast<HFONT>(GetStockObject(DEFAULT_GUI_FONT)); }

SIZE FontCellSize(HFONT font) {
  HDC dc = CreateCompatibleDC(nullptr);
  HGDIOBJ old = SelectObject(dc, DrawingFont(font));
  TEXTMETRICW tm{};
  GetTextMetricsW(dc, &tm);
  SIZE size{};
  static const char16_t kAlphabet[] = u"ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz";
  GetTextExtentPoint32W(dc, kAlphabet, 52, &size);
  SelectObject(dc, old);
  DeleteDC(dc);
  return SIZE{(size.cx / 26 + 1) / 2, tm.tmHeight};
}

}  // namespace controls

WCHAR MnemonicOf(LPCWSTR text) {
  if (!text) return 0;
  for (const WCHAR* p = text; *p; ++p) {
    if (*p != u'&') continue;
    if (p[1] == u'&') {
      ++p;
      continue;
    }
    return p[1];
  }
  return 0;
}
