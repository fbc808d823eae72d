// AString blocks: the pool, the string lock, the shared empty block,
// construction, assignment and the buffer operations.
#include <algorithm>
#include <cstdlib>
#include <cstring>

#include "foundation/string/astring.h"
#include "foundation/string/astring_internal.h"
#include "platform/kernel/sync.h"

#if defined(__SANITIZE_ADDRESS__)
#include <sanitizer/asan_interface.h>
#define TAV_POISON(p, n) ASAN_POISON_MEMORY_REGION(p, n)
#define TAV_UNPOISON(p, n) ASAN_UNPOISON_MEMORY_REGION(p, n)
#else
#define TAV_POISON(p, n) ((void)(p), (void)(n))
#define TAV_UNPOISON(p, n) ((void)(p), (void)(n))
#endif

FOUNDATION_BEGIN

namespace {

// The shared empty string: a static block whose header never changes except
// for its count, which starts at 2 and so never reaches 0.
struct EmptyBlock {
  AStringHeader header;
  char text[AString::kBlockSlack];
};
alignas(16) EmptyBlock gEmpty = {{2, 0, 0, 0, 0, 0}, {}};

// One re-entrant lock per build, statically initialised: there is no window in
// which two threads could both create it.
CRITICAL_SECTION gLock = CRITICAL_SECTION_STATIC_INIT;

// Free block i holds a link to the next free block of the same size in its
// first bytes.
struct FreeLink {
  FreeLink* next;
};
FreeLink* gFreeLists[AString::kFreeLists];

[[noreturn]] void OutOfMemory() { std::abort(); }

}  // namespace

namespace astring_detail {

bool IsSharedEmpty(const AStringHeader* h) { return h == &gEmpty.header; }

int RoundCapacity(long long n) {
  if (n < 0) n = 0;
  if (n > kMaxTextLength) OutOfMemory();
  return static_cast<int>(n | 3);
}

int CapacityFor(long long length) { return RoundCapacity(length + 16); }

AStringHeader* NewBlock(int capacity) {
  capacity = RoundCapacity(capacity);
  AStringHeader* h = AString::AllocBlock(capacity + 1);
  h->refs = 1;
  h->length = 0;
  h->capacity = capacity;
  h->wide = 0;
  h->flags = 0;
  h->codePage = -1;
  reinterpret_cast<char*>(h + 1)[0] = 0;
  return h;
}

namespace {

// A new block of capacity (room + 16) | 3 holding the text and attributes of h.
AStringHeader* CopyIntoNewBlock(AStringHeader* h, int room) {
  AStringHeader* fresh = NewBlock(CapacityFor(room));
  fresh->wide = h->wide;
  fresh->flags = h->flags;
  fresh->codePage = h->codePage;
  fresh->length = h->length;
  std::memcpy(TextOf(fresh), TextOf(h), static_cast<size_t>(h->length) + 1);
  return fresh;
}

}  // namespace

void ReleaseHeader(AStringHeader* h) {
  AString::Lock();
  if (__atomic_load_n(&h->refs, __ATOMIC_ACQUIRE) > 0 && InterlockedDecrement(&h->refs) == 0 &&
      !IsSharedEmpty(h)) {
    AString::FreeBlock(h);
  }
  AString::Unlock();
}

char* TextOf(AStringHeader* h) { return reinterpret_cast<char*>(h + 1); }

}  // namespace astring_detail

using namespace astring_detail;

// ---- Pool and lock ----------------------------------------------------------

void AString::Lock() { EnterCriticalSection(&gLock); }
void AString::Unlock() { LeaveCriticalSection(&gLock); }

AStringHeader* AString::AllocBlock(int nominalSize) {
  void* block = nullptr;
  if (nominalSize < kPoolLimit) {
    Lock();
    FreeLink*& head = gFreeLists[nominalSize / 4];
    if (head) {
      TAV_UNPOISON(head, nominalSize + kBlockSlack);
      block = head;
      head = head->next;
    }
    Unlock();
  }
  if (!block) {
    block = std::malloc(static_cast<size_t>(nominalSize) + kBlockSlack);
    if (!block) OutOfMemory();
  }
  return static_cast<AStringHeader*>(block);
}

void AString::FreeBlock(AStringHeader* block) {
  const int nominalSize = block->capacity + 1;
  if (nominalSize >= kPoolLimit) {
    std::free(block);
    return;
  }
  Lock();
  auto* link = reinterpret_cast<FreeLink*>(block);
  FreeLink*& head = gFreeLists[nominalSize / 4];
  link->next = head;
  head = link;
  TAV_POISON(reinterpret_cast<char*>(link) + sizeof(FreeLink), nominalSize + kBlockSlack - sizeof(FreeLink));
  Unlock();
}

void AString::FreeCachedBlocks() {
  Lock();
  for (int i = 0; i < kFreeLists; ++i) {
    FreeLink* p = gFreeLists[i];
    while (p) {
      FreeLink* next = p->next;
      TAV_UNPOISON(p, i * 4 + kBlockSlack);
      std::free(p);
      p = next;
    }
    gFreeLists[i] = nullptr;
  }
  Unlock();
}

int AString::CachedBlockCount(int list) {
  if (list < 0 || list >= kFreeLists) return 0;
  Lock();
  int n = 0;
  for (FreeLink* p = gFreeLists[list]; p; p = p->next) ++n;
  Unlock();
  return n;
}

const AStringHeader* AString::SharedEmptyHeader() { return &gEmpty.header; }

// ---- Internal helpers -------------------------------------------------------

void AString::TakeEmpty() {
  InterlockedIncrement(&gEmpty.header.refs);
  data_ = gEmpty.text;
}

void AString::Release() { ReleaseHeader(GetHeader()); }

void AString::MakeOwnEmpty(int capacity) { data_ = TextOf(NewBlock(CapacityFor(capacity))); }

void AString::AllocCopy(const char* src, int length, int minCapacity, int capacity, bool keepAttributes) {
  if (length < 0) length = 0;
  if (minCapacity < length) minCapacity = length;
  AStringHeader attrs{0, 0, 0, 0, 0, -1};
  if (keepAttributes) {  // field by field: the count may be changing on another thread
    const AStringHeader* h = GetHeader();
    attrs.wide = h->wide;
    attrs.flags = h->flags;
    attrs.codePage = h->codePage;
  }
  const bool plain = !keepAttributes || (attrs.wide == 0 && attrs.flags == 0 && attrs.codePage <= 0);
  if (length == 0 && minCapacity == 0 && plain) {
    TakeEmpty();
    return;
  }
  AStringHeader* h = NewBlock(capacity != 0 ? RoundCapacity(std::max<long long>(capacity, length + 16LL))
                                            : CapacityFor(minCapacity));
  if (keepAttributes) {
    h->wide = attrs.wide;
    h->flags = attrs.flags;
    h->codePage = attrs.codePage;
  }
  char* text = TextOf(h);
  if (length > 0) std::memcpy(text, src, static_cast<size_t>(length));
  text[length] = 0;
  h->length = length;
  data_ = text;
}

void AString::Unshare() {
  AStringHeader* h = GetHeader();
  if (!IsSharedEmpty(h) && __atomic_load_n(&h->refs, __ATOMIC_ACQUIRE) == 1) return;
  data_ = TextOf(CopyIntoNewBlock(h, h->length));
  ReleaseHeader(h);
}

// ---- Construction -----------------------------------------------------------

AString::AString() { TakeEmpty(); }

AString::AString(const char* text, int minCapacity) {
  const size_t len = text ? std::strlen(text) : 0;
  if (len > static_cast<size_t>(kMaxTextLength)) OutOfMemory();
  if (len == 0 && minCapacity <= 0) {
    TakeEmpty();
    return;
  }
  data_ = nullptr;
  AllocCopy(text, static_cast<int>(len), std::max(minCapacity, 0), 0, false);
}

AString::AString(int bytes, const char* data) {
  if (!data) {
    TakeEmpty();
    return;
  }
  if (bytes < 0) bytes = 0;
  AStringHeader* h = NewBlock(CapacityFor(bytes));
  std::memcpy(TextOf(h), data, static_cast<size_t>(bytes));
  TextOf(h)[bytes] = 0;
  h->length = bytes;
  data_ = TextOf(h);
}

AString::AString(char c, int count) {
  if (count < 0) count = 0;
  AStringHeader* h = NewBlock(CapacityFor(count));
  std::memset(TextOf(h), c, static_cast<size_t>(count));
  TextOf(h)[count] = 0;
  h->length = count;
  data_ = TextOf(h);
}

AString::AString(int capacity) { MakeOwnEmpty(std::max(capacity, 0)); }

AString::AString(const AString& other) : data_(other.data_) { InterlockedIncrement(&GetHeader()->refs); }

AString::AString(AString&& other) noexcept : data_(other.data_) { other.TakeEmpty(); }

AString::~AString() { Release(); }

// ---- Header access ----------------------------------------------------------

uint8_t* AString::WideFlagPtr() {
  Unshare();
  return &GetHeader()->wide;
}

uint8_t* AString::FlagBytePtr() {
  Unshare();
  return &GetHeader()->flags;
}

int16_t* AString::CodePagePtr() {
  Unshare();
  return &GetHeader()->codePage;
}

void AString::SetWide(bool wide) {
  if ((GetHeader()->wide != 0) == wide) return;
  *WideFlagPtr() = wide ? 1 : 0;
}

void AString::SetCodePage(int codePage) {
  if (GetHeader()->codePage == codePage) return;
  *CodePagePtr() = static_cast<int16_t>(codePage);
}

void AString::SetFlagByte(int flags) {
  if (GetHeader()->flags == flags) return;
  *FlagBytePtr() = static_cast<uint8_t>(flags);
}

// ---- Assignment -------------------------------------------------------------

AString& AString::operator=(const AString& other) {
  if (data_ == other.data_) return *this;
  InterlockedIncrement(&other.GetHeader()->refs);
  AStringHeader* old = GetHeader();
  data_ = other.data_;
  ReleaseHeader(old);
  return *this;
}

AString& AString::operator=(AString&& other) noexcept {
  if (this == &other) return *this;
  AStringHeader* old = GetHeader();
  data_ = other.data_;
  other.TakeEmpty();
  ReleaseHeader(old);
  return *this;
}

AString& AString::operator=(std::string_view text) {
  if (text.empty()) {
    Clear();
    return *this;
  }
  if (text.size() > static_cast<size_t>(kMaxTextLength)) OutOfMemory();
  const int len = static_cast<int>(text.size());
  AStringHeader* h = GetHeader();
  if (!IsSharedEmpty(h) && __atomic_load_n(&h->refs, __ATOMIC_ACQUIRE) == 1 && h->capacity >= len + 16) {
    std::memmove(data_, text.data(), static_cast<size_t>(len));
  } else {
    AStringHeader* fresh = NewBlock(CapacityFor(len));
    std::memcpy(TextOf(fresh), text.data(), static_cast<size_t>(len));
    data_ = TextOf(fresh);
    ReleaseHeader(h);
    h = fresh;
  }
  data_[len] = 0;
  h->length = len;
  h->wide = 0;
  h->flags = 0;
  h->codePage = -1;
  return *this;
}

AString& AString::operator=(const char* text) {
  return *this = text ? std::string_view(text) : std::string_view();
}

AString& AString::operator=(char c) {
  AStringHeader* h = GetHeader();
  if (IsSharedEmpty(h) || __atomic_load_n(&h->refs, __ATOMIC_ACQUIRE) != 1 || h->capacity <= 16) {
    AStringHeader* fresh = NewBlock(CapacityFor(1));
    data_ = TextOf(fresh);
    ReleaseHeader(h);
    h = fresh;
  }
  data_[0] = c;
  data_[1] = 0;
  h->length = 1;
  h->wide = 0;
  h->flags = 0;
  h->codePage = -1;
  return *this;
}

// ---- Buffer access ----------------------------------------------------------

void AString::Reserve(int bytes) {
  if (bytes < 0) bytes = 0;
  AStringHeader* h = GetHeader();
  if (!IsSharedEmpty(h) && __atomic_load_n(&h->refs, __ATOMIC_ACQUIRE) == 1 &&
      h->capacity >= CapacityFor(bytes)) {
    return;
  }
  const int room = std::max(bytes, h->length);
  data_ = TextOf(CopyIntoNewBlock(h, room));
  ReleaseHeader(h);
}

char* AString::GetBuffer(int bytes) {
  Reserve(bytes);
  return data_;
}

void AString::ReleaseBuffer(int length) {
  AStringHeader* h = GetHeader();
  if (length < 0) length = static_cast<int>(strnlen(data_, static_cast<size_t>(h->capacity)));
  if (length == 0 && IsSharedEmpty(h)) return;
  Reserve(length);
  h = GetHeader();
  h->length = length;
  data_[length] = 0;
}

void AString::CopyBeforeWrite(int capacity) {
  AStringHeader* h = GetHeader();
  if (__atomic_load_n(&h->refs, __ATOMIC_ACQUIRE) < 2) return;
  // Copy first, then drop the shared reference: the other holders may release
  // theirs at the same moment, and the text must stay alive while it is copied.
  AllocCopy(data_, h->length, 0, capacity, true);
  ReleaseHeader(h);
}

void AString::Empty() {
  AStringHeader* h = GetHeader();
  if (IsSharedEmpty(h)) return;
  if (__atomic_load_n(&h->refs, __ATOMIC_ACQUIRE) == 1 && h->capacity <= 256) {
    h->length = 0;
    data_[0] = 0;
    return;
  }
  Clear();
}

void AString::Clear() {
  AStringHeader* old = GetHeader();
  TakeEmpty();
  ReleaseHeader(old);
}

void AString::Preallocate(int spare) {
  AStringHeader* h = GetHeader();
  if (IsSharedEmpty(h) || __atomic_load_n(&h->refs, __ATOMIC_ACQUIRE) != 1) return;
  if (h->capacity - h->length - 16 <= spare) return;
  data_ = TextOf(CopyIntoNewBlock(h, h->length));
  ReleaseHeader(h);
}

FOUNDATION_END
