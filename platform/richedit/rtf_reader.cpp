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
  CharFormat cf;
  ParaFormat pf;
  int font = -1;
  int uc = 1;
  int pendingTab = TAB_LEFT;
  LONG lineSpacing = 0;  // \sl as written, for \slmult
  bool lineMultiple = false;
  // Double-byte text (ideographs, kana, Hangul) takes the font and size
  // \af and \afs give after \dbch, when given.
  bool doubleByteSelected = false;
  int dbFont = -1;
  LONG dbHeight = 0;
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

struct Style {
  CharFormat cf;
  ParaFormat pf;
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
  void ApplyFont(int number);
  void PlainFormat();

  // Tables
  void EndTableEntry();
  void CommitFont();
  void CommitStyle();
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
  std::map<int, Style> styles_;

  std::string pending_;  // text bytes not yet decoded
  UINT pendingCp_ = 0;

  // The table entry being read.
  int entryNumber_ = 0;
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
  st_.cf.height = kDefaultRtfHeight;
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
  if (doc_.size() == 0) doc_.SetDefaultFormat(st_.cf);
  // The last paragraph has the format in force where the document's group closed.
  doc_.SetLastParagraph(finalPf_ ? *finalPf_ : st_.pf);
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
  if (st_.dest == Dest::FontTable || st_.dest == Dest::StyleSheet) {
    // A group inside a table is one entry.
    entryNumber_ = 0;
    entryFont_ = FontEntry{};
    entryName_.clear();
    if (st_.dest == Dest::StyleSheet) {
      st_.cf = CharFormat{};
      st_.cf.height = kDefaultRtfHeight;
      st_.pf = ParaFormat{};
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
  if (stack_.empty() && !finalPf_) finalPf_ = inner.pf;
  if (inner.dest == Dest::Picture && st_.dest != Dest::Picture) EndPicture();
  if (inner.dest == Dest::FontTable && st_.dest == Dest::FontTable && !entryName_.empty()) CommitFont();
  if (inner.dest == Dest::StyleSheet && st_.dest == Dest::StyleSheet && !entryName_.empty()) CommitStyle();
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
  if (st_.font >= 0) {
    const auto it = fonts_.find(st_.font);
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
      if (st_.font < 0 && fonts_.count(defaultFont_)) ApplyFont(defaultFont_);
      const bool split = st_.dbFont >= 0 || st_.dbHeight > 0;
      CharFormat db = st_.cf;
      if (split) {
        if (const auto it = fonts_.find(st_.dbFont); it != fonts_.end() && !it->second.face.empty()) {
          db.face = it->second.face.substr(0, LF_FACESIZE_RICHEDIT - 1);
          db.charset = it->second.charset;
          db.pitchAndFamily = it->second.pitchAndFamily;
        }
        if (st_.dbHeight > 0) db.height = st_.dbHeight;
      }
      for (size_t at = 0; at < text.size();) {
        // A paragraph mark in text would bypass \par's paragraph format.
        size_t end = at;
        const bool wide = split && IsDoubleByteScript(text[at]);
        while (end < text.size() && text[end] != kParagraphMark && (!split || IsDoubleByteScript(text[end]) == wide)) {
          ++end;
        }
        doc_.Append(text.substr(at, end - at), wide ? db : st_.cf);
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

void Reader::ApplyFont(int number) {
  st_.font = number;
  const auto it = fonts_.find(number);
  if (it == fonts_.end()) return;
  if (!it->second.face.empty()) st_.cf.face = it->second.face.substr(0, LF_FACESIZE_RICHEDIT - 1);
  st_.cf.charset = it->second.charset;
  st_.cf.pitchAndFamily = it->second.pitchAndFamily;
}

void Reader::PlainFormat() {
  st_.dbFont = -1;
  st_.dbHeight = 0;
  st_.cf = CharFormat{};
  st_.cf.height = kDefaultRtfHeight;
  st_.font = -1;
  if (fonts_.count(defaultFont_)) ApplyFont(defaultFont_);
}

void Reader::Character(Word word, bool hasParam, LONG param) {
  CharFormat& cf = st_.cf;
  const bool on = !hasParam || param != 0;
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
      PlainFormat();
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
      if (st_.doubleByteSelected && st_.dest == Dest::Text) st_.dbFont = param;
      break;
    case Word::AssociatedSize:
      if (st_.doubleByteSelected && st_.dest == Dest::Text && param > 0) {
        st_.dbHeight = std::clamp<LONG>(param, 2, 3276) * 10;
      }
      break;
    case Word::Bold:
      SetEffect(cf, CFE_BOLD, on);
      break;
    case Word::Italic:
      SetEffect(cf, CFE_ITALIC, on);
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
      break;
    case Word::UnderlineNone:
      SetEffect(cf, CFE_UNDERLINE, false);
      cf.underlineType = CFU_UNDERLINENONE;
      break;
    case Word::Strike:
      SetEffect(cf, CFE_STRIKEOUT, on);
      break;
    case Word::Caps:
      SetEffect(cf, CFE_ALLCAPS, on);
      break;
    case Word::SmallCaps:
      SetEffect(cf, CFE_SMALLCAPS, on);
      break;
    case Word::Hidden:
      SetEffect(cf, CFE_HIDDEN, on);
      break;
    case Word::Protect:
      SetEffect(cf, CFE_PROTECTED, on);
      break;
    case Word::Sub:
      cf.effects = (cf.effects & ~CFE_SUPERSCRIPT) | CFE_SUBSCRIPT;
      break;
    case Word::Super:
      cf.effects = (cf.effects & ~CFE_SUBSCRIPT) | CFE_SUPERSCRIPT;
      break;
    case Word::NoSuperSub:
      cf.effects &= ~(CFE_SUBSCRIPT | CFE_SUPERSCRIPT);
      break;
    case Word::Up:
      cf.offset = std::clamp<LONG>(hasParam ? param : 6, 0, 3276) * 10;
      break;
    case Word::Down:
      cf.offset = -std::clamp<LONG>(hasParam ? param : 6, 0, 3276) * 10;
      break;
    case Word::FontSize:
      if (param > 0) cf.height = std::clamp<LONG>(param, 2, 3276) * 10;
      break;
    case Word::Font:
      if (st_.dest == Dest::FontTable) entryNumber_ = param;
      else ApplyFont(param);
      break;
    case Word::Colour:
    case Word::BackColour: {
      const bool known = param > 0 && static_cast<size_t>(param) < colours_.size() && colours_[param];
      const COLORREF colour = known ? *colours_[param] : 0;
      if (word == Word::Colour) {
        cf.colour = colour;
        SetEffect(cf, CFE_AUTOCOLOR, !known);
      } else {
        cf.backColour = colour;
        SetEffect(cf, CFE_AUTOBACKCOLOR, !known);
      }
      break;
    }
    case Word::Lang:
      cf.lcid = static_cast<LCID>(std::clamp<LONG>(param, 0, 0xFFFF));
      break;
    case Word::ExpandTwips:
      cf.spacing = static_cast<SHORT>(std::clamp<LONG>(param, -1440, 1440));
      break;
    case Word::Expand:
      cf.spacing = static_cast<SHORT>(std::clamp<LONG>(param, -288, 288) * 5);
      break;
    case Word::CharStyle:
      if (st_.dest == Dest::StyleSheet) {
        entryNumber_ = param;
      } else if (const auto it = styles_.find(param); it != styles_.end()) {
        cf = it->second.cf;
      }
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
  ParaFormat& pf = st_.pf;
  constexpr LONG kLimit = 0x00FFFFFF;
  const LONG twips = std::clamp<LONG>(param, -kLimit, kLimit);
  switch (word) {
    case Word::Pard:
      pf = ParaFormat{};
      st_.lineSpacing = 0;
      st_.lineMultiple = false;
      st_.pendingTab = TAB_LEFT;
      break;
    case Word::AlignLeft: pf.alignment = PFA_LEFT; break;
    case Word::AlignRight: pf.alignment = PFA_RIGHT; break;
    case Word::AlignCentre: pf.alignment = PFA_CENTER; break;
    case Word::AlignJustify: pf.alignment = PFA_JUSTIFY; break;
    case Word::LeftIndent: {
      // \li is every line's indent, \fi the first line's from it.
      const LONG first = -pf.offset;
      pf.startIndent = twips + first;
      break;
    }
    case Word::FirstIndent: {
      const LONG left = pf.startIndent + pf.offset;
      pf.startIndent = left + twips;
      pf.offset = -twips;
      break;
    }
    case Word::RightIndent: pf.rightIndent = twips; break;
    case Word::SpaceBefore: pf.spaceBefore = std::max<LONG>(0, twips); break;
    case Word::SpaceAfter: pf.spaceAfter = std::max<LONG>(0, twips); break;
    case Word::LineSpacing:
      st_.lineSpacing = hasParam ? std::clamp<LONG>(param, -32767, 32767) : 0;
      SetLineSpacing(pf, st_.lineSpacing, st_.lineMultiple);
      break;
    case Word::LineMultiple:
      st_.lineMultiple = !hasParam || param != 0;
      SetLineSpacing(pf, st_.lineSpacing, st_.lineMultiple);
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
      }
      st_.pendingTab = TAB_LEFT;
      break;
    case Word::ParaStyle:
      if (st_.dest == Dest::StyleSheet) {
        entryNumber_ = param;
      } else if (const auto it = styles_.find(param); it != styles_.end()) {
        pf = it->second.pf;
        st_.cf = it->second.cf;
      }
      pf.style = static_cast<SHORT>(std::clamp<LONG>(param, 0, 32767));
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
  if (st_.font < 0 && fonts_.count(defaultFont_)) ApplyFont(defaultFont_);
  // The mark takes the current character format.
  doc_.EndParagraph(st_.pf, &st_.cf);
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
  doc_.AppendPicture(std::make_shared<Picture>(std::move(picture_)), st_.cf);
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
      CommitStyle();
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

void Reader::CommitStyle() {
  if (styles_.size() < limits_.maxTableEntries || styles_.count(entryNumber_)) {
    styles_[entryNumber_] = Style{st_.cf, st_.pf};
  }
  entryName_.clear();
  entryNumber_ = 0;
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
