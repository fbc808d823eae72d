// The RTF reader: tables of RTF and the text and formats it reads to,
// malformed input read as far as it is sound.
#include <gtest/gtest.h>

#include <string>

#include "platform/nls/nls.h"
#include "tests/platform/richedit/rich_test_util.h"

namespace {

using richedit::CharFormat;
using richedit::ParaFormat;
using richedit::TextDocument;
using richtest::Read;
using richtest::Utf8;

struct TextCase {
  const char* what;
  const char* rtf;
  const char* text;  // UTF-8, paragraph marks as \n, line breaks as \v
};

TEST(RtfReader, TextOfEachConstruct) {
  const TextCase cases[] = {
      {"plain text", R"({\rtf1 Hello})", "Hello"},
      {"the delimiting space of a word", R"({\rtf1\ansi Hello world})", "Hello world"},
      {"line ends in the file are not text", "{\\rtf1 He\r\nllo}", "Hello"},
      {"\\'hh in the ANSI code page", R"({\rtf1\ansi\ansicpg1252 caf\'e9})", "café"},
      {"\\'hh in a GB2312 font", R"({\rtf1\ansi{\fonttbl{\f0\fnil\fcharset134 SimSun;}}\f0 \'d6\'d0\'ce\'c4})",
       "中文"},
      {"\\'hh in a Shift-JIS font", R"({\rtf1{\fonttbl{\f0\fcharset128 MS Mincho;}}\f0 \'82\'a0\'82\'a2})", "あい"},
      {"\\'hh in a Big5 font", R"({\rtf1{\fonttbl{\f0\fcharset136 MingLiU;}}\f0 \'a4\'a4\'a4\'e5})", "中文"},
      {"\\'hh in a Hangul font", R"({\rtf1{\fonttbl{\f0\fcharset129 Gulim;}}\f0 \'b0\'a1})", "가"},
      {"\\cpg of a font decides", R"({\rtf1{\fonttbl{\f0\cpg936 X;}}\f0 \'d6\'d0})", "中"},
      {"\\ansicpg for the default charset", R"({\rtf1\ansi\ansicpg936{\fonttbl{\f0\fcharset1 X;}}\f0 \'d6\'d0})",
       "中"},
      {"\\u with one fallback", R"({\rtf1\uc1\u20013?\u25991?})", "中文"},
      {"\\u with a two-byte fallback", R"({\rtf1\uc2\u20013\'d6\'d0x})", "中x"},
      {"\\uc0", R"({\rtf1\uc0\u65\u66 })", "AB"},
      {"negative \\u", R"({\rtf1\u-3?})", "\xEF\xBF\xBD"},
      {"a surrogate pair", R"({\rtf1\u-10179?\u-8704?})", "\xF0\x9F\x98\x80"},
      {"\\uc is local to its group", R"({\rtf1{\uc2 a}\u20013?b})", "a中b"},
      {"groups", R"({\rtf1 a{\b b}c})", "abc"},
      {"unknown \\* destination skipped", R"({\rtf1 a{\*\foo skipped {nested}}b})", "ab"},
      {"unknown word ignored, its text kept", R"({\rtf1 a\foo b})", "ab"},
      {"info skipped", R"({\rtf1{\info{\title T}{\author A}}x})", "x"},
      {"field result read, instruction skipped", R"({\rtf1{\field{\*\fldinst HYPERLINK "u"}{\fldrslt link}}})",
       "link"},
      {"pictures in nonshppict skipped once", R"({\rtf1 a{\*\shppict{\pict\pngblip 00}}{\nonshppict{\pict 00}}b})",
       "a\xEF\xBF\xBC" "b"},
      {"paragraphs", R"({\rtf1 a\par b})", "a\nb"},
      {"the last \\par ends the last paragraph", R"({\rtf1 a\par b\par})", "a\nb"},
      {"an empty last paragraph kept", R"({\rtf1 a\par\par})", "a\n"},
      {"line, tab, page", R"({\rtf1 a\line b\tab c\page d\sect e})", "a\vb\tc\nd\ne"},
      {"\\ followed by a line end is \\par", "{\\rtf1 a\\\r\nb}", "a\nb"},
      {"escaped braces and backslash", R"({\rtf1 \{x\}\\})", "{x}\\"},
      {"special characters", R"({\rtf1 \~\-\_\emdash\endash\bullet\lquote\rquote\ldblquote\rdblquote})",
       "\xC2\xA0\xC2\xAD\xE2\x80\x91\xE2\x80\x94\xE2\x80\x93\xE2\x80\xA2\xE2\x80\x98\xE2\x80\x99\xE2\x80\x9C\xE2\x80\x9D"},
      {"font table without groups", R"({\rtf1{\fonttbl\f0 Arial;\f1 Courier;}\f1 x})", "x"},
      {"style sheet text is not body text", R"({\rtf1{\stylesheet{\s1 Heading 1;}}x})", "x"},
      {"\\bin data skipped", "{\\rtf1 a\\bin3 {}}b}", "ab"},
      // Malformed input, read as far as it is sound.
      {"truncated \\'", R"({\rtf1 a\')", "a"},
      {"truncated \\'h", R"({\rtf1 a\'4)", "a"},
      {"\\' with no hex", R"({\rtf1 a\'zz})", "azz"},
      {"a lone backslash at the end", "{\\rtf1 a\\", "a"},
      {"unbalanced close", R"({\rtf1 a}}b)", "ab"},
      {"unclosed groups", R"({\rtf1 a{\b b)", "ab"},
      {"\\bin longer than the input", R"({\rtf1 a\bin99999999 xyz)", "a"},
      {"a word longer than the limit is unknown",
       "{\\rtf1 a\\bbbbbbbbbbbbbbbbbbbbbbbbbbbbbbbbbbbbbbbbbbbbbbbbbbbbbbbbbbbbbbbbbbbbb b}", "ab"},
      {"a huge number saturates", R"({\rtf1\fs999999999999999999999 a})", "a"},
      {"\\u past 16 bits keeps its low 16", R"({\rtf1\uc0\u65601 })", "A"},
      {"a lone DBCS lead byte", R"({\rtf1{\fonttbl{\f0\fcharset134 S;}}\f0 \'d6})", "?"},
  };
  for (const auto& c : cases) {
    const TextDocument doc = Read(c.rtf);
    EXPECT_EQ(Utf8(doc.text()), c.text) << c.what;
    EXPECT_TRUE(doc.Valid()) << c.what;
  }
}

TEST(RtfReader, NotRtfIsNotRead) {
  TextDocument doc;
  EXPECT_FALSE(richedit::ReadRtf(richtest::Bytes("plain {\\rtf1 x}"), doc));
  EXPECT_TRUE(richedit::ReadRtf(richtest::Bytes("\r\n {\\rtf1 x}"), doc));
  EXPECT_EQ(Utf8(doc.text()), "x");
}

TEST(RtfReader, CharacterFormats) {
  const char* rtf =
      R"({\rtf1\ansi\deff0{\fonttbl{\f0\fswiss\fcharset0 Arial;}{\f1\froman\fprq2\fcharset134 SimSun;}})"
      R"({\colortbl ;\red255\green0\blue0;\red0\green128\blue255;})"
      R"(\plain a{\b b}{\i c}{\ul d}{\uldb e}{\strike f}{\fs40 g}{\f1 h}{\cf1 i}{\highlight2 j}{\super k}{\sub l})"
      R"({\up6 m}{\dn4 n}{\v o}{\caps p}{\scaps q}{\b\b0 r}{\cf0 s}{\expndtw20 t}{\lang1031 u}{\ul\ulnone v}})";
  const TextDocument doc = Read(rtf);
  ASSERT_EQ(Utf8(doc.text()), "abcdefghijklmnopqrstuv");
  auto at = [&](char c) { return doc.FormatAt(doc.text().find(static_cast<char16_t>(c))); };
  CharFormat base;
  base.height = 240;
  base.face = u"Arial";
  base.charset = ANSI_CHARSET;
  base.pitchAndFamily = FF_SWISS;
  EXPECT_EQ(at('a'), base);
  struct Case {
    char letter;
    CharFormat expected;
  };
  auto with = [&](auto change) {
    CharFormat f = base;
    change(f);
    return f;
  };
  const Case cases[] = {
      {'b', with([](CharFormat& f) { f.effects |= CFE_BOLD, f.weight = FW_BOLD; })},
      {'c', with([](CharFormat& f) { f.effects |= CFE_ITALIC; })},
      {'d', with([](CharFormat& f) { f.effects |= CFE_UNDERLINE, f.underlineType = CFU_UNDERLINE; })},
      {'e', with([](CharFormat& f) { f.effects |= CFE_UNDERLINE, f.underlineType = CFU_UNDERLINEDOUBLE; })},
      {'f', with([](CharFormat& f) { f.effects |= CFE_STRIKEOUT; })},
      {'g', with([](CharFormat& f) { f.height = 400; })},
      {'h', with([](CharFormat& f) { f.face = u"SimSun", f.charset = GB2312_CHARSET, f.pitchAndFamily = FF_ROMAN | 2; })},
      {'i', with([](CharFormat& f) { f.effects &= ~CFE_AUTOCOLOR, f.colour = RGB(255, 0, 0); })},
      {'j', with([](CharFormat& f) { f.effects &= ~CFE_AUTOBACKCOLOR, f.backColour = RGB(0, 128, 255); })},
      {'k', with([](CharFormat& f) { f.effects |= CFE_SUPERSCRIPT; })},
      {'l', with([](CharFormat& f) { f.effects |= CFE_SUBSCRIPT; })},
      {'m', with([](CharFormat& f) { f.offset = 60; })},
      {'n', with([](CharFormat& f) { f.offset = -40; })},
      {'o', with([](CharFormat& f) { f.effects |= CFE_HIDDEN; })},
      {'p', with([](CharFormat& f) { f.effects |= CFE_ALLCAPS; })},
      {'q', with([](CharFormat& f) { f.effects |= CFE_SMALLCAPS; })},
      {'r', base},
      {'s', base},
      {'t', with([](CharFormat& f) { f.spacing = 20; })},
      {'u', with([](CharFormat& f) { f.lcid = 1031; })},
      {'v', base},
  };
  for (const auto& c : cases) EXPECT_EQ(at(c.letter), c.expected) << c.letter;
}

TEST(RtfReader, ParagraphFormats) {
  struct Case {
    const char* what;
    const char* props;
    ParaFormat expected;
  };
  auto para = [](auto change) {
    ParaFormat p;
    change(p);
    return p;
  };
  const Case cases[] = {
      {"default", "", ParaFormat{}},
      {"centred", R"(\qc)", para([](ParaFormat& p) { p.alignment = PFA_CENTER; })},
      {"right", R"(\qr)", para([](ParaFormat& p) { p.alignment = PFA_RIGHT; })},
      {"justified", R"(\qj)", para([](ParaFormat& p) { p.alignment = PFA_JUSTIFY; })},
      {"left indent", R"(\li720)", para([](ParaFormat& p) { p.startIndent = 720; })},
      {"hanging indent", R"(\li720\fi-360)", para([](ParaFormat& p) { p.startIndent = 360, p.offset = 360; })},
      {"first-line indent before \\li", R"(\fi360\li720)", para([](ParaFormat& p) { p.startIndent = 1080, p.offset = -360; })},
      {"right indent", R"(\ri500)", para([](ParaFormat& p) { p.rightIndent = 500; })},
      {"space before and after", R"(\sb120\sa240)", para([](ParaFormat& p) { p.spaceBefore = 120, p.spaceAfter = 240; })},
      {"one and a half lines", R"(\sl360\slmult1)", para([](ParaFormat& p) { p.lineSpacingRule = LINESPACING_ONEANDHALF; })},
      {"double", R"(\sl480\slmult1)", para([](ParaFormat& p) { p.lineSpacingRule = LINESPACING_DOUBLE; })},
      {"single by multiple", R"(\sl240\slmult1)", para([](ParaFormat& p) { p.lineSpacingRule = LINESPACING_SINGLE; })},
      {"1.2 lines", R"(\sl288\slmult1)",
       para([](ParaFormat& p) { p.lineSpacingRule = LINESPACING_MULTIPLE, p.lineSpacing = 24; })},
      {"at least", R"(\sl300\slmult0)", para([](ParaFormat& p) { p.lineSpacingRule = LINESPACING_ATLEAST, p.lineSpacing = 300; })},
      {"exactly", R"(\sl-300)", para([](ParaFormat& p) { p.lineSpacingRule = LINESPACING_EXACTLY, p.lineSpacing = 300; })},
      {"tab stops in order", R"(\tx2000\tqr\tx1000\tqc\tx3000\tqdec\tx4000\tb5000)", para([](ParaFormat& p) {
         p.tabs = {{1000, TAB_RIGHT}, {2000, TAB_LEFT}, {3000, TAB_CENTER}, {4000, TAB_DECIMAL}, {5000, TAB_BAR}};
       })},
      {"\\pard resets", R"(\qc\li100\pard\qr)", para([](ParaFormat& p) { p.alignment = PFA_RIGHT; })},
      {"huge indent clamped", R"(\li99999999999)", para([](ParaFormat& p) { p.startIndent = 0x00FFFFFF; })},
  };
  for (const auto& c : cases) {
    const TextDocument doc = Read(std::string(R"({\rtf1\pard)") + c.props + R"( x\par y})");
    ASSERT_EQ(doc.ParagraphCount(), 2u) << c.what;
    EXPECT_EQ(doc.Paragraph(0), c.expected) << c.what;
    // The paragraph after \par keeps the format until \pard.
    EXPECT_EQ(doc.Paragraph(1), c.expected) << c.what;
  }
}

TEST(RtfReader, StylesApplyTheirFormats) {
  // As LibreOffice reads them: a paragraph takes its style's paragraph
  // format. Of the character format, what a style's own entry gives comes
  // from the text (writers repeat it after \s), and what the style is based
  // on carries through. The office corpus test holds this against
  // LibreOffice's reading of the same text.
  const TextDocument doc = Read(
      R"({\rtf1{\stylesheet{\s0 Normal;}{\s1\qc\sb240\b\fs40 Heading 1;}{\s2\sbasedon1\sa120 Heading 2;})"
      R"({\*\cs10\i Emphasis;}}\pard\s1 Title\par\pard\s2 Sub\par\pard\s0\plain Body {\cs10 em}{\cs10\i em}})");
  ASSERT_EQ(Utf8(doc.text()), "Title\nSub\nBody emem");
  EXPECT_EQ(doc.Paragraph(0).alignment, PFA_CENTER);
  EXPECT_EQ(doc.Paragraph(0).spaceBefore, 240);
  EXPECT_EQ(doc.Paragraph(0).style, 1);
  EXPECT_FALSE(doc.FormatAt(0).Bold());
  EXPECT_EQ(doc.FormatAt(0).height, 240);
  EXPECT_EQ(doc.Paragraph(1).alignment, PFA_CENTER);
  EXPECT_EQ(doc.Paragraph(1).spaceBefore, 240);
  EXPECT_EQ(doc.Paragraph(1).spaceAfter, 120);
  EXPECT_EQ(doc.Paragraph(1).style, 2);
  EXPECT_TRUE(doc.FormatAt(6).Bold());
  EXPECT_EQ(doc.FormatAt(6).height, 400);
  EXPECT_EQ(doc.Paragraph(2).alignment, PFA_LEFT);
  EXPECT_FALSE(doc.FormatAt(10).Bold());
  EXPECT_FALSE(doc.FormatAt(15).Has(CFE_ITALIC));
  EXPECT_TRUE(doc.FormatAt(17).Has(CFE_ITALIC));
}

TEST(RtfReader, PicturesAreKeptAsObjects) {
  const TextDocument doc = Read(
      R"({\rtf1 a{\pict\pngblip\picw20\pich10\picwgoal300\pichgoal150 89504E47 0d0a}b)"
      R"({\pict\wmetafile8\picw2540\pich1270 0102}{\pict\emfblip\picscalex50\picscaley200 )"
      "\\bin4 \x01\x02\x03\x04}c}");
  ASSERT_EQ(Utf8(doc.text()), "a\xEF\xBF\xBC" "b\xEF\xBF\xBC\xEF\xBF\xBC" "c");
  const auto png = doc.PictureAt(1);
  ASSERT_TRUE(png);
  EXPECT_EQ(png->kind, RichPictureKind::Png);
  EXPECT_EQ(png->data, (std::vector<uint8_t>{0x89, 0x50, 0x4E, 0x47, 0x0D, 0x0A}));
  EXPECT_EQ(png->ShownSize().cx, 300);
  EXPECT_EQ(png->ShownSize().cy, 150);
  const auto wmf = doc.PictureAt(3);
  ASSERT_TRUE(wmf);
  EXPECT_EQ(wmf->kind, RichPictureKind::Wmf);
  EXPECT_EQ(wmf->metafileMapping, 8);
  EXPECT_EQ(wmf->ShownSize().cx, 1440);  // 2540 hundredths of a millimetre
  const auto emf = doc.PictureAt(4);
  ASSERT_TRUE(emf);
  EXPECT_EQ(emf->data, (std::vector<uint8_t>{1, 2, 3, 4}));
  EXPECT_EQ(emf->scaleX, 50);
  EXPECT_FALSE(doc.PictureAt(0));
}

TEST(RtfReader, LimitsAreKept) {
  // Nesting far past the depth limit: the deep part is skipped, the rest read.
  std::string deep = "{\\rtf1 a";
  for (int i = 0; i < 100000; ++i) deep += '{';
  deep += "lost";
  for (int i = 0; i < 100000; ++i) deep += '}';
  deep += "b}";
  richedit::RtfReadReport report;
  const TextDocument doc = Read(deep, &report);
  EXPECT_EQ(Utf8(doc.text()), "ab");
  EXPECT_EQ(report.skippedDeepGroups, 1u);
  EXPECT_FALSE(report.unbalanced);

  // A picture past the size limit keeps its sizes and drops its data.
  richedit::RtfLimits limits;
  limits.maxPictureBytes = 4;
  TextDocument pic;
  richedit::RtfReadReport picReport;
  ASSERT_TRUE(richedit::ReadRtf(richtest::Bytes(R"({\rtf1{\pict\pngblip\picw7\pich9 0102030405}x})"), pic, limits,
                                &picReport));
  EXPECT_EQ(picReport.truncatedPictures, 1u);
  ASSERT_TRUE(pic.PictureAt(0));
  EXPECT_TRUE(pic.PictureAt(0)->data.empty());
  EXPECT_TRUE(pic.PictureAt(0)->truncated);
  EXPECT_EQ(pic.PictureAt(0)->width, 7);
  EXPECT_EQ(Utf8(pic.text()), "\xEF\xBF\xBCx");

  // Sizes too large are clamped.
  const TextDocument big = Read(R"({\rtf1\fs99999999 a\fs-5 b\fs1 c})");
  EXPECT_EQ(big.FormatAt(0).height, 32760);
  EXPECT_EQ(big.FormatAt(1).height, 32760);  // a negative size is ignored
  EXPECT_EQ(big.FormatAt(2).height, 20);
}

TEST(RtfReader, MutatedInputNeverBreaksTheDocument) {
  // A deterministic sweep of cuts and byte changes over a rich seed; the
  // fuzz target covers far more, this keeps the common damage in every run.
  const std::string seed =
      R"({\rtf1\ansi\ansicpg936\deff0{\fonttbl{\f0\fswiss Arial;}{\f1\fcharset134 SimSun;}})"
      R"({\colortbl ;\red1\green2\blue3;}{\stylesheet{\s1\qc\b H;}}\pard\s1\li720\fi-360\tx100 )"
      R"(a{\b\cf1 b}\'d6\'d0\f1\'d6\'d0\u20013?\uc2\u20013\'d6\'d0{\*\x y}\par{\pict\pngblip 0a0b}\line\tab z})";
  uint32_t state = 12345;
  for (int i = 0; i < 3000; ++i) {
    std::string input = seed.substr(0, (state >> 3) % (seed.size() + 1));
    for (int k = 0; k < 3; ++k) {
      state = state * 1103515245u + 12345u;
      if (!input.empty()) input[(state >> 8) % input.size()] = static_cast<char>(state >> 24);
    }
    input = "{\\rtf" + input;
    const TextDocument doc = Read(input);
    ASSERT_TRUE(doc.Valid()) << input;
  }
}

}  // namespace

namespace {

TEST(RtfReader, DoubleByteTextTakesTheAssociatedFont) {
  // As LibreOffice writes runs: \dbch\af and \afs give ideographs their own font and size.
  const TextDocument doc = Read(
      R"({\rtf1{\fonttbl{\f0 Arial;}{\f1\fcharset134 SimSun;}}\f0\fs20 {\dbch\afs28\af1\loch ab\u20013?\u25991?cd}e})");
  ASSERT_EQ(Utf8(doc.text()), "ab中文cde");
  EXPECT_EQ(Utf8(doc.FormatAt(0).face), "Arial");
  EXPECT_EQ(doc.FormatAt(0).height, 200);
  EXPECT_EQ(Utf8(doc.FormatAt(2).face), "SimSun");
  EXPECT_EQ(doc.FormatAt(2).charset, GB2312_CHARSET);
  EXPECT_EQ(doc.FormatAt(3).height, 280);
  EXPECT_EQ(Utf8(doc.FormatAt(4).face), "Arial");
  EXPECT_EQ(doc.FormatAt(6).height, 200);  // the group closed
  // \af after another class of characters changes nothing here.
  const TextDocument other = Read(R"({\rtf1{\fonttbl{\f0 Arial;}{\f1 SimSun;}}\f0\hich\af1\afs40 \u20013?})");
  EXPECT_EQ(Utf8(other.FormatAt(0).face), "Arial");
}

}  // namespace
