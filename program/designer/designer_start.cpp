#include "program/designer/designer_start.h"

#include "platform/display/display.h"
#include "program/compose/program_services.h"

StartedDesigner StartDesigner(const std::vector<std::string>& arguments) {
  display::InstallFromEnvironment();
  InstallProgramServices(ProgramFront::kDesktop);
  StartedDesigner started;
  started.app = std::make_unique<CLabelDesignerApp>();
  for (const std::string& a : arguments) started.app->m_args.emplace_back(a.c_str());
  started.running = started.app->InitInstance() != FALSE;
  if (started.running) LoadDesignerDataLists(started.app->Folders().perUser);
  return started;
}

int RunDesigner(const std::vector<std::string>& arguments) {
  StartedDesigner designer = StartDesigner(arguments);
  const int result = designer.running ? designer.app->Run() : designer.app->ExitInstance();
  if (designer.running) SaveDesignerDataLists();
  designer.app.reset();
  CWnd::DeleteTempMap();
  return result;
}
