// Opening the file dialog on a folder of 5,000 files: reading the folder,
// filtering, sorting and filling the list, and the first paint, until the
// dialog is shown and can be answered (it is cancelled at once).
#include <benchmark/benchmark.h>

#include <stdlib.h>

#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

#include "platform/win.h"

namespace {

class Folder {
 public:
  explicit Folder(int files) {
    std::string pattern = (std::filesystem::temp_directory_path() / "tav_bench_files_XXXXXX").string();
    std::vector<char> buffer(pattern.begin(), pattern.end());
    buffer.push_back('\0');
    if (!mkdtemp(buffer.data())) return;
    path_ = buffer.data();
    for (int i = 0; i < files; ++i) {
      const char* ext = i % 4 == 0 ? ".txt" : ".bcd";
      std::ofstream(path_ + "/label " + std::to_string(i) + ext) << std::string(static_cast<size_t>(i % 97), 'x');
    }
  }
  ~Folder() {
    std::error_code ec;
    if (!path_.empty()) std::filesystem::remove_all(path_, ec);
  }
  const std::string& path() const { return path_; }

 private:
  std::string path_;
};

void OpenFileDialog(benchmark::State& state) {
  const Folder folder(static_cast<int>(state.range(0)));
  std::u16string wide(folder.path().begin(), folder.path().end());
  WCHAR file[1024] = {};
  for (auto _ : state) {
    OPENFILENAMEW ofn{};
    ofn.lStructSize = sizeof ofn;
    ofn.lpstrFilter = u"Barcode Layout\0*.bcd\0All files\0*.*\0";
    ofn.lpstrFile = file;
    ofn.nMaxFile = 1024;
    ofn.lpstrInitialDir = wide.c_str();
    ofn.Flags = OFN_EXPLORER | OFN_FILEMUSTEXIST;
    user::SetModalDialogHook([](HWND dialog, void*) { PostMessageW(dialog, WM_COMMAND, IDCANCEL, 0); }, nullptr);
    benchmark::DoNotOptimize(GetOpenFileNameW(&ofn));
  }
  state.SetItemsProcessed(state.iterations() * state.range(0));
}
BENCHMARK(OpenFileDialog)->Arg(5000)->Unit(benchmark::kMillisecond);

}  // namespace
