// DocumentProperties and the printer properties dialog: paper, source,
// resolution and orientation of one of the spooler's printers.
#include <algorithm>
#include <cstring>
#include <map>
#include <mutex>

#include "platform/comdlg/comdlg_internal.h"
#include "platform/comdlg/print_internal.h"
#include "platform/gdi/printer_settings.h"
#include "platform/spool/device_caps.h"
#include "platform/spool/spool.h"
#include "platform/user/controls/controls.h"

namespace comdlg {
namespace {

using spool::PaperForm;
using spool::PaperFormOf;
using spool::ResolutionsOf;

struct Kept {
  std::mutex lock;
  std::map<std::string, DEVMODEA> modes;
};
Kept& KeptModes() {
  static Kept kept;
  return kept;
}

// The paper whose size is within a millimetre of the page's, else a user size.
void SetPaperFromPage(DEVMODEA& m, const gdi::PrinterSettings& s) {
  const int width = s.page.cx * 254 / std::max(s.dpiX, 1), length = s.page.cy * 254 / std::max(s.dpiY, 1);
  m.dmPaperSize = DMPAPER_USER;
  for (const PaperForm& p : spool::PaperForms())
    if (std::abs(p.widthTenthsMm - width) <= 10 && std::abs(p.lengthTenthsMm - length) <= 10) m.dmPaperSize = p.code;
  m.dmPaperWidth = static_cast<short>(width);
  m.dmPaperLength = static_cast<short>(length);
}

// --- The dialog -------------------------------------------------------------

struct Properties {
  std::string printer;
  DEVMODEA mode{};
};

void AddItem(HWND dialog, int id, const std::u16string& text, LPARAM data, bool chosen) {
  const LRESULT at = SendDlgItemMessageW(dialog, id, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(text.c_str()));
  SendDlgItemMessageW(dialog, id, CB_SETITEMDATA, static_cast<WPARAM>(at), data);
  if (chosen) SendDlgItemMessageW(dialog, id, CB_SETCURSEL, static_cast<WPARAM>(at), 0);
}

LPARAM ChosenData(HWND dialog, int id, LPARAM otherwise) {
  const LRESULT at = SendDlgItemMessageW(dialog, id, CB_GETCURSEL, 0, 0);
  return at < 0 ? otherwise : SendDlgItemMessageW(dialog, id, CB_GETITEMDATA, static_cast<WPARAM>(at), 0);
}

void StartProperties(HWND dialog, Properties& p) {
  const std::u16string title = u"Properties of " + FromUtf8(p.printer);
  SetWindowTextW(dialog, title.c_str());
  for (const PaperForm& paper : spool::PaperForms())
    AddItem(dialog, TAV_PROP_PAPER, FromUtf8(paper.name), paper.code, paper.code == p.mode.dmPaperSize);
  if (p.mode.dmPaperSize == DMPAPER_USER) AddItem(dialog, TAV_PROP_PAPER, u"The printer's own size", DMPAPER_USER, true);
  for (const spool::PaperSource& s : spool::PaperSources())
    AddItem(dialog, TAV_PROP_SOURCE, FromUtf8(s.name), s.code, s.code == p.mode.dmDefaultSource);
  for (int r : ResolutionsOf(p.printer))
    AddItem(dialog, TAV_PROP_RESOLUTION, FromUtf8(std::to_string(r) + " dpi"), r, r == p.mode.dmPrintQuality);
  if (SendDlgItemMessageW(dialog, TAV_PROP_RESOLUTION, CB_GETCURSEL, 0, 0) < 0)
    SendDlgItemMessageW(dialog, TAV_PROP_RESOLUTION, CB_SETCURSEL,
                        static_cast<WPARAM>(SendDlgItemMessageW(dialog, TAV_PROP_RESOLUTION, CB_GETCOUNT, 0, 0) - 1), 0);
  CheckRadioButton(dialog, TAV_PROP_PORTRAIT, TAV_PROP_LANDSCAPE,
                   p.mode.dmOrientation == DMORIENT_LANDSCAPE ? TAV_PROP_LANDSCAPE : TAV_PROP_PORTRAIT);
}

void FinishProperties(HWND dialog, Properties& p) {
  DEVMODEA& m = p.mode;
  m.dmPaperSize = static_cast<short>(ChosenData(dialog, TAV_PROP_PAPER, m.dmPaperSize));
  if (const PaperForm* paper = PaperFormOf(m.dmPaperSize)) {
    m.dmPaperWidth = paper->widthTenthsMm;
    m.dmPaperLength = paper->lengthTenthsMm;
  }
  m.dmDefaultSource = static_cast<short>(ChosenData(dialog, TAV_PROP_SOURCE, m.dmDefaultSource));
  m.dmPrintQuality = static_cast<short>(ChosenData(dialog, TAV_PROP_RESOLUTION, m.dmPrintQuality));
  m.dmYResolution = m.dmPrintQuality;
  m.dmOrientation = IsDlgButtonChecked(dialog, TAV_PROP_LANDSCAPE) == BST_CHECKED ? DMORIENT_LANDSCAPE : DMORIENT_PORTRAIT;
}

INT_PTR PropertiesProc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam) {
  if (message == WM_INITDIALOG) {
    SetWindowLongPtrW(dialog, DWLP_USER, lParam);
    StartProperties(dialog, *reinterpret_cast<Properties*>(lParam));
    return TRUE;
  }
  auto* p = reinterpret_cast<Properties*>(GetWindowLongPtrW(dialog, DWLP_USER));
  if (!p || message != WM_COMMAND) return FALSE;
  if (LOWORD(wParam) == IDOK) {
    FinishProperties(dialog, *p);
    EndDialog(dialog, IDOK);
  } else if (LOWORD(wParam) == IDCANCEL) {
    EndDialog(dialog, IDCANCEL);
  }
  return TRUE;
}

void CopyName(BYTE* to, size_t size, const std::string& name) {
  std::memset(to, 0, size);
  std::memcpy(to, name.data(), std::min(name.size(), size - 1));
}

}  // namespace

std::vector<PrinterEntry> ListPrinters() {
  std::vector<PrinterEntry> out;
  DWORD needed = 0, count = 0;
  const DWORD flags = PRINTER_ENUM_LOCAL | PRINTER_ENUM_CONNECTIONS;
  EnumPrintersA(flags, nullptr, 2, nullptr, 0, &needed, &count);
  std::vector<BYTE> buffer(std::max<DWORD>(needed, 1));
  if (!EnumPrintersA(flags, nullptr, 2, buffer.data(), static_cast<DWORD>(buffer.size()), &needed, &count)) return out;
  const auto* info = reinterpret_cast<const PRINTER_INFO_2A*>(buffer.data());
  for (DWORD i = 0; i < count; ++i) {
    PrinterEntry e;
    e.name = info[i].pPrinterName ? info[i].pPrinterName : "";
    e.port = info[i].pPortName ? info[i].pPortName : "";
    e.driver = info[i].pDriverName ? info[i].pDriverName : "";
    if (!e.name.empty()) out.push_back(std::move(e));
  }
  return out;
}

std::string DefaultPrinter(const std::vector<PrinterEntry>& printers) {
  const std::string wanted = gdi::DefaultPrinterName();
  for (const PrinterEntry& p : printers)
    if (p.name == wanted) return wanted;
  return printers.empty() ? std::string() : printers.front().name;
}

bool PrinterDevMode(const std::string& printer, DEVMODEA& out) {
  const auto settings = gdi::FindPrinterSettings(printer);
  if (!settings) return false;
  {
    std::lock_guard<std::mutex> hold(KeptModes().lock);
    const auto kept = KeptModes().modes.find(printer);
    if (kept != KeptModes().modes.end()) {
      out = kept->second;
      return true;
    }
  }
  out = DEVMODEA{};
  CopyName(out.dmDeviceName, sizeof out.dmDeviceName, printer);
  out.dmSpecVersion = DM_SPECVERSION;
  out.dmSize = sizeof(DEVMODEA);
  out.dmFields = DM_ORIENTATION | DM_PAPERSIZE | DM_PAPERLENGTH | DM_PAPERWIDTH | DM_COPIES | DM_DEFAULTSOURCE |
                 DM_PRINTQUALITY | DM_YRESOLUTION | DM_COLLATE | DM_COLOR;
  out.dmOrientation = DMORIENT_PORTRAIT;
  SetPaperFromPage(out, *settings);
  out.dmScale = 100;
  out.dmCopies = 1;
  out.dmDefaultSource = DMBIN_AUTO;
  out.dmPrintQuality = static_cast<short>(settings->dpiX);
  out.dmYResolution = static_cast<short>(settings->dpiY);
  out.dmColor = DMCOLOR_COLOR;
  out.dmCollate = DMCOLLATE_FALSE;
  return true;
}

void MergeDevMode(DEVMODEA& into, const DEVMODEA& from) {
  const DWORD f = from.dmFields;
  if ((f & DM_ORIENTATION) && (from.dmOrientation == DMORIENT_PORTRAIT || from.dmOrientation == DMORIENT_LANDSCAPE))
    into.dmOrientation = from.dmOrientation;
  if ((f & DM_PAPERSIZE) && PaperFormOf(from.dmPaperSize)) {
    into.dmPaperSize = from.dmPaperSize;
    into.dmPaperWidth = PaperFormOf(from.dmPaperSize)->widthTenthsMm;
    into.dmPaperLength = PaperFormOf(from.dmPaperSize)->lengthTenthsMm;
  }
  if ((f & DM_COPIES) && from.dmCopies > 0) into.dmCopies = from.dmCopies;
  if ((f & DM_COLLATE) && (from.dmCollate == DMCOLLATE_FALSE || from.dmCollate == DMCOLLATE_TRUE))
    into.dmCollate = from.dmCollate;
  if (f & DM_DEFAULTSOURCE)
    for (const spool::PaperSource& s : spool::PaperSources())
      if (s.code == from.dmDefaultSource) into.dmDefaultSource = from.dmDefaultSource;
  if ((f & DM_PRINTQUALITY) && from.dmPrintQuality > 0) {
    const std::vector<int> can = ResolutionsOf(reinterpret_cast<const char*>(into.dmDeviceName));
    if (std::find(can.begin(), can.end(), from.dmPrintQuality) != can.end()) {
      into.dmPrintQuality = from.dmPrintQuality;
      into.dmYResolution = from.dmPrintQuality;
    }
  }
}

bool PromptProperties(HWND owner, const std::string& printer, DEVMODEA& mode) {
  Properties p{printer, mode};
  const INT_PTR result = DialogBoxParamW(TemplatesModule(), TemplateName(TAV_DLG_PRINTER_PROPERTIES), owner,
                                         PropertiesProc, reinterpret_cast<LPARAM>(&p));
  if (result != IDOK) return false;
  mode = p.mode;
  return true;
}

}  // namespace comdlg

LONG DocumentPropertiesA(HWND owner, HANDLE, LPSTR deviceName, DEVMODEA* output, DEVMODEA* input, DWORD mode) {
  DEVMODEA settings{};
  if (!deviceName || !comdlg::PrinterDevMode(deviceName, settings)) {
    SetLastError(ERROR_INVALID_PRINTER_NAME);
    return -1;
  }
  if (mode == 0) return sizeof(DEVMODEA);
  if ((mode & DM_IN_BUFFER) && input) comdlg::MergeDevMode(settings, *input);
  if ((mode & DM_IN_PROMPT) && !comdlg::PromptProperties(owner, deviceName, settings)) return IDCANCEL;
  if ((mode & DM_OUT_BUFFER) && output) *output = settings;
  if (mode & DM_UPDATE) {
    std::lock_guard<std::mutex> hold(comdlg::KeptModes().lock);
    comdlg::KeptModes().modes[deviceName] = settings;
  }
  return IDOK;
}
