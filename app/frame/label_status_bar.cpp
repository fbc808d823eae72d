// The status bar's panes: which are drawn by the bar, what they say, and the
// double click that opens the target resolution and printer choice.
#include "app/frame/label_status_bar.h"

#include <algorithm>
#include <cstdio>

#include "app/frame/frame_host.h"
#include "app/frame/frame_ids.h"
#include "app/ui/ui_language.h"
#include "foundation/util/value_format.h"

namespace {

constexpr UINT kIndicators[] = {ID_PANE_DPI, ID_PANE_PRINTER, ID_PANE_LABEL_SIZE, ID_PANE_CURSOR, ID_PANE_READ_ONLY};
// The panes the bar draws itself, in the order they are switched over.
constexpr UINT kOwnerDrawn[] = {ID_PANE_PRINTER, ID_PANE_LABEL_SIZE, ID_PANE_CURSOR, ID_PANE_DPI};
constexpr COLORREF kPaneTextColour = RGB(4, 3, 1);
constexpr int kMinimumHeight = 24;

std::string Printf(const char* format, double a, double b) {
  char text[128];
  std::snprintf(text, sizeof text, format, a, b);
  return text;
}

// A word of a pane in the interface language (the English word as it stands).
std::string Word(const char* english) { return TranslateUiString(english).GetData(); }

// A pane's text holding words of the interface language, which are in its
// code page, not the system's: drawn as UTF-16.
void DrawUiText(HDC dc, const std::string& text, RECT box, UINT format) {
  const std::u16string wide = UiTextToWide(text.c_str(), static_cast<int>(text.size()));
  ::DrawTextW(dc, wide.c_str(), static_cast<int>(wide.size()), &box, format);
}

}  // namespace

BEGIN_MESSAGE_MAP(CLabelStatusBar, CStatusBar)
  ON_WM_LBUTTONDBLCLK()
END_MESSAGE_MAP()

BOOL CLabelStatusBar::CreatePanes(CWnd* parent) {
  if (!Create(parent, WS_CHILD | WS_VISIBLE | CBRS_ALIGN_BOTTOM | CBRS_BORDER_TOP, IDW_STATUS_BAR)) return FALSE;
  // Double clicks reach the bar only when its class asks for them.
  ::SetClassLongPtrA(m_hWnd, GCL_STYLE, ::GetClassLongPtrA(m_hWnd, GCL_STYLE) | CS_DBLCLKS);
  if (!SetIndicators(kIndicators, static_cast<int>(std::size(kIndicators)))) return FALSE;
  UINT id = 0, style = 0;
  int width = 0;
  const int sizeIndex = CommandToIndex(ID_PANE_LABEL_SIZE);
  GetPaneInfo(sizeIndex, id, style, width);
  SetPaneInfo(sizeIndex, id, style | SBPS_STRETCH, width);
  for (const UINT paneId : kOwnerDrawn) {
    const int index = CommandToIndex(paneId);
    GetPaneInfo(index, id, style, width);
    SetPaneInfo(index, id, style | SBPS_OWNERDRAW, width);
  }
  SetPaneText(CommandToIndex(ID_PANE_READ_ONLY), "");
  return TRUE;
}

void CLabelStatusBar::StoreUnit(int unit) {
  if (unit >= 0 || unit == kHideCursor) m_unit = unit;
}

void CLabelStatusBar::InvalidatePane(UINT id, bool now) {
  if (!m_hWnd) return;
  RECT r{};
  SendMessage(SB_GETRECT, static_cast<WPARAM>(CommandToIndex(id)), reinterpret_cast<LPARAM>(&r));
  ::InvalidateRect(m_hWnd, &r, TRUE);
  if (now) ::UpdateWindow(m_hWnd);
}

void CLabelStatusBar::SetDpiText(const char* text) {
  m_dpiText = text ? text : "";
  InvalidatePane(ID_PANE_DPI, true);
}

void CLabelStatusBar::SetPrinterText(const char* name) {
  m_printerText = name ? name : "";
  InvalidatePane(ID_PANE_PRINTER, true);
}

void CLabelStatusBar::SetLabelSize(int width, int height, int unit) {
  StoreUnit(unit);
  m_showsLayout = true;
  ConvertLayoutUnits(width, height, unit, &m_labelWidth, &m_labelHeight);
  InvalidatePane(ID_PANE_LABEL_SIZE, false);
}

void CLabelStatusBar::SetCursorPos(double x, double y, int unit) {
  StoreUnit(unit);
  const auto convert = [this](double v) { return m_unit == kPaneUnitMm ? v * 0.0254 : v / 1000; };
  if (x > -1) m_cursorX = convert(x);
  if (y > -1) m_cursorY = convert(y);
  InvalidatePane(ID_PANE_CURSOR, false);
}

void CLabelStatusBar::SetReadOnly(bool readOnly) {
  CString text;
  if (readOnly) text.LoadString(IDS_READ_ONLY);
  SetPaneText(CommandToIndex(ID_PANE_READ_ONLY), text);
  if (m_hWnd) ::UpdateWindow(m_hWnd);
}

void CLabelStatusBar::ClearLayoutPanes() {
  m_showsLayout = false;
  m_dpiText = "";
  m_printerText = "";
  SetReadOnly(false);
  if (m_hWnd) Invalidate(TRUE);
}

std::string CLabelStatusBar::LabelSizeText() const {
  if (!m_showsLayout) return {};
  return Word("Label Size:") + (m_unit == kPaneUnitMm ? Printf("   %.01f(W) x %.01f(H)", m_labelWidth, m_labelHeight)
                                                      : Printf("   %.02f(W) x %.02f(H)", m_labelWidth, m_labelHeight));
}

std::string CLabelStatusBar::CursorText() const {
  if (!m_showsLayout || m_cursorX <= -1 || m_cursorY <= -1 || m_unit < -99) return {};
  return m_unit == kPaneUnitMm ? Printf("%.01f, %.01f    (", m_cursorX, m_cursorY) + Word("mm") + ")"
                               : Printf("%.02f, %.02f    (", m_cursorX, m_cursorY) + Word("inch") + ")";
}

void CLabelStatusBar::DrawItem(LPDRAWITEMSTRUCT dis) {
  if (!dis || dis->itemID >= std::size(kIndicators)) return;
  CDC* dc = CDC::FromHandle(dis->hDC);
  const CRect r(dis->rcItem);
  const int oldMode = dc->SetBkMode(TRANSPARENT);
  const COLORREF oldColour = dc->GetTextColor();
  CRect text(r);
  switch (kIndicators[dis->itemID]) {
    case ID_PANE_DPI:
    case ID_PANE_PRINTER: {
      const AString& s = kIndicators[dis->itemID] == ID_PANE_DPI ? m_dpiText : m_printerText;
      if (!s.IsEmpty()) {
        dc->SetTextColor(RGB(0, 0, 0));
        text.left += 2;
        dc->DrawText(s.GetData(), -1, &text, DT_LEFT | DT_VCENTER | DT_SINGLELINE | DT_NOPREFIX);
      }
      break;
    }
    case ID_PANE_LABEL_SIZE: {
      dc->SetTextColor(kPaneTextColour);
      text.left += 3;
      const std::string s = LabelSizeText();
      if (!s.empty()) DrawUiText(dis->hDC, s, text, DT_LEFT | DT_VCENTER | DT_SINGLELINE | DT_NOPREFIX);
      break;
    }
    case ID_PANE_CURSOR: {
      const std::string s = CursorText();
      if (!s.empty()) {
        dc->SetTextColor(kPaneTextColour);
        DrawUiText(dis->hDC, s, text, DT_CENTER | DT_VCENTER | DT_SINGLELINE | DT_NOPREFIX);
      }
      break;
    }
    default:
      break;
  }
  dc->SetTextColor(oldColour);
  dc->SetBkMode(oldMode);
}

CSize CLabelStatusBar::CalcFixedLayout(BOOL stretch, BOOL horizontal) {
  CSize size = CStatusBar::CalcFixedLayout(stretch, horizontal);
  if (horizontal) size.cy = std::max<int>(size.cy, kMinimumHeight);
  return size;
}

void CLabelStatusBar::OnLButtonDblClk(UINT flags, CPoint point) {
  Default();
  if (ReaderMode()) return;
  for (const UINT id : {ID_PANE_DPI, ID_PANE_PRINTER}) {
    RECT r{};
    SendMessage(SB_GETRECT, static_cast<WPARAM>(CommandToIndex(id)), reinterpret_cast<LPARAM>(&r));
    if (::PtInRect(&r, point)) {
      if (CWnd* parent = GetParent()) parent->PostMessage(WM_COMMAND, ID_SET_TARGET_DPI, 0);
      return;
    }
  }
  (void)flags;
}
