// What the main frame needs of the layout windows beyond the framework's
// classes: which MDI children are layout windows, their design views' scroll
// positions and label sizes, and the outside-change bookkeeping of their
// documents. An MDI child is a layout window when its run-time class is (or
// derives from) the layout child frame's, "CDocFrmWnd".
#pragma once

#include <memory>

#include "app/frame/outside_changes.h"
#include "platform/framework.h"

class CLayoutWindows {
 public:
  virtual ~CLayoutWindows() = default;
  virtual bool IsLayoutChild(CWnd* child) const;
  // The check's view of the layout in a layout child; null when the child
  // holds no layout document.
  virtual std::unique_ptr<CLayoutFileWatch> Watch(CMDIChildWnd* child) const;
  // The design view's (or a scroll view's) scroll position and label size.
  virtual POINT ScrollOrigin(CView* view) const;
  virtual SIZE LabelSizePixels(CView* view) const;
  virtual void ScrollTo(CView* view, POINT position) const;
  virtual void RefreshFromSettings(CView* view) const;
  // The layout document's locked flag (read-only opening).
  virtual void SetLocked(CDocument* document, bool locked) const;
};

// Installs other answers (tests; null: the ones above).
void SetLayoutWindows(const CLayoutWindows* windows);
const CLayoutWindows& LayoutWindows();

// Whether an object's run-time class is, or derives from, a class of that name.
bool IsKindOfName(const CObject* object, const char* className);
