// Fitting fields to their boxes and to their printed values: rich-text font
// steps against the host's own heights, rich text measured with its sample
// text, anchors kept when a printed value is wider or narrower, printer font
// keys of a field list, and the font combo of the property pages.
#include <gtest/gtest.h>

#include <fstream>
#include <set>
#include <string>

#include "fields/design/design_values.h"
#include "fields/design/font_combo_fill.h"
#include "fields/draw/font_keys.h"
#include "fields/lifecycle/field_lifecycle.h"
#include "fields/measure/field_anchor.h"
#include "fields/measure/text_measure.h"
#include "fields/model/field_data.h"
#include "fields/richtext/rich_text_host.h"
#include "fields/richtext/rtf_field.h"
#include "fields/richtext/rtf_fit.h"
#include "foundation/geometry/rotation.h"
#include "foundation/system/font_key.h"
#include "platform/framework.h"
#include "tests/fields/draw_fixture.h"

namespace {

using fields_test::PictureFile;
using fields_test::SetupAt;

constexpr char kFitRtf[] =
    "{\\rtf1\\ansi\\deff0{\\fonttbl{\\f0\\fswiss Arial;}}\\f0\\fs20 "
    "Fitted rich text grows and shrinks with its box, a point at a time.\\par}";

class RtfFitting : public testing::Test {
 protected:
  void SetUp() override {
    path_ = (files_.folder() / "fit.rtf").string();
    std::ofstream(path_, std::ios::binary) << kFitRtf;
  }
  // The host's own height of the text at the width with every size stepped.
  int HeightAt(int step) const { return MeasureRichTextHeightStepped(kFitRtf, sizeof kFitRtf - 1, kWidth, step); }
  std::unique_ptr<CRtfField> Field(int boxHeight) const {
    auto f = std::make_unique<CRtfField>();
    f->rtfFile = path_.c_str();
    f->useFolder = 0;
    f->width = kWidth;
    f->height = boxHeight;
    return f;
  }
  static constexpr int kWidth = 1800;
  PictureFile files_;
  std::string path_;
};

TEST_F(RtfFitting, KeepsTheLargestStepThatStillFits) {
  ASSERT_GT(HeightAt(0), 0);
  ASSERT_LT(HeightAt(-4), HeightAt(0));
  ASSERT_GT(HeightAt(6), HeightAt(0));
  // Boxes that need the text to grow, to shrink, or leave it as it is.
  const struct { int box; const char* why; } cases[] = {
      {HeightAt(5), "exactly the height of step 5"},
      {HeightAt(5) + 3, "between two steps: the lower one"},
      {HeightAt(-3), "exactly the height of step -3"},
      {HeightAt(-3) + 1, "shrinking stops at the first step that fits"},
      {HeightAt(0), "already fits"},
  };
  for (const auto& c : cases) {
    auto f = Field(c.box);
    f->fontSizeStep = 99;
    ASSERT_EQ(FitRtfFontToHeight(*f), 1) << c.why;
    const int kept = f->fontSizeStep;
    EXPECT_LE(HeightAt(kept), c.box) << c.why << ": step " << kept;
    if (HeightAt(kept) != c.box) {
      EXPECT_GT(HeightAt(kept + 1), c.box) << c.why << ": step " << kept;
    }
  }
  // The fitted step reaches the drawing: measuring ignores it.
  auto f = Field(HeightAt(5));
  FitRtfFontToHeight(*f);
  EXPECT_EQ(MeasureRtfFieldSize(*f).cy, HeightAt(0));
}

TEST_F(RtfFitting, UnreadableTextKeepsTheStep) {
  auto f = Field(500);
  f->rtfFile = (files_.folder() / "absent.rtf").string().c_str();
  f->fontSizeStep = 3;
  EXPECT_EQ(FitRtfFontToHeight(*f), 0);
  EXPECT_EQ(f->fontSizeStep, 3);
}

TEST_F(RtfFitting, SampleDataStandsInOnlyWhileMeasuring) {
  const CLabelSetup setup = SetupAt(300);
  const int natural = MeasureRichTextHeight(kFitRtf, sizeof kFitRtf - 1, kWidth);
  const struct { int16_t source; bool sampled; const char* why; } cases[] = {
      {0, false, "fixed data is the file itself"},
      {4, true, "a counter shows its sample"},
      {8, true, "a database column shows its sample"},
  };
  for (const auto& c : cases) {
    auto f = Field(321);
    f->dataSourceType = c.source;
    EXPECT_EQ(UsesSampleData(*f, 0), c.sampled) << c.why;
    // Expected: a copy that holds the design value, measured as it stands.
    auto sample = Field(321);
    sample->dataSourceType = c.source;
    if (c.sampled) GetFieldDesignValue(*sample, {}, setup, -1);
    const SIZE expected = MeasureRtfFieldSize(*sample);
    const SIZE s = MeasureField(*f, {}, setup, 0);
    EXPECT_EQ(s.cx, expected.cx) << c.why;
    EXPECT_EQ(s.cy, expected.cy) << c.why;
    EXPECT_STREQ(f->rtfFile.GetData(), path_.c_str()) << c.why << ": the data is put back";
    // With the stored data asked for, the file is measured whatever the source.
    EXPECT_EQ(MeasureFieldWithSampleData(*f, {}, setup, kMeasureNoSampleData).cy, natural) << c.why;
  }
}

// A text field printed with a value of its own, its layout drawn with the
// design value: the printed copy is Fixed Data, its saved source Database.
std::unique_ptr<CTextField> PrintedCopy(const char* value, int16_t anchor, int rotation) {
  auto f = std::make_unique<CTextField>();
  f->data = value;
  f->logFont.lfHeight = 12;
  f->dataSourceType = 0;
  f->previousDataSourceType = 8;
  f->maxChars = 6;
  f->anchor = anchor;
  f->offset = {1000, 800};
  f->SetRotation(rotation);
  return f;
}

TEST(FieldAnchor, RightAndCentreAnchorsHoldForThePrintedWidth) {
  const CLabelSetup setup = SetupAt(300);
  const struct { int16_t anchor; int rotation; int share; const char* why; } cases[] = {
      {1, 0, 2, "right: the whole difference"},
      {0, 0, 1, "centre: half of it"},
      {1, 90000, 2, "right, turned a quarter: along the turned baseline"},
      {0, 30000, 1, "centre at 30 degrees"},
  };
  for (const auto& c : cases) {
    auto f = PrintedCopy("WIDE PRINTED VALUE", c.anchor, c.rotation);
    // Independent sizes: a copy with the design value put back, and the value as it stands.
    auto design = CloneField(f.get(), 0, 0);
    design->dataSourceType = 8;
    const int designWidth = MeasureField(*design, {}, setup, kMeasureForceDesign).cx;
    const SIZE printed = MeasureTextExtent(*f, setup, nullptr, false);
    ASSERT_NE(designWidth, printed.cx) << c.why;
    const FieldPoint before = f->offset;
    ASSERT_EQ(AdjustFieldAnchor(*f, {}, setup), 1) << c.why;
    EXPECT_EQ(f->width, printed.cx) << c.why;
    EXPECT_EQ(f->height, printed.cy) << c.why;
    EXPECT_EQ(f->anchor, -1) << c.why << ": a text copy keeps -1";
    const int move = c.share == 2 ? designWidth - printed.cx : (designWidth - printed.cx) / 2;
    const POINT expected =
        RotatePointScreen(before.x + move, before.y, c.rotation / 1000.0, before.x, before.y);
    EXPECT_EQ(f->offset.x, expected.x) << c.why;
    EXPECT_EQ(f->offset.y, expected.y) << c.why;
  }
}

TEST(FieldAnchor, OtherAnchorsAndPicturesDoNotMove) {
  const CLabelSetup setup = SetupAt(300);
  auto left = PrintedCopy("WIDE PRINTED VALUE", 2, 0);
  EXPECT_EQ(AdjustFieldAnchor(*left, {}, setup), 0);
  EXPECT_EQ(left->offset, (FieldPoint{1000, 800}));
  EXPECT_EQ(left->width, MeasureTextExtent(*left, setup, nullptr, false).cx) << "the printed size is taken";

  CImageField image;
  image.offset = {10, 20};
  image.width = 300;
  image.anchor = 1;
  EXPECT_EQ(AdjustFieldAnchor(image, {}, setup), 0);
  EXPECT_EQ(image.width, 300);
  EXPECT_EQ(image.anchor, 1);

  CParagraphField p;
  p.data = "A printed paragraph";
  p.logFont.lfHeight = 10;
  p.previousDataSourceType = 8;
  p.anchor = 1;
  p.width = p.wrapWidth = 1500;
  p.height = 400;
  EXPECT_EQ(AdjustFieldAnchor(p, {}, setup), 1);
  EXPECT_EQ(p.anchor, 1) << "a paragraph aligns its lines by its anchor";
}

TEST(FontKeys, ListFindsPrinterFontsOfTextAndParagraphs) {
  auto text = std::make_unique<CTextField>();
  text->windowsFont = 0;
  text->fontName = "Arial";
  text->fontVariation = "B";
  text->logFont.lfHeight = 14;
  text->logFont.lfWidth = 8000;
  auto para = std::make_unique<CParagraphField>();
  para->richFlag = 0;
  para->fontName = "Courier";
  para->logFont.lfHeight = 10;
  para->logFont.lfWeight = 700;
  para->logFont.lfItalic = 1;
  auto windows = std::make_unique<CTextField>();
  windows->windowsFont = 1;
  windows->fontName = "Times";
  windows->logFont.lfHeight = 9;
  CFieldList list;
  list.push_back(std::move(text));
  list.push_back(std::move(para));
  list.push_back(std::move(windows));
  const struct { AString key; int uses; const char* why; } cases[] = {
      {MakeFontKey("Arial", "B", 14, 8000, 0), 1, "the text field's printer font"},
      {MakeFontKey("Arial", "", 14, 8000, 0), 0, "another second name"},
      {MakeFontKey("Arial", "B", 15, 8000, 0), 0, "another height"},
      {MakeFontKey("Courier", "", 10, 0, kFontKeyBold | kFontKeyItalic), 1, "the paragraph taken as text"},
      {MakeFontKey("Courier", "", 10, 0, kFontKeyBold), 0, "the paragraph is italic too"},
      {MakeFontKey("Times", "", 9, 0, 0), 0, "a Windows font is not downloaded"},
  };
  for (const auto& c : cases) EXPECT_EQ(FieldListUsesFontKey(c.key, list), c.uses) << c.why;
}

class ComboHost : public CWnd {
 public:
  ComboHost() {
    AfxRegisterFrameworkClasses();
    EXPECT_TRUE(CreateEx(0, AfxWnd, "host", WS_OVERLAPPEDWINDOW, 0, 0, 300, 200, nullptr, nullptr));
  }
};

TEST(FontCombo, ListsEveryFaceOnceAndSelectsArial) {
  ComboHost host;
  CComboBox combo;
  ASSERT_TRUE(combo.Create(CBS_DROPDOWNLIST | WS_CHILD | WS_VSCROLL, RECT{0, 0, 200, 300}, &host, 100));
  combo.AddString("left over");
  tavtest::TestCanvas canvas(4, 4);
  ASSERT_EQ(InitFontCombo(combo, canvas.dc()), 1);
  // The device's faces, counted here by enumerating them again (a font
  // without a family name has no name to list).
  std::set<std::string> faces;
  LOGFONTA all{};
  all.lfCharSet = DEFAULT_CHARSET;
  EnumFontFamiliesExA(
      canvas.dc(), &all,
      [](const LOGFONTA* lf, const TEXTMETRICA*, DWORD, LPARAM p) {
        if (*lf->lfFaceName) reinterpret_cast<std::set<std::string>*>(p)->insert(lf->lfFaceName);
        return 1;
      },
      reinterpret_cast<LPARAM>(&faces), 0);
  ASSERT_GT(faces.size(), 3u);
  EXPECT_EQ(combo.GetCount(), static_cast<int>(faces.size()));
  for (const std::string& face : faces) EXPECT_GE(combo.FindStringExact(-1, face.c_str()), 0) << face;
  EXPECT_EQ(combo.FindStringExact(-1, "left over"), CB_ERR);
  char chosen[64] = {};
  combo.GetLBText(combo.GetCurSel(), chosen);
  EXPECT_STREQ(chosen, "Arial");
  // The screen's fonts without a device context.
  ASSERT_EQ(InitFontCombo(combo, nullptr), 1);
  EXPECT_EQ(combo.GetCount(), static_cast<int>(faces.size()));
}

}  // namespace
