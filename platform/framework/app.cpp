// Threads and the application object.
#include "platform/framework/app.h"

#include <atomic>
#include <cstdlib>

#include "platform/framework/doc_template.h"
#include "platform/framework/document.h"
#include "platform/framework/framework_ids.h"
#include "platform/framework/frame.h"
#include "platform/framework/gdi_objects.h"
#include "platform/framework/menu.h"
#include "platform/framework/resources.h"
#include "platform/framework/thread_state.h"

IMPLEMENT_DYNAMIC(CWinThread, CCmdTarget)
IMPLEMENT_DYNAMIC(CWinApp, CWinThread)

namespace {

// The one application object of the program, set while it lives.
std::atomic<CWinApp*> g_app{nullptr};

}  // namespace

CWinApp* AfxGetApp() { return g_app.load(); }
const char* AfxGetAppName() {
  CWinApp* app = AfxGetApp();
  return app && app->m_pszAppName ? app->m_pszAppName : "";
}

CWinThread* AfxGetThread() {
  CWinThread* thread = afx::State().thread;
  return thread ? thread : AfxGetApp();
}

CWnd* AfxGetMainWnd() {
  CWinThread* thread = AfxGetThread();
  return thread ? thread->GetMainWnd() : nullptr;
}

int AfxMessageBox(const char* text, UINT type, UINT helpId) {
  if (CWinApp* app = AfxGetApp()) return app->DoMessageBox(text, type, helpId);
  return ::MessageBoxA(nullptr, text, "", type);
}

int AfxMessageBox(UINT textId, UINT type, UINT helpId) {
  CString text;
  if (!text.LoadString(textId)) text.Format("Message %u", textId);
  return AfxMessageBox(text, type, helpId == static_cast<UINT>(-1) ? textId : helpId);
}

void AfxPostQuitIfRunning(CWnd* closing) {
  CWinThread* thread = AfxGetThread();
  if (!thread || thread->m_pMainWnd != closing) return;
  thread->m_pMainWnd = nullptr;
  if (thread->m_bRunning) ::PostQuitMessage(0);
}

CWinThread::~CWinThread() {
  if (m_thread.joinable()) m_thread.join();
}

BOOL CWinThread::CreateThread() {
  m_thread = std::thread([this] {
    afx::State().thread = this;
    m_nThreadID = ::GetCurrentThreadId();
    if (m_pfnThreadProc) {
      m_nExitCode = static_cast<int>(m_pfnThreadProc(m_pThreadParams));
    } else if (InitInstance()) {
      m_nExitCode = Run();
    } else {
      m_nExitCode = ExitInstance();
    }
    CWnd::DeleteTempMap();
    afx::RemoveMessageFilter();
    afx::State().thread = nullptr;
  });
  return TRUE;
}

DWORD CWinThread::Join() {
  if (m_thread.joinable()) m_thread.join();
  return static_cast<DWORD>(m_nExitCode);
}

CWinThread* AfxBeginThread(AFX_THREADPROC proc, LPVOID param) {
  auto* thread = new CWinThread(proc, param);
  thread->m_bAutoDelete = FALSE;  // the caller joins and deletes it
  thread->CreateThread();
  return thread;
}

CWinThread* AfxBeginThread(const CRuntimeClass* threadClass) {
  auto* thread = static_cast<CWinThread*>(threadClass->CreateObject());
  if (!thread) return nullptr;
  thread->m_bAutoDelete = FALSE;
  thread->CreateThread();
  return thread;
}

BOOL CWinThread::IsIdleMessage(MSG* msg) {
  // Mouse moves and the paint and timer messages do not restart idle work.
  return msg->message != WM_MOUSEMOVE && msg->message != WM_NCMOUSEMOVE && msg->message != WM_PAINT &&
         msg->message != WM_TIMER && msg->message != WM_KICKIDLE;
}

BOOL CWinThread::PreTranslateMessage(MSG* msg) {
  HWND main = m_pMainWnd ? m_pMainWnd->m_hWnd : nullptr;
  if (CWnd::WalkPreTranslateTree(main, msg)) return TRUE;
  // A message of another top-level window still gets the main window's accelerators.
  if (m_pMainWnd && msg->hwnd && ::GetAncestor(msg->hwnd, GA_ROOT) != main)
    return m_pMainWnd->PreTranslateMessage(msg);
  return FALSE;
}

BOOL CWinThread::PumpMessage() {
  if (!::GetMessageA(&m_msgCur, nullptr, 0, 0)) return FALSE;
  if (m_msgCur.message != WM_KICKIDLE && !PreTranslateMessage(&m_msgCur)) {
    ::TranslateMessage(&m_msgCur);
    ::DispatchMessageA(&m_msgCur);
  }
  return TRUE;
}

int CWinThread::Run() {
  m_bRunning = TRUE;
  BOOL idle = TRUE;
  LONG idleCount = 0;
  for (;;) {
    while (idle && !::PeekMessageA(&m_msgCur, nullptr, 0, 0, PM_NOREMOVE)) {
      if (!OnIdle(idleCount++)) idle = FALSE;
    }
    do {
      if (!PumpMessage()) {
        m_bRunning = FALSE;
        return ExitInstance();
      }
      if (IsIdleMessage(&m_msgCur)) {
        idle = TRUE;
        idleCount = 0;
      }
    } while (::PeekMessageA(&m_msgCur, nullptr, 0, 0, PM_NOREMOVE));
  }
}

int CWinThread::ExitInstance() { return static_cast<int>(m_msgCur.wParam); }

BOOL CWinThread::OnIdle(LONG count) {
  if (count <= 0) {
    // Command states of the main window's menu bar, bars and frames.
    if (m_pMainWnd && m_pMainWnd->m_hWnd && ::IsWindowVisible(m_pMainWnd->m_hWnd)) {
      AfxCallWndProc(m_pMainWnd, m_pMainWnd->m_hWnd, WM_IDLEUPDATECMDUI, TRUE, 0);
      m_pMainWnd->SendMessageToDescendants(WM_IDLEUPDATECMDUI, TRUE, 0, TRUE, TRUE);
    }
    return TRUE;
  }
  CWnd::DeleteTempMap();
  CGdiObject::DeleteTempMap();
  CDC::DeleteTempMap();
  CMenu::DeleteTempMap();
  return FALSE;
}

void CCommandLineInfo::ParseParam(const char* param, BOOL flag, BOOL) {
  if (!flag) {
    if (m_strFileName.IsEmpty()) m_strFileName = param;
    if (m_nShellCommand == FileNew) m_nShellCommand = FileOpen;
    return;
  }
  const CString option(param);
  if (option.CompareNoCase("p") == 0) {
    m_nShellCommand = FilePrint;
  } else if (option.CompareNoCase("pt") == 0) {
    m_nShellCommand = FilePrintTo;
  } else if (option.CompareNoCase("dde") == 0) {
    m_nShellCommand = FileDDE;
  } else if (option.CompareNoCase("Embedding") == 0) {
    m_bRunEmbedded = TRUE;
    m_bShowSplash = FALSE;
  } else if (option.CompareNoCase("Automation") == 0) {
    m_bRunAutomated = TRUE;
    m_bShowSplash = FALSE;
  } else if (option.CompareNoCase("Register") == 0 || option.CompareNoCase("Regserver") == 0) {
    m_nShellCommand = AppRegister;
  } else if (option.CompareNoCase("Unregister") == 0 || option.CompareNoCase("Unregserver") == 0) {
    m_nShellCommand = AppUnregister;
  }
}

CRecentFileList::CRecentFileList(UINT start, const char* section, const char* entryFormat, int size,
                                 int maxDisplayLength)
    : m_nStart(start), m_strSectionName(section), m_strEntryFormat(entryFormat), m_nSize(size),
      m_nMaxDisplayLength(maxDisplayLength) {}

void CRecentFileList::Add(const char* path) {
  if (!path || !*path) return;
  for (size_t i = 0; i < m_names.size(); ++i) {
    if (m_names[i].CompareNoCase(path) == 0) {
      m_names.erase(m_names.begin() + static_cast<std::ptrdiff_t>(i));
      break;
    }
  }
  m_names.insert(m_names.begin(), CString(path));
  if (static_cast<int>(m_names.size()) > m_nSize) m_names.resize(static_cast<size_t>(m_nSize));
}

void CRecentFileList::Remove(int index) {
  if (index >= 0 && index < GetSize()) m_names.erase(m_names.begin() + index);
}

void CRecentFileList::ReadList() {
  CWinApp* app = AfxGetApp();
  m_names.clear();
  for (int i = 0; i < m_nSize && app; ++i) {
    CString entry;
    entry.Format(m_strEntryFormat, i + 1);
    CString name = app->GetProfileString(m_strSectionName, entry);
    if (!name.IsEmpty()) m_names.push_back(name);
  }
}

void CRecentFileList::WriteList() {
  CWinApp* app = AfxGetApp();
  if (!app) return;
  for (int i = 0; i < m_nSize; ++i) {
    CString entry;
    entry.Format(m_strEntryFormat, i + 1);
    app->WriteProfileString(m_strSectionName, entry, i < GetSize() ? m_names[static_cast<size_t>(i)].GetString() : nullptr);
  }
}

void CRecentFileList::UpdateMenu(CCmdUI* cmdUI) {
  CMenu* menu = cmdUI->m_pMenu;
  if (!menu) return;
  if (m_names.empty()) {
    cmdUI->SetText("Recent File");
    cmdUI->Enable(FALSE);
    return;
  }
  // The items of the list take the first item's place, numbered for the keyboard.
  for (int i = 0; i < m_nSize; ++i) menu->DeleteMenu(m_nStart + static_cast<UINT>(i), MF_BYCOMMAND);
  for (int i = 0; i < GetSize(); ++i) {
    CString name = m_names[static_cast<size_t>(i)];
    const int slash = name.ReverseFind('/');
    if (name.GetLength() > m_nMaxDisplayLength && slash >= 0) name = "..." + name.Mid(slash);
    CString text;
    text.Format("&%d %s", i + 1, name.GetString());
    menu->InsertMenu(cmdUI->m_nIndex + static_cast<UINT>(i), MF_BYPOSITION | MF_STRING, m_nStart + static_cast<UINT>(i),
                     text);
  }
  cmdUI->m_nIndex += static_cast<UINT>(GetSize()) - 1;
  cmdUI->m_nIndexMax = static_cast<UINT>(menu->GetMenuItemCount());
  cmdUI->m_bEnableChanged = TRUE;
}

BEGIN_MESSAGE_MAP(CWinApp, CWinThread)
  ON_COMMAND(ID_FILE_NEW, OnFileNew)
  ON_COMMAND(ID_FILE_OPEN, OnFileOpen)
  ON_COMMAND_EX_RANGE(ID_FILE_MRU_FILE1, ID_FILE_MRU_FILE16, OnOpenRecentFile)
  ON_UPDATE_COMMAND_UI(ID_FILE_MRU_FILE1, OnUpdateRecentFileMenu)
  ON_COMMAND(ID_APP_EXIT, OnAppExit)
END_MESSAGE_MAP()

CWinApp::CWinApp(const char* appName) {
  if (appName) m_appName = appName;
  m_pszAppName = appName ? m_appName.GetString() : nullptr;
  m_hInstance = AfxGetInstanceHandle();
  g_app.store(this);
  afx::State().thread = this;
}

CWinApp::~CWinApp() {
  for (POSITION pos = m_templateList.GetHeadPosition(); pos;) delete static_cast<CDocTemplate*>(m_templateList.GetNext(pos));
  m_templateList.RemoveAll();
  if (g_app.load() == this) g_app.store(nullptr);
  if (afx::State().thread == this) afx::State().thread = nullptr;
}

int CWinApp::Run() {
  if (!m_pMainWnd) return ExitInstance();
  return CWinThread::Run();
}

int CWinApp::ExitInstance() {
  SaveStdProfileSettings();
  return CWinThread::ExitInstance();
}

BOOL CWinApp::OnIdle(LONG count) {
  if (count <= 0) {
    CWinThread::OnIdle(count);
    // Every other frame (document frames of an MDI program) updates too.
    return TRUE;
  }
  return CWinThread::OnIdle(count);
}

void CWinApp::SetProfileName(const char* path) {
  m_profileName = path;
  m_pszProfileName = m_profileName.GetString();
}

UINT CWinApp::GetProfileInt(const char* section, const char* entry, int defaultValue) {
  if (!m_pszProfileName) return static_cast<UINT>(defaultValue);
  return ::GetPrivateProfileIntA(section, entry, defaultValue, m_pszProfileName);
}

BOOL CWinApp::WriteProfileInt(const char* section, const char* entry, int value) {
  CString text;
  text.Format("%d", value);
  return WriteProfileString(section, entry, text);
}

CString CWinApp::GetProfileString(const char* section, const char* entry, const char* defaultValue) {
  if (!m_pszProfileName) return CString(defaultValue);
  char buffer[4096];
  const DWORD n = ::GetPrivateProfileStringA(section, entry, defaultValue ? defaultValue : "", buffer, sizeof buffer,
                                             m_pszProfileName);
  return CString(buffer, static_cast<int>(n));
}

BOOL CWinApp::WriteProfileString(const char* section, const char* entry, const char* value) {
  if (!m_pszProfileName) return FALSE;
  return ::WritePrivateProfileStringA(section, entry, value, m_pszProfileName);
}

void CWinApp::LoadStdProfileSettings(UINT maxMru) {
  if (maxMru == 0) return;
  m_pRecentFileList = std::make_unique<CRecentFileList>(ID_FILE_MRU_FILE1, "Recent File List", "File%d",
                                                        static_cast<int>(std::min<UINT>(maxMru, 16)));
  m_pRecentFileList->ReadList();
}

void CWinApp::SaveStdProfileSettings() {
  if (m_pRecentFileList) m_pRecentFileList->WriteList();
}

void CWinApp::AddDocTemplate(CDocTemplate* tmpl) {
  tmpl->LoadTemplate();
  m_templateList.AddTail(tmpl);
}

POSITION CWinApp::GetFirstDocTemplatePosition() const { return m_templateList.GetHeadPosition(); }
CDocTemplate* CWinApp::GetNextDocTemplate(POSITION& pos) const {
  return static_cast<CDocTemplate*>(m_templateList.GetNext(pos));
}

CDocument* CWinApp::OpenDocumentFile(const char* path) {
  CDocTemplate* best = nullptr;
  CDocTemplate::Confidence bestMatch = CDocTemplate::noAttempt;
  CDocument* open = nullptr;
  for (POSITION pos = GetFirstDocTemplatePosition(); pos;) {
    CDocTemplate* tmpl = GetNextDocTemplate(pos);
    CDocument* match = nullptr;
    const CDocTemplate::Confidence c = tmpl->MatchDocType(path, match);
    if (c > bestMatch) {
      bestMatch = c;
      best = tmpl;
      open = match;
    }
    if (c == CDocTemplate::yesAlreadyOpen) break;
  }
  if (open) {
    // Already open: its first frame comes to the front.
    POSITION pos = open->GetFirstViewPosition();
    if (pos) {
      if (CFrameWnd* frame = open->GetNextView(pos)->GetParentFrame()) frame->ActivateFrame();
    }
    return open;
  }
  if (!best) {
    AfxMessageBox("The file could not be opened: no document type matches it.", MB_ICONEXCLAMATION | MB_OK);
    return nullptr;
  }
  return best->OpenDocumentFile(path);
}

void CWinApp::AddToRecentFileList(const char* path) {
  if (m_pRecentFileList) m_pRecentFileList->Add(path);
}

BOOL CWinApp::SaveAllModified() {
  for (POSITION pos = GetFirstDocTemplatePosition(); pos;)
    if (!GetNextDocTemplate(pos)->SaveAllModified()) return FALSE;
  return TRUE;
}

void CWinApp::CloseAllDocuments(BOOL endSession) {
  for (POSITION pos = GetFirstDocTemplatePosition(); pos;) GetNextDocTemplate(pos)->CloseAllDocuments(endSession);
}

int CWinApp::GetOpenDocumentCount() const {
  int count = 0;
  for (POSITION pos = GetFirstDocTemplatePosition(); pos;) {
    CDocTemplate* tmpl = GetNextDocTemplate(pos);
    for (POSITION d = tmpl->GetFirstDocPosition(); d; tmpl->GetNextDoc(d)) ++count;
  }
  return count;
}

BOOL CWinApp::DoPromptFileName(CString&, UINT, DWORD, BOOL, CDocTemplate*) { return FALSE; }

int CWinApp::DoMessageBox(const char* prompt, UINT type, UINT) {
  HWND owner = m_pMainWnd ? m_pMainWnd->m_hWnd : nullptr;
  return ::MessageBoxA(owner, prompt, m_pszAppName ? m_pszAppName : "", type);
}

void CWinApp::ParseCommandLine(CCommandLineInfo& info) {
  for (size_t i = 0; i < m_args.size(); ++i) {
    const char* arg = m_args[i].GetString();
    const BOOL flag = arg[0] == '-' || arg[0] == '/';
    info.ParseParam(flag ? arg + 1 : arg, flag, i + 1 == m_args.size());
  }
}

BOOL CWinApp::ProcessShellCommand(CCommandLineInfo& info) {
  switch (info.m_nShellCommand) {
    case CCommandLineInfo::FileNew: OnFileNew(); return m_pMainWnd != nullptr;
    case CCommandLineInfo::FileOpen: return OpenDocumentFile(info.m_strFileName) != nullptr;
    case CCommandLineInfo::FileNothing: return TRUE;
    default: return FALSE;
  }
}

void CWinApp::OnFileNew() {
  POSITION pos = GetFirstDocTemplatePosition();
  if (!pos) return;
  GetNextDocTemplate(pos)->OpenDocumentFile(nullptr);
}

void CWinApp::OnFileOpen() {
  CString name;
  if (!DoPromptFileName(name, 0, 0, TRUE, nullptr)) return;
  OpenDocumentFile(name);
}

BOOL CWinApp::OnOpenRecentFile(UINT id) {
  if (!m_pRecentFileList) return FALSE;
  const int index = static_cast<int>(id - ID_FILE_MRU_FILE1);
  if (index < 0 || index >= m_pRecentFileList->GetSize()) return FALSE;
  const CString path = (*m_pRecentFileList)[index];
  if (!OpenDocumentFile(path)) m_pRecentFileList->Remove(index);
  return TRUE;
}

void CWinApp::OnUpdateRecentFileMenu(CCmdUI* cmdUI) {
  if (!m_pRecentFileList) {
    cmdUI->Enable(FALSE);
    return;
  }
  m_pRecentFileList->UpdateMenu(cmdUI);
}

void CWinApp::OnAppExit() {
  if (m_pMainWnd) m_pMainWnd->SendMessage(WM_CLOSE);
}
