// Field geometry: unit conversions, handle codes and hits of turned fields,
// overlaps, flipping and thickness by handle, and the list operations.
#include <gtest/gtest.h>

#include <cmath>

#include "fields/draw/field_draw.h"
#include "fields/geometry/field_geometry.h"
#include "fields/geometry/field_outline.h"
#include "fields/geometry/units.h"
#include "fields/model/field_kinds.h"
#include "fields/services/label_setup.h"

namespace {

TEST(FieldUnits, MilsToDeviceAndBack) {
  struct { int mils, dpi, device; } cases[] = {{1, 300, 0}, {2, 300, 1}, {1000, 300, 300}, {-2, 300, 0},
                                               {-5, 300, -1}, {1000, 203, 203}, {4000, 600, 2400}};
  for (auto c : cases) EXPECT_EQ(MilsToDevice(c.mils, c.dpi), c.device) << c.mils << " at " << c.dpi;
  EXPECT_EQ(DeviceToMils(300, 300), 1000);
  EXPECT_EQ(DeviceToMils(1, 300), 3);
  EXPECT_EQ(DeviceToMils(1, 203), 5);
}

// Pixels at a tiny resolution read from a file give more mils than 32 bits
// hold: the conversion saturates instead of overflowing.
TEST(FieldUnits, DeviceToMilsSaturates) {
  struct { int64_t pixels; int dpi; int32_t mils; } cases[] = {
      {2950000, 1, 2000000000},  {-2950000, 1, -2000000000}, {1999999, 1, 1999999000},
      {int64_t{1} << 40, 300, 2000000000}, {600, 300, 2000}, {5, 0, 0}};
  for (auto c : cases) EXPECT_EQ(DeviceToMils(c.pixels, c.dpi), c.mils) << c.pixels << " at " << c.dpi;
}

TEST(FieldUnits, LabelCornerSizeAndQuarterTurns) {
  EXPECT_EQ(GetLabelCornerSize(4000, 2500), 83);
  EXPECT_EQ(GetLabelCornerSize(300, 300), 20);
  struct { int angle, dx, dy; } turns[] = {{0, 7, 0}, {90000, 0, -7}, {180000, -7, 0}, {270000, 0, 7}, {45000, 7, 0}};
  for (auto t : turns) {
    int dx = 0, dy = 0;
    QuarterTurnOffset(7, t.angle, &dx, &dy);
    EXPECT_EQ(dx, t.dx) << t.angle;
    EXPECT_EQ(dy, t.dy) << t.angle;
  }
}

std::unique_ptr<CBoxField> Box(int rotation) {
  auto b = std::make_unique<CBoxField>();
  b->offset = {1000, 1000};
  b->width = 1000;
  b->height = 600;
  b->horizontalLineWidth = 100;
  b->verticalLineWidth = 100;
  b->SetRotation(rotation);
  return b;
}

TEST(FieldHitTest, HandlesOfAnUnturnedBox) {
  auto box = Box(0);
  struct { int x, y, code; } cases[] = {
      {1000, 1000, 11}, {1500, 1000, 12}, {2000, 1000, 13}, {1000, 1300, 21}, {2000, 1300, 23},
      {1000, 1600, 31}, {1500, 1600, 32}, {2000, 1600, 33},
      {1750, 1100, 5},  // point 8: min(left + 750, right - side - 4), top + border
      {1100, 1150, 6},  // point 9: left + side, max(top + 150, 4 + top + border)
      {1500, 1300, 0},  // inside: a box hits only on its border
      {1050, 1400, 1},  // on the border
      {1200, 1000, 1},  // on the outer edge
      {1200, 1100, 0},  // on the inner edge: inside
      {900, 1300, 0},   // outside
  };
  for (auto c : cases) EXPECT_EQ(HitTestField(c.x, c.y, 4, *box, nullptr), c.code) << c.x << "," << c.y;
}

TEST(FieldHitTest, TurnedBoxesAndShapes) {
  // Turned a quarter counter-clockwise about (1000, 1000): x 1000..1600, y 0..1000.
  auto box = Box(90000);
  struct { int x, y, code; } cases[] = {
      {1000, 1000, 11}, {1000, 0, 13}, {1600, 1000, 31}, {1600, 0, 33},
      {1300, 500, 0}, {1050, 500, 1}, {1300, 950, 1}, {1700, 500, 0},
  };
  for (auto c : cases) EXPECT_EQ(HitTestField(c.x, c.y, 4, *box, nullptr), c.code) << c.x << "," << c.y;

  CEllipseField ellipse;
  ellipse.offset = {0, 0};
  ellipse.width = 1000;
  ellipse.height = 600;
  ellipse.line.width = 40;
  ellipse.shapeFlags = kShapeFillInside;
  EXPECT_EQ(HitTestField(500, 300, 4, ellipse, nullptr), 1);
  EXPECT_EQ(HitTestField(60, 40, 2, ellipse, nullptr), 0);  // the bounding corner lies outside an ellipse
  ellipse.shapeFlags = 0;
  EXPECT_EQ(HitTestField(500, 300, 4, ellipse, nullptr), 0);  // unfilled: only its outline
  EXPECT_EQ(HitTestField(500, 15, 4, ellipse, nullptr), 1);
  CEllipseField rounded;
  rounded.width = 1000;
  rounded.height = 600;
  rounded.styleFlags = 4;
  rounded.cornerRadius = 50;
  rounded.shapeFlags = kShapeFillInside;
  rounded.line.width = 20;
  EXPECT_EQ(HitTestField(60, 60, 2, rounded, nullptr), 1);  // rectangles reach far into their corners
  EXPECT_EQ(HitTestField(500, 300, 4, rounded, nullptr), 1);
}

TEST(FieldGeometry, OverlapsOfTurnedFields) {
  auto a = Box(0);
  auto b = Box(0);
  b->offset = {1500, 1200};
  EXPECT_EQ(TestFieldOverlap(*a, *b), 0);  // both at right angles: never
  auto turned = Box(45000);
  turned->offset = {900, 1200};
  EXPECT_NE(TestFieldOverlap(*a, *turned), 0);
  auto far = Box(45000);
  far->offset = {9000, 9000};
  EXPECT_EQ(TestFieldOverlap(*a, *far), 0);
}

TEST(FieldGeometry, ResizeByHandleFlipsAndKeepsThicknessSound) {
  auto box = Box(0);
  box->SaveGeometry();
  ResizeFieldByHandle(*box, 11, 1400, 900, nullptr, 0, nullptr);  // past the opposite corner
  EXPECT_GT(box->width, 0);
  EXPECT_GT(box->height, 0);
  EXPECT_EQ(box->width, 400);
  EXPECT_EQ(box->height, 300);
  EXPECT_EQ(box->offset, (FieldPoint{2000, 1600}));

  auto small = Box(0);
  small->height = 8;
  small->SaveGeometry();
  ResizeFieldByHandle(*small, kHandleBoxHorizontal, 0, 50, nullptr, 0, nullptr);
  EXPECT_EQ(small->horizontalLineWidth, 0);  // half the height less 6 is below zero
  auto normal = Box(0);
  normal->SaveGeometry();
  ResizeFieldByHandle(*normal, kHandleBoxVertical, 30, 0, nullptr, 0, nullptr);
  EXPECT_EQ(normal->verticalLineWidth, 130);
  ResizeFieldByHandle(*normal, kHandleBoxVertical, -500, 0, nullptr, 0, nullptr);
  EXPECT_EQ(normal->verticalLineWidth, 10);

  RECT r{0, 0, 100, 100};
  ResizeRectByHandle(r, 33, 10, 20);
  EXPECT_EQ(r.right, 110);
  EXPECT_EQ(r.bottom, 120);
  ResizeRectByHandle(r, 11, 200, 0);
  EXPECT_EQ(r.left, 110);
  EXPECT_EQ(r.right, 200);
  ResizeRectByHandle(r, 7, 5, 5);
  EXPECT_EQ(r.left, 110);
}

TEST(FieldGeometry, AutoArrangeAndKeepingOnTheLabel) {
  CFieldList list;
  auto bar = std::make_unique<CBarcodeField>();
  bar->width = 2000;
  bar->height = 500;
  bar->offset = {3000, 3000};
  list.push_back(std::move(bar));
  CLabelSetup setup;
  ASSERT_EQ(AutoArrangeFields(list, setup), 1);
  EXPECT_EQ(setup.labelWidth, 2570);
  EXPECT_EQ(list[0]->offset, (FieldPoint{285, 135}));
  EXPECT_EQ(setup.labelHeight, 135 + 500 + 67 + 135);
  CFieldList empty;
  EXPECT_EQ(AutoArrangeFields(empty, setup), 0);

  CLabelSetup label;  // 4000 x 2500
  auto off = Box(0);
  off->offset = {5000, -900};
  off->height = 600;
  KeepFieldInsideLabel(*off, label);
  EXPECT_EQ(off->offset.x, 3000);  // left at W - W / 4
  EXPECT_EQ(off->offset.y, 625 - 600);  // bottom at H / 4
  EXPECT_EQ(GetFieldIndex(list, list[0].get()), 0);
  EXPECT_EQ(GetFieldIndex(list, off.get()), -1);
}

TEST(FieldGeometry, InflateTurnedAndCornerDistance) {
  auto box = Box(90000);
  InflateFieldRotated(*box, 10, 20);
  EXPECT_EQ(box->width, 1020);
  EXPECT_EQ(box->height, 640);
  EXPECT_EQ(box->offset, (FieldPoint{980, 1010}));  // (-10, -20) turned a quarter
  auto plain = Box(0);
  EXPECT_NEAR(GetFieldCornerDistance(*plain, true), std::hypot(1000.0, 600.0), 0.5);
  EXPECT_NEAR(GetFieldCornerDistance(*plain, false), 100.0, 0.5);  // the box's edge points 15..18
}

}  // namespace
