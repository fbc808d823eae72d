#include "barcode/frame/messages.h"

#include <cstdio>

namespace kalvo {

void ShowLibraryMessage(const char* text) { std::fprintf(stderr, "Kalvo: %s\n", text); }

}  // namespace kalvo
