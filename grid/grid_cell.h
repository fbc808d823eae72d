// The cells of the grid: the abstract cell (state bits and the operations
// written in terms of the others), the ordinary cell every position gets, and
// the default cell that supplies format, colours, font and margin to cells
// that leave them unset.
#pragma once

#include <memory>

#include "foundation/string/astring.h"
#include "grid/grid_types.h"
#include "platform/framework.h"
#include "platform/gdi/gdi_owners.h"

class CGridCtrl;

class CGridCellBase : public CObject {
  DECLARE_DYNAMIC(CGridCellBase)

 public:
  ~CGridCellBase() override = default;

  virtual void SetText(const AString& text) = 0;
  virtual void SetImage(int image) = 0;
  virtual void SetData(LPARAM data) = 0;
  virtual void SetState(UINT state) { m_nState = state; }
  virtual void SetFormat(UINT format) = 0;
  virtual void SetTextClr(COLORREF colour) = 0;
  virtual void SetBackClr(COLORREF colour) = 0;
  virtual void SetFont(const LOGFONTA* font) = 0;
  virtual void SetMargin(UINT margin) = 0;
  virtual void SetGrid(CGridCtrl* grid) = 0;
  virtual void SetCoords(int row, int col) = 0;

  virtual const AString& GetText() const = 0;
  virtual const AString& GetTipText() const { return GetText(); }
  virtual int GetImage() const = 0;
  virtual LPARAM GetData() const = 0;
  virtual UINT GetState() const { return m_nState; }
  virtual UINT GetFormat() const = 0;
  virtual COLORREF GetTextClr() const = 0;
  virtual COLORREF GetBackClr() const = 0;
  virtual const LOGFONTA* GetFont() const = 0;
  virtual HFONT GetFontObject() const = 0;
  virtual CGridCtrl* GetGrid() const = 0;
  virtual HWND GetEditWnd() const = 0;
  virtual UINT GetMargin() const = 0;
  virtual CGridCellBase* GetDefaultCell() const;
  virtual bool IsDefaultFont() const = 0;
  virtual bool IsEditing() const = 0;
  bool IsFocused() const { return (GetState() & GVIS_FOCUSED) != 0; }
  bool IsFixed() const { return (GetState() & GVIS_FIXED) != 0; }
  bool IsFixedCol() const { return (GetState() & GVIS_FIXEDCOL) != 0; }
  bool IsFixedRow() const { return (GetState() & GVIS_FIXEDROW) != 0; }
  bool IsSelected() const { return (GetState() & GVIS_SELECTED) != 0; }
  bool IsReadOnly() const { return (GetState() & GVIS_READONLY) != 0; }
  bool IsModified() const { return (GetState() & GVIS_MODIFIED) != 0; }
  bool IsDropHighlighted() const { return (GetState() & GVIS_DROPHILITED) != 0; }

  // Copies what another cell shows, through the interface of both.
  virtual void CopyFrom(const CGridCellBase& other);
  virtual void Reset();

  virtual BOOL Draw(HDC dc, int row, int col, RECT rect, bool eraseBkgnd = true);
  virtual BOOL GetTextRect(LPRECT rect);
  virtual BOOL GetTipTextRect(LPRECT rect) { return GetTextRect(rect); }
  virtual SIZE GetTextExtent(const AString& text, HDC dc = nullptr);
  virtual SIZE GetCellExtent(HDC dc);
  virtual BOOL Edit(int row, int col, RECT rect, POINT point, UINT id, UINT firstKey);
  virtual BOOL ValidateEdit(const AString& /*text*/) { return TRUE; }
  virtual void EndEdit() {}
  virtual BOOL PrintCell(HDC dc, int row, int col, RECT rect);
  virtual void OnEndEdit() {}
  virtual void OnMouseEnter() {}
  virtual void OnMouseOver() {}
  virtual void OnMouseLeave() {}
  virtual void OnClick(POINT) {}
  virtual void OnClickDown(POINT) {}
  virtual void OnRClick(POINT) {}
  virtual void OnDblClick(POINT) {}
  virtual BOOL OnSetCursor();

  // The row-highlight the grid asks for on headers of picked rows.
  bool m_highlight = false;
  COLORREF m_highlightColour = 0;
  // The text-colour override: when set, Draw takes this colour.
  BOOL m_overrideTextColour = FALSE;
  COLORREF m_overrideColour = 0xFFFFFF;

 protected:
  CGridCellBase() = default;
  UINT m_nState = 0;
};

class CGridCell : public CGridCellBase {
  DECLARE_DYNCREATE(CGridCell)

 public:
  CGridCell();
  ~CGridCell() override = default;

  void SetText(const AString& text) override { m_strText = text; }
  void SetImage(int image) override { m_nImage = image; }
  void SetData(LPARAM data) override { m_lParam = data; }
  void SetFormat(UINT format) override { m_nFormat = format; }
  void SetTextClr(COLORREF colour) override { m_crFgClr = colour; }
  void SetBackClr(COLORREF colour) override { m_crBkClr = colour; }
  void SetFont(const LOGFONTA* font) override;
  void SetMargin(UINT margin) override { m_nMargin = static_cast<int>(margin); }
  void SetGrid(CGridCtrl* grid) override { m_pGrid = grid; }
  void SetCoords(int, int) override {}

  const AString& GetText() const override { return m_strText; }
  int GetImage() const override { return m_nImage; }
  LPARAM GetData() const override { return m_lParam; }
  UINT GetFormat() const override;
  COLORREF GetTextClr() const override { return m_crFgClr; }
  COLORREF GetBackClr() const override { return m_crBkClr; }
  const LOGFONTA* GetFont() const override;
  HFONT GetFontObject() const override;
  CGridCtrl* GetGrid() const override { return m_pGrid; }
  HWND GetEditWnd() const override { return m_hEditWnd; }
  UINT GetMargin() const override;
  bool IsDefaultFont() const override { return m_plfFont == nullptr; }
  bool IsEditing() const override { return m_bEditing; }

  void Reset() override;
  BOOL Edit(int row, int col, RECT rect, POINT point, UINT id, UINT firstKey) override;
  void EndEdit() override;
  void OnEndEdit() override;

  // Returns the previous read-only bit; read-only cells are greyed.
  int SetReadOnly(bool readOnly);

  // In-place editor limits the structured-data pages set.
  int m_nLengthLimit = -1;
  int m_nSavedLengthLimit = -1;
  BOOL m_bDigitsOnly = FALSE;
  BOOL m_bSavedDigitsOnly = FALSE;

 protected:
  AString m_strText;
  AString m_strSecondText;
  LPARAM m_lParam = 0;
  int m_nImage = -1;
  UINT m_nFormat = 0xFFFFFFFF;
  COLORREF m_crFgClr = CLR_DEFAULT_GRID;
  COLORREF m_crBkClr = CLR_DEFAULT_GRID;
  std::unique_ptr<LOGFONTA> m_plfFont;
  int m_nMargin = -1;
  bool m_bEditing = false;
  CGridCtrl* m_pGrid = nullptr;
  HWND m_hEditWnd = nullptr;
  friend class CGridCtrl;
};

class CGridDefaultCell : public CGridCell {
  DECLARE_DYNCREATE(CGridDefaultCell)

 public:
  CGridDefaultCell();
  ~CGridDefaultCell() override = default;

  void SetData(LPARAM) override {}
  void SetState(UINT) override {}
  UINT GetState() const override { return CGridCell::GetState() | GVIS_READONLY; }
  void SetFont(const LOGFONTA* font) override;
  const LOGFONTA* GetFont() const override { return m_plfFont.get(); }
  HFONT GetFontObject() const override { return m_font.get(); }
  UINT GetFormat() const override { return m_nFormat; }
  UINT GetMargin() const override { return static_cast<UINT>(m_nMargin < 0 ? 0 : m_nMargin); }

  virtual DWORD GetExtra() const { return m_extra; }
  virtual void SetExtra(DWORD value) { m_extra = value; }
  virtual int GetWidth() const { return m_size.cx; }
  virtual int GetHeight() const { return m_size.cy; }
  virtual void SetWidth(int width) { m_size.cx = width; }
  virtual void SetHeight(int height) { m_size.cy = height; }

 private:
  SIZE m_size{30, 10};
  UniqueFont m_font;
  DWORD m_extra = 0;
};
