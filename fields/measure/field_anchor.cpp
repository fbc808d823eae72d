#include "fields/measure/field_anchor.h"

#include "fields/measure/field_measure.h"
#include "fields/measure/text_measure.h"
#include "foundation/geometry/rotation.h"

int AdjustFieldAnchor(CField& field, const CFieldList& list, const CLabelSetup& setup) {
  if (field.IsKind(FieldKind::kImage)) return 0;
  const int16_t anchor = field.anchor;
  field.anchor = -1;
  // The design value as the layout was drawn with it: the saved source is the live one meanwhile.
  const int16_t live = field.dataSourceType;
  field.dataSourceType = field.previousDataSourceType;
  const SIZE design = MeasureField(field, list, setup, kMeasureForceDesign);
  field.dataSourceType = live;
  const SIZE stored = MeasureField(field, list, setup, kMeasureRawData | kMeasureStoredData);
  field.width = stored.cx;
  field.height = stored.cy;
  const bool paragraph = field.IsKind(FieldKind::kParagraph);
  if (anchor != 0 && anchor != 1) {
    // Restored for a paragraph here too: its lines are aligned by it.
    if (paragraph) field.anchor = anchor;
    return 0;
  }
  const int difference = design.cx - stored.cx;
  const int move = anchor == 1 ? difference : difference / 2;
  const POINT moved = RotatePointScreen(field.offset.x + move, field.offset.y, field.rotation / 1000.0,
                                        field.offset.x, field.offset.y);
  field.offset = {moved.x, moved.y};
  if (paragraph) field.anchor = anchor;
  return 1;
}
