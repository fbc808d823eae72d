// The line-style combo: each entry a sample line drawn in its style.
#pragma once

#include "platform/framework.h"

class CLineStyleCombo : public CComboBox {
 public:
  ~CLineStyleCombo() override = default;
  void DrawItem(LPDRAWITEMSTRUCT dis) override;
  void MeasureItem(LPMEASUREITEMSTRUCT mis) override;
};
