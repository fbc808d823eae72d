// The options sheet's one page, "User Interface": the interface language and
// the unit of new labels, edited on a working copy of the settings.
#pragma once

#include "app/controls/mru_combo.h"
#include "app/core/app_settings.h"
#include "app/ui/skin_property_page.h"

class CUserInterfacePage : public CSkinPropertyPage {
 public:
  CUserInterfacePage();
  ~CUserInterfacePage() override;
  void DoDataExchange(CDataExchange* dx) override;
  BOOL OnInitDialog() override;
  BOOL OnKillActive() override;

  CAppSettings* m_settings = nullptr;  // the working copy, not owned
  double m_unitFactor = 0.001;
  CWnd* m_parent = nullptr;
  CMruComboBox m_language;
};
