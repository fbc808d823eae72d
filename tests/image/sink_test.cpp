// Data sinks: growth, fixed buffers, and file sinks that never leave a
// partial file.
#include <gtest/gtest.h>

#include <sys/resource.h>

#include <csignal>
#include <filesystem>
#include <fstream>

#include "image/bitmap/pltextexception.h"
#include "image/io/plfilesink.h"
#include "image/io/plmemsink.h"
#include "tests/image/bitmap_test_util.h"

namespace {

std::vector<char> ReadFile(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  return std::vector<char>(std::istreambuf_iterator<char>(in), {});
}

// A sink over a caller's fixed buffer.
class FixedSink : public PLDataSink {
 public:
  FixedSink(PLBYTE* buffer, int size) { InitSink("fixed", buffer, size); }
};

TEST(MemSinkTest, GrowsAsNeeded) {
  PLMemSink sink;
  ASSERT_EQ(sink.Open("mem", 16), 0);
  std::vector<PLBYTE> expected;
  for (int i = 0; i < 5000; ++i) {
    PLBYTE chunk[37];
    for (int k = 0; k < 37; ++k) chunk[k] = PLBYTE(i + k);
    EXPECT_EQ(sink.WriteBytes(37, chunk), 37);
    expected.insert(expected.end(), chunk, chunk + 37);
  }
  sink.WriteByte(0xAB);
  expected.push_back(0xAB);
  EXPECT_EQ(sink.GetBytesWritten(), int(expected.size()));
  EXPECT_EQ(sink.TakeData(), expected);
  EXPECT_STREQ(sink.GetName(), "mem");
}

TEST(FixedSinkTest, OverflowThrowsCode11) {
  PLBYTE buffer[4];
  FixedSink sink(buffer, 4);
  EXPECT_EQ(sink.WriteBytes(3, "abc"), 3);
  sink.WriteByte('d');
  try {
    sink.WriteByte('e');
    FAIL() << "no exception";
  } catch (const PLTextException& e) {
    EXPECT_EQ(e.GetCode(), 11);
    EXPECT_STREQ(e.GetText(), "Buffer overflow while encoding.\n");
  }
  EXPECT_EQ(std::string(reinterpret_cast<char*>(buffer), 4), "abcd");
}

TEST(FileSinkTest, WritesTheFileInOnePieceAtClose) {
  imgtest::TempFolder dir;
  std::string path = dir.File("out.bin");
  PLFileSink sink;
  ASSERT_EQ(sink.Open(path.c_str(), 8), 0);
  std::string text(10000, 'x');
  sink.WriteBytes(int(text.size()), text.data());  // past the first buffer size
  EXPECT_EQ(ReadFile(path).size(), 0u);              // nothing before Close
  EXPECT_EQ(sink.Close(), 1);
  EXPECT_EQ(ReadFile(path).size(), 10000u);
}

TEST(FileSinkTest, FailuresLeaveNoFile) {
  imgtest::TempFolder dir;
  PLFileSink missing;
  EXPECT_EQ(missing.Open(dir.File("no/such/folder.bin").c_str(), 100), -1);
  std::string path = dir.File("dropped.bin");
  {
    PLFileSink sink;
    ASSERT_EQ(sink.Open(path.c_str(), 100), 0);
    sink.WriteBytes(5, "hello");
  }  // destroyed while open, as when an exception leaves an encoder
  EXPECT_FALSE(std::filesystem::exists(path));
  PLFileSink abandoned;
  ASSERT_EQ(abandoned.Open(path.c_str(), 100), 0);
  abandoned.Abandon();
  EXPECT_FALSE(std::filesystem::exists(path));
}

// A write that the file system refuses (here: past the process's file size
// limit, in a child process) makes Close report failure and remove the file.
TEST(FileSinkDeathTest, FailedWriteIsReported) {
  GTEST_FLAG_SET(death_test_style, "threadsafe");
  imgtest::TempFolder dir;
  std::string path = dir.File("big.bin");
  auto child = [&path, &dir] {
    std::signal(SIGXFSZ, SIG_IGN);
    rlimit limit{};
    limit.rlim_cur = limit.rlim_max = 1000;
    setrlimit(RLIMIT_FSIZE, &limit);
    PLFileSink sink;
    if (sink.Open(path.c_str(), 100) != 0) dir.RemoveAndExit(2);
    std::vector<char> data(5000, 'z');
    sink.WriteBytes(int(data.size()), data.data());
    int closed = sink.Close();
    dir.RemoveAndExit(closed == 0 && !std::filesystem::exists(path) ? 0 : 1);
  };
  EXPECT_EXIT(child(),
      ::testing::ExitedWithCode(0), "");
}

}  // namespace
