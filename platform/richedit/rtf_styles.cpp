// The RTF reader's style sheet and the formats text gets from styles.

#include "platform/richedit/rtf_styles.h"

#include <algorithm>

namespace richedit::rtf {

void CopyCharProps(RunState& to, const RunState& from, uint32_t props) {
  CharFormat& t = to.cf;
  const CharFormat& f = from.cf;
  auto effect = [&](uint32_t prop, DWORD bits) {
    if (props & prop) t.effects = (t.effects & ~bits) | (f.effects & bits);
  };
  if (props & kFontProp) {
    t.face = f.face;
    t.charset = f.charset;
    t.pitchAndFamily = f.pitchAndFamily;
    to.font = from.font;
  }
  if (props & kSizeProp) t.height = f.height;
  if (props & kBoldProp) t.weight = f.weight;
  effect(kBoldProp, CFE_BOLD);
  effect(kItalicProp, CFE_ITALIC);
  effect(kUnderlineProp, CFE_UNDERLINE);
  if (props & kUnderlineProp) t.underlineType = f.underlineType;
  effect(kStrikeProp, CFE_STRIKEOUT);
  effect(kCapsProp, CFE_ALLCAPS);
  effect(kSmallCapsProp, CFE_SMALLCAPS);
  effect(kHiddenProp, CFE_HIDDEN);
  effect(kProtectProp, CFE_PROTECTED);
  effect(kSuperSubProp, CFE_SUPERSCRIPT | CFE_SUBSCRIPT);
  if (props & kOffsetProp) t.offset = f.offset;
  effect(kColourProp, CFE_AUTOCOLOR);
  if (props & kColourProp) t.colour = f.colour;
  effect(kBackColourProp, CFE_AUTOBACKCOLOR);
  if (props & kBackColourProp) t.backColour = f.backColour;
  if (props & kLangProp) t.lcid = f.lcid;
  if (props & kSpacingProp) t.spacing = f.spacing;
  if (props & kAsianFontProp) to.asianFont = from.asianFont;
  if (props & kAsianSizeProp) to.asianHeight = from.asianHeight;
  if (props & kAsianBoldProp) to.asianBold = from.asianBold;
  if (props & kAsianItalicProp) to.asianItalic = from.asianItalic;
}

void CopyParaProps(ParaFormat& to, const ParaFormat& from, uint32_t props) {
  if (props & kAlignProp) to.alignment = from.alignment;
  if (props & kIndentProp) {
    to.startIndent = from.startIndent;
    to.offset = from.offset;
  }
  if (props & kRightIndentProp) to.rightIndent = from.rightIndent;
  if (props & kSpaceBeforeProp) to.spaceBefore = from.spaceBefore;
  if (props & kSpaceAfterProp) to.spaceAfter = from.spaceAfter;
  if (props & kLineSpacingProp) {
    to.lineSpacing = from.lineSpacing;
    to.lineSpacingRule = from.lineSpacingRule;
  }
  if (props & kTabsProp) to.tabs = from.tabs;
}

void StyleSheet::Add(bool character, int number, std::optional<int> basedOn, const RunState& own,
                     const ParaState& ownPara, const RunState& defaults) {
  const Style* base = basedOn ? (character ? Character(*basedOn) : Paragraph(*basedOn)) : nullptr;
  Style style;
  if (base) {
    style.run = base->run;
    style.para = base->para;
  } else {
    style.run = defaults;
    style.run.set = 0;
  }
  CopyCharProps(style.run, own, own.set);
  style.run.set |= own.set;
  style.ownChar = own.set;
  CopyParaProps(style.para.pf, ownPara.pf, ownPara.set);
  style.para.set |= ownPara.set;
  style.para.pf.style = character ? 0 : static_cast<SHORT>(std::clamp(number, 0, 32767));
  (character ? character_ : paragraph_)[number] = std::move(style);
}

const Style* StyleSheet::Paragraph(int number) const {
  const auto it = paragraph_.find(number);
  return it == paragraph_.end() ? nullptr : &it->second;
}

const Style* StyleSheet::Character(int number) const {
  const auto it = character_.find(number);
  return it == character_.end() ? nullptr : &it->second;
}

RunState EffectiveRun(const RunState& group, const Style* paragraph, const Style* character) {
  const uint32_t fromGroup =
      group.set | (paragraph ? paragraph->ownChar : 0) | (character ? character->ownChar : 0);
  RunState out = group;
  if (paragraph) CopyCharProps(out, paragraph->run, paragraph->run.set & ~fromGroup);
  if (character) CopyCharProps(out, character->run, character->run.set & ~fromGroup);
  return out;
}

ParaFormat EffectivePara(const ParaState& group, const Style* paragraph) {
  if (!paragraph) return group.pf;
  ParaFormat out = paragraph->para.pf;
  CopyParaProps(out, group.pf, group.set);
  out.style = group.pf.style;
  return out;
}

}  // namespace richedit::rtf
