// PrintDlg over the spooler's printers: the printer and its properties,
// print to file, the page range, copies and collation; the caller's device
// mode and device names blocks filled (made when the caller gave none), and
// a device context when asked.
#include <algorithm>
#include <cstring>
#include <string>

#include "platform/comdlg/comdlg_internal.h"
#include "platform/comdlg/print_internal.h"
#include "platform/user/controls/controls.h"

namespace comdlg {
namespace {

struct PrintDialog {
  PRINTDLGA* pd = nullptr;
  HWND dialog = nullptr;
  std::vector<PrinterEntry> printers;
  std::string defaultPrinter;
  size_t chosen = 0;
  DEVMODEA mode{};
};

PrintDialog* From(HWND dialog) { return reinterpret_cast<PrintDialog*>(GetWindowLongPtrW(dialog, DWLP_USER)); }

// --- The caller's global blocks ---------------------------------------------

bool ReadDevMode(HGLOBAL block, DEVMODEA& out) {
  if (!block || GlobalSize(block) < sizeof(DEVMODEA)) return false;
  const auto* m = static_cast<const DEVMODEA*>(GlobalLock(block));
  if (!m) return false;
  out = *m;
  out.dmDeviceName[CCHDEVICENAME - 1] = 0;
  GlobalUnlock(block);
  return true;
}

std::string DeviceFromNames(HGLOBAL block) {
  if (!block) return {};
  const SIZE_T size = GlobalSize(block);
  const auto* bytes = static_cast<const char*>(GlobalLock(block));
  if (!bytes) return {};
  std::string name;
  DEVNAMES names{};
  if (size >= sizeof names) {
    std::memcpy(&names, bytes, sizeof names);
    if (names.wDeviceOffset < size) name.assign(bytes + names.wDeviceOffset, strnlen(bytes + names.wDeviceOffset, size - names.wDeviceOffset));
  }
  GlobalUnlock(block);
  return name;
}

// Writes into the caller's block when it is big enough, else into a new one.
HGLOBAL Store(HGLOBAL block, const void* data, size_t size) {
  if (block && GlobalSize(block) < size) {
    GlobalFree(block);
    block = nullptr;
  }
  if (!block) block = GlobalAlloc(GMEM_MOVEABLE | GMEM_ZEROINIT, size);
  if (!block) return nullptr;
  void* at = GlobalLock(block);
  if (!at) return block;
  std::memcpy(at, data, size);
  GlobalUnlock(block);
  return block;
}

HGLOBAL StoreNames(HGLOBAL block, const PrinterEntry& printer, bool toFile, bool isDefault) {
  const std::string output = toFile ? "FILE:" : printer.port;
  std::string bytes(sizeof(DEVNAMES), '\0');
  DEVNAMES names{};
  names.wDriverOffset = static_cast<WORD>(bytes.size());
  bytes += printer.driver + '\0';
  names.wDeviceOffset = static_cast<WORD>(bytes.size());
  bytes += printer.name + '\0';
  names.wOutputOffset = static_cast<WORD>(bytes.size());
  bytes += output + '\0';
  names.wDefault = isDefault ? DN_DEFAULTPRN : 0;
  std::memcpy(bytes.data(), &names, sizeof names);
  return Store(block, bytes.data(), bytes.size());
}

bool Deliver(PRINTDLGA& pd, const PrinterEntry& printer, const DEVMODEA& mode, bool toFile, bool isDefault) {
  pd.hDevMode = Store(pd.hDevMode, &mode, sizeof mode);
  pd.hDevNames = StoreNames(pd.hDevNames, printer, toFile, isDefault);
  if (!pd.hDevMode || !pd.hDevNames) {
    SetError(CDERR_MEMALLOCFAILURE);
    return false;
  }
  pd.hDC = nullptr;
  if (pd.Flags & (PD_RETURNDC | PD_RETURNIC)) {
    pd.hDC = (pd.Flags & PD_RETURNDC) ? CreateDCA("WINSPOOL", printer.name.c_str(), nullptr, &mode)
                                      : CreateICA("WINSPOOL", printer.name.c_str(), nullptr, &mode);
    if (!pd.hDC) {
      SetError(PDERR_CREATEICFAILURE);
      return false;
    }
  }
  return true;
}

// --- The dialog -------------------------------------------------------------

void ShowPrinter(PrintDialog& p) {
  const PrinterEntry& printer = p.printers[p.chosen];
  SetDlgItemTextW(p.dialog, stc8, FromUtf8(printer.driver).c_str());
  SetDlgItemTextW(p.dialog, stc7, FromUtf8(printer.port).c_str());
}

void ChoosePrinter(PrintDialog& p, size_t index) {
  p.chosen = index;
  DEVMODEA mode{};
  if (PrinterDevMode(p.printers[index].name, mode)) p.mode = mode;
  ShowPrinter(p);
}

void Start(PrintDialog& p) {
  const PRINTDLGA& pd = *p.pd;
  for (const PrinterEntry& e : p.printers)
    SendDlgItemMessageW(p.dialog, cmb4, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(FromUtf8(e.name).c_str()));
  SendDlgItemMessageW(p.dialog, cmb4, CB_SETCURSEL, p.chosen, 0);
  ShowPrinter(p);
  const HWND toFile = GetDlgItem(p.dialog, chx1);
  if (pd.Flags & PD_HIDEPRINTTOFILE) ShowWindow(toFile, SW_HIDE);
  if (pd.Flags & PD_DISABLEPRINTTOFILE) EnableWindow(toFile, FALSE);
  CheckDlgButton(p.dialog, chx1, (pd.Flags & PD_PRINTTOFILE) ? BST_CHECKED : BST_UNCHECKED);
  if (pd.Flags & PD_NOSELECTION) EnableWindow(GetDlgItem(p.dialog, rad2), FALSE);
  if (pd.Flags & PD_NOPAGENUMS)
    for (int id : {rad3, edt1, edt2, stc2, stc3}) EnableWindow(GetDlgItem(p.dialog, id), FALSE);
  int range = rad1;
  if ((pd.Flags & PD_PAGENUMS) && !(pd.Flags & PD_NOPAGENUMS)) range = rad3;
  if ((pd.Flags & PD_SELECTION) && !(pd.Flags & PD_NOSELECTION)) range = rad2;
  CheckDlgButton(p.dialog, range, BST_CHECKED);
  SetDlgItemInt(p.dialog, edt1, pd.nFromPage, FALSE);
  SetDlgItemInt(p.dialog, edt2, pd.nToPage, FALSE);
  const int copies = (pd.Flags & PD_USEDEVMODECOPIES) && (p.mode.dmFields & DM_COPIES) ? p.mode.dmCopies : pd.nCopies;
  SetDlgItemInt(p.dialog, edt3, static_cast<UINT>(std::max(copies, 1)), FALSE);
  CheckDlgButton(p.dialog, chx2, (pd.Flags & PD_COLLATE) ? BST_CHECKED : BST_UNCHECKED);
}

int Complain(PrintDialog& p, const std::u16string& text, int focus) {
  MessageBoxW(p.dialog, text.c_str(), u"Print", MB_OK | MB_ICONWARNING);
  SendMessageW(p.dialog, WM_NEXTDLGCTL, reinterpret_cast<WPARAM>(GetDlgItem(p.dialog, focus)), TRUE);
  return 0;
}

void Accept(PrintDialog& p) {
  PRINTDLGA& pd = *p.pd;
  BOOL ok = FALSE;
  const UINT copies = GetDlgItemInt(p.dialog, edt3, &ok, FALSE);
  if (!ok || copies < 1 || copies > 9999) {
    Complain(p, u"Enter a number of copies between 1 and 9999.", edt3);
    return;
  }
  const bool pages = IsDlgButtonChecked(p.dialog, rad3) == BST_CHECKED;
  UINT from = pd.nFromPage, to = pd.nToPage;
  if (pages) {
    BOOL fromOk = FALSE, toOk = FALSE;
    from = GetDlgItemInt(p.dialog, edt1, &fromOk, FALSE);
    to = GetDlgItemInt(p.dialog, edt2, &toOk, FALSE);
    if (!toOk) to = from;
    if (!fromOk || from < pd.nMinPage || to > pd.nMaxPage || from > to) {
      Complain(p, FromUtf8("Enter a page range between " + std::to_string(pd.nMinPage) + " and " +
                           std::to_string(pd.nMaxPage) + "."),
               edt1);
      return;
    }
  }
  const bool toFile = IsDlgButtonChecked(p.dialog, chx1) == BST_CHECKED;
  const bool collate = IsDlgButtonChecked(p.dialog, chx2) == BST_CHECKED;
  pd.Flags &= ~(PD_SELECTION | PD_PAGENUMS | PD_COLLATE | PD_PRINTTOFILE);
  if (pages) pd.Flags |= PD_PAGENUMS;
  if (IsDlgButtonChecked(p.dialog, rad2) == BST_CHECKED) pd.Flags |= PD_SELECTION;
  if (toFile) pd.Flags |= PD_PRINTTOFILE;
  if (pages) {
    pd.nFromPage = static_cast<WORD>(from);
    pd.nToPage = static_cast<WORD>(to);
  }
  if (pd.Flags & PD_USEDEVMODECOPIES) {
    // The printer makes the copies: they and the collation travel in the device mode.
    p.mode.dmCopies = static_cast<short>(copies);
    p.mode.dmCollate = collate ? DMCOLLATE_TRUE : DMCOLLATE_FALSE;
    p.mode.dmFields |= DM_COPIES | DM_COLLATE;
    pd.nCopies = 1;
  } else {
    pd.nCopies = static_cast<WORD>(copies);
    if (collate) pd.Flags |= PD_COLLATE;
  }
  const PrinterEntry& printer = p.printers[p.chosen];
  EndDialog(p.dialog, Deliver(pd, printer, p.mode, toFile, printer.name == p.defaultPrinter) ? TRUE : -2);
}

void Command(PrintDialog& p, int id, int code) {
  switch (id) {
    case IDOK: Accept(p); return;
    case IDCANCEL: EndDialog(p.dialog, FALSE); return;
    case psh2: PromptProperties(p.dialog, p.printers[p.chosen].name, p.mode); return;
    case cmb4:
      if (code == CBN_SELCHANGE) {
        const LRESULT at = SendDlgItemMessageW(p.dialog, cmb4, CB_GETCURSEL, 0, 0);
        if (at >= 0 && static_cast<size_t>(at) < p.printers.size()) ChoosePrinter(p, static_cast<size_t>(at));
      }
      return;
    case edt1:
    case edt2:
      // Typing a page number chooses the page range.
      if (code == EN_CHANGE && GetFocus() == GetDlgItem(p.dialog, id)) CheckRadioButton(p.dialog, rad1, rad3, rad3);
      return;
    default: return;
  }
}

// The caller's hook for this dialog: the setup hook when it is the print
// setup dialog, else the print hook; null when none is enabled.
LPPRINTHOOKPROC HookOf(const PRINTDLGA& pd) {
  if (pd.Flags & PD_PRINTSETUP) return (pd.Flags & PD_ENABLESETUPHOOK) ? pd.lpfnSetupHook : nullptr;
  return (pd.Flags & PD_ENABLEPRINTHOOK) ? pd.lpfnPrintHook : nullptr;
}

INT_PTR PrintProc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam) {
  if (message == WM_INITDIALOG) {
    auto* p = reinterpret_cast<PrintDialog*>(lParam);
    p->dialog = dialog;
    SetWindowLongPtrW(dialog, DWLP_USER, lParam);
    Start(*p);
    const LPPRINTHOOKPROC hook = HookOf(*p->pd);
    return hook ? static_cast<INT_PTR>(hook(dialog, message, wParam, reinterpret_cast<LPARAM>(p->pd))) : TRUE;
  }
  PrintDialog* p = From(dialog);
  if (!p) return FALSE;
  if (const LPPRINTHOOKPROC hook = HookOf(*p->pd); hook && hook(dialog, message, wParam, lParam)) return TRUE;
  if (message != WM_COMMAND) return FALSE;
  Command(*p, LOWORD(wParam), HIWORD(wParam));
  return TRUE;
}

// The printer the caller's blocks name, else the default; false (with the
// error set) when the named printer is not there.
bool PickPrinter(PrintDialog& p) {
  PRINTDLGA& pd = *p.pd;
  std::string wanted = DeviceFromNames(pd.hDevNames);
  DEVMODEA given{};
  const bool hasMode = ReadDevMode(pd.hDevMode, given);
  if (wanted.empty() && hasMode) wanted = reinterpret_cast<const char*>(given.dmDeviceName);
  const bool named = !wanted.empty();
  if (!named) wanted = p.defaultPrinter;
  const auto at = std::find_if(p.printers.begin(), p.printers.end(), [&](const PrinterEntry& e) { return e.name == wanted; });
  if (at == p.printers.end()) {
    SetError(named ? PDERR_PRINTERNOTFOUND : PDERR_NODEFAULTPRN);
    return false;
  }
  p.chosen = static_cast<size_t>(at - p.printers.begin());
  PrinterDevMode(at->name, p.mode);
  if (hasMode && std::string(reinterpret_cast<const char*>(given.dmDeviceName)) == at->name) MergeDevMode(p.mode, given);
  return true;
}

}  // namespace
}  // namespace comdlg

BOOL PrintDlgA(LPPRINTDLGA pd) {
  using namespace comdlg;
  if (!pd) {
    SetError(CDERR_INITIALIZATION);
    return FALSE;
  }
  if (pd->lStructSize != sizeof(PRINTDLGA)) {
    SetError(CDERR_STRUCTSIZE);
    return FALSE;
  }
  if (((pd->Flags & PD_ENABLEPRINTHOOK) && !pd->lpfnPrintHook) || ((pd->Flags & PD_ENABLESETUPHOOK) && !pd->lpfnSetupHook)) {
    SetError(CDERR_NOHOOK);
    return FALSE;
  }
  PrintDialog p;
  p.pd = pd;
  p.printers = ListPrinters();
  if (p.printers.empty()) {
    SetError(PDERR_NODEVICES);
    return FALSE;
  }
  p.defaultPrinter = DefaultPrinter(p.printers);
  if (pd->Flags & PD_RETURNDEFAULT) {
    if (pd->hDevMode || pd->hDevNames) {
      SetError(PDERR_RETDEFFAILURE);
      return FALSE;
    }
    if (!PickPrinter(p)) return FALSE;
    if (!Deliver(*pd, p.printers[p.chosen], p.mode, false, true)) return FALSE;
    SetError(0);
    return TRUE;
  }
  if (!PickPrinter(p)) return FALSE;
  const INT_PTR result =
      DialogBoxParamW(TemplatesModule(), TemplateName(TAV_DLG_PRINT), pd->hwndOwner, PrintProc, reinterpret_cast<LPARAM>(&p));
  if (result == -2) return FALSE;  // the error is set
  if (result < 0) {
    SetError(CDERR_DIALOGFAILURE);
    return FALSE;
  }
  SetError(0);
  return result == TRUE;
}
