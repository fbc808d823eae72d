// The fields of a layout in drawing order; the list owns them.
#pragma once

#include <memory>
#include <vector>

#include "fields/model/field.h"

using CFieldList = std::vector<std::unique_ptr<CField>>;
