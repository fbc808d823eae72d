// What the design view asks of the layout window around it (its rulers, its
// title and the other panes of its splitter). The layout child frame
// implements it; a view in any other frame (tests, previews) finds none and
// repaints only itself.
#pragma once

#include "platform/kernel/types.h"

class CDesignVu;

class IDesignViewHost {
 public:
  virtual ~IDesignViewHost() = default;
  // Adds or removes the modified sign of the window's title.
  virtual void UpdateTitleModifiedMark(bool modified) = 0;
  // Repaints rect (client pixels of `from`, null for all) in the other
  // design views of the splitter.
  virtual void SyncSplitterViews(CDesignVu* from, const RECT* rect) = 0;
  // Resets and repaints the rulers: bit 0 the horizontal one, bit 1 the vertical.
  virtual void ResetRulers(int which) = 0;
  // Moves the rulers' pointer marks to a client point of the view.
  virtual void MoveRulerMarks(CDesignVu* from, POINT client) = 0;
  // Invalidates the selection areas of the other design views of the
  // splitter, whose handles then disappear.
  virtual void HideOtherSelections(CDesignVu* from) = 0;
};
