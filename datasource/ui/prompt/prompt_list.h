// The prompt list of the print dialog: an owner-drawn list of rows, each a
// caption and a value edited in the row's own windows. The current row
// follows the focus; Tab, Shift+Tab, Down and Up move between selectable
// rows (and on to chained lists or the windows around the list); a part
// row's "..." button or a right click opens its source menu; the caption
// column's edge can be dragged.
#pragma once

#include <functional>
#include <memory>
#include <vector>

#include "datasource/ui/prompt/prompt_item.h"
#include "platform/framework.h"
#include "platform/gdi/gdi_owners.h"

class CPromptList : public CListBox {
 public:
  static constexpr int kDividerSlop = 5;
  static constexpr int kMinItemHeight = 24;

  CPromptList();
  ~CPromptList() override;

  // Makes the list over a placeholder rectangle of the parent.
  BOOL Create(const RECT& rect, CWnd* parent, UINT id);
  // Takes the row; returns its index. Init it afterwards.
  int AddItem(CPromptItem* item);
  CPromptItem* Item(int row) const;
  int RowCount() const { return static_cast<int>(rows_.size()); }
  HFONT Font() const { return font_.get(); }

  // Makes a selectable row current (the previous one's text taken in),
  // showing and, with focus, focusing its window.
  void MakeCurrent(int row, bool focus);
  // Moves the current row by one selectable row (step +1 or -1); past the
  // ends the focus goes on to a chained list or the window beside the list.
  void StepRow(int step);
  // The source menu of a part row at a screen point; the chosen source, or
  // -1 when the menu was cancelled or the row is no part row.
  int ShowSourceMenu(int row, POINT screen);
  // The caption column's width (computed on the first paint).
  int CaptionWidth();
  void SetCaptionWidth(int width);

  int m_current = -1;
  float m_captionFraction = 0;
  int m_rowsPerView = 0;
  int m_itemHeight = 0;
  int m_alwaysLimit = 0;
  // The list answers the prompted parts now (before printing): their
  // editors show, the other parts are read-only, and no source changes.
  int m_answerPrompts = 0;
  int m_hasWindows = 0;
  HWND m_insertButtons = nullptr;  // the data page's insert-buttons panel, may be null
  CPromptList* m_previous = nullptr;
  CPromptList* m_next = nullptr;
  HWND m_before = nullptr;
  HWND m_after = nullptr;
  // The "..." actions of rows other than part rows; IDOK redraws the list.
  std::function<int(CPromptItem&)> m_onButton;

  void DrawItem(LPDRAWITEMSTRUCT dis) override;
  void MeasureItem(LPMEASUREITEMSTRUCT mis) override;
  BOOL PreTranslateMessage(MSG* msg) override;

 protected:
  LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override;

 private:
  int RowOfWindow(HWND window) const;
  int RowAt(POINT client) const;
  bool NearDivider(POINT client);
  void PlaceRow(int row, const RECT& item);
  void OnButton(int row);
  void DragDivider(int x, bool finish);
  void LeaveRow(int row);
  std::vector<std::unique_ptr<CPromptItem>> rows_;
  UniqueGdi<HFONT> font_;
  int captionWidth_ = 0;
  bool dragging_ = false;
  int dragX_ = -1;
};
