#include "print/dialog/print_prompts.h"

namespace {
PrintPromptsFactory g_factory = nullptr;
}  // namespace

void SetPrintPromptsFactory(PrintPromptsFactory factory) { g_factory = factory; }
PrintPromptsFactory GetPrintPromptsFactory() { return g_factory; }
