#include "datasource/ui/files/data_file_runners.h"

#include "datasource/ui/files/counter_files_dlg.h"
#include "datasource/ui/files/text_files_dlg.h"

namespace {

int RunFilesDialog(CLikelyDbListDlg& dialog, const AString& caption, const AString& folder) {
  dialog.m_caption = caption;
  if (!folder.IsEmpty()) {
    dialog.m_folder = folder;
    if (folder.GetData()[folder.GetLength() - 1] != '/') dialog.m_folder += "/";
  }
  dialog.DoModal();
  return dialog.m_changed;
}

}  // namespace

int RunTextFilesDialog(CWnd* parent, const AString& caption, const AString& folder) {
  CTextFilesDlg dialog(parent);
  return RunFilesDialog(dialog, caption, folder);
}

int RunCounterFilesDialog(CWnd* parent, const AString& caption, const AString& folder) {
  CCounterFilesDlg dialog(parent);
  return RunFilesDialog(dialog, caption, folder);
}
