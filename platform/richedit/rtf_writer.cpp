// Writing RTF: a font and a colour table gathered from the runs, then each
// paragraph's format and each run's format before its text.

#include <algorithm>
#include <cstdio>

#include "platform/nls/nls.h"
#include "platform/richedit/rtf.h"

namespace richedit {
namespace {

struct FontKey {
  std::u16string face;
  BYTE charset;
  BYTE pitchAndFamily;
  bool operator==(const FontKey&) const = default;
};

class Writer {
 public:
  Writer(const TextDocument& doc, size_t cpMin, size_t cpMax, UINT codePage)
      : doc_(doc), cpMin_(cpMin), cpMax_(cpMax), codePage_(IsValidCodePage(codePage) ? codePage : 1252) {}

  std::string Write();

 private:
  void Gather();
  void Header();
  void ParagraphFormat(const ParaFormat& pf);
  void RunFormat(const CharFormat& cf);
  void Text(std::u16string_view text, const CharFormat& cf);
  // Text of a run, raised or lowered in a group of its own where the run is.
  void RunText(std::u16string_view text, const CharFormat& cf);
  void PictureData(const Picture& picture);
  // Writes a character as \uN with its fallback in the code page.
  void Unicode(char16_t c, UINT codePage);
  UINT FontCodePage(const CharFormat& cf) const {
    const UINT cp = CharsetCodePage(cf.charset);
    return cp && IsValidCodePage(cp) ? cp : codePage_;
  }
  int FontIndex(const CharFormat& cf) const {
    const FontKey key{cf.face, cf.charset, cf.pitchAndFamily};
    return static_cast<int>(std::find(fonts_.begin(), fonts_.end(), key) - fonts_.begin());
  }
  int ColourIndex(COLORREF c) const {
    return 1 + static_cast<int>(std::find(colours_.begin(), colours_.end(), c) - colours_.begin());
  }
  void Word(const char* word) { out_ += word; }
  void Word(const char* word, long value) {
    char buffer[48];
    std::snprintf(buffer, sizeof buffer, "%s%ld", word, value);
    out_ += buffer;
  }

  const TextDocument& doc_;
  size_t cpMin_, cpMax_;
  UINT codePage_;
  std::string out_;
  std::vector<FontKey> fonts_;
  std::vector<COLORREF> colours_;
  int uc_ = 1;
};

const char* FamilyWord(BYTE pitchAndFamily) {
  switch (pitchAndFamily & 0xF0) {
    case FF_ROMAN: return "\\froman";
    case FF_SWISS: return "\\fswiss";
    case FF_MODERN: return "\\fmodern";
    case FF_SCRIPT: return "\\fscript";
    case FF_DECORATIVE: return "\\fdecor";
    default: return "\\fnil";
  }
}

void Writer::Gather() {
  auto addFont = [&](const CharFormat& cf) {
    const FontKey key{cf.face, cf.charset, cf.pitchAndFamily};
    if (std::find(fonts_.begin(), fonts_.end(), key) == fonts_.end()) fonts_.push_back(key);
  };
  auto addColour = [&](COLORREF c) {
    if (std::find(colours_.begin(), colours_.end(), c) == colours_.end()) colours_.push_back(c);
  };
  size_t at = 0;
  for (const auto& run : doc_.runs()) {
    const size_t end = at + run.length;
    if (end > cpMin_ && at < cpMax_) {
      addFont(run.format);
      if (!run.format.Has(CFE_AUTOCOLOR)) addColour(run.format.colour);
      if (!run.format.Has(CFE_AUTOBACKCOLOR)) addColour(run.format.backColour);
    }
    at = end;
  }
  if (fonts_.empty()) addFont(doc_.InsertionFormat(cpMin_));
}

void Writer::Header() {
  Word("{\\rtf1\\ansi\\ansicpg", codePage_);
  Word("\\deff0\\uc1");
  Word("{\\fonttbl");
  for (size_t i = 0; i < fonts_.size(); ++i) {
    Word("{\\f", static_cast<long>(i));
    Word(FamilyWord(fonts_[i].pitchAndFamily));
    if (fonts_[i].pitchAndFamily & 0x03) Word("\\fprq", fonts_[i].pitchAndFamily & 0x03);
    Word("\\fcharset", fonts_[i].charset);
    out_ += ' ';
    CharFormat face;
    face.charset = fonts_[i].charset;
    Text(fonts_[i].face, face);
    out_ += ";}";
  }
  out_ += "}";
  if (!colours_.empty()) {
    out_ += "{\\colortbl ;";
    for (COLORREF c : colours_) {
      Word("\\red", GetRValue(c));
      Word("\\green", GetGValue(c));
      Word("\\blue", GetBValue(c));
      out_ += ';';
    }
    out_ += '}';
  }
  out_ += "\r\n";
}

void Writer::ParagraphFormat(const ParaFormat& pf) {
  Word("\\pard");
  if (pf.style > 0) Word("\\s", pf.style);
  switch (pf.alignment) {
    case PFA_RIGHT: Word("\\qr"); break;
    case PFA_CENTER: Word("\\qc"); break;
    case PFA_JUSTIFY: Word("\\qj"); break;
    default: Word("\\ql"); break;
  }
  if (pf.OtherIndent()) Word("\\li", pf.OtherIndent());
  if (pf.offset) Word("\\fi", -pf.offset);
  if (pf.rightIndent) Word("\\ri", pf.rightIndent);
  if (pf.spaceBefore) Word("\\sb", pf.spaceBefore);
  if (pf.spaceAfter) Word("\\sa", pf.spaceAfter);
  switch (pf.lineSpacingRule) {
    case LINESPACING_ONEANDHALF: Word("\\sl360\\slmult1"); break;
    case LINESPACING_DOUBLE: Word("\\sl480\\slmult1"); break;
    case LINESPACING_ATLEAST: Word("\\sl", pf.lineSpacing), Word("\\slmult0"); break;
    case LINESPACING_EXACTLY: Word("\\sl", -pf.lineSpacing), Word("\\slmult0"); break;
    case LINESPACING_MULTIPLE: Word("\\sl", pf.lineSpacing * 12), Word("\\slmult1"); break;
    default: break;
  }
  for (const auto& tab : pf.tabs) {
    switch (tab.alignment) {
      case TAB_CENTER: Word("\\tqc"); break;
      case TAB_RIGHT: Word("\\tqr"); break;
      case TAB_DECIMAL: Word("\\tqdec"); break;
      default: break;
    }
    Word(tab.alignment == TAB_BAR ? "\\tb" : "\\tx", tab.position);
  }
}

void Writer::RunFormat(const CharFormat& cf) {
  Word("\\plain");
  // Word processors that keep a font for each class of characters take the
  // run's font for ideographs too; \fs after it sizes both.
  Word("\\dbch\\af", FontIndex(cf));
  Word("\\loch\\f", FontIndex(cf));
  Word("\\fs", (cf.height + 5) / 10);
  if (cf.Has(CFE_BOLD)) Word("\\b");
  if (cf.Has(CFE_ITALIC)) Word("\\i");
  if (cf.Has(CFE_UNDERLINE)) {
    switch (cf.underlineType) {
      case CFU_UNDERLINEDOUBLE: Word("\\uldb"); break;
      case CFU_UNDERLINEDOTTED: Word("\\uld"); break;
      case CFU_UNDERLINEWORD: Word("\\ulw"); break;
      default: Word("\\ul"); break;
    }
  }
  if (cf.Has(CFE_STRIKEOUT)) Word("\\strike");
  if (cf.Has(CFE_ALLCAPS)) Word("\\caps");
  if (cf.Has(CFE_SMALLCAPS)) Word("\\scaps");
  if (cf.Has(CFE_HIDDEN)) Word("\\v");
  if (cf.Has(CFE_PROTECTED)) Word("\\protect");
  if (cf.offset > 0) Word("\\up", cf.offset / 10);
  if (cf.offset < 0) Word("\\dn", -cf.offset / 10);
  if (!cf.Has(CFE_AUTOCOLOR)) Word("\\cf", ColourIndex(cf.colour));
  if (!cf.Has(CFE_AUTOBACKCOLOR)) Word("\\highlight", ColourIndex(cf.backColour));
  if (cf.spacing) Word("\\expndtw", cf.spacing);
  if (cf.lcid) Word("\\lang", static_cast<long>(cf.lcid));
  out_ += ' ';
}

void Writer::Unicode(char16_t c, UINT codePage) {
  char fallback[4] = {};
  BOOL usedDefault = FALSE;
  int n = 0;
  if (c < 0xD800 || c > 0xDFFF) {
    n = WideCharToMultiByte(codePage, 0, &c, 1, fallback, sizeof fallback, nullptr, &usedDefault);
  }
  if (n <= 0 || n > 2 || usedDefault) {
    fallback[0] = '?';
    n = 1;
  }
  if (n != uc_) {
    Word("\\uc", n);
    uc_ = n;
  }
  Word("\\u", c > 32767 ? static_cast<long>(c) - 65536 : static_cast<long>(c));
  for (int i = 0; i < n; ++i) {
    char hex[8];
    std::snprintf(hex, sizeof hex, "\\'%02x", static_cast<unsigned char>(fallback[i]));
    out_ += hex;
  }
}

void Writer::Text(std::u16string_view text, const CharFormat& cf) {
  const UINT cp = FontCodePage(cf);
  for (char16_t c : text) {
    switch (c) {
      case u'\\': out_ += "\\\\"; break;
      case u'{': out_ += "\\{"; break;
      case u'}': out_ += "\\}"; break;
      case u'\t': out_ += "\\tab "; break;
      case kLineBreak: out_ += "\\line "; break;
      case kParagraphMark: out_ += "\\par\r\n"; break;
      case u'\u00A0': out_ += "\\~"; break;
      case u'\u00AD': out_ += "\\-"; break;
      case u'\u2011': out_ += "\\_"; break;
      default:
        if (c >= 0x20 && c < 0x7F) out_ += static_cast<char>(c);
        else if (c >= 0x20) Unicode(c, cp);
        break;
    }
  }
}

void Writer::RunText(std::u16string_view text, const CharFormat& cf) {
  // \super and \sub go in a group around the text: LibreOffice starts a
  // new paragraph at either outside one.
  const char* raise = cf.Has(CFE_SUPERSCRIPT) ? "{\\super " : cf.Has(CFE_SUBSCRIPT) ? "{\\sub " : nullptr;
  if (raise && !text.empty()) out_ += raise;
  Text(text, cf);
  if (raise && !text.empty()) out_ += '}';
}

void Writer::PictureData(const Picture& p) {
  out_ += "{\\pict";
  switch (p.kind) {
    case RichPictureKind::Png: Word("\\pngblip"); break;
    case RichPictureKind::Jpeg: Word("\\jpegblip"); break;
    case RichPictureKind::Dib: Word("\\dibitmap0"); break;
    case RichPictureKind::Wmf: Word("\\wmetafile", p.metafileMapping ? p.metafileMapping : 8); break;
    case RichPictureKind::Emf: Word("\\emfblip"); break;
    case RichPictureKind::Other: break;
  }
  Word("\\picw", p.width);
  Word("\\pich", p.height);
  if (p.goalWidth) Word("\\picwgoal", p.goalWidth);
  if (p.goalHeight) Word("\\pichgoal", p.goalHeight);
  if (p.scaleX != 100) Word("\\picscalex", p.scaleX);
  if (p.scaleY != 100) Word("\\picscaley", p.scaleY);
  out_ += "\r\n";
  static constexpr char kHex[] = "0123456789abcdef";
  for (size_t i = 0; i < p.data.size(); ++i) {
    out_ += kHex[p.data[i] >> 4];
    out_ += kHex[p.data[i] & 15];
    if (i % 64 == 63) out_ += "\r\n";
  }
  out_ += "}";
}

std::string Writer::Write() {
  cpMax_ = std::min(cpMax_, doc_.size());
  cpMin_ = std::min(cpMin_, cpMax_);
  Gather();
  Header();
  const std::u16string& text = doc_.text();
  size_t para = doc_.ParagraphOf(cpMin_);
  ParagraphFormat(doc_.Paragraph(para));
  const CharFormat* current = nullptr;
  size_t at = 0;
  for (const auto& run : doc_.runs()) {
    const size_t start = std::max(at, cpMin_);
    const size_t end = std::min(at + run.length, cpMax_);
    at += run.length;
    if (start >= end) continue;
    if (!current || !(*current == run.format)) {
      RunFormat(run.format);
      current = &run.format;
    }
    if (run.picture) {
      PictureData(*run.picture);
      continue;
    }
    // Paragraph marks inside the run start the next paragraph's format.
    for (size_t from = start; from < end;) {
      const size_t mark = text.find(kParagraphMark, from);
      const size_t stop = mark < end ? mark + 1 : end;
      RunText(std::u16string_view(text).substr(from, stop - from), run.format);
      if (mark < end && para + 1 < doc_.ParagraphCount()) {
        ParagraphFormat(doc_.Paragraph(++para));
        RunFormat(run.format);
      }
      from = stop;
    }
  }
  // The last paragraph ends with a mark, which a reader takes as its end.
  out_ += "\\par\r\n}\r\n";
  return std::move(out_);
}

}  // namespace

std::string WriteRtf(const TextDocument& doc, size_t cpMin, size_t cpMax, UINT codePage) {
  return Writer(doc, cpMin, cpMax, codePage).Write();
}

}  // namespace richedit
