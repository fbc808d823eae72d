#include "app/controls/font_size_combo.h"

#include <cstdio>
#include <cstdlib>

#include "platform/gdi/gdi_owners.h"

namespace {

struct SizeEnumeration {
  CFontSizeCombo* combo;
};

int SizeCallback(const LOGFONTA*, const TEXTMETRICA* tm, DWORD fontType, LPARAM param) {
  CFontSizeCombo* combo = reinterpret_cast<SizeEnumeration*>(param)->combo;
  const bool scalable = (fontType & TRUETYPE_FONTTYPE) || !(fontType & RASTER_FONTTYPE);
  if (combo->m_onPrinter || scalable) {
    combo->FillStandardSizes();
    return 0;
  }
  combo->AddRasterSize(MulDiv(tm->tmHeight - tm->tmInternalLeading, 1440, combo->m_logPixelsY));
  return 1;
}

}  // namespace

AString FontSizeText(int twips) {
  if (twips < 0) return AString();
  const long halfPoints = (static_cast<long>(twips) + 5) / 10;
  char text[32];
  if (halfPoints % 2 != 0)
    std::snprintf(text, sizeof text, "%.1f", static_cast<double>(halfPoints) / 2);
  else
    std::snprintf(text, sizeof text, "%ld", halfPoints / 2);
  return AString(text);
}

void CFontSizeCombo::FillStandardSizes() {
  ResetContent();
  for (int points : kStandardPointSizes) {
    char text[16];
    std::snprintf(text, sizeof text, "%d", points);
    SetItemData(AddString(text), static_cast<DWORD_PTR>(points * 20));
  }
  for (int points = kStandardPointSizes[0] - 1; points >= 2; --points) {
    char text[16];
    std::snprintf(text, sizeof text, "%d", points);
    SetItemData(InsertString(0, text), static_cast<DWORD_PTR>(points * 20));
  }
}

void CFontSizeCombo::AddRasterSize(int twips) {
  const AString text = FontSizeText(twips);
  if (FindStringExact(-1, text.GetData()) >= 0) return;
  int at = -1;
  const int count = GetCount();
  for (int i = 0; i < count && at < 0; ++i) {
    if (static_cast<int>(GetItemData(i)) > twips) at = i;
  }
  const int index = at >= 0 ? InsertString(at, text.GetData()) : AddString(text.GetData());
  if (index >= 0) SetItemData(index, static_cast<DWORD_PTR>(twips));
}

void CFontSizeCombo::FillSizes(const char* face, const char* printerDevice) {
  ResetContent();
  if (!face || !*face) return;
  UniqueDc printer(printerDevice ? CreateDCA("WINSPOOL", printerDevice, nullptr, nullptr) : nullptr);
  WindowDc screen(nullptr);
  HDC dc = printer ? printer.get() : screen.get();
  m_onPrinter = printer != nullptr;
  m_logPixelsY = GetDeviceCaps(dc, LOGPIXELSY);
  if (m_logPixelsY <= 0) m_logPixelsY = 96;
  LOGFONTA lf{};
  lf.lfCharSet = DEFAULT_CHARSET;
  std::snprintf(lf.lfFaceName, sizeof lf.lfFaceName, "%s", face);
  SizeEnumeration enumeration{this};
  EnumFontFamiliesExA(dc, &lf, SizeCallback, reinterpret_cast<LPARAM>(&enumeration), 0);
}

int CFontSizeCombo::GetTwipSize() const {
  AString text;
  GetText(text);
  const char* p = text.GetData();
  while (*p == ' ' || *p == '\t') ++p;
  if (*p == '\0') return -1;
  char* end = nullptr;
  const double points = std::strtod(p, &end);
  if (end == p) return -2;
  for (const char* rest = end; *rest; ++rest) {
    if (*rest != ' ' && *rest != '\t') return -2;
  }
  if (points < 0) return 0;
  const double twips = points * 20;
  return twips >= 2147483647.0 ? 2147483647 : static_cast<int>(twips);
}

void CFontSizeCombo::SetTwipSize(int twips) {
  if (twips != GetTwipSize()) SelectName(FontSizeText(twips).GetData(), true);
  m_twips = twips;
}
