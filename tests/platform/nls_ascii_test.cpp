// Text of bytes below 0x80 is widened, and UTF-16 below 0x80 narrowed,
// without a converter: each code page's result is iconv's, byte for byte, and
// text with other characters in it still converts as before.
#include <gtest/gtest.h>

#include <iconv.h>

#include <string>

#include "platform/win.h"

namespace {

struct CodePage {
  UINT id;
  const char* iconvName;
};

const CodePage kCodePages[] = {{1252, "CP1252"}, {437, "CP437"}, {850, "CP850"}, {932, "CP932"},
                               {936, "CP936"},   {949, "CP949"}, {950, "CP950"}, {CP_UTF8, "UTF-8"}};

// iconv's UTF-16 for `bytes`; empty when iconv refuses them.
std::u16string ByIconv(const char* name, const std::string& bytes) {
  const iconv_t cd = iconv_open("UTF-16LE", name);
  if (cd == reinterpret_cast<iconv_t>(-1)) return {};
  std::string out(bytes.size() * 4 + 8, '\0');
  char* in = const_cast<char*>(bytes.data());
  size_t inLeft = bytes.size();
  char* outPtr = out.data();
  size_t outLeft = out.size();
  const size_t r = iconv(cd, &in, &inLeft, &outPtr, &outLeft);
  iconv_close(cd);
  if (r == static_cast<size_t>(-1)) return {};
  std::u16string wide((out.size() - outLeft) / 2, u'\0');
  for (size_t i = 0; i < wide.size(); ++i)
    wide[i] = static_cast<char16_t>(static_cast<unsigned char>(out[2 * i]) | static_cast<unsigned char>(out[2 * i + 1]) << 8);
  return wide;
}

std::u16string ToWide(UINT cp, const std::string& bytes, DWORD flags = 0) {
  const int n = MultiByteToWideChar(cp, flags, bytes.data(), static_cast<int>(bytes.size()), nullptr, 0);
  std::u16string out(static_cast<size_t>(std::max(n, 0)), u'\0');
  if (n > 0) {
    EXPECT_EQ(MultiByteToWideChar(cp, flags, bytes.data(), static_cast<int>(bytes.size()), out.data(), n), n);
  }
  return out;
}

TEST(NlsAscii, EveryAsciiByteAsIconvHasIt) {
  std::string all;
  for (int b = 1; b < 0x80; ++b) all += static_cast<char>(b);
  for (const CodePage& cp : kCodePages) {
    for (int b = 0; b < 0x80; ++b) {
      const std::string one(1, static_cast<char>(b));
      const std::u16string expected = ByIconv(cp.iconvName, one);
      ASSERT_EQ(expected.size(), 1u) << cp.iconvName << " byte " << b;
      EXPECT_EQ(ToWide(cp.id, one), expected) << cp.iconvName << " byte " << b;
      EXPECT_EQ(ToWide(cp.id, one, MB_ERR_INVALID_CHARS), expected) << cp.iconvName << " byte " << b;
    }
    EXPECT_EQ(ToWide(cp.id, all), ByIconv(cp.iconvName, all)) << cp.iconvName;
    // With its terminator (count -1).
    WCHAR buffer[0x80] = {};
    EXPECT_EQ(MultiByteToWideChar(cp.id, 0, all.c_str(), -1, buffer, 0x80), 0x80) << cp.iconvName;
    EXPECT_EQ(std::u16string(buffer, 0x7F), ByIconv(cp.iconvName, all)) << cp.iconvName;
    EXPECT_EQ(buffer[0x7F], 0) << cp.iconvName;
  }
}

// iconv's bytes for UTF-16 `wide`; empty when iconv refuses it.
std::string NarrowByIconv(const char* name, const std::u16string& wide) {
  const iconv_t cd = iconv_open(name, "UTF-16LE");
  if (cd == reinterpret_cast<iconv_t>(-1)) return {};
  std::string in;
  for (char16_t u : wide) in += {static_cast<char>(u & 0xFF), static_cast<char>(u >> 8)};
  std::string out(wide.size() * 4 + 8, '\0');
  char* inPtr = in.data();
  size_t inLeft = in.size();
  char* outPtr = out.data();
  size_t outLeft = out.size();
  const size_t r = iconv(cd, &inPtr, &inLeft, &outPtr, &outLeft);
  iconv_close(cd);
  if (r == static_cast<size_t>(-1)) return {};
  out.resize(out.size() - outLeft);
  return out;
}

std::string ToBytes(UINT cp, const std::u16string& wide, BOOL* usedDefault = nullptr) {
  const int n = WideCharToMultiByte(cp, 0, wide.data(), static_cast<int>(wide.size()), nullptr, 0, nullptr, nullptr);
  std::string out(static_cast<size_t>(std::max(n, 0)), '\0');
  if (n > 0) {
    EXPECT_EQ(
        WideCharToMultiByte(cp, 0, wide.data(), static_cast<int>(wide.size()), out.data(), n, nullptr, usedDefault), n);
  }
  return out;
}

TEST(NlsAscii, EveryAsciiUnitNarrowsAsIconvHasIt) {
  std::u16string all;
  for (char16_t u = 1; u < 0x80; ++u) all += u;
  for (const CodePage& cp : kCodePages) {
    for (char16_t u = 0; u < 0x80; ++u) {
      const std::u16string one(1, u);
      const std::string expected = NarrowByIconv(cp.iconvName, one);
      ASSERT_EQ(expected.size(), 1u) << cp.iconvName << " unit " << int(u);
      BOOL usedDefault = TRUE;
      EXPECT_EQ(ToBytes(cp.id, one, &usedDefault), expected) << cp.iconvName << " unit " << int(u);
      EXPECT_FALSE(usedDefault) << cp.iconvName << " unit " << int(u);
    }
    EXPECT_EQ(ToBytes(cp.id, all), NarrowByIconv(cp.iconvName, all)) << cp.iconvName;
    // With its terminator (count -1), and into a buffer one byte short.
    char buffer[0x80] = {};
    EXPECT_EQ(WideCharToMultiByte(cp.id, 0, all.c_str(), -1, buffer, 0x80, nullptr, nullptr), 0x80) << cp.iconvName;
    EXPECT_EQ(std::string(buffer, 0x7F), NarrowByIconv(cp.iconvName, all)) << cp.iconvName;
    EXPECT_EQ(buffer[0x7F], 0) << cp.iconvName;
    SetLastError(0);
    EXPECT_EQ(WideCharToMultiByte(cp.id, 0, all.c_str(), -1, buffer, 0x7F, nullptr, nullptr), 0) << cp.iconvName;
    EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_INSUFFICIENT_BUFFER)) << cp.iconvName;
    // Any other character among ASCII still goes through the converter.
    const std::u16string mixed = u"Label 42 \u00E9\u4E2D";
    EXPECT_EQ(ToBytes(cp.id, mixed), "Label 42 " + ToBytes(cp.id, u"\u00E9\u4E2D")) << cp.iconvName;
  }
}

TEST(NlsAscii, EveryOtherByteAmongAsciiConvertsAsOnItsOwn) {
  for (const CodePage& cp : kCodePages) {
    for (int b = 0x80; b < 0x100; ++b) {
      // The byte last, so that a lead byte has no trail byte after it either way.
      const std::string one(1, static_cast<char>(b));
      EXPECT_EQ(ToWide(cp.id, "Label 42 " + one), u"Label 42 " + ToWide(cp.id, one)) << cp.iconvName << " byte " << b;
      const std::u16string alone = ByIconv(cp.iconvName, one);
      if (!alone.empty()) {
        EXPECT_EQ(ToWide(cp.id, one), alone) << cp.iconvName << " byte " << b;
      }
    }
  }
}

TEST(NlsAscii, ShortBufferAndBadArguments) {
  WCHAR buffer[4] = {u'x', u'x', u'x', u'x'};
  SetLastError(0);
  EXPECT_EQ(MultiByteToWideChar(1252, 0, "digits", 6, buffer, 4), 0);
  EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_INSUFFICIENT_BUFFER));
  EXPECT_EQ(std::u16string(buffer, 4), u"digi");
  EXPECT_EQ(MultiByteToWideChar(1252, 0, "digits", 6, buffer, 0), 6);
  SetLastError(0);
  EXPECT_EQ(MultiByteToWideChar(1252, 0, "digits", 0, buffer, 4), 0);
  EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_INVALID_PARAMETER));
  SetLastError(0);
  EXPECT_EQ(MultiByteToWideChar(12345, 0, "digits", 6, buffer, 4), 0);
  EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_INVALID_PARAMETER));
}

}  // namespace
