// Rich text: character and paragraph formats, the rich-edit messages and
// structures with their documented values and layouts, the windowless text
// services a host drives (ITextHost / ITextServices), and the rich-edit
// control classes "RichEdit20W" and "RichEdit20A".
#pragma once

#include <cstddef>

#include "platform/comctl/notify.h"
#include "platform/gdi/gdi.h"
#include "platform/kernel/com_types.h"
#include "platform/kernel/types.h"
#include "platform/richedit/tom.h"
#include "platform/user/user.h"

inline constexpr const char* RICHEDIT_CLASSA = "RichEdit20A";
inline constexpr const WCHAR* RICHEDIT_CLASSW = u"RichEdit20W";

// ---------------------------------------------------------------------------
// Character formats

inline constexpr DWORD CFM_BOLD = 0x00000001, CFM_ITALIC = 0x00000002, CFM_UNDERLINE = 0x00000004,
                       CFM_STRIKEOUT = 0x00000008, CFM_PROTECTED = 0x00000010, CFM_LINK = 0x00000020,
                       CFM_SMALLCAPS = 0x00000040, CFM_ALLCAPS = 0x00000080, CFM_HIDDEN = 0x00000100,
                       CFM_OUTLINE = 0x00000200, CFM_SHADOW = 0x00000400, CFM_EMBOSS = 0x00000800,
                       CFM_IMPRINT = 0x00001000, CFM_DISABLED = 0x00002000, CFM_REVISED = 0x00004000,
                       CFM_REVAUTHOR = 0x00008000, CFM_SUBSCRIPT = 0x00030000, CFM_SUPERSCRIPT = 0x00030000,
                       CFM_ANIMATION = 0x00040000, CFM_STYLE = 0x00080000, CFM_KERNING = 0x00100000,
                       CFM_SPACING = 0x00200000, CFM_WEIGHT = 0x00400000, CFM_UNDERLINETYPE = 0x00800000,
                       CFM_LCID = 0x02000000, CFM_BACKCOLOR = 0x04000000, CFM_CHARSET = 0x08000000,
                       CFM_OFFSET = 0x10000000, CFM_FACE = 0x20000000, CFM_COLOR = 0x40000000,
                       CFM_SIZE = 0x80000000;
inline constexpr DWORD CFM_EFFECTS = CFM_BOLD | CFM_ITALIC | CFM_UNDERLINE | CFM_COLOR | CFM_STRIKEOUT |
                                     CFM_PROTECTED | CFM_LINK;
inline constexpr DWORD CFM_ALL = CFM_EFFECTS | CFM_SIZE | CFM_FACE | CFM_OFFSET | CFM_CHARSET;
inline constexpr DWORD CFM_EFFECTS2 = CFM_EFFECTS | CFM_DISABLED | CFM_SMALLCAPS | CFM_ALLCAPS | CFM_HIDDEN |
                                      CFM_OUTLINE | CFM_SHADOW | CFM_EMBOSS | CFM_IMPRINT | CFM_REVISED |
                                      CFM_SUBSCRIPT | CFM_BACKCOLOR;
inline constexpr DWORD CFM_ALL2 = CFM_ALL | CFM_EFFECTS2 | CFM_BACKCOLOR | CFM_LCID | CFM_UNDERLINETYPE |
                                  CFM_WEIGHT | CFM_REVAUTHOR | CFM_SPACING | CFM_KERNING | CFM_STYLE |
                                  CFM_ANIMATION;

inline constexpr DWORD CFE_BOLD = 0x00000001, CFE_ITALIC = 0x00000002, CFE_UNDERLINE = 0x00000004,
                       CFE_STRIKEOUT = 0x00000008, CFE_PROTECTED = 0x00000010, CFE_LINK = 0x00000020,
                       CFE_SMALLCAPS = 0x00000040, CFE_ALLCAPS = 0x00000080, CFE_HIDDEN = 0x00000100,
                       CFE_SUBSCRIPT = 0x00010000, CFE_SUPERSCRIPT = 0x00020000, CFE_AUTOBACKCOLOR = 0x04000000,
                       CFE_AUTOCOLOR = 0x40000000;

inline constexpr BYTE CFU_UNDERLINENONE = 0, CFU_UNDERLINE = 1, CFU_UNDERLINEWORD = 2, CFU_UNDERLINEDOUBLE = 3,
                      CFU_UNDERLINEDOTTED = 4;

inline constexpr int LF_FACESIZE_RICHEDIT = 32;

struct CHARFORMATA {
  UINT cbSize;
  DWORD dwMask;
  DWORD dwEffects;
  LONG yHeight;  // twips
  LONG yOffset;  // twips, up positive
  COLORREF crTextColor;
  BYTE bCharSet;
  BYTE bPitchAndFamily;
  char szFaceName[LF_FACESIZE_RICHEDIT];
};
struct CHARFORMATW {
  UINT cbSize;
  DWORD dwMask;
  DWORD dwEffects;
  LONG yHeight;
  LONG yOffset;
  COLORREF crTextColor;
  BYTE bCharSet;
  BYTE bPitchAndFamily;
  WCHAR szFaceName[LF_FACESIZE_RICHEDIT];
};
// The version-2 structures repeat the first members (they are not derived, so
// that wWeight follows the face name without padding, as documented).
struct CHARFORMAT2A {
  UINT cbSize;
  DWORD dwMask;
  DWORD dwEffects;
  LONG yHeight;
  LONG yOffset;
  COLORREF crTextColor;
  BYTE bCharSet;
  BYTE bPitchAndFamily;
  char szFaceName[LF_FACESIZE_RICHEDIT];
  WORD wWeight;
  SHORT sSpacing;
  COLORREF crBackColor;
  LCID lcid;
  DWORD dwReserved;
  SHORT sStyle;
  WORD wKerning;
  BYTE bUnderlineType;
  BYTE bAnimation;
  BYTE bRevAuthor;
  BYTE bReserved1;
};
struct CHARFORMAT2W {
  UINT cbSize;
  DWORD dwMask;
  DWORD dwEffects;
  LONG yHeight;
  LONG yOffset;
  COLORREF crTextColor;
  BYTE bCharSet;
  BYTE bPitchAndFamily;
  WCHAR szFaceName[LF_FACESIZE_RICHEDIT];
  WORD wWeight;
  SHORT sSpacing;
  COLORREF crBackColor;
  LCID lcid;
  DWORD dwReserved;
  SHORT sStyle;
  WORD wKerning;
  BYTE bUnderlineType;
  BYTE bAnimation;
  BYTE bRevAuthor;
  BYTE bReserved1;
};
static_assert(sizeof(CHARFORMATA) == 60 && sizeof(CHARFORMATW) == 92);
static_assert(sizeof(CHARFORMAT2A) == 84 && sizeof(CHARFORMAT2W) == 116);
static_assert(offsetof(CHARFORMAT2W, wWeight) == 90 && offsetof(CHARFORMAT2W, crBackColor) == 96);
static_assert(offsetof(CHARFORMAT2A, wWeight) == 58 && offsetof(CHARFORMAT2A, crBackColor) == 64);
using CHARFORMAT = CHARFORMATA;
using CHARFORMAT2 = CHARFORMAT2A;

// ---------------------------------------------------------------------------
// Paragraph formats

inline constexpr DWORD PFM_STARTINDENT = 0x00000001, PFM_RIGHTINDENT = 0x00000002, PFM_OFFSET = 0x00000004,
                       PFM_ALIGNMENT = 0x00000008, PFM_TABSTOPS = 0x00000010, PFM_NUMBERING = 0x00000020,
                       PFM_SPACEBEFORE = 0x00000040, PFM_SPACEAFTER = 0x00000080, PFM_LINESPACING = 0x00000100,
                       PFM_STYLE = 0x00000400, PFM_BORDER = 0x00000800, PFM_SHADING = 0x00001000,
                       PFM_NUMBERINGSTYLE = 0x00002000, PFM_NUMBERINGTAB = 0x00004000,
                       PFM_NUMBERINGSTART = 0x00008000, PFM_RTLPARA = 0x00010000, PFM_KEEP = 0x00020000,
                       PFM_KEEPNEXT = 0x00040000, PFM_PAGEBREAKBEFORE = 0x00080000,
                       PFM_NOLINENUMBER = 0x00100000, PFM_NOWIDOWCONTROL = 0x00200000,
                       PFM_DONOTHYPHEN = 0x00400000, PFM_SIDEBYSIDE = 0x00800000, PFM_OFFSETINDENT = 0x80000000;
inline constexpr DWORD PFM_ALL = PFM_STARTINDENT | PFM_RIGHTINDENT | PFM_OFFSET | PFM_ALIGNMENT | PFM_TABSTOPS |
                                 PFM_NUMBERING | PFM_OFFSETINDENT | PFM_RTLPARA;
inline constexpr DWORD PFM_ALL2 = PFM_ALL | PFM_SPACEBEFORE | PFM_SPACEAFTER | PFM_LINESPACING | PFM_STYLE |
                                  PFM_BORDER | PFM_SHADING | PFM_NUMBERINGSTYLE | PFM_NUMBERINGTAB |
                                  PFM_NUMBERINGSTART;

inline constexpr WORD PFA_LEFT = 1, PFA_RIGHT = 2, PFA_CENTER = 3, PFA_JUSTIFY = 4, PFA_FULL_INTERWORD = 4;
inline constexpr WORD PFN_BULLET = 1;
inline constexpr int MAX_TAB_STOPS = 32;
// A tab stop's position is in the low 24 bits (twips); bits 24..27 its alignment.
inline constexpr LONG TAB_POSITION_MASK = 0x00FFFFFF;
inline constexpr int TAB_LEFT = 0, TAB_CENTER = 1, TAB_RIGHT = 2, TAB_DECIMAL = 3, TAB_BAR = 4;

// bLineSpacingRule
inline constexpr BYTE LINESPACING_SINGLE = 0, LINESPACING_ONEANDHALF = 1, LINESPACING_DOUBLE = 2,
                      LINESPACING_ATLEAST = 3, LINESPACING_EXACTLY = 4, LINESPACING_MULTIPLE = 5;

struct PARAFORMAT {
  UINT cbSize;
  DWORD dwMask;
  WORD wNumbering;
  WORD wEffects;
  LONG dxStartIndent;  // twips
  LONG dxRightIndent;
  LONG dxOffset;       // the other lines relative to the first
  WORD wAlignment;
  SHORT cTabCount;
  LONG rgxTabs[MAX_TAB_STOPS];
};
struct PARAFORMAT2 {
  UINT cbSize;
  DWORD dwMask;
  WORD wNumbering;
  WORD wEffects;
  LONG dxStartIndent;
  LONG dxRightIndent;
  LONG dxOffset;
  WORD wAlignment;
  SHORT cTabCount;
  LONG rgxTabs[MAX_TAB_STOPS];
  LONG dySpaceBefore;
  LONG dySpaceAfter;
  LONG dyLineSpacing;
  SHORT sStyle;
  BYTE bLineSpacingRule;
  BYTE bOutlineLevel;
  WORD wShadingWeight;
  WORD wShadingStyle;
  WORD wNumberingStart;
  WORD wNumberingStyle;
  WORD wNumberingTab;
  WORD wBorderSpace;
  WORD wBorderWidth;
  WORD wBorders;
};
static_assert(sizeof(PARAFORMAT) == 156 && sizeof(PARAFORMAT2) == 188);
static_assert(offsetof(PARAFORMAT2, dySpaceBefore) == 156 && offsetof(PARAFORMAT2, bLineSpacingRule) == 170);

// ---------------------------------------------------------------------------
// Messages and their structures

inline constexpr UINT EM_CANPASTE = 0x0432, EM_DISPLAYBAND = 0x0433, EM_EXGETSEL = 0x0434,
                      EM_EXLIMITTEXT = 0x0435, EM_EXLINEFROMCHAR = 0x0436, EM_EXSETSEL = 0x0437,
                      EM_FINDTEXT = 0x0438, EM_FORMATRANGE = 0x0439, EM_GETCHARFORMAT = 0x043A,
                      EM_GETEVENTMASK = 0x043B, EM_GETOLEINTERFACE = 0x043C, EM_GETPARAFORMAT = 0x043D,
                      EM_GETSELTEXT = 0x043E, EM_HIDESELECTION = 0x043F, EM_PASTESPECIAL = 0x0440,
                      EM_REQUESTRESIZE = 0x0441, EM_SELECTIONTYPE = 0x0442, EM_SETBKGNDCOLOR = 0x0443,
                      EM_SETCHARFORMAT = 0x0444, EM_SETEVENTMASK = 0x0445, EM_SETOLECALLBACK = 0x0446,
                      EM_SETPARAFORMAT = 0x0447, EM_SETTARGETDEVICE = 0x0448, EM_STREAMIN = 0x0449,
                      EM_STREAMOUT = 0x044A, EM_GETTEXTRANGE = 0x044B, EM_FINDWORDBREAK = 0x044C,
                      EM_SETOPTIONS = 0x044D, EM_GETOPTIONS = 0x044E, EM_FINDTEXTEX = 0x044F,
                      EM_SETUNDOLIMIT = 0x0452, EM_REDO = 0x0454, EM_CANREDO = 0x0455, EM_SETTEXTMODE = 0x0459,
                      EM_GETTEXTMODE = 0x045A, EM_GETTEXTEX = 0x045E, EM_GETTEXTLENGTHEX = 0x045F,
                      EM_SETTEXTEX = 0x0461, EM_SETFONTSIZE = 0x04DF, EM_GETZOOM = 0x04E0, EM_SETZOOM = 0x04E1;

// Stream formats (EM_STREAMIN / EM_STREAMOUT)
inline constexpr DWORD SF_TEXT = 0x0001, SF_RTF = 0x0002, SF_RTFNOOBJS = 0x0003, SF_TEXTIZED = 0x0004,
                       SF_UNICODE = 0x0010, SF_USECODEPAGE = 0x0020, SFF_PLAINRTF = 0x4000,
                       SFF_SELECTION = 0x8000;
// EM_SETCHARFORMAT
inline constexpr WPARAM SCF_DEFAULT = 0x0000, SCF_SELECTION = 0x0001, SCF_WORD = 0x0002, SCF_ALL = 0x0004;
// EM_SETTEXTEX / EM_GETTEXTEX / EM_GETTEXTLENGTHEX
inline constexpr DWORD ST_DEFAULT = 0, ST_KEEPUNDO = 1, ST_SELECTION = 2, ST_NEWCHARS = 4;
inline constexpr DWORD GT_DEFAULT = 0, GT_USECRLF = 1, GT_SELECTION = 2, GT_RAWTEXT = 4, GT_NOHIDDENTEXT = 8;
inline constexpr DWORD GTL_DEFAULT = 0, GTL_USECRLF = 1, GTL_PRECISE = 2, GTL_CLOSE = 4, GTL_NUMCHARS = 8,
                       GTL_NUMBYTES = 16;
// EM_SETTEXTMODE
inline constexpr DWORD TM_PLAINTEXT = 1, TM_RICHTEXT = 2, TM_SINGLELEVELUNDO = 4, TM_MULTILEVELUNDO = 8,
                       TM_SINGLECODEPAGE = 16, TM_MULTICODEPAGE = 32;

// EM_POSFROMCHAR and EM_CHARFROMPOS take a point of 32-bit members.
struct POINTL {
  LONG x;
  LONG y;
};

struct CHARRANGE {
  LONG cpMin;
  LONG cpMax;
};

// Event mask (EM_SETEVENTMASK): which notifications the control sends.
inline constexpr DWORD ENM_NONE = 0x00000000, ENM_CHANGE = 0x00000001, ENM_UPDATE = 0x00000002,
                       ENM_SCROLL = 0x00000004, ENM_KEYEVENTS = 0x00010000, ENM_MOUSEEVENTS = 0x00020000,
                       ENM_REQUESTRESIZE = 0x00040000, ENM_SELCHANGE = 0x00080000;
inline constexpr UINT EN_SELCHANGE = 0x0702;
inline constexpr WORD SEL_EMPTY = 0x0000, SEL_TEXT = 0x0001;
struct SELCHANGE {
  NMHDR nmhdr;
  CHARRANGE chrg;
  WORD seltyp;
};
// EM_SETOPTIONS
inline constexpr WPARAM ECOOP_SET = 1, ECOOP_OR = 2, ECOOP_AND = 3, ECOOP_XOR = 4;
inline constexpr DWORD ECO_AUTOWORDSELECTION = 0x1, ECO_AUTOVSCROLL = 0x40, ECO_AUTOHSCROLL = 0x80,
                       ECO_NOHIDESEL = 0x100, ECO_READONLY = 0x800, ECO_WANTRETURN = 0x1000;
struct TEXTRANGEW {
  CHARRANGE chrg;
  LPWSTR lpstrText;
};
struct SETTEXTEX {
  DWORD flags;
  UINT codepage;
};
struct GETTEXTEX {
  DWORD cb;  // bytes of the buffer, the terminating zero included
  DWORD flags;
  UINT codepage;
  LPCSTR lpDefaultChar;
  LPBOOL lpUsedDefChar;
};
struct GETTEXTLENGTHEX {
  DWORD flags;
  UINT codepage;
};
using EDITSTREAMCALLBACK = DWORD (*)(DWORD_PTR cookie, LPBYTE buffer, LONG bytes, LONG* done);
struct EDITSTREAM {
  DWORD_PTR dwCookie;
  DWORD dwError;
  EDITSTREAMCALLBACK pfnCallback;
};
// A range of text laid out on a page: rc and rcPage in twips of hdc.
struct FORMATRANGE {
  HDC hdc;
  HDC hdcTarget;
  RECT rc;
  RECT rcPage;
  CHARRANGE chrg;
};

// ---------------------------------------------------------------------------
// Windowless text services

inline constexpr DWORD TXTBIT_RICHTEXT = 0x1, TXTBIT_MULTILINE = 0x2, TXTBIT_READONLY = 0x4,
                       TXTBIT_SHOWACCELERATOR = 0x8, TXTBIT_USEPASSWORD = 0x10, TXTBIT_HIDESELECTION = 0x20,
                       TXTBIT_SAVESELECTION = 0x40, TXTBIT_AUTOWORDSEL = 0x80, TXTBIT_VERTICAL = 0x100,
                       TXTBIT_SELBARCHANGE = 0x200, TXTBIT_WORDWRAP = 0x400, TXTBIT_ALLOWBEEP = 0x800,
                       TXTBIT_DISABLEDRAG = 0x1000, TXTBIT_VIEWINSETCHANGE = 0x2000,
                       TXTBIT_BACKSTYLECHANGE = 0x4000, TXTBIT_MAXLENGTHCHANGE = 0x8000,
                       TXTBIT_SCROLLBARCHANGE = 0x10000, TXTBIT_CHARFORMATCHANGE = 0x20000,
                       TXTBIT_PARAFORMATCHANGE = 0x40000, TXTBIT_EXTENTCHANGE = 0x80000,
                       TXTBIT_CLIENTRECTCHANGE = 0x100000, TXTBIT_USECURRENTBKG = 0x200000;

enum TXTBACKSTYLE { TXTBACK_TRANSPARENT = 0, TXTBACK_OPAQUE = 1 };
inline constexpr DWORD TXTNS_FITTOCONTENT = 1, TXTNS_ROUNDTOLINE = 2;
inline constexpr DWORD DVASPECT_CONTENT = 1;
inline constexpr LONG TXTVIEW_ACTIVE = 0, TXTVIEW_INACTIVE = -1;

// {8D33F740-CF58-11CE-A89D-00AA006CADC5}
inline constexpr IID IID_ITextServices{0x8D33F740, 0xCF58, 0x11CE, {0xA8, 0x9D, 0x00, 0xAA, 0x00, 0x6C, 0xAD, 0xC5}};
// {13E670F4-1A5A-11CF-ABEB-00AA00B65EA1}
inline constexpr IID IID_ITextHost{0x13E670F4, 0x1A5A, 0x11CF, {0xAB, 0xEB, 0x00, 0xAA, 0x00, 0xB6, 0x5E, 0xA1}};
// {8CC497C0-A1DF-11CE-8098-00AA0047BE5D}
inline constexpr IID IID_ITextDocument{0x8CC497C0, 0xA1DF, 0x11CE, {0x80, 0x98, 0x00, 0xAA, 0x00, 0x47, 0xBE, 0x5D}};

struct DVTARGETDEVICE;

// What the text services ask of the host that owns them, in slot order.
class ITextHost : public IUnknown {
 public:
  virtual HDC TxGetDC() = 0;
  virtual INT TxReleaseDC(HDC dc) = 0;
  virtual BOOL TxShowScrollBar(INT bar, BOOL show) = 0;
  virtual BOOL TxEnableScrollBar(INT bars, INT arrows) = 0;
  virtual BOOL TxSetScrollRange(INT bar, LONG minPos, INT maxPos, BOOL redraw) = 0;
  virtual BOOL TxSetScrollPos(INT bar, INT pos, BOOL redraw) = 0;
  virtual void TxInvalidateRect(LPCRECT rect, BOOL mode) = 0;
  virtual void TxViewChange(BOOL update) = 0;
  virtual BOOL TxCreateCaret(HBITMAP bitmap, INT width, INT height) = 0;
  virtual BOOL TxShowCaret(BOOL show) = 0;
  virtual BOOL TxSetCaretPos(INT x, INT y) = 0;
  virtual BOOL TxSetTimer(UINT id, UINT timeout) = 0;
  virtual void TxKillTimer(UINT id) = 0;
  virtual void TxScrollWindowEx(INT dx, INT dy, LPCRECT scroll, LPCRECT clip, HRGN update, LPRECT updated,
                                UINT flags) = 0;
  virtual void TxSetCapture(BOOL capture) = 0;
  virtual void TxSetFocus() = 0;
  virtual void TxSetCursor(HCURSOR cursor, BOOL text) = 0;
  virtual BOOL TxScreenToClient(LPPOINT point) = 0;
  virtual BOOL TxClientToScreen(LPPOINT point) = 0;
  virtual HRESULT TxActivate(LONG* oldState) = 0;
  virtual HRESULT TxDeactivate(LONG newState) = 0;
  virtual HRESULT TxGetClientRect(LPRECT rect) = 0;
  virtual HRESULT TxGetViewInset(LPRECT inset) = 0;
  virtual HRESULT TxGetCharFormat(const CHARFORMATW** format) = 0;
  virtual HRESULT TxGetParaFormat(const PARAFORMAT** format) = 0;
  virtual COLORREF TxGetSysColor(int index) = 0;
  virtual HRESULT TxGetBackStyle(TXTBACKSTYLE* style) = 0;
  virtual HRESULT TxGetMaxLength(DWORD* length) = 0;
  virtual HRESULT TxGetScrollBars(DWORD* scrollBars) = 0;
  virtual HRESULT TxGetPasswordChar(WCHAR* ch) = 0;
  virtual HRESULT TxGetAccelPos(LONG* pos) = 0;
  virtual HRESULT TxGetExtent(LPSIZE extent) = 0;
  virtual HRESULT OnTxCharFormatChange(const CHARFORMATW* format) = 0;
  virtual HRESULT OnTxParaFormatChange(const PARAFORMAT* format) = 0;
  virtual HRESULT TxGetPropertyBits(DWORD mask, DWORD* bits) = 0;
  virtual HRESULT TxNotify(DWORD code, void* data) = 0;
  virtual HIMC TxImmGetContext() = 0;
  virtual void TxImmReleaseContext(HIMC context) = 0;
  virtual HRESULT TxGetSelectionBarWidth(LONG* width) = 0;

 protected:
  ~ITextHost() = default;
};

// The text services: a rich-text document the host sends messages to and has drawn.
class ITextServices : public IUnknown {
 public:
  virtual HRESULT TxSendMessage(UINT msg, WPARAM wParam, LPARAM lParam, LRESULT* result) = 0;
  // Draws into `draw` within `bounds` (logical units of that DC); `target`
  // (may be null) is the device the text is laid out for.
  virtual HRESULT TxDraw(DWORD aspect, LONG index, void* aspectInfo, DVTARGETDEVICE* device, HDC draw, HDC target,
                         LPCRECT bounds, LPCRECT metafileBounds, LPCRECT update, BOOL (*cont)(DWORD_PTR),
                         DWORD_PTR contParam, LONG viewId) = 0;
  virtual HRESULT TxGetHScroll(LONG* min, LONG* max, LONG* pos, LONG* page, BOOL* enabled) = 0;
  virtual HRESULT TxGetVScroll(LONG* min, LONG* max, LONG* pos, LONG* page, BOOL* enabled) = 0;
  virtual HRESULT OnTxSetCursor(DWORD aspect, LONG index, void* aspectInfo, DVTARGETDEVICE* device, HDC draw,
                                HDC target, LPCRECT client, INT x, INT y) = 0;
  virtual HRESULT TxQueryHitPoint(DWORD aspect, LONG index, void* aspectInfo, DVTARGETDEVICE* device, HDC draw,
                                  HDC target, LPCRECT client, INT x, INT y, DWORD* hit) = 0;
  virtual HRESULT OnTxInPlaceActivate(LPCRECT client) = 0;
  virtual HRESULT OnTxInPlaceDeactivate() = 0;
  virtual HRESULT OnTxUIActivate() = 0;
  virtual HRESULT OnTxUIDeactivate() = 0;
  // The whole text as UTF-16, zero-terminated; the caller frees *text with delete[].
  virtual HRESULT TxGetText(LPWSTR* text) = 0;
  virtual HRESULT TxSetText(LPCWSTR text) = 0;
  virtual HRESULT TxGetCurTargetX(LONG* x) = 0;
  virtual HRESULT TxGetBaseLinePos(LONG* pos) = 0;
  // The size the text needs: *width in, *height out (or the other way round
  // when *width is the unknown), in logical units of `draw`.
  virtual HRESULT TxGetNaturalSize(DWORD aspect, HDC draw, HDC target, DVTARGETDEVICE* device, DWORD mode,
                                   const SIZE* extent, LONG* width, LONG* height) = 0;
  virtual HRESULT TxGetDropTarget(void** target) = 0;
  virtual HRESULT OnTxPropertyBitsChange(DWORD mask, DWORD bits) = 0;
  virtual HRESULT TxGetCachedSize(DWORD* width, DWORD* height) = 0;

 protected:
  ~ITextServices() = default;
};

// Makes text services for a host. The object comes back through *unknown
// with one reference; QueryInterface gives IID_ITextServices. The host must
// outlive the services.
HRESULT CreateTextServices(IUnknown* outer, ITextHost* host, IUnknown** unknown);

// ---------------------------------------------------------------------------
// Pictures

// Kinds of pictures kept from rich text.
enum class RichPictureKind { Png, Jpeg, Dib, Wmf, Emf, Other };
// Draws a picture the layer cannot decode itself (PNG, JPEG) into `dest`
// (logical units); false when it cannot. A layer above registers one; the
// layer draws DIB, WMF and EMF itself and a frame where nothing can draw.
using RichPictureDecoder = BOOL (*)(RichPictureKind kind, const BYTE* data, size_t size, HDC dc, const RECT* dest);
void SetRichPictureDecoder(RichPictureDecoder decoder);
// The decoder registered, or null.
RichPictureDecoder GetRichPictureDecoder();
