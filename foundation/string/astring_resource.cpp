// AString::LoadString: a string-table entry of the application's module.
#include "foundation/string/astring.h"
#include "platform/resource/resource.h"

FOUNDATION_BEGIN

namespace {

constexpr int kFirstTry = 128;
constexpr int kLongEntry = 16384;

}  // namespace

int AString::LoadString(UINT id) {
  char buffer[kFirstTry];
  const int n = LoadStringA(nullptr, id, buffer, kFirstTry);
  if (n <= 0) return 0;
  // The system cuts only at whole characters, so an entry that did not fit may
  // come back one byte short of a full buffer: load it again at full size.
  if (n < kFirstTry - 2) {
    *this = std::string_view(buffer, static_cast<size_t>(n));
    return 1;
  }
  AString text;
  const int full = LoadStringA(nullptr, id, text.GetBuffer(kLongEntry), kLongEntry);
  text.ReleaseBuffer(full > 0 ? full : 0);
  if (text.IsEmpty()) return 0;
  text.SetCodePage(-1);
  *this = std::move(text);
  return 1;
}

FOUNDATION_END
