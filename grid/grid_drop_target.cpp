// Drag events over a grid's window go to the grid; for any other window
// there is no drop.
#include "grid/grid_drop_target.h"

#include "grid/grid_ctrl.h"

namespace {
// Shared by every drop target: one registration at a time.
bool g_registering = false;
}  // namespace

BOOL CGridDropTarget::Register(CWnd* window) {
  if (m_bRegistered || g_registering || !window || !window->IsKindOf(RUNTIME_CLASS(CGridCtrl))) return FALSE;
  g_registering = true;
  m_pGridCtrl = static_cast<CGridCtrl*>(window);
  m_bRegistered = COleDropTarget::Register(window) != FALSE;
  g_registering = false;
  return m_bRegistered ? TRUE : FALSE;
}

void CGridDropTarget::Revoke() {
  m_bRegistered = false;
  COleDropTarget::Revoke();
}

DROPEFFECT CGridDropTarget::OnDragEnter(CWnd* window, COleDataObject* data, DWORD keyState, CPoint point) {
  return window == m_pGridCtrl ? m_pGridCtrl->OnDragEnter(data, keyState, point) : DROPEFFECT_NONE;
}

DROPEFFECT CGridDropTarget::OnDragOver(CWnd* window, COleDataObject* data, DWORD keyState, CPoint point) {
  return window == m_pGridCtrl ? m_pGridCtrl->OnDragOver(data, keyState, point) : DROPEFFECT_NONE;
}

void CGridDropTarget::OnDragLeave(CWnd* window) {
  if (window == m_pGridCtrl) m_pGridCtrl->OnDragLeave();
}

BOOL CGridDropTarget::OnDrop(CWnd* window, COleDataObject* data, DROPEFFECT effect, CPoint point) {
  return window == m_pGridCtrl && m_pGridCtrl->OnDrop(data, effect, point) ? TRUE : FALSE;
}
