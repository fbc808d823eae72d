#include "foundation/containers/ahashmap_core.h"

#include <cstdlib>
#include <cstring>
#include <new>
#include <vector>

#include "foundation/string/astring.h"

FOUNDATION_BEGIN

namespace {

// Entries start this far into a block, after the block chain's link.
constexpr size_t kBlockHeader = alignof(std::max_align_t);

}  // namespace

uint32_t TextHash(const char* text) {
  uint32_t h = 0;
  if (!text) return h;
  for (; *text; ++text) h = h * 33 + static_cast<uint32_t>(static_cast<int32_t>(static_cast<signed char>(*text)));
  return h;
}

uint32_t TextHash(const AString& key) { return TextHash(key.GetData()); }

AHashCore::AHashCore(int entrySize, int blockSize)
    : blockSize_(blockSize > 0 ? blockSize : 1), entrySize_(entrySize) {}

AHashCore::~AHashCore() { ReleaseStorage(); }

int AHashCore::GetBlockCount() const {
  int n = 0;
  for (Link* b = blocks_; b; b = b->next) ++n;
  return n;
}

void AHashCore::AllocateBlock() {
  size_t bytes = kBlockHeader + static_cast<size_t>(blockSize_) * entrySize_;
  auto* block = static_cast<std::byte*>(std::malloc(bytes));
  if (!block) throw std::bad_alloc();
  auto* link = reinterpret_cast<Link*>(block);
  link->next = blocks_;
  blocks_ = link;
  // Pushed from the last to the first, so they are taken in memory order.
  for (int i = blockSize_ - 1; i >= 0; --i) {
    auto* entry = reinterpret_cast<Link*>(block + kBlockHeader + static_cast<size_t>(i) * entrySize_);
    entry->next = freeList_;
    freeList_ = entry;
  }
}

AHashCore::Link* AHashCore::NewEntry(int bucket) {
  if (!buckets_) {
    buckets_ = static_cast<Link**>(std::calloc(bucketCount_, sizeof(Link*)));
    if (!buckets_) throw std::bad_alloc();
  }
  if (!freeList_) AllocateBlock();
  Link* entry = freeList_;
  freeList_ = entry->next;
  ++count_;
  entry->next = buckets_[bucket];
  buckets_[bucket] = entry;
  return entry;
}

void AHashCore::FreeEntry(int bucket, Link* entry) {
  for (Link** p = &buckets_[bucket]; *p; p = &(*p)->next) {
    if (*p == entry) {
      *p = entry->next;
      break;
    }
  }
  entry->next = freeList_;
  freeList_ = entry;
  --count_;
}

void AHashCore::ReleaseStorage() {
  std::free(buckets_);
  buckets_ = nullptr;
  while (blocks_) {
    Link* next = blocks_->next;
    std::free(blocks_);
    blocks_ = next;
  }
  freeList_ = nullptr;
  count_ = 0;
}

void AHashCore::InitHashTable(int buckets, int (*bucketOfEntry)(const Link*, int)) {
  if (buckets <= 0) return;
  std::vector<Link*> entries;
  ForEachEntry([&](Link* e) { entries.push_back(e); });
  std::free(buckets_);
  buckets_ = static_cast<Link**>(std::calloc(buckets, sizeof(Link*)));
  if (!buckets_) throw std::bad_alloc();
  bucketCount_ = buckets;
  // Relinking the entries already stored keeps them reachable.
  for (auto it = entries.rbegin(); it != entries.rend(); ++it) {
    int b = bucketOfEntry(*it, bucketCount_);
    (*it)->next = buckets_[b];
    buckets_[b] = *it;
  }
}

AHashCore::Link* AHashCore::Step(MapPosition& position, int (*bucketOfEntry)(const Link*, int)) {
  Link* current;
  if (position == kMapStart) {
    current = nullptr;
    if (buckets_ && count_ > 0) {
      for (int b = 0; b < bucketCount_; ++b) {
        if (buckets_[b]) {
          cursor_ = b;
          current = buckets_[b];
          break;
        }
      }
    }
    if (!current) {
      position = nullptr;
      return nullptr;
    }
  } else {
    current = static_cast<Link*>(position);
    if (!current) return nullptr;
  }
  Link* next = current->next;
  if (!next) {
    if (cursor_ < 0) cursor_ = bucketOfEntry(current, bucketCount_);
    while (++cursor_ < bucketCount_) {
      if (buckets_[cursor_]) {
        next = buckets_[cursor_];
        break;
      }
    }
    if (cursor_ > bucketCount_) cursor_ = bucketCount_;
  }
  position = next;
  return current;
}

FOUNDATION_END
