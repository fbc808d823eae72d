#include "fields/model/field_picture.h"

#include <sys/stat.h>

#include "fields/model/field_kinds.h"
#include "fields/richtext/rtf_field.h"
#include "image/bitmap/plwinbmp.h"
#include "image/decode/planydec.h"
#include "image/filter/plfiltercontrast.h"
#include "image/filter/plfilterflip.h"
#include "image/filter/plfilterlightness.h"
#include "image/filter/plfiltermirror.h"
#include "image/filter/plfiltervideoinvert.h"

namespace {

bool FileExists(const AString& path) {
  struct stat st;
  return !path.IsEmpty() && ::stat(path.GetData(), &st) == 0 && S_ISREG(st.st_mode);
}

}  // namespace

bool CFieldPicture::IsCacheValid() const {
  if (!owner || !bitmap) return false;
  if (owner->IsKind(FieldKind::kImage)) {
    AString path;
    owner->GetFilePath(path);
    return FileExists(path);
  }
  return owner->IsKind(FieldKind::kRtf);
}

std::unique_ptr<PLBmp> BuildFieldPicture(const CField& owner) {
  if (owner.IsKind(FieldKind::kRtf)) return BuildRtfFieldPicture(static_cast<const CRtfField&>(owner), nullptr);
  if (!owner.IsKind(FieldKind::kImage)) return nullptr;
  AString path;
  owner.GetFilePath(path);
  if (!FileExists(path)) return nullptr;
  auto bmp = std::make_unique<PLWinBmp>();
  try {
    PLAnyPicDecoder decoder;
    if (!decoder.MakeBmpFromFile(path.GetData(), bmp.get(), 32)) return nullptr;
  } catch (...) {
    return nullptr;
  }
  if (bmp->GetWidth() <= 0 || bmp->GetHeight() <= 0) return nullptr;
  return bmp;
}

PLBmp* CFieldPicture::GetBitmap(int mode, int noContrast, int dim, int force, const int* sizeXY) {
  const bool dimmed = dim && owner && (owner->rotation == 0 || owner->IsKind(FieldKind::kOle));
  const bool printContrast = mode != 0 && mode != 2 && !noContrast;
  if (bitmap) {
    // A cached picture is kept only when it was made the way it is wanted
    // now: plain for the screen, with the print contrast or dimmed otherwise.
    const bool wantPlain = !dimmed && !printContrast;
    const bool mismatch = (plainPicture != 0) != wantPlain;
    if (force || mismatch) {
      FreeBitmaps(1);
    } else if (sizeXY && (bitmap->GetWidth() != sizeXY[0] || bitmap->GetHeight() != sizeXY[1])) {
      FreeBitmaps(1);
    }
  }
  if (IsCacheValid()) return bitmap.get();
  if (!owner) return nullptr;
  bitmap = BuildFieldPicture(*owner);
  if (!bitmap) return nullptr;
  plainPicture = 1;
  const bool oneBit = bitmap->GetBitsPerPixel() == 1;
  if (!oneBit) {
    if (lightness != 0) PLFilterLightness(lightness).ApplyInPlace(bitmap.get());
    // Floating point on purpose: the factor of 20 is 1.2, not 1.
    if (contrast != 0) PLFilterContrast((contrast + 100) / 100.0, 125).ApplyInPlace(bitmap.get());
  }
  if (invert) PLFilterVideoInvert().ApplyInPlace(bitmap.get());
  if (printContrast && !oneBit) {
    PLFilterContrast(1.5, 128).ApplyInPlace(bitmap.get());
    plainPicture = 0;
  }
  if (dimmed) {
    PLFilterLightness(60).ApplyInPlace(bitmap.get());
    plainPicture = 0;
  }
  return bitmap.get();
}

void MirrorFlipBitmap(PLBmp& bitmap, unsigned flags) {
  if (flags & 1) PLFilterMirror().ApplyInPlace(&bitmap);
  if (static_cast<uint8_t>(flags) >= 2) PLFilterFlip().ApplyInPlace(&bitmap);
}
