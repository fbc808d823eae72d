// The grid's drop target: passes the drag events over its grid's window to
// the grid; registered when the grid is sized, revoked when its window goes.
#pragma once

#include "platform/framework.h"
#include "platform/framework/ole_data.h"

class CGridCtrl;

class CGridDropTarget : public COleDropTarget {
 public:
  // Refused when already registered, while another registration is under
  // way, and for a window that is not a grid.
  BOOL Register(CWnd* window) override;
  void Revoke() override;
  bool IsRegistered() const { return m_bRegistered; }

  DROPEFFECT OnDragEnter(CWnd* window, COleDataObject* data, DWORD keyState, CPoint point) override;
  DROPEFFECT OnDragOver(CWnd* window, COleDataObject* data, DWORD keyState, CPoint point) override;
  void OnDragLeave(CWnd* window) override;
  BOOL OnDrop(CWnd* window, COleDataObject* data, DROPEFFECT effect, CPoint point) override;

 private:
  CGridCtrl* m_pGridCtrl = nullptr;
  bool m_bRegistered = false;
};
