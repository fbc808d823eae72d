// Copy and Paste of a whole layout through the holder file and the
// designer's clipboard format.
#include <gtest/gtest.h>

#include "doc_test_support.h"
#include "document/file/label_clipboard.h"
#include "fields/model/field_kinds.h"
#include "foundation/system/clipboard_text.h"

namespace {

class HolderApp : public doc_test::ScriptedApp {
 public:
  AString ClipboardHolderPath() override { return AString(holder.c_str()); }
  std::string holder;
};

TEST(LabelClipboard, CopyThenPasteTransfersTheWholeLayout) {
  HolderApp app;
  doc_test::TempFolder dir;
  app.holder = dir / "zclpbrdhldr.clp";
  CLabelSetup setup;
  setup.labelWidth = 3000;
  CFieldList fields;
  fields.push_back(std::make_unique<CLineField>());
  fields.push_back(std::make_unique<CBoxField>());
  fields[0]->offset = {100, 100};
  fields[0]->width = 300;
  fields[0]->height = 20;
  fields[1]->offset = {500, 600};
  fields[1]->width = 200;
  fields[1]->height = 100;
  ASSERT_EQ(SaveLabelToClipboardFile(setup, fields), 1);
  CLabelSetup pasted;
  CFieldList into;
  into.push_back(std::make_unique<CLineField>());  // pasted fields are appended
  RECT bounds{};
  ASSERT_EQ(LoadLabelFromClipboardFile(pasted, nullptr, into, &bounds), 1);
  EXPECT_EQ(pasted.labelWidth, 3000);
  ASSERT_EQ(into.size(), 3u);
  EXPECT_EQ(into[2]->kind, ToWord(FieldKind::kBox));
  EXPECT_EQ(bounds.left, 100);
  EXPECT_EQ(bounds.right, 700);
  EXPECT_EQ(bounds.bottom, 700);
}

TEST(LabelClipboard, NoHolderOrAnUnterminatedPathGivesNothing) {
  HolderApp app;
  CFieldList fields;
  EXPECT_EQ(SaveLabelToClipboardFile(CLabelSetup(), fields), 0);  // no holder path
  const char unterminated[4] = {'/', 't', 'm', 'p'};
  ASSERT_EQ(WriteClipboardData(app.LayoutClipboardFormat(), unterminated, 4), 1);
  CLabelSetup setup;
  EXPECT_EQ(LoadLabelFromClipboardFile(setup, nullptr, fields, nullptr), 0);
  ASSERT_EQ(WriteClipboardData(app.LayoutClipboardFormat(), "/nonexistent/holder.clp", 24), 1);
  EXPECT_EQ(LoadLabelFromClipboardFile(setup, nullptr, fields, nullptr), 0);
  EXPECT_TRUE(fields.empty());
}

}  // namespace
