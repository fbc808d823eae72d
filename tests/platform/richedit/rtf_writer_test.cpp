// The RTF writer: documents built here, written and read back to the same
// text, runs, paragraphs and pictures.
#include <gtest/gtest.h>

#include <string>

#include "tests/platform/richedit/rich_test_util.h"

namespace {

using richedit::CharFormat;
using richedit::ParaFormat;
using richedit::TextDocument;
using richtest::Utf16;
using richtest::Utf8;

void ExpectSame(const TextDocument& a, const TextDocument& b, const char* what) {
  ASSERT_EQ(Utf8(a.text()), Utf8(b.text())) << what;
  ASSERT_EQ(a.ParagraphCount(), b.ParagraphCount()) << what;
  for (size_t p = 0; p < a.ParagraphCount(); ++p) EXPECT_EQ(a.Paragraph(p), b.Paragraph(p)) << what << " paragraph " << p;
  for (size_t cp = 0; cp < a.size(); ++cp) {
    EXPECT_EQ(a.FormatAt(cp), b.FormatAt(cp)) << what << " at " << cp;
    const auto pa = a.PictureAt(cp), pb = b.PictureAt(cp);
    ASSERT_EQ(pa == nullptr, pb == nullptr) << what << " at " << cp;
    if (pa) {
      EXPECT_EQ(pa->kind, pb->kind);
      EXPECT_EQ(pa->data, pb->data);
      EXPECT_EQ(pa->ShownSize().cx, pb->ShownSize().cx);
      EXPECT_EQ(pa->ShownSize().cy, pb->ShownSize().cy);
    }
  }
}

TextDocument RoundTrip(const TextDocument& doc, UINT codePage = 1252) {
  const std::string rtf = richedit::WriteRtf(doc, 0, doc.size(), codePage);
  TextDocument back;
  EXPECT_TRUE(richedit::ReadRtf(richtest::Bytes(rtf), back)) << rtf;
  return back;
}

CharFormat Base() {
  CharFormat f;
  f.face = u"Arial";
  f.height = 240;
  f.charset = ANSI_CHARSET;
  f.pitchAndFamily = FF_SWISS;
  return f;
}

TEST(RtfWriter, FormatsRoundTrip) {
  struct Case {
    const char* what;
    void (*change)(CharFormat&);
  };
  const Case cases[] = {
      {"plain", [](CharFormat&) {}},
      {"bold", [](CharFormat& f) { richedit::SetEffect(f, CFE_BOLD, true); }},
      {"italic", [](CharFormat& f) { f.effects |= CFE_ITALIC; }},
      {"underline", [](CharFormat& f) { f.effects |= CFE_UNDERLINE, f.underlineType = CFU_UNDERLINE; }},
      {"double underline", [](CharFormat& f) { f.effects |= CFE_UNDERLINE, f.underlineType = CFU_UNDERLINEDOUBLE; }},
      {"strike-out", [](CharFormat& f) { f.effects |= CFE_STRIKEOUT; }},
      {"size", [](CharFormat& f) { f.height = 560; }},
      {"colour", [](CharFormat& f) { f.effects &= ~CFE_AUTOCOLOR, f.colour = RGB(12, 34, 56); }},
      {"back colour", [](CharFormat& f) { f.effects &= ~CFE_AUTOBACKCOLOR, f.backColour = RGB(255, 255, 0); }},
      {"face and charset", [](CharFormat& f) { f.face = u"SimSun", f.charset = GB2312_CHARSET, f.pitchAndFamily = 0; }},
      {"superscript", [](CharFormat& f) { f.effects |= CFE_SUPERSCRIPT; }},
      {"subscript", [](CharFormat& f) { f.effects |= CFE_SUBSCRIPT; }},
      {"raised", [](CharFormat& f) { f.offset = 60; }},
      {"lowered", [](CharFormat& f) { f.offset = -30; }},
      {"hidden", [](CharFormat& f) { f.effects |= CFE_HIDDEN; }},
      {"protected", [](CharFormat& f) { f.effects |= CFE_PROTECTED; }},
      {"caps", [](CharFormat& f) { f.effects |= CFE_ALLCAPS | CFE_SMALLCAPS; }},
      {"spacing", [](CharFormat& f) { f.spacing = 40; }},
      {"language", [](CharFormat& f) { f.lcid = 2052; }},
  };
  for (const auto& c : cases) {
    TextDocument doc;
    CharFormat f = Base();
    c.change(f);
    doc.Append(u"before ", Base());
    doc.Append(u"x{y}\\z", f);
    doc.Append(u" after", Base());
    ExpectSame(doc, RoundTrip(doc), c.what);
  }
}

TEST(RtfWriter, ParagraphsRoundTrip) {
  TextDocument doc;
  const CharFormat f = Base();
  ParaFormat p;
  const ParaFormat cases[] = {
      ParaFormat{},
      [] { ParaFormat q; q.alignment = PFA_CENTER; return q; }(),
      [] { ParaFormat q; q.alignment = PFA_RIGHT; q.rightIndent = 300; return q; }(),
      [] { ParaFormat q; q.alignment = PFA_JUSTIFY; q.startIndent = 360; q.offset = 360; return q; }(),
      [] { ParaFormat q; q.startIndent = 1080; q.offset = -360; return q; }(),
      [] { ParaFormat q; q.spaceBefore = 120; q.spaceAfter = 480; return q; }(),
      [] { ParaFormat q; q.lineSpacingRule = LINESPACING_ONEANDHALF; return q; }(),
      [] { ParaFormat q; q.lineSpacingRule = LINESPACING_DOUBLE; return q; }(),
      [] { ParaFormat q; q.lineSpacingRule = LINESPACING_ATLEAST; q.lineSpacing = 400; return q; }(),
      [] { ParaFormat q; q.lineSpacingRule = LINESPACING_EXACTLY; q.lineSpacing = 300; return q; }(),
      [] { ParaFormat q; q.lineSpacingRule = LINESPACING_MULTIPLE; q.lineSpacing = 50; return q; }(),
      [] {
        ParaFormat q;
        q.tabs = {{720, TAB_LEFT}, {2000, TAB_CENTER}, {4000, TAB_RIGHT}, {5000, TAB_DECIMAL}, {6000, TAB_BAR}};
        return q;
      }(),
  };
  for (size_t i = 0; i < std::size(cases); ++i) {
    doc.Append(u"para\ttext\vline " + std::u16string(1, static_cast<char16_t>(u'a' + i)), f);
    doc.EndParagraph(cases[i]);
  }
  doc.Append(u"last", f);
  doc.SetLastParagraph(cases[1]);
  ExpectSame(doc, RoundTrip(doc), "paragraphs");

  // Empty paragraphs, the last one among them.
  TextDocument empties;
  empties.Append(u"a", f);
  empties.EndParagraph(cases[2]);
  empties.EndParagraph(cases[3]);
  empties.SetLastParagraph(cases[1]);
  ExpectSame(empties, RoundTrip(empties), "empty paragraphs");
}

TEST(RtfWriter, TextInEveryScriptRoundTrips) {
  struct Case {
    const char* text;
    BYTE charset;
    UINT codePage;
  };
  const Case cases[] = {
      {"café €", ANSI_CHARSET, 1252},   {"中文简体", GB2312_CHARSET, 936}, {"中文繁體", CHINESEBIG5_CHARSET, 950},
      {"日本語のテキスト", SHIFTJIS_CHARSET, 932}, {"한국어", HANGUL_CHARSET, 949}, {"Ωμέγα", GREEK_CHARSET, 1252},
      {"emoji 😀 outside the BMP", ANSI_CHARSET, 1252}, {"中文 in an ANSI font", ANSI_CHARSET, 936},
  };
  for (const auto& c : cases) {
    TextDocument doc;
    CharFormat f = Base();
    f.charset = c.charset;
    doc.Append(Utf16(c.text), f);
    ExpectSame(doc, RoundTrip(doc, c.codePage), c.text);
    // The \'hh fallbacks alone, as a reader without \u sees them, give the same text.
    std::string rtf = richedit::WriteRtf(doc, 0, doc.size(), c.codePage);
    // Only where the font's code page converts (the double-byte ones here).
    if (c.charset == ANSI_CHARSET || c.charset == GREEK_CHARSET) continue;
    for (size_t at = rtf.find("\\u"); at != std::string::npos; at = rtf.find("\\u", at)) {
      if (rtf.compare(at, 3, "\\uc") == 0) {
        rtf.erase(at, rtf.find_first_not_of("0123456789", at + 3) - at);
        continue;
      }
      size_t end = at + 2;
      if (rtf[end] == '-') ++end;
      end = rtf.find_first_not_of("0123456789", end);
      rtf.erase(at, end - at);
    }
    TextDocument fallback;
    ASSERT_TRUE(richedit::ReadRtf(richtest::Bytes(rtf), fallback));
    EXPECT_EQ(Utf8(fallback.text()), c.text) << rtf;
  }
}

TEST(RtfWriter, PicturesRoundTrip) {
  TextDocument doc;
  auto picture = std::make_shared<richedit::Picture>();
  picture->kind = RichPictureKind::Png;
  for (int i = 0; i < 300; ++i) picture->data.push_back(static_cast<uint8_t>(i * 7));
  picture->width = 30;
  picture->height = 20;
  picture->goalWidth = 450;
  picture->goalHeight = 300;
  picture->scaleX = 50;
  doc.Append(u"see ", Base());
  doc.AppendPicture(picture, Base());
  doc.Append(u" here", Base());
  ExpectSame(doc, RoundTrip(doc), "picture");
}

TEST(RtfWriter, ARangeIsWrittenAlone) {
  TextDocument doc;
  CharFormat bold = Base();
  richedit::SetEffect(bold, CFE_BOLD, true);
  doc.Append(u"one ", Base());
  doc.Append(u"two", bold);
  ParaFormat centred;
  centred.alignment = PFA_CENTER;
  doc.EndParagraph(centred);
  doc.Append(u"three", Base());
  doc.SetLastParagraph(ParaFormat{});
  const std::string rtf = richedit::WriteRtf(doc, 4, 9);
  TextDocument part;
  ASSERT_TRUE(richedit::ReadRtf(richtest::Bytes(rtf), part));
  EXPECT_EQ(Utf8(part.text()), "two\nt");
  EXPECT_TRUE(part.FormatAt(0).Bold());
  EXPECT_FALSE(part.FormatAt(4).Bold());
  EXPECT_EQ(part.Paragraph(0).alignment, PFA_CENTER);
  EXPECT_EQ(part.Paragraph(1).alignment, PFA_LEFT);
}

}  // namespace
