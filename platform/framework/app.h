// Threads and the application object: the message loop with idle-time work
// (command updates, temporary objects), the profile in the program's INI
// file, the recent-file list, the document templates and the command line.
#pragma once

#include <memory>
#include <thread>
#include <vector>

#include "platform/framework/cmd_target.h"
#include "platform/framework/collections.h"
#include "platform/framework/cstring.h"
#include "platform/framework/wnd.h"

class CDocTemplate;
class CDocument;
class CMenu;

using AFX_THREADPROC = UINT (*)(LPVOID param);

class CWinThread : public CCmdTarget {
  DECLARE_DYNAMIC(CWinThread)

 public:
  CWinThread() = default;
  CWinThread(AFX_THREADPROC proc, LPVOID param) : m_pfnThreadProc(proc), m_pThreadParams(param) {}
  ~CWinThread() override;

  // Starts the thread: a worker runs its procedure; an interface thread
  // runs InitInstance, then Run, then ExitInstance.
  BOOL CreateThread();
  // Waits for the thread to end; its exit code.
  DWORD Join();

  virtual BOOL InitInstance() { return FALSE; }
  virtual int Run();
  virtual int ExitInstance();
  // Idle work: count 0 updates the main window's command states, count 1
  // lets temporary objects go. TRUE while there is more to do.
  virtual BOOL OnIdle(LONG count);
  virtual BOOL PreTranslateMessage(MSG* msg);
  // A message read by a modal loop (code MSGF_DIALOGBOX, MSGF_MESSAGEBOX or
  // MSGF_MENU): TRUE when it was handled and the loop is to skip it. By
  // default the window it is for and its parents up to the loop's top-level
  // window are offered it through PreTranslateMessage.
  virtual BOOL ProcessMessageFilter(int code, MSG* msg);
  // Offers a message to PreTranslateMessage of its window and the parents up to its top-level window.
  static BOOL FilterThroughWindows(MSG* msg);
  virtual BOOL IsIdleMessage(MSG* msg);
  BOOL PumpMessage();
  virtual CWnd* GetMainWnd() { return m_pMainWnd; }

  CWnd* m_pMainWnd = nullptr;
  BOOL m_bAutoDelete = TRUE;
  DWORD m_nThreadID = 0;
  AFX_THREADPROC m_pfnThreadProc = nullptr;
  LPVOID m_pThreadParams = nullptr;
  MSG m_msgCur{};
  int m_nExitCode = 0;

 protected:
  std::thread m_thread;
  // Set while Run's loop runs: the main window's end then ends the loop.
  BOOL m_bRunning = FALSE;
  friend void AfxPostQuitIfRunning(CWnd* closing);
};

CWinThread* AfxBeginThread(AFX_THREADPROC proc, LPVOID param);
CWinThread* AfxBeginThread(const CRuntimeClass* threadClass);
CWinThread* AfxGetThread();
// The main window of this thread's application object is going away.
void AfxPostQuitIfRunning(CWnd* closing);

class CCommandLineInfo : public CObject {
 public:
  enum { FileNew, FileOpen, FilePrint, FilePrintTo, FileDDE, AppRegister, AppUnregister, FileNothing = -1 };
  virtual void ParseParam(const char* param, BOOL flag, BOOL last);
  int m_nShellCommand = FileNew;
  BOOL m_bShowSplash = TRUE;
  BOOL m_bRunEmbedded = FALSE;
  BOOL m_bRunAutomated = FALSE;
  CString m_strFileName;
  CString m_strPrinterName;
};

// The most recently used files, kept in a section of the profile as File1..FileN.
class CRecentFileList {
 public:
  CRecentFileList(UINT start, const char* section, const char* entryFormat, int size, int maxDisplayLength = 40);
  int GetSize() const { return static_cast<int>(m_names.size()); }
  const CString& operator[](int index) const { return m_names.at(static_cast<size_t>(index)); }
  void Add(const char* path);
  void Remove(int index);
  void ReadList();
  void WriteList();
  // Puts the names into a menu in place of the item with the first id.
  void UpdateMenu(CCmdUI* cmdUI);

  UINT m_nStart;
  CString m_strSectionName;
  CString m_strEntryFormat;
  int m_nSize;
  int m_nMaxDisplayLength;

 private:
  std::vector<CString> m_names;
};

class CWinApp : public CWinThread {
  DECLARE_DYNAMIC(CWinApp)

 public:
  explicit CWinApp(const char* appName = nullptr);
  ~CWinApp() override;

  int Run() override;
  int ExitInstance() override;
  BOOL OnIdle(LONG count) override;

  // Profile: the INI file m_pszProfileName (set by SetProfileName or from
  // the application's name in the per-user data folder).
  UINT GetProfileInt(const char* section, const char* entry, int defaultValue);
  BOOL WriteProfileInt(const char* section, const char* entry, int value);
  CString GetProfileString(const char* section, const char* entry, const char* defaultValue = nullptr);
  BOOL WriteProfileString(const char* section, const char* entry, const char* value);
  void SetProfileName(const char* path);
  void LoadStdProfileSettings(UINT maxMru = 4);
  void SaveStdProfileSettings();

  // Documents.
  void AddDocTemplate(CDocTemplate* tmpl);
  POSITION GetFirstDocTemplatePosition() const;
  CDocTemplate* GetNextDocTemplate(POSITION& pos) const;
  virtual CDocument* OpenDocumentFile(const char* path);
  virtual void AddToRecentFileList(const char* path);
  BOOL SaveAllModified();
  void CloseAllDocuments(BOOL endSession);
  int GetOpenDocumentCount() const;
  // Asks for a file name; FALSE when the user cancels. Tests and programs
  // without a file dialog override it.
  virtual BOOL DoPromptFileName(CString& fileName, UINT titleId, DWORD flags, BOOL openFileDialog,
                                CDocTemplate* tmpl);
  virtual int DoMessageBox(const char* prompt, UINT type, UINT helpId);

  void ParseCommandLine(CCommandLineInfo& info);
  BOOL ProcessShellCommand(CCommandLineInfo& info);

  void OnFileNew();
  void OnFileOpen();
  BOOL OnOpenRecentFile(UINT id);
  void OnUpdateRecentFileMenu(CCmdUI* cmdUI);
  void OnAppExit();

  const char* m_pszAppName = nullptr;
  const char* m_pszProfileName = nullptr;
  const char* m_pszExeName = nullptr;
  HINSTANCE m_hInstance = nullptr;
  const char* m_lpCmdLine = "";
  int m_nCmdShow = SW_SHOWNORMAL;
  std::unique_ptr<CRecentFileList> m_pRecentFileList;
  std::vector<CString> m_args;  // the command line's arguments after the program

  DECLARE_MESSAGE_MAP()

 private:
  CString m_appName;
  CString m_profileName;
  CPtrList m_templateList;
};

CWinApp* AfxGetApp();
const char* AfxGetAppName();
