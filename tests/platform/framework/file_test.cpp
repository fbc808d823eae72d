// CFile, CStdioFile (text mode line ends) and CMemFile.
#include <gtest/gtest.h>

#include <cstdio>
#include <fstream>
#include <iterator>
#include <string>

#include "framework_test_util.h"

namespace {

std::string Contents(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  return std::string(std::istreambuf_iterator<char>(in), {});
}

TEST(FrameworkFile, WritesReadsSeeksAndReportsItsLength) {
  fwtest::Scratch dir;
  const std::string path = dir / "data.bin";
  {
    CFile file(path.c_str(), CFile::modeCreate | CFile::modeWrite);
    file.Write("abcdef", 6);
    EXPECT_EQ(file.GetLength(), 6u);
    EXPECT_EQ(file.GetFileName(), CString("data.bin"));
    EXPECT_EQ(file.GetFileTitle(), CString("data"));
    file.Close();
  }
  CFile file;
  ASSERT_TRUE(file.Open(path.c_str(), CFile::modeRead));
  char buf[8] = {};
  EXPECT_EQ(file.Seek(2, CFile::begin), 2u);
  EXPECT_EQ(file.Read(buf, 8), 4u);  // only what is there
  EXPECT_STREQ(buf, "cdef");
  EXPECT_EQ(file.Read(buf, 8), 0u);
}

TEST(FrameworkFile, OpenFailuresGiveTheirCause) {
  fwtest::Scratch dir;
  CFileException error;
  CFile file;
  EXPECT_FALSE(file.Open((dir / "missing.bin").c_str(), CFile::modeRead, &error));
  EXPECT_EQ(error.m_cause, CFileException::fileNotFound);
  EXPECT_FALSE(file.Open((dir / "no/such/folder/x.bin").c_str(), CFile::modeRead, &error));
  EXPECT_EQ(error.m_cause, CFileException::badPath);
  EXPECT_EQ(fwtest::CauseOf<CFileException>([&] { CFile f((dir / "gone.bin").c_str(), CFile::modeRead); }),
            CFileException::fileNotFound);
}

TEST(FrameworkStdioFile, TextModeWritesCrLfAndReadsLines) {
  fwtest::Scratch dir;
  const std::string path = dir / "lines.txt";
  {
    CStdioFile file(path.c_str(), CFile::modeCreate | CFile::modeWrite | CFile::typeText);
    file.WriteString("first\nsecond\n");
    file.WriteString("third");
    file.Close();
  }
  EXPECT_EQ(Contents(path), "first\r\nsecond\r\nthird");
  CStdioFile file(path.c_str(), CFile::modeRead | CFile::typeText);
  char line[64];
  ASSERT_NE(file.ReadString(line, sizeof line), nullptr);
  EXPECT_STREQ(line, "first\n");  // the buffer form keeps the line end, as "\n"
  CString text;
  ASSERT_TRUE(file.ReadString(text));
  EXPECT_EQ(text, CString("second"));
  ASSERT_TRUE(file.ReadString(text));
  EXPECT_EQ(text, CString("third"));
  EXPECT_FALSE(file.ReadString(text));
}

TEST(FrameworkStdioFile, BinaryModeKeepsTheBytes) {
  fwtest::Scratch dir;
  const std::string path = dir / "raw.txt";
  {
    CStdioFile file(path.c_str(), CFile::modeCreate | CFile::modeWrite | CFile::typeBinary);
    file.WriteString("a\nb\r\n");
    file.Close();
  }
  EXPECT_EQ(Contents(path), "a\nb\r\n");
  CStdioFile file(path.c_str(), CFile::modeRead | CFile::typeBinary);
  char buf[8] = {};
  EXPECT_EQ(file.Read(buf, 8), 5u);
  EXPECT_STREQ(buf, "a\nb\r\n");
}

TEST(FrameworkMemFile, GrowsSeeksPastTheEndAndDetaches) {
  CMemFile file(16);
  file.Write("hello", 5);
  file.Seek(8, CFile::begin);
  file.Write("!", 1);
  EXPECT_EQ(file.GetLength(), 9u);
  const auto bytes = fwtest::BytesOf(file);
  EXPECT_EQ(bytes, (std::vector<BYTE>{'h', 'e', 'l', 'l', 'o', 0, 0, 0, '!'}));
  file.SeekToBegin();
  char buf[16];
  EXPECT_EQ(file.Read(buf, 16), 9u);
  EXPECT_EQ(fwtest::CauseOf<CFileException>([&] { file.Seek(-1, CFile::begin); }), CFileException::badSeek);
  BYTE* block = file.Detach();
  EXPECT_EQ(block[8], '!');
  delete[] block;
  EXPECT_EQ(file.GetLength(), 0u);
}

TEST(FrameworkMemFile, AFixedBlockRefusesToGrow) {
  BYTE block[4] = {};
  CMemFile file(block, sizeof block);
  file.SetLength(0);
  file.Write("abcd", 4);
  EXPECT_EQ(block[3], 'd');
  EXPECT_EQ(fwtest::CauseOf<CFileException>([&] { file.Write("e", 1); }), CFileException::diskFull);
  EXPECT_EQ(file.Detach(), block);
}

}  // namespace
