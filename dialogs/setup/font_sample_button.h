// The owner-drawn sample button of the pages: a font sample (the Font/Data
// pages' control 3) or a grid of the labels of a sheet, the labels before
// the starting one highlighted and the others numbered "row,column"; in the
// grid a double click is OK and the cell under a point can be asked for.
#pragma once

#include "platform/framework.h"
#include "platform/gdi/gdi_owners.h"

class CFontSampleButton : public CButton {
 public:
  enum class Mode { kFont = 1, kLabelGrid = 2 };
  enum class LabelShape { kRounded = 0, kRectangle = 1, kEllipse = 2 };

  // The labels of a sheet, for the grid.
  struct Sheet {
    int columns = 1, rows = 1;
    int startColumn = 0, startRow = 0;  // from 0
    int width = 1, height = 1;          // the sheet's size, any unit
    LabelShape shape = LabelShape::kRectangle;
    int gapX = 0, gapY = 0;             // pixels between cells
  };

  Mode m_mode = Mode::kFont;
  LOGFONTA m_font{};
  bool m_hasFont = false;
  Sheet m_sheet;

  // The cell (column, row) under a client point; (-1, -1) for none. The
  // grid is laid out on its first drawing.
  POINT HitTest(POINT point) const;
  // The grid's cell size and its top-left corner, once laid out.
  SIZE CellSize() const { return {cellW_, cellH_}; }
  POINT Origin() const { return origin_; }
  // Whether the label is one of those before the starting label.
  bool IsBeforeStart(int column, int row) const;

  void DrawItem(LPDRAWITEMSTRUCT dis) override;

 protected:
  void OnLButtonDown(UINT flags, CPoint point);
  void OnLButtonDblClk(UINT flags, CPoint point);
  DECLARE_MESSAGE_MAP()

 private:
  void LayOutGrid(const RECT& client);
  void DrawFontSample(HDC dc, RECT r) const;
  void DrawGrid(HDC dc, RECT r) const;

  bool laidOut_ = false;
  int cellW_ = 0, cellH_ = 0, corner_ = 2;
  POINT origin_{0, 0};
  UniqueFont numbering_;
};
