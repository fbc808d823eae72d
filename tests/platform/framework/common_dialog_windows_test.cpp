// The framework's colour and print dialogs are attached to their dialog
// windows while they run: GetSafeHwnd is the dialog during OnInitDialog and
// the buttons, messages pass through the object's message map (a derived
// OnOK sees OK, then the dialog's own handling ends it), a caller's own hook
// still hears the dialog, and the object lets the window go afterwards.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "platform/framework.h"
#include "platform/gdi/printer_settings.h"
#include "tests/platform/comdlg/comdlg_test_util.h"

namespace {

using comdlgtest::ClickItem;
using comdlgtest::Next;
using comdlgtest::TempFolder;

std::string Caption(HWND window) {
  char text[128] = {};
  ::GetWindowTextA(window, text, sizeof text);
  return text;
}

// Both dialogs get the same derived behaviour: a caption of their own, and
// OK counted on the way to the dialog's own procedure.
template <class Base>
class CAttachedDialog : public Base {
 public:
  using Base::Base;
  BOOL OnInitDialog() override {
    m_hwndAtInit = this->GetSafeHwnd();
    this->SetWindowText("Label colours and printers");
    return Base::OnInitDialog();
  }
  void OnOK() override {
    ++m_oks;
    m_hwndAtOk = this->GetSafeHwnd();
    Base::OnOK();
  }
  HWND m_hwndAtInit = nullptr, m_hwndAtOk = nullptr;
  int m_oks = 0;
};

struct Seen {
  HWND dialog = nullptr;
  std::string caption;
};

TEST(FrameworkDialogWindows, ColourDialogIsAttachedWhileItRuns) {
  CAttachedDialog<CColorDialog> dialog(RGB(10, 20, 30), CC_FULLOPEN);
  Seen seen;
  Next([&](HWND d) {
    seen.dialog = d;
    seen.caption = Caption(d);
    EXPECT_EQ(CWnd::FromHandlePermanent(d), &dialog) << "the object answers for the dialog";
    ClickItem(d, IDOK);
  });
  ASSERT_EQ(dialog.DoModal(), IDOK);
  EXPECT_EQ(dialog.m_hwndAtInit, seen.dialog);
  EXPECT_EQ(dialog.m_hwndAtOk, seen.dialog);
  EXPECT_EQ(dialog.m_oks, 1) << "OK went through the object's message map";
  EXPECT_EQ(seen.caption, "Label colours and printers");
  EXPECT_EQ(dialog.GetSafeHwnd(), nullptr) << "let go with the dialog";
  EXPECT_EQ(dialog.GetColor(), RGB(10, 20, 30)) << "OK without a pick keeps the colour";
  EXPECT_FALSE(dialog.m_cc.Flags & CC_ENABLEHOOK) << "the framework's hook is taken out again";
}

// A caller's hook keeps its place: it hears the start with its own data.
LPARAM g_hookData = 0;
int g_hookCalls = 0;
UINT_PTR CallerHook(HWND, UINT message, WPARAM, LPARAM lParam) {
  if (message == WM_INITDIALOG) g_hookData = reinterpret_cast<const CHOOSECOLORA*>(lParam)->lCustData;
  ++g_hookCalls;
  return 0;
}

TEST(FrameworkDialogWindows, ACallersColourHookStillHearsTheDialog) {
  CAttachedDialog<CColorDialog> dialog(RGB(1, 1, 1));
  dialog.m_cc.Flags |= CC_ENABLEHOOK;
  dialog.m_cc.lpfnHook = &CallerHook;
  dialog.m_cc.lCustData = 4242;
  g_hookData = 0;
  g_hookCalls = 0;
  Next([](HWND d) { ClickItem(d, IDCANCEL); });
  EXPECT_EQ(dialog.DoModal(), IDCANCEL);
  EXPECT_EQ(g_hookData, 4242);
  EXPECT_GT(g_hookCalls, 1);
  EXPECT_EQ(dialog.m_oks, 0);
  EXPECT_NE(dialog.m_hwndAtInit, nullptr);
  EXPECT_EQ(dialog.m_cc.lpfnHook, &CallerHook) << "the caller's hook is back in place";
  EXPECT_TRUE(dialog.m_cc.Flags & CC_ENABLEHOOK);
}

constexpr const char* kPrinter = "Attached Dialog Printer";

TEST(FrameworkDialogWindows, PrintAndPrintSetupDialogsAreAttached) {
  TempFolder temp;
  std::string port = temp.path() + "/printed.bin";
  PRINTER_INFO_2A info{};
  info.pPrinterName = const_cast<char*>(kPrinter);
  info.pPortName = port.data();
  info.pDriverName = const_cast<char*>("Label Driver");
  const HANDLE added = ::AddPrinterA(nullptr, 2, reinterpret_cast<LPBYTE>(&info));
  gdi::RegisterPrinterSettings(kPrinter, gdi::PrinterSettings{});
  for (const BOOL setupOnly : {FALSE, TRUE}) {
    CAttachedDialog<CPrintDialog> dialog(setupOnly);
    Seen seen;
    Next([&](HWND d) {
      seen.dialog = d;
      seen.caption = Caption(d);
      ClickItem(d, IDOK);
    });
    ASSERT_EQ(dialog.DoModal(), IDOK) << "setup " << setupOnly;
    EXPECT_EQ(dialog.m_hwndAtInit, seen.dialog) << "setup " << setupOnly;
    EXPECT_EQ(dialog.m_hwndAtOk, seen.dialog);
    EXPECT_EQ(dialog.m_oks, 1);
    EXPECT_EQ(seen.caption, "Label colours and printers");
    EXPECT_EQ(dialog.GetSafeHwnd(), nullptr);
    EXPECT_FALSE(dialog.GetDeviceName().IsEmpty()) << "OK still chose a printer";
    EXPECT_FALSE(dialog.m_pd.Flags & (PD_ENABLEPRINTHOOK | PD_ENABLESETUPHOOK));
  }
  if (added) ::DeletePrinter(added);
}

}  // namespace
