// CSetPositionDlg: the modal dialog that places one field by one of its
// nine anchor points, in the layout's unit.
#pragma once

#include "platform/framework.h"

class CField;
class CRvoDoc;

class CSetPositionDlg : public CDialog {
 public:
  CSetPositionDlg(CField& field, CRvoDoc& doc, CWnd* parent = nullptr);
  BOOL OnInitDialog() override;
  void OnOK() override;

  int m_anchor = 0;  // the selected index of the anchor list
  int m_x = 0;       // mils
  int m_y = 0;
  CField* m_field;
  CRvoDoc* m_doc;
  int m_templateId;
  double m_factor;

 protected:
  void OnVScroll(UINT code, UINT pos, CScrollBar* bar);
  DECLARE_MESSAGE_MAP()
};

// Runs the dialog for the field; on OK the field's reference position
// becomes the one entered (nothing else of the field changes; the caller
// records the undo step and repaints). 1 when confirmed.
int RunSetPositionDialog(CField* field, CRvoDoc* doc, CWnd* parent = nullptr);
