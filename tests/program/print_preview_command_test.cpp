// File > Print Preview in the running designer: the print dialog opens
// straight on its preview, the layout's pages shown in the layout's window;
// closing the preview brings the dialog back.
#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <string>

#include "designer_fixture.h"
#include "document/core/rvo_doc.h"
#include "platform/framework.h"
#include "platform/testing/ui.h"
#include "print/preview/label_preview.h"
#include "print/print_ids.h"

namespace {

using programtest::DesignerTest;
using programtest::ShownDialog;

// The dark pixels on the preview's white page: inside the page's white
// area (the rows mostly white, not the caption's), away from its edge.
int DarkOnPage(const uitest::Picture& p) {
  int left = p.width, top = p.height, right = -1, bottom = -1;
  for (int y = 0; y < p.height; ++y) {
    int white = 0, first = -1, last = -1;
    for (int x = 0; x < p.width; ++x)
      if ((p.At(x, y) & 0xFFFFFF) == 0xFFFFFF) {
        ++white;
        if (first < 0) first = x;
        last = x;
      }
    if (white < p.width / 4) continue;
    left = std::min(left, first), right = std::max(right, last);
    top = std::min(top, y), bottom = std::max(bottom, y);
  }
  int dark = 0;
  for (int y = top + 4; y < bottom - 4; ++y)
    for (int x = left + 4; x < right - 4; ++x) {
      const uint32_t c = p.At(x, y);
      dark += (c & 0xFF) + ((c >> 8) & 0xFF) + ((c >> 16) & 0xFF) < 3 * 128;
    }
  return dark;
}

class PrintPreviewCommand : public DesignerTest {
 protected:
  void SetUp() override {
    WriteProfile("[Config]\nbFirstTimeRun=0\nAppLanguage=0\n");
    ASSERT_TRUE(StartProgram({}));
  }
};

// A new layout names no printer: its preview shows the picture's page, and
// the page cannot be printed from it.
TEST_F(PrintPreviewCommand, OpensThePrintDialogsPreview) {
  ::SendMessageA(MainWindow(), WM_COMMAND, ID_FILE_NEW, 0);
  Pump();
  auto* doc = dynamic_cast<CRvoDoc*>(App().GetActiveLayoutDoc());
  ASSERT_NE(doc, nullptr);
  doc->labelSetup.lastPrinter = "";
  doc->AddLineField(RECT{200, 300, 1800, 300});
  bool previewShown = false, printable = true, dialogBack = false;
  int darkOnPage = 0;
  std::string pageCount;
  act = [&](const ShownDialog& d) {
    CWnd* main = CWnd::FromHandle(MainWindow());
    auto* mdi = dynamic_cast<CMDIFrameWnd*>(main);
    ASSERT_NE(mdi, nullptr);
    CFrameWnd* child = mdi->GetActiveFrame();
    ASSERT_NE(child, nullptr);
    auto* preview = dynamic_cast<CPrntPrevu*>(child->GetActiveView());
    previewShown = preview != nullptr;
    if (!preview) {
      ::EndDialog(d.window, IDCANCEL);
      return;
    }
    EXPECT_FALSE(::IsWindowVisible(d.window));
    const HWND bar = ::GetDlgItem(child->m_hWnd, AFX_IDW_PREVIEW_BAR);
    char text[32] = {};
    ::GetDlgItemTextA(bar, IDC_PREVIEW_PAGE_COUNT, text, sizeof text);
    pageCount = text;
    printable = ::IsWindowEnabled(::GetDlgItem(bar, IDC_PREVIEW_PRINT_PAGE)) != 0;
    const std::string folder = std::string(TAV_BUILD_DIR) + "/pictures/program";
    std::filesystem::create_directories(folder);
    uitest::SaveWindowPng(MainWindow(), folder + "/preview_from_menu.png");
    darkOnPage = DarkOnPage(uitest::CaptureWindow(preview->m_hWnd));
    ::SendMessageA(::GetDlgItem(bar, IDC_PREVIEW_CLOSE), BM_CLICK, 0, 0);
    Pump();
    // The dialog again, after the preview closed.
    dialogBack = ::IsWindowVisible(d.window) && ::IsWindowEnabled(d.window);
    ::EndDialog(d.window, IDCANCEL);
  };
  ::SendMessageA(MainWindow(), WM_COMMAND, ID_FILE_PRINT_PREVIEW, 0);
  Pump();
  EXPECT_TRUE(previewShown);
  EXPECT_EQ(pageCount, "of 1");
  EXPECT_FALSE(printable) << "picture files have no page to print";
  EXPECT_TRUE(dialogBack);
  // The line, 1.6 inches long, drawn across the page.
  EXPECT_GT(darkOnPage, 100);
  // The layout is left unsaved, unasked.
  act = nullptr;
  doc->SetModifiedFlag(FALSE);
}

}  // namespace
