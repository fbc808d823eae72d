#include "foundation/util/base64.h"

#include <array>
#include <cstring>
#include <string>

FOUNDATION_BEGIN

namespace {

constexpr char kAlphabet[] = "ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz0123456789+/";
constexpr int kPad = -2;
constexpr int kInvalid = -1;

constexpr std::array<int8_t, 128> MakeDecodeTable() {
  std::array<int8_t, 128> t{};
  for (auto& v : t) v = kInvalid;
  for (int i = 0; i < 64; ++i) t[static_cast<unsigned char>(kAlphabet[i])] = static_cast<int8_t>(i);
  t['='] = kPad;
  return t;
}
constexpr std::array<int8_t, 128> kDecode = MakeDecodeTable();

// The bit reservoir: bits enter at the bottom and leave from the top.
struct BitReservoir {
  uint32_t bits = 0;
  int count = 0;
  void Put(uint32_t value, int n) {
    bits = (bits << n) | (value & ((1u << n) - 1));
    count += n;
  }
  uint32_t Take(int n) {
    count -= n;
    return (bits >> count) & ((1u << n) - 1);
  }
};

}  // namespace

int EncodeBase64(const uint8_t* data, int len, AString& out) {
  if (!data) return 0;
  if (len < 0) len = 0;
  std::string text;
  text.reserve(static_cast<size_t>(len) * 4 / 3 + 64);
  BitReservoir r;
  for (int i = 0; i < len; ++i) {
    r.Put(data[i], 8);
    while (r.count >= 6) text += kAlphabet[r.Take(6)];
  }
  if (r.count > 0) {
    r.Put(0, 6 - r.count);  // the last group padded with zero bits
    text += kAlphabet[r.Take(6)];
  }
  while (text.size() % 4) text += '=';
  out = AString(static_cast<int>(text.size()), text.data());
  return static_cast<int>(text.size());
}

int Base64Decode(const AString& text, uint8_t* out, int outCapacity) {
  if (!out || outCapacity <= 0 || text.IsEmpty()) return 0;
  const auto* p = reinterpret_cast<const unsigned char*>(text.GetData());
  int length = text.GetLength();
  // First pass: check the alphabet and the decoded size against the capacity.
  long long sextets = 0;
  for (int i = 0; i < length; ++i) {
    int v = kDecode[p[i] & 0x7F];
    if (v == kInvalid) return 0;
    if (v != kPad) ++sextets;
  }
  long long bytes = sextets * 6 / 8;
  if (bytes > outCapacity) return 0;
  std::memset(out, 0, static_cast<size_t>(outCapacity));
  BitReservoir r;
  int n = 0;
  for (int i = 0; i < length; ++i) {
    int v = kDecode[p[i] & 0x7F];
    if (v == kPad) continue;
    r.Put(static_cast<uint32_t>(v), 6);
    if (r.count >= 8) out[n++] = static_cast<uint8_t>(r.Take(8));
  }
  return n;
}

FOUNDATION_END
