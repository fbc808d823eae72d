// What the shape and border dialogs share: lengths shown in the label's
// unit, the rotation list, the line-style list, the spinners beside the
// length edits, the checks of OK with their messages, and the colour
// buttons. A control the user left alone writes nothing back, so an
// unchanged OK leaves the field exactly as it was.
#pragma once

#include <cstdint>
#include <map>
#include <optional>
#include <vector>
#include <string>

#include "app/controls/colour_button.h"
#include "app/controls/line_style_combo.h"
#include "app/ui/skin_dialog.h"
#include "dialogs/setup/length_edits.h"

// Messages of the checks: an invalid value (the text), a value above or
// below its limit and an empty entry (the item's name).
inline constexpr UINT kMsgInvalidValue = 50051;
inline constexpr UINT kMsgAboveLimit = 50081;
inline constexpr UINT kMsgBelowLimit = 50082;
inline constexpr UINT kMsgEnterValue = 50083;

// The smallest length of a side or a line, in mils.
inline constexpr int kMinShapeLength = 10;
// Line styles the line-style lists offer.
inline constexpr int kLineStyleCount = 11;

// One spinner: its scroll bar, its edit and its bounds in mils.
struct ShapeSpinner {
  int scrollBar;
  int edit;
  double lowerMils;
  double upperMils;
};

class CShapeDialog : public CSkinDialog {
 public:
  CShapeDialog(UINT dialogId, CWnd* parent) : CSkinDialog(dialogId, parent) {}

  // The label's unit code (2 millimetres) and size, set by the runner.
  void SetUnit(int unitCode);
  int m_unit = 1;
  double m_factor = 0.001;
  int m_labelWidth = 4000;
  int m_labelHeight = 2500;

 protected:
  // Check boxes whose state the dialog remembers, so that only a changed
  // one is written back.
  void ShowCheck(int id, bool on);
  bool IsChecked(int id) const;
  bool CheckChanged(int id) const;
  // Writes a flag when its box changed.
  template <class T>
  void StoreCheck(int id, T& member) {
    if (CheckChanged(id)) member = IsChecked(id) ? 1 : 0;
  }

  // The rotation list: 0, 15 ... 345 with a line of hyphens after the
  // right angles; the edit shows the rotation in degrees.
  void FillRotationCombo(int id, int32_t rotation);
  // OK's rotation check: an edited text must be 0 to 360 degrees (kept to
  // the thousandth), else message 50051 and the text becomes "0".
  bool ReadRotation(int id, int32_t& rotation);

  // The line-style list with the style selected.
  void FillLineStyles(CLineStyleCombo& combo, int32_t style);
  // Stores the selected style when the selection changed.
  void StoreLineStyle(CLineStyleCombo& combo, int32_t& style) const;

  // OK's check of a position: an edited negative value gives message 50051
  // with the text, the value 0 and the edit showing zero.
  bool ReadPosition(int id, int32_t& value);
  // OK's check of a length (item name in English): an edited empty entry
  // gives 50083; below the lower limit 50082 and the lower limit; above an
  // upper limit 50081 and the upper limit, the edit showing the value.
  bool ReadLength(int id, const char* itemName, int lower, std::optional<int> upper, int32_t& value);

  // The dialog's spinners; a press on one (WM_VSCROLL) steps its edit.
  virtual std::vector<ShapeSpinner> Spinners() const = 0;
  LRESULT OnSpin(WPARAM wParam, LPARAM lParam);
  // The colour dialog at the button's colour; the choice goes to the button.
  bool ChooseButtonColour(CColorButton& button);

  int Message(UINT id, const std::string& argument);
  void ShowControl(int id, bool shown);

  CLengthEdits m_lengths;
  DECLARE_MESSAGE_MAP()

 private:
  std::map<int, bool> shownChecks_;
  std::map<int, std::string> shownRotation_;
  int shownStyle_ = -2;
};

// The translated name of an item of the messages.
std::string ShapeItemName(const char* english);
