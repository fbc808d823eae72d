// The Layout Setup dialog driven headless: sizes typed in inches and
// millimetres, the rotation turning the layout, Cancel, and sizes outside the
// spinners' bounds refused.
#include <gtest/gtest.h>

#include <functional>
#include <memory>
#include <string>

#include "document/core/rvo_doc.h"
#include "document/layout/layout_setup_dialog.h"
#include "document/layout/quarter_turn.h"
#include "tests/document/recording_layout_shell.h"
#include "document/layout/unit_values.h"
#include "document/layout_shell.h"
#include "fields/model/field_kinds.h"
#include "platform/testing/png_writer.h"
#include "platform/testing/ui.h"

namespace {

// What to do with the dialog once it shows: fill it, then press a button.
struct Script {
  std::function<void(HWND)> fill;
  int button = IDOK;
  int shown = 0;
  // A refused OK leaves the dialog open: the second press is Cancel.
  bool cancelAfterRefusal = false;
};

void Hook(HWND dialog, void* context) {
  auto* s = static_cast<Script*>(context);
  ++s->shown;
  if (s->fill) s->fill(dialog);
  ::SendMessageA(::GetDlgItem(dialog, s->button), BM_CLICK, 0, 0);
  if (s->cancelAfterRefusal && ::IsWindow(dialog)) ::SendMessageA(::GetDlgItem(dialog, IDCANCEL), BM_CLICK, 0, 0);
}

int RunScripted(Script& script, CLabelSetup& setup, CFieldList& fields) {
  user::SetModalDialogHook(&Hook, &script);
  const int result = RunLayoutSetup(setup, fields);
  user::SetModalDialogHook(nullptr, nullptr);
  return result;
}

void Type(HWND dialog, int id, const char* text) { ::SetDlgItemTextA(dialog, id, text); }
void Select(HWND dialog, int id, int index) { ::SendDlgItemMessageA(dialog, id, CB_SETCURSEL, index, 0); }

struct SizeCase {
  const char* name;
  int units;
  const char* width;
  const char* height;
  int wantWidth;
  int wantHeight;
};

const SizeCase kSizes[] = {
    {"inches truncate, 2.0009 stays 2000", 1, "2.0009", "1.5", 2000, 1500},
    {"0.570 inches is 570, not 569", 1, "0.570", "3", 570, 3000},
    {"25.4 millimetres is one inch", 2, "25.4", "50.8", 1000, 2000},
};

TEST(LayoutSetup, SizesTypedInTheLayoutsUnit) {
  for (const SizeCase& c : kSizes) {
    SCOPED_TRACE(c.name);
    CLabelSetup setup;
    setup.DefaultUnits = static_cast<uint8_t>(c.units);
    CFieldList fields;
    Script script{[&](HWND d) {
      Type(d, kWidthEditId, c.width);
      Type(d, kHeightEditId, c.height);
    }};
    EXPECT_EQ(RunScripted(script, setup, fields), 2);
    EXPECT_EQ(setup.labelWidth, c.wantWidth);
    EXPECT_EQ(setup.labelHeight, c.wantHeight);
  }
}

TEST(LayoutSetup, OpensWithTheSetupsValues) {
  CLabelSetup setup;
  setup.labelWidth = 4000;
  setup.deflt_rotation = 2;
  setup.deflt_shape = 2;
  CFieldList fields;
  std::string width;
  LRESULT rotation = -1, shape = -1, shapes = 0;
  Script script{[&](HWND d) {
    char text[64] = {};
    ::GetDlgItemTextA(d, kWidthEditId, text, sizeof text);
    width = text;
    rotation = ::SendDlgItemMessageA(d, kRotationListId, CB_GETCURSEL, 0, 0);
    shape = ::SendDlgItemMessageA(d, kShapeListId, CB_GETCURSEL, 0, 0);
    shapes = ::SendDlgItemMessageA(d, kShapeListId, CB_GETCOUNT, 0, 0);
    ::RedrawWindow(d, nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_UPDATENOW | RDW_ALLCHILDREN);
    uitest::SaveWindowPng(d, tavtest::BuildFolderPng("layout_setup_dialog"));
  }, IDCANCEL};
  EXPECT_EQ(RunScripted(script, setup, fields), 0);
  EXPECT_EQ(width, "4.000");
  EXPECT_EQ(rotation, 2);
  EXPECT_EQ(shape, 2);
  EXPECT_EQ(shapes, 3);
}

TEST(LayoutSetup, OnlyTheRotationChangedTurnsTheLayoutAndAnswersOne) {
  CLabelSetup setup;
  CFieldList fields;
  auto text = std::make_unique<CTextField>();
  text->offset = {1000, 500};
  fields.push_back(std::move(text));
  Script script{[](HWND d) { Select(d, kRotationListId, 1); }};
  EXPECT_EQ(RunScripted(script, setup, fields), 1);
  EXPECT_EQ(setup.deflt_rotation, 1);
  EXPECT_EQ(setup.labelWidth, 2500);
  EXPECT_EQ(setup.labelHeight, 4000);
  EXPECT_EQ(fields[0]->offset.x, 500);
  EXPECT_EQ(fields[0]->offset.y, 3000);
  EXPECT_EQ(static_cast<CTextField&>(*fields[0]).logFont.lfEscapement, 900);
  EXPECT_EQ(setup.noDataConversion, 0);
}

TEST(LayoutSetup, FromTwoSeventyToZeroTurnsOnce) {
  EXPECT_EQ(QuarterTurnsBetween(3, 0), 1);
  EXPECT_EQ(QuarterTurnsBetween(0, 3), 3);
  CLabelSetup setup;
  setup.deflt_rotation = 3;
  CFieldList fields;
  Script script{[](HWND d) { Select(d, kRotationListId, 0); }};
  EXPECT_EQ(RunScripted(script, setup, fields), 1);
  EXPECT_EQ(setup.labelWidth, 2500);
  EXPECT_EQ(setup.labelHeight, 4000);
}

TEST(LayoutSetup, CancelChangesNothing) {
  CLabelSetup setup;
  CFieldList fields;
  Script script{[](HWND d) {
    Type(d, kWidthEditId, "9");
    Select(d, kRotationListId, 1);
  }, IDCANCEL};
  EXPECT_EQ(RunScripted(script, setup, fields), 0);
  EXPECT_EQ(setup.labelWidth, 4000);
  EXPECT_EQ(setup.deflt_rotation, 0);
}

struct RefusedCase {
  const char* name;
  const char* width;
};
const RefusedCase kRefused[] = {{"not a number", "wide"}, {"zero", "0"}, {"below 0.1 inch", "0.05"},
                                {"negative", "-2"},       {"above 1000 inches", "1000.5"}};

TEST(LayoutSetup, SizesOutsideTheSpinnersBoundsAreRefused) {
  for (const RefusedCase& c : kRefused) {
    SCOPED_TRACE(c.name);
    CLabelSetup setup;
    CFieldList fields;
    RecordedLayoutMessages recorded;
    Script script{[&](HWND d) { Type(d, kWidthEditId, c.width); }, IDOK, 0, true};
    EXPECT_EQ(RunScripted(script, setup, fields), 0);
    EXPECT_EQ(setup.labelWidth, 4000);
    ASSERT_EQ(recorded.shell().shownMessages.size(), 1u);
    EXPECT_NE(recorded.shell().shownMessages.back().find("0.100"), std::string::npos);
  }
  EXPECT_TRUE(IsLabelSizeInBounds(100));
  EXPECT_TRUE(IsLabelSizeInBounds(1'000'000));
  EXPECT_FALSE(IsLabelSizeInBounds(99));
}

TEST(LayoutSetup, AcceptedSetupMakesTheDocumentModified) {
  CRvoDoc doc;
  doc.SetModifiedFlag(FALSE);
  Script script{[](HWND d) { Type(d, kWidthEditId, "3"); }};
  user::SetModalDialogHook(&Hook, &script);
  EXPECT_EQ(RunLayoutSetup(doc), 2);
  user::SetModalDialogHook(nullptr, nullptr);
  EXPECT_TRUE(doc.IsModified());
  EXPECT_EQ(doc.labelSetup.labelWidth, 3000);
}

}  // namespace
