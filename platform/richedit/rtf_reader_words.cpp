// Reading RTF: what each control word does to the group's state, the
// tables and the document.

#include <algorithm>
#include <array>

#include "platform/nls/nls.h"
#include "platform/richedit/rtf_reader_core.h"

namespace richedit::rtf {
namespace {

// \sl and \slmult to a paragraph's line-spacing rule.
void SetLineSpacing(ParaFormat& pf, LONG sl, bool multiple) {
  if (sl == 0) {
    pf.lineSpacingRule = LINESPACING_SINGLE;
    pf.lineSpacing = 0;
  } else if (multiple) {
    const LONG lines20 = std::abs(sl) / 12;  // sl/240 lines, in twentieths
    pf.lineSpacingRule = lines20 == 20 ? LINESPACING_SINGLE
                         : lines20 == 30 ? LINESPACING_ONEANDHALF
                         : lines20 == 40 ? LINESPACING_DOUBLE
                                         : LINESPACING_MULTIPLE;
    pf.lineSpacing = pf.lineSpacingRule == LINESPACING_MULTIPLE ? lines20 : 0;
  } else {
    pf.lineSpacingRule = sl > 0 ? LINESPACING_ATLEAST : LINESPACING_EXACTLY;
    pf.lineSpacing = std::abs(sl);
  }
}

// Words that switch one effect on (no parameter or not 0) or off (0).
struct Toggle {
  Word word;
  DWORD effect;
  uint32_t prop;
};
constexpr std::array kToggles = std::to_array<Toggle>({
    {Word::Strike, CFE_STRIKEOUT, kStrikeProp},
    {Word::Caps, CFE_ALLCAPS, kCapsProp},
    {Word::SmallCaps, CFE_SMALLCAPS, kSmallCapsProp},
    {Word::Hidden, CFE_HIDDEN, kHiddenProp},
    {Word::Protect, CFE_PROTECTED, kProtectProp},
});
static_assert(kToggles.size() == 5, "one row for each case of Character() that switches an effect");

}  // namespace

void Reader::Act(Word word, std::string_view, bool hasParam, LONG param) {
  const bool star = star_;
  star_ = false;
  if (word == Word::Unknown) {
    if (star) {
      Flush();
      st_.dest = Dest::Skip;
    } else if (skip_ > 0) {
      --skip_;
    }
    return;
  }
  if (word == Word::Bin) {
    // Binary data: the picture's bytes, or skipped.
    Flush();
    const size_t count = hasParam && param > 0 ? std::min<size_t>(param, in_.remaining()) : 0;
    const auto bytes = in_.Bytes(count);
    if (st_.dest == Dest::Picture) {
      const size_t room = limits_.maxPictureBytes - std::min(limits_.maxPictureBytes, picture_.data.size());
      picture_.data.insert(picture_.data.end(), bytes.begin(), bytes.begin() + std::min(room, bytes.size()));
      if (room < bytes.size()) picture_.truncated = true;
    }
    return;
  }
  if (st_.dest == Dest::Skip) return;
  if (word == Word::Unicode) {
    Flush();
    if (skip_ > 0) {
      --skip_;
      return;
    }
    const auto unit = static_cast<char16_t>(static_cast<uint16_t>(param));
    if (st_.dest != Dest::Picture) EmitChar(unit);
    skip_ = st_.uc;
    return;
  }
  Flush();
  if (skip_ > 0) {
    // A control word in the fallback of \u counts as one skipped character.
    --skip_;
    return;
  }
  formats_.reset();
  Destination(word);
  Character(word, hasParam, param);
  Paragraph(word, hasParam, param);
  PictureWord(word, param);
}

void Reader::Destination(Word word) {
  switch (word) {
    case Word::Rtf:
      break;
    case Word::Ansi:
      ansiCodePage_ = 1252;
      break;
    case Word::Mac:
      ansiCodePage_ = 10000;
      break;
    case Word::Pc:
      ansiCodePage_ = 437;
      break;
    case Word::Pca:
      ansiCodePage_ = 850;
      break;
    case Word::FontTable:
      st_.dest = Dest::FontTable;
      entryFont_ = FontEntry{};
      entryName_.clear();
      break;
    case Word::ColourTable:
      st_.dest = Dest::ColourTable;
      red_ = green_ = blue_ = -1;
      break;
    case Word::StyleSheet:
      st_.dest = Dest::StyleSheet;
      entryName_.clear();
      break;
    case Word::Pict:
      if (st_.dest != Dest::Text) {
        st_.dest = Dest::Skip;
        break;
      }
      st_.dest = Dest::Picture;
      picture_ = Picture{};
      nibble_ = -1;
      pictureOpen_ = true;
      break;
    case Word::SkipGroup:
      st_.dest = Dest::Skip;
      break;
    default:
      break;
  }
}

void Reader::ApplyFont(RunState& run, int number) const {
  run.font = number;
  const auto it = fonts_.find(number);
  if (it == fonts_.end()) return;
  if (!it->second.face.empty()) run.cf.face = it->second.face.substr(0, LF_FACESIZE_RICHEDIT - 1);
  run.cf.charset = it->second.charset;
  run.cf.pitchAndFamily = it->second.pitchAndFamily;
}

RunState Reader::DefaultRun() const {
  RunState run;
  run.cf.height = kDefaultRtfHeight;
  if (fonts_.count(defaultFont_)) ApplyFont(run, defaultFont_);
  // The default font counts as given: text keeps it whatever font its
  // style names, unless the text names another.
  run.set = kFontProp;
  return run;
}

RunState Reader::Effective(const State& state) const {
  const Style* character = state.charStyle >= 0 ? styles_.Character(state.charStyle) : nullptr;
  RunState run = EffectiveRun(state.run, styles_.Paragraph(state.paraStyle), character);
  // \deff may come before the font table.
  if (run.font < 0 && fonts_.count(defaultFont_)) ApplyFont(run, defaultFont_);
  return run;
}

const Reader::TextFormats& Reader::CurrentFormats() {
  if (formats_) return *formats_;
  const RunState run = Effective(st_);
  TextFormats& f = formats_.emplace(TextFormats{run.cf, run.cf, false});
  f.split = run.asianFont >= 0 || run.asianHeight > 0 || run.asianBold || run.asianItalic;
  if (const auto it = fonts_.find(run.asianFont); it != fonts_.end() && !it->second.face.empty()) {
    f.asian.face = it->second.face.substr(0, LF_FACESIZE_RICHEDIT - 1);
    f.asian.charset = it->second.charset;
    f.asian.pitchAndFamily = it->second.pitchAndFamily;
  }
  if (run.asianHeight > 0) f.asian.height = run.asianHeight;
  if (run.asianBold) SetEffect(f.asian, CFE_BOLD, *run.asianBold);
  if (run.asianItalic) SetEffect(f.asian, CFE_ITALIC, *run.asianItalic);
  return f;
}

ParaFormat Reader::EffectivePara(const State& state) const {
  return rtf::EffectivePara(state.para, styles_.Paragraph(state.paraStyle));
}

void Reader::Character(Word word, bool hasParam, LONG param) {
  CharFormat& cf = st_.run.cf;
  const bool on = !hasParam || param != 0;
  // \af, \afs, \ab and \ai after \dbch, in text and in styles.
  const bool asian = st_.doubleByteSelected && (st_.dest == Dest::Text || st_.dest == Dest::StyleSheet);
  switch (word) {
    case Word::AnsiCpg:
      if (param > 0 && IsValidCodePage(static_cast<UINT>(param))) ansiCodePage_ = static_cast<UINT>(param);
      break;
    case Word::Deff:
      defaultFont_ = param;
      break;
    case Word::Uc:
      st_.uc = std::clamp<LONG>(param, 0, 8);
      break;
    case Word::Plain:
      st_.run = DefaultRun();
      st_.charStyle = -1;
      break;
    case Word::DoubleByte:
      st_.doubleByteSelected = true;
      break;
    case Word::LowAnsi:
    case Word::HighAnsi:
    case Word::RightToLeft:
    case Word::LeftToRight:
      st_.doubleByteSelected = false;
      break;
    case Word::AssociatedFont:
      if (asian) st_.run.asianFont = param, Set(kAsianFontProp);
      break;
    case Word::AssociatedSize:
      if (asian && param > 0) st_.run.asianHeight = std::clamp<LONG>(param, 2, 3276) * 10, Set(kAsianSizeProp);
      break;
    case Word::AssociatedBold:
      if (asian) st_.run.asianBold = on, Set(kAsianBoldProp);
      break;
    case Word::AssociatedItalic:
      if (asian) st_.run.asianItalic = on, Set(kAsianItalicProp);
      break;
    // Bold, italic and size are every character's: double-byte text follows.
    case Word::Bold:
      SetEffect(cf, CFE_BOLD, on);
      st_.run.asianBold.reset();
      Set(kBoldProp | kAsianBoldProp);
      break;
    case Word::Italic:
      SetEffect(cf, CFE_ITALIC, on);
      st_.run.asianItalic.reset();
      Set(kItalicProp | kAsianItalicProp);
      break;
    case Word::FontSize:
      if (param > 0) {
        cf.height = std::clamp<LONG>(param, 2, 3276) * 10;
        st_.run.asianHeight = 0;
        Set(kSizeProp | kAsianSizeProp);
      }
      break;
    case Word::Underline:
    case Word::UnderlineDouble:
    case Word::UnderlineDotted:
    case Word::UnderlineWord:
      SetEffect(cf, CFE_UNDERLINE, on);
      cf.underlineType = !on                            ? CFU_UNDERLINENONE
                         : word == Word::UnderlineDouble ? CFU_UNDERLINEDOUBLE
                         : word == Word::UnderlineDotted ? CFU_UNDERLINEDOTTED
                         : word == Word::UnderlineWord   ? CFU_UNDERLINEWORD
                                                         : CFU_UNDERLINE;
      Set(kUnderlineProp);
      break;
    case Word::UnderlineNone:
      SetEffect(cf, CFE_UNDERLINE, false);
      cf.underlineType = CFU_UNDERLINENONE;
      Set(kUnderlineProp);
      break;
    case Word::Strike:
    case Word::Caps:
    case Word::SmallCaps:
    case Word::Hidden:
    case Word::Protect: {
      const auto* toggle = std::find_if(kToggles.begin(), kToggles.end(), [&](const Toggle& t) { return t.word == word; });
      SetEffect(cf, toggle->effect, on);
      Set(toggle->prop);
      break;
    }
    case Word::Sub:
      cf.effects = (cf.effects & ~CFE_SUPERSCRIPT) | CFE_SUBSCRIPT;
      Set(kSuperSubProp);
      break;
    case Word::Super:
      cf.effects = (cf.effects & ~CFE_SUBSCRIPT) | CFE_SUPERSCRIPT;
      Set(kSuperSubProp);
      break;
    case Word::NoSuperSub:
      cf.effects &= ~(CFE_SUBSCRIPT | CFE_SUPERSCRIPT);
      Set(kSuperSubProp);
      break;
    case Word::Up:
      cf.offset = std::clamp<LONG>(hasParam ? param : 6, 0, 3276) * 10;
      Set(kOffsetProp);
      break;
    case Word::Down:
      cf.offset = -std::clamp<LONG>(hasParam ? param : 6, 0, 3276) * 10;
      Set(kOffsetProp);
      break;
    case Word::Font:
      if (st_.dest == Dest::FontTable) {
        entryNumber_ = param;
      } else {
        ApplyFont(st_.run, param);
        Set(kFontProp);
      }
      break;
    case Word::Colour:
    case Word::BackColour: {
      const bool known = param > 0 && static_cast<size_t>(param) < colours_.size() && colours_[param];
      const COLORREF colour = known ? *colours_[param] : 0;
      if (word == Word::Colour) {
        cf.colour = colour;
        SetEffect(cf, CFE_AUTOCOLOR, !known);
        Set(kColourProp);
      } else {
        cf.backColour = colour;
        SetEffect(cf, CFE_AUTOBACKCOLOR, !known);
        Set(kBackColourProp);
      }
      break;
    }
    case Word::Lang:
      cf.lcid = static_cast<LCID>(std::clamp<LONG>(param, 0, 0xFFFF));
      Set(kLangProp);
      break;
    case Word::ExpandTwips:
      cf.spacing = static_cast<SHORT>(std::clamp<LONG>(param, -1440, 1440));
      Set(kSpacingProp);
      break;
    case Word::Expand:
      cf.spacing = static_cast<SHORT>(std::clamp<LONG>(param, -288, 288) * 5);
      Set(kSpacingProp);
      break;
    case Word::CharStyle:
      if (st_.dest == Dest::StyleSheet) {
        entryNumber_ = param;
        entryCharacter_ = true;
      } else {
        st_.charStyle = std::max<LONG>(param, 0);
      }
      break;
    case Word::BasedOn:
      if (st_.dest == Dest::StyleSheet) entryBasedOn_ = param;
      break;
    // Font table entries
    case Word::FontNil: entryFont_.pitchAndFamily = (entryFont_.pitchAndFamily & 0x0F) | FF_DONTCARE; break;
    case Word::FontRoman: entryFont_.pitchAndFamily = (entryFont_.pitchAndFamily & 0x0F) | FF_ROMAN; break;
    case Word::FontSwiss: entryFont_.pitchAndFamily = (entryFont_.pitchAndFamily & 0x0F) | FF_SWISS; break;
    case Word::FontModern: entryFont_.pitchAndFamily = (entryFont_.pitchAndFamily & 0x0F) | FF_MODERN; break;
    case Word::FontScript: entryFont_.pitchAndFamily = (entryFont_.pitchAndFamily & 0x0F) | FF_SCRIPT; break;
    case Word::FontDecor:
    case Word::FontTech: entryFont_.pitchAndFamily = (entryFont_.pitchAndFamily & 0x0F) | FF_DECORATIVE; break;
    case Word::FontPitch:
      entryFont_.pitchAndFamily = static_cast<BYTE>((entryFont_.pitchAndFamily & 0xF0) | std::clamp<LONG>(param, 0, 2));
      break;
    case Word::FontCharset:
      entryFont_.charset = static_cast<BYTE>(std::clamp<LONG>(param, 0, 255));
      break;
    case Word::CodePage:
      if (param > 0 && IsValidCodePage(static_cast<UINT>(param))) entryFont_.codePage = static_cast<UINT>(param);
      break;
    case Word::Red: red_ = std::clamp<LONG>(param, 0, 255); break;
    case Word::Green: green_ = std::clamp<LONG>(param, 0, 255); break;
    case Word::Blue: blue_ = std::clamp<LONG>(param, 0, 255); break;
    // Characters
    case Word::Line: EmitChar(kLineBreak); break;
    case Word::Tab:
    case Word::Cell: EmitChar(u'\t'); break;
    case Word::EmDash: EmitChar(u'\u2014'); break;
    case Word::EnDash: EmitChar(u'\u2013'); break;
    case Word::Bullet: EmitChar(u'\u2022'); break;
    case Word::LeftQuote: EmitChar(u'\u2018'); break;
    case Word::RightQuote: EmitChar(u'\u2019'); break;
    case Word::LeftDoubleQuote: EmitChar(u'\u201C'); break;
    case Word::RightDoubleQuote: EmitChar(u'\u201D'); break;
    case Word::EmSpace: EmitChar(u'\u2003'); break;
    case Word::EnSpace: EmitChar(u'\u2002'); break;
    case Word::QuarterSpace: EmitChar(u'\u2005'); break;
    default:
      break;
  }
}

void Reader::Paragraph(Word word, bool hasParam, LONG param) {
  ParaFormat& pf = st_.para.pf;
  uint32_t& set = st_.para.set;
  constexpr LONG kLimit = 0x00FFFFFF;
  const LONG twips = std::clamp<LONG>(param, -kLimit, kLimit);
  switch (word) {
    case Word::Pard:
      st_.para = ParaState{};
      st_.paraStyle = 0;
      st_.lineSpacing = 0;
      st_.lineMultiple = false;
      st_.pendingTab = TAB_LEFT;
      break;
    case Word::AlignLeft: pf.alignment = PFA_LEFT, set |= kAlignProp; break;
    case Word::AlignRight: pf.alignment = PFA_RIGHT, set |= kAlignProp; break;
    case Word::AlignCentre: pf.alignment = PFA_CENTER, set |= kAlignProp; break;
    case Word::AlignJustify: pf.alignment = PFA_JUSTIFY, set |= kAlignProp; break;
    case Word::LeftIndent: {
      // \li is every line's indent, \fi the first line's from it.
      const LONG first = -pf.offset;
      pf.startIndent = twips + first;
      set |= kIndentProp;
      break;
    }
    case Word::FirstIndent: {
      const LONG left = pf.startIndent + pf.offset;
      pf.startIndent = left + twips;
      pf.offset = -twips;
      set |= kIndentProp;
      break;
    }
    case Word::RightIndent: pf.rightIndent = twips, set |= kRightIndentProp; break;
    case Word::SpaceBefore: pf.spaceBefore = std::max<LONG>(0, twips), set |= kSpaceBeforeProp; break;
    case Word::SpaceAfter: pf.spaceAfter = std::max<LONG>(0, twips), set |= kSpaceAfterProp; break;
    case Word::LineSpacing:
      st_.lineSpacing = hasParam ? std::clamp<LONG>(param, -32767, 32767) : 0;
      SetLineSpacing(pf, st_.lineSpacing, st_.lineMultiple);
      set |= kLineSpacingProp;
      break;
    case Word::LineMultiple:
      st_.lineMultiple = !hasParam || param != 0;
      SetLineSpacing(pf, st_.lineSpacing, st_.lineMultiple);
      set |= kLineSpacingProp;
      break;
    case Word::TabRight: st_.pendingTab = TAB_RIGHT; break;
    case Word::TabCentre: st_.pendingTab = TAB_CENTER; break;
    case Word::TabDecimal: st_.pendingTab = TAB_DECIMAL; break;
    case Word::TabPosition:
    case Word::TabBar:
      if (pf.tabs.size() < MAX_TAB_STOPS && param >= 0) {
        const TabStop stop{std::min<LONG>(param, TAB_POSITION_MASK), word == Word::TabBar ? TAB_BAR : st_.pendingTab};
        const auto at = std::upper_bound(pf.tabs.begin(), pf.tabs.end(), stop.position,
                                         [](LONG p, const TabStop& t) { return p < t.position; });
        pf.tabs.insert(at, stop);
        set |= kTabsProp;
      }
      st_.pendingTab = TAB_LEFT;
      break;
    case Word::ParaStyle:
      if (st_.dest == Dest::StyleSheet) {
        entryNumber_ = param;
        entryCharacter_ = false;
      } else {
        st_.paraStyle = std::clamp<LONG>(param, 0, 32767);
        pf.style = static_cast<SHORT>(st_.paraStyle);
      }
      break;
    case Word::Par:
    case Word::Sect:
    case Word::Page:
    case Word::Row:
      if (st_.dest == Dest::Text) EndParagraph();
      break;
    default:
      break;
  }
}

void Reader::EndParagraph() {
  // The mark takes the current character format.
  doc_.EndParagraph(EffectivePara(st_), &CurrentFormats().western);
}

void Reader::PictureWord(Word word, LONG param) {
  if (st_.dest != Dest::Picture) return;
  switch (word) {
    case Word::PngBlip: picture_.kind = RichPictureKind::Png; break;
    case Word::JpegBlip: picture_.kind = RichPictureKind::Jpeg; break;
    case Word::DibBitmap: picture_.kind = RichPictureKind::Dib; break;
    case Word::EmfBlip: picture_.kind = RichPictureKind::Emf; break;
    case Word::WMetafile:
      picture_.kind = RichPictureKind::Wmf;
      picture_.metafileMapping = param;
      break;
    case Word::WBitmap:
    case Word::MacPict: picture_.kind = RichPictureKind::Other; break;
    case Word::PicWidth: picture_.width = std::clamp<LONG>(param, 0, 1 << 20); break;
    case Word::PicHeight: picture_.height = std::clamp<LONG>(param, 0, 1 << 20); break;
    case Word::PicGoalWidth: picture_.goalWidth = std::clamp<LONG>(param, 0, 1 << 20); break;
    case Word::PicGoalHeight: picture_.goalHeight = std::clamp<LONG>(param, 0, 1 << 20); break;
    case Word::PicScaleX: picture_.scaleX = std::clamp<LONG>(param, 1, 1000); break;
    case Word::PicScaleY: picture_.scaleY = std::clamp<LONG>(param, 1, 1000); break;
    default: break;
  }
}

}  // namespace richedit::rtf
