#include "foundation/gdi_helpers/fit.h"

#include "foundation/geometry/truncate.h"

FOUNDATION_BEGIN

// An empty picture or box fits as the box itself (no division by zero).
int FitSizeKeepAspect(int boxW, int boxH, int srcW, int srcH, SIZE* out) {
  *out = {boxW, boxH};
  if (srcW <= 0 || srcH <= 0 || boxW <= 0 || boxH <= 0) return 1;
  if (static_cast<double>(srcH) / srcW >= static_cast<double>(boxH) / boxW)
    out->cx = TruncToInt(srcW / (static_cast<double>(srcH) / boxH));
  else
    out->cy = TruncToInt(srcH / (static_cast<double>(srcW) / boxW));
  return 1;
}

int FitRectKeepAspect(const RECT& rect, int srcW, int srcH, RECT* out) {
  *out = rect;
  const int W = rect.right - rect.left;
  const int H = rect.bottom - rect.top;
  if (srcW <= 0 || srcH <= 0 || W <= 0 || H <= 0) return 0;
  int off;
  if (static_cast<double>(srcH) / srcW >= static_cast<double>(H) / W) {
    off = (W - TruncToInt(srcW / (static_cast<double>(srcH) / H))) / 2;
    out->left += off;
    out->right -= off;
  } else {
    off = (H - TruncToInt(srcH / (static_cast<double>(srcW) / W))) / 2;
    out->top += off;
    out->bottom -= off;
  }
  return off;
}

FOUNDATION_END
