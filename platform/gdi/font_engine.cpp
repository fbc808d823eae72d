#include "platform/gdi/font_engine.h"

#include <fontconfig/fontconfig.h>
#include <ft2build.h>
#include FT_FREETYPE_H
#include FT_ADVANCES_H
#include FT_OUTLINE_H
#include FT_SIZES_H
#include FT_TRUETYPE_TABLES_H

#include <algorithm>
#include <array>
#include <cmath>
#include <cstdlib>
#include <map>
#include <mutex>
#include <numbers>
#include <optional>
#include <tuple>
#include <unordered_map>

namespace tav::font {
namespace {

// One lock guards FreeType, fontconfig and every cache of this module: FreeType
// faces are not safe to share between threads, and the work under the lock is
// short once the caches are warm.
std::mutex& EngineMutex() {
  static std::mutex m;
  return m;
}

std::string ToUtf8(std::u16string_view s) {
  std::string out;
  for (char32_t c : DecodeUtf16(s)) {
    if (c < 0x80) {
      out += static_cast<char>(c);
    } else if (c < 0x800) {
      out += static_cast<char>(0xC0 | (c >> 6));
      out += static_cast<char>(0x80 | (c & 0x3F));
    } else if (c < 0x10000) {
      out += static_cast<char>(0xE0 | (c >> 12));
      out += static_cast<char>(0x80 | ((c >> 6) & 0x3F));
      out += static_cast<char>(0x80 | (c & 0x3F));
    } else {
      out += static_cast<char>(0xF0 | (c >> 18));
      out += static_cast<char>(0x80 | ((c >> 12) & 0x3F));
      out += static_cast<char>(0x80 | ((c >> 6) & 0x3F));
      out += static_cast<char>(0x80 | (c & 0x3F));
    }
  }
  return out;
}

std::u16string FromUtf8(std::string_view s) {
  std::u16string out;
  for (size_t i = 0; i < s.size();) {
    auto b = static_cast<unsigned char>(s[i]);
    char32_t c = b;
    int extra = b >= 0xF0 ? 3 : b >= 0xE0 ? 2 : b >= 0xC0 ? 1 : 0;
    if (extra) c = b & (0x3F >> extra);
    ++i;
    for (int k = 0; k < extra && i < s.size(); ++k, ++i) c = (c << 6) | (static_cast<unsigned char>(s[i]) & 0x3F);
    if (c >= 0x10000) {
      c -= 0x10000;
      out += static_cast<char16_t>(0xD800 + (c >> 10));
      out += static_cast<char16_t>(0xDC00 + (c & 0x3FF));
    } else {
      out += static_cast<char16_t>(c);
    }
  }
  return out;
}

std::u16string Lower(std::u16string_view s) {
  std::u16string out(s);
  for (auto& c : out)
    if (c >= u'A' && c <= u'Z') c = static_cast<char16_t>(c + 32);
  return out;
}

// Metric-compatible or look-alike families for face names the system's code uses.
constexpr std::array kStandIns{
    StandIn{u"Arial", u"Liberation Sans"},
    StandIn{u"Helvetica", u"Liberation Sans"},
    StandIn{u"Arial Narrow", u"Liberation Sans Narrow"},
    StandIn{u"Times New Roman", u"Liberation Serif"},
    StandIn{u"Times", u"Liberation Serif"},
    StandIn{u"Courier New", u"Liberation Mono"},
    StandIn{u"Courier", u"Liberation Mono"},
    StandIn{u"MS Sans Serif", u"DejaVu Sans"},
    StandIn{u"Microsoft Sans Serif", u"DejaVu Sans"},
    StandIn{u"MS Shell Dlg", u"DejaVu Sans"},
    StandIn{u"MS Shell Dlg 2", u"DejaVu Sans"},
    StandIn{u"System", u"DejaVu Sans"},
    StandIn{u"Tahoma", u"DejaVu Sans"},
    StandIn{u"Verdana", u"DejaVu Sans"},
    StandIn{u"Segoe UI", u"DejaVu Sans"},
    StandIn{u"MS Serif", u"DejaVu Serif"},
    StandIn{u"Georgia", u"DejaVu Serif"},
    StandIn{u"Lucida Console", u"DejaVu Sans Mono"},
    StandIn{u"Consolas", u"DejaVu Sans Mono"},
    StandIn{u"Fixedsys", u"DejaVu Sans Mono"},
    StandIn{u"Terminal", u"DejaVu Sans Mono"},
};

// Face names of the Chinese, Japanese and Korean systems, by the language they stand for.
struct CjkFace {
  std::u16string_view face;  // lower case
  const char* lang;
};
constexpr std::array kCjkFaces{
    CjkFace{u"simsun", "zh-cn"},          CjkFace{u"nsimsun", "zh-cn"},
    CjkFace{u"simhei", "zh-cn"},          CjkFace{u"microsoft yahei", "zh-cn"},
    CjkFace{u"kaiti", "zh-cn"},           CjkFace{u"fangsong", "zh-cn"},
    CjkFace{u"\u5b8b\u4f53", "zh-cn"},    CjkFace{u"\u65b0\u5b8b\u4f53", "zh-cn"},
    CjkFace{u"\u9ed1\u4f53", "zh-cn"},    CjkFace{u"\u5fae\u8f6f\u96c5\u9ed1", "zh-cn"},
    CjkFace{u"\u6977\u4f53", "zh-cn"},    CjkFace{u"mingliu", "zh-tw"},
    CjkFace{u"pmingliu", "zh-tw"},        CjkFace{u"microsoft jhenghei", "zh-tw"},
    CjkFace{u"\u7d30\u660e\u9ad4", "zh-tw"}, CjkFace{u"\u65b0\u7d30\u660e\u9ad4", "zh-tw"},
    CjkFace{u"ms gothic", "ja"},          CjkFace{u"ms pgothic", "ja"},
    CjkFace{u"ms mincho", "ja"},          CjkFace{u"ms pmincho", "ja"},
    CjkFace{u"meiryo", "ja"},             CjkFace{u"gulim", "ko"},
    CjkFace{u"batang", "ko"},             CjkFace{u"dotum", "ko"},
    CjkFace{u"gungsuh", "ko"},            CjkFace{u"malgun gothic", "ko"},
};

const char* CjkFaceLanguage(std::u16string_view lowerFace) {
  for (const auto& f : kCjkFaces)
    if (f.face == lowerFace) return f.lang;
  return nullptr;
}

// Faces used when a requested face is unknown, by pitch and family bits.
std::u16string DefaultFamily(uint8_t pitchAndFamily) {
  const int family = pitchAndFamily & 0xF0;
  if ((pitchAndFamily & 0x03) == 1 || family == 0x30) return u"Liberation Mono";
  if (family == 0x10) return u"Liberation Serif";
  return u"Liberation Sans";
}

struct FcPatternOwner {
  FcPattern* p = nullptr;
  explicit FcPatternOwner(FcPattern* pattern) : p(pattern) {}
  ~FcPatternOwner() {
    if (p) FcPatternDestroy(p);
  }
  FcPatternOwner(const FcPatternOwner&) = delete;
  FcPatternOwner& operator=(const FcPatternOwner&) = delete;
};

void EnsureFontconfig() {
  static bool ready = [] {
    const bool ok = FcInit() == FcTrue;
    // Hand fontconfig's configuration back at exit; left alone, leak checkers
    // report the blocks its parser keeps.
    if (ok) std::atexit([] { FcFini(); });
    return ok;
  }();
  (void)ready;
}

std::vector<std::u16string> Families(FcPattern* p) {
  std::vector<std::u16string> out;
  FcChar8* s = nullptr;
  for (int i = 0; FcPatternGetString(p, FC_FAMILY, i, &s) == FcResultMatch; ++i)
    out.push_back(FromUtf8(reinterpret_cast<const char*>(s)));
  return out;
}

bool HasLanguage(FcPattern* p, const char* lang) {
  FcLangSet* ls = nullptr;
  if (FcPatternGetLangSet(p, FC_LANG, 0, &ls) != FcResultMatch) return false;
  return FcLangSetHasLang(ls, reinterpret_cast<const FcChar8*>(lang)) != FcLangDifferentLang;
}

// Asks fontconfig for the best scalable font; nullptr when it has none.
FcPattern* Match(const std::u16string& family, int weight, bool italic, const char* lang) {
  FcPatternOwner pattern(FcPatternCreate());
  if (!family.empty())
    FcPatternAddString(pattern.p, FC_FAMILY, reinterpret_cast<const FcChar8*>(ToUtf8(family).c_str()));
  FcPatternAddInteger(pattern.p, FC_WEIGHT, FcWeightFromOpenType(weight));
  FcPatternAddInteger(pattern.p, FC_SLANT, italic ? FC_SLANT_ITALIC : FC_SLANT_ROMAN);
  if (lang) FcPatternAddString(pattern.p, FC_LANG, reinterpret_cast<const FcChar8*>(lang));
  FcPatternAddBool(pattern.p, FC_SCALABLE, FcTrue);
  FcConfigSubstitute(nullptr, pattern.p, FcMatchPattern);
  FcDefaultSubstitute(pattern.p);
  FcResult result = FcResultNoMatch;
  return FcFontMatch(nullptr, pattern.p, &result);
}

FaceSource SourceOf(FcPattern* m) {
  FaceSource src;
  FcChar8* file = nullptr;
  if (FcPatternGetString(m, FC_FILE, 0, &file) == FcResultMatch) src.file = reinterpret_cast<const char*>(file);
  FcPatternGetInteger(m, FC_INDEX, 0, &src.index);
  auto fams = Families(m);
  if (!fams.empty()) src.family = fams.front();
  int w = FC_WEIGHT_REGULAR;
  if (FcPatternGetInteger(m, FC_WEIGHT, 0, &w) == FcResultMatch) src.weight = FcWeightToOpenType(w);
  int slant = FC_SLANT_ROMAN;
  FcPatternGetInteger(m, FC_SLANT, 0, &slant);
  src.italic = slant != FC_SLANT_ROMAN;
  // fontconfig marks styles it would synthesise; this engine synthesises them itself.
  FcBool embolden = FcFalse;
  if (FcPatternGetBool(m, FC_EMBOLDEN, 0, &embolden) == FcResultMatch && embolden) src.weight = std::min(src.weight, 400);
  FcMatrix* shear = nullptr;
  if (FcPatternGetMatrix(m, FC_MATRIX, 0, &shear) == FcResultMatch && shear && shear->xy != 0) src.italic = false;
  int spacing = FC_PROPORTIONAL;
  FcPatternGetInteger(m, FC_SPACING, 0, &spacing);
  src.monospace = spacing == FC_MONO;
  const auto lower = Lower(src.family);
  src.serif = lower.find(u"serif") != std::u16string::npos && lower.find(u"sans") == std::u16string::npos;
  return src;
}

// The face fontconfig offers for one character the realised faces lack, as
// the system's font linking would find it: the best match for the weight,
// slant and language among the installed faces that hold the character.
// Asked once per character, weight class, slant and language; nullptr when no
// installed face has it. Called under the engine's lock.
const FaceSource* CoveringFace(char32_t ch, int weight, bool italic, const char* lang) {
  using Key = std::tuple<char32_t, bool, bool, std::string>;
  static std::map<Key, std::optional<FaceSource>> known;
  // Text of any length asks at most this many questions before the answers
  // are asked again, so hostile text cannot grow the map without bound.
  constexpr size_t kMaxKnown = 4096;
  const Key key{ch, weight >= 600, italic, lang ? lang : ""};
  if (auto it = known.find(key); it != known.end()) return it->second ? &*it->second : nullptr;
  if (known.size() >= kMaxKnown) known.clear();
  std::optional<FaceSource> found;
  FcCharSet* wanted = FcCharSetCreate();
  FcCharSetAddChar(wanted, ch);
  FcPatternOwner pattern(FcPatternCreate());
  FcPatternAddCharSet(pattern.p, FC_CHARSET, wanted);
  FcCharSetDestroy(wanted);
  FcPatternAddInteger(pattern.p, FC_WEIGHT, FcWeightFromOpenType(std::get<1>(key) ? 700 : 400));
  FcPatternAddInteger(pattern.p, FC_SLANT, italic ? FC_SLANT_ITALIC : FC_SLANT_ROMAN);
  if (lang) FcPatternAddString(pattern.p, FC_LANG, reinterpret_cast<const FcChar8*>(lang));
  FcPatternAddBool(pattern.p, FC_SCALABLE, FcTrue);
  FcConfigSubstitute(nullptr, pattern.p, FcMatchPattern);
  FcDefaultSubstitute(pattern.p);
  FcResult result = FcResultNoMatch;
  FcPatternOwner match(FcFontMatch(nullptr, pattern.p, &result));
  FcCharSet* has = nullptr;
  // The best match is only the closest font: it holds the character only
  // when some installed face does.
  if (match.p && FcPatternGetCharSet(match.p, FC_CHARSET, 0, &has) == FcResultMatch && FcCharSetHasChar(has, ch))
    found = SourceOf(match.p);
  auto& slot = known[key];
  slot = std::move(found);
  return slot ? &*slot : nullptr;
}

bool NamesFamily(FcPattern* m, const std::u16string& family) {
  const auto want = Lower(family);
  for (const auto& f : Families(m))
    if (Lower(f) == want) return true;
  return false;
}

FaceSource ResolveLocked(const FontRequest& req) {
  EnsureFontconfig();
  std::u16string face = req.face;
  if (!face.empty() && face.front() == u'@') face.erase(0, 1);  // vertical variants draw upright here
  const auto lower = Lower(face);
  const char* lang = CharsetLanguage(req.charset);
  if (!lang) lang = CjkFaceLanguage(lower);
  const int weight = req.weight <= 0 ? 400 : std::clamp(req.weight, 1, 1000);

  std::u16string family = face.empty() ? DefaultFamily(req.pitchAndFamily) : StandInFamily(face);
  FcPatternOwner m(Match(family, weight, req.italic, lang));
  if (m.p && !NamesFamily(m.p, family)) {
    // Unknown face: keep to a predictable default rather than fontconfig's guess.
    FcPatternOwner fallback(Match(DefaultFamily(req.pitchAndFamily), weight, req.italic, lang));
    std::swap(m.p, fallback.p);
  }
  // A font that lacks the character set's language loses against one that has it,
  // as a face name weighs less than the character set.
  if (m.p && lang && !HasLanguage(m.p, lang)) {
    FcPatternOwner byLang(Match(u"", weight, req.italic, lang));
    if (byLang.p && HasLanguage(byLang.p, lang)) std::swap(m.p, byLang.p);
  }
  if (!m.p) return {};
  return SourceOf(m.p);
}

// ---------------------------------------------------------------------------
// FreeType faces

FT_Library Library() {
  static FT_Library lib = [] {
    FT_Library l = nullptr;
    FT_Init_FreeType(&l);
    return l;
  }();
  return lib;
}

struct FaceData {
  FT_Face face = nullptr;
  int upem = 2048;
  int winAscent = 0, winDescent = 0;
  int hheaAscent = 0, hheaDescent = 0, lineGap = 0;
  int avgCharWidth = 0, maxAdvance = 0;
  int underlinePos = 0, underlineThickness = 0;
  int strikeoutPos = 0, strikeoutSize = 0;
  char32_t firstChar = 0x20, lastChar = 0xFF;
  ~FaceData() {
    if (face) FT_Done_Face(face);
  }
};

// The average character width as the classic fonts define it: lower-case letters
// and the space weighted by their frequency in English text. Newer files store
// an average over all glyphs instead, which would make fonts that are metric
// twins (Liberation Sans and Arial) report different widths. 0 when a letter is missing.
int WeightedAverageWidth(FT_Face f) {
  static constexpr std::array<int, 26> kWeights{64, 14, 27, 35, 100, 20, 14, 42, 63, 3, 6, 35, 20,
                                                56, 56, 17, 4,  49, 56, 71, 31, 10, 18, 3,  18, 2};
  auto advance = [f](char32_t c) -> long {
    FT_UInt gi = FT_Get_Char_Index(f, c);
    FT_Fixed adv = 0;
    if (gi == 0 || FT_Get_Advance(f, gi, FT_LOAD_NO_SCALE, &adv) != 0) return -1;
    return adv;
  };
  long sum = 0;
  for (int i = 0; i < 26; ++i) {
    long a = advance(U'a' + i);
    if (a < 0) return 0;
    sum += a * kWeights[i];
  }
  long space = advance(U' ');
  if (space < 0) return 0;
  return static_cast<int>((sum + space * 166) / 1000);
}

std::shared_ptr<FaceData> OpenFace(const std::string& file, int index) {
  static std::map<std::pair<std::string, int>, std::shared_ptr<FaceData>> faces;
  auto key = std::make_pair(file, index);
  if (auto it = faces.find(key); it != faces.end()) return it->second;
  auto fd = std::make_shared<FaceData>();
  if (file.empty() || FT_New_Face(Library(), file.c_str(), index, &fd->face) != 0) {
    fd->face = nullptr;
    return nullptr;
  }
  FT_Face f = fd->face;
  FT_Select_Charmap(f, FT_ENCODING_UNICODE);
  fd->upem = f->units_per_EM ? f->units_per_EM : 2048;
  auto* os2 = static_cast<TT_OS2*>(FT_Get_Sfnt_Table(f, FT_SFNT_OS2));
  auto* hhea = static_cast<TT_HoriHeader*>(FT_Get_Sfnt_Table(f, FT_SFNT_HHEA));
  auto* post = static_cast<TT_Postscript*>(FT_Get_Sfnt_Table(f, FT_SFNT_POST));
  fd->hheaAscent = hhea ? hhea->Ascender : f->ascender;
  fd->hheaDescent = hhea ? -hhea->Descender : -f->descender;
  fd->lineGap = hhea ? hhea->Line_Gap : 0;
  fd->maxAdvance = hhea ? hhea->advance_Width_Max : f->max_advance_width;
  if (os2 && os2->version != 0xFFFF && os2->usWinAscent + os2->usWinDescent > 0) {
    fd->winAscent = os2->usWinAscent;
    fd->winDescent = os2->usWinDescent;
    fd->avgCharWidth = os2->xAvgCharWidth;
    fd->strikeoutPos = os2->yStrikeoutPosition;
    fd->strikeoutSize = os2->yStrikeoutSize;
  } else {
    fd->winAscent = fd->hheaAscent;
    fd->winDescent = fd->hheaDescent;
  }
  if (int weighted = WeightedAverageWidth(f); weighted > 0) fd->avgCharWidth = weighted;
  if (fd->avgCharWidth <= 0) fd->avgCharWidth = std::max(1, fd->upem / 2);
  if (fd->strikeoutSize <= 0) fd->strikeoutSize = std::max(1, fd->upem / 20);
  if (fd->strikeoutPos <= 0) fd->strikeoutPos = fd->winAscent / 3;
  fd->underlinePos = post ? post->underlinePosition : f->underline_position;
  fd->underlineThickness = post ? post->underlineThickness : f->underline_thickness;
  if (fd->underlineThickness <= 0) fd->underlineThickness = std::max(1, fd->upem / 20);
  FT_UInt gi = 0;
  FT_ULong c = FT_Get_First_Char(f, &gi);
  fd->firstChar = gi ? static_cast<char32_t>(c) : 0x20;
  char32_t last = fd->firstChar;
  while (gi != 0) {
    if (c <= 0xFFFF) last = static_cast<char32_t>(c);
    c = FT_Get_Next_Char(f, c, &gi);
  }
  fd->lastChar = last;
  faces.emplace(key, fd);
  return fd;
}

int RoundPx(double v) { return static_cast<int>(std::lround(v)); }

}  // namespace

// ---------------------------------------------------------------------------
// Public helpers

std::u32string DecodeUtf16(std::u16string_view text) {
  std::u32string out;
  out.reserve(text.size());
  for (size_t i = 0; i < text.size(); ++i) {
    char32_t c = text[i];
    if (c >= 0xD800 && c < 0xDC00 && i + 1 < text.size() && text[i + 1] >= 0xDC00 && text[i + 1] < 0xE000) {
      c = 0x10000 + ((c - 0xD800) << 10) + (text[i + 1] - 0xDC00);
      ++i;
    }
    out += c;
  }
  return out;
}

std::u16string StandInFamily(std::u16string_view face) {
  const auto lower = Lower(face);
  for (const auto& s : kStandIns)
    if (Lower(s.face) == lower) return std::u16string(s.family);
  return std::u16string(face);
}

const char* CharsetLanguage(uint8_t charset) {
  switch (charset) {
    case kShiftJisCharset: return "ja";
    case kHangulCharset:
    case kJohabCharset: return "ko";
    case kGb2312Charset: return "zh-cn";
    case kBig5Charset: return "zh-tw";
    default: return nullptr;
  }
}

unsigned CharsetCodePage(uint8_t charset) {
  switch (charset) {
    case kShiftJisCharset: return 932;
    case kHangulCharset: return 949;
    case kJohabCharset: return 1361;
    case kGb2312Charset: return 936;
    case kBig5Charset: return 950;
    case 161: return 1253;  // Greek
    case 162: return 1254;  // Turkish
    case 163: return 1258;  // Vietnamese
    case 177: return 1255;  // Hebrew
    case 178: return 1256;  // Arabic
    case 186: return 1257;  // Baltic
    case 204: return 1251;  // Russian
    case 222: return 874;   // Thai
    case 238: return 1250;  // Eastern Europe
    default: return 0;
  }
}

FaceSource ResolveFace(const FontRequest& request) {
  std::lock_guard lock(EngineMutex());
  return ResolveLocked(request);
}

std::span<const StandIn> StandIns() { return kStandIns; }

std::vector<FontFileInfo> ListFontFiles() {
  std::lock_guard lock(EngineMutex());
  EnsureFontconfig();
  FcPatternOwner pattern(FcPatternCreate());
  FcPatternAddBool(pattern.p, FC_SCALABLE, FcTrue);
  FcObjectSet* os = FcObjectSetBuild(FC_FAMILY, FC_STYLE, FC_FULLNAME, FC_FILE, FC_FONTFORMAT, nullptr);
  FcFontSet* set = FcFontList(nullptr, pattern.p, os);
  FcObjectSetDestroy(os);
  std::vector<FontFileInfo> out;
  for (int i = 0; set && i < set->nfont; ++i) {
    FcPattern* p = set->fonts[i];
    FcChar8* file = nullptr;
    auto fams = Families(p);
    if (FcPatternGetString(p, FC_FILE, 0, &file) != FcResultMatch || fams.empty()) continue;
    FontFileInfo info;
    info.file = reinterpret_cast<const char*>(file);
    FcChar8* s = nullptr;
    if (FcPatternGetString(p, FC_FULLNAME, 0, &s) == FcResultMatch) {
      info.fullName = FromUtf8(reinterpret_cast<const char*>(s));
    } else {
      // Without a full name, the family and any style but the regular one.
      info.fullName = fams.front();
      if (FcPatternGetString(p, FC_STYLE, 0, &s) == FcResultMatch) {
        const auto style = FromUtf8(reinterpret_cast<const char*>(s));
        const auto lower = Lower(style);
        if (lower != u"regular" && lower != u"book" && lower != u"normal" && lower != u"roman")
          info.fullName += u" " + style;
      }
    }
    info.trueType = FcPatternGetString(p, FC_FONTFORMAT, 0, &s) == FcResultMatch &&
                    std::string_view(reinterpret_cast<const char*>(s)) == "TrueType";
    out.push_back(std::move(info));
  }
  if (set) FcFontSetDestroy(set);
  std::sort(out.begin(), out.end(), [](const FontFileInfo& a, const FontFileInfo& b) {
    return std::tie(a.fullName, a.file) < std::tie(b.fullName, b.file);
  });
  return out;
}

std::vector<FamilyInfo> ListFamilies() {
  struct LangCharset {
    const char* lang;
    uint8_t charset;
  };
  static constexpr std::array kLangCharsets{
      LangCharset{"en", kAnsiCharset}, LangCharset{"el", 161},  LangCharset{"tr", 162},
      LangCharset{"vi", 163},          LangCharset{"he", 177},  LangCharset{"ar", 178},
      LangCharset{"lt", 186},          LangCharset{"ru", 204},  LangCharset{"th", 222},
      LangCharset{"pl", 238},          LangCharset{"ja", kShiftJisCharset},
      LangCharset{"ko", kHangulCharset}, LangCharset{"zh-cn", kGb2312Charset},
      LangCharset{"zh-tw", kBig5Charset},
  };
  std::lock_guard lock(EngineMutex());
  EnsureFontconfig();
  FcPatternOwner pattern(FcPatternCreate());
  FcPatternAddBool(pattern.p, FC_SCALABLE, FcTrue);
  FcObjectSet* os = FcObjectSetBuild(FC_FAMILY, FC_SPACING, FC_LANG, nullptr);
  FcFontSet* set = FcFontList(nullptr, pattern.p, os);
  FcObjectSetDestroy(os);
  std::map<std::u16string, FamilyInfo> byName;
  for (int i = 0; set && i < set->nfont; ++i) {
    FcPattern* p = set->fonts[i];
    auto fams = Families(p);
    if (fams.empty()) continue;
    auto& info = byName[fams.front()];
    info.family = fams.front();
    int spacing = FC_PROPORTIONAL;
    FcPatternGetInteger(p, FC_SPACING, 0, &spacing);
    info.monospace = info.monospace || spacing == FC_MONO;
    const auto lower = Lower(info.family);
    info.serif = lower.find(u"serif") != std::u16string::npos && lower.find(u"sans") == std::u16string::npos;
    for (const auto& lc : kLangCharsets)
      if (HasLanguage(p, lc.lang) && std::find(info.charsets.begin(), info.charsets.end(), lc.charset) == info.charsets.end())
        info.charsets.push_back(lc.charset);
  }
  if (set) FcFontSetDestroy(set);
  std::vector<FamilyInfo> out;
  for (auto& [name, info] : byName) {
    std::sort(info.charsets.begin(), info.charsets.end());
    out.push_back(std::move(info));
  }
  return out;
}

// ---------------------------------------------------------------------------
// Realised fonts

namespace {

// A face sized for one realisation.
struct SizedFace {
  std::shared_ptr<FaceData> data;
  FT_Size size = nullptr;
  bool emboldenSynthetic = false;
  bool obliqueSynthetic = false;
  ~SizedFace() {
    if (size) FT_Done_Size(size);
  }
};

struct GlyphRef {
  int slot = 0;  // 0 primary, then fallbacks
  FT_UInt index = 0;
};

constexpr double kObliqueShear = 0.2;
constexpr double kMaxEmPixels = 4096;  // a 5-inch character at 600 dots per inch still fits

}  // namespace

struct RealizedFont::Impl {
  FontRequest request;
  Matrix mapping;
  bool antialias = false;
  FaceSource source;
  std::u16string faceName;
  Metrics metrics;
  double scale = 1;
  double emPx = 16;   // device pixels per em, vertically
  double xEmPx = 16;  // device pixels per em, horizontally
  int boldPx = 0;     // extra width of synthetic bold
  FT_Matrix glyphMatrix{0x10000, 0, 0, 0x10000};
  bool transformed = false;
  double baseX = 1, baseY = 0, downX = 0, downY = 1;
  std::vector<std::unique_ptr<SizedFace>> slots;  // primary first, fallbacks appended lazily
  std::vector<FaceSource> fallbackSources;
  bool fallbacksResolved = false;
  std::array<int32_t, 256> latinAdvance{};
  std::array<bool, 256> latinKnown{};
  std::unordered_map<char32_t, int32_t> advances;
  std::unordered_map<char32_t, GlyphRef> refs;
  std::unordered_map<char32_t, std::shared_ptr<const GlyphImage>> glyphs;

  std::unique_ptr<SizedFace> SizeFace(const FaceSource& src) const {
    auto data = OpenFace(src.file, src.index);
    if (!data) return nullptr;
    auto sf = std::make_unique<SizedFace>();
    sf->data = data;
    if (FT_New_Size(data->face, &sf->size) != 0) return nullptr;
    FT_Activate_Size(sf->size);
    FT_Set_Char_Size(data->face, static_cast<FT_F26Dot6>(std::max(1.0, xEmPx) * 64 + 0.5),
                     static_cast<FT_F26Dot6>(std::max(1.0, emPx) * 64 + 0.5), 72, 72);
    const int weight = request.weight <= 0 ? 400 : request.weight;
    sf->emboldenSynthetic = weight >= 600 && src.weight < 600;
    sf->obliqueSynthetic = request.italic && !src.italic;
    return sf;
  }

  void ResolveFallbacks() {
    if (fallbacksResolved) return;
    fallbacksResolved = true;
    // A CJK face for the character set's language (Simplified Chinese when it names
    // none), then the broadest Latin face.
    const char* lang = CharsetLanguage(request.charset);
    FcPatternOwner cjk(Match(u"", request.weight <= 0 ? 400 : request.weight, request.italic, lang ? lang : "zh-cn"));
    if (cjk.p) fallbackSources.push_back(SourceOf(cjk.p));
    FcPatternOwner wide(Match(u"DejaVu Sans", request.weight <= 0 ? 400 : request.weight, request.italic, nullptr));
    if (wide.p) fallbackSources.push_back(SourceOf(wide.p));
  }

  GlyphRef Find(char32_t ch) {
    if (auto it = refs.find(ch); it != refs.end()) return it->second;
    GlyphRef ref;
    if (FT_UInt gi = FT_Get_Char_Index(slots[0]->data->face, ch); gi != 0) {
      ref = {0, gi};
    } else if (ch >= 0x20 && ch != 0xA0) {
      ResolveFallbacks();
      for (size_t k = 0; k < fallbackSources.size(); ++k) {
        if (fallbackSources[k].file == source.file && fallbackSources[k].index == source.index) continue;
        if (slots.size() <= k + 1) slots.resize(k + 2);
        if (!slots[k + 1]) {
          slots[k + 1] = SizeFace(fallbackSources[k]);
          if (!slots[k + 1]) continue;
        }
        if (FT_UInt gi = FT_Get_Char_Index(slots[k + 1]->data->face, ch); gi != 0) {
          ref = {static_cast<int>(k + 1), gi};
          break;
        }
      }
      if (ref.index == 0) ref = FromCoveringFace(ch);
    }
    refs.emplace(ch, ref);
    return ref;
  }

  // A character that neither the face nor its usual fallbacks hold comes
  // from whichever installed face fontconfig finds for it, which joins the
  // fallbacks.
  GlyphRef FromCoveringFace(char32_t ch) {
    const FaceSource* covering =
        CoveringFace(ch, request.weight <= 0 ? 400 : request.weight, request.italic, CharsetLanguage(request.charset));
    if (!covering || (covering->file == source.file && covering->index == source.index)) return {};
    size_t k = 0;
    while (k < fallbackSources.size() &&
           (fallbackSources[k].file != covering->file || fallbackSources[k].index != covering->index))
      ++k;
    if (k == fallbackSources.size()) fallbackSources.push_back(*covering);
    if (slots.size() <= k + 1) slots.resize(k + 2);
    if (!slots[k + 1]) slots[k + 1] = SizeFace(fallbackSources[k]);
    if (!slots[k + 1]) return {};
    const FT_UInt gi = FT_Get_Char_Index(slots[k + 1]->data->face, ch);
    return gi != 0 ? GlyphRef{static_cast<int>(k + 1), gi} : GlyphRef{};
  }

  int32_t AdvanceLocked(char32_t ch) {
    if (ch < 256 && latinKnown[ch]) return latinAdvance[ch];
    if (auto it = advances.find(ch); it != advances.end()) return it->second;
    const GlyphRef ref = Find(ch);
    SizedFace& sf = *slots[ref.slot];
    FT_Activate_Size(sf.size);
    FT_Fixed adv = 0;
    FT_Get_Advance(sf.data->face, ref.index, FT_LOAD_NO_HINTING, &adv);
    int32_t px = static_cast<int32_t>((adv + 0x8000) >> 16) + (sf.emboldenSynthetic ? boldPx : 0);
    if (ch < 256) {
      latinAdvance[ch] = px;
      latinKnown[ch] = true;
    } else {
      advances.emplace(ch, px);
    }
    return px;
  }

  // The glyph from the cache, rendered on first use; under the engine's lock.
  const std::shared_ptr<const GlyphImage>& GlyphLocked(char32_t ch) {
    if (auto it = glyphs.find(ch); it != glyphs.end()) return it->second;
    return glyphs.emplace(ch, Render(ch)).first->second;
  }

  std::shared_ptr<const GlyphImage> Render(char32_t ch) {
    auto image = std::make_shared<GlyphImage>();
    const GlyphRef ref = Find(ch);
    SizedFace& sf = *slots[ref.slot];
    FT_Face face = sf.data->face;
    FT_Activate_Size(sf.size);
    const FT_Int32 flags = FT_LOAD_NO_BITMAP | (antialias ? FT_LOAD_TARGET_LIGHT : FT_LOAD_TARGET_MONO);
    if (FT_Load_Glyph(face, ref.index, flags) != 0 || face->glyph->format != FT_GLYPH_FORMAT_OUTLINE) return image;
    FT_Outline* outline = &face->glyph->outline;
    if (sf.emboldenSynthetic) FT_Outline_EmboldenXY(outline, boldPx * 64, 0);
    if (sf.obliqueSynthetic) {
      FT_Matrix shear{0x10000, static_cast<FT_Fixed>(kObliqueShear * 0x10000), 0, 0x10000};
      FT_Outline_Transform(outline, &shear);
    }
    if (transformed) FT_Outline_Transform(outline, &glyphMatrix);
    if (FT_Render_Glyph(face->glyph, antialias ? FT_RENDER_MODE_NORMAL : FT_RENDER_MODE_MONO) != 0) return image;
    const FT_Bitmap& bm = face->glyph->bitmap;
    image->left = face->glyph->bitmap_left;
    image->top = -face->glyph->bitmap_top;
    image->width = static_cast<int32_t>(bm.width);
    image->height = static_cast<int32_t>(bm.rows);
    image->coverage.assign(static_cast<size_t>(image->width) * image->height, 0);
    for (int y = 0; y < image->height; ++y) {
      const unsigned char* row = bm.buffer + static_cast<ptrdiff_t>(y) * bm.pitch;
      uint8_t* out = image->coverage.data() + static_cast<size_t>(y) * image->width;
      for (int x = 0; x < image->width; ++x) {
        if (bm.pixel_mode == FT_PIXEL_MODE_MONO)
          out[x] = (row[x >> 3] & (0x80 >> (x & 7))) ? 255 : 0;
        else
          out[x] = bm.num_grays == 256 ? row[x] : static_cast<uint8_t>(row[x] * 255 / std::max(1, bm.num_grays - 1));
      }
    }
    return image;
  }
};

RealizedFont::RealizedFont(std::unique_ptr<Impl> impl) : impl_(std::move(impl)) {}

RealizedFont::~RealizedFont() {
  std::lock_guard lock(EngineMutex());
  impl_.reset();
}

namespace {

std::unique_ptr<RealizedFont::Impl> Realize(const FontRequest& req, const Matrix& mapping, bool antialias) {
  auto impl = std::make_unique<RealizedFont::Impl>();
  impl->request = req;
  impl->mapping = mapping;
  impl->antialias = antialias;
  impl->source = ResolveLocked(req);
  auto primaryData = OpenFace(impl->source.file, impl->source.index);
  if (!primaryData) {
    // No usable file: fall back to whatever fontconfig offers for the default face.
    FontRequest plain;
    impl->source = ResolveLocked(plain);
    primaryData = OpenFace(impl->source.file, impl->source.index);
    if (!primaryData) return nullptr;
  }
  const FaceData& fd = *primaryData;

  // The mapping's uniform scale sizes the font; what remains (a turn, a stretch)
  // transforms the outlines.
  const double det = mapping.xx * mapping.yy - mapping.xy * mapping.yx;
  const double s = std::sqrt(std::abs(det)) > 1e-9 ? std::sqrt(std::abs(det)) : 1.0;
  impl->scale = s;
  const Matrix r{mapping.xx / s, mapping.xy / s, mapping.yx / s, mapping.yy / s};

  // Height: negative = em height, positive = cell height (ascent + descent), 0 = a 16-pixel cell.
  const int winSum = std::max(1, fd.winAscent + fd.winDescent);
  Metrics& m = impl->metrics;
  const int32_t logicalHeight = req.height == 0 ? 16 : req.height;
  if (logicalHeight < 0) {
    impl->emPx = -static_cast<double>(logicalHeight) * s;
    m.ascent = RoundPx(fd.winAscent * impl->emPx / fd.upem);
    m.descent = RoundPx(fd.winDescent * impl->emPx / fd.upem);
  } else {
    const double cell = logicalHeight * s;
    impl->emPx = cell * fd.upem / winSum;
    m.ascent = RoundPx(fd.winAscent * cell / winSum);
    m.descent = RoundPx(cell) - m.ascent;
  }
  // A corrupt or absurd height must not ask for glyph images of gigabytes.
  if (impl->emPx > kMaxEmPixels) {
    const double shrink = kMaxEmPixels / impl->emPx;
    impl->emPx = kMaxEmPixels;
    m.ascent = RoundPx(m.ascent * shrink);
    m.descent = RoundPx(m.descent * shrink);
  }
  m.height = m.ascent + m.descent;
  m.internalLeading = std::max(0, m.height - RoundPx(impl->emPx));
  const int hheaExtra = fd.hheaAscent + fd.hheaDescent + fd.lineGap - winSum;
  m.externalLeading = std::max(0, RoundPx(hheaExtra * impl->emPx / fd.upem));
  // Width: the average character width scales the font horizontally.
  impl->xEmPx = req.width > 0 ? std::min(req.width * s * fd.upem / fd.avgCharWidth, 4 * kMaxEmPixels) : impl->emPx;
  const int weight = req.weight <= 0 ? 400 : req.weight;
  const bool synthBold = weight >= 600 && impl->source.weight < 600;
  impl->boldPx = synthBold ? std::max(1, RoundPx(impl->emPx / 32)) : 0;
  m.aveCharWidth = RoundPx(fd.avgCharWidth * impl->xEmPx / fd.upem);
  m.maxCharWidth = RoundPx(fd.maxAdvance * impl->xEmPx / fd.upem) + impl->boldPx;
  m.weight = synthBold ? weight : impl->source.weight;
  m.overhang = 0;
  m.italic = req.italic;
  m.underlined = req.underline;
  m.struckOut = req.strikeOut;
  m.firstChar = fd.firstChar;
  m.lastChar = fd.lastChar;
  m.defaultChar = fd.firstChar > 0x20 ? fd.firstChar : 0x1F;
  m.breakChar = 0x20;
  uint8_t family = impl->source.monospace ? 0x30 : impl->source.serif ? 0x10 : 0x20;
  // Low bits: 0x01 variable pitch (sic), 0x02 vector, 0x04 TrueType.
  m.pitchAndFamily = static_cast<uint8_t>(family | 0x06 | (impl->source.monospace ? 0 : 0x01));
  m.charset = req.charset == kDefaultCharset ? kAnsiCharset : req.charset;
  m.underlinePosition = std::max(1, RoundPx(-fd.underlinePos * impl->emPx / fd.upem));
  m.underlineThickness = std::max(1, RoundPx(fd.underlineThickness * impl->emPx / fd.upem));
  m.strikeoutPosition = -RoundPx(fd.strikeoutPos * impl->emPx / fd.upem);
  m.strikeoutThickness = std::max(1, RoundPx(fd.strikeoutSize * impl->emPx / fd.upem));

  // The escapement turns the baseline counter-clockwise on the page.
  const double angle = (req.escapement % 3600) * std::numbers::pi / 1800.0;
  const double c = std::abs(std::cos(angle)) < 1e-12 ? 0.0 : std::cos(angle);
  const double sn = std::abs(std::sin(angle)) < 1e-12 ? 0.0 : std::sin(angle);
  // Device-space (y down) direction vectors through the remaining matrix.
  impl->baseX = r.xx * c + r.xy * -sn;
  impl->baseY = r.yx * c + r.yy * -sn;
  impl->downX = r.xx * sn + r.xy * c;
  impl->downY = r.yx * sn + r.yy * c;
  // Outline matrix in FreeType's y-up space: flip(r) * rotate(angle).
  const double a = r.xx, b = -r.xy, cc = -r.yx, d = r.yy;  // r with y flipped on both sides
  const double gxx = a * c + b * sn, gxy = -a * sn + b * c;
  const double gyx = cc * c + d * sn, gyy = -cc * sn + d * c;
  impl->transformed = std::abs(gxx - 1) > 1e-9 || std::abs(gxy) > 1e-9 || std::abs(gyx) > 1e-9 || std::abs(gyy - 1) > 1e-9;
  impl->glyphMatrix = FT_Matrix{static_cast<FT_Fixed>(std::lround(gxx * 0x10000)), static_cast<FT_Fixed>(std::lround(gxy * 0x10000)),
                                static_cast<FT_Fixed>(std::lround(gyx * 0x10000)), static_cast<FT_Fixed>(std::lround(gyy * 0x10000))};

  auto primary = impl->SizeFace(impl->source);
  if (!primary) return nullptr;
  impl->slots.push_back(std::move(primary));

  // GetTextFace names the requested face when it resolved to its stand-in.
  std::u16string requested = req.face;
  if (!requested.empty() && requested.front() == u'@') requested.erase(0, 1);
  impl->faceName = !requested.empty() && Lower(StandInFamily(requested)) == Lower(impl->source.family) ? requested : impl->source.family;
  return impl;
}

struct CacheEntry {
  FontRequest request;
  Matrix mapping;
  bool antialias;
  std::shared_ptr<RealizedFont> font;
  uint64_t lastUse;
};

}  // namespace

std::shared_ptr<RealizedFont> RealizedFont::Get(const FontRequest& request, const Matrix& mapping, bool antialias) {
  std::mutex& mutex = EngineMutex();  // first, so that it outlives the cache
  static std::vector<CacheEntry> cache;
  static uint64_t clock = 0;
  constexpr size_t kCacheSize = 64;
  std::unique_lock lock(mutex);
  for (auto& e : cache) {
    if (e.antialias == antialias && e.mapping == mapping && e.request == request) {
      e.lastUse = ++clock;
      return e.font;
    }
  }
  auto impl = Realize(request, mapping, antialias);
  if (!impl) return nullptr;
  auto font = std::make_shared<RealizedFont>(std::move(impl));
  std::shared_ptr<RealizedFont> evicted;  // destroyed after the lock is released
  if (cache.size() >= kCacheSize) {
    auto oldest = std::min_element(cache.begin(), cache.end(), [](const auto& x, const auto& y) { return x.lastUse < y.lastUse; });
    evicted = std::move(oldest->font);
    cache.erase(oldest);
  }
  cache.push_back({request, mapping, antialias, font, ++clock});
  lock.unlock();
  return font;
}

const FontRequest& RealizedFont::request() const { return impl_->request; }
const Metrics& RealizedFont::metrics() const { return impl_->metrics; }
const std::u16string& RealizedFont::faceName() const { return impl_->faceName; }
const FaceSource& RealizedFont::source() const { return impl_->source; }
double RealizedFont::scale() const { return impl_->scale; }
bool RealizedFont::antialias() const { return impl_->antialias; }
double RealizedFont::baseX() const { return impl_->baseX; }
double RealizedFont::baseY() const { return impl_->baseY; }
double RealizedFont::downX() const { return impl_->downX; }
double RealizedFont::downY() const { return impl_->downY; }

int32_t RealizedFont::Advance(char32_t ch) const {
  std::lock_guard lock(EngineMutex());
  return impl_->AdvanceLocked(ch);
}

void RealizedFont::Advances(std::u16string_view text, double extra, std::span<double> out) const {
  std::lock_guard lock(EngineMutex());
  for (size_t i = 0; i < text.size(); ++i) {
    const char32_t c = text[i];
    if (c >= 0xD800 && c < 0xDC00 && i + 1 < text.size() && text[i + 1] >= 0xDC00 && text[i + 1] < 0xE000) {
      out[i] = impl_->AdvanceLocked(0x10000 + ((c - 0xD800) << 10) + (text[i + 1] - 0xDC00)) + extra;
      out[++i] = 0.0;
      continue;
    }
    out[i] = impl_->AdvanceLocked(c) + extra;
  }
}

bool RealizedFont::HasGlyph(char32_t ch) const {
  std::lock_guard lock(EngineMutex());
  return impl_->Find(ch).index != 0;
}

std::shared_ptr<const GlyphImage> RealizedFont::Glyph(char32_t ch) const {
  std::lock_guard lock(EngineMutex());
  return impl_->GlyphLocked(ch);
}

void RealizedFont::Glyphs(std::u16string_view text, std::span<const GlyphImage*> out) const {
  std::lock_guard lock(EngineMutex());
  for (size_t i = 0; i < text.size(); ++i) {
    const char32_t c = text[i];
    if (c >= 0xD800 && c < 0xDC00 && i + 1 < text.size() && text[i + 1] >= 0xDC00 && text[i + 1] < 0xE000) {
      out[i] = impl_->GlyphLocked(0x10000 + ((c - 0xD800) << 10) + (text[i + 1] - 0xDC00)).get();
      out[++i] = nullptr;
      continue;
    }
    out[i] = impl_->GlyphLocked(c).get();
  }
}

}  // namespace tav::font
