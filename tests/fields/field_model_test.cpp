// The field object model: defaults, copying, rotation, data stashing, resize
// modes and appearance keys.
#include <gtest/gtest.h>

#include <cstdio>
#include <cstring>
#include <filesystem>
#include <fstream>

#include "fields/model/field_kinds.h"

namespace {

struct KindDefaults {
  const char* what;
  int kind;
  uint16_t recordSize;
  int width, height;
  int16_t maxChars;
  COLORREF foreColor;
};

const KindDefaults kKindDefaults[] = {
    {"line", 0, 760, 1000, 220, 32, 0},     {"box", 1, 744, 0, 0, 32, 0},
    {"text", 2, 1372, 0, 0, 12, 0},         {"barcode", 3, 1666, 0, 0, 12, 0},
    {"image", 4, 1372, 0, 0, 32, 0},        {"ole", 5, 736, 0, 0, 32, 0},
    {"paragraph", 6, 1412, 0, 0, 32, 0},    {"rtf", 7, 1300, 2000, 0, 0x7FFF, 0},
    {"ellipse", 9, 768, 0, 0, 32, 0xFFFFFF},
};

TEST(FieldModel, EveryKindHasItsSizeWordAndDefaults) {
  for (const auto& c : kKindDefaults) {
    SCOPED_TRACE(c.what);
    auto f = NewFieldOfKind(c.kind);
    ASSERT_NE(f, nullptr);
    EXPECT_EQ(f->kind, c.kind);
    EXPECT_EQ(f->recordSize, c.recordSize);
    EXPECT_EQ(f->width, c.width);
    EXPECT_EQ(f->height, c.height);
    EXPECT_EQ(f->maxChars, c.maxChars);
    EXPECT_EQ(f->foreColor, c.foreColor);
    EXPECT_EQ(f->backColor, 0xFFFFFFu);
    EXPECT_EQ(f->useFolder, 1);
    EXPECT_EQ(f->anchor, -1);
    EXPECT_EQ(f->dbColumnType, 32);
    EXPECT_EQ(f->baseSpare4, -1);
    EXPECT_EQ(f->baseSpare7, 1);
    EXPECT_EQ(f->stringsDelimiter, 10);
  }
  EXPECT_EQ(NewFieldOfKind(8), nullptr);
  EXPECT_EQ(NewFieldOfKind(10), nullptr);
}

TEST(FieldModel, BarcodeDefaultsAndModuleSizeFromResolution) {
  CBarcodeField b;
  EXPECT_EQ(b.barHeight, 500);
  EXPECT_EQ(b.qrLevel, 13);
  EXPECT_EQ(b.moduleSize2D, 2);
  EXPECT_EQ(b.rowHeight2D, 6);
  EXPECT_EQ(b.codabarStop, 1);
  EXPECT_EQ(b.itfQuietFactor, 10);
  EXPECT_EQ(b.pdfSecurity, -1);
  EXPECT_STREQ(b.hrLogFont.lfFaceName, "Arial");
  EXPECT_EQ(b.hrLogFont.lfHeight, 5);
  EXPECT_EQ(b.hrLogFont.lfQuality, 2);
  struct { int dpi; int16_t module; } cases[] = {{203, 2}, {300, 4}, {600, 7}};
  for (auto c : cases) {
    CBarcodeField at(c.dpi);
    EXPECT_EQ(at.moduleSize2D, c.module) << c.dpi;
    EXPECT_EQ(at.rowHeight2D, 3 * c.module) << c.dpi;
  }
  b.SetDefaults();
  EXPECT_EQ(b.symbology, 1);
  EXPECT_EQ(b.subType, 1);
  EXPECT_EQ(b.useHibc, 1);
  EXPECT_EQ(b.textShowsCheck, 1);
}

TEST(FieldModel, EachConstructionTakesTheNextSerial) {
  const uint32_t next = PeekNextFieldSerial();
  CBoxField a;
  CTextField b;
  EXPECT_EQ(a.serialId, next);
  EXPECT_EQ(b.serialId, next + 1);
}

TEST(FieldModel, RotationIsNormalisedEvenWhenNegative) {
  struct { int32_t in, stored; } cases[] = {
      {0, 0}, {90000, 90000}, {360000, 0}, {725000, 5000}, {-1000, 359000}, {-360000, 0}, {-725000, 355000},
  };
  for (auto c : cases) {
    CTextField t;
    t.rotation = 17;
    EXPECT_EQ(t.SetRotation(c.in), 17);
    EXPECT_EQ(t.rotation, c.stored) << c.in;
    EXPECT_EQ(t.logFont.lfEscapement, c.stored / 100) << c.in;
    EXPECT_EQ(t.logFont.lfOrientation, c.stored / 100) << c.in;
  }
  CBoxField box;
  box.SetRotation(-90000);
  EXPECT_EQ(box.rotation, 270000);
}

TEST(FieldModel, CopyFromTakesSettingsButNotIdentity) {
  CTextField src;
  src.width = 1234;
  src.offset = {10, 20};
  src.foreColor = 0x123456;
  src.name = "Name";
  src.data = "Hello";
  src.prefix = "P";
  src.logFont.lfHeight = 14;
  src.valueList[0] = "kept out";
  src.StashData();
  CTextField dst;
  const uint32_t serial = dst.serialId;
  ASSERT_EQ(dst.CopyFrom(&src, 0), 1);
  EXPECT_EQ(dst.width, 1234);
  EXPECT_EQ(dst.offset, (FieldPoint{10, 20}));
  EXPECT_EQ(dst.foreColor, 0x123456u);
  EXPECT_TRUE(dst.name == "Name");
  EXPECT_TRUE(dst.data == "Hello");
  EXPECT_TRUE(dst.prefix == "P");
  EXPECT_EQ(dst.logFont.lfHeight, 14);
  EXPECT_EQ(dst.serialId, serial);
  EXPECT_TRUE(dst.valueList[0].IsEmpty());
  EXPECT_EQ(dst.GetSavedData(), nullptr);
  EXPECT_EQ(dst.recordSize, 1372);

  CTextField noStrings;
  ASSERT_EQ(noStrings.CopyFrom(&src, 1), 1);
  EXPECT_EQ(noStrings.width, 1234);
  EXPECT_TRUE(noStrings.name.IsEmpty());
  EXPECT_TRUE(noStrings.data.IsEmpty());
  EXPECT_EQ(noStrings.CopyFrom(nullptr, 0), 0);
}

TEST(FieldModel, CopyFromAnotherKindTakesOnlyTheBase) {
  CBarcodeField src;
  src.width = 777;
  src.data = "123";
  CTextField dst;
  ASSERT_EQ(dst.CopyFrom(&src, 0), 1);
  EXPECT_EQ(dst.width, 777);
  EXPECT_EQ(dst.kind, 2);
  EXPECT_TRUE(dst.data.IsEmpty());
}

TEST(FieldModel, AConvertedPictureFileIsDeletedOnlyByItsOwnField) {
  const auto path = std::filesystem::temp_directory_path() / "fields_model_delete_on_destroy.bmp";
  std::ofstream(path) << "x";
  {
    CImageField owner;
    owner.fileName = path.string().c_str();
    owner.deleteFileOnDestroy = 1;
    {
      CImageField copy;
      copy.CopyFrom(&owner, 0);
      EXPECT_EQ(copy.deleteFileOnDestroy, 0);
      EXPECT_TRUE(copy.fileName == owner.fileName);
    }
    EXPECT_TRUE(std::filesystem::exists(path));
  }
  EXPECT_FALSE(std::filesystem::exists(path));
}

TEST(FieldModel, StashAndRestoreKeepEachKindsData) {
  CBarcodeField b;
  b.data = "ABC";
  b.aiCode[1] = "01";
  b.upsField[2] = "840";
  b.maxiMode = 2;
  b.dataSourceType = 4;
  EXPECT_EQ(b.RestoreData(), 0);
  ASSERT_EQ(b.StashData(), 1);
  b.SetDataSourceType(0, 0);  // takes the live maxiMode into the stash
  b.data = "print value";
  b.aiCode[1] = "";
  b.upsField[2] = "";
  b.maxiMode = 3;
  ASSERT_EQ(b.RestoreData(), 1);
  EXPECT_TRUE(b.data == "ABC");
  EXPECT_TRUE(b.aiCode[1] == "01");
  EXPECT_TRUE(b.upsField[2] == "840");
  EXPECT_EQ(b.maxiMode, 2);
  EXPECT_EQ(b.dataSourceType, 4);
  EXPECT_EQ(b.GetSavedData(), nullptr);

  CImageField i;
  i.fileName = "a.png";
  i.pictureFormat = 3;
  i.StashData();
  i.fileName = "b.png";
  i.pictureFormat = 1;
  i.RestoreData();
  EXPECT_TRUE(i.fileName == "a.png");
  EXPECT_EQ(i.pictureFormat, 3);
}

TEST(FieldModel, SetDataSourceTypeSpreadsToPartsButLeavesTheHibcFormats) {
  CBarcodeField b;
  b.upsSource[3] = 5;
  b.upsSource[4] = 6;
  b.useHibc = 1;
  EXPECT_EQ(b.SetDataSourceType(2, 1), 0);
  EXPECT_EQ(b.previousDataSourceType, 0);
  EXPECT_EQ(b.UsesDataSource(2), 1);
  EXPECT_EQ(b.UsesDataSource(0), 1);
  EXPECT_EQ(b.UsesDataSource(3), 0);
  for (size_t i = 0; i < 6; ++i) EXPECT_EQ(b.aiSource[i], 2);
  for (size_t i = 0; i < 13; ++i) {
    if (i == 3 || i == 4) continue;
    EXPECT_EQ(b.upsSource[i], 2) << i;
  }
  EXPECT_EQ(b.upsSource[3], 5);
  EXPECT_EQ(b.upsSource[4], 6);
  b.BackupUpsSources(2);  // prompted parts become fixed
  EXPECT_EQ(b.upsSource[0], 0);
  EXPECT_EQ(b.upsSource[3], 5);
  b.BackupUpsSources(1);  // the backup taken by SetDataSourceType
  EXPECT_EQ(b.upsSource[0], 0);
  b.useHibc = 0;
  b.upsSource[3] = 2;
  b.BackupUpsSources(2);
  EXPECT_EQ(b.upsSource[3], 0);
}

TEST(FieldModel, ResizeModes) {
  int second = 42;
  CBoxField box;
  EXPECT_EQ(box.GetResizeMode(&second), kResizeAny);
  EXPECT_EQ(second, -1);
  struct { int16_t symbology; int mode; } barcodes[] = {{24, kResizeFixed}, {28, kResizeFixed}, {1, kResizeAny}};
  for (auto c : barcodes) {
    CBarcodeField b;
    b.symbology = c.symbology;
    second = 42;
    EXPECT_EQ(b.GetResizeMode(&second), c.mode);
    EXPECT_EQ(second, c.mode == kResizeFixed ? 42 : -1);
  }
  struct { uint8_t pictureMode; int mode; } images[] = {
      {kPictureOriginalSize, kResizeFixed}, {kPictureAnyAspect, kResizeAny}, {kPictureKeepAspect, kResizeCorners}};
  for (auto c : images) {
    CImageField i;
    i.pictureMode = c.pictureMode;
    second = 42;
    EXPECT_EQ(i.GetResizeMode(&second), c.mode);
    EXPECT_EQ(second, 1);
  }
  CEllipseField e;
  EXPECT_EQ(e.GetResizeMode(nullptr), kResizeAny);
  e.shapeFlags = kShapeCircle;
  EXPECT_EQ(e.GetResizeMode(nullptr), kResizeCorners);
}

TEST(FieldModel, GeometryCopiesAndSaves) {
  CBoxField a, b;
  a.width = 100;
  a.height = 200;
  a.rotation = 90000;
  a.offset = {5, 6};
  a.horizontalLineWidth = 30;
  a.verticalLineWidth = 40;
  b.CopyGeometryFrom(&a);
  EXPECT_EQ(b.width, 100);
  EXPECT_EQ(b.rotation, 90000);
  EXPECT_EQ(b.offset, (FieldPoint{5, 6}));
  EXPECT_EQ(b.horizontalLineWidth, 30);
  EXPECT_EQ(b.verticalLineWidth, 40);
  b.SaveGeometry();
  EXPECT_EQ(b.savedWidth, 100);
  EXPECT_EQ(b.savedRotation, 90000);
  EXPECT_EQ(b.savedOffset, (FieldPoint{5, 6}));
}

AString Key(const CField& f) {
  AString k;
  f.GetAppearanceKey(k);
  return k;
}

TEST(FieldModel, AppearanceKeysAreEqualExactlyWhenThePrintIs) {
  CTextField a, b;
  a.data = "Hello";
  b.CopyFrom(&a, 0);
  EXPECT_TRUE(Key(a) == Key(b));
  b.backColor = 0xFF;
  EXPECT_FALSE(Key(a) == Key(b));

  // Strings and numbers cannot run into one another.
  CTextField c, d;
  c.data = "x@";
  d.data = "x";
  d.fontVariation = "@";
  EXPECT_FALSE(Key(c) == Key(d));
  CBoxField e, f;
  e.horizontalLineWidth = 0x1;
  e.verticalLineWidth = 0x23;
  f.horizontalLineWidth = 0x12;
  f.verticalLineWidth = 0x3;
  EXPECT_FALSE(Key(e) == Key(f));

  CBarcodeField g, h;
  g.symbology = h.symbology = 27;
  h.moduleSize2D = 9;
  EXPECT_FALSE(Key(g) == Key(h));
  h.moduleSize2D = g.moduleSize2D;
  h.qrLevel = 1;
  EXPECT_FALSE(Key(g) == Key(h));

  CImageField i, j;
  i.fileName = "one.png";
  j.fileName = "one.png";
  EXPECT_TRUE(Key(i) == Key(j));
  j.picture.contrast = 20;
  EXPECT_FALSE(Key(i) == Key(j));
}

}  // namespace
