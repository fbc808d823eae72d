#include "foundation/system/clipboard_text.h"

#include <cstdlib>
#include <cstring>
#include <vector>

#include "foundation/codepage/codepage.h"
#include "foundation/settings/process_settings.h"
#include "platform/user/clipboard.h"
#include "platform/kernel/kernel.h"
#include "platform/nls/nls.h"

FOUNDATION_BEGIN

namespace {

constexpr UINT kShareFlags = GMEM_MOVEABLE | GMEM_DDESHARE | GMEM_ZEROINIT;

// Opened for one scope.
class OpenBoard {
 public:
  OpenBoard() : open_(OpenClipboard(nullptr) != FALSE) {}
  ~OpenBoard() {
    if (open_) CloseClipboard();
  }
  explicit operator bool() const { return open_; }

 private:
  bool open_;
};

HGLOBAL NewBlock(const void* bytes, size_t size, size_t capacity) {
  HGLOBAL m = GlobalAlloc(kShareFlags, capacity);
  if (!m) return nullptr;
  if (size) std::memcpy(GlobalLock(m), bytes, size), GlobalUnlock(m);
  return m;
}

// Puts the block; frees it when the clipboard does not take it.
bool Place(UINT format, HGLOBAL block) {
  if (!block) return false;
  if (SetClipboardData(format, block)) return true;
  GlobalFree(block);
  return false;
}

UINT Resolve(int codePage) { return codePage < 1 ? GetACP() : static_cast<UINT>(codePage); }

char* Terminated(const void* bytes, size_t size, size_t terminator) {
  char* buffer = static_cast<char*>(std::calloc(size + terminator, 1));
  if (buffer && size) std::memcpy(buffer, bytes, size);
  return buffer;
}

int PutText(const char* bytes, int length, const WCHAR* units, int unitCount, UINT codePage) {
  bool placed = false;
  if (bytes) placed |= Place(CF_TEXT, NewBlock(bytes, static_cast<size_t>(length), static_cast<size_t>(length) + 1));
  if (units)
    placed |= Place(CF_UNICODETEXT, NewBlock(units, static_cast<size_t>(unitCount) * sizeof(WCHAR),
                                             (static_cast<size_t>(unitCount) + 1) * sizeof(WCHAR)));
  if (placed) {
    const LCID lcid = LocaleOfCodePage(static_cast<int>(codePage));
    Place(CF_LOCALE, NewBlock(&lcid, sizeof lcid, sizeof lcid));
  }
  return placed ? 1 : 0;
}

std::vector<WCHAR> Widen(const char* text, int length, UINT codePage) {
  if (length <= 0) return {};
  const int units = MultiByteToWideChar(codePage, MB_PRECOMPOSED, text, length, nullptr, 0);
  std::vector<WCHAR> wide(static_cast<size_t>(units > 0 ? units : 0));
  if (units > 0) MultiByteToWideChar(codePage, MB_PRECOMPOSED, text, length, wide.data(), units);
  return wide;
}

}  // namespace

LCID LocaleOfCodePage(int codePage) {
  switch (codePage) {
    case 936: return 2052;
    case 950: return 1028;
    case 932: return 1041;
    case 949: return 1042;
    case 1250: return 1045;
    case 1251: return 1049;
    case 1253: return 1032;
    case 1254: return 1055;
    case 1255: return 1037;
    case 1256: return 1025;
    case 1257: return 1061;
    case 1258: return 1066;
    case 874: return 1054;
    default: return 1033;
  }
}

int CopyTextToClipboard(const char* text, bool textOnly, int codePage) {
  if (!text) return 0;
  OpenBoard board;
  if (!board || !EmptyClipboard()) return 0;
  const UINT cp = Resolve(codePage);
  const int length = static_cast<int>(std::strlen(text));
  if (textOnly) return PutText(text, length, nullptr, 0, cp);
  const std::vector<WCHAR> wide = Widen(text, length, cp);
  const bool converted = length == 0 || !wide.empty();
  return PutText(text, length, converted ? wide.data() : nullptr, static_cast<int>(wide.size()), cp);
}

int CopyTextToClipboard(const AString& text, bool textOnly) {
  if (!text.IsWide()) return CopyTextToClipboard(text.GetData(), textOnly, text.GetCodePage());
  OpenBoard board;
  if (!board || !EmptyClipboard()) return 0;
  const UINT cp = GetACP();
  const auto* units = reinterpret_cast<const WCHAR*>(text.GetData());
  const int count = text.GetLength() / 2;
  const int bytes = count ? WideCharToMultiByte(cp, 0, units, count, nullptr, 0, nullptr, nullptr) : 0;
  std::vector<char> narrow(static_cast<size_t>(bytes > 0 ? bytes : 0));
  if (bytes > 0) WideCharToMultiByte(cp, 0, units, count, narrow.data(), bytes, nullptr, nullptr);
  return PutText(narrow.data(), static_cast<int>(narrow.size()), textOnly ? nullptr : units, count, cp);
}

int GetClipboardText(char** out, int codePage, bool checkScript, int* usedCodePage, bool preferAnsi,
                     bool rawUnicode) {
  if (!out) return 0;
  *out = nullptr;
  OpenBoard board;
  if (!board) return 0;

  const bool tryUnicode = (rawUnicode || !preferAnsi) && (!IsMultiByteAnsiCodePage() || OsVersionFlags().isNtFamily);
  if (tryUnicode) {
    if (HANDLE m = GetClipboardData(CF_UNICODETEXT)) {
      const auto* p = static_cast<const WCHAR*>(GlobalLock(m));
      const size_t capacity = GlobalSize(m) / sizeof(WCHAR);
      size_t n = 0;
      while (n < capacity && p[n]) ++n;
      const int units = static_cast<int>(n);
      int result = -1;
      if (rawUnicode) {
        *out = Terminated(p, n * sizeof(WCHAR), sizeof(WCHAR));
        if (usedCodePage) *usedCodePage = 1200;
        result = *out ? units : 0;
      } else {
        int cp = codePage;
        if (usedCodePage) {
          cp = CodePageFromLanguage(DetectScriptLanguage(p, units), true);
          *usedCodePage = cp;
        }
        const bool unsuitable =
            checkScript && ((cp == 936 && IsWidenedGbkText(reinterpret_cast<const char*>(p), units)) ||
                            ((cp == 932 || cp == 949 || cp == 950) && HasNonAsciiUnit(p, n + 1)));
        if (!unsuitable) {
          const UINT target = Resolve(cp);
          const int bytes = units ? WideCharToMultiByte(target, 0, p, units, nullptr, 0, nullptr, nullptr) : 0;
          std::vector<char> narrow(static_cast<size_t>(bytes > 0 ? bytes : 0));
          if (bytes > 0) WideCharToMultiByte(target, 0, p, units, narrow.data(), bytes, nullptr, nullptr);
          *out = Terminated(narrow.data(), narrow.size(), 1);
          result = *out ? static_cast<int>(narrow.size()) : 0;
        }
      }
      GlobalUnlock(m);
      if (result >= 0) return result;
    }
  }

  HANDLE m = GetClipboardData(CF_TEXT);
  if (!m) return 0;
  const char* p = static_cast<const char*>(GlobalLock(m));
  const size_t length = strnlen(p, GlobalSize(m));
  *out = Terminated(p, length, 1);
  GlobalUnlock(m);
  if (usedCodePage) {
    // The bytes are in the code page of the clipboard's locale tag.
    UINT cp = GetACP();
    if (HANDLE locale = GetClipboardData(CF_LOCALE); locale && GlobalSize(locale) >= sizeof(LCID)) {
      LCID lcid = 0;
      std::memcpy(&lcid, GlobalLock(locale), sizeof lcid);
      GlobalUnlock(locale);
      for (int candidate : {936, 950, 932, 949, 1250, 1251, 1252, 1253, 1254, 1255, 1256, 1257, 1258, 874})
        if (LocaleOfCodePage(candidate) == lcid) cp = static_cast<UINT>(candidate);
    }
    *usedCodePage = static_cast<int>(cp);
  }
  return *out ? static_cast<int>(length) : 0;
}

int ReadClipboardData(UINT format, uint8_t** out, int* size) {
  if (!out) return 0;
  *out = nullptr;
  OpenBoard board;
  if (!board) return 0;
  HANDLE m = GetClipboardData(format);
  if (!m) return 0;
  const size_t bytes = GlobalSize(m);
  auto* buffer = static_cast<uint8_t*>(std::calloc(bytes ? bytes : 1, 1));
  if (!buffer) return 0;
  std::memcpy(buffer, GlobalLock(m), bytes);
  GlobalUnlock(m);
  *out = buffer;
  if (size) *size = static_cast<int>(bytes);
  return 1;
}

int WriteClipboardData(UINT format, const void* data, int size) {
  if (size < 0 || (size > 0 && !data) || format == 0) return 0;
  OpenBoard board;
  if (!board || !EmptyClipboard()) return 0;
  return Place(format, NewBlock(data, static_cast<size_t>(size), static_cast<size_t>(size))) ? 1 : 0;
}

bool IsMultiByteAnsiCodePage() {
  CPINFO info{};
  return GetCPInfo(CP_ACP, &info) && info.MaxCharSize > 1;
}

FOUNDATION_END
