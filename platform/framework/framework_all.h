// Every framework header, for the framework's own sources that need them all.
#pragma once

#include "platform/framework.h"
