// The pages of the paragraph sheet: Font / Data (the shared font half, the
// rotation list and the data-source panel), Format (justification, line
// spacing, width, word wrap, fit in frame, indentation, with a live sample)
// and Options (name, output flags, colours, data language, tab width).
// Only what the user changed is written back.
#pragma once

#include <string>
#include <vector>

#include "app/controls/colour_button.h"
#include "dialogs/setup/control_snapshot.h"
#include "dialogs/setup/font_data_page.h"
#include "dialogs/setup/length_edits.h"

class CParagraphFontPage : public CFontDataPage {
 public:
  CParagraphFontPage();
  ~CParagraphFontPage() override;

 protected:
  BOOL OnInitDialog() override;
  // "..." beside the text: the text in the paragraph text dialog.
  void OnEditText();
  DECLARE_MESSAGE_MAP()

 private:
  void ArrangeEditButton();
};

// The sample's distance between two lines: the line height widened by the
// line spacing in percent.
double SampleLineStep(int lineHeight, int spacingPercent);

class CParaSample : public CStatic {
 public:
  // The page's choices, read when the sample paints.
  int justification = 0;  // -1 left, 0 centre, 1 right, 2 full
  int indentKind = 0;     // 0 none, 1 first line, 2 hanging
  int spacingPercent = 0;
  // The line tops of the last paint, for whoever wants to look.
  std::vector<int> lineTops;

 protected:
  void OnPaint();
  DECLARE_MESSAGE_MAP()
};

class CParaFormatPage : public CFieldSheetPage {
 public:
  CParaFormatPage();
  ~CParaFormatPage() override;
  CParaSample& Sample() { return m_sample; }

 protected:
  void DoDataExchange(CDataExchange* dx) override;
  BOOL OnInitDialog() override;
  BOOL OnKillActive() override;
  void OnJustification();
  void OnIndentation();
  void OnSpacing();
  LRESULT OnSpin(WPARAM wParam, LPARAM lParam);
  DECLARE_MESSAGE_MAP()

 private:
  void RefreshSample();
  CParaSample m_sample;
  CLengthEdits m_lengths;
  CControlSnapshot m_shown;
};

class CParaOptionsPage : public CFieldSheetPage {
 public:
  CParaOptionsPage();
  ~CParaOptionsPage() override;

 protected:
  void DoDataExchange(CDataExchange* dx) override;
  BOOL OnInitDialog() override;
  BOOL OnKillActive() override;
  void OnForeColour();
  void OnBackColour();
  LRESULT OnSpin(WPARAM wParam, LPARAM lParam);
  DECLARE_MESSAGE_MAP()

 private:
  CColorButton m_fore;
  CColorButton m_back;
  CControlSnapshot m_shown;
  std::string m_openingName;
};
