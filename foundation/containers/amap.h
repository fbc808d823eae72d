// AMap: a chained hash map with 64 buckets whose instantiations use their key
// and value types directly. Keys: AString (text hash) and 32-bit values
// (key & 0xFF). Entries come from pooled blocks that only RemoveAll gives
// back; the iteration cursor lives in the map, so one iteration runs at a time.
#pragma once

#include <new>
#include <utility>

#include "foundation/build.h"
#include "foundation/containers/ahashmap_core.h"
#include "foundation/string/astring.h"
#include "platform/kernel/types.h"

FOUNDATION_BEGIN

// How each key type of AMap hashes and compares.
template <class K>
struct AMapKey;
template <>
struct AMapKey<AString> {
  static uint32_t Hash(const AString& k) { return TextHash(k); }
  static bool Equal(const AString& a, const AString& b) { return a == b; }
};
template <>
struct AMapKey<DWORD> {
  static uint32_t Hash(DWORD k) { return k & 0xFFu; }
  static bool Equal(DWORD a, DWORD b) { return a == b; }
};
template <>
struct AMapKey<int> {
  static uint32_t Hash(int k) { return static_cast<uint32_t>(k) & 0xFFu; }
  static bool Equal(int a, int b) { return a == b; }
};

template <class K, class V>
class AMap : public AChainedMap<K, V, AMapKey<K>> {
  using Base = AChainedMap<K, V, AMapKey<K>>;
  using Base::BucketOf;
  using Base::core_;
  using Base::Find;

 public:
  static constexpr int kDefaultBlockSize = 16;

  using typename Base::Entry;

  explicit AMap(int blockSize = kDefaultBlockSize) : Base(blockSize) {}
  ~AMap() { RemoveAll(); }

  // The value of the key's entry, inserting a new one (value-initialised) when absent.
  V& operator[](const K& key) {
    if (Entry* e = Find(key)) return e->value;
    auto* e = reinterpret_cast<Entry*>(core_.NewEntry(BucketOf(key)));
    ::new (static_cast<void*>(&e->key)) K(key);
    ::new (static_cast<void*>(&e->value)) V();
    return e->value;
  }

  void SetAt(const K& key, const V& value) {
    V copy(value);
    (*this)[key] = std::move(copy);
  }

  // Removes the key's entry; removing the last one frees the bucket table.
  int RemoveKey(const K& key) { return this->RemoveEntry(key, DestroyEntry); }

  // The value of the key's entry, or null.
  V* LookupPtr(const K& key) {
    Entry* e = Find(key);
    return e ? &e->value : nullptr;
  }

  void RemoveAll() { this->DestroyAll(DestroyEntry); }

 private:
  static void DestroyEntry(Entry* e) {
    e->key.~K();
    e->value.~V();
  }
};

FOUNDATION_END
