// Scripted sessions in the design view, driven through the test API at
// 96 dpi, checked against the expected field lists.
#include <gtest/gtest.h>

#include <random>

#include "platform/user/clipboard.h"
#include "platform/user/menus/menus.h"

#include "document/file/label_stream.h"
#include "fields/geometry/field_geometry.h"
#include "fields/geometry/field_outline.h"
#include "fields/measure/field_measure.h"
#include "view_session.h"

namespace {

using viewtest::Row;
using viewtest::Session;
using viewtest::ShellApp;

constexpr int kBox = 1, kLine = 0, kText = 2, kEllipse = 9;

class DesignViewSession : public ::testing::Test {
 protected:
  ShellApp app;
};

TEST_F(DesignViewSession, DrawingShapes) {
  Session s(4000, 2500);
  struct Case {
    UINT command;
    int kind;
  } cases[] = {{viewcmd::kAddBox, kBox}, {viewcmd::kAddLine, kLine}, {viewcmd::kAddEllipse, kEllipse},
               {viewcmd::kAddRoundRect, kEllipse}};
  std::vector<Row> expected;
  int y = 15;
  for (const auto& c : cases) {
    s.Command(c.command);
    EXPECT_EQ(s.view->EditMode(), c.command == viewcmd::kAddLine ? kModeDrawLine : kModeDrawShape);
    // 150 pixels per inch: 30 pixels are 200 mils.
    uitest::Drag(s.hwnd(), {30, y}, {180, y + 75});
    for (auto& r : expected) r.selected = false;
    if (c.kind == kLine) {
      // A line runs between the drag's two points, as thick as a box's side
      // (12 mils): 1118 mils long, turned by -26.565 degrees, its top-left
      // corner half the thickness off the start.
      expected.push_back({kLine, 203, y * 1000 / 150 - 5, 1118, 12, 333435, true});
      POINT p[23];
      GetFieldOutline(p, 23, *s.doc->fieldList.back(), 0, 0, 0, 1000, 1000, 0);
      EXPECT_NEAR(p[3].x, 200, 1);
      EXPECT_NEAR(p[3].y, y * 1000 / 150, 1);
      EXPECT_NEAR(p[4].x, 1200, 1);
      EXPECT_NEAR(p[4].y, (y + 75) * 1000 / 150, 1);
    } else {
      expected.push_back({c.kind, 200, y * 1000 / 150, 1000, 500, 0, true});
    }
    EXPECT_EQ(s.Rows(), expected);
    EXPECT_EQ(s.view->EditMode(), kModeIdle);
    y += 90;
  }
  // A drag of no size still makes a field of 1 x 1.
  s.Command(viewcmd::kAddBox);
  uitest::Drag(s.hwnd(), {300, 300}, {300, 300});
  const Row last = s.Rows().back();
  EXPECT_EQ(last.kind, kBox);
  EXPECT_EQ(last.w, 1);
  EXPECT_EQ(last.h, 1);
  // The ellipse and the rounded rectangle differ in their style; both get a
  // 13-mil outline and a corner radius of a fifth of the shorter side
  // (500 mils), and are neither filled nor held to a circle.
  for (size_t i : {2u, 3u}) {
    const auto* e = static_cast<const CEllipseField*>(s.doc->fieldList[i].get());
    EXPECT_EQ(e->styleFlags, i == 2 ? 1u : 4u);
    EXPECT_EQ(e->line.width, 13);
    EXPECT_EQ(e->cornerRadius, 101);
    EXPECT_EQ(e->shapeFlags, 0);
  }
  // A small shape: 60 x 45 pixels are 400 x 300 mils, radius 61.
  s.Command(viewcmd::kAddRoundRect);
  uitest::Drag(s.hwnd(), {400, 300}, {460, 345});
  const auto* small = static_cast<const CEllipseField*>(s.doc->fieldList.back().get());
  ASSERT_EQ(small->kind, kEllipse);
  EXPECT_EQ(small->cornerRadius, 61);
  EXPECT_EQ(small->shapeFlags, 0);
  EXPECT_EQ(small->GetResizeMode(nullptr), 1);
}

TEST_F(DesignViewSession, PlacingAField) {
  Session s(4000, 2500);
  auto text = std::make_unique<CTextField>();
  text->width = 600;
  text->height = 200;
  s.view->StartPlacingField(kModePlaceText, std::move(text));
  EXPECT_EQ(s.view->EditMode(), kModePlaceText);
  uitest::MoveMouse(s.hwnd(), {100, 80});
  uitest::Click(s.hwnd(), {90, 60});
  ASSERT_EQ(s.doc->fieldList.size(), 1u);
  const Row r = s.Rows()[0];
  EXPECT_EQ(r.kind, kText);
  EXPECT_EQ(r.x, 600);
  EXPECT_EQ(r.y, 400);
  EXPECT_TRUE(r.selected);
  EXPECT_EQ(s.view->EditMode(), kModeIdle);
  EXPECT_EQ(s.doc->GetNextUndo(), 0);
  // Esc gives a field waiting to be placed up.
  s.view->StartPlacingField(kModePlaceBarcode, std::make_unique<CBarcodeField>());
  EXPECT_NE(s.view->PendingField(), nullptr);
  uitest::Key(VK_ESCAPE);
  EXPECT_EQ(s.view->EditMode(), kModeIdle);
  EXPECT_EQ(s.view->Selection().Count(), 0);
  uitest::Click(s.hwnd(), {300, 300});
  EXPECT_EQ(s.doc->fieldList.size(), 1u);
}

TEST_F(DesignViewSession, MoveByDragging) {
  Session s(4000, 2500);
  CField* box = s.Add<CBoxField>(500, 400, 1000, 500);
  s.Add<CBoxField>(2500, 1500, 500, 500);
  const POINT from = s.Body(box);
  uitest::Drag(s.hwnd(), from, {from.x + 30, from.y + 15});
  EXPECT_EQ(s.Rows(), (std::vector<Row>{{kBox, 700, 500, 1000, 500, 0, true}, {kBox, 2500, 1500, 500, 500, 0, false}}));
  // A click without movement records nothing.
  const int steps = s.doc->undoList.Count();
  uitest::Click(s.hwnd(), s.Body(box));
  EXPECT_EQ(s.doc->undoList.Count(), steps);
  EXPECT_TRUE(s.doc->IsModified());
}

TEST_F(DesignViewSession, ResizeByEachHandle) {
  struct Case {
    int code;
    POINT handle;  // mils of the handle of a 1000 x 500 box at (600, 600)
    Row after;
  } cases[] = {
      {11, {600, 600}, {kBox, 700, 700, 900, 400, 0, true}},   {12, {1100, 600}, {kBox, 600, 700, 1000, 400, 0, true}},
      {13, {1600, 600}, {kBox, 600, 700, 1100, 400, 0, true}}, {21, {600, 850}, {kBox, 700, 600, 900, 500, 0, true}},
      {23, {1600, 850}, {kBox, 600, 600, 1100, 500, 0, true}}, {31, {600, 1100}, {kBox, 700, 600, 900, 600, 0, true}},
      {32, {1100, 1100}, {kBox, 600, 600, 1000, 600, 0, true}}, {33, {1600, 1100}, {kBox, 600, 600, 1100, 600, 0, true}},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.code);
    Session s(4000, 2500);
    s.Add<CBoxField>(600, 600, 1000, 500);
    const POINT from = s.Px(c.handle.x, c.handle.y);
    // 15 pixels are 100 mils.
    uitest::Drag(s.hwnd(), from, {from.x + 15, from.y + 15});
    EXPECT_EQ(s.Rows(), (std::vector<Row>{c.after}));
    ASSERT_EQ(s.doc->undoList.Count(), 1);
    EXPECT_EQ(s.doc->undoList.At(0).kind, UndoKind::kChanged);
    s.view->ExecuteUndoStep(true);
    EXPECT_EQ(s.Rows(), (std::vector<Row>{{kBox, 600, 600, 1000, 500, 0, false}}));
  }
}

TEST_F(DesignViewSession, DraggingATextsSideWidensItsCharacters) {
  Session s(4000, 2500);
  EXPECT_EQ(s.view->LabelSetup(), &s.doc->labelSetup) << "refitting measures for the layout's printer";
  auto* t = s.Add<CTextField>(600, 600, 0, 0);
  t->data = "Wider";
  t->logFont.lfHeight = 14;
  const SIZE natural = MeasureField(*t, s.doc->fieldList, s.doc->labelSetup, 0);
  t->width = natural.cx;
  t->height = natural.cy;
  const POINT side = s.Px(600 + natural.cx, 600 + natural.cy / 2);
  // 30 pixels are 200 mils.
  uitest::Drag(s.hwnd(), side, {side.x + 30, side.y});
  EXPECT_GT(t->logFont.lfWidth, 10000) << "the characters widen to fill the box";
  EXPECT_GT(t->width, natural.cx + 100);
}

TEST_F(DesignViewSession, CornerOnlyFieldsIgnoreMiddleHandles) {
  Session s(4000, 2500);
  auto* e = s.Add<CEllipseField>(600, 600, 1000, 500);
  e->shapeFlags |= kShapeCircle;
  int second = 0;
  ASSERT_EQ(e->GetResizeMode(&second), kResizeCorners);
  const POINT middle = s.Px(1600, 850);
  uitest::Drag(s.hwnd(), middle, {middle.x + 15, middle.y});
  EXPECT_EQ(s.Rows()[0].w, 1000);
  const POINT corner = s.Px(1600, 1100);
  uitest::Drag(s.hwnd(), corner, {corner.x + 15, corner.y + 15});
  EXPECT_NE(s.Rows()[0].w, 1000);
}

TEST_F(DesignViewSession, RotateAQuarterTurnAboutTheCentre) {
  Session s(4000, 2500);
  s.Add<CBoxField>(500, 400, 1000, 500);
  s.Add<CBoxField>(2000, 400, 500, 500, 300000);
  s.Command(viewcmd::kEditSelectAll);
  s.Command(viewcmd::kRotate90);
  const auto rows = s.Rows();
  EXPECT_EQ(rows[0], (Row{kBox, 750, 1150, 1000, 500, 90000, true}));
  EXPECT_EQ(rows[1].rotation, 30000);
  // The turned box keeps the centre of its bounding box.
  const RECT b = GetFieldBoundingRect(*s.doc->fieldList[0], 0, 0, 0, 0);
  EXPECT_EQ((b.left + b.right) / 2, 1000);
  EXPECT_EQ((b.top + b.bottom) / 2, 650);
  // Back to 0 degrees turns the reference point back.
  s.view->Selection().Clear();
  s.view->Selection().Add(s.doc->fieldList[0].get());
  s.Command(viewcmd::kRotateTo0);
  EXPECT_EQ(s.Rows()[0], (Row{kBox, 500, 400, 1000, 500, 0, true}));
}

TEST_F(DesignViewSession, MovesSnapToTheGrid) {
  app.gridShown = true;
  app.gridSpacing = 100;
  struct Case {
    int dx;     // pixels at zoom 150
    int moved;  // mils the field moves
  } cases[] = {{26, 200}, {22, 100}, {-26, -200}, {-22, -100}, {5, 0}, {-5, 0}};
  for (const auto& c : cases) {
    SCOPED_TRACE(c.dx);
    Session s(4000, 2500);
    // Its left border covers the grid column at 1000 mils (150 pixels).
    CField* box = s.Add<CBoxField>(995, 1000, 500, 500);
    const POINT from = s.Px(1000, 1300);
    CField* hit = nullptr;
    ASSERT_EQ(s.view->HitTestFields(from.x, from.y, &hit), 1);
    uitest::Drag(s.hwnd(), from, {from.x + c.dx, from.y});
    EXPECT_EQ(s.Rows()[0].x, 995 + c.moved);
    EXPECT_EQ(s.Rows()[0].y, 1000);
    (void)box;
  }
}

TEST_F(DesignViewSession, WithoutTheGridMovesAreNotSnapped) {
  struct Case {
    bool shown;
    double spacing;
  } cases[] = {{false, 100.0}, {true, 0.001}, {true, 0.0}};
  for (const auto& c : cases) {
    app.gridShown = c.shown;
    app.gridSpacing = c.spacing;
    Session s(4000, 2500);
    CField* box = s.Add<CBoxField>(1000, 1000, 500, 500);
    const POINT from = s.Body(box);
    uitest::Drag(s.hwnd(), from, {from.x + 26, from.y});
    EXPECT_EQ(s.Rows()[0].x, 1000 + 26 * 1000 / 150) << c.shown << " " << c.spacing;
  }
}

TEST_F(DesignViewSession, ShiftClicksAndTheRubberBand) {
  Session s(4000, 2500);
  CField* a = s.Add<CBoxField>(300, 300, 400, 300);
  CField* b = s.Add<CBoxField>(1000, 300, 400, 300);
  s.Add<CBoxField>(2000, 1500, 400, 300);
  uitest::Click(s.hwnd(), s.Body(a));
  uitest::KeyDown(VK_SHIFT);
  uitest::Click(s.hwnd(), s.Body(b));
  uitest::KeyUp(VK_SHIFT);
  auto selected = [&] {
    std::vector<bool> out;
    for (const Row& r : s.Rows()) out.push_back(r.selected);
    return out;
  };
  EXPECT_EQ(selected(), (std::vector<bool>{true, true, false}));
  EXPECT_EQ(s.view->AnchorField(), s.doc->fieldList[0].get());
  // Ctrl on the anchor takes it out; the other becomes the anchor.
  uitest::KeyDown(VK_CONTROL);
  uitest::Click(s.hwnd(), s.Body(a));
  uitest::KeyUp(VK_CONTROL);
  EXPECT_EQ(selected(), (std::vector<bool>{false, true, false}));
  EXPECT_EQ(s.view->AnchorField(), s.doc->fieldList[1].get());
  // A click on empty space empties the selection.
  uitest::Click(s.hwnd(), s.Px(3500, 2200));
  EXPECT_EQ(selected(), (std::vector<bool>{false, false, false}));
  // A band around the first two; the third is only partly inside.
  uitest::Drag(s.hwnd(), s.Px(200, 200), s.Px(2200, 700));
  EXPECT_EQ(selected(), (std::vector<bool>{true, true, false}));
  uitest::Drag(s.hwnd(), s.Px(100, 100), s.Px(2300, 1700));
  EXPECT_EQ(selected(), (std::vector<bool>{true, true, false}));
}

TEST_F(DesignViewSession, OverlappingFieldsTheNarrowestWins) {
  Session s(4000, 2500);
  s.Add<CTextField>(200, 200, 2000, 1000);
  s.Add<CTextField>(500, 500, 300, 300);
  s.Add<CTextField>(500, 500, 300, 300);
  CField* hit = nullptr;
  POINT p = s.Px(650, 650);
  const POINT o = s.view->GetScrollOrigin();
  EXPECT_EQ(s.view->HitTestFields(p.x + o.x, p.y + o.y, &hit), 1);
  EXPECT_EQ(hit, s.doc->fieldList[1].get());
}

TEST_F(DesignViewSession, Nudges) {
  struct Case {
    int zoom;       // a 4000-mil label: 600 or 2000 pixels wide
    bool shift;
    int pixels;
  } cases[] = {{150, false, 3}, {150, true, 15}, {500, false, 10}, {500, true, 50}};
  for (const auto& c : cases) {
    SCOPED_TRACE(testing::Message() << c.zoom << (c.shift ? " shift" : ""));
    Session s(4000, 2500, c.zoom, {1200, 700});
    EXPECT_EQ(s.view->GetVisibleLabelExtent().cx, c.zoom == 150 ? 600 : 2000);
    CField* box = s.Add<CBoxField>(1000, 1000, 500, 500);
    uitest::Click(s.hwnd(), s.Body(box));
    const int before = s.Rows()[0].x;
    uitest::Key(VK_RIGHT, c.shift);
    EXPECT_EQ(s.Rows()[0].x - before, c.pixels * 1000 / c.zoom);
    uitest::Key(VK_DOWN, c.shift);
    EXPECT_EQ(s.Rows()[0].y - 1000, c.pixels * 1000 / c.zoom);
  }
}

TEST_F(DesignViewSession, CopyAGroupAndPasteItThriceIntoAnotherLayout) {
  Session from(4000, 2500);
  from.Add<CBoxField>(500, 400, 1000, 200);
  from.Add<CEllipseField>(500, 700, 1000, 200);
  from.Command(viewcmd::kEditSelectAll);
  from.Command(viewcmd::kEditCopy);
  Session to(4000, 2500);
  const POINT expected[] = {{722, 592}, {944, 784}, {1166, 976}};
  for (int i = 0; i < 3; ++i) {
    to.Command(viewcmd::kEditPaste);
    ASSERT_EQ(to.doc->fieldList.size(), static_cast<size_t>(2 * (i + 1)));
    const auto rows = to.Rows();
    EXPECT_EQ(rows[2 * i], (Row{kBox, expected[i].x, expected[i].y, 1000, 200, 0, true}));
    EXPECT_EQ(rows[2 * i + 1], (Row{kEllipse, expected[i].x, expected[i].y + 300, 1000, 200, 0, true}));
  }
  // Every paste is one step; undoing the last takes its two fields away.
  EXPECT_EQ(to.doc->undoList.Count(), 3);
  to.view->ExecuteUndoStep(true);
  EXPECT_EQ(to.doc->fieldList.size(), 4u);
}

TEST_F(DesignViewSession, DeleteThreeAndUndoRestoresTheirOrder) {
  Session s(4000, 2500);
  std::vector<CField*> fields;
  for (int i = 0; i < 5; ++i) fields.push_back(s.Add<CBoxField>(300 + 600 * i, 300, 400, 300));
  uitest::Click(s.hwnd(), s.Body(fields[1]));
  uitest::KeyDown(VK_SHIFT);
  uitest::Click(s.hwnd(), s.Body(fields[2]));
  uitest::Click(s.hwnd(), s.Body(fields[3]));
  uitest::KeyUp(VK_SHIFT);
  uitest::Key(VK_DELETE);
  ASSERT_EQ(s.doc->fieldList.size(), 2u);
  EXPECT_EQ(s.doc->fieldList[0].get(), fields[0]);
  EXPECT_EQ(s.doc->fieldList[1].get(), fields[4]);
  EXPECT_EQ(s.view->Selection().Count(), 0);
  s.Command(viewcmd::kEditUndo);
  ASSERT_EQ(s.doc->fieldList.size(), 5u);
  for (int i = 0; i < 5; ++i) EXPECT_EQ(s.doc->fieldList[i].get(), fields[i]) << i;
  s.Command(viewcmd::kEditRedo);
  EXPECT_EQ(s.doc->fieldList.size(), 2u);
  // Nothing more to redo: the command is disabled, and the step itself beeps.
  const int beeps = app.beeps;
  EXPECT_FALSE(s.view->ExecuteUndoStep(false));
  EXPECT_EQ(app.beeps, beeps + 1);
  EXPECT_EQ(s.doc->fieldList.size(), 2u);
}

TEST_F(DesignViewSession, BringToFrontKeepsTheOrderAndUndoes) {
  Session s(4000, 2500);
  std::vector<CField*> f;
  for (int i = 0; i < 4; ++i) f.push_back(s.Add<CBoxField>(300 + 500 * i, 300, 400, 300));
  const auto before = LabelStreamBytes(s.doc->labelSetup, s.doc->fieldList);
  s.view->Selection().Add(f[0]);
  s.view->Selection().Add(f[2]);
  s.Command(viewcmd::kBringToFront);
  std::vector<CField*> now;
  for (const auto& x : s.doc->fieldList) now.push_back(x.get());
  EXPECT_EQ(now, (std::vector<CField*>{f[1], f[3], f[0], f[2]}));
  s.Command(viewcmd::kPutToBack);
  now.clear();
  for (const auto& x : s.doc->fieldList) now.push_back(x.get());
  EXPECT_EQ(now, (std::vector<CField*>{f[0], f[2], f[1], f[3]}));
  // Restacking is undone like any other step.
  s.Command(viewcmd::kEditUndo);
  s.Command(viewcmd::kEditUndo);
  EXPECT_EQ(LabelStreamBytes(s.doc->labelSetup, s.doc->fieldList), before);
}

TEST_F(DesignViewSession, AlignCentreAndSpaceEvenly) {
  Session s(4000, 2500);
  s.Add<CBoxField>(0, 100, 100, 100);
  s.Add<CBoxField>(250, 400, 200, 100);
  s.Add<CBoxField>(900, 700, 100, 100);
  s.Command(viewcmd::kEditSelectAll);
  s.Command(viewcmd::kAcrossEvenly);
  // Widths 100, 200, 100 over 0..1000: gaps of 300, the middle field at 400.
  EXPECT_EQ(s.Rows()[0].x, 0);
  EXPECT_EQ(s.Rows()[1].x, 400);
  EXPECT_EQ(s.Rows()[2].x, 900);
  s.Command(viewcmd::kDownEvenly);
  EXPECT_EQ(s.Rows()[1].y, 400);
  s.Command(viewcmd::kEditUndo);
  s.Command(viewcmd::kEditUndo);
  EXPECT_EQ(s.Rows()[1].x, 250);
  // Align Left to the anchor, the back-most selected field; a locked field stays.
  s.doc->fieldList[2]->lockPosition = 1;
  s.view->ChooseAnchorField();
  s.Command(viewcmd::kAlignLeft);
  EXPECT_EQ(s.Rows()[1].x, 0);
  EXPECT_EQ(s.Rows()[2].x, 900);
  // Horizontal centre within the label of one field.
  s.view->Selection().Clear();
  s.view->Selection().Add(s.doc->fieldList[1].get());
  s.Command(viewcmd::kCenterInLabel);
  EXPECT_EQ(s.Rows()[1].x, 1900);
  s.Command(viewcmd::kVCenterInLabel);
  EXPECT_EQ(s.Rows()[1].y, 1200);
}

TEST_F(DesignViewSession, SpaceEvenlyNeedsThreeFields) {
  Session s(4000, 2500);
  s.Add<CBoxField>(0, 100, 100, 100);
  s.Add<CBoxField>(250, 400, 200, 100);
  s.Command(viewcmd::kEditSelectAll);
  s.Command(viewcmd::kAcrossEvenly);
  EXPECT_EQ(s.Rows()[1].x, 250);
  EXPECT_EQ(s.doc->undoList.Count(), 0);
}

TEST_F(DesignViewSession, ZoomCommands) {
  Session s(4000, 2500);
  std::vector<int> zooms;
  for (int i = 0; i < 3; ++i) {
    s.Command(viewcmd::kZoomIn);
    zooms.push_back(s.view->ZoomX());
  }
  EXPECT_EQ(zooms, (std::vector<int>{165, 181, 199}));
  s.view->SetZoom(22, 22);
  s.Command(viewcmd::kZoomOut);
  EXPECT_EQ(s.view->ZoomX(), 19);
  s.Command(viewcmd::kZoomOut);
  EXPECT_EQ(s.view->ZoomX(), 19);
  // Fit In Frame: 80 % of the 800-pixel width (at zoom 19 no scroll bar
  // takes any of it).
  s.Command(viewcmd::kFitInFrame);
  EXPECT_EQ(s.view->ZoomX(), 160);
  EXPECT_EQ(s.view->GetScrollOrigin().x, 0);
}

TEST_F(DesignViewSession, ScrollSizesAndThumbSnapping) {
  Session s(4000, 2500, 150, {400, 300});
  EXPECT_EQ(s.view->AppliedScrollSizes().total.cx, 615);
  EXPECT_EQ(s.view->AppliedScrollSizes().total.cy, 390);
  EXPECT_EQ(s.view->ScrollRange().cx, 922);
  EXPECT_EQ(s.view->ScrollRange().cy, 585);
  // A thumb dragged to 100 lands on 105, the next tenth of an inch.
  s.view->SendMessage(WM_HSCROLL, MAKEWPARAM(SB_THUMBTRACK, 100), 0);
  uitest::RunUntilIdle();
  EXPECT_EQ(s.view->GetScrollOrigin().x, 105);
  // A wheel turn of less than 110 does nothing; one notch scrolls a line.
  s.view->SendMessage(WM_MOUSEWHEEL, MAKEWPARAM(0, static_cast<WORD>(-100)), 0);
  uitest::RunUntilIdle();
  EXPECT_EQ(s.view->GetScrollOrigin().y, 0);
  s.view->SendMessage(WM_MOUSEWHEEL, MAKEWPARAM(0, static_cast<WORD>(-120)), 0);
  uitest::RunUntilIdle();
  EXPECT_EQ(s.view->GetScrollOrigin().y, 15);
}

TEST_F(DesignViewSession, UnitChangeMarksTheLayoutModified) {
  Session s(4000, 2500);
  s.doc->SetModifiedFlag(FALSE);
  s.Command(viewcmd::kUnitInch);
  EXPECT_FALSE(s.doc->IsModified());
  s.Command(viewcmd::kUnitMm);
  EXPECT_EQ(s.doc->labelSetup.DefaultUnits, 2);
  EXPECT_TRUE(s.doc->IsModified());
}

TEST_F(DesignViewSession, HoverAnchorAndSelectionForgetDeletedFields) {
  Session s(4000, 2500);
  CField* a = s.Add<CBoxField>(300, 300, 400, 300);
  CField* b = s.Add<CBoxField>(1000, 300, 400, 300);
  uitest::Click(s.hwnd(), s.Body(a));
  uitest::MoveMouse(s.hwnd(), s.Body(b));
  EXPECT_EQ(s.view->HoverField(), s.doc->fieldList[1].get());
  s.view->Selection().Add(s.doc->fieldList[1].get());
  uitest::Key(VK_DELETE);
  EXPECT_EQ(s.doc->fieldList.size(), 0u);
  EXPECT_EQ(s.view->HoverField(), nullptr);
  EXPECT_EQ(s.view->AnchorField(), nullptr);
  EXPECT_EQ(s.view->Selection().Count(), 0);
  s.Repaint();
}

TEST_F(DesignViewSession, CopyAndDropLandsAThirdUpAndLeftOfTheClick) {
  Session s(4000, 2500);
  CField* box = s.Add<CBoxField>(300, 300, 900, 600);
  s.view->Selection().Add(box);
  s.Command(viewcmd::kCopyAndDrop);
  EXPECT_EQ(s.view->EditMode(), kModeDrop);
  // The selection's bounds are 135 x 90 pixels (plus the handle size on
  // no side): the copy's top-left lands 45 and 30 pixels up and left.
  RECT bounds{};
  s.view->ForEachSelected(nullptr, &bounds, 0, nullptr);
  const int ox = (bounds.right - bounds.left) / 3, oy = (bounds.bottom - bounds.top) / 3;
  uitest::Click(s.hwnd(), {300, 200});
  ASSERT_EQ(s.doc->fieldList.size(), 2u);
  POINT expected{300 - ox, 200 - oy};
  s.view->PixelToLayout(expected, false);
  EXPECT_EQ(s.Rows()[1], (Row{kBox, expected.x, expected.y, 900, 600, 0, true}));
  EXPECT_EQ(s.view->EditMode(), kModeIdle);
  // With Shift held the drop goes on.
  s.Command(viewcmd::kCopyAndDrop);
  uitest::KeyDown(VK_SHIFT);
  uitest::Click(s.hwnd(), {400, 300});
  uitest::KeyUp(VK_SHIFT);
  EXPECT_EQ(s.view->EditMode(), kModeDrop);
  uitest::Key(VK_ESCAPE);
  EXPECT_EQ(s.view->EditMode(), kModeIdle);
  EXPECT_EQ(s.doc->fieldList.size(), 3u);
}

TEST_F(DesignViewSession, ResizeCursorsFollowTheRotation) {
  Session s(4000, 2500);
  s.Add<CBoxField>(600, 1600, 1000, 500, 90000);
  struct Case {
    int code;
    LPCSTR cursor;
  } cases[] = {{21, IDC_SIZENS}, {23, IDC_SIZENS}, {12, IDC_SIZEWE}, {11, IDC_SIZENESW}};
  POINT p[15];
  const POINT o = s.view->GetScrollOrigin();
  GetFieldOutline(p, 15, *s.doc->fieldList[0], s.view->HandleSize(), -o.x, -o.y, 150, 150, 0);
  const int index[] = {3, 4, 1, 0};
  for (int i = 0; i < 4; ++i) {
    uitest::MoveMouse(s.hwnd(), p[index[i]]);
    EXPECT_EQ(::GetCursor(), ::LoadCursorA(nullptr, cases[i].cursor)) << cases[i].code;
  }
}

TEST_F(DesignViewSession, ReaderModeRefusesAddingAndPasting) {
  app.readerMode = true;
  Session s(4000, 2500);
  s.Command(viewcmd::kAddBox);
  EXPECT_EQ(s.view->EditMode(), kModeIdle);
  s.Command(viewcmd::kEditPaste);
  EXPECT_TRUE(s.doc->fieldList.empty());
}

TEST_F(DesignViewSession, PlainHomeRepaintsThePicture) {
  Session s(4000, 2500, 400, {500, 400});
  ::SetScrollPos(s.hwnd(), SB_HORZ, 300, TRUE);
  s.Repaint();
  RECT update{};
  uitest::Key(VK_HOME);
  EXPECT_EQ(s.view->GetScrollOrigin().x, 0);
  // The whole view was repainted from the new position: the label's top-left
  // corner (rounded off, so desk coloured) is back at the client's corner.
  EXPECT_FALSE(::GetUpdateRect(s.hwnd(), &update, FALSE));
  EXPECT_EQ(uitest::ClientPixel(s.hwnd(), 0, 0), RGB(145, 155, 195));
}

TEST_F(DesignViewSession, FieldsTheDocumentDeletesLeaveTheSelection) {
  Session s(4000, 2500);
  CField* a = s.Add<CBoxField>(300, 300, 400, 300);
  s.view->Selection().Add(a);
  s.view->ChooseAnchorField();
  s.doc->DeleteAllFields();
  s.doc->UpdateAllViews(nullptr);
  EXPECT_EQ(s.view->Selection().Count(), 0);
  EXPECT_EQ(s.view->AnchorField(), nullptr);
  s.Repaint();
}

TEST_F(DesignViewSession, RubberBandScrollsAtTheEdge) {
  Session s(4000, 2500, 400, {500, 400});
  EXPECT_EQ(s.view->GetScrollOrigin().x, 0);
  RECT client;
  ::GetClientRect(s.hwnd(), &client);
  uitest::MouseDown(s.hwnd(), {100, 100});
  uitest::MoveMouse(s.hwnd(), {200, 150});
  uitest::MoveMouse(s.hwnd(), {client.right + 60, 200});
  uitest::MouseUp(s.hwnd(), {client.right + 60, 200});
  // One step of a tenth of an inch (40 pixels) for the move past the edge.
  EXPECT_EQ(s.view->GetScrollOrigin().x, 40);
  EXPECT_EQ(s.view->EditMode(), kModeIdle);
}

TEST_F(DesignViewSession, LosingTheFocusEndsAMode) {
  Session s(4000, 2500);
  s.Command(viewcmd::kAddLine);
  EXPECT_EQ(s.view->EditMode(), kModeDrawLine);
  ::SetFocus(s.frame->m_hWnd);
  uitest::RunUntilIdle();
  EXPECT_EQ(s.view->EditMode(), kModeIdle);
}

TEST_F(DesignViewSession, EndKeys) {
  Session s(4000, 2500, 400, {500, 400});
  ::SetScrollPos(s.hwnd(), SB_HORZ, 200, TRUE);
  uitest::Key(VK_END, false, true);
  EXPECT_EQ(s.view->GetScrollOrigin().x, 0);
  EXPECT_GT(s.view->GetScrollOrigin().y, 0);
  uitest::Key(VK_HOME, false, true);
  EXPECT_EQ(s.view->GetScrollOrigin().y, 0);
}

TEST_F(DesignViewSession, LockPositionKeepsFieldsInPlace) {
  Session s(4000, 2500);
  CField* box = s.Add<CBoxField>(1000, 1000, 500, 500);
  s.view->Selection().Add(box);
  s.Command(viewcmd::kLockPosition);
  EXPECT_EQ(box->lockPosition, 1);
  uitest::Key(VK_RIGHT);
  EXPECT_EQ(box->offset.x, 1000);
  s.Command(viewcmd::kLockPosition);
  EXPECT_EQ(box->lockPosition, 0);
  uitest::Key(VK_RIGHT);
  EXPECT_EQ(box->offset.x, 1020);
}

TEST_F(DesignViewSession, DragCopiesFollowThePointerBeforeTheRelease) {
  Session s(4000, 2500);
  CField* box = s.Add<CBoxField>(1000, 1000, 1000, 1000);
  const POINT from = s.Body(box);
  const POINT newLeft = s.Px(1000 + 400, 1500);  // 60 pixels right
  EXPECT_EQ(uitest::ClientPixel(s.hwnd(), newLeft.x, newLeft.y), RGB(255, 255, 255));
  uitest::MouseDown(s.hwnd(), from);
  uitest::MoveMouse(s.hwnd(), {from.x + 5, from.y});
  uitest::MoveMouse(s.hwnd(), {from.x + 60, from.y});
  // The field has not moved yet; its copy's left edge is drawn 60 pixels on.
  EXPECT_EQ(box->offset.x, 1000);
  EXPECT_NE(uitest::ClientPixel(s.hwnd(), newLeft.x, newLeft.y), RGB(255, 255, 255));
  uitest::MouseUp(s.hwnd(), {from.x + 60, from.y});
  EXPECT_EQ(box->offset.x, 1400);
  s.Repaint();
  EXPECT_EQ(uitest::ClientPixel(s.hwnd(), from.x, from.y), RGB(255, 255, 255));
}

TEST_F(DesignViewSession, TheFirstPaintFitsTheLabel) {
  Session s(4000, 2500, 0);
  RECT client;
  ::GetClientRect(s.hwnd(), &client);
  const auto fit = designview::FitZoom(client.right, client.bottom, 4000, 2500, 96, 96);
  ASSERT_TRUE(fit);
  EXPECT_EQ(s.view->ZoomX(), fit->cx);
  EXPECT_EQ(s.view->ZoomY(), fit->cy);
  // Later paints keep the zoom.
  s.view->SetZoom(150, 150);
  s.Repaint();
  EXPECT_EQ(s.view->ZoomX(), 150);
}

TEST_F(DesignViewSession, AClientOfNoSizeIsFittedAtTheFirstRealPaint) {
  Session s(4000, 2500, 0, {0, 0});
  EXPECT_EQ(s.view->ZoomX(), 150);
  s.view->MoveWindow(0, 0, 400, 300);
  s.Repaint();
  RECT client;
  ::GetClientRect(s.hwnd(), &client);
  const auto fit = designview::FitZoom(client.right, client.bottom, 4000, 2500, 96, 96);
  ASSERT_TRUE(fit);
  EXPECT_EQ(s.view->ZoomX(), fit->cx);
}

// Presses keys in the next menu loop once its popup is up.
class MenuKeys {
 public:
  explicit MenuKeys(std::vector<int> keys) : keys_(std::move(keys)) { user::SetMenuLoopHook(&MenuKeys::Hook, this); }
  ~MenuKeys() { user::SetMenuLoopHook(nullptr, nullptr); }
  bool shown = false;

 private:
  static void Hook(HWND, void* context) {
    auto* self = static_cast<MenuKeys*>(context);
    self->shown = true;
    for (int key : self->keys_) {
      uitest::KeyDown(key);
      uitest::KeyUp(key);
    }
  }
  std::vector<int> keys_;
};

TEST_F(DesignViewSession, RightClickSelectsTheFieldAndItsMenuDeletes) {
  Session s(4000, 2500);
  CField* a = s.Add<CBoxField>(300, 300, 400, 300);
  CField* b = s.Add<CBoxField>(1000, 300, 400, 300);
  s.view->Selection().Add(a);
  {
    MenuKeys escape({VK_ESCAPE});
    uitest::Click(s.hwnd(), s.Body(b), user::MouseButton::Right);
    EXPECT_TRUE(escape.shown);
  }
  EXPECT_EQ(s.view->Selection().Count(), 1);
  EXPECT_TRUE(s.view->Selection().Contains(b));
  EXPECT_EQ(s.view->AnchorField(), b);
  EXPECT_EQ(s.doc->fieldList.size(), 2u);
  {
    // Cut, Copy & Drop, Copy, Paste, Delete.
    MenuKeys del({VK_DOWN, VK_DOWN, VK_DOWN, VK_DOWN, VK_DOWN, VK_RETURN});
    // A little lower, so that the two clicks are not one double click.
    const POINT again{s.Body(b).x, s.Body(b).y + 8};
    uitest::Click(s.hwnd(), again, user::MouseButton::Right);
    uitest::RunUntilIdle();
    EXPECT_TRUE(del.shown);
  }
  ASSERT_EQ(s.doc->fieldList.size(), 1u);
  EXPECT_EQ(s.doc->fieldList[0].get(), a);
}

TEST_F(DesignViewSession, CopyToClipboardPutsTheLabelThere) {
  Session s(4000, 2500);
  s.Add<CBoxField>(300, 300, 1000, 500);
  s.doc->labelSetup.dpiX = s.doc->labelSetup.dpiY = 300;
  s.Command(viewcmd::kCopyToClipboard);
  ASSERT_TRUE(::OpenClipboard(s.hwnd()));
  HBITMAP bitmap = static_cast<HBITMAP>(::GetClipboardData(CF_BITMAP));
  BITMAP info{};
  ASSERT_NE(bitmap, nullptr);
  ::GetObjectA(bitmap, sizeof info, &info);
  ::CloseClipboard();
  EXPECT_EQ(info.bmWidth, 1200);
  EXPECT_EQ(info.bmHeight, 750);
  app.clipboardBitmap = false;
  s.Command(viewcmd::kCopyToClipboard);
  ASSERT_TRUE(::OpenClipboard(s.hwnd()));
  EXPECT_TRUE(::IsClipboardFormatAvailable(CF_ENHMETAFILE));
  ::CloseClipboard();
}

TEST_F(DesignViewSession, RandomEditsUndoToTheFirstBytesAndRedoToTheLast) {
  Session s(4000, 2500);
  std::mt19937 random(20261210);
  for (int i = 0; i < 6; ++i) s.Add<CBoxField>(200 + 550 * i, 200 + 300 * (i % 3), 400, 250);
  s.Add<CLineField>(300, 2000, 2000, 12);
  s.Add<CEllipseField>(2500, 1500, 800, 600);
  s.Repaint();
  const auto first = LabelStreamBytes(s.doc->labelSetup, s.doc->fieldList);
  ASSERT_FALSE(first.empty());
  auto pick = [&](int n) { return static_cast<int>(random() % static_cast<unsigned>(n)); };
  auto selectSome = [&] {
    s.view->Selection().Clear();
    const int n = static_cast<int>(s.doc->fieldList.size());
    if (n == 0) return;
    for (int k = 0; k <= pick(3); ++k) s.view->Selection().Add(s.doc->fieldList[static_cast<size_t>(pick(n))].get());
  };
  int steps = 0;
  for (int i = 0; i < 60; ++i) {
    selectSome();
    const int before = s.doc->undoList.Count();
    switch (pick(9)) {
      case 0: s.view->MoveOrResizeSelection(pick(60) - 30, pick(60) - 30, 0); break;
      case 1: {
        const int codes[] = {11, 12, 13, 21, 23, 31, 32, 33};
        s.view->MoveOrResizeSelection(pick(40) - 20, pick(40) - 20, codes[pick(8)]);
        break;
      }
      case 2: s.Command(viewcmd::kRotate90); break;
      case 3: s.Command(viewcmd::kAlignLeft); break;
      case 4: s.Command(viewcmd::kBringToFront); break;
      case 5: s.Command(viewcmd::kPutToBack); break;
      case 6: uitest::Key(VK_DELETE); break;
      case 7: s.Command(viewcmd::kAcrossEvenly); break;
      case 8:
        s.Command(viewcmd::kEditCopy);
        s.Command(viewcmd::kEditPaste);
        break;
    }
    steps += s.doc->undoList.Count() - before;
  }
  ASSERT_GT(steps, 20);
  const auto last = LabelStreamBytes(s.doc->labelSetup, s.doc->fieldList);
  while (s.view->ExecuteUndoStep(true)) {
  }
  EXPECT_EQ(LabelStreamBytes(s.doc->labelSetup, s.doc->fieldList), first);
  while (s.view->ExecuteUndoStep(false)) {
  }
  EXPECT_EQ(LabelStreamBytes(s.doc->labelSetup, s.doc->fieldList), last);
}

}  // namespace
