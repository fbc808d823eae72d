// File > Print in the running designer on a layout whose barcode and text are
// given when printing: the print dialog shows a prompt row for each above
// its own controls, the first row has the focus, the values are typed and
// the layout printed to a picture, whose barcode zxing-cpp reads as typed.
// The layout itself keeps its sources and data. In English and Chinese.
#include <gtest/gtest.h>

#include <filesystem>
#include <string>

#include "datasource/ui/prompt/print_prompt_rows.h"
#include "fields/services/field_services.h"
#include "platform/testing/ui.h"
#include "print_to_picture.h"

namespace {

namespace fs = std::filesystem;
using programtest::Code128In;
using programtest::PicturePath;
using programtest::Press;
using programtest::ShownDialog;

constexpr int16_t kPrompted = static_cast<int16_t>(DataSourceType::kPromptBeforePrint);

struct Language {
  int profileValue;
  const char* suffix;
};

class PrintPrompts : public programtest::PrintToPictureTest, public ::testing::WithParamInterface<Language> {
 protected:
  void SetUp() override {
    // Pictures are written as PNG (the second type of the picture list).
    WriteProfile("[Config]\nbFirstTimeRun=0\nAppLanguage=" + std::to_string(GetParam().profileValue) +
                 "\nPrint2ImageFileType=2\n");
    ASSERT_TRUE(StartProgram({}));
  }
};

std::unique_ptr<CBarcodeField> PromptedCode128(const CLabelSetup& setup) {
  auto f = programtest::ReadableCode128(setup, "00000000");
  f->prompt = "Serial number";
  f->maxChars = 12;
  f->dataSourceType = kPrompted;
  programtest::FitToMeasure(*f, setup);
  return f;
}

std::unique_ptr<CTextField> PromptedText() {
  auto f = std::make_unique<CTextField>();
  f->name = "Text_1";
  f->prompt = "Batch";
  f->data = "B0";
  f->dataSourceType = kPrompted;
  f->offset = {200, 1000};
  f->width = 1500;
  f->height = 300;
  return f;
}

std::string Caption(CPromptItem& row) { return row.m_caption.GetData(); }

// A key pressed in the dialog: the dialog's message loop lets the windows
// under it see it first, as the prompt list's Tab needs.
void PressKey(HWND dialog, int key) {
  MSG msg{::GetFocus(), WM_KEYDOWN, static_cast<WPARAM>(key), 0, 0, {0, 0}};
  if (!CWnd::WalkPreTranslateTree(dialog, &msg)) {
    ::TranslateMessage(&msg);
    ::DispatchMessageW(&msg);
  }
  uitest::RunUntilIdle();
}

TEST_P(PrintPrompts, RowsAskedBeforePrintingReachThePrintedLabel) {
  CRvoDoc* doc = NewPictureLayout();
  ASSERT_NE(doc, nullptr);
  doc->fieldList.push_back(PromptedCode128(doc->labelSetup));
  doc->fieldList.push_back(PromptedText());
  doc->SetModifiedFlag(FALSE);

  const fs::path out = fs::path(TAV_BUILD_DIR) / "print_prompts_out";
  fs::create_directories(out);
  const std::string picture = (out / (std::string("serial_") + GetParam().suffix + ".png")).string();
  fs::remove(picture);

  std::vector<std::string> captions;
  bool firstRowFocused = false, listAboveQuantity = false;
  PrintFromMenu(picture, [&](const ShownDialog& d, CPrintJobDlg& print) {
    auto* rows = dynamic_cast<CPrintPromptRows*>(print.Prompts());
    ASSERT_NE(rows, nullptr) << "the print dialog shows no prompt rows";
    CPromptList& list = rows->List();
    for (int i = 0; i < list.RowCount(); ++i) captions.push_back(Caption(*list.Item(i)));
    RECT listRect{}, quantityRect{};
    ::GetWindowRect(list.m_hWnd, &listRect);
    ::GetWindowRect(::GetDlgItem(d.window, IDC_PRINT_QUANTITY), &quantityRect);
    listAboveQuantity = listRect.bottom <= quantityRect.top;
    // Typed as a person does: the first row has the focus, Tab goes on.
    firstRowFocused = list.Item(0) && ::GetFocus() == list.Item(0)->Editor();
    uitest::TypeText(std::string_view("SN-4711-A"));
    PressKey(d.window, VK_TAB);
    uitest::TypeText(std::string_view("L7"));
    uitest::RunUntilIdle();
    uitest::SaveWindowPng(d.window, PicturePath(std::string("print_prompts_") + GetParam().suffix + ".png"));
  });

  EXPECT_EQ(captions, (std::vector<std::string>{"Serial number", "Batch"}));
  EXPECT_TRUE(firstRowFocused);
  EXPECT_TRUE(listAboveQuantity);
  ASSERT_TRUE(fileAsked);
  ASSERT_TRUE(fs::exists(picture));
  fs::copy_file(picture, PicturePath(std::string("print_prompts_label_") + GetParam().suffix + ".png"),
                fs::copy_options::overwrite_existing);
  EXPECT_EQ(Code128In(picture), "SN-4711-A");
  // The layout keeps its fields as they were: asked again next time.
  auto& barcode = static_cast<CBarcodeField&>(*doc->fieldList[doc->fieldList.size() - 2]);
  auto& text = static_cast<CTextField&>(*doc->fieldList.back());
  EXPECT_EQ(barcode.dataSourceType, kPrompted);
  EXPECT_STREQ(barcode.data.GetData(), "00000000");
  EXPECT_EQ(text.dataSourceType, kPrompted);
  EXPECT_STREQ(text.data.GetData(), "B0");
  EXPECT_FALSE(doc->IsModified());
  doc->SetModifiedFlag(FALSE);
}

INSTANTIATE_TEST_SUITE_P(Languages, PrintPrompts,
                         ::testing::Values(Language{0, "en"}, Language{1, "zh"}),
                         [](const ::testing::TestParamInfo<Language>& info) { return std::string(info.param.suffix); });

}  // namespace
