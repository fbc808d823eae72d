#include "image/filter/plfiltervideoinvert.h"

namespace {

struct Hsv {
  double h, s, v;
};

Hsv ToHsv(int r, int g, int b) {
  int max = r > g ? (r > b ? r : b) : (g > b ? g : b);
  int min = r < g ? (r < b ? r : b) : (g < b ? g : b);
  Hsv out{0, 0, double(max)};
  if (max == 0) return out;
  out.s = double(max - min) * 255.0 / max;
  if (out.s == 0) return out;
  double d = max - min;
  if (r == max) out.h = (g - b) / d;
  else if (g == max) out.h = (b - r) / d + 2;
  else out.h = (r - g) / d + 4;
  out.h *= 42.5;
  if (out.h < 0) out.h += 255;
  if (out.h > 255) out.h -= 255;
  return out;
}

PLBYTE ToByte(double v) { return PLBYTE(v < 0 ? 0 : (v > 255 ? 255 : v)); }

void FromHsv(const Hsv& c, PLPixel32& out) {
  if (int(c.s) == 0) {
    out.r = out.g = out.b = ToByte(c.v);
    return;
  }
  double h = c.h * 0.023529411764705882;
  int i = int(h);
  double f = h - i;
  if (i >= 6) { i = 0; f = 0; }  // hue 255 is hue 0
  double s = c.s * 0.00392156862745098, v = c.v * 0.00392156862745098;
  double p = (1 - s) * v * 255, q = v * (1 - s * f) * 255, t = v * (1 - s * (1 - f)) * 255, vv = v * 255;
  double r, g, b;
  switch (i) {
    case 0: r = vv; g = t; b = p; break;
    case 1: r = q; g = vv; b = p; break;
    case 2: r = p; g = vv; b = t; break;
    case 3: r = p; g = q; b = vv; break;
    case 4: r = t; g = p; b = vv; break;
    default: r = vv; g = p; b = q; break;
  }
  out.r = ToByte(r);
  out.g = ToByte(g);
  out.b = ToByte(b);
}

}  // namespace

void PLFilterVideoInvert::Apply(PLBmp* source, PLBmp* target) {
  if (source == target) {
    ApplyInPlace(source);
    return;
  }
  PLBmpLock srcLock(*source, true, false);
  if (!target->Create(source->GetWidth(), source->GetHeight(), source->GetBitsPerPixel(),
                      source->GetFileBitsPerPixel(), source->GetFileSize(), false, false, source->GetResolution()))
    return;
  PLBmpLock dstLock(*target, false, true);
  if (source->GetBitsPerPixel() != 32) return;  // other depths are only created
  PLPixel32** in = source->GetLineArray32();
  PLPixel32** out = target->GetLineArray32();
  for (int y = 0; y < source->GetHeight(); ++y)
    for (int x = 0; x < source->GetWidth(); ++x) {
      const PLPixel32& p = in[y][x];
      Hsv c = ToHsv(p.r, p.g, p.b);
      c.v = 255 - c.v;
      PLPixel32 q = p;  // the fourth byte stays the source's
      FromHsv(c, q);
      out[y][x] = q;
    }
}
