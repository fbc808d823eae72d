// The chained hash table under AHashMap and AMap: a fixed number of buckets
// (64 unless InitHashTable chose another), entries carved from pooled blocks,
// and the bucket cursor of the one running iteration.
//
// An entry is its bucket chain's next pointer followed by the key and the
// value; the typed maps lay it out and construct it, the core only links and
// pools the raw entries.
#pragma once

#include <cstddef>
#include <cstdint>

#include "foundation/build.h"

FOUNDATION_BEGIN

class AString;

// An iteration position: an entry, null at the end, kMapStart to begin.
using MapPosition = void*;
inline MapPosition const kMapStart = reinterpret_cast<MapPosition>(static_cast<intptr_t>(-1));

// h = h * 33 + c over the key's bytes up to the first 0 byte, each taken as a
// signed 8-bit value, in wrapping 32-bit arithmetic.
uint32_t TextHash(const char* text);
uint32_t TextHash(const AString& key);

class AHashCore {
 public:
  static constexpr int kDefaultBucketCount = 64;

  struct Link {
    Link* next;
  };

  AHashCore(int entrySize, int blockSize);
  AHashCore(const AHashCore&) = delete;
  AHashCore& operator=(const AHashCore&) = delete;
  ~AHashCore();

  int GetCount() const { return count_; }
  int GetBucketCount() const { return bucketCount_; }
  int GetEntrySize() const { return entrySize_; }
  int GetBlockSize() const { return blockSize_; }
  bool HasBucketTable() const { return buckets_ != nullptr; }
  int GetBlockCount() const;

  int BucketOf(uint32_t hash) const { return static_cast<int>(hash % static_cast<uint32_t>(bucketCount_)); }
  Link* Head(int bucket) const { return buckets_ ? buckets_[bucket] : nullptr; }

  // Takes a raw entry from the pool (a new block when none is free) and links
  // it at the head of its bucket; the caller constructs key and value.
  Link* NewEntry(int bucket);
  // Unlinks an entry whose key and value the caller has destroyed and puts it
  // back on the free list.
  void FreeEntry(int bucket, Link* entry);
  // Gives back the bucket table and every block; the caller has destroyed
  // every entry first.
  void ReleaseStorage();
  // Replaces the bucket table by `buckets` empty buckets; `rehash` gives the
  // new bucket of each entry already stored (they are relinked).
  void InitHashTable(int buckets, int (*bucketOfEntry)(const Link* entry, int bucketCount));

  // One iteration step (see GetNextAssoc of the maps): returns the current
  // entry, or null when there is none, and moves `position` to the next one.
  Link* Step(MapPosition& position, int (*bucketOfEntry)(const Link* entry, int bucketCount));

  template <class F>
  void ForEachEntry(F&& f) const {
    if (!buckets_) return;
    for (int b = 0; b < bucketCount_; ++b)
      for (Link* e = buckets_[b]; e; e = e->next) f(e);
  }

 private:
  void AllocateBlock();

  Link** buckets_ = nullptr;
  int bucketCount_ = kDefaultBucketCount;
  int count_ = 0;
  Link* freeList_ = nullptr;
  int blockSize_;
  Link* blocks_ = nullptr;  // each block starts with the link to the next block
  int entrySize_;
  int cursor_ = -1;
};

FOUNDATION_END
