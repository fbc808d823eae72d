// AString: copies (shared blocks), small-block churn through the free lists,
// appends and formatting.
#include <benchmark/benchmark.h>

#include "foundation/string/astring.h"

namespace {

void BM_CopyShared(benchmark::State& state) {
  const AString source("a label text of moderate length");
  for (auto _ : state) {
    AString copy(source);
    benchmark::DoNotOptimize(copy.GetData());
  }
}
BENCHMARK(BM_CopyShared);

void BM_SmallBlockChurn(benchmark::State& state) {
  for (auto _ : state) {
    AString s("field");
    s += "-name";
    benchmark::DoNotOptimize(s.GetData());
  }
}
BENCHMARK(BM_SmallBlockChurn);

void BM_AppendChars(benchmark::State& state) {
  for (auto _ : state) {
    AString s;
    for (int i = 0; i < state.range(0); ++i) s += 'x';
    benchmark::DoNotOptimize(s.GetData());
  }
  state.SetItemsProcessed(state.iterations() * state.range(0));
}
BENCHMARK(BM_AppendChars)->Arg(64)->Arg(4096);

void BM_Format(benchmark::State& state) {
  const AString name("Code 128");
  for (auto _ : state) {
    AString s;
    s.Format("%s %d: %! (%.2f)", "field", 42, &name, 3.14159);
    benchmark::DoNotOptimize(s.GetData());
  }
}
BENCHMARK(BM_Format);

void BM_ReplaceGrow(benchmark::State& state) {
  const AString source('a', 2000);
  for (auto _ : state) {
    AString s(source);
    s.Replace("a", "xyz");
    benchmark::DoNotOptimize(s.GetData());
  }
}
BENCHMARK(BM_ReplaceGrow);

}  // namespace
