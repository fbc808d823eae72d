// Global memory blocks. A fixed block's handle is its address; a movable
// block's handle stays the same when the block is reallocated.
#include <cstdlib>
#include <cstring>
#include <mutex>
#include <unordered_map>

#include "platform/win/kernel_internal.h"

namespace {

struct Block {
  char* data;
  SIZE_T size;
  bool movable;
  int locks;
};

// Movable handles are small tokens of their own, never dereferenced.
struct MovableToken {
  char unused;
};

struct GlobalTable {
  std::mutex mutex;
  std::unordered_map<HGLOBAL, Block> blocks;
};

GlobalTable& Table() {
  static GlobalTable* table = new GlobalTable;  // outlives every static destructor
  return *table;
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
  HGLOBAL handle = movable ? static_cast<HGLOBAL>(new MovableToken) : static_cast<HGLOBAL>(data);
  GlobalTable& t = Table();
  std::lock_guard lock(t.mutex);
  t.blocks[handle] = Block{data, bytes, movable, 0};
  return handle;
}

HGLOBAL GlobalReAlloc(HGLOBAL memory, SIZE_T bytes, UINT flags) {
  GlobalTable& t = Table();
  std::lock_guard lock(t.mutex);
  auto it = t.blocks.find(memory);
  if (it == t.blocks.end()) {
    kernel::Fail(ERROR_INVALID_HANDLE);
    return nullptr;
  }
  Block block = it->second;
  char* data = static_cast<char*>(std::realloc(block.data, bytes ? bytes : 1));
  if (!data) {
    kernel::Fail(ERROR_NOT_ENOUGH_MEMORY);
    return nullptr;
  }
  if ((flags & GMEM_ZEROINIT) && bytes > block.size) std::memset(data + block.size, 0, bytes - block.size);
  block.data = data;
  block.size = bytes;
  if (block.movable) {
    it->second = block;
    return memory;
  }
  t.blocks.erase(it);
  t.blocks[data] = block;
  return data;
}

LPVOID GlobalLock(HGLOBAL memory) {
  GlobalTable& t = Table();
  std::lock_guard lock(t.mutex);
  auto it = t.blocks.find(memory);
  if (it == t.blocks.end()) {
    kernel::Fail(ERROR_INVALID_HANDLE);
    return nullptr;
  }
  if (it->second.movable) ++it->second.locks;
  return it->second.data;
}

BOOL GlobalUnlock(HGLOBAL memory) {
  GlobalTable& t = Table();
  std::lock_guard lock(t.mutex);
  auto it = t.blocks.find(memory);
  if (it == t.blocks.end()) return kernel::Fail(ERROR_INVALID_HANDLE);
  if (!it->second.movable || it->second.locks == 0) {
    SetLastError(ERROR_SUCCESS);  // not locked
    return FALSE;
  }
  if (--it->second.locks == 0) {
    SetLastError(ERROR_SUCCESS);
    return FALSE;
  }
  return TRUE;
}

SIZE_T GlobalSize(HGLOBAL memory) {
  GlobalTable& t = Table();
  std::lock_guard lock(t.mutex);
  auto it = t.blocks.find(memory);
  if (it == t.blocks.end()) {
    kernel::Fail(ERROR_INVALID_HANDLE);
    return 0;
  }
  return it->second.size;
}

HGLOBAL GlobalFree(HGLOBAL memory) {
  if (!memory) return nullptr;
  Block block{};
  {
    GlobalTable& t = Table();
    std::lock_guard lock(t.mutex);
    auto it = t.blocks.find(memory);
    if (it == t.blocks.end()) {
      kernel::Fail(ERROR_INVALID_HANDLE);
      return memory;
    }
    block = it->second;
    t.blocks.erase(it);
  }
  std::free(block.data);
  if (block.movable) delete static_cast<MovableToken*>(memory);
  return nullptr;
}

HLOCAL LocalAlloc(UINT flags, SIZE_T bytes) { return GlobalAlloc(flags, bytes); }
LPVOID LocalLock(HLOCAL memory) { return GlobalLock(memory); }
BOOL LocalUnlock(HLOCAL memory) { return GlobalUnlock(memory); }
SIZE_T LocalSize(HLOCAL memory) { return GlobalSize(memory); }
HLOCAL LocalFree(HLOCAL memory) { return GlobalFree(memory); }
