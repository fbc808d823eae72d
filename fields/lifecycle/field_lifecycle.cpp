#include "fields/lifecycle/field_lifecycle.h"

#include <algorithm>
#include <cstdint>

#include "fields/draw/field_draw.h"
#include "fields/geometry/field_geometry.h"
#include "fields/geometry/field_outline.h"
#include "fields/geometry/units.h"
#include "fields/measure/field_measure.h"
#include "fields/richtext/rich_text_host.h"
#include "fields/richtext/rtf_field.h"
#include "fields/services/label_setup.h"
#include "foundation/settings/process_settings.h"
#include "foundation/util/file_names.h"
#include "image/bitmap/plwinbmp.h"
#include "image/encode/plbmpencoder.h"
#include "image/filter/plfilterrotate.h"

std::unique_ptr<CField> CloneField(const CField* src, int dim, int keepId) {
  if (!src || src->IsKind(FieldKind::kOle)) return nullptr;
  std::unique_ptr<CField> copy = NewFieldOfKind(src->kind);
  if (!copy) return nullptr;
  copy->CopyFrom(src, 0);
  if (src->IsKind(FieldKind::kImage)) {
    const auto& from = static_cast<const CImageField&>(*src);
    auto& to = static_cast<CImageField&>(*copy);
    if (from.picture.bitmap && (dim || from.picture.plainPicture)) {
      auto bmp = std::make_unique<PLWinBmp>();
      bmp->CreateCopy(*from.picture.bitmap);
      to.picture.bitmap = std::move(bmp);
      to.picture.plainPicture = from.picture.plainPicture;
    } else {
      to.picture.GetBitmap(0, 0, dim, 1, nullptr);
    }
  }
  if (keepId && !src->IsKind(FieldKind::kLine) && !src->IsKind(FieldKind::kBox) && !src->IsKind(FieldKind::kEllipse))
    copy->serialId = src->serialId;
  return copy;
}

CFieldList CloneFieldList(const CFieldList& list, int dim) {
  CFieldList out;
  for (const auto& f : list)
    if (auto c = CloneField(f.get(), dim, 0)) out.push_back(std::move(c));
  return out;
}

void DeleteField(std::unique_ptr<CField> field) { field.reset(); }

void DeleteFieldList(CFieldList& list) { list.clear(); }

namespace {

// A file's fields may lie anywhere in the coordinate range: centres and moves
// are worked out in 64 bits and the offset kept inside 32.
int64_t Centre(LONG low, LONG high) { return (int64_t{low} + high) / 2; }
LONG MovedBy(LONG offset, int64_t by) {
  return static_cast<LONG>(std::clamp<int64_t>(offset + by, INT32_MIN, INT32_MAX));
}

}  // namespace

int RemeasureFieldList(CFieldList& list, const CLabelSetup& setup, IDesignView* view, int keepInside) {
  const POINT scroll = view ? view->GetScrollOrigin() : POINT{0, 0};
  for (auto& f : list) {
    RECT before{};
    if (view) {
      before = GetFieldBoundingRect(*f, -scroll.x, -scroll.y, view->ZoomX(), view->ZoomY());
      view->PendingInvalidRect() = before;
    }
    const RECT a = GetFieldBoundingRect(*f, 0, 0, 0, 0);
    if (f->IsKind(FieldKind::kImage) && static_cast<CImageField&>(*f).pictureMode != kPictureOriginalSize) {
      static_cast<CImageField&>(*f).picture.FreeBitmaps(1);
    } else {
      // Kept within the coordinates a layout file holds: a size past them
      // would be cut on saving, and the centre kept here would then move the
      // field again on every reading.
      const SIZE size = MeasureField(*f, list, setup, 0);
      f->width = ClampFileCoordinate(size.cx);
      f->height = ClampFileCoordinate(size.cy);
    }
    const RECT b = GetFieldBoundingRect(*f, 0, 0, 0, 0);
    f->offset.x = MovedBy(f->offset.x, Centre(a.left, a.right) - Centre(b.left, b.right));
    f->offset.y = MovedBy(f->offset.y, Centre(a.top, a.bottom) - Centre(b.top, b.bottom));
    if (keepInside) KeepFieldInsideLabel(*f, setup);
    if (view) {
      RECT& pending = view->PendingInvalidRect();
      const RECT after = GetFieldBoundingRect(*f, -scroll.x, -scroll.y, view->ZoomX(), view->ZoomY());
      const int grow = view->HandleSize() + view->HandleMargin();
      pending = {std::min(pending.left, after.left) - grow, std::min(pending.top, after.top) - grow,
                 std::max(pending.right, after.right) + grow, std::max(pending.bottom, after.bottom) + grow};
      view->InvalidateRectNoErase(pending);
    }
  }
  return 1;
}

int KeepConvertedPictureFiles(CFieldList& list) {
  int cleared = 0;
  for (auto& f : list) {
    if (!f->IsKind(FieldKind::kImage)) continue;
    auto& image = static_cast<CImageField&>(*f);
    cleared += image.deleteFileOnDestroy ? 1 : 0;
    image.deleteFileOnDestroy = 0;
  }
  return cleared;
}

AString MakeConvertedImageName(const CField& field) {
  const AString base = field.name + "_Cvt";
  return MakeNumberedFileName(base.GetData(), GetFolder(FolderKind::kImage).GetData(), "bmp", 9);
}

namespace {

// Writes a field's picture, turned by the field's rotation (thousandths of a
// degree), as a BMP file; false when it could not be written, which gives no
// image field.
bool WriteTurnedPicture(PLBmp& picture, int rotation, const AString& fileName) {
  PLWinBmp turned;
  if (rotation != 0) {
    PLFilterRotate(rotation / 1000.0).Apply(&picture, &turned);
  } else {
    turned.CreateCopy(picture, 32);
  }
  PLBmpEncoder encoder;
  try {
    return encoder.MakeFileFromBmp(fileName.GetData(), &turned) != 0;
  } catch (...) {
    return false;
  }
}

}  // namespace

std::unique_ptr<CImageField> ConvertParagraphFieldToImage(const CLabelSetup& setup, CParagraphField& field,
                                                          const AString& fileName) {
  if (fileName.IsEmpty()) return nullptr;
  auto image = std::make_unique<CImageField>();
  image->CField::CopyFrom(&field, 0);
  image->kind = ToWord(FieldKind::kImage);
  image->useFolder = 0;
  std::unique_ptr<PLBmp> picture = RenderParagraphToBitmap(field, setup, setup.dpiX, 0);
  if (!picture) return nullptr;
  image->rotation = field.rotation;
  if (!WriteTurnedPicture(*picture, field.rotation, fileName)) return nullptr;
  image->fileName = fileName;
  image->deleteFileOnDestroy = 1;
  return image;
}

std::unique_ptr<CImageField> ConvertRtfFieldToImage(const CLabelSetup& setup, CRtfField& field,
                                                    const AString& fileName) {
  if (fileName.IsEmpty()) return nullptr;
  if (field.previousDataSourceType == ToShort(DataSourceType::kPromptBeforePrint)) {
    std::vector<uint8_t> text;
    if (field.width > 0 && ReadRtfFieldText(field, text)) {
      const int height = MeasureRichTextHeight(text.data(), static_cast<int>(text.size()), field.width);
      if (height > 0) field.height = height;
    }
  }
  auto image = std::make_unique<CImageField>();
  image->CField::CopyFrom(&field, 0);
  image->kind = ToWord(FieldKind::kImage);
  image->convertedFlag = 1;
  image->useFolder = 0;
  const int size[2] = {MilsToDevice(field.width, setup.dpiX), MilsToDevice(field.height, setup.dpiY)};
  std::unique_ptr<PLWinBmp> picture = BuildRtfFieldPicture(field, size);
  if (!picture) return nullptr;
  image->rotation = field.rotation;
  if (!WriteTurnedPicture(*picture, field.rotation, fileName)) return nullptr;
  field.picture.FreeBitmaps(1);
  image->fileName = fileName;
  image->deleteFileOnDestroy = 1;
  return image;
}

std::unique_ptr<CImageField> ConvertOleFieldToImage(const CLabelSetup&, COleField&, const AString&, int) {
  return nullptr;
}
