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

// What both typed maps do alike over the core: the entry layout (the chain
// link, then key and value), finding a key, lookups and iteration steps.
// KeyTraits gives Hash and Equal of the key type; the maps construct and
// destroy their entries themselves.
template <class K, class V, class KeyTraits>
class AChainedMap {
 public:
  struct Entry {
    AHashCore::Link link;
    K key;
    V value;
  };

  AChainedMap(const AChainedMap&) = delete;
  AChainedMap& operator=(const AChainedMap&) = delete;

  int GetCount() const { return core_.GetCount(); }
  bool IsEmpty() const { return core_.GetCount() == 0; }
  int GetBucketCount() const { return core_.GetBucketCount(); }
  const AHashCore& Core() const { return core_; }  // storage introspection

  int Lookup(const K& key, V& value) const {
    const Entry* e = Find(key);
    if (!e) return 0;
    value = e->value;
    return 1;
  }

  void InitHashTable(int buckets) { core_.InitHashTable(buckets, BucketOfEntry); }

  // One iteration step: start with kMapStart; the position becomes null after
  // the last entry. Iterating an empty map gives null at once and leaves the
  // key and value untouched.
  void GetNextAssoc(MapPosition& position, K& key, V& value) const {
    auto* e = reinterpret_cast<Entry*>(core_.Step(position, BucketOfEntry));
    if (!e) return;
    key = e->key;
    value = e->value;
  }

 protected:
  explicit AChainedMap(int blockSize) : core_(sizeof(Entry), blockSize) {}
  ~AChainedMap() = default;

  int BucketOf(const K& key) const { return core_.BucketOf(KeyTraits::Hash(key)); }
  static int BucketOfEntry(const AHashCore::Link* l, int bucketCount) {
    return static_cast<int>(KeyTraits::Hash(reinterpret_cast<const Entry*>(l)->key) %
                            static_cast<uint32_t>(bucketCount));
  }
  Entry* Find(const K& key) const {
    if (!core_.HasBucketTable()) return nullptr;
    for (AHashCore::Link* l = core_.Head(BucketOf(key)); l; l = l->next) {
      auto* e = reinterpret_cast<Entry*>(l);
      if (KeyTraits::Equal(e->key, key)) return e;
    }
    return nullptr;
  }

  // Removes the key's entry, destroy(entry) ending its key and value first;
  // removing the last one gives back the bucket table and blocks. 0 when the
  // key is absent.
  template <class Destroy>
  int RemoveEntry(const K& key, Destroy destroy) {
    Entry* e = Find(key);
    if (!e) return 0;
    const int bucket = BucketOf(e->key);
    destroy(e);
    core_.FreeEntry(bucket, &e->link);
    if (core_.GetCount() == 0) core_.ReleaseStorage();
    return 1;
  }

  // Ends every entry through destroy(entry), then gives back all storage.
  template <class Destroy>
  void DestroyAll(Destroy destroy) {
    core_.ForEachEntry([&destroy](AHashCore::Link* l) { destroy(reinterpret_cast<Entry*>(l)); });
    core_.ReleaseStorage();
  }

  mutable AHashCore core_;  // iteration moves its cursor
};

FOUNDATION_END
