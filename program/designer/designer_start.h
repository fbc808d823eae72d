// The designer's start-up as the program runs it: the display, every service
// installed by the composition root, then the application object started
// with the command line. Tests start the designer through it as the program
// does, so what the program forgets to install, they miss too.
#pragma once

#include <memory>
#include <string>
#include <vector>

#include "app/shell/label_designer_app.h"

struct StartedDesigner {
  std::unique_ptr<CLabelDesignerApp> app;
  bool running = false;  // the start-up went through (InitInstance said so)
};

StartedDesigner StartDesigner(const std::vector<std::string>& arguments);

// Starts the designer, runs it to its end and ends it: the exit code.
int RunDesigner(const std::vector<std::string>& arguments);
