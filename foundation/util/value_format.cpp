#include "foundation/util/value_format.h"

#include <algorithm>
#include <cctype>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <ctime>
#include <string>
#include <string_view>

#include "foundation/util/printf_format.h"

FOUNDATION_BEGIN

namespace {

std::string_view BytesOf(const AString& s) { return {s.GetData(), static_cast<size_t>(s.GetLength())}; }

// The value as a number: the C library's decimal conversion of its text.
double NumberOf(AString& value) {
  if (value.IsWide()) value.ConvertToMultiByte(-1);
  return std::strtod(value.GetData(), nullptr);
}

AString Narrow(const std::string& bytes, int codePage) {
  AString out(static_cast<int>(bytes.size()), bytes.data());
  out.SetCodePage(codePage);
  return out;
}

}  // namespace

int FormatValueBySpec(AString& value, const char* spec) {
  if (!spec) spec = "";
  if (std::strncmp(spec, "@@%", 3) != 0) return value.IsWide() ? ApplyMaskWide(value, spec) : ApplyMask(value, spec);
  double x = NumberOf(value);
  std::string_view format(spec + 2);
  if (auto conversion = ParseSingleConversion(format)) {
    value = AString(FormatWith(*conversion, x).c_str());
  } else {
    value = AString(static_cast<int>(format.size()), format.data());  // plain text
  }
  return 1;
}

int ApplyMask(AString& value, const char* mask) {
  std::string_view text = BytesOf(value);
  std::string out;
  size_t next = 0;
  for (const char* m = mask ? mask : ""; *m; ++m) {
    if (*m != '?') {
      out += *m;
    } else if (next < text.size()) {
      out += text[next++];
    } else {
      // The value ran out: the rest of the mask without its '?'s.
      for (; *m; ++m)
        if (*m != '?') out += *m;
      break;
    }
  }
  value = Narrow(out, value.GetCodePage());
  return static_cast<int>(out.size());
}

int ApplyMaskWide(AString& value, const char* mask) {
  int units = value.GetLength() / 2;
  const auto* text = reinterpret_cast<const unsigned char*>(value.GetData());
  std::u16string out;
  int next = 0;
  for (const char* m = mask ? mask : ""; *m; ++m) {
    if (*m != '?') {
      out += static_cast<char16_t>(static_cast<unsigned char>(*m));
    } else if (next < units) {
      out += static_cast<char16_t>(text[2 * next] | (text[2 * next + 1] << 8));
      ++next;
    } else {
      break;
    }
  }
  int bytes = static_cast<int>(out.size() * 2);
  AString result(bytes + 2);
  char* p = result.GetBuffer(bytes + 2);
  for (size_t i = 0; i < out.size(); ++i) {
    p[2 * i] = static_cast<char>(out[i] & 0xFF);
    p[2 * i + 1] = static_cast<char>(out[i] >> 8);
  }
  p[bytes] = p[bytes + 1] = 0;  // two zero units end the text
  result.ReleaseBuffer(bytes);
  result.SetWide(true);
  result.SetCodePage(value.GetCodePage());
  value = result;
  return bytes;
}

int FormatNumberDecimals(AString& value, int decimals, bool withSign) {
  double x = NumberOf(value);
  int precision = std::clamp(decimals, 0, 30);
  char buf[400];
  std::snprintf(buf, sizeof buf, withSign ? "%+.*f" : "%.*f", precision, x);
  // Numbers too long for the buffer (beyond 1e300 with many decimals) are cut, not overrun.
  value = AString(buf);
  return 1;
}

int TrimTrailingZeros(char* buf) {
  size_t n = std::strlen(buf);
  if (!std::memchr(buf, '.', n)) return static_cast<int>(n);
  while (n > 0 && buf[n - 1] == '0') --n;
  if (n > 0 && buf[n - 1] == '.') --n;
  if (n == 0) buf[n++] = '0';
  buf[n] = 0;
  return static_cast<int>(n);
}

int FormatDoubleTrimmed(double x, char* buf, size_t bufSize) {
  if (!buf || bufSize == 0) return 0;
  std::snprintf(buf, bufSize, "%.12f", x);
  return TrimTrailingZeros(buf);
}

int ReplaceChrCodes(AString& text) {
  std::string_view in = BytesOf(text);
  std::string out;
  int replaced = 0;
  size_t i = 0;
  while (i < in.size()) {
    bool isChr = i + 4 <= in.size() && std::tolower(static_cast<unsigned char>(in[i])) == 'c' &&
                 std::tolower(static_cast<unsigned char>(in[i + 1])) == 'h' &&
                 std::tolower(static_cast<unsigned char>(in[i + 2])) == 'r' && in[i + 3] == '(';
    if (isChr) {
      size_t j = i + 4;
      unsigned code = 0;
      while (j < in.size() && in[j] >= '0' && in[j] <= '9') code = (code * 10 + (in[j++] - '0')) & 0xFF;
      if (j > i + 4 && j < in.size() && in[j] == ')') {
        out += static_cast<char>(code);
        i = j + 1;
        ++replaced;
        continue;
      }
      // Not followed by digits and ')': kept, and the search goes on after it.
      out.append(in.substr(i, 4));
      i += 4;
      continue;
    }
    out += in[i++];
  }
  if (replaced) {
    int codePage = text.GetCodePage();
    text = Narrow(out, codePage);
  }
  return replaced;
}

AString HexPairs(const char* data, int len) {
  if (!data) return AString();
  size_t n = len > 0 ? static_cast<size_t>(len) : std::strlen(data);
  static constexpr char kDigits[] = "0123456789ABCDEF";
  std::string out;
  out.reserve(n * 2);
  for (size_t i = 0; i < n; ++i) {
    auto b = static_cast<unsigned char>(data[i]);
    out += kDigits[b >> 4];
    out += kDigits[b & 0xF];
  }
  return AString(out.c_str());
}

AString FormatCurrentDateTime(int kind) {
  const char* format = kind == 0 ? "%x %X" : kind == 1 ? "%x" : kind == 2 ? "%X" : nullptr;
  if (!format) return AString();
  std::time_t now = std::time(nullptr);
  std::tm local{};
  localtime_r(&now, &local);
  char buf[128];
  size_t n = std::strftime(buf, sizeof buf, format, &local);
  return AString(static_cast<int>(n), buf);
}

void ConvertLayoutUnits(int a, int b, int unit, double* outA, double* outB) {
  auto convert = [unit](int v) { return unit == 2 ? v * 0.0254 : v / 1000.0; };
  if (outA) *outA = convert(a);
  if (outB) *outB = convert(b);
}

double ThousandthsToMm(int v) { return v * 25.4 / 1000.0; }

namespace {

// trunc(v) as an int, saturated instead of overflowing.
int TruncToInt(double v) {
  if (std::isnan(v)) return 0;
  return static_cast<int>(std::clamp(std::trunc(v), -2147483648.0, 2147483647.0));
}

}  // namespace

int MmToThousandths(double mm) { return TruncToInt(mm * 1000.0 / 25.4); }

int ScaleByPoint254(double v) { return TruncToInt(v * 0.254 + 0.5); }

FOUNDATION_END
