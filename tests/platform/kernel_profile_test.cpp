#include <gtest/gtest.h>

#include <sys/stat.h>

#include <cstdlib>
#include <fstream>
#include <iterator>
#include <string>

#include "platform/win.h"
#include "tests/platform/kernel_test_util.h"

namespace {

std::string ReadAll(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  return std::string(std::istreambuf_iterator<char>(in), {});
}

std::string Get(LPCSTR section, LPCSTR key, const std::string& file, LPCSTR def = "dflt") {
  char buf[256];
  const DWORD n = GetPrivateProfileStringA(section, key, def, buf, sizeof buf, file.c_str());
  return std::string(buf, n);
}

TEST(KernelProfile, ReadsValuesSectionsAndKeys) {
  ScratchFolder dir;
  const std::string ini = dir / "app.ini";
  std::ofstream(ini, std::ios::binary) << "; comment\r\n[Config]\r\n TabStops = 8 \r\ndrawFldsOpaque=0\r\n"
                                          "Quoted=\"  spaced  \"\r\nEmpty=\r\n\r\n[windows]\ndevice=Label Printer,winspool,LPT1:\n";
  struct Case {
    const char* section;
    const char* key;
    std::string value;
  } const cases[] = {
      {"Config", "TabStops", "8"},          {"config", "TABSTOPS", "8"},  {"Config", "Quoted", "  spaced  "},
      {"Config", "Empty", ""},              {"Config", "Missing", "dflt"}, {"Nothing", "TabStops", "dflt"},
      {"windows", "device", "Label Printer,winspool,LPT1:"},
  };
  for (const Case& c : cases) EXPECT_EQ(Get(c.section, c.key, ini), c.value) << c.section << "/" << c.key;
  EXPECT_EQ(Get("Config", "Missing", ini, "  padded  "), "padded") << "the default is trimmed";
  EXPECT_EQ(Get(nullptr, nullptr, ini), std::string("Config\0windows\0", 15));
  EXPECT_EQ(Get("Config", nullptr, ini), std::string("TabStops\0drawFldsOpaque\0Quoted\0Empty\0", 37));

  EXPECT_EQ(GetPrivateProfileIntA("Config", "TabStops", 4, ini.c_str()), 8u);
  EXPECT_EQ(GetPrivateProfileIntA("Config", "drawFldsOpaque", 1, ini.c_str()), 0u);
  EXPECT_EQ(GetPrivateProfileIntA("Config", "Missing", 4, ini.c_str()), 4u);
  EXPECT_EQ(GetPrivateProfileIntA("Config", "Quoted", 4, ini.c_str()), 0u) << "present but not a number";

  char small[4];
  EXPECT_EQ(GetPrivateProfileStringA("windows", "device", "", small, sizeof small, ini.c_str()), 3u);
  EXPECT_STREQ(small, "Lab");
  EXPECT_EQ(Get("Config", "x", dir / "none.ini"), "dflt");
}

TEST(KernelProfile, WritesKeepTheRestOfTheFile) {
  ScratchFolder dir;
  const std::string ini = dir / "w.ini";
  ASSERT_TRUE(WritePrivateProfileStringA("A", "one", "1", ini.c_str()));
  ASSERT_TRUE(WritePrivateProfileStringA("B", "two", "2", ini.c_str()));
  ASSERT_TRUE(WritePrivateProfileStringA("a", "three", "3", ini.c_str()));
  ASSERT_TRUE(WritePrivateProfileStringA("A", "ONE", "uno", ini.c_str()));
  EXPECT_EQ(ReadAll(ini), "[A]\r\nONE=uno\r\nthree=3\r\n[B]\r\ntwo=2\r\n");
  ASSERT_TRUE(WritePrivateProfileStringA("A", "one", nullptr, ini.c_str()));
  EXPECT_EQ(ReadAll(ini), "[A]\r\nthree=3\r\n[B]\r\ntwo=2\r\n");
  ASSERT_TRUE(WritePrivateProfileStringA("A", nullptr, nullptr, ini.c_str()));
  EXPECT_EQ(ReadAll(ini), "[B]\r\ntwo=2\r\n");
  EXPECT_EQ(Get("B", "two", ini), "2");
  EXPECT_TRUE(WritePrivateProfileStringA(nullptr, nullptr, nullptr, ini.c_str()));
}

TEST(KernelProfile, WinIniLivesInThePerUserFolder) {
  ScratchFolder dir;
  const char* saved = std::getenv("XDG_DATA_HOME");
  const std::string savedValue = saved ? saved : "";
  setenv("XDG_DATA_HOME", dir.path().c_str(), 1);
  ASSERT_TRUE(WriteProfileStringA("windows", "device", "Zebra,winspool,USB001"));
  EXPECT_EQ(ReadAll(dir / "Tavrendel/win.ini"), "[windows]\r\ndevice=Zebra,winspool,USB001\r\n");
  char buf[64];
  EXPECT_EQ(GetProfileStringA("windows", "device", "", buf, sizeof buf), 21u);
  EXPECT_EQ(GetProfileIntA("windows", "nothing", 7), 7u);
  if (saved) {
    setenv("XDG_DATA_HOME", savedValue.c_str(), 1);
  } else {
    unsetenv("XDG_DATA_HOME");
  }
}

TEST(KernelSecurity, NullAccessListOpensSharedMemoryToEveryone) {
  SECURITY_DESCRIPTOR sd;
  ASSERT_TRUE(InitializeSecurityDescriptor(&sd, SECURITY_DESCRIPTOR_REVISION));
  ASSERT_TRUE(SetSecurityDescriptorDacl(&sd, TRUE, nullptr, FALSE));
  SECURITY_ATTRIBUTES sa{sizeof sa, &sd, FALSE};
  const std::string name = "tav-everyone-" + std::to_string(GetCurrentProcessId());
  HANDLE m = CreateFileMappingA(INVALID_HANDLE_VALUE, &sa, PAGE_READWRITE, 0, 64, name.c_str());
  ASSERT_NE(m, nullptr);
  struct stat st {};
  ASSERT_EQ(::stat(("/dev/shm/tav-all-" + name).c_str(), &st), 0);
  EXPECT_EQ(st.st_mode & 0777, 0666u);
  HANDLE o = OpenFileMappingA(FILE_MAP_READ, FALSE, name.c_str());
  EXPECT_NE(o, nullptr);
  CloseHandle(o);
  CloseHandle(m);
  EXPECT_FALSE(InitializeSecurityDescriptor(&sd, 2));

  void* local = LocalAlloc(LPTR, SECURITY_DESCRIPTOR_MIN_LENGTH);
  ASSERT_NE(local, nullptr);
  EXPECT_TRUE(InitializeSecurityDescriptor(local, SECURITY_DESCRIPTOR_REVISION));
  EXPECT_EQ(LocalFree(local), nullptr);
}

}  // namespace
