// The archive text helpers over the framework's own archive on a file in
// memory: the bytes each mode stores, reading them back, and a truncated
// archive (the helper reports the short text; the archive's own reads throw
// CArchiveException with the end-of-file cause).
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "foundation/util/archive_text.h"
#include "platform/framework.h"

namespace {

// "中文AB" in code page 936.
const std::string kGbk = "\xD6\xD0\xCE\xC4" "AB";

struct ModeCase {
  int mode;
  std::vector<BYTE> stored;
};

std::vector<BYTE> Stored(int mode) {
  CMemFile file;
  {
    CArchive ar(&file, CArchive::store);
    EXPECT_GT(WriteArchiveText(ar, kGbk.data(), static_cast<int>(kGbk.size()), mode), 0);
    ar << static_cast<LONG>(0x01020304);  // a value after the text
    ar.Close();
  }
  return std::vector<BYTE>(file.Data(), file.Data() + file.GetLength());
}

TEST(ArchiveTextOverCArchive, EachModeStoresItsBytesAndReadsBack) {
  const ModeCase cases[] = {{0, {0xD6, 0xD0, 0xCE, 0xC4, 'A', 'B'}},
                            {1, {0x2D, 0x4E, 0x87, 0x65, 'A', 0, 'B', 0}},
                            {2, {0x4E, 0x2D, 0x65, 0x87, 0, 'A', 0, 'B'}}};
  for (const auto& c : cases) {
    std::vector<BYTE> bytes = Stored(c.mode);
    std::vector<BYTE> expected = c.stored;
    for (BYTE b : {0x04, 0x03, 0x02, 0x01}) expected.push_back(b);
    EXPECT_EQ(bytes, expected) << "mode " << c.mode;
    CMemFile file(bytes.data(), static_cast<UINT>(bytes.size()));
    CArchive ar(&file, CArchive::load);
    char buf[16] = {};
    EXPECT_EQ(ReadArchiveText(ar, buf, static_cast<int>(kGbk.size()), c.mode), static_cast<int>(kGbk.size()));
    EXPECT_EQ(std::string(buf, kGbk.size()), kGbk);
    LONG after = 0;
    ar >> after;
    EXPECT_EQ(after, 0x01020304);
  }
}

TEST(ArchiveTextOverCArchive, ATruncatedArchiveEndsTheTextAndThrowsOnTheNextValue) {
  std::vector<BYTE> bytes = Stored(1);
  bytes.resize(5);  // two and a half units of UTF-16
  CMemFile file(bytes.data(), static_cast<UINT>(bytes.size()));
  CArchive ar(&file, CArchive::load);
  char buf[16] = {};
  EXPECT_EQ(ReadArchiveText(ar, buf, static_cast<int>(kGbk.size()), 1), -1);
  int cause = -1;
  try {
    LONG after = 0;
    ar >> after;
  } catch (CArchiveException* e) {
    cause = e->m_cause;
    e->Delete();
  }
  EXPECT_EQ(cause, CArchiveException::endOfFile);
}

}  // namespace
