// The font name combo: the installed screen fonts, or the device fonts of a
// printer, sorted, each with its scripts, TrueType faces marked with a small
// image; and the helpers that test for and describe a face.
#pragma once

#include "app/controls/font_combo_base.h"

class CFontCombo : public CFontComboBase {
 public:
  CFontCombo() = default;
  ~CFontCombo() override;

  int m_widestName = 10;
  DWORD m_fontTypes = RASTER_FONTTYPE | TRUETYPE_FONTTYPE;  // DEVICE_FONTTYPE: a printer's device fonts

  void FillFontList(const char* printerDevice);
  void SelectFont(const char* face, int charset);
  void FreeItems();

  void DrawItem(LPDRAWITEMSTRUCT dis) override;
  void MeasureItem(LPMEASUREITEMSTRUCT mis) override;
  BOOL PreTranslateMessage(MSG* msg) override;
  BOOL OnDropDown();
  void OnDestroy();

  // Reports of one enumeration (public for the enumeration's callback).
  void TakeFont(const ENUMLOGFONTEXA& font, DWORD fontType);

 private:
  int TextHeight();
  int textHeight_ = 0;
  DECLARE_MESSAGE_MAP()
};

// The order of the list: faces beginning with '@' (vertical faces) after all
// others, else byte-wise by name, an item of character set 0 first.
bool FontItemBefore(const FontItem& a, const FontItem& b);

// 1 when a face of that full name is installed on the screen.
int FontExists(const char* face);
// The stock system font's description with the face and height put in:
// width 0, weight 400, not fixed pitch, proof quality, TrueType precision.
void MakeLogFont(LOGFONTA* out, const char* face, int height);
