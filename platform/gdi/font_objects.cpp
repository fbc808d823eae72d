// Font objects and what a device context tells about its font: creation,
// metrics, face name, enumeration of the installed families.

#include <algorithm>
#include <array>
#include <cmath>
#include <cstring>
#include <limits>
#include <optional>

#include "platform/gdi/font.h"
#include "platform/nls/nls.h"
#include "platform/gdi/text_internal.h"

namespace gdi {
namespace {

using tav::font::RealizedFont;

// What a font entry carries for the text code: the request, and the last
// realisation (fonts are mostly drawn on one kind of context at a time).
struct FontFace {
  tav::font::FontRequest request;
  tav::font::Matrix mapping;
  bool antialias = false;
  std::shared_ptr<RealizedFont> realized;
};

std::u16string FaceOf(const LOGFONTW& lf) {
  std::u16string face;
  for (size_t i = 0; i < LF_FACESIZE && lf.lfFaceName[i]; ++i) face += lf.lfFaceName[i];
  return face;
}

std::shared_ptr<Font> SelectedFont(const DeviceContext& dc) {
  if (dc.state.font) return dc.state.font;
  return FindFont(static_cast<HFONT>(GetStockObject(SYSTEM_FONT)));
}

LOGFONTW WidenLogFont(const LOGFONTA& a) {
  LOGFONTW w{};
  std::memcpy(&w, &a, offsetof(LOGFONTA, lfFaceName));
  char face[LF_FACESIZE + 1] = {};
  std::memcpy(face, a.lfFaceName, LF_FACESIZE);
  face[LF_FACESIZE] = 0;
  const UINT cp = tav::font::CharsetCodePage(a.lfCharSet);
  MultiByteToWideChar(cp ? cp : CP_ACP, 0, face, -1, w.lfFaceName, LF_FACESIZE);
  w.lfFaceName[LF_FACESIZE - 1] = 0;
  return w;
}

void NarrowFace(std::u16string_view face, UINT codePage, char* out, int size) {
  if (size <= 0) return;
  int n = WideCharToMultiByte(codePage, 0, reinterpret_cast<LPCWSTR>(face.data()), static_cast<int>(face.size()), out,
                              size - 1, nullptr, nullptr);
  out[std::clamp(n, 0, size - 1)] = 0;
}

template <class TM>
void FillCommonMetrics(TM* tm, const RealizedFont& font) {
  const auto& m = font.metrics();
  tm->tmHeight = ToLogical(font, m.height);
  tm->tmAscent = ToLogical(font, m.ascent);
  tm->tmDescent = tm->tmHeight - tm->tmAscent;
  tm->tmInternalLeading = ToLogical(font, m.internalLeading);
  tm->tmExternalLeading = ToLogical(font, m.externalLeading);
  tm->tmAveCharWidth = ToLogical(font, m.aveCharWidth);
  tm->tmMaxCharWidth = ToLogical(font, m.maxCharWidth);
  tm->tmWeight = m.weight;
  tm->tmOverhang = m.overhang;
  tm->tmDigitizedAspectX = 96;
  tm->tmDigitizedAspectY = 96;
  tm->tmItalic = m.italic ? 255 : 0;
  tm->tmUnderlined = m.underlined ? 255 : 0;
  tm->tmStruckOut = m.struckOut ? 255 : 0;
  tm->tmPitchAndFamily = m.pitchAndFamily;
  tm->tmCharSet = m.charset;
}

void FillMetricsW(TEXTMETRICW* tm, const RealizedFont& font) {
  FillCommonMetrics(tm, font);
  const auto& m = font.metrics();
  auto clip16 = [](char32_t c) { return static_cast<WCHAR>(std::min<char32_t>(c, 0xFFFF)); };
  tm->tmFirstChar = clip16(m.firstChar);
  tm->tmLastChar = clip16(m.lastChar);
  tm->tmDefaultChar = clip16(m.defaultChar);
  tm->tmBreakChar = clip16(m.breakChar);
}

void FillMetricsA(TEXTMETRICA* tm, const RealizedFont& font) {
  FillCommonMetrics(tm, font);
  const auto& m = font.metrics();
  tm->tmFirstChar = static_cast<BYTE>(std::min<char32_t>(m.firstChar, 0xFF));
  tm->tmLastChar = static_cast<BYTE>(std::min<char32_t>(m.lastChar, 0xFF));
  tm->tmDefaultChar = static_cast<BYTE>(std::min<char32_t>(m.defaultChar, 0xFF));
  tm->tmBreakChar = static_cast<BYTE>(std::min<char32_t>(m.breakChar, 0xFF));
}

}  // namespace

tav::font::FontRequest FontRequestFrom(const LOGFONTW& lf) {
  tav::font::FontRequest r;
  r.face = FaceOf(lf);
  r.height = lf.lfHeight;
  r.width = lf.lfWidth < 0 ? -lf.lfWidth : lf.lfWidth;
  r.escapement = lf.lfEscapement;
  r.weight = lf.lfWeight;
  r.italic = lf.lfItalic != 0;
  r.underline = lf.lfUnderline != 0;
  r.strikeOut = lf.lfStrikeOut != 0;
  r.charset = lf.lfCharSet;
  r.quality = lf.lfQuality;
  r.pitchAndFamily = lf.lfPitchAndFamily;
  return r;
}

std::shared_ptr<RealizedFont> DcFont(const DeviceContext& dc) {
  auto font = SelectedFont(dc);
  if (!font) return RealizedFont::Get(tav::font::FontRequest{}, {}, false);
  // In the compatible graphics mode glyphs stay upright whatever the mapping's
  // signs: only its scale sizes the font. The advanced mode turns, shears and
  // mirrors them with the world transform.
  const Matrix m = dc.LogicalToDevice();
  const tav::font::Matrix mapping = dc.state.graphicsMode == GM_ADVANCED
                                        ? tav::font::Matrix{m.m11, m.m21, m.m12, m.m22}
                                        : tav::font::Matrix{std::abs(m.m11), 0, 0, std::abs(m.m22)};
  std::lock_guard lock(font->faceLock);
  if (!font->face) {
    auto face = std::make_shared<FontFace>();
    face->request = FontRequestFrom(font->logFont);
    font->face = face;
  }
  auto* face = static_cast<FontFace*>(font->face.get());
  const bool antialias = WantsGreyText(dc) && face->request.quality != NONANTIALIASED_QUALITY;
  if (!face->realized || !(face->mapping == mapping) || face->antialias != antialias) {
    auto realized = RealizedFont::Get(face->request, mapping, antialias);
    if (!realized) return nullptr;
    face->realized = std::move(realized);
    face->mapping = mapping;
    face->antialias = antialias;
  }
  return face->realized;
}

LOGFONTW DcLogFont(const DeviceContext& dc) {
  auto font = SelectedFont(dc);
  return font ? font->logFont : LOGFONTW{};
}

UINT DcCodePage(const DeviceContext& dc) {
  auto font = SelectedFont(dc);
  if (font && font->logFont.lfCharSet == OEM_CHARSET) return GetOEMCP();
  const UINT cp = font ? tav::font::CharsetCodePage(font->logFont.lfCharSet) : 0;
  return cp ? cp : GetACP();
}

WideText Widen(UINT codePage, const char* text, int length, bool countBytes) {
  WideText out;
  if (!text || length <= 0) return out;
  out.text.reserve(static_cast<size_t>(length));
  if (countBytes) out.bytesOf.reserve(static_cast<size_t>(length));
  const bool utf8 = codePage == CP_UTF8;
  for (int i = 0; i < length;) {
    const auto b = static_cast<unsigned char>(text[i]);
    // A byte below 0x80 is a character of its own in every code page.
    int n = 1;
    if (b >= 0x80) {
      if (utf8)
        n = b >= 0xF0 ? 4 : b >= 0xE0 ? 3 : b >= 0xC0 ? 2 : 1;
      else if (IsDBCSLeadByteEx(codePage, b) && i + 1 < length && text[i + 1] != 0)
        n = 2;
    }
    n = std::min(n, length - i);
    WCHAR units[4];
    int got = b < 0x80 ? (units[0] = b, 1) : MultiByteToWideChar(codePage, 0, text + i, n, units, 4);
    if (got <= 0) {
      units[0] = u'?';
      got = 1;
    }
    for (int k = 0; k < got; ++k) {
      out.text += units[k];
      if (countBytes) out.bytesOf.push_back(k == 0 ? n : 0);
    }
    i += n;
  }
  return out;
}

int ToLogical(const RealizedFont& font, double devicePixels) {
  return static_cast<int>(std::lround(devicePixels / font.scale()));
}

}  // namespace gdi

using namespace gdi;

HFONT CreateFontIndirectW(const LOGFONTW* lf) {
  if (!lf) return nullptr;
  auto font = std::make_shared<Font>();
  font->logFont = *lf;
  font->logFont.lfFaceName[LF_FACESIZE - 1] = 0;
  return static_cast<HFONT>(AddObject(font));
}

HFONT CreateFontIndirectA(const LOGFONTA* lf) {
  if (!lf) return nullptr;
  const LOGFONTW w = WidenLogFont(*lf);
  return CreateFontIndirectW(&w);
}

namespace {

// The LOGFONT that CreateFont's parameters describe.
template <class LogFont, class Char>
LogFont MakeLogFont(int height, int width, int escapement, int orientation, int weight, DWORD italic,
                    DWORD underline, DWORD strikeOut, DWORD charSet, DWORD outPrecision, DWORD clipPrecision,
                    DWORD quality, DWORD pitchAndFamily, const Char* face) {
  LogFont lf{};
  lf.lfHeight = height;
  lf.lfWidth = width;
  lf.lfEscapement = escapement;
  lf.lfOrientation = orientation;
  lf.lfWeight = weight;
  lf.lfItalic = static_cast<BYTE>(italic);
  lf.lfUnderline = static_cast<BYTE>(underline);
  lf.lfStrikeOut = static_cast<BYTE>(strikeOut);
  lf.lfCharSet = static_cast<BYTE>(charSet);
  lf.lfOutPrecision = static_cast<BYTE>(outPrecision);
  lf.lfClipPrecision = static_cast<BYTE>(clipPrecision);
  lf.lfQuality = static_cast<BYTE>(quality);
  lf.lfPitchAndFamily = static_cast<BYTE>(pitchAndFamily);
  for (int i = 0; face && i < LF_FACESIZE - 1 && face[i]; ++i) lf.lfFaceName[i] = face[i];
  return lf;
}

}  // namespace

HFONT CreateFontW(int height, int width, int escapement, int orientation, int weight, DWORD italic, DWORD underline,
                  DWORD strikeOut, DWORD charSet, DWORD outPrecision, DWORD clipPrecision, DWORD quality,
                  DWORD pitchAndFamily, LPCWSTR face) {
  const LOGFONTW lf = MakeLogFont<LOGFONTW>(height, width, escapement, orientation, weight, italic, underline, strikeOut,
                                            charSet, outPrecision, clipPrecision, quality, pitchAndFamily, face);
  return CreateFontIndirectW(&lf);
}

HFONT CreateFontA(int height, int width, int escapement, int orientation, int weight, DWORD italic, DWORD underline,
                  DWORD strikeOut, DWORD charSet, DWORD outPrecision, DWORD clipPrecision, DWORD quality,
                  DWORD pitchAndFamily, LPCSTR face) {
  const LOGFONTA lf = MakeLogFont<LOGFONTA>(height, width, escapement, orientation, weight, italic, underline, strikeOut,
                                            charSet, outPrecision, clipPrecision, quality, pitchAndFamily, face);
  return CreateFontIndirectA(&lf);
}

BOOL GetTextMetricsW(HDC hdc, LPTEXTMETRICW metrics) {
  auto dc = FindDC(hdc);
  if (!dc || !metrics) return FALSE;
  auto font = DcFont(*dc);
  if (!font) return FALSE;
  *metrics = TEXTMETRICW{};
  FillMetricsW(metrics, *font);
  return TRUE;
}

BOOL GetTextMetricsA(HDC hdc, LPTEXTMETRICA metrics) {
  auto dc = FindDC(hdc);
  if (!dc || !metrics) return FALSE;
  auto font = DcFont(*dc);
  if (!font) return FALSE;
  *metrics = TEXTMETRICA{};
  FillMetricsA(metrics, *font);
  return TRUE;
}

// Both return the characters copied (without the terminator), or the size
// needed including it when no buffer is given.
int GetTextFaceW(HDC hdc, int size, LPWSTR face) {
  auto dc = FindDC(hdc);
  if (!dc) return 0;
  auto font = DcFont(*dc);
  if (!font) return 0;
  const std::u16string& name = font->faceName();
  if (!face) return static_cast<int>(name.size()) + 1;
  if (size <= 0) return 0;
  const int n = std::min(static_cast<int>(name.size()), size - 1);
  std::copy_n(name.begin(), n, face);
  face[n] = 0;
  return n;
}

int GetTextFaceA(HDC hdc, int size, LPSTR face) {
  auto dc = FindDC(hdc);
  if (!dc) return 0;
  auto font = DcFont(*dc);
  if (!font) return 0;
  const std::u16string& name = font->faceName();
  char buffer[LF_FACESIZE * 2 + 1];
  NarrowFace(name, DcCodePage(*dc), buffer, sizeof buffer);
  const int length = static_cast<int>(std::strlen(buffer));
  if (!face) return length + 1;
  if (size <= 0) return 0;
  const int n = std::min(length, size - 1);
  std::memcpy(face, buffer, static_cast<size_t>(n));
  face[n] = 0;
  return n;
}

// ---------------------------------------------------------------------------
// Enumeration

namespace {

struct ScriptName {
  BYTE charset;
  std::u16string_view name;
};
constexpr std::array kScripts{
    ScriptName{ANSI_CHARSET, u"Western"},       ScriptName{GREEK_CHARSET, u"Greek"},
    ScriptName{TURKISH_CHARSET, u"Turkish"},    ScriptName{VIETNAMESE_CHARSET, u"Vietnamese"},
    ScriptName{HEBREW_CHARSET, u"Hebrew"},      ScriptName{ARABIC_CHARSET, u"Arabic"},
    ScriptName{BALTIC_CHARSET, u"Baltic"},      ScriptName{RUSSIAN_CHARSET, u"Cyrillic"},
    ScriptName{THAI_CHARSET, u"Thai"},          ScriptName{EASTEUROPE_CHARSET, u"Central European"},
    ScriptName{SHIFTJIS_CHARSET, u"Japanese"},  ScriptName{HANGUL_CHARSET, u"Hangul"},
    ScriptName{GB2312_CHARSET, u"CHINESE_GB2312"}, ScriptName{CHINESEBIG5_CHARSET, u"CHINESE_BIG5"},
};

std::u16string_view ScriptOf(BYTE charset) {
  for (const auto& s : kScripts)
    if (s.charset == charset) return s.name;
  return u"";
}

// One face as the enumeration hands it out, in its wide form.
struct EnumEntry {
  ENUMLOGFONTEXW logFont{};
  NEWTEXTMETRICEXW metrics{};
};

template <size_t N>
void CopyName(WCHAR (&out)[N], std::u16string_view name) {
  const size_t n = std::min(name.size(), N - 1);
  std::copy_n(name.begin(), n, out);
  out[n] = 0;
}

std::vector<EnumEntry> EnumEntries(const LOGFONTW* filter) {
  const std::u16string wantFace = filter ? FaceOf(*filter) : std::u16string();
  const BYTE wantCharset = filter ? filter->lfCharSet : DEFAULT_CHARSET;
  auto lower = [](std::u16string s) {
    for (auto& c : s)
      if (c >= u'A' && c <= u'Z') c = static_cast<char16_t>(c + 32);
    return s;
  };
  // The installed families, and the common Windows names that metric-compatible
  // families stand in for, so that choosers find "Arial" where it is expected.
  auto families = tav::font::ListFamilies();
  static constexpr std::array<std::u16string_view, 3> kListedStandIns{u"Arial", u"Courier New", u"Times New Roman"};
  for (auto name : kListedStandIns) {
    const auto family = tav::font::StandInFamily(name);
    auto it = std::find_if(families.begin(), families.end(), [&](const auto& f) { return f.family == family; });
    if (it == families.end()) continue;
    tav::font::FamilyInfo alias = *it;
    alias.family = std::u16string(name);
    families.push_back(std::move(alias));
  }
  std::sort(families.begin(), families.end(), [&](const auto& a, const auto& b) { return lower(a.family) < lower(b.family); });

  std::vector<EnumEntry> out;
  for (const auto& fam : families) {
    if (!wantFace.empty() && lower(fam.family) != lower(wantFace)) continue;
    for (BYTE charset : fam.charsets) {
      if (wantCharset != DEFAULT_CHARSET && charset != wantCharset) continue;
      tav::font::FontRequest req;
      req.face = fam.family;
      req.height = 16;
      req.charset = charset;
      auto font = RealizedFont::Get(req, {}, false);
      if (!font) continue;
      EnumEntry e;
      FillMetricsW(reinterpret_cast<TEXTMETRICW*>(&e.metrics.ntmTm), *font);
      e.metrics.ntmTm.ntmFlags = 0x40;  // NTM_REGULAR
      e.metrics.ntmTm.ntmSizeEM = 2048;
      e.metrics.ntmTm.ntmCellHeight = static_cast<UINT>(e.metrics.ntmTm.tmHeight);
      e.metrics.ntmTm.ntmAvgWidth = static_cast<UINT>(e.metrics.ntmTm.tmAveCharWidth);
      LOGFONTW& lf = e.logFont.elfLogFont;
      lf.lfHeight = e.metrics.ntmTm.tmHeight;
      lf.lfWidth = e.metrics.ntmTm.tmAveCharWidth;
      lf.lfWeight = FW_NORMAL;
      lf.lfCharSet = charset;
      lf.lfOutPrecision = OUT_STROKE_PRECIS;
      lf.lfClipPrecision = 2;  // CLIP_STROKE_PRECIS
      lf.lfQuality = DRAFT_QUALITY;
      lf.lfPitchAndFamily = static_cast<BYTE>((fam.monospace ? FIXED_PITCH | FF_MODERN : VARIABLE_PITCH) |
                                              (fam.monospace ? 0 : fam.serif ? FF_ROMAN : FF_SWISS));
      CopyName(lf.lfFaceName, fam.family);
      CopyName(e.logFont.elfFullName, fam.family);
      CopyName(e.logFont.elfStyle, u"Regular");
      CopyName(e.logFont.elfScript, ScriptOf(charset));
      out.push_back(e);
    }
  }
  return out;
}

template <size_t N, size_t M>
void NarrowName(BYTE (&out)[N], const WCHAR (&in)[M], UINT codePage) {
  NarrowFace(std::u16string_view(in), codePage, reinterpret_cast<char*>(out), static_cast<int>(N));
}

}  // namespace

int EnumFontFamiliesExW(HDC hdc, LPLOGFONTW filter, FONTENUMPROCW callback, LPARAM param, DWORD) {
  if (!callback) return 0;
  int result = 1;
  for (const auto& e : EnumEntries(filter)) {
    result = callback(&e.logFont.elfLogFont, reinterpret_cast<const TEXTMETRICW*>(&e.metrics), TRUETYPE_FONTTYPE, param);
    if (result == 0) break;
  }
  return result;
}

int EnumFontFamiliesExA(HDC hdc, LPLOGFONTA filter, FONTENUMPROCA callback, LPARAM param, DWORD) {
  if (!callback) return 0;
  std::optional<LOGFONTW> wideFilter;
  if (filter) wideFilter = WidenLogFont(*filter);
  int result = 1;
  for (const auto& e : EnumEntries(wideFilter ? &*wideFilter : nullptr)) {
    const UINT cp = tav::font::CharsetCodePage(e.logFont.elfLogFont.lfCharSet);
    const UINT codePage = cp ? cp : GetACP();
    ENUMLOGFONTEXA a{};
    std::memcpy(&a.elfLogFont, &e.logFont.elfLogFont, offsetof(LOGFONTW, lfFaceName));
    NarrowFace(std::u16string_view(e.logFont.elfLogFont.lfFaceName), codePage, a.elfLogFont.lfFaceName, LF_FACESIZE);
    NarrowName(a.elfFullName, e.logFont.elfFullName, codePage);
    NarrowName(a.elfStyle, e.logFont.elfStyle, codePage);
    NarrowName(a.elfScript, e.logFont.elfScript, codePage);
    NEWTEXTMETRICEXA tm{};
    std::memcpy(&tm.ntmTm, &e.metrics.ntmTm, offsetof(NEWTEXTMETRICW, tmFirstChar));
    const auto& w = e.metrics.ntmTm;
    tm.ntmTm.tmFirstChar = static_cast<BYTE>(std::min<int>(w.tmFirstChar, 0xFF));
    tm.ntmTm.tmLastChar = static_cast<BYTE>(std::min<int>(w.tmLastChar, 0xFF));
    tm.ntmTm.tmDefaultChar = static_cast<BYTE>(std::min<int>(w.tmDefaultChar, 0xFF));
    tm.ntmTm.tmBreakChar = static_cast<BYTE>(std::min<int>(w.tmBreakChar, 0xFF));
    tm.ntmTm.tmItalic = w.tmItalic;
    tm.ntmTm.tmUnderlined = w.tmUnderlined;
    tm.ntmTm.tmStruckOut = w.tmStruckOut;
    tm.ntmTm.tmPitchAndFamily = w.tmPitchAndFamily;
    tm.ntmTm.tmCharSet = w.tmCharSet;
    tm.ntmTm.ntmFlags = w.ntmFlags;
    tm.ntmTm.ntmSizeEM = w.ntmSizeEM;
    tm.ntmTm.ntmCellHeight = w.ntmCellHeight;
    tm.ntmTm.ntmAvgWidth = w.ntmAvgWidth;
    result = callback(&a.elfLogFont, reinterpret_cast<const TEXTMETRICA*>(&tm), TRUETYPE_FONTTYPE, param);
    if (result == 0) break;
  }
  return result;
}

int MulDiv(int number, int numerator, int denominator) {
  if (denominator == 0) return -1;
  const int64_t product = static_cast<int64_t>(number) * numerator;
  const bool negative = (product < 0) != (denominator < 0);
  const uint64_t p = product < 0 ? static_cast<uint64_t>(-product) : static_cast<uint64_t>(product);
  const uint64_t d = denominator < 0 ? static_cast<uint64_t>(-static_cast<int64_t>(denominator))
                                     : static_cast<uint64_t>(denominator);
  const uint64_t q = (p + d / 2) / d;  // halves round away from zero
  if (q > static_cast<uint64_t>(std::numeric_limits<int>::max()) + (negative ? 1u : 0u)) return -1;
  return negative ? static_cast<int>(-static_cast<int64_t>(q)) : static_cast<int>(q);
}
