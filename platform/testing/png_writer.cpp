#include "platform/testing/png_writer.h"

#include <png.h>

#include <cstdio>
#include <cstdlib>
#include <memory>
#include <vector>

namespace tavtest {

bool WritePng(const std::string& path, int width, int height, const uint8_t* bgrx, size_t stride) {
  if (width <= 0 || height <= 0 || !bgrx) return false;
  if (stride == 0) stride = static_cast<size_t>(width) * 4;
  std::unique_ptr<FILE, int (*)(FILE*)> file(std::fopen(path.c_str(), "wb"), std::fclose);
  if (!file) return false;
  png_structp png = png_create_write_struct(PNG_LIBPNG_VER_STRING, nullptr, nullptr, nullptr);
  png_infop info = png ? png_create_info_struct(png) : nullptr;
  if (!info) {
    png_destroy_write_struct(&png, nullptr);
    return false;
  }
  std::vector<png_byte> row(static_cast<size_t>(width) * 3);
  // libpng reports errors by jumping back here; nothing with a destructor is
  // made between this point and the calls that may jump.
  if (setjmp(png_jmpbuf(png))) {
    png_destroy_write_struct(&png, &info);
    return false;
  }
  png_init_io(png, file.get());
  png_set_IHDR(png, info, static_cast<png_uint_32>(width), static_cast<png_uint_32>(height), 8, PNG_COLOR_TYPE_RGB,
               PNG_INTERLACE_NONE, PNG_COMPRESSION_TYPE_DEFAULT, PNG_FILTER_TYPE_DEFAULT);
  png_write_info(png, info);
  for (int y = 0; y < height; ++y) {
    const uint8_t* in = bgrx + static_cast<size_t>(y) * stride;
    for (int x = 0; x < width; ++x) {
      row[static_cast<size_t>(x) * 3] = in[x * 4 + 2];
      row[static_cast<size_t>(x) * 3 + 1] = in[x * 4 + 1];
      row[static_cast<size_t>(x) * 3 + 2] = in[x * 4];
    }
    png_write_row(png, row.data());
  }
  png_write_end(png, nullptr);
  png_destroy_write_struct(&png, &info);
  return std::fflush(file.get()) == 0;
}

std::string BuildFolderPng(const std::string& name) {
  const char* env = std::getenv("TAV_BUILD_DIR");
  const std::string dir = env && *env ? env : TAV_BUILD_DIR;
  return dir + "/" + name + ".png";
}

}  // namespace tavtest
