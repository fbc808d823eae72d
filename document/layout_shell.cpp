#include "document/layout_shell.h"

#include <atomic>
#include <cstdio>
#include <cstdlib>
#include <string>

#include "fields/services/ui_messages.h"
#include "foundation/window_helpers/length_spin.h"
#include "platform/framework.h"

namespace {

std::atomic<CLayoutShell*> g_standIn{nullptr};

// The title of the layout code's message boxes: the running program's name.
const char* ProgramTitle() {
  CWinApp* app = AfxGetApp();
  return app && app->m_pszAppName ? app->m_pszAppName : "";
}

}  // namespace

int DefaultMessageAnswer(UINT type) {
  switch (type & MB_TYPEMASK) {
    case MB_YESNO:
    case MB_YESNOCANCEL:
      return IDYES;
    case MB_RETRYCANCEL:
      return IDRETRY;
    case MB_ABORTRETRYIGNORE:
      return IDABORT;
    default:
      return IDOK;
  }
}

namespace {

// The folder of a path, with its trailing '/'.
AString FolderOf(const std::string& path) {
  const size_t slash = path.rfind('/');
  return AString(slash == std::string::npos ? std::string("./").c_str() : path.substr(0, slash + 1).c_str());
}

}  // namespace

AString CLayoutShell::GetProfileString(const char* section, const char* key, const char* defaultValue) {
  if (CWinApp* app = AfxGetApp()) return AString(static_cast<const char*>(app->GetProfileString(section, key, defaultValue)));
  return AString(defaultValue ? defaultValue : "");
}

int CLayoutShell::GetProfileInt(const char* section, const char* key, int defaultValue) {
  if (CWinApp* app = AfxGetApp()) return static_cast<int>(app->GetProfileInt(section, key, defaultValue));
  return defaultValue;
}

bool CLayoutShell::WriteProfileString(const char* section, const char* key, const char* value) {
  CWinApp* app = AfxGetApp();
  return app && app->WriteProfileString(section, key, value);
}

bool CLayoutShell::WriteProfileInt(const char* section, const char* key, int value) {
  CWinApp* app = AfxGetApp();
  return app && app->WriteProfileInt(section, key, value);
}

int CLayoutShell::UiMessageBox(const char* text, UINT type) {
  const AString shown = TranslateUiString(text ? text : "");
  return ::MessageBoxA(::GetActiveWindow(), shown.GetData(), ProgramTitle(), type);
}

int CLayoutShell::ShowMsgBoxDlg(const char* text, UINT type) { return CLayoutShell::UiMessageBox(text, type); }

void CLayoutShell::Beep() { ::MessageBeep(0xFFFFFFFF); }

int CLayoutShell::UiMessageNumber(int number, UINT type) {
  return ::UiMessageBox(::GetActiveWindow(), static_cast<UINT>(number), type);
}

int CLayoutShell::SpinUnitEdit(int direction, int editId, double minimum, double maximum, int unit, HWND dialog,
                               int steps) {
  return ::SpinUnitEdit(direction, editId, minimum, maximum, unit, dialog, steps);
}

bool CLayoutShell::IsOpenInOtherDocument(const char* path, const CDocument* self) {
  CWinApp* app = AfxGetApp();
  if (!app || !path) return false;
  for (POSITION t = app->GetFirstDocTemplatePosition(); t;) {
    CDocTemplate* tmpl = app->GetNextDocTemplate(t);
    for (POSITION d = tmpl->GetFirstDocPosition(); d;) {
      const CDocument* doc = tmpl->GetNextDoc(d);
      if (doc == self) continue;
      const CString& other = doc->GetPathName();
      if (self && other.CompareNoCase(self->GetPathName()) == 0) continue;
      if (other.CompareNoCase(path) == 0) return true;
    }
  }
  return false;
}

AString CLayoutShell::ProgramFolder() {
  char buffer[4096] = {};
  const DWORD n = GetModuleFileNameA(nullptr, buffer, sizeof buffer);
  if (n == 0 || n >= sizeof buffer) return AString("./");
  return FolderOf(buffer);
}

AString CLayoutShell::WorkFolder() {
  char buffer[4096] = {};
  const DWORD n = GetTempPathA(sizeof buffer, buffer);
  if (n == 0 || n >= sizeof buffer) return AString("/tmp/");
  std::string folder(buffer, n);
  if (folder.back() != '/') folder += '/';
  return AString(folder.c_str());
}

AString CLayoutShell::ClipboardHolderPath() {
  AString path = WorkFolder();
  path += "zclpbrdhldr.clp";
  return path;
}

UINT CLayoutShell::LayoutClipboardFormat() { return ::RegisterClipboardFormatA("Nerrow Object"); }

CLayoutShell* LayoutShell() {
  if (auto* shell = dynamic_cast<CLayoutShell*>(AfxGetApp())) return shell;
  if (CLayoutShell* standIn = g_standIn.load()) return standIn;
  static CLayoutShell headless;
  return &headless;
}

CLayoutShell* SetStandInLayoutShell(CLayoutShell* shell) { return g_standIn.exchange(shell); }
