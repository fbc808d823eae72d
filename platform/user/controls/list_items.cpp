// The item model of list and combo boxes.
#include "platform/user/controls/list_items.h"

#include <algorithm>

#include "platform/nls/nls.h"

namespace controls {
namespace {

char16_t Upper(char16_t c) {
  WCHAR unit = c;
  CharUpperBuffW(&unit, 1);
  return unit;
}

bool StartsWithNoCase(std::u16string_view text, std::u16string_view prefix) {
  return text.size() >= prefix.size() && CompareNoCase(text.substr(0, prefix.size()), prefix) == 0;
}

}  // namespace

int CompareNoCase(std::u16string_view a, std::u16string_view b) {
  const size_t n = std::min(a.size(), b.size());
  for (size_t i = 0; i < n; ++i) {
    const char16_t x = Upper(a[i]);
    const char16_t y = Upper(b[i]);
    if (x != y) return x < y ? -1 : 1;
  }
  return a.size() == b.size() ? 0 : (a.size() < b.size() ? -1 : 1);
}

long ListItems::Place(std::u16string_view text) const {
  if (!sorted_) return static_cast<long>(items_.size());
  auto it = std::upper_bound(items_.begin(), items_.end(), text, [](std::u16string_view t, const ListItem& item) {
    return CompareNoCase(t, item.text) < 0;
  });
  return static_cast<long>(it - items_.begin());
}

void ListItems::Inserted(long index) {
  // Indices at or after an inserted item move down by one.
  for (long* i : {&current_, &caret_, &anchor_})
    if (*i != kNone && *i >= index) ++*i;
}

long ListItems::Add(std::u16string_view text, intptr_t data) {
  const long index = Place(text);
  items_.insert(items_.begin() + index, ListItem{std::u16string(text), data});
  Inserted(index);
  return index;
}

long ListItems::Insert(long index, std::u16string_view text, intptr_t data) {
  if (index == -1) index = static_cast<long>(items_.size());
  if (index < 0 || static_cast<size_t>(index) > items_.size()) return kNone;
  items_.insert(items_.begin() + index, ListItem{std::u16string(text), data});
  Inserted(index);
  return index;
}

long ListItems::Delete(long index) {
  if (!Valid(index)) return kNone;
  items_.erase(items_.begin() + index);
  for (long* i : {&current_, &caret_, &anchor_}) {
    if (*i == index) *i = kNone;
    else if (*i > index) --*i;
  }
  if (top_ >= static_cast<long>(items_.size())) top_ = items_.empty() ? 0 : static_cast<long>(items_.size()) - 1;
  return static_cast<long>(items_.size());
}

void ListItems::Clear() {
  items_.clear();
  current_ = caret_ = anchor_ = kNone;
  top_ = 0;
}

bool ListItems::SetData(long index, intptr_t data) {
  if (!Valid(index)) return false;
  items_[static_cast<size_t>(index)].data = data;
  return true;
}

bool ListItems::SetHeight(long index, int height) {
  if (!Valid(index) || height < 0 || height > 255) return false;
  items_[static_cast<size_t>(index)].height = height;
  return true;
}

long ListItems::FindPrefix(long start, std::u16string_view prefix) const {
  const long n = static_cast<long>(items_.size());
  if (n == 0) return kNone;
  const long first = (start < 0 || start >= n) ? 0 : start + 1;
  for (long k = 0; k < n; ++k) {
    const long i = (first + k) % n;
    if (StartsWithNoCase(items_[static_cast<size_t>(i)].text, prefix)) return i;
  }
  return kNone;
}

long ListItems::FindExact(long start, std::u16string_view text) const {
  const long n = static_cast<long>(items_.size());
  if (n == 0) return kNone;
  const long first = (start < 0 || start >= n) ? 0 : start + 1;
  for (long k = 0; k < n; ++k) {
    const long i = (first + k) % n;
    if (CompareNoCase(items_[static_cast<size_t>(i)].text, text) == 0) return i;
  }
  return kNone;
}

bool ListItems::SetCurrent(long index) {
  if (index != -1 && !Valid(index)) return false;
  current_ = index;
  if (index != -1) caret_ = anchor_ = index;
  for (size_t i = 0; i < items_.size(); ++i) items_[i].selected = static_cast<long>(i) == index;
  return true;
}

bool ListItems::SetSelected(long index, bool selected) {
  if (mode_ == SelectionMode::Single || mode_ == SelectionMode::None) return false;
  if (index == -1) {
    for (ListItem& item : items_) item.selected = selected;
    return true;
  }
  if (!Valid(index)) return false;
  items_[static_cast<size_t>(index)].selected = selected;
  return true;
}

bool ListItems::IsSelected(long index) const { return Valid(index) && items_[static_cast<size_t>(index)].selected; }

long ListItems::SelectedCount() const {
  if (mode_ == SelectionMode::Single) return current_ == kNone ? 0 : 1;
  return static_cast<long>(std::count_if(items_.begin(), items_.end(), [](const ListItem& i) { return i.selected; }));
}

std::vector<long> ListItems::SelectedItems() const {
  std::vector<long> out;
  for (size_t i = 0; i < items_.size(); ++i)
    if (items_[i].selected) out.push_back(static_cast<long>(i));
  return out;
}

bool ListItems::SelectRange(long first, long last, bool selected) {
  if (mode_ == SelectionMode::Single || mode_ == SelectionMode::None) return false;
  if (first > last) std::swap(first, last);
  if (!Valid(first)) return false;
  last = std::min<long>(last, static_cast<long>(items_.size()) - 1);
  for (long i = first; i <= last; ++i) items_[static_cast<size_t>(i)].selected = selected;
  return true;
}

void ListItems::UserSelect(long index, bool shift, bool control) {
  if (!Valid(index)) return;
  switch (mode_) {
    case SelectionMode::None:
      caret_ = index;
      return;
    case SelectionMode::Single:
      SetCurrent(index);
      return;
    case SelectionMode::Multiple:
      items_[static_cast<size_t>(index)].selected = !items_[static_cast<size_t>(index)].selected;
      caret_ = index;
      return;
    case SelectionMode::Extended:
      if (shift && anchor_ != kNone) {
        if (!control) SetSelected(-1, false);
        SelectRange(anchor_, index, true);
      } else if (control) {
        items_[static_cast<size_t>(index)].selected = !items_[static_cast<size_t>(index)].selected;
        anchor_ = index;
      } else {
        SetSelected(-1, false);
        items_[static_cast<size_t>(index)].selected = true;
        anchor_ = index;
      }
      caret_ = index;
      return;
  }
}

}  // namespace controls
