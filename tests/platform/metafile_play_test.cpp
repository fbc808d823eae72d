// The metafile player on records whose sizes, counts and offsets lie. Each
// record kind the player handles is played cut short as the last bytes of
// the data (so that a read past the record is a read past the copy the
// metafile holds, which AddressSanitizer reports), then cut short in front
// of a rectangle that must still be drawn. Pattern brushes take their
// bitmap from the record and never from an address the file gives.
#include <gtest/gtest.h>

#include <cstdint>
#include <string>
#include <vector>

#include "platform/win.h"
#include "platform/gdi/metafile.h"
#include "tests/platform/gdi_test_util.h"

namespace {

using Bytes = std::vector<BYTE>;
using gditest::Canvas;

void Put16(Bytes& b, int64_t v) {
  b.push_back(BYTE(v));
  b.push_back(BYTE(v >> 8));
}
void Put32(Bytes& b, int64_t v) {
  for (int i = 0; i < 4; ++i) b.push_back(BYTE(v >> (8 * i)));
}

constexpr int kSize = 16;
constexpr COLORREF kWhite = RGB(255, 255, 255), kBlack = RGB(0, 0, 0);

// --- Enhanced metafiles ---

// One record: type, length as stated, parameter bytes as given.
Bytes EmfRecord(uint32_t type, const Bytes& params, int64_t statedLength = -1) {
  Bytes b;
  Put32(b, type);
  Put32(b, statedLength >= 0 ? statedLength : int64_t(8 + params.size()));
  b.insert(b.end(), params.begin(), params.end());
  return b;
}
Bytes Words32(std::initializer_list<int64_t> values) {
  Bytes b;
  for (int64_t v : values) Put32(b, v);
  return b;
}

// A 16 x 16 picture whose bounds map one unit to one pixel; no end record
// unless the records bring one, and nBytes the exact size.
Bytes Emf(const Bytes& records) {
  Bytes out;
  Put32(out, 1);
  Put32(out, 88);
  for (int v : {0, 0, kSize - 1, kSize - 1}) Put32(out, v);  // bounds
  for (int v : {0, 0, 0, 0}) Put32(out, v);                  // frame: none
  Put32(out, 0x464D4520);
  Put32(out, 0x10000);
  Put32(out, int64_t(88 + records.size()));
  Put32(out, 2);
  Put16(out, 4);  // handles
  Put16(out, 0);
  for (int v : {0, 0, 0}) Put32(out, v);
  for (int v : {1920, 1080, 508, 286}) Put32(out, v);
  out.insert(out.end(), records.begin(), records.end());
  return out;
}

BOOL PlayEmf(const Bytes& file, Canvas& canvas) {
  HENHMETAFILE m = SetEnhMetaFileBits(UINT(file.size()), file.data());
  if (!m) return FALSE;
  RECT r{0, 0, kSize, kSize};
  const BOOL ok = PlayEnhMetaFile(canvas.dc(), m, &r);
  DeleteEnhMetaFile(m);
  return ok;
}

// A black rectangle over the left half, drawn with the stock black brush.
Bytes EmfBlackRectangle() {
  Bytes b = EmfRecord(37, Words32({0x80000000 | BLACK_BRUSH}));
  const Bytes r = EmfRecord(43, Words32({0, 0, kSize / 2, kSize}));
  b.insert(b.end(), r.begin(), r.end());
  return b;
}

struct RecordKind {
  const char* name;
  uint32_t type;
  Bytes params;  // a sound set of parameters
};

// Every record kind the player handles, with sound parameters.
std::vector<RecordKind> EmfKinds() {
  return {
      {"SETWINDOWEXTEX", 9, Words32({16, 16})},
      {"SETWINDOWORGEX", 10, Words32({0, 0})},
      {"SETVIEWPORTEXTEX", 11, Words32({16, 16})},
      {"SETVIEWPORTORGEX", 12, Words32({0, 0})},
      {"SETMAPMODE", 17, Words32({MM_TEXT})},
      {"SETBKMODE", 18, Words32({TRANSPARENT})},
      {"SETPOLYFILLMODE", 19, Words32({WINDING})},
      {"SETROP2", 20, Words32({R2_COPYPEN})},
      {"SETTEXTCOLOR", 24, Words32({0})},
      {"SETBKCOLOR", 25, Words32({0xFFFFFF})},
      {"MOVETOEX", 27, Words32({1, 1})},
      {"LINETO", 54, Words32({4, 4})},
      {"SAVEDC", 33, {}},
      {"RESTOREDC", 34, Words32({-1})},
      {"SELECTOBJECT", 37, Words32({1})},
      {"CREATEPEN", 38, Words32({1, PS_SOLID, 1, 0, 0xFF})},
      {"CREATEBRUSHINDIRECT", 39, Words32({1, BS_SOLID, 0xFF, 0})},
      {"DELETEOBJECT", 40, Words32({1})},
      {"ELLIPSE", 42, Words32({1, 1, 5, 5})},
      {"RECTANGLE", 43, Words32({1, 1, 5, 5})},
      {"ROUNDRECT", 44, Words32({1, 1, 9, 9, 2, 2})},
      {"POLYGON", 3, Words32({0, 0, 0, 0, 3, 1, 1, 5, 1, 5, 5})},
      {"POLYLINE", 4, Words32({0, 0, 0, 0, 3, 1, 1, 5, 1, 5, 5})},
      {"POLYGON16", 86, Words32({0, 0, 0, 0, 3, 0x00010001, 0x00010005, 0x00050005})},
      {"POLYLINE16", 87, Words32({0, 0, 0, 0, 3, 0x00010001, 0x00010005, 0x00050005})},
      {"POLYPOLYGON16", 91, Words32({0, 0, 0, 0, 1, 3, 3, 0x00010001, 0x00010005, 0x00050005})},
      {"CREATEMONOBRUSH", 93, Words32({1, DIB_RGB_COLORS, 32, 48, 80, 32})},
      {"CREATEDIBPATTERNBRUSHPT", 94, Words32({1, DIB_RGB_COLORS, 32, 48, 80, 32})},
      {"EOF", 14, Words32({0, 16, 20})},
  };
}

TEST(MetafilePlayer, EnhancedRecordsCutShortAtTheEndOfTheData) {
  for (const RecordKind& kind : EmfKinds())
    for (size_t keep = 0; keep < kind.params.size(); keep += 4) {
      SCOPED_TRACE(std::string(kind.name) + " with " + std::to_string(keep) + " parameter bytes");
      const Bytes params(kind.params.begin(), kind.params.begin() + long(keep));
      Canvas canvas(kSize, kSize);
      PlayEmf(Emf(EmfRecord(kind.type, params)), canvas);
      // Nothing was drawn from a record that does not hold its parameters.
      std::string white;
      for (int y = 0; y < kSize; ++y) white += std::string(kSize, '#') + "\n";
      EXPECT_EQ(canvas.Picture(kWhite), white);
    }
}

TEST(MetafilePlayer, PlayingGoesOnAfterAnEnhancedRecordCutShort) {
  for (const RecordKind& kind : EmfKinds()) {
    if (kind.type == 14) continue;  // the end record ends the picture
    SCOPED_TRACE(kind.name);
    Bytes records = EmfRecord(kind.type, {});
    const Bytes rectangle = EmfBlackRectangle();
    records.insert(records.end(), rectangle.begin(), rectangle.end());
    Canvas canvas(kSize, kSize);
    EXPECT_TRUE(PlayEmf(Emf(records), canvas));
    EXPECT_EQ(canvas.Raw(2, 2), kBlack);
    EXPECT_EQ(canvas.Raw(kSize - 2, 2), kWhite);
  }
}

TEST(MetafilePlayer, EnhancedRecordLengthsThatLieEndThePicture) {
  for (int64_t stated : {int64_t(0), int64_t(4), int64_t(10), int64_t(1000), int64_t(0xFFFFFFFC)}) {
    SCOPED_TRACE(stated);
    Bytes records = EmfRecord(43, Words32({1, 1, 5, 5}), stated);
    Canvas canvas(kSize, kSize);
    EXPECT_FALSE(PlayEmf(Emf(records), canvas));
  }
}

TEST(MetafilePlayer, PointCountsBeyondTheRecordDrawNothing) {
  for (uint32_t type : {3u, 4u, 86u, 87u}) {
    SCOPED_TRACE(type);
    // Three points stated, one present; then a count near 2^32.
    for (int64_t count : {int64_t(3), int64_t(0x40000000), int64_t(0xFFFFFFFF)}) {
      Canvas canvas(kSize, kSize);
      PlayEmf(Emf(EmfRecord(type, Words32({0, 0, 0, 0, count, 0x00010001, 0x00010001}))), canvas);
      EXPECT_EQ(canvas.Raw(1, 1), kWhite);
    }
  }
  // Poly-polygons: more polygons than the record holds, counts that do not
  // add up to the total, a total beyond the record.
  const Bytes lies[] = {Words32({0, 0, 0, 0, 0x7FFFFFFF, 3, 3, 0x00010001}),
                        Words32({0, 0, 0, 0, 1, 3, 4, 0x00010001, 0x00010005, 0x00050005}),
                        Words32({0, 0, 0, 0, 2, 6, 3, 3, 0x00010001, 0x00010005, 0x00050005}),
                        Words32({0, 0, 0, 0, 1, 0xFFFFFFFF, 0xFFFFFFFF, 0x00010001})};
  for (const Bytes& params : lies) {
    Canvas canvas(kSize, kSize);
    PlayEmf(Emf(EmfRecord(91, params)), canvas);
    EXPECT_EQ(canvas.Raw(2, 2), kWhite);
  }
}

// An 8 x 8 24-bit pattern, black in its left half, in a
// CREATEDIBPATTERNBRUSHPT record: header at 32, rows at 72.
Bytes PatternBrushParams(int64_t offInfo = 32, int64_t infoSize = 40, int64_t offBits = 72,
                         int64_t bitsSize = 8 * 24, int width = 8, int height = 8, int bpp = 24,
                         int64_t coloursUsed = 0) {
  Bytes p = Words32({1, DIB_RGB_COLORS, offInfo, infoSize, offBits, bitsSize});
  Bytes header = Words32({40, width, height, int64_t(1) | int64_t(bpp) << 16, BI_RGB, 0, 0, 0, coloursUsed, 0});
  p.insert(p.end(), header.begin(), header.end());
  for (int y = 0; y < 8; ++y)
    for (int x = 0; x < 8; ++x)
      for (int c = 0; c < 3; ++c) p.push_back(x < 4 ? 0 : 255);
  return p;
}

// Selects brush 1, no pen, and fills the whole picture.
Bytes FillWithBrushOne() {
  Bytes b = EmfRecord(37, Words32({1}));
  for (const Bytes& r : {EmfRecord(37, Words32({0x80000000 | NULL_PEN})), EmfRecord(43, Words32({0, 0, kSize + 1, kSize + 1}))})
    b.insert(b.end(), r.begin(), r.end());
  return b;
}

TEST(MetafilePlayer, DibPatternBrushComesFromTheRecord) {
  Bytes records = EmfRecord(94, PatternBrushParams());
  const Bytes fill = FillWithBrushOne();
  records.insert(records.end(), fill.begin(), fill.end());
  Canvas canvas(kSize, kSize);
  ASSERT_TRUE(PlayEmf(Emf(records), canvas));
  for (int y = 0; y < kSize; ++y)
    for (int x = 0; x < kSize; ++x) ASSERT_EQ(canvas.Raw(x, y), x % 8 < 4 ? kBlack : kWhite) << x << "," << y;
}

TEST(MetafilePlayer, DibPatternBrushesThatLieAreRefused) {
  struct Lie {
    const char* name;
    Bytes params;
  };
  const Lie lies[] = {
      {"header beyond the record", PatternBrushParams(4000)},
      {"header offset near 2^32", PatternBrushParams(0xFFFFFFF0)},
      {"header inside the fixed fields", PatternBrushParams(8)},
      {"header size beyond the record", PatternBrushParams(32, 0x10000)},
      {"header shorter than a header", PatternBrushParams(32, 20)},
      {"rows beyond the record", PatternBrushParams(32, 40, 72, 100000)},
      {"rows fewer than the picture", PatternBrushParams(32, 40, 72, 8 * 24 - 1)},
      {"taller than its rows", PatternBrushParams(32, 40, 72, 8 * 24, 8, 9)},
      {"wider than its rows", PatternBrushParams(32, 40, 72, 8 * 24, 100000, 8)},
      {"height of -2^31", PatternBrushParams(32, 40, 72, 8 * 24, 8, INT32_MIN)},
      {"colour table beyond the header block", PatternBrushParams(32, 40, 72, 8 * 24, 8, 8, 8)},
      {"more colours than the depth has", PatternBrushParams(32, 1064, 72, 8 * 24, 8, 8, 8, 1000)},
      {"depth 7", PatternBrushParams(32, 40, 72, 8 * 24, 8, 8, 7)},
  };
  for (const Lie& lie : lies) {
    SCOPED_TRACE(lie.name);
    for (bool last : {true, false}) {
      Bytes records = EmfRecord(94, lie.params);
      if (!last) {
        const Bytes fill = FillWithBrushOne();
        records.insert(records.end(), fill.begin(), fill.end());
      }
      Canvas canvas(kSize, kSize);
      PlayEmf(Emf(records), canvas);
      // No brush was made: the rectangle is filled with the white brush
      // selected when playing starts.
      EXPECT_EQ(canvas.Raw(1, 1), kWhite);
    }
  }
}

TEST(MetafilePlayer, BrushStylesThatNameAnAddressAreRefused) {
  // BS_PATTERN names a bitmap handle, BS_DIBPATTERNPT the address of a
  // packed bitmap, BS_DIBPATTERN a global handle: none is taken from a file.
  for (uint32_t style : {BS_PATTERN, BS_DIBPATTERN, BS_DIBPATTERNPT}) {
    for (int64_t hatch : {int64_t(0), int64_t(0x41414141), int64_t(0xFFFFFFF0)}) {
      SCOPED_TRACE(std::to_string(style) + " " + std::to_string(hatch));
      Bytes records = EmfRecord(39, Words32({1, style, 0, hatch}));
      const Bytes fill = FillWithBrushOne();
      records.insert(records.end(), fill.begin(), fill.end());
      Canvas canvas(kSize, kSize);
      PlayEmf(Emf(records), canvas);
      EXPECT_EQ(canvas.Raw(1, 1), kWhite);
    }
  }
}

// --- Windows metafiles ---

// A record: size in words as stated, function, parameter words.
Bytes WmfRecord(int function, const std::vector<int>& words, int64_t statedWords = -1) {
  Bytes b;
  Put32(b, statedWords >= 0 ? statedWords : int64_t(3 + words.size()));
  Put16(b, function);
  for (int w : words) Put16(b, w);
  return b;
}

Bytes Wmf(const Bytes& records, int objects = 4) {
  Bytes out;
  Put16(out, 1);
  Put16(out, 9);
  Put16(out, 0x300);
  Put32(out, int64_t(18 + records.size()) / 2);
  Put16(out, objects);
  Put32(out, 16);
  Put16(out, 0);
  out.insert(out.end(), records.begin(), records.end());
  return out;
}

BOOL PlayWmf(const Bytes& file, Canvas& canvas) {
  HENHMETAFILE m = SetWinMetaFileBits(UINT(file.size()), file.data(), canvas.dc(), nullptr);
  if (!m) return FALSE;
  RECT r{0, 0, kSize, kSize};
  const BOOL ok = PlayEnhMetaFile(canvas.dc(), m, &r);
  DeleteEnhMetaFile(m);
  return ok;
}

struct WmfKind {
  const char* name;
  int function;
  std::vector<int> words;
};

std::vector<WmfKind> WmfKinds() {
  return {
      {"SETWINDOWORG", 0x020B, {0, 0}},
      {"SETWINDOWEXT", 0x020C, {16, 16}},
      {"SETMAPMODE", 0x0103, {MM_TEXT}},
      {"SETBKMODE", 0x0102, {TRANSPARENT}},
      {"SETPOLYFILLMODE", 0x0106, {WINDING}},
      {"SETROP2", 0x0104, {R2_COPYPEN}},
      {"SETBKCOLOR", 0x0201, {0, 0}},
      {"SETTEXTCOLOR", 0x0209, {0, 0}},
      {"MOVETO", 0x0214, {1, 1}},
      {"LINETO", 0x0213, {4, 4}},
      {"RECTANGLE", 0x041B, {5, 5, 1, 1}},
      {"ELLIPSE", 0x0418, {5, 5, 1, 1}},
      {"ROUNDRECT", 0x061C, {2, 2, 9, 9, 1, 1}},
      {"POLYGON", 0x0324, {3, 1, 1, 5, 1, 5, 5}},
      {"POLYLINE", 0x0325, {3, 1, 1, 5, 1, 5, 5}},
      {"POLYPOLYGON", 0x0538, {1, 3, 1, 1, 5, 1, 5, 5}},
      {"SAVEDC", 0x001E, {}},
      {"RESTOREDC", 0x0127, {-1}},
      {"SELECTOBJECT", 0x012D, {0}},
      {"DELETEOBJECT", 0x01F0, {0}},
      {"CREATEPENINDIRECT", 0x02FA, {PS_SOLID, 1, 0, 0xFF, 0}},
      {"CREATEBRUSHINDIRECT", 0x02FC, {BS_SOLID, 0xFF, 0, 0}},
      // Style, usage, a 40-byte header of a 2 x 1 24-bit bitmap, one row.
      {"DIBCREATEPATTERNBRUSH", 0x0142, {BS_DIBPATTERNPT, DIB_RGB_COLORS, 40, 0, 2, 0, 1, 0, 1, 24, 0, 0, 0, 0, 0, 0,
                                         0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0xFF00, 0xFFFF, 0}},
      {"CREATEPALETTE", 0x00F7, {0x300, 0}},
      {"CREATEPATTERNBRUSH", 0x01F9, {0}},
      {"CREATEFONTINDIRECT", 0x02FB, {0}},
      {"CREATEREGION", 0x06FF, {0}},
  };
}

TEST(MetafilePlayer, WindowsRecordsCutShortAtTheEndOfTheData) {
  for (const WmfKind& kind : WmfKinds())
    for (size_t keep = 0; keep < kind.words.size(); ++keep) {
      SCOPED_TRACE(std::string(kind.name) + " with " + std::to_string(keep) + " parameter words");
      const std::vector<int> words(kind.words.begin(), kind.words.begin() + long(keep));
      Canvas canvas(kSize, kSize);
      PlayWmf(Wmf(WmfRecord(kind.function, words)), canvas);
      EXPECT_EQ(canvas.Raw(2, 2), kWhite);
    }
}

TEST(MetafilePlayer, PlayingGoesOnAfterAWindowsRecordCutShort) {
  for (const WmfKind& kind : WmfKinds()) {
    SCOPED_TRACE(kind.name);
    Bytes records = WmfRecord(kind.function, {});
    // A black brush in the first free slot, then a rectangle with it.
    for (const Bytes& r : {WmfRecord(0x02FC, {BS_SOLID, 0, 0, 0}), WmfRecord(0x012D, {0}), WmfRecord(0x012D, {1}),
                           WmfRecord(0x012D, {2}), WmfRecord(0x041B, {kSize, kSize / 2, 0, 0}), WmfRecord(0, {})})
      records.insert(records.end(), r.begin(), r.end());
    Canvas canvas(kSize, kSize);
    EXPECT_TRUE(PlayWmf(Wmf(records), canvas));
    EXPECT_EQ(canvas.Raw(2, 2), kBlack);
    EXPECT_EQ(canvas.Raw(kSize - 2, 2), kWhite);
  }
}

TEST(MetafilePlayer, WindowsRecordSizesThatLieEndThePicture) {
  for (int64_t stated : {int64_t(0), int64_t(2), int64_t(1000), int64_t(0x7FFFFFFF), int64_t(0xFFFFFFFF)}) {
    SCOPED_TRACE(stated);
    Canvas canvas(kSize, kSize);
    EXPECT_FALSE(PlayWmf(Wmf(WmfRecord(0x041B, {5, 5, 1, 1}, stated)), canvas));
  }
}

TEST(MetafilePlayer, WindowsPolygonCountsBeyondTheRecordDrawNothing) {
  const std::vector<int> lies[] = {{3, 1, 1}, {0x7FFF, 1, 1}, {-1, 1, 1}};
  for (int function : {0x0324, 0x0325})
    for (const auto& words : lies) {
      Canvas canvas(kSize, kSize);
      PlayWmf(Wmf(WmfRecord(function, words)), canvas);
      EXPECT_EQ(canvas.Raw(1, 1), kWhite);
    }
  const std::vector<int> polyLies[] = {{0x7FFF, 3, 1, 1}, {1, 0x7FFF, 1, 1, 5, 1}, {2, 3, -4, 1, 1, 5, 1, 5, 5}};
  for (const auto& words : polyLies) {
    Canvas canvas(kSize, kSize);
    PlayWmf(Wmf(WmfRecord(0x0538, words)), canvas);
    EXPECT_EQ(canvas.Raw(2, 2), kWhite);
  }
}

// An 8 x 8 24-bit pattern, black in its left half, as a packed bitmap in
// DIBCREATEPATTERNBRUSH; sizes in its header may be changed to lie.
std::vector<int> PackedPatternWords(int width = 8, int height = 8, int bpp = 24, int coloursUsed = 0, int rows = 8) {
  std::vector<int> w = {BS_DIBPATTERNPT, DIB_RGB_COLORS};
  Bytes header = Words32({40, width, height, int64_t(1) | int64_t(bpp) << 16, BI_RGB, 0, 0, 0, coloursUsed, 0});
  for (int r = 0; r < rows; ++r)
    for (int x = 0; x < 8; ++x)
      for (int c = 0; c < 3; ++c) header.push_back(x < 4 ? 0 : 255);
  for (size_t i = 0; i + 1 < header.size(); i += 2) w.push_back(header[i] | header[i + 1] << 8);
  return w;
}

Bytes WmfFillWithFirstObject(const std::vector<int>& brushWords) {
  Bytes records;
  for (const Bytes& r : {WmfRecord(0x0142, brushWords), WmfRecord(0x012D, {0}), WmfRecord(0x0104, {R2_COPYPEN}),
                         WmfRecord(0x02FA, {PS_NULL, 0, 0, 0, 0}), WmfRecord(0x012D, {1}),
                         WmfRecord(0x041B, {kSize + 1, kSize + 1, 0, 0}), WmfRecord(0, {})})
    records.insert(records.end(), r.begin(), r.end());
  return records;
}

TEST(MetafilePlayer, WindowsDibPatternBrushComesFromTheRecord) {
  Canvas canvas(kSize, kSize);
  ASSERT_TRUE(PlayWmf(Wmf(WmfFillWithFirstObject(PackedPatternWords())), canvas));
  for (int y = 0; y < kSize; ++y)
    for (int x = 0; x < kSize; ++x) ASSERT_EQ(canvas.Raw(x, y), x % 8 < 4 ? kBlack : kWhite) << x << "," << y;
}

TEST(MetafilePlayer, WindowsDibPatternBrushesThatLieAreRefused) {
  const std::vector<int> lies[] = {
      PackedPatternWords(8, 9),             // taller than its rows
      PackedPatternWords(100000, 8),        // wider than its rows
      PackedPatternWords(8, 8, 24, 0, 7),   // rows cut
      PackedPatternWords(8, 8, 8, 0, 8),    // a colour table of 256 entries that is not there
      PackedPatternWords(8, 8, 8, 300, 8),  // more colours than the depth has
      PackedPatternWords(8, 8, 5, 0, 8),    // depth 5
      {BS_DIBPATTERNPT, DIB_RGB_COLORS, 0x7FFF, 0x7FFF},  // a header size beyond the record
  };
  for (const auto& words : lies) {
    Canvas canvas(kSize, kSize);
    PlayWmf(Wmf(WmfFillWithFirstObject(words)), canvas);
    EXPECT_EQ(canvas.Raw(1, 1), kWhite);
  }
}

TEST(MetafilePlayer, WindowsBrushStylesThatNameAnAddressAreRefused) {
  // The 32-byte file that once made the player read the address 0x4141.
  for (int style : {int(BS_PATTERN), int(BS_DIBPATTERN), int(BS_DIBPATTERNPT)}) {
    SCOPED_TRACE(style);
    Canvas canvas(kSize, kSize);
    const Bytes file = Wmf(WmfRecord(0x02FC, {style, 0, 0, 0x4141}), 1);
    ASSERT_EQ(file.size(), 32u);
    PlayWmf(file, canvas);
    Bytes records = WmfRecord(0x02FC, {style, 0, 0, 0x4141});
    for (const Bytes& r : {WmfRecord(0x012D, {0}), WmfRecord(0x041B, {kSize, kSize, 0, 0}), WmfRecord(0, {})})
      records.insert(records.end(), r.begin(), r.end());
    PlayWmf(Wmf(records), canvas);
    EXPECT_EQ(canvas.Raw(2, 2), kWhite);
  }
}

}  // namespace

namespace {

TEST(MetafilePlayer, RestoringGoesBackOnlyThroughThePicturesOwnStates) {
  Canvas canvas(kSize, kSize);
  // The caller's own saved state, with a black text colour.
  SetTextColor(canvas.dc(), RGB(1, 2, 3));
  const int callerLevel = SaveDC(canvas.dc());
  ASSERT_GT(callerLevel, 0);
  // One save of its own, then a restore of five and one of two.
  Bytes records = EmfRecord(33, {});
  for (const Bytes& r : {EmfRecord(34, Words32({-5})), EmfRecord(34, Words32({-2})), EmfRecord(34, Words32({-1})),
                         EmfRecord(34, Words32({-1}))})
    records.insert(records.end(), r.begin(), r.end());
  EXPECT_TRUE(PlayEmf(Emf(records), canvas));
  const std::vector<int> words = {-3};
  Bytes wmfRecords = WmfRecord(0x001E, {});
  for (const Bytes& r : {WmfRecord(0x0127, words), WmfRecord(0x0127, {-1}), WmfRecord(0x0127, {-1}), WmfRecord(0, {})})
    wmfRecords.insert(wmfRecords.end(), r.begin(), r.end());
  EXPECT_TRUE(PlayWmf(Wmf(wmfRecords), canvas));
  // The caller's state is still there to go back to.
  SetTextColor(canvas.dc(), RGB(9, 9, 9));
  EXPECT_TRUE(RestoreDC(canvas.dc(), callerLevel));
  EXPECT_EQ(GetTextColor(canvas.dc()), RGB(1, 2, 3));
}

}  // namespace
