#include "app/controls/line_style_combo.h"

#include "foundation/gdi_helpers/shapes.h"
#include "platform/gdi/gdi_owners.h"

void CLineStyleCombo::DrawItem(LPDRAWITEMSTRUCT dis) {
  if (dis->CtlType != ODT_COMBOBOX || static_cast<int>(dis->itemID) < 0) return;
  HDC dc = dis->hDC;
  const RECT& r = dis->rcItem;
  FillRect(dc, &r, static_cast<HBRUSH>(GetStockObject(WHITE_BRUSH)));
  const int style = static_cast<int>(dis->itemID);
  if (style < GetCount()) {
    const int middle = (r.top + r.bottom) / 2;
    fdn_app::StrokeLinePath(dc, r.left, middle, r.right, middle, style, 3, RGB(0, 0, 0), false);
  }
  if (dis->itemState & ODS_FOCUS) {
    SelectScope hollow(dc, GetStockObject(NULL_BRUSH));
    Rectangle(dc, r.left, r.top, r.right, r.bottom);
  }
}

void CLineStyleCombo::MeasureItem(LPMEASUREITEMSTRUCT mis) { mis->itemHeight = 19; }
