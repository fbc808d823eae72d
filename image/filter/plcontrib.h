// Resampling kernels and the two-pass scaler.
#pragma once

#include <cmath>
#include <cstdint>
#include <vector>

#include "image/bitmap/plpixel32.h"

class PLContribDef {
 public:
  explicit PLContribDef(double width) : m_Width(width) {}
  virtual ~PLContribDef() = default;
  virtual double Filter(double x) const = 0;
  double GetWidth() const { return m_Width; }

 private:
  double m_Width;
};

// Weight 1 within half a pixel, else 0.
class PLBoxContribDef : public PLContribDef {
 public:
  explicit PLBoxContribDef(double width = 0.5) : PLContribDef(width) {}
  double Filter(double x) const override { return std::fabs(x) > GetWidth() ? 0.0 : 1.0; }
};

// Pixel traits: 4-byte blue, green, red, alpha pixels, every byte resampled.
struct CDataRGBA_UBYTE {
  using Pixel = PLPixel32;
  static constexpr int kChannels = 4;
  static uint8_t Get(const Pixel& p, int ch) { return (&p.b)[ch]; }
  static void Set(Pixel& p, int ch, uint8_t v) { (&p.b)[ch] = v; }
};

// Weights of one output index: source indexes left..right, in 1/256.
struct PLLineContrib {
  int left = 0;
  int right = -1;
  std::vector<int> weights;
};

// Builds the weight table for resampling a line of srcSize to dstSize.
std::vector<PLLineContrib> CalcContributions(int dstSize, int srcSize, const PLContribDef& kernel);

template <class DataClass>
class C2PassScale {
 public:
  using Pixel = typename DataClass::Pixel;
  using ProgressFn = bool (*)(int percent);

  explicit C2PassScale(const PLContribDef& kernel, ProgressFn progress = nullptr)
      : m_Kernel(kernel), m_Progress(progress) {}
  virtual ~C2PassScale() = default;

  // Rows of the source (srcW x srcH) to rows of the target (dstW x dstH).
  void Scale(Pixel* const* src, int srcW, int srcH, Pixel* const* dst, int dstW, int dstH) {
    std::vector<Pixel> temp(size_t(dstW) * size_t(srcH));
    auto horizontal = CalcContributions(dstW, srcW, m_Kernel);
    for (int y = 0; y < srcH && !m_bAbort; ++y)
      for (int x = 0; x < dstW; ++x) temp[size_t(y) * dstW + x] = Blend(horizontal[x], [&](int i) { return src[y][i]; });
    horizontal.clear();
    auto vertical = CalcContributions(dstH, srcH, m_Kernel);
    for (int x = 0; x < dstW && !m_bAbort; ++x)
      for (int y = 0; y < dstH; ++y)
        dst[y][x] = Blend(vertical[y], [&](int i) { return temp[size_t(i) * dstW + x]; });
  }

 private:
  template <class Get>
  static Pixel Blend(const PLLineContrib& c, Get get) {
    Pixel out{};
    for (int ch = 0; ch < DataClass::kChannels; ++ch) {
      long sum = 0;
      for (int i = c.left; i <= c.right; ++i) sum += long(c.weights[size_t(i - c.left)]) * DataClass::Get(get(i), ch);
      long v = (sum + 128) / 256;
      DataClass::Set(out, ch, uint8_t(v < 0 ? 0 : (v > 255 ? 255 : v)));
    }
    return out;
  }

  const PLContribDef& m_Kernel;
  ProgressFn m_Progress;
  bool m_bAbort = false;
};
