// The header of every WM_NOTIFY message, which the file dialog's
// notifications (OFNOTIFY) begin with.
#pragma once

#include "platform/kernel/types.h"

struct NMHDR {
  HWND hwndFrom;
  UINT_PTR idFrom;
  UINT code;
};
using LPNMHDR = NMHDR*;
