// Counter files: the exact bytes, every truncation refused, and a write that
// fails half-way keeps the old file.
#include <gtest/gtest.h>

#include <csignal>
#include <filesystem>

#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

#include "datasource/counter_file.h"
#include "temp_folder.h"

namespace {

const std::vector<uint8_t> kCounter001 = {0x43, 0x4E, 0x54, 0x52, 0x30, 0x30, 0x30, 0x31, 0x03, 0x00,
                                          0x00, 0x00, 0x30, 0x30, 0x31, 0x00, 0x00, 0x00, 0x00};

TEST(CounterFile, ValueOneWithoutDescriptionHasTheseBytes) {
  TempFolder dir;
  const std::string path = dir.File("a.cntr");
  CCounterFileData data;
  data.value = "001";
  ASSERT_EQ(WriteCounterFile(path.c_str(), data), 1);
  EXPECT_EQ(ReadBytes(path), kCounter001);
  CCounterFileData back;
  back.description = "kept";
  ASSERT_EQ(ReadCounterFileContent(path.c_str(), &back), 1);
  EXPECT_STREQ(back.value.GetData(), "001");
  EXPECT_STREQ(back.description.GetData(), "kept");  // a zero length leaves it as it was
  EXPECT_EQ(std::distance(std::filesystem::directory_iterator(dir.path()), {}), 1);
}

TEST(CounterFile, ValueAndDescriptionRoundTrip) {
  TempFolder dir;
  const std::string path = dir.File("b.cntr");
  CCounterFileData data;
  data.value = "A-0099";
  data.description = "Pallet labels";
  ASSERT_EQ(WriteCounterFile(path.c_str(), data), 1);
  CCounterFileData back;
  ASSERT_EQ(ReadCounterFileContent(path.c_str(), &back), 1);
  EXPECT_STREQ(back.value.GetData(), "A-0099");
  EXPECT_STREQ(back.description.GetData(), "Pallet labels");
}

TEST(CounterFile, EveryTruncationIsRefused) {
  TempFolder dir;
  const std::string path = dir.File("t.cntr");
  for (size_t n = 0; n < kCounter001.size(); ++n) {
    WriteBytes(path, std::vector<uint8_t>(kCounter001.begin(), kCounter001.begin() + static_cast<long>(n)));
    CCounterFileData data;
    EXPECT_EQ(ReadCounterFileContent(path.c_str(), &data), 0) << n << " bytes";
  }
}

TEST(CounterFile, BadHeadersAndLengthsAreRefused) {
  TempFolder dir;
  const std::string path = dir.File("bad.cntr");
  struct Case {
    const char* why;
    std::vector<uint8_t> bytes;
  } cases[] = {
      {"foreign magic", Bytes("CNTR0002\x03\0\0\0" "001\0\0\0\0")},
      {"value length 0", Bytes(std::string("CNTR0001\0\0\0\0\0\0\0\0", 16))},
      {"negative value length", Bytes(std::string("CNTR0001\xFF\xFF\xFF\xFF" "001\0\0\0\0", 19))},
      {"value longer than the file", Bytes(std::string("CNTR0001\xFF\xFF\xFF\x7F" "001\0\0\0\0", 19))},
      {"negative description length", Bytes(std::string("CNTR0001\x03\0\0\0" "001\xFF\xFF\xFF\xFF", 19))},
      {"description longer than the file", Bytes(std::string("CNTR0001\x03\0\0\0" "001\x09\0\0\0abc", 22))},
  };
  for (const Case& c : cases) {
    WriteBytes(path, c.bytes);
    CCounterFileData data;
    EXPECT_EQ(ReadCounterFileContent(path.c_str(), &data), 0) << c.why;
  }
  CCounterFileData data;
  EXPECT_EQ(ReadCounterFileContent(dir.File("missing.cntr").c_str(), &data), 0);
}

TEST(CounterFile, AnEmptyValueWritesAFileThatIsNotRead) {
  TempFolder dir;
  const std::string path = dir.File("empty.cntr");
  CCounterFileData data;
  ASSERT_EQ(WriteCounterFile(path.c_str(), data), 1);
  EXPECT_EQ(ReadCounterFileContent(path.c_str(), &data), 0);
}

TEST(CounterFile, AWriteThatFailsKeepsTheOldFile) {
  TempFolder dir;
  const std::string path = dir.File("limit.cntr");
  WriteBytes(path, kCounter001);
  // A child with a file-size limit below the new file's size: root ignores
  // permissions, not resource limits.
  const pid_t child = fork();
  ASSERT_GE(child, 0);
  if (child == 0) {
    std::signal(SIGXFSZ, SIG_IGN);
    rlimit limit{64, 64};
    setrlimit(RLIMIT_FSIZE, &limit);
    CCounterFileData data;
    data.value = AString('7', 200);
    _exit(WriteCounterFile(path.c_str(), data) == 0 ? 0 : 1);
  }
  int status = 0;
  ASSERT_EQ(waitpid(child, &status, 0), child);
  ASSERT_TRUE(WIFEXITED(status));
  EXPECT_EQ(WEXITSTATUS(status), 0) << "the write reported success";
  EXPECT_EQ(ReadBytes(path), kCounter001);
  EXPECT_EQ(std::distance(std::filesystem::directory_iterator(dir.path()), {}), 1) << "a temporary file stayed";
}

}  // namespace
