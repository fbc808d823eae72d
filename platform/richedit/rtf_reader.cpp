// Reading RTF: a bounded tokenizer over the bytes, a stack of group states,
// and destinations (body text, font, colour and style tables, pictures,
// groups skipped whole).

#include <algorithm>
#include <cstring>
#include <map>
#include <optional>

#include "platform/kernel/byte_reader.h"
#include "platform/nls/nls.h"
#include "platform/richedit/rtf.h"
#include "platform/richedit/rtf_styles.h"
#include "platform/richedit/rtf_words.h"

namespace richedit {
namespace {

using rtf::Word;

constexpr size_t kMaxWordLength = 32;
constexpr int kMaxDigits = 10;
constexpr LONG kDefaultRtfHeight = 240;  // 12 points, what \plain means
constexpr size_t kMaxNameBytes = 256;

enum class Dest { Text, FontTable, ColourTable, StyleSheet, Picture, Skip };

struct State {
  Dest dest = Dest::Text;
  rtf::RunState run;
  rtf::ParaState para;
  int paraStyle = 0;     // \s
  int charStyle = -1;    // \cs
  bool inEntry = false;  // inside one entry (a group) of the font table or the style sheet
  int uc = 1;
  int pendingTab = TAB_LEFT;
  LONG lineSpacing = 0;  // \sl as written, for \slmult
  bool lineMultiple = false;
  // \af, \afs, \ab and \ai after \dbch apply to double-byte text.
  bool doubleByteSelected = false;
};

bool IsDoubleByteScript(char16_t c) {
  return (c >= 0x2E80 && c <= 0x9FFF) || (c >= 0xAC00 && c <= 0xD7AF) || (c >= 0xF900 && c <= 0xFAFF) ||
         (c >= 0xFF00 && c <= 0xFFEF);
}

struct FontEntry {
  std::u16string face;
  BYTE charset = DEFAULT_CHARSET;
  BYTE pitchAndFamily = 0;
  UINT codePage = 0;  // \cpg, else from the character set
};

bool IsLetter(uint8_t c) { return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z'); }
bool IsDigit(uint8_t c) { return c >= '0' && c <= '9'; }
int HexValue(uint8_t c) {
  if (c >= '0' && c <= '9') return c - '0';
  if (c >= 'a' && c <= 'f') return c - 'a' + 10;
  if (c >= 'A' && c <= 'F') return c - 'A' + 10;
  return -1;
}

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

class Reader {
 public:
  Reader(std::span<const uint8_t> bytes, TextDocument& doc, const RtfLimits& limits, RtfReadReport& report)
      : in_(bytes), doc_(doc), limits_(limits), report_(report) {}

  void Run();

 private:
  // Tokens
  void ControlWord();
  void ControlSymbol(uint8_t c);
  void OpenGroup();
  void CloseGroup();
  void TextByte(uint8_t c);

  // Text
  void Flush();
  void Emit(std::u16string_view text);
  void EmitChar(char16_t c) { Emit(std::u16string_view(&c, 1)); }
  UINT TextCodePage() const;
  bool Skipping() {
    if (skip_ == 0) return false;
    --skip_;
    return true;
  }

  // Words
  void Act(Word word, std::string_view name, bool hasParam, LONG param);
  void Destination(Word word);
  void Character(Word word, bool hasParam, LONG param);
  void Paragraph(Word word, bool hasParam, LONG param);
  void PictureWord(Word word, LONG param);
  void EndParagraph();
  void ApplyFont(rtf::RunState& run, int number) const;
  // The format of text after \plain: the default font at 12 points.
  rtf::RunState DefaultRun() const;
  // What text in a group's state looks like, its styles applied.
  rtf::RunState Effective(const State& state) const;
  ParaFormat EffectivePara(const State& state) const;
  void Set(uint32_t props) { st_.run.set |= props; }

  // Tables
  void EndTableEntry();
  void CommitFont();
  void CommitStyle(const State& entry);
  void EndPicture();

  ByteReader in_;
  TextDocument& doc_;
  const RtfLimits& limits_;
  RtfReadReport& report_;

  std::vector<State> stack_;
  State st_;
  size_t overflow_ = 0;  // groups open past the depth limit
  bool star_ = false;    // \* seen: an unknown destination is skipped
  int skip_ = 0;         // fallback characters still to skip after \u

  UINT ansiCodePage_ = 1252;
  int defaultFont_ = 0;
  std::map<int, FontEntry> fonts_;
  std::vector<std::optional<COLORREF>> colours_;
  rtf::StyleSheet styles_;

  std::string pending_;  // text bytes not yet decoded
  UINT pendingCp_ = 0;

  // The table entry being read.
  int entryNumber_ = 0;
  bool entryCharacter_ = false;  // \cs: a character style
  std::optional<int> entryBasedOn_;
  FontEntry entryFont_;
  std::u16string entryName_;
  int red_ = -1, green_ = -1, blue_ = -1;

  // The picture being read.
  Picture picture_;
  int nibble_ = -1;
  bool pictureOpen_ = false;
  std::optional<ParaFormat> finalPf_;
};

void Reader::Run() {
  st_.run = DefaultRun();
  while (!in_.AtEnd()) {
    const uint8_t c = in_.U8();
    if (c == '{') {
      OpenGroup();
    } else if (c == '}') {
      CloseGroup();
    } else if (overflow_ > 0) {
      // Inside groups past the depth limit: only braces count.
      if (c == '\\' && !in_.AtEnd()) in_.U8();
    } else if (c == '\\') {
      if (in_.AtEnd()) break;
      const uint8_t next = in_.data()[in_.position()];
      if (IsLetter(next)) {
        ControlWord();
      } else {
        in_.U8();
        ControlSymbol(next);
      }
    } else if (c == '\r' || c == '\n' || c == 0) {
      // Line ends in RTF are not text.
    } else {
      TextByte(c);
    }
  }
  Flush();
  if (!stack_.empty() || overflow_ > 0) report_.unbalanced = true;
  EndPicture();
  if (doc_.size() == 0) doc_.SetDefaultFormat(Effective(st_).cf);
  // The last paragraph has the format in force where the document's group closed.
  doc_.SetLastParagraph(finalPf_ ? *finalPf_ : EffectivePara(st_));
  // The last \par ends the last paragraph; it does not start another.
  const size_t n = doc_.size();
  if (n > 0 && doc_.text()[n - 1] == kParagraphMark) doc_.Replace(n - 1, n, u"", doc_.FormatAt(n - 1));
}

void Reader::OpenGroup() {
  Flush();
  skip_ = 0;
  if (overflow_ > 0 || static_cast<int>(stack_.size()) >= limits_.maxDepth) {
    if (overflow_++ == 0) ++report_.skippedDeepGroups;
    return;
  }
  stack_.push_back(st_);
  star_ = false;
  if ((st_.dest == Dest::FontTable || st_.dest == Dest::StyleSheet) && !st_.inEntry) {
    // A group inside a table is one entry; groups inside an entry (\falt,
    // \panose and the like) are part of it.
    st_.inEntry = true;
    entryNumber_ = 0;
    entryCharacter_ = false;
    entryBasedOn_.reset();
    entryFont_ = FontEntry{};
    entryName_.clear();
    if (st_.dest == Dest::StyleSheet) {
      // A style starts from the document's defaults; only what its entry
      // says is its own.
      st_.run = DefaultRun();
      st_.run.set = 0;
      st_.para = rtf::ParaState{};
      st_.lineSpacing = 0;
      st_.lineMultiple = false;
    }
  }
}

void Reader::CloseGroup() {
  Flush();
  skip_ = 0;
  if (overflow_ > 0) {
    --overflow_;
    return;
  }
  if (stack_.empty()) {
    report_.unbalanced = true;
    return;
  }
  const State inner = st_;
  st_ = stack_.back();
  stack_.pop_back();
  star_ = false;
  if (stack_.empty() && !finalPf_) finalPf_ = EffectivePara(inner);
  if (inner.dest == Dest::Picture && st_.dest != Dest::Picture) EndPicture();
  // An entry without its ';' ends with its group.
  const bool entryEnds = inner.inEntry && !st_.inEntry && !entryName_.empty();
  if (entryEnds && st_.dest == Dest::FontTable) CommitFont();
  if (entryEnds && st_.dest == Dest::StyleSheet) CommitStyle(inner);
}

void Reader::ControlWord() {
  char name[kMaxWordLength + 1];
  size_t length = 0;
  while (!in_.AtEnd() && IsLetter(in_.data()[in_.position()])) {
    const uint8_t c = in_.U8();
    if (length < kMaxWordLength) name[length++] = static_cast<char>(c);
    else if (length == kMaxWordLength) ++report_.longWords, ++length;
  }
  const bool tooLong = length > kMaxWordLength;
  length = std::min(length, kMaxWordLength);
  bool hasParam = false;
  bool negative = false;
  int64_t value = 0;
  if (!in_.AtEnd() && in_.data()[in_.position()] == '-') {
    negative = true;
    in_.U8();
  }
  int digits = 0;
  while (!in_.AtEnd() && IsDigit(in_.data()[in_.position()])) {
    const uint8_t c = in_.U8();
    hasParam = true;
    // Digits past ten are read and dropped; the value saturates.
    if (digits++ < kMaxDigits) value = value * 10 + (c - '0');
  }
  if (!in_.AtEnd() && in_.data()[in_.position()] == ' ') in_.U8();
  value = std::clamp<int64_t>(negative ? -value : value, INT32_MIN, INT32_MAX);
  const std::string_view word(name, length);
  Act(tooLong ? Word::Unknown : rtf::FindWord(word), word, hasParam, static_cast<LONG>(value));
}

void Reader::ControlSymbol(uint8_t c) {
  switch (c) {
    case '\'': {
      const int hi = in_.AtEnd() ? -1 : HexValue(in_.data()[in_.position()]);
      if (hi < 0) return;  // a truncated escape reads as nothing
      in_.U8();
      const int lo = in_.AtEnd() ? -1 : HexValue(in_.data()[in_.position()]);
      if (lo < 0) return;
      in_.U8();
      if (st_.dest == Dest::Picture) return;
      if (Skipping()) return;
      const UINT cp = TextCodePage();
      if (!pending_.empty() && pendingCp_ != cp) Flush();
      pendingCp_ = cp;
      pending_.push_back(static_cast<char>(hi * 16 + lo));
      if (st_.dest == Dest::Text && pending_.size() > 4096) Flush();
      return;
    }
    case '*':
      star_ = true;
      return;
    case '\\':
    case '{':
    case '}':
      TextByte(c);
      return;
    case '\r':
    case '\n':
      Act(Word::Par, "par", false, 0);
      return;
    case '~':
      Flush();
      if (!Skipping()) EmitChar(u'\u00A0');
      return;
    case '-':
      Flush();
      if (!Skipping()) EmitChar(u'\u00AD');
      return;
    case '_':
      Flush();
      if (!Skipping()) EmitChar(u'\u2011');
      return;
    default:
      // \| \: and other symbols: nothing here, but they count as a skipped character.
      Flush();
      Skipping();
      return;
  }
}

void Reader::TextByte(uint8_t c) {
  switch (st_.dest) {
    case Dest::Skip:
      return;
    case Dest::Picture: {
      const int v = HexValue(c);
      if (v < 0) return;
      if (nibble_ < 0) {
        nibble_ = v;
        return;
      }
      if (picture_.data.size() < limits_.maxPictureBytes) {
        picture_.data.push_back(static_cast<uint8_t>(nibble_ * 16 + v));
      } else if (!picture_.truncated) {
        picture_.truncated = true;
      }
      nibble_ = -1;
      return;
    }
    case Dest::FontTable:
    case Dest::ColourTable:
    case Dest::StyleSheet:
      if (c == ';') {
        Flush();
        EndTableEntry();
        return;
      }
      break;
    case Dest::Text:
      break;
  }
  if (Skipping()) return;
  const UINT cp = TextCodePage();
  if (!pending_.empty() && pendingCp_ != cp) Flush();
  pendingCp_ = cp;
  pending_.push_back(static_cast<char>(c));
  if (st_.dest == Dest::Text && pending_.size() > 4096 && !IsDBCSLeadByteEx(cp, static_cast<BYTE>(c))) Flush();
}

UINT Reader::TextCodePage() const {
  if (st_.dest == Dest::FontTable) {
    if (entryFont_.codePage) return entryFont_.codePage;
    const UINT cp = CharsetCodePage(entryFont_.charset);
    return cp ? cp : ansiCodePage_;
  }
  if (st_.run.font >= 0) {
    const auto it = fonts_.find(st_.run.font);
    if (it != fonts_.end()) {
      if (it->second.codePage) return it->second.codePage;
      const UINT cp = CharsetCodePage(it->second.charset);
      if (cp) return cp;
    }
  }
  return ansiCodePage_;
}

void Reader::Flush() {
  if (pending_.empty()) return;
  const std::string bytes = std::move(pending_);
  pending_.clear();
  UINT cp = IsValidCodePage(pendingCp_) ? pendingCp_ : 1252;
  const int n = MultiByteToWideChar(cp, 0, bytes.data(), static_cast<int>(bytes.size()), nullptr, 0);
  if (n <= 0) return;
  std::u16string wide(static_cast<size_t>(n), u'\0');
  MultiByteToWideChar(cp, 0, bytes.data(), static_cast<int>(bytes.size()), wide.data(), n);
  Emit(wide);
}

void Reader::Emit(std::u16string_view text) {
  switch (st_.dest) {
    case Dest::Text: {
      const rtf::RunState run = Effective(st_);
      const bool split = run.asianFont >= 0 || run.asianHeight > 0 || run.asianBold || run.asianItalic;
      CharFormat asian = run.cf;
      if (split) {
        if (const auto it = fonts_.find(run.asianFont); it != fonts_.end() && !it->second.face.empty()) {
          asian.face = it->second.face.substr(0, LF_FACESIZE_RICHEDIT - 1);
          asian.charset = it->second.charset;
          asian.pitchAndFamily = it->second.pitchAndFamily;
        }
        if (run.asianHeight > 0) asian.height = run.asianHeight;
        if (run.asianBold) SetEffect(asian, CFE_BOLD, *run.asianBold);
        if (run.asianItalic) SetEffect(asian, CFE_ITALIC, *run.asianItalic);
      }
      for (size_t at = 0; at < text.size();) {
        // A paragraph mark in text would bypass \par's paragraph format.
        size_t end = at;
        const bool wide = split && IsDoubleByteScript(text[at]);
        while (end < text.size() && text[end] != kParagraphMark && (!split || IsDoubleByteScript(text[end]) == wide)) {
          ++end;
        }
        doc_.Append(text.substr(at, end - at), wide ? asian : run.cf);
        at = end + (end < text.size() && text[end] == kParagraphMark ? 1 : 0);
      }
      return;
    }
    case Dest::FontTable:
    case Dest::StyleSheet:
      if (entryName_.size() + text.size() <= kMaxNameBytes) entryName_.append(text);
      return;
    default:
      return;
  }
}

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

void Reader::ApplyFont(rtf::RunState& run, int number) const {
  run.font = number;
  const auto it = fonts_.find(number);
  if (it == fonts_.end()) return;
  if (!it->second.face.empty()) run.cf.face = it->second.face.substr(0, LF_FACESIZE_RICHEDIT - 1);
  run.cf.charset = it->second.charset;
  run.cf.pitchAndFamily = it->second.pitchAndFamily;
}

rtf::RunState Reader::DefaultRun() const {
  rtf::RunState run;
  run.cf.height = kDefaultRtfHeight;
  if (fonts_.count(defaultFont_)) ApplyFont(run, defaultFont_);
  // The default font counts as given: text keeps it whatever font its
  // style names, unless the text names another.
  run.set = rtf::kFontProp;
  return run;
}

rtf::RunState Reader::Effective(const State& state) const {
  const rtf::Style* character = state.charStyle >= 0 ? styles_.Character(state.charStyle) : nullptr;
  rtf::RunState run = rtf::EffectiveRun(state.run, styles_.Paragraph(state.paraStyle), character);
  // \deff may come before the font table.
  if (run.font < 0 && fonts_.count(defaultFont_)) ApplyFont(run, defaultFont_);
  return run;
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
      if (asian) st_.run.asianFont = param, Set(rtf::kAsianFontProp);
      break;
    case Word::AssociatedSize:
      if (asian && param > 0) st_.run.asianHeight = std::clamp<LONG>(param, 2, 3276) * 10, Set(rtf::kAsianSizeProp);
      break;
    case Word::AssociatedBold:
      if (asian) st_.run.asianBold = on, Set(rtf::kAsianBoldProp);
      break;
    case Word::AssociatedItalic:
      if (asian) st_.run.asianItalic = on, Set(rtf::kAsianItalicProp);
      break;
    // Bold, italic and size are every character's: double-byte text follows.
    case Word::Bold:
      SetEffect(cf, CFE_BOLD, on);
      st_.run.asianBold.reset();
      Set(rtf::kBoldProp | rtf::kAsianBoldProp);
      break;
    case Word::Italic:
      SetEffect(cf, CFE_ITALIC, on);
      st_.run.asianItalic.reset();
      Set(rtf::kItalicProp | rtf::kAsianItalicProp);
      break;
    case Word::FontSize:
      if (param > 0) {
        cf.height = std::clamp<LONG>(param, 2, 3276) * 10;
        st_.run.asianHeight = 0;
        Set(rtf::kSizeProp | rtf::kAsianSizeProp);
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
      Set(rtf::kUnderlineProp);
      break;
    case Word::UnderlineNone:
      SetEffect(cf, CFE_UNDERLINE, false);
      cf.underlineType = CFU_UNDERLINENONE;
      Set(rtf::kUnderlineProp);
      break;
    case Word::Strike:
      SetEffect(cf, CFE_STRIKEOUT, on);
      Set(rtf::kStrikeProp);
      break;
    case Word::Caps:
      SetEffect(cf, CFE_ALLCAPS, on);
      Set(rtf::kCapsProp);
      break;
    case Word::SmallCaps:
      SetEffect(cf, CFE_SMALLCAPS, on);
      Set(rtf::kSmallCapsProp);
      break;
    case Word::Hidden:
      SetEffect(cf, CFE_HIDDEN, on);
      Set(rtf::kHiddenProp);
      break;
    case Word::Protect:
      SetEffect(cf, CFE_PROTECTED, on);
      Set(rtf::kProtectProp);
      break;
    case Word::Sub:
      cf.effects = (cf.effects & ~CFE_SUPERSCRIPT) | CFE_SUBSCRIPT;
      Set(rtf::kSuperSubProp);
      break;
    case Word::Super:
      cf.effects = (cf.effects & ~CFE_SUBSCRIPT) | CFE_SUPERSCRIPT;
      Set(rtf::kSuperSubProp);
      break;
    case Word::NoSuperSub:
      cf.effects &= ~(CFE_SUBSCRIPT | CFE_SUPERSCRIPT);
      Set(rtf::kSuperSubProp);
      break;
    case Word::Up:
      cf.offset = std::clamp<LONG>(hasParam ? param : 6, 0, 3276) * 10;
      Set(rtf::kOffsetProp);
      break;
    case Word::Down:
      cf.offset = -std::clamp<LONG>(hasParam ? param : 6, 0, 3276) * 10;
      Set(rtf::kOffsetProp);
      break;
    case Word::Font:
      if (st_.dest == Dest::FontTable) {
        entryNumber_ = param;
      } else {
        ApplyFont(st_.run, param);
        Set(rtf::kFontProp);
      }
      break;
    case Word::Colour:
    case Word::BackColour: {
      const bool known = param > 0 && static_cast<size_t>(param) < colours_.size() && colours_[param];
      const COLORREF colour = known ? *colours_[param] : 0;
      if (word == Word::Colour) {
        cf.colour = colour;
        SetEffect(cf, CFE_AUTOCOLOR, !known);
        Set(rtf::kColourProp);
      } else {
        cf.backColour = colour;
        SetEffect(cf, CFE_AUTOBACKCOLOR, !known);
        Set(rtf::kBackColourProp);
      }
      break;
    }
    case Word::Lang:
      cf.lcid = static_cast<LCID>(std::clamp<LONG>(param, 0, 0xFFFF));
      Set(rtf::kLangProp);
      break;
    case Word::ExpandTwips:
      cf.spacing = static_cast<SHORT>(std::clamp<LONG>(param, -1440, 1440));
      Set(rtf::kSpacingProp);
      break;
    case Word::Expand:
      cf.spacing = static_cast<SHORT>(std::clamp<LONG>(param, -288, 288) * 5);
      Set(rtf::kSpacingProp);
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
      st_.para = rtf::ParaState{};
      st_.paraStyle = 0;
      st_.lineSpacing = 0;
      st_.lineMultiple = false;
      st_.pendingTab = TAB_LEFT;
      break;
    case Word::AlignLeft: pf.alignment = PFA_LEFT, set |= rtf::kAlignProp; break;
    case Word::AlignRight: pf.alignment = PFA_RIGHT, set |= rtf::kAlignProp; break;
    case Word::AlignCentre: pf.alignment = PFA_CENTER, set |= rtf::kAlignProp; break;
    case Word::AlignJustify: pf.alignment = PFA_JUSTIFY, set |= rtf::kAlignProp; break;
    case Word::LeftIndent: {
      // \li is every line's indent, \fi the first line's from it.
      const LONG first = -pf.offset;
      pf.startIndent = twips + first;
      set |= rtf::kIndentProp;
      break;
    }
    case Word::FirstIndent: {
      const LONG left = pf.startIndent + pf.offset;
      pf.startIndent = left + twips;
      pf.offset = -twips;
      set |= rtf::kIndentProp;
      break;
    }
    case Word::RightIndent: pf.rightIndent = twips, set |= rtf::kRightIndentProp; break;
    case Word::SpaceBefore: pf.spaceBefore = std::max<LONG>(0, twips), set |= rtf::kSpaceBeforeProp; break;
    case Word::SpaceAfter: pf.spaceAfter = std::max<LONG>(0, twips), set |= rtf::kSpaceAfterProp; break;
    case Word::LineSpacing:
      st_.lineSpacing = hasParam ? std::clamp<LONG>(param, -32767, 32767) : 0;
      SetLineSpacing(pf, st_.lineSpacing, st_.lineMultiple);
      set |= rtf::kLineSpacingProp;
      break;
    case Word::LineMultiple:
      st_.lineMultiple = !hasParam || param != 0;
      SetLineSpacing(pf, st_.lineSpacing, st_.lineMultiple);
      set |= rtf::kLineSpacingProp;
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
        set |= rtf::kTabsProp;
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
  const CharFormat mark = Effective(st_).cf;
  doc_.EndParagraph(EffectivePara(st_), &mark);
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

void Reader::EndPicture() {
  if (!pictureOpen_) return;
  pictureOpen_ = false;
  if (picture_.truncated) {
    ++report_.truncatedPictures;
    picture_.data.clear();
  }
  doc_.AppendPicture(std::make_shared<Picture>(std::move(picture_)), Effective(st_).cf);
  picture_ = Picture{};
}

void Reader::EndTableEntry() {
  switch (st_.dest) {
    case Dest::FontTable:
      CommitFont();
      break;
    case Dest::ColourTable:
      if (colours_.size() < limits_.maxTableEntries) {
        if (red_ < 0 && green_ < 0 && blue_ < 0) colours_.push_back(std::nullopt);
        else colours_.push_back(RGB(std::max(red_, 0), std::max(green_, 0), std::max(blue_, 0)));
      }
      red_ = green_ = blue_ = -1;
      break;
    case Dest::StyleSheet:
      CommitStyle(st_);
      break;
    default:
      break;
  }
}

void Reader::CommitFont() {
  if (fonts_.size() < limits_.maxTableEntries || fonts_.count(entryNumber_)) {
    // Names keep what a face name can hold; blanks around them are not part of them.
    std::u16string face = entryName_;
    while (!face.empty() && face.back() == u' ') face.pop_back();
    while (!face.empty() && face.front() == u' ') face.erase(face.begin());
    entryFont_.face = face;
    fonts_[entryNumber_] = entryFont_;
  }
  entryFont_ = FontEntry{};
  entryName_.clear();
}

void Reader::CommitStyle(const State& entry) {
  if (styles_.size() < limits_.maxTableEntries || styles_.Has(entryCharacter_, entryNumber_)) {
    styles_.Add(entryCharacter_, entryNumber_, entryBasedOn_, entry.run, entry.para, DefaultRun());
  }
  entryName_.clear();
  entryNumber_ = 0;
  entryCharacter_ = false;
  entryBasedOn_.reset();
}

}  // namespace

// Where "{\rtf" starts after leading blanks; the size when it does not.
size_t RtfStart(std::span<const uint8_t> bytes) {
  size_t at = 0;
  while (at < bytes.size() && (bytes[at] == ' ' || bytes[at] == '\r' || bytes[at] == '\n' || bytes[at] == '\t')) ++at;
  static constexpr char kStart[] = "{\\rtf";
  return bytes.size() - at >= 5 && std::memcmp(bytes.data() + at, kStart, 5) == 0 ? at : bytes.size();
}

bool LooksLikeRtf(std::span<const uint8_t> bytes) { return RtfStart(bytes) < bytes.size(); }

bool ReadRtf(std::span<const uint8_t> bytes, TextDocument& doc, const RtfLimits& limits, RtfReadReport* report) {
  const size_t start = RtfStart(bytes);
  if (start >= bytes.size()) return false;
  RtfReadReport local;
  doc.Clear();
  Reader reader(bytes.subspan(start), doc, limits, report ? *report : local);
  reader.Run();
  return true;
}

}  // namespace richedit
