// The Default Folders dialog: the five data folders in a list, each changed
// through the folder picker; Close only when every folder exists.
#pragma once

#include <array>

#include "app/ui/skin_dialog.h"
#include "foundation/string/astring.h"

class CDefaultFoldersDlg : public CSkinDialog {
 public:
  explicit CDefaultFoldersDlg(CWnd* parent = nullptr);
  ~CDefaultFoldersDlg() override;
  void DoDataExchange(CDataExchange* dx) override;
  BOOL OnInitDialog() override;
  void OnOK() override;
  void OnChange();
  void OnRowDoubleClick(NMHDR* header, LRESULT* result);

  CListCtrl m_list;
  // In row order: text files, chooselist files, counter files, image files,
  // custom stock files.
  AString m_textFolder;
  AString m_chooselistFolder;
  AString m_counterFolder;
  AString m_imageFolder;
  AString m_stockFolder;

 private:
  std::array<AString*, 5> Folders();
  void SelectRow(int row);
  DECLARE_MESSAGE_MAP()
};
