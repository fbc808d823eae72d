// Graphics: objects and their table, device-independent bitmaps, device
// contexts (memory, screen, printer), the rasteriser, regions and paths,
// mapping modes and world transforms, fonts and text.
#pragma once

#include "platform/kernel/types.h"

using LPINT = INT*;

// ---------------------------------------------------------------------------
// Structures with their documented layouts.

#pragma pack(push, 2)
struct BITMAPFILEHEADER {
  WORD bfType;
  DWORD bfSize;
  WORD bfReserved1;
  WORD bfReserved2;
  DWORD bfOffBits;
};
#pragma pack(pop)

struct BITMAPINFOHEADER {
  DWORD biSize;
  LONG biWidth;
  LONG biHeight;
  WORD biPlanes;
  WORD biBitCount;
  DWORD biCompression;
  DWORD biSizeImage;
  LONG biXPelsPerMeter;
  LONG biYPelsPerMeter;
  DWORD biClrUsed;
  DWORD biClrImportant;
};
using LPBITMAPINFOHEADER = BITMAPINFOHEADER*;
static_assert(sizeof(BITMAPINFOHEADER) == 40);

struct RGBQUAD {
  BYTE rgbBlue;
  BYTE rgbGreen;
  BYTE rgbRed;
  BYTE rgbReserved;
};

struct BITMAPINFO {
  BITMAPINFOHEADER bmiHeader;
  RGBQUAD bmiColors[1];
};
using LPBITMAPINFO = BITMAPINFO*;

struct BITMAP {
  LONG bmType;
  LONG bmWidth;
  LONG bmHeight;
  LONG bmWidthBytes;
  WORD bmPlanes;
  WORD bmBitsPixel;
  LPVOID bmBits;
};

struct DIBSECTION {
  BITMAP dsBm;
  BITMAPINFOHEADER dsBmih;
  DWORD dsBitfields[3];
  HANDLE dshSection;
  DWORD dsOffset;
};

struct LOGPEN {
  UINT lopnStyle;
  POINT lopnWidth;
  COLORREF lopnColor;
};

struct EXTLOGPEN {
  DWORD elpPenStyle;
  DWORD elpWidth;
  UINT elpBrushStyle;
  COLORREF elpColor;
  ULONG_PTR elpHatch;
  DWORD elpNumEntries;
  DWORD elpStyleEntry[1];
};

struct LOGBRUSH {
  UINT lbStyle;
  COLORREF lbColor;
  ULONG_PTR lbHatch;
};

struct PALETTEENTRY {
  BYTE peRed;
  BYTE peGreen;
  BYTE peBlue;
  BYTE peFlags;
};

struct LOGPALETTE {
  WORD palVersion;
  WORD palNumEntries;
  PALETTEENTRY palPalEntry[1];
};

inline constexpr int LF_FACESIZE = 32;
inline constexpr int LF_FULLFACESIZE = 64;

struct LOGFONTA {
  LONG lfHeight;
  LONG lfWidth;
  LONG lfEscapement;
  LONG lfOrientation;
  LONG lfWeight;
  BYTE lfItalic;
  BYTE lfUnderline;
  BYTE lfStrikeOut;
  BYTE lfCharSet;
  BYTE lfOutPrecision;
  BYTE lfClipPrecision;
  BYTE lfQuality;
  BYTE lfPitchAndFamily;
  CHAR lfFaceName[LF_FACESIZE];
};

struct LOGFONTW {
  LONG lfHeight;
  LONG lfWidth;
  LONG lfEscapement;
  LONG lfOrientation;
  LONG lfWeight;
  BYTE lfItalic;
  BYTE lfUnderline;
  BYTE lfStrikeOut;
  BYTE lfCharSet;
  BYTE lfOutPrecision;
  BYTE lfClipPrecision;
  BYTE lfQuality;
  BYTE lfPitchAndFamily;
  WCHAR lfFaceName[LF_FACESIZE];
};
using LOGFONT = LOGFONTA;
using LPLOGFONTA = LOGFONTA*;
using LPLOGFONTW = LOGFONTW*;

struct TEXTMETRICA {
  LONG tmHeight;
  LONG tmAscent;
  LONG tmDescent;
  LONG tmInternalLeading;
  LONG tmExternalLeading;
  LONG tmAveCharWidth;
  LONG tmMaxCharWidth;
  LONG tmWeight;
  LONG tmOverhang;
  LONG tmDigitizedAspectX;
  LONG tmDigitizedAspectY;
  BYTE tmFirstChar;
  BYTE tmLastChar;
  BYTE tmDefaultChar;
  BYTE tmBreakChar;
  BYTE tmItalic;
  BYTE tmUnderlined;
  BYTE tmStruckOut;
  BYTE tmPitchAndFamily;
  BYTE tmCharSet;
};

struct TEXTMETRICW {
  LONG tmHeight;
  LONG tmAscent;
  LONG tmDescent;
  LONG tmInternalLeading;
  LONG tmExternalLeading;
  LONG tmAveCharWidth;
  LONG tmMaxCharWidth;
  LONG tmWeight;
  LONG tmOverhang;
  LONG tmDigitizedAspectX;
  LONG tmDigitizedAspectY;
  WCHAR tmFirstChar;
  WCHAR tmLastChar;
  WCHAR tmDefaultChar;
  WCHAR tmBreakChar;
  BYTE tmItalic;
  BYTE tmUnderlined;
  BYTE tmStruckOut;
  BYTE tmPitchAndFamily;
  BYTE tmCharSet;
};
using TEXTMETRIC = TEXTMETRICA;
using LPTEXTMETRICA = TEXTMETRICA*;
using LPTEXTMETRICW = TEXTMETRICW*;

struct NEWTEXTMETRICA {
  LONG tmHeight;
  LONG tmAscent;
  LONG tmDescent;
  LONG tmInternalLeading;
  LONG tmExternalLeading;
  LONG tmAveCharWidth;
  LONG tmMaxCharWidth;
  LONG tmWeight;
  LONG tmOverhang;
  LONG tmDigitizedAspectX;
  LONG tmDigitizedAspectY;
  BYTE tmFirstChar;
  BYTE tmLastChar;
  BYTE tmDefaultChar;
  BYTE tmBreakChar;
  BYTE tmItalic;
  BYTE tmUnderlined;
  BYTE tmStruckOut;
  BYTE tmPitchAndFamily;
  BYTE tmCharSet;
  DWORD ntmFlags;
  UINT ntmSizeEM;
  UINT ntmCellHeight;
  UINT ntmAvgWidth;
};

struct NEWTEXTMETRICW {
  LONG tmHeight;
  LONG tmAscent;
  LONG tmDescent;
  LONG tmInternalLeading;
  LONG tmExternalLeading;
  LONG tmAveCharWidth;
  LONG tmMaxCharWidth;
  LONG tmWeight;
  LONG tmOverhang;
  LONG tmDigitizedAspectX;
  LONG tmDigitizedAspectY;
  WCHAR tmFirstChar;
  WCHAR tmLastChar;
  WCHAR tmDefaultChar;
  WCHAR tmBreakChar;
  BYTE tmItalic;
  BYTE tmUnderlined;
  BYTE tmStruckOut;
  BYTE tmPitchAndFamily;
  BYTE tmCharSet;
  DWORD ntmFlags;
  UINT ntmSizeEM;
  UINT ntmCellHeight;
  UINT ntmAvgWidth;
};

struct FONTSIGNATURE {
  DWORD fsUsb[4];
  DWORD fsCsb[2];
};

struct NEWTEXTMETRICEXA {
  NEWTEXTMETRICA ntmTm;
  FONTSIGNATURE ntmFontSig;
};
struct NEWTEXTMETRICEXW {
  NEWTEXTMETRICW ntmTm;
  FONTSIGNATURE ntmFontSig;
};

struct ENUMLOGFONTEXA {
  LOGFONTA elfLogFont;
  BYTE elfFullName[LF_FULLFACESIZE];
  BYTE elfStyle[LF_FACESIZE];
  BYTE elfScript[LF_FACESIZE];
};
struct ENUMLOGFONTEXW {
  LOGFONTW elfLogFont;
  WCHAR elfFullName[LF_FULLFACESIZE];
  WCHAR elfStyle[LF_FACESIZE];
  WCHAR elfScript[LF_FACESIZE];
};

using ENUMLOGFONTEX = ENUMLOGFONTEXA;
using NEWTEXTMETRICEX = NEWTEXTMETRICEXA;
using NEWTEXTMETRIC = NEWTEXTMETRICA;

struct ABC {
  INT abcA;
  UINT abcB;
  INT abcC;
};

// A 16.16 fixed-point number: value + fract / 65536.
struct FIXED {
  WORD fract;
  short value;
};

struct MAT2 {
  FIXED eM11;
  FIXED eM12;
  FIXED eM21;
  FIXED eM22;
};

// A glyph's black box and its cell's advance, in device units; the origin is
// the box's top-left corner from the pen, y upwards.
struct GLYPHMETRICS {
  UINT gmBlackBoxX;
  UINT gmBlackBoxY;
  POINT gmptGlyphOrigin;
  short gmCellIncX;
  short gmCellIncY;
};
using LPGLYPHMETRICS = GLYPHMETRICS*;

inline constexpr UINT GGO_METRICS = 0;
inline constexpr UINT GGO_BITMAP = 1;
inline constexpr UINT GGO_NATIVE = 2;
inline constexpr UINT GGO_BEZIER = 3;
inline constexpr UINT GGO_GRAY2_BITMAP = 4;
inline constexpr UINT GGO_GRAY4_BITMAP = 5;
inline constexpr UINT GGO_GRAY8_BITMAP = 6;
inline constexpr UINT GGO_GLYPH_INDEX = 0x80;
inline constexpr UINT GGO_UNHINTED = 0x100;

struct DRAWTEXTPARAMS {
  UINT cbSize;
  INT iTabLength;
  INT iLeftMargin;
  INT iRightMargin;
  UINT uiLengthDrawn;
};

struct XFORM {
  FLOAT eM11;
  FLOAT eM12;
  FLOAT eM21;
  FLOAT eM22;
  FLOAT eDx;
  FLOAT eDy;
};

struct RGNDATAHEADER {
  DWORD dwSize;
  DWORD iType;
  DWORD nCount;
  DWORD nRgnSize;
  RECT rcBound;
};
struct RGNDATA {
  RGNDATAHEADER rdh;
  char Buffer[1];
};

struct DOCINFOA {
  int cbSize;
  LPCSTR lpszDocName;
  LPCSTR lpszOutput;
  LPCSTR lpszDatatype;
  DWORD fwType;
};

// ---------------------------------------------------------------------------
// Constants with their documented values.

// Bitmaps
inline constexpr DWORD BI_RGB = 0;
inline constexpr DWORD BI_RLE8 = 1;
inline constexpr DWORD BI_RLE4 = 2;
inline constexpr DWORD BI_BITFIELDS = 3;
inline constexpr UINT DIB_RGB_COLORS = 0;
inline constexpr UINT DIB_PAL_COLORS = 1;
inline constexpr DWORD CBM_INIT = 4;

// Object types (GetObjectType)
inline constexpr DWORD OBJ_PEN = 1;
inline constexpr DWORD OBJ_BRUSH = 2;
inline constexpr DWORD OBJ_DC = 3;
inline constexpr DWORD OBJ_METADC = 4;
inline constexpr DWORD OBJ_PAL = 5;
inline constexpr DWORD OBJ_FONT = 6;
inline constexpr DWORD OBJ_BITMAP = 7;
inline constexpr DWORD OBJ_REGION = 8;
inline constexpr DWORD OBJ_METAFILE = 9;
inline constexpr DWORD OBJ_MEMDC = 10;
inline constexpr DWORD OBJ_EXTPEN = 11;
inline constexpr DWORD OBJ_ENHMETADC = 12;
inline constexpr DWORD OBJ_ENHMETAFILE = 13;

// Stock objects
inline constexpr int WHITE_BRUSH = 0;
inline constexpr int LTGRAY_BRUSH = 1;
inline constexpr int GRAY_BRUSH = 2;
inline constexpr int DKGRAY_BRUSH = 3;
inline constexpr int BLACK_BRUSH = 4;
inline constexpr int NULL_BRUSH = 5;
inline constexpr int HOLLOW_BRUSH = NULL_BRUSH;
inline constexpr int WHITE_PEN = 6;
inline constexpr int BLACK_PEN = 7;
inline constexpr int NULL_PEN = 8;
inline constexpr int OEM_FIXED_FONT = 10;
inline constexpr int ANSI_FIXED_FONT = 11;
inline constexpr int ANSI_VAR_FONT = 12;
inline constexpr int SYSTEM_FONT = 13;
inline constexpr int DEVICE_DEFAULT_FONT = 14;
inline constexpr int DEFAULT_PALETTE = 15;
inline constexpr int SYSTEM_FIXED_FONT = 16;
inline constexpr int DEFAULT_GUI_FONT = 17;
inline constexpr int DC_BRUSH = 18;
inline constexpr int DC_PEN = 19;

// Pen styles
inline constexpr DWORD PS_SOLID = 0;
inline constexpr DWORD PS_DASH = 1;
inline constexpr DWORD PS_DOT = 2;
inline constexpr DWORD PS_DASHDOT = 3;
inline constexpr DWORD PS_DASHDOTDOT = 4;
inline constexpr DWORD PS_NULL = 5;
inline constexpr DWORD PS_INSIDEFRAME = 6;
inline constexpr DWORD PS_USERSTYLE = 7;
inline constexpr DWORD PS_ALTERNATE = 8;
inline constexpr DWORD PS_STYLE_MASK = 0x0000000F;
inline constexpr DWORD PS_ENDCAP_ROUND = 0x00000000;
inline constexpr DWORD PS_ENDCAP_SQUARE = 0x00000100;
inline constexpr DWORD PS_ENDCAP_FLAT = 0x00000200;
inline constexpr DWORD PS_ENDCAP_MASK = 0x00000F00;
inline constexpr DWORD PS_JOIN_ROUND = 0x00000000;
inline constexpr DWORD PS_JOIN_BEVEL = 0x00001000;
inline constexpr DWORD PS_JOIN_MITER = 0x00002000;
inline constexpr DWORD PS_JOIN_MASK = 0x0000F000;
inline constexpr DWORD PS_COSMETIC = 0x00000000;
inline constexpr DWORD PS_GEOMETRIC = 0x00010000;
inline constexpr DWORD PS_TYPE_MASK = 0x000F0000;

// Brush styles and hatches
inline constexpr UINT BS_SOLID = 0;
inline constexpr UINT BS_NULL = 1;
inline constexpr UINT BS_HOLLOW = BS_NULL;
inline constexpr UINT BS_HATCHED = 2;
inline constexpr UINT BS_PATTERN = 3;
inline constexpr UINT BS_DIBPATTERN = 5;
inline constexpr UINT BS_DIBPATTERNPT = 6;
inline constexpr int HS_HORIZONTAL = 0;
inline constexpr int HS_VERTICAL = 1;
inline constexpr int HS_FDIAGONAL = 2;
inline constexpr int HS_BDIAGONAL = 3;
inline constexpr int HS_CROSS = 4;
inline constexpr int HS_DIAGCROSS = 5;

// Background modes
inline constexpr int TRANSPARENT = 1;
inline constexpr int OPAQUE = 2;

// Mapping modes
inline constexpr int MM_TEXT = 1;
inline constexpr int MM_LOMETRIC = 2;
inline constexpr int MM_HIMETRIC = 3;
inline constexpr int MM_LOENGLISH = 4;
inline constexpr int MM_HIENGLISH = 5;
inline constexpr int MM_TWIPS = 6;
inline constexpr int MM_ISOTROPIC = 7;
inline constexpr int MM_ANISOTROPIC = 8;

// Graphics modes and world transform
inline constexpr int GM_COMPATIBLE = 1;
inline constexpr int GM_ADVANCED = 2;
inline constexpr DWORD MWT_IDENTITY = 1;
inline constexpr DWORD MWT_LEFTMULTIPLY = 2;
inline constexpr DWORD MWT_RIGHTMULTIPLY = 3;

// Binary raster operations
inline constexpr int R2_BLACK = 1;
inline constexpr int R2_NOTMERGEPEN = 2;
inline constexpr int R2_MASKNOTPEN = 3;
inline constexpr int R2_NOTCOPYPEN = 4;
inline constexpr int R2_MASKPENNOT = 5;
inline constexpr int R2_NOT = 6;
inline constexpr int R2_XORPEN = 7;
inline constexpr int R2_NOTMASKPEN = 8;
inline constexpr int R2_MASKPEN = 9;
inline constexpr int R2_NOTXORPEN = 10;
inline constexpr int R2_NOP = 11;
inline constexpr int R2_MERGENOTPEN = 12;
inline constexpr int R2_COPYPEN = 13;
inline constexpr int R2_MERGEPENNOT = 14;
inline constexpr int R2_MERGEPEN = 15;
inline constexpr int R2_WHITE = 16;

// Ternary raster operations
inline constexpr DWORD SRCCOPY = 0x00CC0020;
inline constexpr DWORD SRCPAINT = 0x00EE0086;
inline constexpr DWORD SRCAND = 0x008800C6;
inline constexpr DWORD SRCINVERT = 0x00660046;
inline constexpr DWORD SRCERASE = 0x00440328;
inline constexpr DWORD NOTSRCCOPY = 0x00330008;
inline constexpr DWORD NOTSRCERASE = 0x001100A6;
inline constexpr DWORD MERGECOPY = 0x00C000CA;
inline constexpr DWORD MERGEPAINT = 0x00BB0226;
inline constexpr DWORD PATCOPY = 0x00F00021;
inline constexpr DWORD PATPAINT = 0x00FB0A09;
inline constexpr DWORD PATINVERT = 0x005A0049;
inline constexpr DWORD DSTINVERT = 0x00550009;
inline constexpr DWORD BLACKNESS = 0x00000042;
inline constexpr DWORD WHITENESS = 0x00FF0062;
inline constexpr DWORD NOMIRRORBITMAP = 0x80000000;
inline constexpr DWORD CAPTUREBLT = 0x40000000;

// Stretch modes
inline constexpr int BLACKONWHITE = 1;
inline constexpr int WHITEONBLACK = 2;
inline constexpr int COLORONCOLOR = 3;
inline constexpr int HALFTONE = 4;
inline constexpr int STRETCH_ANDSCANS = BLACKONWHITE;
inline constexpr int STRETCH_ORSCANS = WHITEONBLACK;
inline constexpr int STRETCH_DELETESCANS = COLORONCOLOR;
inline constexpr int STRETCH_HALFTONE = HALFTONE;

// Polygon fill modes
inline constexpr int ALTERNATE = 1;
inline constexpr int WINDING = 2;

// Arc directions
inline constexpr int AD_COUNTERCLOCKWISE = 1;
inline constexpr int AD_CLOCKWISE = 2;

// Region results and combine modes
inline constexpr int ERROR = 0;
inline constexpr int NULLREGION = 1;
inline constexpr int SIMPLEREGION = 2;
inline constexpr int COMPLEXREGION = 3;
inline constexpr int RGN_ERROR = ERROR;
inline constexpr int RGN_AND = 1;
inline constexpr int RGN_OR = 2;
inline constexpr int RGN_XOR = 3;
inline constexpr int RGN_DIFF = 4;
inline constexpr int RGN_COPY = 5;

// Path point types (GetPath)
inline constexpr BYTE PT_CLOSEFIGURE = 0x01;
inline constexpr BYTE PT_LINETO = 0x02;
inline constexpr BYTE PT_BEZIERTO = 0x04;
inline constexpr BYTE PT_MOVETO = 0x06;

// GetDeviceCaps indexes
inline constexpr int DRIVERVERSION = 0;
inline constexpr int TECHNOLOGY = 2;
inline constexpr int HORZSIZE = 4;
inline constexpr int VERTSIZE = 6;
inline constexpr int HORZRES = 8;
inline constexpr int VERTRES = 10;
inline constexpr int BITSPIXEL = 12;
inline constexpr int PLANES = 14;
inline constexpr int NUMBRUSHES = 16;
inline constexpr int NUMPENS = 18;
inline constexpr int NUMFONTS = 22;
inline constexpr int NUMCOLORS = 24;
inline constexpr int CURVECAPS = 28;
inline constexpr int LINECAPS = 30;
inline constexpr int POLYGONALCAPS = 32;
inline constexpr int TEXTCAPS = 34;
inline constexpr int CLIPCAPS = 36;
inline constexpr int RASTERCAPS = 38;
inline constexpr int ASPECTX = 40;
inline constexpr int ASPECTY = 42;
inline constexpr int ASPECTXY = 44;
inline constexpr int LOGPIXELSX = 88;
inline constexpr int LOGPIXELSY = 90;
inline constexpr int SIZEPALETTE = 104;
inline constexpr int NUMRESERVED = 106;
inline constexpr int COLORRES = 108;
inline constexpr int PHYSICALWIDTH = 110;
inline constexpr int PHYSICALHEIGHT = 111;
inline constexpr int PHYSICALOFFSETX = 112;
inline constexpr int PHYSICALOFFSETY = 113;
inline constexpr int SCALINGFACTORX = 114;
inline constexpr int SCALINGFACTORY = 115;
inline constexpr int VREFRESH = 116;
inline constexpr int DESKTOPVERTRES = 117;
inline constexpr int DESKTOPHORZRES = 118;
inline constexpr int BLTALIGNMENT = 119;
inline constexpr int SHADEBLENDCAPS = 120;
inline constexpr int COLORMGMTCAPS = 121;
// TECHNOLOGY values
inline constexpr int DT_PLOTTER = 0;
inline constexpr int DT_RASDISPLAY = 1;
inline constexpr int DT_RASPRINTER = 2;
inline constexpr int DT_RASCAMERA = 3;
inline constexpr int DT_CHARSTREAM = 4;
inline constexpr int DT_METAFILE = 5;
inline constexpr int DT_DISPFILE = 6;
// RASTERCAPS bits
inline constexpr int RC_BITBLT = 1;
inline constexpr int RC_BANDING = 2;
inline constexpr int RC_SCALING = 4;
inline constexpr int RC_BITMAP64 = 8;
inline constexpr int RC_DI_BITMAP = 0x0080;
inline constexpr int RC_PALETTE = 0x0100;
inline constexpr int RC_DIBTODEV = 0x0200;
inline constexpr int RC_STRETCHBLT = 0x0800;
inline constexpr int RC_FLOODFILL = 0x1000;
inline constexpr int RC_STRETCHDIB = 0x2000;

// Text alignment (SetTextAlign)
inline constexpr UINT TA_NOUPDATECP = 0;
inline constexpr UINT TA_UPDATECP = 1;
inline constexpr UINT TA_LEFT = 0;
inline constexpr UINT TA_RIGHT = 2;
inline constexpr UINT TA_CENTER = 6;
inline constexpr UINT TA_TOP = 0;
inline constexpr UINT TA_BOTTOM = 8;
inline constexpr UINT TA_BASELINE = 24;
inline constexpr UINT TA_RTLREADING = 256;
inline constexpr UINT TA_MASK = TA_BASELINE + TA_CENTER + TA_UPDATECP + TA_RTLREADING;
inline constexpr UINT GDI_ERROR = 0xFFFFFFFF;
inline constexpr DWORD CLR_INVALID = 0xFFFFFFFF;

// ExtTextOut options
inline constexpr UINT ETO_OPAQUE = 0x0002;
inline constexpr UINT ETO_CLIPPED = 0x0004;
inline constexpr UINT ETO_GLYPH_INDEX = 0x0010;
inline constexpr UINT ETO_RTLREADING = 0x0080;
inline constexpr UINT ETO_IGNORELANGUAGE = 0x1000;
inline constexpr UINT ETO_PDY = 0x2000;

// DrawText formats
inline constexpr UINT DT_TOP = 0x00000000;
inline constexpr UINT DT_LEFT = 0x00000000;
inline constexpr UINT DT_CENTER = 0x00000001;
inline constexpr UINT DT_RIGHT = 0x00000002;
inline constexpr UINT DT_VCENTER = 0x00000004;
inline constexpr UINT DT_BOTTOM = 0x00000008;
inline constexpr UINT DT_WORDBREAK = 0x00000010;
inline constexpr UINT DT_SINGLELINE = 0x00000020;
inline constexpr UINT DT_EXPANDTABS = 0x00000040;
inline constexpr UINT DT_TABSTOP = 0x00000080;
inline constexpr UINT DT_NOCLIP = 0x00000100;
inline constexpr UINT DT_EXTERNALLEADING = 0x00000200;
inline constexpr UINT DT_CALCRECT = 0x00000400;
inline constexpr UINT DT_NOPREFIX = 0x00000800;
inline constexpr UINT DT_INTERNAL = 0x00001000;
inline constexpr UINT DT_EDITCONTROL = 0x00002000;
inline constexpr UINT DT_PATH_ELLIPSIS = 0x00004000;
inline constexpr UINT DT_END_ELLIPSIS = 0x00008000;
inline constexpr UINT DT_MODIFYSTRING = 0x00010000;
inline constexpr UINT DT_RTLREADING = 0x00020000;
inline constexpr UINT DT_WORD_ELLIPSIS = 0x00040000;
inline constexpr UINT DT_NOFULLWIDTHCHARBREAK = 0x00080000;
inline constexpr UINT DT_HIDEPREFIX = 0x00100000;
inline constexpr UINT DT_PREFIXONLY = 0x00200000;

// Character sets
inline constexpr BYTE ANSI_CHARSET = 0;
inline constexpr BYTE DEFAULT_CHARSET = 1;
inline constexpr BYTE SYMBOL_CHARSET = 2;
inline constexpr BYTE MAC_CHARSET = 77;
inline constexpr BYTE SHIFTJIS_CHARSET = 128;
inline constexpr BYTE HANGEUL_CHARSET = 129;
inline constexpr BYTE HANGUL_CHARSET = 129;
inline constexpr BYTE JOHAB_CHARSET = 130;
inline constexpr BYTE GB2312_CHARSET = 134;
inline constexpr BYTE CHINESEBIG5_CHARSET = 136;
inline constexpr BYTE GREEK_CHARSET = 161;
inline constexpr BYTE TURKISH_CHARSET = 162;
inline constexpr BYTE VIETNAMESE_CHARSET = 163;
inline constexpr BYTE HEBREW_CHARSET = 177;
inline constexpr BYTE ARABIC_CHARSET = 178;
inline constexpr BYTE BALTIC_CHARSET = 186;
inline constexpr BYTE RUSSIAN_CHARSET = 204;
inline constexpr BYTE THAI_CHARSET = 222;
inline constexpr BYTE EASTEUROPE_CHARSET = 238;
inline constexpr BYTE OEM_CHARSET = 255;

// Font weights
inline constexpr LONG FW_DONTCARE = 0;
inline constexpr LONG FW_THIN = 100;
inline constexpr LONG FW_EXTRALIGHT = 200;
inline constexpr LONG FW_ULTRALIGHT = 200;
inline constexpr LONG FW_LIGHT = 300;
inline constexpr LONG FW_NORMAL = 400;
inline constexpr LONG FW_REGULAR = 400;
inline constexpr LONG FW_MEDIUM = 500;
inline constexpr LONG FW_SEMIBOLD = 600;
inline constexpr LONG FW_DEMIBOLD = 600;
inline constexpr LONG FW_BOLD = 700;
inline constexpr LONG FW_EXTRABOLD = 800;
inline constexpr LONG FW_ULTRABOLD = 800;
inline constexpr LONG FW_HEAVY = 900;
inline constexpr LONG FW_BLACK = 900;

// Font precisions, qualities, pitches and families
inline constexpr BYTE OUT_DEFAULT_PRECIS = 0;
inline constexpr BYTE OUT_STRING_PRECIS = 1;
inline constexpr BYTE OUT_CHARACTER_PRECIS = 2;
inline constexpr BYTE OUT_STROKE_PRECIS = 3;
inline constexpr BYTE OUT_TT_PRECIS = 4;
inline constexpr BYTE OUT_DEVICE_PRECIS = 5;
inline constexpr BYTE OUT_RASTER_PRECIS = 6;
inline constexpr BYTE OUT_TT_ONLY_PRECIS = 7;
inline constexpr BYTE OUT_OUTLINE_PRECIS = 8;
inline constexpr BYTE CLIP_DEFAULT_PRECIS = 0;
inline constexpr BYTE CLIP_CHARACTER_PRECIS = 1;
inline constexpr BYTE CLIP_STROKE_PRECIS = 2;
inline constexpr BYTE CLIP_LH_ANGLES = 0x10;
inline constexpr BYTE DEFAULT_QUALITY = 0;
inline constexpr BYTE DRAFT_QUALITY = 1;
inline constexpr BYTE PROOF_QUALITY = 2;
inline constexpr BYTE NONANTIALIASED_QUALITY = 3;
inline constexpr BYTE ANTIALIASED_QUALITY = 4;
inline constexpr BYTE CLEARTYPE_QUALITY = 5;
inline constexpr BYTE DEFAULT_PITCH = 0;
inline constexpr BYTE FIXED_PITCH = 1;
inline constexpr BYTE VARIABLE_PITCH = 2;
inline constexpr BYTE FF_DONTCARE = 0x00;
inline constexpr BYTE FF_ROMAN = 0x10;
inline constexpr BYTE FF_SWISS = 0x20;
inline constexpr BYTE FF_MODERN = 0x30;
inline constexpr BYTE FF_SCRIPT = 0x40;
inline constexpr BYTE FF_DECORATIVE = 0x50;
inline constexpr BYTE TMPF_FIXED_PITCH = 0x01;
inline constexpr BYTE TMPF_VECTOR = 0x02;
inline constexpr BYTE TMPF_TRUETYPE = 0x04;
inline constexpr BYTE TMPF_DEVICE = 0x08;
// Font types handed to enumeration callbacks
inline constexpr DWORD RASTER_FONTTYPE = 0x0001;
inline constexpr DWORD DEVICE_FONTTYPE = 0x0002;
inline constexpr DWORD TRUETYPE_FONTTYPE = 0x0004;

// ---------------------------------------------------------------------------
// Objects and their table (one table per process, shared by every module).

HGDIOBJ GetStockObject(int index);
HGDIOBJ SelectObject(HDC dc, HGDIOBJ object);
BOOL DeleteObject(HGDIOBJ object);
int GetObjectA(HGDIOBJ object, int size, LPVOID buffer);
int GetObjectW(HGDIOBJ object, int size, LPVOID buffer);
inline int GetObject(HGDIOBJ object, int size, LPVOID buffer) { return GetObjectA(object, size, buffer); }
DWORD GetObjectType(HGDIOBJ object);
HGDIOBJ GetCurrentObject(HDC dc, UINT type);

HPEN CreatePen(int style, int width, COLORREF colour);
HPEN CreatePenIndirect(const LOGPEN* pen);
HPEN ExtCreatePen(DWORD style, DWORD width, const LOGBRUSH* brush, DWORD styleCount, const DWORD* styles);
HBRUSH CreateSolidBrush(COLORREF colour);
HBRUSH CreateHatchBrush(int hatch, COLORREF colour);
HBRUSH CreatePatternBrush(HBITMAP bitmap);
HBRUSH CreateBrushIndirect(const LOGBRUSH* brush);
HBRUSH CreateDIBPatternBrushPt(const void* packedDib, UINT usage);
HPALETTE CreatePalette(const LOGPALETTE* palette);
HPALETTE SelectPalette(HDC dc, HPALETTE palette, BOOL forceBackground);
UINT RealizePalette(HDC dc);
UINT GetPaletteEntries(HPALETTE palette, UINT start, UINT count, PALETTEENTRY* entries);
UINT SetPaletteEntries(HPALETTE palette, UINT start, UINT count, const PALETTEENTRY* entries);
UINT GetNearestPaletteIndex(HPALETTE palette, COLORREF colour);
COLORREF GetNearestColor(HDC dc, COLORREF colour);
BOOL SetBrushOrgEx(HDC dc, int x, int y, LPPOINT previous);
BOOL GetBrushOrgEx(HDC dc, LPPOINT origin);
COLORREF SetDCBrushColor(HDC dc, COLORREF colour);
COLORREF SetDCPenColor(HDC dc, COLORREF colour);

// ---------------------------------------------------------------------------
// Bitmaps

HBITMAP CreateBitmap(int width, int height, UINT planes, UINT bitsPerPixel, const void* bits);
HBITMAP CreateBitmapIndirect(const BITMAP* bitmap);
HBITMAP CreateCompatibleBitmap(HDC dc, int width, int height);
HBITMAP CreateDIBSection(HDC dc, const BITMAPINFO* info, UINT usage, void** bits, HANDLE section, DWORD offset);
HBITMAP CreateDIBitmap(HDC dc, const BITMAPINFOHEADER* header, DWORD init, const void* bits, const BITMAPINFO* info,
                       UINT usage);
int GetDIBits(HDC dc, HBITMAP bitmap, UINT start, UINT lines, LPVOID bits, LPBITMAPINFO info, UINT usage);
int SetDIBits(HDC dc, HBITMAP bitmap, UINT start, UINT lines, const void* bits, const BITMAPINFO* info, UINT usage);
int SetDIBitsToDevice(HDC dc, int xDest, int yDest, DWORD width, DWORD height, int xSrc, int ySrc, UINT startScan,
                      UINT scanLines, const void* bits, const BITMAPINFO* info, UINT usage);
int StretchDIBits(HDC dc, int xDest, int yDest, int destWidth, int destHeight, int xSrc, int ySrc, int srcWidth,
                  int srcHeight, const void* bits, const BITMAPINFO* info, UINT usage, DWORD rop);
LONG GetBitmapBits(HBITMAP bitmap, LONG size, LPVOID bits);
LONG SetBitmapBits(HBITMAP bitmap, DWORD size, const void* bits);
UINT GetDIBColorTable(HDC dc, UINT start, UINT count, RGBQUAD* colours);
UINT SetDIBColorTable(HDC dc, UINT start, UINT count, const RGBQUAD* colours);
BOOL GetBitmapDimensionEx(HBITMAP bitmap, LPSIZE size);
BOOL GdiFlush();

// ---------------------------------------------------------------------------
// Device contexts

HDC CreateCompatibleDC(HDC dc);
HDC CreateDCA(LPCSTR driver, LPCSTR device, LPCSTR output, const void* initData);
HDC CreateICA(LPCSTR driver, LPCSTR device, LPCSTR output, const void* initData);
BOOL DeleteDC(HDC dc);
HDC GetDC(HWND window);
int ReleaseDC(HWND window, HDC dc);
int GetDeviceCaps(HDC dc, int index);
int SaveDC(HDC dc);
BOOL RestoreDC(HDC dc, int saved);

// Printer pages (the printer device context draws each page into a bitmap).
int StartDocA(HDC dc, const DOCINFOA* info);
int EndDoc(HDC dc);
int AbortDoc(HDC dc);
int StartPage(HDC dc);
int EndPage(HDC dc);
inline HDC CreateDC(LPCSTR driver, LPCSTR device, LPCSTR output, const void* initData) {
  return CreateDCA(driver, device, output, initData);
}
inline HDC CreateIC(LPCSTR driver, LPCSTR device, LPCSTR output, const void* initData) {
  return CreateICA(driver, device, output, initData);
}
inline int StartDoc(HDC dc, const DOCINFOA* info) { return StartDocA(dc, info); }
using DOCINFO = DOCINFOA;

// Attributes
COLORREF SetBkColor(HDC dc, COLORREF colour);
COLORREF GetBkColor(HDC dc);
int SetBkMode(HDC dc, int mode);
int GetBkMode(HDC dc);
COLORREF SetTextColor(HDC dc, COLORREF colour);
COLORREF GetTextColor(HDC dc);
UINT SetTextAlign(HDC dc, UINT align);
UINT GetTextAlign(HDC dc);
int SetTextCharacterExtra(HDC dc, int extra);
int GetTextCharacterExtra(HDC dc);
int SetROP2(HDC dc, int rop);
int GetROP2(HDC dc);
int SetPolyFillMode(HDC dc, int mode);
int GetPolyFillMode(HDC dc);
int SetStretchBltMode(HDC dc, int mode);
int GetStretchBltMode(HDC dc);
int SetArcDirection(HDC dc, int direction);
int GetArcDirection(HDC dc);
BOOL SetMiterLimit(HDC dc, FLOAT limit, FLOAT* previous);
BOOL GetMiterLimit(HDC dc, FLOAT* limit);

// Coordinate spaces
int SetMapMode(HDC dc, int mode);
int GetMapMode(HDC dc);
BOOL SetWindowOrgEx(HDC dc, int x, int y, LPPOINT previous);
BOOL GetWindowOrgEx(HDC dc, LPPOINT origin);
BOOL SetWindowExtEx(HDC dc, int x, int y, LPSIZE previous);
BOOL GetWindowExtEx(HDC dc, LPSIZE extent);
BOOL SetViewportOrgEx(HDC dc, int x, int y, LPPOINT previous);
BOOL GetViewportOrgEx(HDC dc, LPPOINT origin);
BOOL SetViewportExtEx(HDC dc, int x, int y, LPSIZE previous);
BOOL GetViewportExtEx(HDC dc, LPSIZE extent);
BOOL OffsetViewportOrgEx(HDC dc, int dx, int dy, LPPOINT previous);
BOOL OffsetWindowOrgEx(HDC dc, int dx, int dy, LPPOINT previous);
BOOL LPtoDP(HDC dc, LPPOINT points, int count);
BOOL DPtoLP(HDC dc, LPPOINT points, int count);
int SetGraphicsMode(HDC dc, int mode);
int GetGraphicsMode(HDC dc);
BOOL SetWorldTransform(HDC dc, const XFORM* xform);
BOOL GetWorldTransform(HDC dc, XFORM* xform);
BOOL ModifyWorldTransform(HDC dc, const XFORM* xform, DWORD mode);
BOOL CombineTransform(XFORM* result, const XFORM* first, const XFORM* second);

// ---------------------------------------------------------------------------
// Drawing

BOOL MoveToEx(HDC dc, int x, int y, LPPOINT previous);
BOOL GetCurrentPositionEx(HDC dc, LPPOINT position);
BOOL LineTo(HDC dc, int x, int y);
BOOL Polyline(HDC dc, const POINT* points, int count);
BOOL PolylineTo(HDC dc, const POINT* points, DWORD count);
BOOL PolyPolyline(HDC dc, const POINT* points, const DWORD* counts, DWORD polylines);
BOOL Polygon(HDC dc, const POINT* points, int count);
BOOL PolyPolygon(HDC dc, const POINT* points, const INT* counts, int polygons);
BOOL PolyBezier(HDC dc, const POINT* points, DWORD count);
BOOL PolyBezierTo(HDC dc, const POINT* points, DWORD count);
BOOL Rectangle(HDC dc, int left, int top, int right, int bottom);
BOOL RoundRect(HDC dc, int left, int top, int right, int bottom, int width, int height);
BOOL Ellipse(HDC dc, int left, int top, int right, int bottom);
BOOL Arc(HDC dc, int left, int top, int right, int bottom, int xStart, int yStart, int xEnd, int yEnd);
BOOL ArcTo(HDC dc, int left, int top, int right, int bottom, int xStart, int yStart, int xEnd, int yEnd);
BOOL Chord(HDC dc, int left, int top, int right, int bottom, int xStart, int yStart, int xEnd, int yEnd);
BOOL Pie(HDC dc, int left, int top, int right, int bottom, int xStart, int yStart, int xEnd, int yEnd);
int FillRect(HDC dc, const RECT* rect, HBRUSH brush);
int FrameRect(HDC dc, const RECT* rect, HBRUSH brush);
BOOL InvertRect(HDC dc, const RECT* rect);
BOOL PatBlt(HDC dc, int x, int y, int width, int height, DWORD rop);
COLORREF SetPixel(HDC dc, int x, int y, COLORREF colour);
BOOL SetPixelV(HDC dc, int x, int y, COLORREF colour);
COLORREF GetPixel(HDC dc, int x, int y);
BOOL BitBlt(HDC dest, int x, int y, int width, int height, HDC src, int xSrc, int ySrc, DWORD rop);
BOOL StretchBlt(HDC dest, int x, int y, int width, int height, HDC src, int xSrc, int ySrc, int srcWidth,
                int srcHeight, DWORD rop);

// ---------------------------------------------------------------------------
// Paths

BOOL BeginPath(HDC dc);
BOOL EndPath(HDC dc);
BOOL AbortPath(HDC dc);
BOOL CloseFigure(HDC dc);
BOOL StrokePath(HDC dc);
BOOL FillPath(HDC dc);
BOOL StrokeAndFillPath(HDC dc);
BOOL FlattenPath(HDC dc);
BOOL WidenPath(HDC dc);
HRGN PathToRegion(HDC dc);
BOOL SelectClipPath(HDC dc, int mode);
int GetPath(HDC dc, LPPOINT points, BYTE* types, int count);

// ---------------------------------------------------------------------------
// Regions and clipping

HRGN CreateRectRgn(int left, int top, int right, int bottom);
HRGN CreateRectRgnIndirect(const RECT* rect);
HRGN CreateEllipticRgn(int left, int top, int right, int bottom);
HRGN CreateEllipticRgnIndirect(const RECT* rect);
HRGN CreateRoundRectRgn(int left, int top, int right, int bottom, int width, int height);
HRGN CreatePolygonRgn(const POINT* points, int count, int fillMode);
HRGN CreatePolyPolygonRgn(const POINT* points, const INT* counts, int polygons, int fillMode);
int CombineRgn(HRGN dest, HRGN src1, HRGN src2, int mode);
BOOL EqualRgn(HRGN a, HRGN b);
int OffsetRgn(HRGN region, int dx, int dy);
BOOL SetRectRgn(HRGN region, int left, int top, int right, int bottom);
BOOL PtInRegion(HRGN region, int x, int y);
BOOL RectInRegion(HRGN region, const RECT* rect);
int GetRgnBox(HRGN region, LPRECT box);
DWORD GetRegionData(HRGN region, DWORD size, RGNDATA* data);
BOOL FillRgn(HDC dc, HRGN region, HBRUSH brush);
BOOL FrameRgn(HDC dc, HRGN region, HBRUSH brush, int width, int height);
BOOL PaintRgn(HDC dc, HRGN region);
BOOL InvertRgn(HDC dc, HRGN region);
int SelectClipRgn(HDC dc, HRGN region);
int ExtSelectClipRgn(HDC dc, HRGN region, int mode);
int IntersectClipRect(HDC dc, int left, int top, int right, int bottom);
int ExcludeClipRect(HDC dc, int left, int top, int right, int bottom);
int OffsetClipRgn(HDC dc, int dx, int dy);
int GetClipBox(HDC dc, LPRECT rect);
int GetClipRgn(HDC dc, HRGN region);
BOOL PtVisible(HDC dc, int x, int y);
BOOL RectVisible(HDC dc, const RECT* rect);

// ---------------------------------------------------------------------------
// Fonts and text (font*.cpp, text*.cpp)

HFONT CreateFontIndirectA(const LOGFONTA* font);
HFONT CreateFontIndirectW(const LOGFONTW* font);
inline HFONT CreateFontIndirect(const LOGFONTA* font) { return CreateFontIndirectA(font); }
HFONT CreateFontA(int height, int width, int escapement, int orientation, int weight, DWORD italic,
                  DWORD underline, DWORD strikeOut, DWORD charSet, DWORD outPrecision, DWORD clipPrecision,
                  DWORD quality, DWORD pitchAndFamily, LPCSTR face);
inline HFONT CreateFont(int height, int width, int escapement, int orientation, int weight, DWORD italic,
                        DWORD underline, DWORD strikeOut, DWORD charSet, DWORD outPrecision, DWORD clipPrecision,
                        DWORD quality, DWORD pitchAndFamily, LPCSTR face) {
  return CreateFontA(height, width, escapement, orientation, weight, italic, underline, strikeOut, charSet,
                     outPrecision, clipPrecision, quality, pitchAndFamily, face);
}
BOOL GetTextMetricsA(HDC dc, LPTEXTMETRICA metrics);
BOOL GetTextMetricsW(HDC dc, LPTEXTMETRICW metrics);
inline BOOL GetTextMetrics(HDC dc, LPTEXTMETRICA metrics) { return GetTextMetricsA(dc, metrics); }
int GetTextFaceA(HDC dc, int size, LPSTR face);
int GetTextFaceW(HDC dc, int size, LPWSTR face);
BOOL GetTextExtentPoint32A(HDC dc, LPCSTR text, int length, LPSIZE size);
BOOL GetTextExtentPoint32W(HDC dc, LPCWSTR text, int length, LPSIZE size);
inline BOOL GetTextExtentPoint32(HDC dc, LPCSTR text, int length, LPSIZE size) {
  return GetTextExtentPoint32A(dc, text, length, size);
}
BOOL GetTextExtentExPointA(HDC dc, LPCSTR text, int length, int maxExtent, LPINT fit, LPINT dx, LPSIZE size);
BOOL GetTextExtentExPointW(HDC dc, LPCWSTR text, int length, int maxExtent, LPINT fit, LPINT dx, LPSIZE size);
BOOL GetCharWidthA(HDC dc, UINT first, UINT last, LPINT widths);
BOOL GetCharWidthW(HDC dc, UINT first, UINT last, LPINT widths);
inline BOOL GetCharWidth(HDC dc, UINT first, UINT last, LPINT widths) { return GetCharWidthA(dc, first, last, widths); }
BOOL GetCharWidth32A(HDC dc, UINT first, UINT last, LPINT widths);
BOOL GetCharWidth32W(HDC dc, UINT first, UINT last, LPINT widths);
BOOL GetCharABCWidthsA(HDC dc, UINT first, UINT last, ABC* widths);
BOOL GetCharABCWidthsW(HDC dc, UINT first, UINT last, ABC* widths);
// GGO_METRICS under the identity matrix; other formats and transforms give
// GDI_ERROR.
DWORD GetGlyphOutlineA(HDC dc, UINT ch, UINT format, LPGLYPHMETRICS metrics, DWORD size, LPVOID buffer,
                       const MAT2* transform);
DWORD GetGlyphOutlineW(HDC dc, UINT ch, UINT format, LPGLYPHMETRICS metrics, DWORD size, LPVOID buffer,
                       const MAT2* transform);
BOOL TextOutA(HDC dc, int x, int y, LPCSTR text, int length);
BOOL TextOutW(HDC dc, int x, int y, LPCWSTR text, int length);
inline BOOL TextOut(HDC dc, int x, int y, LPCSTR text, int length) { return TextOutA(dc, x, y, text, length); }
BOOL ExtTextOutA(HDC dc, int x, int y, UINT options, const RECT* clip, LPCSTR text, UINT length, const INT* dx);
BOOL ExtTextOutW(HDC dc, int x, int y, UINT options, const RECT* clip, LPCWSTR text, UINT length, const INT* dx);
inline BOOL ExtTextOut(HDC dc, int x, int y, UINT options, const RECT* clip, LPCSTR text, UINT length,
                       const INT* dx) {
  return ExtTextOutA(dc, x, y, options, clip, text, length, dx);
}
int DrawTextA(HDC dc, LPCSTR text, int length, LPRECT rect, UINT format);
int DrawTextW(HDC dc, LPCWSTR text, int length, LPRECT rect, UINT format);
inline int DrawText(HDC dc, LPCSTR text, int length, LPRECT rect, UINT format) {
  return DrawTextA(dc, text, length, rect, format);
}
int DrawTextExA(HDC dc, LPSTR text, int length, LPRECT rect, UINT format, DRAWTEXTPARAMS* params);
int DrawTextExW(HDC dc, LPWSTR text, int length, LPRECT rect, UINT format, DRAWTEXTPARAMS* params);

using FONTENUMPROCA = int (*)(const LOGFONTA* font, const TEXTMETRICA* metrics, DWORD fontType, LPARAM param);
using FONTENUMPROCW = int (*)(const LOGFONTW* font, const TEXTMETRICW* metrics, DWORD fontType, LPARAM param);
using FONTENUMPROC = FONTENUMPROCA;
int EnumFontFamiliesExA(HDC dc, LPLOGFONTA font, FONTENUMPROCA callback, LPARAM param, DWORD flags);
int EnumFontFamiliesExW(HDC dc, LPLOGFONTW font, FONTENUMPROCW callback, LPARAM param, DWORD flags);
inline int EnumFontFamiliesEx(HDC dc, LPLOGFONTA font, FONTENUMPROCA callback, LPARAM param, DWORD flags) {
  return EnumFontFamiliesExA(dc, font, callback, param, flags);
}

int MulDiv(int number, int numerator, int denominator);
