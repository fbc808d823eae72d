// The base of every page that edits the font of a text-bearing field (the
// text and paragraph Font/Data pages, the barcode's human-readable page):
// printer fonts or TrueType fonts, the face, the point size, the width
// scaling, the script, bold, italic, underline and strike-out, and a sample.
//
// The faces are the system's (fontconfig through the platform's font
// enumeration); printer fonts are those of the layout's printer queue, which
// most drivers do not have: the list then says so. What the page shows is
// remembered when it opens, and only what the user changed is written back
// when the page is left, so an untouched page leaves the field as it was.
#pragma once

#include <cstdint>
#include <memory>
#include <string>

#include "app/controls/font_combo.h"
#include "app/controls/font_size_combo.h"
#include "datasource/ui/panel/data_source_panel.h"
#include "dialogs/setup/field_sheet_page.h"
#include "dialogs/setup/font_sample_button.h"
#include "foundation/string/astring.h"

// The members of a field that hold its font.
struct FieldFontGroup {
  uint8_t* trueType = nullptr;
  AString* name = nullptr;
  int16_t* variation = nullptr;
  LOGFONTA* font = nullptr;
  AString* script = nullptr;  // null for a paragraph
};

// The font members of a text, paragraph or barcode (human-readable) field;
// all null for other kinds.
FieldFontGroup FontGroupOf(CField& field);

// The width scaling as the field stores it: hundredths of a percent, 100 %
// stored as 0; and as the page shows it.
int WidthScalingFromText(const std::string& text);
std::string WidthScalingText(LONG storedWidth);

// A page with a finer rotation list (IDC_FONT_ROTATION) keeps the field's
// rotation there; a page given a placeholder hosts the data-source panel in
// it, which stores the data when the sheet closes with OK.
class CFontDataPage : public CFieldSheetPage {
 public:
  explicit CFontDataPage(UINT dialogId, int panelPlaceholder = 0, DataPageKind panelKind = DataPageKind::kText);
  ~CFontDataPage() override;

  CDataSourcePanel* Panel() { return m_panel.get(); }

  // The layout's printer, whose own fonts the printer list offers.
  const char* PrinterName() const;
  // The language kind of the chosen script's character set (0 English).
  int ChosenLanguage() const;
  // The font as the controls show it, put into the field (what changed only).
  void ReadFontFromControls();

 protected:
  void DoDataExchange(CDataExchange* dx) override;
  BOOL OnInitDialog() override;
  BOOL OnKillActive() override;

  // Shows the controls of the chosen font kind (printer fonts or TrueType).
  void ArrangeFontControls();
  // Refills the scripts and sizes of the chosen face.
  void RefreshFontList(bool keepTyped);
  void RefreshSample();
  // After a change of the face or the script; derived pages follow the
  // script's language in their text boxes.
  virtual void OnFontChosen() {}

  void OnFontKind();
  void OnFaceChange();
  void OnScriptChange();
  void OnStyleChange();

  FieldFontGroup m_group;
  CFontCombo m_trueTypeList;
  CFontCombo m_printerList;
  CFontSizeCombo m_sizes;
  CFontSampleButton m_sample;
  bool m_initialising = false;
  DECLARE_MESSAGE_MAP()

 private:
  int panelPlaceholder_;
  DataPageKind panelKind_;
  std::unique_ptr<CDataSourcePanel> m_panel;
  std::string shownRotation_;

  struct Shown {
    bool printer = false;
    std::string face, size, width, script;
    bool bold = false, italic = false, underline = false, strikeOut = false;
  };
  Shown ShownNow() const;
  CFontCombo& FaceList();
  const CFontCombo& FaceList() const;
  Shown shown_;
  bool arranged_ = false;
};
