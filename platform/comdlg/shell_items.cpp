// Item lists naming file-system folders, and the task allocator they live
// in (which the shell allocator hands out too).
#include <cstdlib>
#include <cstring>
#include <new>

#include "platform/comdlg/comdlg_internal.h"
#include "platform/comdlg/file_model.h"

namespace {

// Each block carries its size in front of it, so GetSize and Realloc know it.
struct alignas(16) BlockHeader {
  SIZE_T size;
};

BlockHeader* HeaderOf(void* memory) { return static_cast<BlockHeader*>(memory) - 1; }

class TaskAllocator final : public IMalloc {
 public:
  HRESULT QueryInterface(const void*, void** object) override {
    if (object) *object = this;
    return S_OK;
  }
  ULONG AddRef() override { return 2; }  // one allocator for the process, never freed
  ULONG Release() override { return 1; }
  void* Alloc(SIZE_T bytes) override { return CoTaskMemAlloc(bytes); }
  void* Realloc(void* memory, SIZE_T bytes) override {
    if (!memory) return CoTaskMemAlloc(bytes);
    void* grown = CoTaskMemAlloc(bytes);
    if (!grown) return nullptr;
    std::memcpy(grown, memory, std::min(bytes, HeaderOf(memory)->size));
    CoTaskMemFree(memory);
    return grown;
  }
  void Free(void* memory) override { CoTaskMemFree(memory); }
  SIZE_T GetSize(void* memory) override { return memory ? HeaderOf(memory)->size : static_cast<SIZE_T>(-1); }
  int DidAlloc(void*) override { return -1; }
  void HeapMinimize() override {}
};

}  // namespace

LPVOID CoTaskMemAlloc(SIZE_T bytes) {
  auto* header = static_cast<BlockHeader*>(std::malloc(sizeof(BlockHeader) + bytes));
  if (!header) return nullptr;
  header->size = bytes;
  return header + 1;
}

void CoTaskMemFree(LPVOID memory) {
  if (memory) std::free(HeaderOf(memory));
}

HRESULT SHGetMalloc(LPMALLOC* allocator) {
  if (!allocator) return E_INVALIDARG;
  static TaskAllocator theAllocator;
  *allocator = &theAllocator;
  return S_OK;
}

PIDLIST_ABSOLUTE ILCreateFromPathW(LPCWSTR path) {
  if (!path || !*path) return nullptr;
  const std::u16string resolved = comdlg::ResolvePath(u"/", path);
  if (!comdlg::IsFolder(resolved) && !comdlg::Exists(resolved)) return nullptr;
  const std::string utf8 = comdlg::ToUtf8(resolved);
  const size_t item = sizeof(USHORT) + utf8.size() + 1;
  if (item > 0xFFFF) return nullptr;
  auto* bytes = static_cast<BYTE*>(CoTaskMemAlloc(item + sizeof(USHORT)));
  if (!bytes) return nullptr;
  const USHORT cb = static_cast<USHORT>(item), end = 0;
  std::memcpy(bytes, &cb, sizeof cb);
  std::memcpy(bytes + sizeof cb, utf8.c_str(), utf8.size() + 1);
  std::memcpy(bytes + item, &end, sizeof end);
  return reinterpret_cast<PIDLIST_ABSOLUTE>(bytes);
}

PIDLIST_ABSOLUTE ILCreateFromPathA(LPCSTR path) {
  const std::u16string wide = comdlg::FromAnsi(path);
  return ILCreateFromPathW(wide.c_str());
}

UINT ILGetSize(PCIDLIST_ABSOLUTE list) {
  if (!list) return 0;
  const auto* bytes = reinterpret_cast<const BYTE*>(list);
  UINT size = 0;
  for (;;) {
    USHORT cb = 0;
    std::memcpy(&cb, bytes + size, sizeof cb);
    if (cb == 0) return size + sizeof cb;
    size += cb;
  }
}

void ILFree(PIDLIST_ABSOLUTE list) { CoTaskMemFree(list); }

namespace {

// The path of a list this layer made: its first item's bytes.
bool PathOf(PCIDLIST_ABSOLUTE list, std::u16string& path) {
  if (!list) return false;
  const auto* bytes = reinterpret_cast<const BYTE*>(list);
  USHORT cb = 0;
  std::memcpy(&cb, bytes, sizeof cb);
  if (cb <= sizeof cb + 1) return false;
  const auto* text = reinterpret_cast<const char*>(bytes + sizeof cb);
  const size_t length = strnlen(text, cb - sizeof cb);
  if (length == 0 || length == cb - sizeof cb) return false;
  path = comdlg::FromUtf8(std::string_view(text, length));
  return true;
}

}  // namespace

BOOL SHGetPathFromIDListW(PCIDLIST_ABSOLUTE list, LPWSTR path) {
  std::u16string text;
  if (!path) return FALSE;
  if (!PathOf(list, text) || text.size() + 1 > MAX_PATH) {
    path[0] = 0;
    return FALSE;
  }
  std::memcpy(path, text.c_str(), (text.size() + 1) * sizeof(WCHAR));
  return TRUE;
}

BOOL SHGetPathFromIDListA(PCIDLIST_ABSOLUTE list, LPSTR path) {
  std::u16string text;
  if (!path) return FALSE;
  const std::string bytes = PathOf(list, text) ? comdlg::ToAnsi(text) : std::string();
  if (bytes.empty() || bytes.size() + 1 > MAX_PATH || comdlg::FromAnsi(bytes) != text) {
    path[0] = 0;
    return FALSE;
  }
  std::memcpy(path, bytes.c_str(), bytes.size() + 1);
  return TRUE;
}
