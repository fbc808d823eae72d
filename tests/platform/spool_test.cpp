#include <unistd.h>

#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "platform/kernel/kernel.h"
#include "platform/kernel/kernel_errors.h"
#include "platform/spool/spool.h"

namespace fs = std::filesystem;

namespace {

std::string Slurp(const fs::path& p) {
  std::ifstream in(p, std::ios::binary);
  std::stringstream s;
  s << in.rdbuf();
  return s.str();
}

class SpoolTest : public ::testing::Test {
 protected:
  void SetUp() override {
    dir_ = fs::temp_directory_path() / ("tav-spool-" + std::to_string(::getpid()) + "-" +
                                        ::testing::UnitTest::GetInstance()->current_test_info()->name());
    fs::create_directories(dir_);
    target_ = (dir_ / "out.prn").string();
    name_ = std::string("Test Printer ") + ::testing::UnitTest::GetInstance()->current_test_info()->name();
    PRINTER_INFO_2A info{};
    info.pPrinterName = name_.data();
    info.pPortName = target_.data();
    char driver[] = "Raw Label Driver";
    info.pDriverName = driver;
    added_ = AddPrinterA(nullptr, 2, reinterpret_cast<LPBYTE>(&info));
    ASSERT_NE(added_, nullptr);
  }
  void TearDown() override {
    DeletePrinter(added_);
    ClosePrinter(added_);
    fs::remove_all(dir_);
  }
  // Files in the folder other than the destination (left-over job files).
  int StrayFiles() const {
    int n = 0;
    for (const auto& e : fs::directory_iterator(dir_)) n += e.path().string() != target_;
    return n;
  }
  HANDLE OpenIt() {
    HANDLE h = nullptr;
    EXPECT_TRUE(OpenPrinterA(name_.data(), &h, nullptr));
    return h;
  }
  static DWORD StartRaw(HANDLE h, const char* output = nullptr) {
    DOC_INFO_1A doc{const_cast<LPSTR>("Labels"), const_cast<LPSTR>(output), const_cast<LPSTR>("RAW")};
    return StartDocPrinterA(h, 1, reinterpret_cast<LPBYTE>(&doc));
  }

  fs::path dir_;
  std::string target_, name_;
  HANDLE added_ = nullptr;
};

TEST_F(SpoolTest, EnumeratesTheFileDestination) {
  DWORD needed = 0, count = 0;
  EXPECT_FALSE(EnumPrintersA(PRINTER_ENUM_LOCAL | PRINTER_ENUM_CONNECTIONS, nullptr, 2, nullptr, 0, &needed, &count));
  EXPECT_EQ(GetLastError(), ERROR_INSUFFICIENT_BUFFER);
  ASSERT_GT(needed, sizeof(PRINTER_INFO_2A));
  std::vector<uint64_t> buffer(needed / 8 + 1);
  ASSERT_TRUE(EnumPrintersA(PRINTER_ENUM_LOCAL | PRINTER_ENUM_CONNECTIONS, nullptr, 2,
                            reinterpret_cast<LPBYTE>(buffer.data()), needed, &needed, &count));
  ASSERT_GE(count, 2u);  // the built-in page printer and ours
  const auto* info = reinterpret_cast<const PRINTER_INFO_2A*>(buffer.data());
  bool found = false;
  for (DWORD i = 0; i < count; ++i)
    if (name_ == info[i].pPrinterName) {
      EXPECT_EQ(std::string(info[i].pPortName), target_);
      EXPECT_STREQ(info[i].pDriverName, "Raw Label Driver");
      found = true;
    }
  EXPECT_TRUE(found);

  DWORD portsNeeded = 0, ports = 0;
  EnumPortsA(nullptr, 1, nullptr, 0, &portsNeeded, &ports);
  std::vector<uint64_t> portBuffer(portsNeeded / 8 + 1);
  ASSERT_TRUE(EnumPortsA(nullptr, 1, reinterpret_cast<LPBYTE>(portBuffer.data()), portsNeeded, &portsNeeded, &ports));
  const auto* port = reinterpret_cast<const PORT_INFO_1A*>(portBuffer.data());
  EXPECT_STREQ(port[0].pName, "FILE:");
  bool ourPort = false;
  for (DWORD i = 0; i < ports; ++i) ourPort |= target_ == port[i].pName;
  EXPECT_TRUE(ourPort);
}

TEST_F(SpoolTest, NamesAreUnique) {
  PRINTER_INFO_2A info{};
  info.pPrinterName = name_.data();
  info.pPortName = target_.data();
  EXPECT_EQ(AddPrinterA(nullptr, 2, reinterpret_cast<LPBYTE>(&info)), nullptr);
  EXPECT_EQ(GetLastError(), ERROR_PRINTER_ALREADY_EXISTS);
  HANDLE h = reinterpret_cast<HANDLE>(1);
  char missing[] = "No Such Printer";
  EXPECT_FALSE(OpenPrinterA(missing, &h, nullptr));
  EXPECT_EQ(h, nullptr);
  EXPECT_EQ(GetLastError(), ERROR_INVALID_PRINTER_NAME);
}

TEST_F(SpoolTest, RawJobReachesTheFileWhenItEnds) {
  std::ofstream(target_) << "old";
  HANDLE h = OpenIt();
  ASSERT_NE(StartRaw(h), 0u);
  ASSERT_TRUE(StartPagePrinter(h));
  DWORD written = 0;
  char a[] = "^XA", b[] = "^XZ";
  ASSERT_TRUE(WritePrinter(h, a, 3, &written));
  EXPECT_EQ(written, 3u);
  ASSERT_TRUE(WritePrinter(h, b, 3, &written));
  EXPECT_EQ(Slurp(target_), "old");  // nothing delivered before the job ends
  ASSERT_TRUE(EndPagePrinter(h));
  ASSERT_TRUE(EndDocPrinter(h));
  EXPECT_EQ(Slurp(target_), "^XA^XZ");
  EXPECT_EQ(StrayFiles(), 0);
  ASSERT_TRUE(ClosePrinter(h));
}

TEST_F(SpoolTest, AbortedOrUnfinishedJobsDeliverNothing) {
  std::ofstream(target_) << "old";
  HANDLE h = OpenIt();
  ASSERT_NE(StartRaw(h), 0u);
  char data[] = "partial";
  DWORD written = 0;
  ASSERT_TRUE(WritePrinter(h, data, 7, &written));
  ASSERT_TRUE(AbortPrinter(h));
  EXPECT_FALSE(WritePrinter(h, data, 7, &written));
  EXPECT_FALSE(EndDocPrinter(h));
  ASSERT_NE(StartRaw(h), 0u);
  ASSERT_TRUE(WritePrinter(h, data, 7, &written));
  ASSERT_TRUE(ClosePrinter(h));  // closed without ending the job
  EXPECT_EQ(Slurp(target_), "old");
  EXPECT_EQ(StrayFiles(), 0);
}

TEST_F(SpoolTest, FilePortTakesTheOutputFileOfTheDocument) {
  HANDLE h = nullptr;
  char builtIn[] = "Tavrendel Page Printer";
  ASSERT_TRUE(OpenPrinterA(builtIn, &h, nullptr));
  EXPECT_EQ(StartRaw(h), 0u);  // "FILE:" without an output file
  const std::string out = (dir_ / "printed.bin").string();
  ASSERT_NE(StartRaw(h, out.c_str()), 0u);
  char data[] = "bytes";
  DWORD written = 0;
  ASSERT_TRUE(WritePrinter(h, data, 5, &written));
  ASSERT_TRUE(EndDocPrinter(h));
  EXPECT_EQ(Slurp(out), "bytes");
  ClosePrinter(h);
}

TEST_F(SpoolTest, PrintersOfTheProfileAreFileDestinations) {
  const char* oldData = std::getenv("XDG_DATA_HOME");
  const std::string saved = oldData ? oldData : "";
  ::setenv("XDG_DATA_HOME", (dir_ / "data").c_str(), 1);
  const std::string file = (dir_ / "profile.prn").string();
  ASSERT_TRUE(WriteProfileStringA("Devices", "Profile Label Printer", ("Raw Driver," + file).c_str()));

  HANDLE h = nullptr;
  char name[] = "profile label printer";  // names match without case
  ASSERT_TRUE(OpenPrinterA(name, &h, nullptr));
  ASSERT_NE(StartRaw(h), 0u);
  char data[] = "from the profile";
  DWORD written = 0;
  ASSERT_TRUE(WritePrinter(h, data, 16, &written));
  ASSERT_TRUE(EndDocPrinter(h));
  ClosePrinter(h);
  EXPECT_EQ(Slurp(file), "from the profile");

  DWORD needed = 0, count = 0;
  EnumPrintersA(PRINTER_ENUM_LOCAL, nullptr, 2, nullptr, 0, &needed, &count);
  std::vector<uint64_t> buffer(needed / 8 + 1);
  ASSERT_TRUE(EnumPrintersA(PRINTER_ENUM_LOCAL, nullptr, 2, reinterpret_cast<LPBYTE>(buffer.data()), needed, &needed,
                            &count));
  const auto* info = reinterpret_cast<const PRINTER_INFO_2A*>(buffer.data());
  bool found = false;
  for (DWORD i = 0; i < count; ++i)
    if (std::string(info[i].pPrinterName) == "Profile Label Printer") {
      EXPECT_STREQ(info[i].pDriverName, "Raw Driver");
      EXPECT_EQ(std::string(info[i].pPortName), file);
      found = true;
    }
  EXPECT_TRUE(found);
  if (oldData)
    ::setenv("XDG_DATA_HOME", saved.c_str(), 1);
  else
    ::unsetenv("XDG_DATA_HOME");
}

}  // namespace
