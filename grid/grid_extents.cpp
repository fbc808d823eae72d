// Row heights and column widths with block sums in a Fenwick tree: a change
// of one size updates a logarithm of block sums; the sum before an entry adds
// a logarithm of block sums and at most one block of sizes.
#include "grid/grid_extents.h"

#include <bit>

namespace {
int LowBit(int j) { return j & -j; }
}  // namespace

void GridExtents::AddToBlock(int block, long delta) {
  for (int j = block + 1; j <= static_cast<int>(tree_.size()); j += LowBit(j)) tree_[static_cast<size_t>(j - 1)] += delta;
  total_ += delta;
}

long GridExtents::BlocksBefore(int blocks) const {
  int64_t sum = 0;
  for (int j = blocks; j > 0; j -= LowBit(j)) sum += tree_[static_cast<size_t>(j - 1)];
  return static_cast<long>(sum);
}

void GridExtents::Rebuild() {
  const size_t blocks = (sizes_.size() + kBlock - 1) / kBlock;
  tree_.assign(blocks, 0);
  total_ = 0;
  for (size_t i = 0; i < sizes_.size(); ++i) {
    tree_[i >> kBlockShift] += sizes_[i];
    total_ += static_cast<long>(sizes_[i]);
  }
  // Each node passes its sum on to the node that covers it.
  for (int j = 1; j <= static_cast<int>(blocks); ++j) {
    const int parent = j + LowBit(j);
    if (parent <= static_cast<int>(blocks)) tree_[static_cast<size_t>(parent - 1)] += tree_[static_cast<size_t>(j - 1)];
  }
}

void GridExtents::Set(int i, UINT size) {
  UINT& old = sizes_[static_cast<size_t>(i)];
  const long delta = static_cast<long>(size) - static_cast<long>(old);
  old = size;
  if (delta != 0) AddToBlock(i >> kBlockShift, delta);
}

void GridExtents::Swap(int a, int b) {
  const UINT first = Get(a);
  Set(a, Get(b));
  Set(b, first);
}

void GridExtents::Resize(int count, UINT fill) {
  sizes_.resize(static_cast<size_t>(count), fill);
  Rebuild();
}

void GridExtents::Reserve(int count) {
  sizes_.reserve(static_cast<size_t>(count));
  tree_.reserve((static_cast<size_t>(count) + kBlock - 1) / kBlock);
}

void GridExtents::Insert(int at, UINT size) {
  if (at != Count()) {
    sizes_.insert(sizes_.begin() + at, size);
    Rebuild();
    return;
  }
  // Appending touches only the last block: rows added one by one stay cheap.
  sizes_.push_back(size);
  if (static_cast<size_t>(at) >> kBlockShift == tree_.size()) {
    const int j = static_cast<int>(tree_.size()) + 1;
    // The new node covers blocks (j - LowBit(j), j]; all but the new one are
    // already counted in the nodes before it.
    tree_.push_back(BlocksBefore(j - 1) - BlocksBefore(j - LowBit(j)));
  }
  AddToBlock(at >> kBlockShift, static_cast<long>(size));
}

void GridExtents::Erase(int at) {
  if (at != Count() - 1) {
    sizes_.erase(sizes_.begin() + at);
    Rebuild();
    return;
  }
  AddToBlock(at >> kBlockShift, -static_cast<long>(sizes_.back()));
  sizes_.pop_back();
  if ((sizes_.size() + kBlock - 1) / kBlock < tree_.size()) tree_.pop_back();
}

long GridExtents::Before(int i) const {
  const int block = i >> kBlockShift;
  long sum = BlocksBefore(block);
  for (int k = block << kBlockShift; k < i; ++k) sum += static_cast<long>(sizes_[static_cast<size_t>(k)]);
  return sum;
}

int GridExtents::Search(long target, bool strict) const {
  auto reached = [&](long value) { return strict ? value > target : value >= target; };
  if (reached(0)) return 0;
  // The most whole blocks whose sum still falls short, by descending the tree.
  const int blocks = static_cast<int>(tree_.size());
  int pos = 0;
  long acc = 0;
  for (int step = blocks > 0 ? static_cast<int>(std::bit_floor(static_cast<unsigned>(blocks))) : 0; step > 0;
       step >>= 1) {
    if (pos + step <= blocks && !reached(acc + static_cast<long>(tree_[static_cast<size_t>(pos + step - 1)]))) {
      pos += step;
      acc += static_cast<long>(tree_[static_cast<size_t>(pos - 1)]);
    }
  }
  for (int i = pos << kBlockShift; i < Count();) {
    acc += static_cast<long>(sizes_[static_cast<size_t>(i)]);
    ++i;
    if (reached(acc)) return i;
  }
  return Count() + 1;
}

int GridExtents::LowerBound(long target) const { return Search(target, false); }
int GridExtents::UpperBound(long target) const { return Search(target, true); }
