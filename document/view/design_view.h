// CDesignVu: the view of a layout document. It maps layout units
// (thousandths of an inch) to view pixels at its zoom, scrolls with its own
// scroll bars, draws the label, its fields, the grid and the selection
// handles through one off-screen bitmap, and edits the fields with the mouse
// and the keyboard, recording each step in the document's undo list.
//
// Pixels are "client" (of the window) or "absolute" (client plus the scroll
// origin); zoom x and zoom y are pixels per 1000 layout units.
#pragma once

#include <memory>
#include <vector>

#include "document/view/design_view_host.h"
#include "document/view/view_metrics.h"
#include "fields/model/field_list.h"
#include "fields/services/design_view.h"
#include "foundation/containers/ahashmap.h"
#include "platform/framework.h"
#include "platform/gdi/gdi_owners.h"

class CRvoDoc;
class CLabelSetup;
struct UndoRecord;

// The edit modes of the mouse.
enum DesignEditMode : int {
  kModeIdle = 0,
  kModeDrawLine = 1,
  kModeDrawShape = 2,
  kModePlaceText = 3,
  kModePlaceBarcode = 4,
  kModePlaceImage = 5,
  kModePlaceParagraph = 7,
  kModeMove = 10,
  kModeDrop = 20,
  kModeToggleClick = -1,
  kModeResize = -3,
};

// Shapes that edit mode 2 draws.
enum DesignShapeKind : int { kShapeBox = 0, kShapeEllipse = 1, kShapeRoundRect = 4 };

// The process-wide cursors of the view (cross, I-beam, arrow, size-all).
void LoadDesignCursors();
void FreeDesignCursors();
// Whether LoadDesignCursors has given the view all four.
bool DesignCursorsLoaded();

// The selected fields: a map keyed by field pointer whose values nobody
// reads. Fields() lists them in the map's order.
class CFieldSelection {
 public:
  bool Contains(const CField* f) const;
  void Add(CField* f) { map_.SetAt(f, f); }
  bool Remove(const CField* f) { return map_.RemoveKey(const_cast<CField*>(f)) != 0; }
  void Clear() { map_.RemoveAll(); }
  int Count() const { return map_.GetCount(); }
  bool IsEmpty() const { return map_.GetCount() == 0; }
  std::vector<CField*> Fields() const;

 private:
  AHashMap<void*, void*> map_;
};

class CDesignVu : public CView, public IDesignView {
  DECLARE_DYNCREATE(CDesignVu)

 public:
  CDesignVu();
  ~CDesignVu() override;

  CRvoDoc* GetDocument() const;
  CFieldList& Fields() const;
  CLabelSetup& Setup() const;

  // The layout's setup: fields refitted by a handle measure for its printer.
  const CLabelSetup* LabelSetup() const override;

  // ---- Coordinates --------------------------------------------------------
  POINT GetScrollOrigin() const override;
  int ZoomX() const override { return m_zoomX; }
  int ZoomY() const override { return m_zoomY; }
  int HandleSize() const override { return m_handleSize; }
  int HandleMargin() const override { return m_handleSize; }
  RECT& PendingInvalidRect() override { return m_repaintRect; }
  void InvalidateRectNoErase(const RECT& r) override;
  SIZE GetLabelSizePixels() const;
  int LayoutToPixel(POINT& p, bool absolute) const;
  int LayoutRectToPixel(RECT& r) const;
  double LayoutToPixelReal(double value) const;
  void ClampToClient(POINT& p) const;
  void NotifyChanged(const RECT* absoluteRect = nullptr);
  void RefreshFromSettings();
  // The layout's resolution, printer and label size in the status bar.
  void ShowLayoutPanes();
  SIZE GetVisibleLabelExtent() const;
  bool IsWithinVisibleLabel(int x, int y) const;

  // ---- Zoom and scrolling ---------------------------------------------------
  void SetZoom(int zoomX, int zoomY);
  bool FitToClient();
  void UpdateScrollSizes();
  void KeepScrollInRange();
  const designview::ScrollSizes& AppliedScrollSizes() const { return m_applied; }
  SIZE ScrollRange() const { return m_scrollRange; }
  BOOL OnScroll(UINT scrollCode, UINT pos, BOOL doScroll = TRUE);
  BOOL OnScrollBy(CSize size, BOOL doScroll = TRUE);
  int AutoScrollAtEdge(POINT& p);

  // ---- Drawing --------------------------------------------------------------
  void OnDraw(CDC* dc) override;
  void DrawView(HDC windowDc, HRGN region, int flag);
  void DrawSelectionHandles(HDC dc);

  // ---- Selection and hit tests --------------------------------------------
  int HitTestFields(int x, int y, CField** field) const;
  int ForEachSelected(bool* hasEmbedded, RECT* unionRect, int lockMode, int* lockedCount);
  bool GetSelectionRect(RECT& rect);
  void InvalidateSelection();
  void SetResizeCursor(int code, const CField& field);
  int ChooseAnchorField();
  void SelectOnly(CField* field);
  void SelectAll();
  CFieldSelection& Selection() { return m_selection; }
  CField* AnchorField() const { return m_anchor; }
  CField* HoverField() const { return m_hover; }
  void InvalidateField(const CField& field, int margin);
  void AddFieldToRegion(HRGN region, const CField& field, int margin) const;
  // Drops every reference to a field that leaves the document's list.
  void ForgetField(const CField* field);
  // Drops the references to fields that are no longer in the list (after
  // the document changed its list behind the view's back).
  void ForgetStaleFields();

  // ---- Mouse editing ------------------------------------------------------
  int EditMode() const { return m_editMode; }
  int ActiveHandle() const { return m_handleCode; }
  int SnapPoint(POINT& p, bool isLayout, bool isAbsolute) const;
  bool MoveOrResizeSelection(int dx, int dy, int handleCode);
  void UpdateDragCopies(int dx, int dy, int handleCode, HRGN region);
  void RedrawDragArea(HDC dc, int dx, int dy, int handleCode);
  void TrackRubberBand(const RECT* rect);
  void TrackOutlinePolygon(const POINT* points, int count);
  bool Paste(bool atPoint, POINT point);
  void CopyAndDrop();
  void StartDrawingLine();
  void StartDrawingShape(int shape);
  void StartPlacingField(int mode, std::unique_ptr<CField> field);
  CField* PendingField() const;

  // ---- Keyboard, clipboard, stacking, undo ---------------------------------
  bool CopySelection();
  RECT DeleteSelection();
  void BringToFront();
  void PutToBack();
  bool ExecuteUndoStep(bool isUndo);
  void Refresh();

  // ---- Commands ----------------------------------------------------------
  void AlignSelectedFields(int operation, bool useAnchorEdges);
  void OnZoomIn();
  void OnZoomOut();
  void OnFitInFrame();
  void OnUnit(int unit);
  void OnOpaqueView();
  void OnSeeThroughView();
  int EditFieldProperties(CField& field);
  bool SetFieldPosition();

 protected:
  int OnCreate(LPCREATESTRUCT cs);
  void OnInitialUpdate() override;
  void OnUpdate(CView* sender, LPARAM hint, CObject* hintObject) override;
  BOOL OnPreparePrinting(CPrintInfo* info) override;
  void OnBeginPrinting(CDC* dc, CPrintInfo* info) override;
  void OnPrint(CDC* dc, CPrintInfo* info) override;
  void OnEndPrinting(CDC* dc, CPrintInfo* info) override;

  void OnSize(UINT type, int cx, int cy);
  void OnHScroll(UINT code, UINT pos, CScrollBar* bar);
  void OnVScroll(UINT code, UINT pos, CScrollBar* bar);
  BOOL OnMouseWheel(UINT flags, short delta, CPoint point);
  void OnSetFocus(CWnd* old);
  void OnKillFocus(CWnd* next);
  BOOL OnSetCursor(CWnd* wnd, UINT hitTest, UINT message);
  BOOL OnEraseBkgnd(CDC* dc);
  void OnLButtonDown(UINT flags, CPoint point);
  void OnMouseMove(UINT flags, CPoint point);
  void OnLButtonUp(UINT flags, CPoint point);
  void OnLButtonDblClk(UINT flags, CPoint point);
  void OnRButtonDown(UINT flags, CPoint point);
  void OnKeyDown(UINT ch, UINT repeat, UINT flags);
  void OnChar(UINT ch, UINT repeat, UINT flags);

  void OnEditUndo() { ExecuteUndoStep(true); }
  void OnEditRedo() { ExecuteUndoStep(false); }
  void OnUpdateEditUndo(CCmdUI* ui);
  void OnUpdateEditRedo(CCmdUI* ui);
  void OnEditCopy() { CopySelection(); }
  void OnEditCut();
  void OnEditPaste();
  void OnUpdateAlways(CCmdUI* ui) { ui->Enable(TRUE); }
  void OnEditSelectAll() { SelectAll(); }
  void OnCopyAndDrop() { CopyAndDrop(); }
  void OnBringToFront() { BringToFront(); }
  void OnPutToBack() { PutToBack(); }
  void OnUpdateNeedsSelection(CCmdUI* ui) { ui->Enable(m_selection.Count() > 0); }
  void OnSetPosition() { SetFieldPosition(); }
  void OnLockPosition();
  void OnProperties();
  void OpenFieldProperties(CField& field);
  // Properties is on only for one selected field whose kind has a dialog.
  bool SelectionHasProperties() const;
  void OnUpdateProperties(CCmdUI* ui) { ui->Enable(SelectionHasProperties()); }
  // The insert commands run the kind's setup sheet for a new field, which
  // the next click then places; the border command edits the label border.
  void AddFieldThroughSheet(int kind, int hibc);
  void OnAddText() { AddFieldThroughSheet(2, 0); }
  void OnAddParagraph() { AddFieldThroughSheet(6, 0); }
  void OnAddBarcode() { AddFieldThroughSheet(3, 0); }
  void OnAddHibcBarcode() { AddFieldThroughSheet(3, 1); }
  void OnAddImage() { AddFieldThroughSheet(4, 0); }
  void OnUpdateAddField(CCmdUI* ui);
  void OnBorderSetup();
  void OnUpdateBorderSetup(CCmdUI* ui);
  void OnRefresh() { Refresh(); }
  void OnEditDelete();
  void OnAddLine() { StartDrawingLine(); }
  void OnAddBox() { StartDrawingShape(kShapeBox); }
  void OnAddEllipse() { StartDrawingShape(kShapeEllipse); }
  void OnAddRoundRect() { StartDrawingShape(kShapeRoundRect); }
  void OnUpdateDisabled(CCmdUI* ui) { ui->Enable(FALSE); }
  // Print: the print dialog the program installed (off without one).
  void OnPrintLayout();
  void OnUpdatePrintLayout(CCmdUI* ui);
  void OnTargetDpi();
  void OnUpdateTargetDpi(CCmdUI* ui);
  void OnAlign(UINT id);
  void OnUpdateAlign(CCmdUI* ui);
  void OnUpdateOpaque(CCmdUI* ui);
  void OnUpdateSeeThrough(CCmdUI* ui);
  void OnUnitInch() { OnUnit(1); }
  void OnUnitMm() { OnUnit(2); }
  void OnUpdateUnitInch(CCmdUI* ui);
  void OnUpdateUnitMm(CCmdUI* ui);
  void OnAutoArrange();
  void OnContextMenuKey();
  void OnOutputToImageFile() {}
  void OnCopyToClipboard();

  DECLARE_MESSAGE_MAP()

 private:
  IDesignViewHost* Host() const;
  void InvalidateClient(bool erase);
  void ApplyScrollBars();
  bool HasScrollBar(int bar) const;
  void EnableScrollBars(bool enable);
  bool IsShiftOrCtrl() const;
  void PressSelection(POINT absolute, bool shiftOrCtrl);
  void ContextMenuAt(POINT client);
  void HoverAt(POINT client);
  void ReleaseAt(POINT client, UINT flags);
  void EndMode();
  void ClearDragList();
  void BuildDragList();
  RECT DragListRect(int dx, int dy, int handleCode);
  void DrawHandle(HDC dc, POINT p, int kind) const;
  void DrawGrid(HDC dc) const;
  void DrawPendingOutline(HDC dc, const CField& field) const;
  void DrawLabelBackground(HDC dc, const RECT& paint) const;
  CField* AddShapeField(const RECT& layoutRect);
  void PlacePendingField(POINT client);
  int ApplyUndoEntries(UndoRecord& step, UndoRecord& inverse);
  void KeyArrow(UINT key, bool large);
  void KeyHome(bool ctrl, bool shift);
  void KeyEnd(bool ctrl, bool shift);

  // Members, in the order of the view's record.
  POINT m_mouseDown{0, 0};
  std::unique_ptr<CField> m_pending[4];  // text, barcode, image, paragraph
  CField* m_hover = nullptr;
  CFieldSelection m_selection;
  CFieldList m_dragList;
  CField* m_anchor = nullptr;
  RECT m_oldSelection{0, 0, 0, 0};
  RECT m_paintRect{0, 0, 0, 0};
  COLORREF m_windowColour = 0xFFFFFF;
  int m_editMode = kModeIdle;
  int m_pressMode = kModeIdle;
  POINT m_lastDrag{-99, -99};
  int m_zoomX = 150;
  int m_zoomY = 150;
  bool m_fitPending = true;
  RECT m_rubberBand{-1, -1, -1, -1};
  std::vector<POINT> m_trackPolygon;
  int m_handleSize = 4;
  int m_handleCode = 0;
  int m_pasteCount = 0;
  POINT m_pasteOrigin{0, 0};
  SIZE m_dropOffset{0, 0};
  POINT m_contextPoint{0, 0};
  designview::ScrollSizes m_applied{};
  RECT m_repaintRect{0, 0, 0, 0};
  int m_shapeKind = kShapeBox;
  SIZE m_scrollRange{0, 0};
  bool m_insideUpdate = false;
  bool m_clonePane = false;
  POINT m_clonePosition{0, 0};
  CPrintInfo* m_printInfo = nullptr;
  UINT m_currentPage = 0;
  UniqueBrush m_deskBrush;
};
