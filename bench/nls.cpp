// Code-page conversions through the platform layer.
#include <benchmark/benchmark.h>

#include <string>

#include "platform/win.h"

namespace {

std::u16string SampleText() {
  std::u16string text;
  for (int i = 0; i < 64; ++i) text += u"Label \u4E2D\u6587 text 123 ";
  return text;
}

void BM_WideToMultiByte(benchmark::State& state) {
  const UINT cp = static_cast<UINT>(state.range(0));
  const std::u16string text = SampleText();
  std::string out(text.size() * 4, '\0');
  for (auto _ : state) {
    const int n = WideCharToMultiByte(cp, 0, text.data(), static_cast<int>(text.size()), out.data(),
                                      static_cast<int>(out.size()), nullptr, nullptr);
    benchmark::DoNotOptimize(n);
  }
  state.SetBytesProcessed(static_cast<int64_t>(state.iterations()) * static_cast<int64_t>(text.size() * 2));
}
BENCHMARK(BM_WideToMultiByte)->Arg(1252)->Arg(932)->Arg(936)->Arg(65001);

void BM_MultiByteToWide(benchmark::State& state) {
  const UINT cp = static_cast<UINT>(state.range(0));
  const std::u16string text = SampleText();
  std::string bytes(text.size() * 4, '\0');
  bytes.resize(static_cast<size_t>(WideCharToMultiByte(cp, 0, text.data(), static_cast<int>(text.size()),
                                                       bytes.data(), static_cast<int>(bytes.size()), nullptr,
                                                       nullptr)));
  std::u16string out(bytes.size(), u'\0');
  for (auto _ : state) {
    const int n = MultiByteToWideChar(cp, 0, bytes.data(), static_cast<int>(bytes.size()), out.data(),
                                      static_cast<int>(out.size()));
    benchmark::DoNotOptimize(n);
  }
  state.SetBytesProcessed(static_cast<int64_t>(state.iterations()) * static_cast<int64_t>(bytes.size()));
}
BENCHMARK(BM_MultiByteToWide)->Arg(1252)->Arg(932)->Arg(936)->Arg(65001);

void BM_ShortConversion(benchmark::State& state) {
  // The common case of the string class: a few characters at a time.
  const char text[] = "\xD6\xD0" "AB";
  WCHAR out[8];
  for (auto _ : state) benchmark::DoNotOptimize(MultiByteToWideChar(936, 0, text, 4, out, 8));
}
BENCHMARK(BM_ShortConversion);

void BM_CaseMapping(benchmark::State& state) {
  std::string text(4096, 'a');
  for (size_t i = 0; i < text.size(); i += 3) text[i] = static_cast<char>(0xE9);
  for (auto _ : state) {
    CharUpperBuffA(text.data(), static_cast<DWORD>(text.size()));
    CharLowerBuffA(text.data(), static_cast<DWORD>(text.size()));
  }
  state.SetBytesProcessed(static_cast<int64_t>(state.iterations()) * 8192);
}
BENCHMARK(BM_CaseMapping);

}  // namespace
