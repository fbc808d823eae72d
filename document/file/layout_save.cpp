// The one save routine of layout files. Every route (Save, Save As, save on
// close, the main frame) ends here:
//   1. refuse a file that may not be written (read-only even for root, or
//      not a regular file);
//   2. write the stream ("path.tmp") and the preview ("path.vue"), checked;
//      a preview that cannot be made (a label too large to draw) leaves
//      the version without one, as the store allows;
//   3. build the store in memory: from the file when the route adds a
//      version and the file is a store, else from the seed;
//   4. write it to a temporary file in the same folder, synced, with the
//      old file's mode;
//   5. copy the old file to a temporary file, synced, and rename it over
//      "path.010" (the old backup kept under a link until the end);
//   6. rename the store over path and sync the folder.
// Any failure removes the temporary files (the stream and preview files
// too) and puts the old backup back (or removes a new one when there was
// none), so path and its ".010" are as they were. Success removes the
// working files as well: the store holds what they held.
#include <string>
#include <vector>

#include <sys/stat.h>
#include <unistd.h>

#include "document/file/file_calls.h"
#include "document/file/label_preview.h"
#include "document/file/label_stream.h"
#include "document/file/layout_file.h"
#include "document/file/version_store.h"
#include "document/layout_shell.h"

namespace {

// The files a save made and must take away again when it fails.
class SaveScratch {
 public:
  ~SaveScratch() {
    if (done_) return;
    for (const std::string& f : made_) RemoveFile(f.c_str());
    if (!keptBackup_.empty()) {
      if (backupReplaced_) RenameFile(keptBackup_.c_str(), backup_.c_str());
      else RemoveFile(keptBackup_.c_str());
    } else if (backupReplaced_) {
      // There was no backup before this save: the one it made goes.
      RemoveFile(backup_.c_str());
    }
  }
  void Made(const std::string& file) { made_.push_back(file); }
  // The old backup stays reachable under another name until the save ends.
  bool KeepBackup(const std::string& backup) {
    backup_ = backup;
    struct stat st {};
    if (::lstat(backup.c_str(), &st) != 0) return true;
    keptBackup_ = UniqueSiblingName(backup, ".old");
    return LinkFile(backup.c_str(), keptBackup_.c_str()) || (keptBackup_.clear(), false);
  }
  void BackupReplaced() { backupReplaced_ = true; }
  // Success: the working files and the old backup go.
  void Done() {
    done_ = true;
    for (const std::string& f : made_) RemoveFile(f.c_str());
    if (!keptBackup_.empty()) RemoveFile(keptBackup_.c_str());
  }

 private:
  std::vector<std::string> made_;
  std::string backup_, keptBackup_;
  bool backupReplaced_ = false;
  bool done_ = false;
};

UniqueXmlDoc BaseStore(const char* path, bool exists, SaveVersions versions) {
  std::vector<uint8_t> bytes;
  if (versions == SaveVersions::kAddVersion && exists) {
    if (!ReadWholeFileBytes(path, bytes)) return nullptr;
    if (IsVersionStoreBytes(bytes)) return ParseVersionStore(bytes);
  }
  AString seed = LayoutShell()->ProgramFolder();
  seed += kVersionStoreSeed;
  if (!ReadWholeFileBytes(seed.GetData(), bytes)) return nullptr;
  return ParseVersionStore(bytes);
}

}  // namespace

int SaveLayoutFile(const char* path, const CLabelSetup& setup, const CFieldList& fieldList, SaveVersions versions) {
  if (!path || !*path || LayoutFileWriteBlock(path) != 0) return 0;
  const std::string target(path);
  const std::string streamFile = target + ".tmp";
  const std::string previewFile = target + ".vue";
  struct stat old {};
  const bool exists = ::stat(path, &old) == 0;
  SaveScratch scratch;

  // 2. The stream and the preview beside the file; an old preview is never
  // passed on for a new one.
  scratch.Made(streamFile);
  scratch.Made(previewFile);
  const std::vector<uint8_t> stream = LabelStreamBytes(setup, fieldList);
  if (stream.empty() || !WriteWholeFile(streamFile.c_str(), stream)) return 0;
  std::vector<uint8_t> preview;
  if (!RemoveFile(previewFile.c_str())) return 0;
  if (WriteLabelPreview(previewFile.c_str(), setup, fieldList) != 1 ||
      !ReadWholeFileBytes(previewFile.c_str(), preview))
    preview.clear();

  // 3. The store in memory.
  UniqueXmlDoc store = BaseStore(path, exists, versions);
  if (!store || !AddVersionToStore(store.get(), stream, preview, VersionStoreNow())) return 0;
  const std::vector<uint8_t> storeBytes = VersionStoreBytes(store.get());
  if (storeBytes.empty()) return 0;

  // 4. The new file beside the old one, on disk before anything is renamed.
  const std::string newFile = UniqueSiblingName(target, ".new");
  scratch.Made(newFile);
  if (!WriteWholeFile(newFile.c_str(), storeBytes, true)) return 0;
  if (exists && !ChangeMode(newFile.c_str(), old.st_mode & 07777)) return 0;

  // 5. The old file becomes the backup, only once its copy is complete.
  if (exists) {
    const std::string backup = target + ".010";
    std::vector<uint8_t> oldBytes;
    const std::string copy = UniqueSiblingName(target, ".bak");
    scratch.Made(copy);
    if (!ReadWholeFileBytes(path, oldBytes) || !WriteWholeFile(copy.c_str(), oldBytes, true)) return 0;
    if (!scratch.KeepBackup(backup) || !RenameFile(copy.c_str(), backup.c_str())) return 0;
    scratch.BackupReplaced();
  }

  // 6. The store replaces the file.
  if (!RenameFile(newFile.c_str(), path)) return 0;
  // The new file is in place whatever the folder's sync answers; a failure
  // there can only lose the rename to a crash, which leaves the old file.
  SyncFolderOf(path);
  scratch.Done();
  return 1;
}
