// Rotation by any angle (positive turns counter-clockwise on screen), with an
// optional frame size that scales the picture and an optional colour change of
// the copied pixels. Takes 24- and 32-bit sources.
#pragma once

#include "image/filter/plfilter.h"
#include "image/bitmap/plpoint.h"

// The background colour, bytes red, green, blue, alpha.
struct PLRotateColor {
  unsigned char r = 255, g = 255, b = 255, a = 0;
};

class PLFilterRotate : public PLFilter {
 public:
  // Null background: white with alpha 0; null frame (or width 0): the
  // source's size. colourMode is an AdjustColor mode (0: none). With
  // keepOutside set, target pixels outside the turned picture stay as Create
  // left them.
  PLFilterRotate(double angle, const PLRotateColor* background = nullptr, const PLPoint* frame = nullptr,
                 int colourMode = 0, int keepOutside = 0);
  ~PLFilterRotate() override = default;

  void Apply(PLBmp* source, PLBmp* target) override;

 private:
  double m_Angle;
  PLRotateColor m_Background;
  PLPoint m_Frame;
  int m_ColourMode;
  int m_KeepOutside;
};

// A point turned by degrees about (cx, cy), then moved by (ox, oy):
// x' = cx + (x - cx) cos a - (y - cy) sin a + ox, y' = cy + (y - cy) cos a + (x - cx) sin a + oy.
struct PLPointD {
  double x = 0, y = 0;
};
PLPointD RotatePoint(double x, double y, double degrees, double cx, double cy, double ox = 0, double oy = 0);

// Smallest and largest x and y of the points: {minX, minY, maxX, maxY}.
struct PLIntBox {
  int minX, minY, maxX, maxY;
};
PLIntBox BoundingBox(const PLPoint* points, int count);

inline void SwapInts(int& a, int& b) {
  int t = a;
  a = b;
  b = t;
}
