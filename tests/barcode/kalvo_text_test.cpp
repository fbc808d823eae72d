// The text row, the EAN/UPC digits and the Code 128 code-set choice.
#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <vector>

#include "tests/barcode/kalvo_request.h"

namespace {

using S = kalvo::Symbology;

using kalvo_test::Grey;
using kalvo_test::Request;

Grey Draw(Request& r) {
  EXPECT_EQ(kvoBCode(0, &r.code, 0), 0);
  return kalvo_test::TakeBitmap(r.code);
}

int DarkIn(const Grey& g, int x0, int y0, int x1, int y1) {
  int n = 0;
  for (int y = y0; y < y1; ++y) {
    for (int x = x0; x < x1; ++x) n += g.Dark(x, y) ? 1 : 0;
  }
  return n;
}

// Code 128 with a 50-dot bar, a 5-dot gap and a 30-dot text row.
struct TextRequest : Request {
  explicit TextRequest(const std::string& data) : Request(S::Code128, 0, data) {
    code.narrowWidth = 2;
    code.barHeight = 50;
    code.textGap = 5;
    code.textHeight = 30;
  }
};

TEST(KalvoTextRow, DrawsBelowTheBarsAfterTheGap) {
  TextRequest r("ABC");
  const Grey g = Draw(r);
  ASSERT_EQ(g.height, 85);
  EXPECT_GT(DarkIn(g, 0, 55, g.width, 85), 20);
  EXPECT_EQ(DarkIn(g, 0, 50, g.width, 55), 0);
  EXPECT_EQ(r.Text(), "ABC");
}

TEST(KalvoTextRow, DrawsAboveWhenAsked) {
  TextRequest r("ABC");
  r.code.textPosition = 2;
  r.code.textTopY = 0;
  const Grey g = Draw(r);
  ASSERT_EQ(g.height, 85);
  EXPECT_GT(DarkIn(g, 0, 0, g.width, 30), 20);
  EXPECT_EQ(DarkIn(g, 0, 30, g.width, 35), 0);
  EXPECT_EQ(g.DarkRuns(84).front().first, r.code.textLeft);
}

TEST(KalvoTextRow, SpaceOnlyReservesTheRowWithoutText) {
  TextRequest r("ABC");
  r.code.textSpaceOnly = 1;
  const Grey g = Draw(r);
  ASSERT_EQ(g.height, 85);
  EXPECT_EQ(DarkIn(g, 0, 50, g.width, 85), 0);
}

TEST(KalvoTextRow, NoTextReservesNothing) {
  TextRequest r("ABC");
  r.code.noText = 1;
  const Grey g = Draw(r);
  EXPECT_EQ(g.height, 50);
  EXPECT_EQ(r.code.textGap, 0);
  EXPECT_EQ(r.code.textHeight, 0);
}

TEST(KalvoTextRow, WideTextOverhangsAsAligned) {
  const int barsWidth = (11 * 3 + 13) * 2;  // "1": start B, 1, check
  for (int align : {0, -1, 1}) {
    TextRequest r("1");
    r.code.useTextMask = 1;
    r.code.textMask = "? is the one and only digit";
    r.code.textAlign = align;
    const Grey g = Draw(r);
    const int d = r.code.width - barsWidth;
    ASSERT_GT(d, 0) << align;
    if (align == 0) {
      EXPECT_EQ(r.code.textLeft, d / 2);
      EXPECT_EQ(r.code.textRight, d / 2);
    } else if (align < 0) {
      EXPECT_EQ(r.code.textLeft, 0);
      EXPECT_EQ(r.code.textRight, d);
    } else {
      EXPECT_EQ(r.code.textLeft, d);
      EXPECT_EQ(r.code.textRight, 0);
    }
    EXPECT_EQ(g.DarkRuns(10).front().first, r.code.textLeft) << align;
  }
}

TEST(KalvoTextRow, FontWidthFollowsTheRowHeight) {
  // A font height of 0 leaves the width as it is.
  struct Case { LONG height, width, scaledWidth; };
  for (const Case& c : std::vector<Case>{{10, 5, 15}, {0, 7, 7}}) {
    TextRequest r("AB");
    r.code.font.lfHeight = c.height;
    r.code.font.lfWidth = c.width;
    ASSERT_EQ(kvoBCode(0, &r.code, 1), 0);
    EXPECT_EQ(r.code.font.lfHeight, 30) << c.height;
    EXPECT_EQ(r.code.font.lfWidth, c.scaledWidth) << c.height;
  }
}

TEST(KalvoTextRow, ControlCharacterShowsAsABox) {
  TextRequest r("\t");
  r.code.textHeight = 40;
  const Grey g = Draw(r);
  int left = g.width;
  int right = -1;
  int top = g.height;
  int bottom = -1;
  for (int y = 55; y < g.height; ++y) {
    for (int x = 0; x < g.width; ++x) {
      if (!g.Dark(x, y)) continue;
      left = std::min(left, x);
      right = std::max(right, x);
      top = std::min(top, y);
      bottom = std::max(bottom, y);
    }
  }
  ASSERT_GT(right - left, 3);
  ASSERT_GT(bottom - top, 3);
  EXPECT_EQ(DarkIn(g, left, top, right + 1, top + 1), right - left + 1);
  EXPECT_EQ(DarkIn(g, left, bottom, right + 1, bottom + 1), right - left + 1);
  EXPECT_EQ(g.DarkRuns((top + bottom) / 2).size(), 2u);
  EXPECT_FALSE(g.Dark((left + right) / 2, (top + bottom) / 2));
  // Inset by a quarter of an "M" of the row's font on every side, the cell
  // centred in the 40-dot row that starts 55 dots down.
  HDC dc = CreateCompatibleDC(nullptr);
  HFONT font = CreateFontIndirectA(&r.code.font);
  HGDIOBJ old = SelectObject(dc, font);
  SIZE m{};
  GetTextExtentPoint32A(dc, "M", 1, &m);
  SelectObject(dc, old);
  DeleteObject(font);
  DeleteDC(dc);
  ASSERT_GT(m.cy, 8);
  EXPECT_EQ(right - left + 1, m.cx - 2 * (m.cx / 4));
  EXPECT_EQ(bottom - top + 1, m.cy - 2 * (m.cy / 4));
  EXPECT_EQ(top, 55 + (40 - m.cy) / 2 + m.cy / 4);
}

TEST(KalvoEanText, DigitsInTheRowAndLongerGuards) {
  Request r(S::Ean13, 0, "400638133393");
  r.code.narrowWidth = 2;
  r.code.barHeight = 60;
  r.code.textGap = 4;
  r.code.textHeight = 20;
  const Grey g = Draw(r);
  EXPECT_EQ(r.code.guardExtra, 12);
  ASSERT_EQ(g.height, 84);
  const int x0 = r.code.textLeft;
  EXPECT_GT(x0, 0);
  // Just below the data bars only the guards continue: 3 + 2 + ... runs of one module.
  const auto runs = g.DarkRuns(61);
  ASSERT_GE(runs.size(), 6u);
  EXPECT_EQ(runs[0], (std::pair<int, int>{x0, 2}));
  EXPECT_EQ(runs[1], (std::pair<int, int>{x0 + 4, 2}));
  EXPECT_EQ(runs[2], (std::pair<int, int>{x0 + 92, 2}));
  // The leading digit left of the start guard and digits between the guards.
  EXPECT_GT(DarkIn(g, 0, 64, x0, 84), 5);
  EXPECT_GT(DarkIn(g, x0 + 8, 66, x0 + 90, 84), 20);
}

TEST(KalvoEanText, NoRowKeepsGuardsWithTheBars) {
  Request r(S::UpcA, 0, "03600029145");
  r.code.narrowWidth = 2;
  r.code.textPosition = 0;
  const Grey g = Draw(r);
  EXPECT_EQ(r.code.guardExtra, 0);
  EXPECT_EQ(r.code.textLeft, 0);
  EXPECT_EQ(r.code.textRight, 0);
  EXPECT_EQ(g.height, r.code.barHeight);
  EXPECT_EQ(r.code.width, 95 * 2);
  EXPECT_EQ(g.DarkRuns(0), g.DarkRuns(r.code.barHeight - 1));
}

TEST(KalvoEanText, UpcAOuterDigitsWidenTheSymbol) {
  Request r(S::UpcA, 0, "03600029145");
  r.code.narrowWidth = 2;
  r.code.outerDigitScaleLeft = 1.0;
  ASSERT_EQ(kvoBCode(0, &r.code, 1), 0);
  const int fullLeft = r.code.textLeft;
  Request s(S::UpcA, 0, "03600029145");
  s.code.narrowWidth = 2;
  ASSERT_EQ(kvoBCode(0, &s.code, 1), 0);
  EXPECT_GT(fullLeft, 0);
  EXPECT_EQ(s.code.textLeft, static_cast<int>(fullLeft * 0.74));
  EXPECT_GT(s.code.textRight, 0);
  EXPECT_EQ(s.code.width, 190 + s.code.textLeft + s.code.textRight);
}

// The code-set rules written out directly, both continuations built in full:
// exponential, but an independent reference for short data. A candidate is
// its bytes and its element count (a set-C pair is one element).
struct Candidate {
  std::vector<uint8_t> bytes;
  size_t elements = 0;
};

Candidate Join(std::vector<uint8_t> head, size_t headElements, const Candidate& rest) {
  head.insert(head.end(), rest.bytes.begin(), rest.bytes.end());
  return Candidate{head, headElements + rest.elements};
}

Candidate Naive(const std::vector<uint8_t>& d, size_t i, int set) {  // set 0 A, 1 B, 2 C
  auto digit = [&](size_t k) { return k < d.size() && d[k] >= '0' && d[k] <= '9'; };
  auto keep = [](const Candidate& a, const Candidate& b) { return a.elements < b.elements ? a : b; };
  if (i >= d.size()) return {};
  const uint8_t b = d[i];
  if (set == 2) {
    if (b < 32) return Join({133, b}, 2, Naive(d, i + 1, 0));
    if (digit(i) && digit(i + 1)) return Join({b, d[i + 1]}, 1, Naive(d, i + 2, 2));
    if (digit(i)) return Join({132, b}, 2, Naive(d, i + 1, 1));
    if (b <= 95) return keep(Join({132, b}, 2, Naive(d, i + 1, 1)), Join({133, b}, 2, Naive(d, i + 1, 0)));
    if (b == 132 || b == 133 || b == 134) return Join({b}, 1, Naive(d, i + 1, 2));
    return Join({132, b}, 2, Naive(d, i + 1, 1));
  }
  if (b == 134) return Join({b}, 1, Naive(d, i + 1, set));
  if (set == 0 && b >= 96) return Join({132, b}, 2, Naive(d, i + 1, 1));
  if (set == 1 && b < 32) return Join({133, b}, 2, Naive(d, i + 1, 0));
  if (i + 1 == d.size()) return Candidate{{b}, 1};
  if (digit(i) && digit(i + 1)) {
    if (digit(i + 2) && digit(i + 3)) return Join({131, b, d[i + 1], d[i + 2], d[i + 3]}, 3, Naive(d, i + 4, 2));
    return keep(Join({b}, 1, Naive(d, i + 1, set)), Join({131, b, d[i + 1]}, 2, Naive(d, i + 2, 2)));
  }
  return Join({b}, 1, Naive(d, i + 1, set));
}

std::vector<uint8_t> NaiveChoice(const std::vector<uint8_t>& d, int codeSet) {
  const Candidate a = Naive(d, 0, 0);
  const Candidate b = Naive(d, 0, 1);
  const Candidate c = Naive(d, 0, 2);
  std::vector<uint8_t> out;
  if (codeSet == 1 || (codeSet == 0 && c.elements <= a.elements && c.elements <= b.elements)) {
    out = {138};
    out.insert(out.end(), c.bytes.begin(), c.bytes.end());
  } else if (codeSet == 2 || (codeSet == 0 && b.elements <= a.elements)) {
    out = {137};
    out.insert(out.end(), b.bytes.begin(), b.bytes.end());
  } else {
    out = {136};
    out.insert(out.end(), a.bytes.begin(), a.bytes.end());
  }
  return out;
}

std::vector<uint8_t> Library(std::vector<uint8_t> d, int codeSet) {
  std::vector<uint8_t> out(2 * d.size() + 2, 0xEE);
  const int n = GetOptimized128Code(d.data(), static_cast<int>(d.size()), out.data(), codeSet);
  EXPECT_EQ(out[n], 0);
  out.resize(n);
  return out;
}

std::vector<uint8_t> Of(const std::string& s) { return std::vector<uint8_t>(s.begin(), s.end()); }

TEST(KalvoCodeSets, KnownChoices) {
  EXPECT_EQ(Library(Of("12345678"), 0), Of("\x8a" "12345678"));
  EXPECT_EQ(Library(Of("abc"), 0), Of("\x89" "abc"));
  EXPECT_EQ(Library(Of("AB12"), 0), Of("\x89" "AB\x83" "12"));
  EXPECT_EQ(Library(Of("AB"), 1), Of("\x8a\x85" "AB"));
  EXPECT_EQ(Library(Of("ab"), 3), Of("\x88\x84" "ab"));
  EXPECT_EQ(Library(Of(""), 0), Of("\x8a"));
}

TEST(KalvoCodeSets, AgreeWithTheRulesWrittenOut) {
  const std::vector<uint8_t> alphabet = {'1', '2', 'a', 'A', 0x01, 134};
  for (size_t length = 1; length <= 5; ++length) {
    std::vector<size_t> index(length, 0);
    while (true) {
      std::vector<uint8_t> d;
      for (size_t k : index) d.push_back(alphabet[k]);
      for (int codeSet = 0; codeSet <= 3; ++codeSet) {
        ASSERT_EQ(Library(d, codeSet), NaiveChoice(d, codeSet)) << std::string(d.begin(), d.end()) << " " << codeSet;
      }
      size_t k = 0;
      while (k < length && ++index[k] == alphabet.size()) index[k++] = 0;
      if (k == length) break;
    }
  }
}

TEST(KalvoCodeSets, LongDataEncodesAndDecodes) {
  std::string data;
  while (data.size() < 1024) data += "12a";
  data.resize(1024);
  Request r(S::Code128, 0, data);
  r.code.narrowWidth = 1;
  r.code.textPosition = 0;
  r.code.barHeight = 20;
  const Grey g = Draw(r);
  ZXing::DecodeHints hints;
  hints.setFormats(ZXing::BarcodeFormat::Code128);
  hints.setTryRotate(false);
  const ZXing::Result result = kalvo_test::Decode(g, 20, hints);
  ASSERT_TRUE(result.isValid());
  EXPECT_EQ(kalvo_test::BytesOf(result), data);
}

TEST(KalvoSeveralAis, DataAndTextGoToTheRequest) {
  Request r(S::UccEan128Ais, 0, "");
  r.code.aiNames[0] = "00";
  r.code.aiValues[0] = "123456789012345675";
  r.code.aiNames[1] = "21";
  r.code.aiValues[1] = "S1";
  r.code.textPosition = 0;
  ASSERT_EQ(kvoBCode(0, &r.code, 1), 0);
  EXPECT_STREQ(r.code.data, "\x86" "00123456789012345675" "21S1");
  EXPECT_EQ(r.code.dataLength, 25);
  EXPECT_EQ(r.Text(), "(00)123456789012345675(21)S1");
}

// An identifier whose data end in a check digit: a value one digit short
// (as older layouts hold it) gets the digit, a whole value is encoded as it
// stands, never with a second digit.
TEST(KalvoSeveralAis, ACheckDigitIsAppendedOnlyToAValueWithoutIt) {
  struct Case {
    const char* identifier;
    const char* value;
    const char* text;
  };
  for (const Case& c : {Case{"01", "1234567890123", "(01)12345678901231"},
                        Case{"01", "12345678901231", "(01)12345678901231"},
                        Case{"00", "12345678901234567", "(00)123456789012345675"},
                        Case{"00", "123456789012345675", "(00)123456789012345675"},
                        Case{"414", "400638133393", "(414)4006381333931"},
                        Case{"414", "4006381333931", "(414)4006381333931"}}) {
    SCOPED_TRACE(std::string(c.identifier) + " " + c.value);
    Request r(S::UccEan128Ais, 0, "");
    r.code.aiNames[0] = c.identifier;
    r.code.aiValues[0] = c.value;
    r.code.textPosition = 0;
    ASSERT_EQ(kvoBCode(0, &r.code, 1), 0);
    EXPECT_EQ(r.Text(), c.text);
  }
}

TEST(KalvoSeveralAis, TooLongForTheBuffersGives100) {
  Request r(S::UccEan128Ais, 0, "");
  r.code.aiNames[0] = "10";
  r.code.aiValues[0] = AString(std::string(200, '1').c_str());
  r.code.aiNames[1] = "21";
  r.code.aiValues[1] = AString(std::string(200, '2').c_str());
  r.code.textPosition = 0;
  std::memset(r.code.data + 1, 'q', 256 + 62);
  EXPECT_EQ(kvoBCode(0, &r.code, 1), 100);
  EXPECT_EQ(r.code.data[0], 0);
  EXPECT_EQ(r.code.data[1], 'q');
  EXPECT_EQ(r.code.data[256 + 62], 'q');
}

TEST(KalvoSeveralAis, NoTextBufferDrawsNothing) {
  Request r(S::UccEan128Ais, 0, "");
  r.code.aiNames[0] = "00";
  r.code.aiValues[0] = "123456789012345675";
  std::free(r.code.hrText);
  r.code.hrText = nullptr;
  EXPECT_EQ(kvoBCode(0, &r.code, 0), 0);
  EXPECT_EQ(r.code.bitmap, nullptr);
}

TEST(KalvoBitmap, CallerDeletesItThroughThePlatform) {
  Request r(S::Code39, 0, "ABC");
  r.code.textPosition = 0;
  ASSERT_EQ(kvoBCode(0, &r.code, 0), 0);
  HBITMAP bitmap = r.code.bitmap;
  ASSERT_NE(bitmap, nullptr);
  EXPECT_EQ(GetObjectType(bitmap), static_cast<DWORD>(OBJ_BITMAP));
  EXPECT_TRUE(DeleteObject(bitmap));
  EXPECT_EQ(GetObjectType(bitmap), 0u);
}

}  // namespace
