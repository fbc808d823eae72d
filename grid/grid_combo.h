// The combo cell: a cell whose value is picked from a list of options (with
// a 32-bit value per option) in a drop list laid over the cell while it is
// edited. The drop-down style lets the user type as well.
#pragma once

#include "app/controls/mru_combo.h"
#include "foundation/containers/aarray.h"
#include "foundation/string/astring.h"
#include "grid/grid_cell.h"

class CGridComboList;

class CGridCellCombo : public CGridCell {
  DECLARE_DYNCREATE(CGridCellCombo)

 public:
  CGridCellCombo() = default;
  ~CGridCellCombo() override = default;

  void SetOptions(const AArray<AString>& options, const AArray<int>* itemData = nullptr);
  void SetStyle(DWORD style) { m_dwStyle = style; }
  DWORD GetStyle() const { return m_dwStyle; }
  CGridComboList* GetComboWnd() const;

  BOOL Edit(int row, int col, RECT rect, POINT point, UINT id, UINT firstKey) override;
  BOOL Draw(HDC dc, int row, int col, RECT rect, bool eraseBkgnd = true) override;
  SIZE GetCellExtent(HDC dc) override;
  void EndEdit() override;
  HWND GetEditWnd() const override;

  AArray<AString> m_Strings;
  AArray<int> m_ItemData;
  int m_nSelected = -1;  // the chosen option; the drop list writes it back

 private:
  DWORD m_dwStyle = CBS_DROPDOWN;
};

// The embedded edit of a drop-down combo: passes the keys that end editing on
// to the list.
class CGridComboEdit : public CEdit {
 public:
  BOOL PreTranslateMessage(MSG* msg) override;

 protected:
  void OnKeyDown(UINT ch, UINT repeat, UINT flags);
  void OnKeyUp(UINT ch, UINT repeat, UINT flags);
  void OnKillFocus(CWnd* next);
  void OnSysChar(UINT, UINT, UINT) {}
  DECLARE_MESSAGE_MAP()
};

class CGridComboList : public CMruComboBox {
 public:
  CGridComboList(CWnd* grid, RECT rect, DWORD style, UINT id, int row, int col, const AArray<AString>& options,
                 const AArray<int>& itemData, const AString& initText, UINT firstKey, bool rawText, int selected = -1);
  ~CGridComboList() override = default;
  void EndEdit();
  void SetCell(CGridCellCombo* cell) { m_pCell = cell; }
  UINT LastKey() const { return m_nLastChar; }

 protected:
  void PostNcDestroy() override { delete this; }
  void OnKeyDown(UINT ch, UINT repeat, UINT flags);
  void OnKeyUp(UINT ch, UINT repeat, UINT flags);
  void OnKillFocus(CWnd* next);
  UINT OnGetDlgCode() { return DLGC_WANTALLKEYS; }
  BOOL OnSelEndOk();
  BOOL OnComboDropDown();
  HBRUSH OnCtlColor(CDC*, CWnd*, UINT) { return nullptr; }

 private:
  int DropWidth();
  CGridComboEdit m_edit;
  CGridCellCombo* m_pCell = nullptr;
  int m_nNumLines = 4;
  AString m_sInitText;
  int m_nRow;
  int m_nCol;
  UINT m_nLastChar = 0;
  UINT m_nLastPressed = 0;
  bool m_bRawText;
  bool m_bEnded = false;
  DECLARE_MESSAGE_MAP()
};
