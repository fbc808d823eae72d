// The platform layer's C-style interface, one header per area.
#pragma once

#include "platform/kernel/types.h"
#include "platform/kernel/sync.h"
#include "platform/kernel/kernel.h"
#include "platform/kernel/atoms.h"
#include "platform/nls/nls.h"
#include "platform/resource/resource.h"
#include "platform/gdi/gdi.h"
#include "platform/gdi/font.h"
#include "platform/user/clipboard.h"
#include "platform/user/user.h"
#include "platform/user/message_crack.h"
#include "platform/user/controls/controls.h"
#include "platform/user/dialogs/dialogs.h"
#include "platform/user/menus/menus.h"
#include "platform/spool/spool.h"
#include "platform/shell/registry.h"
