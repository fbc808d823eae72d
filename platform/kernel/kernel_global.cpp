// Global memory blocks. A fixed block's handle is its address; a movable
// block's handle stays the same when the block is reallocated.
#include <cstdlib>
#include <cstring>
#include <mutex>
#include <unordered_map>

#include "platform/kernel/kernel_internal.h"

namespace {

struct Block {
  char* data;
  SIZE_T size;
  bool movable;
  int locks;
};

// Movable handles are numbers from the platform's handle table, never
// dereferenced and never reused, so a freed block's handle cannot reach a
// block allocated after it. (A fixed block's handle is its address.)
HGLOBAL NewMovableHandle() {
  return handles::Create<HGLOBAL>(HandleKind::GlobalMemory, std::make_shared<char>('\0'));
}

struct GlobalTable {
  std::mutex mutex;
  std::unordered_map<HGLOBAL, Block> blocks;
};

GlobalTable& Table() {
  static GlobalTable* table = new GlobalTable;  // outlives every static destructor
  return *table;
}

// The block of a handle (the table's mutex held), or null with
// ERROR_INVALID_HANDLE set.
Block* FindBlock(GlobalTable& t, HGLOBAL memory) {
  auto it = t.blocks.find(memory);
  if (it != t.blocks.end()) return &it->second;
  kernel::Fail(ERROR_INVALID_HANDLE);
  return nullptr;
}

char* Allocate(SIZE_T bytes, bool zero) {
  // A block of 0 bytes still gets an address of its own.
  return static_cast<char*>(zero ? std::calloc(bytes ? bytes : 1, 1) : std::malloc(bytes ? bytes : 1));
}

}  // namespace

HGLOBAL GlobalAlloc(UINT flags, SIZE_T bytes) {
  char* data = Allocate(bytes, flags & GMEM_ZEROINIT);
  if (!data) {
    kernel::Fail(ERROR_NOT_ENOUGH_MEMORY);
    return nullptr;
  }
  const bool movable = flags & GMEM_MOVEABLE;
  HGLOBAL handle = movable ? NewMovableHandle() : static_cast<HGLOBAL>(data);
  GlobalTable& t = Table();
  std::lock_guard lock(t.mutex);
  t.blocks[handle] = Block{data, bytes, movable, 0};
  return handle;
}

HGLOBAL GlobalReAlloc(HGLOBAL memory, SIZE_T bytes, UINT flags) {
  GlobalTable& t = Table();
  std::lock_guard lock(t.mutex);
  Block* found = FindBlock(t, memory);
  if (!found) return nullptr;
  Block block = *found;
  char* data = static_cast<char*>(std::realloc(block.data, bytes ? bytes : 1));
  if (!data) {
    kernel::Fail(ERROR_NOT_ENOUGH_MEMORY);
    return nullptr;
  }
  if ((flags & GMEM_ZEROINIT) && bytes > block.size) std::memset(data + block.size, 0, bytes - block.size);
  block.data = data;
  block.size = bytes;
  if (block.movable) {
    *found = block;
    return memory;
  }
  t.blocks.erase(memory);
  t.blocks[data] = block;
  return data;
}

LPVOID GlobalLock(HGLOBAL memory) {
  GlobalTable& t = Table();
  std::lock_guard lock(t.mutex);
  Block* block = FindBlock(t, memory);
  if (!block) return nullptr;
  if (block->movable) ++block->locks;
  return block->data;
}

BOOL GlobalUnlock(HGLOBAL memory) {
  GlobalTable& t = Table();
  std::lock_guard lock(t.mutex);
  Block* block = FindBlock(t, memory);
  if (!block) return FALSE;
  if (!block->movable || block->locks == 0) {
    SetLastError(ERROR_SUCCESS);  // not locked
    return FALSE;
  }
  if (--block->locks == 0) {
    SetLastError(ERROR_SUCCESS);
    return FALSE;
  }
  return TRUE;
}

SIZE_T GlobalSize(HGLOBAL memory) {
  GlobalTable& t = Table();
  std::lock_guard lock(t.mutex);
  const Block* block = FindBlock(t, memory);
  return block ? block->size : 0;
}

HGLOBAL GlobalFree(HGLOBAL memory) {
  if (!memory) return nullptr;
  Block block{};
  {
    GlobalTable& t = Table();
    std::lock_guard lock(t.mutex);
    const Block* found = FindBlock(t, memory);
    if (!found) return memory;
    block = *found;
    t.blocks.erase(memory);
  }
  std::free(block.data);
  if (block.movable) handles::Destroy(memory, HandleKind::GlobalMemory);
  return nullptr;
}

HLOCAL LocalAlloc(UINT flags, SIZE_T bytes) { return GlobalAlloc(flags, bytes); }
LPVOID LocalLock(HLOCAL memory) { return GlobalLock(memory); }
BOOL LocalUnlock(HLOCAL memory) { return GlobalUnlock(memory); }
SIZE_T LocalSize(HLOCAL memory) { return GlobalSize(memory); }
HLOCAL LocalFree(HLOCAL memory) { return GlobalFree(memory); }
