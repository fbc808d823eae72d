#include "image/filter/plfilterresize.h"

#include <algorithm>
#include <cmath>

#include "image/bitmap/planybmp.h"
#include "image/filter/plcontrib.h"

std::vector<PLLineContrib> CalcContributions(int dstSize, int srcSize, const PLContribDef& kernel) {
  std::vector<PLLineContrib> table(size_t(dstSize > 0 ? dstSize : 0));
  if (srcSize <= 0) return table;
  double scale = double(dstSize) / srcSize;
  double width = kernel.GetWidth();
  double fscale = 1.0;
  if (scale < 1.0) {
    fscale = scale;
    width = width / scale;
  }
  int window = 2 * int(std::ceil(width)) + 1;
  for (int i = 0; i < dstSize; ++i) {
    double centre = (i + 0.5) / scale - 0.5;
    int left = std::max(0, int(std::floor(centre - width)));
    int right = std::min(srcSize - 1, int(std::ceil(centre + width)));
    if (right - left + 1 > window) {
      if (left < srcSize) ++left;
      else --right;
    }
    PLLineContrib& c = table[size_t(i)];
    c.left = left;
    c.right = right;
    c.weights.assign(size_t(std::max(0, right - left + 1)), 0);
    int sum = 0;
    for (int l = left; l <= right; ++l) {
      int w = int(fscale * kernel.Filter(fscale * (centre - l)) * 256);
      c.weights[size_t(l - left)] = w;
      sum += w;
    }
    if (sum > 0 && !c.weights.empty()) {
      int others = 0;
      for (size_t k = 0; k + 1 < c.weights.size(); ++k) {
        c.weights[k] = c.weights[k] * 256 / sum;
        others += c.weights[k];
      }
      c.weights.back() = 256 - others;
    }
  }
  return table;
}

void PLFilterResizeBox::Apply(PLBmp* source, PLBmp* target) {
  if (source == target) {
    ApplyInPlace(source);
    return;
  }
  PLAnyBmp wide;
  PLBmp* src = source;
  if (source->GetBitsPerPixel() != 32) {
    wide.CreateCopy(*source, 32);
    src = &wide;
  }
  PLBmpLock srcLock(*src, true, false);
  if (!target->Create(m_NewWidth, m_NewHeight, 32, source->GetFileBitsPerPixel(), source->GetFileSize(),
                      src->HasAlpha(), src->IsGreyscale(), source->GetResolution()))
    return;
  PLBmpLock dstLock(*target, false, true);
  PLBoxContribDef kernel(0.5);
  C2PassScale<CDataRGBA_UBYTE> scaler(kernel);
  scaler.Scale(src->GetLineArray32(), src->GetWidth(), src->GetHeight(), target->GetLineArray32(), m_NewWidth,
               m_NewHeight);
}
