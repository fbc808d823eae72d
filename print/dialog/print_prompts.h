// Where the print dialog finds what makes its prompt rows: the program
// installs it, so a dialog made without the data sources' rows asks nothing.
#pragma once

#include <memory>

#include "datasource/ui/prompt/print_prompts.h"

using PrintPromptsFactory = std::unique_ptr<CPrintPrompts> (*)();

// Installs what makes the prompt rows (null removes it); without it the
// dialog asks nothing and prompted fields print their stored data.
void SetPrintPromptsFactory(PrintPromptsFactory factory);
PrintPromptsFactory GetPrintPromptsFactory();
