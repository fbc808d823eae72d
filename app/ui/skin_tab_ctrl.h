// The tab control of the designer's property sheets in languages other than
// English: it translates and pads the tab captions, draws the tabs and the
// page frame itself into an off-screen bitmap, and hides itself while the
// selected page changes so that the change does not flicker.
#pragma once

#include <vector>

#include "foundation/string/astring.h"
#include "platform/framework.h"

class CSkinTabCtrl : public CTabCtrl {
 public:
  CSkinTabCtrl() = default;
  ~CSkinTabCtrl() override;

  void DrawItem(LPDRAWITEMSTRUCT dis) override;
  // The outline of one tab: flags 0 for a tab behind, 3 for the selected one
  // (bit 0 its colours, bit 1 reaching 2 pixels lower to join the page).
  virtual void DrawTabFrame(HDC dc, const RECT& rect, int flags);
  int GetFirstVisibleTab() const;

  const std::vector<AString>& TabTexts() const { return texts_; }
  const RECT& PageFrame() const { return pageFrame_; }
  int Selected() const { return selected_; }
  // The blanks put before and after a translated caption: a third of its
  // length, at least one.
  static int PaddingOf(const AString& caption);

 protected:
  void PreSubclassWindow() override;
  void OnPaint();
  BOOL OnEraseBkgnd(CDC* dc);
  BOOL OnSelChanging(NMHDR* header, LRESULT* result);
  BOOL OnSelChange(NMHDR* header, LRESULT* result);
  LRESULT OnSetCurSel(WPARAM index, LPARAM);
  void OnHScroll(UINT code, UINT pos, CScrollBar* bar);
  DECLARE_MESSAGE_MAP()

 private:
  RECT ArrowsRect() const;
  void DrawCaption(HDC dc, int index, RECT rect, bool selected);
  bool Reaches(const RECT& tab) const;

  int selected_ = -1;
  RECT pageFrame_{};
  RECT arrows_{};
  HPEN darkShadow_ = nullptr;
  HPEN highlight_ = nullptr;
  HPEN shadow_ = nullptr;
  std::vector<AString> texts_;
  bool notifying_ = false;
};
