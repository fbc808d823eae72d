// The application's answers to the layout code: the new-label defaults from
// the settings record, the flags, the UI language's texts and the program's
// message boxes.
#include "app/open_dialog/mru_file_dlg.h"
#include "app/shell/label_designer_app.h"
#include "app/ui/message_pane.h"
#include "app/ui/plain_dialog_skin.h"
#include "app/ui/shell_messages.h"
#include "app/ui/ui_language.h"
#include "foundation/window_helpers/length_spin.h"

LabelDefaults CLabelDesignerApp::GetLabelDefaults() {
  const CAppSettings& s = AppSettings();
  LabelDefaults d;
  d.DefaultLabelWidth = s.labelWidth;
  d.DefaultLabelHeight = s.labelHeight;
  d.DefaultUnits = s.units;
  d.deflt_lblsPerRow = s.labelsPerRow;
  d.deflt_rowsPerPage = s.rowsPerPage;
  d.deflt_leftOff = s.leftOffset;
  d.deflt_topOff = s.topOffset;
  d.deflt_hGap = s.horizontalGap;
  d.deflt_vGap = s.verticalGap;
  d.deflt_rotation = s.rotation;
  d.deflt_shape = s.shape;
  d.deflt_hasBorder = s.hasBorder;
  d.deflt_hasHoleDiameter = s.hasHole;
  d.deflt_holeDiameter = s.holeDiameter;
  d.deflt_bkclr = s.backgroundColour;
  d.deflt_bdrData_style = s.borderStyle;
  d.deflt_bdrData_w = s.borderWidth;
  d.deflt_bdrData_roundEnds = s.borderRoundEnds;
  d.deflt_bdrData_clr = s.borderColour;
  return d;
}

int32_t CLabelDesignerApp::DefaultBoxWidth() { return AppSettings().boxLineWidth; }

// A step of 0 (no number in the profile) keeps the grid off.
bool CLabelDesignerApp::GridShown() { return AppSettings().showGrid != 0 && AppSettings().gridStep > 0; }
double CLabelDesignerApp::GridSpacing() { return AppSettings().gridStep; }

AString CLabelDesignerApp::TranslateUiString(const char* english) { return ::TranslateUiString(english); }

bool CLabelDesignerApp::ClipboardUsesBitmap() { return AppSettings().clipboardAsBitmap != 0; }

// The layout code reports and asks through the designer's own box: a text
// translated line by line, a number looked up in the language file.
int CLabelDesignerApp::UiMessageBox(const char* text, UINT type) { return ShowUiMessageText(text, type); }

int CLabelDesignerApp::ShowMsgBoxDlg(const char* text, UINT type) { return ShowUiMessageText(text, type); }

int CLabelDesignerApp::UiMessageNumber(int number, UINT type) { return ShowUiMessageNumber(number, type); }

void CLabelDesignerApp::SkinDialog(HWND dialog) { SkinPlainDialog(dialog); }

int CLabelDesignerApp::SpinUnitEdit(int direction, int editId, double minimum, double maximum, int unit, HWND dialog,
                                    int steps) {
  return ::SpinUnitEdit(direction, editId, minimum, maximum, unit, dialog, steps);
}

int CLabelDesignerApp::PromptSaveFileName(AString& path) {
  // The dialog asks its own question before an existing file is chosen:
  // the system dialog's (OFN_OVERWRITEPROMPT) would ask a second time.
  CMRUFileDlg dialog(0, "bcd", path.GetData(), OFN_HIDEREADONLY, ".bcd|*.bcd|All files(*.*)|*.*||", m_pMainFrame);
  const INT_PTR result = dialog.DoModal();
  // A file picked in the dialog counts, however the dialog was closed.
  const bool picked = !dialog.m_chosenFile.IsEmpty();
  if (result != IDOK && !(result == IDCANCEL && picked)) return IDCANCEL;
  path = picked ? dialog.m_chosenFile : AString(dialog.GetPathName().GetString());
  return path.IsEmpty() ? IDCANCEL : IDOK;
}

void CLabelDesignerApp::ShowMessagePane(const char* text, const RECT& beside) {
  ::ShowMessagePane(m_pMainFrame ? m_pMainFrame->m_hWnd : nullptr, beside, AString(text ? text : ""));
}

void CLabelDesignerApp::HideMessagePane() { ::HideMessagePane(); }
