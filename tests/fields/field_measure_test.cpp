// Measuring: the EAN/UPC digit groups, paragraph layout, text sizes, image
// sizes, and the lifecycle operations that measure (clone, re-measure,
// conversion to an image).
#include <gtest/gtest.h>

#include <filesystem>

#include "fields/draw/text_draw.h"
#include "fields/lifecycle/field_lifecycle.h"
#include "fields/measure/text_measure.h"
#include "fields/model/field_data.h"
#include "tests/fields/draw_fixture.h"

namespace {

using fields_test::SetupAt;

std::vector<std::string> TextsOf(const TextFieldArray& fields) {
  std::vector<std::string> texts;
  for (const auto& t : fields) texts.emplace_back(t->data.GetData(), static_cast<size_t>(t->data.GetLength()));
  return texts;
}

TEST(HumanReadableFields, EanAndUpcDigitGroups) {
  struct { int symbology; const char* data; std::vector<std::string> groups; } cases[] = {
      {6, "590123412345", {"5", "901234", "123457"}},
      {5, "9638507", {"9638", "5074"}},
      {21, "03600029145", {"0", "36000", "29145", "2"}},
      {22, "123456", {"0", "123456", "5"}},  // UPC-E: a "0" in front, the check digit last
  };
  const CLabelSetup setup = SetupAt(300);
  for (auto& c : cases) {
    CBarcodeField f(300);
    f.symbology = static_cast<int16_t>(c.symbology);
    f.data = c.data;
    f.narrowBar = 3;
    const SIZE size = MeasureField(f, {}, setup, 0);
    f.width = size.cx;
    f.height = size.cy;
    TextFieldArray texts;
    EXPECT_EQ(BuildHumanReadableFields(f, texts, false, setup), static_cast<int>(c.groups.size())) << c.data;
    EXPECT_EQ(TextsOf(texts), c.groups) << c.data;
    for (const auto& t : texts) {
      EXPECT_GE(t->offset.x, f.offset.x) << c.data;
      EXPECT_EQ(t->customHR, 1);
    }
    // The digit groups lie over the bars; a trailing digit stands right of them.
    const auto& left = texts[c.symbology == 5 ? 0 : 1];
    EXPECT_LE(left->offset.x + left->width, f.offset.x + f.width) << c.data;
  }
}

TEST(HumanReadableFields, TurnedWithTheBarcodeAndNoneFor2D) {
  const CLabelSetup setup = SetupAt(300);
  CBarcodeField f(300);
  f.symbology = 1;
  f.data = "ABC";
  f.offset = {1000, 1000};
  const SIZE size = MeasureField(f, {}, setup, 0);
  f.width = size.cx;
  f.height = size.cy;
  f.SetRotation(90000);
  TextFieldArray texts;
  ASSERT_EQ(BuildHumanReadableFields(f, texts, false, setup), 1);
  EXPECT_EQ(texts[0]->rotation, 90000);
  // Below the bars turns into right of them: x grows, y stays above the position.
  EXPECT_GT(texts[0]->offset.x, f.offset.x + f.barHeight);
  EXPECT_LE(texts[0]->offset.y, f.offset.y);
  CBarcodeField qr(300);
  qr.symbology = 33;
  qr.data = "x";
  EXPECT_EQ(BuildHumanReadableFields(qr, texts, false, setup), 0);  // only symbologies 0..26 have lines
  CBarcodeField postnet(300);
  postnet.symbology = 24;
  EXPECT_EQ(BuildHumanReadableFields(postnet, texts, false, setup), 0);
}

TEST(TextMeasure, SizesFollowTheFontAndTheResolution) {
  CTextField t;
  t.data = "Label";
  t.logFont.lfHeight = 12;
  SIZE at[3];
  for (int i = 0; i < 3; ++i) at[i] = MeasureField(t, {}, SetupAt(fields_test::kDrawResolutions[i]), 0);
  for (int i = 0; i < 3; ++i) {
    EXPECT_GT(at[i].cx, 200) << i;
    EXPECT_GT(at[i].cy, 120) << i;
  }
  // The same text in mils at every resolution, within the rounding of a pixel or two.
  EXPECT_NEAR(at[0].cx, at[2].cx, 25);
  EXPECT_NEAR(at[1].cy, at[2].cy, 15);
  t.prefix = "No. ";
  EXPECT_GT(MeasureField(t, {}, SetupAt(300), 0).cx, at[1].cx);
  EXPECT_TRUE(t.data == "Label");  // measuring leaves the data as it was
  const SIZE px = MeasureField(t, {}, SetupAt(300), kMeasureDevice);
  EXPECT_NEAR(px.cx, MeasureField(t, {}, SetupAt(300), 0).cx * 300 / 1000, 2);
}

std::unique_ptr<CParagraphField> Paragraph(const char* text, int width) {
  auto p = std::make_unique<CParagraphField>();
  p->data = text;
  p->logFont.lfHeight = 10;
  p->wrapWidth = width;
  p->width = width;
  p->height = 3000;
  return p;
}

TEST(ParagraphLayout, WrapsBreaksAndCuts) {
  const CLabelSetup setup = SetupAt(300);
  auto lines = [&](CParagraphField& p) {
    ParagraphLayout l = LayoutFieldText(p, setup, nullptr, 0, 0, 0, 0, kMeasureLayoutOnly | kMeasureLinesOut);
    return TextsOf(l.lines);
  };
  auto words = Paragraph("one two three four", 700);
  const auto wrapped = lines(*words);
  ASSERT_GE(wrapped.size(), 2u);
  EXPECT_EQ(wrapped[0].rfind("one", 0), 0u);
  for (const auto& l : wrapped) EXPECT_EQ(l.find("thr") != std::string::npos, l.find("three") != std::string::npos);

  auto longWord = Paragraph("abcdefghijklmnopqrstuvwxyz", 500);
  const auto broken = lines(*longWord);
  ASSERT_GE(broken.size(), 2u);
  std::string joined;
  for (const auto& l : broken) joined += l;
  EXPECT_EQ(joined, "abcdefghijklmnopqrstuvwxyz");

  auto cut = Paragraph("abcdefghijklmnopqrstuvwxyz\nnext", 500);
  cut->wordWrap = 0;
  const auto kept = lines(*cut);
  ASSERT_EQ(kept.size(), 2u);
  EXPECT_EQ(kept[1], "next");

  auto breaks = Paragraph("a\r\nb\nc", 3000);
  EXPECT_EQ(lines(*breaks), (std::vector<std::string>{"a", "b", "c"}));
}

// Laying out, drawing and measuring again feed one another through the laid-out
// line count: every pass must keep every line, with and without extra spacing.
TEST(ParagraphLayout, RepeatedLayoutsKeepEveryLine) {
  const CLabelSetup setup = SetupAt(300);
  tavtest::TestCanvas canvas(1200, 1200);
  for (const double spacing : {0.0, 0.2, 1.0}) {
    SCOPED_TRACE(spacing);
    auto p = Paragraph("one two three four five six seven eight nine ten", 700);
    p->lineSpacing = spacing;
    const size_t first =
        LayoutFieldText(*p, setup, nullptr, 0, 0, 0, 0, kMeasureLayoutOnly | kMeasureLinesOut).lines.size();
    ASSERT_GE(first, 3u);
    LayoutFieldText(*p, setup, canvas.dc(), 0, 0, 300, 300, 0);  // drawing stores the line count
    EXPECT_EQ(p->lineCount, static_cast<int16_t>(first));
    for (int pass = 0; pass < 4; ++pass) {
      const ParagraphLayout again =
          LayoutFieldText(*p, setup, nullptr, 0, 0, 0, 0, kMeasureLayoutOnly | kMeasureLinesOut);
      EXPECT_EQ(again.lines.size(), first) << "pass " << pass;
      EXPECT_EQ(p->lineCount, static_cast<int16_t>(first)) << "pass " << pass;
    }
  }
}

// An indentation read from a file may be anything: the first line (or the
// later ones, for a negative one) starts as far right as the int range
// allows, and the text still lays out, one word a line.
TEST(ParagraphLayout, AnyIndentationLaysOut) {
  const CLabelSetup setup = SetupAt(300);
  for (const int32_t indent : {2000000000, -2147483647 - 1, 268435456, -5}) {
    SCOPED_TRACE(indent);
    auto p = Paragraph("one two\nthree", 700);
    p->indent = indent;
    const ParagraphLayout l = LayoutFieldText(*p, setup, nullptr, 0, 0, 0, 0, kMeasureLayoutOnly | kMeasureLinesOut);
    std::string joined;
    for (const auto& line : TextsOf(l.lines)) joined += line;
    EXPECT_NE(joined.find("three"), std::string::npos);
  }
}

TEST(ParagraphLayout, DatabaseFieldsShowPlaceholderLines) {
  const CLabelSetup setup = SetupAt(300);
  tavtest::TestCanvas canvas(400, 400);
  auto p = Paragraph("ignored", 1000);
  p->height = 1000;
  p->dataSourceType = 8;
  ParagraphLayout l = LayoutFieldText(*p, setup, canvas.dc(), 0, 0, 300, 300, kMeasureLinesOut);
  const auto texts = TextsOf(l.lines);
  ASSERT_GE(texts.size(), 3u);
  EXPECT_EQ(texts[texts.size() / 2].rfind("XX<Database>", 0), 0u);
  EXPECT_EQ(texts[0].find_first_not_of('X'), std::string::npos);
  EXPECT_GT(canvas.Inked(), 0);
}

TEST(ImageFields, NaturalSizes) {
  const fields_test::PictureFile picture;
  CImageField image;
  image.fileName = picture.path().c_str();
  image.useFolder = 0;
  image.dataSourceType = 1;
  EXPECT_EQ(GetImageFileSize(picture.path().c_str()).cx, 64);
  const SIZE size = GetImageFieldSize(image, SetupAt(300));
  EXPECT_EQ(size.cx, 213);  // 64 pixels at 300 dpi
  EXPECT_EQ(size.cy, 133);
  image.dataSourceType = 8;
  const SIZE db = GetImageFieldSize(image, SetupAt(300));
  EXPECT_EQ(db.cx, 750);
  EXPECT_EQ(db.cy, 520);
  EXPECT_EQ(GetImageFileSize("/nonexistent/picture.png").cx, 0);
}

TEST(FieldPictures, FiltersForcingAndOneBitPictures) {
  const fields_test::PictureFile picture;
  CImageField image;
  image.fileName = picture.path().c_str();
  image.useFolder = 0;
  PLBmp* plain = image.picture.GetBitmap(0, 0, 0, 0, nullptr);
  ASSERT_NE(plain, nullptr);
  const uint32_t before = plain->GetPixel32(20, 20);
  EXPECT_EQ(image.picture.plainPicture, 1);
  // Fetched for printing (contrast 1.5), then for the screen: decoded anew.
  PLBmp* print = image.picture.GetBitmap(1, 0, 0, 0, nullptr);
  EXPECT_EQ(image.picture.plainPicture, 0);
  EXPECT_NE(print->GetPixel32(20, 20), before);
  PLBmp* screen = image.picture.GetBitmap(0, 0, 0, 0, nullptr);
  EXPECT_EQ(screen->GetPixel32(20, 20), before);
  image.picture.invert = 1;
  const uint32_t inverted = image.picture.GetBitmap(0, 0, 0, 1, nullptr)->GetPixel32(20, 20);
  EXPECT_NE(inverted, before);  // forced: decoded again with the new setting
  EXPECT_EQ(image.picture.GetBitmap(0, 0, 0, 1, nullptr)->GetPixel32(20, 20), inverted);
  CImageField missing;
  missing.fileName = "/nonexistent.png";
  missing.useFolder = 0;
  EXPECT_EQ(missing.picture.GetBitmap(0, 0, 0, 0, nullptr), nullptr);
}

TEST(FieldLifecycle, ClonesKeepIdOnlyWhereTheyShould) {
  struct { int kind; bool keeps; } cases[] = {{2, true}, {3, true}, {4, true}, {6, true}, {7, true},
                                              {0, false}, {1, false}, {9, false}};
  for (auto c : cases) {
    auto src = NewFieldOfKind(c.kind);
    src->name = "x";
    auto copy = CloneField(src.get(), 0, 1);
    ASSERT_NE(copy, nullptr) << c.kind;
    EXPECT_EQ(copy->kind, c.kind);
    EXPECT_TRUE(copy->name == "x");
    EXPECT_EQ(copy->serialId == src->serialId, c.keeps) << c.kind;
    auto fresh = CloneField(src.get(), 0, 0);
    EXPECT_NE(fresh->serialId, src->serialId);
  }
  COleField ole;
  EXPECT_EQ(CloneField(&ole, 0, 0), nullptr);
  EXPECT_EQ(CloneField(nullptr, 0, 0), nullptr);
}

TEST(FieldLifecycle, RemeasuringKeepsTheCentre) {
  const CLabelSetup setup = SetupAt(300);
  const fields_test::PictureFile picture;
  CFieldList list;
  auto text = std::make_unique<CTextField>();
  text->data = "Centre";
  text->offset = {1000, 1000};
  text->width = 2000;
  text->height = 800;
  text->SetRotation(30000);
  auto image = std::make_unique<CImageField>();
  image->fileName = picture.path().c_str();
  image->useFolder = 0;
  image->width = 999;
  image->height = 555;
  list.push_back(std::move(text));
  list.push_back(std::move(image));
  const RECT before = GetFieldBoundingRect(*list[0], 0, 0, 0, 0);
  ASSERT_EQ(RemeasureFieldList(list, setup, nullptr, 0), 1);
  const RECT after = GetFieldBoundingRect(*list[0], 0, 0, 0, 0);
  EXPECT_NE(list[0]->width, 2000);
  EXPECT_NEAR((before.left + before.right) / 2, (after.left + after.right) / 2, 1);
  EXPECT_NEAR((before.top + before.bottom) / 2, (after.top + after.bottom) / 2, 1);
  EXPECT_EQ(list[1]->width, 999);  // picture mode 0 keeps its size
  EXPECT_EQ(list[1]->height, 555);
}

// A layout file may hold any offsets and sizes: remeasuring fields at the
// ends of the coordinate range moves them without overflowing.
TEST(FieldLifecycle, RemeasuringFieldsAtTheEndsOfTheRange) {
  const CLabelSetup setup = SetupAt(300);
  struct Case {
    LONG x, y, width, height;
    int rotation;
  };
  const Case cases[] = {
      {INT32_MIN + 1, INT32_MIN + 1, 2000, 800, 0},          {INT32_MAX - 1, INT32_MAX - 1, 2000, 800, 0},
      {-(1 << 28), -(1 << 28), INT32_MAX, INT32_MAX, 45000}, {INT32_MIN, INT32_MAX, INT32_MAX, INT32_MAX, 135000},
      {1 << 28, 1 << 28, INT32_MAX, INT32_MAX, 225000},      {INT32_MIN, INT32_MIN, INT32_MAX, INT32_MAX, 315000},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(testing::Message() << c.x << "," << c.y << " " << c.width << "x" << c.height << " @" << c.rotation);
    CFieldList list;
    auto text = std::make_unique<CTextField>();
    text->data = "Far";
    text->offset = {c.x, c.y};
    text->width = c.width;
    text->height = c.height;
    text->SetRotation(c.rotation);
    list.push_back(std::move(text));
    ASSERT_EQ(RemeasureFieldList(list, setup, nullptr, 0), 1);
    EXPECT_GT(list[0]->width, 0);
    EXPECT_LT(list[0]->width, 1 << 20) << "measured from its text";
  }
}

TEST(FieldLifecycle, ConvertedParagraphOwnsItsPictureFile) {
  const CLabelSetup setup = SetupAt(300);
  const fields_test::PictureFile folder;
  auto p = Paragraph("Converted text", 1500);
  p->height = 600;
  p->name = "P";
  p->SetRotation(90000);
  const AString path = (folder.folder() / "converted.bmp").string().c_str();
  {
    auto image = ConvertParagraphFieldToImage(setup, *p, path);
    ASSERT_NE(image, nullptr);
    EXPECT_EQ(image->kind, 4);
    EXPECT_EQ(image->rotation, 90000);
    EXPECT_EQ(image->deleteFileOnDestroy, 1);
    EXPECT_TRUE(std::filesystem::exists(path.GetData()));
    const SIZE size = GetImageFileSize(path.GetData());
    EXPECT_EQ(size.cx, 180);  // 600 mils at 300 dpi, turned upright
    EXPECT_EQ(size.cy, 450);
  }
  EXPECT_FALSE(std::filesystem::exists(path.GetData()));
  // Saved with a layout, the picture stays with the layout.
  {
    CFieldList list;
    list.push_back(ConvertParagraphFieldToImage(setup, *p, path));
    ASSERT_NE(list[0], nullptr);
    EXPECT_EQ(KeepConvertedPictureFiles(list), 1);
  }
  EXPECT_TRUE(std::filesystem::exists(path.GetData()));
  std::filesystem::remove(path.GetData());
  // A picture that cannot be written gives no field.
  EXPECT_EQ(ConvertParagraphFieldToImage(setup, *p, AString("/nonexistent/folder/x.bmp")), nullptr);
  CRtfField rtf;
  EXPECT_EQ(ConvertRtfFieldToImage(setup, rtf, path), nullptr);
}

}  // namespace

namespace {

TEST(TextDrawing, ControlCharactersShowAsBoxes) {
  const CLabelSetup setup = SetupAt(300);
  auto inkOf = [&](const char* text) {
    tavtest::TestCanvas canvas(300, 100);
    CTextField t;
    t.data = text;
    t.logFont.lfHeight = 12;
    t.offset = {50, 50};
    DrawTextField(canvas.dc(), t, setup, 1, 0, 0, 300, 300, 0, 0);
    return canvas.Inked();
  };
  const int plain = inkOf("AB");
  const int withControl = inkOf("A\x01" "B");
  EXPECT_GT(withControl, plain + 20);  // the box's outline
}

}  // namespace
