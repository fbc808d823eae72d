// The tavrendel program: the designer on the X11 display when there is one,
// else headless.
#include "app/shell/label_designer_app.h"
#include "platform/display/display.h"

int main(int argc, char** argv) {
  display::InstallFromEnvironment();
  auto app = std::make_unique<CLabelDesignerApp>();
  for (int i = 1; i < argc; ++i) app->m_args.emplace_back(argv[i]);
  const int result = app->InitInstance() ? app->Run() : app->ExitInstance();
  app.reset();
  CWnd::DeleteTempMap();
  return result;
}
