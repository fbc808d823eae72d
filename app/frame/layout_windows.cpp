#include "app/frame/layout_windows.h"

#include <cstring>

namespace {

const CLayoutWindows*& Installed() {
  static const CLayoutWindows* windows = nullptr;
  return windows;
}

}  // namespace

bool IsKindOfName(const CObject* object, const char* className) {
  if (!object) return false;
  for (const CRuntimeClass* c = object->GetRuntimeClass(); c; c = c->m_pBaseClass)
    if (std::strcmp(c->m_lpszClassName, className) == 0) return true;
  return false;
}

bool CLayoutWindows::IsLayoutChild(CWnd* child) const { return IsKindOfName(child, "CDocFrmWnd"); }

std::unique_ptr<CLayoutFileWatch> CLayoutWindows::Watch(CMDIChildWnd*) const { return nullptr; }

POINT CLayoutWindows::ScrollOrigin(CView* view) const {
  if (auto* scroll = dynamic_cast<CScrollView*>(view)) return scroll->GetScrollPosition();
  return POINT{0, 0};
}

SIZE CLayoutWindows::LabelSizePixels(CView* view) const {
  if (auto* scroll = dynamic_cast<CScrollView*>(view)) return scroll->GetTotalSize();
  return SIZE{0, 0};
}

void CLayoutWindows::ScrollTo(CView* view, POINT position) const {
  if (auto* scroll = dynamic_cast<CScrollView*>(view)) scroll->ScrollToPosition(position);
}

void CLayoutWindows::SetLocked(CDocument*, bool) const {}

void SetLayoutWindows(const CLayoutWindows* windows) { Installed() = windows; }

const CLayoutWindows& LayoutWindows() {
  static const CLayoutWindows plain;
  return Installed() ? *Installed() : plain;
}
