#include "app/small_dialogs/welcome_dlg.h"

#include "app/small_dialogs/product_info.h"
#include "app/small_dialogs/small_dialogs_ids.h"
#include "document/layout_shell.h"
#include "image/decode/planydec.h"

namespace {
// Fires once the screen has been up for its minimum time (timers run on the
// platform's clock).
constexpr UINT_PTR kMinimumTimer = 1;
}

BEGIN_MESSAGE_MAP(CWelcomeDlg, CSkinDialog)
  ON_WM_TIMER()
END_MESSAGE_MAP()

CWelcomeDlg::CWelcomeDlg(int mode, CWnd* parent) : CSkinDialog(IDD_WELCOME, parent), m_mode(mode) {}

CWelcomeDlg::~CWelcomeDlg() { m_picture.reset(); }

BOOL CWelcomeDlg::Create(CWnd* parent) {
  if (!CSkinDialog::Create(IDD_WELCOME, parent)) return FALSE;
  SetTimer(kMinimumTimer, kWelcomeMinimumMs, nullptr);
  return TRUE;
}

BOOL CWelcomeDlg::OnInitDialog() {
  AString path = LayoutShell()->ProgramFolder();
  path += kWelcomePicture;
  auto picture = std::make_unique<PLWinBmp>();
  PLAnyPicDecoder decoder;
  // Without its picture the screen keeps its template's look.
  if (!decoder.MakeBmpFromFile(path.GetData(), picture.get(), 32)) return FALSE;
  m_picture = std::move(picture);
  CSkinDialog::OnInitDialog();
  SetWindowPos(nullptr, 0, 0, m_picture->GetWidth(), m_picture->GetHeight(),
               SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
  CenterWindow();
  Skin().SetPaintCallback(&CWelcomeDlg::PaintPicture);
  if (m_mode == 0) {
    if (CWnd* ok = GetDlgItem(IDOK)) {
      ok->EnableWindow(FALSE);
      ok->ShowWindow(SW_HIDE);
    }
  }
  return TRUE;
}

void CWelcomeDlg::PaintPicture(HDC dc, CWnd* owner) {
  auto* self = dynamic_cast<CWelcomeDlg*>(owner);
  if (!self || !self->m_picture) return;
  PLWinBmp& picture = *self->m_picture;
  picture.Draw(dc, 0, 0, SRCCOPY);
  const int oldMode = ::SetBkMode(dc, TRANSPARENT);
  AString version;
  version.Format("Version %s", GetVersionText().GetData());
  SIZE size{};
  ::GetTextExtentPoint32A(dc, version.GetData(), version.GetLength(), &size);
  ::TextOutA(dc, (picture.GetWidth() - size.cx) * 3 / 4 - 12, 200, version.GetData(), version.GetLength());
  const AString web(kProductWebAddress);
  ::GetTextExtentPoint32A(dc, web.GetData(), web.GetLength(), &size);
  ::TextOutA(dc, 10, picture.GetHeight() - size.cy - 12, web.GetData(), web.GetLength());
  ::SetBkMode(dc, oldMode);
}

void CWelcomeDlg::CloseWhenShownLongEnough() {
  m_ownsItself = true;
  m_closeAsked = true;
  if (!m_hWnd) {
    delete this;
  } else if (m_minimumShown) {
    DestroyWindow();
  }
}

void CWelcomeDlg::OnTimer(UINT_PTR id) {
  if (id != kMinimumTimer) return;
  KillTimer(kMinimumTimer);
  m_minimumShown = true;
  if (m_closeAsked) DestroyWindow();
}

void CWelcomeDlg::PostNcDestroy() {
  CSkinDialog::PostNcDestroy();
  if (m_ownsItself) delete this;
}
