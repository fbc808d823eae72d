// The code page table, the process's ANSI code page, lead-byte tests and
// character walking.
#include <atomic>
#include <cstring>

#include "platform/kernel/kernel_errors.h"
#include "platform/nls/nls.h"
#include "platform/nls/nls_codepages.h"

namespace nls {
namespace {

constexpr ByteRange kShiftJisLeads[] = {{0x81, 0x9F}, {0xE0, 0xFC}};
constexpr ByteRange kWideLeads[] = {{0x81, 0xFE}};
constexpr BYTE kWesternUnassigned[] = {0x81, 0x8D, 0x8F, 0x90, 0x9D};

const CodePageInfo kCodePages[] = {
    {1252, "CP1252", 1, {}, false, kWesternUnassigned},
    {437, "CP437", 1, {}, false, {}},
    {850, "CP850", 1, {}, false, {}},
    {932, "CP932", 2, kShiftJisLeads, false, {}},
    {936, "CP936", 2, kWideLeads, false, {}},
    {949, "CP949", 2, kWideLeads, false, {}},
    {950, "CP950", 2, kWideLeads, true, {}},
    {CP_UTF8, "UTF-8", 4, {}, false, {}},
};

std::atomic<UINT> processAnsiCodePage{1252};

}  // namespace

UINT ResolveCodePage(UINT codePage) {
  switch (codePage) {
    case CP_ACP:
    case CP_THREAD_ACP: return GetACP();
    case CP_OEMCP: return GetOEMCP();
    default: return codePage;
  }
}

const CodePageInfo* FindCodePage(UINT codePage) {
  codePage = ResolveCodePage(codePage);
  for (const CodePageInfo& cp : kCodePages) {
    if (cp.id == codePage) return &cp;
  }
  return nullptr;
}

bool IsLeadByte(const CodePageInfo& cp, BYTE b) {
  for (const ByteRange& r : cp.leads) {
    if (b >= r.first && b <= r.last) return true;
  }
  return false;
}

bool IsTrailByte(const CodePageInfo& cp, BYTE b) {
  return b >= 0x40 && b <= 0xFE && (b != 0x7F || cp.trail7F);
}

size_t CharLength(const CodePageInfo& cp, const char* text, size_t length) {
  if (length == 0) return 0;
  const BYTE b = static_cast<BYTE>(text[0]);
  if (cp.maxCharSize == 2) {
    return IsLeadByte(cp, b) && length >= 2 && IsTrailByte(cp, static_cast<BYTE>(text[1])) ? 2 : 1;
  }
  if (cp.maxCharSize == 4 && b >= 0xC2 && b <= 0xF4) {
    const size_t n = b < 0xE0 ? 2 : b < 0xF0 ? 3 : 4;
    size_t i = 1;
    while (i < n && i < length && (static_cast<BYTE>(text[i]) & 0xC0) == 0x80) ++i;
    return i;
  }
  return 1;
}

}  // namespace nls

using nls::FindCodePage;

UINT GetACP() { return nls::processAnsiCodePage.load(std::memory_order_relaxed); }

UINT GetOEMCP() {
  const UINT acp = GetACP();
  return acp == 1252 ? 437 : acp;
}

BOOL SetProcessAnsiCodePage(UINT codePage) {
  if (codePage == 0) codePage = 1252;
  if (codePage < 10 || !FindCodePage(codePage)) {
    SetLastError(ERROR_INVALID_PARAMETER);
    return FALSE;
  }
  nls::processAnsiCodePage.store(codePage, std::memory_order_relaxed);
  return TRUE;
}

BOOL IsValidCodePage(UINT codePage) {
  return codePage >= 10 && (FindCodePage(codePage) != nullptr || codePage == CP_UTF16LE);
}

BOOL IsDBCSLeadByteEx(UINT codePage, BYTE testChar) {
  const nls::CodePageInfo* cp = FindCodePage(codePage);
  if (!cp) {
    SetLastError(ERROR_INVALID_PARAMETER);
    return FALSE;
  }
  return nls::IsLeadByte(*cp, testChar);
}

BOOL IsDBCSLeadByte(BYTE testChar) { return IsDBCSLeadByteEx(CP_ACP, testChar); }

BOOL GetCPInfo(UINT codePage, LPCPINFO info) {
  const nls::CodePageInfo* cp = info ? FindCodePage(codePage) : nullptr;
  if (!cp) {
    SetLastError(ERROR_INVALID_PARAMETER);
    return FALSE;
  }
  std::memset(info, 0, sizeof *info);
  info->MaxCharSize = cp->maxCharSize;
  info->DefaultChar[0] = '?';
  size_t i = 0;
  for (const nls::ByteRange& r : cp->leads) {
    info->LeadByte[i++] = r.first;
    info->LeadByte[i++] = r.last;
  }
  return TRUE;
}

LPSTR CharNextExA(WORD codePage, LPCSTR current, DWORD) {
  if (!current || !*current) return const_cast<LPSTR>(current);
  const nls::CodePageInfo* cp = FindCodePage(codePage);
  if (!cp) return const_cast<LPSTR>(current + 1);
  return const_cast<LPSTR>(current + nls::CharLength(*cp, current, std::strlen(current)));
}

LPSTR CharPrevExA(WORD codePage, LPCSTR start, LPCSTR current, DWORD) {
  if (!start || !current || current <= start) return const_cast<LPSTR>(start);
  const nls::CodePageInfo* cp = FindCodePage(codePage);
  // Walk forward from the start: a trail byte can look like a lead byte, so
  // only a forward walk knows where characters begin.
  LPCSTR p = start;
  LPCSTR prev = start;
  while (p < current) {
    prev = p;
    const size_t n = cp ? nls::CharLength(*cp, p, static_cast<size_t>(current - p)) : 1;
    p += n;
  }
  return const_cast<LPSTR>(prev);
}

LPSTR CharNextA(LPCSTR current) { return CharNextExA(static_cast<WORD>(CP_ACP), current, 0); }

LPSTR CharPrevA(LPCSTR start, LPCSTR current) {
  return CharPrevExA(static_cast<WORD>(CP_ACP), start, current, 0);
}

LPWSTR CharNextW(LPCWSTR current) {
  if (!current || !*current) return const_cast<LPWSTR>(current);
  return const_cast<LPWSTR>(current + 1);
}

LPWSTR CharPrevW(LPCWSTR start, LPCWSTR current) {
  if (!start || !current || current <= start) return const_cast<LPWSTR>(start);
  return const_cast<LPWSTR>(current - 1);
}

LANGID GetSystemDefaultLangID() {
  switch (GetACP()) {
    case 932: return MAKELANGID(0x11, 1);
    case 936: return MAKELANGID(0x04, 2);
    case 949: return MAKELANGID(0x12, 1);
    case 950: return MAKELANGID(0x04, 1);
    default: return MAKELANGID(0x09, 1);
  }
}

LANGID GetUserDefaultLangID() { return GetSystemDefaultLangID(); }

LCID GetThreadLocale() { return MAKELCID(GetSystemDefaultLangID(), 0); }
