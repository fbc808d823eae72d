// Common controls: one header per control family, all reached from here.
#pragma once

#include "platform/user/user.h"
#include "platform/comctl/notify.h"
#include "platform/comctl/comctl_common.h"
#include "platform/comctl/header_control.h"
#include "platform/comctl/image_list.h"
#include "platform/comctl/mapped_bitmap.h"
#include "platform/comctl/list_view.h"
#include "platform/comctl/progress.h"
#include "platform/comctl/property_sheet.h"
#include "platform/comctl/status_bar.h"
#include "platform/comctl/tab_control.h"
#include "platform/comctl/toolbar.h"
#include "platform/comctl/tooltips.h"
#include "platform/comctl/updown.h"
