// The application's own commands, its idle work and its few queries.
#include "app/shell/label_designer_app.h"

#include <algorithm>

#include "app/core/layer_settings.h"
#include "app/frame/frame_ids.h"
#include "app/frame/main_frame.h"
#include "app/open_dialog/mru_file_dlg.h"
#include "app/options/default_folders_dlg.h"
#include "app/options/options_sheet.h"
#include "app/small_dialogs/about_dlg.h"

BEGIN_MESSAGE_MAP(CLabelDesignerApp, CWinApp)
  ON_COMMAND(ID_FILE_NEW, OnFileNew)
  ON_UPDATE_COMMAND_UI(ID_FILE_NEW, OnUpdateFileNew)
  ON_COMMAND(ID_FILE_OPEN, OnFileOpen)
  ON_COMMAND(ID_APP_ABOUT_BOX, OnAbout)
  ON_COMMAND(ID_APP_DEFAULT_SETTINGS, OnDefaultSettings)
  ON_COMMAND(ID_APP_DEFAULT_FOLDERS, OnDefaultFolders)
  ON_COMMAND(ID_APP_TEXT_FILES, OnTextFiles)
  ON_COMMAND(ID_APP_COUNTER_FILES, OnCounterFiles)
  ON_UPDATE_COMMAND_UI(ID_APP_TEXT_FILES, OnUpdateTextFiles)
  ON_UPDATE_COMMAND_UI(ID_APP_COUNTER_FILES, OnUpdateCounterFiles)
  ON_COMMAND(ID_APP_SELECT_DATA_SOURCE, OnSelectDataSource)
  ON_UPDATE_COMMAND_UI(ID_APP_SELECT_DATA_SOURCE, OnUpdateSelectDataSource)
  ON_COMMAND(ID_APP_CLIPBOARD_BITMAP, OnClipboardFormatBitmap)
  ON_COMMAND(ID_APP_CLIPBOARD_METAFILE, OnClipboardFormatMetafile)
  ON_UPDATE_COMMAND_UI(ID_APP_CLIPBOARD_BITMAP, OnUpdateClipboardFormatBitmap)
  ON_UPDATE_COMMAND_UI(ID_APP_CLIPBOARD_METAFILE, OnUpdateClipboardFormatMetafile)
END_MESSAGE_MAP()

CLabelDesignerApp::CLabelDesignerApp() : CWinApp("Tavrendel") {}

CLabelDesignerApp::~CLabelDesignerApp() {
  StopChannel();
  FreePrinterDevModes();
}

CLabelDesignerApp* DesignerApp() { return dynamic_cast<CLabelDesignerApp*>(AfxGetApp()); }

BOOL CLabelDesignerApp::OnIdle(LONG count) {
  CWinApp::OnIdle(count);
  if (m_exitWhenIdle && m_pMainFrame && m_pMainFrame->m_hWnd) {
    m_exitWhenIdle = false;
    m_pMainFrame->PostMessage(WM_CLOSE);
  }
  return FALSE;
}

CDocument* CLabelDesignerApp::GetActiveLayoutDoc() const {
  auto* mdi = dynamic_cast<CMDIFrameWnd*>(m_pMainFrame);
  if (!mdi || !mdi->m_hWnd) return nullptr;
  CMDIChildWnd* child = mdi->MDIGetActive();
  return child ? child->GetActiveDocument() : nullptr;
}

void CLabelDesignerApp::SetHelpFilePath() {
  // Help ships as HTML beside the program.
  m_helpFilePath = (m_folders.program + "TavrendelHelp/index.html").c_str();
}

void CLabelDesignerApp::OnFileNew() {
  if (m_readerMode) return;
  const bool hadLayout = GetActiveLayoutDoc() != nullptr;
  CWinApp::OnFileNew();
  auto* mdi = dynamic_cast<CMDIFrameWnd*>(m_pMainFrame);
  CMDIChildWnd* child = mdi ? mdi->MDIGetActive() : nullptr;
  if (!child) return;
  if (!hadLayout) child->ShowWindow(SW_MAXIMIZE);
  child->SendMessage(WM_COMMAND, ID_VIEW_FIT_IN_FRAME, 0);
}

void CLabelDesignerApp::OnAbout() {
  CAboutDlg about(m_pMainFrame);
  about.DoModal();
}

void CLabelDesignerApp::OnDefaultSettings() {
  if (RunOptionsSheet() == 0) return;
  if (m_pMainFrame) m_pMainFrame->DrawMenuBar();
  if (CMainFrame* frame = CMainFrame::Get()) frame->RefreshAllLayouts();
}

void CLabelDesignerApp::OnDefaultFolders() {
  CAppSettings& settings = AppSettings();
  CDefaultFoldersDlg folders(m_pMainFrame);
  folders.m_textFolder = settings.Folder(SettingsFolder::TextFiles);
  folders.m_chooselistFolder = settings.Folder(SettingsFolder::ChooselistFiles);
  folders.m_counterFolder = settings.Folder(SettingsFolder::CounterFiles);
  folders.m_imageFolder = settings.Folder(SettingsFolder::ImageFiles);
  folders.m_stockFolder = settings.Folder(SettingsFolder::CustomStockFiles);
  if (folders.DoModal() != IDOK) return;
  settings.Folder(SettingsFolder::TextFiles) = folders.m_textFolder;
  settings.Folder(SettingsFolder::ChooselistFiles) = folders.m_chooselistFolder;
  settings.Folder(SettingsFolder::CounterFiles) = folders.m_counterFolder;
  settings.Folder(SettingsFolder::ImageFiles) = folders.m_imageFolder;
  settings.Folder(SettingsFolder::CustomStockFiles) = folders.m_stockFolder;
  SaveDataFolders();
  ApplySettingsToLayers(settings);
}

void CLabelDesignerApp::OnUpdateFileNew(CCmdUI* ui) { ui->Enable(TRUE); }

void CLabelDesignerApp::OnFileOpen() {
  CAppSettings& settings = AppSettings();
  CMRUFileDlg dlg(1, "bcd", nullptr, OFN_HIDEREADONLY | OFN_ALLOWMULTISELECT | OFN_FILEMUSTEXIST,
                  "Barcode Layout|*.bcd|All files(*.*)|*.*||", m_pMainFrame);
  dlg.m_ofn.nFilterIndex = static_cast<DWORD>(std::max(settings.openFilterIndex, 1));
  if (dlg.DoModal() != IDOK) return;
  settings.openFilterIndex = static_cast<int32_t>(dlg.m_ofn.nFilterIndex);
  auto* frame = dynamic_cast<CMainFrame*>(m_pMainFrame);
  if (!frame) return;
  const bool readOnly = (dlg.m_ofn.Flags & OFN_READONLY) != 0;
  bool opened = false;
  for (POSITION pos = dlg.GetStartPosition(); pos;)
    opened = frame->OpenLayoutFile(dlg.GetNextPathName(pos), readOnly) != nullptr || opened;
  // An attempt that opened nothing leaves the windows as they were.
  if (CMDIChildWnd* child = opened ? frame->MDIGetActive() : nullptr)
    ::SendMessageA(frame->m_hWndMDIClient, WM_MDIMAXIMIZE, reinterpret_cast<WPARAM>(child->m_hWnd), 0);
}

void CLabelDesignerApp::OnClipboardFormatBitmap() { AppSettings().clipboardAsBitmap = 1; }
void CLabelDesignerApp::OnClipboardFormatMetafile() { AppSettings().clipboardAsBitmap = 0; }
void CLabelDesignerApp::OnUpdateClipboardFormatBitmap(CCmdUI* ui) {
  ui->SetCheck(AppSettings().clipboardAsBitmap == 1);
}
void CLabelDesignerApp::OnUpdateClipboardFormatMetafile(CCmdUI* ui) {
  ui->SetCheck(AppSettings().clipboardAsBitmap == 0);
}
