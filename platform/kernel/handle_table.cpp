// The handle table: one map from handle values to tagged entries, under one lock.
#include "platform/kernel/handle_table.h"

#include <algorithm>
#include <mutex>
#include <unordered_map>

namespace handles {
namespace {

struct Entry {
  HandleKind kind;
  Lifetime lifetime;
  std::shared_ptr<void> object;
};

constexpr unsigned kKindBits = 8;
constexpr uintptr_t kKindMask = (uintptr_t{1} << kKindBits) - 1;

class Table {
 public:
  uintptr_t Add(HandleKind kind, std::shared_ptr<void> object, Lifetime lifetime) {
    std::lock_guard lock(mutex_);
    const uintptr_t handle = (++serial_ << kKindBits) | static_cast<uintptr_t>(kind);
    entries_.emplace(handle, Entry{kind, lifetime, std::move(object)});
    return handle;
  }
  std::shared_ptr<void> Find(uintptr_t handle, HandleKinds kinds) {
    if (!TagIn(handle, kinds)) return nullptr;
    std::lock_guard lock(mutex_);
    auto it = entries_.find(handle);
    return it == entries_.end() ? nullptr : it->second.object;
  }
  std::optional<HandleKind> KindOf(uintptr_t handle) {
    std::lock_guard lock(mutex_);
    auto it = entries_.find(handle);
    if (it == entries_.end()) return std::nullopt;
    return it->second.kind;
  }
  std::shared_ptr<void> Take(uintptr_t handle, HandleKinds kinds) {
    if (!TagIn(handle, kinds)) return nullptr;
    std::lock_guard lock(mutex_);
    auto it = entries_.find(handle);
    if (it == entries_.end() || it->second.lifetime == Lifetime::Permanent) return nullptr;
    std::shared_ptr<void> object = std::move(it->second.object);
    entries_.erase(it);
    return object;
  }
  std::vector<uintptr_t> Of(HandleKinds kinds) {
    std::vector<uintptr_t> out;
    {
      std::lock_guard lock(mutex_);
      for (const auto& [handle, entry] : entries_)
        if (kinds.Has(entry.kind)) out.push_back(handle);
    }
    std::sort(out.begin(), out.end());  // serial numbers grow with age
    return out;
  }

 private:
  // The tag in the low bits names the kind the entry was made with.
  static bool TagIn(uintptr_t handle, HandleKinds kinds) {
    const uintptr_t tag = handle & kKindMask;
    return handle > kKindMask && tag > 0 && tag < static_cast<uintptr_t>(HandleKind::kCount) &&
           kinds.Has(static_cast<HandleKind>(tag));
  }

  std::mutex mutex_;
  uintptr_t serial_ = 0;
  std::unordered_map<uintptr_t, Entry> entries_;
};

Table& TheTable() {
  static Table* table = new Table;  // outlives every static destructor
  return *table;
}

}  // namespace

uintptr_t AddHandle(HandleKind kind, std::shared_ptr<void> object, Lifetime lifetime) {
  if (!object || kind == HandleKind::None || kind == HandleKind::kCount) return 0;
  return TheTable().Add(kind, std::move(object), lifetime);
}

std::shared_ptr<void> FindHandle(uintptr_t handle, HandleKinds kinds) { return TheTable().Find(handle, kinds); }

std::optional<HandleKind> KindOfHandle(uintptr_t handle) { return TheTable().KindOf(handle); }

std::shared_ptr<void> TakeHandle(uintptr_t handle, HandleKinds kinds) { return TheTable().Take(handle, kinds); }

std::vector<uintptr_t> HandlesOf(HandleKinds kinds) { return TheTable().Of(kinds); }

}  // namespace handles
