// The dialog base with its skin.
#include "app/ui/skin_dialog.h"

BEGIN_MESSAGE_MAP(CSkinDialog, CDialog)
ON_MESSAGE(WM_SKIN_REFRESH, OnSkinRefresh)
ON_WM_PAINT()
ON_MESSAGE(WM_NCPAINT, OnNcPaint)
ON_MESSAGE(WM_NCACTIVATE, OnNcActivate)
ON_WM_NCLBUTTONDOWN()
ON_WM_LBUTTONUP()
ON_WM_NCHITTEST()
ON_WM_DESTROY()
END_MESSAGE_MAP()

CSkinDialog::CSkinDialog(UINT dialogId, CWnd* parent)
    : CDialog(dialogId, parent), dialogId_(static_cast<int>(dialogId)), focusBefore_(::GetFocus()) {}

CSkinDialog::~CSkinDialog() = default;

BOOL CSkinDialog::OnInitDialog() {
  CDialog::OnInitDialog();
  dialogWindow_ = m_hWnd;
  skin_.Attach(this, dialogId_);
  PostMessage(WM_SKIN_REFRESH);
  return TRUE;
}

BOOL CSkinDialog::PreTranslateMessage(MSG* msg) {
  if (skin_.PreTranslateMessage(msg)) return TRUE;
  return CDialog::PreTranslateMessage(msg);
}

LRESULT CSkinDialog::OnSkinRefresh(WPARAM, LPARAM) {
  Invalidate(TRUE);
  return 0;
}

void CSkinDialog::OnPaint() {
  CPaintDC dc(this);
  skin_.Paint(dc);
}

LRESULT CSkinDialog::OnNcPaint(WPARAM, LPARAM) {
  return skin_.HandleNcPaint([this] { return Default(); });
}

LRESULT CSkinDialog::OnNcActivate(WPARAM active, LPARAM) {
  return skin_.HandleNcActivate(active, [this] { return Default(); });
}

void CSkinDialog::OnNcLButtonDown(UINT, CPoint point) {
  skin_.HandleNcButtonDown(point, [this] { return Default(); });
}

void CSkinDialog::OnLButtonUp(UINT, CPoint point) {
  skin_.HandleButtonUp(point, [this] { return Default(); });
}

LRESULT CSkinDialog::OnNcHitTest(CPoint point) {
  return skin_.HandleNcHitTest(point, [this] { return Default(); });
}

void CSkinDialog::OnDestroy() {
  CDialog::OnDestroy();
  skin_.Detach();
  if (focusBefore_ && ::IsWindow(focusBefore_)) ::SetFocus(focusBefore_);
}
