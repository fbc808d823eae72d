// AString blocks: layout, capacities, the shared empty block, the free lists,
// copy-before-write and concurrent reference counting.
#include <cstddef>
#include <cstring>
#include <string>
#include <thread>
#include <vector>

#include <gtest/gtest.h>

#include "foundation/string/astring.h"

namespace {

template <class T>
T ReadAt(const AString& s, int offset) {
  T v;
  std::memcpy(&v, s.GetData() - 16 + offset, sizeof v);
  return v;
}

int Capacity(const AString& s) { return s.GetHeader()->capacity; }
int Refs(const AString& s) { return s.GetHeader()->refs; }

int TotalCached() {
  int n = 0;
  for (int i = 0; i < AString::kFreeLists; ++i) n += AString::CachedBlockCount(i);
  return n;
}

TEST(AStringBlock, ObjectIsOnePointer) { EXPECT_EQ(sizeof(AString), sizeof(void*)); }

TEST(AStringBlock, HeaderFieldsSitAtTheirOffsets) {
  EXPECT_EQ(offsetof(AStringHeader, refs), 0u);
  EXPECT_EQ(offsetof(AStringHeader, length), 4u);
  EXPECT_EQ(offsetof(AStringHeader, capacity), 8u);
  EXPECT_EQ(offsetof(AStringHeader, wide), 12u);
  EXPECT_EQ(offsetof(AStringHeader, flags), 13u);
  EXPECT_EQ(offsetof(AStringHeader, codePage), 14u);

  AString s("hello");
  s.SetWide(false);
  s.SetFlagByte(0x5A);
  s.SetCodePage(936);
  AString other(s);  // a second reference
  EXPECT_EQ(ReadAt<int32_t>(s, 0), 2);
  EXPECT_EQ(ReadAt<int32_t>(s, 4), 5);
  EXPECT_EQ(ReadAt<int32_t>(s, 8), (5 + 16) | 3);
  EXPECT_EQ(ReadAt<uint8_t>(s, 12), 0);
  EXPECT_EQ(ReadAt<uint8_t>(s, 13), 0x5A);
  EXPECT_EQ(ReadAt<int16_t>(s, 14), 936);
  EXPECT_EQ(std::string(s.GetData(), 6), std::string("hello\0", 6));
  EXPECT_EQ(reinterpret_cast<char*>(s.GetHeader()) + 16, s.GetData());
}

struct CapacityCase {
  const char* name;
  AString (*make)();
  int capacity;
  int length;
};

TEST(AStringBlock, CapacitiesAreLengthPlus16WithLowBitsSet) {
  const CapacityCase cases[] = {
      {"C string", [] { return AString("abc"); }, 19, 3},
      {"C string with minimum", [] { return AString("abc", 100); }, 119, 3},
      {"C string longer than minimum", [] { return AString("abcdefgh", 2); }, 27, 8},
      {"bytes", [] { return AString(20, "01234567890123456789"); }, 39, 20},
      {"zero bytes", [] { return AString(0, "x"); }, 19, 0},
      {"repeated", [] { return AString('a', 4); }, 23, 4},
      {"repeated zero times", [] { return AString('a', 0); }, 19, 0},
      {"room", [] { return AString(5); }, 23, 0},
      {"room 0", [] { return AString(0); }, 19, 0},
      {"reserve", [] {
         AString s("abc");
         s.Reserve(100);
         return s;
       },
       119, 3},
      {"assigned", [] {
         AString s;
         s = "0123456789";
         return s;
       },
       27, 10},
      {"copy before write with capacity", [] {
         AString s("abc");
         AString t(s);
         t.CopyBeforeWrite(50);
         return t;
       },
       51, 3},
  };
  for (const CapacityCase& c : cases) {
    SCOPED_TRACE(c.name);
    const AString s = c.make();
    EXPECT_EQ(Capacity(s), c.capacity);
    EXPECT_EQ(Capacity(s) & 3, 3);
    EXPECT_EQ(s.GetLength(), c.length);
    EXPECT_EQ(s.GetData()[s.GetLength()], 0);
  }
}

TEST(AStringBlock, SharedEmptyBlockHasCodePage0) {
  const AString a;
  const AString b(static_cast<const char*>(nullptr));
  const AString c("");
  const AString d(0, static_cast<const char*>(nullptr));
  for (const AString* s : {&a, &b, &c, &d}) {
    EXPECT_EQ(s->GetHeader(), AString::SharedEmptyHeader());
  }
  const AStringHeader* h = AString::SharedEmptyHeader();
  EXPECT_GE(h->refs, 2 + 4);
  EXPECT_EQ(h->length, 0);
  EXPECT_EQ(h->capacity, 0);
  EXPECT_EQ(h->wide, 0);
  EXPECT_EQ(h->flags, 0);
  EXPECT_EQ(h->codePage, 0);
  EXPECT_EQ(a.GetData()[0], 0);

  // A character repeated 0 times is an own empty block with code page -1.
  const AString own('x', 0);
  EXPECT_NE(own.GetHeader(), AString::SharedEmptyHeader());
  EXPECT_EQ(own.GetCodePage(), -1);
}

TEST(AStringBlock, SharedEmptyCountFollowsItsHolders) {
  const int before = AString::SharedEmptyHeader()->refs;
  {
    AString a;
    AString b;
    AString c(a);
    EXPECT_EQ(AString::SharedEmptyHeader()->refs, before + 3);
    c.Clear();
    EXPECT_EQ(AString::SharedEmptyHeader()->refs, before + 3);
  }
  EXPECT_EQ(AString::SharedEmptyHeader()->refs, before);
}

TEST(AStringBlock, SharedEmptyHeaderNeverChanges) {
  AString s;
  s.SetCodePage(936);  // gives s a block of its own
  s.SetWide(true);
  EXPECT_NE(s.GetHeader(), AString::SharedEmptyHeader());
  EXPECT_EQ(s.GetCodePage(), 936);
  EXPECT_TRUE(s.IsWide());
  EXPECT_EQ(AString::SharedEmptyHeader()->codePage, 0);
  EXPECT_EQ(AString::SharedEmptyHeader()->wide, 0);

  AString t;
  t.MakeUpper();
  t.Truncate(0);
  t.Empty();
  t.ReleaseBuffer(0);
  EXPECT_EQ(t.GetHeader(), AString::SharedEmptyHeader());
  EXPECT_EQ(AString::SharedEmptyHeader()->length, 0);
}

TEST(AStringBlock, ReleasedBlockIsTheNextOneOfItsSize) {
  AString::FreeCachedBlocks();
  EXPECT_EQ(TotalCached(), 0);
  const AStringHeader* first = nullptr;
  {
    AString s("abc");  // capacity 19: a 20-byte block
    ASSERT_EQ(Capacity(s), 19);
    first = s.GetHeader();
  }
  EXPECT_EQ(AString::CachedBlockCount(5), 1);
  AString t("xyz");
  EXPECT_EQ(t.GetHeader(), first);
  EXPECT_EQ(AString::CachedBlockCount(5), 0);
  // A block of another size does not come from that list.
  AString u("abc");
  AString v(40);
  EXPECT_NE(v.GetHeader(), first);
}

TEST(AStringBlock, Blocks380AreRecycledAnd384GoToTheHeap) {
  AString::FreeCachedBlocks();
  {
    AString s(363);  // (363 + 16) | 3 = 379: nominal size 380
    ASSERT_EQ(Capacity(s), 379);
  }
  EXPECT_EQ(AString::CachedBlockCount(95), 1);
  EXPECT_EQ(TotalCached(), 1);
  {
    AString s(367);  // (367 + 16) | 3 = 383: nominal size 384
    ASSERT_EQ(Capacity(s), 383);
  }
  EXPECT_EQ(TotalCached(), 1);
  AString::FreeCachedBlocks();
  EXPECT_EQ(TotalCached(), 0);
}

TEST(AStringBlock, EveryPooledSizeHasItsOwnList) {
  AString::FreeCachedBlocks();
  for (int n = 0; n + 20 < AString::kPoolLimit; n += 4) {
    const int nominal = n + 20;  // ((n + 16) | 3) + 1
    const AStringHeader* first = nullptr;
    {
      AString s(n);
      ASSERT_EQ(Capacity(s) + 1, nominal);
      first = s.GetHeader();
    }
    EXPECT_EQ(AString::CachedBlockCount(nominal / 4), 1) << n;
    AString again(n);
    EXPECT_EQ(again.GetHeader(), first) << n;
  }
  AString::FreeCachedBlocks();
}

TEST(AStringBlock, CopiesShareAndWritesCopyFirst) {
  AString b("base");
  AString a;
  a = b;
  EXPECT_EQ(a.GetHeader(), b.GetHeader());
  EXPECT_EQ(Refs(b), 2);
  a += "x";
  EXPECT_EQ(b, "base");
  EXPECT_EQ(a, "basex");
  EXPECT_NE(a.GetHeader(), b.GetHeader());
  EXPECT_EQ(Refs(a), 1);
  EXPECT_EQ(Refs(b), 1);
}

TEST(AStringBlock, EveryInPlaceEditLeavesTheOtherHolderAlone) {
  using Edit = void (*)(AString&);
  const Edit edits[] = {
      [](AString& s) { s = "other"; },
      [](AString& s) { s = 'z'; },
      [](AString& s) { s.MakeUpper(); },
      [](AString& s) { s.SetAt(0, 'Q'); },
      [](AString& s) { s.Replace('b', 'c'); },
      [](AString& s) { s.Replace("ab", "xyz"); },
      [](AString& s) { s.Remove('a'); },
      [](AString& s) { s.Delete(0, 1); },
      [](AString& s) { s.Insert(1, 'q'); },
      [](AString& s) { s.Truncate(1); },
      [](AString& s) { s.TrimLeft("a"); },
      [](AString& s) { s.MakeReverse(); },
      [](AString& s) { s.Empty(); },
      [](AString& s) { s.GetBuffer(10)[0] = '#'; },
      [](AString& s) { s.SetCodePage(936); },
      [](AString& s) { s.SetWide(true); },
      [](AString& s) { s.KeepDigits(); },
  };
  for (size_t i = 0; i < std::size(edits); ++i) {
    SCOPED_TRACE(i);
    AString original("abab1");
    AString copy(original);
    edits[i](copy);
    EXPECT_EQ(original, "abab1");
    EXPECT_EQ(original.GetCodePage(), -1);
    EXPECT_FALSE(original.IsWide());
    EXPECT_EQ(Refs(original), 1);
  }
}

TEST(AStringBlock, AssignmentInPlaceOrNewBlock) {
  AString s("0123456789");  // capacity 27
  const AStringHeader* h = s.GetHeader();
  s.SetCodePage(936);
  s = "abc";  // fits: in place, attributes reset
  EXPECT_EQ(s.GetHeader(), h);
  EXPECT_EQ(s.GetCodePage(), -1);
  s = "a longer text than twenty-seven bytes";
  EXPECT_NE(s.GetHeader(), h);
  s = "";
  EXPECT_EQ(s.GetHeader(), AString::SharedEmptyHeader());
  s = static_cast<const char*>(nullptr);
  EXPECT_EQ(s.GetHeader(), AString::SharedEmptyHeader());
  s = std::string_view("ab\0c", 4);
  EXPECT_EQ(s.GetLength(), 4);
  AString& same = s;  // through a reference, as a real self-assignment comes
  s = same;
  EXPECT_EQ(s.GetLength(), 4);
  s = s.GetData() + 1;  // from its own text
  EXPECT_EQ(s, "b");
}

TEST(AStringBlock, EmptyKeepsSmallUnsharedBlocks) {
  AString small("abc");
  small.SetCodePage(932);
  const AStringHeader* h = small.GetHeader();
  small.Empty();
  EXPECT_EQ(small.GetHeader(), h);
  EXPECT_EQ(small.GetLength(), 0);
  EXPECT_EQ(small.GetCodePage(), 932);

  AString big(300);  // capacity above 256
  big.Empty();
  EXPECT_EQ(big.GetHeader(), AString::SharedEmptyHeader());

  AString shared("abc");
  AString other(shared);
  shared.Empty();
  EXPECT_EQ(shared.GetHeader(), AString::SharedEmptyHeader());
  EXPECT_EQ(other, "abc");

  small.Clear();
  EXPECT_EQ(small.GetHeader(), AString::SharedEmptyHeader());
}

TEST(AStringBlock, BufferAccess) {
  AString s;
  char* p = s.GetBuffer(10);
  std::strcpy(p, "written");
  s.ReleaseBuffer();
  EXPECT_EQ(s, "written");
  EXPECT_EQ(s.GetLength(), 7);
  s.GetBuffer(3);
  s.ReleaseBuffer(3);
  EXPECT_EQ(s, "wri");
  // Reserve keeps the width, flag byte and code page.
  s.SetCodePage(949);
  s.SetFlagByte(7);
  s.Reserve(200);
  EXPECT_EQ(s.GetCodePage(), 949);
  EXPECT_EQ(s.GetFlagByte(), 7);
  EXPECT_EQ(Capacity(s), (200 + 16) | 3);
  // Nothing happens when the room is there.
  const AStringHeader* h = s.GetHeader();
  s.Reserve(10);
  EXPECT_EQ(s.GetHeader(), h);
  // Preallocate gives back spare room above the given amount.
  s.Preallocate(500);
  EXPECT_EQ(s.GetHeader(), h);
  s.Preallocate(10);
  EXPECT_EQ(Capacity(s), (3 + 16) | 3);
  EXPECT_EQ(s, "wri");
  EXPECT_EQ(s.GetCodePage(), 949);
}

TEST(AStringBlock, CopyBeforeWriteLeavesUnsharedBlocks) {
  AString s("abc", 200);
  const AStringHeader* h = s.GetHeader();
  s.CopyBeforeWrite(20);
  EXPECT_EQ(s.GetHeader(), h);
  AString t(s);
  t.CopyBeforeWrite();
  EXPECT_EQ(Capacity(t), 19);
  EXPECT_EQ(Refs(s), 1);
}

TEST(AStringBlock, MoveLeavesTheSourceEmpty) {
  AString a("moved");
  const AStringHeader* h = a.GetHeader();
  AString b(std::move(a));
  EXPECT_EQ(b.GetHeader(), h);
  EXPECT_EQ(a.GetHeader(), AString::SharedEmptyHeader());  // NOLINT(bugprone-use-after-move)
  AString c;
  c = std::move(b);
  EXPECT_EQ(c.GetHeader(), h);
  EXPECT_EQ(Refs(c), 1);
}

// Threads copying and dropping one shared string, and writing to their own
// copies, never lose a count: at the end the original holds the only reference.
TEST(AStringBlock, ConcurrentCopiesNeverLoseACount) {
  AString shared("a string that every thread copies");
  constexpr int kThreads = 8;
  constexpr int kRounds = 20000;
  std::vector<std::thread> threads;
  for (int t = 0; t < kThreads; ++t) {
    threads.emplace_back([&shared, t] {
      for (int i = 0; i < kRounds; ++i) {
        AString copy(shared);
        AString second;
        second = copy;
        if ((i + t) % 3 == 0) copy += "x";  // copy-before-write of a shared block
        if ((i + t) % 5 == 0) second.MakeUpper();
        AString small("tmp");  // pool traffic from every thread
        ASSERT_EQ(second.GetLength(), shared.GetLength());
      }
    });
  }
  for (std::thread& th : threads) th.join();
  EXPECT_EQ(Refs(shared), 1);
  EXPECT_EQ(shared, "a string that every thread copies");
}

}  // namespace
