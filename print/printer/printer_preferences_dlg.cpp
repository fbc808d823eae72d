#include "print/printer/printer_preferences_dlg.h"

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <new>

#include "document/layout_shell.h"
#include "platform/comdlg/comdlg.h"
#include "platform/spool/spool.h"
#include "print/print_ids.h"

namespace {

void AddChoice(HWND dialog, int id, const std::string& text, bool chosen) {
  const LRESULT at = ::SendDlgItemMessageA(dialog, id, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(text.c_str()));
  if (chosen) ::SendDlgItemMessageA(dialog, id, CB_SETCURSEL, static_cast<WPARAM>(at), 0);
}

int Chosen(HWND dialog, int id) { return static_cast<int>(::SendDlgItemMessageA(dialog, id, CB_GETCURSEL, 0, 0)); }

// "215.9 x 279.4 mm  na_letter_8.5x11in": the size, and the queue's name
// for the medium.
std::string MediaText(const PrinterMedia& m) {
  char size[64];
  std::snprintf(size, sizeof size, "%.1f x %.1f mm  ", m.widthTenthsMm / 10.0, m.lengthTenthsMm / 10.0);
  return size + m.name;
}

}  // namespace

CPrinterPreferencesDlg::CPrinterPreferencesDlg(CWnd* parent, std::string printer, const PrinterOffers& offers,
                                               const DEVMODEA& start)
    : CSkinDialog(IDD_PRINTER_PREFERENCES, parent), printer_(std::move(printer)), offers_(offers), mode_(start) {}

BOOL CPrinterPreferencesDlg::OnInitDialog() {
  CSkinDialog::OnInitDialog();
  Skin().SetDlgItemText(IDC_PREFS_PRINTER, printer_.c_str());
  const int media = ChosenMedia(offers_, mode_);
  for (size_t i = 0; i < offers_.media.size(); ++i)
    AddChoice(m_hWnd, IDC_PREFS_MEDIA, MediaText(offers_.media[i]), static_cast<int>(i) == media);
  const PrinterResolution dpi = ChosenResolution(offers_, mode_);
  for (const PrinterResolution& r : offers_.resolutions) AddChoice(m_hWnd, IDC_PREFS_RESOLUTION, ResolutionText(r), r == dpi);
  const bool sourced = (mode_.dmFields & DM_DEFAULTSOURCE) != 0;
  bool sourceChosen = false;
  for (const std::string& s : offers_.sources) {
    const bool chosen = !sourceChosen && (sourced ? SourceCode(s) == mode_.dmDefaultSource : s == offers_.defaultSource);
    sourceChosen |= chosen;
    AddChoice(m_hWnd, IDC_PREFS_SOURCE, s, chosen);
  }
  // A queue without sources to choose from has nothing to offer here.
  ::EnableWindow(::GetDlgItem(m_hWnd, IDC_PREFS_SOURCE), !offers_.sources.empty());
  const bool landscape = (mode_.dmFields & DM_ORIENTATION) && mode_.dmOrientation == DMORIENT_LANDSCAPE;
  ::CheckRadioButton(m_hWnd, IDC_PREFS_PORTRAIT, IDC_PREFS_LANDSCAPE,
                     landscape ? IDC_PREFS_LANDSCAPE : IDC_PREFS_PORTRAIT);
  return TRUE;
}

void CPrinterPreferencesDlg::OnOK() {
  const int resolution = Chosen(m_hWnd, IDC_PREFS_RESOLUTION);
  const int source = Chosen(m_hWnd, IDC_PREFS_SOURCE);
  ApplyChoice(offers_, Chosen(m_hWnd, IDC_PREFS_MEDIA),
              resolution >= 0 ? offers_.resolutions[static_cast<size_t>(resolution)] : PrinterResolution{},
              source >= 0 ? offers_.sources[static_cast<size_t>(source)] : std::string(),
              ::IsDlgButtonChecked(m_hWnd, IDC_PREFS_LANDSCAPE) == BST_CHECKED, &mode_);
  CSkinDialog::OnOK();
}

DEVMODEA* EditPrinterDevMode(CWnd* parent, const char* printer, const DEVMODEA* current) {
  const std::string name = printer ? printer : "";
  PrinterOffers offers;
  HANDLE opened = nullptr;
  DEVMODEA start{};
  const bool known = OpenPrinterA(const_cast<LPSTR>(name.c_str()), &opened, nullptr) != FALSE;
  if (known) {
    // The printer's own settings, unless the caller keeps some for it.
    const LONG got = DocumentPropertiesA(parent ? parent->m_hWnd : nullptr, opened, const_cast<LPSTR>(name.c_str()),
                                         &start, nullptr, DM_OUT_BUFFER);
    ClosePrinter(opened);
    if (current) start = *current;
    if (got != IDOK && !current) start = DEVMODEA{};
  }
  if (!known || !OffersOf(name, &offers)) {
    AString text;
    text.Format(LayoutShell()->TranslateUiString("Cannot access printer: %s").GetData(), name.c_str());
    LayoutShell()->ShowMsgBoxDlg(text.GetData(), MB_OK | MB_ICONEXCLAMATION);
    return nullptr;
  }
  CPrinterPreferencesDlg dialog(parent, name, offers, start);
  if (dialog.DoModal() != IDOK) return nullptr;
  auto* block = static_cast<DEVMODEA*>(std::malloc(sizeof(DEVMODEA)));
  if (!block) return nullptr;
  *block = dialog.Settings();
  block->dmSize = sizeof(DEVMODEA);
  block->dmSpecVersion = DM_SPECVERSION;
  return block;
}
