// The "Barcode Layout Setup" dialog: the label's width and height in the
// layout's unit, its rotation, shape, background colour and description.
// RunLayoutSetup applies what was accepted and turns the fields when the
// rotation changed.
#pragma once

#include "fields/model/field_list.h"
#include "fields/services/label_setup.h"
#include "platform/framework.h"

class CRvoDoc;

inline constexpr UINT kLayoutSetupDialogId = 174;
inline constexpr int kWidthEditId = 1323;
inline constexpr int kHeightEditId = 1324;
inline constexpr int kWidthSpinId = 1628;
inline constexpr int kHeightSpinId = 1629;
inline constexpr int kRotationListId = 1137;
inline constexpr int kShapeListId = 1138;
inline constexpr int kBackgroundButtonId = 1201;
inline constexpr int kDescriptionEditId = 1556;
// Shown when a size is not a number or lies outside the spinners' bounds.
inline constexpr const char* kLabelSizeRefused = "The label width and height must lie between %s and %s.";

class CLayoutSetupDlg : public CDialog {
 public:
  // Edits `setup` (the runner's working copy).
  CLayoutSetupDlg(CLabelSetup& setup, CWnd* parent = nullptr);

  BOOL OnInitDialog() override;
  void OnOK() override;
  void OnVScroll(UINT code, UINT position, CScrollBar* bar);
  void OnBackgroundColour();
  void OnDrawItem(int id, LPDRAWITEMSTRUCT item);

  CLabelSetup& setup;
  double factor;  // length units per thousandth of an inch

 private:
  void StepSize(int editId, int direction);
  void ShowSize(int editId, int mils);

  DECLARE_MESSAGE_MAP()
};

// Runs the dialog on a copy of the setup. 0 when cancelled (nothing changes);
// 1 when accepted with the same width and height, 2 with another. An
// accepted setup replaces the layout's (the flag at offset 37 cleared), the
// layout turns by the quarter turns the rotation moved, and the status bar
// shows the label size.
int RunLayoutSetup(CLabelSetup& setup, CFieldList& fields);
// The same for a document, which becomes modified when the dialog was
// accepted.
int RunLayoutSetup(CRvoDoc& doc);
