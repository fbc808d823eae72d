#include "dialogs/image/image_sheet.h"

#include "dialogs/image/image_options_page.h"
#include "dialogs/image/image_page.h"
#include "dialogs/setup/field_sheet_run.h"
#include "fields/measure/field_measure.h"
#include "fields/services/label_setup.h"
#include "foundation/gdi_helpers/fit.h"

namespace {

constexpr SIZE kPromptedSize{750, 520};

bool IsPrompted(const CField& field) {
  return field.dataSourceType == ToShort(DataSourceType::kPromptBeforePrint) ||
         field.dataSourceType == ToShort(DataSourceType::kDatabase);
}

SIZE Fit(int boxW, int boxH, SIZE natural) {
  SIZE fitted{};
  fdn_app::FitSizeKeepAspect(boxW, boxH, natural.cx, natural.cy, &fitted);
  return fitted;
}

bool SizeSourceChanged(const CImageField& now, const CImageField& before) {
  return now.fileName != before.fileName || now.useFolder != before.useFolder ||
         now.dataSourceType != before.dataSourceType || now.pictureMode != before.pictureMode;
}

}  // namespace

SIZE ImageFieldSizeAfterOk(const CImageField& working, const CImageField* before, const CLabelSetup& setup) {
  const SIZE kept{working.width, working.height};
  if (!before) {
    if (IsPrompted(working)) return kPromptedSize;
    const SIZE natural = GetImageFieldSize(working, setup);
    if (natural.cx <= 0 || natural.cy <= 0) return kept;
    if (natural.cx > setup.labelWidth || natural.cy > setup.labelHeight)
      return Fit(setup.labelWidth, setup.labelHeight, natural);
    return natural;
  }
  if (IsPrompted(working) || !SizeSourceChanged(working, *before)) return kept;
  const SIZE natural = GetImageFieldSize(working, setup);
  if (natural.cx <= 0 || natural.cy <= 0) return kept;
  switch (working.pictureMode) {
    case kPictureOriginalSize: return natural;
    case kPictureKeepAspect: return Fit(before->width, before->height, natural);
    default: return kept;
  }
}

int RunImageSetupSheet(CLabelSetup* setup, CField** field, CFieldList& list, std::unique_ptr<CField>* undoClone) {
  if (field && *field && !(*field)->IsKind(FieldKind::kImage)) return 0;
  const bool isNew = !field || !*field;
  CImageField before;
  if (!isNew) before.CopyFrom(*field, 0);
  CFieldSheetRun run(setup, field, list, std::make_unique<CImageField>(), static_cast<int>(FieldKind::kImage));
  if (isNew) {
    // A new picture is a file the user names with its full path.
    run.Working().SetDataSourceType(ToShort(DataSourceType::kLinkToFile), 0);
    run.Working().useFolder = 0;
  }
  auto image = std::make_unique<CImagePage>();
  image->SetTabCaption("Image Settings");
  run.AddPage(std::move(image));
  auto options = std::make_unique<CImageOptionsPage>();
  options->SetTabCaption("Options");
  run.AddPage(std::move(options));
  const auto measure = [&](CField& working) {
    auto& picture = static_cast<CImageField&>(working);
    // Only a turned picture keeps the corner of its bounding rectangle.
    run.SetKeepsCorner(!isNew && picture.rotation != before.rotation);
    if (!setup) return;
    const SIZE size = ImageFieldSizeAfterOk(picture, isNew ? nullptr : &before, *setup);
    picture.width = size.cx;
    picture.height = size.cy;
  };
  const auto dropCaches = [](CField& f) { static_cast<CImageField&>(f).picture.FreeBitmaps(1); };
  return run.Run("Image Setup", measure, dropCaches, undoClone);
}
