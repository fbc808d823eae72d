// The typed readers of resource data: compiled resource files, dialog and
// menu templates, accelerator tables, icons and cursors. Well-formed data
// comes from resource_test.rc (compiled by the resource compiler); damaged
// data is the same cut short or changed, and must be refused, never read past.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "platform/resource/accelerator_table.h"
#include "platform/resource/dialog_template.h"
#include "platform/resource/icon_resource.h"
#include "platform/resource/menu_template.h"
#include "platform/resource/res_file.h"
#include "platform/resource/resource_internal.h"
#include "platform/resource/string_table.h"
#include "platform/win.h"

namespace {

using resource::ResName;

std::vector<uint8_t> Data(WORD type, WORD id) {
  const auto data = resource::FindResourceData(nullptr, ResName{type, {}}, ResName{id, {}});
  if (!data) return {};
  return {data->begin(), data->end()};
}

// Little-endian writer for hand-built data.
struct Writer {
  std::vector<uint8_t> bytes;
  Writer& U16(uint32_t v) {
    bytes.push_back(static_cast<uint8_t>(v));
    bytes.push_back(static_cast<uint8_t>(v >> 8));
    return *this;
  }
  Writer& U32(uint32_t v) { return U16(v & 0xFFFF).U16(v >> 16); }
  Writer& Text(std::u16string_view s) {
    for (char16_t c : s) U16(c);
    return U16(0);
  }
  Writer& Align4() {
    while (bytes.size() % 4) bytes.push_back(0);
    return *this;
  }
};

// One .res record: sizes, ordinal type and name, flags, language.
void Record(Writer& w, WORD type, WORD name, std::vector<uint8_t> data) {
  w.U32(static_cast<uint32_t>(data.size())).U32(32).U16(0xFFFF).U16(type).U16(0xFFFF).U16(name);
  w.U32(0).U16(0x1030).U16(0x0409).U32(0).U32(0);
  w.bytes.insert(w.bytes.end(), data.begin(), data.end());
  w.Align4();
}

TEST(ResFile, ReadsRecordsAndSkipsTheLeadingMarker) {
  Writer w;
  Record(w, 0, 0, {});
  Record(w, 10, 7, {1, 2, 3});
  Record(w, 10, 8, {});
  std::vector<resource::ResEntry> entries;
  ASSERT_TRUE(resource::ParseResFile(w.bytes, entries));
  ASSERT_EQ(entries.size(), 2u);
  EXPECT_EQ(entries[0].type, (ResName{10, {}}));
  EXPECT_EQ(entries[0].name, (ResName{7, {}}));
  EXPECT_EQ(entries[0].language, 0x0409);
  EXPECT_EQ(std::vector<uint8_t>(entries[0].data.begin(), entries[0].data.end()), (std::vector<uint8_t>{1, 2, 3}));
  EXPECT_TRUE(entries[1].data.empty());
}

TEST(ResFile, NamedTypesAndNames) {
  Writer w;
  Writer header;
  header.Text(u"TEXT").Text(u"LOGO").Align4().U32(0).U16(0).U16(0).U32(0).U32(0);
  w.U32(2).U32(static_cast<uint32_t>(8 + header.bytes.size()));
  w.bytes.insert(w.bytes.end(), header.bytes.begin(), header.bytes.end());
  w.U16(0xABCD).Align4();
  std::vector<resource::ResEntry> entries;
  ASSERT_TRUE(resource::ParseResFile(w.bytes, entries));
  ASSERT_EQ(entries.size(), 1u);
  EXPECT_EQ(entries[0].type.text, u"TEXT");
  EXPECT_EQ(entries[0].name.text, u"LOGO");
  EXPECT_EQ(entries[0].data.size(), 2u);
}

TEST(ResFile, RefusesEverySizeOrOffsetOutsideTheData) {
  Writer good;
  Record(good, 10, 7, {1, 2, 3, 4});
  struct Case {
    const char* what;
    size_t offset;  // of a 32-bit field to replace
    uint32_t value;
  } const cases[] = {
      {"data size past the end", 0, 5},
      {"data size huge", 0, 0xFFFFFFF0u},
      {"header size below its fixed part", 4, 16},
      {"header size past the end", 4, 40},
      {"header size huge", 4, 0xFFFFFFFCu},
      {"type text without terminator fills the header", 8, 0x00410041u},
  };
  for (const Case& c : cases) {
    std::vector<uint8_t> bad = good.bytes;
    for (int i = 0; i < 4; ++i) bad[c.offset + i] = static_cast<uint8_t>(c.value >> (8 * i));
    std::vector<resource::ResEntry> entries;
    EXPECT_FALSE(resource::ParseResFile(bad, entries)) << c.what;
    EXPECT_TRUE(entries.empty()) << c.what;
  }
  // Every shorter prefix that does not end on a record boundary is refused.
  for (size_t n = 1; n < good.bytes.size(); ++n) {
    std::vector<uint8_t> cut(good.bytes.begin(), good.bytes.begin() + static_cast<long>(n));
    std::vector<resource::ResEntry> entries;
    EXPECT_FALSE(resource::ParseResFile(cut, entries)) << "cut at " << n;
  }
}

TEST(ResFile, RegisteringADamagedFileFailsAndRegistersNothing) {
  static const BYTE kBad[] = {4, 0, 0, 0, 32, 0, 0, 0, 0xFF, 0xFF};
  EXPECT_FALSE(RegisterModuleResourceFile(CurrentModuleHandle(), kBad));
  EXPECT_EQ(GetLastError(), ERROR_INVALID_DATA);
  EXPECT_FALSE(UnregisterModuleResourceFile(CurrentModuleHandle(), kBad));
}

TEST(DialogTemplate, StandardLayoutFromTheResourceCompiler) {
  const std::vector<uint8_t> data = Data(5, 100);
  ASSERT_FALSE(data.empty());
  resource::DialogTemplate t;
  ASSERT_TRUE(resource::ParseDialogTemplate(data, t));
  EXPECT_FALSE(t.extended);
  EXPECT_EQ(t.style & 0x40u, 0x40u) << "DS_SETFONT";
  EXPECT_EQ(t.x, 10);
  EXPECT_EQ(t.y, 20);
  EXPECT_EQ(t.cx, 200);
  EXPECT_EQ(t.cy, 100);
  EXPECT_EQ(t.title, u"Standard");
  EXPECT_TRUE(t.hasFont);
  EXPECT_EQ(t.pointSize, 8);
  EXPECT_EQ(t.faceName, u"MS Sans Serif");
  EXPECT_EQ(t.menu, ResName{});
  EXPECT_EQ(t.windowClass, ResName{});
  struct Row {
    DWORD id;
    ResName windowClass;
    ResName title;
    short x, y, cx, cy;
  } const rows[] = {
      {1, {0x80, {}}, {0, u"OK"}, 140, 10, 50, 14},
      {2, {0x80, {}}, {0, u"Cancel"}, 140, 30, 50, 14},
      {0xFFFF, {0x82, {}}, {0, u"&Name:"}, 10, 10, 40, 8},
      {1001, {0x81, {}}, {}, 50, 10, 80, 12},
      {1002, {0x82, {}}, {300, {}}, 10, 40, 0, 0},
      {1003, {0, u"TavGrid"}, {0, u"Custom"}, 10, 70, 60, 20},
  };
  ASSERT_EQ(t.items.size(), std::size(rows));
  for (size_t i = 0; i < std::size(rows); ++i) {
    const resource::DialogItemTemplate& item = t.items[i];
    EXPECT_EQ(item.id, rows[i].id) << i;
    EXPECT_EQ(item.windowClass, rows[i].windowClass) << i;
    EXPECT_EQ(item.title, rows[i].title) << i;
    EXPECT_EQ(item.x, rows[i].x) << i;
    EXPECT_EQ(item.y, rows[i].y) << i;
    EXPECT_EQ(item.cx, rows[i].cx) << i;
    EXPECT_EQ(item.cy, rows[i].cy) << i;
  }
  EXPECT_EQ(t.items[0].style & 0xFu, 1u) << "BS_DEFPUSHBUTTON";
  EXPECT_NE(t.items[1].style & 0x08000000u, 0u) << "WS_DISABLED";
  EXPECT_NE(t.items[3].style & 0x2000u, 0u) << "ES_NUMBER";
}

TEST(DialogTemplate, ExtendedLayoutFromTheResourceCompiler) {
  const std::vector<uint8_t> data = Data(5, 101);
  resource::DialogTemplate t;
  ASSERT_TRUE(resource::ParseDialogTemplate(data, t));
  EXPECT_TRUE(t.extended);
  EXPECT_EQ(t.exStyle, 0x400u) << "WS_EX_CONTEXTHELP";
  EXPECT_EQ(t.title, u"Extended");
  EXPECT_EQ(t.pointSize, 9);
  EXPECT_EQ(t.weight, 700);
  EXPECT_TRUE(t.italic);
  EXPECT_EQ(t.faceName, u"Segoe UI");
  ASSERT_EQ(t.items.size(), 4u);
  EXPECT_EQ(t.items[0].id, 2001u);
  EXPECT_EQ(t.items[0].windowClass, (ResName{0x80, {}}));
  EXPECT_EQ(t.items[0].title, (ResName{0, u"&Check"}));
  EXPECT_EQ(t.items[0].helpId, 77u);
  EXPECT_EQ(t.items[1].windowClass, (ResName{0x85, {}}));
  EXPECT_EQ(t.items[2].windowClass, (ResName{0x83, {}}));
  EXPECT_EQ(t.items[3].windowClass, (ResName{0x84, {}}));
}

TEST(DialogTemplate, CreationDataAndMenuByHand) {
  // Standard layout: a menu by name, a class by ordinal, one item with
  // creation data of 4 bytes (the size word counts itself: 6).
  Writer w;
  w.U32(0x80000000u).U32(0).U16(1).U16(1).U16(2).U16(3).U16(4).Text(u"MAIN").U16(0xFFFF).U16(0x8002).Text(u"T");
  w.Align4().U32(0x50000000u).U32(0).U16(5).U16(6).U16(7).U16(8).U16(42).U16(0xFFFF).U16(0x80).Text(u"B");
  w.U16(6).U16(0xBEEF).U16(0xCAFE);
  resource::DialogTemplate t;
  ASSERT_TRUE(resource::ParseDialogTemplate(w.bytes, t));
  EXPECT_EQ(t.menu.text, u"MAIN");
  EXPECT_EQ(t.windowClass, (ResName{0x8002, {}}));
  EXPECT_FALSE(t.hasFont);
  ASSERT_EQ(t.items.size(), 1u);
  EXPECT_EQ(t.items[0].creationData.size(), 4u);
  EXPECT_EQ(t.items[0].creationData[0], 0xEF);
}

TEST(DialogTemplate, EveryCutOrImpossibleCountIsRefused) {
  for (WORD id : {WORD{100}, WORD{101}}) {
    const std::vector<uint8_t> data = Data(5, id);
    ASSERT_FALSE(data.empty());
    // The last item's creation-data word is the template's end; any cut
    // before it loses part of the template.
    for (size_t n = 0; n + 1 < data.size(); ++n) {
      resource::DialogTemplate t;
      EXPECT_FALSE(resource::ParseDialogTemplate(std::span(data.data(), n), t)) << id << " cut at " << n;
      EXPECT_TRUE(t.items.empty());
    }
  }
  std::vector<uint8_t> data = Data(5, 100);
  data[8] = 0xFF;  // item count 0x??FF
  data[9] = 0xFF;
  resource::DialogTemplate t;
  EXPECT_FALSE(resource::ParseDialogTemplate(data, t));
  // A standard-layout creation-data size of 1 cannot count its own word.
  Writer w;
  w.U32(0).U32(0).U16(1).U16(0).U16(0).U16(0).U16(0).U16(0).U16(0).U16(0);
  w.Align4().U32(0).U32(0).U16(0).U16(0).U16(0).U16(0).U16(1).U16(0xFFFF).U16(0x80).U16(0).U16(1);
  EXPECT_FALSE(resource::ParseDialogTemplate(w.bytes, t));
}

TEST(MenuTemplate, StandardLayoutFromTheResourceCompiler) {
  const std::vector<uint8_t> data = Data(4, 200);
  resource::MenuTemplate m;
  ASSERT_TRUE(resource::ParseMenuTemplate(data, m));
  EXPECT_FALSE(m.extended);
  ASSERT_EQ(m.items.size(), 2u);
  const resource::MenuItemTemplate& file = m.items[0];
  EXPECT_TRUE(file.popup);
  EXPECT_EQ(file.text, u"&File");
  ASSERT_EQ(file.children.size(), 4u);
  EXPECT_EQ(file.children[0].text, u"&Open...\tCtrl+O");
  EXPECT_EQ(file.children[0].id, 10u);
  EXPECT_EQ(file.children[1].text, u"") << "separator";
  EXPECT_EQ(file.children[1].id, 0u);
  ASSERT_EQ(file.children[2].children.size(), 2u);
  EXPECT_EQ(file.children[2].children[0].flags, 0x8u) << "MF_CHECKED";
  EXPECT_EQ(file.children[2].children[1].flags, 0x1u) << "MF_GRAYED";
  EXPECT_EQ(file.children[3].id, 13u);
  EXPECT_EQ(m.items[1].flags, 0x4000u) << "MF_HELP";
  EXPECT_EQ(m.items[1].id, 14u);
}

TEST(MenuTemplate, ExtendedLayoutByHand) {
  Writer w;
  w.U16(1).U16(4).U32(99);  // version, offset, help id
  w.U32(0).U32(0).U32(30).U16(0x01).Text(u"&Edit").Align4().U32(555);
  w.U32(0).U32(0x1000).U32(31).U16(0).Text(u"&Undo").Align4();
  w.U32(0x800).U32(0).U32(0).U16(0x80).Text(u"").Align4();
  w.U32(0x4000).U32(0).U32(33).U16(0x80).Text(u"&About").Align4();
  resource::MenuTemplate m;
  ASSERT_TRUE(resource::ParseMenuTemplate(w.bytes, m));
  EXPECT_TRUE(m.extended);
  EXPECT_EQ(m.helpId, 99u);
  ASSERT_EQ(m.items.size(), 2u);
  EXPECT_EQ(m.items[0].helpId, 555u);
  ASSERT_EQ(m.items[0].children.size(), 2u);
  EXPECT_EQ(m.items[0].children[0].state, 0x1000u) << "MFS_DEFAULT";
  EXPECT_EQ(m.items[0].children[1].flags, 0x800u) << "MFT_SEPARATOR";
  EXPECT_EQ(m.items[1].flags, 0x4000u) << "MFT_RIGHTJUSTIFY";
  // Cut inside the header or after it (the header alone is an empty menu).
  for (size_t n = 0; n + 1 < w.bytes.size(); ++n) {
    if (n == 8) continue;
    EXPECT_FALSE(resource::ParseMenuTemplate(std::span(w.bytes.data(), n), m)) << "cut at " << n;
  }
}

TEST(MenuTemplate, RefusesCutsVersionsAndEndlessNesting) {
  const std::vector<uint8_t> data = Data(4, 200);
  resource::MenuTemplate m;
  for (size_t n = 5; n < data.size(); ++n)
    EXPECT_FALSE(resource::ParseMenuTemplate(std::span(data.data(), n), m)) << "cut at " << n;
  Writer version;
  version.U16(2).U16(0);
  EXPECT_FALSE(resource::ParseMenuTemplate(version.bytes, m));
  Writer deep;
  deep.U16(0).U16(0);
  for (int i = 0; i < 1000; ++i) deep.U16(0x10).Text(u"p");
  EXPECT_FALSE(resource::ParseMenuTemplate(deep.bytes, m)) << "popups nested beyond the limit";
  Writer empty;
  empty.U16(0).U16(0);
  EXPECT_TRUE(resource::ParseMenuTemplate(empty.bytes, m));
  EXPECT_TRUE(m.items.empty());
}

TEST(AcceleratorTable, FromTheResourceCompiler) {
  const std::vector<uint8_t> data = Data(9, 202);
  std::vector<resource::AcceleratorEntry> table;
  ASSERT_TRUE(resource::ParseAcceleratorTable(data, table));
  // flags: FVIRTKEY 1, FNOINVERT 2, FSHIFT 4, FCONTROL 8, FALT 0x10.
  const std::vector<resource::AcceleratorEntry> expected = {
      {0x09, 'O', 10}, {0x01, 0x70, 14}, {0x00, 0x1A, 31}, {0x00, 'a', 40}, {0x07, 0x2E, 41},
  };
  EXPECT_EQ(table, expected);
  for (size_t n = 0; n < data.size(); ++n)
    EXPECT_FALSE(resource::ParseAcceleratorTable(std::span(data.data(), n), table)) << "cut at " << n;
}

TEST(IconResource, GroupPicksTheNearestSizeAndImagesDecode) {
  resource::IconDirectory dir;
  ASSERT_TRUE(resource::ParseIconDirectory(Data(14, 300), dir));
  EXPECT_FALSE(dir.cursor);
  ASSERT_EQ(dir.entries.size(), 2u);
  EXPECT_EQ(resource::ChooseIconEntry(dir, 16, 16), 0);
  EXPECT_EQ(resource::ChooseIconEntry(dir, 0, 0), 1) << "the system size, 32";
  EXPECT_EQ(resource::ChooseIconEntry(dir, 48, 48), 1);

  resource::IconImage small;
  ASSERT_TRUE(resource::ParseIconImage(Data(3, dir.entries[0].id), false, small));
  EXPECT_EQ(small.width, 16);
  EXPECT_TRUE(small.hasAlpha);
  EXPECT_EQ(small.pixels[5 * 16 + 5], 0xFFFF0000u) << "opaque red inside";
  EXPECT_EQ(small.mask[0], 1) << "transparent corner";
  EXPECT_EQ(small.mask[5 * 16 + 5], 0);

  resource::IconImage large;
  ASSERT_TRUE(resource::ParseIconImage(Data(3, dir.entries[1].id), false, large));
  EXPECT_EQ(large.width, 32);
  EXPECT_EQ(large.pixels[10 * 32 + 3], 0xFF0000FFu) << "blue left half (top-down rows)";
  EXPECT_EQ(large.pixels[10 * 32 + 30], 0xFF00FF00u) << "green right half";
  EXPECT_EQ(large.mask[0], 1);
  EXPECT_EQ(large.mask[31 * 32 + 0], 0) << "only the top-left corner is transparent";
}

TEST(IconResource, CursorKeepsItsHotSpot) {
  resource::IconDirectory dir;
  ASSERT_TRUE(resource::ParseIconDirectory(Data(12, 301), dir));
  EXPECT_TRUE(dir.cursor);
  ASSERT_EQ(dir.entries.size(), 1u);
  EXPECT_EQ(dir.entries[0].height, 32);
  resource::IconImage image;
  const std::vector<uint8_t> data = Data(1, dir.entries[0].id);
  ASSERT_TRUE(resource::ParseIconImage(data, true, image));
  EXPECT_EQ(image.hotSpot.x, 3);
  EXPECT_EQ(image.hotSpot.y, 5);
  EXPECT_EQ(image.pixels[5 * 32 + 2], 0xFFFFFFFFu);
  EXPECT_EQ(image.mask[5 * 32 + 2], 0);
  EXPECT_EQ(image.mask[5 * 32 + 6], 1);
  for (size_t n = 0; n < data.size(); ++n)
    EXPECT_FALSE(resource::ParseIconImage(std::span(data.data(), n), true, image)) << "cut at " << n;
}

TEST(IconResource, RefusesImpossibleHeaders) {
  std::vector<uint8_t> data = Data(3, 1);
  ASSERT_GE(data.size(), 40u);
  struct Case {
    const char* what;
    size_t offset;
    uint32_t value;
  } const cases[] = {
      {"odd height", 8, 33}, {"zero width", 4, 0}, {"negative width", 4, 0xFFFFFFF0u},
      {"too wide", 4, 4096}, {"compressed", 16, 1}, {"header too short", 0, 12},
  };
  for (const Case& c : cases) {
    std::vector<uint8_t> bad = data;
    for (int i = 0; i < 4; ++i) bad[c.offset + i] = static_cast<uint8_t>(c.value >> (8 * i));
    resource::IconImage image;
    EXPECT_FALSE(resource::ParseIconImage(bad, false, image)) << c.what;
  }
}

TEST(IconResource, IndicesPastAShortColourTableReadAsBlack) {
  // 2 x 2 at 4 bits with a table of one colour (white); pixels use index 15.
  Writer w;
  w.U32(40).U32(2).U32(4).U16(1).U16(4).U32(0).U32(0).U32(0).U32(0).U32(1).U32(0);
  w.U32(0x00FFFFFF);
  for (int row = 0; row < 2; ++row) w.U32(0x000000FF);  // colour rows: indices 15, 15
  for (int row = 0; row < 2; ++row) w.U32(0);           // mask rows
  resource::IconImage image;
  ASSERT_TRUE(resource::ParseIconImage(w.bytes, false, image));
  EXPECT_EQ(image.pixels[0], 0xFF000000u);
}

TEST(StringTable, BlocksHoldSixteenStrings) {
  EXPECT_EQ(resource::StringBlockId(0), 1);
  EXPECT_EQ(resource::StringBlockId(15), 1);
  EXPECT_EQ(resource::StringBlockId(16), 2);
  EXPECT_EQ(resource::StringBlockId(0xFFFF), 0x1000);
  Writer block;
  block.U16(0).U16(2).U16('h').U16('i');  // id 0 empty, id 1 "hi", the rest missing
  auto one = resource::FindStringInBlock(block.bytes, 1);
  ASSERT_TRUE(one);
  EXPECT_EQ(one->length(), 2u);
  EXPECT_EQ(one->at(1), u'i');
  EXPECT_FALSE(resource::FindStringInBlock(block.bytes, 2)) << "block too short";
  Writer lying;
  lying.U16(500).U16('x');
  EXPECT_FALSE(resource::FindStringInBlock(lying.bytes, 0)) << "length past the block";
  EXPECT_FALSE(resource::FindStringInBlock(lying.bytes, 3));
}

TEST(StringTable, LoadStringNeverWritesPastTheBuffer) {
  struct Case {
    int size;
    int result;
    std::u16string text;
  } const cases[] = {
      {1, 0, u""}, {2, 1, u"H"}, {5, 4, u"Hell"}, {6, 5, u"Hello"}, {64, 5, u"Hello"},
  };
  for (const Case& c : cases) {
    std::vector<WCHAR> buffer(static_cast<size_t>(c.size) + 4, u'#');
    EXPECT_EQ(LoadStringW(nullptr, 1, buffer.data(), c.size), c.result) << c.size;
    EXPECT_EQ(std::u16string(buffer.data()), c.text) << c.size;
    for (size_t i = static_cast<size_t>(c.size); i < buffer.size(); ++i) EXPECT_EQ(buffer[i], u'#') << c.size;
    std::vector<char> narrow(static_cast<size_t>(c.size) + 4, '#');
    EXPECT_EQ(LoadStringA(nullptr, 1, narrow.data(), c.size), c.result) << c.size;
    for (size_t i = static_cast<size_t>(c.size); i < narrow.size(); ++i) EXPECT_EQ(narrow[i], '#') << c.size;
  }
  EXPECT_EQ(LoadStringW(nullptr, 1, nullptr, 10), 0);
  EXPECT_EQ(GetLastError(), ERROR_INVALID_PARAMETER);
  WCHAR w[4] = {u'#'};
  EXPECT_EQ(LoadStringW(nullptr, 1, w, -1), 0);
  EXPECT_EQ(LoadStringW(nullptr, 0x10000 + 1, w, 4), 0) << "ids are 16-bit";
  EXPECT_EQ(LoadStringW(nullptr, 3, w, 4), 0) << "an empty string is no string";
  EXPECT_EQ(w[0], u'\0');
}

TEST(ResourceKeys, WideNamesAndHashNumbers) {
  EXPECT_NE(FindResourceW(nullptr, MAKEINTRESOURCEW(100), reinterpret_cast<LPCWSTR>(RT_DIALOG)), nullptr);
  EXPECT_NE(FindResourceW(nullptr, u"#100", u"#5"), nullptr);
  EXPECT_EQ(FindResourceW(nullptr, u"#", u"#5"), nullptr);
  EXPECT_EQ(FindResourceW(nullptr, u"#70000", u"#5"), nullptr);
  EXPECT_EQ(FindResourceW(nullptr, nullptr, u"#5"), nullptr);
  EXPECT_EQ(GetLastError(), ERROR_INVALID_PARAMETER);
}

}  // namespace
