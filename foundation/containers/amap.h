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
#include "platform/win/types.h"

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
class AMap {
 public:
  static constexpr int kDefaultBlockSize = 16;

  struct Entry {
    AHashCore::Link link;
    K key;
    V value;
  };

  explicit AMap(int blockSize = kDefaultBlockSize) : core_(sizeof(Entry), blockSize) {}
  AMap(const AMap&) = delete;
  AMap& operator=(const AMap&) = delete;
  ~AMap() { RemoveAll(); }

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

  void RemoveAll() {
    core_.ForEachEntry([](AHashCore::Link* l) {
      auto* e = reinterpret_cast<Entry*>(l);
      e->key.~K();
      e->value.~V();
    });
    core_.ReleaseStorage();
  }

  void InitHashTable(int buckets) { core_.InitHashTable(buckets, BucketOfEntry); }

  // One iteration step: start with kMapStart; the position becomes null after
  // the last entry. Iterating an empty map gives null at once.
  void GetNextAssoc(MapPosition& position, K& key, V& value) const {
    auto* e = reinterpret_cast<Entry*>(core_.Step(position, BucketOfEntry));
    if (!e) return;
    key = e->key;
    value = e->value;
  }

 private:
  int BucketOf(const K& key) const { return core_.BucketOf(AMapKey<K>::Hash(key)); }
  static int BucketOfEntry(const AHashCore::Link* l, int bucketCount) {
    return static_cast<int>(AMapKey<K>::Hash(reinterpret_cast<const Entry*>(l)->key) %
                            static_cast<uint32_t>(bucketCount));
  }
  Entry* Find(const K& key) const {
    if (!core_.HasBucketTable()) return nullptr;
    for (AHashCore::Link* l = core_.Head(BucketOf(key)); l; l = l->next) {
      auto* e = reinterpret_cast<Entry*>(l);
      if (AMapKey<K>::Equal(e->key, key)) return e;
    }
    return nullptr;
  }

  mutable AHashCore core_;  // iteration moves its cursor
};

FOUNDATION_END
