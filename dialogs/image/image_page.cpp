#include "dialogs/image/image_page.h"

#include <cmath>
#include <cstdio>
#include <cstdlib>

#include "app/ui/my_prop_sheet.h"
#include "app/ui/ui_language.h"
#include "datasource/ui/panel/panel_ids.h"
#include "datasource/ui/panel/panel_sections.h"
#include "datasource/ui/panel/panel_text.h"
#include "dialogs/image/image_ids.h"
#include "dialogs/setup/rotation_list.h"
#include "platform/gdi/gdi_owners.h"
#include "fields/model/field_kind.h"

namespace {

constexpr ComboChoice kResizeChoices[] = {
    {"Keep Aspect Ratio", kPictureKeepAspect}, {"Any Aspect Ratio", kPictureAnyAspect}, {"Original Size", kPictureOriginalSize}};
constexpr ComboChoice kMirrorChoices[] = {
    {"None", 0}, {"Horizontal", 1}, {"Vertical", 2}, {"Horizontal and Vertical", 3}};
constexpr int kChoiceIds[] = {IDC_IMG_RESIZE, IDC_IMG_MIRROR};

constexpr int kFixed = ToShort(DataSourceType::kFixedData);
constexpr int kLinkFile = ToShort(DataSourceType::kLinkToFile);
constexpr int kOnShift = ToShort(DataSourceType::kOnShift);

void ShowItem(HWND dialog, int id, bool shown) {
  if (HWND item = ::GetDlgItem(dialog, id)) ::ShowWindow(item, shown ? SW_SHOWNA : SW_HIDE);
}

}  // namespace

std::string PictureInfoText(const PLBmp* picture) {
  if (!picture) return {};
  char line[96];
  std::snprintf(line, sizeof line, " %d x %d pixel\r\n", picture->GetWidth(), picture->GetHeight());
  std::string text = line;
  const int depth = picture->GetFileBitsPerPixel();
  if (depth > 0 && depth < 31) {
    std::snprintf(line, sizeof line, " %ld colors(%d bit)\r\n", 1L << depth, depth);
    text += line;
  } else if (depth >= 31) {
    std::snprintf(line, sizeof line, " %.0f colors(%d bit)\r\n", std::ldexp(1.0, depth), depth);
    text += line;
  }
  if (picture->GetFileSize() > 0) {
    std::snprintf(line, sizeof line, " %s size: %.2f kb", "File", picture->GetFileSize() / 1024.0);
    text += line;
  }
  return text;
}

int32_t WholeDegreesFromText(const std::string& text) {
  const double degrees = std::strtod(text.c_str(), nullptr);
  if (!std::isfinite(degrees) || std::fabs(degrees) > 1e6) return 0;
  return NormalizeRotation(static_cast<int64_t>(std::trunc(degrees)) * 1000);
}

bool ShowsPictureFile(int type) { return type == kFixed || type == kLinkFile || type == kOnShift; }

HBRUSH PaintInfoBox(HDC dc) {
  constexpr COLORREF kInfoBack = 0xFFE9E9;
  static const UniqueBrush back(::CreateSolidBrush(kInfoBack));
  ::SetBkColor(dc, kInfoBack);
  return back.get();
}

BEGIN_MESSAGE_MAP(CImagePage, CFieldSheetPage)
  ON_CBN_SELCHANGE(IDC_IMG_ROTATION, OnRotationChosen)
  ON_CBN_EDITCHANGE(IDC_IMG_ROTATION, OnRotationTyped)
  ON_CBN_SELCHANGE(IDC_IMG_MIRROR, OnMirror)
  ON_WM_CTLCOLOR()
END_MESSAGE_MAP()

CImagePage::CImagePage() : CFieldSheetPage(IDD_IMAGE_PAGE) {}

CImagePage::~CImagePage() = default;

CImageField* CImagePage::Field() const { return dynamic_cast<CImageField*>(m_context.field); }

void CImagePage::DoDataExchange(CDataExchange* dx) {
  CFieldSheetPage::DoDataExchange(dx);
  DDX_Control(dx, IDC_IMG_PREVIEW, m_preview);
}

BOOL CImagePage::OnInitDialog() {
  CFieldSheetPage::OnInitDialog();
  CImageField* field = Field();
  if (!field) return TRUE;
  m_initialising = true;
  m_previewLoaded = false;
  m_panel = std::make_unique<CDataSourcePanel>(DataPageKind::kImage, *field, m_context.setup);
  if (m_panel->CreateInPlaceholder(this, IDC_IMG_PANEL_PLACE))
    m_panel->SetChoiceListener([this](int id) { OnPanelChoice(id); });
  m_rotationShown = FillRotationList(::GetDlgItem(m_hWnd, IDC_IMG_ROTATION), m_context.isNew ? 0 : field->rotation);
  m_rotationText = m_rotationShown;
  FillChoiceCombo(m_hWnd, IDC_IMG_RESIZE, kResizeChoices, field->pictureMode);
  FillChoiceCombo(m_hWnd, IDC_IMG_MIRROR, kMirrorChoices, field->picture.mirror);
  m_shown.RememberAll(m_hWnd, kChoiceIds);
  ArrangeForType();
  m_initialising = false;
  return TRUE;
}

int CImagePage::ChosenType() const {
  const int type = m_panel && m_panel->m_hWnd ? m_panel->SelectedType() : -1;
  if (type >= 0) return type;
  return m_context.field ? m_context.field->dataSourceType : -1;
}

std::string CImagePage::InfoText() const { return CControlSnapshot::Text(m_hWnd, IDC_IMG_INFO); }

void CImagePage::OnPanelChoice(int controlId) {
  if (controlId == IDC_DS_TYPE) ArrangeForType();
  if (controlId == IDC_DS_TYPE || controlId == IDC_DS_PATH || controlId == IDC_DS_FOLDER_FILE ||
      controlId == IDC_DS_BROWSE || controlId == IDC_DS_USE_DEFAULT_FOLDER)
    RefreshPreview();
}

// The preview and its note belong to the sources that name a picture file.
void CImagePage::ArrangeForType() {
  const bool file = ShowsPictureFile(ChosenType());
  ShowItem(m_hWnd, IDC_IMG_PREVIEW, file);
  ShowItem(m_hWnd, IDC_IMG_INFO, file);
}

int32_t CImagePage::ShownRotation() const {
  const CImageField* field = Field();
  if (m_rotationText == m_rotationShown) return field ? field->rotation : 0;
  return WholeDegreesFromText(m_rotationText);
}

void CImagePage::RefreshPreview() {
  CImageField* field = Field();
  if (!field || !m_panel || !m_panel->m_hWnd || m_initialising || !ShowsPictureFile(ChosenType())) return;
  const HWND panel = m_panel->m_hWnd;
  const bool useFolder = ::IsDlgButtonChecked(panel, IDC_DS_USE_DEFAULT_FOLDER) == BST_CHECKED;
  const AString chosen = LinkedFileShown(panel, useFolder);
  if (chosen.IsEmpty()) return;
  // The chosen name is the field's from now on (a name stored wide keeps
  // its bytes while it is the one shown).
  AString stored = field->fileName;
  if (stored.IsWide()) stored.ConvertToMultiByte(UiCodePage());
  if (std::string(stored.GetData()) != chosen.GetData()) field->fileName = chosen;
  field->useFolder = useFolder ? 1 : 0;
  AString path;
  field->GetFilePath(path);
  const CFieldPicture& look = field->picture;
  m_previewLoaded = m_preview.SetImageFile(path.GetData(), look.mirror, ShownRotation(), look.lightness, look.contrast,
                                           look.invert, look.pictureOption, look.ditherMethod) != 0;
  ::SetDlgItemTextA(m_hWnd, IDC_IMG_INFO, m_previewLoaded ? PictureInfoText(m_preview.m_picture.get()).c_str() : "");
}

void CImagePage::OnRotationChosen() {
  const LRESULT index = ::SendDlgItemMessageA(m_hWnd, IDC_IMG_ROTATION, CB_GETCURSEL, 0, 0);
  if (index < 0) return;
  char text[129] = {};
  if (::SendDlgItemMessageA(m_hWnd, IDC_IMG_ROTATION, CB_GETLBTEXTLEN, static_cast<WPARAM>(index), 0) < 128)
    ::SendDlgItemMessageA(m_hWnd, IDC_IMG_ROTATION, CB_GETLBTEXT, static_cast<WPARAM>(index), reinterpret_cast<LPARAM>(text));
  m_rotationText = text;
  RefreshPreview();
}

void CImagePage::OnRotationTyped() {
  m_rotationText = CControlSnapshot::Text(m_hWnd, IDC_IMG_ROTATION);
  RefreshPreview();
}

void CImagePage::OnMirror() {
  if (CImageField* field = Field()) {
    field->picture.mirror = static_cast<uint8_t>(GetComboSelData(m_hWnd, IDC_IMG_MIRROR, field->picture.mirror));
    m_shown.Remember(m_hWnd, IDC_IMG_MIRROR);
  }
  RefreshPreview();
}

HBRUSH CImagePage::OnCtlColor(CDC* dc, CWnd* window, UINT kind) {
  if (window && window->m_hWnd == ::GetDlgItem(m_hWnd, IDC_IMG_INFO)) return PaintInfoBox(dc->m_hDC);
  return CFieldSheetPage::OnCtlColor(dc, window, kind);
}

BOOL CImagePage::OnSetActive() {
  RefreshPreview();
  return CFieldSheetPage::OnSetActive();
}

bool CImagePage::PictureMissing() {
  if (!ShowsPictureFile(ChosenType()) || m_previewLoaded) return false;
  const HWND panel = m_panel->m_hWnd;
  const bool useFolder = ::IsDlgButtonChecked(panel, IDC_DS_USE_DEFAULT_FOLDER) == BST_CHECKED;
  ::SetFocus(::GetDlgItem(panel, useFolder ? IDC_DS_FOLDER_FILE : IDC_DS_PATH));
  return true;
}

BOOL CImagePage::OnKillActive() {
  CImageField* field = Field();
  if (!m_hWnd || !field) return TRUE;
  if (m_rotationText != m_rotationShown) {
    field->SetRotation(WholeDegreesFromText(m_rotationText));
    m_rotationShown = m_rotationText;
  }
  if (m_shown.Changed(m_hWnd, IDC_IMG_RESIZE))
    field->pictureMode = static_cast<uint8_t>(GetComboSelData(m_hWnd, IDC_IMG_RESIZE, field->pictureMode));
  m_shown.RememberAll(m_hWnd, kChoiceIds);
  auto* sheet = dynamic_cast<CMyPropSheet*>(GetSheet());
  if (m_panel && m_panel->m_hWnd && sheet && sheet->ClosingWithOk()) {
    if (PictureMissing()) return FALSE;
    if (!m_panel->ApplyDataSourceSection()) return FALSE;
  }
  return CFieldSheetPage::OnKillActive();
}
