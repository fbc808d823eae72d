#include "dialogs/setup/font_data_page.h"

#include <cmath>
#include <cstdio>
#include <cstdlib>

#include "app/ui/my_prop_sheet.h"
#include "app/ui/ui_language.h"
#include "dialogs/setup/control_snapshot.h"
#include "dialogs/setup/rotation_list.h"
#include "dialogs/setup/font_data_ids.h"
#include "fields/model/field_kinds.h"
#include "fields/services/label_setup.h"
#include "fields/services/ui_messages.h"
#include "foundation/codepage/codepage.h"

namespace {

constexpr int kWidthSteps = 10;  // 20 % to 200 %
constexpr int kNewFieldSizeItem = 4;
constexpr int kHundredPercentItem = 4;

std::string ComboText(HWND dialog, int id) {
  char text[129] = {};
  ::GetDlgItemTextA(dialog, id, text, sizeof text);
  return text;
}

std::string SelectedText(HWND combo) {
  const LRESULT selected = ::SendMessageA(combo, CB_GETCURSEL, 0, 0);
  if (selected < 0) return {};
  char text[256] = {};
  ::SendMessageA(combo, CB_GETLBTEXT, static_cast<WPARAM>(selected), reinterpret_cast<LPARAM>(text));
  return text;
}

}  // namespace

FieldFontGroup FontGroupOf(CField& field) {
  if (auto* t = dynamic_cast<CTextField*>(&field))
    return {&t->windowsFont, &t->fontName, &t->fntId, &t->logFont, &t->fontVariation};
  if (auto* p = dynamic_cast<CParagraphField*>(&field))
    return {nullptr, &p->fontName, &p->fntId, &p->logFont, nullptr};
  if (auto* b = dynamic_cast<CBarcodeField*>(&field))
    return {&b->hrFontSet, &b->hrFontFace, &b->hrFntId, &b->hrLogFont, &b->hrFontVariation};
  return {};
}

int WidthScalingFromText(const std::string& text) {
  const long stored = std::lround(std::strtod(text.c_str(), nullptr) * 100);
  return stored == 10000 ? 0 : static_cast<int>(stored);
}

std::string WidthScalingText(LONG storedWidth) {
  if (storedWidth < 2) return "100%";
  char text[32];
  std::snprintf(text, sizeof text, "%.02f%%", storedWidth / 100.0);
  return text;
}

BEGIN_MESSAGE_MAP(CFontDataPage, CFieldSheetPage)
  ON_BN_CLICKED(IDC_FONT_PRINTER, OnFontKind)
  ON_BN_CLICKED(IDC_FONT_TRUETYPE, OnFontKind)
  ON_CBN_SELCHANGE(IDC_FONT_TRUETYPE_LIST, OnFaceChange)
  ON_CBN_SELCHANGE(IDC_FONT_PRINTER_LIST, OnFaceChange)
  ON_CBN_SELCHANGE(IDC_FONT_SCRIPT, OnScriptChange)
  ON_CBN_SELCHANGE(IDC_FONT_SIZE, OnStyleChange)
  ON_CBN_EDITCHANGE(IDC_FONT_SIZE, OnStyleChange)
  ON_BN_CLICKED(IDC_FONT_BOLD, OnStyleChange)
  ON_BN_CLICKED(IDC_FONT_ITALIC, OnStyleChange)
  ON_BN_CLICKED(IDC_FONT_UNDERLINE, OnStyleChange)
  ON_BN_CLICKED(IDC_FONT_STRIKEOUT, OnStyleChange)
END_MESSAGE_MAP()

CFontDataPage::CFontDataPage(UINT dialogId, int panelPlaceholder, DataPageKind panelKind)
    : CFieldSheetPage(dialogId), panelPlaceholder_(panelPlaceholder), panelKind_(panelKind) {}

CFontDataPage::~CFontDataPage() = default;

const char* CFontDataPage::PrinterName() const {
  return m_context.setup ? m_context.setup->lastPrinter.GetData() : "";
}

void CFontDataPage::DoDataExchange(CDataExchange* dx) {
  CFieldSheetPage::DoDataExchange(dx);
  DDX_Control(dx, IDC_FONT_TRUETYPE_LIST, m_trueTypeList);
  DDX_Control(dx, IDC_FONT_PRINTER_LIST, m_printerList);
  DDX_Control(dx, IDC_FONT_SIZE, m_sizes);
  if (::GetDlgItem(m_hWnd, IDC_FONT_SAMPLE)) DDX_Control(dx, IDC_FONT_SAMPLE, m_sample);
}

CFontCombo& CFontDataPage::FaceList() {
  return ::IsDlgButtonChecked(m_hWnd, IDC_FONT_PRINTER) == BST_CHECKED ? m_printerList : m_trueTypeList;
}

const CFontCombo& CFontDataPage::FaceList() const { return const_cast<CFontDataPage*>(this)->FaceList(); }

BOOL CFontDataPage::OnInitDialog() {
  CFieldSheetPage::OnInitDialog();
  m_initialising = true;
  m_group = m_context.field ? FontGroupOf(*m_context.field) : FieldFontGroup{};
  if (!m_group.font) return TRUE;
  m_trueTypeList.m_fontTypes = TRUETYPE_FONTTYPE;
  m_trueTypeList.FillFontList(nullptr);
  m_printerList.m_fontTypes = DEVICE_FONTTYPE;
  m_printerList.FillFontList(PrinterName());
  const bool printer = m_group.trueType && *m_group.trueType == 0;
  ::CheckRadioButton(m_hWnd, IDC_FONT_PRINTER, IDC_FONT_TRUETYPE, printer ? IDC_FONT_PRINTER : IDC_FONT_TRUETYPE);
  if (!m_group.trueType) {
    // A paragraph always draws with a system face.
    ::EnableWindow(::GetDlgItem(m_hWnd, IDC_FONT_PRINTER), FALSE);
  }
  FaceList().SelectName(m_group.name->GetData(), true);
  HWND width = ::GetDlgItem(m_hWnd, IDC_FONT_WIDTH);
  for (int i = 1; i <= kWidthSteps; ++i) {
    const std::string item = std::to_string(i * 20) + "%";
    ::SendMessageA(width, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(item.c_str()));
  }
  const LOGFONTA& f = *m_group.font;
  if (m_context.isNew || f.lfWidth < 2) ::SendMessageA(width, CB_SETCURSEL, kHundredPercentItem, 0);
  else ::SetWindowTextA(width, WidthScalingText(f.lfWidth).c_str());
  ::CheckDlgButton(m_hWnd, IDC_FONT_BOLD, f.lfWeight >= FW_BOLD ? BST_CHECKED : BST_UNCHECKED);
  ::CheckDlgButton(m_hWnd, IDC_FONT_ITALIC, f.lfItalic ? BST_CHECKED : BST_UNCHECKED);
  ::CheckDlgButton(m_hWnd, IDC_FONT_UNDERLINE, f.lfUnderline ? BST_CHECKED : BST_UNCHECKED);
  ::CheckDlgButton(m_hWnd, IDC_FONT_STRIKEOUT, f.lfStrikeOut ? BST_CHECKED : BST_UNCHECKED);
  RefreshFontList(false);
  ArrangeFontControls();
  shown_ = ShownNow();
  // What the field holds, not what the box proposes: a size the box shows
  // in its place (10 for one of 1 or less) is written when the page is left.
  shown_.size = std::to_string(f.lfHeight);
  arranged_ = true;
  RefreshSample();
  if (HWND rotation = ::GetDlgItem(m_hWnd, IDC_FONT_ROTATION))
    shownRotation_ = FillRotationList(rotation, m_context.isNew ? 0 : m_context.field->rotation);
  if (panelPlaceholder_) {
    m_panel = std::make_unique<CDataSourcePanel>(panelKind_, *m_context.field, m_context.setup);
    m_panel->CreateInPlaceholder(this, panelPlaceholder_);
  }
  m_initialising = false;
  return TRUE;
}

void CFontDataPage::ArrangeFontControls() {
  const bool printer = ::IsDlgButtonChecked(m_hWnd, IDC_FONT_PRINTER) == BST_CHECKED;
  auto show = [this](int id, bool on) {
    if (HWND w = ::GetDlgItem(m_hWnd, id)) ::ShowWindow(w, on ? SW_SHOW : SW_HIDE);
  };
  for (int id : {IDC_FONT_SAMPLE, IDC_FONT_TRUETYPE_LIST, IDC_FONT_SCRIPT, IDC_FONT_SCRIPT_LABEL, IDC_FONT_WIDTH,
                 IDC_FONT_WIDTH_LABEL})
    show(id, !printer);
  show(IDC_FONT_PRINTER_LIST, printer);
  // Most printer drivers have no fonts of their own: the page says so.
  show(IDC_FONT_PRINTER_NOTE, printer && m_printerList.GetCount() == 0);
}

void CFontDataPage::RefreshFontList(bool keepTyped) {
  CFontCombo& list = FaceList();
  const bool printer = &list == &m_printerList;
  AString face;
  list.GetText(face);
  const int selected = list.GetCurSel();
  const FontItem* item = selected >= 0 ? reinterpret_cast<const FontItem*>(list.GetItemData(selected)) : nullptr;
  HWND scripts = ::GetDlgItem(m_hWnd, IDC_FONT_SCRIPT);
  if (!printer && scripts) {
    skin_.SetDlgItemText(IDC_FONT_SCRIPT_LABEL, TranslateUiString("Script").GetData());
    ::SendMessageA(scripts, CB_RESETCONTENT, 0, 0);
    if (item) {
      for (size_t i = 0; i < item->scripts.size(); ++i) {
        const LRESULT at = ::SendMessageA(scripts, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(item->scripts[i].GetData()));
        if (at >= 0) ::SendMessageA(scripts, CB_SETITEMDATA, static_cast<WPARAM>(at), item->charsets[i]);
      }
    }
    LRESULT pick = 0;
    if (m_initialising && !m_context.isNew && m_group.script) {
      const LRESULT found = ::SendMessageA(scripts, CB_FINDSTRINGEXACT, static_cast<WPARAM>(-1),
                                           reinterpret_cast<LPARAM>(m_group.script->GetData()));
      if (found >= 0) pick = found;
    }
    ::SendMessageA(scripts, CB_SETCURSEL, static_cast<WPARAM>(pick), 0);
  }
  const std::string typed = ComboText(m_hWnd, IDC_FONT_SIZE);
  m_sizes.FillSizes(face.GetData(), printer ? PrinterName() : nullptr);
  if (keepTyped) {
    ::SetDlgItemTextA(m_hWnd, IDC_FONT_SIZE, typed.c_str());
  } else if (m_context.isNew) {
    m_sizes.SetCurSel(kNewFieldSizeItem);
  } else {
    const LONG points = m_group.font->lfHeight;
    ::SetDlgItemTextA(m_hWnd, IDC_FONT_SIZE, points <= 1 ? "10" : std::to_string(points).c_str());
  }
}

int CFontDataPage::ChosenLanguage() const {
  HWND scripts = ::GetDlgItem(m_hWnd, IDC_FONT_SCRIPT);
  const LRESULT selected = scripts ? ::SendMessageA(scripts, CB_GETCURSEL, 0, 0) : -1;
  if (selected < 0) return 0;
  return LanguageFromCharset(static_cast<int>(::SendMessageA(scripts, CB_GETITEMDATA, static_cast<WPARAM>(selected), 0)));
}

CFontDataPage::Shown CFontDataPage::ShownNow() const {
  Shown s;
  s.printer = ::IsDlgButtonChecked(m_hWnd, IDC_FONT_PRINTER) == BST_CHECKED;
  AString face;
  FaceList().GetText(face);
  s.face = face.GetData();
  s.size = ComboText(m_hWnd, IDC_FONT_SIZE);
  s.width = ComboText(m_hWnd, IDC_FONT_WIDTH);
  if (HWND scripts = ::GetDlgItem(m_hWnd, IDC_FONT_SCRIPT)) s.script = SelectedText(scripts);
  s.bold = ::IsDlgButtonChecked(m_hWnd, IDC_FONT_BOLD) == BST_CHECKED;
  s.italic = ::IsDlgButtonChecked(m_hWnd, IDC_FONT_ITALIC) == BST_CHECKED;
  s.underline = ::IsDlgButtonChecked(m_hWnd, IDC_FONT_UNDERLINE) == BST_CHECKED;
  s.strikeOut = ::IsDlgButtonChecked(m_hWnd, IDC_FONT_STRIKEOUT) == BST_CHECKED;
  return s;
}

void CFontDataPage::ReadFontFromControls() {
  if (!m_group.font || !arranged_) return;
  const Shown now = ShownNow();
  LOGFONTA& f = *m_group.font;
  bool changed = false;
  if (now.printer != shown_.printer && m_group.trueType) {
    *m_group.trueType = now.printer ? 0 : 1;
    changed = true;
  }
  if (now.face != shown_.face && !now.face.empty()) {
    CFontCombo& list = FaceList();
    const int selected = list.GetCurSel();
    *m_group.name = now.face.c_str();
    std::snprintf(f.lfFaceName, sizeof f.lfFaceName, "%s", now.face.c_str());
    if (selected >= 0) {
      if (const auto* item = reinterpret_cast<const FontItem*>(list.GetItemData(selected))) {
        f.lfCharSet = item->charset;
        f.lfPitchAndFamily = item->pitchAndFamily;
      }
    }
    changed = true;
  }
  if (now.size != shown_.size && !now.size.empty()) {
    f.lfHeight = std::atoi(now.size.c_str());
    changed = true;
  }
  if (!now.printer && now.width != shown_.width && !now.width.empty()) {
    f.lfWidth = WidthScalingFromText(now.width);
    changed = true;
  }
  if (!now.printer && now.script != shown_.script) {
    HWND scripts = ::GetDlgItem(m_hWnd, IDC_FONT_SCRIPT);
    const LRESULT selected = ::SendMessageA(scripts, CB_GETCURSEL, 0, 0);
    if (selected >= 0) {
      if (m_group.script) *m_group.script = now.script.c_str();
      f.lfCharSet = static_cast<BYTE>(::SendMessageA(scripts, CB_GETITEMDATA, static_cast<WPARAM>(selected), 0));
      changed = true;
    }
  }
  if (now.bold != shown_.bold) f.lfWeight = now.bold ? FW_BOLD : FW_NORMAL;
  if (now.italic != shown_.italic) f.lfItalic = now.italic ? 1 : 0;
  if (now.underline != shown_.underline) f.lfUnderline = now.underline ? 1 : 0;
  if (now.strikeOut != shown_.strikeOut) f.lfStrikeOut = now.strikeOut ? 1 : 0;
  changed = changed || now.bold != shown_.bold || now.italic != shown_.italic || now.underline != shown_.underline ||
            now.strikeOut != shown_.strikeOut;
  if (changed) {
    f.lfOutPrecision = 4;
    f.lfClipPrecision = 0;
    f.lfQuality = 4;
  }
  shown_ = now;
}

void CFontDataPage::RefreshSample() {
  if (!m_sample.m_hWnd || !m_group.font) return;
  // The sample shows the controls' font without touching the field.
  LOGFONTA f = *m_group.font;
  const Shown now = ShownNow();
  std::snprintf(f.lfFaceName, sizeof f.lfFaceName, "%s", now.face.c_str());
  if (const int points = std::atoi(now.size.c_str()); points > 0) f.lfHeight = points;
  f.lfWeight = now.bold ? FW_BOLD : FW_NORMAL;
  f.lfItalic = now.italic;
  f.lfUnderline = now.underline;
  f.lfStrikeOut = now.strikeOut;
  m_sample.m_font = f;
  m_sample.m_hasFont = !now.face.empty();
  m_sample.Invalidate();
}

void CFontDataPage::OnFontKind() {
  ArrangeFontControls();
  if (!m_initialising) RefreshFontList(true);
  RefreshSample();
  OnFontChosen();
}

void CFontDataPage::OnFaceChange() {
  RefreshFontList(true);
  RefreshSample();
  OnFontChosen();
}

void CFontDataPage::OnScriptChange() {
  RefreshSample();
  OnFontChosen();
}

void CFontDataPage::OnStyleChange() { RefreshSample(); }

BOOL CFontDataPage::OnKillActive() {
  if (!m_hWnd) return TRUE;
  ReadFontFromControls();
  if (::GetDlgItem(m_hWnd, IDC_FONT_ROTATION) && m_context.field) {
    const std::string rotation = CControlSnapshot::Text(m_hWnd, IDC_FONT_ROTATION);
    if (rotation != shownRotation_) {
      const std::optional<int32_t> typed = ParseRotationText(rotation);
      if (!typed) {
        UiMessageBox(m_hWnd, 50051, MB_OK, {rotation});
        ::SetDlgItemTextA(m_hWnd, IDC_FONT_ROTATION, "0");
        return FALSE;
      }
      m_context.field->SetRotation(*typed);
      shownRotation_ = rotation;
    }
  }
  // The data is checked and stored only when the sheet closes with OK.
  auto* sheet = dynamic_cast<CMyPropSheet*>(GetSheet());
  if (m_panel && sheet && sheet->ClosingWithOk() && !m_panel->ApplyDataSourceSection()) return FALSE;
  return CFieldSheetPage::OnKillActive();
}
