// AString conversions between UTF-16 and multibyte code pages.
#include <cstring>
#include <vector>

#include "foundation/codepage/codepage.h"
#include "foundation/string/astring.h"
#include "foundation/string/astring_internal.h"
#include "platform/nls/nls.h"

FOUNDATION_BEGIN

using namespace astring_detail;

namespace {

// The text's bytes read as UTF-16 units (a private, aligned copy).
std::vector<WCHAR> UnitsOf(const AString& s) {
  std::vector<WCHAR> units(static_cast<size_t>(s.GetLength() / 2) + 1, 0);
  std::memcpy(units.data(), s.GetData(), static_cast<size_t>(s.GetLength() / 2) * 2);
  return units;
}

// The code page for a conversion: an explicit one as given; otherwise the
// string's own, else the one of the script found in its units, else 1252.
int ChooseCodePage(const AString& s, int codePage) {
  if (codePage >= 0) return codePage;
  if (s.GetCodePage() > 0) return s.GetCodePage();
  const std::vector<WCHAR> units = UnitsOf(s);
  const int kind = DetectScriptLanguage(units.data(), s.GetLength() / 2);
  return kind != codepage::kEnglish ? CodePageFromLanguage(kind, true) : codepage::kWestern;
}

}  // namespace

int AString::ConvertToWide(int codePage) {
  if constexpr (kLibraryBuild) {
    return 0;
  } else {
    if (IsWide()) return 0;
    const int cp = ChooseCodePage(*this, codePage);
    const std::u16string wide =
        DecodeCodePageText(std::string_view(data_, static_cast<size_t>(GetLength())), cp, MB_PRECOMPOSED);
    if (GetLength() > 0 && wide.empty()) return 0;
    const int units = static_cast<int>(wide.size());
    const int flags = GetFlagByte();
    AString result(2 * units);
    std::memcpy(result.data_, wide.data(), static_cast<size_t>(units) * 2);
    result.GetHeader()->length = 2 * units;
    result.data_[2 * units] = 0;
    result.data_[2 * units + 1] = 0;
    result.GetHeader()->wide = 1;
    result.GetHeader()->flags = static_cast<uint8_t>(flags);
    result.GetHeader()->codePage = 0;
    *this = std::move(result);
    return 1;
  }
}

int AString::ConvertToMultiByte(int codePage) {
  if (!IsWide()) return 0;
  int cp = ChooseCodePage(*this, codePage);
  if (cp < 1) cp = codepage::kGbk;
  const std::vector<WCHAR> units = UnitsOf(*this);
  const int count = GetLength() / 2;
  int bytes = 0;
  if (count > 0) {
    bytes = WideCharToMultiByte(static_cast<UINT>(cp), 0, units.data(), count, nullptr, 0, nullptr, nullptr);
    if (bytes <= 0) return 0;
  }
  AString result(bytes);
  if (bytes > 0 &&
      WideCharToMultiByte(static_cast<UINT>(cp), 0, units.data(), count, result.data_, bytes, nullptr, nullptr) !=
          bytes) {
    return 0;
  }
  result.GetHeader()->length = bytes;
  result.data_[bytes] = 0;
  result.GetHeader()->flags = GetHeader()->flags;
  if (bytes > 0) {
    result.GetHeader()->codePage = static_cast<int16_t>(cp);
  } else {
    result.Clear();
  }
  *this = std::move(result);
  return 1;
}

int AString::DetectCodePage(bool force) {
  if (!IsWide()) return 0;
  if (!force && GetCodePage() > 0 && GetCodePage() != codepage::kWestern) return 0;
  const std::vector<WCHAR> units = UnitsOf(*this);
  const int kind = DetectScriptLanguage(units.data(), GetLength() / 2);
  if (kind == codepage::kEnglish) return 0;
  SetCodePage(CodePageFromLanguage(kind, true));
  return 1;
}

FOUNDATION_END
