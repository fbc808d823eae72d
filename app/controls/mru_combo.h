// The owner-drawn combo box of the designer's dialogs: a per-key history of
// entered texts kept in a small text file in the per-user folder, items
// drawn in the interface language's code page or as UTF-16, and a drop-down
// list that widens itself to its widest entry. The key "NoMRU" makes a plain
// owner-drawn combo box without history.
#pragma once

#include <string>
#include <vector>

#include "app/controls/edit_ex.h"
#include "foundation/string/astring.h"
#include "platform/framework.h"

class CMruComboBox : public CComboBox {
 public:
  CMruComboBox();

  int m_dropWidth = 0;          // the widest item seen, in pixels
  AString m_displayText;        // drawn for an item index outside the list
  CEditEx m_edit;               // takes the combo's edit field over at its first paint
  int m_editTakenOver = 0;
  AString m_key;
  int m_historyOff = 0;
  int m_maxEntries = 16;        // set before Init; 4 for the file-path histories
  int m_checkFiles = 0;         // the selected entry is a path checked when the list closes
  int m_codePage;               // the interface language's, or 1200 for UTF-16 items
  std::vector<AString> m_items; // the items as given, the texts of code page 1200 mode
  std::string m_folder;         // where history files live, ending with '/'

  void Init(const char* key, int itemHeight);
  int AddToHistory(const AString& text);
  int AddCurrentText();
  int AddTranslatedString(const char* text, bool raw);
  int AddListString(const AString& text);
  void ResetContent();
  int FindItemData(DWORD_PTR data) const;
  int SelectText(const AString& text, int defaultIndex);
  void GetItemText(int index, AString& text) const;
  void GetText(AString& text) const;
  bool WriteHistory() const;
  std::string HistoryPath() const;

  void DrawItem(LPDRAWITEMSTRUCT dis) override;
  void MeasureItem(LPMEASUREITEMSTRUCT mis) override;

  HBRUSH OnCtlColor(CDC* dc, CWnd* window, UINT ctlColor);
  BOOL OnDropDown();
  BOOL OnCloseUp();
  LRESULT OnResetContent(WPARAM wParam, LPARAM lParam);

 private:
  void LoadHistory();
  void UpdateDropWidth(HWND measureOn);
  void TakeOverEdit(HWND edit);
  void CheckSelectedFile();
  DECLARE_MESSAGE_MAP()
};
