// Which controls of a data page belong to which data-source type, and the
// showing of one type's group: each page kind has a table of twelve rows
// (one per type) of control numbers, each row ended by 0.
#pragma once

#include <array>
#include <map>

#include "fields/model/field_kind.h"
#include "platform/win.h"

// The data pages that host the panel.
enum class DataPageKind {
  kText,
  kBarcode,
  kParagraph,
  kImage,
};

inline constexpr int kMaxRowControls = 50;
using DataSourceControlRow = std::array<int, kMaxRowControls>;
using DataSourceControlTable = std::array<DataSourceControlRow, kDataSourceTypeCount>;
// Control number to type; a control listed under several types keeps the
// first type listed.
using DataSourceControlMap = std::map<int, int>;

const DataSourceControlTable& DataPageControlTable(DataPageKind page);
void BuildDataSourceControlMap(const DataSourceControlTable& table, DataSourceControlMap* map);
// Hides every mapped control of another type (every mapped control when
// hideAll is set, and returns), then shows the controls of the type's row,
// except the clock caption and combo, which never show. Returns 1.
int ShowDataSourceControls(HWND dialog, int type, bool hideAll, const DataSourceControlTable& table,
                           const DataSourceControlMap& map);
