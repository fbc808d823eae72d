// Reading RTF: the tokens, the text they carry, the font, colour and style
// tables, and pictures.

#include <algorithm>
#include <cstring>

#include "platform/nls/nls.h"
#include "platform/richedit/rtf_reader_core.h"

namespace richedit {
namespace rtf {
namespace {

bool IsLetter(uint8_t c) { return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z'); }
bool IsDigit(uint8_t c) { return c >= '0' && c <= '9'; }
int HexValue(uint8_t c) {
  if (c >= '0' && c <= '9') return c - '0';
  if (c >= 'a' && c <= 'f') return c - 'a' + 10;
  if (c >= 'A' && c <= 'F') return c - 'A' + 10;
  return -1;
}

}  // namespace

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
  if (doc_.size() == 0) doc_.SetDefaultFormat(CurrentFormats().western);
  // The last paragraph has the format in force where the document's group closed.
  doc_.SetLastParagraph(finalPf_ ? *finalPf_ : EffectivePara(st_));
  // The last \par ends the last paragraph; it does not start another.
  const size_t n = doc_.size();
  if (n > 0 && doc_.text()[n - 1] == kParagraphMark) doc_.Replace(n - 1, n, u"", doc_.FormatAt(n - 1));
}

void Reader::OpenGroup() {
  Flush();
  formats_.reset();
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
      st_.para = ParaState{};
      st_.lineSpacing = 0;
      st_.lineMultiple = false;
    }
  }
}

void Reader::CloseGroup() {
  Flush();
  formats_.reset();
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
      const TextFormats& formats = CurrentFormats();
      const bool split = formats.split;
      for (size_t at = 0; at < text.size();) {
        // A paragraph mark in text would bypass \par's paragraph format.
        size_t end = at;
        const bool wide = split && IsDoubleByteScript(text[at]);
        while (end < text.size() && text[end] != kParagraphMark && (!split || IsDoubleByteScript(text[end]) == wide)) {
          ++end;
        }
        doc_.Append(text.substr(at, end - at), wide ? formats.asian : formats.western);
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

void Reader::EndPicture() {
  if (!pictureOpen_) return;
  pictureOpen_ = false;
  if (picture_.truncated) {
    ++report_.truncatedPictures;
    picture_.data.clear();
  }
  doc_.AppendPicture(std::make_shared<Picture>(std::move(picture_)), CurrentFormats().western);
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
  formats_.reset();
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

}  // namespace rtf

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
  rtf::Reader reader(bytes.subspan(start), doc, limits, report ? *report : local);
  reader.Run();
  return true;
}

}  // namespace richedit
