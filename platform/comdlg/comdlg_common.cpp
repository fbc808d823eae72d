// The common dialogs' error of the last call and their text conversions.
#include <vector>

#include "platform/comdlg/comdlg_internal.h"
#include "platform/kernel/kernel.h"
#include "platform/nls/nls.h"
#include "platform/nls/nls_text.h"
#include "platform/resource/resource.h"

namespace comdlg {
namespace {

DWORD& LastError() {
  thread_local DWORD error = 0;
  return error;
}

}  // namespace

void SetError(DWORD code) { LastError() = code; }

std::u16string FromUtf8(std::string_view utf8) { return nls::ToUtf16(CP_UTF8, utf8); }
std::string ToUtf8(std::u16string_view text) { return nls::FromUtf16(CP_UTF8, text); }
std::u16string FromAnsi(LPCSTR text) { return nls::ToUtf16(CP_ACP, nls::OrEmpty(text)); }
std::u16string FromAnsi(std::string_view text) { return nls::ToUtf16(CP_ACP, text); }
std::string ToAnsi(std::u16string_view text) { return nls::FromUtf16(CP_ACP, text); }
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
