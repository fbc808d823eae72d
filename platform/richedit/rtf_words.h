// The RTF control words the reader acts on, as one sorted table.
#pragma once

#include <algorithm>
#include <array>
#include <string_view>

namespace richedit::rtf {

enum class Word {
  Unknown,
  // Header and destinations
  Rtf, Ansi, Mac, Pc, Pca, AnsiCpg, Deff, Uc, FontTable, ColourTable, StyleSheet, Pict, SkipGroup, PassGroup,
  // Font and colour table entries
  FontNil, FontRoman, FontSwiss, FontModern, FontScript, FontDecor, FontTech, FontBidi, FontCharset, FontPitch,
  CodePage, Red, Green, Blue,
  // Character formatting
  Plain, Bold, Italic, Underline, UnderlineDouble, UnderlineDotted, UnderlineWord, UnderlineNone, Strike, Caps,
  SmallCaps, Hidden, Protect, Sub, Super, NoSuperSub, Up, Down, FontSize, Font, Colour, BackColour, Lang,
  ExpandTwips, Expand, CharStyle, BasedOn,
  // Paragraph formatting
  Pard, AlignLeft, AlignRight, AlignCentre, AlignJustify, LeftIndent, RightIndent, FirstIndent, SpaceBefore,
  SpaceAfter, LineSpacing, LineMultiple, TabPosition, TabBar, TabRight, TabCentre, TabDecimal, ParaStyle,
  // Characters and breaks
  Par, Line, Page, Sect, Tab, Cell, Row, EmDash, EnDash, Bullet, LeftQuote, RightQuote, LeftDoubleQuote,
  RightDoubleQuote, EmSpace, EnSpace, QuarterSpace, Unicode, Bin,
  // Pictures
  PngBlip, JpegBlip, DibBitmap, WBitmap, WMetafile, EmfBlip, MacPict, PicWidth, PicHeight, PicGoalWidth,
  PicGoalHeight, PicScaleX, PicScaleY,
  // Fonts of the character classes
  LowAnsi, HighAnsi, DoubleByte, RightToLeft, LeftToRight, AssociatedFont, AssociatedSize, AssociatedBold,
  AssociatedItalic,
};

struct WordEntry {
  std::string_view name;
  Word word;
};

// Sorted by name for the binary search below.
inline constexpr std::array kWords = std::to_array<WordEntry>({
    {"ab", Word::AssociatedBold},
    {"af", Word::AssociatedFont},
    {"afs", Word::AssociatedSize},
    {"aftncn", Word::SkipGroup},
    {"aftnsep", Word::SkipGroup},
    {"aftnsepc", Word::SkipGroup},
    {"ai", Word::AssociatedItalic},
    {"annotation", Word::SkipGroup},
    {"ansi", Word::Ansi},
    {"ansicpg", Word::AnsiCpg},
    {"atnid", Word::SkipGroup},
    {"author", Word::SkipGroup},
    {"b", Word::Bold},
    {"bin", Word::Bin},
    {"blue", Word::Blue},
    {"bullet", Word::Bullet},
    {"buptim", Word::SkipGroup},
    {"caps", Word::Caps},
    {"cb", Word::BackColour},
    {"cell", Word::Cell},
    {"cf", Word::Colour},
    {"chcbpat", Word::BackColour},
    {"colortbl", Word::ColourTable},
    {"comment", Word::SkipGroup},
    {"cpg", Word::CodePage},
    {"creatim", Word::SkipGroup},
    {"cs", Word::CharStyle},
    {"datastore", Word::SkipGroup},
    {"dbch", Word::DoubleByte},
    {"deff", Word::Deff},
    {"dibitmap", Word::DibBitmap},
    {"dn", Word::Down},
    {"doccomm", Word::SkipGroup},
    {"emdash", Word::EmDash},
    {"emfblip", Word::EmfBlip},
    {"emspace", Word::EmSpace},
    {"endash", Word::EnDash},
    {"enspace", Word::EnSpace},
    {"expnd", Word::Expand},
    {"expndtw", Word::ExpandTwips},
    {"f", Word::Font},
    {"fbidi", Word::FontBidi},
    {"fcharset", Word::FontCharset},
    {"fdecor", Word::FontDecor},
    {"fi", Word::FirstIndent},
    {"field", Word::PassGroup},
    {"fldinst", Word::SkipGroup},
    {"fldrslt", Word::PassGroup},
    {"fmodern", Word::FontModern},
    {"fnil", Word::FontNil},
    {"fonttbl", Word::FontTable},
    {"footer", Word::SkipGroup},
    {"footerf", Word::SkipGroup},
    {"footerl", Word::SkipGroup},
    {"footerr", Word::SkipGroup},
    {"footnote", Word::SkipGroup},
    {"fprq", Word::FontPitch},
    {"froman", Word::FontRoman},
    {"fs", Word::FontSize},
    {"fscript", Word::FontScript},
    {"fswiss", Word::FontSwiss},
    {"ftech", Word::FontTech},
    {"ftncn", Word::SkipGroup},
    {"ftnsep", Word::SkipGroup},
    {"ftnsepc", Word::SkipGroup},
    {"green", Word::Green},
    {"header", Word::SkipGroup},
    {"headerf", Word::SkipGroup},
    {"headerl", Word::SkipGroup},
    {"headerr", Word::SkipGroup},
    {"hich", Word::HighAnsi},
    {"highlight", Word::BackColour},
    {"i", Word::Italic},
    {"info", Word::SkipGroup},
    {"jpegblip", Word::JpegBlip},
    {"keywords", Word::SkipGroup},
    {"lang", Word::Lang},
    {"ldblquote", Word::LeftDoubleQuote},
    {"li", Word::LeftIndent},
    {"line", Word::Line},
    {"loch", Word::LowAnsi},
    {"lquote", Word::LeftQuote},
    {"ltrch", Word::LeftToRight},
    {"mac", Word::Mac},
    {"macpict", Word::MacPict},
    {"nestcell", Word::Cell},
    {"nestrow", Word::Row},
    {"nonshppict", Word::SkipGroup},
    {"nosupersub", Word::NoSuperSub},
    {"objdata", Word::SkipGroup},
    {"object", Word::PassGroup},
    {"operator", Word::SkipGroup},
    {"page", Word::Page},
    {"par", Word::Par},
    {"pard", Word::Pard},
    {"pc", Word::Pc},
    {"pca", Word::Pca},
    {"pich", Word::PicHeight},
    {"pichgoal", Word::PicGoalHeight},
    {"picscalex", Word::PicScaleX},
    {"picscaley", Word::PicScaleY},
    {"pict", Word::Pict},
    {"picw", Word::PicWidth},
    {"picwgoal", Word::PicGoalWidth},
    {"plain", Word::Plain},
    {"pngblip", Word::PngBlip},
    {"printim", Word::SkipGroup},
    {"private", Word::SkipGroup},
    {"protect", Word::Protect},
    {"qc", Word::AlignCentre},
    {"qd", Word::AlignJustify},
    {"qj", Word::AlignJustify},
    {"ql", Word::AlignLeft},
    {"qmspace", Word::QuarterSpace},
    {"qr", Word::AlignRight},
    {"rdblquote", Word::RightDoubleQuote},
    {"red", Word::Red},
    {"result", Word::PassGroup},
    {"revtim", Word::SkipGroup},
    {"ri", Word::RightIndent},
    {"row", Word::Row},
    {"rquote", Word::RightQuote},
    {"rtf", Word::Rtf},
    {"rtlch", Word::RightToLeft},
    {"s", Word::ParaStyle},
    {"sa", Word::SpaceAfter},
    {"sb", Word::SpaceBefore},
    {"sbasedon", Word::BasedOn},
    {"scaps", Word::SmallCaps},
    {"sect", Word::Sect},
    {"shpinst", Word::SkipGroup},
    {"shppict", Word::PassGroup},
    {"shprslt", Word::PassGroup},
    {"sl", Word::LineSpacing},
    {"slmult", Word::LineMultiple},
    {"strike", Word::Strike},
    {"striked", Word::Strike},
    {"stylesheet", Word::StyleSheet},
    {"sub", Word::Sub},
    {"subject", Word::SkipGroup},
    {"super", Word::Super},
    {"tab", Word::Tab},
    {"tb", Word::TabBar},
    {"title", Word::SkipGroup},
    {"tqc", Word::TabCentre},
    {"tqdec", Word::TabDecimal},
    {"tqr", Word::TabRight},
    {"tx", Word::TabPosition},
    {"u", Word::Unicode},
    {"uc", Word::Uc},
    {"ul", Word::Underline},
    {"uld", Word::UnderlineDotted},
    {"uldb", Word::UnderlineDouble},
    {"ulnone", Word::UnderlineNone},
    {"ulw", Word::UnderlineWord},
    {"up", Word::Up},
    {"v", Word::Hidden},
    {"wbitmap", Word::WBitmap},
    {"wmetafile", Word::WMetafile},
    {"xe", Word::SkipGroup},
});

constexpr bool WordsSorted() {
  for (size_t i = 1; i < kWords.size(); ++i) {
    if (!(kWords[i - 1].name < kWords[i].name)) return false;
  }
  return true;
}

static_assert(WordsSorted(), "the control-word table must be sorted by name");

inline Word FindWord(std::string_view name) {
  const auto it = std::lower_bound(kWords.begin(), kWords.end(), name,
                                   [](const WordEntry& e, std::string_view n) { return e.name < n; });
  return it != kWords.end() && it->name == name ? it->word : Word::Unknown;
}

}  // namespace richedit::rtf
