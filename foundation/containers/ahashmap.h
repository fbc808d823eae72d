// AHashMap: a chained hash map with 64 buckets whose entries' keys and values
// are constructed and destroyed through a table of two operations chosen by
// the instantiation. Keys: AString (text hash), 16-bit values (key & 0xF),
// 32-bit values and pointers (key & 0x1F). The iteration cursor lives in the
// map, so one iteration runs at a time. When the last entry is removed the
// whole map is cleared (bucket table and blocks given back).
#pragma once

#include <cstdio>
#include <new>
#include <type_traits>

#include "foundation/build.h"
#include "foundation/containers/ahashmap_core.h"
#include "foundation/string/astring.h"
#include "platform/kernel/types.h"

FOUNDATION_BEGIN

// How each key type of AHashMap hashes and compares.
template <class K>
struct AHashMapKey;
template <>
struct AHashMapKey<AString> {
  static uint32_t Hash(const AString& k) { return TextHash(k); }
  static bool Equal(const AString& a, const AString& b) { return a == b; }
};
template <>
struct AHashMapKey<WORD> {
  static uint32_t Hash(WORD k) { return k & 0xFu; }
  static bool Equal(WORD a, WORD b) { return a == b; }
};
template <>
struct AHashMapKey<DWORD> {
  static uint32_t Hash(DWORD k) { return k & 0x1Fu; }
  static bool Equal(DWORD a, DWORD b) { return a == b; }
};
template <>
struct AHashMapKey<void*> {
  static uint32_t Hash(void* k) { return static_cast<uint32_t>(reinterpret_cast<uintptr_t>(k) & 0x1Fu); }
  static bool Equal(void* a, void* b) { return a == b; }
};

// The two entry operations, in their table order.
struct AHashMapEntryOps {
  void (*construct)(void* entry);  // key and value of a new entry
  void (*destroy)(void* entry);    // key and value of an entry being freed
};

template <class K, class V>
class AHashMap : public AChainedMap<K, V, AHashMapKey<K>> {
  using Base = AChainedMap<K, V, AHashMapKey<K>>;
  using Base::BucketOf;
  using Base::core_;
  using Base::Find;

 public:
  static constexpr int kDefaultBlockSize = 10;

  using typename Base::Entry;
  static const AHashMapEntryOps kEntryOps;

  explicit AHashMap(int blockSize = kDefaultBlockSize) : Base(blockSize) {}
  ~AHashMap() { RemoveAll(); }

  // The value of the key's entry, inserting a new entry when absent.
  V& operator[](const K& key) {
    if (Entry* e = Find(key)) return e->value;
    auto* e = reinterpret_cast<Entry*>(core_.NewEntry(BucketOf(key)));
    ops_->construct(e);
    e->key = key;
    return e->value;
  }

  void SetAt(const K& key, const V& value) {
    // The value may belong to this map; copy it before inserting.
    V copy(value);
    (*this)[key] = std::move(copy);
  }

  int RemoveKey(const K& key) {
    return this->RemoveEntry(key, [this](Entry* e) { ops_->destroy(e); });
  }

  void RemoveAll() {
    this->DestroyAll([this](Entry* e) { ops_->destroy(e); });
  }

  // ---- The string map's own operations --------------------------------------
  // RemoveAll, then SetAt of every pair of other in its iteration order.
  void Copy(const AHashMap& other)
    requires(std::is_same_v<K, AString> && std::is_same_v<V, AString>);
  // With load clear does nothing and returns 1. With load set reads a uint16
  // count and count pairs of byte-length strings; pairs with both texts
  // non-empty are stored. A short or inconsistent file gives 0 and leaves the
  // map as it was.
  int Load(bool load, FILE* file)
    requires(std::is_same_v<K, AString> && std::is_same_v<V, AString>);

 private:
  const AHashMapEntryOps* ops_ = &kEntryOps;
};

template <class K, class V>
const AHashMapEntryOps AHashMap<K, V>::kEntryOps = {
    [](void* entry) {
      auto* e = static_cast<Entry*>(entry);
      ::new (static_cast<void*>(&e->key)) K();
      ::new (static_cast<void*>(&e->value)) V();
    },
    [](void* entry) {
      auto* e = static_cast<Entry*>(entry);
      e->key.~K();
      e->value.~V();
    }};

// Out-of-line workers of the string map's operations.
void AHashMapCopyStrings(AHashMap<AString, AString>& map, const AHashMap<AString, AString>& other);
int AHashMapLoadStrings(AHashMap<AString, AString>& map, FILE* file);

template <class K, class V>
void AHashMap<K, V>::Copy(const AHashMap& other)
  requires(std::is_same_v<K, AString> && std::is_same_v<V, AString>)
{
  AHashMapCopyStrings(*this, other);
}

template <class K, class V>
int AHashMap<K, V>::Load(bool load, FILE* file)
  requires(std::is_same_v<K, AString> && std::is_same_v<V, AString>)
{
  return load ? AHashMapLoadStrings(*this, file) : 1;
}

FOUNDATION_END
