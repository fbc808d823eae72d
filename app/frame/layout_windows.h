// What the main frame needs of the layout windows beyond the framework's
// classes: which MDI children are layout windows, their views' scroll
// positions and label sizes, and the outside-change bookkeeping of their
// documents. The layout code installs its own answers; until it does, an MDI
// child is a layout window when its run-time class is (or derives from) one
// named "CDocFrmWnd", and scroll views answer for the rest.
#pragma once

#include <memory>

#include "app/frame/outside_changes.h"
#include "platform/framework.h"

class CLayoutWindows {
 public:
  virtual ~CLayoutWindows() = default;
  virtual bool IsLayoutChild(CWnd* child) const;
  // The check's view of the layout in a layout child; null when it keeps none.
  virtual std::unique_ptr<CLayoutFileWatch> Watch(CMDIChildWnd* child) const;
  virtual POINT ScrollOrigin(CView* view) const;
  virtual SIZE LabelSizePixels(CView* view) const;
  virtual void ScrollTo(CView* view, POINT position) const;
  virtual void SetLocked(CDocument* document, bool locked) const;
};

// Installs the layout code's answers (null: the plain ones above).
void SetLayoutWindows(const CLayoutWindows* windows);
const CLayoutWindows& LayoutWindows();

// Whether an object's run-time class is, or derives from, a class of that name.
bool IsKindOfName(const CObject* object, const char* className);
