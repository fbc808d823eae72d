// The print dialog's prompt rows made from a layout: which fields get a row
// and of which type, what each row starts with, and what the run reads back
// from them after a person typed or picked: a field's value, a table's key
// value (into its binding), nothing for rows whose dialogs fill the field.
#include <gtest/gtest.h>

#include <fstream>
#include <memory>
#include <string>
#include <tuple>
#include <vector>

#include "../temp_folder.h"
#include "datasource/choose_list.h"
#include "datasource/data_folders.h"
#include "datasource/db_bindings.h"
#include "datasource/ui/prompt/print_prompt_rows.h"
#include "fields/model/field_kinds.h"
#include "panel_test_support.h"

namespace {

constexpr int16_t kPrompt = 2, kChooseList = 3, kDatabase = 8;
constexpr int kQuantityEdit = 1238;

std::string Utf8(const AString& text) {
  if (!text.IsWide()) return std::string(text.GetData(), static_cast<size_t>(text.GetLength()));
  return dsui_test::ToUtf8(
      std::u16string(reinterpret_cast<const char16_t*>(text.GetData()), static_cast<size_t>(text.GetLength() / 2)));
}

// A framework window standing for the print dialog, with its quantity edit
// and Close button beside the list.
struct HostWindow : CWnd {
  HostWindow() {
    CreateEx(0, nullptr, "Print", WS_POPUP | WS_VISIBLE | WS_CAPTION, 40, 40, 480, 260, nullptr, nullptr);
    for (const auto& [id, text, x] : {std::tuple{kQuantityEdit, u"1", 8}, std::tuple{IDCANCEL, u"Close", 380}}) {
      ::CreateWindowExW(0, id == IDCANCEL ? u"Button" : u"Edit", text, WS_CHILD | WS_VISIBLE | WS_TABSTOP, x, 200, 80,
                        22, m_hWnd, reinterpret_cast<HMENU>(static_cast<INT_PTR>(id)), nullptr, nullptr);
    }
  }
};

template <class Field>
Field* Add(CFieldList& fields, const char* name, int16_t source) {
  auto owned = std::make_unique<Field>();
  Field* f = owned.get();
  f->name = name;
  f->dataSourceType = source;
  fields.push_back(std::move(owned));
  return f;
}

CBarcodeField* AddBarcode(CFieldList& fields, const char* name, int16_t symbology, int16_t source) {
  CBarcodeField* f = Add<CBarcodeField>(fields, name, source);
  f->symbology = symbology;
  return f;
}

class PrintPromptRowsTest : public ::testing::Test {
 protected:
  void SetUp() override {
    SetDataFolder(DataFolder::kChooseLists, AString(folder_.path().c_str()));
    AArray<AString> items;
    items.Add(AString("red"));
    items.Add(AString("green"));
    const AString bytes = ChooseListBytes(items);
    std::string disk;
    for (int i = 0; i < bytes.GetLength(); ++i) {
      if (bytes.GetData()[i] == '\n') disk += '\r';
      disk += bytes.GetData()[i];
    }
    std::ofstream(folder_.File("colours.chl"), std::ios::binary) << disk;

    Add<CTextField>(fields_, "Fixed", 0)->data = "stays";
    name_ = Add<CTextField>(fields_, "Name", kPrompt);
    name_->prompt = "Your name";
    name_->data = "Ann";
    name_->maxChars = 8;
    Add<CParagraphField>(fields_, "Address", kPrompt)->data = "1 Main St";
    AddBarcode(fields_, "Link", 33, kPrompt)->data = "https://example.org";
    colour_ = AddBarcode(fields_, "Colour", 4, kChooseList);
    colour_->listFile = "colours.chl";
    colour_->data = "green";
    Add<CImageField>(fields_, "Photo", kPrompt)->fileName = "face.png";
    Add<CRtfField>(fields_, "Notes", kPrompt);
    for (const char* name : {"Part code", "Part name"}) {
      CTextField* part = Add<CTextField>(fields_, name, kDatabase);
      part->dbSource = "stock";
      part->dbTable = "parts";
    }
    CTextField* keyed = Add<CTextField>(fields_, "Shelf", kDatabase);
    keyed->dbSource = "stock";
    keyed->dbTable = "shelves";
    CDbBinding parts;
    parts.keyColumn = "code";
    parts.SetSelection({SelRecord(3, 2), SelRecord(7, 1)});
    setup_.dbBindings.SetAt(MakeDbBindingKey("stock", "parts"), parts);
    CDbBinding shelves;
    shelves.keyColumn = "shelf";
    shelves.useLinkedKeyValue = 1;
    shelves.keyValueText = "S1";
    setup_.dbBindings.SetAt(MakeDbBindingKey("stock", "shelves"), shelves);
    CBarcodeField* maxi = AddBarcode(fields_, "Parcel", 28, 0);
    maxi->upsSource[3] = kPrompt;
    CBarcodeField* gs1 = AddBarcode(fields_, "Lot", 20, 0);
    gs1->aiCode[0] = "10";
    gs1->aiSource[0] = kPrompt;
    AddBarcode(fields_, "Fixed parts", 20, 0)->aiCode[0] = "10";
  }
  void TearDown() override { CWnd::DeleteTempMap(); }

  // The rows made for the layout in the host, as the print dialog makes them.
  CPromptList& MakeRows() {
    EXPECT_EQ(rows_.Create(host_, POINT{8, 8}, 460, 1249, setup_, fields_), 9);
    return rows_.List();
  }

  TempFolder folder_;
  CFieldList fields_;
  CLabelSetup setup_;
  CTextField* name_ = nullptr;
  CBarcodeField* colour_ = nullptr;
  apptest::LanguageScope english_{kUiEnglish};
  HostWindow host_;
  CPrintPromptRows rows_;
};

TEST_F(PrintPromptRowsTest, EachFieldGivenWhenPrintingHasItsRow) {
  CPromptList& list = MakeRows();
  EXPECT_EQ(list.m_rowsPerView, CPrintPromptRows::kRowsShown) << "five rows show, the others scroll";
  struct Expected {
    const char* caption;
    PromptRowType type;
    const char* text;
  };
  const Expected expected[] = {
      {"Your name", PromptRowType::kText, "Ann"},  // the prompt text, else the name
      {"Address", PromptRowType::kLongText, "1 Main St"},
      {"Link", PromptRowType::kLongText, "https://example.org"},  // a 2-D symbol takes long text
      {"Colour", PromptRowType::kChoice, "green"},                // the field's own item first
      {"Photo", PromptRowType::kText, "face.png"},
      {"parts", PromptRowType::kRecords, "Records:2,Qty:3"},  // one row for both fields of the table
      {"shelves: shelf", PromptRowType::kText, "S1"},         // its key value is typed
      {"Parcel", PromptRowType::kMaxiCode, ""},
      {"Lot", PromptRowType::kAi, ""},
  };
  ASSERT_EQ(list.RowCount(), static_cast<int>(std::size(expected)));
  for (int i = 0; i < static_cast<int>(std::size(expected)); ++i) {
    SCOPED_TRACE(expected[i].caption);
    CPromptItem& row = *list.Item(i);
    EXPECT_EQ(Utf8(row.m_caption), expected[i].caption);
    EXPECT_EQ(row.m_type, expected[i].type);
    EXPECT_EQ(Utf8(row.GetText()), expected[i].text);
    EXPECT_EQ(row.m_labelSetup, &setup_);
  }
  EXPECT_EQ(dsui_test::ComboItems(list.m_hWnd, 712 + 3), (std::vector<std::string>{"green", "red"}));
  // The record row stands for the table's first field; the rich text and
  // the fixed fields have none.
  EXPECT_EQ(list.Item(5)->m_field, fields_[7].get());
  EXPECT_EQ(rows_.RowOf(*fields_[6]), nullptr);
  EXPECT_EQ(rows_.RowOf(*fields_[0]), nullptr);
  EXPECT_EQ(rows_.RowOf(*fields_.back()), nullptr) << "identifiers given at design time ask nothing";
  EXPECT_EQ(list.m_after, ::GetDlgItem(host_.m_hWnd, kQuantityEdit));
  EXPECT_EQ(list.m_before, ::GetDlgItem(host_.m_hWnd, IDCANCEL));
  uitest::RunUntilIdle();
  uitest::SaveWindowPng(host_.m_hWnd, dsui_test::PicturePath("print_prompt_rows_en.png"));
}

TEST_F(PrintPromptRowsTest, TypedAndPickedValuesAreWhatTheRunReads) {
  CPromptList& list = MakeRows();
  // Typed into the name row, which keeps to the field's length.
  list.MakeCurrent(0, true);
  ::SendMessageW(::GetFocus(), EM_SETSEL, 0, -1);
  uitest::TypeText(std::string_view("Lee Jones-Miller"));
  uitest::RunUntilIdle();
  AString value;
  ASSERT_TRUE(rows_.ValueOf(*name_, &value));
  EXPECT_EQ(Utf8(value), "Lee Jone");
  EXPECT_TRUE(value.IsWide());
  // Picked in the colour row.
  list.MakeCurrent(3, true);
  ::SendMessageW(list.Item(3)->Combo(), CB_SETCURSEL, 1, 0);
  ASSERT_TRUE(rows_.ValueOf(*colour_, &value));
  EXPECT_EQ(Utf8(value), "red");
  // The shelf's key value goes to its binding, as narrow text for the query.
  list.MakeCurrent(6, true);
  ::SendMessageW(::GetFocus(), EM_SETSEL, 0, -1);
  uitest::TypeText(std::string_view("S9"));
  uitest::RunUntilIdle();
  EXPECT_TRUE(rows_.TakeValues());
  CDbBinding shelves;
  ASSERT_EQ(FindDbBinding(setup_.dbBindings, "stock", "shelves", &shelves), 1);
  EXPECT_EQ(Utf8(shelves.keyValueText), "S9");
  EXPECT_FALSE(shelves.keyValueText.IsWide());
  EXPECT_FALSE(rows_.ValueOf(*fields_[9], &value)) << "the shelf's field reads its record";
  // Rows whose dialogs fill the field, and fields without rows, give no value.
  EXPECT_FALSE(rows_.ValueOf(*fields_[7], &value));
  EXPECT_FALSE(rows_.ValueOf(*fields_[0], &value));
  // The layout's fields are not touched.
  EXPECT_STREQ(name_->data.GetData(), "Ann");
  EXPECT_STREQ(colour_->data.GetData(), "green");
}

TEST_F(PrintPromptRowsTest, ALayoutThatAsksNothingMakesNoList) {
  CFieldList fixed;
  Add<CTextField>(fixed, "Fixed", 0)->data = "stays";
  HostWindow host;
  CPrintPromptRows rows;
  EXPECT_EQ(rows.Create(host, POINT{8, 8}, 460, 1249, setup_, fixed), 0);
  EXPECT_EQ(rows.Window(), nullptr);
}

}  // namespace
