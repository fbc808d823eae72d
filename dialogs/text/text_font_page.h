// The text field's Font / Data page: the font half from the shared base,
// the finer rotation list, the counter's increment and duplicates, and the
// data-source panel in the lower half.
#pragma once

#include <memory>
#include <string>

#include "datasource/ui/panel/data_source_panel.h"
#include "dialogs/setup/font_data_page.h"

class CTextFontPage : public CFontDataPage {
 public:
  CTextFontPage();
  ~CTextFontPage() override;

  CDataSourcePanel* Panel() { return m_panel.get(); }

 protected:
  BOOL OnInitDialog() override;
  BOOL OnKillActive() override;

 private:
  std::unique_ptr<CDataSourcePanel> m_panel;
  std::string m_shownRotation, m_shownIncrement, m_shownDuplicates;
};
