// The layout document without a window: a new document's setup, adding and
// replacing fields, the lock, and the undo list's positions.
#include <gtest/gtest.h>

#include "document/core/rvo_doc.h"
#include "document/layout_shell.h"
#include "tests/document/recording_layout_shell.h"
#include "fields/model/field_kinds.h"

namespace {

TEST(RvoDoc, ANewDocumentHasTheDefaultLabelAt300Dpi) {
  CRvoDoc doc;
  EXPECT_EQ(doc.labelSetup.labelWidth, 4000);
  EXPECT_EQ(doc.labelSetup.labelHeight, 2500);
  EXPECT_EQ(doc.labelSetup.dpiX, 300);
  EXPECT_EQ(doc.labelSetup.dpiY, 300);
  EXPECT_EQ(doc.labelSetup.IsSysPrinter, 1);
  EXPECT_EQ(doc.labelSetup.cutterSetting, 1);
  EXPECT_TRUE(doc.fieldList.empty());
  EXPECT_EQ(doc.locked, 0);
  EXPECT_FALSE(doc.IsModified());
}

TEST(RvoDoc, ShapesTakeTheirRectangleAndADefaultName) {
  CRvoDoc doc;
  CField* line = doc.AddLineField(RECT{100, 200, 600, 260});
  ASSERT_NE(line, nullptr);
  EXPECT_EQ(line->kind, ToWord(FieldKind::kLine));
  EXPECT_EQ(line->width, 500);
  EXPECT_EQ(line->height, 60);
  EXPECT_EQ(line->offset.x, 100);
  EXPECT_EQ(line->offset.y, 200);
  EXPECT_EQ(line->position[2], 600);
  EXPECT_FALSE(line->name.IsEmpty());
  const POINT widths{7, 9};
  auto* box = static_cast<CBoxField*>(doc.AddBoxField(RECT{0, 0, 10, 10}, &widths));
  EXPECT_EQ(box->horizontalLineWidth, 7);
  EXPECT_EQ(box->verticalLineWidth, 9);
  auto* plain = static_cast<CBoxField*>(doc.AddBoxField(RECT{0, 0, 10, 10}, nullptr));
  EXPECT_EQ(plain->horizontalLineWidth, LayoutShell()->DefaultBoxWidth());
  auto* ellipse = doc.AddEllipseField(RECT{0, 0, 10, 10}, 1, 0, 0);
  EXPECT_EQ(ellipse->styleFlags, 1u);
  EXPECT_EQ(doc.AddEllipseField(RECT{0, 0, 10, 10}, 0, 0, 0)->styleFlags, 4u);
  EXPECT_EQ(doc.fieldList.size(), 5u);
  EXPECT_TRUE(doc.IsModified());
}

// The two values of a new ellipse or rounded rectangle are its outline
// thickness and corner radius; fill and circle stay off whatever they are,
// so every handle resizes the shape freely.
TEST(RvoDoc, NewEllipseTakesItsOutlineWidthAndCornerRadius) {
  const struct {
    int isEllipse;
    int32_t lineWidth, radius;
    uint32_t style;
  } cases[] = {{1, 13, 101, 1}, {0, 13, 11, 4}, {0, 40, 3, 4}, {1, 7, 0, 1}, {0, 13, 2047, 4}};
  for (const auto& c : cases) {
    CRvoDoc doc;
    auto* e = static_cast<CEllipseField*>(doc.AddEllipseField(RECT{100, 200, 600, 450}, c.isEllipse, c.lineWidth,
                                                               c.radius));
    SCOPED_TRACE(c.radius);
    ASSERT_EQ(e->kind, 9);
    EXPECT_EQ(e->styleFlags, c.style);
    EXPECT_EQ(e->line.width, c.lineWidth);
    EXPECT_EQ(e->cornerRadius, c.radius);
    EXPECT_EQ(e->shapeFlags, 0);
    EXPECT_EQ(e->line.style, 0);
    EXPECT_EQ(e->line.roundEnds, 0);
    EXPECT_EQ(e->ellipseSpare1, 0);
    EXPECT_EQ(e->ellipseSpare2, 0);
    EXPECT_EQ(e->GetResizeMode(nullptr), 1);
    EXPECT_EQ(e->width, 500);
    EXPECT_EQ(e->height, 250);
  }
}

TEST(RvoDoc, AddedFieldsGetTheirKindAndAnUndoStep) {
  CRvoDoc doc;
  EXPECT_EQ(doc.AddTextField(new CTextField()), 1);
  EXPECT_EQ(doc.AddBarcodeField(new CBarcodeField()), 1);
  EXPECT_EQ(doc.fieldList[1]->kind, ToWord(FieldKind::kBarcode));
  ASSERT_EQ(doc.undoList.Count(), 2);
  EXPECT_EQ(doc.undoList.At(1).kind, UndoKind::kAdded);
  EXPECT_EQ(doc.undoList.At(1).entries.at(0).index, 1);
  EXPECT_EQ(doc.GetNextUndo(), 1);
  EXPECT_EQ(doc.GetRedoPosition(), -1);
}

TEST(RvoDoc, ReplaceFieldPutsTheNewFieldInTheOldOnesPlace) {
  CRvoDoc doc;
  doc.AddLineField(RECT{0, 0, 1, 1});
  CField* old = doc.AddLineField(RECT{0, 0, 2, 2});
  auto* fresh = new CBoxField();
  EXPECT_EQ(doc.ReplaceField(old, fresh), 1);
  EXPECT_EQ(doc.fieldList[1].get(), fresh);
  CBoxField stranger;
  auto* unused = new CBoxField();
  EXPECT_EQ(doc.ReplaceField(&stranger, unused), 0);
  delete unused;
}

TEST(RvoDoc, DeleteAllOnlyBeepsWhileLocked) {
  CRvoDoc doc;
  doc.AddLineField(RECT{0, 0, 1, 1});
  doc.locked = 1;
  RecordedLayoutMessages recorded;
  doc.DeleteAllFields();
  EXPECT_EQ(recorded.shell().beeps, 1);
  EXPECT_EQ(doc.fieldList.size(), 1u);
  doc.locked = 0;
  doc.SetModifiedFlag(FALSE);
  doc.DeleteAllFields();
  EXPECT_TRUE(doc.fieldList.empty());
  EXPECT_TRUE(doc.IsModified());
}

// Undo twice, then a new step: the two undone steps are gone.
TEST(UndoList, ANewStepDropsTheUndoneOnes) {
  UndoList list;
  for (int i = 0; i < 4; ++i) list.Record(UndoRecord{UndoKind::kAdded, {UndoFieldEntry{i}}});
  EXPECT_EQ(list.NextUndo(), 3);
  list.SetUndoPosition(2);  // steps 2 and 3 undone
  EXPECT_EQ(list.NextUndo(), 1);
  EXPECT_EQ(list.RedoPosition(), 2);
  UndoRecord removed{UndoKind::kRemoved, {UndoFieldEntry{0, new CLineField()}}};
  list.Record(removed);
  EXPECT_EQ(list.Count(), 3);
  EXPECT_EQ(list.RedoPosition(), -1);
  EXPECT_EQ(list.At(2).kind, UndoKind::kRemoved);
  list.SetUndoPosition(0);
  EXPECT_EQ(list.NextUndo(), -1);  // the head undone: nothing before it
  list.Clear();                   // the removed line goes with its record
  EXPECT_EQ(list.NextUndo(), -1);
  EXPECT_EQ(list.RedoPosition(), -1);
}

TEST(UndoList, RecordingWithNothingUndoneOnlyAppends) {
  UndoList list;
  EXPECT_EQ(list.NextUndo(), -1);
  list.Record(UndoRecord{UndoKind::kMoved, {UndoFieldEntry{0, nullptr, {5, 6}, 9000}}});
  list.Record(UndoRecord{UndoKind::kAdded, {}});
  EXPECT_EQ(list.Count(), 2);
  EXPECT_EQ(list.At(0).entries[0].point.x, 5);
  EXPECT_EQ(list.At(0).entries[0].value, 9000);
}

}  // namespace

#include "doc_test_support.h"

namespace {

// The last printer of the profile's "Config" section.
class PrinterProfileApp : public doc_test::ScriptedApp {
 public:
  int GetProfileInt(const char* section, const char* key, int d) override {
    if (std::string(section) == "Config" && std::string(key) == "dpiX") return dpiX;
    if (std::string(section) == "Config" && std::string(key) == "dpiY") return dpiY;
    return d;
  }
  int dpiX = 0;
  int dpiY = 0;
};

TEST(RvoDoc, ANewDocumentTakesTheRememberedResolutionOr300) {
  struct Case {
    int x, y, wantX, wantY;
  };
  const Case cases[] = {{0, 0, 300, 300}, {203, 203, 203, 203}, {0, 600, 300, 300}, {600, 300, 600, 300}};
  for (const Case& c : cases) {
    PrinterProfileApp app;
    app.dpiX = c.x;
    app.dpiY = c.y;
    CRvoDoc doc;
    EXPECT_EQ(doc.labelSetup.dpiX, c.wantX) << c.x << " " << c.y;
    EXPECT_EQ(doc.labelSetup.dpiY, c.wantY) << c.x << " " << c.y;
    EXPECT_EQ(doc.labelSetup.IsSysPrinter, 1);
  }
}

}  // namespace
