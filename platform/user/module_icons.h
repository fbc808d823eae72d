// Icons and cursors of a module's resources (RT_GROUP_ICON / RT_GROUP_CURSOR
// and their images), made into icon handles of the window system.
#pragma once

#include <optional>

#include "platform/resource/res_name.h"
#include "platform/user/user.h"

namespace user {

// The image of the group that suits the system size best; null (and the last
// error) when the module has no such group or its data is damaged. Each call
// makes a new handle, which DestroyIcon / DestroyCursor frees.
HICON LoadModuleIcon(HINSTANCE module, const std::optional<resource::ResName>& name, bool cursor);

}  // namespace user
