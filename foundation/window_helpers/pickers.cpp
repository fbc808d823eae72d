// The message for the last system error.
#include "foundation/window_helpers/pickers.h"

#include <string>

#include "foundation/system/system_message.h"

FOUNDATION_BEGIN

void ShowLastErrorMessage() {
  const DWORD error = GetLastError();
  LPSTR text = nullptr;
  const DWORD length =
      FormatMessageA(FORMAT_MESSAGE_ALLOCATE_BUFFER | FORMAT_MESSAGE_FROM_SYSTEM | FORMAT_MESSAGE_IGNORE_INSERTS, nullptr,
                     error, MAKELANGID(LANG_NEUTRAL, SUBLANG_DEFAULT), reinterpret_cast<LPSTR>(&text), 0, nullptr);
  if (length && text) {
    ShowSystemMessage(text, nullptr);
    LocalFree(text);
    return;
  }
  const std::string fallback = "System error " + std::to_string(error) + ".";
  ShowSystemMessage(fallback.c_str(), nullptr);
}

FOUNDATION_END
