// The process-wide trace settings: decoders only read them, and threads that
// decode while another changes them share them safely.
#include <gtest/gtest.h>

#include <atomic>
#include <fstream>
#include <iterator>
#include <string>
#include <thread>
#include <vector>

#include "image/bitmap/planybmp.h"
#include "image/bitmap/pltextexception.h"
#include "image/decode/planydec.h"
#include "image/decode/plbmpdec.h"
#include "image/io/pltrace.h"
#include "tests/image/temp_folder.h"

namespace {

std::string ReadText(const std::string& path) {
  std::ifstream in(path);
  return std::string(std::istreambuf_iterator<char>(in), {});
}

// Not a picture of any format: decoding it only traces.
const std::vector<unsigned char> kJunk(64, 0x5A);

void DecodeJunk() {
  PLAnyPicDecoder decoder;
  PLAnyBmp bmp;
  try {
    decoder.MakeBmpFromMemory(kJunk.data(), int(kJunk.size()), &bmp);
  } catch (const PLTextException&) {
  }
}

TEST(TraceSettings, DestroyingADecoderLeavesTheTraceFileSet) {
  imgtest::TempFolder temp;
  ASSERT_TRUE(temp.Ok());
  const std::string file = temp.File("trace.txt");
  SetTraceConfig(1, file.c_str());
  { PLBmpDecoder unused; }
  DecodeJunk();  // destroys a decoder with twelve inside it
  DecodeJunk();
  SetTraceConfig(0, nullptr);
  const std::string text = ReadText(file);
  size_t lines = 0;
  for (size_t at = 0; (at = text.find("--- Decoding from memory at", at)) != std::string::npos; ++at) ++lines;
  EXPECT_EQ(lines, 2u) << text;
}

TEST(TraceSettings, ThreadsDecodeWhileTheSettingsChange) {
  imgtest::TempFolder temp;
  ASSERT_TRUE(temp.Ok());
  const std::string first = temp.File("a.txt"), second = temp.File("b.txt");
  std::atomic<bool> stop{false};
  std::vector<std::thread> decoders;
  for (int t = 0; t < 4; ++t)
    decoders.emplace_back([&] {
      while (!stop) DecodeJunk();
    });
  for (int i = 0; i < 400; ++i) SetTraceConfig(1, (i % 2 ? first : second).c_str());
  stop = true;
  for (std::thread& t : decoders) t.join();
  SetTraceConfig(0, nullptr);
  // Every line written is whole: the writes never interleave.
  for (const std::string& path : {first, second}) {
    const std::string text = ReadText(path);
    size_t start = 0;
    for (size_t end; (end = text.find('\n', start)) != std::string::npos; start = end + 1)
      ASSERT_EQ(text.compare(start, 27, "--- Decoding from memory at"), 0) << text.substr(start, end - start);
    EXPECT_EQ(start, text.size());
  }
  EXPECT_EQ(GetTraceLevel(), 0);
}

}  // namespace
