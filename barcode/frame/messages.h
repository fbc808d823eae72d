#pragma once

namespace kalvo {

// The library's own notices ("Data 128 error!!!", "Buffer too small").
void ShowLibraryMessage(const char* text);

}  // namespace kalvo
