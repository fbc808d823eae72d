// Character and paragraph formats in and out of their structures, by mask.

#include "platform/richedit/formats.h"

#include <algorithm>
#include <array>
#include <cstring>

#include "platform/gdi/font_engine.h"
#include "platform/nls/nls.h"

namespace richedit {
namespace {

// Mask bits that carry one effect bit each, with the effect they carry.
constexpr std::array<std::pair<DWORD, DWORD>, 11> kEffectMasks{{
    {CFM_BOLD, CFE_BOLD},
    {CFM_ITALIC, CFE_ITALIC},
    {CFM_UNDERLINE, CFE_UNDERLINE},
    {CFM_STRIKEOUT, CFE_STRIKEOUT},
    {CFM_PROTECTED, CFE_PROTECTED},
    {CFM_LINK, CFE_LINK},
    {CFM_SMALLCAPS, CFE_SMALLCAPS},
    {CFM_ALLCAPS, CFE_ALLCAPS},
    {CFM_HIDDEN, CFE_HIDDEN},
    {CFM_SUBSCRIPT, CFE_SUBSCRIPT | CFE_SUPERSCRIPT},
    {CFM_BACKCOLOR, CFE_AUTOBACKCOLOR},
}};

bool IsCharFormat2(UINT size) { return size == sizeof(CHARFORMAT2W); }

void ApplyCommon(CharFormat& f, DWORD mask, DWORD effects, LONG height, LONG offset, COLORREF colour, BYTE charset,
                 BYTE pitch) {
  for (const auto& [m, e] : kEffectMasks) {
    if (!(mask & m)) continue;
    if (m == CFM_SUBSCRIPT) {
      // Subscript and superscript exclude each other.
      f.effects &= ~e;
      if (effects & CFE_SUBSCRIPT) f.effects |= CFE_SUBSCRIPT;
      else if (effects & CFE_SUPERSCRIPT) f.effects |= CFE_SUPERSCRIPT;
    } else if (m != CFM_BACKCOLOR) {
      SetEffect(f, e, (effects & e) != 0);
    }
  }
  if (mask & CFM_UNDERLINE) f.underlineType = (effects & CFE_UNDERLINE) ? CFU_UNDERLINE : CFU_UNDERLINENONE;
  // Heights below one point or above 1638 points are clamped, as the
  // structures' users expect a drawable size.
  if (mask & CFM_SIZE) f.height = std::clamp<LONG>(height, 20, 32760);
  if (mask & CFM_OFFSET) f.offset = std::clamp<LONG>(offset, -32760, 32760);
  if (mask & CFM_COLOR) {
    f.colour = colour & 0x00FFFFFF;
    SetEffect(f, CFE_AUTOCOLOR, (effects & CFE_AUTOCOLOR) != 0);
  }
  if (mask & CFM_CHARSET) f.charset = charset;
  if (mask & CFM_FACE) f.pitchAndFamily = pitch;
}

void Apply2(CharFormat& f, const CHARFORMAT2W& c) {
  const DWORD m = c.dwMask;
  if (m & CFM_WEIGHT) {
    f.weight = static_cast<WORD>(std::clamp<int>(c.wWeight, 1, 1000));
    SetEffect(f, CFE_BOLD, f.weight >= FW_BOLD);
  }
  if (m & CFM_BACKCOLOR) {
    f.backColour = c.crBackColor & 0x00FFFFFF;
    SetEffect(f, CFE_AUTOBACKCOLOR, (c.dwEffects & CFE_AUTOBACKCOLOR) != 0);
  }
  if (m & CFM_SPACING) f.spacing = c.sSpacing;
  if (m & CFM_LCID) f.lcid = c.lcid;
  if (m & CFM_STYLE) f.style = c.sStyle;
  if (m & CFM_UNDERLINETYPE) {
    f.underlineType = c.bUnderlineType;
    SetEffect(f, CFE_UNDERLINE, c.bUnderlineType != CFU_UNDERLINENONE);
  }
}

// A caller's structure as the version-2 structure, read only as far as its size.
template <typename Two, typename One>
bool Widen(const One* given, Two& two) {
  if (!given) return false;
  UINT size = 0;
  std::memcpy(&size, given, sizeof size);
  if (size != sizeof(One) && size != sizeof(Two)) return false;
  two = Two{};
  std::memcpy(&two, given, size);
  return true;
}

template <typename Char>
std::u16string FaceOf(const Char* face, size_t capacity) {
  size_t n = 0;
  while (n < capacity && face[n]) ++n;
  return std::u16string(face, face + n);
}

}  // namespace

void SetEffect(CharFormat& f, DWORD effect, bool on) {
  f.effects = on ? (f.effects | effect) : (f.effects & ~effect);
  if (effect == CFE_BOLD) f.weight = on ? std::max<WORD>(f.weight, FW_BOLD) : std::min<WORD>(f.weight, FW_NORMAL);
}

bool ApplyCharFormat(CharFormat& f, const CHARFORMATW* given) {
  CHARFORMAT2W c;
  if (!Widen(given, c)) return false;
  ApplyCommon(f, c.dwMask, c.dwEffects, c.yHeight, c.yOffset, c.crTextColor, c.bCharSet, c.bPitchAndFamily);
  if (c.dwMask & CFM_FACE) {
    std::u16string face = FaceOf(c.szFaceName, LF_FACESIZE_RICHEDIT);
    if (!face.empty()) f.face = std::move(face);
  }
  if (IsCharFormat2(c.cbSize)) Apply2(f, c);
  return true;
}

bool ApplyCharFormatA(CharFormat& f, const CHARFORMATA* given, UINT codePage) {
  CHARFORMAT2A c;
  if (!Widen(given, c)) return false;
  CHARFORMAT2W w{};
  w.cbSize = c.cbSize == sizeof(CHARFORMAT2A) ? sizeof(CHARFORMAT2W) : sizeof(CHARFORMATW);
  w.dwMask = c.dwMask;
  w.dwEffects = c.dwEffects;
  w.yHeight = c.yHeight;
  w.yOffset = c.yOffset;
  w.crTextColor = c.crTextColor;
  w.bCharSet = c.bCharSet;
  w.bPitchAndFamily = c.bPitchAndFamily;
  size_t n = 0;
  while (n < LF_FACESIZE_RICHEDIT && c.szFaceName[n]) ++n;
  if (n) MultiByteToWideChar(codePage, 0, c.szFaceName, static_cast<int>(n), w.szFaceName, LF_FACESIZE_RICHEDIT - 1);
  w.wWeight = c.wWeight;
  w.sSpacing = c.sSpacing;
  w.crBackColor = c.crBackColor;
  w.lcid = c.lcid;
  w.sStyle = c.sStyle;
  w.wKerning = c.wKerning;
  w.bUnderlineType = c.bUnderlineType;
  return ApplyCharFormat(f, reinterpret_cast<const CHARFORMATW*>(&w));
}

namespace {

CHARFORMAT2W Full(const CharFormat& f, DWORD mask, bool two) {
  CHARFORMAT2W c{};
  c.cbSize = two ? sizeof(CHARFORMAT2W) : sizeof(CHARFORMATW);
  c.dwMask = (two ? kCharMask2 : kCharMask1) & mask;
  c.dwEffects = f.effects & kKeptEffects;
  c.yHeight = f.height;
  c.yOffset = f.offset;
  c.crTextColor = f.colour;
  c.bCharSet = f.charset;
  c.bPitchAndFamily = f.pitchAndFamily;
  std::copy_n(f.face.begin(), std::min<size_t>(f.face.size(), LF_FACESIZE_RICHEDIT - 1), c.szFaceName);
  c.wWeight = f.weight;
  c.sSpacing = f.spacing;
  c.crBackColor = f.backColour;
  c.lcid = f.lcid;
  c.sStyle = f.style;
  c.bUnderlineType = f.underlineType;
  return c;
}

UINT SizeOf(const void* structure) {
  UINT size = 0;
  if (structure) std::memcpy(&size, structure, sizeof size);
  return size;
}

}  // namespace

bool FillCharFormat(const CharFormat& f, CHARFORMATW* out, DWORD mask) {
  const UINT size = SizeOf(out);
  if (size != sizeof(CHARFORMATW) && size != sizeof(CHARFORMAT2W)) return false;
  const CHARFORMAT2W c = Full(f, mask, size == sizeof(CHARFORMAT2W));
  std::memcpy(out, &c, size);
  return true;
}

bool FillCharFormatA(const CharFormat& f, CHARFORMATA* out, UINT codePage, DWORD mask) {
  const UINT size = SizeOf(out);
  if (size != sizeof(CHARFORMATA) && size != sizeof(CHARFORMAT2A)) return false;
  const CHARFORMAT2W w = Full(f, mask, size == sizeof(CHARFORMAT2A));
  CHARFORMAT2A a{};
  a.cbSize = size;
  a.dwMask = w.dwMask;
  a.dwEffects = w.dwEffects;
  a.yHeight = w.yHeight;
  a.yOffset = w.yOffset;
  a.crTextColor = w.crTextColor;
  a.bCharSet = w.bCharSet;
  a.bPitchAndFamily = w.bPitchAndFamily;
  WideCharToMultiByte(codePage, 0, w.szFaceName, -1, a.szFaceName, LF_FACESIZE_RICHEDIT, nullptr, nullptr);
  a.szFaceName[LF_FACESIZE_RICHEDIT - 1] = '\0';
  a.wWeight = w.wWeight;
  a.sSpacing = w.sSpacing;
  a.crBackColor = w.crBackColor;
  a.lcid = w.lcid;
  a.sStyle = w.sStyle;
  a.bUnderlineType = w.bUnderlineType;
  std::memcpy(out, &a, size);
  return true;
}

DWORD SameCharMask(const CharFormat& a, const CharFormat& b) {
  DWORD same = kCharMask2;
  const DWORD differ = a.effects ^ b.effects;
  for (const auto& [m, e] : kEffectMasks) {
    if (m != CFM_BACKCOLOR && (differ & e)) same &= ~m;
  }
  if (a.height != b.height) same &= ~CFM_SIZE;
  if (a.offset != b.offset) same &= ~CFM_OFFSET;
  if (a.colour != b.colour || (differ & CFE_AUTOCOLOR)) same &= ~CFM_COLOR;
  if (a.charset != b.charset) same &= ~CFM_CHARSET;
  if (a.face != b.face || a.pitchAndFamily != b.pitchAndFamily) same &= ~CFM_FACE;
  if (a.backColour != b.backColour || (differ & CFE_AUTOBACKCOLOR)) same &= ~CFM_BACKCOLOR;
  if (a.weight != b.weight) same &= ~CFM_WEIGHT;
  if (a.spacing != b.spacing) same &= ~CFM_SPACING;
  if (a.lcid != b.lcid) same &= ~CFM_LCID;
  if (a.style != b.style) same &= ~CFM_STYLE;
  if (a.underlineType != b.underlineType) same &= ~CFM_UNDERLINETYPE;
  return same;
}

bool ApplyParaFormat(ParaFormat& p, const PARAFORMAT* given) {
  PARAFORMAT2 g;
  if (!Widen(given, g)) return false;
  const bool two = g.cbSize == sizeof(PARAFORMAT2);
  const DWORD m = g.dwMask;
  // Indents and spacing stay within what RTF and the tab stops can say.
  auto clampTwips = [](LONG v) { return std::clamp<LONG>(v, -0x00FFFFFF, 0x00FFFFFF); };
  if (m & PFM_STARTINDENT) p.startIndent = clampTwips(g.dxStartIndent);
  if (m & PFM_OFFSETINDENT) p.startIndent = clampTwips(p.startIndent + clampTwips(g.dxStartIndent));
  if (m & PFM_RIGHTINDENT) p.rightIndent = clampTwips(g.dxRightIndent);
  if (m & PFM_OFFSET) p.offset = clampTwips(g.dxOffset);
  if ((m & PFM_ALIGNMENT) && g.wAlignment >= PFA_LEFT && g.wAlignment <= PFA_JUSTIFY) p.alignment = g.wAlignment;
  if (m & PFM_NUMBERING) p.numbering = g.wNumbering;
  if (m & PFM_TABSTOPS) {
    p.tabs.clear();
    const int count = std::clamp<int>(g.cTabCount, 0, MAX_TAB_STOPS);
    for (int i = 0; i < count; ++i) {
      const LONG raw = g.rgxTabs[i];
      p.tabs.push_back(TabStop{raw & TAB_POSITION_MASK, std::min<int>((raw >> 24) & 0x0F, TAB_BAR)});
    }
  }
  if (two) {
    if (m & PFM_SPACEBEFORE) p.spaceBefore = std::clamp<LONG>(g.dySpaceBefore, 0, 0x00FFFFFF);
    if (m & PFM_SPACEAFTER) p.spaceAfter = std::clamp<LONG>(g.dySpaceAfter, 0, 0x00FFFFFF);
    if ((m & PFM_LINESPACING) && g.bLineSpacingRule <= LINESPACING_MULTIPLE) {
      p.lineSpacingRule = g.bLineSpacingRule;
      p.lineSpacing = std::clamp<LONG>(g.dyLineSpacing, 0, 0x00FFFFFF);
    }
    if (m & PFM_STYLE) p.style = g.sStyle;
  }
  return true;
}

bool FillParaFormat(const ParaFormat& p, PARAFORMAT* out, DWORD mask) {
  const UINT size = SizeOf(out);
  const bool two = size == sizeof(PARAFORMAT2);
  if (size != sizeof(PARAFORMAT) && !two) return false;
  PARAFORMAT2 o{};
  o.cbSize = size;
  o.dwMask = (two ? kParaMask2 : kParaMask1) & mask;
  o.wNumbering = p.numbering;
  o.dxStartIndent = p.startIndent;
  o.dxRightIndent = p.rightIndent;
  o.dxOffset = p.offset;
  o.wAlignment = p.alignment;
  o.cTabCount = static_cast<SHORT>(std::min<size_t>(p.tabs.size(), MAX_TAB_STOPS));
  for (int i = 0; i < o.cTabCount; ++i) {
    o.rgxTabs[i] = (p.tabs[i].position & TAB_POSITION_MASK) | (static_cast<LONG>(p.tabs[i].alignment) << 24);
  }
  o.dySpaceBefore = p.spaceBefore;
  o.dySpaceAfter = p.spaceAfter;
  o.dyLineSpacing = p.lineSpacing;
  o.sStyle = p.style;
  o.bLineSpacingRule = p.lineSpacingRule;
  std::memcpy(out, &o, size);
  return true;
}

DWORD SameParaMask(const ParaFormat& a, const ParaFormat& b) {
  DWORD same = kParaMask2;
  if (a.startIndent != b.startIndent) same &= ~PFM_STARTINDENT;
  if (a.rightIndent != b.rightIndent) same &= ~PFM_RIGHTINDENT;
  if (a.offset != b.offset) same &= ~PFM_OFFSET;
  if (a.alignment != b.alignment) same &= ~PFM_ALIGNMENT;
  if (a.tabs != b.tabs) same &= ~PFM_TABSTOPS;
  if (a.numbering != b.numbering) same &= ~PFM_NUMBERING;
  if (a.spaceBefore != b.spaceBefore) same &= ~PFM_SPACEBEFORE;
  if (a.spaceAfter != b.spaceAfter) same &= ~PFM_SPACEAFTER;
  if (a.lineSpacing != b.lineSpacing || a.lineSpacingRule != b.lineSpacingRule) same &= ~PFM_LINESPACING;
  if (a.style != b.style) same &= ~PFM_STYLE;
  return same;
}

UINT CharsetCodePage(BYTE charset) { return tav::font::CharsetCodePage(charset); }

BYTE CodePageCharset(UINT codePage) {
  constexpr std::array<BYTE, 14> kCharsets{SHIFTJIS_CHARSET, HANGUL_CHARSET,      JOHAB_CHARSET,   GB2312_CHARSET,
                                           CHINESEBIG5_CHARSET, GREEK_CHARSET,   TURKISH_CHARSET, VIETNAMESE_CHARSET,
                                           HEBREW_CHARSET,   ARABIC_CHARSET,      BALTIC_CHARSET,  RUSSIAN_CHARSET,
                                           THAI_CHARSET,     EASTEUROPE_CHARSET};
  for (BYTE c : kCharsets) {
    if (CharsetCodePage(c) == codePage) return c;
  }
  return ANSI_CHARSET;
}

}  // namespace richedit
