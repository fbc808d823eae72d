// The library as a loaded file: its export list, its folder, and the
// application-identifier file it reads from there.
#include <dlfcn.h>
#include <gtest/gtest.h>

#include <sys/wait.h>
#include <unistd.h>

#include <cstdio>
#include <cstring>
#include <map>
#include <filesystem>
#include <fstream>
#include <set>
#include <sstream>
#include <string>
#include <vector>

#include "barcode/kalvo.h"

namespace {

namespace fs = std::filesystem;

const std::string kLibrary = std::string(TAV_BUILD_DIR) + "/barcode/libkalvo.so";

const std::set<std::string> kExports = {
    "kvoBCode", "GetHr", "GetBCodeValidLens", "GetBCodeValidStr", "GetChkdgtCd", "GetOptimized128Code",
    "GetCd128MultiCodeAndHr", "LoadCd128MultiTable", "CD39Tranform2FullAscii", "DecompressUPC", "GetBcSupplmnt",
    "GetITF14BoxWidth", "Is2DBCode", "IsPlus2", "IsPlus5", "Is128Auto", "Is128CF1Mod10", "IsCD128Group", "IsUPCA",
    "IsUPCE", "IsEAN8", "IsEAN13", "IsUPCEANGroup", "IsUPCEANGroup_nonSunrise", "IsUPCEANSunriseGroup", "IsUPCGroup",
    "IsEANGroup", "IsI25Group", "Is39Group", "IsPlesseyGroup", "IsSpecialDsControlsBCode", "GetColRowFromMode",
    "CalcErrCorrectLevel", "GetDatamatrixDimensionsCount", "GetDatamatrixNthDimension",
};

std::string RunCommand(const std::string& command) {
  std::string out;
  FILE* pipe = popen(command.c_str(), "r");
  if (pipe == nullptr) return out;
  char buffer[512];
  while (fgets(buffer, sizeof buffer, pipe) != nullptr) out += buffer;
  pclose(pipe);
  return out;
}

TEST(KalvoLibrary, DynamicSymbolTableHoldsExactlyTheExports) {
  const std::string table = RunCommand("nm -D --defined-only '" + kLibrary + "'");
  ASSERT_FALSE(table.empty());
  std::set<std::string> defined;
  std::istringstream lines(table);
  std::string address;
  std::string kind;
  std::string name;
  while (lines >> address >> kind >> name) defined.insert(name);
  EXPECT_EQ(defined, kExports);
}

TEST(KalvoLibrary, EveryExportIsFoundByName) {
  void* handle = dlopen(kLibrary.c_str(), RTLD_NOW | RTLD_NOLOAD);
  ASSERT_NE(handle, nullptr) << dlerror();
  for (const std::string& name : kExports) EXPECT_NE(dlsym(handle, name.c_str()), nullptr) << name;
  EXPECT_EQ(dlsym(handle, "_ZN5kalvo13EncodeCode128EiR6CBCodei"), nullptr);
  dlclose(handle);
}

// Exit status of the probe program that loads the library at run time and
// ends with `how` ("keep" or "unload"); -1 when it did not end normally.
int ProbeExitStatus(const std::string& how) {
  const std::string command = std::string("'") + TAV_KALVO_DLOPEN_PROBE + "' '" + kLibrary + "' " + how;
  const int status = std::system(command.c_str());
  return status != -1 && WIFEXITED(status) ? WEXITSTATUS(status) : -1;
}

// Its tables have one owner, so neither ending frees them twice.
TEST(KalvoLibrary, ExitsCleanlyWhenLoadedAtRunTimeAndNeverUnloaded) { EXPECT_EQ(ProbeExitStatus("keep"), 0); }

TEST(KalvoLibrary, ExitsCleanlyWhenLoadedAtRunTimeAndUnloaded) { EXPECT_EQ(ProbeExitStatus("unload"), 0); }

TEST(KalvoLibrary, LoadsTheShippedApplicationIdentifiers) {
  std::vector<typAIdef> table(700);
  LONG count = 0;
  ASSERT_EQ(LoadCd128MultiTable(table.data(), &count, 700), 1);
  ASSERT_GT(count, 400);
  std::map<std::string, const typAIdef*> byId;
  for (LONG i = 0; i < count; ++i) byId[table[i].identifier] = &table[i];
  ASSERT_TRUE(byId.count("00"));
  EXPECT_STREQ(byId["00"]->title, "SSCC");
  EXPECT_STREQ(byId["00"]->lengthText, "18");
  EXPECT_EQ(byId["00"]->minLength, 18);
  EXPECT_EQ(byId["00"]->checkFlag, 1);
  EXPECT_EQ(byId["00"]->charKinds, 1);
  ASSERT_TRUE(byId.count("10"));
  EXPECT_EQ(byId["10"]->minLength, 1);
  EXPECT_EQ(byId["10"]->maxLength, 20);
  EXPECT_STREQ(byId["10"]->lengthText, "1-20");
  EXPECT_EQ(byId["10"]->charKinds, 2);
  EXPECT_EQ(byId["10"]->checkFlag, 0);
  EXPECT_TRUE(byId.count("3103"));
  EXPECT_TRUE(byId.count("8018"));
  EXPECT_STREQ(byId["20"]->title, "variant");

  std::vector<typAIdef> small(3);
  count = 0;
  ASSERT_EQ(LoadCd128MultiTable(small.data(), &count, 3), 1);
  EXPECT_EQ(count, 3);
  EXPECT_STREQ(small[0].identifier, "00");
}

TEST(KalvoLibrary, BuildsSeveralIdentifiersFromTheTable) {
  const char* ais[6] = {"01", "10", "", "99x", "17", nullptr};
  const char* values[6] = {"12345678901231", "ABC12", "zzz", "1", "251231", nullptr};
  char data[320];
  char text[320];
  ASSERT_EQ(GetCd128MultiCodeAndHr(ais, values, 1, data, text), 1);
  EXPECT_EQ(std::string(data), "\x86" "0112345678901231" "10ABC12" "\x86" "17251231");
  EXPECT_STREQ(text, "(01)12345678901231(10)ABC12(17)251231");
  ASSERT_EQ(GetCd128MultiCodeAndHr(ais, values, 0, data, text), 1);
  EXPECT_STREQ(text, "011234567890123110ABC1217251231");

  const char* trailing[6] = {"10", nullptr, nullptr, nullptr, nullptr, nullptr};
  const char* trailingValues[6] = {"LOT7", nullptr, nullptr, nullptr, nullptr, nullptr};
  ASSERT_EQ(GetCd128MultiCodeAndHr(trailing, trailingValues, 1, data, text), 1);
  EXPECT_EQ(std::string(data), "\x86" "10LOT7");

  const std::string huge(300, '7');
  const char* big[6] = {"10", "21", nullptr, nullptr, nullptr, nullptr};
  const char* bigValues[6] = {huge.c_str(), huge.c_str(), nullptr, nullptr, nullptr, nullptr};
  std::memset(data, 'q', sizeof data);
  EXPECT_EQ(GetCd128MultiCodeAndHr(big, bigValues, 1, data, text), 0);
  EXPECT_EQ(data[0], 'q');
}

// A private copy of the library in its own folder, with its own tables.
class LibraryCopy {
 public:
  explicit LibraryCopy(const std::vector<std::string>* plainLines) {
    folder_ = fs::temp_directory_path() / ("kalvo-copy-" + std::to_string(getpid()) + "-" + std::to_string(next_++));
    fs::create_directories(folder_);
    fs::copy_file(kLibrary, folder_ / "libkalvo.so");
    if (plainLines != nullptr) {
      std::ofstream out(folder_ / "internal1.dat", std::ios::binary);
      for (const std::string& line : *plainLines) {
        for (char c : line) out.put(static_cast<char>(c ^ 0x5C));
        out.put('\n');
      }
    }
    handle_ = dlopen((folder_ / "libkalvo.so").c_str(), RTLD_NOW | RTLD_LOCAL);
  }
  ~LibraryCopy() {
    if (handle_ != nullptr) dlclose(handle_);
    fs::remove_all(folder_);
  }
  template <class F>
  F* Get(const char* name) const {
    return reinterpret_cast<F*>(dlsym(handle_, name));
  }
  void* handle() const { return handle_; }

 private:
  static inline int next_ = 0;
  fs::path folder_;
  void* handle_ = nullptr;
};

TEST(KalvoLibrary, ReadsTheFileInItsOwnFolderLineByLine) {
  const std::vector<std::string> lines = {
      "; a comment \"with\" quotes",
      "",
      "A\"quote at index 1\" 5 N",
      "123 \"\" 5 N",
      "123   \"no closing quote 5 N",
      "  77  \"  SEPT  \"  4-9 x A 1 N  ",
      "12345678901 \"" + std::string(100, 't') + "\" 123456789-5 2",
      "88 \"EIGHT\"\t12",
  };
  LibraryCopy copy(&lines);
  ASSERT_NE(copy.handle(), nullptr) << dlerror();
  auto load = copy.Get<int(typAIdef*, LONG*, LONG)>("LoadCd128MultiTable");
  ASSERT_NE(load, nullptr);
  std::vector<typAIdef> table(10);
  LONG count = -1;
  ASSERT_EQ(load(table.data(), &count, 10), 1);
  ASSERT_EQ(count, 3);
  EXPECT_STREQ(table[0].identifier, "77");
  EXPECT_STREQ(table[0].title, "SEPT");
  EXPECT_STREQ(table[0].lengthText, "4-9");
  EXPECT_EQ(table[0].minLength, 4);
  EXPECT_EQ(table[0].maxLength, 9);
  EXPECT_EQ(table[0].checkFlag, 1);
  EXPECT_EQ(table[0].charKinds, 3);
  EXPECT_STREQ(table[1].identifier, "1234567");
  EXPECT_EQ(std::string(table[1].title), std::string(79, 't'));
  EXPECT_STREQ(table[1].lengthText, "1234567");
  EXPECT_EQ(table[1].checkFlag, 2);
  EXPECT_EQ(table[1].charKinds, 0);
  EXPECT_STREQ(table[2].identifier, "88");
  EXPECT_EQ(table[2].minLength, 12);
  EXPECT_EQ(table[2].maxLength, 12);
  EXPECT_EQ(table[2].checkFlag, 0);

  auto multi = copy.Get<int(const char* const*, const char* const*, int, char*, char*)>("GetCd128MultiCodeAndHr");
  const char* ais[6] = {"77", "88", "00", nullptr, nullptr, nullptr};
  const char* values[6] = {"1234", "123456789012", "1", nullptr, nullptr, nullptr};
  char data[320];
  char text[320];
  ASSERT_EQ(multi(ais, values, 1, data, text), 1);
  // 77 has a check flag: the modulo 10 digit of its value follows it.
  EXPECT_EQ(std::string(data), "\x86" "7712348" "\x86" "88123456789012");
  EXPECT_STREQ(text, "(77)12348(88)123456789012");
}

TEST(KalvoLibrary, WithoutTheFileTheTableStaysEmpty) {
  LibraryCopy copy(nullptr);
  ASSERT_NE(copy.handle(), nullptr) << dlerror();
  auto load = copy.Get<int(typAIdef*, LONG*, LONG)>("LoadCd128MultiTable");
  typAIdef table[2];
  LONG count = 42;
  EXPECT_EQ(load(table, &count, 2), 0);
  EXPECT_EQ(count, 42);
  auto multi = copy.Get<int(const char* const*, const char* const*, int, char*, char*)>("GetCd128MultiCodeAndHr");
  const char* ais[6] = {"00", "01", nullptr, nullptr, nullptr, nullptr};
  const char* values[6] = {"12345678901234567", "1234567890123", nullptr, nullptr, nullptr, nullptr};
  char data[320];
  char text[320];
  ASSERT_EQ(multi(ais, values, 1, data, text), 1);
  EXPECT_EQ(std::string(data), "\x86");
  EXPECT_STREQ(text, "");
}

}  // namespace
