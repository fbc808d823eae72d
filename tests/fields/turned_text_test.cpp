// Turned text sits where unturned text sits in its outline. The ink of a
// measured text field is read back in the field's own frame (along and down
// the turned baseline from its position): at every angle and resolution it
// matches the unturned ink within two pixels, stays inside the outline, and
// its descenders reach the bottom of the measured box, so the text is drawn
// the size it was measured.
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>

#include "fields/draw/text_draw.h"
#include "fields/geometry/units.h"
#include "tests/fields/draw_fixture.h"

namespace {

struct InkFrame {
  double minU = 1e9, maxU = -1e9, minV = 1e9, maxV = -1e9;
};

// The ink's extent along (u) and down (v) the text from the field's position.
InkFrame DrawnInk(CTextField& t, const CLabelSetup& setup, int dpi, int canvasMils) {
  tavtest::TestCanvas canvas(MilsToDevice(canvasMils, dpi), MilsToDevice(canvasMils, dpi));
  DrawTextField(canvas.dc(), t, setup, 1, 0, 0, dpi, dpi, 0, 0);
  const double px = MilsToDevice(t.offset.x, dpi), py = MilsToDevice(t.offset.y, dpi);
  const double a = t.rotation / 1000.0 * M_PI / 180.0;
  InkFrame ink;
  for (int y = 0; y < canvas.height(); ++y)
    for (int x = 0; x < canvas.width(); ++x) {
      if (canvas.IsWhite(x, y)) continue;
      const double dx = x + 0.5 - px, dy = y + 0.5 - py;
      const double u = dx * std::cos(a) - dy * std::sin(a), v = dx * std::sin(a) + dy * std::cos(a);
      ink.minU = std::min(ink.minU, u);
      ink.maxU = std::max(ink.maxU, u);
      ink.minV = std::min(ink.minV, v);
      ink.maxV = std::max(ink.maxV, v);
    }
  return ink;
}

TEST(TurnedText, DrawsWhereUnturnedTextDrawsInItsOutline) {
  for (int dpi : fields_test::kDrawResolutions) {
    const CLabelSetup setup = fields_test::SetupAt(dpi);
    CTextField t;
    t.data = "Typing jq";  // descenders reach the bottom of the box
    t.logFont.lfHeight = 12;
    const SIZE m = MeasureField(t, {}, setup, 0);
    t.width = m.cx;
    t.height = m.cy;
    t.offset = {1000, 1000};
    const double w = MilsToDevice(t.width, dpi), h = MilsToDevice(t.height, dpi);
    const InkFrame upright = DrawnInk(t, setup, dpi, 2000);
    EXPECT_LE(upright.minU, 3) << dpi << ": starts at the left edge";
    EXPECT_GE(upright.maxV, h - 3) << dpi << ": drawn as high as measured";
    for (int angle : {30000, 90000, 135000, 180000, 270000, 315000}) {
      t.SetRotation(angle);
      const InkFrame turned = DrawnInk(t, setup, dpi, 2000);
      const auto where = testing::Message() << dpi << " dpi, " << angle / 1000 << " degrees";
      EXPECT_NEAR(turned.minU, upright.minU, 2) << where;
      EXPECT_NEAR(turned.maxU, upright.maxU, 2) << where;
      EXPECT_NEAR(turned.minV, upright.minV, 2) << where << ": not above the unturned text";
      EXPECT_NEAR(turned.maxV, upright.maxV, 2) << where;
      EXPECT_GE(turned.minU, -1.5) << where;
      EXPECT_LE(turned.maxU, w + 1.5) << where;
      EXPECT_GE(turned.minV, -1.5) << where;
      EXPECT_LE(turned.maxV, h + 1.5) << where;
    }
    t.SetRotation(0);
  }
}

}  // namespace
