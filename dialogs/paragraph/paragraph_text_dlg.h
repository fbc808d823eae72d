// The paragraph text dialog: a block of multi-line text edited in a large
// box, which a text file chosen with "..." may replace (a file that starts
// with a UTF-16 byte-order mark is read as UTF-16, any other in the
// system's code page). In save-and-close mode (a caller editing a file)
// there is no "..." and OK reads "Save & Close". After OK the text is
// always UTF-16.
#pragma once

#include "app/ui/skin_dialog.h"
#include "fields/controls/rich_edit_ex.h"
#include "foundation/string/astring.h"

class CParagraphDlg : public CSkinDialog {
 public:
  explicit CParagraphDlg(CWnd* parent = nullptr);
  ~CParagraphDlg() override;

  AString m_text;
  int m_codePage;  // of m_text on entry; 1200 after OK
  int m_language;  // of the box's default font
  AString m_fileName;
  int m_saveAndClose = 0;

 protected:
  void DoDataExchange(CDataExchange* dx) override;
  BOOL OnInitDialog() override;
  void OnOK() override;
  void OnOpenFile();
  DECLARE_MESSAGE_MAP()

 private:
  CRichEditEx m_box;
};
