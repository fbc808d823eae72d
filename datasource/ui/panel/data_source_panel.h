// The data-source panel: the lower half of every field data page (text,
// barcode, paragraph, image). A combo of the source types the field may
// take and, below it, one group of controls per type, of which only the
// chosen type's group shows.
//
// A page hosts it in a placeholder control of its own template:
//   m_panel.CreateInPlaceholder(this, IDC_MY_PLACEHOLDER);
// the panel fills itself from the page's working field when it is made,
// shows another type's group when the user picks one
// (ShowDataSourceSection), and stores the chosen type and its group's
// values into the field when the page is closed with OK
// (ApplyDataSourceSection, which refuses with a message and the focus on
// the control at fault).
#pragma once

#include <functional>

#include "app/ui/skin_dialog.h"
#include "datasource/ui/panel/source_control_map.h"
#include "fields/model/field.h"
#include "fields/services/label_setup.h"

class CDataSourcePanel : public CSkinDialog {
 public:
  // The field is the page's working copy; the label setup (may be null)
  // receives the Database field's binding.
  CDataSourcePanel(DataPageKind page, CField& field, CLabelSetup* setup);
  ~CDataSourcePanel() override;

  // Makes the panel a child of host over the host's control placeholderId
  // (which is hidden); the panel takes the placeholder's place in the Tab
  // order. FALSE when the template or the placeholder is missing.
  BOOL CreateInPlaceholder(CWnd* host, int placeholderId);

  // The type chosen in the type combo (-1 for none).
  int SelectedType() const;
  // Selects type in the combo (when offered) and shows its group filled
  // from the field.
  void SelectDataSourceType(int type);
  // Shows the type's group, filled from the field.
  void ShowDataSourceSection(int type);
  // Stores the chosen type, the data text and the group's values into the
  // field: 1; 0 when a value is refused (a message names it, the focus is
  // on its control, the field may hold some of the values).
  int ApplyDataSourceSection();

  // Called with the control's id after the panel has handled a choice the
  // user made in it (a list selection, a typed list text or a button), so a
  // page that shows something of its own for the chosen file or type can
  // follow.
  void SetChoiceListener(std::function<void(int controlId)> listener) { listener_ = std::move(listener); }

  // Whether the data's symbology takes control characters: the buttons that
  // insert their names are enabled only then (barcode pages).
  void EnableSpecialCharacters(bool on);

  DataPageKind Page() const { return page_; }
  CField& Field() { return field_; }

  BOOL OnInitDialog() override;
  BOOL OnCommand(WPARAM wParam, LPARAM lParam) override;
  // Enter and Esc belong to the hosting page's sheet.
  void OnOK() override {}
  void OnCancel() override {}

 protected:
  void OnTypeChange();
  void OnCounterFileChange();
  void OnListFileChange();
  void OnUseDefaultFolder();
  void OnBrowse();
  void OnStringsBrowse();
  void OnStringsView();
  void OnDbSourceChange();
  void OnDbTableChange();
  void OnLinkedKeyValue();
  void OnAddDbSource();
  void OnShowRecords();
  void OnSpecialChar();
  void OnExpressionSpecialChar();
  DECLARE_MESSAGE_MAP()

 private:
  int GroupOf(int type) const;
  int ApplyTypeValues(int type);
  void ShowDataText();
  int StoreDataText(int type);

  DataPageKind page_;
  CField& field_;
  CLabelSetup* setup_;
  DataSourceControlMap map_;
  bool filled_ = false;
  std::function<void(int)> listener_;
};
