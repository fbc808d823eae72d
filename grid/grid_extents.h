// The heights of a grid's rows (or the widths of its columns) with running
// sums, so that "where does row n start" and "which row holds this offset"
// cost a logarithm of the row count instead of a walk over every row before
// it. Each entry costs its 4 bytes plus one 8-byte block sum per 64 entries.
#pragma once

#include <cstdint>
#include <vector>

#include "platform/kernel/types.h"

class GridExtents {
 public:
  int Count() const { return static_cast<int>(sizes_.size()); }
  // The size of entry `i`, which must exist.
  UINT Get(int i) const { return sizes_[static_cast<size_t>(i)]; }
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
  long Total() const { return total_; }
  // The smallest i in [0, Count()] with Before(i) >= target (Count() + 1
  // when even the total falls short).
  int LowerBound(long target) const;
  // The smallest i in [0, Count()] with Before(i) > target (Count() + 1
  // when none).
  int UpperBound(long target) const;

 private:
  static constexpr int kBlockShift = 6;
  static constexpr int kBlock = 1 << kBlockShift;
  // The smallest i with Before(i) > target (strict) or >= target.
  int Search(long target, bool strict) const;
  void Rebuild();
  void AddToBlock(int block, long delta);
  long BlocksBefore(int blocks) const;

  std::vector<UINT> sizes_;
  std::vector<int64_t> tree_;  // a Fenwick tree of the block sums
  long total_ = 0;
};
