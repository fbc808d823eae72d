// The application framework: the classes the designer's code is written in,
// over the window system, the common controls and the common dialogs.
#pragma once

#include "platform/win.h"
#include "platform/framework/cstring.h"
#include "platform/framework/object.h"
#include "platform/framework/exceptions.h"
#include "platform/framework/file.h"
#include "platform/framework/archive.h"
#include "platform/framework/collections.h"
#include "platform/framework/resources.h"
#include "platform/framework/geometry.h"
#include "platform/framework/message_map.h"
#include "platform/framework/cmd_target.h"
#include "platform/framework/wnd.h"
#include "platform/framework/gdi_objects.h"
#include "platform/framework/menu.h"
#include "platform/framework/controls.h"
#include "platform/framework/wnd_messages.h"
