#include "document/render/layout_png.h"

#include <unistd.h>

#include <cstdio>
#include <filesystem>
#include <string>

#include "document/file/layout_file.h"
#include "document/render/label_render.h"
#include "image/bitmap/pltextexception.h"
#include "image/bitmap/plwinbmp.h"
#include "image/encode/plpngencoder.h"

namespace {

// The process's working folder for one scope (relative picture paths of the
// fields are found beside the layout).
class WorkingFolder {
 public:
  explicit WorkingFolder(const std::filesystem::path& folder) {
    std::error_code ec;
    previous_ = std::filesystem::current_path(ec);
    if (!ec && !folder.empty()) std::filesystem::current_path(folder, ec);
  }
  ~WorkingFolder() {
    std::error_code ec;
    if (!previous_.empty()) std::filesystem::current_path(previous_, ec);
  }
  WorkingFolder(const WorkingFolder&) = delete;
  WorkingFolder& operator=(const WorkingFolder&) = delete;

 private:
  std::filesystem::path previous_;
};

}  // namespace

int RenderLayoutFileToPng(const char* layoutPath, const char* pngPath, int resolution) {
  if (!layoutPath || !pngPath) return 0;
  std::error_code ec;
  const std::filesystem::path layout = std::filesystem::absolute(layoutPath, ec);
  const std::filesystem::path png = std::filesystem::absolute(pngPath, ec);
  CLabelSetup setup;
  CFieldList fields;
  if (!LoadLayoutFile(layout.string().c_str(), nullptr, setup, fields, nullptr)) return 0;
  const int dpi = resolution > 0 ? resolution : setup.dpiX;
  const WorkingFolder here(layout.parent_path());
  UniqueBitmap bitmap = RenderLabelBitmap(setup, fields, dpi, 0x302);
  if (!bitmap) return 0;
  try {
    PLWinBmp picture;
    if (!picture.CreateFromHBitmap(bitmap.get())) return 0;
    picture.SetResolution(PLPoint{dpi, dpi});
    return PLPNGEncoder().MakeFileFromBmp(png.string().c_str(), &picture);
  } catch (const PLTextException&) {
    std::remove(png.string().c_str());
    return 0;
  }
}
