// Damaged layout files, each refused with what failed in it: the designer's
// message when it opens one and the headless renderer's report both name
// the kind of damage and where it lies (the XML's line, the stream's byte).
// A picture a field names that cannot be read is reported too, while the
// label still renders with a placeholder.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

#include "doc_test_support.h"
#include "document/core/rvo_doc.h"
#include "document/file/label_stream.h"
#include "document/render/layout_png.h"
#include "fields/model/field_kinds.h"
#include "foundation/util/base64.h"

namespace {

using Bytes = std::vector<uint8_t>;

Bytes Text(const std::string& s) { return Bytes(s.begin(), s.end()); }

// The stream of a layout with one line field.
Bytes OneFieldStream() {
  CFieldList fields;
  fields.push_back(std::make_unique<CLineField>());
  return LabelStreamBytes(CLabelSetup(), fields);
}

// Where the field list's first record begins: after the setup and the
// list's count word (an empty list is the count alone).
size_t FirstRecordAt() { return LabelStreamBytes(CLabelSetup(), CFieldList()).size(); }

Bytes StoreOf(const Bytes& stream) {
  AString text;
  EncodeBase64(stream.data(), static_cast<int>(stream.size()), text);
  return Text(std::string("<?xml version=\"1.0\"?>\n<ComboDoc>\n<Docs>\n<Doc current=\"1\"><Author>Prg</Author>"
                          "<MTime>x</MTime>\n<DocData>") +
              text.GetData() + "</DocData></Doc>\n</Docs>\n</ComboDoc>\n");
}

Bytes Cut(Bytes bytes, size_t keep) {
  bytes.resize(keep);
  return bytes;
}

struct Damaged {
  const char* what;
  Bytes bytes;
  std::string says;  // what the message must hold
};

std::vector<Damaged> Cases() {
  const Bytes stream = OneFieldStream();
  const std::string recordAt = std::to_string(FirstRecordAt());
  Bytes longSetup = Text("###Label004");
  longSetup.insert(longSetup.end(), {0xFF, 0xFF, 0, 0});
  return {
      {"a picture", {0x89, 'P', 'N', 'G', '\r', '\n', 0x1A, '\n', 0, 0, 0, 13}, "not a layout file"},
      {"an empty file", {}, "not a layout file"},
      {"another magic", Text("###Lable004 and more"), "not a layout file"},
      {"XML that breaks on line 4",
       Text("<?xml version=\"1.0\"?>\n<ComboDoc>\n<Docs>\n<Doc current=\"1\"><DocData>IyMj</Doc>\n</Docs>\n</ComboDoc>\n"),
       "the version store's XML is damaged at line 4"},
      {"XML of another kind", Text("<?xml version=\"1.0\"?><Other><Docs/></Other>"),
       "not a layout file (its XML holds no version store)"},
      {"no current version",
       Text("<?xml version=\"1.0\"?><ComboDoc><Docs><Doc current=\"0\"><DocData>IyMj</DocData></Doc></Docs></ComboDoc>"),
       "the version store holds no current version"},
      {"data that is not Base64",
       Text("<?xml version=\"1.0\"?>\n<ComboDoc><Docs>\n<Doc current=\"1\"><DocData>!!!!</DocData></Doc></Docs></ComboDoc>"),
       "the current version's data at line 3 cannot be decoded"},
      {"a version's stream cut inside its first field", StoreOf(Cut(stream, FirstRecordAt() + 10)),
       "the current version's label stream is damaged at byte " + recordAt + " (in the field list)"},
      {"a bare stream cut inside its first field", Cut(stream, FirstRecordAt() + 10),
       "the label stream is damaged at byte " + recordAt + " (in the field list)"},
      {"a setup block longer than any", longSetup, "the label stream is damaged at byte 11 (in the label setup)"},
  };
}

class DamagedLayout : public ::testing::Test {
 protected:
  std::string Write(const Bytes& bytes) {
    const std::string file = dir / "damaged.bcd";
    std::ofstream(file, std::ios::binary | std::ios::trunc).write(reinterpret_cast<const char*>(bytes.data()),
                                                                   static_cast<std::streamsize>(bytes.size()));
    return file;
  }
  doc_test::ScriptedApp app;
  doc_test::TempFolder dir;
};

TEST_F(DamagedLayout, TheDesignerSaysWhatFailed) {
  for (const Damaged& c : Cases()) {
    SCOPED_TRACE(c.what);
    const std::string file = Write(c.bytes);
    app.shownMessages.clear();
    CRvoDoc doc;
    EXPECT_FALSE(doc.OnOpenDocument(file.c_str()));
    ASSERT_EQ(app.shownMessages.size(), 1u);
    EXPECT_EQ(app.shownMessages.front().rfind("Cannot open " + file + ": " + c.says, 0), 0u)
        << app.shownMessages.front();
  }
}

TEST_F(DamagedLayout, TheRendererSaysWhatFailed) {
  std::vector<Damaged> cases = Cases();
  cases.push_back({"a missing file", {}, "the file cannot be read (No such file or directory)"});
  for (const Damaged& c : cases) {
    SCOPED_TRACE(c.what);
    const std::string file = c.says.rfind("the file cannot", 0) == 0 ? dir / "missing.bcd" : Write(c.bytes);
    std::vector<std::string> report;
    EXPECT_EQ(RenderLayoutFileToPng(file.c_str(), (dir / "out.png").c_str(), 0, &report), 0);
    ASSERT_EQ(report.size(), 1u);
    EXPECT_EQ(report.front().rfind("cannot be opened: " + c.says, 0), 0u) << report.front();
    EXPECT_FALSE(doc_test::Exists(dir / "out.png"));
  }
}

TEST_F(DamagedLayout, APictureThatCannotBeReadIsNamedAndTheLabelStillRenders) {
  CFieldList fields;
  auto image = std::make_unique<CImageField>();
  image->fileName = "gone.png";
  image->name = "Logo";
  image->offset = {100, 100};
  image->width = 500;
  image->height = 300;
  fields.push_back(std::move(image));
  CLabelSetup setup;
  setup.labelWidth = 1000;
  setup.labelHeight = 600;
  setup.dpiX = setup.dpiY = 100;
  const std::string file = dir / "picture.bcd";
  ASSERT_GT(WriteLabelStream(file.c_str(), setup, fields), 0);
  std::vector<std::string> report;
  ASSERT_EQ(RenderLayoutFileToPng(file.c_str(), (dir / "picture.png").c_str(), 0, &report), 1);
  EXPECT_TRUE(doc_test::Exists(dir / "picture.png"));
  ASSERT_EQ(report.size(), 1u);
  EXPECT_NE(report.front().find("gone.png\" of field \"Logo\" cannot be read"), std::string::npos) << report.front();
}

}  // namespace
