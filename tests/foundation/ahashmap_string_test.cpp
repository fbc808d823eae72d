#include <gtest/gtest.h>

#include <cstdio>
#include <map>
#include <memory>
#include <string>
#include <vector>

#include "foundation/containers/ahashmap.h"
#include "foundation/containers/amap.h"
#include "foundation/containers/strings_file_entry.h"
#include "tests/foundation/string_map_test_util.h"

namespace {

struct HashCase {
  const char* text;
  uint32_t hash;
};

class TextHashCases : public ::testing::TestWithParam<HashCase> {};

TEST_P(TextHashCases, IsTimes33PlusSignedByte) {
  EXPECT_EQ(TextHash(AString(GetParam().text)), GetParam().hash);
}

INSTANTIATE_TEST_SUITE_P(Cases, TextHashCases,
                         ::testing::Values(HashCase{"", 0}, HashCase{"a", 97}, HashCase{"ab", 97 * 33 + 98},
                                           HashCase{"\xC0", static_cast<uint32_t>(-64)},  // a negative byte
                                           HashCase{"a\x80", 97 * 33 - 128},
                                           // wraps in 32 bits
                                           HashCase{"zzzzzzzz", [] {
                                                      uint32_t h = 0;
                                                      for (int i = 0; i < 8; ++i) h = h * 33 + 'z';
                                                      return h;
                                                    }()}));

TEST(AHashMapString, KeyAbLandsInBucket35) {
  AHashMap<AString, AString> m;
  m[AString("ab")] = AString("v");
  ASSERT_NE(m.Core().Head(35), nullptr);  // 3299 mod 64
  for (int b = 0; b < 64; ++b)
    if (b != 35) {
      EXPECT_EQ(m.Core().Head(b), nullptr);
    }
}

TEST(AHashMapString, KeysCompareByBytesOnly) {
  AHashMap<AString, void*> m;
  AString plain("key");
  AString withCodePage("key");
  withCodePage.SetCodePage(936);
  int x;
  m[plain] = &x;
  void* v = nullptr;
  ASSERT_EQ(m.Lookup(withCodePage, v), 1);
  EXPECT_EQ(v, &x);
  EXPECT_EQ(m.Lookup(AString("Key"), v), 0);
}

TEST(AHashMapString, DestructionReleasesKeysAndValues) {
  AString key("the key");
  AString value("the value");
  {
    AHashMap<AString, AString> m;
    m.SetAt(key, value);
    EXPECT_EQ(key.GetHeader()->refs, 2);
    EXPECT_EQ(value.GetHeader()->refs, 2);
    AHashMap<AString, AString> copy;
    copy.Copy(m);
    EXPECT_EQ(value.GetHeader()->refs, 3);
    EXPECT_EQ(copy.RemoveKey(key), 1);
    EXPECT_EQ(value.GetHeader()->refs, 2);
  }
  EXPECT_EQ(key.GetHeader()->refs, 1);
  EXPECT_EQ(value.GetHeader()->refs, 1);
}

TEST(AHashMapString, CopyFollowsTheIterationOrder) {
  AHashMap<AString, AString> m, copy;
  for (const char* k : {"ab", "x", "longer key", "ba"}) m.SetAt(AString(k), AString(k) + "!");
  copy.SetAt(AString("stale"), AString("gone"));
  copy.Copy(m);
  EXPECT_EQ(copy.GetCount(), 4);
  AString v;
  EXPECT_EQ(copy.Lookup(AString("stale"), v), 0);
  ASSERT_EQ(copy.Lookup(AString("longer key"), v), 1);
  EXPECT_TRUE(v == "longer key!");
}

// ---- Loading ---------------------------------------------------------------

using Bytes = std::vector<uint8_t>;

struct FileCloser {
  void operator()(FILE* f) const { std::fclose(f); }
};

std::unique_ptr<FILE, FileCloser> FileWith(const Bytes& bytes) {
  std::unique_ptr<FILE, FileCloser> f(std::tmpfile());
  if (!bytes.empty()) std::fwrite(bytes.data(), 1, bytes.size(), f.get());
  std::rewind(f.get());
  return f;
}

using string_map_test::Contents;

struct LoadCase {
  const char* name;
  Bytes file;
  int result;
  std::map<std::string, std::string> contents;  // after loading into a map holding "old" -> "1"
};

class HashMapLoad : public ::testing::TestWithParam<LoadCase> {};

TEST_P(HashMapLoad, ReadsOrFailsCleanly) {
  const LoadCase& c = GetParam();
  AHashMap<AString, AString> m;
  m.SetAt(AString("old"), AString("1"));
  auto f = FileWith(c.file);
  EXPECT_EQ(m.Load(true, f.get()), c.result);
  EXPECT_EQ(Contents(m), c.contents);
}

const std::map<std::string, std::string> kOld = {{"old", "1"}};

INSTANTIATE_TEST_SUITE_P(
    Cases, HashMapLoad,
    ::testing::Values(
        LoadCase{"TwoPairs", {2, 0, 1, 'a', 2, 'x', 'y', 1, 'b', 0}, 1, {{"old", "1"}, {"a", "xy"}}},
        LoadCase{"ZeroPairs", {0, 0}, 1, kOld},
        LoadCase{"EmptyKeyAndValueSkipped", {2, 0, 0, 1, 'v', 1, 'k', 0}, 1, kOld},
        LoadCase{"FullLengthString", [] {
                   Bytes b = {1, 0, 1, 'k', 255};
                   b.insert(b.end(), 255, 'z');
                   return b;
                 }(), 1, {{"old", "1"}, {"k", std::string(255, 'z')}}},
        LoadCase{"EmptyFile", {}, 0, kOld},
        LoadCase{"HalfACount", {1}, 0, kOld},
        LoadCase{"CountBeyondTheFile", {0xFF, 0xFF, 1, 'a', 1, 'b'}, 0, kOld},
        LoadCase{"StringCutShort", {1, 0, 1, 'a', 5, 'x', 'y'}, 0, kOld},
        LoadCase{"MissingValue", {1, 0, 1, 'a'}, 0, kOld},
        LoadCase{"SecondPairCutShort", {2, 0, 1, 'a', 1, 'b', 0}, 0, kOld}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(AHashMapString, LoadWithLoadClearDoesNothing) {
  AHashMap<AString, AString> m;
  EXPECT_EQ(m.Load(false, nullptr), 1);
  EXPECT_EQ(m.Load(true, nullptr), 0);
}

TEST(AMapString, StringKeysAndFileEntries) {
  AMap<AString, StringsFileEntry> cache;
  StringsFileEntry entry;
  entry.file = stdin;
  entry.lines.AddChars("first");
  entry.lines.AddChars("second");
  cache.SetAt(AString("list.txt"), entry);
  StringsFileEntry out;
  ASSERT_EQ(cache.Lookup(AString("list.txt"), out), 1);
  EXPECT_EQ(out.file, stdin);
  ASSERT_EQ(out.lines.GetSize(), 2);
  EXPECT_TRUE(out.lines[1] == "second");
  EXPECT_EQ(cache.Lookup(AString("other.txt"), out), 0);
  AString key("ab");
  AMap<AString, DWORD> m;
  m[key] = 5;
  EXPECT_NE(m.Core().Head(35), nullptr);
  EXPECT_EQ(key.GetHeader()->refs, 2);
  m.RemoveAll();
  EXPECT_EQ(key.GetHeader()->refs, 1);
}

}  // namespace
