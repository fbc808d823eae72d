// Start-up of the designer, in its order: the command line, the folders,
// the profile, the hand-over to a running designer, the settings, the main
// frame and its place, the work folder's clean-up and the first layouts.
#include <unistd.h>

#include <algorithm>
#include <cmath>
#include <cstdlib>

#include "app/core/layer_settings.h"
#include "app/core/locale_language.h"
#include "app/frame/frame_ids.h"
#include "app/frame/main_frame.h"
#include "app/shell/label_designer_app.h"
#include "app/small_dialogs/welcome_dlg.h"
#include "app/ui/ui_language.h"
#include "document/core/rvo_doc.h"
#include "document/frame/doc_frame.h"
#include "document/view/design_view.h"
#include "foundation/util/file_names.h"

namespace {

// Work files older than this are left over from an earlier run.
constexpr int kWorkFileMaxAgeHours = 48;
constexpr const char* kWorkFilePatterns[] = {"*.tmp", "*.prn", "*.clp", "*.img", "*.bmp"};

AString MachineTag() {
  char name[256] = {};
  if (::gethostname(name, sizeof name - 1) != 0) name[0] = 0;
  name[15] = 0;  // the name as a 16-byte buffer holds it
  AString tag;
  tag.Format("%s_%s", name, "");
  return tag;
}

}  // namespace

BOOL CLabelDesignerApp::InitInstance() {
  m_startingUp = 1;
  if (const char* exitWhenIdle = std::getenv("TAV_EXIT_WHEN_IDLE")) m_exitWhenIdle = *exitWhenIdle == '1';
  struct Done {
    CLabelDesignerApp& app;
    ~Done() { app.m_startingUp = 0; }
  } done{*this};

  // A "q" anywhere: every running designer closes, and this one ends before
  // it creates or writes anything.
  std::vector<std::string> arguments;
  for (const CString& a : m_args) arguments.emplace_back(a.GetString());
  if (HasQuitSwitch(arguments)) {
    m_quit = 1;
    CInstanceChannel::SendQuitToAll();
    return FALSE;
  }

  // A start that only hands over or raises another designer creates
  // nothing: folders and profile come after that check.
  FindFolders();
  m_machineTag = MachineTag();
  m_readerMode = m_nosave = m_small = m_placement = 0;
  if (!ReadCommandLine()) return FALSE;
  if (!HandOver()) return FALSE;
  MakeAppFolders(m_folders);  // a folder that cannot be made is not reported
  OpenProfile();

  LoadStdProfileSettings(12);
  AddLayoutTemplate();
  m_objectClipboardFormat = static_cast<WORD>(::RegisterClipboardFormatA("Nerrow Object"));

  // First run: no profile before this start, or the profile says so.
  if (!m_firstRun) m_firstRun = m_profile.GetInt(kConfigSection, "bFirstTimeRun", 1) != 0;
  m_profile.WriteString(kConfigSection, "bFirstTimeRun", "0");
  ReadSettings();

  if (!CreateMainFrame()) return FALSE;
  PlaceMainFrame();
  SetHelpFilePath();
  m_pMainFrame->ShowWindow(m_showCommand);
  m_pMainFrame->UpdateWindow();
  // The welcome screen closes itself at the end of start-up, once it has
  // been up for its minimum time (on the platform's timers: start-up does
  // not sleep for it).
  CWelcomeDlg* welcome = nullptr;
  if (IsWelcomeAllowed()) {
    welcome = new CWelcomeDlg(0, nullptr);
    if (welcome->Create(nullptr)) {
      m_welcomeWindow = welcome->m_hWnd;
      welcome->ShowWindow(SW_SHOW);
      welcome->UpdateWindow();
    }
  }

  CleanWorkFolder();
  m_clipboardHolderPath = m_workFolder;
  m_clipboardHolderPath += "zclpbrdhldr.clp";
  // Files handed over from now on are opened by this designer.
  StartChannel();
  OpenFirstLayouts();
  if (auto* mdi = dynamic_cast<CMDIFrameWnd*>(m_pMainFrame)) {
    BOOL maximised = FALSE;
    if (CMDIChildWnd* child = mdi->MDIGetActive(&maximised); child && !maximised) child->ShowWindow(SW_MAXIMIZE);
  }
  if (welcome) welcome->CloseWhenShownLongEnough();
  return TRUE;
}

void CLabelDesignerApp::FindFolders() {
  m_folders = LocateAppFolders(ExecutableFolder());
  m_perUserFolder = m_folders.perUser.c_str();
  m_workFolder = m_folders.work.c_str();
}

void CLabelDesignerApp::OpenProfile() {
  m_profile = CProfileFile(m_folders.config + ExecutableName() + ".INI");
  if (!m_profile.Exists()) {
    m_firstRun = true;
    m_profile.Create(kProductName);  // a profile that cannot be made is not reported
  }
  m_profileName = m_profile.Path().c_str();
  SetProfileName(m_profileName);
}

bool CLabelDesignerApp::ReadCommandLine() {
  std::vector<std::string> arguments;
  for (const CString& a : m_args) arguments.emplace_back(a.GetString());
  m_line = ParseDesignerCommandLine(arguments, m_folders.program);
  m_readerMode = m_line.reader;
  m_nosave = m_line.nosave;
  m_small = m_line.small;
  return true;
}

// A file for a designer already running goes to it; this start then ends.
// FALSE when start-up ends here.
bool CLabelDesignerApp::HandOver() {
  if (!m_handOverOff && !m_line.fileName.empty() && HandOverToRunningInstance(m_line.fileName)) return false;
  if (m_line.activate) {
    ActivateRunningInstance();
    return false;
  }
  return true;
}

void CLabelDesignerApp::ReadSettings() {
  CAppSettings& settings = AppSettings();
  LoadAppSettings(settings, m_profile, {m_folders.perUser, m_readerMode != 0});
  if (m_firstRun) {
    // The first run speaks the user's language and remembers it at once.
    const int languageId = InstallerLanguageForLocale(LocaleFromEnvironment());
    settings.uiLanguage = static_cast<int16_t>(UiLanguageRowForInstallerLanguage(languageId));
    m_profile.WriteInt(kConfigSection, "AppLanguage", settings.uiLanguage);
  }
  SetUiLanguageFolder(m_folders.language.c_str());
  SetUiLanguageFile(settings.uiLanguage);
  ApplySettingsToLayers(settings);
  m_settingsRead = true;
}

// Layouts: the layout document in its layout window (rulers, corner button
// and the split design views)
// (resource 7 in reader mode, else 4).
void CLabelDesignerApp::AddLayoutTemplate() {
  AddDocTemplate(new CMultiDocTemplate(m_readerMode ? 7 : 4, RUNTIME_CLASS(CRvoDoc), RUNTIME_CLASS(CDocFrmWnd),
                                       RUNTIME_CLASS(CDesignVu)));
}

CFrameWnd* CLabelDesignerApp::CreateMainFrame() {
  auto* frame = new CMainFrame;
  // A frame whose creation fails destroys itself.
  if (!frame->LoadFrame(IDR_MAINFRAME, WS_OVERLAPPEDWINDOW | FWS_ADDTOTITLE)) return nullptr;
  m_pMainFrame = frame;
  m_pMainWnd = frame;
  // The workspace lives with the profile, in the per-user configuration folder.
  frame->m_workspace.m_path = m_folders.config + "Tavrendel.wsp";
  frame->m_workspace.m_colour1 = 0x00C39B91;
  frame->m_workspace.m_colour2 = 0x00F5FFFF;
  return frame;
}

void CLabelDesignerApp::PlaceMainFrame() {
  CRect desktop;
  ::GetWindowRect(::GetDesktopWindow(), &desktop);
  m_showCommand = m_nCmdShow;
  if (m_profile.GetInt("TOPFRAME", "Maximized", 0) != 0) {
    m_showCommand = SW_MAXIMIZE;
    return;
  }
  if (m_small || m_placement) {
    CRect r = desktop;
    r.DeflateRect(desktop.Width() / 4, desktop.Height() / 10);
    r.OffsetRect(-r.left, -r.top);
    if (m_small) r.bottom /= 2;
    m_pMainFrame->MoveWindow(&r);
    return;
  }
  // The default rectangle leaves room around the frame in proportion to the
  // screen; the profile's last place wins.
  const CSize dpi(96, 96);
  const int dx = (desktop.Width() - static_cast<int>(std::trunc(1.3 * dpi.cx))) / 6;
  const int dy = (desktop.Height() - static_cast<int>(std::trunc(0.9 * dpi.cy))) / 6;
  CRect r = desktop;
  r.DeflateRect(dx, dy);
  CRect placed(m_profile.GetInt("TOPFRAME", "Left", r.left), m_profile.GetInt("TOPFRAME", "Top", r.top),
               m_profile.GetInt("TOPFRAME", "Right", r.right), m_profile.GetInt("TOPFRAME", "Bottom", r.bottom));
  // A stored rectangle that is empty or off the screen is not used.
  CRect visible;
  if (placed.Width() < 100 || placed.Height() < 100 || !visible.IntersectRect(placed, desktop)) placed = r;
  m_pMainFrame->MoveWindow(&placed);
}

void CLabelDesignerApp::CleanWorkFolder() {
  for (const char* pattern : kWorkFilePatterns)
    DeleteFilesByPattern(m_workFolder.GetData(), pattern, kWorkFileMaxAgeHours, true, nullptr);
}

void CLabelDesignerApp::OpenFirstLayouts() {
  if (!m_firstRun || !m_line.fileName.empty() || m_readerMode) {
    if (m_line.fileName.empty()) {
      auto* frame = dynamic_cast<CMainFrame*>(m_pMainFrame);
      if (frame && frame->m_workspace.Read() && !m_readerMode) frame->ReopenWorkspaceLayouts();
      return;
    }
    const bool reference = CString(m_line.rawName.c_str()).CompareNoCase("cikuguide.txt") == 0;
    if (reference) {
      const DWORD attributes = ::GetFileAttributesA(m_line.fileName.c_str());
      if (attributes != INVALID_FILE_ATTRIBUTES)
        ::SetFileAttributesA(m_line.fileName.c_str(), attributes | FILE_ATTRIBUTE_READONLY | FILE_ATTRIBUTE_HIDDEN);
    }
    OpenLayout(m_line.fileName.c_str(), reference);
    return;
  }
  if (!GetActiveLayoutDoc()) m_pMainFrame->SendMessage(WM_COMMAND, ID_FILE_NEW, 0);
}

// Through the main frame, which keeps its list of open layouts and locks a
// read-only one.
CDocument* CLabelDesignerApp::OpenLayout(const char* path, bool readOnly) {
  if (auto* frame = dynamic_cast<CMainFrame*>(m_pMainFrame)) return frame->OpenLayoutFile(path, readOnly);
  return OpenDocumentFile(path);
}
