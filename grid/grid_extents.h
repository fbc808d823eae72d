// The heights of a grid's rows (or the widths of its columns) with running
// sums, so that "where does row n start" and "which row holds this offset"
// cost a logarithm instead of a walk over every row before it. Only the
// entries that differ from the common size are kept (a list grid of a
// million rows of one height holds none), each with its place and size and
// a running sum of differences.
#pragma once

#include <cstdint>
#include <vector>

#include "platform/kernel/types.h"

class GridExtents {
 public:
  int Count() const { return count_; }
  // The size of entry `i`, which must exist.
  UINT Get(int i) const;
  void Set(int i, UINT size);
  void Swap(int a, int b);
  // Grows or shrinks to `count` entries; new ones get `fill`.
  void Resize(int count, UINT fill);
  void Insert(int at, UINT size);
  void Erase(int at);
  void Clear() { Resize(0, 0); }
  // Makes room for one more entry so that a following Insert cannot fail.
  void Reserve(int count);

  // The sum of the entries before `i` (0 <= i <= Count()).
  long Before(int i) const;
  // The sum of the entries from `from` up to, not including, `to`.
  long Sum(int from, int to) const { return to <= from ? 0 : Before(to) - Before(from); }
  long Total() const { return static_cast<long>(static_cast<int64_t>(count_) * common_ + DiffBefore(Kept())); }
  // The smallest i in [0, Count()] with Before(i) >= target (Count() + 1
  // when even the total falls short).
  int LowerBound(long target) const;
  // The smallest i in [0, Count()] with Before(i) > target (Count() + 1
  // when none).
  int UpperBound(long target) const;
  // How many entries differ from the common size (what the memory grows with).
  int Kept() const { return static_cast<int>(places_.size()); }

 private:
  int Search(long target, bool strict) const;
  // The place in places_ of the first kept entry at or after entry i.
  int FirstKeptFrom(int i) const;
  // The sum of (size - common) over the first k kept entries.
  int64_t DiffBefore(int k) const;
  void AddDiff(int k, int64_t delta);
  void Rebuild();
  // Keeps entry i (not kept yet) with a size other than the common one.
  void Keep(int i, UINT size);
  void Forget(int k);

  int count_ = 0;
  UINT common_ = 0;
  std::vector<int> places_;  // ascending entry indexes
  std::vector<UINT> sizes_;  // their sizes
  std::vector<int64_t> tree_;  // a Fenwick tree of their differences from common_
};
