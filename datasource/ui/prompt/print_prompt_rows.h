// The prompt list of the print dialog, filled from the layout: a row for
// every field whose data is given when printing (typed, chosen from its
// list, or a long text), one per database table whose records are chosen
// (or whose key value is typed), and one for a MaxiCode message or the
// application identifiers with prompted parts.
#pragma once

#include <memory>
#include <vector>

#include "datasource/ui/prompt/prompt_list.h"
#include "datasource/ui/prompt/print_prompts.h"

// What a row stands for beyond its field.
enum class PromptRowRole {
  kFieldValue,  // the row's text is its field's value for the run
  kStructured,  // its dialog fills the field's parts or the table's records
  kKeyValue,    // the key value of a table's binding
};

class CPrintPromptRows : public CPrintPrompts {
 public:
  int Create(CWnd& dialog, POINT topLeft, int width, UINT id, CLabelSetup& setup, CFieldList& fields) override;
  HWND Window() const override { return list_.m_hWnd; }
  bool TakeValues() override;
  bool ValueOf(const CField& field, AString* value) override;

  CPromptList& List() { return list_; }
  // The row of a field (its first, for a table's row), or null.
  CPromptItem* RowOf(const CField& field);

  // The most rows shown at once; more scroll.
  static constexpr int kRowsShown = 5;

 private:
  struct Row {
    CPromptItem* item;
    PromptRowRole role;
    AString bindingKey;  // database rows
  };
  CPromptList list_;
  CLabelSetup* setup_ = nullptr;
  std::vector<const CField*> layoutFields_;
  std::vector<Row> rows_;
};

std::unique_ptr<CPrintPrompts> MakePrintPromptRows();
