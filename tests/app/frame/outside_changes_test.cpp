// Layout files changed by another program: one question per change, "No"
// remembered for that state of the file, a read-only change relocking
// silently, on real files.
#include <gtest/gtest.h>
#include <sys/stat.h>
#include <sys/time.h>

#include <fstream>
#include <string>
#include <vector>

#include "app/frame/outside_changes.h"
#include "frame_test_util.h"
#include "platform/win.h"

namespace {

// What a layout document keeps, as plain members.
class FakeLayout : public CLayoutFileWatch {
 public:
  explicit FakeLayout(std::string path) : path_(std::move(path)) { kept_ = *FileStatusNow(path_); }
  std::string Path() const override { return path_; }
  LayoutFileStatus KeptStatus() const override { return kept_; }
  void SetKeptStatus(const LayoutFileStatus& s) override { kept_ = s; }
  std::optional<LayoutFileStatus> DeclinedStatus() const override { return declined_; }
  void SetDeclinedStatus(const LayoutFileStatus& s) override { declined_ = s; }
  bool IsModified() const override { return modified; }
  void SetLocked(bool on) override { locked = on; }
  void Reload(const LayoutFileStatus& now) override {
    ++reloads;
    kept_ = now;
    declined_.reset();
  }
  bool modified = false;
  bool locked = false;
  int reloads = 0;

 private:
  std::string path_;
  LayoutFileStatus kept_;
  std::optional<LayoutFileStatus> declined_;
};

void WriteFile(const std::string& path, const std::string& text, int secondsAgo) {
  std::ofstream(path, std::ios::binary | std::ios::trunc) << text;
  // Distinct modification times without waiting.
  struct timeval times[2];
  ::gettimeofday(&times[0], nullptr);
  times[0].tv_sec -= secondsAgo;
  times[1] = times[0];
  ::utimes(path.c_str(), times);
}

struct Asker {
  std::vector<int> answers;
  std::vector<std::string> asked;
  OutsideChangeQuestion Fn() {
    return [this](const CLayoutFileWatch& layout, bool modified) {
      asked.push_back(layout.Path() + (modified ? " (and lose changes)" : ""));
      const int a = answers.empty() ? IDNO : answers.front();
      if (!answers.empty()) answers.erase(answers.begin());
      return a;
    };
  }
};

LayoutFileStatus Status(int64_t modified, int64_t size, bool readOnly, int64_t changed = 0) {
  LayoutFileStatus s;
  s.modifiedTime = modified;
  s.changeTime = changed;
  s.size = size;
  s.attribute = readOnly ? 1 : 0;
  return s;
}

TEST(OutsideChanges, CompareFileStatusKinds) {
  const LayoutFileStatus base = Status(100, 10, false);
  EXPECT_EQ(CompareFileStatus(base, base), 0);
  // A permission change moves the change time too; it is still no content change.
  EXPECT_EQ(CompareFileStatus(Status(100, 10, true, 500), base), 2);
  EXPECT_EQ(CompareFileStatus(Status(100, 10, false, 500), base), 0);
  EXPECT_EQ(CompareFileStatus(Status(101, 10, false), base), 1);
  EXPECT_EQ(CompareFileStatus(Status(100, 11, true), base), 1);
}

TEST(OutsideChanges, OneQuestionPerChange) {
  frametest::Scratch dir;
  const std::string path = dir / "a.bcd";
  WriteFile(path, "one", 100);
  FakeLayout layout(path);
  Asker asker;
  // Nothing changed: nothing asked.
  EXPECT_EQ(CheckOutsideChanges({&layout}, asker.Fn()), 0);
  // Changed: asked once; "No" is remembered for this state of the file.
  WriteFile(path, "two", 50);
  asker.answers = {IDNO};
  EXPECT_EQ(CheckOutsideChanges({&layout}, asker.Fn()), 1);
  EXPECT_EQ(CheckOutsideChanges({&layout}, asker.Fn()), 0);
  EXPECT_EQ(CheckOutsideChanges({&layout}, asker.Fn()), 0);
  EXPECT_EQ(layout.reloads, 0);
  // A further change asks again; the modified layout says so; Yes reloads.
  WriteFile(path, "three", 10);
  layout.modified = true;
  asker.answers = {IDYES};
  EXPECT_EQ(CheckOutsideChanges({&layout}, asker.Fn()), 1);
  EXPECT_EQ(layout.reloads, 1);
  EXPECT_EQ(CheckOutsideChanges({&layout}, asker.Fn()), 0);
  EXPECT_EQ(asker.asked, (std::vector<std::string>{path, path + " (and lose changes)"}));
}

TEST(OutsideChanges, PermissionChangeRelocksSilently) {
  frametest::Scratch dir;
  const std::string path = dir / "b.bcd";
  WriteFile(path, "label", 100);
  FakeLayout layout(path);
  Asker asker;
  ASSERT_EQ(::chmod(path.c_str(), 0444), 0);
  EXPECT_EQ(CheckOutsideChanges({&layout}, asker.Fn()), 0);
  EXPECT_TRUE(layout.locked);
  EXPECT_TRUE(asker.asked.empty());
  ASSERT_EQ(::chmod(path.c_str(), 0644), 0);
  EXPECT_EQ(CheckOutsideChanges({&layout}, asker.Fn()), 0);
  EXPECT_FALSE(layout.locked);
  EXPECT_EQ(layout.reloads, 0);
}

TEST(OutsideChanges, FileGoneIsLeftAlone) {
  frametest::Scratch dir;
  const std::string path = dir / "c.bcd";
  WriteFile(path, "label", 100);
  FakeLayout layout(path);
  ::unlink(path.c_str());
  Asker asker;
  EXPECT_EQ(CheckOutsideChanges({&layout}, asker.Fn()), 0);
  EXPECT_TRUE(asker.asked.empty());
}

}  // namespace

namespace {

TEST(OutsideChanges, AfterNoAPermissionChangeStillRelocksWithoutAsking) {
  frametest::Scratch dir;
  const std::string path = dir / "d.bcd";
  WriteFile(path, "one", 100);
  FakeLayout layout(path);
  Asker asker;
  WriteFile(path, "two!", 50);
  EXPECT_EQ(CheckOutsideChanges({&layout}, asker.Fn()), 1);  // answered No
  ASSERT_EQ(::chmod(path.c_str(), 0444), 0);
  EXPECT_EQ(CheckOutsideChanges({&layout}, asker.Fn()), 0);
  EXPECT_TRUE(layout.locked);
  EXPECT_EQ(asker.asked.size(), 1u);
}

}  // namespace
