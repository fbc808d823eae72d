// The framework's open, save, colour and print dialogs driven as a person
// would: a derived open dialog with a child template that answers its own
// controls and the dialog's notifications and refuses a name once; several
// files chosen; a save with its default extension; a colour chosen and a
// colour dialog cancelled; a printer, pages and copies chosen.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "framework_test_ids.h"
#include "platform/framework.h"
#include "platform/gdi/printer_settings.h"
#include "tests/platform/comdlg/comdlg_test_util.h"

namespace {

using comdlgtest::ClickItem;
using comdlgtest::Next;
using comdlgtest::TempFolder;
using comdlgtest::TypeInto;

constexpr const char* kFilter = "Barcode Layout|*.bcd|Text|*.txt|All files (*.*)|*.*||";

void ClickRow(HWND dialog, const char16_t* name) {
  const int row = comdlgtest::FileRowOf(dialog, name);
  ASSERT_GE(row, 0) << comdlgtest::Utf8(name);
  uitest::Click(::GetDlgItem(dialog, lst2), comdlgtest::FileRowCentre(dialog, row));
}

// An open dialog with a preview line and a check box of its own.
class CPreviewFileDialog : public CFileDialog {
 public:
  explicit CPreviewFileDialog(const std::string& folder)
      : CFileDialog(TRUE, nullptr, nullptr, OFN_FILEMUSTEXIST | OFN_HIDEREADONLY | OFN_ENABLETEMPLATE, kFilter),
        m_folder(folder) {
    m_ofn.lpTemplateName = MAKEINTRESOURCEA(IDD_TESTFILE_CHILD);
    m_ofn.lpstrInitialDir = m_folder.c_str();
  }
  BOOL OnInitDialog() override {
    char cls[16] = {};
    ::GetClassNameA(::GetParent(m_hWnd), cls, sizeof cls);
    log.push_back(std::string("init under ") + cls + (::GetDlgItem(::GetParent(m_hWnd), edt1) ? " with a name box" : ""));
    return CFileDialog::OnInitDialog();
  }
  void OnInitDone() override { log.push_back("initdone"); }
  void OnFolderChange() override { log.push_back("folder " + std::string(GetFolderPath().GetString()).substr(m_folder.size())); }
  void OnFileNameChange() override {
    const CString name = GetFileName();
    SetDlgItemText(IDC_FILE_PREVIEW, name);
    log.push_back("selected " + std::string(name.GetString()));
  }
  BOOL OnFileNameOK() override {
    log.push_back("ok? " + std::string(GetFileName().GetString()));
    return m_refusals-- > 0;  // non-zero: refused
  }
  void OnStamp() { log.push_back(IsDlgButtonChecked(IDC_FILE_STAMP) ? "stamp on" : "stamp off"); }

  std::vector<std::string> log;
  std::string m_folder;
  int m_refusals = 1;
  DECLARE_MESSAGE_MAP()
};

BEGIN_MESSAGE_MAP(CPreviewFileDialog, CFileDialog)
  ON_BN_CLICKED(IDC_FILE_STAMP, OnStamp)
END_MESSAGE_MAP()

TEST(FrameworkFileDialog, ADerivedOpenDialogAnswersItsOwnControlsAndTheNotifications) {
  TempFolder temp;
  temp.File("crate label.bcd", 10);
  temp.File("notes.txt");
  CPreviewFileDialog dialog(temp.path());
  std::string preview;
  Next([&](HWND d) {
    ClickRow(d, u"crate label.bcd");
    preview = comdlgtest::Utf8(comdlgtest::Text(::GetDlgItem(dialog.m_hWnd, IDC_FILE_PREVIEW)));
    ClickItem(dialog.m_hWnd, IDC_FILE_STAMP);
    uitest::SaveWindowPng(d, std::string(TAV_BUILD_DIR) + "/framework_file_dialog_child.png");
    EXPECT_EQ(dialog.GetPathName(), CString((temp.path() + "/crate label.bcd").c_str()));
    ClickItem(d, IDOK);  // refused once
    ClickItem(d, IDOK);
  });
  EXPECT_EQ(dialog.DoModal(), IDOK);
  EXPECT_EQ(preview, "crate label.bcd");
  EXPECT_EQ(dialog.GetPathName(), CString((temp.path() + "/crate label.bcd").c_str()));
  EXPECT_EQ(dialog.GetFileName(), CString("crate label.bcd"));
  EXPECT_EQ(dialog.GetFileExt(), CString("bcd"));
  EXPECT_EQ(dialog.GetFileTitle(), CString("crate label"));
  EXPECT_EQ(dialog.m_ofn.nFilterIndex, 1u);
  EXPECT_EQ(dialog.m_hWnd, nullptr);
  EXPECT_EQ(dialog.log, (std::vector<std::string>{"init under #32770 with a name box", "initdone", "folder ",
                                                  "selected crate label.bcd", "stamp on", "ok? crate label.bcd",
                                                  "ok? crate label.bcd"}));
}

TEST(FrameworkFileDialog, SeveralFilesChosenAreWalkedOneByOne) {
  TempFolder temp;
  temp.File("a.bcd");
  temp.File("b.bcd");
  temp.File("c.bcd");
  CFileDialog dialog(TRUE, nullptr, nullptr, OFN_ALLOWMULTISELECT | OFN_FILEMUSTEXIST, kFilter);
  dialog.m_ofn.lpstrInitialDir = temp.path().c_str();
  Next([](HWND d) {
    ClickRow(d, u"a.bcd");
    uitest::KeyDown(VK_CONTROL);
    ClickRow(d, u"c.bcd");
    uitest::KeyUp(VK_CONTROL);
    ClickItem(d, IDOK);
  });
  ASSERT_EQ(dialog.DoModal(), IDOK);
  std::vector<std::string> paths;
  for (POSITION pos = dialog.GetStartPosition(); pos;) paths.emplace_back(dialog.GetNextPathName(pos).GetString());
  EXPECT_EQ(paths, (std::vector<std::string>{temp.path() + "/a.bcd", temp.path() + "/c.bcd"}));
  EXPECT_EQ(dialog.GetPathName(), CString((temp.path() + "/a.bcd").c_str()));
}

TEST(FrameworkFileDialog, OneFileOfAMultipleSelectionDialogIsOnePath) {
  TempFolder temp;
  temp.File("only.bcd");
  CFileDialog dialog(TRUE, nullptr, nullptr, OFN_ALLOWMULTISELECT | OFN_FILEMUSTEXIST, kFilter);
  dialog.m_ofn.lpstrInitialDir = temp.path().c_str();
  Next([](HWND d) {
    ClickRow(d, u"only.bcd");
    ClickItem(d, IDOK);
  });
  ASSERT_EQ(dialog.DoModal(), IDOK);
  POSITION pos = dialog.GetStartPosition();
  EXPECT_EQ(dialog.GetNextPathName(pos), CString((temp.path() + "/only.bcd").c_str()));
  EXPECT_EQ(pos, nullptr);
}

TEST(FrameworkFileDialog, SaveAddsTheDefaultExtensionAndCancelKeepsTheName) {
  TempFolder temp;
  CFileDialog save(FALSE, "bcd", "untitled", OFN_HIDEREADONLY | OFN_OVERWRITEPROMPT, kFilter);
  save.m_ofn.lpstrInitialDir = temp.path().c_str();
  std::string shown;
  Next([&](HWND d) {
    shown = comdlgtest::Utf8(comdlgtest::Text(::GetDlgItem(d, edt1)));
    TypeInto(d, edt1, u"report");
    ClickItem(d, IDOK);
  });
  ASSERT_EQ(save.DoModal(), IDOK);
  EXPECT_EQ(shown, "untitled");
  EXPECT_EQ(save.GetPathName(), CString((temp.path() + "/report.bcd").c_str()));

  CFileDialog cancelled(FALSE, "bcd", "kept.bcd", OFN_HIDEREADONLY, kFilter);
  cancelled.m_ofn.lpstrInitialDir = temp.path().c_str();
  Next([](HWND d) { ClickItem(d, IDCANCEL); });
  EXPECT_EQ(cancelled.DoModal(), IDCANCEL);
  EXPECT_EQ(CommDlgExtendedError(), 0u);
  EXPECT_EQ(cancelled.GetPathName(), CString("kept.bcd"));
}

// The centre of box `index` (eight to a row) of the basic colours.
POINT BasicBox(HWND dialog, int index) {
  RECT r{};
  ::GetClientRect(::GetDlgItem(dialog, COLOR_BOX1), &r);
  const int w = r.right / 8, h = r.bottom / 6;
  return POINT{(index % 8) * w + w / 2, (index / 8) * h + h / 2};
}

TEST(FrameworkColourDialog, AColourChosenWithOkAndNoneOnCancel) {
  CColorDialog dialog(RGB(1, 2, 3), CC_FULLOPEN);
  COLORREF picked = 0;
  Next([&](HWND d) {
    uitest::Click(::GetDlgItem(d, COLOR_BOX1), BasicBox(d, 8));
    ClickItem(d, IDOK);
  });
  ASSERT_EQ(dialog.DoModal(), IDOK);
  picked = dialog.GetColor();
  EXPECT_NE(picked, RGB(1, 2, 3));

  CColorDialog cancelled(RGB(1, 2, 3));
  Next([&](HWND d) {
    uitest::Click(::GetDlgItem(d, COLOR_BOX1), BasicBox(d, 8));
    ClickItem(d, IDCANCEL);
  });
  EXPECT_EQ(cancelled.DoModal(), IDCANCEL);
  EXPECT_EQ(cancelled.GetColor(), RGB(1, 2, 3));

  // The same box twice gives the same colour.
  CColorDialog again(RGB(9, 9, 9));
  Next([&](HWND d) {
    uitest::Click(::GetDlgItem(d, COLOR_BOX1), BasicBox(d, 8));
    ClickItem(d, IDOK);
  });
  ASSERT_EQ(again.DoModal(), IDOK);
  EXPECT_EQ(again.GetColor(), picked);
}

constexpr const char* kPrinter = "Framework Label Printer";

// A file printer of 300 dpi, there for one test.
class TestPrinter {
 public:
  explicit TestPrinter(const TempFolder& temp) : port_(temp.path() + "/printed.bin") {
    PRINTER_INFO_2A info{};
    info.pPrinterName = const_cast<char*>(kPrinter);
    info.pPortName = port_.data();
    info.pDriverName = const_cast<char*>("Label Driver");
    handle_ = ::AddPrinterA(nullptr, 2, reinterpret_cast<LPBYTE>(&info));
    gdi::RegisterPrinterSettings(kPrinter, gdi::PrinterSettings{300, 300, {2480, 3508}, {50, 50}, {2380, 3408}});
  }
  ~TestPrinter() {
    if (handle_) ::DeletePrinter(handle_);
  }
  TestPrinter(const TestPrinter&) = delete;
  TestPrinter& operator=(const TestPrinter&) = delete;

 private:
  std::string port_;
  HANDLE handle_ = nullptr;
};

TEST(FrameworkPrintDialog, PrinterPagesAndCopiesAreReadBack) {
  TempFolder temp;
  TestPrinter printer(temp);
  CPrintDialog dialog(FALSE, PD_ALLPAGES | PD_NOSELECTION);
  dialog.m_pd.nMinPage = 1;
  dialog.m_pd.nMaxPage = 9;
  Next([](HWND d) {
    const HWND combo = ::GetDlgItem(d, cmb4);
    const LRESULT at = ::SendMessageA(combo, CB_FINDSTRINGEXACT, static_cast<WPARAM>(-1), reinterpret_cast<LPARAM>(kPrinter));
    ::SendMessageA(combo, CB_SETCURSEL, static_cast<WPARAM>(at), 0);
    ::SendMessageA(d, WM_COMMAND, MAKEWPARAM(cmb4, CBN_SELCHANGE), reinterpret_cast<LPARAM>(combo));
    ClickItem(d, rad3);
    TypeInto(d, edt1, u"2");
    TypeInto(d, edt2, u"4");
    TypeInto(d, edt3, u"3");
    ClickItem(d, IDOK);
  });
  ASSERT_EQ(dialog.DoModal(), IDOK);
  EXPECT_EQ(dialog.GetDeviceName(), CString(kPrinter));
  EXPECT_EQ(dialog.GetDriverName(), CString("Label Driver"));
  EXPECT_TRUE(dialog.PrintRange());
  EXPECT_FALSE(dialog.PrintAll());
  EXPECT_EQ(dialog.GetFromPage(), 2);
  EXPECT_EQ(dialog.GetToPage(), 4);
  EXPECT_EQ(dialog.GetCopies(), 3);
  const DEVMODEA* mode = dialog.GetDevMode();
  ASSERT_NE(mode, nullptr);
  EXPECT_EQ(mode->dmPrintQuality, 300);
  ::GlobalUnlock(dialog.m_pd.hDevMode);
  HDC dc = dialog.CreatePrinterDC();
  ASSERT_NE(dc, nullptr);
  EXPECT_EQ(::GetDeviceCaps(dc, LOGPIXELSX), 300);
  ::DeleteDC(dc);
}

TEST(FrameworkPrintDialog, DefaultsNeedNoDialogAndCancelAnswersCancel) {
  TempFolder temp;
  TestPrinter printer(temp);
  CPrintDialog dialog(TRUE);
  ASSERT_TRUE(dialog.GetDefaults());
  EXPECT_FALSE(dialog.GetDeviceName().IsEmpty());
  ASSERT_TRUE(dialog.GetDefaults());  // asked again, the first blocks are let go

  CPrintDialog cancelled(FALSE);
  Next([](HWND d) { ClickItem(d, IDCANCEL); });
  EXPECT_EQ(cancelled.DoModal(), IDCANCEL);
}

}  // namespace
