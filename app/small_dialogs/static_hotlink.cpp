#include "app/small_dialogs/static_hotlink.h"

#include "app/small_dialogs/small_dialogs_ids.h"

BEGIN_MESSAGE_MAP(CStaticHotlink, CStatic)
  ON_WM_CTLCOLOR_REFLECT()
  ON_WM_SETCURSOR()
  ON_CONTROL_REFLECT(STN_CLICKED, OnClicked)
END_MESSAGE_MAP()

CStaticHotlink::~CStaticHotlink() = default;

AString CStaticHotlink::ClickTarget() const {
  CString text;
  GetWindowText(text);
  if (text.IsEmpty()) return AString();
  if (m_mail) {
    AString target("mailto:");
    target += text.GetString();
    return target;
  }
  return m_link.IsEmpty() ? AString(text.GetString()) : m_link;
}

HBRUSH CStaticHotlink::CtlColor(CDC* dc, UINT) {
  if (!m_underline.GetSafeHandle()) {
    LOGFONTA font{};
    HFONT current = reinterpret_cast<HFONT>(SendMessage(WM_GETFONT));
    ::GetObjectA(current ? static_cast<HGDIOBJ>(current) : ::GetStockObject(DEFAULT_GUI_FONT), sizeof font, &font);
    font.lfUnderline = TRUE;
    m_underline.CreateFontIndirect(&font);
  }
  dc->SelectObject(&m_underline);
  dc->SetTextColor(0x00FF0000);
  dc->SetBkMode(TRANSPARENT);
  return static_cast<HBRUSH>(::GetStockObject(NULL_BRUSH));
}

BOOL CStaticHotlink::OnSetCursor(CWnd*, UINT, UINT) {
  if (GetWindowTextLength() == 0) return FALSE;
  HCURSOR hand = ::LoadCursorA(AfxGetResourceHandle(), MAKEINTRESOURCEA(IDC_HAND_CURSOR));
  if (!hand) return FALSE;
  ::SetCursor(hand);
  return TRUE;
}

void CStaticHotlink::OnClicked() {
  const AString target = ClickTarget();
  if (target.IsEmpty()) return;
  ::ShellExecuteA(m_hWnd, "open", target.GetData(), nullptr, nullptr, SW_SHOWNORMAL);
}
