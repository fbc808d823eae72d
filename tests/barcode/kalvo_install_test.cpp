// The library installed for other programs: `cmake --install` into a
// temporary prefix, a small program built against it with pkg-config alone,
// and the symbols it draws read back by zxing-cpp.
#include <gtest/gtest.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <string>

#include "tests/barcode/kalvo_request.h"

namespace {

namespace fs = std::filesystem;

int RunCommand(const std::string& command) {
  const int status = std::system(command.c_str());
  return status != -1 && WIFEXITED(status) ? WEXITSTATUS(status) : -1;
}

// A PGM written by the program, as grey pixels.
kalvo_test::Grey ReadPgm(const fs::path& path) {
  kalvo_test::Grey grey;
  std::ifstream in(path, std::ios::binary);
  std::string magic;
  int maximum = 0;
  in >> magic >> grey.width >> grey.height >> maximum;
  in.get();
  if (magic != "P5" || maximum != 255 || grey.width <= 0 || grey.height <= 0) return {};
  grey.pixels.resize(static_cast<size_t>(grey.width) * grey.height);
  in.read(reinterpret_cast<char*>(grey.pixels.data()), static_cast<std::streamsize>(grey.pixels.size()));
  return in ? grey : kalvo_test::Grey{};
}

class Installed : public testing::Test {
 protected:
  void SetUp() override {
    root_ = fs::temp_directory_path() / ("kalvo-install-" + std::to_string(getpid()));
    fs::remove_all(root_);
    fs::create_directories(root_ / "out");
  }
  void TearDown() override { fs::remove_all(root_); }
  fs::path root_;
};

TEST_F(Installed, AProgramBuiltWithPkgConfigDrawsSymbolsZxingReads) {
  const fs::path prefix = root_ / "prefix";
  ASSERT_EQ(RunCommand("cmake --install '" TAV_BUILD_DIR "' --prefix '" + prefix.string() + "' > '" +
                (root_ / "install.log").string() + "' 2>&1"),
            0);
  // Only the public headers: nothing from the library's inside.
  EXPECT_TRUE(fs::exists(prefix / "include/kalvo/barcode/kalvo.h"));
  EXPECT_FALSE(fs::exists(prefix / "include/kalvo/barcode/draw"));
  EXPECT_TRUE(fs::exists(prefix / "lib/libkalvo.so.0"));
  EXPECT_TRUE(fs::is_symlink(prefix / "lib/libkalvo.so"));
  EXPECT_TRUE(fs::exists(prefix / "lib/internal1.dat"));

  const std::string pkg = "PKG_CONFIG_PATH='" + (prefix / "lib/pkgconfig").string() + "' pkg-config";
  const fs::path program = root_ / "draw";
  const std::string build = "g++ -std=c++20 " TAV_USER_PROGRAM_FLAGS " '" TAV_USER_PROGRAM "' -o '" +
                            program.string() + "' $(" + pkg + " --cflags --libs kalvo) > '" +
                            (root_ / "build.log").string() + "' 2>&1";
  ASSERT_EQ(RunCommand(build), 0) << std::ifstream(root_ / "build.log").rdbuf();
  ASSERT_EQ(RunCommand("LD_LIBRARY_PATH='" + (prefix / "lib").string() + "' '" + program.string() + "' '" +
                (root_ / "out").string() + "'"),
            0);

  ZXing::DecodeHints code128;
  code128.setFormats(ZXing::BarcodeFormat::Code128);
  const ZXing::Result linear = kalvo_test::Decode(ReadPgm(root_ / "out/code128.pgm"), 30, code128);
  EXPECT_EQ(kalvo_test::BytesOf(linear), "KALVO-128");
  ZXing::DecodeHints qr;
  qr.setFormats(ZXing::BarcodeFormat::QRCode);
  const ZXing::Result matrix = kalvo_test::Decode(ReadPgm(root_ / "out/qrcode.pgm"), 30, qr);
  EXPECT_EQ(kalvo_test::BytesOf(matrix), "Kalvo for other programs");
}

}  // namespace
