#include "datasource/ui/prompt/print_prompt_rows.h"

#include <algorithm>
#include <string>

#include "barcode/kalvo.h"
#include "datasource/choose_list.h"
#include "datasource/data_folders.h"
#include "datasource/db_bindings.h"
#include "datasource/ui/prompt/prompt_actions.h"
#include "fields/model/field_data.h"
#include "fields/model/field_kinds.h"
#include "platform/nls/nls_text.h"

namespace {

constexpr int kQuantityEdit = 1238;
constexpr int kUtf16 = 1200;
constexpr int kMaxiCode = 28;
constexpr int kAiSymbology = 20;
constexpr int kPromptedParts = 2;  // the part-source bit of a prompted part

int16_t Source(DataSourceType type) { return static_cast<int16_t>(type); }

// What the caption shows: the prompt text of the field's data page, else
// its name.
AString CaptionOf(const CField& field) { return field.prompt.IsEmpty() ? field.name : field.prompt; }

// The code page the row shows the field's text in: UTF-16 for wide data,
// else the field's data language, else the system's.
int CodePageOf(const CField& field, const CLabelSetup& setup) {
  AString data;
  GetFieldData(data, field);
  if (data.IsWide()) return kUtf16;
  const int codePage = GetFieldDataCodePage(field, &setup);
  return codePage > 0 ? codePage : -1;
}

int MaxLengthOf(const CField& field) {
  return field.IsKind(FieldKind::kText) || field.IsKind(FieldKind::kBarcode) ? field.maxChars : 0;
}

bool IsTwoDimensional(const CField& field) {
  if (!field.IsKind(FieldKind::kBarcode)) return false;
  const auto& barcode = static_cast<const CBarcodeField&>(field);
  return Is2DBCode(barcode.symbology, barcode.subType) != 0;
}

bool HasPromptedParts(const CField& field, int symbology, int sources) {
  return field.IsKind(FieldKind::kBarcode) && static_cast<const CBarcodeField&>(field).symbology == symbology &&
         sources > 0 && (sources & kPromptedParts) != 0;
}

}  // namespace

int CPrintPromptRows::Create(CWnd& dialog, POINT topLeft, int width, UINT id, CLabelSetup& setup,
                             CFieldList& fields) {
  setup_ = &setup;
  layoutFields_.clear();
  for (const auto& f : fields) layoutFields_.push_back(f.get());

  // The rows to make, in the layout's order.
  struct Planned {
    CField* field;
    PromptRowType type;
    PromptRowRole role;
    AString caption, text, bindingKey;
    int codePage = -1;
    int maxLength = 0;
    std::vector<AString> choices;
  };
  std::vector<Planned> planned;
  std::vector<AString> tables;
  for (const auto& owned : fields) {
    CField& f = *owned;
    const int16_t source = f.dataSourceType;
    AString data;
    GetFieldData(data, f);
    if (source == Source(DataSourceType::kPromptBeforePrint)) {
      if (f.IsKind(FieldKind::kRtf)) continue;  // rich text is not typed into a row
      const bool longText = f.IsKind(FieldKind::kParagraph) || IsTwoDimensional(f);
      planned.push_back({&f, longText ? PromptRowType::kLongText : PromptRowType::kText, PromptRowRole::kFieldValue,
                         CaptionOf(f), data, {}, CodePageOf(f, setup), MaxLengthOf(f), {}});
    } else if (source == Source(DataSourceType::kChooseFromList)) {
      AArray<AString> items;
      ReadChooseListFile(DataFilePath(DataFolder::kChooseLists, f.listFile).GetData(), &items);
      std::vector<AString> choices;
      for (int i = 0; i < items.GetSize(); ++i) choices.push_back(items[i]);
      // The field's own value first when the list holds it.
      const auto held = std::find_if(choices.begin(), choices.end(), [&](const AString& c) { return c == data; });
      if (held != choices.end()) std::rotate(choices.begin(), held, held + 1);
      planned.push_back({&f, PromptRowType::kChoice, PromptRowRole::kFieldValue, CaptionOf(f), data, {},
                         CodePageOf(f, setup), 0, choices});
    } else if (source == Source(DataSourceType::kDatabase)) {
      // One row per table; fields of one table share it.
      const AString key = MakeDbBindingKey(f.dbSource, f.dbTable);
      if (std::find(tables.begin(), tables.end(), key) != tables.end()) continue;
      tables.push_back(key);
      // A table without a binding yet gets one when its records are chosen.
      CDbBinding binding;
      FindDbBinding(setup.dbBindings, f.dbSource, f.dbTable, &binding);
      if (binding.useLinkedKeyValue) {
        AString caption = f.dbTable;
        caption += ": ";
        caption += binding.keyColumn;
        planned.push_back({&f, PromptRowType::kText, PromptRowRole::kKeyValue, caption, binding.keyValueText, key,
                           binding.keyValueText.IsWide() ? kUtf16 : -1, 0, {}});
      } else {
        planned.push_back({&f, PromptRowType::kRecords, PromptRowRole::kStructured, f.dbTable,
                           FormatRecordsQty(binding.selectedCount, binding.totalQuantity), key, -1, 0, {}});
      }
    } else if (HasPromptedParts(f, kMaxiCode, GetMaxiCodePartSources(f, 0))) {
      planned.push_back({&f, PromptRowType::kMaxiCode, PromptRowRole::kStructured, CaptionOf(f), {}, {}, -1, 0, {}});
    } else if (HasPromptedParts(f, kAiSymbology, GetAiPartSources(f, 0))) {
      planned.push_back({&f, PromptRowType::kAi, PromptRowRole::kStructured, CaptionOf(f), {}, {}, -1, 0, {}});
    }
  }
  if (planned.empty()) return 0;

  const int shown = std::min<int>(static_cast<int>(planned.size()), kRowsShown);
  list_.m_itemHeight = std::max<int>(::GetSystemMetrics(SM_CYCAPTION), CPromptList::kMinItemHeight);
  const RECT place{topLeft.x, topLeft.y, topLeft.x + width, topLeft.y + shown * list_.m_itemHeight + 4};
  if (!list_.Create(place, &dialog, id)) return 0;
  list_.m_onButton = &RunPromptRowAction;
  list_.m_after = ::GetDlgItem(dialog.m_hWnd, kQuantityEdit);
  list_.m_before = ::GetDlgItem(dialog.m_hWnd, IDCANCEL);
  for (Planned& p : planned) {
    auto* item = new CPromptItem;
    list_.AddItem(item);
    item->Init(p.caption, p.text, p.codePage, 0, p.type, "", 1024, &list_, p.choices, p.maxLength, false, false);
    item->m_labelSetup = &setup;
    item->m_field = p.field;
    item->m_fieldList = &layoutFields_;
    rows_.push_back({item, p.role, p.bindingKey});
  }
  return static_cast<int>(rows_.size());
}

CPromptItem* CPrintPromptRows::RowOf(const CField& field) {
  for (const Row& row : rows_)
    if (row.item->m_field == &field) return row.item;
  return nullptr;
}

bool CPrintPromptRows::TakeValues() {
  for (Row& row : rows_) {
    if (row.role != PromptRowRole::kKeyValue || !setup_) continue;
    CDbBinding* binding = setup_->dbBindings.LookupPtr(row.bindingKey);
    if (!binding) continue;
    // The key value is a parameter of the job's query: narrow text.
    AString value = row.item->GetText();
    if (value.IsWide()) {
      const std::u16string units(reinterpret_cast<const char16_t*>(value.GetData()),
                                 static_cast<size_t>(value.GetLength() / 2));
      const std::string bytes = nls::FromUtf16(CP_UTF8, units);
      value = AString(static_cast<int>(bytes.size()), bytes.data());
    }
    binding->keyValueText = value;
  }
  return true;
}

bool CPrintPromptRows::ValueOf(const CField& field, AString* value) {
  for (const Row& row : rows_) {
    if (row.role != PromptRowRole::kFieldValue || row.item->m_field != &field) continue;
    *value = row.item->GetText();
    return true;
  }
  return false;
}

std::unique_ptr<CPrintPrompts> MakePrintPromptRows() { return std::make_unique<CPrintPromptRows>(); }
