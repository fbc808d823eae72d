#include "document/layout/layout_setup_dialog.h"

#include <algorithm>
#include <array>
#include <cstdio>
#include <string>
#include <vector>

#include "document/core/rvo_doc.h"
#include "document/layout/quarter_turn.h"
#include "document/layout/unit_values.h"
#include "document/layout_shell.h"
#include "platform/user/dialogs/template_writer.h"

namespace {

constexpr WORD kButton = 0x80, kEdit = 0x81, kStatic = 0x82, kScrollBar = 0x84, kComboBox = 0x85;
// Spinner steps: ten steps of 10 thousandths of an inch make 0.1 inch (2.54 mm).
constexpr int kSpinStep = 10 * 10;

struct Item {
  WORD classAtom;  // 0: the rich edit control
  DWORD style;
  short x, y, cx, cy;
  int id;
  const char16_t* text;
};

constexpr DWORD kChild = WS_CHILD | WS_VISIBLE;
// Dialog 174 in dialog units.
constexpr std::array<Item, 17> kItems{{
    {kStatic, kChild, 7, 9, 60, 8, -1, u"Width"},
    {kEdit, kChild | WS_BORDER | WS_TABSTOP | ES_AUTOHSCROLL, 70, 7, 60, 12, kWidthEditId, u""},
    {kScrollBar, kChild | SBS_VERT, 131, 7, 10, 12, kWidthSpinId, u""},
    {kStatic, kChild, 7, 25, 60, 8, -1, u"Height"},
    {kEdit, kChild | WS_BORDER | WS_TABSTOP | ES_AUTOHSCROLL, 70, 23, 60, 12, kHeightEditId, u""},
    {kScrollBar, kChild | SBS_VERT, 131, 23, 10, 12, kHeightSpinId, u""},
    {kStatic, kChild, 7, 41, 60, 8, -1, u"Rotation"},
    {kComboBox, kChild | WS_TABSTOP | WS_VSCROLL | CBS_DROPDOWNLIST, 70, 39, 71, 80, kRotationListId, u""},
    {kStatic, kChild, 7, 57, 60, 8, -1, u"Shape"},
    {kComboBox, kChild | WS_TABSTOP | WS_VSCROLL | CBS_DROPDOWNLIST, 70, 55, 71, 60, kShapeListId, u""},
    {kStatic, kChild, 7, 73, 60, 8, -1, u"Background Color"},
    {kButton, kChild | WS_TABSTOP | BS_OWNERDRAW, 70, 71, 71, 12, kBackgroundButtonId, u""},
    {kStatic, kChild, 7, 89, 60, 8, -1, u"Description"},
    {0, kChild | WS_BORDER | WS_TABSTOP | ES_MULTILINE | WS_VSCROLL, 7, 99, 206, 40, kDescriptionEditId, u""},
    {kButton, kChild | WS_TABSTOP | BS_DEFPUSHBUTTON, 107, 146, 50, 14, IDOK, u"OK"},
    {kButton, kChild | WS_TABSTOP, 163, 146, 50, 14, IDCANCEL, u"Cancel"},
    {kStatic, kChild, 150, 9, 60, 8, -1, u""},
}};

// The dialog's template, made once from the table.
const DLGTEMPLATE* LayoutSetupTemplate() {
  static const std::vector<uint32_t> words = [] {
    dialogs::TemplateWriter t(DS_MODALFRAME | DS_SETFONT | WS_POPUP | WS_CAPTION | WS_SYSMENU, 0, 0, 0, 220, 166,
                              u"Barcode Layout Setup");
    for (const Item& i : kItems) {
      if (i.classAtom == 0) {
        t.Add(RICHEDIT_CLASSW, i.style, 0, i.x, i.y, i.cx, i.cy, static_cast<DWORD>(i.id), i.text);
      } else {
        t.Add(i.classAtom, i.style, 0, i.x, i.y, i.cx, i.cy, static_cast<DWORD>(i.id), i.text);
      }
    }
    return t.words();
  }();
  return reinterpret_cast<const DLGTEMPLATE*>(words.data());
}

std::string Format3(double v) {
  char text[64];
  std::snprintf(text, sizeof text, "%.3f", v);
  return text;
}

AString WideText(HWND window) {
  const int n = ::GetWindowTextLengthW(window);
  std::u16string units(static_cast<size_t>(n) + 1, u'\0');
  ::GetWindowTextW(window, units.data(), n + 1);
  units.resize(static_cast<size_t>(n));
  AString s(static_cast<int>(units.size() * 2), reinterpret_cast<const char*>(units.data()));
  s.SetWide(true);
  return s;
}

std::u16string UnitsOf(const AString& s) {
  if (!s.IsWide()) {
    std::u16string out;
    for (int i = 0; i < s.GetLength(); ++i) out.push_back(static_cast<unsigned char>(s.GetData()[i]));
    return out;
  }
  std::u16string out(static_cast<size_t>(s.GetLength() / 2), u'\0');
  for (size_t i = 0; i < out.size(); ++i) out[i] = static_cast<char16_t>(s.GetUnitAt(static_cast<int>(i)));
  return out;
}

}  // namespace

BEGIN_MESSAGE_MAP(CLayoutSetupDlg, CDialog)
  ON_WM_VSCROLL()
  ON_WM_DRAWITEM()
  ON_BN_CLICKED(kBackgroundButtonId, OnBackgroundColour)
END_MESSAGE_MAP()

CLayoutSetupDlg::CLayoutSetupDlg(CLabelSetup& s, CWnd* parent) : setup(s), factor(UnitFactor(s.DefaultUnits)) {
  InitModalIndirect(LayoutSetupTemplate(), parent);
}

BOOL CLayoutSetupDlg::OnInitDialog() {
  CDialog::OnInitDialog();
  CLayoutShell* shell = LayoutShell();
  // The texts in the interface language.
  ::SetWindowTextA(m_hWnd, shell->TranslateUiString("Barcode Layout Setup").GetData());
  for (HWND child = ::GetWindow(m_hWnd, GW_CHILD); child; child = ::GetWindow(child, GW_HWNDNEXT)) {
    char text[128] = {};
    ::GetWindowTextA(child, text, sizeof text);
    char cls[32] = {};
    ::GetClassNameA(child, cls, sizeof cls);
    if (text[0] && (std::string(cls) == "Static" || std::string(cls) == "Button"))
      ::SetWindowTextA(child, shell->TranslateUiString(text).GetData());
  }
  ::SetDlgItemTextA(m_hWnd, kWidthEditId, Format3(setup.labelWidth * factor).c_str());
  ::SetDlgItemTextA(m_hWnd, kHeightEditId, Format3(setup.labelHeight * factor).c_str());
  HWND rotation = ::GetDlgItem(m_hWnd, kRotationListId);
  for (const char* degrees : {"0", "90", "180", "270"}) ::SendMessageA(rotation, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(degrees));
  ::SendMessageA(rotation, CB_SETCURSEL, setup.deflt_rotation % 4, 0);
  HWND shape = ::GetDlgItem(m_hWnd, kShapeListId);
  ::SendMessageA(shape, CB_RESETCONTENT, 0, 0);
  for (const char* name : {"Round Rectangle", "Rectangle", "Ellipse"})
    ::SendMessageA(shape, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(shell->TranslateUiString(name).GetData()));
  ::SendMessageA(shape, CB_SETCURSEL, setup.deflt_shape, 0);
  const std::u16string description = UnitsOf(setup.description);
  ::SetWindowTextW(::GetDlgItem(m_hWnd, kDescriptionEditId), description.c_str());
  return TRUE;
}

void CLayoutSetupDlg::ShowSize(int editId, int mils) {
  ::SetDlgItemTextA(m_hWnd, editId, Format3(mils * factor).c_str());
}

void CLayoutSetupDlg::StepSize(int editId, int direction) {
  char text[64] = {};
  ::GetDlgItemTextA(m_hWnd, editId, text, sizeof text);
  const int now = ParseUnitLength(text, factor).value_or(kMinLabelSize);
  ShowSize(editId, std::clamp(now + direction * kSpinStep, kMinLabelSize, kMaxLabelSize));
  ::SetFocus(::GetDlgItem(m_hWnd, editId));
}

void CLayoutSetupDlg::OnVScroll(UINT code, UINT position, CScrollBar* bar) {
  const int id = bar ? ::GetDlgCtrlID(bar->m_hWnd) : 0;
  if (id == kWidthSpinId || id == kHeightSpinId) {
    const int edit = id == kWidthSpinId ? kWidthEditId : kHeightEditId;
    if (code == SB_LINEUP) StepSize(edit, +1);
    if (code == SB_LINEDOWN) StepSize(edit, -1);
  }
  CDialog::OnVScroll(code, position, bar);
}

void CLayoutSetupDlg::OnBackgroundColour() {
  static COLORREF custom[16] = {};
  CHOOSECOLORA cc{};
  cc.lStructSize = sizeof cc;
  cc.hwndOwner = m_hWnd;
  cc.rgbResult = setup.deflt_bkclr;
  cc.lpCustColors = custom;
  cc.Flags = CC_RGBINIT;
  if (!ChooseColorA(&cc)) return;
  setup.deflt_bkclr = cc.rgbResult;
  ::InvalidateRect(::GetDlgItem(m_hWnd, kBackgroundButtonId), nullptr, TRUE);
}

void CLayoutSetupDlg::OnDrawItem(int id, LPDRAWITEMSTRUCT item) {
  if (id != kBackgroundButtonId || !item) {
    CDialog::OnDrawItem(id, item);
    return;
  }
  RECT r = item->rcItem;
  ::DrawEdge(item->hDC, &r, EDGE_RAISED, BF_RECT | BF_ADJUST);
  ::InflateRect(&r, -2, -2);
  HBRUSH brush = ::CreateSolidBrush(setup.deflt_bkclr);
  ::FillRect(item->hDC, &r, brush);
  ::DeleteObject(brush);
  ::FrameRect(item->hDC, &r, static_cast<HBRUSH>(::GetStockObject(BLACK_BRUSH)));
}

void CLayoutSetupDlg::OnOK() {
  char width[64] = {}, height[64] = {};
  ::GetDlgItemTextA(m_hWnd, kWidthEditId, width, sizeof width);
  ::GetDlgItemTextA(m_hWnd, kHeightEditId, height, sizeof height);
  const auto w = ParseUnitLength(width, factor);
  const auto h = ParseUnitLength(height, factor);
  if (!w || !h || !IsLabelSizeInBounds(*w) || !IsLabelSizeInBounds(*h)) {
    // Sizes the spinners cannot reach would divide by zero or overflow in
    // the view and the print job: the dialog stays open.
    CLayoutShell* shell = LayoutShell();
    char text[256];
    std::snprintf(text, sizeof text, shell->TranslateUiString(kLabelSizeRefused).GetData(),
                  Format3(kMinLabelSize * factor).c_str(), Format3(kMaxLabelSize * factor).c_str());
    shell->UiMessageBox(text, MB_OK | MB_ICONWARNING);
    return;
  }
  setup.labelWidth = *w;
  setup.labelHeight = *h;
  const LRESULT rotation = ::SendDlgItemMessageA(m_hWnd, kRotationListId, CB_GETCURSEL, 0, 0);
  const LRESULT shape = ::SendDlgItemMessageA(m_hWnd, kShapeListId, CB_GETCURSEL, 0, 0);
  if (rotation >= 0) setup.deflt_rotation = static_cast<uint8_t>(rotation);
  if (shape >= 0) setup.deflt_shape = static_cast<uint8_t>(shape);
  setup.description = WideText(::GetDlgItem(m_hWnd, kDescriptionEditId));
  CDialog::OnOK();
}

int RunLayoutSetup(CLabelSetup& setup, CFieldList& fields) {
  CLabelSetup work;
  work.CopyFrom(setup, 0);
  CLayoutSetupDlg dialog(work, AfxGetMainWnd());
  if (dialog.DoModal() != IDOK) return 0;
  const int result = work.labelWidth == setup.labelWidth && work.labelHeight == setup.labelHeight ? 1 : 2;
  const int turns = QuarterTurnsBetween(setup.deflt_rotation, work.deflt_rotation);
  // The turns below turn the setup itself: it starts from the old rotation's
  // width and height as the dialog gave them.
  setup.CopyFrom(work, 0);
  setup.noDataConversion = 0;
  for (int i = 0; i < turns; ++i) RotateLayoutQuarterTurn(fields, setup);
  LayoutShell()->SetLabelSizePane(setup.labelWidth, setup.labelHeight, setup.DefaultUnits);
  return result;
}

int RunLayoutSetup(CRvoDoc& doc) {
  const int result = RunLayoutSetup(doc.labelSetup, doc.fieldList);
  if (result != 0) {
    doc.SetModifiedFlag(TRUE);
    doc.UpdateAllViews(nullptr);
  }
  return result;
}
