// The platform layer's C-style interface, one header per area.
#pragma once

#include "platform/win/types.h"
#include "platform/win/sync.h"
#include "platform/win/kernel.h"
#include "platform/win/nls.h"
#include "platform/win/resource.h"
#include "platform/win/gdi.h"
#include "platform/win/font.h"
#include "platform/win/clipboard.h"
#include "platform/win/spool.h"
#include "platform/win/registry.h"
