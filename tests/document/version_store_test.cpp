// The layout file's version store read by independent tools: xmllint for
// the elements, base64 and gzip for the stream and the preview, ImageMagick
// for the preview's picture.
#include <gtest/gtest.h>

#include <ctime>
#include <regex>

#include "doc_test_support.h"
#include "document/core/rvo_doc.h"
#include "document/file/label_stream.h"
#include "document/file/version_store.h"
#include "fields/model/field_kinds.h"
#include "foundation/util/base64.h"

namespace {

using doc_test::FileBytes;
using doc_test::Shell;

// A fixed local time, seven seconds past a minute.
std::time_t SevenPast() {
  std::tm t{};
  t.tm_year = 2026 - 1900;
  t.tm_mon = 2;
  t.tm_mday = 4;
  t.tm_hour = 12;
  t.tm_min = 5;
  t.tm_sec = 7;
  t.tm_isdst = -1;
  return std::mktime(&t);
}

class VersionStore : public ::testing::Test {
 protected:
  void SetUp() override { SetVersionStoreClock(&SevenPast); }
  void TearDown() override { SetVersionStoreClock(nullptr); }

  std::string XPath(const std::string& file, const std::string& expr) {
    std::string out = Shell("xmllint --xpath '" + expr + "' '" + file + "' 2>/dev/null");
    if (!out.empty() && out.back() == '\n') out.pop_back();
    return out;
  }
  // Saves a layout with a line and a box to file with Save As.
  void SaveAsOnto(const std::string& file, int extraFields) {
    CRvoDoc doc;
    doc.AddLineField(RECT{100, 100, 900, 120});
    for (int i = 0; i < extraFields; ++i) doc.AddBoxField(RECT{10 * i, 10, 10 * i + 500, 400}, nullptr);
    app.saveNames.push_back(file);
    ASSERT_EQ(doc.SaveAs(), 1);
    EXPECT_FALSE(doc.IsModified());
  }

  doc_test::ScriptedApp app;
  doc_test::TempFolder dir;
};

TEST_F(VersionStore, OneSaveReadsBackThroughTheTools) {
  const std::string file = dir / "label.bcd";
  SaveAsOnto(file, 1);
  EXPECT_EQ(XPath(file, "name(/ComboDoc/Docs/Doc/*[1])"), "Author");
  EXPECT_EQ(XPath(file, "name(/ComboDoc/Docs/Doc/*[2])"), "MTime");
  EXPECT_EQ(XPath(file, "name(/ComboDoc/Docs/Doc/*[3])"), "DocData");
  EXPECT_EQ(XPath(file, "name(/ComboDoc/Docs/Doc/*[4])"), "PreviewJpeg");
  EXPECT_EQ(XPath(file, "count(/ComboDoc/Docs/Doc/*)"), "4");
  EXPECT_EQ(XPath(file, "string(/ComboDoc/Docs/Doc/Author)"), "Prg");
  EXPECT_EQ(XPath(file, "string(/ComboDoc/Docs/Doc/@current)"), "1");
  EXPECT_EQ(XPath(file, "string(/ComboDoc/Docs/Doc/MTime)"), "2026/03/04 12:05: 7");
  // DocData is the layout's inner stream; the save leaves no working file
  // (stream or preview) beside the layout.
  const std::string data = dir / "data.bin";
  Shell("xmllint --xpath 'string(//Doc/DocData)' '" + file + "' | base64 -d > '" + data + "'");
  const std::vector<uint8_t> stream = FileBytes(data);
  UniqueXmlDoc store = ParseVersionStore(FileBytes(file));
  std::vector<uint8_t> current;
  ASSERT_TRUE(store && VersionStream(store.get(), nullptr, current));
  EXPECT_EQ(stream, current);
  EXPECT_FALSE(doc_test::Exists(file + ".tmp"));
  EXPECT_FALSE(doc_test::Exists(file + ".vue"));
  ASSERT_GE(stream.size(), 11u);
  EXPECT_EQ(std::string(stream.begin(), stream.begin() + 11), "###Label004");
  // The preview: a gzip-compressed 1-bit BMP of 4 x 2.5 inches at 75 dpi.
  const std::string bmp = dir / "preview.bmp";
  Shell("xmllint --xpath 'string(//Doc/PreviewJpeg)' '" + file + "' | base64 -d | gzip -dc > '" + bmp + "'");
  EXPECT_EQ(FileBytes(bmp).size(), 62u + 40 * 187);
  EXPECT_EQ(Shell("/usr/bin/identify -format '%m %w %h %[bit-depth]' 'BMP:" + bmp + "'"), "BMP3 300 187 1");
}

TEST_F(VersionStore, ThreeSaveAsOntoOneFileKeepThreeVersions) {
  const std::string file = dir / "three.bcd";
  SaveAsOnto(file, 0);
  SaveAsOnto(file, 1);
  const std::vector<uint8_t> beforeThird = FileBytes(file);
  SaveAsOnto(file, 2);
  EXPECT_EQ(XPath(file, "count(/ComboDoc/Docs/Doc)"), "3");
  EXPECT_EQ(XPath(file, "count(/ComboDoc/Docs/Doc[@current=\"1\"])"), "1");
  EXPECT_EQ(XPath(file, "string(/ComboDoc/Docs/Doc[3]/@current)"), "1");
  EXPECT_EQ(XPath(file, "string(/ComboDoc/Docs/Doc[1]/@current)"), "0");
  EXPECT_EQ(FileBytes(file + ".010"), beforeThird);
  // Opening reads the current version: the third layout's three fields.
  CRvoDoc doc;
  ASSERT_TRUE(doc.OnOpenDocument(file.c_str()));
  EXPECT_EQ(doc.fieldList.size(), 3u);
  EXPECT_FALSE(doc_test::Exists(file + ".tmp.vue"));
}

TEST_F(VersionStore, SaveStartsTheStoreAfreshAndKeepsTheOldFileAsBackup) {
  const std::string file = dir / "fresh.bcd";
  SaveAsOnto(file, 0);
  SaveAsOnto(file, 1);
  const std::vector<uint8_t> before = FileBytes(file);
  CRvoDoc doc;
  ASSERT_TRUE(doc.OnOpenDocument(file.c_str()));
  doc.SetPathName(file.c_str(), FALSE);
  doc.AddLineField(RECT{0, 0, 100, 100});
  ASSERT_EQ(doc.Save(), 1);
  EXPECT_EQ(XPath(file, "count(/ComboDoc/Docs/Doc)"), "1");
  EXPECT_EQ(FileBytes(file + ".010"), before);
  EXPECT_FALSE(doc.IsModified());
}

TEST_F(VersionStore, ABareStreamSavesAsAStore) {
  const std::string file = dir / "bare.bcd";
  CFieldList fields;
  fields.push_back(std::make_unique<CLineField>());
  ASSERT_GT(WriteLabelStream(file.c_str(), CLabelSetup(), fields), 0);
  const std::vector<uint8_t> bare = FileBytes(file);
  CRvoDoc doc;
  ASSERT_TRUE(doc.OnOpenDocument(file.c_str()));
  EXPECT_EQ(doc.fieldList.size(), 1u);
  doc.SetPathName(file.c_str(), FALSE);
  ASSERT_EQ(doc.Save(), 1);
  EXPECT_EQ(XPath(file, "count(/ComboDoc/Docs/Doc)"), "1");
  EXPECT_EQ(FileBytes(file + ".010"), bare);
  CRvoDoc again;
  ASSERT_TRUE(again.OnOpenDocument(file.c_str()));
  EXPECT_EQ(again.fieldList.size(), 1u);
}

TEST_F(VersionStore, StoresWithoutACurrentVersionOrWithAnotherRootDoNotOpen) {
  struct Case {
    const char* what;
    const char* text;
  };
  const Case cases[] = {
      {"no current Doc", "<?xml version=\"1.0\"?><ComboDoc><Docs><Doc current=\"0\"><DocData>IyMj</DocData></Doc></Docs></ComboDoc>"},
      {"another root", "<?xml version=\"1.0\"?><Other><Docs/></Other>"},
      {"no Docs", "<?xml version=\"1.0\"?><ComboDoc/>"},
      {"bad Base64", "<?xml version=\"1.0\"?><ComboDoc><Docs><Doc current=\"1\"><DocData>!!!!</DocData></Doc></Docs></ComboDoc>"},
      {"not XML", "<?xml nonsense"},
      {"an entity", "<?xml version=\"1.0\"?><!DOCTYPE d [<!ENTITY e SYSTEM \"/etc/passwd\">]><ComboDoc><Docs><Doc current=\"1\"><DocData>&e;</DocData></Doc></Docs></ComboDoc>"},
  };
  for (const Case& c : cases) {
    const std::string file = dir / "bad.bcd";
    std::ofstream(file, std::ios::binary) << c.text;
    CRvoDoc doc;
    EXPECT_FALSE(doc.OnOpenDocument(file.c_str())) << c.what;
    EXPECT_FALSE(doc_test::Exists(file + ".tmp")) << c.what;
  }
}

// A store that claims two current versions: after a save only the new one is
// current, and opening reads it.
TEST_F(VersionStore, ASaveLeavesOnlyTheNewVersionCurrent) {
  const std::string file = dir / "twice.bcd";
  const std::vector<uint8_t> one = LabelStreamBytes(CLabelSetup(), CFieldList());
  AString text;
  EncodeBase64(one.data(), static_cast<int>(one.size()), text);
  const std::string doc = std::string("<Doc current=\"1\"><Author>Prg</Author><MTime>x</MTime><DocData>") +
                          text.GetData() + "</DocData></Doc>";
  std::ofstream(file, std::ios::binary) << "<?xml version=\"1.0\"?><ComboDoc><Docs>" << doc << doc
                                        << "</Docs></ComboDoc>";
  SaveAsOnto(file, 2);
  EXPECT_EQ(XPath(file, "count(/ComboDoc/Docs/Doc[@current=\"1\"])"), "1");
  CRvoDoc reopened;
  ASSERT_TRUE(reopened.OnOpenDocument(file.c_str()));
  EXPECT_EQ(reopened.fieldList.size(), 3u);
}

TEST_F(VersionStore, TheOpenDialogsPreviewComesOutOfAVersion) {
  const std::string file = dir / "pv.bcd";
  SaveAsOnto(file, 0);
  const std::string out = dir / "out.bmp";
  ASSERT_EQ(ExtractVersionPreview(file.c_str(), "2026/03/04 12:05: 7", out.c_str()), 1);
  EXPECT_EQ(Shell("/usr/bin/identify -format '%w %h' 'BMP:" + out + "'"), "300 187");
  EXPECT_EQ(ExtractVersionPreview(file.c_str(), "2026/03/04 12:05:07", out.c_str()), 0);
  std::string stream;
  ASSERT_EQ(ExtractCurrentVersion(file.c_str(), nullptr, stream), 1);
  EXPECT_EQ(stream, file + ".tmp");
}

}  // namespace
