// The archive's byte layout (values, counts, strings, class tags, object
// references) and its bounded reading: cases as rows of expected bytes,
// written from the documented layout.
#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

#include "framework_test_util.h"

namespace {

using Bytes = std::vector<BYTE>;

class CArNode : public CObject {
  DECLARE_SERIAL(CArNode)

 public:
  CArNode() = default;
  explicit CArNode(LONG v) : value(v) {}
  ~CArNode() override { delete child; }
  void Serialize(CArchive& ar) override {
    if (ar.IsStoring()) {
      ar << value << child;
    } else {
      ar >> value;
      CObject* read = nullptr;
      ar >> read;
      child = static_cast<CArNode*>(read);
    }
  }
  LONG value = 0;
  CArNode* child = nullptr;
};
IMPLEMENT_SERIAL(CArNode, CObject, 1)

// Reads schema 1 and 2 itself.
class CArVersioned : public CObject {
  DECLARE_SERIAL(CArVersioned)

 public:
  void Serialize(CArchive& ar) override {
    if (ar.IsStoring()) return;
    schema = ar.GetObjectSchema();
  }
  UINT schema = 0;
};
IMPLEMENT_SERIAL(CArVersioned, CObject, VERSIONABLE_SCHEMA | 2)

class CArPlain : public CObject {
  DECLARE_DYNCREATE(CArPlain)
};
IMPLEMENT_DYNCREATE(CArPlain, CObject)

template <class F>
Bytes Store(F&& write) {
  CMemFile file;
  {
    CArchive ar(&file, CArchive::store);
    write(ar);
    ar.Close();
  }
  return fwtest::BytesOf(file);
}

// An archive reading the given bytes.
struct Loader {
  explicit Loader(const Bytes& bytes) : data(bytes), file(data.data(), static_cast<UINT>(data.size())),
                                        ar(&file, CArchive::load) {}
  Bytes data;
  CMemFile file;
  CArchive ar;
};

Bytes Repeat(BYTE b, size_t n) { return Bytes(n, b); }
Bytes Cat(Bytes a, const Bytes& b) {
  a.insert(a.end(), b.begin(), b.end());
  return a;
}

TEST(FrameworkArchive, ValuesAreLittleEndianFieldByField) {
  const Bytes bytes = Store([](CArchive& ar) {
    ar << BYTE{0x12} << WORD{0x3456} << DWORD{0x789ABCDE} << LONG{-2} << true << 1.5f;
  });
  EXPECT_EQ(bytes, (Bytes{0x12, 0x56, 0x34, 0xDE, 0xBC, 0x9A, 0x78, 0xFE, 0xFF, 0xFF, 0xFF, 0x01, 0x00, 0x00, 0xC0,
                          0x3F}));
  Loader in(bytes);
  BYTE b = 0;
  WORD w = 0;
  DWORD d = 0;
  LONG l = 0;
  bool flag = false;
  float f = 0;
  in.ar >> b >> w >> d >> l >> flag >> f;
  EXPECT_EQ(b, 0x12);
  EXPECT_EQ(w, 0x3456);
  EXPECT_EQ(d, 0x789ABCDEu);
  EXPECT_EQ(l, -2);
  EXPECT_TRUE(flag);
  EXPECT_EQ(f, 1.5f);
}

struct CountCase {
  DWORD_PTR count;
  Bytes stored;
};

TEST(FrameworkArchive, CountsTakeAWordThenADword) {
  const CountCase cases[] = {
      {0, {0x00, 0x00}},
      {0xFFFE, {0xFE, 0xFF}},
      {0xFFFF, {0xFF, 0xFF, 0xFF, 0xFF, 0x00, 0x00}},
      {0x12345678, {0xFF, 0xFF, 0x78, 0x56, 0x34, 0x12}},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(Store([&](CArchive& ar) { ar.WriteCount(c.count); }), c.stored) << c.count;
    Loader in(c.stored);
    EXPECT_EQ(in.ar.ReadCount(), c.count);
  }
}

struct StringCase {
  size_t length;
  Bytes prefix;
};

TEST(FrameworkArchive, StringLengthsGrowByPrefix) {
  const StringCase cases[] = {
      {0, {0x00}},
      {3, {0x03}},
      {254, {0xFE}},
      {255, {0xFF, 0xFF, 0x00}},
      {300, {0xFF, 0x2C, 0x01}},
      {0xFFFD, {0xFF, 0xFD, 0xFF}},
      {0xFFFE, {0xFF, 0xFF, 0xFF, 0xFE, 0xFF, 0x00, 0x00}},
  };
  for (const auto& c : cases) {
    const CString text(std::string(c.length, 'x'));
    const Bytes bytes = Store([&](CArchive& ar) { ar << text; });
    EXPECT_EQ(bytes, Cat(c.prefix, Repeat('x', c.length))) << c.length;
    Loader in(bytes);
    CString back;
    in.ar >> back;
    EXPECT_EQ(back, text) << c.length;
  }
}

TEST(FrameworkArchive, ReadsUtf16StringsIntoTheAnsiCodePage) {
  // 0xFF 0xFFFE marks UTF-16; then 2 characters: "A", "é" (U+00E9).
  Loader in(Bytes{0xFF, 0xFE, 0xFF, 0x02, 0x41, 0x00, 0xE9, 0x00});
  CString s;
  in.ar >> s;
  EXPECT_EQ(s, CString("A\xE9"));
}

TEST(FrameworkArchive, ObjectsClassesAndReferencesHaveTheirTags) {
  CArNode first(7), second(9);
  const Bytes bytes = Store([&](CArchive& ar) {
    ar << &first << &second << &first << static_cast<CObject*>(nullptr);
  });
  const Bytes expected = {
      0xFF, 0xFF,                                     // a class not seen before
      0x01, 0x00, 0x07, 0x00, 'C', 'A', 'r', 'N', 'o', 'd', 'e',  // schema 1, name
      0x07, 0x00, 0x00, 0x00, 0x00, 0x00,             // first: value, null child
      0x01, 0x80,                                     // the class again: 0x8000 | index 1
      0x09, 0x00, 0x00, 0x00, 0x00, 0x00,             // second
      0x02, 0x00,                                     // first again: object index 2
      0x00, 0x00,                                     // null
  };
  EXPECT_EQ(bytes, expected);

  Loader in(bytes);
  CArNode *a = nullptr, *b = nullptr, *again = nullptr, *none = nullptr;
  in.ar >> a >> b >> again >> none;
  std::unique_ptr<CArNode> ownA(a), ownB(b);
  ASSERT_NE(a, nullptr);
  EXPECT_EQ(a->value, 7);
  EXPECT_EQ(b->value, 9);
  EXPECT_EQ(again, a);  // a reference gives back the object read before
  EXPECT_EQ(none, nullptr);
}

TEST(FrameworkArchive, NestedObjectsRoundTrip) {
  CArNode root(1);
  root.child = new CArNode(2);
  root.child->child = new CArNode(3);
  const Bytes bytes = Store([&](CArchive& ar) { ar << &root; });
  Loader in(bytes);
  CArNode* back = nullptr;
  in.ar >> back;
  std::unique_ptr<CArNode> own(back);
  ASSERT_NE(back, nullptr);
  ASSERT_NE(back->child, nullptr);
  ASSERT_NE(back->child->child, nullptr);
  EXPECT_EQ(back->child->child->value, 3);
}

enum class Reading { String, Word, Object };

struct BadCase {
  const char* name;
  Reading reading;
  Bytes stored;
  int cause;
};

TEST(FrameworkArchive, DamagedArchivesThrowTheirCause) {
  const Bytes nodeClass = {0xFF, 0xFF, 0x01, 0x00, 0x07, 0x00, 'C', 'A', 'r', 'N', 'o', 'd', 'e'};
  const BadCase cases[] = {
      {"string longer than the data", Reading::String, {0x05, 'a', 'b'}, CArchiveException::endOfFile},
      {"huge string length", Reading::String, {0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0x7F}, CArchiveException::endOfFile},
      {"truncated word", Reading::Word, {0x01}, CArchiveException::endOfFile},
      {"reference to nothing", Reading::Object, {0x05, 0x00}, CArchiveException::badIndex},
      {"class index never stored", Reading::Object, {0x03, 0x80}, CArchiveException::badIndex},
      {"unknown class", Reading::Object, {0xFF, 0xFF, 0x01, 0x00, 0x03, 0x00, 'C', 'Z', 'z'},
       CArchiveException::badClass},
      {"class name too long", Reading::Object, {0xFF, 0xFF, 0x01, 0x00, 0xFF, 0x00}, CArchiveException::badClass},
      {"class name cut short", Reading::Object, {0xFF, 0xFF, 0x01, 0x00, 0x07, 0x00, 'C', 'A'},
       CArchiveException::endOfFile},
      {"wrong schema", Reading::Object, {0xFF, 0xFF, 0x02, 0x00, 0x07, 0x00, 'C', 'A', 'r', 'N', 'o', 'd', 'e'},
       CArchiveException::badSchema},
      {"object truncated inside", Reading::Object, Cat(nodeClass, {0x07, 0x00}), CArchiveException::endOfFile},
      // The child's tag names index 1, which holds the class, not an object.
      {"class index used as an object", Reading::Object, Cat(nodeClass, {0x07, 0, 0, 0, 0x01, 0x00}),
       CArchiveException::badIndex},
  };
  for (const auto& c : cases) {
    Loader in(c.stored);
    const int cause = fwtest::CauseOf<CArchiveException>([&] {
      switch (c.reading) {
        case Reading::String: {
          CString s;
          in.ar >> s;
          break;
        }
        case Reading::Word: {
          WORD w;
          in.ar >> w;
          break;
        }
        case Reading::Object: delete in.ar.ReadObject(RUNTIME_CLASS(CArNode)); break;
      }
    });
    EXPECT_EQ(cause, c.cause) << c.name;
  }
}

TEST(FrameworkArchive, AnObjectOfAnotherClassIsRefused) {
  CArNode node(1);
  const Bytes bytes = Store([&](CArchive& ar) { ar << &node; });
  Loader in(bytes);
  EXPECT_EQ(fwtest::CauseOf<CArchiveException>([&] { delete in.ar.ReadObject(RUNTIME_CLASS(CArVersioned)); }),
            CArchiveException::badClass);
}

TEST(FrameworkArchive, VersionableClassesReadOlderSchemas) {
  Loader in(Bytes{0xFF, 0xFF, 0x01, 0x00, 0x0C, 0x00, 'C', 'A', 'r', 'V', 'e', 'r', 's', 'i', 'o', 'n', 'e', 'd'});
  std::unique_ptr<CObject> object(in.ar.ReadObject(RUNTIME_CLASS(CArVersioned)));
  ASSERT_NE(object, nullptr);
  EXPECT_EQ(static_cast<CArVersioned*>(object.get())->schema, 1u);
}

TEST(FrameworkArchive, ClassesWithoutSchemaCannotBeStored) {
  CArPlain plain;
  CMemFile file;
  CArchive ar(&file, CArchive::store);
  try {
    ar << &plain;
    ADD_FAILURE() << "stored an object that is not serialisable";
  } catch (CNotSupportedException* e) {
    e->Delete();
  }
}

TEST(FrameworkArchive, WrongDirectionThrows) {
  CMemFile file;
  CArchive ar(&file, CArchive::store);
  EXPECT_EQ(fwtest::CauseOf<CArchiveException>([&] {
              BYTE b;
              ar >> b;
            }),
            CArchiveException::writeOnly);
}

TEST(FrameworkArchive, CollectionsRoundTripAndBoundTheirCounts) {
  CStringList list;
  list.AddTail("one");
  list.AddTail("two");
  CObArray array;
  CArNode node(5);
  array.Add(&node);
  array.Add(&node);
  const Bytes bytes = Store([&](CArchive& ar) {
    list.Serialize(ar);
    array.Serialize(ar);
  });
  EXPECT_EQ(Bytes(bytes.begin(), bytes.begin() + 10), (Bytes{0x02, 0x00, 0x03, 'o', 'n', 'e', 0x03, 't', 'w', 'o'}));
  Loader in(bytes);
  CStringList listBack;
  CObArray arrayBack;
  listBack.Serialize(in.ar);
  arrayBack.Serialize(in.ar);
  ASSERT_EQ(listBack.GetCount(), 2);
  EXPECT_EQ(listBack.GetTail(), CString("two"));
  ASSERT_EQ(arrayBack.GetSize(), 2);
  EXPECT_EQ(arrayBack[0], arrayBack[1]);
  delete arrayBack[0];

  // A count of 60,000 strings with four bytes after it.
  Loader damaged(Bytes{0x60, 0xEA, 0x01, 'a', 0x01, 'b'});
  CStringList tooMany;
  EXPECT_EQ(fwtest::CauseOf<CArchiveException>([&] { tooMany.Serialize(damaged.ar); }),
            CArchiveException::endOfFile);
}

TEST(FrameworkArchive, TextLinesDropTheirLineEnds) {
  Loader in(Bytes{'a', 'b', '\r', '\n', 'c', '\n', 'd'});
  CString line;
  ASSERT_TRUE(in.ar.ReadString(line));
  EXPECT_EQ(line, CString("ab"));
  ASSERT_TRUE(in.ar.ReadString(line));
  EXPECT_EQ(line, CString("c"));
  ASSERT_TRUE(in.ar.ReadString(line));
  EXPECT_EQ(line, CString("d"));
  EXPECT_FALSE(in.ar.ReadString(line));
}

TEST(FrameworkArchive, AFileBackedArchiveRoundTrips) {
  fwtest::Scratch dir;
  const std::string path = dir / "objects.bin";
  {
    CFile file(path.c_str(), CFile::modeCreate | CFile::modeWrite);
    CArchive ar(&file, CArchive::store, 128);
    for (int i = 0; i < 1000; ++i) ar << CString("row") << static_cast<LONG>(i);
    ar.Close();
  }
  CFile file(path.c_str(), CFile::modeRead);
  CArchive ar(&file, CArchive::load, 128);
  for (int i = 0; i < 1000; ++i) {
    CString s;
    LONG v = 0;
    ar >> s >> v;
    ASSERT_EQ(v, i);
  }
  EXPECT_EQ(ar.GetBytesLeft(), 0u);
}

}  // namespace
