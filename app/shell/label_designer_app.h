// CLabelDesignerApp: the designer's one application object. It reads the
// command line, finds its folders, opens or creates the profile, hands a file
// to a designer already running, loads the settings and the UI language,
// creates and places the main frame and opens the first layouts; at exit it
// writes the settings back. It owns the program-wide flags other parts test
// (reader mode, nosave, small, start-up, exit).
#pragma once

#include <atomic>
#include <cstdint>
#include <cstdlib>
#include <map>
#include <memory>
#include <mutex>
#include <string>
#include <vector>

#include "app/core/app_folders.h"
#include "app/core/command_line.h"
#include "app/core/instance_channel.h"
#include "app/core/profile_file.h"
#include "app/core/settings_profile.h"
#include "app/frame/frame_host.h"
#include "document/layout_shell.h"
#include "foundation/string/astring.h"
#include "platform/framework.h"

// Command ids of the application's own commands.
inline constexpr UINT ID_APP_DEFAULT_SETTINGS = 57816;
inline constexpr UINT ID_APP_DEFAULT_FOLDERS = 57820;
inline constexpr UINT ID_APP_TEXT_FILES = 57821;
inline constexpr UINT ID_APP_COUNTER_FILES = 57823;
inline constexpr UINT ID_APP_SELECT_DATA_SOURCE = 57831;
inline constexpr UINT ID_APP_CLIPBOARD_BITMAP = 57841;
inline constexpr UINT ID_APP_CLIPBOARD_METAFILE = 57842;
inline constexpr UINT ID_VIEW_FIT_IN_FRAME = 57808;

class CLabelDesignerApp : public CWinApp, public CLayoutShell, public CFrameHost {
 public:
  CLabelDesignerApp();
  ~CLabelDesignerApp() override;

  // The profile is the framework's (the layout shell's profile calls come
  // back to it).
  using CWinApp::GetProfileInt;
  using CWinApp::GetProfileString;
  using CWinApp::WriteProfileInt;
  using CWinApp::WriteProfileString;

  BOOL InitInstance() override;
  int ExitInstance() override;
  BOOL PreTranslateMessage(MSG* msg) override;
  BOOL OnIdle(LONG count) override;

  // The printer settings kept per printer name (DEVMODE blocks allocated
  // with malloc by the callers; the map owns them once stored).
  void* GetPrinterDevMode(const char* name) const;
  void SetPrinterDevMode(const char* name, void* block);
  void FreePrinterDevModes();

  CDocument* GetActiveLayoutDoc() const;
  void SetHelpFilePath();
  void SaveDataFolders();
  bool IsWelcomeAllowed() const { return !m_readerMode && !m_nosave && !m_small; }
  // The welcome screen while it is up, else null.
  HWND WelcomeWindow() const { return ::IsWindow(m_welcomeWindow) ? m_welcomeWindow : nullptr; }
  // Takes the welcome screen down now, whatever its minimum time: a later
  // start handed this designer work, or the designer is ending.
  void CloseWelcome();

  // What the layout code asks of the application: the program-wide flags,
  // the settings, texts in the UI language, message boxes and folders.
  LabelDefaults GetLabelDefaults() override;
  int32_t DefaultBoxWidth() override;
  bool GridShown() override;
  double GridSpacing() override;
  bool IsReaderMode() override { return m_readerMode != 0; }
  bool IsNoSave() override { return m_nosave != 0; }
  bool IsSmall() override { return m_small != 0; }
  bool IsStartingUp() override { return m_startingUp != 0; }
  bool IsExiting() const override { return m_exiting != 0; }
  CString HelpFilePath() const override { return m_helpFilePath; }
  void OnUiLanguageChanged() override { SetHelpFilePath(); }
  // The main frame's status panes.
  void SetLabelSizePane(int width, int height, int units) override;
  void SetDpiPane(int dpi) override;
  void SetPrinterPane(const char* name, COLORREF colour) override;
  void SetReadOnlyPane(bool locked) override;
  void SetCursorPane(int x, int y, int units) override;
  void SetCursorPosPane(int x, int y, int units) override;
  // The main frame's menus in the UI language and its remembered view, as
  // layout windows ask on activation and when they go.
  bool IsFrameMenuPrepared() override;
  void PrepareLayoutMenu() override;
  void CheckRememberedView() override;
  AString TranslateUiString(const char* english) override;
  int UiMessageBox(const char* text, UINT type) override;
  int ShowMsgBoxDlg(const char* text, UINT type) override;
  int UiMessageNumber(int number, UINT type) override;
  void SkinDialog(HWND dialog) override;
  int SpinUnitEdit(int direction, int editId, double minimum, double maximum, int unit, HWND dialog,
                   int steps) override;
  bool ClipboardUsesBitmap() override;
  // Layout windows open maximised while start-up runs.
  bool MaximiseLayoutWindows() override { return IsStartingUp(); }
  // Save As: the program's file dialog in save mode, with its question
  // before an existing file is chosen.
  int PromptSaveFileName(AString& path) override;
  // The rulers' hover tip in the program's message pane.
  void ShowMessagePane(const char* text, const RECT& beside) override;
  void HideMessagePane() override;
  AString ProgramFolder() override { return AString(m_folders.program.c_str()); }
  AString WorkFolder() override { return m_workFolder; }
  AString ClipboardHolderPath() override { return m_clipboardHolderPath; }
  bool IsFirstRun() const { return m_firstRun; }

  const AppFolders& Folders() const { return m_folders; }
  const CProfileFile& Profile() const { return m_profile; }
  const CommandLine& Line() const { return m_line; }
  const AString& WorkFolderPath() const { return m_workFolder; }
  const AString& ClipboardHolder() const { return m_clipboardHolderPath; }
  WORD ObjectClipboardFormat() const { return m_objectClipboardFormat; }

  // A quit request from another instance is taken once: one close of the
  // main frame; later requests are new ones.
  bool QuitRequested() const { return m_quitRequested.load(); }

  // Members of the record, in the order the designer keeps them.
  CFrameWnd* m_pMainFrame = nullptr;
  int32_t m_quit = 0;
  int32_t m_placement = 0;
  int32_t m_readerMode = 0;
  int32_t m_handOverOff = 0;
  int32_t m_nosave = 0;
  int32_t m_small = 0;
  int32_t m_exiting = 0;
  AString m_machineTag;
  AString m_perUserFolder;
  AString m_workFolder;
  int32_t m_firstPrinterJob = 1;
  WORD m_objectClipboardFormat = 0;
  AString m_clipboardHolderPath;
  int32_t m_startingUp = 0;

 protected:
  // Start-up's pieces, in their order; overridable where a test or a later
  // part supplies its own.
  bool ReadCommandLine();
  void FindFolders();
  void OpenProfile();
  bool HandOver();
  void ReadSettings();
  // The layout document template (document, child frame, design view).
  virtual void AddLayoutTemplate();
  virtual CFrameWnd* CreateMainFrame();
  void PlaceMainFrame();
  void CleanWorkFolder();
  void WaitForPrintThread();
  void OpenFirstLayouts();
  bool StartChannel();
  void StopChannel();
  void TakeRequests();
  static LRESULT QuitHook(int code, WPARAM wParam, LPARAM lParam);

  bool HandOverToRunningInstance(const std::string& path);
  bool ActivateRunningInstance();
  // Runs on the interface thread: the files other instances handed over.
  void OpenHandedOverFiles();
  void BringToFront();
  // A layout opened by name; read-only when asked.
  virtual CDocument* OpenLayout(const char* path, bool readOnly);

  void OnAbout();
  void OnDefaultSettings();
  void OnDefaultFolders();
  void OnTextFiles();
  void OnCounterFiles();
  void OnUpdateTextFiles(CCmdUI* ui);
  void OnUpdateCounterFiles(CCmdUI* ui);
  void OnSelectDataSource();
  void OnUpdateSelectDataSource(CCmdUI* ui);
  void OnFileOpen();
  void OnFileNew();
  void OnUpdateFileNew(CCmdUI* ui);
  void OnClipboardFormatBitmap();
  void OnClipboardFormatMetafile();
  void OnUpdateClipboardFormatBitmap(CCmdUI* ui);
  void OnUpdateClipboardFormatMetafile(CCmdUI* ui);

  AppFolders m_folders;
  CProfileFile m_profile;
  CommandLine m_line;
  CInstanceChannel m_channel;
  bool m_firstRun = false;
  bool m_settingsRead = false;
  int m_showCommand = SW_SHOWNORMAL;
  CString m_profileName;
  CString m_helpFilePath;
  // The print thread, when one runs: exit waits for it only then, and
  // not forever.
  CWinThread* m_pPrintThread = nullptr;
  std::map<std::string, void*> m_printerDevModes;

  HWND m_welcomeWindow = nullptr;
  HHOOK m_quitHook = nullptr;
  std::atomic<bool> m_requestPending{false};
  std::atomic<bool> m_quitRequested{false};
  std::atomic<bool> m_activateRequested{false};
  // Set from TAV_EXIT_WHEN_IDLE: the program closes at its first idle (the
  // start-up benchmark times start to first idle and exit).
  bool m_exitWhenIdle = false;
  std::mutex m_handedOverMutex;
  std::vector<std::string> m_handedOver;

  DECLARE_MESSAGE_MAP()
};

// The running designer, or null when the running application is another.
CLabelDesignerApp* DesignerApp();

// The thread message that wakes the interface thread for a request that came
// through the instance channel.
inline constexpr UINT WM_APP_INSTANCE_REQUEST = WM_APP + 0x121;
