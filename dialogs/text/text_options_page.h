// The text field's Options page: its name, output flags, colours, data
// language, tab width, and the number presentation of its data (a template,
// currency and formatted numbers with their decimal places, the sign and a
// prefix). Only what the user changed is written back.
#pragma once

#include <string>

#include "app/controls/colour_button.h"
#include "dialogs/setup/control_snapshot.h"
#include "dialogs/setup/field_sheet_page.h"

// Whether a field name is one the layouts accept: a letter first, then
// letters, digits, "_" and "$".
bool IsValidFieldName(const std::string& name);

class CTextOptionsPage : public CFieldSheetPage {
 public:
  CTextOptionsPage();
  ~CTextOptionsPage() override;

 protected:
  void DoDataExchange(CDataExchange* dx) override;
  BOOL OnInitDialog() override;
  BOOL OnKillActive() override;
  void OnForeColour();
  void OnBackColour();
  void OnTemplate();
  void OnCurrency();
  void OnFormattedNumber();
  LRESULT OnSpin(WPARAM wParam, LPARAM lParam);
  DECLARE_MESSAGE_MAP()

 private:
  void ApplyTemplateState();
  bool Checked(int id) const;
  void SetChecked(int id, bool on);
  std::string Text(int id) const { return CControlSnapshot::Text(m_hWnd, id); }
  bool Changed(int id) const { return m_shown.Changed(m_hWnd, id); }

  CColorButton m_fore;
  CColorButton m_back;
  CControlSnapshot m_shown;
};
