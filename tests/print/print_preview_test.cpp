// The print preview as a person uses it: Preview pressed in the print
// dialog, the pages of the layout shown in the layout's frame, paged, typed
// into, shown two at a time, zoomed, the shown page printed and the preview
// closed back to the dialog. The preview's page is the page the printer
// receives: a page drawn by the preview's job at the printer's resolution
// equals that page read back from the test print server's raster queue.
#include <filesystem>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "../app/dialog_script.h"
#include "cups_server.h"
#include "document/view/print_commands.h"
#include "fields/model/field_kinds.h"
#include "platform/testing/png_writer.h"
#include "platform/testing/ui.h"
#include "print/dialog/print_job_dlg.h"
#include "print/preview/label_preview.h"
#include "print/print_ids.h"
#include "asset_tag_test.h"
#include "printed_output.h"
#include "print_pictures.h"
#include "tests/barcode/kalvo_request.h"
#include "tests/document/view_session.h"

namespace fs = std::filesystem;
using apptest::DialogScript;
using apptest::Press;
using print_test::AssetNumber;
using print_test::DataMatrixIn;
using print_test::GreyPage;
using print_test::PicturePath;

namespace {

// The program's Print Preview command, as far as the dialog's Preview
// button needs it.
bool PreviewOfShowingDialog(CDesignVu& view) {
  CPrintJobDlg* dialog = CPrintJobDlg::Showing();
  return dialog && dialog->m_pDoc == view.GetDocument() && OpenLabelPreview(*dialog, &view);
}
// Its Print command, which the Print Preview command follows.
bool PrintDialog(CDesignVu& view) {
  CPrintJobDlg dialog;
  dialog.m_pDoc = view.GetDocument();
  dialog.DoModal();
  return dialog.m_fieldDataChanged != 0;
}
const PrintCommands kCommands{&PrintDialog, &PreviewOfShowingDialog, nullptr};


std::string Text(HWND window) {
  char text[128] = {};
  ::GetWindowTextA(window, text, sizeof text);
  return text;
}


// A page the preview's job draws into a white bitmap of w x h dots.
GreyPage DrawnPage(CPrintJobDlg& dialog, int page, int dpi, int w, int h) {
  GreyPage out;
  BITMAPINFO info{};
  info.bmiHeader = {sizeof(BITMAPINFOHEADER), w, -h, 1, 32, BI_RGB, 0, 0, 0, 0, 0};
  void* bits = nullptr;
  UniqueBitmap bitmap(CreateDIBSection(nullptr, &info, DIB_RGB_COLORS, &bits, nullptr, 0));
  UniqueDc dc(CreateCompatibleDC(nullptr));
  if (!bitmap || !dc) return out;
  SelectScope selected(dc.get(), bitmap.get());
  const RECT all{0, 0, w, h};
  FillRect(dc.get(), &all, static_cast<HBRUSH>(GetStockObject(WHITE_BRUSH)));
  if (!dialog.RenderPreviewPage(page, dc.get(), dpi)) return out;
  GdiFlush();
  tavtest::WritePng(PicturePath("preview_page_" + std::to_string(page + 1) + "_at_" + std::to_string(dpi) + ".png"), w,
                        h, static_cast<const uint8_t*>(bits));
  out.width = w;
  out.height = h;
  out.dpiX = out.dpiY = dpi;
  const auto* pixels = static_cast<const uint32_t*>(bits);
  for (int i = 0; i < w * h; ++i) {
    const uint32_t p = pixels[i];
    out.pixels.push_back(static_cast<uint8_t>(((p & 0xFF) + ((p >> 8) & 0xFF) + ((p >> 16) & 0xFF)) / 3));
  }
  return out;
}

// Dark pixels inside a client rectangle of a window's picture.
int DarkPixels(const uitest::Picture& picture, const RECT& r) {
  int dark = 0;
  for (int y = std::max<LONG>(0, r.top); y < std::min<LONG>(picture.height, r.bottom); ++y)
    for (int x = std::max<LONG>(0, r.left); x < std::min<LONG>(picture.width, r.right); ++x) {
      const uint32_t c = picture.At(x, y);
      dark += (c & 0xFF) + ((c >> 8) & 0xFF) + ((c >> 16) & 0xFF) < 3 * 100;
    }
  return dark;
}

class PrintPreview : public print_test::AssetTagTest {
 protected:
  static void SetUpTestSuite() { WriteLayouts("preview_layouts"); }
  void SetUp() override {
    AssetTagTest::SetUp();
    fs::remove(cups_test::OutputOf("raster"));
    WriteCounter("ASSET-000500");
    SetPrintCommands(&kCommands);
  }
  void TearDown() override { SetPrintCommands(nullptr); }

  // The asset tag three across and four down on the raster queue.
  static void Load(CRvoDoc& doc) {
    doc.labelSetup = CLabelSetup{};
    doc.fieldList.clear();
    ASSERT_TRUE(print_test::LoadAssetTag(doc, folder_, "raster"));
    doc.labelSetup.deflt_lblsPerRow = 3;
    doc.labelSetup.deflt_rowsPerPage = 4;
  }

  viewtest::ShellApp app_;
};

// Thirty tags, twelve to a page: three pages. Preview shows page 1 in the
// frame; the page buttons, the page edit and two pages at a time move
// through them; Print prints the page shown, which the preview's own page
// equals dot for dot; Close brings the dialog back.
TEST_F(PrintPreview, ShowsThePagesThePrinterReceives) {
  viewtest::Session session(2000, 1000, 0, SIZE{900, 640});
  Load(*session.doc);
  app_.m_pMainWnd = session.frame;
  const DEVMODEA dm = print_test::SheetMode(session.doc->labelSetup, true);
  DialogScript script;
  CPrintJobDlg dialog;
  dialog.m_pDoc = session.doc;
  dialog.m_printerSettings = &dm;
  bool ran = false;
  script.Then([&](HWND window) {
    ran = true;
    ::SetDlgItemTextA(window, IDC_PRINT_QUANTITY, "30");
    Press(window, IDC_PRINT_PREVIEW);
    uitest::RunUntilIdle();
    auto* preview = dynamic_cast<CPrntPrevu*>(session.frame->GetActiveView());
    if (!preview) {
      ADD_FAILURE() << "the preview did not open";
      Press(window, IDCANCEL);
      return;
    }
    EXPECT_FALSE(::IsWindowVisible(window)) << "the dialog steps aside";
    EXPECT_FALSE(::IsWindowVisible(session.view->m_hWnd));
    const HWND bar = ::GetDlgItem(session.frame->m_hWnd, AFX_IDW_PREVIEW_BAR);
    ASSERT_NE(bar, nullptr);
    const HWND page = ::GetDlgItem(bar, IDC_PREVIEW_PAGE);
    const auto button = [&](int id) { return ::GetDlgItem(bar, id); };
    EXPECT_EQ(dialog.PageCount(), 3);
    EXPECT_EQ(Text(page), "1");
    EXPECT_EQ(Text(button(IDC_PREVIEW_PAGE_COUNT)), "of 3");
    EXPECT_FALSE(::IsWindowEnabled(button(IDC_PREVIEW_PREV)));
    EXPECT_FALSE(::IsWindowEnabled(button(IDC_PREVIEW_FIRST)));
    EXPECT_TRUE(::IsWindowEnabled(button(IDC_PREVIEW_NEXT)));
    EXPECT_TRUE(::IsWindowEnabled(button(IDC_PREVIEW_PRINT_PAGE)));
    // The page on the screen: white paper with the tags drawn on it.
    uitest::RunUntilIdle();
    uitest::SaveWindowPng(session.frame->m_hWnd, PicturePath("preview_one_page.png"));
    const uitest::Picture shown = uitest::CaptureWindow(preview->m_hWnd);
    const RECT paper = preview->m_pageInfo[0].rectScreen;
    EXPECT_EQ(shown.At(paper.right - 2, paper.bottom - 2) & 0xFFFFFF, 0xFFFFFFu);
    EXPECT_GT(DarkPixels(shown, paper), 200);

    uitest::Click(button(IDC_PREVIEW_NEXT));
    uitest::RunUntilIdle();
    EXPECT_EQ(Text(page), "2");
    uitest::Click(button(IDC_PREVIEW_LAST));
    uitest::RunUntilIdle();
    EXPECT_EQ(Text(page), "3");
    EXPECT_FALSE(::IsWindowEnabled(button(IDC_PREVIEW_NEXT)));
    uitest::Click(button(IDC_PREVIEW_FIRST));
    uitest::RunUntilIdle();
    EXPECT_EQ(Text(page), "1");

    // Typed page numbers: 0 becomes 1, past the end the last page; leaving
    // the edit goes there.
    struct Typed {
      const char* typed;
      const char* shown;
    };
    for (const Typed t : {Typed{"0", "1"}, Typed{"9", "3"}, Typed{"2", "2"}}) {
      ::SetWindowTextA(page, t.typed);
      uitest::RunUntilIdle();
      EXPECT_EQ(Text(page), t.shown) << t.typed;
    }
    ::SetFocus(page);
    uitest::Click(preview->m_hWnd, POINT{4, 4});
    uitest::RunUntilIdle();
    EXPECT_EQ(preview->m_nCurrentPage, 2u);

    // Two pages from the last one: back one, so both are pages of the run.
    uitest::Click(button(IDC_PREVIEW_LAST));
    uitest::RunUntilIdle();
    ::PostMessageA(preview->m_hWnd, WM_KEYDOWN, VK_DOWN, 0);
    ::PostMessageA(preview->m_hWnd, WM_KEYDOWN, VK_DOWN, 0);
    ::PostMessageA(preview->m_hWnd, WM_KEYDOWN, VK_RETURN, 0);
    preview->SendMessage(WM_COMMAND, IDC_PREVIEW_PAGES, 0);
    uitest::RunUntilIdle();
    EXPECT_EQ(preview->m_nPages, 2u);
    EXPECT_EQ(preview->m_nCurrentPage, 2u);
    uitest::SaveWindowPng(session.frame->m_hWnd, PicturePath("preview_two_pages.png"));
    const uitest::Picture two = uitest::CaptureWindow(preview->m_hWnd);
    EXPECT_GT(DarkPixels(two, preview->m_pageInfo[0].rectScreen), 100);
    EXPECT_GT(DarkPixels(two, preview->m_pageInfo[1].rectScreen), 100);
    EXPECT_LT(preview->m_pageInfo[0].rectScreen.right, preview->m_pageInfo[1].rectScreen.left);

    // Zoomed in, the page is larger than the window's share.
    const int fitted = preview->m_pageInfo[0].rectScreen.Width();
    uitest::Click(button(IDC_PREVIEW_ZOOM_IN));
    uitest::RunUntilIdle();
    EXPECT_GT(preview->m_pageInfo[0].rectScreen.Width(), fitted);
    uitest::Click(button(IDC_PREVIEW_ZOOM_OUT));
    uitest::RunUntilIdle();

    // Print the page shown: page 2 reaches the raster queue.
    uitest::Click(button(IDC_PREVIEW_PRINT_PAGE));
    uitest::RunUntilIdle();
    ASSERT_TRUE(cups_test::WaitForOutput("raster"));
    const auto printed = print_test::ReadRasterPages(cups_test::OutputOf("raster"));
    ASSERT_EQ(printed.size(), 1u);
    const GreyPage& sheet = printed[0];
    ASSERT_EQ(sheet.dpiX, 300);
    // The preview's page 2 drawn at the printer's resolution.
    const SIZE size = SheetSize(session.doc->labelSetup);
    const GreyPage drawn = DrawnPage(dialog, 1, 300, size.cx * 300 / 1000, size.cy * 300 / 1000);
    ASSERT_EQ(drawn.width, 1800);
    int compared = 0, differ = 0, symbolDots = 0, symbolDiffer = 0;
    const CLabelSetup& s = session.doc->labelSetup;
    // Where the tag's symbol is on its label, in thousandths of an inch.
    RECT symbolMils{};
    for (const auto& f : session.doc->fieldList)
      if (f->IsKind(FieldKind::kBarcode))
        symbolMils = RECT{f->offset.x, f->offset.y, f->offset.x + f->width, f->offset.y + f->height};
    ASSERT_GT(symbolMils.right, symbolMils.left);
    for (int position = 0; position < 12; ++position) {
      const int x0 = (s.deflt_leftOff + position % 3 * (s.labelWidth + s.deflt_hGap)) * 300 / 1000;
      const int y0 = (s.deflt_topOff + position / 3 * (s.labelHeight + s.deflt_vGap)) * 300 / 1000;
      const RECT label{x0, y0, x0 + s.labelWidth * 300 / 1000, y0 + s.labelHeight * 300 / 1000};
      EXPECT_EQ(DataMatrixIn(drawn, label), AssetNumber(512 + position)) << position;
      EXPECT_EQ(DataMatrixIn(sheet, label), AssetNumber(512 + position)) << position;
      // Inside the outline the preview draws round each label: the symbol
      // dot for dot as printed; the letters, smoothed on the screen's
      // bitmap and not on the printer's, within two dots.
      const auto near = [](const GreyPage& page, int x, int y, bool black, int reach) {
        for (int dy = -reach; dy <= reach; ++dy)
          for (int dx = -reach; dx <= reach; ++dx)
            if (page.Black(x + dx, y + dy) == black) return true;
        return false;
      };
      const RECT symbol{label.left + symbolMils.left * 300 / 1000, label.top + symbolMils.top * 300 / 1000,
                        label.left + symbolMils.right * 300 / 1000, label.top + symbolMils.bottom * 300 / 1000};
      for (int y = label.top + 4; y < label.bottom - 4; ++y)
        for (int x = label.left + 4; x < label.right - 4; ++x) {
          const bool a = drawn.Black(x, y), b = sheet.Black(x, y);
          if (x >= symbol.left && x < symbol.right && y >= symbol.top && y < symbol.bottom) {
            ++symbolDots;
            symbolDiffer += a != b;
          } else {
            ++compared;
            differ += a != b && !(near(sheet, x, y, a, 2) && near(drawn, x, y, b, 2));
          }
        }
    }
    EXPECT_GT(symbolDots, 12 * 100 * 100);
    EXPECT_EQ(symbolDiffer, 0);
    EXPECT_GT(compared, 12 * 500 * 250);
    EXPECT_EQ(differ, 0);

    // Close: the dialog comes back, the layout's view takes its place again.
    uitest::Click(button(IDC_PREVIEW_CLOSE));
    uitest::RunUntilIdle();
    EXPECT_EQ(session.frame->GetActiveView(), session.view);
    EXPECT_TRUE(::IsWindowVisible(window));
    EXPECT_TRUE(::IsWindowEnabled(window));
    EXPECT_EQ(dialog.Job(), nullptr) << "the preview's job went with it";
    Press(window, IDCANCEL);
  });
  dialog.DoModal();
  EXPECT_TRUE(ran);
  app_.m_pMainWnd = nullptr;
}

}  // namespace
