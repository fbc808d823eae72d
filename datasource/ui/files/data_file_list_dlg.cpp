#include "datasource/ui/files/data_file_list_dlg.h"

#include <cerrno>
#include <cstring>

#include "app/ui/msg_box.h"
#include "app/ui/ui_language.h"
#include "datasource/ui/files/data_file_edit_dlg.h"
#include "datasource/ui/files/dialog_text.h"
#include "datasource/ui/files/files_ids.h"
#include "foundation/util/file_names.h"

BEGIN_MESSAGE_MAP(CLikelyDbListDlg, CSkinDialog)
  ON_LBN_SELCHANGE(IDC_FILE_LIST, OnSelChange)
  ON_LBN_DBLCLK(IDC_FILE_LIST, OnDoubleClick)
  ON_BN_CLICKED(IDC_FILE_ADD, OnAdd)
  ON_BN_CLICKED(IDC_FILE_EDIT, OnEdit)
  ON_BN_CLICKED(IDC_FILE_DELETE, OnDelete)
END_MESSAGE_MAP()

CLikelyDbListDlg::CLikelyDbListDlg(UINT dialogId, CWnd* parent) : CSkinDialog(dialogId, parent) {}

void CLikelyDbListDlg::DoDataExchange(CDataExchange* dx) {
  CSkinDialog::DoDataExchange(dx);
  DDX_Control(dx, IDC_FILE_LIST, m_list);
}

BOOL CLikelyDbListDlg::OnInitDialog() {
  if (!m_caption.IsEmpty()) Skin().SetCaptionKey(m_caption.GetData());
  CSkinDialog::OnInitDialog();
  // File names are held as the file system functions take them.
  m_list.SetColumns(0, CP_ACP);
  FillList();
  if (m_list.GetCount() > 0) m_list.SetCurSel(0);
  ShowSelection();
  return TRUE;
}

void CLikelyDbListDlg::FillList() {
  m_list.ResetContent();
  if (!m_folderMode || m_folder.IsEmpty()) return;
  AArray<AString> names;
  ListFilesByPattern(m_folder.GetData(), (AString("*") + m_extension).GetData(), names);
  for (int i = 0; i < names.GetSize(); ++i) m_list.AddRow(names[i]);
  m_list.Sort(true);
}

BOOL CLikelyDbListDlg::PreTranslateMessage(MSG* msg) {
  if (msg->message == WM_KEYDOWN && msg->wParam == VK_DELETE && msg->hwnd == m_list.m_hWnd) {
    DeleteSelected();
    return TRUE;
  }
  return CSkinDialog::PreTranslateMessage(msg);
}

AString CLikelyDbListDlg::SelectedName() const {
  return m_list.GetRowText(m_list.GetCurSel());
}

AString CLikelyDbListDlg::EntryPath(AString name) const {
  if (!m_folderMode) return name;
  return MakeFilePath(m_folder.GetData(), name, m_extension.GetData());
}

void CLikelyDbListDlg::SetEntryButtons(bool selected) {
  if (CWnd* edit = GetDlgItem(IDC_FILE_EDIT)) edit->EnableWindow(selected);
  if (CWnd* remove = GetDlgItem(IDC_FILE_DELETE)) remove->EnableWindow(selected);
}

void CLikelyDbListDlg::ShowSelection() {
  if (m_list.GetCurSel() < 0) {
    ShowEntry(nullptr);
    SetEntryButtons(false);
    return;
  }
  SetEntryButtons(true);
  if (m_folderMode) ShowEntry(EntryPath(SelectedName()).GetData());
}

void CLikelyDbListDlg::SelectOrAddName(const AString& name) {
  int row = m_list.FindExact(0, name);
  if (row < 0) row = m_list.AddRow(name);
  m_list.SetCurSel(row);
}

int CLikelyDbListDlg::MoveSelectedItem(int direction) {
  return m_list.MoveSelection(direction);
}

void CLikelyDbListDlg::DeleteSelected() {
  m_deletePath.Clear();
  const int row = m_list.GetCurSel();
  if (row < 0) return;
  m_deletePath = EntryPath(SelectedName());
  if (m_confirmDelete && UiMessageBox(this, 53, kMsgBoxYesNo, false, m_deletePath) != IDYES) {
    m_list.SetFocus();
    m_deletePath.Clear();
    return;
  }
  if (m_folderMode && !ForceDeleteFile(m_deletePath.GetData())) {
    // The file is still there: the row stays, and the user learns why.
    UiMessageBoxText(this, "Could not delete %s: %s", kMsgBoxOk, false, m_deletePath, std::strerror(errno));
    return;
  }
  m_list.DeleteRow(row);
  m_changed = 1;
  m_list.SetCurSel(row < m_list.GetCount() ? row : m_list.GetCount() - 1);
  ShowSelection();
}

void CLikelyDbListDlg::PrepareEdit(CDataFileEditDlg& edit, int add, const char* valueCaption, int valueShowId) {
  edit.m_nameCaption = TranslateUiString("File Name");
  edit.m_valueCaption = TranslateUiString(valueCaption);
  edit.m_folder = m_folder;
  edit.m_extension = m_extension;
  if (add) return;
  edit.m_name = SelectedName();
  edit.m_value = GetItemUnits(m_hWnd, valueShowId);
  edit.m_existingFile = 1;
}

void CLikelyDbListDlg::OnSelChange() { ShowSelection(); }

void CLikelyDbListDlg::OnDoubleClick() { OnEdit(); }

void CLikelyDbListDlg::OnAdd() {
  if (AddOrEdit(1)) m_changed = 1;
}

void CLikelyDbListDlg::OnEdit() {
  if (m_list.GetCurSel() >= 0 && AddOrEdit(0)) m_changed = 1;
}

void CLikelyDbListDlg::OnDelete() { DeleteSelected(); }

void ReportDataFileWriteFailure(CWnd* owner, const AString& path) {
  UiMessageBoxText(owner, "Could not write %s: %s", kMsgBoxOk, false, path, std::strerror(errno));
}
