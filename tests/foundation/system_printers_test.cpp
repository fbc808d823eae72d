#include <sys/resource.h>
#include <unistd.h>

#include <csignal>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "foundation/system/printers.h"
#include "foundation/system/system_message.h"
#include "platform/kernel/kernel.h"
#include "platform/spool/spool.h"

namespace fs = std::filesystem;

namespace {

std::string g_message;
void Capture(const char* text, const char*) { g_message = text; }

std::string Slurp(const fs::path& p) {
  std::ifstream in(p, std::ios::binary);
  std::stringstream s;
  s << in.rdbuf();
  return s.str();
}

class PrintersTest : public ::testing::Test {
 protected:
  void SetUp() override {
    tag_ = std::to_string(::getpid()) + "-" + ::testing::UnitTest::GetInstance()->current_test_info()->name();
    dir_ = fs::temp_directory_path() / ("tav-printers-" + tag_);
    fs::create_directories(dir_);
    destination_ = (dir_ / "label.prn").string();
    Add("Label Printer " + tag_, destination_, "Label Driver");
    previous_ = SetSystemMessageHandler(Capture);
    g_message.clear();
  }
  void TearDown() override {
    for (HANDLE h : added_) DeletePrinter(h), ClosePrinter(h);
    SetSystemMessageHandler(previous_);
    fs::remove_all(dir_);
  }
  void Add(const std::string& name, const std::string& port, const char* driver) {
    PRINTER_INFO_2A info{};
    std::string n = name, p = port, d = driver;
    info.pPrinterName = n.data();
    info.pPortName = p.data();
    info.pDriverName = d.data();
    HANDLE h = AddPrinterA(nullptr, 2, reinterpret_cast<LPBYTE>(&info));
    ASSERT_NE(h, nullptr);
    added_.push_back(h);
  }
  std::string Source(size_t bytes) {
    std::string data(bytes, '\0');
    for (size_t i = 0; i < bytes; ++i) data[i] = static_cast<char>(i * 7 + i / 251);
    const fs::path p = dir_ / "job.bin";
    std::ofstream(p, std::ios::binary) << data;
    return data;
  }
  std::string Printer() const { return "Label Printer " + tag_; }

  std::string tag_;
  fs::path dir_;
  std::string destination_;
  std::vector<HANDLE> added_;
  SystemMessageHandler previous_ = nullptr;
};

TEST_F(PrintersTest, ListsNamesPortsAndDrivers) {
  AArray<AString> names, ports, drivers;
  const int n = EnumPrinterNames(&names, &ports, &drivers, false);
  ASSERT_GE(n, 2);
  ASSERT_EQ(names.GetSize(), n);
  bool found = false;
  for (int i = 0; i < n; ++i)
    if (names[i] == Printer().c_str()) {
      EXPECT_TRUE(ports[i] == destination_.c_str());
      EXPECT_TRUE(drivers[i] == "Label Driver");
      found = true;
    }
  EXPECT_TRUE(found);
  AArray<AString> none;
  EXPECT_EQ(EnumPrinterNames(&none, nullptr, nullptr, true), n);
  EXPECT_EQ(none.GetSize(), 0);
}

TEST_F(PrintersTest, ComPortsAreFiltered) {
  Add("Serial A " + tag_, "COM1:", "Serial");
  Add("Serial B " + tag_, "COMX", "Serial");
  Add("Parallel " + tag_, "LPT1:", "Parallel");
  auto has = [](const AArray<AString>& a, const char* name) {
    for (int i = 0; i < a.GetSize(); ++i)
      if (a[i] == name) return true;
    return false;
  };
  AArray<AString> com;
  EXPECT_GE(EnumComPorts(com), 1);
  EXPECT_TRUE(has(com, "COM1:"));
  EXPECT_FALSE(has(com, "COMX"));
  EXPECT_FALSE(has(com, "LPT1:"));
  AArray<AString> byPrefix;
  EnumPortNames(byPrefix, 1);
  EXPECT_TRUE(has(byPrefix, "COM1:"));
  EXPECT_TRUE(has(byPrefix, "COMX"));
  EXPECT_FALSE(has(byPrefix, "LPT1:"));
  AArray<AString> all;
  EXPECT_GE(EnumPortsFiltered(all, false), 4);
  EXPECT_TRUE(has(all, "LPT1:"));
}

TEST_F(PrintersTest, SendsTheWholeFile) {
  const std::string data = Source(3 * 10240 + 17);  // several blocks and a short one
  int asked = 0;
  static int* counter;
  counter = &asked;
  EXPECT_EQ(SendFileToPrinter("Labels", Printer().c_str(), (dir_ / "job.bin").c_str(), [] { return ++*counter > 0; }),
            1);
  EXPECT_EQ(Slurp(destination_), data);
  EXPECT_EQ(asked, 3);
}

TEST_F(PrintersTest, CancelAbortsTheJobAndReportsFailure) {
  Source(3 * 10240);
  std::ofstream(destination_) << "previous job";
  EXPECT_EQ(SendFileToPrinter("Labels", Printer().c_str(), (dir_ / "job.bin").c_str(), [] { return false; }), 0);
  EXPECT_EQ(Slurp(destination_), "previous job");
  int files = 0;
  for (const auto& e : fs::directory_iterator(dir_)) files += e.path().filename() != "job.bin";
  EXPECT_EQ(files, 1);  // no job file left behind
}

TEST_F(PrintersTest, WriteErrorAbortsTheJob) {
  const std::string data = Source(64 * 1024);
  std::ofstream(destination_) << "previous job";
  // Files of this process may not grow past 20000 bytes: writing the job fails.
  struct rlimit saved {};
  ASSERT_EQ(::getrlimit(RLIMIT_FSIZE, &saved), 0);
  const auto oldHandler = std::signal(SIGXFSZ, SIG_IGN);
  struct rlimit small = saved;
  small.rlim_cur = 20000;
  ASSERT_EQ(::setrlimit(RLIMIT_FSIZE, &small), 0);
  const int result = SendFileToPrinter("Labels", Printer().c_str(), (dir_ / "job.bin").c_str(), nullptr);
  ::setrlimit(RLIMIT_FSIZE, &saved);
  std::signal(SIGXFSZ, oldHandler);
  EXPECT_EQ(result, 0);
  EXPECT_EQ(Slurp(destination_), "previous job");
  int files = 0;
  for (const auto& e : fs::directory_iterator(dir_)) files += e.path().filename() != "job.bin";
  EXPECT_EQ(files, 1);
}

TEST_F(PrintersTest, FailuresAreNeverSuccess) {
  // A file that cannot be read.
  EXPECT_EQ(SendFileToPrinter("Labels", Printer().c_str(), (dir_ / "missing.bin").c_str(), nullptr), 0);
  EXPECT_FALSE(fs::exists(destination_));
  // A destination whose folder is gone: the job cannot start.
  Source(100);
  Add("Gone " + tag_, (dir_ / "no-such-folder" / "out.prn").string(), "Label Driver");
  EXPECT_EQ(SendFileToPrinter("Labels", ("Gone " + tag_).c_str(), (dir_ / "job.bin").c_str(), nullptr), 0);
  // A printer that never answers.
  EXPECT_EQ(SendFileToPrinter("Labels", "No Such Printer", (dir_ / "job.bin").c_str(), nullptr, 0), 0);
  EXPECT_EQ(g_message, "Cannot open printer! Please check connection.");
}

TEST_F(PrintersTest, DefaultPrinterComesFromTheProfile) {
  const char* oldData = std::getenv("XDG_DATA_HOME");
  const std::string saved = oldData ? oldData : "";
  ::setenv("XDG_DATA_HOME", (dir_ / "data").c_str(), 1);
  AString name("stale");
  EXPECT_EQ(GetDefaultPrinterName(name), 0);
  EXPECT_TRUE(name.IsEmpty());
  ASSERT_TRUE(WriteProfileStringA("windows", "device", "Label Printer,Raw Driver,/tmp/x.prn"));
  EXPECT_EQ(GetDefaultPrinterName(name), 13);
  EXPECT_TRUE(name == "Label Printer");
  if (oldData)
    ::setenv("XDG_DATA_HOME", saved.c_str(), 1);
  else
    ::unsetenv("XDG_DATA_HOME");
}

}  // namespace
