// Conversions between red-green-blue and hue-saturation-luminosity on the
// colour dialog's scales, in integers so a colour survives a round trip.
#include <algorithm>
#include <cmath>

#include "platform/comdlg/colour_model.h"

namespace comdlg {

const std::array<COLORREF, 48> kBasicColours = {
    RGB(255, 128, 128), RGB(255, 255, 128), RGB(128, 255, 128), RGB(0, 255, 128),
    RGB(128, 255, 255), RGB(0, 128, 255),   RGB(255, 128, 192), RGB(255, 128, 255),
    RGB(255, 0, 0),     RGB(255, 255, 0),   RGB(128, 255, 0),   RGB(0, 255, 64),
    RGB(0, 255, 255),   RGB(0, 128, 192),   RGB(128, 128, 192), RGB(255, 0, 255),
    RGB(128, 64, 64),   RGB(255, 128, 64),  RGB(0, 255, 0),     RGB(0, 128, 128),
    RGB(0, 64, 128),    RGB(128, 128, 255), RGB(128, 0, 64),    RGB(255, 0, 128),
    RGB(128, 0, 0),     RGB(255, 128, 0),   RGB(0, 128, 0),     RGB(0, 128, 64),
    RGB(0, 0, 255),     RGB(0, 0, 160),     RGB(128, 0, 128),   RGB(128, 0, 255),
    RGB(64, 0, 0),      RGB(128, 64, 0),    RGB(0, 64, 0),      RGB(0, 64, 64),
    RGB(0, 0, 128),     RGB(0, 0, 64),      RGB(64, 0, 64),     RGB(64, 0, 128),
    RGB(0, 0, 0),       RGB(64, 64, 64),    RGB(96, 96, 96),    RGB(128, 128, 128),
    RGB(160, 160, 160), RGB(192, 192, 192), RGB(224, 224, 224), RGB(255, 255, 255),
};

namespace {

int Red(COLORREF c) { return static_cast<int>(c & 0xFF); }
int Green(COLORREF c) { return static_cast<int>((c >> 8) & 0xFF); }
int Blue(COLORREF c) { return static_cast<int>((c >> 16) & 0xFF); }

double HueToChannel(double p, double q, double t) {
  if (t < 0) t += 1;
  if (t > 1) t -= 1;
  if (t < 1.0 / 6) return p + (q - p) * 6 * t;
  if (t < 0.5) return q;
  if (t < 2.0 / 3) return p + (q - p) * (2.0 / 3 - t) * 6;
  return p;
}

BYTE Channel(double v) { return static_cast<BYTE>(std::clamp(static_cast<int>(std::lround(v * 255)), 0, 255)); }

}  // namespace

Hls ToHls(COLORREF colour) {
  const double r = Red(colour) / 255.0, g = Green(colour) / 255.0, b = Blue(colour) / 255.0;
  const double high = std::max({r, g, b}), low = std::min({r, g, b});
  const double l = (high + low) / 2;
  Hls out;
  out.lum = static_cast<int>(std::lround(l * kHlsMax));
  if (high == low) {
    out.hue = 160;  // the hue greys are shown with, as the scale's custom has it
    return out;
  }
  const double d = high - low;
  const double s = l > 0.5 ? d / (2 - high - low) : d / (high + low);
  double h = 0;
  if (high == r) h = (g - b) / d + (g < b ? 6 : 0);
  else if (high == g) h = (b - r) / d + 2;
  else h = (r - g) / d + 4;
  h /= 6;
  out.hue = static_cast<int>(std::lround(h * (kHueMax + 1))) % (kHueMax + 1);
  out.sat = static_cast<int>(std::lround(s * kHlsMax));
  return out;
}

COLORREF FromHls(const Hls& hls) {
  const double l = std::clamp(hls.lum, 0, kHlsMax) / static_cast<double>(kHlsMax);
  const double s = std::clamp(hls.sat, 0, kHlsMax) / static_cast<double>(kHlsMax);
  const double h = std::clamp(hls.hue, 0, kHueMax) / static_cast<double>(kHueMax + 1);
  if (s == 0) return RGB(Channel(l), Channel(l), Channel(l));
  const double q = l < 0.5 ? l * (1 + s) : l + s - l * s;
  const double p = 2 * l - q;
  return RGB(Channel(HueToChannel(p, q, h + 1.0 / 3)), Channel(HueToChannel(p, q, h)),
             Channel(HueToChannel(p, q, h - 1.0 / 3)));
}

}  // namespace comdlg
