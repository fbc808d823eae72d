// The Options page of the image sheet: the field's name, its output flags
// and the picture adjustments (black and white with a dithering method,
// grayscale, negative, brightness and contrast), with a preview of the
// picture as adjusted. Only what the user changed is written back.
#pragma once

#include <string>

#include "app/controls/shape_preview.h"
#include "dialogs/setup/control_snapshot.h"
#include "dialogs/setup/field_sheet_page.h"
#include "fields/model/field_kinds.h"

// The bounds of the adjustments.
inline constexpr int kBrightnessMin = -100, kBrightnessMax = 100;
inline constexpr int kContrastMin = -100, kContrastMax = 800;

class CImageOptionsPage : public CFieldSheetPage {
 public:
  CImageOptionsPage();
  ~CImageOptionsPage() override;
  CShapePreview& Preview() { return m_preview; }

 protected:
  void DoDataExchange(CDataExchange* dx) override;
  BOOL OnInitDialog() override;
  BOOL OnSetActive() override;
  BOOL OnKillActive() override;
  void OnBlackWhite();
  void OnGrayscale();
  void OnBrightness();
  void OnContrast();
  void OnLookChange();
  LRESULT OnSpin(WPARAM wParam, LPARAM lParam);
  HBRUSH OnCtlColor(CDC* dc, CWnd* window, UINT kind);
  DECLARE_MESSAGE_MAP()

 private:
  CImageField* Field() const;
  bool Checked(int id) const;
  void SetChecked(int id, bool on);
  // The colour mode the check boxes show: 0 none, 1 black and white, 2 grey.
  int ShownMode() const;
  // Reads an adjustment's edit, rewriting it only when it was out of bounds.
  void ClampEdit(int id, int lowest, int highest);
  void ArrangeDither();
  void RefreshPreview();
  bool OneBitSource() const;

  CShapePreview m_preview;
  CControlSnapshot m_shown;
  AString m_openingName;
  bool m_initialising = false;
};
