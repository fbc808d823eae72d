// The small "?" buttons of the print dialogs in every interface language:
// each is the dialog's own tip button (its information image, shown and
// hidden by the dialog), never a skinned push button showing a question
// mark. A translated dialog's skin takes every push button it finds when the
// dialog starts; the dialog must take its tip buttons first.
#include <string>

#include <gtest/gtest.h>

#include "../app/dialog_script.h"
#include "app/controls/bitmap_buttons.h"
#include "document/core/rvo_doc.h"
#include "platform/testing/ui.h"
#include "print/dialog/print_job_dlg.h"
#include "print/print_ids.h"
#include "print/printer/printer_dpi_dlg.h"
#include "print_pictures.h"
#include "tests/dialogs/dialogs_test_support.h"
#include "tests/document/recording_layout_shell.h"

using apptest::DialogScript;
using apptest::LanguageScope;
using apptest::Press;
using print_test::PicturePath;

namespace {

bool Visible(HWND dialog, int id) { return ::IsWindowVisible(::GetDlgItem(dialog, id)) != 0; }

// The dialog's own tip button at `id`, showing its image.
void ExpectTipButton(HWND dialog, int id) {
  const HWND button = ::GetDlgItem(dialog, id);
  ASSERT_NE(button, nullptr);
  EXPECT_NE(dynamic_cast<CTipButton*>(CWnd::FromHandlePermanent(button)), nullptr) << "control " << id;
  EXPECT_NE(::SendMessageA(button, BM_GETIMAGE, IMAGE_BITMAP, 0), 0) << "control " << id;
}

// The vertical middle of a control lies within another's rows: the tip
// stands beside the line it explains.
void ExpectBeside(HWND dialog, int tip, int line) {
  RECT t{}, l{};
  ::GetWindowRect(::GetDlgItem(dialog, tip), &t);
  ::GetWindowRect(::GetDlgItem(dialog, line), &l);
  const int middle = (t.top + t.bottom) / 2;
  EXPECT_GE(middle, l.top) << "control " << tip;
  EXPECT_LE(middle, l.bottom) << "control " << tip;
  EXPECT_GE(t.left, l.right - 2) << "control " << tip;
}

// Without a printer the print dialog says so, its tip beside the line; a
// quantity of several labels shows the many-files hint with its tip.
TEST(PrintDialogTips, ThePrintDialogsTipsAreItsOwnInEveryLanguage) {
  RecordedLayoutMessages recorded;
  for (const dialogstest::PictureLanguage& shot : dialogstest::kPictureLanguages) {
    SCOPED_TRACE(shot.suffix);
    const std::string suffix = shot.suffix;
    LanguageScope scope(shot.language);
    CRvoDoc doc;
    doc.labelSetup.lastPrinter = "";
    DialogScript script;
    script.Then([&](HWND dialog) {
      uitest::RunUntilIdle();
      ExpectTipButton(dialog, IDC_PRINT_NO_PRINTER_TIP);
      ExpectTipButton(dialog, IDC_PRINT_IMAGES_TIP);
      EXPECT_TRUE(Visible(dialog, IDC_PRINT_NO_PRINTER));
      EXPECT_TRUE(Visible(dialog, IDC_PRINT_NO_PRINTER_TIP));
      EXPECT_FALSE(Visible(dialog, IDC_PRINT_IMAGES_TIP));
      ExpectBeside(dialog, IDC_PRINT_NO_PRINTER_TIP, IDC_PRINT_NO_PRINTER);
      EXPECT_TRUE(uitest::SaveWindowPng(dialog, PicturePath("print_dialog_no_printer_" + suffix + ".png")));
      ::SetDlgItemTextA(dialog, IDC_PRINT_QUANTITY, "3");
      uitest::RunUntilIdle();
      EXPECT_TRUE(Visible(dialog, IDC_PRINT_IMAGES_HINT));
      EXPECT_TRUE(Visible(dialog, IDC_PRINT_IMAGES_TIP));
      ExpectBeside(dialog, IDC_PRINT_IMAGES_TIP, IDC_PRINT_IMAGES_HINT);
      EXPECT_TRUE(uitest::SaveWindowPng(dialog, PicturePath("print_dialog_images_" + suffix + ".png")));
      Press(dialog, IDCANCEL);
    });
    CPrintJobDlg dialog;
    dialog.m_pDoc = &doc;
    EXPECT_EQ(dialog.DoModal(), IDCANCEL);
  }
}

// The resolution dialog's tip belongs to its printer's controls: hidden
// while no printer is chosen.
TEST(PrintDialogTips, TheResolutionDialogsTipIsItsOwnInEveryLanguage) {
  RecordedLayoutMessages recorded;
  for (const dialogstest::PictureLanguage& shot : dialogstest::kPictureLanguages) {
    SCOPED_TRACE(shot.suffix);
    LanguageScope scope(shot.language);
    CLabelSetup setup;
    setup.dpiX = setup.dpiY = 300;
    DialogScript script;
    script.Then([&](HWND dialog) {
      uitest::RunUntilIdle();
      ExpectTipButton(dialog, IDC_DPI_TIP);
      EXPECT_FALSE(Visible(dialog, IDC_DPI_TIP));
      EXPECT_FALSE(Visible(dialog, IDC_DPI_CHANGE));
      Press(dialog, IDCANCEL);
    });
    CPrinterDpiDlg dialog;
    dialog.m_pSetup = &setup;
    EXPECT_EQ(dialog.DoModal(), IDCANCEL);
  }
}

}  // namespace
