// The view's own commands: aligning, centring, spacing and turning the
// selection, label units, opaque or see-through drawing, Auto Arrange.
#include <algorithm>
#include <climits>
#include <vector>

#include "document/core/rvo_doc.h"
#include "document/layout_shell.h"
#include "document/view/design_view.h"
#include "document/view/design_view_ids.h"
#include "document/render/label_render.h"
#include "document/view/set_position_dlg.h"
#include "fields/geometry/field_geometry.h"
#include "fields/geometry/field_outline.h"
#include "fields/measure/text_measure.h"
#include "foundation/geometry/rotation.h"
#include "foundation/settings/process_settings.h"

namespace {

// One selected field during an align operation.
struct AlignEntry {
  POINT centre;
  RECT rect;
  CField* field;
};

int OperationOf(UINT id) {
  switch (id) {
    case viewcmd::kAlignLeft: return 0;
    case viewcmd::kAlignRight: return 1;
    case viewcmd::kCenterInLabel: return 2;
    case viewcmd::kAlignTop: return 3;
    case viewcmd::kAlignBottom: return 4;
    case viewcmd::kVCenterInLabel: return 5;
    case viewcmd::kAcrossEvenly: return 6;
    case viewcmd::kDownEvenly: return 7;
    case viewcmd::kRotate90: return 8;
    case viewcmd::kRotateTo0: return 9;
    case viewcmd::kAlignHCenter: return 10;
    case viewcmd::kAlignVCenter: return 11;
    default: return -1;
  }
}

// The fewest selected fields each operation needs.
int NeededCount(int operation) {
  switch (operation) {
    case 2:
    case 5:
    case 8:
    case 9: return 1;
    case 6:
    case 7: return 3;
    default: return 2;
  }
}

AlignEntry EntryOf(CField* f) {
  const RECT r = GetFieldBoundingRect(*f, 0, 0, 0, 0);
  return {{r.left + (r.right - r.left) / 2, r.top + (r.bottom - r.top) / 2}, r, f};
}

}  // namespace

void CDesignVu::OnAlign(UINT id) {
  const int operation = OperationOf(id);
  if (operation >= 0) AlignSelectedFields(operation, operation <= 4);
}

void CDesignVu::OnUpdateAlign(CCmdUI* ui) {
  const int operation = OperationOf(ui->m_nID);
  ui->Enable(operation >= 0 && m_selection.Count() >= NeededCount(operation));
}

void CDesignVu::AlignSelectedFields(int operation, bool) {
  const std::vector<CField*> selected = m_selection.Fields();
  const int n = static_cast<int>(selected.size());
  if (n == 0 || ((operation == 6 || operation == 7) && n < 3)) return;
  ChooseAnchorField();
  CRvoDoc* doc = GetDocument();
  UndoRecord step;
  step.kind = UndoKind::kMoved;
  struct Before {
    FieldPoint offset;
    int32_t rotation;
  };
  std::vector<Before> before;
  for (CField* f : selected) before.push_back({f->offset, f->rotation});

  // First pass: turning, then the extremes of the (turned) fields.
  std::vector<AlignEntry> entries;
  RECT ext{INT_MAX, INT_MAX, INT_MIN, INT_MIN};
  POINT minCentre{INT_MAX, INT_MAX}, maxCentre{INT_MIN, INT_MIN};
  int64_t sumW = 0, sumH = 0;
  for (CField* f : selected) {
    if ((operation == 8 || operation == 9) && !f->lockPosition) {
      const AlignEntry was = EntryOf(f);
      const int32_t old = f->SetRotation(operation == 8 ? f->rotation + 90000 : 0);
      const double degrees = operation == 8 ? 90.0 : -old / 1000.0;
      const POINT p = RotatePointScreen(f->offset.x, f->offset.y, degrees, was.centre.x, was.centre.y);
      f->offset = {p.x, p.y};
      if (f->IsKind(FieldKind::kText) || f->IsKind(FieldKind::kParagraph)) {
        const SIZE s = MeasureTextField(*f, Fields(), Setup(), 0);
        f->width = s.cx;
        f->height = s.cy;
      }
    }
    const AlignEntry e = EntryOf(f);
    entries.push_back(e);
    ext = {std::min(ext.left, e.rect.left), std::min(ext.top, e.rect.top), std::max(ext.right, e.rect.right),
           std::max(ext.bottom, e.rect.bottom)};
    minCentre = {std::min(minCentre.x, e.centre.x), std::min(minCentre.y, e.centre.y)};
    maxCentre = {std::max(maxCentre.x, e.centre.x), std::max(maxCentre.y, e.centre.y)};
    sumW += e.rect.right - e.rect.left;
    sumH += e.rect.bottom - e.rect.top;
  }

  // Targets.
  RECT target = ext;
  POINT targetCentre{0, 0};
  if (m_anchor && doc->IndexOfField(m_anchor) < 0) m_anchor = nullptr;
  if (m_anchor) {
    target = GetFieldBoundingRect(*m_anchor, 0, 0, 0, 0);
    targetCentre = {target.left + (target.right - target.left) / 2, target.top + (target.bottom - target.top) / 2};
  }
  const int W = Setup().labelWidth, H = Setup().labelHeight;
  const int dxCentre = (W + ext.left - ext.right) / 2 - ext.left;
  const int dyCentre = (H + ext.top - ext.bottom) / 2 - ext.top;
  const int64_t freeX = int64_t{ext.right} - ext.left - sumW, freeY = int64_t{ext.bottom} - ext.top - sumH;
  const bool overlapX = freeX < 0, overlapY = freeY < 0;
  const int stepX = static_cast<int>((int64_t{maxCentre.x} - minCentre.x) / (n - 1 > 0 ? n - 1 : 1));
  const int stepY = static_cast<int>((int64_t{maxCentre.y} - minCentre.y) / (n - 1 > 0 ? n - 1 : 1));
  const int gapX = static_cast<int>(freeX / (n - 1 > 0 ? n - 1 : 1));
  const int gapY = static_cast<int>(freeY / (n - 1 > 0 ? n - 1 : 1));

  // Second pass.
  if (operation == 6 || operation == 7) {
    const bool across = operation == 6;
    const bool overlap = across ? overlapX : overlapY;
    std::vector<AlignEntry> remaining = entries;
    int64_t running = 0;
    for (int i = 1; i <= n && !remaining.empty(); ++i) {
      auto key = [&](const AlignEntry& e) {
        return across ? (overlap ? e.centre.x : e.rect.left) : (overlap ? e.centre.y : e.rect.top);
      };
      auto next = std::min_element(remaining.begin(), remaining.end(),
                                   [&](const AlignEntry& a, const AlignEntry& b) { return key(a) < key(b); });
      const AlignEntry e = *next;
      remaining.erase(next);
      const int size = across ? e.rect.right - e.rect.left : e.rect.bottom - e.rect.top;
      const int edge = across ? e.rect.left : e.rect.top;
      int64_t move = 0;
      if (overlap) {
        if (i > 1 && i < n) move = (across ? minCentre.x : minCentre.y) + int64_t{i - 1} * (across ? stepX : stepY) -
                                   (across ? e.centre.x : e.centre.y);
      } else if (i == 1) {
        running = (across ? ext.left : ext.top) + size;
      } else if (i < n) {
        move = running + (across ? gapX : gapY) - edge;
        running += size + (across ? gapX : gapY);
      }
      if (e.field->lockPosition) continue;  // a locked field keeps its place
      if (across) e.field->offset.x += static_cast<int32_t>(move);
      else e.field->offset.y += static_cast<int32_t>(move);
    }
  } else if (operation != 8 && operation != 9) {
    for (const AlignEntry& e : entries) {
      CField& f = *e.field;
      if (f.lockPosition) continue;
      const int w = e.rect.right - e.rect.left, h = e.rect.bottom - e.rect.top;
      switch (operation) {
        case 0: f.offset.x += target.left - e.rect.left; break;
        case 1: f.offset.x += target.right - e.rect.right; break;
        case 2: f.offset.x += dxCentre; break;
        case 3: f.offset.y += target.top - e.rect.top; break;
        case 4: f.offset.y += target.bottom - e.rect.bottom; break;
        case 5: f.offset.y += dyCentre; break;
        case 10:
          if (m_anchor) f.offset.x += targetCentre.x - e.rect.left - w / 2;
          break;
        case 11:
          if (m_anchor) f.offset.y += targetCentre.y - e.rect.top - h / 2;
          break;
        default: break;
      }
    }
  }

  for (size_t i = 0; i < selected.size(); ++i) {
    const CField* f = selected[i];
    if (f->offset == before[i].offset && f->rotation == before[i].rotation) continue;
    UndoFieldEntry entry;
    entry.index = doc->IndexOfField(f);
    entry.point = {before[i].offset.x, before[i].offset.y};
    entry.value = before[i].rotation;
    if (entry.index >= 0) step.entries.push_back(entry);
  }
  if (step.entries.empty()) return;
  doc->RecordUndo(step);
  doc->SetModifiedFlag(TRUE);
  InvalidateClient(false);
  RECT all;
  ::GetClientRect(m_hWnd, &all);
  const POINT o = GetScrollOrigin();
  ::OffsetRect(&all, o.x, o.y);
  NotifyChanged(&all);
}

void CDesignVu::OnUnit(int unit) {
  CLabelSetup& setup = Setup();
  if (setup.DefaultUnits == unit) return;
  setup.DefaultUnits = static_cast<uint8_t>(unit);
  // The unit is stored with the layout: changing it is a change to save.
  GetDocument()->SetModifiedFlag(TRUE);
  if (IDesignViewHost* host = Host()) {
    host->ResetRulers(3);
    host->UpdateTitleModifiedMark(true);
  }
  LayoutShell()->SetLabelSizePane(setup.labelWidth, setup.labelHeight, unit);
}

void CDesignVu::OnUpdateUnitInch(CCmdUI* ui) { ui->SetCheck(GetDocument() && Setup().DefaultUnits == 1); }
void CDesignVu::OnUpdateUnitMm(CCmdUI* ui) { ui->SetCheck(GetDocument() && Setup().DefaultUnits == 2); }

void CDesignVu::OnOpaqueView() {
  ConfigSettings().drawFldsOpaque = 1;
  InvalidateClient(false);
}

void CDesignVu::OnSeeThroughView() {
  ConfigSettings().drawFldsOpaque = 0;
  InvalidateClient(false);
}

void CDesignVu::OnUpdateOpaque(CCmdUI* ui) { ui->SetCheck(ConfigSettings().drawFldsOpaque == 1); }
void CDesignVu::OnUpdateSeeThrough(CCmdUI* ui) { ui->SetCheck(ConfigSettings().drawFldsOpaque == 0); }

void CDesignVu::OnAutoArrange() {
  if (!AutoArrangeFields(Fields(), Setup())) return;
  PostMessage(WM_COMMAND, viewcmd::kFitInFrame, 0);
  GetDocument()->SetModifiedFlag(TRUE);
}

bool CDesignVu::SetFieldPosition() {
  CField* field = nullptr;
  for (const auto& f : Fields())
    if (m_selection.Contains(f.get())) {
      field = f.get();
      break;
    }
  if (!field) field = m_hover;
  if (!field) return false;
  const FieldPoint before = field->offset;
  InvalidateField(*field, 15);
  if (!RunSetPositionDialog(field, GetDocument(), this)) return false;
  if (field->offset != before) {
    // The dialog moves the field; the move is a step like any other.
    UndoRecord step;
    step.kind = UndoKind::kMoved;
    UndoFieldEntry entry;
    entry.index = GetDocument()->IndexOfField(field);
    entry.point = {before.x, before.y};
    entry.value = field->rotation;
    if (entry.index >= 0) {
      step.entries.push_back(entry);
      GetDocument()->RecordUndo(step);
    }
  }
  InvalidateField(*field, 15);
  ::UpdateWindow(m_hWnd);
  GetDocument()->SetModifiedFlag(TRUE);
  if (IDesignViewHost* host = Host()) host->UpdateTitleModifiedMark(true);
  return true;
}

// The whole label at the layout's target resolution onto the clipboard, as
// a bitmap or as an enhanced metafile as the settings choose.
void CDesignVu::OnCopyToClipboard() {
  const LabelOutput kind =
      LayoutShell()->ClipboardUsesBitmap() ? LabelOutput::kClipboardBitmap : LabelOutput::kClipboardMetafile;
  RenderLabelToImage(nullptr, Setup(), Fields(), Setup().dpiX, kind);
}
