#include "designer_app_fixture.h"

#include <sys/stat.h>
#include <sys/time.h>
#include <unistd.h>

#include <climits>
#include <filesystem>

namespace apptest {

IMPLEMENT_DYNCREATE(CTextStandInDoc, CDocument)
IMPLEMENT_DYNCREATE(CTextStandInView, CView)

BOOL CTextStandInDoc::OnOpenDocument(const char* path) {
  if (!std::filesystem::is_regular_file(path)) {
    AfxMessageBox("Cannot open the file.", MB_OK | MB_ICONEXCLAMATION);
    return FALSE;
  }
  m_text = ReadFile(path);
  SetModifiedFlag(FALSE);
  return TRUE;
}

void CTextStandInView::OnDraw(CDC* dc) {
  auto* doc = static_cast<CTextStandInDoc*>(m_pDocument);
  if (doc) dc->TextOut(4, 4, CString(doc->m_text.c_str()));
}

void CTestDesignerApp::AddLayoutTemplate() {
  if (realLayouts) return CLabelDesignerApp::AddLayoutTemplate();
  AddDocTemplate(new CMultiDocTemplate(4, RUNTIME_CLASS(CTextStandInDoc), RUNTIME_CLASS(CMDIChildWnd),
                                       RUNTIME_CLASS(CTextStandInView)));
}

void CTestDesignerApp::PumpAll() {
  // As the program's loop does: each message through PreTranslateMessage.
  MSG msg;
  for (int i = 0; i < 10000 && ::PeekMessageA(&msg, nullptr, 0, 0, PM_NOREMOVE); ++i)
    if (!PumpMessage()) break;
  for (LONG count = 0; count < 4 && OnIdle(count); ++count) {
  }
}

BoxAnswers::BoxAnswers() { user::SetModalDialogHook(&BoxAnswers::Hook, this); }
BoxAnswers::~BoxAnswers() { user::SetModalDialogHook(nullptr, nullptr); }

void BoxAnswers::Hook(HWND dialog, void* context) {
  auto* self = static_cast<BoxAnswers*>(context);
  user::SetModalDialogHook(&BoxAnswers::Hook, self);  // stay for the next one
  std::string text;
  for (HWND child = ::GetWindow(dialog, GW_CHILD); child; child = ::GetWindow(child, GW_HWNDNEXT)) {
    char cls[32] = {}, buffer[512] = {};
    ::GetClassNameA(child, cls, sizeof cls);
    if (std::string(cls) == "Static" && ::GetWindowTextA(child, buffer, sizeof buffer) > 0) text = buffer;
  }
  self->seen.push_back(text);
  if (self->onShow) self->onShow();
  if (self->answer != 0) ::EndDialog(dialog, self->answer);
}

InFolder::InFolder(const std::string& folder) {
  char cwd[PATH_MAX];
  if (::getcwd(cwd, sizeof cwd)) old_ = cwd;
  if (::chdir(folder.c_str()) != 0) ADD_FAILURE() << "cannot enter " << folder;
}
InFolder::~InFolder() {
  if (!old_.empty() && ::chdir(old_.c_str()) != 0) ADD_FAILURE() << "cannot go back to " << old_;
}

DesignerAppTest::DesignerAppTest()
    : config("XDG_CONFIG_HOME", (temp / "config").c_str()),
      data("XDG_DATA_HOME", (temp / "share").c_str()),
      runtime("XDG_RUNTIME_DIR", (temp / "run").c_str()),
      lang("LANG", "C.UTF-8"),
      all("LC_ALL", nullptr),
      messages("LC_MESSAGES", nullptr),
      display("TAV_DISPLAY", "headless") {
  std::filesystem::create_directories(temp / "run");
  ::chmod((temp / "run").c_str(), 0700);
  AppSettings() = CAppSettings{};
}

DesignerAppTest::~DesignerAppTest() { Stop(); }

bool DesignerAppTest::Start(const std::vector<std::string>& arguments) {
  Stop();
  app = std::make_unique<CTestDesignerApp>();
  app->realLayouts = realLayouts;
  for (const std::string& a : arguments) app->m_args.emplace_back(a.c_str());
  const bool started = app->InitInstance() != FALSE;
  if (started) app->PumpAll();
  return started;
}

void DesignerAppTest::Stop() {
  if (!app) return;
  if (app->m_pMainWnd && app->m_pMainWnd->m_hWnd) {
    ::SendMessageA(app->m_pMainWnd->m_hWnd, WM_CLOSE, 0, 0);
    app->PumpAll();
  }
  app->ExitInstance();
  app.reset();
  CWnd::DeleteTempMap();
  AppSettings() = CAppSettings{};
}

std::string DesignerAppTest::ProfilePath() const { return ConfigFolder() + "/" + profileProgram + ".INI"; }

// Both the test program's and the tavrendel program's profile.
void DesignerAppTest::WriteProfile(const std::string& body) const {
  std::filesystem::create_directories(ConfigFolder());
  for (const std::string& program : {ExecutableName(), std::string("tavrendel")})
    WriteFile(ConfigFolder() + "/" + program + ".INI", ";Init file for Mirolune\n" + body);
}

std::string DesignerAppTest::Config(const char* key) const {
  return CProfileFile(ProfilePath()).GetString("Config", key, "<missing>").GetData();
}

std::vector<std::string> DesignerAppTest::ConfigKeysByPython() const {
  const std::string script =
      "import configparser,sys\n"
      "p=configparser.ConfigParser(interpolation=None,strict=True)\n"
      "p.optionxform=str\n"
      "p.read(sys.argv[1],encoding='latin-1')\n"
      "[print(k) for k in p['Config']]\n";
  int status = -1;
  const std::string out = RunCommand("python3 -c " + Quote(script) + " " + Quote(ProfilePath()), &status);
  EXPECT_EQ(status, 0) << out;
  std::vector<std::string> keys;
  size_t start = 0;
  for (size_t end; (end = out.find('\n', start)) != std::string::npos; start = end + 1)
    keys.push_back(out.substr(start, end - start));
  return keys;
}

std::string DesignerAppTest::WriteLayout(const std::string& name, const std::string& text) const {
  const std::string path = temp / name;
  WriteFile(path, text);
  return path;
}

std::vector<std::string> DesignerAppTest::OpenPaths() const {
  std::vector<std::string> paths;
  for (POSITION t = app->GetFirstDocTemplatePosition(); t;) {
    CDocTemplate* tmpl = app->GetNextDocTemplate(t);
    for (POSITION d = tmpl->GetFirstDocPosition(); d;) paths.emplace_back(tmpl->GetNextDoc(d)->GetPathName().GetString());
  }
  return paths;
}

int DesignerAppTest::Mode(const std::string& path) {
  struct stat st{};
  return ::stat(path.c_str(), &st) == 0 ? static_cast<int>(st.st_mode & 0777) : -1;
}

void DesignerAppTest::Age(const std::string& path, int hours) {
  timeval times[2];
  ::gettimeofday(&times[0], nullptr);
  times[0].tv_sec -= static_cast<time_t>(hours) * 3600;
  times[1] = times[0];
  ::utimes(path.c_str(), times);
}

}  // namespace apptest
