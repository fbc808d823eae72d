// A line drawn with the mouse runs between the two points of the drag in
// every direction: the middles of its turned left and right edges are the
// drag's start and end.
#include <gtest/gtest.h>

#include "document/view/view_metrics.h"
#include "fields/geometry/field_geometry.h"
#include "fields/model/field_kinds.h"

namespace {

struct LineCase {
  const char* name;
  POINT from, to;
  int length;
  int32_t rotation;
};

const LineCase kLines[] = {
    {"right", {100, 200}, {900, 200}, 800, 0},
    {"left", {900, 200}, {100, 200}, 800, 180000},
    {"down", {500, 100}, {500, 700}, 600, 270000},
    {"up", {500, 700}, {500, 100}, 600, 90000},
    {"down right", {0, 0}, {300, 400}, 500, 306870},
    {"up left", {300, 400}, {0, 0}, 500, 126870},
    {"no length", {50, 60}, {50, 60}, 1, 0},
};

class LineBetween : public ::testing::TestWithParam<LineCase> {};

TEST_P(LineBetween, EndsAtTheDragsPoints) {
  const LineCase& c = GetParam();
  const designview::LineGeometry g = designview::LineBetween(c.from, c.to, 20);
  EXPECT_EQ(g.rect.right - g.rect.left, c.length);
  EXPECT_EQ(g.rect.bottom - g.rect.top, 20);
  EXPECT_EQ(g.rotation, c.rotation);
  CLineField line;
  line.offset = {g.rect.left, g.rect.top};
  line.width = g.rect.right - g.rect.left;
  line.height = g.rect.bottom - g.rect.top;
  line.SetRotation(g.rotation);
  POINT p[23];
  GetFieldOutline(p, 23, line, 0, 0, 0, 1000, 1000, 0);
  // The middle of the left edge and of the right edge, within a unit of
  // rounding.
  EXPECT_NEAR(p[3].x, c.from.x, 1);
  EXPECT_NEAR(p[3].y, c.from.y, 1);
  if (c.length > 1) {
    EXPECT_NEAR(p[4].x, c.to.x, 1);
    EXPECT_NEAR(p[4].y, c.to.y, 1);
  }
}

INSTANTIATE_TEST_SUITE_P(Drags, LineBetween, ::testing::ValuesIn(kLines),
                         [](const ::testing::TestParamInfo<LineCase>& info) {
                           std::string name = info.param.name;
                           for (char& ch : name)
                             if (ch == ' ') ch = '_';
                           return name;
                         });

}  // namespace
