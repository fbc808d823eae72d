// Opening documents and links: the desktop's opener gets the name as one
// argument, in UTF-8, with no shell between; other verbs are refused.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "platform/win.h"

namespace {

class Recorder {
 public:
  Recorder() {
    old_ = shell::SetLauncher([this](const std::vector<std::string>& argv) {
      calls.push_back(argv);
      return succeed;
    });
  }
  ~Recorder() { shell::SetLauncher(old_); }
  std::vector<std::vector<std::string>> calls;
  bool succeed = true;

 private:
  shell::Launcher old_;
};

INT_PTR Code(HINSTANCE h) { return reinterpret_cast<INT_PTR>(h); }

TEST(ShellExecute, OpensTheNameAsOneArgumentOfXdgOpen) {
  Recorder rec;
  struct OpenCase {
    const char* file;
    std::vector<std::string> argv;
  };
  const OpenCase cases[] = {
      {"https://example.org/support", {"xdg-open", "https://example.org/support"}},
      {"mailto:help@example.org", {"xdg-open", "mailto:help@example.org"}},
      // Characters a shell would act on reach the opener as they are.
      {"/tmp/a b; rm -rf x $(y).html", {"xdg-open", "/tmp/a b; rm -rf x $(y).html"}},
  };
  for (const OpenCase& c : cases) {
    rec.calls.clear();
    EXPECT_GT(Code(ShellExecuteA(nullptr, "open", c.file, nullptr, nullptr, SW_SHOWNORMAL)), 32) << c.file;
    ASSERT_EQ(rec.calls.size(), 1u);
    EXPECT_EQ(rec.calls[0], c.argv);
  }
  rec.calls.clear();
  EXPECT_GT(Code(ShellExecuteW(nullptr, nullptr, u"/tmp/\u6807\u7b7e.html", nullptr, nullptr, SW_SHOWNORMAL)), 32);
  ASSERT_EQ(rec.calls.size(), 1u);
  EXPECT_EQ(rec.calls[0][1], "/tmp/\xe6\xa0\x87\xe7\xad\xbe.html");
}

TEST(ShellExecute, RefusesOtherVerbsEmptyNamesAndAFailedStart) {
  Recorder rec;
  EXPECT_EQ(Code(ShellExecuteA(nullptr, "print", "/tmp/x.txt", nullptr, nullptr, SW_SHOWNORMAL)), SE_ERR_NOASSOC);
  EXPECT_EQ(Code(ShellExecuteA(nullptr, "open", "", nullptr, nullptr, SW_SHOWNORMAL)), SE_ERR_FNF);
  EXPECT_TRUE(rec.calls.empty());
  rec.succeed = false;
  EXPECT_LE(Code(ShellExecuteA(nullptr, "open", "/tmp/x.txt", nullptr, nullptr, SW_SHOWNORMAL)), 32);
}

TEST(ShellExecute, TheDefaultLauncherStartsAProgram) {
  // "true" stands in for the opener: the real start path, collected afterwards.
  const shell::Launcher old = shell::SetLauncher({});
  shell::SetLauncher(old);
  EXPECT_TRUE(shell::Launch({"true"}));
  EXPECT_FALSE(shell::Launch({"tavrendel-no-such-program-here"}));
}

}  // namespace
