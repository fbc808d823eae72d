// The workspace file: its bytes field by field, fixtures that are short,
// damaged or hostile, and the window and scroll position a record gives back.
#include <gtest/gtest.h>

#include <cstring>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

#include "app/frame/workspace.h"
#include "frame_test_util.h"

namespace {

void Put32(std::vector<uint8_t>& out, uint32_t v) {
  for (int i = 0; i < 4; ++i) out.push_back(static_cast<uint8_t>(v >> (8 * i)));
}

// A header as the file holds it: flag, two colours, a 260-byte folder field.
std::vector<uint8_t> Header(int32_t maximised, const std::string& folder) {
  std::vector<uint8_t> out;
  Put32(out, static_cast<uint32_t>(maximised));
  Put32(out, 0x00C39B91);
  Put32(out, 0x00F5FFFF);
  std::vector<uint8_t> field(260, 0);
  std::memcpy(field.data(), folder.data(), std::min<size_t>(folder.size(), 260));
  out.insert(out.end(), field.begin(), field.end());
  return out;
}

// A record with a path field of exactly these 260 bytes.
void Record(std::vector<uint8_t>& out, RECT r, int32_t sx, int32_t sy, const std::vector<uint8_t>& pathField) {
  for (LONG v : {r.left, r.top, r.right, r.bottom}) Put32(out, static_cast<uint32_t>(v));
  out.resize(out.size() + 28, 0xEE);  // reserved: whatever is there is ignored
  Put32(out, static_cast<uint32_t>(sx));
  Put32(out, static_cast<uint32_t>(sy));
  out.insert(out.end(), pathField.begin(), pathField.end());
}

std::vector<uint8_t> PathField(const std::string& path) {
  std::vector<uint8_t> field(260, 0);
  std::memcpy(field.data(), path.data(), std::min<size_t>(path.size(), 260));
  return field;
}

TEST(Workspace, WritesTheDocumentedLayout) {
  CWorkspace w;
  w.m_layoutMaximised = 1;
  w.m_colour1 = 0x00C39B91;
  w.m_colour2 = 0x00F5FFFF;
  w.m_currentFolder = "/home/ann/labels";
  w.m_records.push_back({RECT{10, 20, 410, 320}, 35, 70, "/home/ann/labels/box.bcd"});
  const std::vector<uint8_t> bytes = w.Encode();
  std::vector<uint8_t> expected = Header(1, "/home/ann/labels");
  Record(expected, RECT{10, 20, 410, 320}, 35, 70, PathField("/home/ann/labels/box.bcd"));
  // The writer's reserved bytes are zero.
  std::fill(expected.begin() + 272 + 16, expected.begin() + 272 + 44, 0);
  EXPECT_EQ(bytes, expected);
  EXPECT_EQ(bytes.size(), 272u + 312u);
}

TEST(Workspace, PathsTooLongForTheirFieldAreNotRecorded) {
  CWorkspace w;
  w.m_records.push_back({RECT{0, 0, 10, 10}, 0, 0, "/" + std::string(258, 'a')});  // 259 bytes: fits
  w.m_records.push_back({RECT{0, 0, 10, 10}, 0, 0, "/" + std::string(259, 'b')});  // 260: no room for the zero
  w.m_currentFolder = std::string(300, 'c');
  CWorkspace back;
  ASSERT_TRUE(back.Decode(w.Encode()));
  ASSERT_EQ(back.m_records.size(), 1u);
  EXPECT_EQ(back.m_records[0].path.size(), 259u);
  EXPECT_EQ(back.m_currentFolder, "");
}

TEST(Workspace, FixturesReadSafely) {
  struct FixtureCase {
    const char* name;
    std::vector<uint8_t> bytes;
    bool anyRecord;
    std::vector<std::string> paths;
  };
  std::vector<uint8_t> zeroPath = Header(0, "/tmp");
  Record(zeroPath, RECT{0, 0, 100, 100}, 0, 0, PathField(""));
  Record(zeroPath, RECT{0, 0, 100, 100}, 0, 0, PathField("/tmp/b.bcd"));
  std::vector<uint8_t> unterminated = Header(0, "/tmp");
  Record(unterminated, RECT{0, 0, 100, 100}, 0, 0, std::vector<uint8_t>(260, 'x'));
  std::vector<uint8_t> shortRecord = Header(0, "/tmp");
  Record(shortRecord, RECT{0, 0, 100, 100}, 0, 0, PathField("/tmp/a.bcd"));
  shortRecord.resize(shortRecord.size() + 100, 'y');  // part of a second record
  std::vector<uint8_t> folderUnterminated(272, 'f');
  const std::vector<FixtureCase> cases = {
      {"empty file", {}, false, {}},
      {"part of a header", std::vector<uint8_t>(100, 1), false, {}},
      {"header only", Header(1, "/tmp"), false, {}},
      {"zero first path byte skipped", zeroPath, true, {"/tmp/b.bcd"}},
      {"unterminated path skipped", unterminated, false, {}},
      {"short last record ignored", shortRecord, true, {"/tmp/a.bcd"}},
      {"unterminated folder", folderUnterminated, false, {}},
  };
  for (const FixtureCase& c : cases) {
    CWorkspace w;
    EXPECT_EQ(w.Decode(c.bytes), c.anyRecord) << c.name;
    std::vector<std::string> paths;
    for (const WorkspaceRecord& r : w.m_records) paths.push_back(r.path);
    EXPECT_EQ(paths, c.paths) << c.name;
    EXPECT_LT(w.m_currentFolder.size(), 260u) << c.name;
  }
}

TEST(Workspace, RectanglesThatAreNotWindowsBecomeTheDefaultSize) {
  struct RectCase {
    RECT stored;
    RECT restored;
  };
  const RectCase cases[] = {
      {RECT{10, 20, 410, 320}, RECT{10, 20, 410, 320}},
      {RECT{10, 20, 10, 320}, RECT{0, 20, 300, 320}},       // no width
      {RECT{10, 20, 410, 20}, RECT{10, 0, 410, 200}},       // no height
      {RECT{400, 300, 10, 20}, RECT{0, 0, 300, 200}},       // turned inside out
      {RECT{-2000000000, 0, 2000000000, 100}, RECT{0, 0, 300, 200}},  // absurd
  };
  for (const RectCase& c : cases) {
    std::vector<uint8_t> bytes = Header(0, "");
    Record(bytes, c.stored, 0, 0, PathField("/tmp/x.bcd"));
    CWorkspace w;
    ASSERT_TRUE(w.Decode(bytes));
    const RECT r = WorkspaceWindowRect(w.m_records[0].rect);
    EXPECT_EQ(r.left, c.restored.left);
    EXPECT_EQ(r.top, c.restored.top);
    EXPECT_EQ(r.right, c.restored.right);
    EXPECT_EQ(r.bottom, c.restored.bottom);
  }
}

TEST(Workspace, ScrollIsClampedToWhatTheLabelAllows) {
  struct ScrollCase {
    POINT stored;
    SIZE label;
    RECT window;
    POINT expected;
  };
  const ScrollCase cases[] = {
      {{50, 60}, {1000, 800}, {0, 0, 300, 200}, {50, 60}},
      {{900, 700}, {1000, 800}, {0, 0, 300, 200}, {700, 600}},
      {{700, 600}, {1000, 800}, {0, 0, 300, 200}, {700, 600}},
      {{50, 60}, {200, 100}, {0, 0, 300, 200}, {0, 0}},  // the label fits: nothing to scroll
      {{-40, -1}, {1000, 800}, {0, 0, 300, 200}, {0, 0}},
      {{2147483647, 5}, {1000, 800}, {0, 0, 300, 200}, {700, 5}},
  };
  for (const ScrollCase& c : cases) {
    const POINT p = ClampWorkspaceScroll(c.stored, c.label, c.window);
    EXPECT_EQ(p.x, c.expected.x) << c.stored.x;
    EXPECT_EQ(p.y, c.expected.y) << c.stored.y;
  }
}

TEST(Workspace, WriteAndReadTheFile) {
  frametest::Scratch dir;
  CWorkspace w;
  w.m_path = dir / "Tavrendel.wsp";
  w.m_currentFolder = "/tmp";
  w.m_records.push_back({RECT{1, 2, 301, 202}, 5, 6, "/tmp/one.bcd"});
  w.m_records.push_back({RECT{3, 4, 303, 204}, 7, 8, "/tmp/two.bcd"});
  ASSERT_EQ(w.Write(), 1);
  CWorkspace back;
  back.m_path = w.m_path;
  ASSERT_EQ(back.Read(), 1);
  ASSERT_EQ(back.m_records.size(), 2u);
  EXPECT_EQ(back.m_records[1].path, "/tmp/two.bcd");
  EXPECT_EQ(back.m_records[1].scrollX, 7);
  EXPECT_EQ(back.m_currentFolder, "/tmp");
  // A read-only workspace file is written all the same; a missing one reads 0.
  ASSERT_EQ(::chmod(w.m_path.c_str(), 0444), 0);
  w.m_records.pop_back();
  EXPECT_EQ(w.Write(), 1);
  EXPECT_EQ(back.Read(), 1);
  EXPECT_EQ(back.m_records.size(), 1u);
  back.m_path = dir / "missing.wsp";
  EXPECT_EQ(back.Read(), 0);
}

}  // namespace
