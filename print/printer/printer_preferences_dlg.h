// "Printer Preferences": the printer's own settings (media, resolution,
// media source, orientation), offered as the printer's queue lists them.
#pragma once

#include <string>

#include "app/ui/skin_dialog.h"
#include "print/printer/printer_offers.h"

class CPrinterPreferencesDlg : public CSkinDialog {
 public:
  CPrinterPreferencesDlg(CWnd* parent, std::string printer, const PrinterOffers& offers, const DEVMODEA& start);

  BOOL OnInitDialog() override;
  void OnOK() override;

  // The settings as the user left them (after OK).
  const DEVMODEA& Settings() const { return mode_; }

 private:
  std::string printer_;
  const PrinterOffers& offers_;
  DEVMODEA mode_;
};

// Lets the user edit the printer's settings, starting from `current` (null:
// the printer's own). A block the caller owns (freed with free) when the user
// confirmed, null when cancelled or when the printer cannot be reached (then
// "Cannot access printer: %s" is shown).
DEVMODEA* EditPrinterDevMode(CWnd* parent, const char* printer, const DEVMODEA* current);
