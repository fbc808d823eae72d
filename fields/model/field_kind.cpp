#include "fields/model/field_kind.h"

#include <array>
#include <cstddef>

namespace {

constexpr std::array<const char*, kDataSourceTypeCount> kDataSourceNames = {
    "Fixed Data", "Link To File", "Prompt Before Print", "Choose From List", "Counter File", "Date",
    "Time",       "Link/Expression", "Database",          "Port Watch",       "On Shift",     "Strings In File",
};

constexpr std::array<const char*, 10> kKindNames = {
    "Line", "Box", "Text", "Barcode", "Image", "Ole", "Paragraph", "Rtf", "Border", "RRect",
};

}  // namespace

const char* DataSourceName(int type) {
  return type >= 0 && type < kDataSourceTypeCount ? kDataSourceNames[static_cast<std::size_t>(type)] : nullptr;
}

const char* FieldKindName(int kind) {
  return kind >= 0 && kind < static_cast<int>(kKindNames.size()) ? kKindNames[static_cast<std::size_t>(kind)] : nullptr;
}
