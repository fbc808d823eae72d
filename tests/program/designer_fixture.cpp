#include "designer_fixture.h"

#include <filesystem>

#include "app/ui/msg_box.h"
#include "platform/testing/ui.h"

namespace programtest {

std::string PicturePath(const std::string& name) {
  const std::string folder = std::string(TAV_BUILD_DIR) + "/pictures/program/";
  std::filesystem::create_directories(folder);
  return folder + name;
}

void Press(const ShownDialog& dialog, int button) {
  ::SendMessageA(::GetDlgItem(dialog.window, button), BM_CLICK, 0, 0);
}

DesignerTest::DesignerTest() { user::SetModalDialogHook(&DesignerTest::Hook, this); }

DesignerTest::~DesignerTest() {
  // The designer goes while the script still answers what its exit asks.
  StopProgram();
  user::SetModalDialogHook(nullptr, nullptr);
}

bool DesignerTest::StartProgram(const std::vector<std::string>& arguments) {
  StopProgram();
  designer = StartDesigner(arguments);
  if (designer.running) Pump();
  return designer.running;
}

void DesignerTest::StopProgram() {
  if (!designer.app) return;
  if (HWND main = MainWindow()) {
    ::SendMessageA(main, WM_CLOSE, 0, 0);
    Pump();
  }
  designer.app->ExitInstance();
  designer.app.reset();
  CWnd::DeleteTempMap();
  AppSettings() = CAppSettings{};
}

void DesignerTest::Pump() { uitest::RunUntilIdle(); }

HWND DesignerTest::MainWindow() const {
  if (!designer.app || !designer.app->m_pMainWnd) return nullptr;
  const HWND main = designer.app->m_pMainWnd->m_hWnd;
  return ::IsWindow(main) ? main : nullptr;
}

void DesignerTest::Hook(HWND dialog, void* context) {
  auto* self = static_cast<DesignerTest*>(context);
  user::SetModalDialogHook(&DesignerTest::Hook, self);  // stay for the next one
  uitest::RunUntilIdle(2000);
  ShownDialog seen;
  seen.window = dialog;
  char caption[256] = {};
  ::GetWindowTextA(dialog, caption, sizeof caption);
  seen.caption = caption;
  if (auto* box = dynamic_cast<CMsgBoxDlg*>(CWnd::FromHandlePermanent(dialog))) seen.text = box->m_text.GetData();
  for (const int id : {IDOK, IDYES, IDNO, IDCANCEL}) {
    const HWND button = ::GetDlgItem(dialog, id);
    if (button && (::GetWindowLongA(button, GWL_STYLE) & WS_VISIBLE)) seen.buttons.push_back(id);
  }
  self->shown.push_back(seen);
  if (!self->picture.empty()) {
    uitest::SaveWindowPng(dialog, PicturePath(self->picture));
    self->picture.clear();
  }
  if (self->act) {
    self->act(seen);
  } else {
    ::EndDialog(dialog, IDOK);
  }
}

}  // namespace programtest
