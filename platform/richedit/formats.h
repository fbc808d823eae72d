// The character and paragraph formats the rich-text document keeps, and
// their exchange with the CHARFORMAT / PARAFORMAT structures by mask.
#pragma once

#include <string>
#include <vector>

#include "platform/richedit/richedit.h"

namespace richedit {

// Every property a run of text has, whatever a structure's mask says.
struct CharFormat {
  std::u16string face = u"Arial";
  LONG height = 200;  // twips
  DWORD effects = CFE_AUTOCOLOR | CFE_AUTOBACKCOLOR;
  LONG offset = 0;  // twips, up positive
  COLORREF colour = 0;
  COLORREF backColour = 0;
  BYTE charset = DEFAULT_CHARSET;
  BYTE pitchAndFamily = 0;
  WORD weight = FW_NORMAL;
  SHORT spacing = 0;  // twips between letters
  LCID lcid = 0;
  SHORT style = 0;
  BYTE underlineType = CFU_UNDERLINENONE;

  bool operator==(const CharFormat&) const = default;
  bool Bold() const { return (effects & CFE_BOLD) != 0; }
  bool Has(DWORD effect) const { return (effects & effect) != 0; }
};

// The effect bits this document keeps.
inline constexpr DWORD kKeptEffects = CFE_BOLD | CFE_ITALIC | CFE_UNDERLINE | CFE_STRIKEOUT | CFE_PROTECTED |
                                      CFE_LINK | CFE_SMALLCAPS | CFE_ALLCAPS | CFE_HIDDEN | CFE_SUBSCRIPT |
                                      CFE_SUPERSCRIPT | CFE_AUTOCOLOR | CFE_AUTOBACKCOLOR;
// The mask bits a CHARFORMAT2 answers for.
inline constexpr DWORD kCharMask2 = CFM_BOLD | CFM_ITALIC | CFM_UNDERLINE | CFM_STRIKEOUT | CFM_PROTECTED |
                                    CFM_LINK | CFM_SMALLCAPS | CFM_ALLCAPS | CFM_HIDDEN | CFM_SUBSCRIPT |
                                    CFM_SIZE | CFM_COLOR | CFM_FACE | CFM_OFFSET | CFM_CHARSET | CFM_BACKCOLOR |
                                    CFM_WEIGHT | CFM_SPACING | CFM_LCID | CFM_STYLE | CFM_UNDERLINETYPE;
inline constexpr DWORD kCharMask1 = CFM_ALL;

struct TabStop {
  LONG position = 0;  // twips
  int alignment = TAB_LEFT;
  bool operator==(const TabStop&) const = default;
};

struct ParaFormat {
  WORD alignment = PFA_LEFT;
  LONG startIndent = 0;  // the first line, from the left edge (twips)
  LONG rightIndent = 0;
  LONG offset = 0;  // the other lines, from the first line's indent
  LONG spaceBefore = 0;
  LONG spaceAfter = 0;
  LONG lineSpacing = 0;
  BYTE lineSpacingRule = LINESPACING_SINGLE;
  SHORT style = 0;
  WORD numbering = 0;
  std::vector<TabStop> tabs;

  bool operator==(const ParaFormat&) const = default;
  // The indent of lines after the first (twips).
  LONG OtherIndent() const { return startIndent + offset; }
};
inline constexpr DWORD kParaMask2 = PFM_STARTINDENT | PFM_RIGHTINDENT | PFM_OFFSET | PFM_ALIGNMENT | PFM_TABSTOPS |
                                    PFM_NUMBERING | PFM_SPACEBEFORE | PFM_SPACEAFTER | PFM_LINESPACING |
                                    PFM_STYLE;
inline constexpr DWORD kParaMask1 = PFM_STARTINDENT | PFM_RIGHTINDENT | PFM_OFFSET | PFM_ALIGNMENT |
                                    PFM_TABSTOPS | PFM_NUMBERING;

// Applies the members a structure's mask names; cbSize says which structure
// it is (CHARFORMATW or CHARFORMAT2W, read only that far). False for a size
// that is neither.
bool ApplyCharFormat(CharFormat& format, const CHARFORMATW* given);
// The same for the A structures: the face converts from `codePage`.
bool ApplyCharFormatA(CharFormat& format, const CHARFORMATA* given, UINT codePage);
// Fills a CHARFORMATW or CHARFORMAT2W (its cbSize says which; nothing past
// it is written) with every member, the mask saying which are valid (`mask`
// narrows it).
bool FillCharFormat(const CharFormat& format, CHARFORMATW* out, DWORD mask = ~0u);
bool FillCharFormatA(const CharFormat& format, CHARFORMATA* out, UINT codePage, DWORD mask = ~0u);
// The mask bits on which two formats agree.
DWORD SameCharMask(const CharFormat& a, const CharFormat& b);
// Sets or clears one effect and keeps the weight in step with bold.
void SetEffect(CharFormat& format, DWORD effect, bool on);

inline bool ApplyCharFormat(CharFormat& format, const CHARFORMAT2W* given) {
  return ApplyCharFormat(format, reinterpret_cast<const CHARFORMATW*>(given));
}
inline bool FillCharFormat(const CharFormat& format, CHARFORMAT2W* out, DWORD mask = ~0u) {
  return FillCharFormat(format, reinterpret_cast<CHARFORMATW*>(out), mask);
}
// The same for PARAFORMAT and PARAFORMAT2.
bool ApplyParaFormat(ParaFormat& format, const PARAFORMAT* given);
bool FillParaFormat(const ParaFormat& format, PARAFORMAT* out, DWORD mask = ~0u);
inline bool ApplyParaFormat(ParaFormat& format, const PARAFORMAT2* given) {
  return ApplyParaFormat(format, reinterpret_cast<const PARAFORMAT*>(given));
}
inline bool FillParaFormat(const ParaFormat& format, PARAFORMAT2* out, DWORD mask = ~0u) {
  return FillParaFormat(format, reinterpret_cast<PARAFORMAT*>(out), mask);
}
DWORD SameParaMask(const ParaFormat& a, const ParaFormat& b);

// The code page text in this character set is written in (0: the ANSI one).
UINT CharsetCodePage(BYTE charset);
// The character set of a code page (ANSI_CHARSET for those without one).
BYTE CodePageCharset(UINT codePage);

}  // namespace richedit
