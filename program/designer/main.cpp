// The tavrendel program: the designer on the X11 display when there is one,
// else headless.
#include <string>
#include <vector>

#include "program/designer/designer_start.h"

int main(int argc, char** argv) { return RunDesigner(std::vector<std::string>(argv + 1, argv + argc)); }
