#include "app/controls/shape_preview.h"

#include <strings.h>
#include <sys/stat.h>

#include <algorithm>
#include <cmath>

#include "fields/model/field_picture.h"
#include "foundation/gdi_helpers/fit.h"
#include "foundation/geometry/rotation.h"
#include "image/decode/planydec.h"
#include "image/filter/agcnvtdither.h"
#include "image/filter/plfiltercontrast.h"
#include "image/filter/plfiltergrayscale.h"
#include "image/filter/plfilterlightness.h"
#include "image/filter/plfilterresize.h"
#include "image/filter/plfilterrotate.h"
#include "image/filter/plfiltervideoinvert.h"
#include "platform/gdi/gdi_owners.h"

namespace {

constexpr COLORREF kPreviewGrey = 0x808080;

bool IsFile(const char* path) {
  struct stat st {};
  return path && *path && ::stat(path, &st) == 0 && S_ISREG(st.st_mode);
}

}  // namespace

BEGIN_MESSAGE_MAP(CShapePreview, CStatic)
  ON_WM_ERASEBKGND()
  ON_WM_PAINT()
END_MESSAGE_MAP()

void CShapePreview::Decode() {
  m_picture = std::make_unique<PLWinBmp>();
  try {
    PLAnyPicDecoder decoder;
    if (!decoder.MakeBmpFromFile(m_fileName.GetData(), m_picture.get(), 32)) m_picture.reset();
  } catch (...) {
    m_picture.reset();
  }
  if (!m_picture || m_picture->GetWidth() <= 0 || m_picture->GetHeight() <= 0) {
    m_picture.reset();
    return;
  }
  // A one-bit file keeps its black and white.
  if (m_picture->GetFileBitsPerPixel() == 1) return;
  if (m_brightness != 0) PLFilterLightness(m_brightness).ApplyInPlace(m_picture.get());
  if (m_contrast != 0) PLFilterContrast((m_contrast + 100) / 100.0, 125).ApplyInPlace(m_picture.get());
}

void CShapePreview::Repaint(bool erase) {
  if (!m_hWnd) return;
  Invalidate(erase);
  UpdateWindow();
}

int CShapePreview::SetImageFile(const char* fileName, int mirror, int rotation, int brightness, int contrast,
                                int negative, int colourMode, int dither) {
  const bool reload = brightness != m_brightness || contrast != m_contrast;
  const bool rotationChanged = rotation != m_rotation;
  const bool lookChanged = rotationChanged || mirror != m_mirror || negative != m_negative ||
                           colourMode != m_colourMode || dither != m_dither;
  m_mirror = static_cast<BYTE>(mirror);
  m_rotation = rotation;
  m_brightness = brightness;
  m_contrast = contrast;
  m_negative = static_cast<BYTE>(negative);
  m_colourMode = static_cast<BYTE>(colourMode);
  m_dither = static_cast<BYTE>(dither);
  if (!IsFile(fileName)) {
    m_picture.reset();
    Repaint(true);
    return 0;
  }
  const bool nameChanged = strcasecmp(fileName, m_fileName.GetData()) != 0;
  if (nameChanged || !m_picture || reload) {
    m_fileName = fileName;
    Decode();
    Repaint(nameChanged || rotationChanged || !m_picture);
    return m_picture ? 1 : 0;
  }
  if (lookChanged) Repaint(rotationChanged);
  return 1;
}

BOOL CShapePreview::OnEraseBkgnd(CDC* dc) {
  RECT client{};
  GetClientRect(&client);
  UniqueBrush grey(CreateSolidBrush(kPreviewGrey));
  FillRect(dc->m_hDC, &client, grey.get());
  FrameRect(dc->m_hDC, &client, static_cast<HBRUSH>(GetStockObject(GRAY_BRUSH)));
  return TRUE;
}

RECT CShapePreview::DrawingRect(const RECT& client) const {
  RECT target = client;
  InflateRect(&target, -3, -3);
  if (!m_picture) return target;
  const int w = m_picture->GetWidth(), h = m_picture->GetHeight();
  int sw = w, sh = h;
  if (m_rotation != 0) {
    const RECT bounds = fdn_app::RotatedRectBounds(RECT{0, 0, w, h}, m_rotation / 1000.0);
    sw = bounds.right - bounds.left;
    sh = bounds.bottom - bounds.top;
    if (w == h) sw = sh = std::min(sw, sh);
  }
  RECT drawing{};
  fdn_app::FitRectKeepAspect(target, sw, sh, &drawing);
  return drawing;
}

void CShapePreview::OnPaint() {
  CPaintDC paint(this);
  if (!m_picture) return;
  RECT client{};
  GetClientRect(&client);
  const RECT drawing = DrawingRect(client);
  const int dw = drawing.right - drawing.left, dh = drawing.bottom - drawing.top;
  if (dw <= 0 || dh <= 0) return;
  if (m_picture->GetBitsPerPixel() != 32) {
    m_picture->StretchDraw(paint.m_hDC, drawing.left, drawing.top, dw, dh, SRCCOPY);
    return;
  }
  PLWinBmp shown;
  if (m_rotation == 0) {
    PLFilterResizeBox(dw, dh).Apply(m_picture.get(), &shown);
  } else {
    const double aspect = static_cast<double>(m_picture->GetHeight()) / m_picture->GetWidth();
    const SIZE unrotated = fdn_app::UnrotatedSizeFromBounds(drawing, m_rotation, aspect);
    PLWinBmp resized;
    PLFilterResizeBox(std::max<int>(1, unrotated.cx), std::max<int>(1, unrotated.cy)).Apply(m_picture.get(), &resized);
    PLFilterRotate(m_rotation / 1000.0).Apply(&resized, &shown);
  }
  MirrorFlipBitmap(shown, m_mirror);
  if (m_negative) PLFilterVideoInvert().ApplyInPlace(&shown);
  if (m_colourMode == 2) {
    PLFilterGrayscale().ApplyInPlace(&shown);
  } else if (m_colourMode == 1) {
    AgCnvtDither(m_dither).ApplyInPlace(&shown);
  }
  shown.Draw(paint.m_hDC, drawing.left, drawing.top, SRCCOPY);
}
