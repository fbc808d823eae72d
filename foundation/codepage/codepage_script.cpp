// Script detection and small tests of UTF-16 text.
#include "foundation/codepage/codepage.h"

FOUNDATION_BEGIN

namespace {

struct ScriptRange {
  WCHAR first;
  WCHAR last;
  int kind;
};

// Tested in this order for each unit.
constexpr ScriptRange kScriptRanges[] = {
    {0xF90E, 0xFA2D, codepage::kSimplifiedChinese}, {0x3401, 0x9FA5, codepage::kSimplifiedChinese},
    {0x3040, 0x30FF, codepage::kJapanese},          {0x31F0, 0x31FF, codepage::kJapanese},
    {0x1100, 0x11FF, codepage::kKorean},            {0x3130, 0x318F, codepage::kKorean},
    {0xAC00, 0xD7A3, codepage::kKorean},
};

}  // namespace

int DetectScriptLanguage(const WCHAR* units, int count) {
  if (!units) return codepage::kEnglish;
  for (int i = 0; i < count; ++i) {
    for (const ScriptRange& r : kScriptRanges) {
      if (units[i] >= r.first && units[i] <= r.last) return r.kind;
    }
  }
  return codepage::kEnglish;
}

bool IsWidenedGbkText(const char* bytes, int units) {
  if (!bytes) return false;
  auto unit = [bytes](int i) {
    return static_cast<unsigned>(static_cast<BYTE>(bytes[2 * i])) |
           (static_cast<unsigned>(static_cast<BYTE>(bytes[2 * i + 1])) << 8);
  };
  for (int i = 0; i < units; ++i) {
    if (unit(i) > 0xFF) return false;
  }
  for (int i = 0; i + 1 < units; ++i) {
    if (!IsDbcsByte(static_cast<BYTE>(unit(i)), true, false) ||
        !IsDbcsByte(static_cast<BYTE>(unit(i + 1)), false, false))
      return false;
  }
  return true;
}

int HasNonAsciiUnit(const WCHAR* units, unsigned count) {
  if (!units || count < 2) return 0;
  for (unsigned i = 0; i + 1 < count; ++i) {
    if (units[i] >= 128 && units[i] <= 8191) return 1;
  }
  return 0;
}

FOUNDATION_END
