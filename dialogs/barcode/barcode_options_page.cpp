#include "dialogs/barcode/barcode_options_page.h"

#include <algorithm>

#include "dialogs/barcode/barcode_ids.h"
#include "dialogs/barcode/page_controls.h"

namespace {

constexpr int kItf14 = 11;
constexpr int kMostNarrowBars = 16;

std::vector<ListChoice> NarrowBarMultiples() {
  std::vector<ListChoice> out;
  for (int n = 1; n <= kMostNarrowBars; ++n) out.push_back({std::to_string(n) + " X", n});
  return out;
}

// A stored 0 (or anything outside 1..16) shows the first entry.
int MultipleIndex(int stored) { return std::clamp(stored, 1, kMostNarrowBars) - 1; }

}  // namespace

BEGIN_MESSAGE_MAP(CBarcodeOptionsPage, CFieldSheetPage)
ON_BN_CLICKED(IDC_OPT_BAR_COLOUR, OnBarColour)
ON_BN_CLICKED(IDC_OPT_BACK_COLOUR, OnBackColour)
END_MESSAGE_MAP()

CBarcodeOptionsPage::CBarcodeOptionsPage() : CFieldSheetPage(IDD_BARCODE_OPTIONS_PAGE) {}

CBarcodeOptionsPage::~CBarcodeOptionsPage() = default;

void CBarcodeOptionsPage::Bind() {
  setup_ = m_context.setup;
  field_ = BarcodeFieldOf(m_context);
}

void CBarcodeOptionsPage::DoDataExchange(CDataExchange* dx) {
  CFieldSheetPage::DoDataExchange(dx);
  DDX_Control(dx, IDC_OPT_BACK_COLOUR, backColour_);
  DDX_Control(dx, IDC_OPT_BAR_COLOUR, barColour_);
}

BOOL CBarcodeOptionsPage::OnInitDialog() {
  CFieldSheetPage::OnInitDialog();
  Bind();
  if (!field_) return TRUE;
  const HWND page = m_hWnd;
  ShowItfGroup();
  FillChoices(page, IDC_OPT_BEARER_TYPE, {{"Rectangle", 0}, {"Top/Bottom", 1}}, Words::kTranslated);
  SelectIndex(page, IDC_OPT_BEARER_TYPE, field_->itfNoSideBearers ? 1 : 0);
  FillChoices(page, IDC_OPT_BEARER_WIDTH, NarrowBarMultiples(), Words::kAsTheyStand);
  SelectIndex(page, IDC_OPT_BEARER_WIDTH, MultipleIndex(field_->itfBearerFactor));
  FillChoices(page, IDC_OPT_QUIET, NarrowBarMultiples(), Words::kAsTheyStand);
  SelectIndex(page, IDC_OPT_QUIET, MultipleIndex(field_->itfQuietFactor));
  barColour_.m_colour = field_->foreColor;
  backColour_.m_colour = field_->backColor;
  return TRUE;
}

void CBarcodeOptionsPage::ShowItfGroup() {
  ShowControls(m_hWnd, {IDC_OPT_ITF_FRAME, IDC_OPT_BEARER_TYPE_LABEL, IDC_OPT_BEARER_TYPE, IDC_OPT_BEARER_WIDTH_LABEL,
                        IDC_OPT_BEARER_WIDTH, IDC_OPT_QUIET_LABEL, IDC_OPT_QUIET},
               field_->symbology == kItf14);
}

BOOL CBarcodeOptionsPage::OnSetActive() {
  if (field_ && m_hWnd) ShowItfGroup();
  return CFieldSheetPage::OnSetActive();
}

void CBarcodeOptionsPage::OnBarColour() { ChooseColour(field_->foreColor, barColour_); }

void CBarcodeOptionsPage::OnBackColour() { ChooseColour(field_->backColor, backColour_); }

BOOL CBarcodeOptionsPage::OnKillActive() {
  if (!m_hWnd || !field_) return TRUE;
  const HWND page = m_hWnd;
  // The ITF values are kept for every symbology; only ITF-14 uses them.
  field_->itfNoSideBearers = static_cast<uint8_t>(SelectedIndex(page, IDC_OPT_BEARER_TYPE) == 1 ? 1 : 0);
  field_->itfBearerFactor = static_cast<uint8_t>(SelectedData(page, IDC_OPT_BEARER_WIDTH, field_->itfBearerFactor));
  field_->itfQuietFactor = static_cast<uint8_t>(SelectedData(page, IDC_OPT_QUIET, field_->itfQuietFactor));
  return CFieldSheetPage::OnKillActive();
}
