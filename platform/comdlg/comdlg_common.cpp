// The common dialogs' error of the last call and their text conversions.
#include <vector>

#include "platform/comdlg/comdlg_internal.h"
#include "platform/kernel/kernel.h"
#include "platform/nls/nls.h"
#include "platform/resource/resource.h"

namespace comdlg {
namespace {

DWORD& LastError() {
  thread_local DWORD error = 0;
  return error;
}

std::u16string Decode(UINT codePage, std::string_view text) {
  if (text.empty()) return {};
  const int n = MultiByteToWideChar(codePage, 0, text.data(), static_cast<int>(text.size()), nullptr, 0);
  if (n <= 0) return {};
  std::u16string wide(static_cast<size_t>(n), u'\0');
  MultiByteToWideChar(codePage, 0, text.data(), static_cast<int>(text.size()), wide.data(), n);
  return wide;
}

std::string Encode(UINT codePage, std::u16string_view text) {
  if (text.empty()) return {};
  const int n = WideCharToMultiByte(codePage, 0, text.data(), static_cast<int>(text.size()), nullptr, 0, nullptr,
                                    nullptr);
  if (n <= 0) return {};
  std::string bytes(static_cast<size_t>(n), '\0');
  WideCharToMultiByte(codePage, 0, text.data(), static_cast<int>(text.size()), bytes.data(), n, nullptr, nullptr);
  return bytes;
}

}  // namespace

void SetError(DWORD code) { LastError() = code; }

std::u16string FromUtf8(std::string_view utf8) { return Decode(CP_UTF8, utf8); }
std::string ToUtf8(std::u16string_view text) { return Encode(CP_UTF8, text); }
std::u16string FromAnsi(LPCSTR text) { return text ? Decode(CP_ACP, text) : std::u16string(); }
std::u16string FromAnsi(std::string_view text) { return Decode(CP_ACP, text); }
std::string ToAnsi(std::u16string_view text) { return Encode(CP_ACP, text); }
std::u16string FromWide(LPCWSTR text) { return text ? std::u16string(text) : std::u16string(); }

HINSTANCE TemplatesModule() { return CurrentModuleHandle(); }

std::u16string ItemText(HWND dialog, int id) {
  const HWND item = GetDlgItem(dialog, id);
  if (!item) return {};
  const int length = GetWindowTextLengthW(item);
  std::u16string text(static_cast<size_t>(length) + 1, u'\0');
  const int copied = GetWindowTextW(item, text.data(), length + 1);
  text.resize(static_cast<size_t>(copied > 0 ? copied : 0));
  return text;
}

}  // namespace comdlg

DWORD CommDlgExtendedError() { return comdlg::LastError(); }
