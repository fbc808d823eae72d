#include "foundation/uifonts/ui_fonts.h"

#include <algorithm>
#include <cstring>
#include <string>

#include <strings.h>

#include "foundation/codepage/codepage.h"
#include "foundation/containers/ahashmap.h"
#include "foundation/settings/process_settings.h"

FOUNDATION_BEGIN

namespace {

struct UiFontState {
  HFONT gui = nullptr;
  HFONT fixedGb = nullptr;
  HFONT fixedBig5 = nullptr;
  int cellHeightGb = 16;
  int cellHeightBig5 = 18;
  FontList listGb;
  FontList listBig5;
  // FontNamesSeen: the faces met during one enumeration, emptied after it.
  AHashMap<AString, int> namesSeen{20};
};

UiFontState& State() {
  static UiFontState state;
  return state;
}

// "黑体" and "宋体" in code page 936.
constexpr char kHeiti[] = "\xBA\xDA\xCC\xE5";
constexpr char kSongti[] = "\xCB\xCE\xCC\xE5";

std::string FaceOf(const LOGFONT& lf) { return std::string(lf.lfFaceName, strnlen(lf.lfFaceName, LF_FACESIZE)); }

void SetFace(LOGFONT& lf, const char* face) {
  std::memset(lf.lfFaceName, 0, sizeof lf.lfFaceName);
  std::strncpy(lf.lfFaceName, face, LF_FACESIZE - 1);
}

int EnumCallback(const LOGFONTA* font, const TEXTMETRICA*, DWORD fontType, LPARAM) {
  if (fontType & RASTER_FONTTYPE) return 1;
  if (font->lfCharSet != GB2312_CHARSET && font->lfCharSet != CHINESEBIG5_CHARSET) return 1;
  const auto* ex = reinterpret_cast<const ENUMLOGFONTEXA*>(font);
  char script[LF_FACESIZE + 1] = {};
  std::memcpy(script, ex->elfScript, LF_FACESIZE);
  AddFontEntry(ex, (fontType & TRUETYPE_FONTTYPE) ? kFontTypeTrueType : 0, script);
  return 1;
}

LOGFONT StockLogFont(int stock) {
  LOGFONT lf{};
  GetObject(GetStockObject(stock), sizeof lf, &lf);
  return lf;
}

void DeleteFont(HFONT& font) {
  if (font) DeleteObject(font);
  font = nullptr;
}

HFONT MakeFixedFont(const FontList& list, const LOGFONT& base, BYTE charset, int height) {
  LOGFONT lf = list.IsEmpty() ? base : list[0].logFont;
  lf.lfWeight = FW_NORMAL;
  lf.lfCharSet = charset;
  lf.lfHeight = height;
  lf.lfWidth = 0;
  if (list.IsEmpty())
    lf.lfPitchAndFamily = OsVersionFlags().isNt5OrLater ? (FF_MODERN | FIXED_PITCH)
                                                        : static_cast<BYTE>((base.lfPitchAndFamily & ~3) | FIXED_PITCH);
  return CreateFontIndirect(&lf);
}

HFONT MakeGuiFont() {
  LOGFONT lf = StockLogFont(DEFAULT_GUI_FONT);
  lf.lfWeight = FW_NORMAL;
  lf.lfCharSet = static_cast<BYTE>(CharsetFromLanguage(UiLanguageKind(), true));
  lf.lfQuality = PROOF_QUALITY;
  SetFace(lf, "Arial");
  return CreateFontIndirect(&lf);
}

}  // namespace

HFONT GuiFont() { return State().gui; }
HFONT FixedFontGb() { return State().fixedGb; }
HFONT FixedFontBig5() { return State().fixedBig5; }
int CellHeightGb() { return State().cellHeightGb; }
int CellHeightBig5() { return State().cellHeightBig5; }
FontList& FontListGb() { return State().listGb; }
FontList& FontListBig5() { return State().listBig5; }

void EnumerateFonts(HDC dc) {
  UiFontState& s = State();
  s.listGb.RemoveAll();
  s.listBig5.RemoveAll();
  LOGFONT all{};
  all.lfCharSet = DEFAULT_CHARSET;
  EnumFontFamiliesExA(dc, &all, EnumCallback, 0, 0);
  s.namesSeen.RemoveAll();
}

int AddFontEntry(const ENUMLOGFONTEXA* font, int fontType, const char* script) {
  UiFontState& s = State();
  const LOGFONT& lf = font->elfLogFont;
  const std::string face = FaceOf(lf);
  int seen = 0;
  if (face.empty() || face[0] == '@' || s.namesSeen.Lookup(AString(face.c_str()), seen)) return 0;
  if (lf.lfCharSet != GB2312_CHARSET && lf.lfCharSet != CHINESEBIG5_CHARSET) return 0;
  s.namesSeen.SetAt(AString(face.c_str()), 1);
  auto entry = std::make_unique<FontListEntry>(lf, fontType, script);
  if (lf.lfCharSet == GB2312_CHARSET) {
    if (face.find(kHeiti) != std::string::npos) return 0;
    if (face.find(kSongti) != std::string::npos)
      s.listGb.InsertFront(std::move(entry));
    else
      s.listGb.Append(std::move(entry));
  } else {
    if (strcasecmp(face.c_str(), "MingLiu") == 0)
      s.listBig5.InsertFront(std::move(entry));
    else
      s.listBig5.Append(std::move(entry));
  }
  return 1;
}

int CreateUiFonts(bool withFixedFonts) {
  UiFontState& s = State();
  if (HDC screen = GetDC(nullptr)) {
    EnumerateFonts(screen);
    const int h = MulDiv(10, GetDeviceCaps(screen, LOGPIXELSY), 72);
    s.cellHeightGb = std::max(h, 15);
    s.cellHeightBig5 = s.listBig5.IsEmpty() ? std::max(h, 16) : std::max(h, 14);
    ReleaseDC(nullptr, screen);
  } else {
    s.cellHeightGb = 16;
    s.cellHeightBig5 = 18;
  }

  const LOGFONT system = StockLogFont(SYSTEM_FONT);
  LOGFONT base = system;
  SetFace(base, "Courier New");
  base.lfWidth = system.lfHeight / 2;
  base.lfHeight = s.cellHeightGb;
  base.lfWeight = FW_NORMAL;
  if (OsVersionFlags().isDbcsChineseSystem) {
    base.lfOutPrecision = OUT_STROKE_PRECIS;
    base.lfClipPrecision = CLIP_STROKE_PRECIS;
    base.lfQuality = DRAFT_QUALITY;
    base.lfCharSet = 0;
    base.lfPitchAndFamily = FF_MODERN | FIXED_PITCH;
  }
  if (withFixedFonts) {
    DeleteFont(s.fixedGb);
    DeleteFont(s.fixedBig5);
    s.fixedGb = MakeFixedFont(s.listGb, base, GB2312_CHARSET, s.cellHeightGb);
    s.fixedBig5 = MakeFixedFont(s.listBig5, base, CHINESEBIG5_CHARSET, s.cellHeightBig5);
  }
  DeleteFont(s.gui);
  s.gui = MakeGuiFont();
  return 1;
}

int RecreateGuiFont() {
  UiFontState& s = State();
  DeleteFont(s.gui);
  s.gui = MakeGuiFont();
  return 1;
}

int DeleteUiFonts(bool withFixedFonts) {
  UiFontState& s = State();
  DeleteFont(s.gui);
  if (withFixedFonts) {
    DeleteFont(s.fixedGb);
    DeleteFont(s.fixedBig5);
  }
  return 1;
}

FOUNDATION_END
