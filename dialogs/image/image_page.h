// The Image Settings page of the image sheet: the data-source panel (the
// picture's source and file), a preview of the picture with the field's
// settings and a note of its size and colours, and the picture's rotation,
// sizing and mirror. Only what the user changed is written back.
#pragma once

#include <cstdint>
#include <memory>
#include <string>

#include "app/controls/shape_preview.h"
#include "datasource/ui/panel/data_source_panel.h"
#include "dialogs/setup/control_snapshot.h"
#include "dialogs/setup/field_sheet_page.h"
#include "fields/model/field_kinds.h"

// The note beside a preview: the picture's pixel size, its file's colours
// and the file's size; empty without a picture.
std::string PictureInfoText(const PLBmp* picture);
// The leading number of a rotation text, cut to whole degrees, in
// thousandths of a degree ("90-----" gives 90000, "12.7" gives 12000).
int32_t WholeDegreesFromText(const std::string& text);
// Whether the source type names a picture file the page can show.
bool ShowsPictureFile(int type);
// The picture note's light background, for a page's WM_CTLCOLOR* answer.
HBRUSH PaintInfoBox(HDC dc);

class CImagePage : public CFieldSheetPage {
 public:
  CImagePage();
  ~CImagePage() override;

  CDataSourcePanel* Panel() { return m_panel.get(); }
  CShapePreview& Preview() { return m_preview; }
  // The source type chosen in the panel (the field's own before it opens).
  int ChosenType() const;
  // The note shown beside the preview.
  std::string InfoText() const;

 protected:
  void DoDataExchange(CDataExchange* dx) override;
  BOOL OnInitDialog() override;
  BOOL OnSetActive() override;
  BOOL OnKillActive() override;
  void OnRotationChosen();
  void OnRotationTyped();
  void OnMirror();
  HBRUSH OnCtlColor(CDC* dc, CWnd* window, UINT kind);
  DECLARE_MESSAGE_MAP()

 private:
  CImageField* Field() const;
  void OnPanelChoice(int controlId);
  void ArrangeForType();
  void RefreshPreview();
  // The rotation the page shows, in thousandths of a degree.
  int32_t ShownRotation() const;
  // Refuses OK while a file-based source has no picture to show.
  bool PictureMissing();

  CShapePreview m_preview;
  std::unique_ptr<CDataSourcePanel> m_panel;
  CControlSnapshot m_shown;
  std::string m_rotationShown;
  std::string m_rotationText;
  bool m_initialising = false;
  bool m_previewLoaded = false;
};
