#include "print/dialog/print_job_dlg.h"

#include <cmath>
#include <cstdlib>
#include <string>

#include "app/controls/input_helpers.h"
#include "app/open_dialog/mru_file_dlg.h"
#include "datasource/db_bindings.h"
#include "datasource/field_sources.h"
#include "document/core/rvo_doc.h"
#include "document/layout_shell.h"
#include "fields/draw/field_draw.h"
#include "fields/lifecycle/field_lifecycle.h"
#include "fields/model/field_data.h"
#include "foundation/system/printer_metrics.h"
#include "print/dialog/counter_advance.h"
#include "print/job/abort_flag.h"
#include "print/print_ids.h"
#include "print/printer/printer_preferences_dlg.h"
#include "print/thread/print_thread.h"

namespace {

constexpr int kMaxQuantity = 10000;
constexpr int kMarginLimit = 1000;  // thousandths of an inch either way

// The picture types of image mode, in the order of the type list.
struct ImageType {
  int code;
  const char* extension;
};
constexpr ImageType kImageTypes[] = {{100, "bmp"}, {101, "png"}, {103, "pcx"}, {105, "emf"}, {104, "tif"}};

AString ItemText(HWND dialog, int id) {
  AString text;
  GetWindowString(::GetDlgItem(dialog, id), &text);
  return text;
}

// The file name of a path without folder and extension.
AString BaseName(const AString& path) {
  std::string name = path.GetData();
  if (const size_t slash = name.find_last_of("/\\"); slash != std::string::npos) name.erase(0, slash + 1);
  if (const size_t dot = name.rfind('.'); dot != std::string::npos && dot > 0) name.erase(dot);
  return AString(name.c_str());
}

CPrintJobDlg* g_showing = nullptr;

// A value given before printing goes into the run's copy of its field, which
// then prints it as fixed data; the source it came from stays as the copy's
// previous source, as while any print value is in place.
// Text and paragraphs draw wide text as typed; a symbol encodes bytes in
// the field's data language, and a picture's name is a file name.
void PutPromptedValue(CField& copy, const AString& value, const CLabelSetup& setup) {
  AString data = value;
  if (data.IsWide() && copy.IsKind(FieldKind::kBarcode)) data.ConvertToMultiByte(GetFieldDataCodePage(copy, &setup));
  if (data.IsWide() && copy.IsKind(FieldKind::kImage)) data.ConvertToMultiByte(CP_UTF8);
  SetFieldData(copy, data);
  copy.SetDataSourceType(static_cast<int16_t>(DataSourceType::kFixedData), 1);
  if (data.IsWide()) ConvertFieldDataCodePage(copy, setup);
}

}  // namespace

BEGIN_MESSAGE_MAP(CPrintJobDlg, CSkinDialog)
  ON_BN_CLICKED(IDC_PRINT_RUN, OnPrint)
  ON_BN_CLICKED(IDC_PRINT_PREVIEW, OnPreview)
  ON_BN_CLICKED(IDC_PRINT_PREFERENCES, OnPrinterPreferences)
  ON_WM_SHOWWINDOW()
  ON_BN_CLICKED(IDC_PRINT_TO_IMAGE, OnPrintToImage)
  ON_BN_CLICKED(IDC_PRINT_TO_FILE, OnPrintToFile)
  ON_EN_CHANGE(IDC_PRINT_QUANTITY, OnQuantityChange)
  ON_WM_VSCROLL()
END_MESSAGE_MAP()

CPrintJobDlg::CPrintJobDlg(CWnd* parent) : CSkinDialog(IDD_PRINT_JOB, parent) {}

CPrintJobDlg::~CPrintJobDlg() {
  if (g_showing == this) g_showing = nullptr;
  // A preview still showing draws from this dialog: it goes first.
  if (previewOpen_ && closePreview_) {
    const std::function<void()> close = std::move(closePreview_);
    PreviewGone();
    close();
  }
  DeleteJob();
}

CPrintJobDlg* CPrintJobDlg::Showing() { return g_showing; }

void CPrintJobDlg::DoDataExchange(CDataExchange* dx) {
  CSkinDialog::DoDataExchange(dx);
  // Taken before the skin of a translated dialog takes every push button.
  DDX_Control(dx, IDC_PRINT_NO_PRINTER_TIP, noPrinterTip_);
  DDX_Control(dx, IDC_PRINT_IMAGES_TIP, imagesTip_);
}

BOOL CPrintJobDlg::OnInitDialog() {
  CSkinDialog::OnInitDialog();
  g_showing = this;
  CLabelSetup& setup = m_pDoc->labelSetup;
  unitFactor_ = setup.DefaultUnits == kUnitMillimetres ? 0.0254 : 0.001;
  // A label printer driven in its own language has no system settings.
  if (!setup.IsSysPrinter || setup.lastPrinter.IsEmpty())
    ::ShowWindow(::GetDlgItem(m_hWnd, IDC_PRINT_PREFERENCES), SW_HIDE);
  HWND quantity = ::GetDlgItem(m_hWnd, IDC_PRINT_QUANTITY);
  ::SetWindowTextA(quantity, "1");
  ::SendMessageA(quantity, EM_SETSEL, 0, -1);
  ::SetFocus(quantity);
  std::vector<const CField*> fields;
  for (const auto& f : m_pDoc->fieldList) fields.push_back(f.get());
  PruneDbBindings(setup, fields);
  dbSelection_ = DbBindingsHaveSelection(setup.dbBindings);
  // The record selection gives the quantities: several records print the
  // largest selection's labels (the edit locked); a single chosen record at
  // least its own labels.
  if (dbSelection_) {
    ::EnableWindow(quantity, FALSE);
    ::SetDlgItemInt(m_hWnd, IDC_PRINT_QUANTITY, static_cast<UINT>(GetMaxDbSelectionQuantity(setup.dbBindings)), FALSE);
  } else {
    int labels = 1;
    for (const AString& key : setup.dbBindings.Keys()) {
      const CDbBinding& b = *setup.dbBindings.LookupPtr(key);
      if (!b.useLinkedKeyValue && b.selectedCount == 1) labels = std::max<int>(labels, b.totalQuantity);
    }
    ::SetDlgItemInt(m_hWnd, IDC_PRINT_QUANTITY, static_cast<UINT>(std::min(labels, kMaxQuantity)), FALSE);
    ::SendMessageA(quantity, EM_SETSEL, 0, -1);
  }
  ShowPrompts();
  char text[64];
  std::snprintf(text, sizeof text, "%.3f", setup.deflt_leftOff * unitFactor_);
  shownLeft_ = text;
  ::SetDlgItemTextA(m_hWnd, IDC_PRINT_LEFT, text);
  std::snprintf(text, sizeof text, "%.3f", setup.deflt_topOff * unitFactor_);
  shownTop_ = text;
  ::SetDlgItemTextA(m_hWnd, IDC_PRINT_TOP, text);
  if (setup.lastPrinter.IsEmpty()) {
    ::CheckDlgButton(m_hWnd, IDC_PRINT_TO_IMAGE, BST_CHECKED);
    ::EnableWindow(::GetDlgItem(m_hWnd, IDC_PRINT_TO_IMAGE), FALSE);
    // A print file is what a printer would get: there is none.
    ::EnableWindow(::GetDlgItem(m_hWnd, IDC_PRINT_TO_FILE), FALSE);
    ::ShowWindow(::GetDlgItem(m_hWnd, IDC_PRINT_NO_PRINTER), SW_SHOW);
    noPrinterTip_.ShowWindow(SW_SHOW);
    noPrinterTip_.SetTipMessage(MSG_PRINT_NO_PRINTER);
  } else {
    noPrinterTip_.ShowWindow(SW_HIDE);
    ::ShowWindow(::GetDlgItem(m_hWnd, IDC_PRINT_NO_PRINTER), SW_HIDE);
    ShowDpiWarning();
  }
  OnPrintToImage();
  // With values to give, the first of them has the focus.
  if (prompts_) ::SetFocus(prompts_->Window());
  return FALSE;
}

void CPrintJobDlg::ShowDpiWarning() {
  const CLabelSetup& setup = m_pDoc->labelSetup;
  // A run through the printer's driver draws at the resolution of the device
  // context it makes with the settings it is given, which may not be the
  // printer's defaults; a printer-language job at the printer's own.
  const int printerDpi = setup.IsSysPrinter ? PrinterRunResolution(setup, m_printerSettings).cx
                                            : GetPrinterDpiX(setup.lastPrinter.GetData());
  AString formatted;
  if (printerDpi > 0 && printerDpi != setup.dpiX)
    formatted.Format(LayoutShell()->TranslateUiString("The layout is made for %d dpi; the printer prints at %d dpi.")
                         .GetData(),
                     setup.dpiX, printerDpi);
  ::SetDlgItemTextA(m_hWnd, IDC_PRINT_DPI_WARNING, formatted.GetData());
  ::ShowWindow(::GetDlgItem(m_hWnd, IDC_PRINT_DPI_WARNING), !formatted.IsEmpty() && !ImageMode() ? SW_SHOW : SW_HIDE);
}

void CPrintJobDlg::ShowPrompts() {
  const PrintPromptsFactory make = GetPrintPromptsFactory();
  if (!make) return;
  prompts_ = make();
  RECT margin{0, 0, 7, 7};
  ::MapDialogRect(m_hWnd, &margin);
  RECT client{};
  GetClientRect(&client);
  const int rows = prompts_->Create(*this, POINT{margin.right, margin.bottom}, client.right - 2 * margin.right,
                                    IDC_PRINT_PROMPTS, m_pDoc->labelSetup, m_pDoc->fieldList);
  const HWND list = prompts_->Window();
  if (rows <= 0 || !list) {
    prompts_.reset();
    return;
  }
  RECT placed{};
  ::GetWindowRect(list, &placed);
  const int shift = placed.bottom - placed.top + margin.bottom;
  for (HWND child = ::GetWindow(m_hWnd, GW_CHILD); child; child = ::GetWindow(child, GW_HWNDNEXT)) {
    if (child == list) continue;
    RECT r{};
    ::GetWindowRect(child, &r);
    ::MapWindowPoints(nullptr, m_hWnd, reinterpret_cast<POINT*>(&r), 2);
    ::SetWindowPos(child, nullptr, r.left, r.top + shift, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
  }
  // First in the dialog's order, as it is first on the screen.
  ::SetWindowPos(list, HWND_TOP, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
  RECT frame{};
  GetWindowRect(&frame);
  SetWindowPos(nullptr, 0, 0, frame.right - frame.left, frame.bottom - frame.top + shift,
               SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
}

bool CPrintJobDlg::ImageMode() const { return ::IsDlgButtonChecked(m_hWnd, IDC_PRINT_TO_IMAGE) == BST_CHECKED; }

bool CPrintJobDlg::FileMode() const {
  return !ImageMode() && ::IsDlgButtonChecked(m_hWnd, IDC_PRINT_TO_FILE) == BST_CHECKED;
}

void CPrintJobDlg::ShowMarginGroup(bool show) {
  for (int id : {IDC_PRINT_MARGIN_GROUP, IDC_PRINT_LEFT_LABEL, IDC_PRINT_LEFT, IDC_PRINT_TOP_LABEL, IDC_PRINT_TOP,
                 IDC_PRINT_LEFT_SPIN, IDC_PRINT_TOP_SPIN})
    ::ShowWindow(::GetDlgItem(m_hWnd, id), show ? SW_SHOW : SW_HIDE);
}

void CPrintJobDlg::ShowImagesHint(bool show) {
  ::ShowWindow(::GetDlgItem(m_hWnd, IDC_PRINT_IMAGES_HINT), show ? SW_SHOW : SW_HIDE);
  imagesTip_.ShowWindow(show ? SW_SHOW : SW_HIDE);
}

void CPrintJobDlg::OnPrintToFile() {
  // Pictures or the printer's document: one kind of file at a time.
  if (::IsDlgButtonChecked(m_hWnd, IDC_PRINT_TO_FILE) == BST_CHECKED)
    ::CheckDlgButton(m_hWnd, IDC_PRINT_TO_IMAGE, BST_UNCHECKED);
  OnPrintToImage();
}

void CPrintJobDlg::OnPrintToImage() {
  if (ImageMode()) ::CheckDlgButton(m_hWnd, IDC_PRINT_TO_FILE, BST_UNCHECKED);
  const int quantity = std::atoi(ItemText(m_hWnd, IDC_PRINT_QUANTITY).GetData());
  if (quantity == 0) ::SetDlgItemTextA(m_hWnd, IDC_PRINT_QUANTITY, "1");
  const bool images = ImageMode();
  CLayoutShell* shell = LayoutShell();
  const AString run = shell->TranslateUiString(images ? "Print To Image..." : FileMode() ? "Print To File..." : "Print");
  Skin().SetDlgItemText(IDC_PRINT_RUN, run.GetData());
  if (images && quantity > 1) {
    ShowImagesHint(true);
    ShowMarginGroup(false);
  } else {
    ShowImagesHint(false);
    ShowMarginGroup(!images);
    const bool warned = ::GetWindowTextLengthA(::GetDlgItem(m_hWnd, IDC_PRINT_DPI_WARNING)) > 0;
    ::ShowWindow(::GetDlgItem(m_hWnd, IDC_PRINT_DPI_WARNING), !images && warned ? SW_SHOW : SW_HIDE);
  }
  imagesTip_.SetTipMessage(MSG_PRINT_SEVERAL_IMAGES);
}

void CPrintJobDlg::OnQuantityChange() {
  if (!m_hWnd) return;
  const int quantity = std::atoi(ItemText(m_hWnd, IDC_PRINT_QUANTITY).GetData());
  const bool several = ImageMode() && quantity > 1;
  ShowImagesHint(several);
  if (several) ShowMarginGroup(false);
}

void CPrintJobDlg::OnVScroll(UINT code, UINT position, CScrollBar* bar) {
  const int id = bar ? ::GetDlgCtrlID(bar->m_hWnd) : 0;
  if (id == IDC_PRINT_QUANTITY_SPIN) {
    SpinIntEdit(static_cast<int>(code), IDC_PRINT_QUANTITY, 1, kMaxQuantity, this);
  } else if (id == IDC_PRINT_LEFT_SPIN || id == IDC_PRINT_TOP_SPIN) {
    const double limit = kMarginLimit * unitFactor_;
    SpinUnitEdit(static_cast<int>(code), id == IDC_PRINT_LEFT_SPIN ? IDC_PRINT_LEFT : IDC_PRINT_TOP, -limit, limit,
                 m_pDoc->labelSetup.DefaultUnits, this, 1);
  }
  CSkinDialog::OnVScroll(code, position, bar);
}

void CPrintJobDlg::OnPrinterPreferences() {
  const AString& printer = m_pDoc->labelSetup.lastPrinter;
  if (printer.IsEmpty()) return;
  DEVMODEA* chosen =
      EditPrinterDevMode(this, printer.GetData(), static_cast<const DEVMODEA*>(m_printerSettings));
  if (!chosen) return;
  m_printerSettings = chosen;
  if (m_keepPrinterSettings) {
    ownSettings_.reset();
    m_keepPrinterSettings(printer.GetData(), chosen);
  } else {
    ownSettings_.reset(chosen);
  }
  // The run prints at the resolution chosen now.
  ShowDpiWarning();
}

void CPrintJobDlg::OnPrint() {
  UpdateData(TRUE);
  RunPrint(0, 0, nullptr, 203);
}

void CPrintJobDlg::OnOK() {
  UpdateData(TRUE);
  if (RunPrint(0, 0, nullptr, 203) == 1) EndDialog(IDOK);
}

// The window the dialog is modal to: the program's frame, where the
// preview shows.
static HWND PreviewFrame(HWND dialog) {
  if (HWND owner = ::GetWindow(dialog, GW_OWNER)) return owner;
  CWnd* main = AfxGetMainWnd();
  return main ? main->m_hWnd : nullptr;
}

void CPrintJobDlg::OnPreview() {
  UpdateData(TRUE);
  {
    CWaitCursor wait;
    if (!RunPrint(2, 0, nullptr, 203) || pageCount_ <= 0) {
      DeleteJob();
      return;
    }
  }
  // The dialog steps aside; the frame takes the input while the preview
  // shows, and its Print Preview command opens the preview on this dialog.
  HWND frame = PreviewFrame(m_hWnd);
  ShowWindow(SW_HIDE);
  EnableWindow(FALSE);
  if (frame) {
    ::EnableWindow(frame, TRUE);
    ::SendMessageA(frame, WM_COMMAND, ID_FILE_PRINT_PREVIEW, 0);
  }
  if (!previewOpen_) {
    // No design view took the command: back to the dialog.
    PreviewClosed();
    LayoutShell()->UiMessageBox(LayoutShell()->TranslateUiString("Command failed.").GetData(), MB_OK);
  }
}

void CPrintJobDlg::OnShowWindow(BOOL show, UINT status) {
  CSkinDialog::OnShowWindow(show, status);
  // Started on its preview: once the dialog has come up (a preview that
  // opened before would have it shown over it), as if Preview were pressed.
  if (show && m_startWithPreview) {
    m_startWithPreview = false;
    ::PostMessageA(m_hWnd, WM_COMMAND, MAKEWPARAM(IDC_PRINT_PREVIEW, BN_CLICKED),
                   reinterpret_cast<LPARAM>(::GetDlgItem(m_hWnd, IDC_PRINT_PREVIEW)));
  }
}

void CPrintJobDlg::PreviewClosed() {
  PreviewGone();
  DeleteJob();
  if (HWND frame = PreviewFrame(m_hWnd)) ::EnableWindow(frame, FALSE);
  EnableWindow(TRUE);
  ShowWindow(SW_SHOW);
  ::SetActiveWindow(m_hWnd);
}

int CPrintJobDlg::RenderPreviewPage(int page, HDC dc, int dpi) {
  if (!job_ || !dc || dpi <= 0) return 0;
  previewPage_ = page;
  CPrintJob& ctx = job_->context();
  ctx.requestedPage = page;
  ctx.dc = dc;
  ctx.ownsDc = false;
  ctx.previewResolution = dpi;
  const int drawn = job_->RenderSinglePage();
  ctx.dc = nullptr;  // the preview's, for this page only
  return drawn;
}

bool CPrintJobDlg::ReadQuantity(int* quantity) {
  const AString text = ItemText(m_hWnd, IDC_PRINT_QUANTITY);
  const char* begin = text.GetData();
  char* end = nullptr;
  const long value = text.IsEmpty() ? 0 : std::strtol(begin, &end, 10);
  const bool whole = text.IsEmpty() || (end && end != begin && *end == '\0');
  if (whole && value == 0) {
    ::SetDlgItemTextA(m_hWnd, IDC_PRINT_QUANTITY, "1");
    *quantity = 1;
    return true;
  }
  if (!whole || value < 1 || value > kMaxQuantity) {
    AString message;
    message.Format(LayoutShell()->TranslateUiString("The quantity must be a whole number from 1 to %d.").GetData(),
                   kMaxQuantity);
    LayoutShell()->UiMessageBox(message.GetData(), MB_OK | MB_ICONEXCLAMATION);
    return false;
  }
  *quantity = static_cast<int>(value);
  return true;
}

bool CPrintJobDlg::ReadMargins() {
  CLabelSetup& setup = m_pDoc->labelSetup;
  struct Margin {
    int id;
    const AString& shown;
    int32_t& offset;
  };
  for (const Margin& m : {Margin{IDC_PRINT_LEFT, shownLeft_, setup.deflt_leftOff},
                          Margin{IDC_PRINT_TOP, shownTop_, setup.deflt_topOff}}) {
    const AString text = ItemText(m_hWnd, m.id);
    if (text == m.shown) continue;  // unedited: the exact value stays
    char* end = nullptr;
    const double value = std::strtod(text.GetData(), &end);
    if (end == text.GetData() || !std::isfinite(value)) {
      LayoutShell()->UiMessageBox(LayoutShell()->TranslateUiString("The print margin is not a number.").GetData(),
                                  MB_OK | MB_ICONEXCLAMATION);
      return false;
    }
    const double mils = std::clamp(value / unitFactor_, -1e9, 1e9);
    m.offset = static_cast<int32_t>(std::lround(mils));
  }
  return true;
}

bool CPrintJobDlg::ChooseOutput(PrintMode mode, int quantity) {
  const bool images = mode == PrintMode::kImages;
  std::string filter;
  if (images) {
    for (const ImageType& t : kImageTypes) {
      char row[64];
      std::snprintf(row, sizeof row, "%s (*.%s)|*.%s|", t.extension, t.extension, t.extension);
      filter += row;
    }
    filter += "Postscript (*.ps)|*.ps|";
  } else {
    filter = "*.prn|*.prn||";
  }
  filter += "|";
  CLayoutShell* shell = LayoutShell();
  const int typeIndex = std::clamp(shell->GetProfileInt("Config", "Print2ImageFileType", 1), 1, 6);
  const int colours = std::clamp(shell->GetProfileInt("Config", "Print2ImageColors", 0), 0, 2);
  const AString name = BaseName(AString(m_pDoc->GetPathName().GetString()));
  CMRUFileDlg dialog(0, images ? "bmp" : "prn", name.GetData(), OFN_HIDEREADONLY | OFN_OVERWRITEPROMPT,
                     filter.c_str(), this);
  dialog.m_section = images ? "PRNT2IMGMRULST" : "PRNT2FILEMRULST";
  dialog.m_ofn.nFilterIndex = images ? static_cast<DWORD>(typeIndex) : 1;
  const char* title = !images ? "Print To File" : quantity > 1 ? "Select Folder" : "Print To Image";
  const AString translated = shell->TranslateUiString(title);
  dialog.m_ofn.lpstrTitle = translated.GetData();
  const INT_PTR result = dialog.DoModal();
  const bool picked = !dialog.m_chosenFile.IsEmpty();
  if (result != IDOK && !(result == IDCANCEL && picked)) return false;
  AString path = picked ? dialog.m_chosenFile : AString(dialog.GetPathName().GetString());
  if (path.IsEmpty()) return false;
  CPrintJob& ctx = job_->context();
  if (images) {
    const int chosen = static_cast<int>(dialog.m_ofn.nFilterIndex);
    if (chosen < 1 || chosen > static_cast<int>(std::size(kImageTypes))) {
      shell->UiMessageNumber(MSG_PRINT_NO_POSTSCRIPT, MB_OK | MB_ICONEXCLAMATION);
      return false;
    }
    ctx.imageFormat = kImageTypes[chosen - 1].code;
    ctx.imageColours = static_cast<ImageColours>(colours);
    shell->WriteProfileInt("Config", "Print2ImageFileType", chosen);
    shell->WriteProfileInt("Config", "Print2ImageColors", colours);
    ctx.imageResolution = m_pDoc->labelSetup.dpiX;
    if (quantity > 1) {
      // The numbered pictures go into the folder of the chosen name, named
      // after the layout.
      std::string folder = path.GetData();
      const size_t slash = folder.find_last_of('/');
      folder = slash == std::string::npos ? std::string(".") : folder.substr(0, slash);
      path = (folder + "/").c_str();
      path += name;
    } else {
      ctx.quantity = 1;
    }
  }
  ctx.layoutPath = path;
  job_->outputPath = path;
  return true;
}

int CPrintJobDlg::RunPrint(int request, int page, HDC dc, int imageDpi) {
  CLabelSetup& setup = m_pDoc->labelSetup;
  CLayoutShell* shell = LayoutShell();
  if (!ReadMargins()) return 0;
  if (prompts_ && !prompts_->TakeValues()) return 0;
  // One job at a time: the previous one goes before its fields do.
  job_.reset();
  ClearPrintList();
  for (const auto& f : m_pDoc->fieldList) {
    if (f->doNotPrint && IsGraphicFieldKind(*f)) continue;
    std::unique_ptr<CField> copy = CloneField(f.get(), 0, 1);
    if (!copy) continue;
    AString value;
    if (prompts_ && prompts_->ValueOf(*f, &value)) PutPromptedValue(*copy, value, setup);
    printList_.push_back(std::move(copy));
  }
  if (printList_.empty() && !setup.deflt_hasBorder) {
    shell->UiMessageBox(shell->TranslateUiString("No valid field to print.").GetData(), MB_OK | MB_ICONEXCLAMATION);
    return 0;
  }
  int quantity = 1;
  if (!ReadQuantity(&quantity)) {
    ClearPrintList();
    return 0;
  }
  job_ = std::make_unique<CLabelPrinterJob>();
  CPrintJob& ctx = job_->context();
  ctx.quantity = quantity;
  ctx.layoutPath = m_pDoc->GetPathName().GetString();
  ctx.toImage = ImageMode();
  ctx.startRow = std::max(0, startRow_);
  ctx.startColumn = std::max(0, startColumn_);
  if (request != 0) {
    ctx.mode = PrintMode::kPreview;
    ctx.request = static_cast<PreviewRequest>(request);
    ctx.requestedPage = page;
    ctx.dc = dc;
    ctx.previewResolution = imageDpi;
    previewPage_ = page;
  } else {
    ctx.mode = ImageMode() ? PrintMode::kImages : FileMode() ? PrintMode::kFile : PrintMode::kPrinter;
  }
  const PrintMode mode = ctx.mode;
  if (mode == PrintMode::kFile || mode == PrintMode::kImages) {
    ctx.severalImages = mode == PrintMode::kImages && quantity > 1;
    ctx.overwriteAnswer = -1;
    if (!ChooseOutput(mode, quantity)) {
      DeleteJob();
      return 0;
    }
  }
  if (mode == PrintMode::kPreview) {
    ctx.imageFormat = 101;
    ctx.imageColours = ImageColours::kColour;
    ctx.severalImages = true;
    ctx.wholeLabel = true;
  }
  job_->SetPrinterSettings(m_printerSettings);
  job_->Prepare(setup, printList_);

  // Counters: every stepped counter file is read before the run, and the
  // folder is held until the run has stepped them.
  const bool advances = mode == PrintMode::kPrinter || mode == PrintMode::kFile;
  CounterFolderLock counterLock;
  if (advances && UsesSteppedCounterFiles(m_pDoc->fieldList)) {
    AString reason;
    if (!counterLock.Take()) {
      reason = shell->TranslateUiString("The counter files are in use by another print run; try again when it is done.");
    } else {
      CounterFilesReadable(m_pDoc->fieldList, &reason);
    }
    if (!reason.IsEmpty()) {
      shell->UiMessageBox(reason.GetData(), MB_OK | MB_ICONEXCLAMATION);
      DeleteJob();
      return 0;
    }
  }

  // The stop of an earlier run is handled before this run clears the flag.
  if (CPrintThread* running = ExistingPrintThread()) running->WaitForPosted(kPrintStatusWaitMs);
  ClearPrintAbort();
  const bool layOut = mode == PrintMode::kPreview && ctx.request == PreviewRequest::kLayOut;
  CPrintThread* thread = layOut ? nullptr : PrintThread();
  if (thread) thread->BeginRun(m_hWnd);
  const int result = job_->Run(m_hWnd);
  const bool aborted = IsPrintAborted();
  if (result == 1) {
    if (layOut) {
      outputPath_ = job_->outputPath;
      pageCount_ = ctx.pageCount;
      const CLabelSetup& run = *ctx.setup;
      const bool quarterTurn = run.deflt_rotation % 2 != 0;
      // The page is the sheet of labels: every label position of a page
      // is on it.
      const SIZE sheet = SheetSize(run);
      preview_ = PreviewGeometry{sheet.cx, sheet.cy, ctx.dpiX, ctx.dpiY, run.deflt_leftOff, run.deflt_topOff,
                                 quarterTurn ? run.labelHeight : run.labelWidth,
                                 quarterTurn ? run.labelWidth : run.labelHeight, run.deflt_hGap, run.deflt_vGap,
                                 run.deflt_rowsPerPage, run.deflt_lblsPerRow, ctx.pageCount, ctx.quantity,
                                 ctx.totalPositions};
    }
    if (mode == PrintMode::kPrinter || (mode == PrintMode::kPreview && ctx.request == PreviewRequest::kPrintPage))
      job_->Send();
    if (mode == PrintMode::kPrinter || mode == PrintMode::kFile) CLabelPrinterJob::ResetFieldPrintState(printList_);
  }
  if (thread) {
    if (aborted) shell->UiMessageBox(shell->TranslateUiString("Printing Aborted!").GetData(), MB_OK);
    else if (thread->HasDialog()) thread->PostStop();
  }
  // Input that arrived while the run kept the program busy.
  RepostHeldMessages();
  // Only a run that produced its output steps the counters.
  if (result == 1 && !aborted && advances) {
    bool changed = false;
    AString reason;
    if (!AdvanceCounterFiles(m_pDoc->fieldList, quantity, &changed, &reason))
      shell->UiMessageBox(reason.GetData(), MB_OK | MB_ICONEXCLAMATION);
    if (changed) m_fieldDataChanged = 1;
  }
  if (request == 0) DeleteJob();
  return 1;
}

void CPrintJobDlg::DeleteJob() {
  job_.reset();
  ClearPrintList();
}

void CPrintJobDlg::ClearPrintList() { DeleteFieldList(printList_); }
