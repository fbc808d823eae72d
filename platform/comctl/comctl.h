// Common controls: one header per control family, all reached from here.
#pragma once

#include "platform/user/user.h"
