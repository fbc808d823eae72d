#include "dialogs/image/image_options_page.h"

#include "app/controls/input_helpers.h"
#include "app/ui/my_prop_sheet.h"
#include "datasource/ui/panel/panel_text.h"
#include "dialogs/image/image_ids.h"
#include "dialogs/image/image_page.h"

namespace {

constexpr ComboChoice kDitherChoices[] = {{"Floyd-Steinberg", 0}, {"Bayer", 1}, {"Ordered", 2}, {"Burkes", 3}};
constexpr int kWatchedIds[] = {IDC_IMG_NAME,     IDC_IMG_BLACK_WHITE, IDC_IMG_GRAYSCALE, IDC_IMG_DITHER,
                               IDC_IMG_NEGATIVE, IDC_IMG_BRIGHTNESS,  IDC_IMG_CONTRAST,  IDC_IMG_NO_OUTPUT,
                               IDC_IMG_LOCK};
// What a one-bit picture cannot take.
constexpr int kColourIds[] = {IDC_IMG_GRAYSCALE,  IDC_IMG_BLACK_WHITE, IDC_IMG_BRIGHTNESS,
                              IDC_IMG_BRIGHTNESS_SPIN, IDC_IMG_CONTRAST, IDC_IMG_CONTRAST_SPIN};

void EnableItems(HWND dialog, bool on) {
  for (const int id : kColourIds) ::EnableWindow(::GetDlgItem(dialog, id), on);
}

void ShowItem(HWND dialog, int id, bool shown) {
  if (HWND item = ::GetDlgItem(dialog, id)) ::ShowWindow(item, shown ? SW_SHOWNA : SW_HIDE);
}

}  // namespace

BEGIN_MESSAGE_MAP(CImageOptionsPage, CFieldSheetPage)
  ON_BN_CLICKED(IDC_IMG_BLACK_WHITE, OnBlackWhite)
  ON_BN_CLICKED(IDC_IMG_GRAYSCALE, OnGrayscale)
  ON_EN_CHANGE(IDC_IMG_BRIGHTNESS, OnBrightness)
  ON_EN_CHANGE(IDC_IMG_CONTRAST, OnContrast)
  ON_BN_CLICKED(IDC_IMG_NEGATIVE, OnLookChange)
  ON_CBN_SELCHANGE(IDC_IMG_DITHER, OnLookChange)
  ON_MESSAGE(WM_VSCROLL, OnSpin)
  ON_WM_CTLCOLOR()
END_MESSAGE_MAP()

CImageOptionsPage::CImageOptionsPage() : CFieldSheetPage(IDD_IMAGE_OPTIONS_PAGE) {}

CImageOptionsPage::~CImageOptionsPage() = default;

CImageField* CImageOptionsPage::Field() const { return dynamic_cast<CImageField*>(m_context.field); }

bool CImageOptionsPage::Checked(int id) const { return ::IsDlgButtonChecked(m_hWnd, id) == BST_CHECKED; }

void CImageOptionsPage::SetChecked(int id, bool on) { ::CheckDlgButton(m_hWnd, id, on ? BST_CHECKED : BST_UNCHECKED); }

void CImageOptionsPage::DoDataExchange(CDataExchange* dx) {
  CFieldSheetPage::DoDataExchange(dx);
  DDX_Control(dx, IDC_IMG_PREVIEW, m_preview);
}

BOOL CImageOptionsPage::OnInitDialog() {
  m_initialising = true;
  CFieldSheetPage::OnInitDialog();
  CImageField* field = Field();
  if (!field) return TRUE;
  SetItemFieldText(m_hWnd, IDC_IMG_NAME, field->name);
  m_openingName = field->name;
  const CFieldPicture& look = field->picture;
  FillChoiceCombo(m_hWnd, IDC_IMG_DITHER, kDitherChoices, look.ditherMethod);
  ::SetDlgItemInt(m_hWnd, IDC_IMG_BRIGHTNESS, static_cast<UINT>(look.lightness), TRUE);
  ::SetDlgItemInt(m_hWnd, IDC_IMG_CONTRAST, static_cast<UINT>(look.contrast), TRUE);
  SetChecked(IDC_IMG_BLACK_WHITE, look.pictureOption == 1);
  SetChecked(IDC_IMG_GRAYSCALE, look.pictureOption == 2);
  SetChecked(IDC_IMG_NEGATIVE, look.invert != 0);
  SetChecked(IDC_IMG_NO_OUTPUT, field->doNotPrint != 0);
  SetChecked(IDC_IMG_LOCK, field->lockPosition != 0);
  m_shown.RememberAll(m_hWnd, kWatchedIds);
  ArrangeDither();
  m_initialising = false;
  return TRUE;
}

int CImageOptionsPage::ShownMode() const {
  if (Checked(IDC_IMG_BLACK_WHITE)) return 1;
  return Checked(IDC_IMG_GRAYSCALE) ? 2 : 0;
}

bool CImageOptionsPage::OneBitSource() const {
  return m_preview.m_picture && m_preview.m_picture->GetFileBitsPerPixel() == 1;
}

// The dithering method belongs to black and white without grey.
void CImageOptionsPage::ArrangeDither() {
  const bool dithered = Checked(IDC_IMG_BLACK_WHITE) && !Checked(IDC_IMG_GRAYSCALE);
  ShowItem(m_hWnd, IDC_IMG_DITHER, dithered);
  ::EnableWindow(::GetDlgItem(m_hWnd, IDC_IMG_DITHER), dithered);
}

void CImageOptionsPage::OnBlackWhite() {
  if (Checked(IDC_IMG_BLACK_WHITE) && Checked(IDC_IMG_GRAYSCALE) && !OneBitSource()) SetChecked(IDC_IMG_GRAYSCALE, false);
  ArrangeDither();
  RefreshPreview();
}

void CImageOptionsPage::OnGrayscale() {
  if (Checked(IDC_IMG_GRAYSCALE)) SetChecked(IDC_IMG_BLACK_WHITE, false);
  ArrangeDither();
  RefreshPreview();
}

void CImageOptionsPage::ClampEdit(int id, int lowest, int highest) {
  const int typed = GetItemNumber(m_hWnd, id, 0);
  const int kept = typed < lowest ? lowest : typed > highest ? highest : typed;
  if (kept != typed) ::SetDlgItemInt(m_hWnd, id, static_cast<UINT>(kept), TRUE);
}

void CImageOptionsPage::OnBrightness() {
  if (m_initialising) return;
  ClampEdit(IDC_IMG_BRIGHTNESS, kBrightnessMin, kBrightnessMax);
  RefreshPreview();
}

void CImageOptionsPage::OnContrast() {
  if (m_initialising) return;
  ClampEdit(IDC_IMG_CONTRAST, kContrastMin, kContrastMax);
  RefreshPreview();
}

void CImageOptionsPage::OnLookChange() { RefreshPreview(); }

LRESULT CImageOptionsPage::OnSpin(WPARAM wParam, LPARAM lParam) {
  const UINT code = LOWORD(wParam);
  const int direction = code == SB_LINEUP ? 0 : code == SB_LINEDOWN ? 1 : -1;
  const int id = ::GetDlgCtrlID(reinterpret_cast<HWND>(lParam));
  if (direction >= 0 && id == IDC_IMG_BRIGHTNESS_SPIN)
    SpinIntEdit(direction, IDC_IMG_BRIGHTNESS, kBrightnessMin, kBrightnessMax, this);
  if (direction >= 0 && id == IDC_IMG_CONTRAST_SPIN)
    SpinIntEdit(direction, IDC_IMG_CONTRAST, kContrastMin, kContrastMax, this);
  return 0;
}

HBRUSH CImageOptionsPage::OnCtlColor(CDC* dc, CWnd* window, UINT kind) {
  if (window && window->m_hWnd == ::GetDlgItem(m_hWnd, IDC_IMG_INFO)) return PaintInfoBox(dc->m_hDC);
  return CFieldSheetPage::OnCtlColor(dc, window, kind);
}

void CImageOptionsPage::RefreshPreview() {
  CImageField* field = Field();
  if (!field || m_initialising) return;
  AString path;
  field->GetFilePath(path);
  const int dither = static_cast<int>(GetComboSelData(m_hWnd, IDC_IMG_DITHER, field->picture.ditherMethod));
  m_preview.SetImageFile(path.GetData(), field->picture.mirror, field->rotation,
                         GetItemNumber(m_hWnd, IDC_IMG_BRIGHTNESS, 0), GetItemNumber(m_hWnd, IDC_IMG_CONTRAST, 0),
                         Checked(IDC_IMG_NEGATIVE) ? 1 : 0, ShownMode(), dither);
}

BOOL CImageOptionsPage::OnSetActive() {
  auto* imagePage = dynamic_cast<CImagePage*>(GetSheet() ? GetSheet()->GetPage(0) : nullptr);
  const int type = imagePage ? imagePage->ChosenType() : (m_context.field ? m_context.field->dataSourceType : -1);
  const bool file = ShowsPictureFile(type);
  ShowItem(m_hWnd, IDC_IMG_PREVIEW, file);
  ShowItem(m_hWnd, IDC_IMG_INFO, file);
  if (file) {
    ::SetDlgItemTextA(m_hWnd, IDC_IMG_INFO, imagePage ? imagePage->InfoText().c_str() : "");
    RefreshPreview();
    // A one-bit picture takes no grey, dithering, brightness or contrast:
    // the settings stay as stored and cannot be changed.
    EnableItems(m_hWnd, !OneBitSource());
    ArrangeDither();
  } else {
    ShowItem(m_hWnd, IDC_IMG_DITHER, false);
    EnableItems(m_hWnd, false);
  }
  return CFieldSheetPage::OnSetActive();
}

BOOL CImageOptionsPage::OnKillActive() {
  CImageField* field = Field();
  if (!m_hWnd || !field) return TRUE;
  auto* sheet = dynamic_cast<CMyPropSheet*>(GetSheet());
  const bool closing = sheet && sheet->ClosingWithOk();
  // An empty name does not survive OK: the name the field opened with stays.
  const std::string typed = CControlSnapshot::Text(m_hWnd, IDC_IMG_NAME);
  if (closing && typed.empty()) {
    field->name = m_openingName;
    SetItemFieldText(m_hWnd, IDC_IMG_NAME, m_openingName);
  } else if (m_shown.Changed(m_hWnd, IDC_IMG_NAME)) {
    field->name = typed.c_str();
  }
  CFieldPicture& look = field->picture;
  if (m_shown.Changed(m_hWnd, IDC_IMG_DITHER))
    look.ditherMethod = static_cast<uint8_t>(GetComboSelData(m_hWnd, IDC_IMG_DITHER, look.ditherMethod));
  if (m_shown.Changed(m_hWnd, IDC_IMG_BLACK_WHITE) || m_shown.Changed(m_hWnd, IDC_IMG_GRAYSCALE))
    look.pictureOption = static_cast<uint8_t>(ShownMode());
  const auto flag = [&](int id, uint8_t& member) {
    if (m_shown.Changed(m_hWnd, id)) member = Checked(id) ? 1 : 0;
  };
  flag(IDC_IMG_NEGATIVE, look.invert);
  flag(IDC_IMG_NO_OUTPUT, field->doNotPrint);
  flag(IDC_IMG_LOCK, field->lockPosition);
  if (m_shown.Changed(m_hWnd, IDC_IMG_BRIGHTNESS)) look.lightness = GetItemNumber(m_hWnd, IDC_IMG_BRIGHTNESS, 0);
  if (m_shown.Changed(m_hWnd, IDC_IMG_CONTRAST)) look.contrast = GetItemNumber(m_hWnd, IDC_IMG_CONTRAST, 0);
  m_shown.RememberAll(m_hWnd, kWatchedIds);
  return CFieldSheetPage::OnKillActive();
}
