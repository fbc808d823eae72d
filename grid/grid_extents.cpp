// Row heights and column widths as a common size and the entries that differ
// from it; the differences are summed in a Fenwick tree, so a change of one
// size updates a logarithm of sums and the sum before an entry adds a
// logarithm of them. An entry added after the last kept one, as when rows are
// sized one after another, extends the tree without building it again.
#include "grid/grid_extents.h"

#include <algorithm>

namespace {
int LowBit(int j) { return j & -j; }
}  // namespace

int GridExtents::FirstKeptFrom(int i) const {
  return static_cast<int>(std::lower_bound(places_.begin(), places_.end(), i) - places_.begin());
}

UINT GridExtents::Get(int i) const {
  const int k = FirstKeptFrom(i);
  return k < Kept() && places_[static_cast<size_t>(k)] == i ? sizes_[static_cast<size_t>(k)] : common_;
}

int64_t GridExtents::DiffBefore(int k) const {
  int64_t sum = 0;
  for (int j = k; j > 0; j -= LowBit(j)) sum += tree_[static_cast<size_t>(j - 1)];
  return sum;
}

void GridExtents::AddDiff(int k, int64_t delta) {
  for (int j = k + 1; j <= static_cast<int>(tree_.size()); j += LowBit(j)) tree_[static_cast<size_t>(j - 1)] += delta;
}

void GridExtents::Rebuild() {
  tree_.assign(sizes_.size(), 0);
  for (size_t k = 0; k < sizes_.size(); ++k) tree_[k] = static_cast<int64_t>(sizes_[k]) - common_;
  // Each node passes its sum on to the node that covers it.
  for (int j = 1; j <= static_cast<int>(tree_.size()); ++j) {
    const int parent = j + LowBit(j);
    if (parent <= static_cast<int>(tree_.size())) tree_[static_cast<size_t>(parent - 1)] += tree_[static_cast<size_t>(j - 1)];
  }
}

void GridExtents::Keep(int i, UINT size) {
  const int k = FirstKeptFrom(i);
  places_.insert(places_.begin() + k, i);
  sizes_.insert(sizes_.begin() + k, size);
  if (k + 1 != Kept()) {
    Rebuild();
    return;
  }
  // The new node covers kept entries (j - LowBit(j), j]; all but the new one
  // are already counted in the nodes before it.
  const int j = Kept();
  tree_.push_back(DiffBefore(j - 1) - DiffBefore(j - LowBit(j)) + (static_cast<int64_t>(size) - common_));
}

void GridExtents::Forget(int k) {
  places_.erase(places_.begin() + k);
  sizes_.erase(sizes_.begin() + k);
  // The last node covers no other: it goes alone.
  if (k == Kept()) tree_.pop_back();
  else Rebuild();
}

void GridExtents::Set(int i, UINT size) {
  const int k = FirstKeptFrom(i);
  const bool kept = k < Kept() && places_[static_cast<size_t>(k)] == i;
  if (!kept) {
    if (size != common_) Keep(i, size);
    return;
  }
  if (size == common_) {
    Forget(k);
    return;
  }
  UINT& old = sizes_[static_cast<size_t>(k)];
  const int64_t delta = static_cast<int64_t>(size) - old;
  old = size;
  if (delta != 0) AddDiff(k, delta);
}

void GridExtents::Swap(int a, int b) {
  const UINT first = Get(a), second = Get(b);
  if (first == second) return;
  Set(a, second);
  Set(b, first);
}

void GridExtents::Resize(int count, UINT fill) {
  count = std::max(count, 0);
  const int keptBelow = FirstKeptFrom(count);
  places_.resize(static_cast<size_t>(keptBelow));
  sizes_.resize(static_cast<size_t>(keptBelow));
  const int old = std::min(count_, count);
  if (count > old && fill != common_) {
    // The common size is the one of more entries: the old entries of the
    // old common size, or the new ones.
    if (count - old >= old - Kept()) {
      std::vector<int> places;
      std::vector<UINT> sizes;
      for (int i = 0, k = 0; i < old; ++i) {
        const bool kept = k < Kept() && places_[static_cast<size_t>(k)] == i;
        const UINT size = kept ? sizes_[static_cast<size_t>(k++)] : common_;
        if (size != fill) {
          places.push_back(i);
          sizes.push_back(size);
        }
      }
      places_ = std::move(places);
      sizes_ = std::move(sizes);
      common_ = fill;
    } else {
      for (int i = old; i < count; ++i) {
        places_.push_back(i);
        sizes_.push_back(fill);
      }
    }
  }
  count_ = count;
  Rebuild();
}

void GridExtents::Reserve(int count) {
  const size_t room = static_cast<size_t>(std::min(std::max(count, 0), Kept() + 1));
  places_.reserve(room);
  sizes_.reserve(room);
  tree_.reserve(room);
}

void GridExtents::Insert(int at, UINT size) {
  // The entries from `at` on move one place on; their order and sums stay.
  for (int k = FirstKeptFrom(at); k < Kept(); ++k) ++places_[static_cast<size_t>(k)];
  ++count_;
  if (size != common_) Keep(at, size);
}

void GridExtents::Erase(int at) {
  int k = FirstKeptFrom(at);
  if (k < Kept() && places_[static_cast<size_t>(k)] == at) Forget(k);
  for (; k < Kept(); ++k) --places_[static_cast<size_t>(k)];
  --count_;
}

long GridExtents::Before(int i) const {
  return static_cast<long>(static_cast<int64_t>(i) * common_ + DiffBefore(FirstKeptFrom(i)));
}

int GridExtents::Search(long target, bool strict) const {
  auto reached = [&](long value) { return strict ? value > target : value >= target; };
  if (!reached(Total())) return count_ + 1;
  // Before grows with i (sizes are not negative): the first i that reaches.
  int low = 0, high = count_;
  while (low < high) {
    const int middle = low + (high - low) / 2;
    if (reached(Before(middle))) high = middle;
    else low = middle + 1;
  }
  return low;
}

int GridExtents::LowerBound(long target) const { return Search(target, false); }
int GridExtents::UpperBound(long target) const { return Search(target, true); }
