#include "tests/platform/comdlg/comdlg_test_util.h"

#include <stdlib.h>
#include <sys/stat.h>
#include <utime.h>

#include <ctime>
#include <filesystem>
#include <fstream>
#include <vector>

#include "platform/nls/nls_text.h"

namespace comdlgtest {
namespace {

std::function<void(HWND)>& Pending() {
  static std::function<void(HWND)> pending;
  return pending;
}

void RunPending(HWND dialog, void*) {
  const std::function<void(HWND)> drive = std::move(Pending());
  Pending() = nullptr;
  uitest::RunUntilIdle();
  if (drive) drive(dialog);
}

}  // namespace

TempFolder::TempFolder() {
  std::string pattern = (std::filesystem::temp_directory_path() / "tav_comdlg_XXXXXX").string();
  std::vector<char> buffer(pattern.begin(), pattern.end());
  buffer.push_back('\0');
  if (mkdtemp(buffer.data())) path_ = buffer.data();
}

TempFolder::~TempFolder() {
  std::error_code ec;
  if (!path_.empty()) std::filesystem::remove_all(path_, ec);
}

std::u16string TempFolder::wide() const { return Wide(path_); }

void TempFolder::File(const std::string& name, size_t size, int64_t modifiedSecondsAgo) const {
  const std::string full = path_ + "/" + name;
  std::ofstream out(full, std::ios::binary);
  out << std::string(size, 'x');
  out.close();
  if (modifiedSecondsAgo) {
    struct utimbuf times {};
    times.actime = times.modtime = std::time(nullptr) - static_cast<time_t>(modifiedSecondsAgo);
    utime(full.c_str(), &times);
  }
}

void TempFolder::Folder(const std::string& name) const { std::filesystem::create_directories(path_ + "/" + name); }

void Next(std::function<void(HWND)> drive) {
  Pending() = std::move(drive);
  user::SetModalDialogHook(RunPending, nullptr);
}

void QueueKey(int virtualKey, bool shift) {
  if (shift) user::DeviceKey(VK_SHIFT, true);
  user::DeviceKey(virtualKey, true);
  user::DeviceKey(virtualKey, false);
  if (shift) user::DeviceKey(VK_SHIFT, false);
}

void ClickItem(HWND dialog, int id) {
  const HWND item = GetDlgItem(dialog, id);
  if (item) uitest::Click(item);
}

void TypeInto(HWND dialog, int id, std::u16string_view text) {
  const HWND item = GetDlgItem(dialog, id);
  SetFocus(item);
  SendMessageW(item, EM_SETSEL, 0, -1);
  uitest::TypeText(text);
}

std::u16string Text(HWND window) {
  WCHAR buffer[1024];
  GetWindowTextW(window, buffer, 1024);
  return buffer;
}

std::vector<std::u16string> FileRows(HWND dialog) {
  std::vector<std::u16string> rows;
  const HWND list = GetDlgItem(dialog, lst2);
  const LRESULT count = SendMessageW(list, LVM_GETITEMCOUNT, 0, 0);
  for (LRESULT i = 0; i < count; ++i) {
    WCHAR text[512] = {};
    LVITEMW item{};
    item.pszText = text;
    item.cchTextMax = 512;
    SendMessageW(list, LVM_GETITEMTEXTW, static_cast<WPARAM>(i), reinterpret_cast<LPARAM>(&item));
    rows.emplace_back(text);
  }
  return rows;
}

POINT FileRowCentre(HWND dialog, int row) {
  RECT r{};
  r.left = LVIR_BOUNDS;
  SendMessageW(GetDlgItem(dialog, lst2), LVM_GETITEMRECT, static_cast<WPARAM>(row), reinterpret_cast<LPARAM>(&r));
  return POINT{(r.left + r.right) / 2, (r.top + r.bottom) / 2};
}

int FileRowOf(HWND dialog, std::u16string_view name) {
  const std::vector<std::u16string> rows = FileRows(dialog);
  for (size_t i = 0; i < rows.size(); ++i)
    if (rows[i] == name) return static_cast<int>(i);
  return -1;
}

void ClickFileColumn(HWND dialog, int column) {
  const auto header = reinterpret_cast<HWND>(SendMessageW(GetDlgItem(dialog, lst2), LVM_GETHEADER, 0, 0));
  RECT r{};
  SendMessageW(header, HDM_GETITEMRECT, static_cast<WPARAM>(column), reinterpret_cast<LPARAM>(&r));
  uitest::Click(header, POINT{(r.left + r.right) / 2, (r.top + r.bottom) / 2});
}

std::string PicturePath(const char* name) {
  const std::string folder = std::string(TAV_BUILD_DIR) + "/pictures";
  std::filesystem::create_directories(folder);
  return folder + "/" + name;
}

std::string Utf8(std::u16string_view text) { return nls::FromUtf16(CP_UTF8, text); }

std::u16string Wide(std::string_view utf8) { return nls::ToUtf16(CP_UTF8, utf8); }

}  // namespace comdlgtest
