// The designer's status bar: the active layout's target resolution, its
// printer, the label size and the cursor position (all four drawn by the bar
// itself) and a read-only sign. The frame's pane setters feed it.
#pragma once

#include <string>

#include "foundation/string/astring.h"
#include "platform/framework.h"

// Units the label size and cursor panes speak: millimetres, or inches for
// any other code; kHideCursor hides the cursor position.
inline constexpr int kPaneUnitMm = 2;
inline constexpr int kPaneUnitInch = 1;
inline constexpr int kHideCursor = -100;

class CLabelStatusBar : public CStatusBar {
 public:
  // The five panes (their strings, runs of blanks, size them), with the label
  // size stretching and the first four drawn by the bar.
  BOOL CreatePanes(CWnd* parent);

  void SetDpiText(const char* text);
  void SetPrinterText(const char* name);
  // Width and height in thousandths of an inch.
  void SetLabelSize(int width, int height, int unit);
  // A coordinate of -1 or less keeps that coordinate's last value.
  void SetCursorPos(double x, double y, int unit);
  void SetReadOnly(bool readOnly);
  // No layout is open any more: the resolution, printer, label size and
  // cursor panes go blank and the read-only sign goes, until a layout gives
  // its label size again.
  void ClearLayoutPanes();

  // What each owner-drawn pane shows now (empty when it shows nothing).
  std::string LabelSizeText() const;
  std::string CursorText() const;
  const AString& DpiText() const { return m_dpiText; }
  const AString& PrinterText() const { return m_printerText; }
  int Unit() const { return m_unit; }

  void DrawItem(LPDRAWITEMSTRUCT dis);
  CSize CalcFixedLayout(BOOL stretch, BOOL horizontal) override;
  void OnLButtonDblClk(UINT flags, CPoint point);

 private:
  void StoreUnit(int unit);
  void InvalidatePane(UINT id, bool now);

  AString m_dpiText;
  AString m_printerText;
  int m_unit = kPaneUnitInch;
  double m_cursorX = 0;
  double m_cursorY = 0;
  double m_labelWidth = 10.0;
  double m_labelHeight = 10.0;
  // False once the last layout has gone; a label size given makes it true.
  bool m_showsLayout = true;
  DECLARE_MESSAGE_MAP()
};
