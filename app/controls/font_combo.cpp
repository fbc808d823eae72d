#include "app/controls/font_combo.h"

#include <algorithm>
#include <cstring>

#include "app/controls/controls_ids.h"
#include "platform/gdi/gdi_owners.h"

namespace {

constexpr BYTE kMacCharset = 77;
constexpr int kImageWidth = 16, kImageHeight = 15;

// The scripts every face offers in the script list, whether it has them or
// not, inserted after its first in this order (so they read Simplified,
// Traditional, Japanese, Korean).
struct AddedScript {
  int charset;
  const char* name;
};
constexpr AddedScript kAddedScripts[] = {
    {129, "Korean"}, {128, "Japanese"}, {136, "Traditional Chinese"}, {134, "Simplified Chinese"}};

HFONT StockGuiFont() {
  HGDIOBJ font = GetStockObject(DEFAULT_GUI_FONT);
  if (!font) font = GetStockObject(ANSI_VAR_FONT);
  return static_cast<HFONT>(font);
}

int TakeFontCallback(const LOGFONTA* font, const TEXTMETRICA*, DWORD fontType, LPARAM param) {
  reinterpret_cast<CFontCombo*>(param)->TakeFont(*reinterpret_cast<const ENUMLOGFONTEXA*>(font), fontType);
  return 1;
}

struct FaceSearch {
  const char* face;
  bool found = false;
};

int FindFaceCallback(const LOGFONTA* font, const TEXTMETRICA*, DWORD, LPARAM param) {
  auto* search = reinterpret_cast<FaceSearch*>(param);
  const auto* e = reinterpret_cast<const ENUMLOGFONTEXA*>(font);
  if (FaceNameEquals(reinterpret_cast<const char*>(e->elfFullName), search->face)) {
    search->found = true;
    return 0;
  }
  return 1;
}

}  // namespace

bool FontItemBefore(const FontItem& a, const FontItem& b) {
  const bool aVertical = a.faceName.GetLength() > 0 && a.faceName.GetData()[0] == '@';
  const bool bVertical = b.faceName.GetLength() > 0 && b.faceName.GetData()[0] == '@';
  if (aVertical != bVertical) return bVertical;
  const int c = std::strcmp(a.faceName.GetData(), b.faceName.GetData());
  if (c != 0) return c < 0;
  return a.charset == 0 && b.charset != 0;
}

BEGIN_MESSAGE_MAP(CFontCombo, CFontComboBase)
  ON_CONTROL_REFLECT_EX(CBN_DROPDOWN, OnDropDown)
  ON_WM_DESTROY()
END_MESSAGE_MAP()

CFontCombo::~CFontCombo() { FreeItems(); }

void CFontCombo::FreeItems() {
  DeleteItems();
  m_widestName = 10;
}

void CFontCombo::OnDestroy() {
  FreeItems();
  CFontComboBase::OnDestroy();
}

void CFontCombo::TakeFont(const ENUMLOGFONTEXA& font, DWORD fontType) {
  const LOGFONTA& lf = font.elfLogFont;
  DWORD flags = 0;
  if (m_fontTypes & DEVICE_FONTTYPE) {
    if (!(fontType & DEVICE_FONTTYPE) || (fontType & TRUETYPE_FONTTYPE)) return;
  } else {
    if (!(fontType & m_fontTypes)) return;
    if (fontType & TRUETYPE_FONTTYPE) flags = kFontItemTrueType;
  }
  if (lf.lfCharSet == kMacCharset) return;
  FontItem* item = FindItem(lf.lfFaceName);
  if (!item) {
    item = NewItem(AString(lf.lfFaceName));
    item->charset = lf.lfCharSet;
    item->pitchAndFamily = lf.lfPitchAndFamily;
    item->flags = flags;
  }
  item->scripts.emplace_back(reinterpret_cast<const char*>(font.elfScript));
  item->charsets.push_back(lf.lfCharSet);
}

void CFontCombo::FillFontList(const char* printerDevice) {
  AString kept;
  GetText(kept);
  FreeItems();
  ResetContent();
  const bool onPrinter = (m_fontTypes & DEVICE_FONTTYPE) && printerDevice && *printerDevice;
  UniqueDc printer(onPrinter ? CreateDCA("WINSPOOL", printerDevice, nullptr, nullptr) : nullptr);
  WindowDc screen(nullptr);
  HDC dc = printer ? printer.get() : screen.get();
  LOGFONTA lf{};
  lf.lfCharSet = 0;
  EnumFontFamiliesExA(dc, &lf, TakeFontCallback, reinterpret_cast<LPARAM>(this), 0);

  std::vector<FontItem*> sorted;
  for (const auto& item : items_) sorted.push_back(item.get());
  std::stable_sort(sorted.begin(), sorted.end(), [](const FontItem* a, const FontItem* b) { return FontItemBefore(*a, *b); });
  SelectScope font(screen.get(), StockGuiFont());
  for (FontItem* item : sorted) {
    const int index = AddString(item->faceName.GetData());
    SIZE size{0, 0};
    GetTextExtentPoint32A(screen.get(), item->faceName.GetData(), item->faceName.GetLength(), &size);
    m_widestName = std::max<int>(m_widestName, size.cx);
    if (index < 0) continue;
    for (const AddedScript& added : kAddedScripts) {
      if (std::find(item->charsets.begin(), item->charsets.end(), added.charset) != item->charsets.end()) continue;
      const size_t at = std::min<size_t>(1, item->charsets.size());
      item->charsets.insert(item->charsets.begin() + static_cast<long>(at), added.charset);
      item->scripts.insert(item->scripts.begin() + static_cast<long>(at), AString(added.name));
    }
    SetItemData(index, reinterpret_cast<DWORD_PTR>(item));
  }
  if (!kept.IsEmpty()) SelectName(kept.GetData(), false);
}

void CFontCombo::SelectFont(const char* face, int charset) {
  int first = -1;
  for (int at = FindString(-1, face); at >= 0 && at != first; at = FindString(at, face)) {
    if (first < 0) first = at;
    const auto* item = reinterpret_cast<const FontItem*>(GetItemData(at));
    AString text;
    GetItemText(at, text);
    if (std::strcmp(text.GetData(), face) != 0 || !item) continue;
    if (charset != DEFAULT_CHARSET && item->charset != charset) continue;
    if (GetCurSel() != at) SetCurSel(at);
    return;
  }
  SelectName(face, true);
}

int CFontCombo::TextHeight() {
  if (textHeight_ == 0) {
    WindowDc screen(nullptr);
    SelectScope font(screen.get(), StockGuiFont());
    TEXTMETRICA tm{};
    GetTextMetricsA(screen.get(), &tm);
    textHeight_ = tm.tmHeight;
  }
  return textHeight_;
}

void CFontCombo::MeasureItem(LPMEASUREITEMSTRUCT mis) {
  RECT window{};
  if (m_hWnd) GetWindowRect(&window);
  mis->itemWidth = static_cast<UINT>(window.right - window.left);
  mis->itemHeight = static_cast<UINT>(std::max(TextHeight(), 15));
}

void CFontCombo::DrawItem(LPDRAWITEMSTRUCT dis) {
  if (static_cast<int>(dis->itemID) < 0) return;
  HDC dc = dis->hDC;
  RECT r = dis->rcItem;
  r.top += 2;
  if (dis->itemState & ODS_FOCUS) DrawFocusRect(dc, &dis->rcItem);
  const COLORREF oldText = GetTextColor(dc);
  const bool selected = (dis->itemState & ODS_SELECTED) != 0;
  {
    UniqueBrush brush(CreateSolidBrush(selected ? GetSysColor(COLOR_HIGHLIGHT) : GetBkColor(dc)));
    FillRect(dc, &r, brush.get());
  }
  if (selected) SetTextColor(dc, GetSysColor(COLOR_HIGHLIGHTTEXT));
  SetBkMode(dc, TRANSPARENT);
  const auto* item = reinterpret_cast<const FontItem*>(dis->itemData);
  int x = r.left;
  if (item && (item->flags & (kFontItemTrueType | 0x400))) {
    UniqueBitmap images(LoadBitmapA(AfxGetResourceHandle(), MAKEINTRESOURCEA(IDB_FONT_TYPES)));
    UniqueDc memory(CreateCompatibleDC(dc));
    if (images && memory) {
      SelectScope use(memory.get(), images.get());
      const int source = (item->flags & kFontItemTrueType) ? kImageWidth : 0;
      BitBlt(dc, x, r.top, kImageWidth, kImageHeight, memory.get(), source, 0, SRCAND);
    }
    x += 20;
  }
  x += 2;
  AString text;
  GetItemText(static_cast<int>(dis->itemID), text);
  TextOutA(dc, x, r.top, text.GetData(), text.GetLength());
  SetTextColor(dc, oldText);
}

BOOL CFontCombo::PreTranslateMessage(MSG* msg) {
  if (msg->message == WM_KEYDOWN && (msg->wParam == VK_UP || msg->wParam == VK_DOWN) && GetKeyState(VK_MENU) >= 0 &&
      GetKeyState(VK_CONTROL) >= 0 && !GetDroppedState()) {
    ShowDropDown(TRUE);
    return TRUE;
  }
  return CFontComboBase::PreTranslateMessage(msg);
}

BOOL CFontCombo::OnDropDown() {
  RECT window{};
  GetWindowRect(&window);
  if (window.right - window.left < m_widestName) SendMessage(CB_SETDROPPEDWIDTH, static_cast<WPARAM>(m_widestName));
  return FALSE;
}

int FontExists(const char* face) {
  WindowDc screen(nullptr);
  LOGFONTA lf{};
  lf.lfCharSet = DEFAULT_CHARSET;
  FaceSearch search{face};
  EnumFontFamiliesExA(screen.get(), &lf, FindFaceCallback, reinterpret_cast<LPARAM>(&search), 0);
  return search.found ? 1 : 0;
}

void MakeLogFont(LOGFONTA* out, const char* face, int height) {
  LOGFONTA lf{};
  GetObjectA(GetStockObject(SYSTEM_FONT), sizeof lf, &lf);
  std::strncpy(lf.lfFaceName, face ? face : "", LF_FACESIZE - 1);
  lf.lfFaceName[LF_FACESIZE - 1] = '\0';
  lf.lfHeight = height;
  lf.lfWidth = 0;
  lf.lfWeight = 400;
  lf.lfPitchAndFamily &= static_cast<BYTE>(~FIXED_PITCH);
  lf.lfQuality = PROOF_QUALITY;
  lf.lfOutPrecision = OUT_TT_PRECIS;
  lf.lfClipPrecision = 0;
  *out = lf;
}
