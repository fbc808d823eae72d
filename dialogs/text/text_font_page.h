// The text field's Font / Data page: the font half, the finer rotation list
// and the data-source panel from the shared base, and the counter's
// increment and duplicates.
#pragma once

#include <string>

#include "dialogs/setup/font_data_page.h"

class CTextFontPage : public CFontDataPage {
 public:
  CTextFontPage();
  ~CTextFontPage() override;

 protected:
  BOOL OnInitDialog() override;
  BOOL OnKillActive() override;

 private:
  std::string m_shownIncrement, m_shownDuplicates;
};
