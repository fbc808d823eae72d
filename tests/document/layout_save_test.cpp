// The save routine under faults: a failure at each step of each route
// leaves the file and its backup byte for byte, no temporary file, the
// message "File not saved!" and a document still modified; a process killed
// at any file call leaves the old file or the whole new one; a full disk
// (RLIMIT_FSIZE) fails cleanly; read-only files are never replaced.
#include <gtest/gtest.h>

#include <csignal>
#include <functional>

#include <sys/resource.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include "doc_test_support.h"
#include "document/core/rvo_doc.h"
#include "document/file/file_calls.h"
#include "document/file/label_stream.h"
#include "document/file/layout_file.h"
#include "document/file/version_store.h"
#include "fields/model/field_kinds.h"

namespace {

using doc_test::FileBytes;

bool EndsWith(const std::string& s, const std::string& tail) {
  return s.size() >= tail.size() && s.compare(s.size() - tail.size(), tail.size(), tail) == 0;
}

// Fails the first file call of a kind whose path matches.
struct Fault {
  FileCall call;
  std::string pathPart;  // the path ends with it, or holds it after a '.'
  int hits = 0;
};

bool FailMatching(FileCall call, const char* path, void* context) {
  auto* f = static_cast<Fault*>(context);
  const std::string p(path ? path : "");
  if (call != f->call) return false;
  if (!EndsWith(p, f->pathPart) && p.find(f->pathPart + "") == std::string::npos) return false;
  return ++f->hits == 1;
}

enum class Route { kSave, kSaveAsOntoStore, kSaveOnClose };
const char* RouteName(Route r) {
  return r == Route::kSave ? "Save" : r == Route::kSaveAsOntoStore ? "Save As onto a store" : "save on close";
}

enum class Breakage { kFileCall, kCorruptBase, kNoSeed };

// What a broken step does to the save: it fails whole, or (the preview,
// which the store may go without) the save goes on without it.
enum class Outcome { kFails, kSavedWithoutPreview };

struct Step {
  const char* name;
  Breakage breakage;
  FileCall call;
  const char* pathPart;
  Outcome outcome = Outcome::kFails;
};

const Step kSteps[] = {
    {"stream", Breakage::kFileCall, FileCall::kOpen, "layout.bcd.tmp"},
    {"stream write", Breakage::kFileCall, FileCall::kWrite, "layout.bcd.tmp"},
    {"stream close", Breakage::kFileCall, FileCall::kClose, "layout.bcd.tmp"},
    {"old preview removal", Breakage::kFileCall, FileCall::kRemove, "layout.bcd.vue"},
    {"preview", Breakage::kFileCall, FileCall::kOpen, "layout.bcd.vue", Outcome::kSavedWithoutPreview},
    {"preview write", Breakage::kFileCall, FileCall::kWrite, "layout.bcd.vue", Outcome::kSavedWithoutPreview},
    {"preview read", Breakage::kFileCall, FileCall::kRead, "layout.bcd.vue", Outcome::kSavedWithoutPreview},
    {"parse", Breakage::kCorruptBase, FileCall::kRead, ""},
    {"temporary", Breakage::kFileCall, FileCall::kWrite, ".bcd.new"},
    {"temporary close", Breakage::kFileCall, FileCall::kClose, ".bcd.new"},
    {"fsync", Breakage::kFileCall, FileCall::kSync, ".bcd.new"},
    {"mode", Breakage::kFileCall, FileCall::kChmod, ".bcd.new"},
    {"backup copy", Breakage::kFileCall, FileCall::kWrite, ".bcd.bak"},
    {"backup copy fsync", Breakage::kFileCall, FileCall::kSync, ".bcd.bak"},
    {"backup kept", Breakage::kFileCall, FileCall::kLink, "layout.bcd.010.old"},
    {"backup", Breakage::kFileCall, FileCall::kRename, "layout.bcd.010"},
    {"rename", Breakage::kFileCall, FileCall::kRename, "/layout.bcd"},
    {"missing seed", Breakage::kNoSeed, FileCall::kRead, ""},
};

// The working and temporary files a save may make beside the layout.
bool IsWorkingFile(const std::string& name) {
  for (const char* mark : {".tmp", ".vue", ".new", ".bak", ".old"})
    if (name.find(mark) != std::string::npos) return true;
  return false;
}

class LayoutSave : public ::testing::Test {
 protected:
  void TearDown() override { SetFileCallFault(nullptr, nullptr); }

  // layout.bcd holding two versions, and its backup.
  std::string MakeStore() {
    const std::string file = dir / "layout.bcd";
    for (int i = 0; i < 2; ++i) {
      CRvoDoc doc;
      doc.AddLineField(RECT{100 * i, 0, 500, 20});
      app.saveNames.push_back(file);
      EXPECT_EQ(doc.SaveAs(), 1);
    }
    return file;
  }

  doc_test::ScriptedApp app;
  doc_test::TempFolder dir;
};

TEST_F(LayoutSave, AFailureAtEveryStepOfEveryRouteLeavesTheFilesAsTheyWere) {
  for (const bool earlierBackup : {true, false})
  for (const Route route : {Route::kSave, Route::kSaveAsOntoStore, Route::kSaveOnClose}) {
    for (const Step& step : kSteps) {
      SCOPED_TRACE(std::string(RouteName(route)) + ", " + step.name +
                   (earlierBackup ? ", with a backup" : ", without a backup"));
      doc_test::TempFolder seedDir;
      const std::string file = MakeStore();
      if (!earlierBackup) std::filesystem::remove(file + ".010");
      // Without a backup there is none to keep aside.
      if (!earlierBackup && step.call == FileCall::kLink) continue;
      for (const std::string& name : dir.Files()) EXPECT_FALSE(IsWorkingFile(name)) << name << " left by a save";
      CRvoDoc doc;
      if (route != Route::kSaveAsOntoStore) {
        ASSERT_TRUE(doc.OnOpenDocument(file.c_str()));
        doc.SetPathName(file.c_str(), FALSE);
      }
      doc.AddBoxField(RECT{0, 0, 300, 300}, nullptr);
      const bool readsStore = route == Route::kSaveAsOntoStore;
      if (step.breakage == Breakage::kCorruptBase) {
        if (readsStore) {
          std::ofstream(file, std::ios::binary | std::ios::trunc) << "<?xml version=\"1.0\"?><ComboDoc";
        } else {
          std::ofstream(seedDir / "docseed.xml") << "<?xml version=\"1.0\"?><Other/>";
          app.programFolder = seedDir.path();
        }
      }
      if (step.breakage == Breakage::kNoSeed) app.programFolder = seedDir.path();
      const std::vector<uint8_t> before = FileBytes(file);
      const std::vector<uint8_t> backupBefore = FileBytes(file + ".010");
      // The stream and preview files beside the layout are the save's working
      // files: a failed save takes them away with its temporary files.
      auto filesBefore = dir.Files();
      filesBefore.erase("layout.bcd.tmp");
      filesBefore.erase("layout.bcd.vue");
      Fault fault{step.call, step.pathPart};
      if (step.breakage == Breakage::kFileCall) SetFileCallFault(&FailMatching, &fault);
      app.shownMessages.clear();

      int result = 0;
      if (route == Route::kSave) {
        result = doc.Save();
      } else if (route == Route::kSaveAsOntoStore) {
        app.saveNames.push_back(file);
        result = doc.SaveAs();
      } else {
        result = doc.SaveModified();
      }
      SetFileCallFault(nullptr, nullptr);
      app.programFolder.clear();

      if (step.breakage == Breakage::kNoSeed && readsStore) {
        EXPECT_EQ(result, 1) << "a store that gains a version needs no seed";
        continue;
      }
      // The step was reached (a removal is tried again by the clean-up).
      if (step.breakage == Breakage::kFileCall) {
        EXPECT_GE(fault.hits, 1) << "the step was reached";
      }
      if (step.outcome == Outcome::kSavedWithoutPreview) {
        EXPECT_EQ(result, 1);
        UniqueXmlDoc store = ParseVersionStore(FileBytes(file));
        std::vector<uint8_t> stream, preview;
        ASSERT_TRUE(store && VersionStream(store.get(), nullptr, stream));
        EXPECT_FALSE(VersionPreview(store.get(), nullptr, preview)) << "the new version has no preview";
        EXPECT_FALSE(doc.IsModified());
        for (const std::string& name : dir.Files()) EXPECT_FALSE(IsWorkingFile(name)) << name;
        std::filesystem::remove(file);
        std::filesystem::remove(file + ".010");
        continue;
      }
      EXPECT_EQ(result, 0);
      EXPECT_EQ(FileBytes(file), before);
      EXPECT_EQ(FileBytes(file + ".010"), backupBefore);
      EXPECT_EQ(dir.Files(), filesBefore);
      EXPECT_TRUE(app.Shown("File not saved!"));
      if (route == Route::kSaveOnClose) {
        EXPECT_TRUE(app.Shown("Document not saved!"));
      }
      EXPECT_TRUE(doc.IsModified());
      std::filesystem::remove(file);
      std::filesystem::remove(file + ".010");
    }
  }
}

TEST_F(LayoutSave, ALabelTooLargeForAPreviewSavesWithoutOne) {
  // 120 x 100 inches: at the preview's 75 dpi a picture no device can hold.
  const std::string file = dir / "large.bcd";
  CRvoDoc doc;
  doc.labelSetup.labelWidth = 120000;
  doc.labelSetup.labelHeight = 100000;
  doc.AddBoxField(RECT{1000, 1000, 119000, 99000}, nullptr);
  app.saveNames.push_back(file);
  ASSERT_EQ(doc.SaveAs(), 1);
  EXPECT_FALSE(app.Shown("File not saved!"));
  UniqueXmlDoc store = ParseVersionStore(FileBytes(file));
  std::vector<uint8_t> stream, preview;
  ASSERT_TRUE(store && VersionStream(store.get(), nullptr, stream));
  EXPECT_FALSE(VersionPreview(store.get(), nullptr, preview));
  for (const std::string& name : dir.Files()) EXPECT_FALSE(IsWorkingFile(name)) << name;
  CRvoDoc again;
  ASSERT_TRUE(again.OnOpenDocument(file.c_str()));
  EXPECT_EQ(again.labelSetup.labelWidth, 120000);
  EXPECT_EQ(again.labelSetup.labelHeight, 100000);
  EXPECT_EQ(again.fieldList.size(), 1u);
}

struct KillAt {
  int call;
  int count = 0;
};

bool KillAtCall(FileCall, const char*, void* context) {
  auto* k = static_cast<KillAt*>(context);
  if (++k->count == k->call) raise(SIGKILL);
  return false;
}

int DocCount(const std::vector<uint8_t>& bytes) {
  UniqueXmlDoc store = ParseVersionStore(bytes);
  std::vector<uint8_t> stream;
  if (!store || !VersionStream(store.get(), nullptr, stream)) return -1;
  const std::string text(bytes.begin(), bytes.end());
  int n = 0;
  for (size_t at = text.find("<Doc "); at != std::string::npos; at = text.find("<Doc ", at + 1)) ++n;
  return n;
}

TEST_F(LayoutSave, AProcessKilledAtAnyFileCallLeavesTheOldFileOrTheWholeNewOne) {
  const std::string file = MakeStore();
  const std::vector<uint8_t> before = FileBytes(file);
  const std::vector<uint8_t> backupBefore = FileBytes(file + ".010");
  CLabelSetup setup;
  CFieldList fields;
  fields.push_back(std::make_unique<CBoxField>());
  int completedAt = 0;
  for (int n = 1; n < 200 && !completedAt; ++n) {
    // Every run starts from the same two files.
    std::ofstream(file, std::ios::binary | std::ios::trunc).write(reinterpret_cast<const char*>(before.data()), static_cast<std::streamsize>(before.size()));
    std::ofstream(file + ".010", std::ios::binary | std::ios::trunc).write(reinterpret_cast<const char*>(backupBefore.data()), static_cast<std::streamsize>(backupBefore.size()));
    const pid_t child = fork();
    ASSERT_GE(child, 0);
    if (child == 0) {
      KillAt kill{n};
      SetFileCallFault(&KillAtCall, &kill);
      _exit(SaveLayoutFile(file.c_str(), setup, fields, SaveVersions::kAddVersion) == 1 ? 0 : 1);
    }
    int status = 0;
    ASSERT_EQ(waitpid(child, &status, 0), child);
    const std::vector<uint8_t> now = FileBytes(file);
    if (WIFEXITED(status)) {
      ASSERT_EQ(WEXITSTATUS(status), 0);
      completedAt = n;
      EXPECT_EQ(DocCount(now), 3);
      EXPECT_EQ(FileBytes(file + ".010"), before);
    } else {
      EXPECT_EQ(WTERMSIG(status), SIGKILL);
      EXPECT_TRUE(now == before || DocCount(now) == 3) << "killed at call " << n;
    }
  }
  EXPECT_GT(completedAt, 8) << "a save makes at least this many file calls";
}

TEST_F(LayoutSave, AFullDiskFailsCleanly) {
  const std::string file = MakeStore();
  const std::vector<uint8_t> before = FileBytes(file);
  const std::vector<uint8_t> backupBefore = FileBytes(file + ".010");
  auto filesBefore = dir.Files();
  filesBefore.erase("layout.bcd.tmp");
  filesBefore.erase("layout.bcd.vue");
  CLabelSetup setup;
  CFieldList fields;
  for (int i = 0; i < 20; ++i) fields.push_back(std::make_unique<CBoxField>());
  // Room for the stream and the preview, not for the store.
  const rlim_t limit = LabelStreamBytes(setup, fields).size() + 64;
  const pid_t child = fork();
  ASSERT_GE(child, 0);
  if (child == 0) {
    signal(SIGXFSZ, SIG_IGN);
    const rlimit r{limit, limit};
    setrlimit(RLIMIT_FSIZE, &r);
    _exit(SaveLayoutFile(file.c_str(), setup, fields, SaveVersions::kAddVersion));
  }
  int status = 0;
  ASSERT_EQ(waitpid(child, &status, 0), child);
  ASSERT_TRUE(WIFEXITED(status));
  EXPECT_EQ(WEXITSTATUS(status), 0) << "the save reported success";
  EXPECT_EQ(FileBytes(file), before);
  EXPECT_EQ(FileBytes(file + ".010"), backupBefore);
  EXPECT_EQ(dir.Files(), filesBefore);
}

TEST_F(LayoutSave, AReadOnlyFileOpensLockedAndIsNeverReplaced) {
  const std::string file = MakeStore();
  ASSERT_EQ(chmod(file.c_str(), 0444), 0);
  const std::vector<uint8_t> before = FileBytes(file);
  CRvoDoc doc;
  ASSERT_TRUE(doc.OnOpenDocument(file.c_str()));
  doc.SetPathName(file.c_str(), FALSE);
  EXPECT_EQ(doc.locked, 1);
  doc.AddLineField(RECT{0, 0, 10, 10});

  // Save offers Save As: No saves nothing.
  app.answers.push_back(IDNO);
  EXPECT_EQ(doc.Save(), 0);
  EXPECT_TRUE(app.Shown("Readonly File!Cannot write! Want to save to a different file?"));
  EXPECT_TRUE(app.Shown("File not saved!"));
  // Yes goes to Save As; naming the same file is refused.
  app.answers.push_back(IDYES);
  app.saveNames.push_back(file);
  EXPECT_EQ(doc.Save(), 0);
  EXPECT_TRUE(app.Shown("Readonly File!Cannot write!"));
  // Every other route refuses as well, also for root.
  EXPECT_FALSE(doc.OnSaveDocument(file.c_str()));
  EXPECT_FALSE(doc.DoSave(file.c_str(), TRUE));
  EXPECT_EQ(SaveLayoutFile(file.c_str(), doc.labelSetup, doc.fieldList, SaveVersions::kAddVersion), 0);
  CRvoDoc other;
  app.saveNames.push_back(file);
  EXPECT_EQ(other.SaveAs(), 0);
  EXPECT_EQ(FileBytes(file), before);
  EXPECT_TRUE(doc.IsModified());

  const int beeps = app.beeps;
  const size_t count = doc.fieldList.size();
  doc.DeleteAllFields();
  EXPECT_EQ(app.beeps, beeps + 1);
  EXPECT_EQ(doc.fieldList.size(), count);

  // Saved elsewhere, the layout is written there.
  app.saveNames.push_back(dir / "copy.bcd");
  EXPECT_EQ(doc.SaveAs(), 1);
  EXPECT_TRUE(doc_test::Exists(dir / "copy.bcd"));
}

TEST_F(LayoutSave, AReadOnlyBackupIsReplacedAllTheSameAndTheModeIsKept) {
  const std::string file = MakeStore();
  ASSERT_EQ(chmod((file + ".010").c_str(), 0444), 0);
  ASSERT_EQ(chmod(file.c_str(), 0640), 0);
  const std::vector<uint8_t> before = FileBytes(file);
  CRvoDoc doc;
  app.saveNames.push_back(file);
  ASSERT_EQ(doc.SaveAs(), 1);
  EXPECT_EQ(FileBytes(file + ".010"), before);
  struct stat st {};
  ASSERT_EQ(stat(file.c_str(), &st), 0);
  EXPECT_EQ(st.st_mode & 07777, 0640u);
}

TEST_F(LayoutSave, SaveAsOntoAFileAnotherOpenDocumentHoldsIsRefused) {
  const std::string file = MakeStore();
  auto* tmpl = new CMultiDocTemplate(0, RUNTIME_CLASS(CRvoDoc), nullptr, nullptr);
  app.AddDocTemplate(tmpl);
  auto* holder = new CRvoDoc;
  holder->SetPathName(file.c_str(), FALSE);
  tmpl->AddDocument(holder);
  auto* doc = new CRvoDoc;
  tmpl->AddDocument(doc);
  const std::vector<uint8_t> before = FileBytes(file);
  app.saveNames.push_back(file);
  EXPECT_EQ(doc->SaveAs(), 0);
  EXPECT_TRUE(app.Shown("This file is currently open for editing. Please use another name!"));
  EXPECT_EQ(FileBytes(file), before);
  // The holder itself may save under its own name.
  app.saveNames.push_back(file);
  EXPECT_EQ(holder->SaveAs(), 1);
  delete doc;
  delete holder;
}

}  // namespace
