// The inner label stream: its bytes for a default layout, round trips of
// every field kind, short and long setup blocks, and streams that fail.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstring>
#include <vector>

#include "document/file/label_stream.h"
#include "document/setup/label_setup_block.h"
#include "fields/lifecycle/field_lifecycle.h"
#include "fields/model/field_kinds.h"

namespace {

uint32_t Le32(const std::vector<uint8_t>& b, size_t at) {
  return b.at(at) | b.at(at + 1) << 8 | b.at(at + 2) << 16 | static_cast<uint32_t>(b.at(at + 3)) << 24;
}

// One field of every kind that has a record, with a few settings each.
CFieldList EveryKind() {
  CFieldList list;
  auto place = [](CField& f, int x, int y, int w, int h, const char* name) {
    f.offset = {x, y};
    f.width = w;
    f.height = h;
    f.name = name;
  };
  auto line = std::make_unique<CLineField>();
  place(*line, 100, 100, 1000, 20, "Line_A");
  line->SetRotation(90000);
  list.push_back(std::move(line));
  auto box = std::make_unique<CBoxField>();
  place(*box, 200, 300, 1500, 800, "Box_A");
  box->horizontalLineWidth = 30;
  list.push_back(std::move(box));
  auto text = std::make_unique<CTextField>();
  place(*text, 400, 500, 1200, 200, "Text_A");
  text->data = "Hello label";
  list.push_back(std::move(text));
  auto bar = std::make_unique<CBarcodeField>();
  place(*bar, 100, 1200, 2000, 600, "Barcode_A");
  bar->data = "ABC123";
  list.push_back(std::move(bar));
  auto image = std::make_unique<CImageField>();
  place(*image, 3000, 100, 500, 500, "Image_A");
  image->fileName = "missing-picture.bmp";
  list.push_back(std::move(image));
  auto para = std::make_unique<CParagraphField>();
  place(*para, 100, 1900, 3000, 400, "Paragraph_A");
  para->data = "A paragraph of text";
  list.push_back(std::move(para));
  auto rtf = std::make_unique<CRtfField>();
  place(*rtf, 2500, 1900, 1000, 300, "Rtf_A");
  list.push_back(std::move(rtf));
  auto ellipse = std::make_unique<CEllipseField>();
  place(*ellipse, 3200, 1500, 600, 400, "Ellipse_A");
  list.push_back(std::move(ellipse));
  return list;
}

TEST(LabelStream, ADefaultLayoutWithoutFieldsHasTheStoredForm) {
  const std::vector<uint8_t> b = LabelStreamBytes(CLabelSetup(), CFieldList());
  ASSERT_GE(b.size(), 13u + 2 + 726 + 24);
  EXPECT_EQ(std::string(b.begin(), b.begin() + 11), "###Label004");
  EXPECT_EQ(b[11], 0xD6);
  EXPECT_EQ(b[12], 0x02);
  const LabelSetupBlock block = PutLabelSetupBlock(CLabelSetup());
  EXPECT_TRUE(std::equal(block.begin(), block.end(), b.begin() + 13));
  EXPECT_EQ(Le32(b, 13 + 4), 4000u);
  EXPECT_EQ(Le32(b, 13 + 8), 2500u);
  EXPECT_EQ(Le32(b, 13 + 46), 300u);
  EXPECT_EQ(Le32(b, 13 + 54), 0xFFFFFFu);
  EXPECT_EQ(Le32(b, 13 + 470), 1650u);
  size_t at = 13 + 726;
  for (int i = 0; i < 6; ++i, at += 4) EXPECT_EQ(Le32(b, at), 0u) << "string " << i;
  EXPECT_EQ(Le32(b, at), 0u);        // the description: no bytes,
  at += 8;                           // then its wide flag, flags and code page
  EXPECT_EQ(Le32(b, at), 0u);        // no bindings
  EXPECT_EQ(Le32(b, at + 4), 0u);    // the string at 214
  EXPECT_EQ(Le32(b, at + 8), 0u);    // no fields
  EXPECT_EQ(b.size(), at + 12);
}

TEST(LabelStream, EveryFieldKindRoundTripsToIdenticalBytes) {
  CLabelSetup setup;
  setup.lastPrinter = "Printer";
  setup.printSpeed = "4";
  setup.description = "A layout";
  setup.text214 = "text";
  CFieldList fields = EveryKind();
  RemeasureFieldList(fields, setup, nullptr, 0);  // sizes as reading measures them
  // Serial numbers identify fields within one run (a field read takes a
  // fresh one), so both sides are written with 0.
  for (auto& f : fields) f->serialId = 0;
  const std::vector<uint8_t> first = LabelStreamBytes(setup, fields);
  ASSERT_FALSE(first.empty());
  CLabelSetup read;
  CFieldList readFields;
  RECT bounds{};
  ASSERT_EQ(ReadLabelStreamBytes(first, nullptr, read, &readFields, &bounds), 1);
  ASSERT_EQ(readFields.size(), fields.size());
  for (size_t i = 0; i < fields.size(); ++i) EXPECT_EQ(readFields[i]->kind, fields[i]->kind);
  EXPECT_STREQ(read.lastPrinter.GetData(), "Printer");
  EXPECT_STREQ(read.description.GetData(), "A layout");
  EXPECT_STREQ(read.text214.GetData(), "text");
  EXPECT_LT(bounds.left, bounds.right);
  for (auto& f : readFields) f->serialId = 0;
  const std::vector<uint8_t> second = LabelStreamBytes(read, readFields);
  EXPECT_EQ(second.size(), first.size());
  const auto diff = std::mismatch(first.begin(), first.end(), second.begin(), second.end());
  EXPECT_TRUE(diff.first == first.end()) << "first difference at byte " << (diff.first - first.begin());
}

// What a stream holds is written back the same after reading, even with
// values that measuring touches: a Code 128 barcode still holding an
// add-on's place and size, a paragraph with an extreme indentation, a setup
// at 1 dpi. Written, read, written again: the same bytes.
TEST(LabelStream, ReadingAndWritingAgainKeepsTheBytes) {
  const struct {
    int dpi;
    int32_t suppX, indent;
  } cases[] = {{300, 1100, 0}, {203, 218453, 150}, {1, 0, 2000000000}, {600, 7, -2147483647 - 1}};
  for (const auto& c : cases) {
    SCOPED_TRACE(c.dpi);
    CLabelSetup setup;
    setup.dpiX = setup.dpiY = c.dpi;
    CFieldList fields = EveryKind();
    for (auto& f : fields) {
      if (auto* bar = dynamic_cast<CBarcodeField*>(f.get())) {
        bar->suppX = c.suppX;
        bar->suppBarHeight = c.suppX / 2;
        bar->suppWidth = c.suppX / 3;
      }
      if (auto* para = dynamic_cast<CParagraphField*>(f.get())) para->indent = c.indent;
    }
    std::vector<std::vector<uint8_t>> written{LabelStreamBytes(setup, fields)};
    for (int round = 0; round < 2; ++round) {
      CLabelSetup read;
      CFieldList readFields;
      ASSERT_EQ(ReadLabelStreamBytes(written.back(), nullptr, read, &readFields, nullptr), 1);
      for (auto& f : readFields) f->serialId = 0;
      written.push_back(LabelStreamBytes(read, readFields));
    }
    const auto diff = std::mismatch(written[1].begin(), written[1].end(), written[2].begin(), written[2].end());
    EXPECT_TRUE(diff.first == written[1].end()) << "first difference at byte " << (diff.first - written[1].begin());
  }
}

// An older writer's shorter block: the members behind it read as zeros.
TEST(LabelStream, AFortyByteSetupBlockReadsZerosBehindIt) {
  std::vector<uint8_t> full = LabelStreamBytes(CLabelSetup(), CFieldList());
  std::vector<uint8_t> b(full.begin(), full.begin() + 11);
  b.push_back(40);
  b.push_back(0);
  b.insert(b.end(), full.begin() + 13, full.begin() + 13 + 40);
  b.insert(b.end(), full.begin() + 13 + 726, full.end());
  CLabelSetup read;
  ASSERT_EQ(ReadLabelStreamBytes(b, nullptr, read, nullptr, nullptr), 1);
  EXPECT_EQ(read.labelWidth, 4000);
  EXPECT_EQ(read.deflt_lblsPerRow, 1);
  EXPECT_EQ(read.IsSysPrinter, 0);  // offset 40: behind the block
  EXPECT_EQ(read.dpiX, 0);
  EXPECT_EQ(read.deflt_bkclr, 0u);
  EXPECT_EQ(read.value150, 0);
  EXPECT_EQ(read.deflt_holeDiameter, 0);
}

struct BadStream {
  const char* what;
  std::vector<uint8_t> bytes;
};

std::vector<BadStream> BadStreams() {
  const std::vector<uint8_t> good = LabelStreamBytes(CLabelSetup(), CFieldList());
  std::vector<BadStream> cases;
  std::vector<uint8_t> b = good;
  b[11] = 900 & 0xFF;  // a setup block longer than the reader's 854 bytes
  b[12] = 900 >> 8;
  b.resize(13 + 900 + 100, 0);
  cases.push_back({"900-byte setup block", b});
  b = good;
  b[3] = 'l';
  cases.push_back({"bad magic", b});
  cases.push_back({"empty", {}});
  cases.push_back({"magic only", std::vector<uint8_t>(good.begin(), good.begin() + 8)});
  return cases;
}

TEST(LabelStream, BadStreamsFailAndLeaveTheTargetAlone) {
  for (const BadStream& c : BadStreams()) {
    CLabelSetup target;
    target.labelWidth = 777;
    target.lastPrinter = "kept";
    CFieldList fields;
    fields.push_back(std::make_unique<CLineField>());
    EXPECT_EQ(ReadLabelStreamBytes(c.bytes, nullptr, target, &fields, nullptr), 0) << c.what;
    EXPECT_EQ(target.labelWidth, 777) << c.what;
    EXPECT_STREQ(target.lastPrinter.GetData(), "kept") << c.what;
    EXPECT_EQ(fields.size(), 1u) << c.what;
  }
}

// Every cut of a stream with fields fails whole: no setup taken, no field added.
TEST(LabelStream, EveryTruncationFails) {
  CFieldList fields = EveryKind();
  const std::vector<uint8_t> good = LabelStreamBytes(CLabelSetup(), fields);
  for (size_t n = 0; n < good.size(); n += (n < 800 ? 1 : 7)) {
    CLabelSetup target;
    target.labelWidth = 1;
    CFieldList read;
    EXPECT_EQ(ReadLabelStreamBytes(std::span(good.data(), n), nullptr, target, &read, nullptr), 0) << n;
    EXPECT_EQ(target.labelWidth, 1) << n;
    EXPECT_TRUE(read.empty()) << n;
  }
}

TEST(LabelStream, FilesHoldTheSameBytes) {
  char path[] = "/tmp/tav_stream_XXXXXX";
  const int fd = mkstemp(path);
  ASSERT_GE(fd, 0);
  close(fd);
  CFieldList fields = EveryKind();
  const long written = WriteLabelStream(path, CLabelSetup(), fields);
  EXPECT_EQ(written, static_cast<long>(LabelStreamBytes(CLabelSetup(), fields).size()));
  CLabelSetup read;
  CFieldList readFields;
  EXPECT_EQ(ReadLabelStream(path, nullptr, read, &readFields, nullptr), 1);
  EXPECT_EQ(readFields.size(), fields.size());
  std::remove(path);
  EXPECT_EQ(ReadLabelStream(path, nullptr, read, &readFields, nullptr), 0);
}

}  // namespace

namespace {

// Values a damaged or hostile file can hold reach the measuring of the
// fields on reading: they read without overflow (the sanitizers judge).
TEST(LabelStream, HostileFieldValuesReadSafely) {
  CFieldList fields;
  auto text = std::make_unique<CTextField>();
  text->data = "Big";
  text->logFont.lfHeight = 1852730990;
  fields.push_back(std::move(text));
  auto para = std::make_unique<CParagraphField>();
  para->data = "Lines";
  para->lineSpacing = 1e300;
  para->wrapWidth = 1000;
  fields.push_back(std::move(para));
  auto bar = std::make_unique<CBarcodeField>();
  bar->symbology = 1;
  bar->data = "CODE39";
  bar->narrowBar = 32767;
  bar->ratio = 32767;
  fields.push_back(std::move(bar));
  CLabelSetup setup;
  setup.dpiX = setup.dpiY = 1;
  const std::vector<uint8_t> bytes = LabelStreamBytes(setup, fields);
  CLabelSetup read;
  CFieldList readFields;
  EXPECT_EQ(ReadLabelStreamBytes(bytes, nullptr, read, &readFields, nullptr), 1);
  EXPECT_EQ(readFields.size(), 3u);
}

}  // namespace
