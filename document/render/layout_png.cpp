#include "document/render/layout_png.h"

#include <unistd.h>

#include <cstdio>
#include <filesystem>
#include <string>

#include "document/file/layout_file.h"
#include "document/file/layout_problem.h"
#include "document/render/image_export.h"
#include "document/render/label_render.h"
#include "fields/model/field_picture.h"
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

// The pictures image fields name that cannot be read (found from the
// working folder, as drawing finds them).
void NoteUnreadablePictures(const CFieldList& fields, std::vector<std::string>& report) {
  for (const auto& field : fields) {
    if (!field || !field->IsKind(FieldKind::kImage)) continue;
    AString path;
    field->GetFilePath(path);
    if (path.IsEmpty() || BuildFieldPicture(*field)) continue;
    report.push_back("the picture \"" + std::string(path.GetData()) + "\" of field \"" +
                     std::string(field->name.GetData()) + "\" cannot be read; a placeholder is drawn");
  }
}

}  // namespace

int RenderLayoutFileToPng(const char* layoutPath, const char* pngPath, int resolution,
                          std::vector<std::string>* reportOut) {
  std::vector<std::string> ignored;
  std::vector<std::string>& report = reportOut ? *reportOut : ignored;
  report.clear();
  if (!layoutPath || !pngPath) return 0;
  std::error_code ec;
  const std::filesystem::path layout = std::filesystem::absolute(layoutPath, ec);
  const std::filesystem::path png = std::filesystem::absolute(pngPath, ec);
  CLabelSetup setup;
  CFieldList fields;
  LayoutProblem problem;
  if (!LoadLayoutFile(layout.string().c_str(), nullptr, setup, fields, nullptr, &problem)) {
    report.push_back("cannot be opened: " + DescribeLayoutProblem(problem));
    return 0;
  }
  const int dpi = resolution > 0 ? resolution : setup.dpiX;
  const WorkingFolder here(layout.parent_path());
  UniqueBitmap bitmap = RenderLabelBitmap(setup, fields, dpi, 0x302);
  if (!bitmap) {
    report.push_back("cannot be rendered: the label of " + std::to_string(setup.labelWidth) + " x " +
                     std::to_string(setup.labelHeight) + " thousandths of an inch at " + std::to_string(dpi) +
                     " dpi is refused");
    return 0;
  }
  try {
    PLWinBmp picture;
    if (picture.CreateFromHBitmap(bitmap.get())) {
      picture.SetResolution(PLPoint{dpi, dpi});
      PLPNGEncoder encoder;
      encoder.SetCompressionLevel(kLabelPngCompression);
      if (encoder.MakeFileFromBmp(png.string().c_str(), &picture)) {
        NoteUnreadablePictures(fields, report);
        return 1;
      }
    }
  } catch (const PLTextException&) {
    std::remove(png.string().c_str());
  }
  report.push_back("cannot be written to " + png.string());
  return 0;
}
