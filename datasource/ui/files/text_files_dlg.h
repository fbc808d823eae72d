// The text data files dialog: the ".txt" files of the text folder, the
// selected one's text, the language a file without a mark is read in
// (remembered per file while the dialog is open), and adding or editing a
// file in the text file edit dialog, written back in the file's own form.
#pragma once

#include <map>
#include <string>

#include "app/controls/bitmap_buttons.h"
#include "datasource/ui/files/data_file_list_dlg.h"
#include "datasource/ui/files/text_file_form.h"

class CTextFilesDlg : public CLikelyDbListDlg {
 public:
  explicit CTextFilesDlg(CWnd* parent = nullptr);

  void DoDataExchange(CDataExchange* dx) override;
  BOOL OnInitDialog() override;
  int AddOrEdit(int add) override;
  void ShowEntry(const char* path) override;

  // The code page files without a mark are read in (the chosen language's).
  int m_codePage = 0;
  TextFileForm m_form = TextFileForm::kCodePage;  // the selected file's
  std::map<std::string, int> m_languages;         // file name -> language
  CTipButton m_tip;

 protected:
  void OnLanguageChange();
  DECLARE_MESSAGE_MAP()

 private:
  void EnableFileControls(bool selected);
};

// Opens the text data file in the text edit dialog titled "Edit" and writes
// the text back in the file's own form on OK (as UTF-16 with its mark when
// the text no longer fits the code page it was read in). 1 on OK, else 0.
int EditDataFileText(const char* path, CWnd* owner);
