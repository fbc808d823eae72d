// The Text Files and Counter Files commands.
#include "app/shell/data_file_commands.h"

#include "app/core/app_settings.h"
#include "app/shell/label_designer_app.h"
#include "app/ui/ui_language.h"
#include "document/view/design_view_ids.h"

namespace {

const DataFileDialogs* g_dataFileDialogs = nullptr;

}  // namespace

void SetDataFileDialogs(const DataFileDialogs* dialogs) { g_dataFileDialogs = dialogs; }

const DataFileDialogs* GetDataFileDialogs() { return g_dataFileDialogs; }

AString DataFileDialogCaption(const char* title, const AString& folder) {
  AString caption = TranslateUiString(title, true);
  caption += " - ";
  caption += folder;
  return caption;
}

void CLabelDesignerApp::OnTextFiles() {
  const DataFileDialogs* dialogs = GetDataFileDialogs();
  if (!dialogs || !dialogs->runTextFiles) return;
  const AString& folder = AppSettings().Folder(SettingsFolder::TextFiles);
  dialogs->runTextFiles(m_pMainFrame, DataFileDialogCaption("Text Files", folder), folder);
}

void CLabelDesignerApp::OnCounterFiles() {
  const DataFileDialogs* dialogs = GetDataFileDialogs();
  if (!dialogs || !dialogs->runCounterFiles) return;
  const AString& folder = AppSettings().Folder(SettingsFolder::CounterFiles);
  // Counter File fields show the counter's value: a changed file redraws them.
  if (dialogs->runCounterFiles(m_pMainFrame, DataFileDialogCaption("Counter Files", folder), folder) &&
      m_pMainFrame && m_pMainFrame->m_hWnd)
    m_pMainFrame->PostMessage(WM_COMMAND, viewcmd::kRefresh);
}

void CLabelDesignerApp::OnSelectDataSource() {
  const DataFileDialogs* dialogs = GetDataFileDialogs();
  if (dialogs && dialogs->runLikelyDatabases) dialogs->runLikelyDatabases(m_pMainFrame);
}

void CLabelDesignerApp::OnUpdateSelectDataSource(CCmdUI* ui) {
  ui->Enable(GetDataFileDialogs() && GetDataFileDialogs()->runLikelyDatabases);
}

void CLabelDesignerApp::OnUpdateTextFiles(CCmdUI* ui) {
  ui->Enable(GetDataFileDialogs() && GetDataFileDialogs()->runTextFiles);
}

void CLabelDesignerApp::OnUpdateCounterFiles(CCmdUI* ui) {
  ui->Enable(GetDataFileDialogs() && GetDataFileDialogs()->runCounterFiles);
}
