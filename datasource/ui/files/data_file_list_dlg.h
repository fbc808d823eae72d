// The base of the dialogs that manage the data files of one folder: the
// files carrying one extension in a list, with Add, Edit and Delete. The
// derived dialog shows the selected file (ShowEntry) and adds or edits one
// (AddOrEdit).
#pragma once

#include "app/controls/column_list_box.h"
#include "app/ui/skin_dialog.h"
#include "foundation/string/astring.h"

class CDataFileEditDlg;

class CLikelyDbListDlg : public CSkinDialog {
 public:
  CLikelyDbListDlg(UINT dialogId, CWnd* parent);

  void DoDataExchange(CDataExchange* dx) override;
  BOOL OnInitDialog() override;
  BOOL PreTranslateMessage(MSG* msg) override;

  // Hooks of the derived dialog. AddOrEdit(1) adds, (0) edits the selected
  // entry; non-zero on success. ShowEntry gets the selected entry's path, or
  // null when nothing is selected.
  virtual int AddOrEdit(int add) = 0;
  virtual void ShowEntry(const char* path) = 0;

  // Moves the selected entry: 0 to the top, 1 up, 2 down, 3 to the bottom.
  int MoveSelectedItem(int direction);
  // Deletes the selected entry (and in folder mode its file), asking first
  // when confirming is on.
  void DeleteSelected();
  // Shows the selection through ShowEntry and sets the buttons.
  void ShowSelection();
  // The selected entry's name, empty with none.
  AString SelectedName() const;
  // The path of an entry: in folder mode the folder, the name and the
  // extension joined; else the name itself.
  AString EntryPath(AString name) const;
  // Selects the entry of this exact name, adding it when missing.
  void SelectOrAddName(const AString& name);

  CColumnListBox m_list;
  AString m_caption;  // shown as it stands; empty keeps the template's
  int m_folderMode = 1;
  AString m_extension;  // such as ".cntr"
  AString m_folder;     // ending with '/'
  AString m_deletePath;
  int m_confirmDelete = 1;
  int m_changed = 0;

 protected:
  // Fills the edit dialog for adding, or for editing the selected entry
  // whose value the control valueShowId shows.
  void PrepareEdit(CDataFileEditDlg& edit, int add, const char* valueCaption, int valueShowId);
  void OnSelChange();
  void OnDoubleClick();
  void OnAdd();
  void OnEdit();
  void OnDelete();
  DECLARE_MESSAGE_MAP()

 private:
  void FillList();
  void SetEntryButtons(bool selected);
};

// Tells the user a data file could not be written, and why.
void ReportDataFileWriteFailure(CWnd* owner, const AString& path);
