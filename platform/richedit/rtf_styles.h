// The RTF reader's formatting state and its style sheet: which properties a
// group has set since \plain or \pard, the styles as their entries left
// them (each resolved through \sbasedon), and the format text gets from
// both.
#pragma once

#include <cstdint>
#include <map>
#include <optional>

#include "platform/richedit/formats.h"

namespace richedit::rtf {

// Character properties a control word sets, one bit each.
enum CharProp : uint32_t {
  kFontProp = 1u << 0,  // face, character set, pitch and family
  kSizeProp = 1u << 1,
  kBoldProp = 1u << 2,
  kItalicProp = 1u << 3,
  kUnderlineProp = 1u << 4,
  kStrikeProp = 1u << 5,
  kCapsProp = 1u << 6,
  kSmallCapsProp = 1u << 7,
  kHiddenProp = 1u << 8,
  kProtectProp = 1u << 9,
  kSuperSubProp = 1u << 10,
  kOffsetProp = 1u << 11,
  kColourProp = 1u << 12,
  kBackColourProp = 1u << 13,
  kLangProp = 1u << 14,
  kSpacingProp = 1u << 15,
  kAsianFontProp = 1u << 16,
  kAsianSizeProp = 1u << 17,
  kAsianBoldProp = 1u << 18,
  kAsianItalicProp = 1u << 19,
};

// Paragraph properties, one bit each (\li and \fi share one: each moves the other).
enum ParaProp : uint32_t {
  kAlignProp = 1u << 0,
  kIndentProp = 1u << 1,
  kRightIndentProp = 1u << 2,
  kSpaceBeforeProp = 1u << 3,
  kSpaceAfterProp = 1u << 4,
  kLineSpacingProp = 1u << 5,
  kTabsProp = 1u << 6,
};

// The character format of a group. Double-byte text (ideographs, kana,
// Hangul) takes the font, size, bold and italic given after \dbch, where
// given; otherwise the rest of the text's.
struct RunState {
  CharFormat cf;
  int font = -1;  // the \f number; -1: the document's default font, once known
  int asianFont = -1;
  LONG asianHeight = 0;  // 0: the text's size
  std::optional<bool> asianBold, asianItalic;
  uint32_t set = 0;  // CharProp bits set since \plain
};

// Copies the properties named by `props` from one state to another.
void CopyCharProps(RunState& to, const RunState& from, uint32_t props);

struct ParaState {
  ParaFormat pf;
  uint32_t set = 0;  // ParaProp bits set since \pard
};

void CopyParaProps(ParaFormat& to, const ParaFormat& from, uint32_t props);

// A style-sheet entry: its formats resolved through the style it is based on.
struct Style {
  RunState run;         // run.set: every property the style or its bases give
  uint32_t ownChar = 0;  // the properties its own entry gives
  ParaState para;
};

class StyleSheet {
 public:
  // Adds an entry. A style is based only on one defined before it; the
  // entry starts from `defaults` otherwise, as it does without \sbasedon.
  void Add(bool character, int number, std::optional<int> basedOn, const RunState& own, const ParaState& ownPara,
           const RunState& defaults);
  const Style* Paragraph(int number) const;
  const Style* Character(int number) const;
  size_t size() const { return paragraph_.size() + character_.size(); }
  bool Has(bool character, int number) const { return (character ? character_ : paragraph_).count(number) != 0; }

 private:
  std::map<int, Style> paragraph_;
  std::map<int, Style> character_;
};

// The character format text has: what the group set, then the paragraph
// style, then the character style. Properties a style's own entry gives
// come from the group, not the style: a writer repeats them in the text,
// and where it does not they have their values after \plain (as
// LibreOffice reads them); what the style inherits from its bases stays.
RunState EffectiveRun(const RunState& group, const Style* paragraph, const Style* character);
// The paragraph format: the style's, then what the group set since \pard.
ParaFormat EffectivePara(const ParaState& group, const Style* paragraph);

}  // namespace richedit::rtf
