// The barcode sheet's pages driven as a person would, case by case: what
// each symbology shows and stores, the rules of the human-readable text,
// the ITF-14 bearer bars, the rollover dialog, new and HIBC fields, turned
// fields, refused data and Cancel; and pictures of every page and the
// rollover dialog in English and Chinese.
#include <gtest/gtest.h>

#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "dialogs/barcode/barcode_ids.h"
#include "dialogs/setup/font_data_ids.h"
#include "tests/dialogs/barcode/barcode_sheet_support.h"

namespace {

using namespace barcode_sheet_test;

constexpr int kDataPage = 0;
constexpr int kHumanReadablePage = 1;
constexpr int kOptionsPage = 2;

// An existing field of the symbology with data it takes.
std::unique_ptr<CBarcodeField> FieldOf(int symbology, const char* data, int subType = 0) {
  auto f = std::make_unique<CBarcodeField>(300);
  f->name = "Barcode_1";
  f->symbology = static_cast<int16_t>(symbology);
  f->subType = static_cast<int16_t>(subType);
  f->data = data;
  f->offset = {500, 500};
  return f;
}

// Runs the sheet on the field with the script; the result of the runner.
int Edit(CBarcodeField& field, std::function<void(HWND)> script, SheetRun* runOut = nullptr) {
  CLabelSetup setup;
  SheetRun local;
  SheetRun& run = runOut ? *runOut : local;
  run.script = std::move(script);
  CField* edited = &field;
  return RunSheet(setup, &edited, field.useHibc, run);
}

TEST(BarcodePages, QrCodeHasNoHumanReadableText) {
  auto f = FieldOf(33, "QR");
  f->showHr = 1;
  ASSERT_EQ(Edit(*f, [](HWND sheet) {
    HWND hr = ShowPage(sheet, kHumanReadablePage);
    EXPECT_FALSE(Checked(hr, IDC_HR_SHOW));
    EXPECT_FALSE(Enabled(hr, IDC_HR_SHOW));
    EXPECT_FALSE(Shown(hr, IDC_FONT_TRUETYPE_LIST)) << "no font without text";
    PressOk(sheet);
  }), 1);
  EXPECT_EQ(f->showHr, 0);
}

TEST(BarcodePages, TextTurnedOffStoresRightBelowAndTenMils) {
  auto f = FieldOf(4, "ABC");
  f->showHr = 1;
  f->designerDrawsText = 1;
  f->textAlign = -1;
  f->hrAbove = 1;
  f->textGap = 50;
  ASSERT_EQ(Edit(*f, [](HWND sheet) {
    HWND hr = ShowPage(sheet, kHumanReadablePage);
    EXPECT_TRUE(Shown(hr, IDC_HR_JUSTIFY));
    EXPECT_TRUE(Shown(hr, IDC_FONT_TRUETYPE_LIST));
    SetCheck(hr, IDC_HR_SHOW, false);
    EXPECT_FALSE(Shown(hr, IDC_HR_JUSTIFY));
    EXPECT_FALSE(Shown(hr, IDC_HR_GAP));
    PressOk(sheet);
  }), 1);
  EXPECT_EQ(f->showHr, 0);
  EXPECT_EQ(f->textAlign, 1);
  EXPECT_EQ(f->hrAbove, 0);
  EXPECT_EQ(f->textGap, 10);
}

TEST(BarcodePages, HumanReadableRowsFollowTheSymbology) {
  struct Row {
    const char* what;
    int symbology, subType;
    const char* data;
    bool justify, templateRow, stars, startStop, checkDigit, uccTemplate;
  };
  const Row rows[] = {
      {"UPC-A: no justification, no template", 21, 0, "03600029145", false, false, false, false, false, false},
      {"Code 39 with its check digit: stars and check digit", 1, 1, "ABC", true, true, true, false, true, false},
      {"Codabar: start and stop characters", 0, 0, "123", true, true, false, true, false, false},
      {"ITF-14: check digit", 11, 0, "1234567890123", true, true, false, false, true, false},
      {"UCC/EAN 128 Multi: the UCC/EAN template", 20, 0, "", true, true, false, false, false, true},
  };
  for (const Row& row : rows) {
    SCOPED_TRACE(row.what);
    auto f = FieldOf(row.symbology, row.data, row.subType);
    f->showHr = 1;
    f->useTextMask = 1;
    f->textMask = "##";
    f->aiCode[0] = "01";
    f->aiData[0] = "12345678901231";
    Edit(*f, [&](HWND sheet) {
      HWND hr = ShowPage(sheet, kHumanReadablePage);
      EXPECT_EQ(Shown(hr, IDC_HR_JUSTIFY), row.justify);
      EXPECT_EQ(Shown(hr, IDC_HR_TEMPLATE), row.templateRow);
      EXPECT_EQ(Shown(hr, IDC_HR_STARS), row.stars);
      EXPECT_EQ(Shown(hr, IDC_HR_START_STOP), row.startStop);
      EXPECT_EQ(Shown(hr, IDC_HR_CHECK_DIGIT), row.checkDigit);
      EXPECT_EQ(Shown(hr, IDC_HR_UCC_TEMPLATE), row.uccTemplate);
      PressOk(sheet);
    });
    if (!row.templateRow) {
      EXPECT_EQ(f->useTextMask, 0) << "the template is cleared";
    }
    if (row.uccTemplate) {
      EXPECT_EQ(f->aiParentheses, 255) << "the text template stands for the UCC/EAN choice";
    }
  }
}

TEST(BarcodePages, CodabarWithoutStartStopHidesTheCodes) {
  auto f = FieldOf(0, "123");
  f->showHr = 1;
  f->textShowsStartStop = 1;
  f->codabarStart = 2;
  Edit(*f, [](HWND sheet) {
    HWND hr = ShowPage(sheet, kHumanReadablePage);
    EXPECT_TRUE(Shown(hr, IDC_HR_START));
    EXPECT_EQ(Selected(hr, IDC_HR_START), 2);
    SetCheck(hr, IDC_HR_START_STOP, false);
    EXPECT_FALSE(Shown(hr, IDC_HR_START));
    EXPECT_FALSE(Shown(hr, IDC_HR_STOP));
    Choose(hr, IDC_HR_STOP, 3);
    PressOk(sheet);
  });
  EXPECT_EQ(f->textShowsStartStop, 0);
  EXPECT_EQ(f->codabarStop, 3) << "Codabar's codes are stored with the text on or off";
}

TEST(BarcodePages, ItfBearerBarsAndTheirGroup) {
  auto f = FieldOf(11, "1234567890123");
  f->itfBearerFactor = 0;
  ASSERT_EQ(Edit(*f, [](HWND sheet) {
    HWND options = ShowPage(sheet, kOptionsPage);
    EXPECT_TRUE(Shown(options, IDC_OPT_BEARER_TYPE));
    EXPECT_EQ(Selected(options, IDC_OPT_BEARER_WIDTH), 0) << "a stored 0 shows 1 X";
    HWND data = ShowPage(sheet, kDataPage);
    ASSERT_TRUE(ChooseData(data, IDC_BC_SYMBOLOGY, 4));
    Type(PanelOf(data), IDC_DS_DATA, "Code 128");
    options = ShowPage(sheet, kOptionsPage);
    EXPECT_FALSE(Shown(options, IDC_OPT_BEARER_TYPE)) << "only ITF-14 has bearer bars";
    PressOk(sheet);
  }), 1);
  EXPECT_EQ(f->itfBearerFactor, 1);
  EXPECT_EQ(f->symbology, 4);
}

TEST(BarcodePages, RatioChoices) {
  for (const auto& [index, stored] : {std::pair{2, 250}, std::pair{1, 300}, std::pair{0, 200}}) {
    auto f = FieldOf(1, "ABC");
    Edit(*f, [index = index](HWND sheet) {
      HWND data = ShowPage(sheet, kDataPage);
      Choose(data, IDC_BC_RATIO, index);
      PressOk(sheet);
    });
    EXPECT_EQ(f->ratio, stored) << index;
  }
}

TEST(BarcodePages, PosnetHasAFixedHeightAndItsWidestBar) {
  auto f = FieldOf(24, "12345678901");
  f->barHeight = 700;
  Edit(*f, [](HWND sheet) {
    HWND data = ShowPage(sheet, kDataPage);
    EXPECT_FALSE(Enabled(data, IDC_BC_NARROW));
    EXPECT_FALSE(Enabled(data, IDC_BC_HEIGHT));
    EXPECT_EQ(ItemData(data, IDC_BC_NARROW).size(), 7u) << "round(300 x 2.375 / 100)";
    EXPECT_EQ(Selected(data, IDC_BC_NARROW), 6);
    EXPECT_EQ(Text(data, IDC_BC_HEIGHT), "0.125");
    PressOk(sheet);
  });
  EXPECT_EQ(f->barHeight, 125);
  EXPECT_EQ(f->narrowBar, 7);
}

TEST(BarcodePages, ATurnTheListLacksIsKeptUntilOneIsChosen) {
  auto f = FieldOf(4, "ABC");
  f->SetRotation(45000);
  Edit(*f, [](HWND sheet) { PressOk(sheet); });
  EXPECT_EQ(f->rotation, 45000);
  Edit(*f, [](HWND sheet) {
    Choose(ShowPage(sheet, kDataPage), IDC_BC_ROTATION, 1);
    PressOk(sheet);
  });
  EXPECT_EQ(f->rotation, 90000);
}

TEST(BarcodePages, NewFieldsStartOnCode39AndTakeTheirSymbologysNarrowBar) {
  CLabelSetup setup;
  CField* made = nullptr;
  SheetRun run;
  run.script = [](HWND sheet) {
    HWND data = ShowPage(sheet, kDataPage);
    EXPECT_EQ(ItemData(data, IDC_BC_SYMBOLOGY).at(static_cast<size_t>(Selected(data, IDC_BC_SYMBOLOGY))), 1);
    ASSERT_TRUE(ChooseData(data, IDC_BC_SYMBOLOGY, 6));
    Type(PanelOf(data), IDC_DS_DATA, "590123412345");
    PressOk(sheet);
  };
  ASSERT_EQ(RunSheet(setup, &made, 0, run), 1);
  std::unique_ptr<CField> owned(made);
  auto& f = static_cast<CBarcodeField&>(*made);
  EXPECT_EQ(run.caption, "Barcode Setup");
  EXPECT_EQ(f.symbology, 6);
  EXPECT_EQ(f.narrowBar, 4) << "EAN-13 at 300 dpi: 300 / 100 + 1";
  EXPECT_EQ(f.name, AString("Barcode_1"));
  EXPECT_GT(f.width, 0);
}

TEST(BarcodePages, NewHibcFieldsOfferCode39AndCode128) {
  CLabelSetup setup;
  CField* made = nullptr;
  SheetRun run;
  run.script = [](HWND sheet) {
    HWND data = ShowPage(sheet, kDataPage);
    EXPECT_EQ(ItemData(data, IDC_BC_SYMBOLOGY), (std::vector<int>{1, 4}));
    EXPECT_EQ(Selected(data, IDC_BC_SUBTYPE), 1);
    ::SendMessageW(sheet, WM_COMMAND, IDCANCEL, 0);
  };
  EXPECT_EQ(RunSheet(setup, &made, 1, run), 0);
  EXPECT_EQ(made, nullptr) << "Cancel leaves no field";
  EXPECT_EQ(run.caption, "HIBC Barcode Setup");
}

TEST(BarcodePages, RefusedDataKeepsTheSheetOpen) {
  MessageRecorder messages;
  auto f = FieldOf(6, "590123412345");
  const std::vector<uint8_t> before = RecordBytes(*f);
  SheetRun run;
  EXPECT_EQ(Edit(*f, [](HWND sheet) {
    HWND data = ShowPage(sheet, kDataPage);
    Type(PanelOf(data), IDC_DS_DATA, "59012AB");
    PressOk(sheet);
    EXPECT_TRUE(::IsWindow(sheet)) << "the sheet stays";
    ::SendMessageW(sheet, WM_COMMAND, IDCANCEL, 0);
  }, &run), 0);
  EXPECT_EQ(messages.Last(), 50051u);
  EXPECT_EQ(RecordBytes(*f), before) << "Cancel leaves the field as it was";
}

TEST(BarcodePages, RolloverDialog) {
  auto f = FieldOf(4, "1000");
  SheetRun run;
  int step = 0;
  run.nested = [&](HWND window) {
    ++step;
    if (step == 1) {
      // Rollover on, a limit but no reset value: refused, naming "Reset to".
      SetCheck(window, IDC_RO_ROLLOVER, true);
      EXPECT_TRUE(Enabled(window, IDC_RO_RESET));
      Type(window, IDC_RO_LIMIT, "9999");
      Press(window, IDOK);
      EXPECT_TRUE(::IsWindow(window));
      Type(window, IDC_RO_RESET, "1000");
      Press(window, IDOK);
    } else if (step == 2) {
      EXPECT_EQ(run.nestedCaptions.back(), "Error-50064");
      ::EndDialog(window, IDOK);
    }
  };
  Edit(*f, [](HWND sheet) {
    Press(ShowPage(sheet, kDataPage), IDC_BC_ROLLOVER);
    uitest::RunUntilIdle();
    PressOk(sheet);
  }, &run);
  EXPECT_EQ(step, 2);
  EXPECT_EQ(f->rollover, 1);
  EXPECT_EQ(f->rolloverLimit, AString("9999"));
  EXPECT_EQ(f->rolloverResetTo, AString("1000"));

  // Off: OK at once with both edits empty.
  auto g = FieldOf(4, "1000");
  SheetRun second;
  second.nested = [](HWND window) {
    EXPECT_FALSE(Enabled(window, IDC_RO_LIMIT));
    Press(window, IDOK);
  };
  Edit(*g, [](HWND sheet) {
    Press(ShowPage(sheet, kDataPage), IDC_BC_ROLLOVER);
    PressOk(sheet);
  }, &second);
  EXPECT_EQ(second.nestedCaptions.size(), 1u);
  EXPECT_EQ(g->rollover, 0);
}

TEST(BarcodePages, PicturesInEnglishAndChinese) {
  struct Picture {
    const char* name;
    int symbology;
    const char* data;
    int page;
  };
  const Picture pictures[] = {
      {"barcode_data_linear", 4, "Code 128", kDataPage},
      {"barcode_data_pdf417", 27, "PDF 417", kDataPage},
      {"barcode_data_micropdf", 31, "MICRO", kDataPage},
      {"barcode_data_datamatrix", 29, "DM", kDataPage},
      {"barcode_human_readable", 0, "123456", kHumanReadablePage},
      {"barcode_options_itf14", 11, "1234567890123", kOptionsPage},
  };
  for (const int language : {kUiEnglish, kUiChineseSimplified}) {
    LanguageScope scope(language);
    const std::string suffix = language == kUiEnglish ? "_en.png" : "_zh.png";
    for (const Picture& p : pictures) {
      auto f = FieldOf(p.symbology, p.data);
      f->showHr = p.symbology == 0 ? 1 : 0;
      f->textShowsStartStop = 1;
      Edit(*f, [&](HWND sheet) {
        ShowPage(sheet, p.page);
        EXPECT_TRUE(uitest::SaveWindowPng(sheet, PicturePath(std::string(p.name) + suffix)));
        ::SendMessageW(sheet, WM_COMMAND, IDCANCEL, 0);
      });
    }
    auto f = FieldOf(4, "1000");
    f->rollover = 1;
    SheetRun run;
    run.nested = [&](HWND window) {
      EXPECT_TRUE(uitest::SaveWindowPng(window, PicturePath("barcode_rollover" + suffix)));
      ::EndDialog(window, IDCANCEL);
    };
    Edit(*f, [](HWND sheet) {
      Press(ShowPage(sheet, kDataPage), IDC_BC_ROLLOVER);
      ::SendMessageW(sheet, WM_COMMAND, IDCANCEL, 0);
    }, &run);
  }
}

}  // namespace
