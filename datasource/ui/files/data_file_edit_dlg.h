// The edit dialogs of the data files: a file name, a value or text, and for
// counters a description, under captions the caller passes in. OK refuses an
// empty name or value (message 50064 with the caption) and, for a new file
// whose name is taken, asks before overwriting (warning 20003).
#pragma once

#include <string>

#include "app/ui/skin_dialog.h"
#include "foundation/string/astring.h"

class CDataFileEditDlg : public CSkinDialog {
 public:
  CDataFileEditDlg(UINT dialogId, CWnd* parent);

  BOOL OnInitDialog() override;
  void OnOK() override;

  AString m_nameCaption;   // translated texts
  AString m_valueCaption;
  AString m_descriptionCaption;
  AString m_title;         // English caption key; empty keeps the template's
  AString m_name;          // file name, in the file system's code page
  std::u16string m_value;  // counter value or the file's text
  std::u16string m_description;
  int m_existingFile = 0;  // editing: the name cannot change
  AString m_folder;        // with the extension: where a new name is checked
  AString m_extension;
};

// The counter edit dialog (211) and the text file edit dialog (217).
class CCounterEditDlg : public CDataFileEditDlg {
 public:
  explicit CCounterEditDlg(CWnd* parent);
};

class CTextFileEditDlg : public CDataFileEditDlg {
 public:
  explicit CTextFileEditDlg(CWnd* parent);
};
