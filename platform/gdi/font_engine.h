// The font engine behind the GDI font calls: fontconfig picks a font file for
// a requested face, FreeType sizes it, measures it and renders its glyphs.
// Realised fonts are cached and shared; every call is thread-safe.
#pragma once

#include <cstdint>
#include <memory>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "platform/gdi/glyph_pixels.h"

namespace tav::font {

// GDI character sets that decide a language for font matching.
inline constexpr uint8_t kAnsiCharset = 0;
inline constexpr uint8_t kDefaultCharset = 1;
inline constexpr uint8_t kSymbolCharset = 2;
inline constexpr uint8_t kShiftJisCharset = 128;
inline constexpr uint8_t kHangulCharset = 129;
inline constexpr uint8_t kJohabCharset = 130;
inline constexpr uint8_t kGb2312Charset = 134;
inline constexpr uint8_t kBig5Charset = 136;

inline constexpr uint8_t kNonAntialiasedQuality = 3;

// What a caller asks for, in the terms of a LOGFONT (heights in logical units).
struct FontRequest {
  std::u16string face;       // empty: the default face
  int32_t height = 0;        // < 0 character (em) height, > 0 cell height, 0 default
  int32_t width = 0;         // average character width, 0 = natural
  int32_t escapement = 0;    // tenths of a degree, counter-clockwise
  int32_t weight = 0;        // 0 = normal (400)
  bool italic = false;
  bool underline = false;
  bool strikeOut = false;
  uint8_t charset = kDefaultCharset;
  uint8_t quality = 0;
  uint8_t pitchAndFamily = 0;

  bool operator==(const FontRequest&) const = default;
};

// Where a face lives, as fontconfig found it.
struct FaceSource {
  std::string file;
  int index = 0;
  std::u16string family;  // the family fontconfig matched
  int weight = 400;       // OpenType weight class of the file
  bool italic = false;    // the file is an italic or oblique style
  bool monospace = false;
  bool serif = false;
};

// Resolves face name, weight, slant and character set to a font file. Common
// Windows face names are mapped to metric-compatible families first.
FaceSource ResolveFace(const FontRequest& request);

// The family that stands in for a face name ("Arial" -> "Liberation Sans"), or
// the name itself when it has no stand-in.
std::u16string StandInFamily(std::u16string_view face);

// A face name that another family stands in for, as the system's font
// substitutes list it ("Arial" -> "Liberation Sans").
struct StandIn {
  std::u16string_view face;
  std::u16string_view family;
};
std::span<const StandIn> StandIns();

// One installed scalable face: its full name ("Liberation Sans Bold"), the
// file it lives in and whether that file is TrueType (not CFF or Type 1).
// Sorted by name, then file; a collection file appears once per face.
struct FontFileInfo {
  std::u16string fullName;
  std::string file;
  bool trueType = false;
};
std::vector<FontFileInfo> ListFontFiles();

// The fontconfig language of a GDI character set ("zh-cn" for GB2312), or
// nullptr when the character set names no language of its own.
const char* CharsetLanguage(uint8_t charset);

// Code page of a GDI character set (936 for GB2312), 0 for the ANSI code page.
unsigned CharsetCodePage(uint8_t charset);

// One family that fontconfig knows, for font enumeration.
struct FamilyInfo {
  std::u16string family;
  bool monospace = false;
  bool serif = false;
  std::vector<uint8_t> charsets;  // GDI character sets the family covers
};
std::vector<FamilyInfo> ListFamilies();

// Text metrics of a realised font in device pixels, laid out like TEXTMETRIC.
struct Metrics {
  int32_t height = 0;
  int32_t ascent = 0;
  int32_t descent = 0;
  int32_t internalLeading = 0;
  int32_t externalLeading = 0;
  int32_t aveCharWidth = 0;
  int32_t maxCharWidth = 0;
  int32_t weight = 400;
  int32_t overhang = 0;
  char32_t firstChar = 0x20;
  char32_t lastChar = 0xFF;
  char32_t defaultChar = 0x1F;
  char32_t breakChar = 0x20;
  bool italic = false;
  bool underlined = false;
  bool struckOut = false;
  uint8_t pitchAndFamily = 0;
  uint8_t charset = 0;
  // Line decorations, y offsets below the baseline (negative = above) and thickness.
  int32_t underlinePosition = 0;
  int32_t underlineThickness = 1;
  int32_t strikeoutPosition = 0;
  int32_t strikeoutThickness = 1;
};

// A glyph as coverage values (0..255), placed relative to the pen position:
// the top-left pixel lies at (pen.x + left, pen.y + top), y growing downwards.
struct GlyphImage {
  int32_t left = 0;
  int32_t top = 0;
  int32_t width = 0;
  int32_t height = 0;
  std::vector<uint8_t> coverage;  // width * height, row by row
  // The drawing layer's pixels of this glyph, made on first need.
  GlyphPixels drawn;
};

// The linear part of the logical-to-device mapping, y growing downwards on both sides.
struct Matrix {
  double xx = 1, xy = 0;  // device x = xx * x + xy * y
  double yx = 0, yy = 1;  // device y = yx * x + yy * y
  bool operator==(const Matrix&) const = default;
};

// A font sized for one device mapping. Its metrics and advances are in device
// pixels; glyphs come rendered with the escapement and the mapping's turn.
class RealizedFont {
 public:
  struct Impl;
  explicit RealizedFont(std::unique_ptr<Impl> impl);
  ~RealizedFont();
  RealizedFont(const RealizedFont&) = delete;
  RealizedFont& operator=(const RealizedFont&) = delete;

  // The shared font for a request under a mapping; antialias asks for grey coverage.
  static std::shared_ptr<RealizedFont> Get(const FontRequest& request, const Matrix& mapping, bool antialias);

  const FontRequest& request() const;
  const Metrics& metrics() const;
  // The face name GetTextFace reports: the requested name when it resolved to
  // its stand-in, else the family used.
  const std::u16string& faceName() const;
  const FaceSource& source() const;
  // Uniform scale of the mapping: device pixels per logical unit.
  double scale() const;
  bool antialias() const;

  // Advance of one character along the baseline, whole device pixels.
  int32_t Advance(char32_t ch) const;
  // The advances of a UTF-16 run (one lock for the run), each plus `extra`:
  // out[i] for unit i, a surrogate pair's on its first unit and 0 on its second.
  void Advances(std::u16string_view text, double extra, std::span<double> out) const;
  // Whether the primary face or one of its fallbacks has a glyph for ch.
  bool HasGlyph(char32_t ch) const;
  // The rendered glyph (shared, valid as long as the font lives).
  std::shared_ptr<const GlyphImage> Glyph(char32_t ch) const;
  // The glyphs of a UTF-16 run under one lock, valid as long as the font
  // lives: out[i] for unit i, a surrogate pair's on its first unit and null
  // on its second (an unpaired surrogate is a character of its own).
  void Glyphs(std::u16string_view text, std::span<const GlyphImage*> out) const;
  // Device-space (y down) step of one pixel of advance along the baseline, and
  // of one pixel "down" from it (unit vectors unless the mapping stretches).
  double baseX() const;
  double baseY() const;
  double downX() const;
  double downY() const;

 private:
  std::unique_ptr<Impl> impl_;
};

// Decodes UTF-16 into code points; an unpaired surrogate stays as it is.
std::u32string DecodeUtf16(std::u16string_view text);

}  // namespace tav::font
