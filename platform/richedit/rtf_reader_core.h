// The RTF reader's parts: a bounded tokenizer over the bytes, a stack of
// group states, and destinations (body text, font, colour and style
// tables, pictures, groups skipped whole). The tokens, text and tables are
// in rtf_reader.cpp, what each control word does in rtf_reader_words.cpp.
#pragma once

#include <map>
#include <optional>
#include <string>
#include <vector>

#include "platform/kernel/byte_reader.h"
#include "platform/richedit/rtf.h"
#include "platform/richedit/rtf_styles.h"
#include "platform/richedit/rtf_words.h"

namespace richedit::rtf {

inline constexpr size_t kMaxWordLength = 32;
inline constexpr int kMaxDigits = 10;
inline constexpr LONG kDefaultRtfHeight = 240;  // 12 points, what \plain means
inline constexpr size_t kMaxNameBytes = 256;

enum class Dest { Text, FontTable, ColourTable, StyleSheet, Picture, Skip };

struct State {
  Dest dest = Dest::Text;
  RunState run;
  ParaState para;
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

// Ideographs, kana and Hangul: the text \dbch's fonts are for.
inline bool IsDoubleByteScript(char16_t c) {
  return (c >= 0x2E80 && c <= 0x9FFF) || (c >= 0xAC00 && c <= 0xD7AF) || (c >= 0xF900 && c <= 0xFAFF) ||
         (c >= 0xFF00 && c <= 0xFFEF);
}

struct FontEntry {
  std::u16string face;
  BYTE charset = DEFAULT_CHARSET;
  BYTE pitchAndFamily = 0;
  UINT codePage = 0;  // \cpg, else from the character set
};

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
  void ApplyFont(RunState& run, int number) const;
  // The format of text after \plain: the default font at 12 points.
  RunState DefaultRun() const;
  // What text in a group's state looks like, its styles applied.
  RunState Effective(const State& state) const;
  ParaFormat EffectivePara(const State& state) const;
  // The formats text in the current group takes: the rest of the text's,
  // and double-byte text's. Kept until a control word or a brace.
  struct TextFormats {
    CharFormat western, asian;
    bool split = false;  // double-byte text has formats of its own
  };
  const TextFormats& CurrentFormats();
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
  StyleSheet styles_;

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
  std::optional<TextFormats> formats_;
};

}  // namespace richedit::rtf
