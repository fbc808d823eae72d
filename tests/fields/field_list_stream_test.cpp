// The field list stream against hand-written fixtures: the writer's bytes,
// the values read back, and lists that are short, huge, or hold kinds 5 and 8.
#include <gtest/gtest.h>

#include <cstdio>
#include <cstring>

#include "fields/model/field_kinds.h"
#include "fields/records/field_list_stream.h"
#include "fields/services/label_setup.h"
#include "hex_fixture.h"

namespace {

std::string Fixture(const char* name) { return std::string(TAV_TEST_DATA_DIR) + "/" + name; }

// The fields of field_list_v3.hex, built through the object model.
CFieldList FixtureFields() {
  CFieldList list;
  auto base = [](CField& f, uint32_t serial, int w, int h, int x, int y, const char* name) {
    f.serialId = serial;
    f.width = w;
    f.height = h;
    f.offset = {x, y};
    f.name = name;
  };
  auto line = std::make_unique<CLineField>();
  base(*line, 0x101, 1000, 220, 100, 200, "L1");
  line->SetRotation(90000);
  line->line = {2, 20, 1, 0xFF};
  line->lineSpare1 = 7;
  list.push_back(std::move(line));

  auto box = std::make_unique<CBoxField>();
  base(*box, 0x102, 2000, 1000, 10, 20, "B1");
  box->foreColor = 0xFF0000;
  box->doNotPrint = box->lockPosition = 1;
  box->horizontalLineWidth = 30;
  box->verticalLineWidth = 40;
  list.push_back(std::move(box));

  auto text = std::make_unique<CTextField>();
  base(*text, 0x103, 3000, 300, 50, 60, "T1");
  text->SetRotation(350000);
  text->dataSourceType = 4;
  text->prompt = "Ask";
  text->counterFile = "a.cntr";
  text->fntId = 3;
  text->logFont.lfHeight = 12;
  text->tabSpaces = 4;
  text->increment = 1;
  text->rollover = 1;
  text->currencyFormat = 1;
  text->data = "Hello";
  text->rolloverLimit = "99";
  text->rolloverResetTo = "1";
  text->prefix = "No.";
  list.push_back(std::move(text));

  auto bar = std::make_unique<CBarcodeField>();
  base(*bar, 0x104, 4000, 1200, 0, 400, "C1");
  bar->symbology = 1;
  bar->subType = 2;
  bar->barHeight = 600;
  bar->narrowBar = 2;
  bar->data = "ABC123";
  bar->upsField[0] = "840";
  bar->aiCode[0] = "01";
  list.push_back(std::move(bar));

  auto image = std::make_unique<CImageField>();
  base(*image, 0x105, 500, 500, 1000, 1000, "I1");
  image->useFolder = 0;
  image->dataSourceType = 1;
  image->picture.pictureOption = 2;
  image->picture.mirror = 1;
  image->picture.ditherMethod = 3;
  image->picture.invert = 1;
  image->picture.lightness = 20;
  image->picture.contrast = 50;
  image->pictureFormat = 2;
  image->pictureMode = 1;
  image->fileName = "logo.png";
  list.push_back(std::move(image));

  auto para = std::make_unique<CParagraphField>();
  base(*para, 0x106, 2000, 500, 0, 0, "P1");
  para->lineSpacing = 1.5;
  para->maxLines = 3;
  para->tabSpaces = 4;
  para->indent = 100;
  para->data = "Para";
  list.push_back(std::move(para));

  auto rtf = std::make_unique<CRtfField>();
  base(*rtf, 0x107, 2000, 1000, 0, 0, "R1");
  rtf->fitFont = 1;
  rtf->fontSizeStep = -2;
  rtf->rtfFile = "a.rtf";
  list.push_back(std::move(rtf));

  auto ellipse = std::make_unique<CEllipseField>();
  base(*ellipse, 0x108, 1000, 500, 0, 0, "E1");
  ellipse->backColor = 0x00FF00;
  ellipse->line.width = 24;
  ellipse->cornerRadius = 100;
  ellipse->shapeFlags = kShapeFillInside;
  list.push_back(std::move(ellipse));
  return list;
}

int ReadBytes(const std::vector<uint8_t>& bytes, CFieldList& list, int16_t version, RECT* bounds = nullptr) {
  ByteReader r(bytes.data(), bytes.size());
  return ReadFieldListBytes(list, r, version, bounds);
}

TEST(FieldListStream, WriterMatchesTheHandWrittenFixtureByteForByte) {
  const auto expected = ReadHexFixture(Fixture("field_list_v3.hex"));
  const auto written = FieldListBytes(FixtureFields());
  ASSERT_EQ(written.size(), expected.size());
  for (size_t i = 0; i < expected.size(); ++i) ASSERT_EQ(written[i], expected[i]) << "first difference at byte " << i;
}

TEST(FieldListStream, ReadingTheFixtureGivesTheValuesAndNewSerials) {
  const auto bytes = ReadHexFixture(Fixture("field_list_v3.hex"));
  const CFieldList want = FixtureFields();
  CFieldList got;
  const uint32_t nextSerial = PeekNextFieldSerial();
  ASSERT_EQ(ReadBytes(bytes, got, 3), 1);
  ASSERT_EQ(got.size(), want.size());
  for (size_t i = 0; i < got.size(); ++i) {
    SCOPED_TRACE(i);
    EXPECT_EQ(got[i]->kind, want[i]->kind);
    EXPECT_GE(got[i]->serialId, nextSerial);
    EXPECT_NE(got[i]->serialId, want[i]->serialId);
    // Everything CopyFrom copies is equal: the writer gives the same bytes.
    want[i]->serialId = got[i]->serialId;
    std::vector<uint8_t> a, b;
    ASSERT_TRUE(AppendFieldRecord(a, *got[i]));
    ASSERT_TRUE(AppendFieldRecord(b, *want[i]));
    EXPECT_EQ(a, b);
  }
  const auto& text = static_cast<const CTextField&>(*got[2]);
  EXPECT_TRUE(text.prefix == "No.");
  EXPECT_TRUE(text.data == "Hello");
  EXPECT_EQ(text.currencyFormat, 1);
  EXPECT_EQ(text.logFont.lfEscapement, 3500);
  const auto& bar = static_cast<const CBarcodeField&>(*got[3]);
  EXPECT_TRUE(bar.upsField[0] == "840");
  EXPECT_TRUE(bar.aiCode[0] == "01");
  const auto& image = static_cast<const CImageField&>(*got[4]);
  EXPECT_EQ(image.picture.mirror, 1);
  EXPECT_EQ(image.picture.ditherMethod, 3);
  EXPECT_EQ(image.picture.contrast, 50);
  EXPECT_DOUBLE_EQ(static_cast<const CParagraphField&>(*got[5]).lineSpacing, 1.5);
}

TEST(FieldListStream, VersionTwoTextHasNoPrefixAndStandardNumberFormat) {
  const auto bytes = ReadHexFixture(Fixture("field_list_v2_text.hex"));
  CFieldList got;
  ASSERT_EQ(ReadBytes(bytes, got, 2), 1);
  ASSERT_EQ(got.size(), 2u);
  const auto& text = static_cast<const CTextField&>(*got[0]);
  EXPECT_TRUE(text.data == "Old");
  EXPECT_TRUE(text.prefix.IsEmpty());
  EXPECT_TRUE(text.prompt.IsEmpty());
  EXPECT_STREQ(text.logFont.lfFaceName, "Times");
  EXPECT_EQ(text.currencyFormat, 0);
  EXPECT_EQ(text.numberFormat, 0);
  EXPECT_EQ(text.decimalPlaces, 2);
  EXPECT_EQ(text.showSign, 0);
  const auto& box = static_cast<const CBoxField&>(*got[1]);
  EXPECT_TRUE(box.name == "B2");
  EXPECT_EQ(box.verticalLineWidth, 11);
}

TEST(FieldListStream, DefaultBarcodeRecord) {
  CFieldList list;
  list.push_back(std::make_unique<CBarcodeField>());
  const auto bytes = FieldListBytes(list);
  ASSERT_EQ(bytes.size(), 1863u);
  const uint8_t head[] = {0x82, 0x06, 0x03, 0x00};
  EXPECT_EQ(std::memcmp(bytes.data() + 4, head, 4), 0);
  const uint8_t barHeight[] = {0xF4, 0x01, 0x00, 0x00};
  EXPECT_EQ(std::memcmp(bytes.data() + 4 + 742, barHeight, 4), 0);
  const uint8_t qrLevel[] = {0x0D, 0x00};
  EXPECT_EQ(std::memcmp(bytes.data() + 4 + 1050, qrLevel, 2), 0);
}

TEST(FieldListStream, AnEmptyListIsFourZeroBytes) {
  const auto bytes = FieldListBytes({});
  EXPECT_EQ(bytes, (std::vector<uint8_t>{0, 0, 0, 0}));
  CFieldList got;
  EXPECT_EQ(ReadBytes(bytes, got, 3), 1);
  EXPECT_TRUE(got.empty());
}

TEST(FieldListStream, ShortFilesEndWithFailureKeepingWholeFields) {
  const auto full = ReadHexFixture(Fixture("field_list_v3.hex"));
  // Cuts: inside the count, inside the first raw block, inside the text's
  // strings, and just before the last record.
  const CFieldList all = FixtureFields();
  std::vector<uint8_t> upToLast(4, 0);
  for (size_t i = 0; i + 1 < all.size(); ++i) AppendFieldRecord(upToLast, *all[i]);
  struct { const char* what; size_t cut; size_t fields; } cases[] = {
      {"count", 2, 0},
      {"first block", 4 + 500, 0},
      {"before the last record", upToLast.size(), all.size() - 1},
      {"last byte", full.size() - 1, all.size() - 1},
  };
  for (auto c : cases) {
    SCOPED_TRACE(c.what);
    std::vector<uint8_t> cut(full.begin(), full.begin() + static_cast<long>(c.cut));
    CFieldList got;
    EXPECT_EQ(ReadBytes(cut, got, 3), 0);
    EXPECT_EQ(got.size(), c.fields);
  }
}

std::vector<uint8_t> ListOf(uint32_t count, std::initializer_list<std::vector<uint8_t>> records) {
  std::vector<uint8_t> out;
  for (int i = 0; i < 4; ++i) out.push_back(static_cast<uint8_t>(count >> (8 * i)));
  for (const auto& r : records) out.insert(out.end(), r.begin(), r.end());
  return out;
}

std::vector<uint8_t> RecordOf(const CField& f) {
  std::vector<uint8_t> out;
  AppendFieldRecord(out, f);
  return out;
}

// A raw record of a kind without a class here: size word, kind, zeros.
std::vector<uint8_t> BareRecord(uint16_t size, uint16_t kind) {
  std::vector<uint8_t> r(size, 0);
  r[0] = static_cast<uint8_t>(size);
  r[1] = static_cast<uint8_t>(size >> 8);
  r[2] = static_cast<uint8_t>(kind);
  return r;
}

TEST(FieldListStream, OddListsAreBoundedByTheirBytes) {
  CBoxField box;
  box.width = 321;
  const auto boxRecord = RecordOf(box);
  struct { const char* what; std::vector<uint8_t> bytes; int result; size_t fields; } cases[] = {
      {"huge count", ListOf(0xFFFFFFFF, {boxRecord}), 0, 1},
      {"ole record skipped by its size word", ListOf(2, {BareRecord(736, 5), boxRecord}), 1, 1},
      {"border kind 8", ListOf(2, {boxRecord, BareRecord(744, 8)}), 0, 1},
      {"unknown kind 12", ListOf(1, {BareRecord(744, 12)}), 0, 0},
      {"size word below 10 ends the list", ListOf(2, {boxRecord, BareRecord(9, 1)}), 1, 1},
      {"strings missing after the block", ListOf(1, {BareRecord(744, 1)}), 0, 0},
  };
  for (auto& c : cases) {
    SCOPED_TRACE(c.what);
    CFieldList got;
    EXPECT_EQ(ReadBytes(c.bytes, got, 3), c.result);
    EXPECT_EQ(got.size(), c.fields);
    if (!got.empty()) {
      EXPECT_EQ(got[0]->width, 321);
    }
  }
}

TEST(FieldListStream, ShortAndLongRecords) {
  // A text record cut to the base and the first own bytes keeps the defaults
  // of what it lacks; one longer than its kind is consumed whole.
  CTextField text;
  text.width = 55;
  text.logFont.lfHeight = 30;
  text.duplicates = 9;
  std::vector<uint8_t> rec = RecordOf(text);
  std::vector<uint8_t> raw(rec.begin(), rec.begin() + 1372), strings(rec.begin() + 1372, rec.end());
  std::vector<uint8_t> shortRaw(raw.begin(), raw.begin() + 808);  // LOGFONT in, duplicates out
  shortRaw[0] = 808 & 0xFF;
  shortRaw[1] = 808 >> 8;
  std::vector<uint8_t> shortRec = shortRaw;
  shortRec.insert(shortRec.end(), strings.begin(), strings.end());
  std::vector<uint8_t> longRaw = raw;
  longRaw.resize(1500, 0xAB);
  longRaw[0] = 1500 & 0xFF;
  longRaw[1] = 1500 >> 8;
  std::vector<uint8_t> longRec = longRaw;
  longRec.insert(longRec.end(), strings.begin(), strings.end());
  CBoxField box;
  box.width = 77;
  const auto bytes = ListOf(3, {shortRec, longRec, RecordOf(box)});
  CFieldList got;
  ASSERT_EQ(ReadBytes(bytes, got, 3), 1);
  ASSERT_EQ(got.size(), 3u);
  const auto& a = static_cast<const CTextField&>(*got[0]);
  EXPECT_EQ(a.width, 55);
  EXPECT_EQ(a.logFont.lfHeight, 30);
  EXPECT_EQ(a.duplicates, 1);
  EXPECT_EQ(static_cast<const CTextField&>(*got[1]).duplicates, 9);
  EXPECT_EQ(got[2]->width, 77);
}

TEST(FieldListStream, BoundsOfTheFieldsRead) {
  CFieldList list;
  auto a = std::make_unique<CBoxField>();
  a->offset = {100, 100};
  a->width = 200;
  a->height = 50;
  auto b = std::make_unique<CBoxField>();
  b->offset = {1000, 500};
  b->width = 100;
  b->height = 100;
  b->SetRotation(90000);  // turned up: covers x 1000..1100, y 400..500
  list.push_back(std::move(a));
  list.push_back(std::move(b));
  CFieldList got;
  RECT bounds{};
  ASSERT_EQ(ReadBytes(FieldListBytes(list), got, 3, &bounds), 1);
  EXPECT_EQ(bounds.left, 100);
  EXPECT_EQ(bounds.top, 100);
  EXPECT_EQ(bounds.right, 1100);
  EXPECT_EQ(bounds.bottom, 500);
}

TEST(FieldListStream, FileFunctionsLeaveTheFileAfterTheList) {
  FILE* f = std::tmpfile();
  ASSERT_NE(f, nullptr);
  const CFieldList list = FixtureFields();
  std::fputs("HEAD", f);
  ASSERT_EQ(WriteFieldList(list, f), 1);
  std::fputs("TAIL", f);
  std::fseek(f, 4, SEEK_SET);
  CFieldList got;
  CLabelSetup setup;
  ASSERT_EQ(ReadFieldList(got, f, setup, nullptr, nullptr), 1);
  EXPECT_EQ(got.size(), list.size());
  char tail[5] = {};
  ASSERT_EQ(std::fread(tail, 1, 4, f), 4u);
  EXPECT_STREQ(tail, "TAIL");
  std::fclose(f);

  FILE* readOnly = std::fopen("/dev/null", "r");
  ASSERT_NE(readOnly, nullptr);
  EXPECT_EQ(WriteFieldList(list, readOnly), 0);
  std::fclose(readOnly);
}

}  // namespace
