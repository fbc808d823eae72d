// The title tip: a small top-most window laid over a cell whose text is cut
// off, showing the whole text. It hides itself on the first key, click or
// move off the cell and passes that input on to the window underneath.
#pragma once

#include "foundation/string/astring.h"
#include "platform/framework.h"

class CTitleTip : public CWnd {
 public:
  CTitleTip();
  ~CTitleTip() override;
  void SetParentWnd(CWnd* parent) { m_pParentWnd = parent; }
  BOOL Create(CWnd* parent);
  BOOL DestroyWindow() override;
  // Rectangles in the parent's client coordinates; colours 0xFF000000 mean
  // the system's tip colours.
  void Show(RECT title, const AString& text, int xOffset, const RECT* hover, const LOGFONTA* font,
            COLORREF textColour, COLORREF backColour);
  void Hide();
  bool IsShown() const { return m_hWnd && ::IsWindowVisible(m_hWnd); }
  const AString& ShownText() const { return m_text; }
  BOOL PreTranslateMessage(MSG* msg) override;

 protected:
  void OnMouseMove(UINT flags, CPoint point);
  void OnPaint();
  void OnLButtonDown(UINT, CPoint point) { OnButtonDown(WM_LBUTTONDOWN, point); }
  void OnRButtonDown(UINT, CPoint point) { OnButtonDown(WM_RBUTTONDOWN, point); }
  void OnMButtonDown(UINT, CPoint point) { OnButtonDown(WM_MBUTTONDOWN, point); }
  void OnButtonDown(UINT message, CPoint point);

 private:
  void PassOn(UINT message, POINT screen);
  CWnd* m_pParentWnd = nullptr;
  CRect m_rectHover{0, 0, 0, 0};
  DWORD m_dwLastLButtonDown = 0xFFFFFFFF;
  DWORD m_dwDblClickMsecs;
  bool m_bCreated = false;
  AString m_text;
  LOGFONTA m_font{};
  bool m_hasFont = false;
  COLORREF m_textColour = 0xFF000000;
  COLORREF m_backColour = 0xFF000000;
  DECLARE_MESSAGE_MAP()
};
