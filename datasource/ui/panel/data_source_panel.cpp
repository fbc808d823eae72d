#include "datasource/ui/panel/data_source_panel.h"

#include "app/ui/msg_box.h"
#include "app/ui/ui_language.h"
#include "datasource/field_sources.h"
#include "datasource/ui/files/text_files_dlg.h"
#include "datasource/ui/panel/control_char_insert.h"
#include "datasource/ui/panel/control_char_names.h"
#include "datasource/ui/panel/panel_ids.h"
#include "datasource/ui/panel/panel_sections.h"
#include "datasource/ui/panel/panel_text.h"
#include "fields/model/field_data.h"
#include "fields/model/field_kinds.h"

namespace {

constexpr int16_t kFixed = ToShort(DataSourceType::kFixedData);
constexpr int16_t kLinkFile = ToShort(DataSourceType::kLinkToFile);
constexpr int16_t kPrompt = ToShort(DataSourceType::kPromptBeforePrint);
constexpr int16_t kChooseList = ToShort(DataSourceType::kChooseFromList);
constexpr int16_t kCounter = ToShort(DataSourceType::kCounterFile);
constexpr int16_t kDate = ToShort(DataSourceType::kDate);
constexpr int16_t kTime = ToShort(DataSourceType::kTime);
constexpr int16_t kLinkExpression = ToShort(DataSourceType::kLinkExpression);
constexpr int16_t kDatabase = ToShort(DataSourceType::kDatabase);
constexpr int16_t kStrings = ToShort(DataSourceType::kStringsInFile);

// Text and paragraph fields keep typed data as UTF-16; a barcode's data is
// narrow, its control characters typed as their bracketed names.
bool KeepsWideData(const CField& field, int type) {
  const bool textKind = field.IsKind(FieldKind::kText) || field.IsKind(FieldKind::kParagraph);
  return textKind && (type == kFixed || type == kLinkExpression || type == kPrompt);
}

}  // namespace

BEGIN_MESSAGE_MAP(CDataSourcePanel, CSkinDialog)
  ON_CBN_SELCHANGE(IDC_DS_TYPE, OnTypeChange)
  ON_CBN_SELCHANGE(IDC_DS_COUNTER_FILE, OnCounterFileChange)
  ON_CBN_SELCHANGE(IDC_DS_LIST_FILE, OnListFileChange)
  ON_BN_CLICKED(IDC_DS_USE_DEFAULT_FOLDER, OnUseDefaultFolder)
  ON_BN_CLICKED(IDC_DS_BROWSE, OnBrowse)
  ON_BN_CLICKED(IDC_DS_STRINGS_BROWSE, OnStringsBrowse)
  ON_BN_CLICKED(IDC_DS_STRINGS_VIEW, OnStringsView)
  ON_CBN_SELCHANGE(IDC_DS_DB_SOURCE, OnDbSourceChange)
  ON_CBN_SELCHANGE(IDC_DS_DB_TABLE, OnDbTableChange)
  ON_BN_CLICKED(IDC_DS_DB_LINKED_KEY, OnLinkedKeyValue)
  ON_BN_CLICKED(IDC_DS_DB_ADD_SOURCE, OnAddDbSource)
  ON_BN_CLICKED(IDC_DS_RECORDS, OnShowRecords)
  ON_BN_CLICKED(IDC_DS_SPECIAL_CHAR, OnSpecialChar)
  ON_BN_CLICKED(IDC_DS_EXPRESSION_SPECIAL_CHAR, OnExpressionSpecialChar)
END_MESSAGE_MAP()

CDataSourcePanel::CDataSourcePanel(DataPageKind page, CField& field, CLabelSetup* setup)
    : CSkinDialog(IDD_DATA_SOURCE_PANEL, nullptr), page_(page), field_(field), setup_(setup) {}

CDataSourcePanel::~CDataSourcePanel() = default;

BOOL CDataSourcePanel::CreateInPlaceholder(CWnd* host, int placeholderId) {
  if (!host || !host->m_hWnd) return FALSE;
  HWND placeholder = ::GetDlgItem(host->m_hWnd, placeholderId);
  if (!placeholder) return FALSE;
  if (!Create(IDD_DATA_SOURCE_PANEL, host)) return FALSE;
  RECT place{};
  ::GetWindowRect(placeholder, &place);
  ::MapWindowPoints(nullptr, host->m_hWnd, reinterpret_cast<POINT*>(&place), 2);
  // In the placeholder's place, and after it in the host's Tab order.
  ::SetWindowPos(m_hWnd, placeholder, place.left, place.top, 0, 0, SWP_NOSIZE | SWP_NOACTIVATE);
  ::SetWindowLongPtrW(m_hWnd, GWLP_ID, placeholderId + 1);
  ::ShowWindow(placeholder, SW_HIDE);
  ::EnableWindow(placeholder, FALSE);
  ::ShowWindow(m_hWnd, SW_SHOWNA);
  return TRUE;
}

BOOL CDataSourcePanel::OnInitDialog() {
  CSkinDialog::OnInitDialog();
  // The types the field may take, in the lists' order.
  HWND combo = ::GetDlgItem(m_hWnd, IDC_DS_TYPE);
  ::SendMessageW(combo, CB_RESETCONTENT, 0, 0);
  for (const int16_t* type = DataSourceListOrder(); *type >= 0; ++type) {
    // A picture kept with the layout is no source a user can choose, but a
    // field that names its picture so keeps it.
    const bool embeddedPicture = page_ == DataPageKind::kImage && *type == kFixed && field_.dataSourceType == kFixed &&
                                 !static_cast<const CImageField&>(field_).fileName.IsEmpty();
    if (embeddedPicture) AddComboText(m_hWnd, IDC_DS_TYPE, TranslateUiString("Image Embeded in Label"), *type);
    else if (IsDataSourceAllowed(*type, field_))
      AddComboText(m_hWnd, IDC_DS_TYPE, TranslateUiString(DataSourceName(*type)), *type);
  }
  BuildDataSourceControlMap(DataPageControlTable(page_), &map_);
  // Controls that no row of this page names belong to other pages' kinds.
  for (HWND child = ::GetWindow(m_hWnd, GW_CHILD); child; child = ::GetWindow(child, GW_HWNDNEXT)) {
    const int id = ::GetDlgCtrlID(child);
    if (id != IDC_DS_TYPE && id != IDC_DS_TYPE_CAPTION && !map_.contains(id)) ::ShowWindow(child, SW_HIDE);
  }
  ShowDataSourceControls(m_hWnd, -1, true, DataPageControlTable(page_), map_);
  SelectDataSourceType(field_.dataSourceType);
  if (field_.dataSourceType != kLinkExpression) ShowDataText();
  filled_ = true;
  return TRUE;
}

BOOL CDataSourcePanel::OnCommand(WPARAM wParam, LPARAM lParam) {
  const BOOL handled = CSkinDialog::OnCommand(wParam, lParam);
  const UINT code = HIWORD(wParam);
  if (listener_ && lParam && (code == CBN_SELCHANGE || code == CBN_EDITCHANGE || code == BN_CLICKED))
    listener_(LOWORD(wParam));
  return handled;
}

int CDataSourcePanel::SelectedType() const {
  return static_cast<int>(GetComboSelData(m_hWnd, IDC_DS_TYPE, -1));
}

void CDataSourcePanel::SelectDataSourceType(int type) {
  HWND combo = ::GetDlgItem(m_hWnd, IDC_DS_TYPE);
  const auto count = static_cast<int>(::SendMessageW(combo, CB_GETCOUNT, 0, 0));
  int index = 0;
  for (int i = 0; i < count; ++i)
    if (::SendMessageW(combo, CB_GETITEMDATA, static_cast<WPARAM>(i), 0) == type) index = i;
  ::SendMessageW(combo, CB_SETCURSEL, static_cast<WPARAM>(index), 0);
  ShowDataSourceSection(SelectedType());
}

void CDataSourcePanel::OnTypeChange() { ShowDataSourceSection(SelectedType()); }

// An image kept in the layout names its picture file as a linked one does.
int CDataSourcePanel::GroupOf(int type) const {
  return page_ == DataPageKind::kImage && type == kFixed ? kLinkFile : type;
}

void CDataSourcePanel::ShowDataSourceSection(int type) {
  ShowDataSourceControls(m_hWnd, type, false, DataPageControlTable(page_), map_);
  // Only a barcode's expression takes control characters by name.
  if (page_ != DataPageKind::kBarcode) ::ShowWindow(::GetDlgItem(m_hWnd, IDC_DS_EXPRESSION_SPECIAL_CHAR), SW_HIDE);
  switch (GroupOf(type)) {
    case kLinkFile: ShowLinkFileFolderControls(m_hWnd, field_, true); break;
    case kPrompt: InitPromptControls(m_hWnd, field_); break;
    case kChooseList: InitChooseListControls(m_hWnd, field_); break;
    case kCounter: InitCounterFileControls(m_hWnd, field_); break;
    case kDate:
    case kTime: InitDateTimeControls(m_hWnd, field_, type); break;
    case kLinkExpression:
      if (!filled_) {
        AString data;
        GetFieldData(data, field_);
        SetItemFieldText(m_hWnd, IDC_DS_EXPRESSION, data);
      }
      break;
    case kDatabase: InitDbSourceControls(m_hWnd, setup_, field_); break;
    case kStrings: InitStringsFileControls(m_hWnd, field_); break;
    default: break;
  }
}

void CDataSourcePanel::ShowDataText() {
  AString data;
  GetFieldData(data, field_);
  if (!data.IsWide()) {
    // Control characters show as their names; a paragraph keeps its lines.
    AString shown;
    EncodeControlCharNames(shown, data, field_.IsKind(FieldKind::kParagraph));
    shown.SetCodePage(data.GetCodePage());
    data = shown;
  }
  SetItemFieldText(m_hWnd, IDC_DS_DATA, data);
}

int CDataSourcePanel::StoreDataText(int type) {
  const int sourceId = type == kLinkExpression ? IDC_DS_EXPRESSION : IDC_DS_DATA;
  if (KeepsWideData(field_, type)) {
    // Typed names of control characters are the characters, wide or narrow.
    AString decoded;
    DecodeControlCharNames(decoded, GetItemWideText(m_hWnd, sourceId));
    SetFieldData(field_, decoded);
    return 1;
  }
  const int codePage = GetFieldDataCodePage(field_, nullptr);
  AString narrow = GetItemNarrowText(m_hWnd, sourceId, codePage > 0 ? codePage : UiCodePage());
  AString decoded;
  DecodeControlCharNames(decoded, narrow);
  decoded.SetCodePage(narrow.GetCodePage());
  SetFieldData(field_, decoded);
  return 1;
}

int CDataSourcePanel::ApplyDataSourceSection() {
  const int type = SelectedType();
  if (type < 0) return 0;
  if (GroupOf(type) == kFixed) {
    if (::GetWindowTextLengthW(::GetDlgItem(m_hWnd, IDC_DS_DATA)) == 0) {
      UiMessageBox(this, 50050, kMsgBoxOk, false, TranslateUiString("Data"));
      GotoDlgCtrl(GetDlgItem(IDC_DS_DATA));
      return 0;
    }
    StoreDataText(type);
  }
  if (type == kLinkExpression) StoreDataText(type);
  if (!ApplyTypeValues(type)) return 0;
  field_.SetDataSourceType(static_cast<int16_t>(type), 0);
  return 1;
}

int CDataSourcePanel::ApplyTypeValues(int type) {
  switch (GroupOf(type)) {
    case kLinkFile: return ApplyLinkFileControls(m_hWnd, field_);
    case kPrompt: return ApplyPromptControls(m_hWnd, field_, page_ != DataPageKind::kImage);
    case kChooseList: return ApplyChooseListControls(m_hWnd, field_);
    case kCounter: return ApplyCounterFileControls(m_hWnd, field_);
    case kDate:
    case kTime: return ApplyDateTimeControls(m_hWnd, field_, type);
    case kDatabase: return ApplyDbFieldSelection(m_hWnd, setup_, field_);
    case kStrings: return ApplyStringsFileControls(m_hWnd, field_);
    default: return 1;
  }
}

void CDataSourcePanel::OnCounterFileChange() { ShowCounterFileValue(m_hWnd, field_); }

void CDataSourcePanel::OnListFileChange() { FillChooseListItems(m_hWnd, field_); }

void CDataSourcePanel::OnUseDefaultFolder() { ShowLinkFileFolderControls(m_hWnd, field_, false); }

void CDataSourcePanel::OnBrowse() {
  AString current;
  GetComboSelText(m_hWnd, IDC_DS_PATH, &current);
  BrowseForDataFile(this, "Link To File", IDC_DS_PATH, current);
}

void CDataSourcePanel::OnStringsBrowse() {
  AString current;
  GetComboSelText(m_hWnd, IDC_DS_STRINGS_PATH, &current);
  BrowseForDataFile(this, "Strings In File", IDC_DS_STRINGS_PATH, current);
}

void CDataSourcePanel::OnStringsView() {
  // The file named in the box, typed or chosen, in the text edit dialog.
  AString path;
  if (!GetComboSelText(m_hWnd, IDC_DS_STRINGS_PATH, &path)) path = GetItemNarrowText(m_hWnd, IDC_DS_STRINGS_PATH, UiCodePage());
  if (!path.IsEmpty()) EditDataFileText(path.GetData(), this);
}

void CDataSourcePanel::OnDbSourceChange() { FillDbTableCombo(m_hWnd, setup_, field_); }

void CDataSourcePanel::OnDbTableChange() { FillDbColumnCombo(m_hWnd, setup_, field_); }

void CDataSourcePanel::OnLinkedKeyValue() {
  ShowLinkedKeyControls(m_hWnd, ::IsDlgButtonChecked(m_hWnd, IDC_DS_DB_LINKED_KEY) == BST_CHECKED);
}

void CDataSourcePanel::OnAddDbSource() { AddDbSourceFromDialog(m_hWnd, setup_, field_); }

void CDataSourcePanel::OnShowRecords() { ShowDbRecords(m_hWnd, setup_, field_); }

void CDataSourcePanel::EnableSpecialCharacters(bool on) {
  for (const int id : {IDC_DS_SPECIAL_CHAR, IDC_DS_EXPRESSION_SPECIAL_CHAR}) ::EnableWindow(::GetDlgItem(m_hWnd, id), on);
}

void CDataSourcePanel::OnSpecialChar() { InsertControlCharName(::GetDlgItem(m_hWnd, IDC_DS_DATA), m_hWnd, true); }

void CDataSourcePanel::OnExpressionSpecialChar() {
  InsertControlCharName(::GetDlgItem(m_hWnd, IDC_DS_EXPRESSION), m_hWnd, true);
}
