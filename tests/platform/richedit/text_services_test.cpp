// The windowless text services through a host: text in and out in code
// pages, formats, zoom and font-size steps, natural size, drawing and
// ranges on pages.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "platform/testing/png_writer.h"
#include "platform/testing/test_canvas.h"
#include "platform/richedit/plain_text.h"
#include "tests/platform/richedit/rich_test_util.h"
#include "tests/platform/richedit/test_host.h"

namespace {

using richtest::Services;
using richtest::TestHost;
using richtest::Utf16;
using richtest::Utf8;

constexpr const char* kSample =
    R"({\rtf1\ansi\deff0{\fonttbl{\f0\fswiss Arial;}}{\colortbl ;\red255\green0\blue0;})"
    R"(\pard\qc\fs28\b Heading\par\pard\fs20\b0 The quick brown fox jumps over the lazy dog, )"
    R"({\cf1 in red}, and on and on until the line has to wrap more than once.\par})";

std::u16string GetText(const Services& s, UINT codePage = 1200, DWORD flags = GT_DEFAULT) {
  std::vector<char> buffer(4096);
  GETTEXTEX how{static_cast<DWORD>(buffer.size()), flags, codePage, nullptr, nullptr};
  const LRESULT n = s.Send(EM_GETTEXTEX, reinterpret_cast<WPARAM>(&how), reinterpret_cast<LPARAM>(buffer.data()));
  const size_t bytes = codePage == 1200 ? static_cast<size_t>(n) * 2 : static_cast<size_t>(n);
  return richedit::DecodeText(richtest::Bytes(std::string_view(buffer.data(), bytes)), codePage);
}

TEST(RichTextServices, MadeForAHostAndAskedForItsInterfaces) {
  TestHost host;
  IUnknown* unknown = nullptr;
  EXPECT_EQ(CreateTextServices(nullptr, nullptr, &unknown), E_INVALIDARG);
  ASSERT_EQ(CreateTextServices(nullptr, &host, &unknown), S_OK);
  void* services = nullptr;
  EXPECT_EQ(unknown->QueryInterface(IID_ITextServices, &services), S_OK);
  EXPECT_NE(services, nullptr);
  // The text document is part of the same object: it holds a reference of its own.
  void* document = nullptr;
  EXPECT_EQ(unknown->QueryInterface(IID_ITextDocument, &document), S_OK);
  ASSERT_NE(document, nullptr);
  void* other = reinterpret_cast<void*>(1);
  EXPECT_EQ(unknown->QueryInterface(IID_ITextHost, &other), E_NOINTERFACE);
  EXPECT_EQ(other, nullptr);
  static_cast<ITextServices*>(services)->Release();
  static_cast<ITextDocument*>(document)->Release();
  EXPECT_EQ(unknown->Release(), 0u);
}

TEST(RichTextServices, TextInAndOutInEachCodePage) {
  struct Case {
    UINT codePage;
    const char* text;  // UTF-8
    std::string bytes; // as the code page has it
  };
  const Case cases[] = {
      {936, "中文 a", "\xD6\xD0\xCE\xC4 a"},
      {950, "中文 a", "\xA4\xA4\xA4\xE5 a"},
      {932, "あい a", "\x82\xA0\x82\xA2 a"},
      {949, "가나 a", "\xB0\xA1\xB3\xAA a"},
      {1252, "café a", "caf\xE9 a"},
      {1200, "中 a", std::string("\x2D\x4E\x20\x00\x61\x00\x00\x00", 8)},
  };
  for (const auto& c : cases) {
    TestHost host;
    Services s(&host);
    SETTEXTEX how{ST_DEFAULT, c.codePage};
    s.Send(EM_SETTEXTEX, reinterpret_cast<WPARAM>(&how), reinterpret_cast<LPARAM>(c.bytes.data()));
    EXPECT_EQ(Utf8(GetText(s)), c.text) << c.codePage;
    EXPECT_EQ(Utf8(GetText(s, c.codePage)), c.text) << c.codePage;
    GETTEXTLENGTHEX length{GTL_NUMBYTES, c.codePage};
    const size_t expectedBytes = c.codePage == 1200 ? 6 : c.bytes.size();
    EXPECT_EQ(s.Send(EM_GETTEXTLENGTHEX, reinterpret_cast<WPARAM>(&length)), static_cast<LRESULT>(expectedBytes));
  }
}

TEST(RichTextServices, SelectionTextAndLineEnds) {
  TestHost host;
  Services s(&host);
  SETTEXTEX how{ST_DEFAULT, 1200};
  s.Send(EM_SETTEXTEX, reinterpret_cast<WPARAM>(&how), reinterpret_cast<LPARAM>(u"one\r\ntwo\nthree"));
  EXPECT_EQ(Utf8(GetText(s)), "one\ntwo\nthree");
  EXPECT_EQ(GetText(s, 1200, GT_USECRLF), u"one\r\ntwo\r\nthree");
  GETTEXTLENGTHEX crlf{GTL_USECRLF, 1200};
  EXPECT_EQ(s.Send(EM_GETTEXTLENGTHEX, reinterpret_cast<WPARAM>(&crlf)), 15);
  CHARRANGE range{4, 7};
  s.Send(EM_EXSETSEL, 0, reinterpret_cast<LPARAM>(&range));
  EXPECT_EQ(GetText(s, 1200, GT_SELECTION), u"two");
  // Replacing the selection in a code page, keeping the rest.
  SETTEXTEX sel{ST_SELECTION | ST_KEEPUNDO, 936};
  s.Send(EM_SETTEXTEX, reinterpret_cast<WPARAM>(&sel), reinterpret_cast<LPARAM>("\xD6\xD0"));
  EXPECT_EQ(Utf8(GetText(s)), "one\n中\nthree");
  // RTF given to EM_SETTEXTEX is read as RTF.
  SETTEXTEX all{ST_DEFAULT, CP_ACP};
  s.Send(EM_SETTEXTEX, reinterpret_cast<WPARAM>(&all), reinterpret_cast<LPARAM>(R"({\rtf1 {\b bold} text})"));
  EXPECT_EQ(Utf8(GetText(s)), "bold text");
  // The buffer's size is kept: 3 bytes hold "bo" and the zero.
  char small[8] = "xxxxxxx";
  GETTEXTEX tiny{3, GT_DEFAULT, 1252, nullptr, nullptr};
  EXPECT_EQ(s.Send(EM_GETTEXTEX, reinterpret_cast<WPARAM>(&tiny), reinterpret_cast<LPARAM>(small)), 2);
  EXPECT_STREQ(small, "bo");
  EXPECT_EQ(small[3], 'x');
  // WM_GETTEXT counts characters, the zero included.
  WCHAR wide[4] = {u'x', u'x', u'x', u'x'};
  EXPECT_EQ(s.Send(WM_GETTEXT, 3, reinterpret_cast<LPARAM>(wide)), 2);
  EXPECT_EQ(wide[2], 0);
  EXPECT_EQ(wide[3], u'x');
}

TEST(RichTextServices, StreamingInAndOut) {
  TestHost host;
  Services s(&host);
  s.SetRtf(kSample);
  EXPECT_EQ(Utf8(GetText(s)).substr(0, 12), "Heading\nThe ");
  std::string out;
  EDITSTREAM stream{reinterpret_cast<DWORD_PTR>(&out), 0, [](DWORD_PTR cookie, LPBYTE buffer, LONG bytes, LONG* done) -> DWORD {
                      reinterpret_cast<std::string*>(cookie)->append(reinterpret_cast<char*>(buffer), bytes);
                      *done = bytes;
                      return 0;
                    }};
  s.Send(EM_STREAMOUT, SF_RTF, reinterpret_cast<LPARAM>(&stream));
  TestHost host2;
  Services again(&host2);
  again.SetRtf(out);
  EXPECT_EQ(GetText(again), GetText(s));
  CHARFORMAT2W cf{};
  cf.cbSize = sizeof cf;
  CHARRANGE first{0, 7};
  again.Send(EM_EXSETSEL, 0, reinterpret_cast<LPARAM>(&first));
  again.Send(EM_GETCHARFORMAT, SCF_SELECTION, reinterpret_cast<LPARAM>(&cf));
  EXPECT_EQ(cf.dwEffects & CFE_BOLD, CFE_BOLD);
  EXPECT_EQ(cf.yHeight, 280);
  PARAFORMAT2 pf{};
  pf.cbSize = sizeof pf;
  again.Send(EM_GETPARAFORMAT, 0, reinterpret_cast<LPARAM>(&pf));
  EXPECT_EQ(pf.wAlignment, PFA_CENTER);
}

TEST(RichTextServices, ZoomAndFontSizeSteps) {
  TestHost host;
  Services s(&host);
  struct Zoom {
    WPARAM num;
    LPARAM den;
    LRESULT accepted;
  };
  const Zoom zooms[] = {{3200, 6400, TRUE}, {128, 64, TRUE}, {0, 0, TRUE}, {1, 65, FALSE}, {65, 1, FALSE}, {5, 0, FALSE}};
  for (const auto& z : zooms) EXPECT_EQ(s.Send(EM_SETZOOM, z.num, z.den), z.accepted) << z.num << "/" << z.den;

  struct Step {
    LONG points;
    int delta;
    LONG expected;
  };
  const Step steps[] = {{10, 1, 11}, {12, 1, 14}, {13, 1, 14}, {14, -1, 12}, {20, 3, 24}, {28, 1, 36},
                        {36, 1, 48}, {48, 1, 72}, {72, 1, 80}, {80, 1, 90}, {90, -1, 80}, {1, -5, 1}};
  for (const auto& st : steps) {
    SETTEXTEX how{ST_DEFAULT, 1200};
    s.Send(EM_SETTEXTEX, reinterpret_cast<WPARAM>(&how), reinterpret_cast<LPARAM>(u"abc"));
    CHARFORMAT2W cf{};
    cf.cbSize = sizeof cf;
    cf.dwMask = CFM_SIZE;
    cf.yHeight = st.points * 20;
    s.Send(EM_SETCHARFORMAT, SCF_ALL, reinterpret_cast<LPARAM>(&cf));
    s.Send(EM_SETSEL, 0, -1);
    EXPECT_EQ(s.Send(EM_SETFONTSIZE, static_cast<WPARAM>(st.delta)), TRUE);
    s.Send(EM_GETCHARFORMAT, SCF_SELECTION, reinterpret_cast<LPARAM>(&cf));
    EXPECT_EQ(cf.yHeight, st.expected * 20) << st.points << " by " << st.delta;
  }
}

TEST(RichTextServices, NaturalHeightFollowsWidthAndZoom) {
  TestHost host;
  Services s(&host);
  s.SetRtf(kSample);
  tavtest::TestCanvas canvas(800, 600);
  auto height = [&](LONG width) {
    LONG w = width, h = 10000;
    const SIZE extent{width, 10000};
    EXPECT_EQ(s->TxGetNaturalSize(DVASPECT_CONTENT, canvas.dc(), nullptr, nullptr, TXTNS_FITTOCONTENT, &extent, &w, &h),
              S_OK);
    return h;
  };
  const LONG wide = height(2000), narrow = height(200), medium = height(400);
  EXPECT_GT(narrow, medium);
  EXPECT_GT(medium, wide);
  // Two lines at least: the heading and the body.
  EXPECT_GT(wide, 20);
  s.Send(EM_SETZOOM, 128, 64);
  const LONG zoomed = height(4000);
  EXPECT_NEAR(zoomed, 2 * wide, 4);
}

TEST(RichTextServices, DrawsInsideItsBoundsOnAnyBackground) {
  TestHost host;
  Services s(&host);
  s.SetRtf(kSample);
  tavtest::TestCanvas canvas(400, 200, 32, {}, RGB(255, 255, 0));
  const RECT bounds{20, 10, 320, 150};
  ASSERT_EQ(s->TxDraw(DVASPECT_CONTENT, 0, nullptr, nullptr, canvas.dc(), nullptr, &bounds, nullptr, nullptr, nullptr,
                      0, TXTVIEW_INACTIVE),
            S_OK);
  const RECT ink = canvas.BoundsNot(RGB(255, 255, 0));
  EXPECT_GE(ink.left, bounds.left);
  EXPECT_GE(ink.top, bounds.top);
  EXPECT_LE(ink.right, bounds.right);
  EXPECT_LE(ink.bottom, bounds.bottom);
  int reddish = 0;  // text is anti-aliased: red over yellow blends towards orange
  for (int y = 0; y < canvas.height(); ++y) {
    for (int x = 0; x < canvas.width(); ++x) {
      const COLORREF c = canvas.Raw(x, y);
      reddish += GetRValue(c) > 200 && GetGValue(c) < 100 && GetBValue(c) < 60;
    }
  }
  EXPECT_GT(reddish, 40) << "the red words";
  EXPECT_GT(canvas.Count(RGB(255, 255, 0)), 400 * 200 / 2) << "a transparent background leaves the yellow";
  // The heading is centred: its ink's middle sits at the bounds' middle.
  const RECT heading = canvas.BoundsNot(RGB(255, 255, 0));
  (void)heading;
  RECT top{};
  {
    std::string rows = canvas.Picture(RGB(255, 255, 0), RECT{0, 10, 400, 24});
    int first = 400, last = -1;
    for (int y = 0; y < 14; ++y) {
      for (int x = 0; x < 400; ++x) {
        if (rows[y * 401 + x] == '.') first = std::min(first, x), last = std::max(last, x);
      }
    }
    top = RECT{first, 0, last + 1, 0};
  }
  EXPECT_NEAR((top.left + top.right) / 2, (bounds.left + bounds.right) / 2, 3);
  canvas.SavePng(tavtest::BuildFolderPng("richedit_services_draw"));
}

TEST(RichTextServices, FormatRangeWalksThroughPages) {
  TestHost host;
  Services s(&host);
  std::string rtf = R"({\rtf1\fs24 )";
  for (int i = 0; i < 40; ++i) rtf += "Line number " + std::to_string(i) + R"(\par )";
  rtf += "}";
  s.SetRtf(rtf);
  tavtest::TestCanvas canvas(600, 400);
  // A page of 2 x 1 inch: about four lines of 12-point text a page.
  FORMATRANGE range{canvas.dc(), canvas.dc(), RECT{0, 0, 2880, 1440}, RECT{0, 0, 2880, 1440}, CHARRANGE{0, -1}};
  std::vector<LRESULT> starts;
  LRESULT next = 0;
  const auto total = static_cast<LRESULT>(GetText(s).size());
  while (next < total && starts.size() < 100) {
    starts.push_back(next);
    range.chrg.cpMin = static_cast<LONG>(next);
    next = s.Send(EM_FORMATRANGE, FALSE, reinterpret_cast<LPARAM>(&range));
    ASSERT_GT(next, starts.back()) << "every page moves on";
  }
  EXPECT_EQ(next, total);
  EXPECT_GE(starts.size(), 8u);
  EXPECT_LE(starts.size(), 14u);
  // Rendering one page draws only inside its rectangle.
  range.chrg.cpMin = 0;
  s.Send(EM_FORMATRANGE, TRUE, reinterpret_cast<LPARAM>(&range));
  const RECT ink = canvas.InkBox();
  EXPECT_GT(canvas.Inked(), 0);
  EXPECT_LE(ink.bottom, 96);
  EXPECT_LE(ink.right, 192);
  EXPECT_EQ(s.Send(EM_FORMATRANGE, FALSE, 0), 0);
}

}  // namespace
