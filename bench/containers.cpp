// Growable arrays and hash maps on the sizes the designer's lists and caches have.
#include <benchmark/benchmark.h>

#include <string>
#include <vector>

#include "foundation/containers/aarray.h"
#include "foundation/containers/ahashmap.h"
#include "foundation/containers/amap.h"
#include "foundation/containers/atypedarray.h"

namespace {

void BM_AArrayIntAdd(benchmark::State& state) {
  const int n = static_cast<int>(state.range(0));
  const int growBy = static_cast<int>(state.range(1));
  for (auto _ : state) {
    AArray<int> a;
    if (growBy >= 0) a.SetSize(1, growBy);
    for (int i = 0; i < n; ++i) a.Add(i);
    benchmark::DoNotOptimize(a.GetData());
  }
  state.SetItemsProcessed(state.iterations() * n);
}
// grow-by 20 (the default) against the automatic step (0).
BENCHMARK(BM_AArrayIntAdd)->Args({100, -1})->Args({10000, -1})->Args({10000, 0});

void BM_AArrayStringAddAndCopy(benchmark::State& state) {
  const int n = static_cast<int>(state.range(0));
  AString text("a line of a strings file");
  for (auto _ : state) {
    AArray<AString> a;
    for (int i = 0; i < n; ++i) a.Add(text);
    AArray<AString> b(a);
    benchmark::DoNotOptimize(b.GetData());
  }
  state.SetItemsProcessed(state.iterations() * n);
}
BENCHMARK(BM_AArrayStringAddAndCopy)->Arg(100)->Arg(5000);

void BM_TypedArrayAdd(benchmark::State& state) {
  const int n = static_cast<int>(state.range(0));
  for (auto _ : state) {
    ATypedArray<void*> a;
    for (int i = 0; i < n; ++i) a.Add(&a);
    benchmark::DoNotOptimize(a.GetData());
  }
  state.SetItemsProcessed(state.iterations() * n);
}
BENCHMARK(BM_TypedArrayAdd)->Arg(100)->Arg(10000);

std::vector<AString> Keys(int n) {
  std::vector<AString> keys;
  for (int i = 0; i < n; ++i) keys.emplace_back(("field name " + std::to_string(i)).c_str());
  return keys;
}

void BM_HashMapStringInsertLookup(benchmark::State& state) {
  const std::vector<AString> keys = Keys(static_cast<int>(state.range(0)));
  AString value("value");
  for (auto _ : state) {
    AHashMap<AString, AString> m;
    for (const AString& k : keys) m.SetAt(k, value);
    AString out;
    int found = 0;
    for (const AString& k : keys) found += m.Lookup(k, out);
    benchmark::DoNotOptimize(found);
  }
  state.SetItemsProcessed(state.iterations() * static_cast<int64_t>(keys.size()));
}
// 64 buckets: chains grow with the count.
BENCHMARK(BM_HashMapStringInsertLookup)->Arg(50)->Arg(1000);

void BM_MapIntInsertIterate(benchmark::State& state) {
  const DWORD n = static_cast<DWORD>(state.range(0));
  for (auto _ : state) {
    AMap<DWORD, DWORD> m;
    for (DWORD i = 0; i < n; ++i) m[i * 7] = i;
    MapPosition pos = kMapStart;
    DWORD k = 0, v = 0, sum = 0;
    while (pos) {
      m.GetNextAssoc(pos, k, v);
      sum += v;
    }
    benchmark::DoNotOptimize(sum);
  }
  state.SetItemsProcessed(state.iterations() * n);
}
BENCHMARK(BM_MapIntInsertIterate)->Arg(256)->Arg(4096);

}  // namespace
