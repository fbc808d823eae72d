// The item model of list boxes and combo boxes, apart from any window: texts
// (or, for owner-drawn lists without strings, only item data), sorted
// insertion, item data and heights, single, multiple and extended
// selection, the caret and anchor, and the searches by prefix and by whole
// text, both without case.
#pragma once

#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace controls {

enum class SelectionMode { Single, Multiple, Extended, None };

struct ListItem {
  std::u16string text;
  intptr_t data = 0;
  int height = 0;  // owner-drawn variable lists
  bool selected = false;
};

class ListItems {
 public:
  static constexpr long kNone = -1;  // LB_ERR / "no item"

  ListItems(bool sorted = false, SelectionMode mode = SelectionMode::Single) : sorted_(sorted), mode_(mode) {}

  bool sorted() const { return sorted_; }
  SelectionMode mode() const { return mode_; }
  size_t size() const { return items_.size(); }
  const ListItem& at(size_t index) const { return items_[index]; }
  bool Valid(long index) const { return index >= 0 && static_cast<size_t>(index) < items_.size(); }

  // LB_ADDSTRING: at its sorted place (after equal texts) or at the end.
  long Add(std::u16string_view text, intptr_t data = 0);
  // LB_INSERTSTRING: at index, -1 for the end; never sorted. kNone past the end.
  long Insert(long index, std::u16string_view text, intptr_t data = 0);
  // LB_DELETESTRING: the count left, or kNone for a bad index.
  long Delete(long index);
  void Clear();

  bool SetData(long index, intptr_t data);
  bool SetHeight(long index, int height);

  // LB_FINDSTRING: the first item after start (wrapping round; -1 searches
  // from the top) whose text begins with prefix, without case.
  long FindPrefix(long start, std::u16string_view prefix) const;
  // LB_FINDSTRINGEXACT / CB_FINDSTRINGEXACT: the whole text, without case.
  long FindExact(long start, std::u16string_view text) const;

  // Single selection.
  long current() const { return current_; }
  // LB_SETCURSEL: -1 clears; kNone (and no change) for an index past the end.
  bool SetCurrent(long index);
  // Multiple and extended selection.
  bool SetSelected(long index, bool selected);  // -1: every item
  bool IsSelected(long index) const;
  long SelectedCount() const;
  std::vector<long> SelectedItems() const;
  bool SelectRange(long first, long last, bool selected);
  // The focus rectangle (caret) and the anchor of extended selection.
  long caret() const { return caret_; }
  void SetCaret(long index) { caret_ = Valid(index) ? index : kNone; }
  long anchor() const { return anchor_; }
  void SetAnchor(long index) { anchor_ = Valid(index) ? index : kNone; }

  // A click or a key moving to index, as the user selects: Shift extends
  // from the anchor, Control toggles (extended mode); in multiple mode a
  // click toggles the item.
  void UserSelect(long index, bool shift, bool control);

  long top() const { return top_; }
  void SetTop(long index) { top_ = Valid(index) ? index : 0; }

 private:
  long Place(std::u16string_view text) const;
  void Inserted(long index);

  bool sorted_;
  SelectionMode mode_;
  std::vector<ListItem> items_;
  long current_ = kNone;
  long caret_ = kNone;
  long anchor_ = kNone;
  long top_ = 0;
};

// Comparison without case of two texts (the simple case mapping of each unit).
int CompareNoCase(std::u16string_view a, std::u16string_view b);

}  // namespace controls
