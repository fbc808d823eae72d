// The data-source panel as each data page hosts it (text, paragraph, barcode
// and image): for every source the page offers, and for the Database source
// with "Use Linked Key Value" clear and ticked, no two visible controls of the
// page stand over one another, in English and in Chinese. Pictures of the
// linked-key state of each page.
#include <gtest/gtest.h>

#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "datasource/db_source_lists.h"
#include "datasource/ui/panel/panel_ids.h"
#include "dialogs/barcode/barcode_ids.h"
#include "dialogs/barcode/barcode_runner.h"
#include "dialogs/image/image_ids.h"
#include "dialogs/image/image_sheet.h"
#include "dialogs/paragraph/paragraph_ids.h"
#include "dialogs/paragraph/paragraph_sheet.h"
#include "dialogs/text/text_ids.h"
#include "dialogs/text/text_sheet.h"
#include "document/core/rvo_doc.h"
#include "fields/model/field_kinds.h"
#include "tests/app/dialog_script.h"
#include "tests/dialogs/control_overlaps.h"
#include "tests/dialogs/dialogs_test_support.h"
#include "tests/document/view_session.h"

namespace {

using apptest::DialogScript;
using apptest::LanguageScope;
using namespace dialogstest;

constexpr int kDatabase = static_cast<int>(DataSourceType::kDatabase);

struct HostingPage {
  const char* name;
  int placeholder;  // the panel takes this control's place, with the next id
  std::function<std::unique_ptr<CField>()> make;
  std::function<int(CLabelSetup*, CField**, CFieldList&)> run;
};

const std::vector<HostingPage>& HostingPages() {
  static const std::vector<HostingPage> pages = {
      {"text", IDC_TEXT_PANEL_PLACE, [] { return std::unique_ptr<CField>(new CTextField); },
       [](CLabelSetup* s, CField** f, CFieldList& l) { return RunTextSetupSheet(s, f, l, nullptr); }},
      {"paragraph", IDC_PARA_PANEL_PLACE, [] { return std::unique_ptr<CField>(new CParagraphField); },
       [](CLabelSetup* s, CField** f, CFieldList& l) { return RunParagraphSetupSheet(s, f, l, nullptr); }},
      {"barcode", IDC_BC_SOURCE_PANEL_AREA,
       [] {
         auto field = std::make_unique<CBarcodeField>(300);
         field->symbology = 4;
         field->data = "ABC";
         return std::unique_ptr<CField>(std::move(field));
       },
       [](CLabelSetup* s, CField** f, CFieldList& l) { return RunBarcodeSetupSheet(s, f, 0, l, nullptr); }},
      {"image", IDC_IMG_PANEL_PLACE, [] { return std::unique_ptr<CField>(new CImageField); },
       [](CLabelSetup* s, CField** f, CFieldList& l) { return RunImageSetupSheet(s, f, l, nullptr); }},
  };
  return pages;
}

std::vector<int> ItemData(HWND dialog, int id) {
  std::vector<int> data;
  const LRESULT count = ::SendDlgItemMessageW(dialog, id, CB_GETCOUNT, 0, 0);
  for (LRESULT i = 0; i < count; ++i)
    data.push_back(static_cast<int>(::SendDlgItemMessageW(dialog, id, CB_GETITEMDATA, static_cast<WPARAM>(i), 0)));
  return data;
}

class DataPanelLayout : public ::testing::Test {
 protected:
  void SetUp() override {
    // No source known: choosing Database connects nowhere.
    remembered_ = LikelyUsedDbSources();
    LikelyUsedDbSources().clear();
  }
  void TearDown() override {
    LikelyUsedDbSources() = remembered_;
    CWnd::DeleteTempMap();
  }
  viewtest::ShellApp app;
  MessageRecorder messages;
  CRvoDoc doc;

 private:
  std::vector<NamedValue> remembered_;
};

TEST_F(DataPanelLayout, NoControlsStandOverOneAnotherOnAnyPageOrSource) {
  for (const PictureLanguage& shot : kPictureLanguages) {
    LanguageScope scope(shot.language);
    for (const HostingPage& host : HostingPages()) {
      SCOPED_TRACE(std::string(host.name) + " page, " + shot.suffix);
      std::unique_ptr<CField> field = host.make();
      field->offset = {500, 400};
      int sourcesSeen = 0;
      bool linkedKeySeen = false;
      DialogScript script;
      script.Then([&](HWND sheet) {
        HWND page = CurrentPage(sheet);
        HWND panel = ::GetDlgItem(page, host.placeholder + 1);
        ASSERT_NE(panel, nullptr);
        const std::vector<int> types = ItemData(panel, IDC_DS_TYPE);
        for (size_t i = 0; i < types.size(); ++i) {
          Choose(panel, IDC_DS_TYPE, static_cast<int>(i));
          uitest::RunUntilIdle();
          ++sourcesSeen;
          const std::vector<bool> linkedStates =
              types[i] == kDatabase ? std::vector<bool>{false, true} : std::vector<bool>{false};
          for (const bool linked : linkedStates) {
            if (types[i] == kDatabase) {
              SetCheck(panel, IDC_DS_DB_LINKED_KEY, linked);
              uitest::RunUntilIdle();
              ASSERT_EQ(Shown(panel, IDC_DS_KEY_VALUE_CAPTION), linked);
              linkedKeySeen = linkedKeySeen || linked;
            }
            EXPECT_EQ(OverlappingControls(page), std::vector<std::string>{})
                << "source " << DataSourceName(types[i]) << (linked ? ", linked key ticked" : "");
            if (linked)
              EXPECT_TRUE(uitest::SaveWindowPng(
                  sheet, PicturePath(std::string("data_panel_linked_key_") + host.name + "_" + shot.suffix + ".png")));
          }
        }
        Press(sheet, IDCANCEL);
      });
      CField* edited = field.get();
      host.run(&doc.labelSetup, &edited, doc.fieldList);
      EXPECT_GT(sourcesSeen, 1);
      EXPECT_TRUE(linkedKeySeen) << "every hosting page offers the Database source";
    }
  }
}

}  // namespace
