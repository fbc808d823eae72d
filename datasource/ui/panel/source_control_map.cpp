#include "datasource/ui/panel/source_control_map.h"

#include <initializer_list>

#include "datasource/ui/panel/panel_ids.h"

namespace {

// A row from its control numbers; the rest stays 0, which ends it.
consteval DataSourceControlRow Row(std::initializer_list<int> ids) {
  if (ids.size() >= kMaxRowControls) throw "a row must end with 0";
  DataSourceControlRow row{};
  int i = 0;
  for (const int id : ids) {
    if (id <= 0) throw "control numbers are positive";
    row[i++] = id;
  }
  return row;
}

constexpr DataSourceControlRow kNone = Row({});
constexpr DataSourceControlRow kLinkFile = Row({1424, 1229, 1298, 1562, 1230, 1565, 1563});
constexpr DataSourceControlRow kTextPrompt =
    Row({1372, 1450, 1005, 1180, 1006, 1181, 1167, 1301, 1169, 1302, 1190, 1018, 1389, 1390});
constexpr DataSourceControlRow kChooseList = Row({1816, 1372, 1450, 1167, 1301, 1169, 1302, 1306, 1186, 1187, 1307});
constexpr DataSourceControlRow kCounter = Row({1816, 1308, 1188, 1451, 1189, 1004, 1597});
constexpr DataSourceControlRow kDateTime = Row({1172, 1303, 1183, 1304, 1184, 1007, 1388, 1185, 1305});
constexpr DataSourceControlRow kTextLink = Row({1808, 1678, 1674, 1673, 1675, 1802, 1807, 1804});
constexpr DataSourceControlRow kTextDatabase =
    Row({4,    1821, 1817, 1818, 1819, 1820, 1629, 1630, 1633, 1634, 1632, 1631, 1648,
         1645, 1649, 1646, 1670, 1635, 1636, 1647, 1650, 1642, 1699, 1008, 1391, 1700});
constexpr DataSourceControlRow kStrings = Row({1893, 1898, 1896, 1897, 1894, 1899, 1900, 1648, 1645, 1895, 1901});
constexpr DataSourceControlRow kParagraphLink = Row({1808, 1678, 1674, 1673, 1802, 1807, 1804});
constexpr DataSourceControlRow kParagraphDatabase = Row({4,    1821, 1817, 1818, 1819, 1820, 1629, 1630, 1633, 1634, 1632,
                                                         1631, 1649, 1646, 1670, 1635, 1636, 1647, 1650, 1642, 1696});
// The image page shows the linked key's note (1818) too, so that it goes with
// the group when another source is chosen.
constexpr DataSourceControlRow kImageDatabase =
    Row({4, 1821, 1817, 1818, 1819, 1820, 1629, 1630, 1633, 1634, 1632, 1631, 1648, 1645, 1649, 1646, 1670, 1635, 1636,
         1647, 1650, 1642, 1696});

// Rows by type: 0 Fixed Data, 1 Link To File, 2 Prompt Before Print, 3 Choose
// From List, 4 Counter File, 5 Date, 6 Time, 7 Link/Expression, 8 Database,
// 9 Port Watch, 10 On Shift, 11 Strings In File.
constexpr DataSourceControlTable kTextPage = {Row({1001, 1173}), kNone,     kTextPrompt,   kChooseList,
                                              kCounter,          kDateTime, kDateTime,     kTextLink,
                                              kTextDatabase,     kNone,     kNone,         kStrings};
constexpr DataSourceControlTable kBarcodePage = {Row({1001, 1173, 1174}), kLinkFile, kTextPrompt,   kChooseList,
                                                 kCounter,                kDateTime, kDateTime,     kTextLink,
                                                 kTextDatabase,           kNone,     kNone,         kNone};
constexpr DataSourceControlTable kParagraphPage = {
    Row({1001, 1173}), kLinkFile, Row({1372, 1450, 1005, 1180, 1006, 1181, 1167, 1301, 1169, 1302, 1389, 1390}),
    kNone,             kNone,     kNone,
    kNone,             kParagraphLink, kParagraphDatabase,
    kNone,             kNone,     kNone};
constexpr DataSourceControlTable kImagePage = {Row({1555, 1436, 1229, 1298, 1562, 1172, 1230, 1564, 1563}),
                                               Row({1555, 1436, 1229, 1298, 1562, 1172, 1230, 1565, 1563}),
                                               Row({1372, 1450, 1302, 1169}),
                                               kNone,
                                               kNone,
                                               kNone,
                                               kNone,
                                               Row({1808, 1678, 1674, 1802, 1807, 1804}),
                                               kImageDatabase,
                                               kNone,
                                               kNone,
                                               kNone};

void Show(HWND dialog, int id, bool show) {
  if (HWND control = ::GetDlgItem(dialog, id)) {
    const bool visible = (::GetWindowLongA(control, GWL_STYLE) & WS_VISIBLE) != 0;
    if (visible != show) ::ShowWindow(control, show ? SW_SHOWNA : SW_HIDE);
  }
}

}  // namespace

const DataSourceControlTable& DataPageControlTable(DataPageKind page) {
  switch (page) {
    case DataPageKind::kBarcode: return kBarcodePage;
    case DataPageKind::kParagraph: return kParagraphPage;
    case DataPageKind::kImage: return kImagePage;
    case DataPageKind::kText: break;
  }
  return kTextPage;
}

void BuildDataSourceControlMap(const DataSourceControlTable& table, DataSourceControlMap* map) {
  map->clear();
  for (int type = 0; type < kDataSourceTypeCount; ++type)
    for (const int id : table[type]) {
      if (id == 0) break;
      map->emplace(id, type);  // the first type listed stays
    }
}

int ShowDataSourceControls(HWND dialog, int type, bool hideAll, const DataSourceControlTable& table,
                           const DataSourceControlMap& map) {
  for (const auto& [id, owner] : map)
    if (hideAll || owner != type) Show(dialog, id, false);
  if (hideAll || type < 0 || type >= kDataSourceTypeCount) return 1;
  for (const int id : table[type]) {
    if (id == 0) break;
    // The clock is always the PC clock: its caption and list never show.
    if (id == IDC_DS_CLOCK_CAPTION || id == IDC_DS_CLOCK) continue;
    Show(dialog, id, true);
  }
  return 1;
}
