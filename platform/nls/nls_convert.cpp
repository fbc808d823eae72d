// MultiByteToWideChar and WideCharToMultiByte through iconv.
#include <iconv.h>

#include <algorithm>
#include <bit>
#include <cerrno>
#include <cstring>
#include <string>
#include <vector>

#include "platform/kernel/kernel_errors.h"
#include "platform/nls/nls.h"
#include "platform/nls/nls_codepages.h"

namespace nls {
namespace {

constexpr const char* kUtf16 = std::endian::native == std::endian::little ? "UTF-16LE" : "UTF-16BE";
constexpr WCHAR kReplacementChar = 0xFFFD;

// One iconv descriptor per thread, code page and direction, opened on first use.
class IconvCache {
 public:
  IconvCache() = default;
  IconvCache(const IconvCache&) = delete;
  IconvCache& operator=(const IconvCache&) = delete;
  ~IconvCache() {
    for (const Entry& e : entries_) iconv_close(e.cd);
  }
  iconv_t Get(const CodePageInfo& cp, bool toWide) {
    for (const Entry& e : entries_) {
      if (e.codePage == cp.id && e.toWide == toWide) return Reset(e.cd);
    }
    const iconv_t cd = Open(cp, toWide);
    if (cd == kFailed) return cd;
    entries_.push_back({cp.id, toWide, cd});
    return cd;
  }
  static iconv_t Open(const CodePageInfo& cp, bool toWide) {
    return toWide ? iconv_open(kUtf16, cp.iconvName) : iconv_open(cp.iconvName, kUtf16);
  }
  static inline const iconv_t kFailed = reinterpret_cast<iconv_t>(-1);

 private:
  struct Entry {
    UINT codePage;
    bool toWide;
    iconv_t cd;
  };
  static iconv_t Reset(iconv_t cd) {
    iconv(cd, nullptr, nullptr, nullptr, nullptr);
    return cd;
  }
  std::vector<Entry> entries_;
};

// Thread-local objects go in the reverse order they were made, so text can
// still be converted after this thread's cache has gone: the thread's windows
// are destroyed (and may paint their captions) when its message queue goes,
// which can be made before the cache. The flag has no destructor, so it can
// be read until the thread ends.
thread_local bool iconvCacheGone = false;
struct IconvCacheHolder {
  IconvCache cache;
  ~IconvCacheHolder() { iconvCacheGone = true; }
};
thread_local IconvCacheHolder iconvCache;

// A descriptor for one conversion: the thread's cached one, or one of its
// own once the cache has gone.
class Converter {
 public:
  Converter(const CodePageInfo& cp, bool toWide)
      : owned_(iconvCacheGone), cd_(owned_ ? IconvCache::Open(cp, toWide) : iconvCache.cache.Get(cp, toWide)) {}
  ~Converter() {
    if (owned_ && cd_ != IconvCache::kFailed) iconv_close(cd_);
  }
  Converter(const Converter&) = delete;
  Converter& operator=(const Converter&) = delete;
  iconv_t get() const { return cd_; }

 private:
  bool owned_;
  iconv_t cd_;
};

bool Contains(std::span<const BYTE> set, unsigned value) {
  return std::find(set.begin(), set.end(), value) != set.end();
}

// Decodes bytes of the code page; an unassigned or malformed character becomes
// one replacement unit. With strict, such a character fails the conversion.
bool Decode(const CodePageInfo& cp, const char* text, size_t length, bool strict, std::u16string& out) {
  const Converter converter(cp, true);
  const iconv_t cd = converter.get();
  if (cd == IconvCache::kFailed) return false;
  const WCHAR replacement = cp.id == CP_UTF8 ? kReplacementChar : u'?';
  char* in = const_cast<char*>(text);
  size_t inLeft = length;
  WCHAR buffer[1024];
  while (inLeft > 0) {
    char* outPtr = reinterpret_cast<char*>(buffer);
    size_t outLeft = sizeof buffer;
    const size_t r = iconv(cd, &in, &inLeft, &outPtr, &outLeft);
    const int err = errno;
    out.append(buffer, (sizeof buffer - outLeft) / sizeof(WCHAR));
    if (r != static_cast<size_t>(-1) || err == E2BIG) continue;
    // EILSEQ or EINVAL: the character at in is not one iconv converts. (Some
    // converters step over the rejected character, even at the very end.)
    if (inLeft == 0) {
      if (strict) return false;
      out.push_back(replacement);
      break;
    }
    const size_t n = CharLength(cp, in, inLeft);
    const BYTE b = static_cast<BYTE>(*in);
    if (n == 1 && Contains(cp.c1Passthrough, b)) {
      out.push_back(b);
    } else {
      if (strict) return false;
      out.push_back(replacement);
    }
    in += n;
    inLeft -= n;
    iconv(cd, nullptr, nullptr, nullptr, nullptr);
  }
  return true;
}

enum class EncodeResult { kOk, kInvalid, kFailed };

// Encodes UTF-16 units into the code page; a character the code page lacks
// becomes the default character. With strict (UTF-8 only) a lone surrogate fails.
EncodeResult Encode(const CodePageInfo& cp, const WCHAR* units, size_t count, std::string_view defaultChar,
                    bool strict, bool& usedDefault, std::string& out) {
  const Converter converter(cp, false);
  const iconv_t cd = converter.get();
  if (cd == IconvCache::kFailed) return EncodeResult::kFailed;
  char* in = reinterpret_cast<char*>(const_cast<WCHAR*>(units));
  size_t inLeft = count * sizeof(WCHAR);
  char buffer[2048];
  while (inLeft > 0) {
    char* outPtr = buffer;
    size_t outLeft = sizeof buffer;
    const size_t r = iconv(cd, &in, &inLeft, &outPtr, &outLeft);
    const int err = errno;
    out.append(buffer, sizeof buffer - outLeft);
    if (r != static_cast<size_t>(-1) || err == E2BIG) continue;
    if (inLeft < sizeof(WCHAR)) {
      if (cp.id == CP_UTF8 && strict) return EncodeResult::kInvalid;
      out += cp.id == CP_UTF8 ? std::string_view("\xEF\xBF\xBD") : defaultChar;
      usedDefault = usedDefault || cp.id != CP_UTF8;
      break;
    }
    const WCHAR* unit = reinterpret_cast<const WCHAR*>(in);
    const size_t unitsLeft = inLeft / sizeof(WCHAR);
    const bool pair = unitsLeft >= 2 && unit[0] >= 0xD800 && unit[0] <= 0xDBFF && unit[1] >= 0xDC00 &&
                      unit[1] <= 0xDFFF;
    const size_t n = (pair ? 2 : 1) * sizeof(WCHAR);
    if (cp.id == CP_UTF8) {
      if (strict) return EncodeResult::kInvalid;
      out += "\xEF\xBF\xBD";
    } else if (unit[0] < 0x100 && Contains(cp.c1Passthrough, unit[0])) {
      out.push_back(static_cast<char>(unit[0]));
    } else {
      out += defaultChar;
      usedDefault = true;
    }
    in += n;
    inLeft -= n;
    iconv(cd, nullptr, nullptr, nullptr, nullptr);
  }
  return EncodeResult::kOk;
}

// Whether a conversion from `cp` can copy the bytes straight: all of them are
// below 0x80 and mean the same in the code page.
bool AsciiOnly(const CodePageInfo& cp, const char* text, size_t length) {
  if (!cp.asciiCompatible) return false;
  for (size_t i = 0; i < length; ++i)
    if (static_cast<unsigned char>(text[i]) >= 0x80) return false;
  return true;
}

// The same for UTF-16 into the code page: every unit is below 0x80.
bool AsciiOnly(const CodePageInfo& cp, const WCHAR* units, size_t length) {
  if (!cp.asciiCompatible) return false;
  for (size_t i = 0; i < length; ++i)
    if (units[i] >= 0x80) return false;
  return true;
}

size_t WideLength(const WCHAR* s) {
  size_t n = 0;
  while (s[n]) ++n;
  return n;
}

// A conversion's result given to the caller's buffer of `capacity` elements:
// the size needed when capacity is 0; 0 with ERROR_INSUFFICIENT_BUFFER (the
// buffer filled as far as it goes) when it does not fit.
template <class Text, class Char>
int HandOut(const Text& result, Char* out, int capacity) {
  if (capacity == 0) return static_cast<int>(result.size());
  if (result.size() > static_cast<size_t>(capacity)) {
    std::copy_n(result.begin(), capacity, out);
    SetLastError(ERROR_INSUFFICIENT_BUFFER);
    return 0;
  }
  std::copy(result.begin(), result.end(), out);
  return static_cast<int>(result.size());
}

// The code page of a conversion whose arguments hold together: a source, a
// count that is -1 or positive, and a buffer wherever a capacity is given.
// Null, with ERROR_INVALID_PARAMETER, otherwise or for an unknown code page.
const CodePageInfo* CheckedConversion(UINT codePage, const void* source, int count, const void* out,
                                      int capacity) {
  if (!source || count == 0 || count < -1 || capacity < 0 || (capacity > 0 && !out)) {
    SetLastError(ERROR_INVALID_PARAMETER);
    return nullptr;
  }
  const CodePageInfo* cp = FindCodePage(codePage);
  if (!cp) SetLastError(ERROR_INVALID_PARAMETER);
  return cp;
}

}  // namespace
}  // namespace nls

int MultiByteToWideChar(UINT codePage, DWORD flags, LPCSTR text, int count, LPWSTR wide, int wideCount) {
  const nls::CodePageInfo* cp = nls::CheckedConversion(codePage, text, count, wide, wideCount);
  if (!cp) return 0;
  const size_t length = count == -1 ? std::strlen(text) + 1 : static_cast<size_t>(count);
  // Plain ASCII (names, digits) needs no converter.
  if (nls::AsciiOnly(*cp, text, length)) return nls::HandOut(std::string_view(text, length), wide, wideCount);
  std::u16string result;
  result.reserve(length);
  if (!nls::Decode(*cp, text, length, (flags & MB_ERR_INVALID_CHARS) != 0, result)) {
    SetLastError(ERROR_NO_UNICODE_TRANSLATION);
    return 0;
  }
  return nls::HandOut(result, wide, wideCount);
}

int WideCharToMultiByte(UINT codePage, DWORD flags, LPCWSTR wide, int count, LPSTR text, int byteCount,
                        LPCSTR defaultChar, LPBOOL usedDefaultChar) {
  const nls::CodePageInfo* cp = nls::CheckedConversion(codePage, wide, count, text, byteCount);
  if (!cp) return 0;
  if (usedDefaultChar) *usedDefaultChar = FALSE;
  const size_t length = count == -1 ? nls::WideLength(wide) + 1 : static_cast<size_t>(count);
  if (nls::AsciiOnly(*cp, wide, length)) {
    std::string narrow(length, '\0');
    std::copy_n(wide, length, narrow.begin());
    return nls::HandOut(narrow, text, byteCount);
  }
  std::string_view fallback = "?";
  if (defaultChar && *defaultChar) {
    fallback = std::string_view(defaultChar, nls::CharLength(*cp, defaultChar, std::strlen(defaultChar)));
  }
  std::string result;
  result.reserve(length * 2);
  bool usedDefault = false;
  const nls::EncodeResult r =
      nls::Encode(*cp, wide, length, fallback, (flags & WC_ERR_INVALID_CHARS) != 0, usedDefault, result);
  if (r == nls::EncodeResult::kFailed) {
    SetLastError(ERROR_INVALID_PARAMETER);
    return 0;
  }
  if (r == nls::EncodeResult::kInvalid) {
    SetLastError(ERROR_NO_UNICODE_TRANSLATION);
    return 0;
  }
  if (usedDefaultChar) *usedDefaultChar = usedDefault ? TRUE : FALSE;
  return nls::HandOut(result, text, byteCount);
}
