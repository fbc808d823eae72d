#include "dialogs/paragraph/paragraph_sheet.h"

#include <cstring>

#include "dialogs/paragraph/paragraph_pages.h"
#include "dialogs/setup/field_sheet_run.h"
#include "fields/geometry/field_outline.h"
#include "fields/measure/text_measure.h"
#include "fields/model/field_kinds.h"
#include "fields/services/label_setup.h"

namespace {

bool FontDiffers(const CParagraphField& a, const CParagraphField& b) {
  return std::memcmp(&a.logFont, &b.logFont, sizeof a.logFont) != 0 || a.fontName != b.fontName;
}

// Sources whose text is not known until printing: their height follows
// Max Lines.
bool IsVariableSource(int type) { return type >= 2 && type <= 11 && type != 10; }

}  // namespace

int RunParagraphSetupSheet(CLabelSetup* setup, CField** field, CFieldList& list, std::unique_ptr<CField>* undoClone) {
  if (field && *field && !(*field)->IsKind(FieldKind::kParagraph)) return 0;
  // The field as it was, to tell what the pages changed.
  CParagraphField before;
  const bool isNew = !field || !*field;
  if (!isNew) before.CopyFrom(*field, 0);
  const POINT beforeCorner = isNew ? POINT{0, 0} : FieldAnchor(before);
  CFieldSheetRun run(setup, field, list, std::make_unique<CParagraphField>(), static_cast<int>(FieldKind::kParagraph));
  run.SetKeepsCorner(false);
  auto font = std::make_unique<CParagraphFontPage>();
  font->SetTabCaption("Font  /  Data");
  run.AddPage(std::move(font));
  auto format = std::make_unique<CParaFormatPage>();
  format->SetTabCaption("Format");
  run.AddPage(std::move(format));
  auto options = std::make_unique<CParaOptionsPage>();
  options->SetTabCaption("Options");
  run.AddPage(std::move(options));
  const auto place = [&](CField& working) {
    auto& p = static_cast<CParagraphField&>(working);
    const bool fontChanged = !isNew && FontDiffers(p, before);
    const bool rotationChanged = !isNew && p.rotation != before.rotation;
    SIZE measured{p.width, p.height};
    if (setup) measured = MeasureTextField(p, list, *setup, 0);
    const bool remeasure = isNew || p.dataSourceType != before.dataSourceType || p.wrapWidth != before.wrapWidth ||
                           fontChanged || (IsVariableSource(p.dataSourceType) && p.maxLines != before.maxLines);
    if (remeasure && measured.cx > 0 && measured.cy > 0) {
      p.width = measured.cx;
      p.height = measured.cy;
    }
    p.picture.FreeBitmaps(1);
    if (isNew || !setup) return;
    // The top-left corner stays, unless a new font moved it on purpose.
    const POINT after = FieldAnchor(p);
    const FieldPoint candidate{p.offset.x + beforeCorner.x - after.x, p.offset.y + beforeCorner.y - after.y};
    if ((!fontChanged || rotationChanged) && candidate.x < setup->labelWidth && candidate.y < setup->labelHeight)
      p.offset = candidate;
    // Hanging below the label: the measured size only when it raises the bottom.
    const RECT now = GetFieldBoundingRect(p, 0, 0, 0, 0);
    if (now.bottom > setup->labelHeight && (p.dataSourceType == 0 || p.dataSourceType == 1) && measured.cx > 0) {
      const SIZE current{p.width, p.height};
      p.width = measured.cx;
      p.height = measured.cy;
      if (GetFieldBoundingRect(p, 0, 0, 0, 0).bottom >= now.bottom) {
        p.width = current.cx;
        p.height = current.cy;
      }
    }
  };
  const auto dropCaches = [](CField& f) { static_cast<CParagraphField&>(f).picture.FreeBitmaps(1); };
  return run.Run("Paragragh Setup", place, dropCaches, undoClone);
}
